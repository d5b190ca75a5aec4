// The hourglass for as long as the scope lasts, while a writer or a long command runs; and
// the message every export shows when its file cannot be written.
#ifndef PLOTWEAVE_UI_COMMON_WAIT_CURSOR_H_
#define PLOTWEAVE_UI_COMMON_WAIT_CURSOR_H_

#include <QApplication>

namespace pw {

inline constexpr char kWriteFailed[] = "ファイルに書き込めませんでした。\r\n%1";

class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace pw

#endif  // PLOTWEAVE_UI_COMMON_WAIT_CURSOR_H_
