// The RTF, outline and MeDoc exports, the whole-document view, the prints, WordPad printing
// and the character count through the window: prompts, captions and message texts, what the
// files and the viewer hold, and the print progress window's states.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QPrinter>
#include <QPushButton>
#include <QTextEdit>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "core/cp932.h"
#include "core/outline.h"
#include "export/node_mark.h"
#include "export/text_format.h"
#include "richtext/rtf_reader.h"
#include "ui/export/print_export_commands.h"
#include "ui/export/print_prompt.h"
#include "ui/export/tform_text_format.h"
#include "ui/export/tform_info.h"
#include "ui/export/tform_view.h"
#include "ui_test_support.h"

namespace pw::test {
namespace {

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

std::string Sjis(const char* utf8) { return Utf8ToCp932(utf8).text; }

// Answers the print dialog: prints into a PDF file, or cancels.
class ScriptedPrintPrompt : public PrintPrompt {
 public:
  explicit ScriptedPrintPrompt(QString pdf) : pdf_(std::move(pdf)) {}
  Choice Ask(QWidget*, QPrinter* printer, const std::function<void(QPrinter*)>&) override {
    ++asked;
    job_name = printer->docName();
    if (pdf_.isEmpty()) return Choice::kCancelled;
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(pdf_);
    return Choice::kPrint;
  }
  int asked = 0;
  QString job_name;

 private:
  QString pdf_;
};

class PrintExportTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    const QString doc = WriteDocument(
        QString::fromUtf8("物語.PWV"), {"物語", "\t第一章", "\t\t場面", "\t第二章"},
        {"{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0\\'82\\'a2 \\'82\\'a4\\par\\tab x\\par}",
         "", "{\\rtf1 deep body\\par}", "plain"});
    ASSERT_TRUE(window_->document().OpenDocument(doc, false));
  }
  PrintExportCommands& commands() { return window_->print_exports(); }
  ScriptedPrintPrompt* InstallPrompt(const QString& pdf) {
    auto prompt = std::make_unique<ScriptedPrintPrompt>(pdf);
    ScriptedPrintPrompt* raw = prompt.get();
    commands().SetPrintPrompt(std::move(prompt));
    return raw;
  }
  // The text-format dialog answered with the defaults and the given scope, or cancelled.
  void AnswerTextFormat(std::optional<ExportScope> scope, bool chapter_numbers = false) {
    commands().SetTextFormatAsker([this, scope, chapter_numbers](WindowContext& window)
                                      -> std::optional<TextFormat> {
      ++text_format_asked_;
      if (!scope) return std::nullopt;
      TextFormat format = DefaultTextFormat();
      format.title_font = window.settings().MemoFont;
      format.chapter_numbers = chapter_numbers;
      format.scope = *scope;
      return format;
    });
  }
  QString ViewText() const {
    return window_->print_exports().FormView()->RichEditView->toPlainText();
  }
  Node* NodeAt(size_t index) { return window_->outline().NodeAt(index); }
  int text_format_asked_ = 0;
};

TEST_F(PrintExportTest, TheCommandsAreBuilt) {
  for (const char* name : {"MenuSaveRTF", "MenuSaveOutline", "MenuSaveMeDoc", "MenuFileView",
                           "MenuFilePrint", "MenuFileTreePrint", "MenuFileWordPad",
                           "MenuTextCount"}) {
    EXPECT_TRUE(window_->Action(QString::fromLatin1(name))->isEnabled()) << name;
  }
}

TEST_F(PrintExportTest, OutlineAndMeDocExportsAskForTheirFiles) {
  const QString outline = Path(QString::fromUtf8("物語.TXT"));
  dialogs_->file_names.push_back(outline);
  commands().MenuSaveOutlineClick();
  ASSERT_EQ(dialogs_->file_dialogs.size(), 1u);
  EXPECT_EQ(dialogs_->file_dialogs[0].title, QString::fromUtf8("ｱｳﾄﾗｲﾝの保存"));
  EXPECT_EQ(dialogs_->file_dialogs[0].default_suffix, QStringLiteral("TXT"));
  EXPECT_EQ(FileBytes(outline).toStdString(),
            Sjis("■物語\r\n├─第一章\r\n│　└─場面\r\n└─第二章\r\n"));

  const QString pdb = Path(QString::fromUtf8("物語.PDB"));
  dialogs_->file_names.push_back(pdb);
  commands().MenuSaveMeDocClick();
  ASSERT_EQ(dialogs_->file_dialogs.size(), 2u);
  EXPECT_EQ(dialogs_->file_dialogs[1].title, QString::fromUtf8("MeDoc形式の保存"));
  EXPECT_EQ(dialogs_->file_dialogs[1].default_suffix, QStringLiteral("PDB"));
  const QByteArray db = FileBytes(pdb);
  ASSERT_GT(db.size(), 78);
  EXPECT_EQ(db.left(db.indexOf('\0')).toStdString(), Sjis("物語"));
  EXPECT_EQ(db.mid(60, 8), QByteArray("TEXtREAd"));
  EXPECT_TRUE(dialogs_->Texts().empty());

  // A folder that does not exist: the prompt refuses it, nothing is written.
  dialogs_->file_names.push_back(Path(QStringLiteral("none/x.PDB")));
  commands().MenuSaveMeDocClick();
  EXPECT_EQ(dialogs_->Texts(), (std::vector<QString>{QString::fromUtf8("ディレクトリが存在しません"),
                                                     QString::fromUtf8("保存に失敗しました")}));
}

TEST_F(PrintExportTest, RtfExportOfTheSelectedNodeAlone) {
  window_->SelectNode(NodeAt(2));
  AnswerTextFormat(ExportScope::kSelectedNode, true);
  const QString rtf = Path(QString::fromUtf8("場面.RTF"));
  dialogs_->file_names.push_back(rtf);
  commands().MenuSaveRTFClick();
  ASSERT_EQ(dialogs_->file_dialogs.size(), 1u);
  EXPECT_EQ(dialogs_->file_dialogs[0].title, QString::fromUtf8("RTFﾌｧｲﾙの保存"));
  EXPECT_EQ(dialogs_->file_dialogs[0].default_suffix, QStringLiteral("RTF"));
  const std::string dashes(50, '-');
  EXPECT_EQ(rich::ReadRtfLines(FileBytes(rtf).toStdString()),
            (std::vector<std::string>{dashes, Sjis("1-1-1 ◆ 場面"), dashes, "deep body"}));

  // Cancelling the text-format dialog asks for no file.
  AnswerTextFormat(std::nullopt);
  commands().MenuSaveRTFClick();
  EXPECT_EQ(dialogs_->file_dialogs.size(), 1u);
}

TEST_F(PrintExportTest, RtfExportShowsTheTitleFontGroupOfTheTextFormatDialog) {
  window_->SelectNode(NodeAt(1));
  bool seen = false;
  QTimer answer;  // the dialog is modal: answer it once it shows
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<TFormTextFormat*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    answer.stop();
    seen = true;
    EXPECT_TRUE(dialog->GroupBoxIndent->isHidden());
    EXPECT_FALSE(dialog->GroupBoxFont->isHidden());
    EXPECT_TRUE(dialog->MemoFont->toPlainText().endsWith(QStringLiteral(" 11pt")))
        << dialog->MemoFont->toPlainText().toStdString();  // the title pane's font
    dialog->RadioButtonSubtree->setChecked(true);
    dialog->ButtonOK->click();
  });
  answer.start(10);
  const QString rtf = Path(QStringLiteral("part.RTF"));
  dialogs_->file_names.push_back(rtf);
  commands().MenuSaveRTFClick();
  EXPECT_TRUE(seen);
  const std::vector<std::string> lines = rich::ReadRtfLines(FileBytes(rtf).toStdString());
  ASSERT_EQ(lines.size(), 7u);  // the two title blocks and the one body below 第一章
  EXPECT_EQ(lines[1], Sjis("▼ 第一章"));
  EXPECT_EQ(lines[4], Sjis("◆ 場面"));
  EXPECT_EQ(lines[6], "deep body");
}

TEST_F(PrintExportTest, ViewShowsTheWholeDocumentWithoutChapterNumbers) {
  // A default text format that asks for chapter numbers: the view takes none.
  TextFormat numbered = DefaultTextFormat();
  numbered.chapter_numbers = true;
  ASSERT_TRUE(SaveTextFormatFile(Path("config/PLOTWEAV.PWO").toStdString(), numbered));
  commands().MenuFileViewClick();
  TFormView* view = commands().FormView();
  ASSERT_TRUE(view->isVisible());
  EXPECT_EQ(view->windowTitle(), QString::fromUtf8("全体表示"));
  EXPECT_TRUE(view->RichEditView->isReadOnly());
  EXPECT_FALSE(view->isModal());
  const QStringList lines = ViewText().split(QLatin1Char('\n'));
  const QString dashes(50, QLatin1Char('-'));
  const QStringList expected = {dashes, QString::fromUtf8("■ 物語"), dashes,
                                QString::fromUtf8("あい う"), QString::fromUtf8("\tx"),
                                dashes, QString::fromUtf8("▼ 第一章"), dashes,
                                dashes, QString::fromUtf8("◆ 場面"), dashes,
                                QStringLiteral("deep body"),
                                dashes, QString::fromUtf8("◆ 第二章"), dashes,
                                QStringLiteral("plain"), QString()};
  EXPECT_EQ(lines, expected);
  const QRect main = window_->geometry();
  EXPECT_EQ(view->geometry().topLeft(), main.topLeft() + QPoint(32, 32));

  // The copy menu follows the selection; the close button hides the window.
  EXPECT_FALSE(view->PopupViewCopy->isEnabled());
  view->RichEditView->selectAll();
  EXPECT_TRUE(view->PopupViewCopy->isEnabled());
  view->PopupViewCopy->trigger();
  EXPECT_TRUE(QApplication::clipboard()->text().contains(QString::fromUtf8("◆ 場面")));
  view->ButtonClose->click();
  EXPECT_FALSE(view->isVisible());
}

TEST_F(PrintExportTest, ALargeViewFillsFromACopyWhileTheTreeChanges) {
  std::vector<std::string> titles = {"root"};
  std::vector<std::string> bodies = {""};
  for (int i = 0; i < 3000; ++i) {
    titles.push_back("\tnode" + std::to_string(i));
    bodies.push_back("{\\rtf1 body " + std::to_string(i) + "\\par second line\\par}");
  }
  ASSERT_TRUE(window_->document().OpenDocument(WriteDocument(QStringLiteral("big.PWV"), titles,
                                                             bodies), false));
  commands().MenuFileViewClick();
  TFormView* view = commands().FormView();
  EXPECT_TRUE(ViewText().startsWith(QString(50, QLatin1Char('-')) + QString::fromUtf8("\n■ root")));
  // The tree loses nodes while the view is still being filled: the view shows them anyway.
  window_->outline().Remove(NodeAt(2999));
  for (int i = 0; i < 2000 && view->filling(); ++i) QTest::qWait(5);
  ASSERT_FALSE(view->filling());
  const QStringList lines = ViewText().split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 3 + 3000 * 5 + 1);
  EXPECT_EQ(lines[3 + 2998 * 5 + 1], QString::fromUtf8("◆ node2998"));
  EXPECT_EQ(lines[3 + 2999 * 5 + 3], QStringLiteral("body 2999"));
}

TEST_F(PrintExportTest, PrintOfOneNodeIsNamedAfterItsCaption) {
  window_->SelectNode(NodeAt(2));
  AnswerTextFormat(ExportScope::kSelectedNode);
  const QString pdf = Path(QStringLiteral("one.pdf"));
  ScriptedPrintPrompt* prompt = InstallPrompt(pdf);
  commands().MenuFilePrintClick();
  EXPECT_EQ(prompt->asked, 1);
  EXPECT_EQ(prompt->job_name, QString::fromUtf8("場面"));
  EXPECT_GT(QFileInfo(pdf).size(), 0);
  EXPECT_EQ(ViewText().split(QLatin1Char('\n'))[1], QString::fromUtf8("◆ 場面"));
  EXPECT_FALSE(ViewText().contains(QString::fromUtf8("第二章")));
  EXPECT_FALSE(commands().FormView()->isVisible());
}

TEST_F(PrintExportTest, CancelledPrintLeavesTheViewFilled) {
  AnswerTextFormat(ExportScope::kAll);
  ScriptedPrintPrompt* prompt = InstallPrompt(QString());
  commands().MenuFilePrintClick();
  EXPECT_EQ(prompt->asked, 1);
  EXPECT_TRUE(ViewText().contains(QString::fromUtf8("▼ 第一章")));
  // Cancelling the text-format dialog shows no print dialog.
  AnswerTextFormat(std::nullopt);
  commands().MenuFilePrintClick();
  EXPECT_EQ(prompt->asked, 1);
}

TEST_F(PrintExportTest, FailedPrintSaysSoUntilAcknowledged) {
  AnswerTextFormat(ExportScope::kAll);
  InstallPrompt(Path(QStringLiteral("no/such/folder/x.pdf")));
  // The window waits for its OK button once the print has failed; answer it then.
  QString shown;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&shown] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* info = qobject_cast<QDialog*>(widget);
      if (info == nullptr || info->objectName() != QLatin1String("TFormInfo") ||
          !info->isVisible()) {
        continue;
      }
      auto* ok = info->findChild<QWidget*>(QStringLiteral("ButtonOK"));
      if (ok == nullptr || !ok->isVisible()) continue;
      shown = info->findChild<QLabel*>(QStringLiteral("LabelInfo"))->text();
      info->accept();
    }
  });
  answer.start(20);
  commands().MenuFilePrintClick();
  EXPECT_EQ(shown, QString::fromUtf8("物語\n印刷出来ません"));
}

TEST_F(PrintExportTest, TreePrintStartsFromTheBodyFontAndPrintsTheOutline) {
  const QString pdf = Path(QStringLiteral("tree.pdf"));
  ScriptedPrintPrompt* prompt = InstallPrompt(pdf);
  commands().MenuFileTreePrintClick();  // font dialog cancelled: nothing more
  ASSERT_EQ(dialogs_->font_requests.size(), 1u);
  EXPECT_EQ(dialogs_->font_requests[0].family(), QFontInfo(window_->RichEditMain->font()).family());
  EXPECT_EQ(dialogs_->font_requests[0].pointSize(), window_->RichEditMain->font().pointSize());
  EXPECT_EQ(prompt->asked, 0);
  dialogs_->fonts.push_back(QFont(QStringLiteral("Noto Sans CJK JP"), 12));
  commands().MenuFileTreePrintClick();
  EXPECT_EQ(prompt->asked, 1);
  EXPECT_EQ(prompt->job_name, QString::fromUtf8("物語"));
  EXPECT_GT(QFileInfo(pdf).size(), 0);
}

TEST_F(PrintExportTest, WordPadPrintGoesThroughLibreOfficeOrSaysItCannot) {
  const QByteArray saved_path = qgetenv("PATH");
  const QString bin = Path(QStringLiteral("bin"));
  ASSERT_TRUE(QDir().mkpath(bin));
  qputenv("PATH", QFile::encodeName(bin));
  AnswerTextFormat(ExportScope::kAll);
  commands().MenuFileWordPadClick();
  ASSERT_EQ(dialogs_->asked.size(), 1u);
  EXPECT_EQ(dialogs_->asked[0].caption, QString::fromUtf8("実行できません"));
  EXPECT_EQ(dialogs_->asked[0].text, QString::fromUtf8("WORDPADを起動出来ませんでした。"));
  EXPECT_EQ(dialogs_->asked[0].icon, DialogIcon::kError);
  const QString print_file = Path(QStringLiteral("config/Plotweave.TMP"));
  EXPECT_EQ(rich::ReadRtfLines(FileBytes(print_file).toStdString())[1], Sjis("■ 物語"));

  // A stand-in LibreOffice records what it was asked to do.
  const QString record = Path(QStringLiteral("args"));
  {
    std::ofstream script((bin + QStringLiteral("/soffice")).toStdString());
    script << "#!/bin/sh\nprintf '%s|' \"$@\" > '" << record.toStdString() << ".part' && /bin/mv '"
           << record.toStdString() << ".part' '" << record.toStdString() << "'\n";
  }
  QFile::setPermissions(bin + QStringLiteral("/soffice"), QFile::ReadOwner | QFile::ExeOwner);
  commands().MenuFileWordPadClick();
  qputenv("PATH", saved_path);
  EXPECT_EQ(dialogs_->asked.size(), 1u);
  for (int i = 0; i < 200 && !QFileInfo::exists(record); ++i) QTest::qWait(25);
  EXPECT_EQ(FileBytes(record), (QStringLiteral("--headless|-p|") + print_file + '|').toUtf8());
}

TEST_F(PrintExportTest, CountBoxCountsTheBodiesButNotTitlesOrBlanks) {
  window_->SelectNode(NodeAt(3));  // "plain"
  TypeInto(window_->RichEditMain, QString::fromUtf8("　字 "));
  commands().MenuTextCountClick();
  ASSERT_EQ(dialogs_->asked.size(), 1u);
  EXPECT_EQ(dialogs_->asked[0].caption, QString::fromUtf8("文字数"));
  EXPECT_EQ(dialogs_->asked[0].buttons, DialogButtons::kOk);
  // あいう, x, deepbody and the pane's text (plain and 字, wherever the caret put it).
  EXPECT_EQ(dialogs_->asked[0].text,
            QString::fromUtf8("現在のノードの文字数 : 6 文字\r\n全ノードの文字数 : 18 文字\r\n"));
}

}  // namespace
}  // namespace pw::test
