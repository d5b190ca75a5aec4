// The options dialog and the tool-bar customisation as commands of the window: what they show
// comes from the settings, and what OK changes takes effect at once.
#include "ui/settings/settings_commands.h"

#include <QAction>
#include <QFontMetrics>
#include <QLineEdit>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>
#include <memory>

#include "core/document_flags.h"
#include "core/outline.h"
#include "platform/paths.h"
#include "richtext/rich_operations.h"
#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"
#include "settings/settings.h"
#include "ui/common/action_registry.h"
#include "ui/common/font_setting_qt.h"
#include "ui/common/window_context.h"
#include "ui/document/node_panes.h"
#include "ui/settings/input_method_settings.h"
#include "ui/settings/tform_bar_custmize.h"
#include "ui/settings/tform_option.h"

namespace pw {

SettingsCommands::SettingsCommands(WindowContext& window) : window_(window) {
  const WindowControls& ui = window_.controls();
  FormOption = new TFormOption(
      &window_.dialogs(), ProgramPathWithExtension(".CHR"),
      [this] {
        if (QAction* help = window_.action_registry().Action(QStringLiteral("MenuHelpContents"))) {
          help->trigger();
        }
      },
      window_.dialog_parent());
  input_method_ = new InputMethodSettings(ui.MemoTitle, ui.RichEditMain, this);
}

SettingsCommands::~SettingsCommands() = default;

void SettingsCommands::Bind(ActionRegistry& actions) {
  actions.Bind("MenuToolCustmize", this, &SettingsCommands::MenuToolCustmizeClick);
  actions.Bind("MenuDispCustmize", this, &SettingsCommands::MenuDispCustmizeClick);
}

const CharacterItemList& SettingsCommands::character_items() const {
  return FormOption->character_items();
}

void SettingsCommands::ApplyInputMethod() {
  const Settings& s = window_.settings();
  input_method_->Apply(s.IMEEnable, s.IMEText, s.IMEBack, s.IMEInput);
}

void SettingsCommands::MenuToolCustmizeClick() {
  window_.StoreCurrentNode();
  Settings& settings = window_.settings();
  const int old_tab = settings.Tab;
  const FontSetting shown_body_font = settings.RichEditFont;
  QTextEdit* body = window_.controls().RichEditMain;
  const bool body_modified = window_.flags().BodyModified;
  const bool pane_modified = body->document()->isModified();

  FormOption->Prepare(settings);
  const int result = FormOption->exec();
  emit CharacterItemsChanged();
  if (result != QDialog::Accepted) return;

  FormOption->StoreInto(&settings);
  if (settings.Tab != old_tab) UnifyTabStops();
  // The body font is for nodes made from now on: the body pane keeps the one it shows.
  const FontSetting body_font = settings.RichEditFont;
  settings.RichEditFont = shown_body_font;
  window_.ApplySettings();
  settings.RichEditFont = body_font;
  ApplyInputMethod();
  // Settings are no edit of the document (loading a body may replace the pane's document).
  body->document()->setModified(pane_modified);
  window_.flags().BodyModified = body_modified;
}

void SettingsCommands::UnifyTabStops() {
  // Every stored body takes the new tab stops, as the tab-width unification does; the current
  // node's body is shown again afterwards.
  const Settings& settings = window_.settings();
  const int zero = QFontMetrics(ToQFont(settings.RichEditFont)).horizontalAdvance(QLatin1Char('0'));
  const std::vector<int> points = TabStopPoints(zero, settings.Tab);
  const std::vector<double> stops(points.begin(), points.end());
  bool changed = false;
  window_.outline().ForEach([&](Node* node) {
    TNodeData* data = node->data();
    if (data == nullptr || !data->Body) return;
    const std::string_view text = *data->Body;
    if (text.substr(0, 5) != "{\\rtf") return;  // plain text has no tab stops of its own
    rich::RichDocument document = rich::ReadRtf(text);
    rich::SetTabStopsAll(&document, stops);
    data->SetBody(rich::WriteRtf(document));
    changed = true;
  });
  if (changed) window_.flags().BodyModified = true;
  if (Node* current = window_.current_node()) window_.panes().LoadBody(current);
}

void SettingsCommands::MenuDispCustmizeClick() {
  const WindowControls& ui = window_.controls();
  ActionRegistry& actions = window_.action_registry();
  ToolBarLayout& layout = window_.settings().ToolBars;
  std::array<bool, kToolButtonCount> visible{};
  for (size_t i = 0; i < kToolButtonCount; ++i) {
    const std::string_view name = ToolButtons()[i].name;
    QAction* action = actions.Action(QString::fromLatin1(name.data(), qsizetype(name.size())));
    visible[i] = action != nullptr ? action->isVisible() : layout.button_visible[i];
  }
  // A fresh dialog each time, gone afterwards.
  auto dialog = std::make_unique<TFormBarCustmize>(visible, window_.dialog_parent());
  FormBarCustmize = dialog.get();
  const int result = dialog->exec();
  FormBarCustmize = nullptr;
  if (result != QDialog::Accepted) return;
  layout.button_visible = dialog->Checked();
  for (size_t i = 0; i < kToolButtonCount; ++i) {
    const std::string_view name = ToolButtons()[i].name;
    if (QAction* action =
            actions.Action(QString::fromLatin1(name.data(), qsizetype(name.size())))) {
      action->setVisible(layout.button_visible[i]);
    }
  }
  // A bar left without a visible button hides; none is shown by this.
  for (size_t b = 0; b < kToolBarCount; ++b) {
    layout.bar_visible[b] = !ui.ToolBars[b]->isHidden();
  }
  layout.HideEmptyToolBars();
  for (size_t b = 0; b < kToolBarCount; ++b) {
    if (!layout.bar_visible[b]) ui.ToolBars[b]->hide();
    ui.ToolBars[b]->adjustSize();
  }
}

}  // namespace pw
