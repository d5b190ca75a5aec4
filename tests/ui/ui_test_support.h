// Helpers of the UI tests: a scripted dialog implementation that answers from a queue and
// records every question, and a fixture that builds a fresh window in a private folder.
#ifndef PLOTWEAVE_TESTS_UI_UI_TEST_SUPPORT_H_
#define PLOTWEAVE_TESTS_UI_UI_TEST_SUPPORT_H_

#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/outline.h"
#include "ui/common/dialogs.h"
#include "ui/document/document_commands.h"
#include "ui/document/node_panes.h"
#include "ui/editing/tree_commands.h"
#include "ui/export/export_commands.h"
#include "ui/window/help_commands.h"
#include "ui/window/tform_main.h"

namespace pw::test {

struct AskedQuestion {
  QString caption;
  QString text;
  DialogButtons buttons;
  DialogIcon icon;
};

// Answers questions and file dialogs from queues; an empty queue answers Cancel (or Ok for a
// plain message) and cancels file dialogs.
class ScriptedDialogs : public Dialogs {
 public:
  std::deque<DialogAnswer> answers;
  std::deque<std::optional<QString>> file_names;
  std::vector<AskedQuestion> asked;
  std::vector<FileDialogRequest> file_dialogs;
  std::deque<std::optional<QFont>> fonts;  // font dialogs; empty: cancelled
  std::vector<QFont> font_requests;        // the font each font dialog started with

  DialogAnswer Ask(QWidget*, const QString& caption, const QString& text, DialogButtons buttons,
                   DialogIcon icon) override;
  std::optional<QString> OpenFileName(QWidget*, const FileDialogRequest& request) override;
  std::optional<QString> SaveFileName(QWidget*, const FileDialogRequest& request) override;
  // Colours and folders from their queues; an empty queue cancels, and so does a nullopt entry.
  std::deque<std::optional<QColor>> colors;
  std::deque<std::optional<QString>> folders;
  std::optional<QFont> ChooseFont(QWidget*, const QFont& initial) override;
  std::optional<QColor> ChooseColor(QWidget*, const QColor&) override { return Next(&colors); }
  std::optional<QString> ChooseFolder(QWidget*, const QString&, const QString&) override {
    return Next(&folders);
  }

  // Texts of every box shown so far.
  std::vector<QString> Texts() const;

 private:
  template <typename T>
  static std::optional<T> Next(std::deque<std::optional<T>>* queue) {
    if (queue->empty()) return std::nullopt;
    std::optional<T> answer = queue->front();
    queue->pop_front();
    return answer;
  }
};

class WindowTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // A fresh window (the previous one is closed without asking).
  void MakeWindow();
  // Closes without the save prompt getting in the way.
  void DiscardWindow();
  QString Path(const QString& name) const { return dir_.path() + QLatin1Char('/') + name; }
  // Writes a document with `titles` as top-level-then-children list: "A", "\tB", ...
  QString WriteDocument(const QString& name, const std::vector<std::string>& indented_titles,
                        const std::vector<std::string>& bodies = {});
  // Types into a pane as a user does.
  void TypeInto(QWidget* pane, const QString& text);

  QTemporaryDir dir_;
  std::unique_ptr<TFormMain> window_;
  ScriptedDialogs* dialogs_ = nullptr;  // owned by the window
};

// Reads a document file from disk into a fresh outline; fails the test when it cannot.
std::unique_ptr<Outline> ReadBack(const QString& path);
// The plain text of a stored body (UTF-8), for comparisons.
std::string BodyText(const Node* node);
std::string Utf8Title(const Node* node);

}  // namespace pw::test

#endif  // PLOTWEAVE_TESTS_UI_UI_TEST_SUPPORT_H_
