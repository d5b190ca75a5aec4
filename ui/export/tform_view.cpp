// The document viewer.
#include "ui/export/tform_view.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "ui/common/qt_text.h"
#include "ui/common/rich_text_adapter.h"

namespace pw {

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
  // A view is never edited: no undo record of the whole document.
  RichEditView->document()->setUndoRedoEnabled(false);
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
  connect(RichEditView, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    PopupMenuView->popup(RichEditView->viewport()->mapToGlobal(at));
  });
}

void TFormView::SetDocument(const rich::RichDocument& document) {
  RichEditView->setUpdatesEnabled(false);
  RichToQt(document, RichEditView->document());
  RichEditView->document()->setModified(false);
  RichEditView->moveCursor(QTextCursor::Start);
  RichEditView->setUpdatesEnabled(true);
  PopupViewCopy->setEnabled(false);
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
