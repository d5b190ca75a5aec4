// pwvtool: inspects and converts Plotweave documents without the window.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/command.h"

namespace pw::cli {

std::vector<Command>& Commands() {
  static std::vector<Command> commands;
  return commands;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "pwvtool: %s\n", message.c_str());
  return 1;
}

bool HasExtension(const std::string& path, std::string_view upper_extension) {
  if (path.size() < upper_extension.size()) return false;
  std::string ext = path.substr(path.size() - upper_extension.size());
  for (char& c : ext) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return ext == upper_extension;
}

bool IsTemplatePath(const std::string& path) { return HasExtension(path, ".PWT"); }

std::string JsonString(const std::string& utf8) {
  std::string out = "\"";
  for (char c : utf8) {
    auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", u);
      out += buf;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

namespace {

void PrintUsage(FILE* to) {
  std::fprintf(to, "usage:\n");
  for (const Command& command : Commands()) std::fprintf(to, "  pwvtool %s\n", command.usage);
  std::fprintf(to, "A file whose name ends in .PWT is read as a template.\n");
}

}  // namespace
}  // namespace pw::cli

int main(int argc, char** argv) {
  using namespace pw::cli;
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintUsage(args.empty() ? stderr : stdout);
    return args.empty() ? 1 : 0;
  }
  // A command named with two words ("export rtf") goes before a one-word one ("export").
  const Command* found = nullptr;
  size_t words = 0;
  if (args.size() >= 2) {
    const std::string two = args[0] + " " + args[1];
    for (const Command& command : Commands()) {
      if (two == command.name) found = &command, words = 2;
    }
  }
  for (const Command& command : Commands()) {
    if (found == nullptr && args[0] == command.name) found = &command, words = 1;
  }
  if (found != nullptr) {
    int status = found->run(std::vector<std::string>(args.begin() + static_cast<long>(words),
                                                     args.end()));
    // A large document is freed by the system far faster than node by node.
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(status);
  }
  Fail("unknown command '" + args[0] + "'");
  PrintUsage(stderr);
  return 1;
}
