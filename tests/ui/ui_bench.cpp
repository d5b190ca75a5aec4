// Timings of the window with real documents: start-up to a shown window, opening a large
// document (with how often the progress window let events run), moving the selection between
// two nodes with large bodies (wall and CPU time, and how long the pane then goes on laying
// out the rest of the body in the background), the memory held with the document open, and
// its whole-document view.
// Usage: ui_bench [BIG.PWV]   (not a test: run it from a release build)
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QTreeView>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <memory>
#include <string>
#include <utility>

#include "core/cp932.h"
#include "core/outline_file.h"
#include "richtext/body_text.h"
#include "richtext/rich_document.h"
#include "richtext/rtf_writer.h"
#include "ui/common/dialogs.h"
#include "ui/common/rich_text_adapter.h"
#include "ui/common/tform_progress.h"
#include "ui/document/document_commands.h"
#include "ui/document/node_panes.h"
#include "ui/search/search_commands.h"
#include "ui/search/tform_find.h"
#include "ui/export/print_export_commands.h"
#include "ui/export/tform_view.h"
#include "ui/window/tform_main.h"

namespace {

// Milliseconds since this process was started by the kernel (includes loading libraries).
double MsSinceProcessStart() {
  std::ifstream stat("/proc/self/stat");
  std::string field;
  for (int i = 0; i < 22 && stat >> field; ++i) {
  }
  const double start_s = std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  return (static_cast<double>(now.tv_sec) + now.tv_nsec / 1e9 - start_s) * 1000.0;
}

double ThreadCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1000.0 + now.tv_nsec / 1e6;
}

double LoadAverage() {
  std::ifstream loadavg("/proc/loadavg");
  double one_minute = 0;
  loadavg >> one_minute;
  return one_minute;
}

// Runs events until the body pane has laid out its last paragraph; returns the longest time
// one round of events took (how long the pane would not answer a key) and the total.
std::pair<double, double> FinishBackgroundLayout(QTextEdit* pane) {
  QElapsedTimer total;
  total.start();
  double longest = 0;
  const QTextBlock last = pane->document()->lastBlock();
  while ((last.layout() == nullptr || last.layout()->lineCount() == 0) && total.elapsed() < 10000) {
    QElapsedTimer round;
    round.start();
    QCoreApplication::processEvents();
    longest = std::max(longest, static_cast<double>(round.nsecsElapsed()) / 1e6);
  }
  return {longest, static_cast<double>(total.nsecsElapsed()) / 1e6};
}

struct MoveTimes {
  double mean_ms = 0;
  double worst_ms = 0;
  double cpu_ms = 0;  // mean CPU time of this thread
  int moves = 0;
};

// Moves the selection from `from` to `to` and back, 10 times, timing each move to `to`
// (and each move back when `time_back`) up to the pane painted.
MoveTimes TimeMoves(pw::TFormMain& window, pw::Node* from, pw::Node* to, bool time_back) {
  MoveTimes times;
  window.SelectNode(from);
  QApplication::processEvents();
  QElapsedTimer timer;
  for (int i = 0; i < 20; ++i) {
    const bool timed = i % 2 == 0 || time_back;
    const double cpu_start = ThreadCpuMs();
    timer.start();
    window.SelectNode(i % 2 == 0 ? to : from);
    window.RichEditMain->repaint();
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    if (!timed) continue;
    times.cpu_ms += ThreadCpuMs() - cpu_start;
    times.worst_ms = std::max(times.worst_ms, ms);
    times.mean_ms += ms;
    ++times.moves;
  }
  times.mean_ms /= times.moves;
  times.cpu_ms /= times.moves;
  return times;
}

long RssKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return 0;
}

// About `bytes` of RTF: paragraphs of Japanese text with some bold runs.
std::string BigBody(size_t bytes) {
  pw::rich::RichDocument document;
  document.paragraphs.clear();
  pw::rich::CharFormat plain;
  plain.face = "Noto Serif CJK JP";
  pw::rich::CharFormat bold = plain;
  bold.bold = true;
  std::string rtf;
  for (int i = 0; rtf.size() < bytes; ++i) {
    pw::rich::Paragraph paragraph;
    paragraph.runs.push_back(
        {"雨の朝、二人は駅で出会った。海辺の町に星が降る夜のことだった。", plain});
    paragraph.runs.push_back({"第" + std::to_string(i) + "節", bold});
    document.paragraphs.push_back(paragraph);
    if (i % 200 == 0) rtf = pw::rich::WriteRtf(document);
  }
  return pw::rich::WriteRtf(document);
}

// Answers every question Yes and every font dialog with the font it opens on.
class AnsweringDialogs : public pw::Dialogs {
 public:
  pw::DialogAnswer Ask(QWidget*, const QString&, const QString&, pw::DialogButtons buttons,
                       pw::DialogIcon) override {
    return buttons == pw::DialogButtons::kOk ? pw::DialogAnswer::kOk : pw::DialogAnswer::kYes;
  }
  std::optional<QString> OpenFileName(QWidget*, const pw::FileDialogRequest&) override {
    return std::nullopt;
  }
  std::optional<QString> SaveFileName(QWidget*, const pw::FileDialogRequest&) override {
    return std::nullopt;
  }
  std::optional<QFont> ChooseFont(QWidget*, const QFont& initial) override { return initial; }
  std::optional<QColor> ChooseColor(QWidget*, const QColor& initial) override { return initial; }
};

}  // namespace

int main(int argc, char** argv) {
  QTemporaryDir dir;
  qputenv("PLOTWEAVE_CONFIG_DIR", QFile::encodeName(dir.path() + "/config"));
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Plotweave"));
  QElapsedTimer timer;
  timer.start();
  pw::TFormMain window;
  window.StartUp({QStringLiteral("plotweave")});
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) std::printf("window not exposed\n");
  std::printf("start-up: %.1f ms in main(), %.1f ms since process start\n",
              static_cast<double>(timer.nsecsElapsed()) / 1e6, MsSinceProcessStart());

  // Two nodes with 200 KB bodies and one with a single paragraph.
  {
    pw::Outline outline;
    pw::Node* root = outline.Append(nullptr, "root", pw::NewNodeData(pw::nkRoot), 1);
    const std::string body = BigBody(200 * 1024);
    pw::Node* a = outline.Append(root, "a", pw::NewNodeData(pw::nkChild), 7);
    pw::Node* b = outline.Append(root, "b", pw::NewNodeData(pw::nkChild), 7);
    pw::Node* s = outline.Append(root, "s", pw::NewNodeData(pw::nkChild), 7);
    a->data()->SetBody(body);
    b->data()->SetBody(body);
    s->data()->SetBody(BigBody(1));
    const QString path = dir.path() + "/bodies.PWV";
    pw::WriteOutlineFile(QFile::encodeName(path).toStdString(), outline, {});
    window.document().OpenDocument(path, true);
    pw::Node* na = window.outline().NodeAt(1);
    pw::Node* nb = window.outline().NodeAt(2);
    pw::Node* ns = window.outline().NodeAt(3);
    const double load_before = LoadAverage();
    const MoveTimes long_to_long = TimeMoves(window, na, nb, true);
    const MoveTimes short_to_long = TimeMoves(window, ns, na, false);
    window.SelectNode(nb);
    const auto [longest_pause, rest_ms] = FinishBackgroundLayout(window.RichEditMain);
    {
      QElapsedTimer part;
      part.start();
      const pw::rich::RichDocument parsed = pw::rich::BodyToDocument(body);
      const double parse_ms = static_cast<double>(part.nsecsElapsed()) / 1e6;
      part.restart();
      QTextDocument scratch;
      pw::RichToQt(parsed, &scratch);
      const double build_ms = static_cast<double>(part.nsecsElapsed()) / 1e6;
      part.restart();
      scratch.clear();
      const double clear_ms = static_cast<double>(part.nsecsElapsed()) / 1e6;
      part.restart();
      window.panes().ClearBodyPane();
      const double pane_clear_ms = static_cast<double>(part.nsecsElapsed()) / 1e6;
      part.restart();
      pw::RichToQt(parsed, window.RichEditMain->document());
      const double pane_build_ms = static_cast<double>(part.nsecsElapsed()) / 1e6;
      part.restart();
      window.RichEditMain->repaint();
      const double pane_paint_ms = static_cast<double>(part.nsecsElapsed()) / 1e6;
      part.restart();
      window.panes().ClearBodyPane();
      const double pane_clear2_ms = static_cast<double>(part.nsecsElapsed()) / 1e6;
      std::printf("  pane: clear %.1f ms, build %.1f ms, paint %.1f ms, clear full %.1f ms\n",
                  pane_clear_ms, pane_build_ms, pane_paint_ms, pane_clear2_ms);
      std::printf(
          "  of which: RTF read %.1f ms, QTextDocument build %.1f ms, clear %.1f ms (%zu "
          "paragraphs)\n",
          parse_ms, build_ms, clear_ms, parsed.paragraphs.size());
    }
    std::printf(
        "selection between two %zu-byte bodies: mean %.1f ms, worst %.1f ms, CPU %.1f ms (%d "
        "moves, with repaint; load average %.2f)\n",
        body.size(), long_to_long.mean_ms, long_to_long.worst_ms, long_to_long.cpu_ms,
        long_to_long.moves, load_before);
    std::printf(
        "  from a one-paragraph body to it: mean %.1f ms, worst %.1f ms, CPU %.1f ms (%d "
        "moves)\n",
        short_to_long.mean_ms, short_to_long.worst_ms, short_to_long.cpu_ms, short_to_long.moves);
    std::printf("  then the rest laid out in the background: %.0f ms, longest pause %.1f ms\n",
                rest_ms, longest_pause);
  }

  if (argc >= 2) {
    const QString path = QString::fromLocal8Bit(argv[1]);
    const long rss_before = RssKb();
    timer.restart();
    const bool ok = window.document().OpenDocument(path, true);
    QApplication::processEvents();
    const double open_ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    const int event_runs = window.FormProgress->event_runs();
    timer.restart();
    window.TreeViewMain->repaint();
    const double paint_ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    const long rss_after = RssKb();
    const double file_kb = static_cast<double>(QFile(path).size()) / 1024.0;
    std::printf(
        "open %s: %s, %zu nodes, %.0f ms to the tree shown (+%.1f ms first tree paint), "
        "progress let events run %d times\n",
        argv[1], ok ? "ok" : "FAILED", window.outline().size(), open_ms, paint_ms, event_runs);
    std::printf(
        "memory: file %.0f KB, process RSS %ld KB (%.2f x file), RSS growth by the open %ld KB "
        "(%.2f x file)\n",
        file_kb, rss_after, rss_after / file_kb, rss_after - rss_before,
        (rss_after - rss_before) / file_kb);
    // Moving between two nodes of the big document.
    pw::Node* first = window.outline().NodeAt(1);
    pw::Node* second = window.outline().NodeAt(window.outline().size() - 1);
    timer.restart();
    window.SelectNode(second);
    window.SelectNode(first);
    std::printf("two selection moves in the big document: %.1f ms\n",
                static_cast<double>(timer.nsecsElapsed()) / 1e6);
    // The recovery copy written after a minute of editing, in steps between events: the
    // longest time the window does not answer is the pause the user would feel.
    double worst_pause = 0;
    double worst_start = 0;
    double total_copy = 0;
    constexpr int kCopies = 5;
    for (int i = 0; i < kCopies; ++i) {
      window.RichEditMain->textCursor().insertText(QStringLiteral("x"));
      QElapsedTimer whole;
      whole.start();
      timer.restart();
      window.document().WriteRecoveryCopy();
      worst_start = std::max(worst_start, static_cast<double>(timer.nsecsElapsed()) / 1e6);
      while (window.document().writing_recovery_copy()) {
        timer.restart();
        QApplication::processEvents();
        worst_pause = std::max(worst_pause, static_cast<double>(timer.nsecsElapsed()) / 1e6);
      }
      total_copy += static_cast<double>(whole.nsecsElapsed()) / 1e6;
    }
    std::printf(
        "recovery copy of the big document: %.0f ms from start to end (mean of %d); longest "
        "pause of the window: %.1f ms to start, %.1f ms in a step\n",
        total_copy / kCopies, kCopies, worst_start, worst_pause);
    window.document().DiscardRecoveryCopy();
    // The whole-document view of the big document: built, shown and painted.
    timer.restart();
    window.print_exports().MenuFileViewClick();
    pw::TFormView* view = window.print_exports().FormView();
    if (!QTest::qWaitForWindowExposed(view)) std::printf("view not exposed\n");
    view->RichEditView->repaint();
    std::printf("whole-document view: %.0f ms to shown and painted (%d blocks in by then)\n",
                static_cast<double>(timer.nsecsElapsed()) / 1e6,
                view->RichEditView->document()->blockCount());
    while (view->filling()) QApplication::processEvents();
    std::printf("  filled: %.0f ms (%d blocks)\n", static_cast<double>(timer.nsecsElapsed()) / 1e6,
                view->RichEditView->document()->blockCount());
    view->hide();
    // The same with every node expanded after reading (NodeOpen).
    window.settings().NodeOpen = true;
    timer.restart();
    window.document().OpenDocument(path, true);
    QApplication::processEvents();
    window.TreeViewMain->repaint();
    std::printf("open with every node expanded: %.0f ms\n",
                static_cast<double>(timer.nsecsElapsed()) / 1e6);
    // Font and tab unification over every body, through the commands, with the dialogs
    // answered: each rewrites every stored body while the progress window shows.
    window.SetDialogs(std::make_unique<AnsweringDialogs>());
    for (const char* command : {"MenuTextFontAll", "MenuTextTabAll"}) {
      timer.restart();
      window.Action(QString::fromLatin1(command))->trigger();
      std::printf("%s over %zu nodes: %.0f ms (progress let events run %d times)\n", command,
                  window.outline().size(), static_cast<double>(timer.nsecsElapsed()) / 1e6,
                  window.FormProgress->event_runs());
    }

    // "すべて置換" of "の" by "ノ" over the whole document from the first node, as the replace
    // dialog runs it (the search that selects the first hit, then the loop), without the
    // message box at the end.
    pw::search::TFindPanes& panes = window.search().find_panes();
    pw::search::FindSession& session = window.search().form_replace()->session();
    window.SelectNode(window.outline().NodeAt(0));
    panes.Select(pw::search::FindPane::kBody, 0, 0);
    panes.Select(pw::search::FindPane::kTitle, 0, 0);
    session.search_position = 0;
    pw::search::FindOptions options;
    options.whole_document = true;
    timer.restart();
    session.Prepare(pw::Utf8ToCp932("の").text, options);
    const bool found = session.Walk(panes);
    const double find_ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    timer.restart();
    const size_t count = found ? session.ReplaceAll(panes, pw::Utf8ToCp932("ノ").text) : 0;
    QApplication::processEvents();
    window.TreeViewMain->repaint();
    std::printf(
        "replace all: %zu hits replaced in %.0f ms (+%.1f ms for the search that found "
        "the first), goal < 5000 ms\n",
        count, static_cast<double>(timer.nsecsElapsed()) / 1e6, find_ms);
  }
  window.flags().Clear();
  window.RichEditMain->document()->setModified(false);
  return 0;
}
