// The print progress window: a caption without border icons over one centred, word-wrapped
// label that tells which document is printing and how it went. Made for one print and gone
// after it.
#ifndef PLOTWEAVE_UI_EXPORT_TFORM_INFO_H_
#define PLOTWEAVE_UI_EXPORT_TFORM_INFO_H_

#include <QDialog>

class QDialogButtonBox;
class QLabel;

namespace pw {

inline constexpr char kInfoCaption[] = "印刷中";
inline constexpr char kPrinting[] = "印刷中";
inline constexpr char kPrinted[] = "印刷終了";
inline constexpr char kPrintFailed[] = "印刷出来ません";

class TFormInfo : public QDialog {
 public:
  explicit TFormInfo(QWidget* parent);

  // The job's name above its state ("印刷中", "印刷終了", "印刷出来ません").
  void SetState(const QString& job_name, const char* state);
  QString text() const;
  // Shown, and painted at once, before a print that holds the event loop.
  void ShowNow();
  // A failure stays on screen until the user has read it: the window gets an OK button and
  // waits for it.
  void WaitForAcknowledgement();

 protected:
  void reject() override;

 private:
  QLabel* LabelInfo;
  QDialogButtonBox* ButtonOK;
  bool closable_ = false;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_EXPORT_TFORM_INFO_H_
