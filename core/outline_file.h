// The binary layout shared by documents (.PWV), templates (.PWT) and the node stream of the
// clipboard: a title section, a body section and one 26-byte record per node. The reader
// also takes the old layout (no magic, 17-byte records).
#ifndef PLOTWEAVE_CORE_OUTLINE_FILE_H_
#define PLOTWEAVE_CORE_OUTLINE_FILE_H_

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/atomic_file.h"
#include "core/byte_io.h"
#include "core/outline.h"
#include "core/progress.h"
#include "core/status.h"

namespace pw {

inline constexpr size_t kRecordSize = 26;
inline constexpr size_t kOldRecordSize = 17;

inline constexpr char kSavingCaption[] = "ﾃﾞｰﾀ保存中";
inline constexpr char kLoadingCaption[] = "ﾃﾞｰﾀﾛｰﾄﾞ中";
inline constexpr char kStreamReadError[] = "ストリームの読み込みエラー";

enum class OutlineVariant {
  kDocument,    // the main tree: body section and trailer
  kTemplate,    // any other tree: no body-size field, no body section, no trailer
  kNodeStream,  // clipboard and node import: body section, no trailer
};

// Turns a stored body into the bytes written for it. The rich-text engine supplies one that
// writes plain-text bodies as RTF; without one a body is written as it is.
using BodySerializer = std::function<std::string(std::string_view body)>;

struct WriteOptions {
  OutlineVariant variant = OutlineVariant::kDocument;
  int32_t selected_index = 0;  // trailer of a document
  int32_t caret = 0;
  BodySerializer body_serializer;
  ProgressSink* progress = nullptr;
  bool flush_to_disk = true;  // files only: fsync before the rename
  AtomicFileOptions file;     // files only
};

std::string SerializeOutline(const Outline& outline, const WriteOptions& options);

// Appends the 26-byte record of `node` (body length and offset are written only with a body).
void AppendNodeRecord(std::string* records, const Node* node, bool has_body, int32_t body_length,
                      int32_t body_offset);

// The largest file the layout's 32-bit section sizes can describe, and the message for more.
inline constexpr int64_t kMaxOutlineFileSize = INT32_MAX;
inline constexpr char kTooLargeToSave[] = "文書が大きすぎて保存できません";

// Writes atomically: a failed write leaves an existing file as it was.
Status WriteOutlineFile(const std::string& path, const Outline& outline,
                        const WriteOptions& options);

// Which tree receives the nodes; it decides whether the body-size field is read and whether
// nodes get their bodies.
enum class ReadTarget {
  kMainTree,    // TreeViewMain
  kImportTree,  // TreeViewImport
  kOtherTree,   // TreeViewTemp and the like: templates
};

enum class FileLayout { kCurrent, kOld };

struct ReadInfo {
  FileLayout layout = FileLayout::kCurrent;
  bool empty_file = false;     // a 0-byte file read into the main tree
  bool has_body_size = false;  // the B field was present
  int64_t title_size = 0;
  int64_t body_size = 0;
  int64_t record_size = 0;
  size_t node_count = 0;
  bool has_selected = false;
  bool has_caret = false;
  int32_t selected_index = 0;  // as stored; 0 when absent
  int32_t caret = 0;           // as stored; 0 when absent
};

struct ReadResult {
  Status status;
  ReadInfo info;
};

// Reads a whole outline from `source` into `outline` (its content is replaced). On failure the
// outline holds what was built before the error.
ReadResult ReadOutline(const ByteSource& source, ReadTarget target, Outline* outline,
                       ProgressSink* progress = nullptr);
ReadResult ReadOutlineFile(const std::string& path, ReadTarget target, Outline* outline,
                           ProgressSink* progress = nullptr);
// The node stream: format bytes skipped untested, B always present, bodies always read.
ReadResult ReadNodeStream(std::string_view bytes, Outline* outline);

// The node to select for a stored index: the stored one when it exists, else the first node.
Node* StoredSelection(const Outline& outline, int32_t selected_index);

}  // namespace pw

#endif  // PLOTWEAVE_CORE_OUTLINE_FILE_H_
