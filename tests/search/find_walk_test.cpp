// The find and replace walk over headless panes: where searches start and end, what a
// replacement puts into a title, the histories, and replace-all on the stored texts against
// replace-all hit by hit through the panes.
#include "search/find_walk.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "../richtext/random_rtf.h"
#include "core/cp932.h"
#include "richtext/body_text.h"
#include "richtext/plain_text.h"
#include "richtext/rich_operations.h"
#include "richtext/rtf_writer.h"
#include "search/find_history.h"
#include "search/stored_panes.h"
#include "search_test_util.h"

namespace pw::search {
namespace {

using testing::Sj;

// Ends the test program with a failure when the scope it guards is still running after
// `seconds`: a replace loop that does not advance runs forever rather than failing.
class Watchdog {
 public:
  Watchdog(const char* what, int seconds)
      : thread_([this, what, seconds] {
          std::unique_lock<std::mutex> lock(mutex_);
          if (!done_cv_.wait_for(lock, std::chrono::seconds(seconds), [this] { return done_; })) {
            std::fprintf(stderr, "%s: still running after %d s\n", what, seconds);
            std::fflush(stderr);
            std::_Exit(1);
          }
        }) {}
  ~Watchdog() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      done_ = true;
    }
    done_cv_.notify_one();
    thread_.join();
  }

 private:
  std::mutex mutex_;
  std::condition_variable done_cv_;
  bool done_ = false;
  std::thread thread_;  // last: it uses the members above
};

std::string Rtf(std::string_view cp932_text) {
  return rich::WriteRtf(rich::PlainTextToDocument(cp932_text, rich::DefaultBodyFormat()));
}

// An outline of nodes given as (level, title, body text) in UTF-8.
struct NodeShape {
  int level;
  std::string title;
  std::string body;
};
void Build(Outline* outline, const std::vector<NodeShape>& shapes) {
  std::vector<Node*> parents;
  for (const NodeShape& shape : shapes) {
    parents.resize(static_cast<size_t>(shape.level));
    Node* parent = parents.empty() ? nullptr : parents.back();
    Node* node = outline->Append(parent, Sj(shape.title), NewNodeData(nkChild), 1);
    node->data()->SetBody(Rtf(Sj(shape.body)));
    parents.push_back(node);
  }
}

// A search as the dialogs run it; "" when nothing was found, else "index:pane:offset:length".
std::string Search(FindSession* session, StoredPanes* panes) {
  if (!session->Walk(*panes)) return "";
  Node* node = panes->CurrentNode();
  FindPane pane = panes->ActivePane();
  size_t start = panes->SelectionStart(pane);
  return std::to_string(panes->outline().AbsoluteIndex(node)) +
         (pane == FindPane::kTitle ? ":title:" : ":body:") + std::to_string(start) + ":" +
         std::to_string(panes->SelectionEnd(pane) - start);
}

class FindWalk : public ::testing::Test {
 protected:
  void SetUp() override {
    Build(&outline_, {{0, "一", "abc abc"}, {1, "abc", "x\r\nabc"}, {1, "z", "no"}});
  }
  void Start(Node* node, FindPane pane, const FindOptions& options, std::string_view pattern) {
    panes_.SelectNode(node);
    panes_.Select(FindPane::kBody, 0, 0);
    panes_.Select(FindPane::kTitle, 0, 0);
    panes_.Focus(pane);
    session_.search_position = 0;
    ASSERT_FALSE(session_.Prepare(Sj(pattern), options).has_value());
  }
  Outline outline_;
  StoredPanes panes_{&outline_};
  TAWKStr awk_;
  FindSession session_{&awk_};
};

TEST_F(FindWalk, WholeDocumentGoesOnThroughTheNextNodesAndNeverWraps) {
  FindOptions all{false, false, true};
  Start(outline_.NodeAt(1), FindPane::kTitle, all, "ABC");
  EXPECT_EQ(Search(&session_, &panes_), "1:title:0:3");
  EXPECT_EQ(Search(&session_, &panes_), "1:body:3:3");
  // Node 0 has hits too, but the walk ends at the last node.
  EXPECT_EQ(Search(&session_, &panes_), "");
  EXPECT_EQ(panes_.CurrentNode(), outline_.NodeAt(1));  // nothing found: no node selected
}

TEST_F(FindWalk, SelectedNodeOnlySearchesTheBodyFromTheCaretAndNotTheTitle) {
  FindOptions local{false, true, false};
  Start(outline_.NodeAt(1), FindPane::kBody, local, "abc");
  EXPECT_EQ(Search(&session_, &panes_), "1:body:3:3");  // the title's "abc" is not searched
  EXPECT_EQ(Search(&session_, &panes_), "");
  // A plain body search starts at the caret, wherever the search position is.
  Start(outline_.NodeAt(0), FindPane::kBody, local, "abc");
  panes_.Select(FindPane::kBody, 2, 0);
  EXPECT_EQ(Search(&session_, &panes_), "0:body:4:3");
}

TEST_F(FindWalk, RegularExpressionsStartAtTheSearchPositionAndEmptyHitsRepeat) {
  FindOptions local{true, false, false};
  Start(outline_.NodeAt(0), FindPane::kBody, local, "abc");
  panes_.Select(FindPane::kBody, 5, 0);  // the caret does not matter: the position is 0
  EXPECT_EQ(Search(&session_, &panes_), "0:body:0:3");
  EXPECT_EQ(Search(&session_, &panes_), "0:body:4:3");
  // A pattern that matches the empty string: a hit of length 0 at the search position, and
  // the next search finds the same place.
  Start(outline_.NodeAt(0), FindPane::kBody, local, "x*");
  session_.search_position = 2;
  EXPECT_EQ(Search(&session_, &panes_), "0:body:2:0");
  EXPECT_EQ(Search(&session_, &panes_), "0:body:2:0");
  // The first character after the search position counts as a line start.
  Start(outline_.NodeAt(0), FindPane::kBody, local, "^abc");
  session_.search_position = 4;
  EXPECT_EQ(Search(&session_, &panes_), "0:body:4:3");
}

// "\" is the trail byte of 表, ソ and 能, and "A" that of ア: neither plain text nor a
// regular expression finds them there, in the title or in the body.
TEST(FindWalkCharacters, SearchesNeverSplitADoubleByteCharacter) {
  for (bool regex : {false, true}) {
    Outline outline;
    Build(&outline, {{0, "表ソ能", "アイ\r\nA"}});
    StoredPanes panes(&outline);
    panes.SelectNode(outline.NodeAt(0));
    panes.Select(FindPane::kTitle, 0, 0);
    TAWKStr awk;
    FindSession session(&awk);
    ASSERT_FALSE(session.Prepare(regex ? "\\\\" : "\\", FindOptions{regex, true, false}));
    EXPECT_EQ(Search(&session, &panes), "") << regex;
    panes.SelectNode(outline.NodeAt(0));
    panes.Select(FindPane::kTitle, 0, 0);
    session.search_position = 0;
    ASSERT_FALSE(session.Prepare("A", FindOptions{regex, false, false}));
    EXPECT_EQ(Search(&session, &panes), "0:body:6:1") << regex;
  }
}

// The search position outlives edits and moves to other nodes (F3 goes on from it), so it may
// fall on the trail byte of a character; the search then goes on at the next character.
TEST(FindWalkCharacters, ASearchPositionInsideACharacterGoesOnAfterIt) {
  struct Case {
    bool regex;
    FindPane pane;
    std::string pattern;
  } cases[] = {
      {false, FindPane::kTitle, "a"}, {true, FindPane::kTitle, "a"},
      {true, FindPane::kTitle, "^."}, {true, FindPane::kBody, "a"},
      {true, FindPane::kBody, "^."},
  };
  for (const Case& c : cases) {
    Outline outline;
    Build(&outline, {{0, "ヂx", "ヂx"}});  // ヂ is 83 61: its trail byte reads "a"
    StoredPanes panes(&outline);
    panes.SelectNode(outline.NodeAt(0));
    panes.Select(FindPane::kBody, 0, 0);
    panes.Select(FindPane::kTitle, 0, 0);
    panes.Focus(c.pane);
    TAWKStr awk;
    FindSession session(&awk);
    ASSERT_FALSE(session.Prepare(c.pattern, FindOptions{c.regex, false, false}));
    session.search_position = 1;
    const std::string where = c.pane == FindPane::kTitle ? "title" : "body";
    // "a" is nowhere but in the trail byte; "^." is the "x" after ヂ.
    const std::string expected = c.pattern == "a" ? "" : "0:" + where + ":2:1";
    EXPECT_EQ(Search(&session, &panes), expected) << c.pattern << " " << where;
  }
}

TEST_F(FindWalk, NothingIsFoundFromTheTreeOrWithAMalformedPattern) {
  Start(outline_.NodeAt(0), FindPane::kNone, FindOptions{false, false, true}, "abc");
  EXPECT_EQ(Search(&session_, &panes_), "");
  EXPECT_TRUE(session_.Prepare("a**", FindOptions{true, false, true}).has_value());
}

TEST_F(FindWalk, ReplacingAllStepsOverEmptyHitsAndCountsWhatItReplaced) {
  FindOptions all{true, false, true};
  Start(outline_.NodeAt(0), FindPane::kTitle, all, "b*");
  ASSERT_NE(Search(&session_, &panes_), "");
  size_t count = 0;
  {
    Watchdog watchdog("replace-all over empty hits", 30);
    count = session_.ReplaceAll(panes_, Sj("[&]"));
  }
  std::vector<std::string> titles;
  std::vector<std::string> bodies;
  outline_.ForEach([&](Node* node) {
    titles.push_back(Cp932ToUtf8(node->title()).text);
    bodies.push_back(Cp932ToUtf8(rich::BodyPlainText(*node->data()->Body)).text);
  });
  // An empty hit right after a longer one is a hit too; a line break is stepped over whole.
  EXPECT_EQ(titles, (std::vector<std::string>{"[]一[]", "[]a[b][]c[]", "[]z[]"}));
  EXPECT_EQ(bodies, (std::vector<std::string>{"[]a[b][]c[] []a[b][]c[]", "[]x[]\r\n[]a[b][]c[]",
                                              "[]n[]o[]"}));
  EXPECT_EQ(count, 25u);
  EXPECT_EQ(panes_.CurrentNode(), outline_.NodeAt(2));  // where the walk ended
}

TEST(FindText, TitleReplacementsNeverGetALineBreak) {
  struct Case {
    bool regex;
    std::string title, pattern, templ, expected;
  } cases[] = {
      {true, "xay", "a", "\\r\\nA", "xAy"},
      {false, "xay", "a", "\\r\\nA", "x\\r\\nAy"},
      {true, "xay", "a", "\\x0d\\x0a\\t&", "xay"},  // escapes that are no sequence go too
      {true, "xay", "a", Sj("表r"), Sj("x表ry")},   // 表's trail byte is no backslash
      {true, "xay", "a", "\\\\r", "x\\ry"},
      {false, "xa", "a", " ", "x "},  // a trailing blank stays while typed
      {false, "ax", "a", " ", "x"},   // a leading one goes
  };
  for (const Case& c : cases) {
    Outline outline;
    Build(&outline, {{0, Cp932ToUtf8(c.title).text, ""}});
    StoredPanes panes(&outline);
    panes.SelectNode(outline.NodeAt(0));
    panes.Select(FindPane::kTitle, 0, 0);
    TAWKStr awk;
    FindSession session(&awk);
    ASSERT_FALSE(session.Prepare(c.pattern, FindOptions{c.regex, true, false}).has_value());
    ASSERT_TRUE(session.Walk(panes)) << c.title;
    ASSERT_TRUE(session.ReplaceInPane(panes, c.templ));
    EXPECT_EQ(outline.NodeAt(0)->title(), c.expected) << c.templ;
  }
}

TEST(FindText, TitlePaneHoldsAtMost258Characters) {
  std::string title(250, 'a');
  TitleEdit edit = EditTitle(title, 0, 1, Sj("あいうえおかきくけこ"));
  EXPECT_EQ(CharCount(edit.text), kTitlePaneMaxChars);
  EXPECT_EQ(edit.caret, 18u);  // nine characters of two bytes fitted
}

TEST(FindText, ReplaceDialogRefusesHalfALineBreak) {
  EXPECT_TRUE(HasHalfALineBreak("a\\r"));
  EXPECT_TRUE(HasHalfALineBreak("\\nb"));
  EXPECT_FALSE(HasHalfALineBreak("a\\r\\n"));
  EXPECT_FALSE(HasHalfALineBreak("ab"));
  EXPECT_FALSE(HasHalfALineBreak(Sj("表r")));  // no backslash in it
}

TEST(FindHistory, TopFirstTenAtMostAndKnownTextsStayWhereTheyAre) {
  std::vector<std::string> list;
  for (int i = 0; i < 10; ++i) AddToHistory(&list, std::to_string(i), false);
  EXPECT_EQ(list.front(), "9");
  AddToHistory(&list, "5", false);  // already there: nothing moves
  EXPECT_EQ(list.front(), "9");
  AddToHistory(&list, "new", false);
  ASSERT_EQ(list.size(), 10u);
  EXPECT_EQ(list.front(), "new");
  EXPECT_EQ(list.back(), "1");  // "0" went
  AddToHistory(&list, "NEW", false);
  EXPECT_EQ(list.front(), "NEW");
  AddToHistory(&list, "nEw", true);  // the replace dialog's find-next ignores case
  EXPECT_EQ(list.front(), "NEW");
  AddToHistory(&list, "", false);
  EXPECT_EQ(list.front(), "");
}

// Random documents, patterns and templates: replace-all on the stored texts gives the titles
// and body texts, the count and the final node that replacing hit by hit through the panes
// gives.
TEST(FindWalkDifferential, ReplaceAllOnStoredTextsEqualsReplacingThroughThePanes) {
  rich::testing::RandomRtf random(31337);
  std::mt19937 rng(4242);
  const std::vector<std::string> title_pieces = {"a",      "A",  "b", " ", Sj("あ"),
                                                 Sj("表"), "\\", "x", "ab"};
  const std::vector<std::string> plain_patterns = {"a", "A", "ab", "b", Sj("あ"), "\\", " ", "x"};
  const std::vector<std::string> regex_patterns = {
      "a", "b*",           "a|ab",   "^a", "a$", "[^a]", "\\r\\n",       "\\x0d",
      ".", Sj("[あ-う]+"), "(a|b)*", "x?", "$",  "^",    "a\\r\\nb|\\t", Sj("表")};
  const std::vector<std::string> templates = {"",  "&&",     "[&]", "\\r\\n", "\\t",
                                              "x", Sj("い"), "\\&", " ",      "\\x0d"};
  auto pick = [&](const std::vector<std::string>& v) { return v[rng() % v.size()]; };
  int replaced = 0;
  Watchdog watchdog("the differential replace-all", 300);
  for (int round = 0; round < 400; ++round) {
    const unsigned seed = static_cast<unsigned>(rng());
    auto make = [&](Outline* outline) {
      std::mt19937 local(seed);
      rich::testing::RandomRtf bodies(seed);
      std::vector<Node*> parents;
      const int count = 1 + static_cast<int>(local() % 6);
      for (int i = 0; i < count; ++i) {
        parents.resize(std::min(parents.size(), static_cast<size_t>(local() % 3)));
        std::string title;
        for (int k = static_cast<int>(local() % 5); k > 0; --k) {
          title += title_pieces[local() % title_pieces.size()];
        }
        Node* node = outline->Append(parents.empty() ? nullptr : parents.back(), title,
                                     NewNodeData(nkChild), 1);
        switch (local() % 4) {
          case 0:
            break;  // no body
          case 1:
            node->data()->SetBody(Sj("a\r\nb") + title);  // a plain-text body
            break;
          default:
            node->data()->SetBody(bodies.Body(static_cast<int>(local() % 20)));
        }
        parents.push_back(node);
      }
    };
    Outline headless;
    Outline reference;
    make(&headless);
    make(&reference);
    const bool regex = rng() % 2 == 0;
    const FindOptions options{regex, rng() % 2 == 0, rng() % 4 != 0};
    const std::string pattern = regex ? pick(regex_patterns) : pick(plain_patterns);
    const std::string templ = pick(templates);
    const size_t start = rng() % headless.size();
    const bool from_body = rng() % 2 == 0;

    auto run = [&](Outline* outline, bool through_panes, size_t* count) -> Node* {
      StoredPanes panes(outline);
      TAWKStr awk;
      FindSession session(&awk);
      panes.SelectNode(outline->NodeAt(start));
      panes.Select(FindPane::kBody, 0, 0);
      panes.Select(FindPane::kTitle, 0, 0);
      if (from_body) panes.Focus(FindPane::kBody);
      EXPECT_FALSE(session.Prepare(pattern, options).has_value());
      *count = 0;
      if (session.Walk(panes)) {
        *count = through_panes ? session.ReplaceAllThroughPanes(panes, templ)
                               : session.ReplaceAll(panes, templ);
      }
      panes.StoreCurrentNode();
      return panes.CurrentNode();
    };
    size_t headless_count = 0;
    size_t reference_count = 0;
    Node* headless_end = run(&headless, false, &headless_count);
    Node* reference_end = run(&reference, true, &reference_count);
    const std::string what = "pattern '" + pattern + "' template '" + templ + "' seed " +
                             std::to_string(seed) + (regex ? " regex" : " plain") +
                             (options.whole_document ? " all" : " local");
    ASSERT_EQ(headless_count, reference_count) << what;
    ASSERT_EQ(headless.AbsoluteIndex(headless_end), reference.AbsoluteIndex(reference_end)) << what;
    for (size_t i = 0; i < headless.size(); ++i) {
      Node* a = headless.NodeAt(i);
      Node* b = reference.NodeAt(i);
      ASSERT_EQ(a->title(), b->title()) << what << " node " << i;
      ASSERT_EQ(rich::BodyPlainText(a->data()->Body.value_or("")),
                rich::BodyPlainText(b->data()->Body.value_or("")))
          << what << " node " << i;
    }
    replaced += static_cast<int>(headless_count);
  }
  EXPECT_GT(replaced, 1000);
}

}  // namespace
}  // namespace pw::search
