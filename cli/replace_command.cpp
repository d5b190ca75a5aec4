// pwvtool replace: every hit in the titles and bodies replaced, as the replace dialog's
// "すべて置換(&L)" does over the whole document from the first node, through the same code.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/command.h"
#include "core/cp932.h"
#include "core/outline_file.h"
#include "richtext/body_text.h"
#include "search/find_walk.h"
#include "search/stored_panes.h"

namespace pw::cli {
namespace {

constexpr char kUsage[] =
    "usage: pwvtool replace [--regex] [--case] PATTERN TEMPLATE IN.PWV OUT.PWV";

int Replace(const std::vector<std::string>& args) {
  search::FindOptions options;
  options.whole_document = true;
  std::vector<std::string> positional;
  for (const std::string& arg : args) {
    if (arg == "--regex") {
      options.regex = true;
    } else if (arg == "--case") {
      options.match_case = true;
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 4) return Fail(kUsage);
  Conversion pattern = Utf8ToCp932(positional[0], Unmappable::kFail);
  if (!pattern.ok) return Fail("PATTERN: a character has no Shift-JIS form");
  Conversion templ = Utf8ToCp932(positional[1], Unmappable::kFail);
  if (!templ.ok) return Fail("TEMPLATE: a character has no Shift-JIS form");
  if (search::HasHalfALineBreak(pattern.text)) return Fail("PATTERN: 改行は\\r\\nです");
  const std::string& in = positional[2];
  const std::string& out = positional[3];

  // Left to the end of the process, as the other commands leave theirs.
  Outline& outline = *new Outline;
  ReadResult result = ReadOutlineFile(
      in, IsTemplatePath(in) ? ReadTarget::kOtherTree : ReadTarget::kMainTree, &outline);
  if (!result.status) return Fail(in + ": ﾌｧｲﾙの読み込みに失敗しました: " + result.status.message);

  search::TAWKStr awk;
  search::FindSession session(&awk);
  if (auto error = session.Prepare(pattern.text, options)) {
    return Fail("PATTERN: " + error->message + " (position " + std::to_string(error->position) +
                ")");
  }
  size_t count = 0;
  // An empty search text does nothing, as in the dialog.
  if (!pattern.text.empty() && !outline.empty()) {
    // "最初のﾉｰﾄﾞから(&E)": the first node, carets at 0 in both panes, the title pane active.
    search::StoredPanes panes(&outline);
    panes.SelectNode(outline.NodeAt(0));
    panes.Select(search::FindPane::kBody, 0, 0);
    panes.Select(search::FindPane::kTitle, 0, 0);
    if (session.Walk(panes)) count = session.ReplaceAll(panes, templ.text);
    panes.StoreCurrentNode();
  }

  WriteOptions write;
  write.variant = OutlineVariant::kDocument;
  write.selected_index = result.info.selected_index;
  write.caret = result.info.caret;
  write.body_serializer = rich::SerializeBodyForFile;
  if (Status s = WriteOutlineFile(out, outline, write); !s) {
    return Fail(out + ": 保存に失敗しました: " + s.message);
  }
  std::printf("%zu\n", count);
  return 0;
}

const RegisterCommand kReplace(
    "replace",
    "replace [--regex] [--case] PATTERN TEMPLATE IN OUT  every hit replaced (count first)",
    Replace);

}  // namespace
}  // namespace pw::cli
