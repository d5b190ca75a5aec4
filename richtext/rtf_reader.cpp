// RTF reader. A stack of group states (destination, character and paragraph properties, \uc)
// drives one handler table per destination; text bytes are collected until the next control
// word so that a run of \'hh escapes is decoded at once in the font's code page and a
// double-byte character split over two escapes survives. The same reader feeds either a
// document builder or, for exports, a line collector that keeps CP932 bytes as they are.
#include "richtext/rtf_reader.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/code_page.h"
#include "core/cp932.h"
#include "richtext/plain_text.h"
#include "richtext/rtf_tokenizer.h"

namespace pw::rich {
namespace {

enum class Destination { kBody, kFontTable, kColorTable, kBullet, kSkip };

struct GroupState {
  Destination destination = Destination::kBody;
  int uc = 1;
  int font = -1;  // font number; -1 until \f or \plain: the \deff font
  int half_points = 24;
  int color = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike_out = false;
  // Shared with the enclosing groups until one of them changes it, so that opening a group
  // costs the same whatever the paragraph format holds.
  std::shared_ptr<const ParagraphFormat> paragraph = DefaultParagraph();
  size_t bullet_owner = 0;  // kBullet: the state whose paragraph gets the bullet

  static const std::shared_ptr<const ParagraphFormat>& DefaultParagraph() {
    static const auto kDefault = std::make_shared<const ParagraphFormat>();
    return kDefault;
  }
  // The paragraph format for changing, copied first when another state shares it.
  ParagraphFormat& MutableParagraph() {
    if (paragraph.use_count() != 1) paragraph = std::make_shared<ParagraphFormat>(*paragraph);
    return const_cast<ParagraphFormat&>(*paragraph);
  }
};

struct FontEntry {
  std::string face;
  int charset = kAnsiCharset;
  int code_page = 0;  // 0: the document's ANSI code page
};

int CharsetCodePage(int charset) {
  switch (charset) {
    case 0:
      return 1252;
    case 2:
      return 1252;  // symbol fonts: keep the bytes' Latin meaning
    case 77:
      return 10000;
    case 128:
      return 932;
    case 129:
      return 949;
    case 130:
      return 1361;
    case 134:
      return 936;
    case 136:
      return 950;
    case 161:
      return 1253;
    case 162:
      return 1254;
    case 163:
      return 1258;
    case 177:
      return 1255;
    case 178:
      return 1256;
    case 186:
      return 1257;
    case 204:
      return 1251;
    case 222:
      return 874;
    case 238:
      return 1250;
    case 255:
      return 437;
    default:
      return 0;
  }
}

std::string DecodeBytes(std::string_view bytes, int code_page) {
  if (code_page == 932) return Cp932ToUtf8(bytes).text;
  if (auto text = DecodeCodePageToUtf8(code_page, bytes)) return *std::move(text);
  if (auto text = DecodeCodePageToUtf8(1252, bytes)) return *std::move(text);
  std::string ascii;
  for (char c : bytes) ascii.push_back(static_cast<unsigned char>(c) < 0x80 ? c : '?');
  return ascii;
}

// A face name is cut to what the control holds. Collecting stops well past that, but not at
// it, since control characters and blanks around the name are dropped afterwards.
constexpr size_t kFaceCollectLimit = 1024;

constexpr std::string_view kBlanksBeforeName(
    " \x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x0c\x0d\x0e\x0f"
    "\x10\x11\x12\x13\x14\x15\x16\x17\x18\x19\x1a\x1b\x1c\x1d\x1e\x1f");

void AppendFaceBytes(std::string_view bytes, std::string* out) {
  if (out->size() >= kFaceCollectLimit) return;
  out->append(bytes.substr(0, kFaceCollectLimit - out->size()));
}

// Cuts UTF-8 text after `max_units` UTF-16 units, never inside a character.
void TruncateUtf16Units(std::string* utf8, size_t max_units) {
  size_t units = 0;
  for (size_t i = 0; i < utf8->size();) {
    const auto lead = static_cast<unsigned char>((*utf8)[i]);
    const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    units += length == 4 ? 2 : 1;
    if (units > max_units) {
      utf8->resize(i);
      return;
    }
    i += length;
  }
}

// Receives what the body destination holds.
class ContentSink {
 public:
  virtual ~ContentSink() = default;
  // Font names matter only to a document; decoding them would cost the line reader the
  // conversion tables.
  virtual bool WantsFontNames() const { return true; }
  virtual void Bytes(std::string_view bytes, int code_page, const GroupState& state) = 0;
  virtual void Char(char32_t ch, const GroupState& state) = 0;
  virtual void ParagraphEnd(const GroupState& state) = 0;
  virtual void Finish(const GroupState& state) = 0;
  // How much the sink holds; a snapshot of the reader notes it (see Reader::Run).
  virtual size_t OutputSize() const { return 0; }
  // A sink that wants to know which RTF bytes gave each piece of text gets MappedBytes
  // instead of Bytes, and may ask the reader for the current token's bytes in the others.
  virtual bool WantsSource() const { return false; }
  struct ByteSource {
    uint32_t begin;
    uint32_t end;
  };
  virtual void MappedBytes(std::string_view, const std::vector<ByteSource>&, int,
                           const GroupState&) {}
  // The fallback of the last \uN, which the reader skipped, ends at `end`.
  virtual void FallbackSkipped(size_t) {}
  // The brace that closes the document's own group is at `position`.
  virtual void DocumentEnd(size_t, const GroupState&) {}
};

class Reader {
 public:
  Reader(std::string_view rtf, ContentSink* sink) : tokenizer_(rtf), sink_(sink) {
    mapping_ = sink != nullptr && sink->WantsSource();
    stack_.emplace_back();
  }

  // Reads to the end. With `snapshot`, a copy of the reader is taken just before the first
  // \pard of the document's own group (where the header of font and colour tables ends) and
  // its position noted: the state there depends only on the bytes before it and the byte at
  // it, so another RTF that begins with the same bytes can go on from the copy.
  void Run(Reader* snapshot = nullptr, size_t* snapshot_position = nullptr,
           size_t* snapshot_output = nullptr);
  // Makes a copy taken by Run read `rtf`, which begins with the same bytes, from `position`.
  void Resume(std::string_view rtf, size_t position, ContentSink* sink) {
    tokenizer_ = RtfTokenizer(rtf, position);
    sink_ = sink;
  }
  CharFormat FormatOf(const GroupState& state) const;
  int CodePageOf(const GroupState& state) const;
  // The RTF bytes of the token being handled (without the line ends before it).
  size_t token_begin() const { return token_begin_; }
  size_t token_end() const { return token_end_; }

 private:
  using Handler = void (Reader::*)(const Token&, int);
  struct Entry {
    Handler handler;
    int arg;
  };
  // Control word to handler: open addressing over a power-of-two array with a cheap hash,
  // since every control word of every body is looked up.
  class Table {
   public:
    Table() = default;
    Table(std::initializer_list<std::pair<std::string_view, Entry>> entries) {
      size_t slots = 16;
      while (slots < entries.size() * 4) slots *= 2;
      slots_.resize(slots);
      for (const auto& [word, entry] : entries) {
        size_t i = Hash(word) & (slots - 1);
        while (!slots_[i].word.empty()) i = (i + 1) & (slots - 1);
        slots_[i] = {word, entry};
      }
    }
    const Entry* Find(std::string_view word) const {
      if (slots_.empty() || word.empty()) return nullptr;
      const size_t mask = slots_.size() - 1;
      for (size_t i = Hash(word) & mask;; i = (i + 1) & mask) {
        if (slots_[i].word.empty()) return nullptr;
        if (slots_[i].word == word) return &slots_[i].entry;
      }
    }

   private:
    static size_t Hash(std::string_view word) {
      uint32_t h = 2166136261u;
      for (char c : word) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
      return h ^ (h >> 15);
    }
    struct Slot {
      std::string_view word;
      Entry entry{nullptr, 0};
    };
    std::vector<Slot> slots_;
  };
  static const Table& TableFor(Destination destination);

  GroupState& Top() { return stack_.back(); }
  bool Skipping() const {
    return skip_nesting_ > 0 || stack_.back().destination == Destination::kSkip;
  }
  void Push();
  void Pop();
  void AddText(std::string_view text);
  void AddByte(unsigned char byte);
  // In the body, the text tokens that follow only add their bytes: take them in one go.
  void TakeTextRun() {
    if (Top().destination == Destination::kBody && fallback_left_ == 0 && !mapping_) {
      tokenizer_.AppendTextRun(&pending_);
    }
  }
  void Flush();
  void Dispatch(const Token& token);
  void Symbol(char symbol);
  void Emit(char32_t ch);
  const FontEntry* FontOf(const GroupState& state) const;
  void CommitFont();
  void CommitColor();

  // Handlers.
  void DoDestination(const Token&, int destination);
  void DoAnsiCodePage(const Token& token, int code_page);
  void DoDefaultFont(const Token& token, int) {
    if (token.has_parameter) default_font_ = token.parameter;
  }
  void DoPlain(const Token&, int);
  void DoFont(const Token& token, int) { Top().font = token.has_parameter ? token.parameter : -1; }
  void DoFontSize(const Token& token, int);
  void DoColor(const Token& token, int) { Top().color = token.has_parameter ? token.parameter : 0; }
  void DoStyle(const Token& token, int which);
  void DoUnderlineOff(const Token&, int) { Top().underline = false; }
  void DoPar(const Token&, int) { sink_->ParagraphEnd(Top()); }
  void DoPard(const Token&, int) { Top().paragraph = GroupState::DefaultParagraph(); }
  void DoAlign(const Token&, int alignment) {
    Top().MutableParagraph().alignment = static_cast<Alignment>(alignment);
  }
  void DoIndent(const Token& token, int which);
  void DoTabStop(const Token& token, int);
  void DoChar(const Token&, int ch) { Emit(static_cast<char32_t>(ch)); }
  void DoUnicode(const Token& token, int);
  void DoUc(const Token& token, int);
  void DoFontNumber(const Token& token, int);
  void DoCharset(const Token& token, int);
  void DoFontCodePage(const Token& token, int);
  void DoColorComponent(const Token& token, int which);
  void DoBullet(const Token&, int);

  RtfTokenizer tokenizer_;
  ContentSink* sink_;
  std::vector<GroupState> stack_;
  size_t skip_nesting_ = 0;  // groups opened inside a skipped destination or beyond the limit
  bool ignorable_ = false;   // after \*: an unknown destination is skipped
  int fallback_left_ = 0;    // characters after \uN still to skip
  char32_t high_surrogate_ = 0;
  bool done_ = false;
  GroupState final_state_;
  bool have_final_state_ = false;

  std::string pending_;  // text bytes of the body not yet handed over
  // With a sink that wants the source: where each byte of pending_ came from, the bytes of
  // the current token, and whether the last \uN gave a character (its fallback belongs to it).
  bool mapping_ = false;
  std::vector<ContentSink::ByteSource> pending_source_;
  size_t token_begin_ = 0;
  size_t token_end_ = 0;
  bool unicode_emitted_ = false;

  int ansi_code_page_ = 1252;
  int default_font_ = 0;
  std::map<int, FontEntry> fonts_;
  // The font table entry being read.
  bool font_open_ = false;
  int font_number_ = 0;
  int font_charset_ = -1;
  int font_code_page_ = 0;
  std::string font_name_bytes_;
  std::string font_name_;
  // The colour table.
  std::vector<uint32_t> colors_;
  int rgb_[3] = {0, 0, 0};
  bool rgb_set_ = false;
};

const Reader::Table& Reader::TableFor(Destination destination) {
  constexpr int kSkip = static_cast<int>(Destination::kSkip);
  static const Table body = {
      {"fonttbl", {&Reader::DoDestination, static_cast<int>(Destination::kFontTable)}},
      {"colortbl", {&Reader::DoDestination, static_cast<int>(Destination::kColorTable)}},
      {"pn", {&Reader::DoDestination, static_cast<int>(Destination::kBullet)}},
      {"stylesheet", {&Reader::DoDestination, kSkip}},
      {"info", {&Reader::DoDestination, kSkip}},
      {"pict", {&Reader::DoDestination, kSkip}},
      {"object", {&Reader::DoDestination, kSkip}},
      {"pntext", {&Reader::DoDestination, kSkip}},
      {"listtext", {&Reader::DoDestination, kSkip}},
      {"fldinst", {&Reader::DoDestination, kSkip}},
      {"header", {&Reader::DoDestination, kSkip}},
      {"headerl", {&Reader::DoDestination, kSkip}},
      {"headerr", {&Reader::DoDestination, kSkip}},
      {"headerf", {&Reader::DoDestination, kSkip}},
      {"footer", {&Reader::DoDestination, kSkip}},
      {"footerl", {&Reader::DoDestination, kSkip}},
      {"footerr", {&Reader::DoDestination, kSkip}},
      {"footerf", {&Reader::DoDestination, kSkip}},
      {"footnote", {&Reader::DoDestination, kSkip}},
      {"annotation", {&Reader::DoDestination, kSkip}},
      {"xe", {&Reader::DoDestination, kSkip}},
      {"tc", {&Reader::DoDestination, kSkip}},
      {"txe", {&Reader::DoDestination, kSkip}},
      {"rxe", {&Reader::DoDestination, kSkip}},
      {"private", {&Reader::DoDestination, kSkip}},
      {"filetbl", {&Reader::DoDestination, kSkip}},
      {"revtbl", {&Reader::DoDestination, kSkip}},
      {"rtf", {&Reader::DoAnsiCodePage, -1}},
      {"ansi", {&Reader::DoAnsiCodePage, 1252}},
      {"mac", {&Reader::DoAnsiCodePage, 10000}},
      {"pc", {&Reader::DoAnsiCodePage, 437}},
      {"pca", {&Reader::DoAnsiCodePage, 850}},
      {"ansicpg", {&Reader::DoAnsiCodePage, 0}},
      {"deff", {&Reader::DoDefaultFont, 0}},
      {"plain", {&Reader::DoPlain, 0}},
      {"f", {&Reader::DoFont, 0}},
      {"fs", {&Reader::DoFontSize, 0}},
      {"cf", {&Reader::DoColor, 0}},
      {"b", {&Reader::DoStyle, 0}},
      {"i", {&Reader::DoStyle, 1}},
      {"ul", {&Reader::DoStyle, 2}},
      {"uld", {&Reader::DoStyle, 2}},
      {"uldash", {&Reader::DoStyle, 2}},
      {"uldashd", {&Reader::DoStyle, 2}},
      {"uldashdd", {&Reader::DoStyle, 2}},
      {"uldb", {&Reader::DoStyle, 2}},
      {"ulth", {&Reader::DoStyle, 2}},
      {"ulw", {&Reader::DoStyle, 2}},
      {"ulwave", {&Reader::DoStyle, 2}},
      {"ulnone", {&Reader::DoUnderlineOff, 0}},
      {"strike", {&Reader::DoStyle, 3}},
      {"striked", {&Reader::DoStyle, 3}},
      {"par", {&Reader::DoPar, 0}},
      {"sect", {&Reader::DoPar, 0}},
      {"page", {&Reader::DoPar, 0}},
      {"row", {&Reader::DoPar, 0}},
      {"pard", {&Reader::DoPard, 0}},
      {"ql", {&Reader::DoAlign, static_cast<int>(Alignment::kLeft)}},
      {"qc", {&Reader::DoAlign, static_cast<int>(Alignment::kCenter)}},
      {"qr", {&Reader::DoAlign, static_cast<int>(Alignment::kRight)}},
      {"qj", {&Reader::DoAlign, static_cast<int>(Alignment::kJustify)}},
      {"fi", {&Reader::DoIndent, 0}},
      {"li", {&Reader::DoIndent, 1}},
      {"ri", {&Reader::DoIndent, 2}},
      {"tx", {&Reader::DoTabStop, 0}},
      {"tb", {&Reader::DoTabStop, 0}},
      {"line", {&Reader::DoChar, kLineBreak}},
      {"tab", {&Reader::DoChar, kTab}},
      {"cell", {&Reader::DoChar, kTab}},
      {"nestcell", {&Reader::DoChar, kTab}},
      {"emdash", {&Reader::DoChar, 0x2014}},
      {"endash", {&Reader::DoChar, 0x2013}},
      {"emspace", {&Reader::DoChar, 0x2003}},
      {"enspace", {&Reader::DoChar, 0x2002}},
      {"qmspace", {&Reader::DoChar, 0x2005}},
      {"bullet", {&Reader::DoChar, 0x2022}},
      {"lquote", {&Reader::DoChar, 0x2018}},
      {"rquote", {&Reader::DoChar, 0x2019}},
      {"ldblquote", {&Reader::DoChar, 0x201C}},
      {"rdblquote", {&Reader::DoChar, 0x201D}},
      {"zwj", {&Reader::DoChar, 0x200D}},
      {"zwnj", {&Reader::DoChar, 0x200C}},
      {"u", {&Reader::DoUnicode, 0}},
      {"uc", {&Reader::DoUc, 0}},
  };
  static const Table font_table = {
      {"f", {&Reader::DoFontNumber, 0}},
      {"fcharset", {&Reader::DoCharset, 0}},
      {"cpg", {&Reader::DoFontCodePage, 0}},
      {"u", {&Reader::DoUnicode, 0}},
      {"uc", {&Reader::DoUc, 0}},
      {"fnil", {&Reader::DoFontCodePage, -1}},
      {"froman", {&Reader::DoFontCodePage, -1}},
      {"fswiss", {&Reader::DoFontCodePage, -1}},
      {"fmodern", {&Reader::DoFontCodePage, -1}},
      {"fscript", {&Reader::DoFontCodePage, -1}},
      {"fdecor", {&Reader::DoFontCodePage, -1}},
      {"ftech", {&Reader::DoFontCodePage, -1}},
      {"fbidi", {&Reader::DoFontCodePage, -1}},
      {"fprq", {&Reader::DoFontCodePage, -1}},
  };
  static const Table color_table = {
      {"red", {&Reader::DoColorComponent, 0}},
      {"green", {&Reader::DoColorComponent, 1}},
      {"blue", {&Reader::DoColorComponent, 2}},
  };
  static const Table bullet = {
      {"pnlvlblt", {&Reader::DoBullet, 0}},        {"pnlvlbody", {&Reader::DoBullet, 0}},
      {"pnlvlcont", {&Reader::DoBullet, 0}},       {"pntxtb", {&Reader::DoDestination, kSkip}},
      {"pntxta", {&Reader::DoDestination, kSkip}},
  };
  static const Table none;
  switch (destination) {
    case Destination::kBody:
      return body;
    case Destination::kFontTable:
      return font_table;
    case Destination::kColorTable:
      return color_table;
    case Destination::kBullet:
      return bullet;
    case Destination::kSkip:
      return none;
  }
  return none;
}

void Reader::Run(Reader* snapshot, size_t* snapshot_position, size_t* snapshot_output) {
  while (!done_) {
    if (mapping_) tokenizer_.SkipLineEnds();
    const size_t token_start = tokenizer_.position();
    Token token = tokenizer_.Next();
    if (token.kind == TokenKind::kEnd) break;
    token_begin_ = token_start;
    token_end_ = tokenizer_.position();
    if (snapshot != nullptr && token.kind == TokenKind::kControlWord && token.word == "pard" &&
        stack_.size() == 2 && !Skipping() && fallback_left_ == 0 && !ignorable_) {
      *snapshot = *this;
      snapshot->tokenizer_ = RtfTokenizer(std::string_view(), 0);
      *snapshot_position = token_start;
      *snapshot_output = sink_->OutputSize();
      snapshot = nullptr;
    }
    if (Skipping()) {
      if (token.kind == TokenKind::kGroupStart) {
        ++skip_nesting_;
      } else if (token.kind == TokenKind::kGroupEnd) {
        if (skip_nesting_ > 0) {
          --skip_nesting_;
        } else {
          Pop();
        }
      }
      continue;
    }
    if (fallback_left_ > 0) {
      if (token.kind == TokenKind::kGroupStart || token.kind == TokenKind::kGroupEnd) {
        fallback_left_ = 0;
      } else if (token.kind == TokenKind::kText) {
        size_t n = std::min(token.text.size(), static_cast<size_t>(fallback_left_));
        fallback_left_ -= static_cast<int>(n);
        if (mapping_ && unicode_emitted_) {
          sink_->FallbackSkipped(static_cast<size_t>(token.text.data() - tokenizer_.data()) + n);
        }
        token.text.remove_prefix(n);
        if (token.text.empty()) continue;
      } else {
        --fallback_left_;
        if (mapping_ && unicode_emitted_) sink_->FallbackSkipped(token_end_);
        continue;
      }
    }
    const bool was_ignorable = ignorable_;
    ignorable_ = false;
    switch (token.kind) {
      case TokenKind::kText:
        AddText(token.text);
        TakeTextRun();
        break;
      case TokenKind::kHexByte:
        AddByte(token.byte);
        TakeTextRun();
        break;
      case TokenKind::kControlSymbol:
        if (token.symbol == '\\' || token.symbol == '{' || token.symbol == '}') {
          AddByte(static_cast<unsigned char>(token.symbol));
          TakeTextRun();
        } else if (token.symbol == '*') {
          Flush();
          ignorable_ = true;
        } else {
          Flush();
          Symbol(token.symbol);
        }
        break;
      case TokenKind::kGroupStart:
        Flush();
        Push();
        break;
      case TokenKind::kGroupEnd:
        Flush();
        Pop();
        break;
      case TokenKind::kControlWord: {
        Flush();
        const Table& table = TableFor(Top().destination);
        if (const Entry* entry = table.Find(token.word)) {
          (this->*(entry->handler))(token, entry->arg);
        } else if (was_ignorable) {
          Top().destination = Destination::kSkip;
        }
        break;
      }
      case TokenKind::kBinary:
        Flush();
        break;
      case TokenKind::kEnd:
        break;
    }
  }
  Flush();
  sink_->Finish(have_final_state_ ? final_state_ : stack_.back());
}

void Reader::Push() {
  // stack_[0] is the state outside every group.
  if (stack_.size() > static_cast<size_t>(kMaxGroupDepth)) {
    ++skip_nesting_;
    return;
  }
  stack_.push_back(stack_.back());
}

void Reader::Pop() {
  if (stack_.size() <= 1) return;
  if (Top().destination == Destination::kFontTable && font_open_ &&
      (!font_name_bytes_.empty() || !font_name_.empty())) {
    CommitFont();
  }
  if (stack_.size() == 2) {
    // The document's own group closes: whatever follows is not part of it.
    if (mapping_) sink_->DocumentEnd(token_begin_, stack_.back());
    final_state_ = stack_.back();
    have_final_state_ = true;
    done_ = true;
  }
  stack_.pop_back();
}

void Reader::AddText(std::string_view text) {
  switch (Top().destination) {
    case Destination::kBody:
      pending_.append(text);
      if (mapping_) {
        auto at = static_cast<uint32_t>(text.data() - tokenizer_.data());
        for (size_t i = 0; i < text.size(); ++i, ++at) pending_source_.push_back({at, at + 1});
      }
      break;
    case Destination::kFontTable:
      while (!text.empty()) {
        if (font_name_bytes_.empty() && font_name_.empty()) {
          // Blanks and control characters before a name are dropped anyway; skipping them here
          // keeps them from filling the collected bytes.
          const size_t start = text.find_first_not_of(kBlanksBeforeName);
          text.remove_prefix(start == std::string_view::npos ? text.size() : start);
          if (text.empty()) break;
        }
        const size_t semicolon = text.find(';');
        AppendFaceBytes(text.substr(0, semicolon), &font_name_bytes_);
        if (semicolon == std::string_view::npos) break;
        CommitFont();
        text.remove_prefix(semicolon + 1);
      }
      break;
    case Destination::kColorTable:
      for (char c : text) {
        if (c == ';') CommitColor();
      }
      break;
    default:
      break;
  }
}

void Reader::AddByte(unsigned char byte) {
  if (Top().destination == Destination::kBody) {
    pending_.push_back(static_cast<char>(byte));
    if (mapping_) {
      pending_source_.push_back(
          {static_cast<uint32_t>(token_begin_), static_cast<uint32_t>(token_end_)});
    }
  } else if (Top().destination == Destination::kFontTable) {
    const char c = static_cast<char>(byte);
    AppendFaceBytes(std::string_view(&c, 1), &font_name_bytes_);
  }
}

void Reader::Flush() {
  if (pending_.empty()) return;
  if (mapping_) {
    sink_->MappedBytes(pending_, pending_source_, CodePageOf(Top()), Top());
    pending_source_.clear();
  } else {
    sink_->Bytes(pending_, CodePageOf(Top()), Top());
  }
  pending_.clear();
}

void Reader::Symbol(char symbol) {
  switch (symbol) {
    case '~':
      Emit(0x00A0);
      break;
    case '-':
      Emit(0x00AD);
      break;
    case '_':
      Emit(0x2011);
      break;
    case '\t':
      Emit(kTab);
      break;
    default:
      break;  // \| \: and the like carry nothing we keep
  }
}

void Reader::Emit(char32_t ch) {
  if (Top().destination == Destination::kBody) {
    sink_->Char(ch, Top());
  } else if (Top().destination == Destination::kFontTable) {
    // The line reader skips decoding but keeps the character: whether an entry has a name
    // decides when it is committed, and both readers must see the same font table.
    if (sink_->WantsFontNames()) {
      AppendFaceBytes(
          DecodeBytes(font_name_bytes_, font_code_page_ > 0 ? font_code_page_ : ansi_code_page_),
          &font_name_);
      font_name_bytes_.clear();
    }
    std::string utf8;
    AppendUtf8(ch, &utf8);
    AppendFaceBytes(utf8, &font_name_);
  }
}

const FontEntry* Reader::FontOf(const GroupState& state) const {
  auto it = fonts_.find(state.font < 0 ? default_font_ : state.font);
  return it == fonts_.end() ? nullptr : &it->second;
}

int Reader::CodePageOf(const GroupState& state) const {
  const FontEntry* font = FontOf(state);
  return font != nullptr && font->code_page > 0 ? font->code_page : ansi_code_page_;
}

CharFormat Reader::FormatOf(const GroupState& state) const {
  CharFormat format;
  if (const FontEntry* font = FontOf(state)) {
    format.face = font->face;
    format.charset = font->charset;
  } else {
    format.charset = ansi_code_page_ == 932 ? kShiftJisCharset : kAnsiCharset;
  }
  format.size = state.half_points / 2.0;
  format.color = state.color > 0 && static_cast<size_t>(state.color) < colors_.size()
                     ? colors_[static_cast<size_t>(state.color)]
                     : kWindowTextColor;
  format.bold = state.bold;
  format.italic = state.italic;
  format.underline = state.underline;
  format.strike_out = state.strike_out;
  return format;
}

void Reader::CommitFont() {
  if (!font_open_) return;
  int code_page = font_code_page_ > 0 ? font_code_page_ : 0;
  if (code_page == 0 && font_charset_ >= 0) code_page = CharsetCodePage(font_charset_);
  if (code_page > 0 && !IsCodePageKnown(code_page)) code_page = 0;
  FontEntry entry;
  // A font without \fcharset is in the document's code page.
  entry.charset = font_charset_ >= 0       ? font_charset_
                  : ansi_code_page_ == 932 ? kShiftJisCharset
                                           : kAnsiCharset;
  entry.code_page = code_page;
  if (sink_->WantsFontNames()) {
    entry.face =
        font_name_ + DecodeBytes(font_name_bytes_, code_page > 0 ? code_page : ansi_code_page_);
  }
  // Control characters cannot be part of a face name.
  std::erase_if(entry.face, [](char c) { return static_cast<unsigned char>(c) < 0x20; });
  while (!entry.face.empty() && entry.face.back() == ' ') entry.face.pop_back();
  size_t first = entry.face.find_first_not_of(' ');
  entry.face.erase(0, first == std::string::npos ? entry.face.size() : first);
  TruncateUtf16Units(&entry.face, kMaxFaceLength);
  while (!entry.face.empty() && entry.face.back() == ' ') entry.face.pop_back();
  fonts_[font_number_] = std::move(entry);
  font_open_ = false;
  font_name_bytes_.clear();
  font_name_.clear();
}

void Reader::CommitColor() {
  if (!rgb_set_) {
    colors_.push_back(kWindowTextColor);
  } else {
    colors_.push_back(static_cast<uint32_t>(rgb_[0] | rgb_[1] << 8 | rgb_[2] << 16));
  }
  rgb_[0] = rgb_[1] = rgb_[2] = 0;
  rgb_set_ = false;
}

void Reader::DoDestination(const Token&, int destination) {
  auto d = static_cast<Destination>(destination);
  Top().destination = d;
  if (d == Destination::kBullet) {
    Top().bullet_owner = stack_.size() >= 2 ? stack_.size() - 2 : 0;
  } else if (d == Destination::kColorTable) {
    colors_.clear();
    rgb_set_ = false;
    rgb_[0] = rgb_[1] = rgb_[2] = 0;
  } else if (d == Destination::kFontTable) {
    font_open_ = false;
    font_name_bytes_.clear();
    font_name_.clear();
  }
}

void Reader::DoAnsiCodePage(const Token& token, int code_page) {
  if (code_page < 0) return;  // \rtf1
  if (code_page == 0) {
    if (!token.has_parameter || !IsCodePageKnown(token.parameter)) return;
    code_page = token.parameter;
  }
  ansi_code_page_ = code_page;
}

void Reader::DoPlain(const Token&, int) {
  GroupState& s = Top();
  s.font = -1;
  s.half_points = 24;
  s.color = 0;
  s.bold = s.italic = s.underline = s.strike_out = false;
}

void Reader::DoFontSize(const Token& token, int) {
  int value = token.has_parameter ? token.parameter : 24;
  Top().half_points = std::clamp(value, 1, 3276);
}

void Reader::DoStyle(const Token& token, int which) {
  bool on = !token.has_parameter || token.parameter != 0;
  GroupState& s = Top();
  switch (which) {
    case 0:
      s.bold = on;
      break;
    case 1:
      s.italic = on;
      break;
    case 2:
      s.underline = on;
      break;
    default:
      s.strike_out = on;
      break;
  }
}

void Reader::DoIndent(const Token& token, int which) {
  double points = (token.has_parameter ? token.parameter : 0) / 20.0;
  ParagraphFormat& p = Top().MutableParagraph();
  (which == 0 ? p.first_indent : which == 1 ? p.left_indent : p.right_indent) = points;
}

void Reader::DoTabStop(const Token& token, int) {
  if (!token.has_parameter) return;
  const std::vector<double>& stops = Top().paragraph->tab_stops;
  double points = token.parameter / 20.0;
  auto it = std::lower_bound(stops.begin(), stops.end(), points);
  if (it != stops.end() && *it == points) return;
  // The rich-text control keeps the first stops given and ignores the rest.
  if (stops.size() >= kMaxTabStops) return;
  const auto at = it - stops.begin();
  std::vector<double>& own = Top().MutableParagraph().tab_stops;
  own.insert(own.begin() + at, points);
}

void Reader::DoUnicode(const Token& token, int) {
  if (!token.has_parameter) return;
  int32_t value = token.parameter;
  if (value < 0) value += 65536;
  if (value < 0 || value > 0xFFFF) value = 0xFFFD;
  auto ch = static_cast<char32_t>(value);
  fallback_left_ = Top().uc;
  unicode_emitted_ = false;
  if (ch >= 0xD800 && ch <= 0xDBFF) {
    high_surrogate_ = ch;
    return;
  }
  if (ch >= 0xDC00 && ch <= 0xDFFF) {
    if (high_surrogate_ == 0) return;
    ch = 0x10000 + ((high_surrogate_ - 0xD800) << 10) + (ch - 0xDC00);
  }
  high_surrogate_ = 0;
  Emit(ch);
  unicode_emitted_ = Top().destination == Destination::kBody;
}

void Reader::DoUc(const Token& token, int) {
  Top().uc = token.has_parameter ? std::clamp(token.parameter, 0, 255) : 1;
}

void Reader::DoFontNumber(const Token& token, int) {
  if (font_open_ && (!font_name_bytes_.empty() || !font_name_.empty())) CommitFont();
  font_open_ = true;
  font_number_ = token.has_parameter ? token.parameter : 0;
  font_charset_ = -1;
  font_code_page_ = 0;
  font_name_bytes_.clear();
  font_name_.clear();
}

void Reader::DoCharset(const Token& token, int) {
  if (token.has_parameter) font_charset_ = token.parameter;
  if (font_charset_ == 1) font_charset_ = ansi_code_page_ == 932 ? kShiftJisCharset : kAnsiCharset;
  if (font_code_page_ == 0) {
    int code_page = CharsetCodePage(font_charset_);
    if (code_page > 0 && IsCodePageKnown(code_page)) font_code_page_ = code_page;
  }
}

void Reader::DoFontCodePage(const Token& token, int arg) {
  if (arg < 0) return;  // font family words: nothing to keep
  if (token.has_parameter && token.parameter > 0 && IsCodePageKnown(token.parameter)) {
    font_code_page_ = token.parameter;
  }
}

void Reader::DoColorComponent(const Token& token, int which) {
  rgb_[which] = std::clamp(token.has_parameter ? token.parameter : 0, 0, 255);
  rgb_set_ = true;
}

void Reader::DoBullet(const Token&, int) {
  size_t owner = Top().bullet_owner;
  if (owner < stack_.size()) stack_[owner].MutableParagraph().bullet = true;
}

// Builds the document; consecutive text of one state goes into one run.
class DocumentSink : public ContentSink {
 public:
  void set_reader(const Reader* reader) { reader_ = reader; }
  RichDocument Take() { return std::move(document_); }

  void Bytes(std::string_view bytes, int code_page, const GroupState& state) override {
    std::string text = DecodeBytes(bytes, code_page);
    // Control characters in the text stream carry nothing but a tab.
    text.erase(std::remove_if(text.begin(), text.end(),
                              [](char c) {
                                auto b = static_cast<unsigned char>(c);
                                return b < 0x20 && c != '\t';
                              }),
               text.end());
    Append(text, state);
  }
  void Char(char32_t ch, const GroupState& state) override {
    if (ch < 0x20 && ch != static_cast<char32_t>(kTab) && ch != static_cast<char32_t>(kLineBreak)) {
      return;
    }
    std::string text;
    AppendUtf8(ch, &text);
    Append(text, state);
  }
  void ParagraphEnd(const GroupState& state) override {
    document_.paragraphs.back().format = *state.paragraph;
    document_.paragraphs.emplace_back();
  }
  void Finish(const GroupState& state) override {
    document_.paragraphs.back().format = *state.paragraph;
    document_.Normalize();
  }

 private:
  struct Key {
    int font, half_points, color;
    bool bold, italic, underline, strike_out;
    bool operator==(const Key&) const = default;
  };
  static Key KeyOf(const GroupState& s) {
    return {s.font, s.half_points, s.color, s.bold, s.italic, s.underline, s.strike_out};
  }
  void Append(const std::string& text, const GroupState& state) {
    if (text.empty()) return;
    std::vector<Run>& runs = document_.paragraphs.back().runs;
    Key key = KeyOf(state);
    if (!runs.empty() && key == last_key_) {
      runs.back().text += text;
      return;
    }
    runs.push_back(Run{text, reader_->FormatOf(state)});
    last_key_ = key;
  }

  const Reader* reader_ = nullptr;
  RichDocument document_;
  Key last_key_{};
};

// Printable ASCII reads the same in the Windows and DOS code pages, though not in the
// EBCDIC or UTF-16 ones iconv also knows, nor in Johab (0x5C is the won sign there).
bool IsAsciiCompatible(int code_page) {
  switch (code_page) {
    case 437:
    case 850:
    case 852:
    case 866:
    case 874:
    case 932:
    case 936:
    case 949:
    case 950:
    case 10000:
    case 65001:
      return true;
    default:
      return code_page >= 1250 && code_page <= 1258;
  }
}
bool IsPrintableAscii(std::string_view bytes) {
  for (char c : bytes) {
    auto b = static_cast<unsigned char>(c);
    if ((b < 0x20 && c != '\t') || b >= 0x7F) return false;
  }
  return true;
}
// Collects CP932 lines; CP932 text is copied through when it is well formed.
class LinesSink : public ContentSink {
 public:
  // The last line is dropped when the document holds nothing after the last line end, as
  // the final paragraph mark does not start a line of its own.
  std::vector<std::string> Take() {
    if (current_has_text_) lines_.push_back(std::move(current_));
    return std::move(lines_);
  }

  void Bytes(std::string_view bytes, int code_page, const GroupState&) override {
    if ((code_page == 932 && IsCleanCp932(bytes)) ||
        (IsAsciiCompatible(code_page) && IsPrintableAscii(bytes))) {
      current_.append(bytes);
      current_has_text_ = true;
      return;
    }
    std::string utf8 = DecodeBytes(bytes, code_page);
    for (size_t i = 0; i < utf8.size();) Add(NextUtf8(utf8, &i));
  }
  void Char(char32_t ch, const GroupState&) override {
    if (ch == static_cast<char32_t>(kLineBreak)) {
      EndLine();
    } else {
      Add(ch);
    }
  }
  void ParagraphEnd(const GroupState&) override { EndLine(); }
  void Finish(const GroupState&) override {}
  bool WantsFontNames() const override { return false; }

 private:
  // Printable ASCII, tab, half-width katakana and well-formed double-byte characters are
  // copied as they are, without the conversion tables (building them costs more than
  // reading a small body); anything else goes through Unicode.
  static bool IsCleanCp932(std::string_view bytes) {
    const size_t n = bytes.size();
    for (size_t i = 0; i < n;) {
      auto b = static_cast<unsigned char>(bytes[i]);
      if ((b >= 0x20 && b < 0x80) || b == '\t' || (b >= 0xA1 && b <= 0xDF)) {
        ++i;
      } else if (IsLeadByte(b) && i + 1 < n &&
                 IsTrailByte(static_cast<unsigned char>(bytes[i + 1]))) {
        i += 2;
      } else {
        return false;
      }
    }
    return true;
  }
  // A character the document keeps counts even when its plain form is empty (soft hyphen).
  void Add(char32_t ch) {
    if (ch < 0x20 && ch != static_cast<char32_t>(kTab)) return;
    current_has_text_ = true;
    AppendPlainCp932(ch, &current_);
  }
  void EndLine() {
    lines_.push_back(std::move(current_));
    current_.clear();
    current_has_text_ = false;
  }

  std::vector<std::string> lines_;
  std::string current_;
  bool current_has_text_ = false;
};

// Collects the plain CP932 text of the document as DocumentText and Utf8ToPlainCp932 would
// give it, without building the document: CP932 runs go through the pane table, which is
// exact per character, everything else through Unicode as the document builder takes it.
class PlainTextSink : public ContentSink {
 public:
  explicit PlainTextSink(std::string* out) : out_(out) {}

  void Bytes(std::string_view bytes, int code_page, const GroupState&) override {
    if (code_page == 932) {
      AppendPaneCp932(bytes, out_);
      return;
    }
    std::string utf8 = DecodeBytes(bytes, code_page);
    for (size_t i = 0; i < utf8.size();) {
      char32_t ch = NextUtf8(utf8, &i);
      if (ch < 0x20 && ch != static_cast<char32_t>(kTab)) continue;
      AppendPlainCp932(ch, out_);
    }
  }
  void Char(char32_t ch, const GroupState&) override {
    if (ch == static_cast<char32_t>(kLineBreak)) {
      *out_ += "\r\n";
    } else if (ch >= 0x20 || ch == static_cast<char32_t>(kTab)) {
      AppendPlainCp932(ch, out_);
    }
  }
  void ParagraphEnd(const GroupState&) override { *out_ += "\r\n"; }
  void Finish(const GroupState&) override {}
  bool WantsFontNames() const override { return false; }
  size_t OutputSize() const override { return out_->size(); }
  void set_out(std::string* out) { out_ = out; }

 private:
  std::string* out_;
};

// Notes, for every piece of the plain text, the RTF bytes it comes from. Text that the pane
// holds byte for byte (CP932 in a CP932 font, printable ASCII) is noted character by
// character; any other run of text bytes is noted as one run whose characters can only be
// changed by writing the whole run again.
class MapSink : public ContentSink {
 public:
  explicit MapSink(RtfTextMap* map) : map_(map) {}
  void set_reader(const Reader* reader) { reader_ = reader; }

  bool WantsSource() const override { return true; }
  bool WantsFontNames() const override { return false; }
  void Bytes(std::string_view, int, const GroupState&) override {}
  void MappedBytes(std::string_view bytes, const std::vector<ByteSource>& source, int code_page,
                   const GroupState& state) override {
    last_unicode_ = -1;
    const size_t n = bytes.size();
    const bool clean = (code_page == 932 && PaneCleanPrefix(bytes) == n) ||
                       (IsAsciiCompatible(code_page) && IsPrintableAscii(bytes));
    int32_t run = -1;
    if (!clean) {
      run = static_cast<int32_t>(map_->runs.size());
      map_->runs.push_back({source.front().begin, source.back().end});
    }
    if (clean || code_page == 932) {
      // Character by character, as Cp932ToUtf8 walks.
      for (size_t i = 0; i < n;) {
        auto b = static_cast<unsigned char>(bytes[i]);
        size_t length = 1;
        if (code_page == 932 && IsLeadByte(b) && i + 1 < n &&
            IsTrailByte(static_cast<unsigned char>(bytes[i + 1]))) {
          length = 2;
        }
        const size_t text_begin = map_->text.size();
        if (clean) {
          map_->text.append(bytes.substr(i, length));
        } else {
          AppendPaneCp932(bytes.substr(i, length), &map_->text);
        }
        char32_t ch = b;
        if (!clean && (b >= 0x80 || length == 2)) {
          ch = IsLeadByte(b) && length == 1
                   ? 0xFFFD
                   : DecodeCp932Char(static_cast<uint16_t>(
                         length == 2 ? b << 8 | static_cast<unsigned char>(bytes[i + 1]) : b));
          if (ch == 0) ch = 0xFFFD;
        }
        if (clean || !(ch < 0x20 && ch != static_cast<char32_t>(kTab))) {
          Add(text_begin, source[i].begin, source[i + length - 1].end, run, ch, code_page, state);
        }
        i += length;
      }
      return;
    }
    std::string utf8 = DecodeBytes(bytes, code_page);
    for (size_t i = 0; i < utf8.size();) {
      char32_t ch = NextUtf8(utf8, &i);
      if (ch < 0x20 && ch != static_cast<char32_t>(kTab)) continue;
      const size_t text_begin = map_->text.size();
      AppendPlainCp932(ch, &map_->text);
      Add(text_begin, source.front().begin, source.back().end, run, ch, code_page, state);
    }
  }
  void Char(char32_t ch, const GroupState& state) override {
    last_unicode_ = -1;
    const size_t text_begin = map_->text.size();
    if (ch == static_cast<char32_t>(kLineBreak)) {
      map_->text += "\r\n";
    } else if (ch >= 0x20 || ch == static_cast<char32_t>(kTab)) {
      AppendPlainCp932(ch, &map_->text);
    } else {
      return;
    }
    Add(text_begin, reader_->token_begin(), reader_->token_end(), -1, ch, 0, state);
    map_->pieces.back().line_break = ch == static_cast<char32_t>(kLineBreak);
    last_unicode_ = static_cast<int64_t>(map_->pieces.size()) - 1;
  }
  void ParagraphEnd(const GroupState& state) override {
    last_unicode_ = -1;
    const size_t text_begin = map_->text.size();
    map_->text += "\r\n";
    Add(text_begin, reader_->token_begin(), reader_->token_end(), -1, '\r', 0, state);
    map_->pieces.back().line_break = true;
  }
  void Finish(const GroupState& state) override {
    if (map_->has_document_end) return;
    map_->end_code_page = code_page_of_ ? code_page_of_(state) : 932;
    map_->end_uc = state.uc;
  }
  void FallbackSkipped(size_t end) override {
    if (last_unicode_ < 0) return;
    RtfTextPiece& piece = map_->pieces[static_cast<size_t>(last_unicode_)];
    piece.source_end = std::max(piece.source_end, static_cast<uint32_t>(end));
  }
  void DocumentEnd(size_t position, const GroupState& state) override {
    map_->has_document_end = true;
    map_->document_end = static_cast<uint32_t>(position);
    map_->end_code_page = code_page_of_ ? code_page_of_(state) : 932;
    map_->end_uc = state.uc;
  }
  void set_code_page_of(const std::function<int(const GroupState&)>& code_page_of) {
    code_page_of_ = code_page_of;
  }

 private:
  void Add(size_t text_begin, uint32_t source_begin, uint32_t source_end, int32_t run, char32_t ch,
           int code_page, const GroupState& state) {
    RtfTextPiece piece;
    piece.text_begin = static_cast<uint32_t>(text_begin);
    piece.text_end = static_cast<uint32_t>(map_->text.size());
    piece.source_begin = source_begin;
    piece.source_end = source_end;
    piece.run = run;
    piece.ch = ch;
    piece.code_page = code_page != 0 ? code_page : (code_page_of_ ? code_page_of_(state) : 932);
    piece.uc = state.uc;
    map_->pieces.push_back(piece);
  }

  RtfTextMap* map_;
  const Reader* reader_ = nullptr;
  int64_t last_unicode_ = -1;
  std::function<int(const GroupState&)> code_page_of_;
};

}  // namespace

bool IsAsciiCompatibleCodePage(int code_page) { return IsAsciiCompatible(code_page); }

RtfTextMap MapRtfText(std::string_view rtf) {
  RtfTextMap map;
  MapSink sink(&map);
  Reader reader(rtf, &sink);
  sink.set_reader(&reader);
  sink.set_code_page_of([&reader](const GroupState& state) { return reader.CodePageOf(state); });
  reader.Run();
  return map;
}

RichDocument ReadRtf(std::string_view rtf) {
  DocumentSink sink;
  Reader reader(rtf, &sink);
  sink.set_reader(&reader);
  reader.Run();
  return sink.Take();
}

std::vector<std::string> ReadRtfLines(std::string_view rtf) {
  LinesSink sink;
  Reader reader(rtf, &sink);
  reader.Run();
  return sink.Take();
}

void AppendRtfPlainText(std::string_view rtf, std::string* out) {
  PlainTextSink sink(out);
  Reader reader(rtf, &sink);
  reader.Run();
}

// Bodies written by one program share their header byte for byte; the reader's state after
// it is kept with the header's bytes and the text it gave, and reused for every RTF that
// begins with them.
struct RtfPlainTextReader::Impl {
  PlainTextSink sink{nullptr};
  Reader reader{std::string_view(), nullptr};
  Reader snapshot{std::string_view(), nullptr};
  bool have_snapshot = false;
  std::string header;         // the bytes up to and including the one at the snapshot
  std::string header_output;  // what the sink received before the snapshot
};

RtfPlainTextReader::RtfPlainTextReader() : impl_(std::make_unique<Impl>()) {}
RtfPlainTextReader::~RtfPlainTextReader() = default;

void RtfPlainTextReader::Append(std::string_view rtf, std::string* out) {
  Impl& m = *impl_;
  m.sink.set_out(out);
  if (m.have_snapshot && rtf.size() >= m.header.size() &&
      std::memcmp(rtf.data(), m.header.data(), m.header.size()) == 0) {
    m.reader = m.snapshot;
    m.reader.Resume(rtf, m.header.size() - 1, &m.sink);
    out->append(m.header_output);
    m.reader.Run();
    return;
  }
  const size_t base = out->size();
  m.reader = Reader(rtf, &m.sink);
  size_t position = 0;
  size_t output = 0;
  m.have_snapshot = false;
  m.reader.Run(&m.snapshot, &position, &output);
  if (position > 0 && position < rtf.size()) {
    m.have_snapshot = true;
    m.header.assign(rtf.substr(0, position + 1));
    m.header_output.assign(*out, base, output - base);
  }
}

}  // namespace pw::rich
