// Control <-> setting rules of the options dialog.
#include "settings/options.h"

#include <algorithm>

namespace pw {

std::optional<int> TabChoiceOf(int tab) {
  for (size_t i = 0; i < kTabChoices.size(); ++i) {
    if (kTabChoices[i] == tab) return static_cast<int>(i);
  }
  return std::nullopt;
}

int TabFromChoice(std::optional<int> choice, int tab) {
  if (!choice || *choice < 0 || *choice >= static_cast<int>(kTabChoices.size())) return tab;
  return kTabChoices[static_cast<size_t>(*choice)];
}

int TitleMaxLengthForControl(int stored) {
  return std::clamp(stored, kTitleMaxLengthMin, kTitleMaxLengthMax);
}

int TitleMaxLengthFromControl(int control, int stored) {
  return control == TitleMaxLengthForControl(stored) ? stored : control;
}

std::string FolderWithSeparator(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace pw
