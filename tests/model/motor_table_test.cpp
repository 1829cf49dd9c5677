#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "model/element_access.h"
#include "model/function_tables.h"
#include "model/motor_rows.h"
#include "model/motor_table.h"
#include "model/record_layout.h"
#include "model/stored_value.h"
#include "platform/sys/atomic_file.h"
#include "tests/model/model_test_support.h"

namespace model {
namespace {

namespace fs = std::filesystem;

// A record line: number, flag, name and the values, padded with blanks to `length`.
std::string Line(std::uint32_t number, int flag, const std::string& name, const std::vector<int>& values,
                 std::size_t length = 60) {
  std::string line = std::to_string(number) + "\t" + std::to_string(flag) + "\t" + name;
  for (const int v : values) {
    line += '\t';
    line += std::to_string(v);
  }
  if (line.size() < length) line.resize(length, ' ');
  return line;
}

std::vector<int> AsyncValues(int base) {
  std::vector<int> v;
  for (int i = 0; i < 16; ++i) v.push_back(base + i);
  return v;
}

std::int64_t Stored(const MotorTableEntry& e, std::uint16_t element) {
  return static_cast<std::int64_t>(LoadStoredAsDouble(e.motor_record.data() + element, GetElementType(348, element)));
}

class MotorTableTest : public testing::ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    dir_ = fs::temp_directory_path() /
           ("motor-table-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    path_ = (dir_ / "mottab.txt").string();
    ASSERT_EQ(MotorTableSetFile(path_), 0);
  }
  void TearDown() override {
    platform::sys::SetAtomicWriteFaultForTest(std::nullopt);
    MotorTableSetFile("");
    fs::remove_all(dir_);
    ModelTest::TearDown();
  }
  void Write(const std::vector<std::string>& lines, const char* end = "\n", const std::string& path = {}) {
    std::ofstream f(path.empty() ? path_ : path, std::ios::binary);
    for (const std::string& l : lines) f << l << end;
  }
  std::string Content(const std::string& path = {}) const {
    std::ifstream f(path.empty() ? path_ : path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
  }
  std::vector<MotorTableEntry> ReadAll(std::uint8_t layout = kMotorLayoutAsync, std::uint8_t* status = nullptr) {
    std::uint16_t count = 0;
    EXPECT_EQ(MotorTableCount(&count), 0);
    std::vector<MotorTableEntry> entries(count);
    std::uint16_t read = 0;
    const std::uint8_t s = MotorTableReadRecord(entries, layout, &read);
    if (status) *status = s;
    entries.resize(read);
    return entries;
  }
  fs::path dir_;
  std::string path_;
};

TEST_F(MotorTableTest, LinesUnder51CharactersAndCommentsAreNoRecords) {
  const std::string fifty = Line(7, 0, "x", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}, 50);
  const std::string fifty_one = Line(8, 0, "y", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}, 51);
  ASSERT_EQ(fifty.size(), 50u);
  ASSERT_EQ(fifty_one.size(), 51u);
  for (const char* end : {"\n", "\r\n"}) {
    Write({"; motor table", fifty, fifty_one, ";" + fifty_one, ""}, end);
    std::uint16_t count = 99;
    ASSERT_EQ(MotorTableCount(&count), 0);
    EXPECT_EQ(count, 1) << "line end " << (end[0] == '\r' ? "CR LF" : "LF");
    const auto entries = ReadAll();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].motor_number, 8u);
    EXPECT_STREQ(entries[0].name.data(), "y");
  }
  // A NUL ends a line before its CR is dropped: a line of 50 characters, a CR and a NUL is no record, as it would
  // not be one once a rewrite has written it.
  Write({fifty + "\r" + std::string(1, '\0') + "tail", fifty_one});
  std::uint16_t count = 99;
  ASSERT_EQ(MotorTableCount(&count), 0);
  EXPECT_EQ(count, 1);
  ASSERT_EQ(MotorTableDeleteRecord(0), 0);
  ASSERT_EQ(MotorTableCount(&count), 0);
  EXPECT_EQ(count, 0);
  // Every CR before the line's end goes: a line of 50 characters and two CRs is no record, and a rewrite, which
  // ends each line anew, leaves it so (it made a record of it before, lost on the next rewrite).
  Write({fifty + "\r\r", fifty_one}, "\n");
  ASSERT_EQ(MotorTableCount(&count), 0);
  EXPECT_EQ(count, 1);
  std::uint16_t at = 0;
  ASSERT_EQ(MotorTableAddRecord(&at), 0);
  ASSERT_EQ(MotorTableCount(&count), 0);
  EXPECT_EQ(count, 2);
}

TEST_F(MotorTableTest, RecordsReadTheirColumnsOverTheTemplate) {
  const std::string long_name(35, 'N');
  for (const char* end : {"\n", "\r\n"}) {
    Write({Line(12, 1, long_name, AsyncValues(100)), Line(13, 0, "     neu         ", AsyncValues(-3))}, end);
    const auto entries = ReadAll();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(std::string(entries[0].name.data()), long_name.substr(0, 29));
    EXPECT_EQ(entries[0].motor_number, 12u);
    EXPECT_EQ(entries[0].flag, 1);
    EXPECT_EQ(entries[1].flag, 0);
    EXPECT_STREQ(entries[1].name.data(), "     neu         ");
    const auto columns = MotorTableColumns(kMotorLayoutAsync);
    for (std::size_t i = 0; i < columns.size(); ++i) EXPECT_EQ(Stored(entries[0], columns[i]), 100 + int(i)) << i;
    EXPECT_EQ(Stored(entries[1], 6), -2) << "B11 P-nominal, a signed word";
    EXPECT_EQ(Stored(entries[1], 26), 253) << "B10 poles, a byte, -3 as its bit pattern";
    const MotorTableEntry tmpl = MotorTableTemplate(kMotorLayoutAsync);
    EXPECT_EQ(entries[0].motor_record[29], tmpl.motor_record[29]) << "B00 is no column";
  }
}

TEST_F(MotorTableTest, ServoLayoutReadsTwelveValues) {
  const std::string servo = (dir_ / "esmottab.txt").string();
  Write({Line(1, 0, "servo one", {30, 1, 8, 400, 25, 3000, 12, 90, 450, 0, 7, 9}, 60)}, "\n", servo);
  ASSERT_EQ(MotorTableSetFile(servo), 0);
  const auto entries = ReadAll(kMotorLayoutServo);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(Stored(entries[0], 30), 30);   // B02 EMC constant
  EXPECT_EQ(Stored(entries[0], 60), 12);   // B17 M0
  EXPECT_EQ(Stored(entries[0], 14), 9);    // B65 Kp-IQ, last column
  EXPECT_EQ(entries[0].motor_record[29], 60) << "servo template: the user-defined motor type";
  std::array<char, 6> name{};
  ASSERT_EQ(MotorTableGetName(name, path_, servo, kMotorLayoutServo, 0), 0);
  EXPECT_STREQ(name.data(), "servo");
  EXPECT_EQ(MotorTableGetName(name, path_, servo, kMotorLayoutServo, 1), 1);
}

TEST_F(MotorTableTest, ABrokenRecordEndsTheReadingAndACapacityIsKept) {
  struct Case {
    std::string line;
    const char* why;
  };
  const Case broken[] = {
      {std::string(60, 'x'), "no number"},
      {"5\t0\t" + std::string(60, 'n'), "the line ends inside the name"},
      {Line(5, 0, "short", {1, 2, 3}, 60), "too few values"},
      {Line(5, 0, "huge", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, 0) + "\t99999999999999", "value"},
      {"-5\t0\tneg" + Line(0, 0, "", AsyncValues(1)).substr(4), "negative motor number"},
  };
  for (const Case& c : broken) {
    Write({Line(1, 0, "good", AsyncValues(1)), c.line, Line(3, 0, "later", AsyncValues(1))});
    std::uint8_t status = 0;
    const auto entries = ReadAll(kMotorLayoutAsync, &status);
    EXPECT_EQ(status, 1) << c.why;
    EXPECT_EQ(entries.size(), 1u) << c.why;
  }
  Write({Line(1, 0, "a", AsyncValues(1), 60), Line(2, 0, "b", AsyncValues(1), 60), Line(3, 0, "c", AsyncValues(1), 60)});
  std::array<MotorTableEntry, 2> two{};
  std::uint16_t read = 0;
  EXPECT_EQ(MotorTableReadRecord(two, kMotorLayoutAsync, &read), 0);
  EXPECT_EQ(read, 2);
  EXPECT_STREQ(two[1].name.data(), "b");
}

TEST_F(MotorTableTest, DeletingRecordZeroOfTwoLeavesOneAndABackup) {
  const std::vector<std::string> lines = {"; kept comment", Line(1, 0, "first", AsyncValues(10)), "short",
                                          Line(2, 0, "second", AsyncValues(20))};
  Write(lines, "\r\n");
  const std::string before = Content();
  ASSERT_EQ(MotorTableDeleteRecord(0), 0);
  EXPECT_EQ(Content((dir_ / "mottab.BAK").string()), before);
  EXPECT_EQ(Content(), "; kept comment\r\n" + lines[3] + "\r\n") << "comments kept, short lines dropped, CR LF kept";
  const auto entries = ReadAll();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_STREQ(entries[0].name.data(), "second");
  EXPECT_EQ(MotorTableDeleteRecord(1), 1);
  EXPECT_EQ(ReadAll().size(), 1u);
}

TEST_F(MotorTableTest, AddPlacesTheCopyByTheFlaggedRecords) {
  struct Case {
    std::vector<int> flags;
    std::uint16_t selected;
    std::uint16_t placed;  // index of the new record
  };
  const Case cases[] = {
      {{1, 1, 0}, 0, 3},  // two flagged >= 1: at the end
      {{1, 1, 0}, 1, 3},  // two flagged >= 2: at the end
      {{1, 1, 0}, 2, 3},  // two flagged < 3: after record 3
      {{0, 0, 0}, 0, 1},  // after the selected record
      {{0, 0, 0}, 1, 2},
  };
  for (const Case& c : cases) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < c.flags.size(); ++i) {
      lines.push_back(Line(static_cast<std::uint32_t>(i + 1), c.flags[i], std::string("m").append(std::to_string(i)),
                           AsyncValues(static_cast<int>(10 * i))));
    }
    Write(lines);
    std::uint16_t n = c.selected;
    ASSERT_EQ(MotorTableAddRecord(&n), 0);
    EXPECT_EQ(n, c.placed);
    const auto entries = ReadAll();
    ASSERT_EQ(entries.size(), 4u);
    const MotorTableEntry& added = entries[c.placed];
    EXPECT_STREQ(added.name.data(), kMotorPlaceholderName);
    EXPECT_EQ(added.motor_number, 4u);
    EXPECT_EQ(added.flag, 0);
    EXPECT_EQ(added.motor_record, entries[c.placed - 1].motor_record) << "repeats the record it follows";
  }
  std::uint16_t beyond = 4;
  EXPECT_EQ(MotorTableAddRecord(&beyond), 1);
  EXPECT_EQ(beyond, 4);
}

TEST_F(MotorTableTest, StoredTypedNamesCannotBreakTheFile) {
  Write({Line(41, 1, "old", AsyncValues(1)), Line(42, 0, "keep", AsyncValues(2))});
  const auto columns = MotorTableColumns(kMotorLayoutAsync);
  for (std::size_t i = 0; i < columns.size(); ++i) {
    std::array<std::uint8_t, 8> stored{};
    StoreDoubleAs(stored.data(), GetElementType(348, columns[i]), static_cast<double>(i));
    ASSERT_EQ(WriteElement(348, columns[i], stored.data(), kModeRaw, 0), 0);
  }
  const std::string typed = "Motor\tA\r\nB\x01" + std::string(40, 'z');
  ASSERT_EQ(MotorTableStoreRecord(0, typed, 0, kMotorLayoutAsync), 0);
  const auto entries = ReadAll();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(std::string(entries[0].name.data()), ("MotorAB" + std::string(40, 'z')).substr(0, 29));
  EXPECT_EQ(entries[0].motor_number, 41u) << "the motor number stays";
  EXPECT_EQ(entries[0].flag, 0);
  for (std::size_t i = 0; i < columns.size(); ++i) EXPECT_EQ(Stored(entries[0], columns[i]), int(i)) << i;
  EXPECT_STREQ(entries[1].name.data(), "keep");
  EXPECT_EQ(MotorTableStoreRecord(2, "x", 0, kMotorLayoutAsync), 1);
  // All values 0 and a one-letter name make a line under 51 characters: it is lengthened to stay a record.
  for (const std::uint16_t e : columns) {
    std::array<std::uint8_t, 8> zero{};
    ASSERT_EQ(WriteElement(348, e, zero.data(), kModeRaw, 0), 0);
  }
  ASSERT_EQ(MotorTableStoreRecord(1, "q", 0, kMotorLayoutAsync), 0);
  ASSERT_EQ(ReadAll().size(), 2u);
  EXPECT_STREQ(ReadAll()[1].name.data(), "q");
}

TEST_F(MotorTableTest, AFailedRewriteLeavesTheFileAsItWas) {
  Write({Line(1, 0, "one", AsyncValues(1)), Line(2, 0, "two", AsyncValues(2))});
  const std::string before = Content();
  for (const auto stage : {platform::sys::AtomicWriteStage::kWrite, platform::sys::AtomicWriteStage::kRename}) {
    platform::sys::SetAtomicWriteFaultForTest(stage);
    EXPECT_EQ(MotorTableDeleteRecord(0), 1);
    std::uint16_t n = 0;
    EXPECT_EQ(MotorTableAddRecord(&n), 1);
    EXPECT_EQ(MotorTableStoreRecord(1, "x", 0, kMotorLayoutAsync), 1);
    platform::sys::SetAtomicWriteFaultForTest(std::nullopt);
    EXPECT_EQ(Content(), before);
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir_)) left.push_back(entry.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"mottab.txt"}) << "no temporary file left behind";
  }
}

TEST_F(MotorTableTest, PathsAndMissingFiles) {
  EXPECT_EQ(MotorTableSetFile(std::string(255, 'p')), 0);
  EXPECT_EQ(MotorTableSetFile(std::string(256, 'p')), 1);
  std::uint16_t count = 7;
  EXPECT_EQ(MotorTableCount(&count), 1) << "a refused path is not kept";
  ASSERT_EQ(MotorTableSetFile((dir_ / "absent.txt").string()), 0);
  EXPECT_EQ(MotorTableCount(&count), 1);
  std::array<MotorTableEntry, 1> one{};
  EXPECT_EQ(MotorTableReadRecord(one, kMotorLayoutAsync), 1);
  EXPECT_EQ(MotorTableDeleteRecord(0), 1);
  EXPECT_FALSE(fs::exists(dir_ / "absent.txt"));
  EXPECT_EQ(fs::path(MotorTablePathBesideProgram(kMotorLayoutAsync)).filename(), "mottab.txt");
  EXPECT_EQ(fs::path(MotorTablePathBesideProgram(kMotorLayoutServo)).filename(), "esmottab.txt");
}

// Add on a table that does not exist creates it with the placeholder record over the layout's template; a table
// that cannot be read (a folder here) is still refused.
TEST_F(MotorTableTest, AddCreatesAMissingTable) {
  for (const std::uint8_t layout : {kMotorLayoutAsync, kMotorLayoutServo}) {
    SCOPED_TRACE(int(layout));
    const std::string path = (dir_ / MotorTableFileName(layout)).string();
    fs::remove(path);
    ASSERT_EQ(MotorTableSetFile(path), 0);
    std::uint16_t n = 3;
    ASSERT_EQ(MotorTableAddRecord(&n, layout), 0);
    EXPECT_EQ(n, 0);
    const auto entries = ReadAll(layout);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_STREQ(entries[0].name.data(), kMotorPlaceholderName);
    EXPECT_EQ(entries[0].motor_record, MotorTableTemplate(layout).motor_record);
  }
  ASSERT_EQ(MotorTableSetFile(dir_.string()), 0);
  std::uint16_t n = 0;
  EXPECT_EQ(MotorTableAddRecord(&n), 1);
}

// A table beyond the 16-bit count: the count stops at 65535, the full count says how many lines there are.
TEST_F(MotorTableTest, TheFullCountGoesBeyondSixteenBits) {
  std::string content;
  const std::string line = Line(1, 0, "many", AsyncValues(10)) + "\n";
  for (int i = 0; i < 65540; ++i) content += line;
  ASSERT_FALSE(platform::sys::WriteFileAtomically(path_, content));
  std::uint16_t count = 0;
  ASSERT_EQ(MotorTableCount(&count), 0);
  EXPECT_EQ(count, 65535);
  std::size_t all = 0;
  ASSERT_EQ(MotorTableCountAll(&all), 0);
  EXPECT_EQ(all, 65540u);
}

// The shipped tables: every built-in motor of the layout as a record that reads back to its built-in row, named
// by its nameplate, the names told apart.
TEST_F(MotorTableTest, TheSeedHoldsTheBuiltInMotors) {
  struct Seed {
    std::uint8_t layout;
    std::uint8_t first_row;
    std::size_t count;
    const char* kind;
  };
  for (const Seed& seed : {Seed{kMotorLayoutAsync, 31, 29, "ASM "}, Seed{kMotorLayoutServo, 61, 9, "servo "}}) {
    SCOPED_TRACE(seed.kind);
    ASSERT_FALSE(platform::sys::WriteFileAtomically(path_, MotorTableSeedText(seed.layout, 1)));
    const auto entries = ReadAll(seed.layout);
    ASSERT_EQ(entries.size(), seed.count);
    std::vector<std::string> names;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const MotorTableEntry& e = entries[i];
      EXPECT_EQ(e.motor_number, i + 1);
      EXPECT_EQ(e.flag, 0);
      const std::string name = e.name.data();
      EXPECT_EQ(name.rfind(seed.kind, 0), 0u) << name;
      EXPECT_GT(name.size(), std::string(seed.kind).size() + 4) << name;
      EXPECT_EQ(std::count(names.begin(), names.end(), name), 0) << name;
      names.push_back(name);
      const std::uint8_t* row = BuiltInMotorRow(static_cast<std::uint8_t>(seed.first_row + i));
      ASSERT_NE(row, nullptr);
      for (const std::uint16_t element : MotorTableColumns(seed.layout)) {
        const std::uint8_t type = GetElementType(348, element);
        EXPECT_EQ(Stored(e, element), static_cast<std::int64_t>(LoadStoredAsDouble(row + element, type)))
            << name << " element " << element;
      }
    }
  }
}

class MotorTakeOverTest : public testing::ModelTest {};

TEST_F(MotorTakeOverTest, ColumnsOfRecord348GoToTheParameterSetThenAction5Runs) {
  testing::InstallFakeTables();
  for (const std::uint8_t layout : {kMotorLayoutAsync, kMotorLayoutServo}) {
    for (const std::uint8_t to_set2 : {0, 1}) {
      const std::uint16_t target = to_set2 ? 43 : 42;
      std::array<std::uint8_t, kMotorRowSize> image{};
      for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i + 1 + layout);
      ASSERT_EQ(WriteRecord(348, image.data(), kModeRaw, 0), 0);
      std::array<std::uint8_t, kMotorRowSize> before{};
      ASSERT_EQ(ReadRecord(target, before.data(), kModeRaw, 0), 0);
      testing::Fakes().actions.clear();
      testing::Fakes().action_indices.clear();
      ASSERT_EQ(MotorRecordToProject(0, to_set2, layout), 0);
      std::array<std::uint8_t, kMotorRowSize> after{};
      ASSERT_EQ(ReadRecord(target, after.data(), kModeRaw, 0), 0);
      std::array<std::uint8_t, kMotorRowSize> expected = before;
      for (const std::uint16_t e : MotorTableColumns(layout)) {
        const std::uint16_t size = ElementTypeSize(GetElementType(348, e));
        for (std::uint16_t b = 0; b < size; ++b) expected[e + b] = image[e + b];
      }
      EXPECT_EQ(after, expected) << "layout " << int{layout} << " record " << target;
      ASSERT_EQ(testing::Fakes().action_indices.size(), 1u);
      EXPECT_EQ(testing::Fakes().action_indices[0], 5);
      EXPECT_EQ(testing::Fakes().actions[0], (testing::Call{target, 0, 0}));
    }
  }
  EXPECT_EQ(MotorRecordToProject(0, 0, 2), 12);
  EXPECT_EQ(MotorRecordToProject(3, 0, 0), 1);
}

}  // namespace
}  // namespace model
