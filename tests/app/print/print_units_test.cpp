// The export text of a fresh project of each device family: every value printed with a physical unit lies in a
// plausible range for that unit, and the values the tables fix print as a drive's nameplate reads.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <cstdlib>
#include <sstream>
#include <string>

#include "app/documents/file_slots.h"
#include "app/print/print_content.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "tests/app/recording_output.h"

namespace {

struct Range {
  double low, high;
};
const std::map<std::string, Range> kRanges = {
    {"V", {0, 1000}},   {"Hz", {0, 1000}},        {"kHz", {0, 50}}, {"A", {0, 2000}},  {"kW", {0, 1000}},
    {"Ohm", {0, 10000}}, {"rpm", {-30000, 30000}}, {"%", {-1000, 1000}}, {"s", {0, 1e12}}, {"ms", {0, 1e12}},
};

class PrintUnitsTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    ASSERT_EQ(model::InitDataSet(0), 0);
    ASSERT_EQ(model::InitDataSet(1), 0);
    app::ResetFileSlots();
    if (GetParam() != 1) {
      const double family = GetParam();
      ASSERT_EQ(model::WriteElement(304, 0, &family, model::kModeConverted, 0), 0);
    }
    char pattern[] = "/tmp/print-units-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    app::SetPrintTextPath((dir_ / "ZPRPRINT.TXT").string());
    app::SetPrintLineOutput(&printer_);
  }
  void TearDown() override {
    if (app::PrintBufferOpen()) app::DiscardPrintBuffer();
    app::SetPrintLineOutput(nullptr);
    app::SetPrintTextPath({});
    std::filesystem::remove_all(dir_);
  }
  std::string Export() {
    const std::uint8_t on = 1;
    EXPECT_EQ(model::WriteElement(305, 10, &on, model::kModeRaw, 0), 0);
    EXPECT_EQ(app::OpenPrintBuffer(0), app::kPrintOk);
    for (std::uint8_t section : {app::kSectionHeader, app::kSectionProjectTarget, app::kSectionParameterSet1,
                                 app::kSectionParameterSet2, app::kSectionPositioning})
      EXPECT_EQ(app::PrintSection(section, 0), app::kPrintOk);
    EXPECT_EQ(app::ClosePrintBuffer(), app::kPrintOk);
    std::ifstream in(dir_ / "ZPRPRINT.TXT", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::filesystem::path dir_;
  app_test::RecordingOutput printer_;
};

TEST_P(PrintUnitsTest, EveryPrintedPhysicalValueLiesInItsPlausibleRange) {
  const std::string text = Export();
  // Every "name: number unit" of the text whose unit has a range.
  std::size_t checked = 0;
  for (std::size_t at = text.find(": "); at != std::string::npos; at = text.find(": ", at + 2)) {
    const char* start = text.c_str() + at + 2;
    char* end = nullptr;
    const double value = std::strtod(start, &end);
    if (end == start || *end != ' ') continue;
    const std::size_t unit_at = static_cast<std::size_t>(end - text.c_str()) + 1;
    const std::string unit = text.substr(unit_at, text.find_first_of(" \r\n", unit_at) - unit_at);
    const auto range = kRanges.find(unit);
    if (range == kRanges.end()) continue;
    ++checked;
    const std::size_t line = text.rfind('\n', at) + 1;
    EXPECT_TRUE(value >= range->second.low && value <= range->second.high)
        << text.substr(line, text.find('\r', at) - line);
  }
  EXPECT_GT(checked, 100u) << text;
}

TEST_P(PrintUnitsTest, TheMainsVoltageAndTheSwitchingFrequencyPrintAsTheDeviceHasThem) {
  const std::string text = Export();
  EXPECT_NE(text.find("A36 mains voltage: 400.0 V"), std::string::npos) << text;
  EXPECT_NE(text.find(GetParam() == 3 ? "B24 switching frequency: 4.0 kHz" : "B24 switching frequency: 8.0 kHz"),
            std::string::npos)
      << text;
}

// The process-data words print their list position with the name of the element it stands for.
TEST_P(PrintUnitsTest, ProcessDataWordsPrintTheNamesOfTheirElements) {
  const std::string text = Export();
  for (const char* line : {"A110 prcs-out.data0: 2 E45 control word", "A120 prcs-in.data: 11 E46 status word",
                           "A112 process output 3: 0 none"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
  }
}

INSTANTIATE_TEST_SUITE_P(Families, PrintUnitsTest, ::testing::Values(1, 2, 3));

}  // namespace
