// The character-item list and its file.
#include "editing/character_items.h"

#include <sys/stat.h>

#include <cerrno>
#include <utility>

#include "core/atomic_file.h"
#include "core/byte_io.h"
#include "core/cp932.h"
#include "core/outline.h"
#include "core/title_section.h"

namespace pw {

std::string CharacterListHead() { return Utf8ToCp932("キャラクター").text; }

CharacterItemList::CharacterItemList() {
  for (const char* item : {"名前", "性別", "年齢", "備考"}) {
    items_.push_back(Utf8ToCp932(item).text);
  }
}

Status CharacterItemList::FromBytes(std::string_view bytes) {
  Outline tree;
  if (Status s = ParseTitleSection(bytes, &tree); !s) return s;
  std::vector<std::string> items;
  // Every node after the head is an item, whatever depth the file gave it.
  for (size_t i = 1; i < tree.size(); ++i) items.push_back(tree.NodeAt(i)->title());
  if (tree.empty()) return Status::Error("キャラクター項目のファイルが空です");
  items_ = std::move(items);
  return Status::Ok();
}

std::string CharacterItemList::ToBytes() const {
  std::string out = CharacterListHead() + "\r\n";
  for (const std::string& item : items_) out += "\t" + StorableTitle(item) + "\r\n";
  return out;
}

Status CharacterItemList::LoadFile(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 && errno == ENOENT) return Status::Ok();
  std::string bytes;
  std::string error;
  if (!ReadWholeFile(path, &bytes, &error)) return Status::Error(error);
  return FromBytes(bytes);
}

Status CharacterItemList::SaveFile(const std::string& path) const {
  return WriteFileAtomically(path, ToBytes());
}

size_t CharacterItemList::AppendEmpty() {
  items_.emplace_back();
  return items_.size() - 1;
}

void CharacterItemList::Remove(size_t index) {
  if (index < items_.size()) items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
}

bool CharacterItemList::MoveUp(size_t index) {
  if (index == 0 || index >= items_.size()) return false;
  std::swap(items_[index], items_[index - 1]);
  return true;
}

bool CharacterItemList::MoveDown(size_t index) {
  if (index + 1 >= items_.size()) return false;
  std::swap(items_[index], items_[index + 1]);
  return true;
}

void CharacterItemList::Rename(size_t index, std::string title) {
  if (index < items_.size()) items_[index] = std::move(title);
}

}  // namespace pw
