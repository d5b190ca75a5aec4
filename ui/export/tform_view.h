// The document viewer "全体表示": a modeless, read-only window over the whole document as the
// rich-text document builder assembles it, with a copy menu. Made once when the window starts;
// each view or print command fills it again, and it does not follow later edits.
#ifndef PLOTWEAVE_UI_EXPORT_TFORM_VIEW_H_
#define PLOTWEAVE_UI_EXPORT_TFORM_VIEW_H_

#include <QWidget>

#include "richtext/rich_document.h"

class QAction;
class QMenu;
class QPushButton;
class QTextEdit;

namespace pw {

inline constexpr char kViewCaption[] = "全体表示";

class TFormView : public QWidget {
 public:
  explicit TFormView(QWidget* parent);

  // Replaces the content by `document` (its formats kept).
  void SetDocument(const rich::RichDocument& document);
  void SetBackground(const QColor& color);

  QTextEdit* RichEditView;
  QPushButton* ButtonClose;
  QMenu* PopupMenuView;
  QAction* PopupViewCopy;

 private:
  void PopupViewCopyClick();
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_EXPORT_TFORM_VIEW_H_
