// How long operations report progress. The window shows TFormProgress behind this interface and
// lets pending events run in Step; headless callers pass nothing.
#ifndef PLOTWEAVE_CORE_PROGRESS_H_
#define PLOTWEAVE_CORE_PROGRESS_H_

#include <cstddef>
#include <string_view>

namespace pw {

class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  virtual void Begin(std::string_view caption, size_t maximum) = 0;
  virtual void Step() = 0;
  virtual void End() = 0;
};

// Begins on construction and ends on every way out of the scope; a null sink does nothing.
class ProgressScope {
 public:
  ProgressScope(ProgressSink* sink, std::string_view caption, size_t maximum) : sink_(sink) {
    if (sink_ != nullptr) sink_->Begin(caption, maximum);
  }
  ~ProgressScope() {
    if (sink_ != nullptr) sink_->End();
  }
  ProgressScope(const ProgressScope&) = delete;
  ProgressScope& operator=(const ProgressScope&) = delete;
  void Step() {
    if (sink_ != nullptr) sink_->Step();
  }

 private:
  ProgressSink* sink_;
};

}  // namespace pw

#endif  // PLOTWEAVE_CORE_PROGRESS_H_
