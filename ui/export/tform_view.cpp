// The document viewer.
#include "ui/export/tform_view.h"

#include <QAction>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include "export/rich_document_builder.h"
#include "ui/common/qt_text.h"
#include "ui/common/rich_text_adapter.h"

namespace pw {
namespace {

// Milliseconds of filling before the view first shows, and per piece afterwards (short
// enough that scrolling and typing elsewhere stay smooth).
constexpr int kFirstPieceMs = 20;
constexpr int kLaterPieceMs = 30;

}  // namespace

TFormView::TFormView(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("TFormView");
  setWindowTitle(U8(kViewCaption));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  RichEditView = new QTextEdit(this);
  RichEditView->setObjectName("RichEditView");
  RichEditView->setReadOnly(true);
  RichEditView->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  RichEditView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  RichEditView->setLineWrapMode(QTextEdit::WidgetWidth);
  RichEditView->setContextMenuPolicy(Qt::CustomContextMenu);
  layout->addWidget(RichEditView);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  ButtonClose = new QPushButton(U8("閉じる"), this);
  ButtonClose->setObjectName("ButtonClose");
  buttons->addWidget(ButtonClose);
  layout->addLayout(buttons);
  connect(ButtonClose, &QPushButton::clicked, this, &QWidget::hide);

  PopupMenuView = new QMenu(this);
  PopupMenuView->setObjectName("PopupMenuView");
  PopupViewCopy = PopupMenuView->addAction(U8("コピー(&C)"));
  PopupViewCopy->setObjectName("PopupViewCopy");
  PopupViewCopy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  PopupViewCopy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  PopupViewCopy->setEnabled(false);
  addAction(PopupViewCopy);
  connect(PopupViewCopy, &QAction::triggered, this, &TFormView::PopupViewCopyClick);
  connect(RichEditView, &QTextEdit::copyAvailable, PopupViewCopy, &QAction::setEnabled);
  // A gradual fill goes on between events, a piece at a time.
  fill_timer_ = new QTimer(this);
  fill_timer_->setInterval(0);
  connect(fill_timer_, &QTimer::timeout, this, [this] { FillSome(kLaterPieceMs); });

  connect(RichEditView, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    PopupMenuView->popup(RichEditView->viewport()->mapToGlobal(at));
  });
}

TFormView::~TFormView() { StopFilling(); }

QTextDocument* TFormView::NewDocument() {
  auto* document = new QTextDocument(this);
  document->setUndoRedoEnabled(false);
  document->setDefaultFont(RichEditView->font());
  return document;
}

void TFormView::ShowDocument(QTextDocument* document, bool keep_place) {
  const int scrolled = RichEditView->verticalScrollBar()->value();
  const QTextCursor cursor = RichEditView->textCursor();
  const int anchor = cursor.anchor();
  const int position = cursor.position();
  QTextDocument* previous = shown_;
  RichEditView->setDocument(document);  // deletes the control's own document the first time
  shown_ = document;
  delete previous;
  document->setModified(false);
  PopupViewCopy->setEnabled(false);
  if (!keep_place) return;
  QTextCursor restored(document);
  restored.setPosition(qMin(anchor, document->characterCount() - 1));
  restored.setPosition(qMin(position, document->characterCount() - 1), QTextCursor::KeepAnchor);
  RichEditView->setTextCursor(restored);
  PopupViewCopy->setEnabled(restored.hasSelection());
  RichEditView->verticalScrollBar()->setValue(scrolled);
}

void TFormView::SetDocument(const rich::RichDocument& document) {
  StopFilling();
  QTextDocument* filled = NewDocument();
  RichToQt(document, filled);
  ShowDocument(filled, false);
}

void TFormView::FillGradually(std::unique_ptr<RichDocumentSnapshot> snapshot) {
  StopFilling();
  // The beginning, shown at once...
  rich::RichDocument head;
  QElapsedTimer clock;
  clock.start();
  for (int nodes = 1; !snapshot->done(); ++nodes) {
    snapshot->AppendNext(&head);
    if (nodes % 16 == 0 && clock.elapsed() >= kFirstPieceMs) break;
  }
  QTextDocument* first = NewDocument();
  RichToQt(head, first);
  ShowDocument(first, false);
  if (snapshot->done()) return;
  // ...and the whole built aside from the same beginning, then shown in its place.
  whole_ = NewDocument();
  writer_ = std::make_unique<QtDocumentWriter>(whole_);
  tail_ = std::move(head);
  snapshot_ = std::move(snapshot);
  RichEditView->viewport()->setCursor(Qt::BusyCursor);
  fill_timer_->start();
}

void TFormView::FillSome(int budget_ms) {
  QElapsedTimer clock;
  clock.start();
  for (int nodes = 1; !snapshot_->done(); ++nodes) {
    snapshot_->AppendNext(&tail_);
    // Every paragraph but the last is complete; the next node may still join the last.
    std::vector<rich::Paragraph>& paragraphs = tail_.paragraphs;
    for (size_t i = 0; i + 1 < paragraphs.size(); ++i) writer_->Append(paragraphs[i]);
    paragraphs.erase(paragraphs.begin(), paragraphs.end() - 1);
    if (nodes % 16 == 0) {
      writer_->Flush();
      if (clock.elapsed() >= budget_ms) break;
    }
  }
  if (!snapshot_->done()) return;
  for (const rich::Paragraph& paragraph : tail_.paragraphs) writer_->Append(paragraph);
  writer_->Flush();
  QTextDocument* whole = whole_;
  whole_ = nullptr;
  StopFilling();
  ShowDocument(whole, true);
}

void TFormView::StopFilling() {
  fill_timer_->stop();
  writer_.reset();
  snapshot_.reset();
  tail_ = rich::RichDocument{};
  delete whole_;
  whole_ = nullptr;
  RichEditView->viewport()->unsetCursor();
}

void TFormView::hideEvent(QHideEvent* event) {
  // Closed with "閉じる": what is not built yet is not needed, showing the view again refills
  // it. A hide the window system made (the view minimised, moved to another desktop) is not a
  // close: the filling goes on, or the view would come back with half the document.
  if (!event->spontaneous()) StopFilling();
  QWidget::hideEvent(event);
}

void TFormView::SetBackground(const QColor& color) {
  QPalette palette = RichEditView->palette();
  palette.setColor(QPalette::Base, color);
  RichEditView->setPalette(palette);
}

void TFormView::PopupViewCopyClick() {
  if (RichEditView->textCursor().hasSelection()) RichEditView->copy();
}

}  // namespace pw
