// The document's life through the real window: new, open, save, save as, the save prompt,
// back-up copies, the read-only refusal, recent files, dropped files and the command line.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTreeView>

#include "core/cp932.h"
#include "ui/common/qt_text.h"
#include "ui/common/tform_progress.h"
#include "ui_test_support.h"

namespace pw::test {
namespace {

const QString kSaveFailed = QString::fromUtf8("保存に失敗しました");
const QString kReadFailed = QString::fromUtf8("ﾌｧｲﾙの読み込みに失敗しました");
const QString kPromptText = QString::fromUtf8("この文書は変更されています\r\n保存しますか？");

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

using LifecycleTest = WindowTest;

TEST_F(LifecycleTest, StartsWithANewDocument) {
  EXPECT_EQ(window_->windowTitle(), QString::fromUtf8("NewFile - Plotweave Ver 3.21"));
  ASSERT_EQ(window_->outline().size(), 1u);
  const Node* root = window_->outline().NodeAt(0);
  EXPECT_EQ(root->title(), "No Title");
  EXPECT_EQ(root->data()->Kind, nkRoot);
  EXPECT_EQ(root->icon(), kIconRoot);
  EXPECT_EQ(window_->current_node(), root);
  EXPECT_EQ(window_->MemoTitle->text(), QStringLiteral("No Title"));
  EXPECT_EQ(QFileInfo(window_->document().document_name()).fileName(),
            QStringLiteral("NewFile.PWV"));
  EXPECT_FALSE(window_->flags().TestModified());
  EXPECT_EQ(window_->StatusPanels[1]->text(), QString::fromUtf8("挿入"));
}

TEST_F(LifecycleTest, SaveOfANewDocumentAsksForANameAndTakesIt) {
  TypeInto(window_->RichEditMain, QString::fromUtf8("本文です"));
  const QString path = Path(QString::fromUtf8("物語.PWV"));
  dialogs_->file_names.push_back(path);
  window_->document().MenuFileSaveClick();
  ASSERT_EQ(dialogs_->file_dialogs.size(), 1u);
  EXPECT_EQ(dialogs_->file_dialogs[0].title, QString::fromUtf8("ﾌｧｲﾙの保存"));
  EXPECT_EQ(dialogs_->file_dialogs[0].default_suffix, QStringLiteral("PWV"));
  EXPECT_EQ(window_->document().document_name(), path);
  EXPECT_EQ(window_->windowTitle(), QString::fromUtf8("物語 - Plotweave Ver 3.21"));
  EXPECT_FALSE(window_->flags().TestModified());
  auto saved = ReadBack(path);
  EXPECT_EQ(BodyText(saved->NodeAt(0)), "本文です");
  // The next save writes under the name without asking.
  TypeInto(window_->RichEditMain, QStringLiteral("!"));
  window_->document().MenuFileSaveClick();
  EXPECT_EQ(dialogs_->file_dialogs.size(), 1u);
  EXPECT_EQ(BodyText(ReadBack(path)->NodeAt(0)), "本文です!");
}

TEST_F(LifecycleTest, SaveAsRefusesOtherExtensionsAndMissingFolders) {
  struct Case {
    QString name;
    std::vector<QString> messages;
  };
  const Case cases[] = {
      {Path("story.txt"), {QString::fromUtf8("ファイル名が無効です"), kSaveFailed}},
      {Path("no/such/folder/story.PWV"),
       {QString::fromUtf8("ディレクトリが存在しません"), kSaveFailed}},
  };
  for (const Case& c : cases) {
    dialogs_->asked.clear();
    dialogs_->file_names.push_back(c.name);
    window_->document().MenuFileSaveAsClick();
    EXPECT_EQ(dialogs_->Texts(), c.messages) << c.name.toStdString();
    EXPECT_FALSE(QFileInfo::exists(c.name));
    EXPECT_EQ(QFileInfo(window_->document().document_name()).fileName(),
              QStringLiteral("NewFile.PWV"));
  }
}

TEST_F(LifecycleTest, SavePromptAnswers) {
  struct Case {
    const char* name;
    DialogAnswer answer;
    bool give_file_name;
    bool new_document_started;
    bool file_written;
  };
  const Case cases[] = {
      {"yes", DialogAnswer::kYes, true, true, true},
      {"yes but the name dialog is cancelled", DialogAnswer::kYes, false, false, false},
      {"no", DialogAnswer::kNo, false, true, false},
      {"cancel", DialogAnswer::kCancel, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MakeWindow();
    const QString path = Path(QStringLiteral("prompt-%1.PWV").arg(c.name[0]));
    QFile::remove(path);
    window_->MemoTitle->setFocus();
    window_->MemoTitle->selectAll();
    TypeInto(window_->MemoTitle, QString::fromUtf8("第一章"));
    dialogs_->answers.push_back(c.answer);
    if (c.give_file_name) dialogs_->file_names.push_back(path);
    window_->document().MenuFileNewClick();
    ASSERT_FALSE(dialogs_->asked.empty());
    EXPECT_EQ(dialogs_->asked[0].caption, QString::fromUtf8("ﾌｧｲﾙの保存"));
    EXPECT_EQ(dialogs_->asked[0].text, kPromptText);
    EXPECT_EQ(dialogs_->asked[0].buttons, DialogButtons::kYesNoCancel);
    EXPECT_EQ(dialogs_->asked[0].icon, DialogIcon::kWarning);
    const std::string title = Utf8Title(window_->outline().NodeAt(0));
    EXPECT_EQ(title, c.new_document_started ? "No Title" : "第一章");
    EXPECT_EQ(QFileInfo::exists(path), c.file_written);
    if (c.file_written) {
      EXPECT_EQ(Utf8Title(ReadBack(path)->NodeAt(0)), "第一章");
    }
  }
}

TEST_F(LifecycleTest, UnmodifiedDocumentIsNotPromptedFor) {
  window_->document().MenuFileNewClick();
  EXPECT_TRUE(dialogs_->asked.empty());
}

TEST_F(LifecycleTest, BackUpCopyOnlyWhenOverwritingTheSameFile) {
  window_->settings().MakeBak = true;
  const QString path = WriteDocument(QStringLiteral("bak.PWV"), {"one"});
  const QByteArray original = FileBytes(path);
  ASSERT_TRUE(window_->document().OpenDocument(path, true));
  TypeInto(window_->RichEditMain, QStringLiteral("changed"));
  window_->document().MenuFileSaveClick();
  EXPECT_EQ(FileBytes(Path("bak.BAK")), original);
  EXPECT_NE(FileBytes(path), original);

  // Save as under the same name makes a copy; under a new name none.
  QFile::remove(Path("bak.BAK"));
  dialogs_->file_names.push_back(path);
  window_->document().MenuFileSaveAsClick();
  EXPECT_TRUE(QFileInfo::exists(Path("bak.BAK")));
  dialogs_->file_names.push_back(Path("other.PWV"));
  window_->document().MenuFileSaveAsClick();
  EXPECT_FALSE(QFileInfo::exists(Path("other.BAK")));

  // With UseBakDir the copy goes to BackDir.
  QDir().mkpath(Path("backups"));
  window_->settings().UseBakDir = true;
  window_->settings().BackDir = Path("backups/").toStdString();
  window_->document().MenuFileSaveClick();
  EXPECT_TRUE(QFileInfo::exists(Path("backups/other.BAK")));
  EXPECT_TRUE(dialogs_->asked.empty());
}

TEST_F(LifecycleTest, ReadOnlyDocumentIsNotOverwritten) {
  const QString path = WriteDocument(QStringLiteral("ro.PWV"), {"one"});
  ASSERT_TRUE(window_->document().OpenDocument(path, true));
  TypeInto(window_->RichEditMain, QStringLiteral("x"));
  QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
  const QByteArray before = FileBytes(path);
  window_->document().MenuFileSaveClick();
  ASSERT_EQ(dialogs_->asked.size(), 1u);
  EXPECT_EQ(dialogs_->asked[0].caption, QString::fromUtf8("上書き保存できません"));
  EXPECT_EQ(
      dialogs_->asked[0].text,
      QString::fromUtf8("このファイルは読み取り専用ファイルです。\r\n上書き保存は出来ません。\r\n"
                        "別のファイル名で保存してください。"));
  EXPECT_EQ(FileBytes(path), before);
  EXPECT_TRUE(window_->flags().TestModified());
  QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST_F(LifecycleTest, OpenTakesTheStoredSelectionAndCaption) {
  const QString path =
      WriteDocument(QString::fromUtf8("長い物語.PWV"), {"第一部", "\t第一章", "\t第二章"});
  dialogs_->file_names.push_back(path);
  window_->document().MenuFileOpenClick();
  ASSERT_EQ(dialogs_->file_dialogs.size(), 1u);
  EXPECT_EQ(dialogs_->file_dialogs[0].title, QString::fromUtf8("ﾌｧｲﾙの読み込み"));
  EXPECT_EQ(window_->windowTitle(), QString::fromUtf8("長い物語 - Plotweave Ver 3.21"));
  EXPECT_EQ(window_->outline().size(), 3u);
  EXPECT_EQ(window_->current_node(), window_->outline().NodeAt(0));
  EXPECT_EQ(window_->previous_node(), nullptr);
  EXPECT_TRUE(window_->menuBar()->isEnabled());
}

TEST_F(LifecycleTest, FailedOpenKeepsTheOpenDocument) {
  const QString good = WriteDocument(QStringLiteral("good.PWV"), {"keep me"});
  ASSERT_TRUE(window_->document().OpenDocument(good, true));
  QFile bad(Path("bad.PWV"));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("\x03\x00\x00garbage that is no document", 30);
  bad.close();
  EXPECT_FALSE(window_->document().OpenDocument(Path("bad.PWV"), true));
  EXPECT_EQ(dialogs_->Texts(), std::vector<QString>{kReadFailed});
  EXPECT_EQ(window_->document().document_name(), good);
  EXPECT_EQ(Utf8Title(window_->outline().NodeAt(0)), "keep me");
  EXPECT_EQ(window_->current_node(), window_->outline().NodeAt(0));
}

TEST_F(LifecycleTest, OpenRefusesOtherExtensions) {
  dialogs_->file_names.push_back(Path("notes.txt"));
  window_->document().MenuFileOpenClick();
  EXPECT_EQ(dialogs_->Texts(), std::vector<QString>{QString::fromUtf8("ファイル名が無効です")});
}

TEST_F(LifecycleTest, EmptyFileOpensAsANewDocumentWithItsName) {
  QFile empty(Path("empty.PWV"));
  ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
  empty.close();
  ASSERT_TRUE(window_->document().OpenDocument(Path("empty.PWV"), true));
  EXPECT_EQ(window_->outline().size(), 1u);
  EXPECT_EQ(window_->outline().NodeAt(0)->title(), "No Title");
  EXPECT_EQ(window_->windowTitle(), QString::fromUtf8("empty - Plotweave Ver 3.21"));
  window_->document().MenuFileSaveClick();
  EXPECT_TRUE(dialogs_->file_dialogs.empty());
  EXPECT_GT(QFileInfo(Path("empty.PWV")).size(), 0);
}

TEST_F(LifecycleTest, ExistingNewFileStillAsksForAName) {
  const QString path = WriteDocument(QStringLiteral("NewFile.PWV"), {"x"});
  ASSERT_TRUE(window_->document().OpenDocument(path, true));
  window_->document().MenuFileSaveClick();
  EXPECT_EQ(dialogs_->file_dialogs.size(), 1u);
}

TEST_F(LifecycleTest, RecentFilesListAndMenus) {
  std::vector<QString> paths;
  for (int i = 0; i < 11; ++i) {
    paths.push_back(WriteDocument(QStringLiteral("r%1.PWV").arg(i), {"n"}));
    ASSERT_TRUE(window_->document().OpenDocument(paths.back(), true));
  }
  const RecentList& history = window_->settings().History;
  ASSERT_EQ(history.size(), 10u);
  EXPECT_EQ(QString::fromStdString(history[0]), paths[10]);
  EXPECT_EQ(QString::fromStdString(history[9]), paths[1]);
  // Both menus show "&<i> <path>", newest first.
  ASSERT_EQ(window_->PopupMenuFileOpen->actions().size(), 10);
  EXPECT_EQ(window_->PopupMenuFileOpen->actions()[0]->text(), QStringLiteral("&0 ") + paths[10]);
  const QList<QAction*> file_items = window_->MenuFile->actions();
  EXPECT_EQ(file_items.back()->text(), QStringLiteral("&9 ") + paths[1]);
  // The entries follow the last separator, after "終了(&X)".
  EXPECT_TRUE(file_items[file_items.size() - 11]->isSeparator());
  EXPECT_EQ(file_items[file_items.size() - 12]->text(), QString::fromUtf8("終了(&X)"));

  // Choosing an entry opens it and moves it up; a vanished file is dropped silently.
  window_->document().OpenRecentFile(3);
  EXPECT_EQ(window_->document().document_name(), paths[7]);
  EXPECT_EQ(QString::fromStdString(history[0]), paths[7]);
  QFile::remove(paths[5]);
  const size_t gone = history.Find(paths[5].toStdString());
  ASSERT_NE(gone, std::string::npos);
  window_->document().OpenRecentFile(static_cast<int>(gone));
  EXPECT_EQ(history.size(), 9u);
  EXPECT_EQ(window_->PopupMenuFileOpen->actions().size(), 9);
  EXPECT_TRUE(dialogs_->asked.empty());
}

TEST_F(LifecycleTest, RecentEntryChosenAfterSavingInThePromptOpensThatEntry) {
  const QString wanted = WriteDocument(QStringLiteral("wanted.PWV"), {"wanted"});
  const QString current = WriteDocument(QStringLiteral("current.PWV"), {"current"});
  ASSERT_TRUE(window_->document().OpenDocument(wanted, true));
  ASSERT_TRUE(window_->document().OpenDocument(Path("current.PWV"), true));
  // History: current, wanted. Saving current in the prompt keeps it on top; a new name
  // would push the wanted entry down one place.
  TypeInto(window_->RichEditMain, QStringLiteral("edit"));
  dialogs_->answers.push_back(DialogAnswer::kYes);
  QFile::remove(current);  // the save then asks for a name
  dialogs_->file_names.push_back(Path("renamed.PWV"));
  window_->document().OpenRecentFile(1);
  EXPECT_EQ(window_->document().document_name(), wanted);
  EXPECT_EQ(QString::fromStdString(window_->settings().History[0]), wanted);
  EXPECT_TRUE(QFileInfo::exists(Path("renamed.PWV")));
}

TEST_F(LifecycleTest, DroppedTextFileReplacesTheBodyAfterAsking) {
  QFile text(Path("note.TXT"));
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.write(QByteArray::fromStdString(Utf8ToCp932("一行目\r\n二行目").text));
  text.close();
  TypeInto(window_->RichEditMain, QStringLiteral("old"));
  dialogs_->answers.push_back(DialogAnswer::kNo);
  window_->document().DropFiles({Path("note.TXT")});
  EXPECT_EQ(window_->RichEditMain->toPlainText(), QStringLiteral("old"));
  ASSERT_EQ(dialogs_->asked.size(), 1u);
  EXPECT_EQ(dialogs_->asked[0].caption, QString::fromUtf8("ﾌｧｲﾙから取り込み"));
  EXPECT_EQ(dialogs_->asked[0].text,
            QString::fromUtf8(
                "現在のノードの内容を上書きしてファイルを読み込みます\r\nよろしいですか？"));
  EXPECT_EQ(dialogs_->asked[0].buttons, DialogButtons::kYesNo);
  dialogs_->answers.push_back(DialogAnswer::kYes);
  window_->document().DropFiles({Path("note.TXT"), Path("ignored.PWV"), Path("ignored2.PWV")});
  EXPECT_EQ(window_->RichEditMain->toPlainText(), QString::fromUtf8("一行目\n二行目"));
  // The body goes into the node with the next store.
  window_->StoreCurrentNode();
  EXPECT_EQ(BodyText(window_->current_node()), "一行目\r\n二行目");
  EXPECT_TRUE(window_->flags().BodyModified);
}

TEST_F(LifecycleTest, DroppedRtfFileLoadsAsRichText) {
  QFile rtf(Path("body.rtf"));
  ASSERT_TRUE(rtf.open(QIODevice::WriteOnly));
  rtf.write(
      "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fnil\\fcharset128 Gothic;}}\\f0\\fs20 \\b "
      "bold\\b0  plain\\par}");
  rtf.close();
  dialogs_->answers.push_back(DialogAnswer::kYes);
  window_->document().DropFiles({Path("body.rtf")});
  EXPECT_EQ(window_->RichEditMain->toPlainText().trimmed(), QStringLiteral("bold plain"));
}

TEST_F(LifecycleTest, DroppedDocumentOpensAfterThePrompt) {
  const QString path = WriteDocument(QStringLiteral("dropped.pwv"), {"dropped"});
  window_->document().DropFiles({path});
  EXPECT_EQ(window_->document().document_name(), path);
  EXPECT_EQ(Utf8Title(window_->outline().NodeAt(0)), "dropped");
  EXPECT_EQ(QString::fromStdString(window_->settings().History[0]), path);
}

TEST_F(LifecycleTest, OtherDroppedFilesInsertALinkWithTheWholePath) {
  // Longer than the 254 bytes an old path buffer held: nothing is cut.
  QString long_name = Path(QString(200, QLatin1Char('d')) + QLatin1Char('/') +
                           QString(100, QChar(0x3042)) + QStringLiteral(".png"));
  TypeInto(window_->RichEditMain, QStringLiteral("see "));
  window_->document().DropFiles({long_name});
  EXPECT_EQ(window_->RichEditMain->toPlainText(),
            QStringLiteral("see <#") + long_name + QStringLiteral("#>"));
  EXPECT_TRUE(dialogs_->asked.empty());
}

TEST_F(LifecycleTest, CommandLine) {
  const QString path =
      WriteDocument(QStringLiteral("cmd.PWV"), {"from the command line", "\tchild"});
  struct Case {
    QString argument;
    std::string first_title;
    std::vector<QString> messages;
  };
  const Case cases[] = {
      {path, "from the command line", {}},
      {Path("cmd.txt"), "No Title", {}},
      {Path("missing.PWV"), "No Title", {kReadFailed}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.argument.toStdString());
    DiscardWindow();
    auto dialogs = std::make_unique<ScriptedDialogs>();
    dialogs_ = dialogs.get();
    window_ = std::make_unique<TFormMain>(std::move(dialogs));
    window_->StartUp({QStringLiteral("plotweave"), c.argument});
    EXPECT_EQ(Utf8Title(window_->outline().NodeAt(0)), c.first_title);
    EXPECT_EQ(dialogs_->Texts(), c.messages);
    EXPECT_EQ(window_->document().document_name() == path, c.first_title != "No Title");
  }
}

TEST_F(LifecycleTest, ClosingIsRefusedWhileTheProgressWindowShows) {
  TypeInto(window_->RichEditMain, QStringLiteral("unsaved"));
  window_->FormProgress->Begin("busy", 10);
  EXPECT_FALSE(window_->close());
  EXPECT_TRUE(dialogs_->asked.empty());
  window_->FormProgress->End();
  dialogs_->answers.push_back(DialogAnswer::kCancel);
  EXPECT_FALSE(window_->close());
  ASSERT_EQ(dialogs_->asked.size(), 1u);
  EXPECT_EQ(dialogs_->asked[0].caption, QString::fromUtf8("Plotweaveﾌｧｲﾙの保存"));
  dialogs_->answers.push_back(DialogAnswer::kNo);
  EXPECT_TRUE(window_->close());
}

TEST_F(LifecycleTest, ADocumentHeldByAnotherWindowIsOpenedWithAWarning) {
  const QString path = WriteDocument(QStringLiteral("shared.PWV"), {"shared"});
  ASSERT_TRUE(window_->document().OpenDocument(path, true));
  EXPECT_TRUE(dialogs_->asked.empty());
  auto other_dialogs = std::make_unique<ScriptedDialogs>();
  ScriptedDialogs* other_asked = other_dialogs.get();
  TFormMain other(std::move(other_dialogs));
  other.StartUp({QStringLiteral("plotweave"), path});
  EXPECT_EQ(other.document().document_name(), path);
  ASSERT_EQ(other_asked->asked.size(), 1u);
  EXPECT_EQ(other_asked->asked[0].icon, DialogIcon::kWarning);
  // Once the first window lets go, the document opens without a word.
  window_->document().MenuFileNewClick();
  other_asked->asked.clear();
  ASSERT_TRUE(other.document().OpenDocument(path, true));
  EXPECT_TRUE(other_asked->asked.empty());
}

TEST_F(LifecycleTest, MinimiseAndMaximiseWaitForTheEndOfALongOperation) {
  window_->show();
  window_->FormProgress->Begin("busy", 3);
  window_->setWindowState(Qt::WindowMaximized);
  QApplication::processEvents();
  EXPECT_FALSE(window_->isMaximized());
  window_->FormProgress->End();
  window_->setWindowState(Qt::WindowMaximized);
  QApplication::processEvents();
  EXPECT_TRUE(window_->isMaximized());
}

TEST_F(LifecycleTest, ProgressLetsEventsRunAFewTimesPerFrameNotPerNode) {
  window_->show();
  QElapsedTimer clock;
  clock.start();
  window_->FormProgress->Begin("steps", 200000);
  EXPECT_TRUE(window_->Busy());
  for (int i = 0; i < 200000; ++i) window_->FormProgress->Step();
  window_->FormProgress->End();
  EXPECT_FALSE(window_->Busy());
  EXPECT_EQ(window_->FormProgress->position(), 200000u);
  // At most one run per 30 ms, plus the one when the window appears.
  EXPECT_LE(window_->FormProgress->event_runs(), clock.elapsed() / 30 + 2);
}

TEST_F(LifecycleTest, HelpShowsTheJapaneseHelpPage) {
  window_->help().MenuHelpContentsClick();
  auto* browser = window_->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
  ASSERT_NE(browser, nullptr);
  EXPECT_TRUE(browser->toPlainText().contains(QString::fromUtf8("目次")));
}

}  // namespace
}  // namespace pw::test
