// Conversions between the document's CP932 bytes and Qt strings, used wherever text crosses
// into a widget or comes back from one.
#ifndef PLOTWEAVE_UI_COMMON_QT_TEXT_H_
#define PLOTWEAVE_UI_COMMON_QT_TEXT_H_

#include <QString>
#include <string>
#include <string_view>

namespace pw {

QString FromCp932(std::string_view cp932);

struct Cp932Text {
  std::string bytes;
  size_t unmappable = 0;  // characters replaced by "?"
};
Cp932Text ToCp932(const QString& text);

// UTF-8 literals of the program's texts (captions, messages) as QStrings.
inline QString U8(const char* utf8) { return QString::fromUtf8(utf8); }

// A path as the file system takes it (the std-only modules work on these bytes).
std::string LocalPath(const QString& path);

// Messages that several commands show.
inline constexpr char kReadFailedMessage[] = "ﾌｧｲﾙの読み込みに失敗しました";
inline constexpr char kSaveFailedMessage[] = "保存に失敗しました";
inline constexpr char kInvalidNameMessage[] = "ファイル名が無効です";
inline constexpr char kNoFolderMessage[] = "ディレクトリが存在しません";

}  // namespace pw

#endif  // PLOTWEAVE_UI_COMMON_QT_TEXT_H_
