// The result of an operation that can fail with a message for the user.
#ifndef PLOTWEAVE_CORE_STATUS_H_
#define PLOTWEAVE_CORE_STATUS_H_

#include <string>
#include <utility>

namespace pw {

struct Status {
  bool ok = true;
  std::string message;  // UTF-8, shown to the user as it stands

  static Status Ok() { return {}; }
  static Status Error(std::string message) { return {false, std::move(message)}; }
  explicit operator bool() const { return ok; }
};

}  // namespace pw

#endif  // PLOTWEAVE_CORE_STATUS_H_
