// The progress window of long operations (reading, writing, exports): a caption and a bar
// stepped once per node. Pending events run between steps, but only a few times per frame.
#ifndef PLOTWEAVE_UI_COMMON_TFORM_PROGRESS_H_
#define PLOTWEAVE_UI_COMMON_TFORM_PROGRESS_H_

#include <QDialog>
#include <QElapsedTimer>

#include "core/progress.h"

class QLabel;
class QProgressBar;

namespace pw {

class TFormProgress : public QDialog, public ProgressSink {
  Q_OBJECT

 public:
  explicit TFormProgress(QWidget* parent = nullptr);

  void Begin(std::string_view caption, size_t maximum) override;
  void Step() override;
  void End() override;

  // True between Begin and End (the window refuses to close then).
  bool active() const { return depth_ > 0; }
  // While starting up the window is not shown, but the operation still counts as active.
  void SetSuppressed(bool suppressed) { suppressed_ = suppressed; }
  // How often pending events were let run during the last operation (tests and benchmarks).
  int event_runs() const { return event_runs_; }
  size_t position() const { return position_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override {}

 private:
  void RunPendingEvents();

  QLabel* LabelCaption_;
  QProgressBar* ProgressBar_;
  QElapsedTimer since_events_;
  int depth_ = 0;
  bool suppressed_ = false;
  size_t maximum_ = 0;
  size_t position_ = 0;
  int shown_permille_ = -1;
  int event_runs_ = 0;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_COMMON_TFORM_PROGRESS_H_
