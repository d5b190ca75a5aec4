// The tool-bar customisation "ﾂｰﾙﾊﾞｰのｶｽﾀﾏｲｽﾞ": one check per tool button, in the order of the
// bars. Made fresh for each use and shown modally; it keeps nothing between uses.
#ifndef PLOTWEAVE_UI_SETTINGS_TFORM_BAR_CUSTMIZE_H_
#define PLOTWEAVE_UI_SETTINGS_TFORM_BAR_CUSTMIZE_H_

#include <QDialog>
#include <array>

#include "settings/tool_bar_layout.h"

class QListWidget;
class QPushButton;

namespace pw {

class TFormBarCustmize : public QDialog {
  Q_OBJECT

 public:
  // Each entry is checked exactly when its button is visible.
  explicit TFormBarCustmize(const std::array<bool, kToolButtonCount>& visible,
                            QWidget* parent = nullptr);

  // The checks, by button.
  std::array<bool, kToolButtonCount> Checked() const;

  QListWidget* CheckListBoxMain = nullptr;
  QPushButton* ButtonOK = nullptr;
  QPushButton* ButtonCancel = nullptr;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_SETTINGS_TFORM_BAR_CUSTMIZE_H_
