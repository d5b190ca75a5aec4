// The rules every exporter shares around its save dialog: the suggested output path, and the
// checks on the name the user chose.
#ifndef PLOTWEAVE_EXPORT_EXPORT_PROMPT_H_
#define PLOTWEAVE_EXPORT_EXPORT_PROMPT_H_

#include <string>
#include <string_view>

namespace pw {

inline constexpr char kInvalidFileName[] = "ファイル名が無効です";
inline constexpr char kNoSuchFolder[] = "ディレクトリが存在しません";
inline constexpr char kSaveFailed[] = "保存に失敗しました";

enum class PromptOutcome { kChosen, kCancelled, kFailed };

// `path` with its extension (the part from the last "." of the file name) replaced by
// `extension` (".TXT"); a name without one gets it appended.
std::string ChangeExtension(std::string_view path, std::string_view extension);

// The document path with the exporter's extension; when its folder does not exist, the
// program's folder followed by that file name.
std::string SuggestedExportPath(std::string_view document_path, std::string_view extension,
                                std::string_view program_folder);

// Checks a name chosen in the dialog against the default extension ("TXT", letter case
// ignored) and the existence of its folder. kChosen, or kFailed with the message to show.
PromptOutcome CheckChosenPath(std::string_view chosen, std::string_view default_extension,
                              std::string* message);

// The folder part of a path ("." when it has none) and the file-name part.
std::string FolderOf(std::string_view path);
std::string FileNameOf(std::string_view path);

}  // namespace pw

#endif  // PLOTWEAVE_EXPORT_EXPORT_PROMPT_H_
