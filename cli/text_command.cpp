// pwvtool text: the lines of one RTF (or plain-text) file, as the exports see a body.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cli/command.h"
#include "core/cp932.h"
#include "richtext/body_text.h"

namespace pw::cli {
namespace {

int Text(const std::vector<std::string>& args) {
  if (args.size() != 1) return Fail("usage: pwvtool text FILE.rtf");
  std::ifstream in(args[0], std::ios::binary);
  if (!in) return Fail(args[0] + ": ﾌｧｲﾙの読み込みに失敗しました");
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return Fail(args[0] + ": ﾌｧｲﾙの読み込みに失敗しました");
  std::string out;
  for (const std::string& line : rich::BodyToLinesUtf8(bytes)) {
    out += line;
    out += '\n';
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}

const RegisterCommand kText("text", "text FILE.rtf      the lines of an RTF body file, in UTF-8",
                            Text);

}  // namespace
}  // namespace pw::cli
