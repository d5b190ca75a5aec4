// The text-styling commands of the window: the font bar and the font command, named font
// styles with their three menus and their file, links in the body, a file into the body, font
// and tab unification over the document, the date command, and the ruler's two-way link with
// the body pane's paragraph indents.
#ifndef PLOTWEAVE_UI_STYLING_STYLING_COMMANDS_H_
#define PLOTWEAVE_UI_STYLING_STYLING_COMMANDS_H_

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "richtext/rich_document.h"
#include "styling/font_style.h"

class QAction;
class QMenu;
class QPoint;
class QTextCharFormat;
class QTextDocument;
class QWidget;

namespace pw {

class ActionRegistry;
class TanlRuler;
class TFormDay;
class TFormFontStyle;
class WindowContext;
struct WindowControls;

class StylingCommands : public QObject {
 public:
  explicit StylingCommands(WindowContext& window);
  ~StylingCommands() override;

  void Bind(ActionRegistry& actions);
  // The settings' part: the body's tab stops from "Tab", the ruler's tick spacing.
  void ApplySettings();
  // The style file named by StyFileName, when there is one (silently).
  void LoadStartupStyles();

  // --- the font bar and the font command ---
  void MenuTextFontClick();
  void FontBarNameChange(const QString& family);
  void FontBarSizeChange(const QString& text);
  void FontBarStyleClick(int bit, bool on);
  void FontBarColorClick();
  void FontBarAlignClick(Qt::Alignment alignment);
  void FontBarBulletClick(bool on);
  // The idle-time update of the bar from the body's selection.
  void UpdateFontBar();

  // --- font styles ---
  void MenuTextStyleSetClick();
  void MenuTextStyleEditClick();
  void MenuTextStyleLoadClick();
  void MenuTextStyleSaveClick();
  void ToolTextStyleClick();
  // Style n (from 1) onto the body's selection.
  void ApplyStyle(int n);
  const styling::FontStyleTable& styles() const { return styles_; }
  int last_style() const { return last_style_; }
  const QString& style_dialog_file() const { return style_dialog_file_; }
  TFormFontStyle* FormFontStyle = nullptr;

  // --- links and a file into the body ---
  void MenuTextLinkClick();
  // The link target at a point of the body's viewport, or nothing.
  std::optional<std::string> LinkAt(const QPoint& viewport_pos);
  void FollowLink(const std::string& target);
  void MenuTextImportClick();

  // --- whole-document work ---
  void MenuTextFontAllClick();
  void MenuTextTabAllClick();

  // --- dates ---
  void MenuEditDayClick();
  TFormDay* FormDay = nullptr;

  // --- the ruler ---
  TanlRuler* ruler() const;
  // The handles follow the paragraph at the body's caret.
  void UpdateRuler();
  void anlRulerMainIndentChange(int indent_id);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The body pane's default character format (the settings' body font).
  rich::CharFormat DefaultBodyFormat() const;
  // The format the selection shows (its start's when it mixes formats).
  rich::CharFormat SelectionFormat() const;
  void MergeIntoSelection(const QTextCharFormat& format);
  void RebuildStyleMenus();
  bool ReadStyleFile(const QString& path, bool silent);
  // Sets `stops` on every paragraph of the body pane; the ruler hides its numbers and takes
  // the width of "0" as its tick spacing.
  void SetPaneTabStops(const std::vector<double>& stops, int zero_width);
  // The frame of both unifications around `work`, which rewrites the stored bodies.
  void RunUnification(const std::function<void()>& work);
  void InsertDate(const QString& text, QWidget* target);

  WindowContext& window_;
  const WindowControls& ui_;
  styling::FontStyleTable styles_;
  int last_style_ = 1;
  QString style_dialog_file_;
  QList<QAction*> style_items_;
  bool unifying_ = false;
  bool updating_bar_ = false;
  // What the font bar shows was read from this document state.
  struct BarState {
    int revision = -1;
    int begin = -1;
    int end = -1;
    int position = -1;
    friend bool operator==(const BarState&, const BarState&) = default;
  };
  BarState bar_state_;
  // A guarded pointer: a new body's document may be made where a freed one was.
  QPointer<const QTextDocument> bar_document_;
  // The body text as Shift-JIS with CR LF line ends, and where each document position starts
  // in it, for the link finder; rebuilt when the document changes.
  QPointer<const QTextDocument> link_document_;
  int link_revision_ = -1;
  std::string link_text_;
  std::vector<uint32_t> link_offsets_;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_STYLING_STYLING_COMMANDS_H_
