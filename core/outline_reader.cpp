// Reading outlines. Every size field is checked against the bytes that are really there before
// anything is allocated or read; the body section is read straight from the source into each
// node, so a large file is never held twice in memory.
#include <algorithm>
#include <cstring>

#include "core/heap_reserve.h"
#include "core/new_document.h"
#include "core/node_marks.h"
#include "core/outline_file.h"
#include "core/title_section.h"

namespace pw {
namespace {

struct Header {
  int64_t start = 0;  // where the title section begins
  int64_t title = 0;
  int64_t body = 0;
  int64_t record = 0;
  bool has_body = false;
};

Status ReadError() { return Status::Error(kStreamReadError); }

// Kind and icon of an old-layout node, chosen by its old icon index. Indexes the old program
// never wrote (above 11 or negative) are taken as plain story nodes with the child mark.
void OldKind(int32_t old_icon, int32_t* kind, int32_t* icon) {
  if (old_icon == 2 || old_icon == 3 || old_icon == 4 || old_icon == 5) {
    *kind = nkParent;
  } else if (old_icon == 6 || old_icon == 7) {
    *kind = nkRoot;
  } else if (old_icon == 8 || old_icon == 9) {
    *kind = nkChara;
  } else if (old_icon == 10 || old_icon == 11) {
    *kind = nkCharaItem;
  } else {
    *kind = nkChild;
  }
  *icon = IconFor(*kind, ncBlue);
}

// Reads the bodies of one section one after the other through a window, so that many small
// bodies cost a few large reads rather than one system call each. Each body's first NUL is
// looked for in the window, while the bytes are still in the cache, and the body is copied
// once, straight from the window into its string: no second buffer, no zero-fill. A body that
// ends within the window gets a string of the size it keeps.
class SequentialReader {
 public:
  SequentialReader(const ByteSource& source, uint64_t start, uint64_t size)
      : source_(source), next_(start), end_(start + size) {}

  bool AtEnd() const { return window_pos_ == window_.size() && next_ == end_; }

  // Takes the next `count` bytes of the section: `out` (when not null) gets them up to their
  // first NUL, and the bytes after it are skipped. False when the section has fewer bytes
  // left or a read fails.
  bool ReadBody(size_t count, std::string* out) {
    const uint64_t left = static_cast<uint64_t>(window_.size() - window_pos_) + (end_ - next_);
    if (count > left) return false;
    const size_t total = count;
    bool keeping = out != nullptr;
    while (count > 0) {
      if (window_pos_ == window_.size()) {
        if (!keeping) {
          // Nothing more is kept of this body: step over the rest without reading it.
          next_ += count;
          return true;
        }
        const size_t fill = static_cast<size_t>(std::min<uint64_t>(kWindow, end_ - next_));
        if (!source_.ReadAt(next_, fill, &window_)) return false;
        next_ += fill;
        window_pos_ = 0;
      }
      const size_t take = std::min(count, window_.size() - window_pos_);
      if (keeping) {
        const char* piece = window_.data() + window_pos_;
        const void* nul = std::memchr(piece, '\0', take);
        const size_t keep =
            nul != nullptr ? static_cast<size_t>(static_cast<const char*>(nul) - piece) : take;
        if (count == total && nul == nullptr && take < count) {
          // A body larger than what is left of the window: room for all of it once.
          out->reserve(total);
        }
        out->append(piece, keep);
        keeping = nul == nullptr;
      }
      window_pos_ += take;
      count -= take;
    }
    return true;
  }

 private:
  static constexpr size_t kWindow = 1 << 20;
  const ByteSource& source_;
  uint64_t next_;
  uint64_t end_;
  std::string window_;
  size_t window_pos_ = 0;
};

class Reader {
 public:
  Reader(const ByteSource& source, Outline* outline, ProgressSink* progress)
      : source_(source), outline_(outline), progress_(progress) {}

  // `node_stream` skips the version test; `bodies_present` says whether the current layout
  // carries the B field; `keep_bodies` whether its nodes get their bodies (the old layout's
  // always do). `retry_as_old` reads a file that begins 3, 0, 0 as the old layout, but only
  // when that layout accounts for every byte of it: a damaged current file must not open as
  // an old one by chance.
  ReadResult Read(bool node_stream, bool bodies_present, bool keep_bodies,
                  bool retry_as_old = false) {
    ReadResult result;
    ReadInfo& info = result.info;
    std::string magic;
    bool current = node_stream;
    if (!node_stream) {
      if (!source_.ReadAt(0, 3, &magic)) {
        // Too short even for the version test: the old layout's 12-byte header is missing.
        info.layout = FileLayout::kOld;
        result.status = ReadError();
        return result;
      }
      current = !retry_as_old && magic == std::string("\x03\x00\x00", 3);
    }
    info.layout = current ? FileLayout::kCurrent : FileLayout::kOld;
    Header header;
    if (Status s = ReadHeader(current, current ? bodies_present : true, &header); !s) {
      result.status = s;
      return result;
    }
    info.has_body_size = header.has_body;
    info.title_size = header.title;
    info.body_size = header.body;
    info.record_size = header.record;
    if (!current) keep_bodies = true;
    const size_t record_size = current ? kRecordSize : kOldRecordSize;
    if (retry_as_old && (static_cast<uint64_t>(header.start + header.title + header.body +
                                               header.record) != source_.size() ||
                         header.record % static_cast<int64_t>(record_size) != 0)) {
      result.status = ReadError();
      return result;
    }

    // The title section, nodes, titles and bodies are about to take this much fresh memory
    // (the title section too, so that its pages are huge ones and are reused for bodies once
    // it is parsed). No more nodes are made than the record section can describe, whatever
    // the title section holds.
    const size_t max_nodes = static_cast<size_t>(header.record) / record_size;
    PrepareHeapForLoad(static_cast<size_t>(header.title) * 2 + max_nodes * 256 +
                       (keep_bodies ? static_cast<size_t>(header.body) : 0));
    std::string titles;
    if (!source_.ReadAt(static_cast<uint64_t>(header.start), static_cast<size_t>(header.title),
                        &titles) ||
        (retry_as_old && (titles.empty() || (titles.back() != '\n' && titles.back() != '\r')))) {
      result.status = ReadError();
      return result;
    }
    if (Status s = ParseTitleSection(titles, outline_, max_nodes); !s) {
      info.node_count = outline_->size();
      result.status = s;
      return result;
    }
    titles.clear();
    titles.shrink_to_fit();
    const size_t count = outline_->size();
    info.node_count = count;
    if (retry_as_old && count * record_size != static_cast<uint64_t>(header.record)) {
      result.status = ReadError();
      return result;
    }
    std::string records;
    const int64_t records_at = header.start + header.title + header.body;
    if (!source_.ReadAt(static_cast<uint64_t>(records_at), count * record_size, &records)) {
      result.status = ReadError();
      return result;
    }

    ProgressScope progress(progress_, kLoadingCaption, count);
    SequentialReader bodies(source_, static_cast<uint64_t>(header.start + header.title),
                            static_cast<uint64_t>(header.body));
    outline_->BeginBulkLoad();
    Status status;
    for (size_t i = 0; i < count; ++i) {
      const char* r = records.data() + i * record_size;
      Node* node = outline_->NodeAt(i);
      TNodeData* data = node->data();
      if (current) {
        outline_->SetIcons(node, LoadInt32(r + 9), LoadInt32(r + 13));
        data->Color = LoadInt32(r + 17);
        data->Expanded = static_cast<uint8_t>(r[21] != 0 ? 1 : 0);
        data->Kind = LoadInt32(r + 22);
        outline_->SetExpanded(node, data->Expanded != 0);
      } else {
        int32_t kind = 0;
        int32_t icon = 0;
        OldKind(LoadInt32(r + 9), &kind, &icon);
        data->Kind = kind;
        outline_->SetIcons(node, icon, icon);
      }
      if (r[0] == 1 && header.has_body) {
        // Bodies follow each other; the stored offset is not used.
        const int32_t body_length = LoadInt32(r + 1);
        std::string* body = nullptr;
        if (keep_bodies) body = &data->Body.emplace();
        if (body_length < 0 || !bodies.ReadBody(static_cast<size_t>(body_length), body)) {
          if (keep_bodies) data->Body.reset();
          status = ReadError();
          break;
        }
      }
      progress.Step();
    }
    outline_->EndBulkLoad();
    if (status && retry_as_old && !bodies.AtEnd()) status = ReadError();
    if (!status) {
      result.status = status;
      return result;
    }

    if (current && !node_stream) {
      const uint64_t trailer_at = static_cast<uint64_t>(records_at + header.record);
      std::string word;
      if (source_.ReadAt(trailer_at, 4, &word)) {
        info.has_selected = true;
        info.selected_index = LoadInt32(word.data());
        if (source_.ReadAt(trailer_at + 4, 4, &word)) {
          info.has_caret = true;
          info.caret = LoadInt32(word.data());
        }
      }
    }
    return result;
  }

 private:
  Status ReadHeader(bool current, bool body_field, Header* header) {
    std::string bytes;
    if (current) {
      const size_t size = body_field ? 15 : 11;
      if (!source_.ReadAt(0, size, &bytes)) return ReadError();
      header->title = LoadInt32(bytes.data() + 3);
      header->has_body = body_field;
      header->body = body_field ? LoadInt32(bytes.data() + 7) : 0;
      header->record = LoadInt32(bytes.data() + (body_field ? 11 : 7));
      header->start = static_cast<int64_t>(size);
    } else {
      if (!source_.ReadAt(0, 12, &bytes)) return ReadError();
      header->title = LoadInt32(bytes.data());
      header->body = LoadInt32(bytes.data() + 4);
      header->record = LoadInt32(bytes.data() + 8);
      // The old layout's bodies are read whenever its body section holds anything.
      header->has_body = header->body > 0;
      header->start = 12;
    }
    if (header->title < 0 || header->body < 0 || header->record < 0) return ReadError();
    const int64_t end = header->start + header->title + header->body + header->record;
    if (static_cast<uint64_t>(end) > source_.size()) return ReadError();
    return Status::Ok();
  }

  const ByteSource& source_;
  Outline* outline_;
  ProgressSink* progress_;
};

}  // namespace

ReadResult ReadOutline(const ByteSource& source, ReadTarget target, Outline* outline,
                       ProgressSink* progress) {
  const bool bodies = target != ReadTarget::kOtherTree;
  ReadResult result = Reader(source, outline, progress).Read(false, bodies, bodies);
  if (result.status && target == ReadTarget::kMainTree && outline->empty()) {
    // A document without a single node (an empty title section) opens as a new document, as an
    // empty file does: the window always has a node to show and to add beside.
    MakeNewDocument(outline);
    result.info.node_count = outline->size();
    return result;
  }
  if (!result.status && result.info.layout == FileLayout::kCurrent) {
    // An old-layout file whose title section is exactly 3 bytes long starts with 3, 0, 0 too.
    // When it does not read as the current layout, it may still be an old one; if it is not,
    // the current layout's error stands.
    Outline old_outline;
    ReadResult old = Reader(source, &old_outline, nullptr).Read(false, bodies, bodies, true);
    if (old.status) {
      outline->BeginBulkLoad();
      outline->Clear();
      while (!old_outline.empty()) {
        outline->Adopt(nullptr, SIZE_MAX, old_outline.Take(old_outline.child(nullptr, 0)));
      }
      outline->EndBulkLoad();
      return old;
    }
  }
  return result;
}

ReadResult ReadOutlineFile(const std::string& path, ReadTarget target, Outline* outline,
                           ProgressSink* progress) {
  std::string error;
  auto source = FileSource::Open(path, &error);
  if (!source) {
    ReadResult result;
    result.status = Status::Error(error);
    return result;
  }
  if (source->size() == 0 && target == ReadTarget::kMainTree) {
    MakeNewDocument(outline);
    ReadResult result;
    result.info.empty_file = true;
    result.info.node_count = outline->size();
    return result;
  }
  return ReadOutline(*source, target, outline, progress);
}

ReadResult ReadNodeStream(std::string_view bytes, Outline* outline) {
  MemorySource source(bytes);
  return Reader(source, outline, nullptr).Read(true, true, true);
}

Node* StoredSelection(const Outline& outline, int32_t selected_index) {
  if (selected_index >= 0) {
    if (Node* node = outline.NodeAt(static_cast<size_t>(selected_index))) return node;
  }
  return outline.NodeAt(0);
}

}  // namespace pw
