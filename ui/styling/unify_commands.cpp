// Font and tab-width unification: after the dialogs, the stored bodies are rewritten headless
// while the window shows progress with its menus, bars and panes off; the node shown is then
// loaded again.
#include <QApplication>
#include <QLineEdit>
#include <QTextEdit>
#include <QTreeView>

#include "core/document_flags.h"
#include "settings/settings.h"
#include "styling/unification.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/common/tform_progress.h"
#include "ui/common/window_context.h"
#include "ui/common/window_controls.h"
#include "ui/document/node_panes.h"
#include "ui/styling/body_tabs.h"
#include "ui/styling/styling_commands.h"
#include "ui/styling/tform_font_style.h"

namespace pw {
namespace {

constexpr char kUnifyCaption[] = "実行します";
constexpr char kFontUnifyQuestion[] =
    "ﾌｫﾝﾄを統一すると、設定した書式が失われます。\r\nこの操作は取り消し出来ません。\r\n"
    "よろしいですか？\r\n";
constexpr char kTabUnifyQuestion[] =
    "ﾀﾌﾞ幅を現在ｵﾌﾟｼｮﾝで指定してある幅で統一します。\r\nこの操作は取り消し出来ません。\r\n"
    "よろしいですか？\r\n";

}  // namespace

void StylingCommands::RunUnification(const std::function<void()>& work) {
  unifying_ = true;
  window_.SetBarsEnabled(false);
  for (QWidget* pane : {static_cast<QWidget*>(ui_.RichEditMain),
                        static_cast<QWidget*>(ui_.MemoTitle),
                        static_cast<QWidget*>(ui_.TreeViewMain)}) {
    pane->setEnabled(false);
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  work();
  // The selection and the expanded states never moved: only the shown body is loaded again.
  window_.panes().LoadBody(window_.current_node());
  DocumentFlags& flags = window_.flags();
  flags.BodyModified = true;
  flags.TestModified();
  QApplication::restoreOverrideCursor();
  for (QWidget* pane : {static_cast<QWidget*>(ui_.TreeViewMain),
                        static_cast<QWidget*>(ui_.MemoTitle),
                        static_cast<QWidget*>(ui_.RichEditMain)}) {
    pane->setEnabled(true);
  }
  window_.SetBarsEnabled(true);
  ui_.RichEditMain->setFocus();
  UpdateRuler();
  unifying_ = false;
}

void StylingCommands::MenuTextFontAllClick() {
  if (unifying_) return;
  window_.StoreCurrentNode();
  const std::optional<rich::CharFormat> chosen =
      ChooseCharFormat(&window_.dialogs(), window_.dialog_parent(), DefaultBodyFormat());
  if (!chosen) return;
  if (window_.dialogs().Ask(window_.dialog_parent(), U8(kUnifyCaption), U8(kFontUnifyQuestion),
                            DialogButtons::kYesNo,
                            DialogIcon::kInformation) != DialogAnswer::kYes) {
    return;
  }
  // The default body font becomes the chosen one, in whole points as the settings keep it.
  const styling::FontStyle as_setting = styling::StyleFromCharFormat(*chosen, {});
  FontSetting& body_font = window_.settings().RichEditFont;
  body_font.Name = as_setting.face;
  body_font.Size = as_setting.size;
  body_font.Color = as_setting.color;
  body_font.Style = as_setting.style;
  window_.panes().ApplyFonts();
  const rich::CharFormat format = styling::CharFormatFromStyle(as_setting);
  RunUnification([&] { styling::UnifyFonts(window_.outline(), format, window_.progress()); });
  ApplySettings();  // the pane's tab stops follow the new font's "0"
}

void StylingCommands::MenuTextTabAllClick() {
  if (unifying_) return;
  window_.StoreCurrentNode();
  if (window_.dialogs().Ask(window_.dialog_parent(), U8(kUnifyCaption), U8(kTabUnifyQuestion),
                            DialogButtons::kYesNo,
                            DialogIcon::kInformation) != DialogAnswer::kYes) {
    return;
  }
  window_.panes().ApplyFonts();
  int zero_width = 0;
  std::vector<double> stops =
      BodyTabStopPoints(*ui_.RichEditMain, window_.settings().Tab, &zero_width);
  // A "Tab" of 0 or less gives no stops a paragraph can hold.
  std::erase_if(stops, [](double stop) { return stop <= 0; });
  RunUnification(
      [&] { styling::UnifyTabStops(window_.outline(), stops, window_.progress()); });
  SetPaneTabStops(stops, zero_width);
}

}  // namespace pw
