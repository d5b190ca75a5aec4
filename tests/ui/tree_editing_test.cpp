// Tree editing through the main window: commands and their common ending, drag and drop by hit
// class, undo captions and enabled states per focused pane, the confirmation dialog, the node
// clipboard between two windows, malformed payloads, merge and split, templates.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QTreeView>

#include "core/cp932.h"
#include "core/node_marks.h"
#include "editing/node_clipboard.h"
#include "editing/tree_editor.h"
#include "ui/document/outline_model.h"
#include "ui/editing/tform_import_node.h"
#include "ui/editing/tform_undo_dialog.h"
#include "ui_test_support.h"

namespace pw::test {
namespace {

using TreeEditingTest = WindowTest;

Node* Nth(TFormMain& w, size_t index) { return w.outline().NodeAt(index); }

std::vector<std::string> Titles(TFormMain& w) {
  std::vector<std::string> titles;
  w.outline().ForEach([&](Node* node) {
    titles.push_back(std::string(static_cast<size_t>(node->level()), '\t') + Utf8Title(node));
  });
  return titles;
}

std::string Rtf(const char* ascii) { return std::string("{\\rtf1\\ansi ") + ascii + "}"; }

QString Caption(TFormMain& w) { return w.Action("MenuEditUndo")->text(); }
bool Enabled(TFormMain& w, const char* name) {
  return w.Action(QString::fromLatin1(name))->isEnabled();
}

// Shows the window so focus and hit tests behave as on screen.
void Show(TFormMain& w) {
  w.resize(900, 600);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  QApplication::processEvents();
}

// Answers the next TFormUndoDialog from the event loop: ticks the box when asked, presses a
// button, and counts how many dialogs came.
struct UndoDialogScript {
  int shown = 0;
  void Answer(bool tick, bool yes) {
    QTimer::singleShot(0, [this, tick, yes] {
      auto* dialog = qobject_cast<TFormUndoDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      ++shown;
      dialog->CheckBoxDisable->setChecked(tick);
      (yes ? dialog->ButtonYes : dialog->ButtonNo)->click();
    });
  }
};

TEST_F(TreeEditingTest, CommandsCreateNodesWithTheirKindsAndTheCommonEnding) {
  const QString path = WriteDocument("s.PWV", {"root", "\tA", "\tB", "\t\tB1", "top2"});
  ASSERT_TRUE(window_->document().OpenDocument(path, false));
  TFormMain& w = *window_;
  Show(w);
  struct Case {
    size_t select;
    const char* command;
    std::vector<std::string> titles_after;  // empty title shows as ""
    int32_t new_kind;
    size_t new_index;
  };
  const Case cases[] = {
      // beside a top-level node: a new top-level node at the end of the top level
      {0, "MenuTreeAdd", {"root", "\tA", "\tB", "\t\tB1", "top2", ""}, nkRoot, 5},
      // under A (kind 3 at level 1): A takes the parent mark
      {1, "MenuTreeAddChild", {"root", "\tA", "\t\t", "\tB", "\t\tB1", "top2"}, nkChild, 2},
      {2, "MenuTreeInsParent", {"root", "\tA", "\t", "\tB", "\t\tB1", "top2"}, nkParent, 2},
      {3, "MenuTreeInsChild", {"root", "\tA", "\tB", "\t\t", "\t\tB1", "top2"}, nkChild, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    ASSERT_TRUE(w.document().OpenDocument(path, false));
    w.SelectNode(Nth(w, c.select));
    w.flags().Clear();
    ASSERT_TRUE(Enabled(w, c.command));
    w.Action(QString::fromLatin1(c.command))->trigger();
    EXPECT_EQ(Titles(w), c.titles_after);
    Node* created = Nth(w, c.new_index);
    EXPECT_EQ(created->data()->Kind, c.new_kind);
    EXPECT_EQ(w.current_node(), created);
    EXPECT_EQ(w.focusWidget(), w.MemoTitle);
    EXPECT_TRUE(w.flags().TreeModified);
    EXPECT_EQ(w.tree().tree_editor().undo_record().kind, UndoRecord::Kind::kAdd);
    EXPECT_EQ(w.tree().tree_editor().undo_record().node, created);
  }
  // Add child made A a parent-marked node.
  ASSERT_TRUE(w.document().OpenDocument(path, false));
  w.SelectNode(Nth(w, 1));
  w.tree().MenuTreeAddChildClick();
  EXPECT_EQ(Nth(w, 1)->data()->Kind, nkParent);
  // A new document or an open clears the undo record.
  w.tree().MenuTreeAddClick();
  ASSERT_NE(w.tree().tree_editor().undo_record().kind, UndoRecord::Kind::kNone);
  ASSERT_TRUE(w.document().OpenDocument(path, false));
  EXPECT_EQ(w.tree().tree_editor().undo_record().kind, UndoRecord::Kind::kNone);
  w.tree().MenuTreeAddClick();
  w.flags().Clear();
  w.document().NewDocument();
  EXPECT_EQ(w.tree().tree_editor().undo_record().kind, UndoRecord::Kind::kNone);
}

TEST_F(TreeEditingTest, DeleteUndoUndoAndMoveUndoThroughTheWindow) {
  const QString path = WriteDocument("s.PWV", {"root", "\tA", "\tB", "\t\tB1", "\tC"},
                                     {"", "", Rtf("bee"), Rtf("bee one"), ""});
  ASSERT_TRUE(window_->document().OpenDocument(path, false));
  TFormMain& w = *window_;
  Show(w);
  w.TreeViewMain->setFocus();
  w.SelectNode(Nth(w, 2));
  w.Action("MenuTreeDel")->trigger();
  EXPECT_EQ(Titles(w), (std::vector<std::string>{"root", "\tA", "\tC"}));
  EXPECT_EQ(w.current_node(), Nth(w, 2));  // the next sibling takes the selection
  w.tree().UpdateCommandStates();
  EXPECT_EQ(Caption(w), QString::fromUtf8(kUndoTreeDeleteCaption));
  w.tree().MenuEditUndoClick();
  EXPECT_EQ(Titles(w), (std::vector<std::string>{"root", "\tA", "\tB", "\t\tB1", "\tC"}));
  EXPECT_EQ(BodyText(Nth(w, 3)), "bee one");
  EXPECT_EQ(w.current_node(), Nth(w, 2));
  // Undoing the restore (an add) asks first; "はい" deletes again.
  UndoDialogScript script;
  script.Answer(false, true);
  w.tree().MenuEditUndoClick();
  EXPECT_EQ(script.shown, 1);
  EXPECT_EQ(Titles(w), (std::vector<std::string>{"root", "\tA", "\tC"}));
  EXPECT_TRUE(w.settings().UndoDialog);

  // Move down, undo, undo.
  w.SelectNode(Nth(w, 1));
  w.tree().MenuTreeDownClick();
  EXPECT_EQ(Titles(w), (std::vector<std::string>{"root", "\tC", "\tA"}));
  w.tree().UpdateCommandStates();
  EXPECT_EQ(Caption(w), QString::fromUtf8(kUndoTreeMoveCaption));
  w.tree().MenuEditUndoClick();
  EXPECT_EQ(Titles(w), (std::vector<std::string>{"root", "\tA", "\tC"}));
  w.tree().MenuEditUndoClick();
  EXPECT_EQ(Titles(w), (std::vector<std::string>{"root", "\tC", "\tA"}));
}

TEST_F(TreeEditingTest, ColoursMarksAndOpenCloseAll) {
  const QString path = WriteDocument("s.PWV", {"root", "\tA", "\tB", "\t\tB1"});
  ASSERT_TRUE(window_->document().OpenDocument(path, false));
  TFormMain& w = *window_;
  Show(w);
  w.SelectNode(Nth(w, 1));
  w.Action("MenuTreeColorGreen")->trigger();
  EXPECT_EQ(Nth(w, 1)->data()->Color, ncGreen);
  EXPECT_EQ(Nth(w, 1)->icon(), kChildIconBase + ncGreen);
  EXPECT_EQ(w.tree().tree_editor().current_color(), ncGreen);
  // The tool button applies the current colour.
  w.SelectNode(Nth(w, 3));
  w.Action("ToolButtonTreeColor")->trigger();
  EXPECT_EQ(Nth(w, 3)->data()->Color, ncGreen);
  w.tree().MenuTreeMarkChangeClick();
  EXPECT_EQ(Nth(w, 3)->data()->Kind, nkParent);
  w.tree().MenuTreeCloseClick();
  EXPECT_FALSE(w.TreeViewMain->isExpanded(w.model()->IndexFromNode(Nth(w, 0))));
  EXPECT_EQ(w.current_node(), Nth(w, 0));
  w.tree().MenuTreeOpenClick();
  EXPECT_TRUE(w.TreeViewMain->isExpanded(w.model()->IndexFromNode(Nth(w, 2))));
  EXPECT_EQ(w.current_node(), Nth(w, 3));  // the last node
}

TEST_F(TreeEditingTest, DragAndDropByHitClass) {
  const QString path = WriteDocument("s.PWV", {"root", "\tA", "\tB", "\t\tB1", "\tC"});
  TFormMain& w = *window_;
  Show(w);
  const auto row_rect = [&](size_t index) {
    return w.TreeViewMain->visualRect(w.model()->IndexFromNode(Nth(w, index)));
  };
  const auto on_label = [&](size_t index) {
    const QRect r = row_rect(index);
    return QPoint(r.left() + 10, r.center().y());
  };
  const auto on_indent = [&](size_t index) {
    const QRect r = row_rect(index);
    return QPoint(r.left() - 4, r.center().y());
  };
  struct Case {
    const char* name;
    size_t dragged;
    std::function<QPoint()> where;
    bool accepted;
    std::vector<std::string> titles_after;
  };
  const std::vector<Case> cases = {
      {"label: last child",
       3,
       [&] { return on_label(1); },
       true,
       {"root", "\tA", "\t\tB1", "\tB", "\tC"}},
      {"indent: before",
       4,
       [&] { return on_indent(1); },
       true,
       {"root", "\tC", "\tA", "\tB", "\t\tB1"}},
      {"indent of the first node: last top-level node",
       2,
       [&] { return on_indent(0); },
       true,
       {"root", "\tA", "\tC", "B", "\tB1"}},
      {"right of the label",
       4,
       [&] { return QPoint(w.TreeViewMain->viewport()->width() - 3, row_rect(1).center().y()); },
       false,
       {"root", "\tA", "\tB", "\t\tB1", "\tC"}},
      {"below the last row",
       4,
       [&] { return QPoint(10, row_rect(4).bottom() + 40); },
       false,
       {"root", "\tA", "\tB", "\t\tB1", "\tC"}},
      {"into its own subtree: refused by the tree",
       2,
       [&] { return on_label(3); },
       true,
       {"root", "\tA", "\tB", "\t\tB1", "\tC"}},
      {"first node dragged",
       0,
       [&] { return on_label(1); },
       false,
       {"root", "\tA", "\tB", "\t\tB1", "\tC"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(w.document().OpenDocument(path, false));
    w.tree().MenuTreeOpenClick();
    QApplication::processEvents();
    w.SelectNode(Nth(w, c.dragged));
    const QPoint pos = c.where();
    EXPECT_EQ(w.tree().TreeViewMainDragOver(pos), c.accepted);
    EXPECT_FALSE(w.TimerTree->isActive());
    w.tree().TreeViewMainDragDrop(pos);
    EXPECT_EQ(Titles(w), c.titles_after);
    const bool moved =
        c.titles_after != std::vector<std::string>{"root", "\tA", "\tB", "\t\tB1", "\tC"};
    EXPECT_EQ(w.tree().tree_editor().undo_record().kind == UndoRecord::Kind::kMove, moved);
  }
  // A dropped top-level node got the root mark; one moved under a node the parent mark.
  ASSERT_TRUE(w.document().OpenDocument(path, false));
  w.tree().MenuTreeOpenClick();
  w.SelectNode(Nth(w, 2));
  w.tree().TreeViewMainDragDrop(on_indent(0));
  EXPECT_EQ(Nth(w, 3)->data()->Kind, nkRoot);
  EXPECT_EQ(Nth(w, 3)->icon(), kIconRoot);

  // Outside the viewport: refused, and the auto-scroll runs that way until the pointer is back.
  const QRect area = w.TreeViewMain->viewport()->rect();
  const QPoint outside[] = {{10, -5}, {10, area.bottom() + 5}, {-5, 10}, {area.right() + 5, 10}};
  for (const QPoint& pos : outside) {
    Node* target = nullptr;
    EXPECT_NE(w.tree().TreeHitAt(pos, &target), DropHit::kLabel);
    EXPECT_FALSE(w.tree().TreeViewMainDragOver(pos));
    EXPECT_TRUE(w.TimerTree->isActive());
    w.tree().TreeViewMainDragOver(on_label(0));
    EXPECT_FALSE(w.TimerTree->isActive());
  }
  Node* target = nullptr;
  EXPECT_EQ(w.tree().TreeHitAt(QPoint(10, -5), &target), DropHit::kOutsideAbove);
  EXPECT_EQ(w.tree().TreeHitAt(on_label(1), &target), DropHit::kLabel);
  EXPECT_EQ(target, Nth(w, 1));
  EXPECT_EQ(w.tree().TreeHitAt(on_indent(1), &target), DropHit::kButton);
}

TEST_F(TreeEditingTest, CharacterItemsDropOnlyUnderCharacters) {
  TFormMain& w = *window_;
  Show(w);
  w.tree().MenuTreeAddChildClick();  // a story node under the root
  w.SelectNode(Nth(w, 0));
  w.tree().MenuTreeInsCharaClick();  // root, story, chara with four items
  w.tree().MenuTreeOpenClick();
  QApplication::processEvents();
  ASSERT_EQ(w.outline().size(), 7u);
  Node* chara = Nth(w, 2);
  ASSERT_EQ(chara->data()->Kind, nkChara);
  EXPECT_EQ(chara->child_count(), 4u);
  Node* item = Nth(w, 6);
  w.SelectNode(item);
  const auto label = [&](Node* n) {
    const QRect r = w.TreeViewMain->visualRect(w.model()->IndexFromNode(n));
    return QPoint(r.left() + 10, r.center().y());
  };
  const auto indent = [&](Node* n) {
    const QRect r = w.TreeViewMain->visualRect(w.model()->IndexFromNode(n));
    return QPoint(r.left() - 4, r.center().y());
  };
  EXPECT_FALSE(w.tree().TreeViewMainDragOver(label(Nth(w, 1))));  // onto a story node
  EXPECT_FALSE(w.tree().TreeViewMainDragOver(label(Nth(w, 3))));  // onto another item's label
  EXPECT_FALSE(w.tree().TreeViewMainDragOver(indent(chara)));     // before the character node
  EXPECT_TRUE(w.tree().TreeViewMainDragOver(label(chara)));
  EXPECT_TRUE(w.tree().TreeViewMainDragOver(indent(Nth(w, 3))));
  w.tree().TreeViewMainDragDrop(indent(Nth(w, 3)));
  EXPECT_EQ(Nth(w, 3), item);
  EXPECT_EQ(item->data()->Kind, nkCharaItem);
}

TEST_F(TreeEditingTest, UndoCaptionsAndEditingStatesFollowTheFocusedPane) {
  const QString path = WriteDocument("s.PWV", {"root", "\tA"}, {"", Rtf("body")});
  ASSERT_TRUE(window_->document().OpenDocument(path, false));
  TFormMain& w = *window_;
  Show(w);
  QGuiApplication::clipboard()->clear();

  w.SelectNode(Nth(w, 0));
  w.TreeViewMain->setFocus();
  w.tree().UpdateCommandStates();
  EXPECT_EQ(Caption(w), QString::fromUtf8(kUndoTreeCaption));
  EXPECT_FALSE(Enabled(w, "MenuEditUndo"));
  EXPECT_FALSE(Enabled(w, "MenuEditCut"));  // the first node
  EXPECT_FALSE(Enabled(w, "MenuEditPaste"));
  EXPECT_FALSE(Enabled(w, "MenuEditSelectAll"));
  w.SelectNode(Nth(w, 1));
  w.TreeViewMain->setFocus();
  w.tree().UpdateCommandStates();
  EXPECT_TRUE(Enabled(w, "MenuEditCut"));
  EXPECT_TRUE(Enabled(w, "MenuEditCopy"));
  w.tree().MenuTreeAddClick();
  w.TreeViewMain->setFocus();
  w.tree().UpdateCommandStates();
  EXPECT_EQ(Caption(w), QString::fromUtf8(kUndoTreeAddCaption));
  EXPECT_TRUE(Enabled(w, "MenuEditUndo"));
  EXPECT_EQ(w.Action("PopupTreeUndo")->text(), Caption(w));
  EXPECT_TRUE(w.Action("PopupTreeUndo")->isEnabled());

  // Paste by clipboard content: the character-item format pastes only onto a character node.
  Outline scratch;
  scratch.Append(nullptr, "x", NewNodeData(nkCharaItem), kIconCharaItem);
  auto* mime = new QMimeData();
  const std::string payload = BuildNodePayload(scratch);
  mime->setData(QString::fromLatin1(kCharaItemNodeFormat),
                QByteArray(payload.data(), static_cast<qsizetype>(payload.size())));
  QGuiApplication::clipboard()->setMimeData(mime);
  w.tree().UpdateCommandStates();
  EXPECT_FALSE(Enabled(w, "MenuEditPaste"));
  w.tree().MenuTreeInsCharaClick();
  w.TreeViewMain->setFocus();
  w.tree().UpdateCommandStates();
  EXPECT_TRUE(Enabled(w, "MenuEditPaste"));
  const size_t before = w.outline().size();
  w.tree().MenuEditPasteClick();
  EXPECT_EQ(w.outline().size(), before + 1);
  EXPECT_EQ(w.current_node()->data()->Kind, nkCharaItem);

  // Title pane: its own undo.
  w.MemoTitle->setFocus();
  w.tree().UpdateCommandStates();
  EXPECT_EQ(Caption(w), QString::fromUtf8("ﾀｲﾄﾙを元に戻す(&U)"));
  EXPECT_FALSE(Enabled(w, "MenuEditUndo"));
  EXPECT_TRUE(Enabled(w, "MenuEditSelectAll"));
  TypeInto(w.MemoTitle, QStringLiteral("Ann"));
  w.tree().UpdateCommandStates();
  EXPECT_TRUE(Enabled(w, "MenuEditUndo"));
  EXPECT_FALSE(Enabled(w, "MenuEditCut"));
  w.MemoTitle->selectAll();
  w.tree().UpdateCommandStates();
  EXPECT_TRUE(Enabled(w, "MenuEditCut"));
  EXPECT_FALSE(Enabled(w, "MenuTextFont"));
  w.tree().MenuEditUndoClick();
  EXPECT_EQ(w.MemoTitle->text(), QStringLiteral("x"));  // the typing is undone as one step

  // Body pane: undo enabled exactly while the pane reports itself modified.
  w.SelectNode(Nth(w, 1));
  w.RichEditMain->setFocus();
  w.tree().UpdateCommandStates();
  EXPECT_EQ(Caption(w), QString::fromUtf8("ｴﾃﾞｨｯﾄを元に戻す(&U)"));
  EXPECT_FALSE(Enabled(w, "MenuEditUndo"));
  TypeInto(w.RichEditMain, QStringLiteral("x"));
  w.tree().UpdateCommandStates();
  EXPECT_TRUE(Enabled(w, "MenuEditUndo"));
  EXPECT_FALSE(Enabled(w, "MenuEditCopy"));
  w.RichEditMain->selectAll();
  w.tree().UpdateCommandStates();
  EXPECT_TRUE(Enabled(w, "MenuEditCopy"));
  // The status bar's third panel shows the caret's line and column.
  QTextCursor cursor = w.RichEditMain->textCursor();
  cursor.setPosition(2);
  w.RichEditMain->setTextCursor(cursor);
  w.tree().UpdateCommandStates();
  EXPECT_EQ(w.StatusPanels[2]->text(), QStringLiteral("  1 :   3"));

  // The context menus refresh the states as they open.
  w.TreeViewMain->setFocus();
  Q_EMIT w.PopupMenuTree->aboutToShow();
  EXPECT_TRUE(Caption(w).startsWith(QString::fromUtf8(kUndoTreeCaption)));
}

TEST_F(TreeEditingTest, ConfirmationCheckBoxTurnsTheQuestionOff) {
  TFormMain& w = *window_;
  Show(w);
  ASSERT_TRUE(w.settings().UndoDialog);
  EXPECT_EQ(w.tree().FormUndoDialog->windowTitle(), QString::fromUtf8("確認"));
  EXPECT_TRUE(w.tree().FormUndoDialog->ButtonNo->isDefault());
  w.tree().MenuTreeAddChildClick();
  const size_t size = w.outline().size();
  w.TreeViewMain->setFocus();
  UndoDialogScript script;
  script.Answer(/*tick=*/true, /*yes=*/false);
  w.tree().MenuEditUndoClick();
  EXPECT_EQ(script.shown, 1);
  EXPECT_EQ(w.outline().size(), size);  // "いいえ": nothing deleted
  EXPECT_FALSE(w.settings().UndoDialog);
  EXPECT_EQ(w.tree().FormUndoDialog->LabelText->text(),
            QString::fromUtf8(kUndoAddQuestion).replace(QStringLiteral("\r\n"), "\n"));
  // The next merge asks nothing.
  script.Answer(false, false);
  w.SelectNode(Nth(w, 1));
  w.tree().MenuTreeMergeClick();
  QApplication::processEvents();
  EXPECT_EQ(script.shown, 1);
  EXPECT_EQ(w.outline().size(), size - 1);
  // Merge and split leave nothing to undo.
  w.TreeViewMain->setFocus();
  w.tree().UpdateCommandStates();
  EXPECT_EQ(Caption(w), QString::fromUtf8(kUndoTreeCaption));
  EXPECT_FALSE(Enabled(w, "MenuEditUndo"));
}

TEST_F(TreeEditingTest, MergeAndSplitMoveBodyTextAtTheCaret) {
  const QString path =
      WriteDocument("s.PWV", {"root", "\tA", "\t\tA1"}, {"", Rtf("Parent."), Rtf("Child.")});
  ASSERT_TRUE(window_->document().OpenDocument(path, false));
  TFormMain& w = *window_;
  Show(w);
  w.settings().UndoDialog = false;
  w.SelectNode(Nth(w, 2));
  w.tree().MenuTreeMergeClick();
  EXPECT_EQ(Titles(w), (std::vector<std::string>{"root", "\tA"}));
  EXPECT_EQ(w.current_node(), Nth(w, 1));
  EXPECT_EQ(w.RichEditMain->toPlainText(), QStringLiteral("Parent.Child."));
  // Split at the caret: the rest of the body goes into the new first child.
  QTextCursor cursor = w.RichEditMain->textCursor();
  cursor.setPosition(7);
  w.RichEditMain->setTextCursor(cursor);
  w.tree().MenuTreeSplitChildClick();
  EXPECT_EQ(Titles(w), (std::vector<std::string>{"root", "\tA", "\t\t"}));
  EXPECT_EQ(w.current_node(), Nth(w, 2));
  EXPECT_EQ(w.RichEditMain->toPlainText(), QStringLiteral("Child."));
  EXPECT_EQ(BodyText(Nth(w, 1)), "Parent.");
  EXPECT_EQ(w.focusWidget(), w.MemoTitle);
  EXPECT_EQ(w.tree().tree_editor().undo_record().kind, UndoRecord::Kind::kNone);
  // Split at the same level with the caret at the end: an empty node after the current one.
  w.SelectNode(Nth(w, 1));
  w.RichEditMain->moveCursor(QTextCursor::End);
  w.tree().MenuTreeSplitClick();
  EXPECT_EQ(Titles(w), (std::vector<std::string>{"root", "\tA", "\t\t", "\t"}));
  EXPECT_EQ(BodyText(Nth(w, 1)), "Parent.");
  EXPECT_EQ(BodyText(Nth(w, 3)), "");
}

TEST_F(TreeEditingTest, SubtreeCopiedInOneWindowPastesIntoAnother) {
  const QString path = WriteDocument("s.PWV", {"root", "\tA", "\tB", "\t\tB1"},
                                     {"", "", Rtf("bee"), Rtf("{\\b bold} one")});
  ASSERT_TRUE(window_->document().OpenDocument(path, false));
  TFormMain& first = *window_;
  Show(first);
  first.SelectNode(Nth(first, 2));
  first.TreeViewMain->setFocus();
  first.tree().MenuEditCopyClick();
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(mime, nullptr);
  EXPECT_TRUE(mime->hasFormat(QString::fromLatin1("vantrel pwv standard treenode data format")));
  EXPECT_FALSE(mime->hasText());

  auto dialogs = std::make_unique<ScriptedDialogs>();
  TFormMain second(std::move(dialogs));
  second.StartUp({QStringLiteral("plotweave")});
  Show(second);
  second.TreeViewMain->setFocus();
  second.tree().UpdateCommandStates();
  EXPECT_TRUE(Enabled(second, "MenuEditPaste"));
  second.tree().MenuEditPasteClick();
  EXPECT_EQ(Titles(second), (std::vector<std::string>{"No Title", "\tB", "\t\tB1"}));
  EXPECT_EQ(BodyText(second.outline().NodeAt(2)), "bold one");
  EXPECT_EQ(second.outline().NodeAt(1)->data()->Kind, nkParent);
  EXPECT_EQ(second.current_node(), second.outline().NodeAt(1));
  EXPECT_TRUE(second.flags().TreeModified);
  second.flags().Clear();
  second.RichEditMain->document()->setModified(false);

  // Cut, then undo brings the subtree back at its place.
  first.SelectNode(Nth(first, 1));
  first.TreeViewMain->setFocus();
  first.tree().MenuEditCutClick();
  EXPECT_EQ(Titles(first), (std::vector<std::string>{"root", "\tB", "\t\tB1"}));
  first.tree().MenuEditUndoClick();
  EXPECT_EQ(Titles(first), (std::vector<std::string>{"root", "\tA", "\tB", "\t\tB1"}));
}

TEST_F(TreeEditingTest, MalformedPayloadInsertsNothingAndSaysSo) {
  TFormMain& w = *window_;
  Show(w);
  const QByteArray junk[] = {QByteArray(), QByteArray("\x03\x00\x00", 3),
                             QByteArray("\x03\x00\x00\xff\xff\xff\x7f\x00\x00\x00\x00", 11),
                             QByteArray(4096, '\xee')};
  for (const QByteArray& bytes : junk) {
    auto* mime = new QMimeData();
    mime->setData(QString::fromLatin1(kStandardNodeFormat), bytes);
    QGuiApplication::clipboard()->setMimeData(mime);
    w.StatusPanels[0]->clear();
    w.TreeViewMain->setFocus();
    w.tree().MenuEditPasteClick();
    EXPECT_EQ(w.outline().size(), 1u);
    EXPECT_TRUE(w.StatusPanels[0]->text().startsWith(QString::fromUtf8(kPastedNothingMessage)))
        << w.StatusPanels[0]->text().toStdString();
  }
}

TEST_F(TreeEditingTest, TitlePastedWithLineBreaksBecomesOneLine) {
  TFormMain& w = *window_;
  Show(w);
  QGuiApplication::clipboard()->setText(QStringLiteral("one\r\ntwo\nthree"));
  w.MemoTitle->setFocus();
  w.MemoTitle->selectAll();
  w.tree().MenuEditPasteClick();
  EXPECT_EQ(w.MemoTitle->text(), QStringLiteral("onetwothree"));
  EXPECT_EQ(Utf8Title(Nth(w, 0)), "onetwothree");
}

TEST_F(TreeEditingTest, CopyNodesWindowCopiesASubtreeOfAnotherDocument) {
  const QString other = WriteDocument("other.PWV", {"top", "\tX", "\t\tX1"}, {"", Rtf("ex"), ""});
  TFormMain& w = *window_;
  Show(w);
  dialogs_->file_names.push_back(other);
  w.tree().MenuEditCopyNodeClick();
  TFormImportNode* form = w.tree().FormImportNode;
  ASSERT_TRUE(form->isVisible());
  EXPECT_EQ(form->windowTitle(), other);
  EXPECT_EQ(form->SelectedNode(), form->import_outline().NodeAt(0));
  // A top-level node is not copied and the window stays.
  form->ButtonCopy->click();
  EXPECT_TRUE(form->isVisible());
  form->SelectNode(form->import_outline().NodeAt(1));
  form->ButtonCopy->click();
  EXPECT_FALSE(form->isVisible());
  ASSERT_FALSE(dialogs_->asked.empty());
  EXPECT_EQ(dialogs_->asked.back().text, QString::fromUtf8("[X] をコピーしました"));
  w.TreeViewMain->setFocus();
  w.tree().MenuEditPasteClick();
  EXPECT_EQ(Titles(w), (std::vector<std::string>{"No Title", "\tX", "\t\tX1"}));
  EXPECT_EQ(BodyText(Nth(w, 1)), "ex");
  // A name with another extension is refused.
  dialogs_->file_names.push_back(Path("other.TXT"));
  w.tree().MenuEditCopyNodeClick();
  EXPECT_EQ(dialogs_->asked.back().text, QString::fromUtf8("ファイル名が無効です"));
  form->hide();
}

TEST_F(TreeEditingTest, TemplatesRoundTripWithoutBodiesAndRecentList) {
  const QString path = WriteDocument("s.PWV", {"root", "\tA", "\t\tA1", "\t\t\tA11", "\tB"},
                                     {"", Rtf("a"), Rtf("a1"), "", ""});
  ASSERT_TRUE(window_->document().OpenDocument(path, false));
  TFormMain& w = *window_;
  Show(w);
  w.SelectNode(Nth(w, 1));
  const QString tpl = Path("skeleton.PWT");
  dialogs_->file_names.push_back(tpl);
  const bool modified = w.flags().TreeModified;
  w.tree().MenuTreeSaveTemplateClick();
  EXPECT_EQ(w.flags().TreeModified, modified);
  ASSERT_EQ(w.settings().TempHistory.size(), 1u);
  EXPECT_EQ(w.PopupMenuTempFileOpen->actions().size(), 1);
  EXPECT_EQ(w.PopupMenuTempFileOpen->actions()[0]->text(), QStringLiteral("&0 ") + tpl);

  w.SelectNode(Nth(w, 4));
  dialogs_->file_names.push_back(tpl);
  w.tree().MenuTreeInsTemplateClick();
  EXPECT_EQ(Titles(w), (std::vector<std::string>{"root", "\tA", "\t\tA1", "\t\t\tA11", "\tB",
                                                 "\t\tA", "\t\t\tA1", "\t\t\t\tA11"}));
  EXPECT_EQ(BodyText(Nth(w, 6)), "");
  EXPECT_TRUE(w.TreeViewMain->isExpanded(w.model()->IndexFromNode(Nth(w, 6))));
  EXPECT_EQ(w.tree().tree_editor().undo_record().kind, UndoRecord::Kind::kAdd);
  EXPECT_EQ(w.settings().TempHistory.size(), 1u);

  // A recent template whose file is gone leaves the list without inserting anything.
  QFile::remove(tpl);
  const size_t size = w.outline().size();
  w.PopupMenuTempFileOpen->actions()[0]->trigger();
  EXPECT_EQ(w.outline().size(), size);
  EXPECT_TRUE(w.settings().TempHistory.empty());
  EXPECT_TRUE(w.PopupMenuTempFileOpen->actions().isEmpty());
}

}  // namespace
}  // namespace pw::test
