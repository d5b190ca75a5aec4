// The document viewer "全体表示": a modeless, read-only window over the whole document as the
// rich-text document builder assembles it, with a copy menu. Made once when the window starts;
// each view or print command fills it again, and it does not follow later edits.
#ifndef PLOTWEAVE_UI_EXPORT_TFORM_VIEW_H_
#define PLOTWEAVE_UI_EXPORT_TFORM_VIEW_H_

#include <QWidget>
#include <memory>

#include "richtext/rich_document.h"

class QAction;
class QMenu;
class QPushButton;
class QTextDocument;
class QTextEdit;
class QTimer;

namespace pw {

class QtDocumentWriter;
class RichDocumentSnapshot;

inline constexpr char kViewCaption[] = "全体表示";

class TFormView : public QWidget {
 public:
  explicit TFormView(QWidget* parent);
  ~TFormView() override;

  // Replaces the content by `document` (its formats kept); everything is there on return.
  void SetDocument(const rich::RichDocument& document);
  // Replaces the content by what `snapshot` builds: the beginning at once, the whole a little
  // later (built while events run), so that a large document opens quickly.
  void FillGradually(std::unique_ptr<RichDocumentSnapshot> snapshot);
  // True while a gradual fill is still building the whole.
  bool filling() const { return writer_ != nullptr; }
  void SetBackground(const QColor& color);

  QTextEdit* RichEditView;
  QPushButton* ButtonClose;
  QMenu* PopupMenuView;
  QAction* PopupViewCopy;

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  void PopupViewCopyClick();
  // A document that no widget lays out yet: filling it costs no layout.
  QTextDocument* NewDocument();
  // Shows `document` in place of the current one, keeping where the user scrolled to and what
  // was selected (the text before it is the same).
  void ShowDocument(QTextDocument* document, bool keep_place);
  // Builds nodes into the whole for about `budget_ms`; shows it after the last one.
  void FillSome(int budget_ms);
  void StopFilling();

  QTextDocument* shown_ = nullptr;  // ours once the first fill replaced the control's own
  QTextDocument* whole_ = nullptr;  // the document a gradual fill is building
  std::unique_ptr<QtDocumentWriter> writer_;
  std::unique_ptr<RichDocumentSnapshot> snapshot_;
  rich::RichDocument tail_;  // built, its last paragraph not yet complete
  QTimer* fill_timer_;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_EXPORT_TFORM_VIEW_H_
