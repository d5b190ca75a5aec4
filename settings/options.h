// The rules the options dialog applies between its controls and the settings: the tab-width
// choice, the title-length range and the folder boxes.
#ifndef PLOTWEAVE_SETTINGS_OPTIONS_H_
#define PLOTWEAVE_SETTINGS_OPTIONS_H_

#include <array>
#include <optional>
#include <string>

namespace pw {

// The tab-width radio group: "2", "4", "8".
inline constexpr std::array<int, 3> kTabChoices = {2, 4, 8};
// The choice showing `tab`, none for any other value (a hand-edited 3 checks nothing).
std::optional<int> TabChoiceOf(int tab);
// The tab width after OK: the checked choice, or `tab` unchanged when none is checked.
int TabFromChoice(std::optional<int> choice, int tab);

// The title-length spin box's range.
inline constexpr int kTitleMaxLengthMin = 1;
inline constexpr int kTitleMaxLengthMax = 128;
// The value the spin box can show for a stored length.
int TitleMaxLengthForControl(int stored);
// The length after OK: a stored value outside the range survives while the box still shows
// what it showed for it.
int TitleMaxLengthFromControl(int control, int stored);

// A chosen folder as the settings keep folders: with a trailing '/'.
std::string FolderWithSeparator(std::string folder);

}  // namespace pw

#endif  // PLOTWEAVE_SETTINGS_OPTIONS_H_
