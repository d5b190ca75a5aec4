// Timings of the tree commands on a large subtree through the real window: copy, paste, delete
// and undo of a subtree of some 60,000 nodes of the benchmark document.
// Usage: tree_edit_bench BIG.PWV   (not a test: run it from a release build)
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTreeView>
#include <cstdio>
#include <cstdlib>

#include "editing/node_clipboard.h"
#include "editing/subtree_copy.h"
#include "editing/tree_editor.h"
#include "ui/document/document_commands.h"
#include "ui/editing/node_clipboard_qt.h"
#include "ui/editing/tree_commands.h"
#include "ui/window/tform_main.h"

namespace {

// Every question is answered yes; nothing else is asked by these commands.
class YesDialogs : public pw::Dialogs {
 public:
  pw::DialogAnswer Ask(QWidget*, const QString&, const QString&, pw::DialogButtons,
                       pw::DialogIcon) override {
    return pw::DialogAnswer::kYes;
  }
  std::optional<QString> OpenFileName(QWidget*, const pw::FileDialogRequest&) override { return {}; }
  std::optional<QString> SaveFileName(QWidget*, const pw::FileDialogRequest&) override { return {}; }
  std::optional<QFont> ChooseFont(QWidget*, const QFont&) override { return {}; }
  std::optional<QColor> ChooseColor(QWidget*, const QColor&) override { return {}; }
};

template <typename F>
double Time(const char* what, F&& run) {
  QElapsedTimer timer;
  timer.start();
  run();
  QApplication::processEvents();
  const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
  std::printf("%-40s %9.1f ms\n", what, ms);
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: tree_edit_bench BIG.PWV\n");
    return 2;
  }
  pw::TFormMain w(std::make_unique<YesDialogs>());
  w.settings().UndoDialog = false;
  w.StartUp({QStringLiteral("plotweave")});
  w.resize(900, 700);
  w.show();
  if (!QTest::qWaitForWindowExposed(&w)) return 1;
  if (!w.document().OpenDocument(QString::fromLocal8Bit(argv[1]), false)) return 1;
  pw::Outline& outline = w.outline();
  if (outline.child_count(nullptr) < 5) return 1;
  // One subtree of more than 50,000 nodes: the second and third top-level nodes go under the
  // fourth.
  pw::Node* big = outline.child(nullptr, 3);
  for (int i = 0; i < 2; ++i) {
    w.tree().tree_editor().DropNode(outline.child(nullptr, 1), big, pw::DropHit::kLabel);
  }
  pw::Node* other = outline.child(nullptr, outline.child_count(nullptr) - 1);
  std::printf("document: %zu nodes; subtree: %zu nodes\n", outline.size(),
              outline.SubtreeSize(big));
  w.TreeViewMain->setFocus();
  QApplication::processEvents();

  w.SelectNode(big);
  {
    // The copy's steps one by one.
    pw::Outline scratch;
    Time("  copy step: CopySubtreeTo", [&] { pw::CopySubtreeTo(outline, big, &scratch); });
    std::string payload;
    Time("  copy step: BuildNodePayload", [&] { payload = pw::BuildNodePayload(scratch); });
    std::printf("  payload: %zu bytes\n", payload.size());
    Time("  copy step: WriteNodeClipboard", [&] { pw::WriteNodeClipboard(scratch); });
  }
  Time("copy (store, copy, clipboard payload)", [&] { w.tree().MenuEditCopyClick(); });
  w.SelectNode(other);
  const size_t before = outline.size();
  Time("paste (read payload, insert)", [&] { w.tree().MenuEditPasteClick(); });
  std::printf("  inserted %zu nodes\n", outline.size() - before);
  w.SelectNode(big);
  Time("delete", [&] { w.tree().MenuTreeDelClick(); });
  Time("undo of the delete", [&] { w.tree().MenuEditUndoClick(); });
  std::printf("  document back to %zu nodes\n", outline.size());
  w.flags().Clear();
  return 0;
}
