// Scripted dialogs and the window fixture.
#include "ui_test_support.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <QTextEdit>

#include "core/cp932.h"
#include "core/node_marks.h"
#include "core/outline_file.h"
#include "platform/paths.h"
#include "richtext/body_text.h"

namespace pw::test {

DialogAnswer ScriptedDialogs::Ask(QWidget*, const QString& caption, const QString& text,
                                  DialogButtons buttons, DialogIcon icon) {
  asked.push_back({caption, text, buttons, icon});
  if (buttons == DialogButtons::kOk) return DialogAnswer::kOk;
  if (answers.empty()) return DialogAnswer::kCancel;
  const DialogAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

std::optional<QString> ScriptedDialogs::OpenFileName(QWidget*, const FileDialogRequest& request) {
  file_dialogs.push_back(request);
  if (file_names.empty()) return std::nullopt;
  // Taken apart rather than copied: GCC's optimiser warns about copying an optional QString.
  const bool chosen = file_names.front().has_value();
  QString name = file_names.front().value_or(QString());
  file_names.pop_front();
  if (!chosen) return std::nullopt;
  return name;
}

std::optional<QFont> ScriptedDialogs::ChooseFont(QWidget*, const QFont& initial) {
  font_requests.push_back(initial);
  if (fonts.empty()) return std::nullopt;
  std::optional<QFont> font = fonts.front();
  fonts.pop_front();
  return font;
}

std::optional<QString> ScriptedDialogs::SaveFileName(QWidget* parent, const FileDialogRequest& request) {
  return OpenFileName(parent, request);
}

std::vector<QString> ScriptedDialogs::Texts() const {
  std::vector<QString> texts;
  for (const AskedQuestion& q : asked) texts.push_back(q.text);
  return texts;
}

void WindowTest::SetUp() {
  ASSERT_TRUE(dir_.isValid());
  // A settings file of our own per test, in a folder of our own.
  qputenv("PLOTWEAVE_CONFIG_DIR", QFile::encodeName(Path("config")));
  QDir().mkpath(Path("config"));
  qputenv("HOME", QFile::encodeName(dir_.path()));
  MakeWindow();
}

void WindowTest::TearDown() { DiscardWindow(); }

void WindowTest::MakeWindow() {
  DiscardWindow();
  auto dialogs = std::make_unique<ScriptedDialogs>();
  dialogs_ = dialogs.get();
  window_ = std::make_unique<TFormMain>(std::move(dialogs));
  window_->StartUp({QStringLiteral("plotweave")});
}

void WindowTest::DiscardWindow() {
  if (!window_) return;
  window_->flags().Clear();
  window_->RichEditMain->document()->setModified(false);
  window_->MemoTitle->setModified(false);
  window_.reset();
  dialogs_ = nullptr;
}

QString WindowTest::WriteDocument(const QString& name, const std::vector<std::string>& titles,
                                  const std::vector<std::string>& bodies) {
  Outline outline;
  std::vector<Node*> last_at_level;
  for (size_t i = 0; i < titles.size(); ++i) {
    size_t level = 0;
    while (level < titles[i].size() && titles[i][level] == '\t') ++level;
    Node* parent = level == 0 ? nullptr : last_at_level[level - 1];
    const std::string title = Utf8ToCp932(titles[i].substr(level)).text;
    const int32_t kind = level == 0 ? nkRoot : nkChild;
    Node* node = outline.Append(parent, title, NewNodeData(kind), IconFor(kind, 1));
    if (parent != nullptr && level > 0 && parent->data()->Kind == nkChild)
      SetParentMark(outline, parent);
    if (i < bodies.size() && !bodies[i].empty()) node->data()->SetBody(bodies[i]);
    last_at_level.resize(level);
    last_at_level.push_back(node);
  }
  const QString path = Path(name);
  WriteOptions options;
  EXPECT_TRUE(WriteOutlineFile(QFile::encodeName(path).toStdString(), outline, options).ok);
  return path;
}

void WindowTest::TypeInto(QWidget* pane, const QString& text) {
  pane->setFocus();
  // ASCII arrives as key strokes; everything else as the input method commits it, one
  // character at a time as a Japanese user's conversions arrive.
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c.unicode() >= 0x20 && c.unicode() < 0x7F) {
      QTest::keyClick(pane, c.toLatin1());
      continue;
    }
    QString commit(c);
    if (c.isHighSurrogate() && i + 1 < text.size()) commit += text[++i];
    QInputMethodEvent event;
    event.setCommitString(commit);
    QApplication::sendEvent(pane, &event);
  }
}

std::unique_ptr<Outline> ReadBack(const QString& path) {
  auto outline = std::make_unique<Outline>();
  const ReadResult result =
      ReadOutlineFile(QFile::encodeName(path).toStdString(), ReadTarget::kMainTree, outline.get());
  EXPECT_TRUE(result.status.ok) << result.status.message;
  return outline;
}

std::string BodyText(const Node* node) {
  if (node == nullptr || node->data() == nullptr || !node->data()->Body) return {};
  return Cp932ToUtf8(rich::BodyPlainText(*node->data()->Body)).text;
}

std::string Utf8Title(const Node* node) { return Cp932ToUtf8(node->title()).text; }

}  // namespace pw::test
