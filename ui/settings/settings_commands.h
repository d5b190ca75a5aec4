// The settings commands: the options dialog (made once, with the window) and the tool-bar
// customisation, and the input-method settings of the editing panes.
#ifndef PLOTWEAVE_UI_SETTINGS_SETTINGS_COMMANDS_H_
#define PLOTWEAVE_UI_SETTINGS_SETTINGS_COMMANDS_H_

#include <QObject>

namespace pw {

class ActionRegistry;
class CharacterItemList;
class InputMethodSettings;
class TFormBarCustmize;
class TFormOption;
class WindowContext;

class SettingsCommands : public QObject {
  Q_OBJECT

 public:
  explicit SettingsCommands(WindowContext& window);
  ~SettingsCommands() override;

  void Bind(ActionRegistry& actions);

  // "ｶｽﾀﾏｲｽﾞ(&K)...": the options dialog; OK puts the settings into effect at once.
  void MenuToolCustmizeClick();
  // "ﾂｰﾙﾊﾞｰのｶｽﾀﾏｲｽﾞ(&B)..." and the bar area's "ﾂｰﾙﾊﾞｰのｶｽﾀﾏｲｽﾞ...".
  void MenuDispCustmizeClick();

  // Puts the input-method settings into effect (start-up and after OK).
  void ApplyInputMethod();

  const CharacterItemList& character_items() const;

  TFormOption* FormOption = nullptr;
  // While the tool-bar customisation shows (for tests), else nullptr.
  TFormBarCustmize* FormBarCustmize = nullptr;

 signals:
  // The character-item list may have changed (after the options dialog closed).
  void CharacterItemsChanged();

 private:
  void UnifyTabStops();

  WindowContext& window_;
  InputMethodSettings* input_method_ = nullptr;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_SETTINGS_SETTINGS_COMMANDS_H_
