#include "model/project_file.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/data_set.h"
#include "model/element_access.h"
#include "model/element_type.h"
#include "model/record_layout.h"
#include "platform/sys/atomic_file.h"
#include "platform/sys/local_time.h"
#include "platform/sys/user_name.h"

namespace {

using namespace model;

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string Pad4(std::size_t n) {
  std::string s = std::to_string(n);
  return std::string(s.size() < 4 ? 4 - s.size() : 0, ' ') + s;
}

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = text.find("\r\n", pos);
    if (end == std::string::npos) {
      lines.push_back(text.substr(pos));
      break;
    }
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 2;
  }
  return lines;
}

std::string JoinCrLf(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}

std::vector<std::uint8_t> RecordImage(std::uint16_t record, std::uint8_t set) {
  std::vector<std::uint8_t> image(RecordSize(record), 0);
  EXPECT_EQ(ReadRecord(record, image.data(), kModeRaw, set), 0) << record;
  return image;
}

std::vector<std::uint8_t> Storage(std::uint8_t set) {
  const auto& s = DataSetSlot(set)->storage;
  return {s.begin(), s.end()};
}

// Fills every element of a record with a value of its type that the file keeps exactly.
void FillRecord(std::uint16_t record, std::uint8_t set, std::mt19937& rng) {
  const auto table = RecordLayoutTable();
  const std::uint16_t first = FirstRowOfRecord(record);
  ASSERT_NE(first, kNoRow) << record;
  for (std::size_t row = first; table[row].record == record; ++row) {
    const std::uint8_t type = table[row].type;
    const std::uint16_t element = static_cast<std::uint16_t>(table[row].storage - table[first].storage);
    std::vector<std::uint8_t> value(ElementTypeSizeOf(type), 0);
    if (IsStringType(type)) {
      const std::size_t n = rng() % value.size();
      for (std::size_t i = 0; i < n; ++i) {
        std::uint8_t c = static_cast<std::uint8_t>(32 + rng() % 224);  // Windows-1252 text, no control bytes
        value[i] = c;
      }
      if (type == kTypeText1023 && n >= 4) {
        value[1] = '\r';
        value[2] = '\n';
      }
    } else if (type == kTypeF32) {
      const float f = static_cast<float>(static_cast<int>(rng() % 200001) - 100000) / 8.0f;
      std::memcpy(value.data(), &f, 4);
    } else if (type == kTypeF64) {
      const double d = static_cast<double>(static_cast<int>(rng() % 2000001) - 1000000) / 16.0;
      std::memcpy(value.data(), &d, 8);
    } else {
      for (auto& b : value) b = static_cast<std::uint8_t>(rng());
    }
    ASSERT_EQ(WriteElement(record, element, value.data(), kModeRaw, set), 0) << record << "/" << element;
  }
}

class ProjectFile : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "zprproj.XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    path_ = dir_ + "/proj.ZPR";
    // Fresh data sets hold the date and the user name: fix both so that every set made here is alike.
    platform::sys::SetLocalTimeOverride(SYSTEMTIME{2026, 3, 2, 17, 9, 30, 0, 0});
    platform::sys::SetUserNameOverride(platform::sys::UserNameOverride{"mueller", 0});
    ASSERT_EQ(InitDataSet(0), 0);
    ASSERT_EQ(InitDataSet(1), 0);
  }
  void TearDown() override {
    ProjectFileAccess(kProjectClose, 0, path_.c_str());
    platform::sys::SetAtomicWriteFaultForTest(std::nullopt);
    platform::sys::SetLocalTimeOverride(std::nullopt);
    platform::sys::SetUserNameOverride(std::nullopt);
    std::error_code ec;
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(dir_, ec);
  }

  // Fills the records of a write mode in data set 0 with varied values.
  void FillForMode(std::uint8_t mode, unsigned seed) {
    std::mt19937 rng(seed);
    for (std::uint16_t r : ProjectRecordList(mode)) {
      if (r != 300 && r != 3) FillRecord(r, 0, rng);
    }
  }
  std::uint8_t Open(std::uint8_t set = 1) { return ProjectFileAccess(kProjectOpen, set, path_.c_str()); }

  // True when the model's default header is the one the program writes (format 4, 85).
  static bool HeaderDefaultsPresent() {
    const std::uint8_t* image = RecordDefaultImage(300);
    return image && image[0] == kFileFormatVersion && image[1] == 0 && image[39] == 85;
  }
  // Writes a file of set 0 and, while the model lacks its default header, gives the file the format version
  // every written file carries, so that it opens.
  std::uint8_t Write(std::uint8_t mode, const std::string& path) {
    const std::uint8_t status = ProjectFileAccess(mode, 0, path.c_str());
    if (status == kFileDone && !HeaderDefaultsPresent()) {
      std::string text = ReadBytes(path);
      text.replace(0, text.find("\r\n"), "4");
      WriteBytes(path, text);
      const std::uint16_t format = kFileFormatVersion;
      EXPECT_EQ(WriteElement(300, kHeaderFormatVersion, &format, kModeRaw, 0), 0);
    }
    return status;
  }
  // Gives record 4 the current layout and record 302 the kind of the mode, so that the file opens.
  static void StampKind(std::uint16_t kind, const char* name) {
    const std::uint8_t layout[2] = {kCurrentLayoutLetter, 22};
    ASSERT_EQ(WriteRecord(4, layout, kModeRaw, 0), 0);
    ASSERT_EQ(WriteElement(302, 0, &kind, kModeRaw, 0), 0);
    char text[17] = {};
    std::strncpy(text, name, 16);
    ASSERT_EQ(WriteElement(302, 2, text, kModeRaw, 0), 0);
  }

  std::string dir_;
  std::string path_;
};

TEST_F(ProjectFile, WrittenFilesHaveTheirHeaderDirectoryAndLineTotals) {
  if (!HeaderDefaultsPresent()) GTEST_SKIP() << "the model has no default header yet";
  const struct {
    std::uint8_t mode;
    const char* name;
    std::size_t lines;
    std::size_t first_data_line;
  } cases[] = {{kProjectWriteProject, "p.ZPR", 1452, 50},
               {kProjectWriteReverseDoc, "r.ZPR", 1725, 64},
               {kProjectWriteConfiguration, "c.CFG", 85, 15}};
  for (const auto& c : cases) {
    const std::string path = dir_ + "/" + c.name;
    ASSERT_EQ(ProjectFileAccess(c.mode, 0, path.c_str()), kFileDone) << c.name;
    const std::string text = ReadBytes(path);
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), std::count(text.begin(), text.end(), '\r'))
        << "every line ends in CR LF";
    const auto lines = SplitCrLf(text);
    ASSERT_EQ(lines.size(), c.lines) << c.name;
    const std::vector<std::string> header(lines.begin(), lines.begin() + 9);
    EXPECT_EQ(header, (std::vector<std::string>{"4", "ZPR-TOOL.EXE", "V 4.5 G Beta", "0", std::to_string(c.lines),
                                                "85", "OK!", " ", " "}));
    EXPECT_EQ(lines[9], "   3   10");
    EXPECT_EQ(lines[10], "   4 " + Pad4(c.first_data_line));
    EXPECT_EQ(lines[c.first_data_line - 2], "   0 " + Pad4(c.lines + 1));
    EXPECT_EQ(lines[c.first_data_line - 1], "81");  // record 4: layout letter 'Q'
    EXPECT_EQ(lines[c.first_data_line], "22");
    // The data set keeps the header and directory that were written.
    std::uint16_t last = 0;
    ASSERT_EQ(ReadElement(300, kHeaderLastLine, &last, kModeRaw, 0), 0);
    EXPECT_EQ(last, c.lines);
  }
}

TEST_F(ProjectFile, RoundTripOfEveryModeKeepsEveryElement) {
  const struct {
    std::uint8_t write;
    std::uint8_t read;
    const char* name;
    std::uint16_t kind;
    const char* kind_name;
  } cases[] = {{kProjectWriteProject, kProjectReadProject, "p.zpr", kFileKindProject, "Projekt._ZPR"},
               {kProjectWriteReverseDoc, kProjectReadReverseDoc, "r.ZPR", kFileKindReverseDoc, "Rueckdoku_ZPR"},
               {kProjectWriteConfiguration, kProjectReadConfiguration, "c.cfg", kFileKindConfiguration,
                "Konfiguration"}};
  unsigned seed = 1;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(InitDataSet(0), 0);
    ASSERT_EQ(InitDataSet(1), 0);
    FillForMode(c.write, seed++);
    StampKind(c.kind, c.kind_name);
    const std::string path = dir_ + "/" + c.name;
    ASSERT_EQ(Write(c.write, path), kFileDone);
    ASSERT_EQ(ProjectFileAccess(kProjectOpen, 1, path.c_str()), kFileDone);
    ASSERT_EQ(ProjectFileAccess(c.read, 1, path.c_str()), kFileDone);
    EXPECT_FALSE(IsProjectFileOpen());
    for (std::uint16_t r : ProjectRecordList(c.write)) {
      EXPECT_EQ(RecordImage(r, 1), RecordImage(r, 0)) << "record " << r;
    }
  }
}

// A project with the file kind intact, so that it opens; the other records hold varied values.
class WrittenProject : public ProjectFile {
 protected:
  void SetUp() override {
    ProjectFile::SetUp();
    FillForMode(kProjectWriteProject, 7);
    StampKind(kFileKindProject, "Projekt._ZPR");
    ASSERT_EQ(Write(kProjectWriteProject, path_), kFileDone);
    lines_ = SplitCrLf(ReadBytes(path_));
    ASSERT_EQ(lines_.size(), 1452u);
  }
  // Line number (1-based) of the first line of a record, from the directory.
  std::size_t FirstLineOf(std::uint16_t record) const {
    for (std::size_t i = 9; i < 9 + 40; ++i) {
      unsigned r = 0, line = 0;
      std::sscanf(lines_[i].c_str(), "%u %u", &r, &line);
      if (r == record) return line;
    }
    return 0;
  }
  std::vector<std::string> lines_;
};

TEST_F(WrittenProject, OpenChecksAndReadGiveTheirCodes) {
  const auto kind_line = FirstLineOf(302);
  const auto layout_line = FirstLineOf(4);
  const auto record17 = FirstLineOf(17);
  const auto record42 = FirstLineOf(42);
  ASSERT_GT(kind_line, 0u);
  const struct {
    const char* what;
    std::function<void(std::vector<std::string>&)> damage;
    std::uint8_t open;
    std::uint8_t read;  // when the open leaves the file open
  } cases[] = {
      {"intact", [](auto&) {}, kFileDone, kFileDone},
      {"empty file", [](auto& l) { l.clear(); }, kFileFormatUnknown, 0},
      {"line 1 not a number", [](auto& l) { l[0] = "abc"; }, kFileFormatUnknown, 0},
      {"format 1", [](auto& l) { l[0] = "1"; }, kFileFormatV2, 0},
      {"format 2", [](auto& l) { l[0] = "2"; }, kFileFormatUnknown, 0},
      {"format 3", [](auto& l) { l[0] = "3"; }, kFileFormatV3, kFileDone},
      {"format 3, bad directory", [](auto& l) { l[0] = "3"; l[12] = "x"; }, kFileFormatV3, kFileInvalidData},
      {"header cut", [](auto& l) { l.resize(5); }, kFileInvalidData, 0},
      {"wrong kind", [&](auto& l) { l[kind_line - 1] = "20"; }, kFileWrongKind, 0},
      {"wrong kind name", [&](auto& l) { l[kind_line] = "Projekt.ZPR"; }, kFileWrongKind, 0},
      {"configuration kind", [&](auto& l) { l[kind_line - 1] = "19"; l[kind_line] = "Konfiguration"; },
       kFileDone, kFileDone},
      {"newer layout", [&](auto& l) { l[2] = "V 9.9"; l[layout_line - 1] = "82"; }, kFileNewerLayout, kFileDone},
      {"older layout", [&](auto& l) { l[2] = "V 4.0"; l[layout_line - 1] = "80"; }, kFileOlderLayout, kFileDone},
      {"other version text, same layout", [&](auto& l) { l[2] = "V 4.5 F"; }, kFileDone, kFileDone},
      {"written by TX-Tool", [&](auto& l) { l[1] = "TX-TOOL.EXE"; l[2] = "V 4.5"; l[layout_line - 1] = "80"; },
       kFileOlderLayout, kFileDone},
      {"directory line garbage", [](auto& l) { l[10] = "four fifty"; }, kFileInvalidData, 0},
      {"directory without end", [](auto& l) { l.resize(30); }, kFileInvalidData, 0},
      {"directory going backwards", [](auto& l) { l[14] = "  42   12"; }, kFileDone, kFileInvalidData},
      {"record beyond the last line", [](auto& l) { l[14] = "  42 1500"; l[15] = "  43 1501"; }, kFileDone,
       kFileInvalidData},
      {"cut at a record's start", [&](auto& l) { l.resize(record42 - 1); }, kFileDone,
       kFileInvalidData},
      {"cut inside a record", [](auto& l) { l.resize(1000); }, kFileDone, kFileInternalError},
      {"garbage number", [&](auto& l) { l[record17 - 1] = "zz"; }, kFileDone, kFileInternalError},
  };
  auto untouched = Storage(1);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto lines = lines_;
    c.damage(lines);
    WriteBytes(path_, JoinCrLf(lines));
    const std::uint8_t opened = Open();
    EXPECT_EQ(opened, c.open);
    EXPECT_EQ(Storage(1), untouched) << "an open never changes the data set";
    const bool stays_open = opened == kFileDone || opened == kFileFormatV3 || opened == kFileNewerLayout ||
                            opened == kFileOlderLayout;
    EXPECT_EQ(IsProjectFileOpen(), stays_open ? 1 : 0);
    if (!stays_open) continue;
    const std::uint8_t read = ProjectFileAccess(kProjectReadProject, 1, path_.c_str());
    EXPECT_EQ(read, c.read);
    EXPECT_FALSE(IsProjectFileOpen());
    if (read != kFileDone) {
      EXPECT_EQ(Storage(1), untouched) << "a failed read leaves the data set as it was";
    } else {
      ASSERT_EQ(InitDataSet(1), 0);
      untouched = Storage(1);
    }
  }
}

// A number line that no written file holds (trailing characters, beyond the written range of its element's type)
// is a damaged file: the read gives 3, names the line and leaves the data set as it was.
TEST_F(WrittenProject, DamagedNumberLinesAreRefusedAndNamed) {
  // The line of the first element of a type among the project's records.
  auto line_of_type = [&](std::uint8_t type) -> std::size_t {
    const auto table = RecordLayoutTable();
    for (std::uint16_t r : ProjectRecordList(kProjectWriteProject)) {
      if (r == 300 || r == 3 || r == 4 || r == 302) continue;
      const std::uint16_t first = FirstRowOfRecord(r);
      for (std::size_t row = first; row < table.size() && table[row].record == r; ++row) {
        if (table[row].type == type) return FirstLineOf(r) + (row - first);
      }
    }
    return 0;
  };
  const struct {
    std::uint8_t type;
    const char* line;
    bool refused;
  } cases[] = {
      {kTypeU16, "9x0", true},   {kTypeU16, "99999", true}, {kTypeU16, "-5", true},
      {kTypeU16, "12 ", false},  {kTypeI8, "255", false},   {kTypeI8, "-1", false},
      {kTypeI8, "256", true},    {kTypeU8, "300", true},    {kTypeU8, " 7 x", true},
  };
  const auto untouched = Storage(1);
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.type).append(" \"").append(c.line).append("\""));
    const std::size_t line = line_of_type(c.type);
    ASSERT_GT(line, 0u);
    auto lines = lines_;
    lines[line - 1] = c.line;
    WriteBytes(path_, JoinCrLf(lines));
    ASSERT_EQ(Open(), kFileDone);
    EXPECT_EQ(ProjectFileAccess(kProjectReadProject, 1, path_.c_str()), c.refused ? kFileInternalError : kFileDone);
    EXPECT_EQ(ProjectFileFaultLine(), c.refused ? line : 0u);
    if (c.refused) {
      EXPECT_EQ(Storage(1), untouched);
    }
    ASSERT_EQ(InitDataSet(1), 0);
  }
}

TEST_F(WrittenProject, CheckOrderAndPaths) {
  const std::string long_path(1025, 'a');
  const struct {
    std::uint8_t mode;
    std::uint8_t set;
    std::string path;
    std::uint8_t expected;
  } cases[] = {
      {kProjectCheckOnly, 0, "x.zpr", kFileDone},       {kProjectCheckOnly, 0, "xzPr", kFileDone},
      {kProjectCheckOnly, 1, "/a/b.CfG", kFileDone},    {kProjectCheckOnly, 0, "x.ZPR.txt", kFileWrongExtension},
      {kProjectCheckOnly, 0, "pr", kFileWrongExtension}, {kProjectCheckOnly, 0, "", kFileWrongExtension},
      {kProjectCheckOnly, 0, long_path, kFileInternalError},
      {kProjectCheckOnly, 0, long_path.substr(0, 1021) + ".ZPR", kFileInternalError},
      {kProjectCheckOnly, 0, long_path.substr(0, 1020) + ".ZPR", kFileDone},
      {kProjectCheckOnly, 2, "x.zpr", kFileInternalError},  {9, 0, "x.zpr", kFileInternalError},
      {9, 0, "x.txt", kFileWrongExtension},                 {kProjectReadProject, 1, path_, kFileInternalError},
      {kProjectOpen, 1, dir_ + "/missing.ZPR", kFileCannotOpen},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ProjectFileAccess(c.mode, c.set, c.path.c_str()), c.expected) << int(c.mode) << " " << c.path;
  }
  EXPECT_EQ(ProjectFileAccess(kProjectCheckOnly, 0, nullptr), kFileInternalError);

  // A read names the open file; a write beside an open file is refused, an open replaces it.
  ASSERT_EQ(Open(), kFileDone);
  const std::string other = dir_ + "/other.ZPR";
  EXPECT_EQ(ProjectFileAccess(kProjectReadProject, 1, other.c_str()), kFileInternalError);
  EXPECT_EQ(ProjectFileAccess(kProjectWriteProject, 0, other.c_str()), kFileInternalError);
  EXPECT_EQ(Open(), kFileDone);  // the same file again
  EXPECT_EQ(ProjectFileAccess(kProjectClose, 1, path_.c_str()), kFileDone);
  EXPECT_FALSE(IsProjectFileOpen());
  EXPECT_EQ(ProjectFileAccess(kProjectClose, 1, path_.c_str()), kFileDone);
}

TEST_F(WrittenProject, DirectoryLookUps) {
  EXPECT_EQ(OpenProjectFileKind(), 0);
  ASSERT_EQ(Open(), kFileDone);
  EXPECT_EQ(OpenProjectFileKind(), kFileKindProject);
  EXPECT_EQ(OpenProjectFileLayoutLetter(), kCurrentLayoutLetter);
  std::uint16_t first = 0, count = 0;
  ASSERT_EQ(FindRecordRange(17, &first, &count), 0);
  EXPECT_EQ(first, FirstLineOf(17));
  EXPECT_EQ(count, LayoutElementCount(17, kModeRaw));
  ASSERT_EQ(FindRecordRange(347, &first, &count), 0);
  EXPECT_EQ(first + count, 1453);  // the closing entry ends the last record
  EXPECT_EQ(FindRecordRange(254, &first, &count), 1);
  EXPECT_EQ(FindRecordRange(0, &first, &count), 2);
  ProjectFileAccess(kProjectClose, 1, path_.c_str());
  EXPECT_EQ(FindRecordRange(17, &first, &count), 2);
  EXPECT_EQ(OpenProjectFileKind(), 0);
}

TEST_F(WrittenProject, LineBreaksInsideTextsCannotShiftTheFile) {
  // Every text element of the file gets a CR LF and a lone LF: the file keeps its line count and reads back.
  const auto table = RecordLayoutTable();
  std::uint16_t long_text = 0;
  for (std::uint16_t r : ProjectRecordList(kProjectWriteProject)) {
    if (r == 300 || r == 3 || r == 302) continue;
    const std::uint16_t first = FirstRowOfRecord(r);
    for (std::size_t row = first; table[row].record == r; ++row) {
      if (!IsStringType(table[row].type)) continue;
      if (r == 317 && table[row].type == kTypeText1023 && long_text == 0) {
        long_text = static_cast<std::uint16_t>(table[row].storage - table[first].storage);
      }
      char text[1024] = "a\r\nb\nc";
      ASSERT_EQ(WriteElement(r, static_cast<std::uint16_t>(table[row].storage - table[first].storage), text,
                             kModeRaw, 0),
                0);
    }
  }
  ASSERT_EQ(Write(kProjectWriteProject, path_), kFileDone);
  ASSERT_EQ(SplitCrLf(ReadBytes(path_)).size(), 1452u);
  ASSERT_EQ(Open(), kFileDone);
  ASSERT_EQ(ProjectFileAccess(kProjectReadProject, 1, path_.c_str()), kFileDone);
  char back[1024] = {};
  ASSERT_EQ(ReadElement(15, 4, back, kModeRaw, 1), 0);
  EXPECT_STREQ(back, "a  b c");
  ASSERT_NE(long_text, 0);
  ASSERT_EQ(ReadElement(317, long_text, back, kModeRaw, 1), 0);
  EXPECT_STREQ(back, "a\r\nb c");
}

TEST_F(WrittenProject, LineEndsAndTheLastLine) {
  auto intact = RecordImage(347, 0);
  // LF line ends, and no line end after the last line: nothing is lost.
  std::string text;
  for (std::size_t i = 0; i < lines_.size(); ++i) text += lines_[i] + (i + 1 < lines_.size() ? "\n" : "");
  WriteBytes(path_, text);
  ASSERT_EQ(Open(), kFileDone);
  ASSERT_EQ(ProjectFileAccess(kProjectReadProject, 1, path_.c_str()), kFileDone);
  EXPECT_EQ(RecordImage(347, 1), intact);
  for (std::uint16_t r : ProjectRecordList(kProjectWriteProject)) EXPECT_EQ(RecordImage(r, 1), RecordImage(r, 0)) << r;
}

TEST_F(WrittenProject, OldCommentRecordAndShortMotorRecords) {
  // An older file names its comment record 303 and, below layout 'G', keeps 43 lines of records 34 and 35.
  auto lines = lines_;
  const std::size_t dir_317 = 9 + 4;  // directory entry after 3, 4, 302, 17
  ASSERT_EQ(lines[dir_317].substr(0, 4), " 317");
  lines[dir_317].replace(0, 4, " 303");
  lines[2] = "V 3.2";
  lines[FirstLineOf(4) - 1] = "70";  // 'F'
  WriteBytes(path_, JoinCrLf(lines));
  ASSERT_EQ(Open(), kFileOlderLayout);
  ASSERT_EQ(ProjectFileAccess(kProjectReadProject, 1, path_.c_str()), kFileDone);
  EXPECT_EQ(RecordImage(317, 1), RecordImage(317, 0));

  ASSERT_EQ(InitDataSet(2 - 1), 0);
  const auto defaults34 = RecordImage(34, 1);
  WriteBytes(path_, JoinCrLf(lines));
  ASSERT_EQ(Open(), kFileOlderLayout);
  ASSERT_EQ(ProjectFileAccess(kProjectReadProject, 1, path_.c_str()), kFileDone);
  const auto read34 = RecordImage(34, 1);
  const auto written34 = RecordImage(34, 0);
  const auto table = RecordLayoutTable();
  const std::uint16_t first = FirstRowOfRecord(34);
  const std::size_t split = table[first + 43].storage - table[first].storage;  // element 43's offset
  EXPECT_TRUE(std::equal(read34.begin(), read34.begin() + split, written34.begin()));
  EXPECT_TRUE(std::equal(read34.begin() + split, read34.end(), defaults34.begin() + split));
}

TEST_F(WrittenProject, RecordsMissingFromTheFileStartFromDefaults) {
  // A configuration opened over a project leaves no trace of the project in the records it reads; records
  // 254 and 251 of a project (never written) come from their defaults, not from the previous document.
  ASSERT_EQ(InitDataSet(1), 0);
  const auto default254 = RecordImage(254, 1);
  std::mt19937 rng(3);
  FillRecord(254, 1, rng);
  ASSERT_EQ(Open(), kFileDone);
  ASSERT_EQ(ProjectFileAccess(kProjectReadProject, 1, path_.c_str()), kFileDone);
  EXPECT_EQ(RecordImage(254, 1), default254);
}

TEST_F(WrittenProject, AFailedWriteLosesNothing) {
  const std::string old_text = ReadBytes(path_);
  FillForMode(kProjectWriteProject, 99);
  const auto before = Storage(0);
  const struct {
    platform::sys::AtomicWriteStage stage;
    std::uint8_t expected;
  } cases[] = {{platform::sys::AtomicWriteStage::kCreate, kFileCannotOpen},
               {platform::sys::AtomicWriteStage::kWrite, kFileCannotClose},
               {platform::sys::AtomicWriteStage::kSync, kFileCannotClose},
               {platform::sys::AtomicWriteStage::kRename, kFileCannotClose}};
  for (const auto& c : cases) {
    platform::sys::SetAtomicWriteFaultForTest(c.stage);
    EXPECT_EQ(ProjectFileAccess(kProjectWriteProject, 0, path_.c_str()), c.expected);
    platform::sys::SetAtomicWriteFaultForTest(std::nullopt);
    EXPECT_EQ(ReadBytes(path_), old_text);
    EXPECT_EQ(Storage(0), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), std::filesystem::directory_iterator()), 1);
  }
  // A folder that does not exist, and (for other users than root) a read-only folder.
  const std::string nowhere = dir_ + "/missing/p.ZPR";
  EXPECT_EQ(ProjectFileAccess(kProjectWriteProject, 0, nowhere.c_str()), kFileCannotOpen);
  EXPECT_EQ(Storage(0), before);
  if (geteuid() != 0) {
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_EQ(ProjectFileAccess(kProjectWriteProject, 0, path_.c_str()), kFileCannotOpen);
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all);
    EXPECT_EQ(ReadBytes(path_), old_text);
  }
  // A write-protected file in a folder that may be written is refused too (also for root) and kept.
  std::filesystem::permissions(path_, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  EXPECT_EQ(ProjectFileAccess(kProjectWriteProject, 0, path_.c_str()), kFileCannotOpen);
  EXPECT_EQ(SaveProjectFile(kProjectWriteProject, 0, path_.c_str(), false), kFileCannotOpen);
  EXPECT_EQ(ReadBytes(path_), old_text);
  EXPECT_EQ(Storage(0), before);
  EXPECT_EQ(std::filesystem::status(path_).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
}

TEST_F(WrittenProject, BackupCopy) {
  const std::string old_text = ReadBytes(path_);
  ASSERT_EQ(MakeBackupCopy(path_.c_str()), kFileDone);
  EXPECT_EQ(ReadBytes(dir_ + "/proj.BAK"), old_text);

  // A save with backup keeps the previous file as BAK and writes the new one.
  FillForMode(kProjectWriteProject, 5);
  ASSERT_EQ(SaveProjectFile(kProjectWriteProject, 0, path_.c_str(), true), kFileDone);
  EXPECT_EQ(ReadBytes(dir_ + "/proj.BAK"), old_text);
  EXPECT_NE(ReadBytes(path_), old_text);

  // The save empties change list 0 only when the write succeeded.
  const std::uint32_t change = 17;
  ASSERT_EQ(ChangeListPush(0, 0, &change), 0);
  platform::sys::SetAtomicWriteFaultForTest(platform::sys::AtomicWriteStage::kRename);
  EXPECT_EQ(SaveProjectFile(kProjectWriteProject, 0, path_.c_str(), false), kFileCannotClose);
  platform::sys::SetAtomicWriteFaultForTest(std::nullopt);
  EXPECT_EQ(ChangeList0Empty(0), 0);
  EXPECT_EQ(SaveProjectFile(kProjectWriteProject, 0, path_.c_str(), false), kFileDone);
  EXPECT_EQ(ChangeList0Empty(0), 1);
  EXPECT_EQ(SaveProjectFile(kProjectOpen, 0, path_.c_str(), false), kFileInternalError);

  // A backup that cannot be made stops the save before the file is touched.
  const std::string saved = ReadBytes(path_);
  std::filesystem::remove(dir_ + "/proj.BAK");
  std::filesystem::create_directory(dir_ + "/proj.BAK");
  FillForMode(kProjectWriteProject, 6);
  EXPECT_EQ(SaveProjectFile(kProjectWriteProject, 0, path_.c_str(), true), kFileCannotOpen);
  EXPECT_EQ(ReadBytes(path_), saved);

  EXPECT_EQ(MakeBackupCopy((dir_ + "/none.ZPR").c_str()), kFileCannotOpen);
  EXPECT_FALSE(std::filesystem::exists(dir_ + "/none.BAK"));
  EXPECT_EQ(MakeBackupCopy(nullptr), kFileCannotOpen);
}

TEST(ProjectBackupName, CutsTheFileNameNotTheFolder) {
  const struct {
    const char* path;
    const char* expected;
  } cases[] = {{"/a.b/proj.ZPR", "/a.b/proj.BAK"}, {"proj.ZPR", "proj.BAK"}, {"d/p.v2.zpr", "d/p.BAK"},
               {"/x/projZPR", "/x/projZPR.BAK"}, {"/x/.zpr", "/x/.zpr.BAK"}};
  for (const auto& c : cases) EXPECT_EQ(BackupCopyPath(c.path), c.expected) << c.path;
}

TEST(ProjectRecordLists, SizesAndInsertedRecords) {
  EXPECT_EQ(ProjectRecordList(kProjectWriteConfiguration).size(), 5u);
  EXPECT_EQ(ProjectRecordList(kProjectWriteProject).size(), 40u);
  EXPECT_EQ(ProjectRecordList(kProjectReadProject).size(), 42u);
  EXPECT_EQ(ProjectRecordList(kProjectWriteReverseDoc).size(), 54u);
  EXPECT_EQ(ProjectRecordList(kProjectReadReverseDoc).size(), 56u);
  EXPECT_EQ(ProjectRecordList(kProjectOpen).size(), 4u);
  EXPECT_TRUE(ProjectRecordList(kProjectClose).empty());
  // The read lists are the write lists with 254, 251 after 47 (project) or after 11 (reverse documentation).
  const struct {
    std::uint8_t write, read;
    std::uint16_t after;
  } pairs[] = {{kProjectWriteProject, kProjectReadProject, 47}, {kProjectWriteReverseDoc, kProjectReadReverseDoc, 11}};
  for (const auto& p : pairs) {
    std::vector<std::uint16_t> expected(ProjectRecordList(p.write).begin(), ProjectRecordList(p.write).end());
    const auto at = std::find(expected.begin(), expected.end(), p.after);
    ASSERT_NE(at, expected.end());
    expected.insert(at + 1, {254, 251});
    const auto read = ProjectRecordList(p.read);
    EXPECT_EQ(std::vector<std::uint16_t>(read.begin(), read.end()), expected);
  }
}

}  // namespace
