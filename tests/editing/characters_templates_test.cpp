// Character nodes from the item list, the list's file, and templates through a file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/cp932.h"
#include "editing/character_items.h"
#include "editing/templates.h"
#include "editing/tree_editor.h"
#include "tests/editing/story_fixture.h"

namespace pw {
namespace {

using testing::BuildStory;
using testing::Describe;
using testing::Find;

std::string Sjis(const char* utf8) { return Utf8ToCp932(utf8).text; }

TEST(CharacterItems, BuiltInListFileRoundTripAndEditing) {
  CharacterItemList list;
  ASSERT_EQ(list.items().size(), 4u);
  EXPECT_EQ(list.items()[0], Sjis("名前"));
  EXPECT_EQ(list.items()[3], Sjis("備考"));
  EXPECT_EQ(list.ToBytes(), Sjis("キャラクター\r\n\t名前\r\n\t性別\r\n\t年齢\r\n\t備考\r\n"));

  ASSERT_TRUE(list.FromBytes(Sjis("キャラクター\r\n\t口癖\n\t出身\r")));
  ASSERT_EQ(list.items().size(), 2u);
  EXPECT_EQ(list.items()[1], Sjis("出身"));
  EXPECT_FALSE(list.FromBytes(Sjis("キャラクター\r\n\t\t\t深すぎ\r\n")));
  EXPECT_EQ(list.items().size(), 2u);  // a malformed file changes nothing

  size_t added = list.AppendEmpty();
  list.Rename(added, "x");
  EXPECT_TRUE(list.MoveUp(added));
  EXPECT_FALSE(list.MoveUp(0));
  EXPECT_FALSE(list.MoveDown(added));
  EXPECT_EQ(list.items()[1], "x");
  list.Remove(0);
  EXPECT_EQ(list.items().front(), "x");

  const auto dir = std::filesystem::temp_directory_path() / ("pw-chr-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "plotweave.CHR").string();
  CharacterItemList missing;
  EXPECT_TRUE(missing.LoadFile(path));  // no file: the built-in list stays
  EXPECT_EQ(missing.items().size(), 4u);
  ASSERT_TRUE(list.SaveFile(path));
  CharacterItemList loaded;
  ASSERT_TRUE(loaded.LoadFile(path));
  EXPECT_EQ(loaded.items(), list.items());
  std::filesystem::remove_all(dir);
}

TEST(Characters, InsertCharacterAndItems) {
  struct Case {
    const char* under;
    size_t items;
    int32_t under_kind_after;
  };
  const Case cases[] = {
      {"S2", 4, nkParent}, {"Story", 4, nkRoot}, {"Hero", 0, nkChara}, {"Name", 2, nkCharaItem}};
  for (const Case& c : cases) {
    Outline outline;
    BuildStory(&outline);
    DocumentFlags flags;
    TreeEditor editor(&outline, &flags);
    const CharacterItemList list;
    const std::vector<std::string> items(list.items().begin(), list.items().begin() + c.items);
    Node* under = Find(outline, c.under);
    Node* chara = editor.InsertCharacter(under, items);
    ASSERT_NE(chara, nullptr);
    EXPECT_EQ(chara->parent(), under);
    EXPECT_EQ(chara->data()->Kind, nkChara);
    EXPECT_EQ(chara->icon(), kIconChara);
    ASSERT_EQ(chara->child_count(), c.items);
    for (size_t i = 0; i < c.items; ++i) {
      EXPECT_EQ(chara->child(i)->title(), items[i]);
      EXPECT_EQ(chara->child(i)->data()->Kind, nkCharaItem);
      EXPECT_EQ(chara->child(i)->icon(), kIconCharaItem);
    }
    EXPECT_TRUE(chara->expanded());
    EXPECT_EQ(under->data()->Kind, c.under_kind_after) << c.under;
    EXPECT_EQ(editor.undo_record().kind, UndoRecord::Kind::kAdd);
    EXPECT_TRUE(flags.TreeModified);
  }

  Outline outline;
  BuildStory(&outline);
  DocumentFlags flags;
  TreeEditor editor(&outline, &flags);
  EXPECT_EQ(editor.InsertCharaItem(Find(outline, "S1")), nullptr);
  Node* item = editor.InsertCharaItem(Find(outline, "Hero"));
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->row(), 2u);
  EXPECT_EQ(item->data()->Kind, nkCharaItem);
}

TEST(Templates, SaveAndInsertKeepTheShapeButNoBodies) {
  Outline outline;
  BuildStory(&outline);
  const auto dir = std::filesystem::temp_directory_path() / ("pw-pwt-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "骨組み.PWT").string();
  Outline scratch;
  ASSERT_TRUE(SaveTemplate(outline, Find(outline, "Story"), &scratch, path));
  Outline loaded;
  ASSERT_TRUE(LoadTemplate(path, &loaded));
  EXPECT_EQ(Describe(loaded), Describe(scratch));
  loaded.ForEach([](Node* n) { EXPECT_FALSE(n->data()->Body.has_value()); });

  DocumentFlags flags;
  TreeEditor editor(&outline, &flags);
  std::string message;
  Node* inserted = editor.InsertTemplate(loaded, Find(outline, "Notes"), &message);
  ASSERT_NE(inserted, nullptr);
  EXPECT_EQ(inserted->data()->Kind, nkParent);  // a former top-level node with children
  EXPECT_EQ(outline.SubtreeSize(inserted), 9u);
  const size_t first = outline.AbsoluteIndex(inserted);
  for (size_t i = first; i < first + 9; ++i) {
    const Node* n = outline.NodeAt(i);
    EXPECT_TRUE(n->expanded());
    EXPECT_EQ(n->data()->Body.value_or("?"), "");  // bodies come back empty
  }
  EXPECT_EQ(Find(outline, "S1")->data()->Color, ncOrange);  // below the first node, kept

  Outline items;
  ASSERT_TRUE(SaveTemplate(outline, Find(outline, "Name"), &scratch, path));
  ASSERT_TRUE(LoadTemplate(path, &items));
  EXPECT_EQ(editor.InsertTemplate(items, Find(outline, "S1"), &message), nullptr);
  EXPECT_FALSE(message.empty());
  EXPECT_FALSE(LoadTemplate((dir / "missing.PWT").string(), &items));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace pw
