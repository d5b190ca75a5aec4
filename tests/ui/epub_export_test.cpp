// The EPUB export through the window: the menu entry, the options dialog's presets (title by
// scope, chapter numbers from the stored text format, the offered scopes), the file prompt,
// and what reaches the book's package document.
#include <libdeflate.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>

#include "export/text_format.h"
#include "platform/paths.h"
#include "ui/export/epub_commands.h"
#include "ui/export/tform_epub_options.h"
#include "ui_test_support.h"

namespace pw::test {
namespace {

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

uint32_t Get16(const QByteArray& z, qsizetype at) {
  return static_cast<uint8_t>(z[at]) | static_cast<uint8_t>(z[at + 1]) << 8;
}
uint32_t Get32(const QByteArray& z, qsizetype at) { return Get16(z, at) | Get16(z, at + 2) << 16; }

// One file of an EPUB, found through the archive's central directory.
std::string EntryOf(const QByteArray& zip, const std::string& name) {
  if (zip.size() < 22) return {};
  const qsizetype end = zip.size() - 22;
  qsizetype at = Get32(zip, end + 16);
  for (uint32_t i = 0, n = Get16(zip, end + 10); i < n; ++i) {
    const uint32_t name_size = Get16(zip, at + 28);
    const uint32_t packed = Get32(zip, at + 20), size = Get32(zip, at + 24);
    const qsizetype local = Get32(zip, at + 42);
    if (zip.mid(at + 46, name_size).toStdString() == name) {
      const qsizetype data = local + 30 + Get16(zip, local + 26) + Get16(zip, local + 28);
      std::string out(size, '\0');
      libdeflate_decompressor* d = libdeflate_alloc_decompressor();
      const bool ok = libdeflate_deflate_decompress(d, zip.constData() + data, packed, out.data(),
                                                    size, nullptr) == LIBDEFLATE_SUCCESS;
      libdeflate_free_decompressor(d);
      return ok ? out : std::string();
    }
    at += 46 + name_size + Get16(zip, at + 30) + Get16(zip, at + 32);
  }
  return {};
}

// Answers the options dialog from the event loop once it shows: records what it preset, then
// lets `answer` set its controls and press a button.
struct OptionsScript {
  bool shown = false;
  EpubChoices preset;
  bool selected_enabled = false;
  bool subtree_enabled = false;
  void Answer(std::function<void(TFormEpubOptions*)> answer) {
    QTimer::singleShot(0, [this, answer] {
      auto* dialog = qobject_cast<TFormEpubOptions*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      shown = true;
      preset = dialog->Choices();
      selected_enabled = dialog->RadioButtonSelected->isEnabled();
      subtree_enabled = dialog->RadioButtonSubtree->isEnabled();
      answer(dialog);
    });
  }
};

class EpubExportTest : public WindowTest {
 protected:
  void OpenStory() {
    const QString doc = WriteDocument(
        QString::fromUtf8("星の町.PWV"), {"星の町", "\t第一章", "\t\t駅前", "\t第二章"},
        {"", "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 x;}}\\f0 \\'8a\\'bf\\'8e\\'9a\\'81\\'73\\'82\\'a9\\'82\\'f1\\'82\\'b6\\'81\\'74\\par}",
         "", ""});
    ASSERT_TRUE(window_->document().OpenDocument(doc, false));
  }
};

TEST_F(EpubExportTest, TheCommandSitsInTheExportMenuAndIsEnabled) {
  QAction* action = window_->Action(QStringLiteral("MenuSaveEPUB"));
  ASSERT_NE(action, nullptr);
  EXPECT_EQ(action->text(), QString::fromUtf8("EPUBﾌｧｲﾙに書き出し(&B)..."));
  EXPECT_TRUE(action->isEnabled());
  auto* menu = window_->findChild<QMenu*>(QStringLiteral("MenuFileSaveSub"));
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(menu->actions().contains(action));
}

TEST_F(EpubExportTest, PresetsFollowTheScopeAndTheStoredTextFormat) {
  TextFormat stored = DefaultTextFormat();
  stored.chapter_numbers = true;
  ASSERT_TRUE(SaveTextFormatFile(ProgramFolderFile(kDefaultTextFormatFile), stored));
  OpenStory();
  window_->SelectNode(window_->outline().NodeAt(3));  // 第二章, no children
  OptionsScript script;
  std::string title_for_node;
  script.Answer([&](TFormEpubOptions* d) {
    d->RadioButtonSelected->setChecked(true);
    title_for_node = d->EditTitle->text().toStdString();
    d->ButtonCancel->click();
  });
  window_->epub().MenuSaveEPUBClick();
  ASSERT_TRUE(script.shown);
  EXPECT_TRUE(script.preset.vertical);
  EXPECT_EQ(script.preset.scope, ExportScope::kAll);
  EXPECT_EQ(script.preset.title, "星の町");
  EXPECT_TRUE(script.preset.chapter_numbers);
  EXPECT_TRUE(script.selected_enabled);
  EXPECT_FALSE(script.subtree_enabled);
  EXPECT_EQ(title_for_node, "第二章");
  EXPECT_TRUE(dialogs_->file_dialogs.empty()) << "cancelled before the file prompt";
}

TEST_F(EpubExportTest, ChoicesReachTheBookAndAreKeptForTheNextExport) {
  OpenStory();
  window_->SelectNode(window_->outline().NodeAt(1));  // 第一章, with a child
  const QString out = Path(QString::fromUtf8("星の町.epub"));
  dialogs_->file_names.push_back(out);
  OptionsScript script;
  script.Answer([](TFormEpubOptions* d) {
    d->RadioButtonHorizontal->setChecked(true);
    d->RadioButtonSubtree->setChecked(true);
    d->EditAuthor->setText(QString::fromUtf8("水瀬 & 湊"));
    d->CheckBoxChapterON->setChecked(true);
    d->ButtonOK->click();
  });
  window_->epub().MenuSaveEPUBClick();
  ASSERT_TRUE(script.shown);
  EXPECT_TRUE(script.subtree_enabled);
  ASSERT_EQ(dialogs_->file_dialogs.size(), 1u);
  EXPECT_EQ(dialogs_->file_dialogs[0].title, QString::fromUtf8("EPUBﾌｧｲﾙの保存"));
  EXPECT_EQ(dialogs_->file_dialogs[0].default_suffix, QStringLiteral("epub"));
  EXPECT_EQ(dialogs_->file_dialogs[0].proposed, out);
  EXPECT_TRUE(dialogs_->Texts().empty());

  const QByteArray book = FileBytes(out);
  EXPECT_EQ(book.mid(30, 28), QByteArray("mimetypeapplication/epub+zip"));
  const std::string opf = EntryOf(book, "OEBPS/content.opf");
  EXPECT_NE(opf.find("<dc:title>第一章</dc:title>"), std::string::npos) << opf;
  EXPECT_NE(opf.find("<dc:creator>水瀬 &amp; 湊</dc:creator>"), std::string::npos);
  EXPECT_NE(opf.find("page-progression-direction=\"ltr\""), std::string::npos);
  const std::string first = EntryOf(book, "OEBPS/text/p0001.xhtml");
  EXPECT_NE(first.find("<h1 id=\"n1\">1-1 第一章</h1>\n<p><ruby>漢字<rt>かんじ</rt></ruby></p>"),
            std::string::npos)
      << first;
  EXPECT_EQ(EntryOf(book, "OEBPS/nav.xhtml").find("星の町"), std::string::npos)
      << "only the subtree";

  // The next export starts with the direction and author chosen last.
  OptionsScript again;
  again.Answer([](TFormEpubOptions* d) { d->ButtonCancel->click(); });
  window_->epub().MenuSaveEPUBClick();
  ASSERT_TRUE(again.shown);
  EXPECT_FALSE(again.preset.vertical);
  EXPECT_EQ(again.preset.author, "水瀬 & 湊");
}

TEST_F(EpubExportTest, RefusedNamesAndFailedWritesAreReported) {
  OpenStory();
  const struct {
    QString chosen;
    std::vector<QString> messages;
  } cases[] = {
      {Path(QStringLiteral("book.TXT")),
       {QString::fromUtf8("ファイル名が無効です"), QString::fromUtf8("保存に失敗しました")}},
      {Path(QStringLiteral("no/such/book.epub")),
       {QString::fromUtf8("ディレクトリが存在しません"), QString::fromUtf8("保存に失敗しました")}},
  };
  for (const auto& c : cases) {
    dialogs_->asked.clear();
    dialogs_->file_names.push_back(c.chosen);
    OptionsScript script;
    script.Answer([](TFormEpubOptions* d) { d->ButtonOK->click(); });
    window_->epub().MenuSaveEPUBClick();
    EXPECT_EQ(dialogs_->Texts(), c.messages) << c.chosen.toStdString();
    EXPECT_FALSE(QFileInfo::exists(c.chosen));
  }
}

}  // namespace
}  // namespace pw::test
