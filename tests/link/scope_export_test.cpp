#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "link/scope_export.h"
#include "link/scope_recording.h"
#include "model/element_access.h"
#include "tests/link/scope_fixture.h"
#include "tests/model/comma_locale.h"

namespace {

using scope_test::kSet;
using scope_test::SetChannel;

const std::string kGolden = std::string(ZPR_SOURCE_DIR) + "/tests/link/golden/scope_export.txt";

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> Split(const std::string& text, char by) {
  std::vector<std::string> parts;
  std::size_t from = 0;
  for (std::size_t at = text.find(by); at != std::string::npos; at = text.find(by, from)) {
    parts.push_back(text.substr(from, at - from));
    from = at + 1;
  }
  parts.push_back(text.substr(from));
  return parts;
}

// A spreadsheet's view of the file: rows of tab-separated cells, numbers with a decimal comma.
struct CsvTable {
  std::vector<std::vector<std::string>> rows;
  static CsvTable Read(const std::string& path) {
    CsvTable t;
    for (std::string line : Split(ReadAll(path), '\n')) {
      if (!line.empty() && line.back() == ' ') line.pop_back();
      t.rows.push_back(Split(line, '\t'));
    }
    if (!t.rows.empty() && t.rows.back().size() == 1 && t.rows.back()[0].empty()) t.rows.pop_back();
    return t;
  }
  static bool Number(std::string cell, double* out) {
    for (char& c : cell) {
      if (c == ',') c = '.';
    }
    std::size_t b = cell.find_first_not_of(' ');
    std::size_t e = cell.find_last_not_of(' ');
    if (b == std::string::npos) return false;
    const auto r = std::from_chars(cell.data() + b, cell.data() + e + 1, *out);
    return r.ec == std::errc() && r.ptr == cell.data() + e + 1;
  }
};

class ScopeExportTest : public scope_test::ScopeTest {
 protected:
  void SetUp() override {
    ScopeTest::SetUp();
    WriteText(15, 4, "tester");
    WriteText(317, 2563, "10.12.2026 10:30:00");
    WriteText(317, 324, "ZPR system 7");
    WriteText(317, 2644, "run-up with load");
    ilink::SetScopeExportFileName([] { return std::string("demo.zpr"); });
    // Channels 0 and 2 on, 1 off: an i16 current and the u8 parameter set (shown from 1).
    SetChannel(0, 33, 14);
    SetChannel(2, 33, 61);
    std::array<std::uint8_t, 2880> ring{};
    for (std::uint32_t p = 0; p < 960; ++p) {
      const auto current = static_cast<std::uint16_t>(static_cast<std::int16_t>(p * 37 % 2000) - 1000);
      ring[p * 3] = static_cast<std::uint8_t>(current);
      ring[p * 3 + 1] = static_cast<std::uint8_t>(current >> 8);
      ring[p * 3 + 2] = static_cast<std::uint8_t>(p / 100 % 2);
    }
    scope_test::WriteRing(ring);
    scope_test::WriteWord(33, 42, 5);
    scope_test::WriteByte(454, 0, 12);
    path_ = (std::filesystem::temp_directory_path() / ("scope_export_" + std::to_string(getpid()) + ".txt")).string();
  }
  void TearDown() override {
    ilink::SetScopeExportFileName(nullptr);
    std::filesystem::remove(path_);
    ScopeTest::TearDown();
  }
  static void WriteText(std::uint16_t record, std::uint16_t element, const char* text) {
    std::array<char, 1024> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%s", text);
    ASSERT_EQ(model::WriteElement(record, element, buffer.data(), model::kModeRaw, kSet), 0);
  }
  std::string path_;
};

TEST_F(ScopeExportTest, MatchesTheGoldenFile) {
  ASSERT_EQ(ilink::ExportScopeText(kSet, path_.c_str()), 0);
  const std::string written = ReadAll(path_);
  if (std::getenv("ZPR_UPDATE_GOLDEN")) std::ofstream(kGolden, std::ios::binary) << written;
  EXPECT_EQ(written, ReadAll(kGolden));
  // The layout the golden file fixes, spelled out.
  const std::vector<std::string> lines = Split(written, '\n');
  EXPECT_EQ(lines[0], "K05 R-filename: demo.zpr \tK03 R-user: tester \tK40 trigger-time: 10.12.2026 10:30:00 \t ");
  EXPECT_EQ(lines[1], "K10 system: ZPR system 7 ");
  EXPECT_EQ(lines[2], "K41 Scope-remark:  ");
  EXPECT_EQ(lines[3], "run-up with load ");
  EXPECT_EQ(lines[4], "number of channels: 2 \tnumber of samples: 960 ");
  EXPECT_EQ(lines[5], "");
  EXPECT_EQ(lines[6], "Zeit-[10ms]\tE00 I-motor-[A]\tE84 active par.set-[] ");
  ASSERT_EQ(lines.size(), 7u + 960u + 1u);  // the text ends with a line end
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    if (i != 5) {
      EXPECT_EQ(lines[i].back(), ' ') << "line " << i + 1;
    }
  }
}

// Read back as a spreadsheet would (tab, decimal comma): every cell is the recording's value to 2 places.
TEST_F(ScopeExportTest, ReadsBackWithTabsAndDecimalCommas) {
  ASSERT_EQ(ilink::ExportScopeText(kSet, path_.c_str()), 0);
  const CsvTable t = CsvTable::Read(path_);
  ASSERT_EQ(t.rows.size(), 7u + 960u);
  ASSERT_EQ(t.rows[6].size(), 3u);
  EXPECT_EQ(t.rows[6][0], "Zeit-[10ms]");
  ASSERT_EQ(ilink::LoadScopeRecording(kSet), 0);
  for (std::uint16_t n = 0; n < 960; ++n) {
    const auto& row = t.rows[7 + n];
    ASSERT_EQ(row.size(), 3u) << n;
    double index = -1;
    ASSERT_TRUE(CsvTable::Number(row[0], &index)) << row[0];
    EXPECT_EQ(index, n);
    const std::uint8_t channels[2] = {0, 2};
    for (int k = 0; k < 2; ++k) {
      double value = 0;
      ASSERT_TRUE(CsvTable::Number(row[1 + k], &value)) << "'" << row[1 + k] << "'";
      EXPECT_NEAR(value, ilink::GetScopeSample(channels[k], n, kSet), 0.005 + 1e-9) << n;
    }
  }
  // The ring starts at 5: the first line is ring position 5.
  double first = 0;
  ASSERT_TRUE(CsvTable::Number(t.rows[8][2], &first));
  EXPECT_EQ(first, 1.0);
}

// A GUI toolkit may switch the process to a comma locale: the file stays the same.
TEST_F(ScopeExportTest, IndependentOfTheProcessLocale) {
  ASSERT_EQ(ilink::ExportScopeText(kSet, path_.c_str()), 0);
  const std::string plain = ReadAll(path_);
  testing_support::CommaLocale comma;
  if (!comma.active()) GTEST_SKIP() << "no comma locale";
  ASSERT_EQ(ilink::ExportScopeText(kSet, path_.c_str()), 0);
  EXPECT_EQ(ReadAll(path_), plain);
}

TEST_F(ScopeExportTest, OpenAndWriteFailures) {
  EXPECT_EQ(ilink::ExportScopeText(kSet, "/nonexistent-folder/scope.txt"), 1);
  EXPECT_EQ(ilink::ExportScopeText(kSet, nullptr), 1);
  // A full disk: the writes fail, which is reported even though the close may succeed.
  if (std::filesystem::exists("/dev/full")) {
    EXPECT_EQ(ilink::ExportScopeText(kSet, "/dev/full"), 2);
  }
}

// More samples than the file takes: 3000 sample lines, while the count line still reports all of them.
TEST(ScopeExportWriter, AtMost3000SampleLines) {
  ilink::ScopeTextContent c;
  for (int i = 0; i < 5; ++i) c.labels[i] = "L" + std::to_string(i);
  c.channels = 1;
  c.samples = 5000;
  c.time_base = "1ms";
  c.columns = {"x-[A]"};
  c.value = [](std::size_t, std::uint32_t n) { return n == 0 ? -1.5 : n == 1 ? 1234.567 : 0.004; };
  std::FILE* f = std::tmpfile();
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(ilink::WriteScopeText(f, c), 0);
  std::rewind(f);
  std::string text;
  for (int ch = std::fgetc(f); ch != EOF; ch = std::fgetc(f)) text.push_back(static_cast<char>(ch));
  std::fclose(f);
  const std::vector<std::string> lines = Split(text, '\n');
  ASSERT_EQ(lines.size(), 7u + 3000u + 1u);
  EXPECT_EQ(lines[4], "number of channels: 1 \tnumber of samples: 5000 ");
  EXPECT_EQ(lines[7], "     0 \t   -1,50 ");
  EXPECT_EQ(lines[8], "     1 \t  1234,57 ");
  EXPECT_EQ(lines[9], "     2 \t    0,00 ");
  EXPECT_EQ(lines[3006], "  2999 \t    0,00 ");
}

}  // namespace
