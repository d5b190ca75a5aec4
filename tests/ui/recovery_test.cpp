// The window's part in surviving crashes and bad files: the recovery copy written while the
// document has unsaved changes, offered at the next start; the reasons behind failed opens and
// saves; huge titles in the tree.
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>
#include <QTextEdit>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "core/outline_file.h"
#include "core/recovery_copy.h"
#include "ui/common/qt_text.h"
#include "ui/document/outline_model.h"
#include "ui_test_support.h"

namespace pw::test {
namespace {

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class RecoveryTest : public WindowTest {
 protected:
  QString RecoveryDir() const { return Path("config/recovery"); }
  QStringList CopiesOnDisk() const {
    return QDir(RecoveryDir()).entryList({QStringLiteral("*.PWV")}, QDir::Files);
  }
  // Opens `path`, types into the body and waits until the copy has been written.
  void EditAndWaitForCopy(const QString& path, const QString& typed) {
    ASSERT_TRUE(window_->document().OpenDocument(path, true));
    window_->document().set_recovery_interval_ms(20);
    TypeInto(window_->RichEditMain, typed);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !CopiesOnDisk().isEmpty(); }, 5000));
  }
  // A fresh window started as the program starts, with `answers` for its questions.
  void Restart(std::vector<DialogAnswer> answers) {
    DiscardWindow();
    auto dialogs = std::make_unique<ScriptedDialogs>();
    dialogs_ = dialogs.get();
    for (DialogAnswer a : answers) dialogs_->answers.push_back(a);
    window_ = std::make_unique<TFormMain>(std::move(dialogs));
    window_->StartUp({QStringLiteral("plotweave")});
  }
};

TEST_F(RecoveryTest, EditingWritesACopyThatASaveRemoves) {
  // A node with a body: the pane then shows a document of its own.
  const QString path =
      WriteDocument(QStringLiteral("物語.PWV"), {"one", "\ttwo"}, {"{\\rtf1\\ansi first}"});
  EditAndWaitForCopy(path, QStringLiteral("typed "));
  const RecoveryCopy* copy = window_->document().recovery_copy();
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->document_path(), LocalPath(path));
  // The copy is a whole document holding what the body pane holds, and the document itself
  // is untouched.
  std::unique_ptr<Outline> read = ReadBack(QFile::decodeName(copy->copy_path().c_str()));
  ASSERT_TRUE(read);
  EXPECT_EQ(read->size(), 2u);
  EXPECT_EQ(BodyText(read->NodeAt(0)), "typed first");
  EXPECT_EQ(BodyText(ReadBack(path)->NodeAt(0)), "first");
  EXPECT_TRUE(dialogs_->asked.empty());
  // A clean save leaves nothing to recover.
  window_->document().MenuFileSaveClick();
  EXPECT_TRUE(CopiesOnDisk().isEmpty());
  EXPECT_EQ(window_->document().recovery_copy(), nullptr);
  // Nor does a close whose prompt is answered No.
  TypeInto(window_->RichEditMain, QStringLiteral("more"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !CopiesOnDisk().isEmpty(); }, 5000));
  dialogs_->answers.push_back(DialogAnswer::kNo);
  EXPECT_TRUE(window_->close());
  EXPECT_TRUE(CopiesOnDisk().isEmpty());
}

TEST_F(RecoveryTest, NoCopyWithoutUnsavedChanges) {
  const QString path = WriteDocument(QStringLiteral("a.PWV"), {"one", "two"});
  ASSERT_TRUE(window_->document().OpenDocument(path, true));
  window_->document().set_recovery_interval_ms(20);
  // Moving through the tree reloads the panes but changes nothing.
  window_->SelectNode(window_->outline().NodeAt(1));
  window_->SelectNode(window_->outline().NodeAt(0));
  QTest::qWait(100);
  EXPECT_TRUE(CopiesOnDisk().isEmpty());
}

// The copy is written between events; a change of the tree's shape in between abandons it, and
// the copy written a moment later holds the change.
TEST_F(RecoveryTest, AChangeOfShapeDuringACopyStartsItAgain) {
  const QString path = WriteDocument(QStringLiteral("c.PWV"), {"one", "two"});
  ASSERT_TRUE(window_->document().OpenDocument(path, true));
  window_->document().set_recovery_interval_ms(3600 * 1000);  // only the copy started here
  TypeInto(window_->RichEditMain, QStringLiteral("x"));
  window_->document().WriteRecoveryCopy();
  ASSERT_TRUE(window_->document().writing_recovery_copy());
  window_->outline().Append(nullptr, "three", NewNodeData(nkRoot), 1);
  EXPECT_FALSE(window_->document().writing_recovery_copy());
  EXPECT_TRUE(CopiesOnDisk().isEmpty());
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return !CopiesOnDisk().isEmpty() && !window_->document().writing_recovery_copy(); },
      5000));
  std::unique_ptr<Outline> read =
      ReadBack(QFile::decodeName(window_->document().recovery_copy()->copy_path().c_str()));
  ASSERT_TRUE(read);
  EXPECT_EQ(read->size(), 3u);
}

TEST_F(RecoveryTest, YesAtStartUpOpensTheCopyAsTheUnsavedDocument) {
  const QString path = WriteDocument(QString::fromUtf8("長い物語.PWV"), {"one", "\ttwo"});
  EditAndWaitForCopy(path, QStringLiteral("unsaved work"));
  // A second window while the first still edits: the copy is the first one's, not offered.
  {
    auto dialogs = std::make_unique<ScriptedDialogs>();
    ScriptedDialogs* asked = dialogs.get();
    TFormMain other(std::move(dialogs));
    other.StartUp({QStringLiteral("plotweave")});
    EXPECT_TRUE(asked->asked.empty());
  }
  Restart({DialogAnswer::kYes});  // the first window went without closing, as in a crash
  ASSERT_EQ(dialogs_->asked.size(), 1u);
  EXPECT_EQ(dialogs_->asked[0].caption, QStringLiteral("Plotweave"));
  EXPECT_EQ(dialogs_->asked[0].buttons, DialogButtons::kYesNo);
  EXPECT_TRUE(dialogs_->asked[0].text.contains(path));
  EXPECT_TRUE(dialogs_->asked[0].text.contains(QString::fromUtf8("復元しますか？")));
  EXPECT_EQ(window_->document().document_name(), path);
  EXPECT_EQ(window_->windowTitle(), QString::fromUtf8("長い物語 - Plotweave Ver 3.21"));
  EXPECT_EQ(BodyText(window_->outline().NodeAt(0)), "unsaved work");
  EXPECT_TRUE(window_->flags().TestModified());
  EXPECT_NE(window_->document().recovery_copy(), nullptr);
  // Saving puts it where it belongs and the copy goes.
  window_->document().MenuFileSaveClick();
  EXPECT_EQ(BodyText(ReadBack(path)->NodeAt(0)), "unsaved work");
  EXPECT_TRUE(CopiesOnDisk().isEmpty());
}

TEST_F(RecoveryTest, NoKeepsTheCopyForOneMoreStart) {
  const QString path = WriteDocument(QStringLiteral("b.PWV"), {"one"});
  EditAndWaitForCopy(path, QStringLiteral("x"));
  for (int start = 0; start < 2; ++start) {
    SCOPED_TRACE(start);
    Restart({DialogAnswer::kNo});
    ASSERT_EQ(dialogs_->asked.size(), 1u);
    EXPECT_EQ(dialogs_->asked[0].text.contains(QString::fromUtf8("削除します")), start == 1);
    EXPECT_EQ(Utf8Title(window_->outline().NodeAt(0)), "No Title");
    EXPECT_FALSE(window_->flags().TestModified());
  }
  Restart({});
  EXPECT_TRUE(dialogs_->asked.empty());
  EXPECT_TRUE(CopiesOnDisk().isEmpty());
}

TEST_F(RecoveryTest, AFailedSaveShowsTheSystemsReason) {
  const QString path = WriteDocument(QStringLiteral("big.PWV"), {"one"});
  ASSERT_TRUE(window_->document().OpenDocument(path, true));
  TypeInto(window_->RichEditMain, QString(3000, QLatin1Char('x')));
  struct rlimit old_limit;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old_limit), 0);
  auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit limit = old_limit;
  limit.rlim_cur = 1024;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
  window_->document().MenuFileSaveClick();
  ::setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_EQ(dialogs_->Texts(), std::vector<QString>{QString::fromUtf8("保存に失敗しました\r\n") +
                                                    QString::fromUtf8(std::strerror(EFBIG))});
  EXPECT_TRUE(window_->flags().TestModified());
}

// A disk that fills up during the save: a small file system of its own (only root may mount
// one), the space left taken by another file.
TEST_F(RecoveryTest, ASaveIntoAFullDiskShowsTheSystemsReasonAndLeavesNoTrace) {
  if (::geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
  const QString folder = Path(QStringLiteral("full"));
  ASSERT_TRUE(QDir().mkpath(folder));
  const QByteArray mount_point = QFile::encodeName(folder);
  if (::mount("tmpfs", mount_point.constData(), "tmpfs", 0, "size=64k") != 0) {
    GTEST_SKIP() << "no tmpfs: " << std::strerror(errno);
  }
  struct Unmount {
    QByteArray where;
    ~Unmount() { ::umount2(where.constData(), MNT_DETACH); }
  } unmount{mount_point};
  const QString path = WriteDocument(QStringLiteral("full/story.PWV"), {"one"});
  ASSERT_TRUE(window_->document().OpenDocument(path, true));
  const QByteArray before = FileBytes(path);
  QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden);
  names << QStringLiteral("filler");
  names.sort();
  // Fill what is left of the file system.
  {
    QFile filler(folder + QStringLiteral("/filler"));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
  }
  TypeInto(window_->RichEditMain, QStringLiteral("typed"));
  window_->document().MenuFileSaveClick();
  EXPECT_EQ(dialogs_->Texts(), std::vector<QString>{QString::fromUtf8("保存に失敗しました\r\n") +
                                                    QString::fromUtf8(std::strerror(ENOSPC))});
  EXPECT_TRUE(window_->flags().TestModified());
  EXPECT_EQ(FileBytes(path), before);
  EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name), names);
  // With room again the same save goes through.
  ASSERT_TRUE(QFile::remove(folder + QStringLiteral("/filler")));
  dialogs_->asked.clear();
  window_->document().MenuFileSaveClick();
  EXPECT_TRUE(dialogs_->asked.empty());
  EXPECT_FALSE(window_->flags().TestModified());
  EXPECT_EQ(BodyText(ReadBack(path)->NodeAt(0)), "typed");
}

TEST_F(RecoveryTest, AFailedOpenShowsTheReadersReason) {
  // A level jump in the title section: the reader's own message comes with the fixed one.
  const std::string titles = "A\r\n\t\tC\r\n";
  std::string file("\x03\x00\x00", 3);
  AppendInt32(&file, static_cast<int32_t>(titles.size()));
  AppendInt32(&file, 0);
  AppendInt32(&file, 52);
  file += titles + std::string(52, '\0');
  QFile out(Path("level.PWV"));
  ASSERT_TRUE(out.open(QIODevice::WriteOnly));
  out.write(file.data(), static_cast<qint64>(file.size()));
  out.close();
  EXPECT_FALSE(window_->document().OpenDocument(Path("level.PWV"), true));
  EXPECT_EQ(dialogs_->Texts(),
            std::vector<QString>{QString::fromUtf8(
                "ﾌｧｲﾙの読み込みに失敗しました\r\nアイテム \"C\" の階層 (2) が不正です")});
}

TEST_F(RecoveryTest, TheTreeShowsTheStartOfAHugeTitle) {
  const std::string huge(5 << 20, 'A');
  Node* node = window_->outline().NodeAt(0);
  window_->outline().SetTitle(node, huge);
  const QModelIndex index = window_->model()->IndexFromNode(node);
  const QString shown = window_->model()->data(index, Qt::DisplayRole).toString();
  EXPECT_EQ(shown, QString(static_cast<qsizetype>(kMaxShownTitleBytes), QLatin1Char('A')) +
                       QChar(0x2026));
  EXPECT_EQ(window_->model()->data(index, Qt::EditRole).toString().size(),
            static_cast<qsizetype>(huge.size()));
  // A double-byte character is never cut in two.
  EXPECT_EQ(ShownTitle(std::string(kMaxShownTitleBytes - 1, 'a') + "\x82\xa0" + "tail"),
            QString(static_cast<qsizetype>(kMaxShownTitleBytes - 1), QLatin1Char('a')) +
                QChar(0x2026));
  EXPECT_EQ(ShownTitle("\x95\xa8\x8c\xea"), QString::fromUtf8("物語"));
}

}  // namespace
}  // namespace pw::test
