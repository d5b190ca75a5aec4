// Node clipboard payloads.
#include "editing/node_clipboard.h"

#include "core/outline_file.h"
#include "richtext/body_text.h"

namespace pw {

const char* PayloadFormatFor(const Node* first) {
  return first != nullptr && first->icon() == kIconCharaItem ? kCharaItemNodeFormat
                                                             : kStandardNodeFormat;
}

const char* PasteFormatFor(const Node* selected) {
  return selected != nullptr && selected->icon() == kIconChara ? kCharaItemNodeFormat
                                                               : kStandardNodeFormat;
}

std::string BuildNodePayload(const Outline& scratch) {
  WriteOptions options;
  options.variant = OutlineVariant::kNodeStream;
  options.body_serializer = rich::SerializeBodyForFile;
  return SerializeOutline(scratch, options);
}

Status ReadNodePayload(std::string_view bytes, Outline* scratch) {
  ReadResult result = ReadNodeStream(bytes, scratch);
  if (!result.status || scratch->empty()) {
    scratch->Clear();
    return Status::Error(kPastedNothingMessage + std::string(": ") +
                         (result.status ? std::string("空のデータです") : result.status.message));
  }
  return Status::Ok();
}

}  // namespace pw
