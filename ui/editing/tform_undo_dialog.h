// The confirmation asked before a tree change that cannot be undone (merge, split) or before
// undoing an add; its check box turns the question off for good.
#ifndef PLOTWEAVE_UI_EDITING_TFORM_UNDO_DIALOG_H_
#define PLOTWEAVE_UI_EDITING_TFORM_UNDO_DIALOG_H_

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace pw {

class TFormUndoDialog : public QDialog {
  Q_OBJECT

 public:
  enum Result { kClosed = 0, kYes = 1, kNo = 2 };

  // `setting` (the confirmation setting) becomes the negation of the check box whenever the
  // dialog hides.
  TFormUndoDialog(bool* setting, QWidget* parent);

  // Shows `text` (CP932-free UTF-8, "\r\n" breaks allowed) modally. False only for "いいえ":
  // closing the window another way lets the command go on.
  bool AskGoOn(const QString& text);

  QLabel* LabelText = nullptr;
  QCheckBox* CheckBoxDisable = nullptr;
  QPushButton* ButtonYes = nullptr;
  QPushButton* ButtonNo = nullptr;

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  bool* setting_;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_EDITING_TFORM_UNDO_DIALOG_H_
