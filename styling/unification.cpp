// Both unifications share one walk; they differ in what they do to a body's document.
#include "styling/unification.h"

#include "richtext/body_text.h"
#include "richtext/rich_operations.h"
#include "richtext/rtf_writer.h"

namespace pw::styling {
namespace {

template <typename Rewrite>
size_t RewriteBodies(const Outline& outline, const char* caption, ProgressSink* progress,
                     Rewrite&& rewrite) {
  ProgressScope scope(progress, caption, outline.size());
  size_t rewritten = 0;
  for (Node* node = outline.NodeAt(0); node != nullptr; node = outline.NextInPreorder(node)) {
    TNodeData* data = node->data();
    if (data != nullptr && data->Body) {
      rich::RichDocument document = rich::BodyToDocument(*data->Body);
      rewrite(&document);
      data->SetBody(rich::WriteRtf(document));
      ++rewritten;
    }
    scope.Step();
  }
  return rewritten;
}

}  // namespace

size_t UnifyFonts(const Outline& outline, const rich::CharFormat& format, ProgressSink* progress) {
  return RewriteBodies(outline, kFontUnifyCaption, progress, [&](rich::RichDocument* document) {
    rich::SetCharFormatAll(document, format);
  });
}

size_t UnifyTabStops(const Outline& outline, const std::vector<double>& tab_stops,
                     ProgressSink* progress) {
  return RewriteBodies(outline, kTabUnifyCaption, progress, [&](rich::RichDocument* document) {
    rich::SetTabStopsAll(document, tab_stops);
  });
}

}  // namespace pw::styling
