// The progress window. Letting events run per node would make a 100,000-node read spend
// most of its time in the event loop, so events run at most every 30 ms, and user input
// waits: the document being read or written must not change under the operation.
#include "ui/common/tform_progress.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "ui/common/qt_text.h"

namespace pw {

TFormProgress::TFormProgress(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName("TFormProgress");
  setWindowTitle(U8("Plotweave"));
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  LabelCaption_ = new QLabel(this);
  ProgressBar_ = new QProgressBar(this);
  ProgressBar_->setRange(0, 1000);
  ProgressBar_->setTextVisible(false);
  layout->addWidget(LabelCaption_);
  layout->addWidget(ProgressBar_);
  setFixedWidth(320);
}

void TFormProgress::Begin(std::string_view caption, size_t maximum) {
  if (depth_++ > 0) return;
  maximum_ = maximum;
  position_ = 0;
  shown_permille_ = 0;
  event_runs_ = 0;
  LabelCaption_->setText(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
  ProgressBar_->setValue(0);
  if (!suppressed_) {
    show();
    raise();
    RunPendingEvents();
  }
  since_events_.start();
}

void TFormProgress::Step() {
  if (depth_ == 0) return;
  ++position_;
  const int permille =
      maximum_ == 0 ? 1000
                    : static_cast<int>(std::min<size_t>(position_, maximum_) * 1000 / maximum_);
  if (permille != shown_permille_) {
    shown_permille_ = permille;
    ProgressBar_->setValue(permille);
  }
  if (!suppressed_ && since_events_.elapsed() >= 30) RunPendingEvents();
}

void TFormProgress::End() {
  if (depth_ == 0 || --depth_ > 0) return;
  hide();
}

void TFormProgress::RunPendingEvents() {
  ++event_runs_;
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  since_events_.restart();
}

void TFormProgress::closeEvent(QCloseEvent* event) {
  if (active()) event->ignore();
}

}  // namespace pw
