// Text styling in the window: font styles with their menus and file, links, unification over
// the document, the date dialog, the ruler and the font bar.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QFontComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QTreeView>
#include <QUrl>
#include <functional>

#include "core/cp932.h"
#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"
#include "settings/settings.h"
#include "styling/font_style.h"
#include "ui/common/qt_text.h"
#include "ui/common/rich_text_adapter.h"
#include "ui/document/outline_model.h"
#include "ui/styling/styling_commands.h"
#include "ui/styling/tanl_ruler.h"
#include "ui/styling/tform_day.h"
#include "ui/styling/tform_font_style.h"
#include "ui_test_support.h"

namespace pw::test {
namespace {

std::string Sjis(const char* utf8) { return Utf8ToCp932(utf8).text; }

// Runs `act` on the next modal dialog once it shows.
void WhenModal(std::function<void(QWidget*)> act) {
  QTimer::singleShot(0, [act] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    act(dialog);
  });
}

QPushButton* ButtonOf(QWidget* dialog, const char* name) {
  return dialog->findChild<QPushButton*>(QString::fromLatin1(name));
}

// Registers a style named `name` from the body's selection (or the default body font).
void RegisterStyle(TFormMain* window, const QString& name) {
  WhenModal([name](QWidget* dialog) {
    dialog->findChild<QLineEdit*>(QStringLiteral("EditName"))->setText(name);
    ButtonOf(dialog, "ButtonOK")->click();
  });
  window->Action(QStringLiteral("MenuTextStyleSet"))->trigger();
}

// The style items of a menu: what follows its last separator.
QStringList StyleItems(QMenu* menu) {
  QStringList items;
  for (QAction* action : menu->actions()) {
    if (action->isSeparator()) {
      items.clear();
    } else if (action->objectName().startsWith(QLatin1String("MenuTextStyle")) &&
               action->text().startsWith(QLatin1Char('&'))) {
      items.append(action->text() + QLatin1Char('|') + action->shortcut().toString());
    }
  }
  return items;
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

// The point inside the character at document position `position` of the body.
QPoint CharacterPoint(QTextEdit* body, int position) {
  QTextCursor cursor(body->document());
  cursor.setPosition(position);
  const QRect rect = body->cursorRect(cursor);
  return QPoint(rect.left() + 3, rect.center().y());
}

rich::RichDocument StoredBody(const Node* node) { return rich::ReadRtf(*node->data()->Body); }

class UrlCatcher : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> opened;
  Q_INVOKABLE void Open(const QUrl& url) { opened.append(url); }
};

using StylingTest = WindowTest;

TEST_F(StylingTest, StylesFillTheThreeMenusAndANinthIsRefused) {
  QMenu* text_menu = window_->findChild<QMenu*>(QStringLiteral("MenuText"));
  // An empty name keeps the dialog open with its message.
  WhenModal([this](QWidget* dialog) {
    ButtonOf(dialog, "ButtonOK")->click();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialogs_->Texts().back(), QString::fromUtf8("スタイル名を入力して下さい"));
    dialog->findChild<QLineEdit*>(QStringLiteral("EditName"))->setText(QString::fromUtf8("見出し"));
    ButtonOf(dialog, "ButtonOK")->click();
  });
  window_->Action(QStringLiteral("MenuTextStyleSet"))->trigger();
  for (int i = 2; i <= 8; ++i) RegisterStyle(window_.get(), QStringLiteral("s%1").arg(i));
  ASSERT_EQ(window_->styling().styles().size(), 8u);

  window_->Action(QStringLiteral("MenuTextStyleSet"))->trigger();  // no dialog: refused
  EXPECT_EQ(dialogs_->Texts().back(), QString::fromUtf8("これ以上登録できません"));
  EXPECT_EQ(window_->styling().styles().size(), 8u);

  for (QMenu* menu : {text_menu, window_->PopupMenuEdit, window_->PopupMenuFontStyle}) {
    const QStringList items = StyleItems(menu);
    ASSERT_EQ(items.size(), 8) << menu->objectName().toStdString();
    EXPECT_EQ(items[0], QString::fromUtf8("&1 見出し|Ctrl+1"));
    EXPECT_EQ(items[7], QStringLiteral("&8 s8|Ctrl+8"));
  }
}

TEST_F(StylingTest, AStyleSetsFaceSizeBitsAndColourOfTheSelection) {
  window_->RichEditMain->setPlainText(QStringLiteral("abc"));
  window_->StoreCurrentNode();
  const styling::FontStyle style{0x000000FF, 16, Sjis("ＭＳ 明朝"),
                                 styling::kStyleBold | styling::kStyleUnderline, Sjis("赤")};
  styling::FontStyleTable table;
  table.Add(style);
  const QString path = Path(QStringLiteral("one.FSF"));
  ASSERT_TRUE(styling::WriteFontStyleFile(LocalPath(path), table));
  dialogs_->file_names.push_back(path);
  window_->Action(QStringLiteral("MenuTextStyleLoad"))->trigger();
  ASSERT_EQ(window_->styling().styles().size(), 1u);

  window_->RichEditMain->selectAll();
  QAction* first = nullptr;
  for (QAction* action : window_->PopupMenuFontStyle->actions()) {
    if (action->text() == QString::fromUtf8("&1 赤")) first = action;
  }
  ASSERT_NE(first, nullptr);
  first->trigger();
  const rich::RichDocument doc = QtToRich(*window_->RichEditMain->document());
  ASSERT_EQ(doc.paragraphs[0].runs.size(), 1u);
  EXPECT_EQ(doc.paragraphs[0].runs[0].format, styling::CharFormatFromStyle(style));
  EXPECT_EQ(window_->styling().last_style(), 1);
}

TEST_F(StylingTest, StyleFilesSaveLoadAndAreTakenAtStartUp) {
  RegisterStyle(window_.get(), QString::fromUtf8("見出し"));
  RegisterStyle(window_.get(), QString::fromUtf8("本文"));
  const QString saved = Path(QString::fromUtf8("スタイル.FSF"));
  dialogs_->file_names.push_back(saved);
  window_->Action(QStringLiteral("MenuTextStyleSave"))->trigger();
  EXPECT_EQ(dialogs_->file_dialogs.back().title, QString::fromUtf8("ﾌｫﾝﾄｽﾀｲﾙの保存"));
  EXPECT_EQ(dialogs_->file_dialogs.back().proposed, Path(QStringLiteral("NewFile.FSF")));
  const std::string encoded = styling::EncodeFontStyleFile(window_->styling().styles());
  EXPECT_EQ(FileBytes(saved), QByteArray::fromStdString(encoded));
  EXPECT_EQ(window_->settings().StyFileName, LocalPath(saved));

  // Refusals: another extension, a file cut short (the table stays as it was).
  dialogs_->file_names.push_back(Path(QStringLiteral("styles.TXT")));
  window_->Action(QStringLiteral("MenuTextStyleLoad"))->trigger();
  EXPECT_EQ(dialogs_->Texts().back(), QString::fromUtf8("ファイル名が無効です"));
  const QString cut = Path(QStringLiteral("cut.FSF"));
  WriteBytes(cut, QByteArray::fromStdString(encoded.substr(0, 450)));
  dialogs_->file_names.push_back(cut);
  window_->Action(QStringLiteral("MenuTextStyleLoad"))->trigger();
  EXPECT_EQ(dialogs_->Texts().back(), QString::fromUtf8("ﾌｧｲﾙの読み込みに失敗しました"));
  EXPECT_EQ(window_->styling().styles().size(), 2u);

  // A 0-byte file empties the table and the menus.
  const QString empty = Path(QStringLiteral("empty.FSF"));
  WriteBytes(empty, {});
  dialogs_->file_names.push_back(empty);
  window_->Action(QStringLiteral("MenuTextStyleLoad"))->trigger();
  EXPECT_TRUE(window_->styling().styles().empty());
  EXPECT_TRUE(StyleItems(window_->PopupMenuEdit).isEmpty());
  EXPECT_TRUE(StyleItems(window_->PopupMenuFontStyle).isEmpty());

  // StyFileName in the settings file is loaded when the window starts.
  WriteBytes(Path(QStringLiteral("config/plotweave.INI")),
             QByteArray::fromStdString("[General]\r\nStyFileName=" +
                                       Utf8ToCp932(saved.toStdString()).text + "\r\n"));
  MakeWindow();
  EXPECT_EQ(window_->styling().styles().size(), 2u);
  EXPECT_EQ(StyleItems(window_->PopupMenuFontStyle).size(), 2);
}

TEST_F(StylingTest, LinksAreMadeFoundAndFollowed) {
  const QString doc =
      WriteDocument(QStringLiteral("links.PWV"), {"Top", "\t第一章", "\t第二章"}, {});
  ASSERT_TRUE(window_->document().OpenDocument(doc, false));
  window_->show();
  window_->SelectNode(window_->outline().NodeAt(2));
  QTextEdit* body = window_->RichEditMain;
  body->setPlainText(QString::fromUtf8("前第一章後\nx<#第\n一#>"));
  QTextCursor cursor = body->textCursor();
  cursor.setPosition(1);
  cursor.setPosition(4, QTextCursor::KeepAnchor);
  body->setTextCursor(cursor);
  window_->Action(QStringLiteral("MenuTextLink"))->trigger();
  EXPECT_EQ(body->toPlainText(), QString::fromUtf8("前<#第一章#>後\nx<#第\n一#>"));

  StylingCommands& styling = window_->styling();
  // Positions: 前0 <1 #2 第3 一4 章5 #6 >7 後8 | x10 <11 #12 第13 | 一15 #16 >17
  EXPECT_EQ(styling.LinkAt(CharacterPoint(body, 4)), Sjis("第一章"));
  EXPECT_EQ(styling.LinkAt(CharacterPoint(body, 1)), Sjis("第一章"));
  EXPECT_EQ(styling.LinkAt(CharacterPoint(body, 7)), std::nullopt);  // the final '>'
  EXPECT_EQ(styling.LinkAt(CharacterPoint(body, 8)), std::nullopt);
  EXPECT_EQ(styling.LinkAt(CharacterPoint(body, 15)), Sjis("第一"));  // across a paragraph

  // The hand over a link, the text cursor elsewhere.
  const auto hover = [body](int position) {
    const QPoint at = CharacterPoint(body, position);
    QMouseEvent move(QEvent::MouseMove, at, body->viewport()->mapToGlobal(at), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(body->viewport(), &move);
    return body->viewport()->cursor().shape();
  };
  EXPECT_EQ(hover(4), Qt::PointingHandCursor);
  EXPECT_EQ(hover(8), Qt::IBeamCursor);

  QTest::mouseDClick(body->viewport(), Qt::LeftButton, Qt::NoModifier, CharacterPoint(body, 4));
  EXPECT_EQ(window_->SelectedNode(), window_->outline().NodeAt(1));

  // Not a title: a file is opened through the desktop; anything else is reported.
  UrlCatcher catcher;
  QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "Open");
  const QString memo = Path(QString::fromUtf8("メモ.txt"));
  WriteBytes(memo, "memo");
  styling.FollowLink(Utf8ToCp932(memo.toStdString()).text);
  QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
  ASSERT_EQ(catcher.opened.size(), 1);
  EXPECT_EQ(catcher.opened[0], QUrl::fromLocalFile(memo));
  EXPECT_TRUE(dialogs_->asked.empty());

  styling.FollowLink(Sjis(" 第三章 "));
  ASSERT_EQ(dialogs_->asked.size(), 1u);
  EXPECT_EQ(dialogs_->asked[0].caption, QString::fromUtf8("実行できません"));
  EXPECT_EQ(dialogs_->asked[0].text, QString::fromUtf8("そのﾘﾝｸを実行する事が出来ませんでした。"));
  EXPECT_EQ(dialogs_->asked[0].icon, DialogIcon::kError);
}

TEST_F(StylingTest, FontUnificationLeavesOnlyTheChosenFontInEveryStoredBody) {
  rich::RichDocument formatted;
  rich::CharFormat bold;
  bold.face = "ＭＳ 明朝";
  bold.bold = true;
  bold.color = 0x0000FF;
  formatted.paragraphs[0].runs = {{"太字", bold}, {"普通", {}}};
  const QString doc = WriteDocument(QStringLiteral("fonts.PWV"), {"Top", "\tA", "\tB", "\tC"},
                                    {rich::WriteRtf(formatted), "", Sjis("平文"), ""});
  ASSERT_TRUE(window_->document().OpenDocument(doc, false));
  Node* shown = window_->outline().NodeAt(3);
  window_->SelectNode(shown);
  window_->RichEditMain->setPlainText(QString::fromUtf8("見えている本文"));
  const bool top_expanded = window_->TreeViewMain->isExpanded(window_->model()->IndexFromNode(
      window_->outline().NodeAt(0)));

  // Cancelling the font dialog or the question changes nothing.
  window_->Action(QStringLiteral("MenuTextFontAll"))->trigger();
  EXPECT_TRUE(dialogs_->asked.empty());
  QFont chosen(QStringLiteral("Noto Sans CJK JP"));
  chosen.setPointSize(12);
  dialogs_->fonts.push_back(chosen);
  dialogs_->answers.push_back(DialogAnswer::kYes);
  window_->Action(QStringLiteral("MenuTextFontAll"))->trigger();
  ASSERT_EQ(dialogs_->asked.size(), 1u);
  EXPECT_EQ(dialogs_->asked[0].caption, QString::fromUtf8("実行します"));

  for (size_t index : {0u, 2u, 3u}) {  // node 1 never had a body and still has none
    const rich::RichDocument body = StoredBody(window_->outline().NodeAt(index));
    for (const rich::Paragraph& p : body.paragraphs) {
      for (const rich::Run& run : p.runs) {
        EXPECT_EQ(run.format.face, "Noto Sans CJK JP") << index;
        EXPECT_EQ(run.format.size, 12) << index;
        EXPECT_FALSE(run.format.bold) << index;
        EXPECT_TRUE(rich::IsSystemColor(run.format.color)) << index;
      }
    }
  }
  EXPECT_FALSE(window_->outline().NodeAt(1)->data()->Body);
  EXPECT_EQ(BodyText(window_->outline().NodeAt(3)), "見えている本文");
  EXPECT_EQ(window_->current_node(), shown);
  EXPECT_EQ(window_->SelectedNode(), shown);
  EXPECT_EQ(window_->TreeViewMain->isExpanded(
                window_->model()->IndexFromNode(window_->outline().NodeAt(0))),
            top_expanded);
  EXPECT_EQ(window_->settings().RichEditFont.Size, 12);
  EXPECT_TRUE(window_->flags().DocumentModified);
  EXPECT_TRUE(window_->RichEditMain->isEnabled());
  EXPECT_TRUE(window_->TreeViewMain->isEnabled());
  EXPECT_TRUE(window_->Action(QStringLiteral("MenuFileSave"))->isEnabled());
}

TEST_F(StylingTest, TabUnificationAndTheTabSettingGiveBodiesTheirStops) {
  const QString doc = WriteDocument(QStringLiteral("tabs.PWV"), {"Top", "\tA", "\tB"},
                                    {"{\\rtf1 one\\par two}", "", Sjis("x\ty")});
  ASSERT_TRUE(window_->document().OpenDocument(doc, false));
  const QFontMetrics metrics(window_->RichEditMain->document()->defaultFont());
  const std::vector<int> want_int =
      TabStopPoints(metrics.horizontalAdvance(QLatin1Char('0')), window_->settings().Tab);
  const std::vector<double> want(want_int.begin(), want_int.end());
  ASSERT_EQ(want.size(), 32u);

  // The setting alone: a body typed into an empty node stores the stops.
  window_->SelectNode(window_->outline().NodeAt(1));
  TypeInto(window_->RichEditMain, QStringLiteral("a\tb"));
  window_->StoreCurrentNode();
  EXPECT_EQ(StoredBody(window_->outline().NodeAt(1)).paragraphs[0].format.tab_stops, want);

  dialogs_->answers.push_back(DialogAnswer::kYes);
  window_->Action(QStringLiteral("MenuTextTabAll"))->trigger();
  ASSERT_EQ(dialogs_->asked.size(), 1u);
  EXPECT_EQ(dialogs_->asked[0].text,
            QString::fromUtf8("ﾀﾌﾞ幅を現在ｵﾌﾟｼｮﾝで指定してある幅で統一します。\r\nこの操作は取り消し"
                              "出来ません。\r\nよろしいですか？\r\n"));
  for (size_t index : {0u, 2u}) {
    for (const rich::Paragraph& p : StoredBody(window_->outline().NodeAt(index)).paragraphs) {
      EXPECT_EQ(p.format.tab_stops, want) << index;
    }
  }
  EXPECT_FALSE(window_->anlRulerMain->ShowNumbers());
  EXPECT_EQ(window_->anlRulerMain->TabDist(), metrics.horizontalAdvance(QLatin1Char('0')));
}

TEST_F(StylingTest, DateDialogListsFormatsAndInsertsIntoTheActivePane) {
  TFormDay* day = window_->styling().FormDay;
  EXPECT_EQ(day->formats(), styling::BuiltinDateFormats());
  EXPECT_EQ(day->windowTitle(), QString::fromUtf8("日付の挿入"));

  QFile::remove(Path(QStringLiteral("config/PLOTWEAV.DFF")));
  WriteBytes(Path(QStringLiteral("config/PLOTWEAV.DFF")),
             QByteArray::fromStdString(Sjis("# 書式\r\n\r\nyyyy年\r\n\"(\"AM/PM hh\")\"\r\n")));
  MakeWindow();
  day = window_->styling().FormDay;
  day->SetClock([] { return styling::DateTime{2001, 2, 3, 13, 5, 6}; });
  day->FillList();
  ASSERT_EQ(day->ListBoxFormat->count(), 2);
  EXPECT_EQ(day->ListBoxFormat->item(0)->text(), QStringLiteral("2001"));
  EXPECT_EQ(day->ListBoxFormat->item(1)->text(), QStringLiteral("(PM 01)"));

  window_->show();
  QApplication::setActiveWindow(window_.get());
  const auto choose = [](int row) {
    WhenModal([row](QWidget* dialog) {
      dialog->findChild<QListWidget*>(QStringLiteral("ListBoxFormat"))->setCurrentRow(row);
      ButtonOf(dialog, "ButtonOK")->click();
    });
  };
  // The title: the selection collapses to its start and stays.
  window_->MemoTitle->setText(QStringLiteral("abc"));
  window_->MemoTitle->setFocus();
  window_->MemoTitle->setSelection(1, 2);
  choose(1);
  window_->Action(QStringLiteral("MenuEditDay"))->trigger();
  EXPECT_EQ(window_->MemoTitle->text(), QStringLiteral("a(PM 01)bc"));
  EXPECT_EQ(day->chosen_index(), 1);

  window_->RichEditMain->setPlainText(QStringLiteral("xy"));
  window_->RichEditMain->setFocus();
  choose(0);
  window_->Action(QStringLiteral("MenuEditDay"))->trigger();
  EXPECT_EQ(window_->RichEditMain->toPlainText(), QStringLiteral("2001xy"));

  window_->TreeViewMain->setFocus();
  choose(1);
  window_->styling().MenuEditDayClick();
  EXPECT_EQ(window_->RichEditMain->toPlainText(), QStringLiteral("2001xy"));
  EXPECT_EQ(window_->MemoTitle->text(), QStringLiteral("a(PM 01)bc"));
}

TEST_F(StylingTest, ADateListOfCommentsOnlyLetsOkDoNothing) {
  WriteBytes(Path(QStringLiteral("config/PLOTWEAV.DFF")), "# nothing\r\n\r\n");
  MakeWindow();
  TFormDay* day = window_->styling().FormDay;
  EXPECT_TRUE(day->formats().empty());
  bool stayed = false;
  WhenModal([&stayed](QWidget* dialog) {
    ButtonOf(dialog, "ButtonOK")->click();
    stayed = dialog->isVisible();
    ButtonOf(dialog, "ButtonCancel")->click();
  });
  EXPECT_EQ(day->Choose(), std::nullopt);
  EXPECT_TRUE(stayed);
}

TEST_F(StylingTest, TheRulerFollowsTheParagraphAndSetsItsIndents) {
  window_->show();
  QTextEdit* body = window_->RichEditMain;
  TanlRuler* ruler = window_->anlRulerMain;
  body->setPlainText(QStringLiteral("one"));
  QTextBlockFormat format;
  format.setLeftMargin(12);  // 9 points, the first line as the others
  QTextCursor(body->document()).setBlockFormat(format);
  body->moveCursor(QTextCursor::End);
  window_->styling().UpdateRuler();
  EXPECT_EQ(ruler->IndentFirst(), 14);
  EXPECT_EQ(ruler->IndentLeft(), 14);
  EXPECT_EQ(ruler->IndentRight(), ruler->width() - 10);

  // Drag the left handle's edge to 37: it snaps to 36 and the following lines go to 27 points.
  const QRect left(14, 12, 9, 8);
  const auto mouse = [ruler](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, ruler->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(ruler, &event);
  };
  mouse(QEvent::MouseButtonPress, left.topLeft() + QPoint(2, 2), Qt::LeftButton);
  mouse(QEvent::MouseMove, QPoint(37 + 2, 14), Qt::LeftButton);
  EXPECT_EQ(ruler->IndentLeft(), 36);
  ASSERT_NE(ruler->guide_line(), nullptr);
  EXPECT_TRUE(ruler->guide_line()->isVisible());
  mouse(QEvent::MouseButtonRelease, QPoint(37 + 2, 14), Qt::NoButton);
  EXPECT_FALSE(ruler->guide_line()->isVisible());
  rich::ParagraphFormat paragraph = QtToRich(*body->document()).paragraphs[0].format;
  EXPECT_EQ(paragraph.left_indent, 27);
  EXPECT_EQ(paragraph.first_indent, 9 - 27);

  // A click that does not move a handle leaves the indents exactly as they were.
  mouse(QEvent::MouseButtonPress, QPoint(36 + 2, 14), Qt::LeftButton);
  mouse(QEvent::MouseButtonRelease, QPoint(36 + 2, 14), Qt::NoButton);
  paragraph = QtToRich(*body->document()).paragraphs[0].format;
  EXPECT_EQ(paragraph.left_indent, 27);
  EXPECT_EQ(paragraph.first_indent, -18);
}

TEST_F(StylingTest, FontBarSizeTakesDigitsOnlyAndTheBarShowsTheSelection) {
  window_->show();
  QTextEdit* body = window_->RichEditMain;
  body->setPlainText(QStringLiteral("abcd"));
  body->selectAll();
  StylingCommands& styling = window_->styling();
  const double before = QtToRich(*body->document()).paragraphs[0].runs[0].format.size;
  for (const char* ignored : {"10.5", "１２", "", "0", "12a", "99999"}) {
    styling.FontBarSizeChange(QString::fromUtf8(ignored));
    EXPECT_EQ(QtToRich(*body->document()).paragraphs[0].runs[0].format.size, before) << ignored;
  }
  styling.FontBarSizeChange(QStringLiteral("14"));
  EXPECT_EQ(QtToRich(*body->document()).paragraphs[0].runs[0].format.size, 14);

  // Bold on the first half: the bar shows bold only for a selection all bold.
  QTextCursor half(body->document());
  half.setPosition(0);
  half.setPosition(2, QTextCursor::KeepAnchor);
  body->setTextCursor(half);
  styling.FontBarStyleClick(styling::kStyleBold, true);
  QApplication::setActiveWindow(window_.get());
  body->setFocus();
  styling.UpdateFontBar();
  EXPECT_TRUE(window_->Action(QStringLiteral("FontBarBold"))->isChecked());
  EXPECT_EQ(window_->FontBarSize->currentText(), QStringLiteral("14"));
  body->selectAll();
  styling.UpdateFontBar();
  EXPECT_FALSE(window_->Action(QStringLiteral("FontBarBold"))->isChecked());
}

}  // namespace
}  // namespace pw::test

#include "styling_test.moc"
