// Formatted text and HTML through the window: the text-format dialog's pages, depth rows,
// scope rules, Save and Load and the default settings file; the HTML options; what each
// command writes.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <functional>

#include "core/cp932.h"
#include "export/text_format.h"
#include "ui/export/tform_html_format.h"
#include "ui/export/tform_text_format.h"
#include "ui_test_support.h"

namespace pw::test {
namespace {

const QString kSaveFailed = QString::fromUtf8("保存に失敗しました");

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

QByteArray Sjis(const char* utf8) { return QByteArray::fromStdString(Utf8ToCp932(utf8).text); }

// Runs `fn` on the next modal dialog of type T once it shows (for a few seconds at most). The
// timer belongs to `owner`, so a dialog that never came cannot call into a finished test.
template <typename T>
void OnModal(QObject* owner, std::function<void(T*)> fn) {
  auto* timer = new QTimer(owner);
  auto tries = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, [timer, fn, tries] {
    auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
    if (dialog == nullptr && ++*tries < 500) return;
    timer->stop();
    timer->deleteLater();
    if (dialog != nullptr) fn(dialog);
  });
  timer->start(5);
}

bool TabShown(const TFormTextFormat* d, QWidget* page) {
  return d->PageControl->isTabVisible(d->PageControl->indexOf(page));
}

class FormattedExportTest : public WindowTest {
 protected:
  // 0 物語 ( 1 第一章 ( 2 駅 , 3 店 ), 4 終 )
  void OpenStory() {
    const QString doc = WriteDocument(QString::fromUtf8("Story.PWV"),
                                      {"物語", "\t第一章", "\t\t駅", "\t\t店", "\t終"},
                                      {"", "", "plain\r\n\r\nbody", "", "end"});
    ASSERT_TRUE(window_->document().OpenDocument(doc, false));
  }
  void Select(size_t index) { window_->SelectNode(window_->outline().NodeAt(index)); }
  QString DefaultFile() const { return dir_.path() + QStringLiteral("/config/PLOTWEAV.PWO"); }
  template <typename T>
  void OnModal(std::function<void(T*)> fn) {
    test::OnModal<T>(&timers_, std::move(fn));
  }
  QObject timers_;
};

TEST_F(FormattedExportTest, BothCommandsAreEnabled) {
  EXPECT_TRUE(window_->Action(QStringLiteral("MenuSaveText"))->isEnabled());
  EXPECT_TRUE(window_->Action(QStringLiteral("MenuSaveHTML"))->isEnabled());
}

TEST_F(FormattedExportTest, TextDialogShowsItsPagesAndDepthRowsAndExportsOnOk) {
  OpenStory();
  Select(1);
  bool seen = false;
  OnModal<TFormTextFormat>([&, this](TFormTextFormat* d) {
    seen = true;
    EXPECT_EQ(d->windowTitle(), QString::fromUtf8("書式"));
    EXPECT_EQ(d->PageControl->currentWidget(), d->TabSheetChapter);
    EXPECT_TRUE(TabShown(d, d->TabSheetOther));
    EXPECT_TRUE(TabShown(d, d->TabSheetRTF));
    EXPECT_FALSE(d->GroupBoxIndent->isHidden());
    EXPECT_TRUE(d->GroupBoxFont->isHidden());
    EXPECT_EQ(d->ComboBoxLevel->count(), 10);
    EXPECT_EQ(d->ComboBoxLevel->itemText(9), QStringLiteral("Level9"));
    EXPECT_EQ(d->ComboBoxNum[0]->itemText(5), QString::fromUtf8("ｱﾙﾌｧﾍﾞｯﾄ半角大文字"));
    EXPECT_FALSE(d->EditFront[0]->isHidden());
    EXPECT_TRUE(d->EditFront[1]->isHidden());
    EXPECT_TRUE(d->RadioButtonAll->isChecked());
    EXPECT_TRUE(d->RadioButtonSubtree->isEnabled());  // 第一章 has children
    EXPECT_TRUE(d->RadioButtonIndentZSpace->isChecked());
    EXPECT_TRUE(d->EditIndent->isHidden());

    // Depth 2: three rows with the built-in values; edit them, go to depth 1 and back.
    d->ComboBoxLevel->setCurrentIndex(2);
    EXPECT_FALSE(d->EditBack[2]->isHidden());
    EXPECT_TRUE(d->EditBack[3]->isHidden());
    EXPECT_EQ(d->EditBack[1]->text(), QStringLiteral("-"));
    EXPECT_EQ(d->EditBack[2]->text(), QStringLiteral(" "));
    d->EditFront[0]->setText(QString::fromUtf8("第"));
    d->ComboBoxNum[1]->setCurrentIndex(3);
    d->ComboBoxNum[2]->setCurrentIndex(6);
    d->EditBack[2]->setText(QStringLiteral(") "));
    d->ComboBoxLevel->setCurrentIndex(1);
    EXPECT_EQ(d->EditFront[0]->text(), QString());
    d->ComboBoxLevel->setCurrentIndex(2);
    EXPECT_EQ(d->EditFront[0]->text(), QString::fromUtf8("第"));
    EXPECT_EQ(d->ComboBoxNum[2]->currentIndex(), 6);

    d->CheckBoxChapterON->setChecked(true);
    d->RadioButtonSubtree->setChecked(true);
    d->RadioButtonIndentCustom->setChecked(true);
    EXPECT_FALSE(d->EditIndent->isHidden());
    d->EditIndent->setText(QStringLiteral(">"));
    d->CheckBoxSplitF->setChecked(false);
    d->CheckBoxSplitB->setChecked(false);
    d->ButtonOK->click();
  });
  const QString out = Path(QStringLiteral("out.TXT"));
  dialogs_->file_names.push_back(out);
  window_->exports().MenuSaveTextClick();
  ASSERT_TRUE(seen);
  ASSERT_EQ(dialogs_->file_dialogs.size(), 1u);
  EXPECT_EQ(dialogs_->file_dialogs[0].title, QString::fromUtf8("ﾃｷｽﾄﾌｧｲﾙの保存"));
  EXPECT_EQ(dialogs_->file_dialogs[0].proposed, Path(QStringLiteral("Story.TXT")));
  EXPECT_TRUE(dialogs_->Texts().empty());
  EXPECT_EQ(FileBytes(out), Sjis("1-1 ▼ 第一章\r\n"
                                 ">第1-Ⅰ-A) ◆ 駅\r\n>plain\r\n>\r\n>body\r\n"
                                 ">第1-Ⅰ-B) ◆ 店\r\n"));
  // The default settings file has what the dialog showed, the table edits included.
  TextFormat saved = DefaultTextFormat();
  ASSERT_TRUE(LoadTextFormatFile(DefaultFile().toStdString(), &saved));
  EXPECT_TRUE(saved.chapter_numbers);
  EXPECT_EQ(saved.indent, IndentChoice::kCustom);
  EXPECT_EQ(saved.committed.at(2, 2), (NumberComponent{"", 6, ") "}));
  EXPECT_EQ(saved.committed.at(1, 1).Back, " ");
}

TEST_F(FormattedExportTest, CancelKeepsTheEditsInTheDefaultFileAndExportsNothing) {
  OpenStory();
  Select(2);  // a node without children
  OnModal<TFormTextFormat>([this](TFormTextFormat* d) {
    EXPECT_FALSE(d->RadioButtonSubtree->isEnabled());
    EXPECT_TRUE(d->RadioButtonSelected->isEnabled());
    d->EditBack[0]->setText(QStringLiteral("."));
    d->CheckBoxMark->setChecked(false);
    d->ButtonCancel->click();
  });
  window_->exports().MenuSaveTextClick();
  EXPECT_TRUE(dialogs_->file_dialogs.empty());
  TextFormat saved = DefaultTextFormat();
  ASSERT_TRUE(LoadTextFormatFile(DefaultFile().toStdString(), &saved));
  EXPECT_EQ(saved.committed.at(0, 0).Back, ".");
  EXPECT_FALSE(saved.mark_before_title);

  // The next dialog starts from that file; the scope starts at all nodes again.
  OnModal<TFormTextFormat>([this](TFormTextFormat* d) {
    EXPECT_EQ(d->EditBack[0]->text(), QStringLiteral("."));
    EXPECT_FALSE(d->CheckBoxMark->isChecked());
    d->RadioButtonSelected->setChecked(true);
    d->ButtonOK->click();
  });
  const QString out = Path(QStringLiteral("one.TXT"));
  dialogs_->file_names.push_back(out);
  window_->exports().MenuSaveTextClick();
  // One node, no indentation whatever its depth.
  EXPECT_EQ(FileBytes(out), Sjis(std::string(50, '-')
                                     .append("\r\n駅\r\n")
                                     .append(50, '-')
                                     .append("\r\nplain\r\n\r\nbody\r\n")
                                     .c_str()));
}

TEST_F(FormattedExportTest, SaveAndLoadButtons) {
  OpenStory();
  const QString pwo = Path(QStringLiteral("mine.PWO"));
  OnModal<TFormTextFormat>([&, this](TFormTextFormat* d) {
    // Save: a wrong extension is refused, then a good name is written and remembered.
    d->EditFront[0]->setText(QStringLiteral("No."));
    dialogs_->file_names.push_back(Path(QStringLiteral("mine.TXT")));
    d->ButtonSave->click();
    EXPECT_EQ(dialogs_->Texts(),
              (std::vector<QString>{QString::fromUtf8("ファイル名が無効です"), kSaveFailed}));
    EXPECT_EQ(dialogs_->file_dialogs.back().title, QString::fromUtf8("ﾃｷｽﾄ書式ﾌｧｲﾙの保存"));
    EXPECT_EQ(dialogs_->file_dialogs.back().proposed, Path(QStringLiteral("NewFile.PWO")));
    dialogs_->file_names.push_back(pwo);
    d->ButtonSave->click();
    EXPECT_EQ(dialogs_->asked.size(), 2u);
    EXPECT_EQ(window_->settings().FormatFileName, pwo.toStdString());

    // Load: a broken name, a missing file, then the saved file over changed controls.
    d->EditFront[0]->setText(QStringLiteral("changed"));
    d->CheckBoxContents->setChecked(false);
    d->ComboBoxLevel->setCurrentIndex(3);
    dialogs_->asked.clear();
    dialogs_->file_names.push_back(Path(QStringLiteral("x.INI")));
    dialogs_->file_names.push_back(Path(QStringLiteral("missing.PWO")));
    dialogs_->file_names.push_back(pwo);
    d->ButtonLoad->click();
    d->ButtonLoad->click();
    d->ButtonLoad->click();
    EXPECT_EQ(dialogs_->Texts(),
              (std::vector<QString>{QString::fromUtf8("ファイル名が無効です"),
                                    QString::fromUtf8("ﾌｧｲﾙの読み込みに失敗しました")}));
    EXPECT_EQ(dialogs_->file_dialogs.back().title, QString::fromUtf8("ﾃｷｽﾄ書式ﾌｧｲﾙの読み込み"));
    EXPECT_EQ(d->ComboBoxLevel->currentIndex(), 0);
    EXPECT_EQ(d->EditFront[0]->text(), QStringLiteral("No."));
    EXPECT_TRUE(d->CheckBoxContents->isChecked());
    d->ButtonCancel->click();
  });
  window_->exports().MenuSaveTextClick();
  EXPECT_TRUE(QFileInfo::exists(pwo));
}

TEST_F(FormattedExportTest, HtmlSiteWithItsOptionsAndTheSinglePage) {
  OpenStory();
  Select(1);
  OnModal<TFormTextFormat>([this](TFormTextFormat* d) {
    EXPECT_FALSE(TabShown(d, d->TabSheetOther));
    EXPECT_FALSE(TabShown(d, d->TabSheetRTF));
    d->RadioButtonSubtree->setChecked(true);
    OnModal<TFormHTMLFormat>([](TFormHTMLFormat* h) {
      EXPECT_EQ(h->windowTitle(), QString::fromUtf8("HTML出力ｵﾌﾟｼｮﾝ"));
      EXPECT_TRUE(h->RadioButtonGif->isChecked());
      EXPECT_TRUE(h->RadioButtonIndent->isChecked());
      EXPECT_TRUE(h->RadioButtonHtm->isChecked());
      EXPECT_EQ(h->EditTitle->text(), QString::fromUtf8("第一章"));
      h->RadioButtonText->setChecked(true);
      h->RadioButtonHtml->setChecked(true);
      h->EditTitle->setText(QString::fromUtf8("題"));
      h->ButtonOK->click();
    });
    d->ButtonOK->click();
  });
  dialogs_->file_names.push_back(Path(QStringLiteral("site.htm")));
  window_->exports().MenuSaveHTMLClick();
  ASSERT_EQ(dialogs_->file_dialogs.size(), 1u);
  EXPECT_EQ(dialogs_->file_dialogs[0].title, QString::fromUtf8("HTMLﾌｧｲﾙの保存"));
  EXPECT_EQ(dialogs_->file_dialogs[0].proposed, Path(QStringLiteral("story")));
  EXPECT_TRUE(dialogs_->Texts().empty());
  EXPECT_TRUE(FileBytes(Path(QStringLiteral("site.html"))).contains("<FRAME SRC=\"1.html\""));
  const QByteArray contents = FileBytes(Path(QStringLiteral("contents.html")));
  EXPECT_TRUE(contents.contains(Sjis("<TITLE>題 - CONTENTS</TITLE>")));
  EXPECT_TRUE(contents.contains(Sjis("　<A HREF=\"2.html\" TARGET=\"Text\"><FONT COLOR=")));
  EXPECT_TRUE(QFileInfo::exists(Path(QStringLiteral("3.html"))));
  EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("4.html"))));
  EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("gif"))));

  // The one-node scope asks no options and writes the chosen page alone.
  Select(2);
  bool options_shown = false;
  OnModal<TFormTextFormat>([&, this](TFormTextFormat* d) {
    d->RadioButtonSelected->setChecked(true);
    OnModal<TFormHTMLFormat>([&](TFormHTMLFormat* h) {
      options_shown = true;
      h->ButtonCancel->click();
    });
    d->ButtonOK->click();
  });
  const QString page = Path(QStringLiteral("page.htm"));
  dialogs_->file_names.push_back(page);
  window_->exports().MenuSaveHTMLClick();
  EXPECT_FALSE(options_shown);
  EXPECT_TRUE(FileBytes(page).contains(Sjis("<TITLE>駅</TITLE>\r\n")));
  EXPECT_TRUE(FileBytes(page).contains("<PRE>\r\nplain\r\n\r\nbody\r\n\r\n</PRE>"));
}

TEST_F(FormattedExportTest, HtmlRefusalsAndFailures) {
  OpenStory();
  struct Case {
    QString chosen;
    std::vector<QString> messages;
  };
  QDir().mkpath(Path(QStringLiteral("b")));
  QFile gif(Path(QStringLiteral("b/gif")));
  ASSERT_TRUE(gif.open(QIODevice::WriteOnly));
  gif.close();
  const Case cases[] = {
      {Path(QStringLiteral("a.html")), {QString::fromUtf8("ファイル名が無効です"), kSaveFailed}},
      // A file where the "gif" folder goes: the reason, then the failed save; no page.
      {Path(QStringLiteral("b/a.htm")), {QString(), kSaveFailed}},
  };
  for (const Case& c : cases) {
    dialogs_->asked.clear();
    OnModal<TFormTextFormat>([this](TFormTextFormat* d) {
      OnModal<TFormHTMLFormat>([](TFormHTMLFormat* h) { h->ButtonOK->click(); });
      d->ButtonOK->click();
    });
    dialogs_->file_names.push_back(c.chosen);
    window_->exports().MenuSaveHTMLClick();
    const std::vector<QString> texts = dialogs_->Texts();
    ASSERT_EQ(texts.size(), c.messages.size()) << c.chosen.toStdString();
    for (size_t i = 0; i < texts.size(); ++i) {
      if (!c.messages[i].isEmpty()) {
        EXPECT_EQ(texts[i], c.messages[i]);
      }
    }
  }
  EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("b/0.htm"))));
  EXPECT_FALSE(QFileInfo::exists(Path(QStringLiteral("b/a.htm"))));
}

}  // namespace
}  // namespace pw::test
