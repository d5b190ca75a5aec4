// The hand-over between the outline and the panes: titles and bodies edited, left, saved and
// read back; the title pane and the caption; Shift+Enter; navigation and back; the tree
// command states over the shapes of a tree.
#include <QAction>
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QTextOption>
#include <QTimer>
#include <QTreeView>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/cp932.h"
#include "core/node_marks.h"
#include "platform/paths.h"
#include "richtext/rich_document.h"
#include "richtext/rtf_writer.h"
#include "settings/ini_file.h"
#include "ui/common/rich_text_adapter.h"
#include "ui/document/outline_model.h"
#include "ui/editing/tree_command_states.h"
#include "ui_test_support.h"

namespace pw::test {
namespace {

using PanesTest = WindowTest;

Node* Nth(TFormMain& window, size_t index) { return window.outline().NodeAt(index); }

TEST_F(PanesTest, EditedTitlesAndBodiesSurviveSaveAndReopen) {
  const QString path = WriteDocument(QStringLiteral("story.PWV"), {"root", "\tA", "\tB", "\t\tB1"});
  ASSERT_TRUE(window_->document().OpenDocument(path, true));
  TFormMain& w = *window_;
  w.SelectNode(Nth(w, 1));
  w.MemoTitle->selectAll();
  TypeInto(w.MemoTitle, QString::fromUtf8("出会い"));
  EXPECT_EQ(Utf8Title(Nth(w, 1)), "出会い");  // the caption follows key by key
  EXPECT_EQ(w.model()->data(w.model()->IndexFromNode(Nth(w, 1)), Qt::DisplayRole).toString(),
            QString::fromUtf8("出会い"));
  TypeInto(w.RichEditMain, QString::fromUtf8("雨の朝、二人は駅で出会った。"));
  w.SelectNode(Nth(w, 3));
  TypeInto(w.RichEditMain, QString::fromUtf8("別れ"));
  w.SelectNode(Nth(w, 2));  // leave B1 by selection
  EXPECT_TRUE(w.flags().BodyModified);
  EXPECT_TRUE(w.flags().TitleModified);
  w.document().MenuFileSaveClick();
  EXPECT_FALSE(w.flags().TestModified());

  auto saved = ReadBack(path);
  ASSERT_EQ(saved->size(), 4u);
  EXPECT_EQ(Utf8Title(saved->NodeAt(1)), "出会い");
  EXPECT_EQ(BodyText(saved->NodeAt(1)), "雨の朝、二人は駅で出会った。");
  EXPECT_EQ(BodyText(saved->NodeAt(3)), "別れ");
  EXPECT_EQ(BodyText(saved->NodeAt(0)), "");

  // Reopened in a new window, the panes show what was typed.
  MakeWindow();
  ASSERT_TRUE(window_->document().OpenDocument(path, true));
  window_->SelectNode(Nth(*window_, 1));
  EXPECT_EQ(window_->MemoTitle->text(), QString::fromUtf8("出会い"));
  EXPECT_EQ(window_->RichEditMain->toPlainText(),
            QString::fromUtf8("雨の朝、二人は駅で出会った。"));
  EXPECT_EQ(window_->StatusPanels[0]->text(), QString::fromUtf8("出会い"));
}

TEST_F(PanesTest, UneditedBodiesKeepTheirBytesAndAbsentOnesBecomeEmptyRtf) {
  // A control word our engine does not know must survive a visit to the node.
  const std::string odd =
      "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fnil\\fcharset128 Gothic;}}"
      "{\\*\\unknowndest keep me}\\f0\\fs18 text\\par}";
  const QString path =
      WriteDocument(QStringLiteral("bytes.PWV"), {"root", "\todd", "\tabsent"}, {"", odd, ""});
  ASSERT_TRUE(window_->document().OpenDocument(path, true));
  TFormMain& w = *window_;
  w.SelectNode(Nth(w, 1));
  w.SelectNode(Nth(w, 2));
  w.SelectNode(Nth(w, 0));
  EXPECT_EQ(*Nth(w, 1)->data()->Body, odd);
  ASSERT_TRUE(Nth(w, 2)->data()->Body.has_value());
  EXPECT_EQ(Nth(w, 2)->data()->Body->rfind("{\\rtf", 0), 0u);
  EXPECT_EQ(BodyText(Nth(w, 2)), "");
  EXPECT_FALSE(w.flags().TestModified());
}

// About `paragraphs` paragraphs of formatted RTF: a centred heading, indents with tab stops,
// bullets, bold coloured runs, tabs and line breaks inside paragraphs.
std::string FormattedBody(int paragraphs) {
  rich::CharFormat plain;
  plain.face = "Noto Serif CJK JP";
  plain.size = 10.5;
  rich::CharFormat bold = plain;
  bold.bold = true;
  bold.color = 0x0000FF;
  rich::RichDocument document;
  document.paragraphs.clear();
  for (int i = 0; i < paragraphs; ++i) {
    rich::Paragraph paragraph;
    if (i == 0) paragraph.format.alignment = rich::Alignment::kCenter;
    paragraph.format.bullet = i % 7 == 3;
    if (i % 5 == 1) {
      paragraph.format.left_indent = 18;
      paragraph.format.first_indent = -9;
      paragraph.format.tab_stops = {36};
    }
    paragraph.runs = {{"雨の朝、二人は駅で出会った。\t海辺の町に\v星が降る夜のことだった。", plain},
                      {"第" + std::to_string(i) + "節", bold}};
    document.paragraphs.push_back(paragraph);
  }
  document.Normalize();
  return rich::WriteRtf(document);
}

// What the settings gave the pane's document before any node was shown.
struct PaneDefaults {
  QFont font;
  QTextOption option;
  qreal margin = 0;
};

PaneDefaults DefaultsOf(const QTextEdit* pane) {
  return {pane->document()->defaultFont(), pane->document()->defaultTextOption(),
          pane->document()->documentMargin()};
}

// The pane holds what a fresh document with the pane's defaults holds after loading `body`
// (nothing: the cleared pane), block by block and fragment by fragment, unmodified, with
// nothing to undo and the caret at the start; and it has been laid out at its own width.
void ExpectPaneHolds(QTextEdit* pane, const PaneDefaults& defaults,
                     const std::optional<std::string>& body) {
  const QTextDocument& shown = *pane->document();
  EXPECT_EQ(shown.defaultFont(), defaults.font);
  EXPECT_EQ(shown.defaultTextOption().tabStopDistance(), defaults.option.tabStopDistance());
  EXPECT_EQ(shown.defaultTextOption().wrapMode(), defaults.option.wrapMode());
  EXPECT_EQ(shown.documentMargin(), defaults.margin);
  QTextDocument expected;
  expected.setDefaultFont(defaults.font);
  if (body) LoadBodyIntoDocument(*body, &expected);
  EXPECT_EQ(shown.toPlainText(), expected.toPlainText());
  ASSERT_EQ(shown.blockCount(), expected.blockCount());
  for (QTextBlock a = shown.begin(), b = expected.begin(); a.isValid();
       a = a.next(), b = b.next()) {
    SCOPED_TRACE(testing::Message() << "block " << a.blockNumber());
    EXPECT_EQ(a.blockFormat(), b.blockFormat());
    EXPECT_EQ(a.charFormat(), b.charFormat());
    EXPECT_EQ(a.textList() != nullptr, b.textList() != nullptr);
    QTextBlock::iterator fa = a.begin();
    QTextBlock::iterator fb = b.begin();
    for (; !fa.atEnd() && !fb.atEnd(); ++fa, ++fb) {
      EXPECT_EQ(fa.fragment().text(), fb.fragment().text());
      EXPECT_EQ(fa.fragment().charFormat(), fb.fragment().charFormat());
    }
    EXPECT_TRUE(fa.atEnd() && fb.atEnd());
  }
  EXPECT_EQ(DocumentToRtf(shown), DocumentToRtf(expected));
  EXPECT_FALSE(shown.isModified());
  EXPECT_FALSE(shown.isUndoAvailable());
  EXPECT_FALSE(shown.isRedoAvailable());
  EXPECT_EQ(pane->textCursor().position(), 0);
  EXPECT_EQ(shown.pageSize().width(), pane->viewport()->width());
  EXPECT_GT(shown.firstBlock().layout()->lineCount(), 0);
}

TEST_F(PanesTest, EveryMoveLeavesThePaneHoldingTheArrivingBody) {
  const std::vector<std::optional<std::string>> bodies = {
      FormattedBody(300), FormattedBody(250), FormattedBody(1), "abc\r\n\x82\xa0", std::nullopt};
  const char* names[] = {"long", "other long", "short", "plain text", "none"};
  std::vector<std::string> stored;
  for (const auto& body : bodies) stored.push_back(body.value_or(""));
  stored.insert(stored.begin(), "");
  const PaneDefaults defaults = DefaultsOf(window_->RichEditMain);
  const QString path = WriteDocument(QStringLiteral("bodies.PWV"),
                                     {"root", "\ta", "\tb", "\tc", "\td", "\te"}, stored);
  ASSERT_TRUE(window_->document().OpenDocument(path, true));
  TFormMain& w = *window_;
  w.resize(700, 500);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  for (size_t from = 0; from < bodies.size(); ++from) {
    for (size_t to = 0; to < bodies.size(); ++to) {
      if (from == to) continue;
      SCOPED_TRACE(testing::Message() << names[from] << " -> " << names[to]);
      w.SelectNode(Nth(w, from + 1));
      w.SelectNode(Nth(w, to + 1));
      // What the node holds now: a body left absent was stored as the empty pane.
      ExpectPaneHolds(w.RichEditMain, defaults, Nth(w, to + 1)->data()->Body);
      // The scroll bar shows exactly when the body is longer than the pane.
      EXPECT_EQ(w.RichEditMain->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
      EXPECT_EQ(w.RichEditMain->verticalScrollBar()->isVisible(), to < 2);
    }
  }
  EXPECT_FALSE(w.flags().TestModified());
}

TEST_F(PanesTest, ALoadedBodyIsEditedUndoneAndStoredAsBefore) {
  const std::string body = FormattedBody(300);
  const QString path =
      WriteDocument(QStringLiteral("edit.PWV"), {"root", "\ta", "\tb"}, {"", body, body});
  ASSERT_TRUE(window_->document().OpenDocument(path, true));
  TFormMain& w = *window_;
  w.resize(700, 500);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  w.SelectNode(Nth(w, 1));
  w.SelectNode(Nth(w, 2));
  QTextEdit* pane = w.RichEditMain;
  const QString loaded = pane->toPlainText();

  // The rest of the body is laid out in the background, down to the last paragraph.
  const QTextBlock last = pane->document()->lastBlock();
  for (int i = 0; i < 500 && last.layout()->lineCount() == 0; ++i) QTest::qWait(10);
  EXPECT_GT(last.layout()->lineCount(), 0);

  // Typing, undoing and selecting all work on the whole body.
  TypeInto(pane, QStringLiteral("X"));
  EXPECT_TRUE(pane->document()->isModified());
  pane->undo();
  EXPECT_EQ(pane->toPlainText(), loaded);
  EXPECT_FALSE(pane->document()->isModified());
  w.panes().MenuEditSelectAllClick();
  EXPECT_EQ(pane->textCursor().selectedText().size(), loaded.size());

  // An edit at the end is stored as the pane's RTF.
  pane->moveCursor(QTextCursor::End);
  TypeInto(pane, QStringLiteral("end"));
  w.panes().StoreCurrentNode();
  EXPECT_TRUE(w.flags().BodyModified);
  EXPECT_EQ(*Nth(w, 2)->data()->Body, DocumentToRtf(*pane->document()));
  EXPECT_EQ(*Nth(w, 1)->data()->Body, body);
}

TEST_F(PanesTest, TitlePaneTrimsAsTheUserTypes) {
  TFormMain& w = *window_;
  w.MemoTitle->clear();
  TypeInto(w.MemoTitle, QStringLiteral(" "));
  EXPECT_EQ(w.MemoTitle->text(), QStringLiteral(" "));  // a trailing blank survives for now
  TypeInto(w.MemoTitle, QStringLiteral("a"));
  EXPECT_EQ(w.MemoTitle->text(), QStringLiteral("a"));
  TypeInto(w.MemoTitle, QStringLiteral(" "));
  EXPECT_EQ(w.MemoTitle->text(), QStringLiteral("a "));
  EXPECT_EQ(Nth(w, 0)->title(), "a ");
  TypeInto(w.MemoTitle, QStringLiteral("b"));
  EXPECT_EQ(w.MemoTitle->text(), QStringLiteral("a b"));
  EXPECT_EQ(w.StatusPanels[0]->text(), QStringLiteral("a b"));
  // Leaving the node trims the stored title.
  w.MemoTitle->setText(QStringLiteral("c "));
  w.StoreCurrentNode();
  EXPECT_EQ(Nth(w, 0)->title(), "c");
}

TEST_F(PanesTest, UnmappableTitleCharactersAreReportedNotDropped) {
  TFormMain& w = *window_;
  w.MemoTitle->clear();
  TypeInto(w.MemoTitle, QString::fromUtf8("A\xF0\x9F\x98\x80"));  // an emoji has no CP932 form
  ASSERT_FALSE(dialogs_->asked.empty());
  EXPECT_EQ(Nth(w, 0)->title(), "A?");
  EXPECT_EQ(w.MemoTitle->text(), QStringLiteral("A?"));
}

TEST_F(PanesTest, InPlaceCaptionEditGoesToTheTitlePane) {
  TFormMain& w = *window_;
  const QModelIndex index = w.model()->IndexFromNode(Nth(w, 0));
  ASSERT_TRUE(w.model()->setData(index, QString::fromUtf8("新しい題"), Qt::EditRole));
  EXPECT_EQ(w.MemoTitle->text(), QString::fromUtf8("新しい題"));
  EXPECT_EQ(Utf8Title(Nth(w, 0)), "新しい題");
  EXPECT_EQ(w.StatusPanels[0]->text(), QString::fromUtf8("新しい題"));
  EXPECT_TRUE(w.flags().TitleModified);
}

TEST_F(PanesTest, ShiftEnterTakesTheTitleFromTheBody) {
  TFormMain& w = *window_;
  w.settings().TitleMaxLength = 9;  // bytes: four double-byte characters fit, not five
  w.MemoTitle->clear();
  w.MemoTitle->setModified(false);
  TypeInto(w.RichEditMain, QString::fromUtf8("  春の嵐が来た  "));
  QTest::keyClick(w.RichEditMain, Qt::Key_Return);
  TypeInto(w.RichEditMain, QStringLiteral("second line"));
  const QString body = w.RichEditMain->toPlainText();
  QTest::keyClick(w.RichEditMain, Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_EQ(w.MemoTitle->text(), QString::fromUtf8("春の嵐が"));
  EXPECT_EQ(w.RichEditMain->toPlainText(), body);  // no line break inserted
  EXPECT_TRUE(w.flags().TitleModified);
  // With a title present nothing changes.
  QTest::keyClick(w.RichEditMain, Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_EQ(w.MemoTitle->text(), QString::fromUtf8("春の嵐が"));
  EXPECT_EQ(w.RichEditMain->toPlainText(), body);
}

TEST_F(PanesTest, KeysBetweenPanes) {
  TFormMain& w = *window_;
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  w.TreeViewMain->setFocus();
  QTest::keyClick(w.TreeViewMain, Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), w.RichEditMain);
  EXPECT_TRUE(w.Action("MenuMoveEdit")->isChecked());
  EXPECT_TRUE(w.Action("ToolButtonMoveEdit")->isChecked());
  EXPECT_FALSE(w.Action("ToolButtonMoveTree")->isChecked());
  QTest::keyClick(w.RichEditMain, Qt::Key_Tab);
  EXPECT_EQ(w.RichEditMain->toPlainText(), QStringLiteral("\t"));  // Tab inserts a tab
  QTest::keyClick(w.RichEditMain, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(QApplication::focusWidget(), w.MemoTitle);
  EXPECT_TRUE(w.Action("MenuMoveTitle")->isChecked());
  QTest::keyClick(w.MemoTitle, Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), w.RichEditMain);
  QTest::keyClick(w.RichEditMain, Qt::Key_Insert);
  EXPECT_EQ(w.StatusPanels[1]->text(), QString::fromUtf8("上書"));
  EXPECT_TRUE(w.RichEditMain->overwriteMode());
  QTest::keyClick(w.RichEditMain, Qt::Key_Insert);
  EXPECT_EQ(w.StatusPanels[1]->text(), QString::fromUtf8("挿入"));
  w.panes().MenuMoveTreeClick();
  EXPECT_EQ(QApplication::focusWidget(), w.TreeViewMain);
  EXPECT_TRUE(w.Action("ToolButtonMoveTree")->isChecked());
  // Select all with the tree focused selects nothing and keeps the tree's selection.
  Node* before = w.SelectedNode();
  w.panes().MenuEditSelectAllClick();
  EXPECT_EQ(w.SelectedNode(), before);
  EXPECT_FALSE(w.RichEditMain->textCursor().hasSelection());
}

TEST_F(PanesTest, ShiftUpAndDownMoveBetweenSiblings) {
  const QString path = WriteDocument(QStringLiteral("sib.PWV"), {"r", "\ta", "\t\ta1", "\tb"});
  ASSERT_TRUE(window_->document().OpenDocument(path, true));
  TFormMain& w = *window_;
  w.SelectNode(Nth(w, 1));
  QTest::keyClick(w.TreeViewMain, Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(w.SelectedNode(), Nth(w, 3));
  QTest::keyClick(w.TreeViewMain, Qt::Key_Down, Qt::ShiftModifier);  // no next sibling
  EXPECT_EQ(w.SelectedNode(), Nth(w, 3));
  QTest::keyClick(w.TreeViewMain, Qt::Key_Up, Qt::ShiftModifier);
  EXPECT_EQ(w.SelectedNode(), Nth(w, 1));
}

TEST_F(PanesTest, NavigationCommandsAndBack) {
  const QString path = WriteDocument(QStringLiteral("nav.PWV"), {"r", "\ta", "\t\ta1", "\tb", "s"},
                                     {"", "", "", "", ""});
  ASSERT_TRUE(window_->document().OpenDocument(path, true));
  TFormMain& w = *window_;
  // Right after opening there is no place to go back to.
  w.panes().MenuEditBackClick();
  EXPECT_EQ(w.SelectedNode(), Nth(w, 0));
  EXPECT_FALSE(w.Action("MenuEditUp")->isEnabled());
  EXPECT_TRUE(w.Action("MenuEditDown")->isEnabled());

  // Pre-order walks into collapsed nodes; the visible walk does not.
  w.panes().MenuEditDownClick();
  w.panes().MenuEditDownClick();
  EXPECT_EQ(w.SelectedNode(), Nth(w, 2));
  w.TreeViewMain->collapse(w.model()->IndexFromNode(Nth(w, 1)));
  w.SelectNode(Nth(w, 1));
  w.panes().MenuEditDownVisibleClick();
  EXPECT_EQ(w.SelectedNode(), Nth(w, 3));
  w.panes().MenuEditUpVisibleClick();
  EXPECT_EQ(w.SelectedNode(), Nth(w, 1));
  w.SelectNode(Nth(w, 4));
  EXPECT_FALSE(w.Action("MenuEditDown")->isEnabled());
  EXPECT_FALSE(w.Action("MenuEditDownVisible")->isEnabled());
  EXPECT_TRUE(w.Action("MenuEditUp")->isEnabled());

  // Back swaps between two places and puts the caret back.
  w.SelectNode(Nth(w, 3));
  TypeInto(w.RichEditMain, QStringLiteral("abcdef"));
  w.SelectNode(Nth(w, 0));
  w.panes().MenuEditBackClick();
  EXPECT_EQ(w.SelectedNode(), Nth(w, 3));
  EXPECT_EQ(w.RichEditMain->textCursor().position(), 6);
  w.panes().MenuEditBackClick();
  EXPECT_EQ(w.SelectedNode(), Nth(w, 0));
  w.panes().MenuEditBackClick();
  EXPECT_EQ(w.SelectedNode(), Nth(w, 3));
}

TEST_F(PanesTest, StatusBarShowsLineAndColumn) {
  TFormMain& w = *window_;
  TypeInto(w.RichEditMain, QStringLiteral("ab"));
  QTest::keyClick(w.RichEditMain, Qt::Key_Return);
  TypeInto(w.RichEditMain, QStringLiteral("cde"));
  EXPECT_EQ(w.StatusPanels[2]->text(), QStringLiteral("  2 :   4"));
}

// Builds: r0 (root) / c1 (child) / p2 (parent) / i3 under p2 / ch4 (character) / it5 (item)
// and a second root r6 with child c7.
class TreeShapes : public testing::Test {
 public:
  void SetUp() override {
    r0 = outline.Append(nullptr, "r0", NewNodeData(nkRoot), kIconRoot);
    c1 = outline.Append(r0, "c1", NewNodeData(nkChild), 7);
    p2 = outline.Append(r0, "p2", NewNodeData(nkParent), 14);
    i3 = outline.Append(p2, "i3", NewNodeData(nkChild), 7);
    ch4 = outline.Append(r0, "ch4", NewNodeData(nkChara), kIconChara);
    it5 = outline.Append(ch4, "it5", NewNodeData(nkCharaItem), kIconCharaItem);
    r6 = outline.Append(nullptr, "r6", NewNodeData(nkRoot), kIconRoot);
    c7 = outline.Append(r6, "c7", NewNodeData(nkChild), 7);
  }
  Outline outline;
  Node *r0, *c1, *p2, *i3, *ch4, *it5, *r6, *c7;
};

TEST_F(TreeShapes, UpdateTreeCommandsTable) {
  struct Row {
    const char* name;
    Node* TreeShapes::*node;
    // add, add_child, ins, ins_item, up, down, mark, color, del, merge, split, template, eup, edown
    std::array<bool, 14> expected;
  };
  const Row rows[] = {
      {"first node", &TreeShapes::r0, {1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 1}},
      {"first child", &TreeShapes::c1, {1, 1, 1, 0, 0, 1, 1, 1, 1, 1, 1, 0, 1, 1}},
      {"parent", &TreeShapes::p2, {1, 1, 1, 0, 1, 1, 0, 1, 1, 0, 1, 1, 1, 1}},
      {"only child", &TreeShapes::i3, {1, 1, 1, 0, 0, 0, 1, 1, 1, 1, 1, 0, 1, 1}},
      {"character", &TreeShapes::ch4, {0, 1, 1, 1, 1, 0, 0, 0, 1, 0, 0, 1, 1, 1}},
      {"character item", &TreeShapes::it5, {1, 1, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 1}},
      // The second top-level node: its previous sibling is node 0, so it cannot move up.
      {"second root", &TreeShapes::r6, {1, 1, 0, 0, 0, 0, 0, 0, 1, 0, 1, 1, 1, 1}},
      {"last node", &TreeShapes::c7, {1, 1, 1, 0, 0, 0, 1, 1, 1, 1, 1, 0, 1, 0}},
  };
  for (const Row& row : rows) {
    const TreeCommandStates s = ComputeTreeCommandStates(outline, this->*row.node);
    const std::array<bool, 14> got = {s.add,
                                      s.add_child,
                                      s.ins_parent_child,
                                      s.ins_chara_item,
                                      s.up,
                                      s.down,
                                      s.mark_change,
                                      s.color,
                                      s.del,
                                      s.merge,
                                      s.split,
                                      s.save_template,
                                      s.edit_up,
                                      s.edit_down};
    EXPECT_EQ(got, row.expected) << row.name;
  }
  EXPECT_EQ(ComputeTreeCommandStates(outline, nullptr), TreeCommandStates{});
}

TEST_F(PanesTest, SplitDirectionKeepsItsMinimumSizes) {
  TFormMain& w = *window_;
  w.resize(700, 500);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  QApplication::processEvents();
  ASSERT_TRUE(w.split_h());
  EXPECT_EQ(w.SplitterMain->orientation(), Qt::Horizontal);
  EXPECT_EQ(w.SplitterMain->sizes()[0], 149);
  w.panes().MenuEditSplitChangeClick();
  QApplication::processEvents();
  EXPECT_FALSE(w.split_h());
  EXPECT_EQ(w.SplitterMain->orientation(), Qt::Vertical);
  const int room = w.SplitterMain->height();
  EXPECT_EQ(w.SplitterMain->sizes()[0], room / 2);
  w.SplitterMain->setSizes({100, room - 100});
  // Back to side by side: the width it had; and on top again: the height it had.
  w.panes().MenuEditSplitChangeClick();
  QApplication::processEvents();
  EXPECT_EQ(w.SplitterMain->orientation(), Qt::Horizontal);
  EXPECT_EQ(w.SplitterMain->sizes()[0], 149);
  w.panes().MenuEditSplitChangeClick();
  QApplication::processEvents();
  EXPECT_EQ(w.SplitterMain->sizes()[0], 100);
  // A tree dragged to nothing keeps 10 pixels.
  w.SplitterMain->setSizes({0, 800});
  EXPECT_GE(w.SplitterMain->sizes()[0], 10);
}

TEST_F(PanesTest, StackedTreeTallerThanTheWindowLeavesThirtyPixels) {
  IniFile ini;
  ini.WriteBool("Window", "SplitH", false);
  ini.WriteInteger("Window", "TreeWidth", 434);
  ini.WriteInteger("Window", "Width", 700);
  ini.WriteInteger("Window", "Height", 400);
  ASSERT_TRUE(ini.SaveFile(SettingsFilePath()).ok);
  MakeWindow();
  TFormMain& w = *window_;
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  QApplication::processEvents();
  EXPECT_FALSE(w.split_h());
  const int room = w.SplitterMain->height();
  ASSERT_LT(room, 434);
  EXPECT_EQ(w.SplitterMain->sizes()[0], room - 30);
}

TEST_F(PanesTest, DragAutoScrollTimer) {
  const QString path =
      WriteDocument(QStringLiteral("many.PWV"), std::vector<std::string>(300, std::string("node")));
  ASSERT_TRUE(window_->document().OpenDocument(path, true));
  TFormMain& w = *window_;
  w.resize(600, 400);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  EXPECT_EQ(w.TimerTree->interval(), 250);
  const QRect area = w.TreeViewMain->viewport()->rect();
  w.tree().TreeDragAt(QPoint(area.center().x(), area.bottom() + 20));
  EXPECT_TRUE(w.TimerTree->isActive());
  const int before = w.TreeViewMain->verticalScrollBar()->value();
  w.tree().TimerTreeTimer();
  w.tree().TimerTreeTimer();
  EXPECT_GT(w.TreeViewMain->verticalScrollBar()->value(), before);
  w.tree().TreeDragAt(area.center());
  EXPECT_FALSE(w.TimerTree->isActive());
  w.tree().TreeDragAt(QPoint(area.center().x(), -5));
  EXPECT_TRUE(w.TimerTree->isActive());
  w.tree().TreeDragEnded();
  EXPECT_FALSE(w.TimerTree->isActive());
}

}  // namespace
}  // namespace pw::test
