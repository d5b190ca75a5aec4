// Hierarchical text through the window: the export prompt's outcomes and the import that
// renames the document.
#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTextEdit>

#include "core/cp932.h"
#include "ui_test_support.h"

namespace pw::test {
namespace {

const QString kSaveFailed = QString::fromUtf8("保存に失敗しました");

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

QByteArray Sjis(const char* utf8) { return QByteArray::fromStdString(Utf8ToCp932(utf8).text); }

using HierTextTest = WindowTest;

TEST_F(HierTextTest, BothCommandsAreEnabled) {
  EXPECT_TRUE(window_->Action(QStringLiteral("MenuSaveOutlineText"))->isEnabled());
  EXPECT_TRUE(window_->Action(QStringLiteral("MenuLoadOutlineText"))->isEnabled());
}

TEST_F(HierTextTest, ExportWritesTheDocumentWithTheSuggestedName) {
  const QString doc =
      WriteDocument(QString::fromUtf8("物語.PWV"), {"Top", "\tScene"}, {"", "{\\rtf1 body\\par}"});
  ASSERT_TRUE(window_->document().OpenDocument(doc, false));
  const QString out = Path(QString::fromUtf8("物語.TXT"));
  dialogs_->file_names.push_back(out);
  window_->exports().MenuSaveOutlineTextClick();
  ASSERT_EQ(dialogs_->file_dialogs.size(), 1u);
  EXPECT_EQ(dialogs_->file_dialogs[0].title, QString::fromUtf8("ｱｳﾄﾗｲﾝﾃｷｽﾄの保存"));
  EXPECT_EQ(dialogs_->file_dialogs[0].default_suffix, QStringLiteral("TXT"));
  EXPECT_EQ(dialogs_->file_dialogs[0].proposed, out);
  EXPECT_TRUE(dialogs_->Texts().empty());
  EXPECT_EQ(FileBytes(out), QByteArray(".Top\r\n\r\n..Scene\r\nbody\r\n\r\n"));
}

TEST_F(HierTextTest, ExportPromptRefusalsAndCancel) {
  struct Case {
    QString chosen;
    std::vector<QString> messages;
  };
  const Case cases[] = {
      {Path(QStringLiteral("out.RTF")), {QString::fromUtf8("ファイル名が無効です"), kSaveFailed}},
      {Path(QStringLiteral("no/such/out.TXT")),
       {QString::fromUtf8("ディレクトリが存在しません"), kSaveFailed}},
  };
  for (const Case& c : cases) {
    dialogs_->asked.clear();
    dialogs_->file_names.push_back(c.chosen);
    window_->exports().MenuSaveOutlineTextClick();
    EXPECT_EQ(dialogs_->Texts(), c.messages) << c.chosen.toStdString();
    EXPECT_FALSE(QFileInfo::exists(c.chosen));
  }
  dialogs_->asked.clear();
  dialogs_->file_names.push_back(std::nullopt);  // cancelled: nothing said
  window_->exports().MenuSaveOutlineTextClick();
  EXPECT_TRUE(dialogs_->Texts().empty());
}

TEST_F(HierTextTest, ImportRenamesTheDocumentAndSelectsTheFirstNode) {
  const QString in = Path(QStringLiteral("notes.TXT"));
  WriteBytes(in, Sjis(".章\r\n本文\r\n...場面\r\n.終\r\n"));
  dialogs_->file_names.push_back(in);
  window_->exports().MenuLoadOutlineTextClick();
  EXPECT_TRUE(dialogs_->Texts().empty());
  EXPECT_EQ(dialogs_->file_dialogs.back().title, QString::fromUtf8("階層付きﾃｷｽﾄﾌｧｲﾙの読み込み"));
  EXPECT_EQ(window_->document().document_name(), Path(QStringLiteral("notes.PWV")));
  EXPECT_EQ(window_->windowTitle(), QString::fromUtf8("notes - Plotweave Ver 3.21"));
  ASSERT_EQ(window_->outline().size(), 3u);
  EXPECT_EQ(window_->outline().NodeAt(1)->level(), 1);  // "..." clamped one level down
  EXPECT_EQ(window_->current_node(), window_->outline().NodeAt(0));
  EXPECT_EQ(window_->MemoTitle->text(), QString::fromUtf8("章"));
  // The body is its lines, each ended: the pane shows an empty last line.
  EXPECT_EQ(window_->RichEditMain->toPlainText(), QString::fromUtf8("本文\n"));
  EXPECT_FALSE(window_->flags().TestModified());

  // The file does not exist yet, so saving proposes that name beside the text file.
  dialogs_->file_names.push_back(Path(QStringLiteral("notes.PWV")));
  window_->document().MenuFileSaveClick();
  ASSERT_EQ(dialogs_->file_dialogs.size(), 2u);
  EXPECT_EQ(dialogs_->file_dialogs[1].proposed, Path(QStringLiteral("notes.PWV")));
  EXPECT_TRUE(QFileInfo::exists(Path(QStringLiteral("notes.PWV"))));
}

TEST_F(HierTextTest, ImportFailuresKeepOrResetTheDocument) {
  const QString doc = WriteDocument(QStringLiteral("kept.PWV"), {"Kept"});
  ASSERT_TRUE(window_->document().OpenDocument(doc, false));
  const QString empty = Path(QStringLiteral("empty.TXT"));
  WriteBytes(empty, QByteArray());
  dialogs_->file_names.push_back(empty);
  window_->exports().MenuLoadOutlineTextClick();
  ASSERT_EQ(dialogs_->Texts().size(), 1u);
  EXPECT_EQ(window_->outline().NodeAt(0)->title(), "Kept");  // nothing changed
  EXPECT_EQ(window_->document().document_name(), doc);

  const QString bad = Path(QStringLiteral("bad.TXT"));
  WriteBytes(bad, Sjis(".A\r\n..  B\r\n"));
  dialogs_->asked.clear();
  dialogs_->file_names.push_back(bad);
  window_->exports().MenuLoadOutlineTextClick();
  EXPECT_EQ(dialogs_->Texts(),
            std::vector<QString>{QString::fromUtf8("アイテム \"B\" の階層 (3) が不正です")});
  ASSERT_EQ(window_->outline().size(), 1u);  // an empty new document
  EXPECT_EQ(window_->outline().NodeAt(0)->title(), "No Title");

  dialogs_->asked.clear();
  dialogs_->file_names.push_back(Path(QStringLiteral("doc.RTF")));
  window_->exports().MenuLoadOutlineTextClick();
  EXPECT_EQ(dialogs_->Texts(), std::vector<QString>{QString::fromUtf8("ファイル名が無効です")});
}

}  // namespace
}  // namespace pw::test
