// pwvtool's sub-commands register themselves here; each lives in its own file.
#ifndef PLOTWEAVE_CLI_COMMAND_H_
#define PLOTWEAVE_CLI_COMMAND_H_

#include <string>
#include <string_view>
#include <vector>

namespace pw::cli {

// Returns the process exit status; messages for the user go to stderr.
using CommandFn = int (*)(const std::vector<std::string>& args);

struct Command {
  const char* name;   // one word, or two ("export rtf") that go before a one-word command
  const char* usage;  // one line, after "pwvtool "
  CommandFn run;
};

std::vector<Command>& Commands();

struct RegisterCommand {
  RegisterCommand(const char* name, const char* usage, CommandFn run) {
    Commands().push_back({name, usage, run});
  }
};

// Prints "pwvtool: <message>" to stderr and returns 1.
int Fail(const std::string& message);

// Whether `path` ends in `upper_extension` (".PWV"), letter case ignored.
bool HasExtension(const std::string& path, std::string_view upper_extension);

// Reads a document, or a template when the name ends in ".PWT" (letter case ignored).
bool IsTemplatePath(const std::string& path);

// JSON string literal for UTF-8 text.
std::string JsonString(const std::string& utf8);

}  // namespace pw::cli

#endif  // PLOTWEAVE_CLI_COMMAND_H_
