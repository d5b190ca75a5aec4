// Operations on rich documents: lines and text, slicing and pasting, whole-document formats.
#include "richtext/rich_operations.h"

#include <algorithm>

#include "richtext/plain_text.h"
#include "richtext/rtf_reader.h"

namespace pw::rich {
namespace {

// Byte offset in `utf8` of the character with index `chars` (clamped to the end).
size_t ByteOffset(std::string_view utf8, size_t chars) {
  size_t i = 0;
  for (; i < utf8.size(); ++i) {
    if ((static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) continue;
    if (chars == 0) return i;
    --chars;
  }
  return utf8.size();
}

// Splits a paragraph at a character offset; both halves keep its format.
std::pair<Paragraph, Paragraph> Split(const Paragraph& paragraph, size_t offset) {
  Paragraph head{paragraph.format, {}};
  Paragraph tail{paragraph.format, {}};
  for (const Run& run : paragraph.runs) {
    size_t count = Utf8CharCount(run.text);
    if (offset >= count) {
      head.runs.push_back(run);
      offset -= count;
    } else if (offset == 0) {
      tail.runs.push_back(run);
    } else {
      size_t at = ByteOffset(run.text, offset);
      head.runs.push_back(Run{run.text.substr(0, at), run.format});
      tail.runs.push_back(Run{run.text.substr(at), run.format});
      offset = 0;
    }
  }
  return {std::move(head), std::move(tail)};
}

void NormalizeRuns(Paragraph* paragraph) {
  std::vector<Run> merged;
  merged.reserve(paragraph->runs.size());
  for (Run& run : paragraph->runs) {
    if (run.text.empty()) continue;
    if (!merged.empty() && merged.back().format == run.format) {
      merged.back().text += run.text;
    } else {
      merged.push_back(std::move(run));
    }
  }
  paragraph->runs = std::move(merged);
}

TextPosition Clamp(const RichDocument& document, TextPosition position) {
  if (document.paragraphs.empty()) return {};
  if (position.paragraph >= document.paragraphs.size()) return EndPosition(document);
  size_t count = Utf8CharCount(document.paragraphs[position.paragraph].Text());
  position.offset = std::min(position.offset, count);
  return position;
}

}  // namespace

std::vector<std::string> DocumentLines(const RichDocument& document) {
  std::vector<std::string> lines;
  for (const Paragraph& paragraph : document.paragraphs) {
    std::string line;
    for (const Run& run : paragraph.runs) {
      for (char c : run.text) {
        if (c == kLineBreak) {
          lines.push_back(std::move(line));
          line.clear();
        } else {
          line.push_back(c);
        }
      }
    }
    lines.push_back(std::move(line));
  }
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

std::string DocumentText(const RichDocument& document) {
  std::string text;
  for (size_t p = 0; p < document.paragraphs.size(); ++p) {
    if (p > 0) text += "\r\n";
    for (const Run& run : document.paragraphs[p].runs) {
      for (char c : run.text) {
        if (c == kLineBreak) {
          text += "\r\n";
        } else {
          text.push_back(c);
        }
      }
    }
  }
  return text;
}

RichDocument Slice(const RichDocument& document, TextPosition begin, TextPosition end) {
  RichDocument result;
  if (document.paragraphs.empty()) return result;
  begin = Clamp(document, begin);
  end = Clamp(document, end);
  if (end < begin) std::swap(begin, end);
  result.paragraphs.clear();
  for (size_t p = begin.paragraph; p <= end.paragraph; ++p) {
    Paragraph paragraph = document.paragraphs[p];
    if (p == end.paragraph) paragraph = Split(paragraph, end.offset).first;
    if (p == begin.paragraph) paragraph = Split(paragraph, begin.offset).second;
    result.paragraphs.push_back(std::move(paragraph));
  }
  result.Normalize();
  return result;
}

TextPosition InsertDocument(RichDocument* target, TextPosition at, const RichDocument& source) {
  if (target->paragraphs.empty()) target->paragraphs.emplace_back();
  at = Clamp(*target, at);
  if (source.paragraphs.empty()) return at;
  const bool at_document_end = at.paragraph + 1 == target->paragraphs.size() &&
                               at.offset == Utf8CharCount(target->paragraphs[at.paragraph].Text());
  auto [head, tail] = Split(target->paragraphs[at.paragraph], at.offset);
  std::vector<Paragraph> inserted;
  const size_t n = source.paragraphs.size();
  for (size_t i = 0; i < n; ++i) {
    Paragraph paragraph = source.paragraphs[i];
    if (i == 0) {
      // The first pasted paragraph ends with its own mark only when more follow.
      paragraph.runs.insert(paragraph.runs.begin(), head.runs.begin(), head.runs.end());
      if (n == 1) paragraph.format = head.format;
    }
    if (i + 1 == n) {
      TextPosition after{at.paragraph + i, Utf8CharCount(paragraph.Text())};
      paragraph.runs.insert(paragraph.runs.end(), tail.runs.begin(), tail.runs.end());
      // Text pasted before a paragraph's mark takes that paragraph's format, except at the
      // very end of the document where the pasted last paragraph brings its own.
      if (!(at_document_end && n > 1)) paragraph.format = tail.format;
      inserted.push_back(std::move(paragraph));
      target->paragraphs.erase(target->paragraphs.begin() + static_cast<long>(at.paragraph));
      target->paragraphs.insert(target->paragraphs.begin() + static_cast<long>(at.paragraph),
                                std::make_move_iterator(inserted.begin()),
                                std::make_move_iterator(inserted.end()));
      // Only the touched paragraphs: appending node after node must stay linear.
      for (size_t p = at.paragraph; p < at.paragraph + n; ++p) {
        NormalizeRuns(&target->paragraphs[p]);
      }
      return after;
    }
    inserted.push_back(std::move(paragraph));
  }
  return at;
}

TextPosition InsertRtf(RichDocument* target, TextPosition at, std::string_view rtf) {
  RichDocument source = IsRtf(rtf) ? ReadRtf(rtf) : PlainTextToDocument(rtf, DefaultBodyFormat());
  return InsertDocument(target, at, source);
}

void AppendDocument(RichDocument* target, const RichDocument& source) {
  InsertDocument(target, EndPosition(*target), source);
}

void AppendDocument(RichDocument* target, RichDocument&& source) {
  if (source.paragraphs.empty()) return;
  if (target->paragraphs.empty()) target->paragraphs.emplace_back();
  // As InsertDocument at the end: the first pasted paragraph joins the last one of the target
  // and, when more follow, brings its format; the others come as they are.
  Paragraph& joined = target->paragraphs.back();
  Paragraph& first = source.paragraphs.front();
  if (source.paragraphs.size() > 1) joined.format = std::move(first.format);
  joined.runs.insert(joined.runs.end(), std::make_move_iterator(first.runs.begin()),
                     std::make_move_iterator(first.runs.end()));
  NormalizeRuns(&joined);
  for (size_t i = 1; i < source.paragraphs.size(); ++i) {
    target->paragraphs.push_back(std::move(source.paragraphs[i]));
    NormalizeRuns(&target->paragraphs.back());
  }
  source.paragraphs.clear();
}

void SetCharFormatAll(RichDocument* document, const CharFormat& format) {
  for (Paragraph& paragraph : document->paragraphs) {
    for (Run& run : paragraph.runs) run.format = format;
  }
  document->Normalize();
}

void SetTabStopsAll(RichDocument* document, const std::vector<double>& tab_stops) {
  std::vector<double> sorted = tab_stops;
  std::sort(sorted.begin(), sorted.end());
  sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
  for (Paragraph& paragraph : document->paragraphs) paragraph.format.tab_stops = sorted;
}

void ResetParagraphFormats(RichDocument* document) {
  for (Paragraph& paragraph : document->paragraphs) {
    std::vector<double> stops = std::move(paragraph.format.tab_stops);
    paragraph.format = ParagraphFormat{};
    paragraph.format.tab_stops = std::move(stops);
  }
}

void SetIndentsAll(RichDocument* document, double first, double left, double right) {
  for (Paragraph& paragraph : document->paragraphs) {
    paragraph.format.first_indent = first;
    paragraph.format.left_indent = left;
    paragraph.format.right_indent = right;
  }
}

void AppendParagraphBreak(RichDocument* document) {
  if (document->paragraphs.empty()) document->paragraphs.emplace_back();
  Paragraph next;
  next.format = document->paragraphs.back().format;
  document->paragraphs.push_back(std::move(next));
}

}  // namespace pw::rich
