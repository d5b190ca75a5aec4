// The document, template and node-stream layouts: exact bytes, round trips, the old layout and
// every way a file can be broken.
#include "core/outline_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "core/atomic_file.h"
#include "core/node_marks.h"
#include "core/title_section.h"

namespace pw {
namespace {

namespace fs = std::filesystem;

std::string Record(bool has_body, int32_t length, int32_t offset, int32_t icon, int32_t color,
                   bool expanded, int32_t kind) {
  std::string r;
  r.push_back(has_body ? 1 : 0);
  AppendInt32(&r, length);
  AppendInt32(&r, offset);
  AppendInt32(&r, icon);
  AppendInt32(&r, icon);
  AppendInt32(&r, color);
  r.push_back(expanded ? 1 : 0);
  AppendInt32(&r, kind);
  return r;
}

std::string Header(int32_t t, int32_t b, int32_t r) {
  std::string h("\x03\x00\x00", 3);
  AppendInt32(&h, t);
  AppendInt32(&h, b);
  AppendInt32(&h, r);
  return h;
}

// A small story: a chapter with two scenes, a character with an item, Japanese titles.
void BuildStory(Outline* outline) {
  Node* top = outline->Append(nullptr, "\x95\xa8\x8c\xea", NewNodeData(nkRoot), 1);  // 物語
  Node* chapter = outline->Append(top, "\x91\xe6\x88\xea\x8f\xcd", NewNodeData(nkChild), 7);
  SetParentMark(*outline, chapter);
  Node* scene = outline->Append(chapter, "scene 1", NewNodeData(nkChild), 7);
  SetNodeColor(*outline, scene, ncGreen);
  scene->data()->Body = "{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0\\par }";
  outline->Append(chapter, "", NewNodeData(nkChild), 7)->data()->Body = "";
  Node* chara = outline->Append(top, "\x83\x5c\x83\x74\x83\x42\x83\x41", NewNodeData(nkChara), 3);
  outline->Append(chara, "name", NewNodeData(nkCharaItem), 5)->data()->Body = "{\\rtf1 x}";
  outline->SetExpanded(top, true);
  outline->SetExpanded(chapter, true);
}

std::string Dump(const Outline& outline) {
  std::string out;
  outline.ForEach([&](Node* n) {
    const TNodeData* d = n->data();
    out += std::to_string(n->level()) + "|" + n->title() + "|" + std::to_string(d->Kind) + "|" +
           std::to_string(d->Color) + "|" + std::to_string(n->icon()) + "/" +
           std::to_string(n->selected_icon()) + "|" + (n->expanded() ? "E" : "-") + "|" +
           (d->Body ? "[" + *d->Body + "]" : "none") + "\n";
  });
  return out;
}

TEST(OutlineFile, OneNodeDocumentIs51BytesAndTemplateIs39) {
  Outline outline;
  outline.Append(nullptr, "", NewNodeData(nkRoot), 1);
  WriteOptions options;
  std::string doc = SerializeOutline(outline, options);
  std::string expected = Header(2, 0, 26) + "\r\n" + Record(false, 0, 0, 1, 1, false, 1);
  AppendInt32(&expected, 0);
  AppendInt32(&expected, 0);
  EXPECT_EQ(doc.size(), 51u);
  EXPECT_EQ(doc, expected);

  options.variant = OutlineVariant::kTemplate;
  std::string tmpl = SerializeOutline(outline, options);
  std::string expected_tmpl("\x03\x00\x00", 3);
  AppendInt32(&expected_tmpl, 2);
  AppendInt32(&expected_tmpl, 26);
  expected_tmpl += "\r\n" + Record(false, 0, 0, 1, 1, false, 1);
  EXPECT_EQ(tmpl.size(), 39u);
  EXPECT_EQ(tmpl, expected_tmpl);

  options.variant = OutlineVariant::kNodeStream;
  EXPECT_EQ(SerializeOutline(outline, options), expected.substr(0, 43));
}

TEST(OutlineFile, SectionsHoldTitlesBodiesAndRecordsInPreorder) {
  Outline outline;
  BuildStory(&outline);
  WriteOptions options;
  options.selected_index = 2;
  options.caret = 17;
  std::string bytes = SerializeOutline(outline, options);
  std::string titles = std::string("\x95\xa8\x8c\xea\r\n\t\x91\xe6\x88\xea\x8f\xcd\r\n") +
                       "\t\tscene 1\r\n\t\t\r\n\t\x83\x5c\x83\x74\x83\x42\x83\x41\r\n\t\tname\r\n";
  std::string body1 = "{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0\\par }";
  std::string bodies = body1 + "{\\rtf1 x}";
  std::string records =
      Record(false, 0, 0, 1, 1, true, nkRoot) + Record(false, 0, 0, 14, 1, true, nkParent) +
      Record(true, static_cast<int32_t>(body1.size()), 0, 9, 3, false, nkChild) +
      Record(true, 0, static_cast<int32_t>(body1.size()), 7, 1, false, nkChild) +
      Record(false, 0, 0, 3, 1, false, nkChara) +
      Record(true, 9, static_cast<int32_t>(body1.size()), 5, 1, false, nkCharaItem);
  std::string expected =
      Header(static_cast<int32_t>(titles.size()), static_cast<int32_t>(bodies.size()),
             static_cast<int32_t>(records.size())) +
      titles + bodies + records;
  AppendInt32(&expected, 2);
  AppendInt32(&expected, 17);
  EXPECT_EQ(bytes, expected);
}

TEST(OutlineFile, EveryVariantRoundTripsByteForByte) {
  Outline outline;
  BuildStory(&outline);
  struct Case {
    OutlineVariant variant;
    ReadTarget target;
    bool bodies_kept;
  };
  const Case cases[] = {
      {OutlineVariant::kDocument, ReadTarget::kMainTree, true},
      {OutlineVariant::kDocument, ReadTarget::kImportTree, true},
      {OutlineVariant::kTemplate, ReadTarget::kOtherTree, false},
  };
  for (const Case& c : cases) {
    WriteOptions options;
    options.variant = c.variant;
    options.selected_index = 4;
    options.caret = 99;
    std::string first = SerializeOutline(outline, options);
    Outline read;
    ReadResult result = ReadOutline(MemorySource(first), c.target, &read);
    ASSERT_TRUE(result.status) << result.status.message;
    if (c.variant == OutlineVariant::kDocument) {
      EXPECT_EQ(result.info.selected_index, 4);
      EXPECT_EQ(result.info.caret, 99);
      EXPECT_EQ(Dump(read), Dump(outline));
    }
    EXPECT_EQ(SerializeOutline(read, options), first);
    read.ForEach([&](Node* n) {
      EXPECT_EQ(n->data()->Body.has_value() && c.bodies_kept, n->data()->Body.has_value());
    });
  }
  WriteOptions stream_options;
  stream_options.variant = OutlineVariant::kNodeStream;
  std::string stream = SerializeOutline(outline, stream_options);
  Outline from_stream;
  ASSERT_TRUE(ReadNodeStream(stream, &from_stream).status);
  EXPECT_EQ(Dump(from_stream), Dump(outline));
  EXPECT_EQ(SerializeOutline(from_stream, stream_options), stream);
}

TEST(OutlineFile, TemplatesNeverCarryBodies) {
  Outline outline;
  BuildStory(&outline);
  WriteOptions options;
  options.variant = OutlineVariant::kTemplate;
  std::string bytes = SerializeOutline(outline, options);
  EXPECT_EQ(bytes.find("rtf1"), std::string::npos);
}

TEST(OutlineFile, BodySerializerRewritesBodiesAndRecordsTheirNewLengths) {
  Outline outline;
  BuildStory(&outline);
  WriteOptions options;
  options.body_serializer = [](std::string_view body) {
    return body.substr(0, 5) == "{\\rtf" ? std::string(body) : "{\\rtf1 " + std::string(body) + "}";
  };
  Outline read;
  ASSERT_TRUE(
      ReadOutline(MemorySource(SerializeOutline(outline, options)), ReadTarget::kMainTree, &read)
          .status);
  EXPECT_EQ(*read.NodeAt(3)->data()->Body, "{\\rtf1 }");
  EXPECT_EQ(*read.NodeAt(2)->data()->Body, *outline.NodeAt(2)->data()->Body);
}

TEST(OutlineFile, TitlesThatWouldChangeTheShapeAreStoredSafely) {
  Outline outline;
  Node* top = outline.Append(nullptr, "  top", NewNodeData(nkRoot), 1);
  outline.Append(top, "two\r\nlines", NewNodeData(nkChild), 7);
  outline.Append(top, "\tTabbed", NewNodeData(nkChild), 7);
  Outline read;
  ASSERT_TRUE(ReadOutline(MemorySource(SerializeOutline(outline, {})), ReadTarget::kMainTree, &read)
                  .status);
  ASSERT_EQ(read.size(), 3u);
  EXPECT_EQ(read.NodeAt(0)->title(), "top");
  EXPECT_EQ(read.NodeAt(1)->title(), "two  lines");
  EXPECT_EQ(read.NodeAt(2)->title(), "Tabbed");
  EXPECT_EQ(read.NodeAt(2)->level(), 1);
}

struct ShapeCase {
  const char* section;
  const char* expected;  // "level:title" per node, or the error message
  bool ok;
};

TEST(TitleSection, LinesBuildTheForestByTheirIndentation) {
  const ShapeCase cases[] = {
      {"A\r\n\tB\r\n\t\tC\r\n\tD\r\nE\r\n", "0:A 1:B 2:C 1:D 0:E ", true},
      {"A\n B\r  C\r\n\tD", "0:A 1:B 2:C 1:D ", true},  // spaces count, any line end
      {"\t\tA\r\n\tB\r\n", "0:A 1:B ", true},           // the first line is top-level
      {"A\r\n\t\t\tB\r\n\t\tC\r\n", "0:A 1:B 2:C ", false},
      {"A\r\n\t\tB\r\n", "アイテム \"B\" の階層 (2) が不正です", false},
      {"A\r\n\t\t\x88\xea\r\n", "アイテム \"一\" の階層 (2) が不正です", false},
      {"\r\n\r\n", "0: 0: ", true},
      {"", "", true},
  };
  for (const ShapeCase& c : cases) {
    Outline outline;
    Status status = ParseTitleSection(c.section, &outline);
    EXPECT_EQ(status.ok, c.ok) << c.section;
    if (!status.ok && std::string(c.expected).find("アイテム") == 0) {
      EXPECT_EQ(status.message, c.expected);
      continue;
    }
    if (!status.ok) continue;
    std::string shape;
    outline.ForEach([&](Node* n) { shape += std::to_string(n->level()) + ":" + n->title() + " "; });
    EXPECT_EQ(shape, c.expected) << c.section;
  }
}

TEST(TitleSection, AFailedParseKeepsWhatWasBuilt) {
  Outline outline;
  Status status = ParseTitleSection("A\r\n\tB\r\n\t\t\tC\r\n", &outline);
  EXPECT_FALSE(status);
  EXPECT_EQ(status.message, "アイテム \"C\" の階層 (3) が不正です");
  EXPECT_EQ(outline.size(), 2u);
}

std::string OldRecord(bool has_body, int32_t length, int32_t icon) {
  std::string r;
  r.push_back(has_body ? 1 : 0);
  AppendInt32(&r, length);
  AppendInt32(&r, 0);
  AppendInt32(&r, icon);
  AppendInt32(&r, icon);
  return r;
}

TEST(OutlineFile, OldLayoutMapsIconsToKinds) {
  const std::pair<int32_t, std::pair<int32_t, int32_t>> table[] = {
      {0, {nkChild, 7}},      {1, {nkChild, 7}},      {2, {nkParent, 14}}, {5, {nkParent, 14}},
      {6, {nkRoot, 1}},       {7, {nkRoot, 1}},       {8, {nkChara, 3}},   {9, {nkChara, 3}},
      {10, {nkCharaItem, 5}}, {11, {nkCharaItem, 5}}, {12, {nkChild, 7}},  {-1, {nkChild, 7}},
  };
  // A 3-byte title section makes the file start with 3, 0, 0 like the current layout.
  for (const std::string titles : {"a\r\n", "ab\r\n"})
    for (const auto& [old_icon, expected] : table) {
      std::string body = "{\\rtf1 old}";
      std::string records = OldRecord(true, static_cast<int32_t>(body.size()), old_icon);
      std::string file;
      AppendInt32(&file, static_cast<int32_t>(titles.size()));
      AppendInt32(&file, static_cast<int32_t>(body.size()));
      AppendInt32(&file, static_cast<int32_t>(records.size()));
      file += titles + body + records;
      Outline outline;
      ReadResult result = ReadOutline(MemorySource(file), ReadTarget::kMainTree, &outline);
      ASSERT_TRUE(result.status) << result.status.message;
      EXPECT_EQ(result.info.layout, FileLayout::kOld);
      const Node* node = outline.NodeAt(0);
      EXPECT_EQ(node->data()->Kind, expected.first) << old_icon;
      EXPECT_EQ(node->icon(), expected.second) << old_icon;
      EXPECT_EQ(node->selected_icon(), expected.second);
      EXPECT_EQ(node->data()->Color, ncBlue);
      EXPECT_EQ(*node->data()->Body, body);
      EXPECT_FALSE(result.info.has_selected);
    }
}

std::string OldFile(const std::string& titles, const std::string& bodies,
                    const std::string& records) {
  std::string file;
  AppendInt32(&file, static_cast<int32_t>(titles.size()));
  AppendInt32(&file, static_cast<int32_t>(bodies.size()));
  AppendInt32(&file, static_cast<int32_t>(records.size()));
  return file + titles + bodies + records;
}

// The old layout reads its bodies for every destination, templates included.
TEST(OutlineFile, OldLayoutBodiesAreReadIntoEveryTree) {
  const std::string file = OldFile("ab\r\n", "{\\rtf1 x}", OldRecord(true, 9, 6));
  for (ReadTarget target : {ReadTarget::kMainTree, ReadTarget::kImportTree,
                            ReadTarget::kOtherTree}) {
    Outline outline;
    ASSERT_TRUE(ReadOutline(MemorySource(file), target, &outline).status);
    ASSERT_TRUE(outline.NodeAt(0)->data()->Body.has_value());
    EXPECT_EQ(*outline.NodeAt(0)->data()->Body, "{\\rtf1 x}");
  }
}

// A file that begins 3, 0, 0 but is broken as the current layout opens as an old one only
// when the old layout accounts for every byte and its titles end with a line end.
TEST(OutlineFile, ABrokenCurrentFileDoesNotOpenAsAnOldOne) {
  const std::string example = std::string("\x03\x00\x00\x00\x00\x00\x00\x00\x11\x00\x00\x00"
                                          "\x41\x00\x00", 15) + std::string(17, '\0');
  ASSERT_EQ(example.size(), 32u);
  const std::string old_record = OldRecord(false, 0, 6);
  struct Case {
    const char* what;
    std::string file;
    bool opens;
  } cases[] = {
      {"the example", example, false},
      {"old file", OldFile("a\r\n", "", old_record), true},
      {"old file ending in CR", OldFile("a\r\r", "", old_record + old_record), true},
      {"one byte more", OldFile("a\r\n", "", old_record) + "x", false},
      {"titles without a line end", OldFile("abc", "", old_record), false},
      {"more records than nodes", OldFile("a\r\n", "", old_record + old_record), false},
      {"body section not used up", OldFile("a\r\n", "{}", old_record), false},
      {"body section used up", OldFile("a\r\n", "{}", OldRecord(true, 2, 6)), true},
  };
  for (const Case& c : cases) {
    Outline outline;
    ReadResult result = ReadOutline(MemorySource(c.file), ReadTarget::kMainTree, &outline);
    EXPECT_EQ(static_cast<bool>(result.status), c.opens) << c.what;
    if (!c.opens) {
      EXPECT_EQ(result.status.message, kStreamReadError) << c.what;
      EXPECT_EQ(result.info.layout, FileLayout::kCurrent) << c.what;
    }
  }
  // Without 3, 0, 0 at the start nothing is retried, so nothing needs to line up.
  Outline outline;
  EXPECT_TRUE(ReadOutline(MemorySource(OldFile("ab\r\n", "", old_record) + "extra"),
                          ReadTarget::kMainTree, &outline)
                  .status);
}

// Nodes cost memory; a title section of line ends cannot make more of them than the record
// section describes.
TEST(OutlineFile, TitleLinesBeyondTheRecordsMakeNoNodes) {
  const std::string lines(1 << 20, '\n');
  const std::string record = Record(false, 0, 0, 1, 1, false, nkRoot);
  const std::string old_record = OldRecord(false, 0, 6);
  struct Case {
    const char* what;
    std::string file;
    size_t max_nodes;
  } cases[] = {
      {"no records", Header(static_cast<int32_t>(lines.size()), 0, 0) + lines, 0},
      {"one record", Header(static_cast<int32_t>(lines.size()), 0, 26) + lines + record, 1},
      {"old layout", OldFile(lines, "", old_record + old_record), 2},
  };
  for (const Case& c : cases) {
    for (ReadTarget target : {ReadTarget::kMainTree, ReadTarget::kOtherTree}) {
      Outline outline;
      ReadResult result = ReadOutline(MemorySource(c.file), target, &outline);
      EXPECT_FALSE(result.status) << c.what;
      EXPECT_EQ(result.status.message, kStreamReadError) << c.what;
      EXPECT_LE(outline.size(), std::max<size_t>(c.max_nodes, 1)) << c.what;
    }
  }
}

TEST(OutlineFile, TrailerIsOptionalAndBodiesStopAtNul) {
  std::string titles = "a\r\n\tb\r\n";
  std::string bodies = std::string("{\\rtf1 x}\0tail", 14);
  std::string records = Record(false, 0, 0, 1, 1, true, nkRoot) +
                        Record(true, 14, 12345, 7, 1, false, nkChild);  // offset is not used
  std::string base =
      Header(static_cast<int32_t>(titles.size()), 14, static_cast<int32_t>(records.size())) +
      titles + bodies + records;
  struct Case {
    std::string tail;
    bool has_selected, has_caret;
    int32_t selected, caret;
  };
  std::string four;
  AppendInt32(&four, 1);
  std::string eight = four;
  AppendInt32(&eight, 5);
  const Case cases[] = {{"", false, false, 0, 0},
                        {"\x01\x00", false, false, 0, 0},
                        {four, true, false, 1, 0},
                        {eight, true, true, 1, 5}};
  for (const Case& c : cases) {
    Outline outline;
    ReadResult result = ReadOutline(MemorySource(base + c.tail), ReadTarget::kMainTree, &outline);
    ASSERT_TRUE(result.status);
    EXPECT_EQ(result.info.has_selected, c.has_selected);
    EXPECT_EQ(result.info.has_caret, c.has_caret);
    EXPECT_EQ(result.info.selected_index, c.selected);
    EXPECT_EQ(result.info.caret, c.caret);
    EXPECT_EQ(*outline.NodeAt(1)->data()->Body, "{\\rtf1 x}");
    EXPECT_TRUE(outline.NodeAt(0)->expanded());
  }
}

TEST(OutlineFile, StoredSelectionOutsideTheTreeFallsBackToTheFirstNode) {
  Outline outline;
  BuildStory(&outline);
  EXPECT_EQ(StoredSelection(outline, 2), outline.NodeAt(2));
  EXPECT_EQ(StoredSelection(outline, 6), outline.NodeAt(0));
  EXPECT_EQ(StoredSelection(outline, -3), outline.NodeAt(0));
}

TEST(OutlineFile, EveryTruncationAndEveryBrokenSizeIsAnError) {
  Outline outline;
  BuildStory(&outline);
  WriteOptions no_trailer;
  no_trailer.variant = OutlineVariant::kNodeStream;
  const std::string good = SerializeOutline(outline, no_trailer);
  // Cut anywhere before the end of the record section: always an error, never a crash.
  for (size_t length = 0; length < good.size(); ++length) {
    Outline read;
    ReadResult result =
        ReadOutline(MemorySource(good.substr(0, length)), ReadTarget::kMainTree, &read);
    EXPECT_FALSE(result.status) << length;
    EXPECT_FALSE(result.status.message.empty());
  }
  // Each size field made too large, negative or huge.
  for (size_t field_at : {3u, 7u, 11u}) {
    for (int32_t value : {-1, INT32_MIN, INT32_MAX, static_cast<int32_t>(good.size())}) {
      std::string bad = good;
      std::string v;
      AppendInt32(&v, value);
      bad.replace(field_at, 4, v);
      Outline read;
      ReadResult result = ReadOutline(MemorySource(bad), ReadTarget::kMainTree, &read);
      EXPECT_FALSE(result.status) << field_at << " " << value;
      EXPECT_EQ(result.status.message, kStreamReadError);
    }
  }
}

TEST(OutlineFile, BodyLengthsBeyondTheBodySectionAreErrors) {
  std::string titles = "a\r\n";
  for (int32_t length : {-5, 4, INT32_MAX}) {
    std::string file = Header(3, 3, 26) + titles + "{x}" + Record(true, length, 0, 1, 1, 0, 1);
    Outline outline;
    EXPECT_FALSE(ReadOutline(MemorySource(file), ReadTarget::kMainTree, &outline).status) << length;
  }
  // Fewer record bytes than nodes.
  std::string file = Header(6, 0, 26) + "a\r\nb\r\n" + Record(false, 0, 0, 1, 1, 0, 1);
  Outline outline;
  EXPECT_FALSE(ReadOutline(MemorySource(file), ReadTarget::kMainTree, &outline).status);
}

TEST(OutlineFile, RandomCorruptionNeverCrashes) {
  Outline outline;
  BuildStory(&outline);
  const std::string good = SerializeOutline(outline, {});
  std::mt19937 random(12345);
  for (int round = 0; round < 3000; ++round) {
    std::string bad = good;
    int flips = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < flips; ++i) bad[random() % bad.size()] = static_cast<char>(random());
    for (ReadTarget target : {ReadTarget::kMainTree, ReadTarget::kOtherTree}) {
      Outline read;
      ReadResult result = ReadOutline(MemorySource(bad), target, &read);
      if (result.status) {
        EXPECT_LE(read.size(), bad.size());
      }
    }
    Outline read;
    ReadNodeStream(bad, &read);
  }
}

class FileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("pw-core-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) { return (dir_ / name).string(); }
  static std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes(fs::file_size(path), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
  }
  fs::path dir_;
};

TEST_F(FileTest, EmptyFileOpensAsANewDocument) {
  std::ofstream(Path("空.PWV")).close();
  Outline outline;
  ReadResult result = ReadOutlineFile(Path("空.PWV"), ReadTarget::kMainTree, &outline);
  ASSERT_TRUE(result.status);
  EXPECT_TRUE(result.info.empty_file);
  ASSERT_EQ(outline.size(), 1u);
  EXPECT_EQ(outline.NodeAt(0)->title(), "No Title");
  // Into any other tree an empty file is simply too short.
  Outline other;
  EXPECT_FALSE(ReadOutlineFile(Path("空.PWV"), ReadTarget::kOtherTree, &other).status);
}

TEST(OutlineFile, ADocumentWithoutNodesOpensAsANewDocument) {
  const std::string file = Header(0, 0, 0);
  Outline main;
  ASSERT_TRUE(ReadOutline(MemorySource(file), ReadTarget::kMainTree, &main).status);
  ASSERT_EQ(main.size(), 1u);
  EXPECT_EQ(main.NodeAt(0)->title(), "No Title");
  Outline other;  // a template or node stream simply holds nothing
  std::string tmpl("\x03\x00\x00", 3);
  AppendInt32(&tmpl, 0);
  AppendInt32(&tmpl, 0);
  ASSERT_TRUE(ReadOutline(MemorySource(tmpl), ReadTarget::kOtherTree, &other).status);
  EXPECT_TRUE(other.empty());
}

TEST_F(FileTest, WritesAndReadsFilesWithJapaneseNames) {
  Outline outline;
  BuildStory(&outline);
  const std::string path = Path("物語の構想.PWV");
  ASSERT_TRUE(WriteOutlineFile(path, outline, {}));
  Outline read;
  ASSERT_TRUE(ReadOutlineFile(path, ReadTarget::kMainTree, &read).status);
  EXPECT_EQ(Dump(read), Dump(outline));
  EXPECT_FALSE(ReadOutlineFile(Path("missing.PWV"), ReadTarget::kMainTree, &read).status);
  EXPECT_FALSE(ReadOutlineFile(dir_.string(), ReadTarget::kMainTree, &read).status);
}

TEST_F(FileTest, AFailedSaveLeavesThePreviousFileAndNoDebris) {
  const std::string path = Path("story.PWV");
  Outline small;
  small.Append(nullptr, "old", NewNodeData(nkRoot), 1);
  ASSERT_TRUE(WriteOutlineFile(path, small, {}));
  const std::string before = Slurp(path);

  Outline big;
  Node* top = big.Append(nullptr, "new", NewNodeData(nkRoot), 1);
  top->data()->Body = std::string(1 << 20, 'x');
  // Limit the size of files this process may write, so the write fails half way.
  struct rlimit old_limit;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old_limit), 0);
  auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit limit = old_limit;
  limit.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
  Status status = WriteOutlineFile(path, big, {});
  ::setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);

  EXPECT_FALSE(status);
  EXPECT_FALSE(status.message.empty());
  EXPECT_EQ(Slurp(path), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(FileTest, SavingKeepsPermissionsAndFollowsLinks) {
  const std::string path = Path("story.PWV");
  ASSERT_TRUE(WriteFileAtomically(path, "one"));
  ::chmod(path.c_str(), 0640);
  fs::create_symlink(path, Path("link.PWV"));
  ASSERT_TRUE(WriteFileAtomically(Path("link.PWV"), "two"));
  EXPECT_TRUE(fs::is_symlink(Path("link.PWV")));
  EXPECT_EQ(Slurp(path), "two");
  struct stat st;
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_FALSE(WriteFileAtomically(Path("no/such/dir/x.PWV"), "x"));
}

// Sizes around the write buffer's edges: a piece at or above half the buffer is written
// directly, and must never overtake the bytes buffered before it.
std::vector<size_t> BufferEdgeSizes() {
  const size_t full = AtomicFile::kBufferSize;
  const size_t half = full / 2;
  return {half - 1, half, half + 1, half + half / 2, full - 20, full - 1, full, full + 1,
          2 * full + 7};
}

// A title section of exactly `size` bytes: lines of 100 bytes and one shorter last line.
void FillTitleSection(Outline* outline, size_t size) {
  for (int line = 0; size >= 200; ++line, size -= 100) {
    outline->Append(nullptr, std::string(98, 'a' + line % 26), NewNodeData(nkRoot), 1);
  }
  outline->Append(nullptr, std::string(size - 2, 'z'), NewNodeData(nkRoot), 1);
}

TEST_F(FileTest, PiecesAroundTheBufferSizeReachTheFileInOrder) {
  const std::string path = Path("edge.PWV");
  for (size_t size : BufferEdgeSizes()) {
    SCOPED_TRACE(size);
    for (bool in_title : {false, true}) {
      SCOPED_TRACE(in_title ? "title section" : "body");
      Outline outline;
      if (in_title) {
        FillTitleSection(&outline, size);
        outline.NodeAt(0)->data()->Body = "{\\rtf1 first}";
      } else {
        Node* top = outline.Append(nullptr, "top", NewNodeData(nkRoot), 1);
        top->data()->Body = "{\\rtf1 small before}";
        Node* big = outline.Append(top, "big", NewNodeData(nkChild), 7);
        big->data()->Body = "{\\rtf1 " + std::string(size - 8, '\x82') + "}";
        outline.Append(top, "after", NewNodeData(nkChild), 7)->data()->Body = "{\\rtf1 tail}";
      }
      ASSERT_TRUE(WriteOutlineFile(path, outline, {}));
      ASSERT_EQ(Slurp(path), SerializeOutline(outline, {}));
      Outline read;
      ReadResult result = ReadOutlineFile(path, ReadTarget::kMainTree, &read);
      ASSERT_TRUE(result.status) << result.status.message;
      if (in_title) {
        EXPECT_EQ(result.info.title_size, static_cast<int64_t>(size));
      }
      EXPECT_EQ(Dump(read), Dump(outline));
    }
  }
}

// Bodies are read through a window of about a megabyte: bodies that fill it, straddle its edge
// or span several windows, each cut at a NUL that falls before, on or after an edge, must come
// out as the bytes before their NUL, and the bodies after them must not shift.
TEST_F(FileTest, BodiesAcrossTheReadWindowStopAtTheirNul) {
  constexpr size_t kMiB = size_t{1} << 20;
  struct Piece {
    size_t size;
    size_t nul;  // where the NUL is, or SIZE_MAX for none
  };
  const std::vector<std::vector<Piece>> cases = {
      {{kMiB - 3, SIZE_MAX}, {10, 2}, {5, SIZE_MAX}},           // a NUL just past the edge
      {{kMiB - 1, SIZE_MAX}, {3 * kMiB, kMiB + 7}, {9, 0}},     // a NUL two windows in
      {{kMiB + 1, kMiB}, {kMiB, SIZE_MAX}, {1, SIZE_MAX}},      // a NUL right on the edge
      {{0, SIZE_MAX}, {2 * kMiB + 5, 4}, {kMiB, kMiB - 1}},     // the rest of a long body skipped
      {{7, SIZE_MAX}, {kMiB - 7, SIZE_MAX}, {kMiB, SIZE_MAX}},  // bodies ending on the edges
  };
  const std::string path = Path("window.PWV");
  for (size_t c = 0; c < cases.size(); ++c) {
    SCOPED_TRACE(c);
    std::string titles;
    std::string bodies;
    std::string records;
    std::vector<std::string> expected;
    for (size_t i = 0; i < cases[c].size(); ++i) {
      const Piece& piece = cases[c][i];
      std::string body(piece.size, '\0');
      for (size_t k = 0; k < body.size(); ++k) body[k] = static_cast<char>('a' + (k + i) % 26);
      if (piece.nul != SIZE_MAX) body[piece.nul] = '\0';
      expected.push_back(body.substr(0, std::min(piece.nul, body.size())));
      titles += std::string(i == 0 ? 0 : 1, '\t') + "n" + std::to_string(i) + "\r\n";
      records += Record(true, static_cast<int32_t>(body.size()), 0, 7, 1, false, nkChild);
      bodies += body;
    }
    const std::string file =
        Header(static_cast<int32_t>(titles.size()), static_cast<int32_t>(bodies.size()),
               static_cast<int32_t>(records.size())) +
        titles + bodies + records;
    {
      std::ofstream out(path, std::ios::binary);
      out.write(file.data(), static_cast<std::streamsize>(file.size()));
    }
    Outline from_file;
    ASSERT_TRUE(ReadOutlineFile(path, ReadTarget::kMainTree, &from_file).status);
    Outline from_memory;
    ASSERT_TRUE(ReadOutline(MemorySource(file), ReadTarget::kMainTree, &from_memory).status);
    for (const Outline* outline : {&from_file, &from_memory}) {
      ASSERT_EQ(outline->size(), expected.size());
      for (size_t i = 0; i < expected.size(); ++i) {
        const std::optional<std::string>& body = outline->NodeAt(i)->data()->Body;
        ASSERT_TRUE(body.has_value()) << i;
        EXPECT_TRUE(*body == expected[i]) << "body " << i << ": " << body->size() << " bytes, "
                                          << expected[i].size() << " expected";
      }
    }
  }
}

TEST_F(FileTest, RandomPiecesWriteTheSameBytesAsAPlainString) {
  std::mt19937 random(20261209);
  const size_t full = AtomicFile::kBufferSize;
  const std::vector<size_t> edges = BufferEdgeSizes();
  for (int round = 0; round < 24; ++round) {
    SCOPED_TRACE(round);
    const std::string path = Path("random.bin");
    Status status;
    std::unique_ptr<AtomicFile> file = AtomicFile::Create(path, &status);
    ASSERT_TRUE(file) << status.message;
    std::string expected;
    const int pieces = 1 + static_cast<int>(random() % 12);
    for (int i = 0; i < pieces; ++i) {
      size_t size = 0;
      switch (random() % 4) {
        case 0: size = random() % 64; break;
        case 1: size = random() % (full / 2); break;
        case 2: size = edges[random() % edges.size()]; break;
        default: size = full / 2 + random() % full; break;
      }
      std::string piece(size, '\0');
      for (size_t k = 0; k < size; k += 997) piece[k] = static_cast<char>(random());
      if (size > 0) piece.back() = static_cast<char>(i + 1);
      file->Write(piece);
      expected += piece;
    }
    ASSERT_TRUE(file->Commit(false));
    const std::string written = Slurp(path);
    ASSERT_EQ(written.size(), expected.size());
    EXPECT_TRUE(written == expected);
  }
}

}  // namespace
}  // namespace pw
