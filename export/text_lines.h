// The lines of a text as reading it back from a file gives them.
#ifndef PLOTWEAVE_EXPORT_TEXT_LINES_H_
#define PLOTWEAVE_EXPORT_TEXT_LINES_H_

#include <cstring>
#include <string_view>

namespace pw {

// Walks the lines of a text as reading it back from a file gives them: a line ends at CR LF, a
// lone CR or a lone LF, and a last line without an end still counts.
class TextLines {
 public:
  explicit TextLines(std::string_view text) : text_(text) {}
  bool Next(std::string_view* line) {
    if (pos_ >= text_.size()) return false;
    // Lines are short and CR rare but for CR LF: look for LF, then for a CR before it.
    const char* begin = text_.data() + pos_;
    const size_t rest = text_.size() - pos_;
    const void* lf = std::memchr(begin, '\n', rest);
    size_t end = lf == nullptr ? text_.size() : static_cast<size_t>(static_cast<const char*>(lf) - text_.data());
    if (const void* cr = std::memchr(begin, '\r', end - pos_)) {
      end = static_cast<size_t>(static_cast<const char*>(cr) - text_.data());
    }
    *line = text_.substr(pos_, end - pos_);
    pos_ = end;
    if (pos_ < text_.size()) {
      pos_ += (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ? 2 : 1;
    }
    return true;
  }

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

}  // namespace pw

#endif  // PLOTWEAVE_EXPORT_TEXT_LINES_H_
