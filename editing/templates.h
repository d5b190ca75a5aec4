// Templates: a subtree's titles, kinds, colours and icons saved without bodies in a .PWT file,
// and inserted under a node later.
#ifndef PLOTWEAVE_EDITING_TEMPLATES_H_
#define PLOTWEAVE_EDITING_TEMPLATES_H_

#include <string>

#include "core/outline.h"
#include "core/status.h"

namespace pw {

inline constexpr char kTemplateFilter[] = "ﾃﾝﾌﾟﾚｰﾄﾌｧｲﾙ (*.PWT)|*.PWT";
inline constexpr char kTemplateSaveTitle[] = "ﾃﾝﾌﾟﾚｰﾄﾌｧｲﾙの保存";
inline constexpr char kTemplateOpenTitle[] = "ﾃﾝﾌﾟﾚｰﾄﾌｧｲﾙの読みこみ";

// Copies the subtree at `root` into `scratch` without its bodies and writes it as a template.
Status SaveTemplate(const Outline& outline, const Node* root, Outline* scratch,
                    const std::string& path);

// Reads a template (current or old layout) into `scratch`.
Status LoadTemplate(const std::string& path, Outline* scratch);

}  // namespace pw

#endif  // PLOTWEAVE_EDITING_TEMPLATES_H_
