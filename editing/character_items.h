// The character-item list: the attributes every new character node gets as its items, kept in a
// small file as tree text ("キャラクター", then one TAB-indented line per item).
#ifndef PLOTWEAVE_EDITING_CHARACTER_ITEMS_H_
#define PLOTWEAVE_EDITING_CHARACTER_ITEMS_H_

#include <string>
#include <string_view>
#include <vector>

#include "core/status.h"

namespace pw {

class CharacterItemList {
 public:
  // The built-in list: "名前", "性別", "年齢", "備考".
  CharacterItemList();

  // Items as CP932 titles, in the user's order.
  const std::vector<std::string>& items() const { return items_; }

  // Parses the file's tree text; the first line is the fixed head and every line below it an
  // item. Malformed text leaves the list as it was.
  Status FromBytes(std::string_view bytes);
  std::string ToBytes() const;
  // A missing file keeps the list as it is and is not an error.
  Status LoadFile(const std::string& path);
  Status SaveFile(const std::string& path) const;

  // The editing page's buttons; indexes count items (the head is not one).
  size_t AppendEmpty();
  void Remove(size_t index);
  bool MoveUp(size_t index);
  bool MoveDown(size_t index);
  void Rename(size_t index, std::string title);

 private:
  std::vector<std::string> items_;
};

// The head line of the list, CP932.
std::string CharacterListHead();

}  // namespace pw

#endif  // PLOTWEAVE_EDITING_CHARACTER_ITEMS_H_
