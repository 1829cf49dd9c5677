// The parameter dictionary in physical units: every number row's unit fits its name, the default data set of
// each family reads as a real drive's, the values the tables fix show as they should, and a motor's nameplate
// typed in is stored raw and reads back the same.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "model/data_set.h"
#include "model/descriptor.h"
#include "model/element_access.h"
#include "model/element_attributes.h"
#include "model/menu_list_table.h"
#include "model/project_file.h"
#include "model/raw_number.h"
#include "model/record_layout.h"
#include "model/value_formatting.h"

namespace {

using namespace model;

// Name words and the units a row whose name holds the word may show; the first word found decides.
struct NameWord {
  const char* word;
  std::set<std::string> units;
};
const std::set<std::string> kTimeUnits = {"s", "ms", "h", "min", "* 5\xB5s", "s/150Hz*D98", "ms/3000rpm"};
const NameWord kNameWords[] = {
    {"time", kTimeUnits},        {"delay", kTimeUnits},     {"filter", kTimeUnits},
    {"timout", kTimeUnits},      {"thermal", kTimeUnits},   {"T-rotor", {"ms"}},
    {" rating", {"kW"}},         {"resist.", {"Ohm"}},         {"R1-", {"Ohm"}},          {"frequency", {"kHz", "Hz"}},
    {"f-nominal", {"Hz"}},       {"f1-", {"Hz"}},           {"speed", {"rpm", "unit/s"}},
    {" n-", {"rpm"}},            {"voltage", {"V", "%"}},   {"volt", {"V"}},
    {"V-", {"V"}},               {"current", {"A"}},        {" I-", {"A"}},
    {"power", {"kW"}},           {"P-", {"kW"}},            {"torque", {"%", "Nm", "s"}},
    {"M-Max", {"Nm"}},           {"M0(", {"Nm"}},            {"M-", {"%"}},
    {"accel", {"s/150Hz*D98", "ms/3000rpm", "unit/s\xB2"}},
    {"decel", {"s/150Hz*D98", "ms/3000rpm", "unit/s\xB2"}},
    {"poles", {""}},             {"cos phi", {""}},         {"temp.", {"\xB0" "C"}},
    {"angle", {"\xB0"}},
    {"position", {"unit", "inc", "rev"}},
};

// Names that hold such a word but name a code, a count or a factor.
const char* const kNotAQuantity[] = {"reaction", " mode", "factor", "menu skip", "attempts", "position range"};

std::string UnitOf(const ParameterDescriptor& row) { return row.texts[1] ? row.texts[1] : ""; }

template <typename Visit>
void ForEachNumberRow(Visit visit) {
  for (const MenuListSlot& slot : OwnMenuListTable()) {
    if (!slot.used) continue;
    for (std::size_t i = 0; slot.rows[i].record != 0; ++i) {
      const ParameterDescriptor& row = slot.rows[i];
      if (row.kind != 1) continue;
      visit(row, slot.override_record ? slot.override_record : row.record);
    }
  }
}

TEST(DescriptorUnits, EveryNumberRowShowsAUnitThatFitsItsName) {
  std::size_t checked = 0;
  ForEachNumberRow([&](const ParameterDescriptor& row, std::uint16_t) {
    const std::string name = row.texts[0];
    for (const char* exempt : kNotAQuantity)
      if (name.find(exempt) != std::string::npos) return;
    for (const NameWord& w : kNameWords) {
      if (name.find(w.word) == std::string::npos) continue;
      ++checked;
      EXPECT_TRUE(w.units.count(UnitOf(row))) << name << " shows \"" << UnitOf(row) << "\" (word " << w.word << ")";
      break;
    }
  });
  EXPECT_GT(checked, 400u);
}

// The plausible physical range of a shown value, by its unit; nullopt: not checked.
struct Range {
  double low, high;
};
std::optional<Range> PlausibleRange(const std::string& unit) {
  if (unit == "V") return Range{0, 1000};
  if (unit == "Hz") return Range{0, 1000};
  if (unit == "kHz") return Range{0, 50};
  if (unit == "A") return Range{0, 2000};
  if (unit == "kW") return Range{0, 1000};
  if (unit == "Ohm") return Range{0, 10000};
  if (unit == "rpm") return Range{-30000, 30000};
  if (unit == "%") return Range{-1000, 1000};
  if (kTimeUnits.count(unit)) return Range{0, 1e12};
  return std::nullopt;
}

// A fresh data set of a family: the defaults, then the family chosen as the project-target page does.
void FreshDataSetOfFamily(std::uint8_t family) {
  ASSERT_EQ(InitDataSet(0), 0);
  if (family == 1) return;
  const double value = family;
  ASSERT_EQ(WriteElement(304, 0, &value, kModeConverted, 0), 0);
}

std::string Shown(std::uint16_t record, std::uint16_t element, std::uint8_t set = 0) {
  const ParameterDescriptor* row = FindDescriptor(record, element);
  if (row == nullptr) return "no descriptor";
  double value = 0.0;
  if (ReadElement(record, element, &value, kModeConverted, set) != 0) return "unreadable";
  char text[64] = {};
  FormatValue(value, 1, GetElementAttributes(record, row->selector, set), text, sizeof text);
  return std::string(text) + (row->texts[1] && row->texts[1][0] ? std::string(" ") + row->texts[1] : "");
}

TEST(DescriptorUnits, EveryFamilysDefaultsLieInPlausiblePhysicalRanges) {
  for (std::uint8_t family : {1, 2, 3}) {
    SCOPED_TRACE(testing::Message() << "family " << int(family));
    FreshDataSetOfFamily(family);
    std::size_t checked = 0;
    ForEachNumberRow([&](const ParameterDescriptor& row, std::uint16_t record) {
      const std::optional<Range> range = PlausibleRange(UnitOf(row));
      if (!range) return;
      double value = 0.0;
      if (ReadElement(record, row.element, &value, kModeConverted, 0) != 0) return;
      ++checked;
      EXPECT_TRUE(value >= range->low && value <= range->high)
          << row.texts[0] << " (" << record << "." << row.element << ") shows " << value << " " << UnitOf(row);
    });
    EXPECT_GT(checked, 300u);
  }
}

TEST(DescriptorUnits, ValuesTheTablesFixShowInTheirUnits) {
  struct Case {
    const char* what;
    std::uint8_t device_type;  // 55 (the default) or 51 (a 230 V type), chosen before
    std::uint16_t set_record, set_element;
    double value;  // written in mode 5 before the reading, NaN none
    std::uint16_t record, element;
    const char* shown;
  };
  const double none = -1.0;
  const Case cases[] = {
      {"A20 = 2 gives A21", 55, 55, 16, 2, 55, 10, "300.0 Ohm"},
      {"A20 = 2 gives A22", 55, 55, 16, 2, 55, 12, "0.15 kW"},
      {"A20 = 2 gives A23", 55, 55, 16, 2, 55, 14, "40.00 s"},
      {"A36 of a 400 V type", 55, 0, 0, none, 55, 2, "400.0 V"},
      {"A36 of a 230 V type", 51, 0, 0, none, 55, 2, "230.0 V"},
      {"A35 of a 400 V type", 55, 0, 0, none, 55, 0, "350.0 V"},
      {"B24 default", 55, 0, 0, none, 40, 11, "8.0 kHz"},
      {"default motor B14", 55, 0, 0, none, 42, 2, "400.0 V"},
      {"default motor B15", 55, 0, 0, none, 42, 0, "50.00 Hz"},
      {"default motor B12", 55, 0, 0, none, 42, 4, "3.51 A"},
      {"default motor B11", 55, 0, 0, none, 42, 6, "1.50 kW"},
      {"default motor B13", 55, 0, 0, none, 42, 8, "1420 rpm"},
      {"default motor B16", 55, 0, 0, none, 42, 27, "0.79"},
      {"default motor B10", 55, 0, 0, none, 42, 26, "4"},
      {"230 V motor B14", 51, 0, 0, none, 42, 2, "230.0 V"},
      {"C01 default", 55, 0, 0, none, 38, 2, "1500 rpm"},
      {"C03 default", 55, 0, 0, none, 40, 2, "10.09 Nm"},
      {"D00 default", 55, 0, 0, none, 48, 0, "10.0 s/150Hz*D98"},
      {"F42 default", 55, 0, 0, none, 34, 4, "100.0 %"},
      {"A110 default is E45 control word", 55, 0, 0, none, 55, 26, "2"},
      {"A120 default is E46 status word", 55, 0, 0, none, 55, 34, "11"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(InitDataSet(0), 0);
    if (c.device_type == 51) {
      const double position = 10;  // the device-type list's position of type 51
      ASSERT_EQ(WriteElement(304, 1, &position, kModeConverted, 0), 0);
    }
    if (c.value != none) {
      ASSERT_EQ(WriteElement(c.set_record, c.set_element, &c.value, kModeConverted, 0), 0);
    }
    EXPECT_EQ(Shown(c.record, c.element), c.shown);
  }
}

// The converters that only some rows name: a stored value shows as the physical one, and the physical value
// typed in is stored as the raw one.
TEST(DescriptorUnits, TheNamedConvertersShowTheRawValueAndTakeThePhysicalOneBack) {
  struct Raw {
    std::uint16_t record, element;
    std::int64_t value;
  };
  struct Case {
    const char* what;
    std::uint8_t family;
    std::vector<Raw> context;  // raw values the conversion depends on
    std::uint16_t record, element;
    std::int64_t raw;
    const char* shown;
    double typed;
    std::int64_t stored;
  };
  const Case cases[] = {
      {"10: E94 phase current of the 3.5 A type", 1, {}, 33, 24, 5792, "3.5 A", 1.75, 2896},
      {"10: E97 phase current", 1, {}, 33, 46, -5792, "-3.5 A", -3.5, -5792},
      {"11: E84 parameter set 2", 1, {}, 33, 61, 1, "2", 1.0, 0},
      {"18: H24 angle, family 2's 16384 increments", 2, {}, 59, 6, 4096, "90.0 \xB0", 45.0, 2048},
      {"25: remote speed by the reported pole pairs", 1, {{33, 68, 2}}, 306, 0, 4096, "1500 rpm", 750.0, 2048},
      {"25: remote torque reference of family 2", 2, {{38, 56, 0}}, 306, 0, 32768, "200 rpm", 100.0, 16384},
      {"25: remote speed of family 2", 2, {{38, 56, 1}}, 306, 0, 1024, "128 rpm", 1000.0, 8000},
      {"26: E92 field current", 1, {}, 33, 30, 8192, "100.00 A", 50.0, 4096},
      {"26: E93 field current of family 2", 2, {}, 33, 28, 16384, "999.03 A", 999.03, 16384},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FreshDataSetOfFamily(c.family);
    for (const Raw& r : c.context) {
      alignas(8) unsigned char buffer[8] = {};
      StoreNumber(buffer, GetElementType(r.record, r.element), static_cast<double>(r.value));
      ASSERT_EQ(WriteElement(r.record, r.element, buffer, kModeRaw, 0), 0);
    }
    alignas(8) unsigned char buffer[8] = {};
    StoreNumber(buffer, GetElementType(c.record, c.element), static_cast<double>(c.raw));
    ASSERT_EQ(WriteElement(c.record, c.element, buffer, kModeRaw, 0), 0);
    EXPECT_EQ(Shown(c.record, c.element), c.shown);
    ASSERT_EQ(WriteElement(c.record, c.element, &c.typed, kModeConverted, 0), 0);
    std::int64_t stored = 0;
    ASSERT_EQ(ReadRawInteger(c.record, c.element, 0, &stored), 0);
    EXPECT_EQ(stored, c.stored);
  }
}

TEST(DescriptorUnits, ANameplateTypedInIsStoredRawAndReadsBackTheSame) {
  struct Field {
    const char* name;
    std::uint16_t element;
    double typed;
    std::int32_t raw;
    const char* shown;
  };
  const Field fields[] = {
      {"B14 V-nominal", 2, 400.0, 5657, "400.0 V"}, {"B15 f-nominal", 0, 50.0, 4096, "50.00 Hz"},
      {"B12 I-nominal", 4, 3.5, 350, "3.50 A"},     {"B11 P-nominal", 6, 1.5, 150, "1.50 kW"},
      {"B13 n-nominal", 8, 1420.0, 3878, "1420 rpm"}, {"B16 cos phi", 27, 0.79, 79, "0.79"},
  };
  for (std::uint16_t record : {42, 43}) {
    ASSERT_EQ(InitDataSet(0), 0);
    const double user_defined = 0.0;  // the nominal data are entered for a motor of the user's own
    ASSERT_EQ(WriteElement(record, 29, &user_defined, kModeConverted, 0), 0);
    for (const Field& f : fields) {
      SCOPED_TRACE(testing::Message() << record << " " << f.name);
      ASSERT_EQ(WriteElement(record, f.element, &f.typed, kModeConverted, 0), 0);
    }
    for (const Field& f : fields) {
      SCOPED_TRACE(testing::Message() << record << " " << f.name);
      std::int32_t raw = 0;
      ASSERT_EQ(ReadElement(record, f.element, &raw, kModeRaw, 0), 0);
      const std::int32_t stored = GetElementType(record, f.element) == 2 ? raw & 0xFF : static_cast<std::int16_t>(raw);
      EXPECT_EQ(stored, f.raw);
      EXPECT_EQ(Shown(record, f.element), f.shown);
    }
  }
}

TEST(DescriptorUnits, LimitsShowInThePhysicalUnit) {
  struct Case {
    std::uint16_t record, element;
    double low, high;
  };
  const Case cases[] = {
      {55, 2, 320.0, 480.0},  // A36 on a 400 V type
      {55, 0, 150.0, 570.0},  // A35
      {42, 2, 0.0, 480.0},    // B14
      {42, 4, 0.0, 7.0},      // B12: twice the device current
      {42, 6, 0.35, 2.8},     // B11
      {42, 0, 10.0, 330.0},   // B15 from firmware 'A' on
      {55, 10, 142.9, 600.0}, // A21
      {40, 11, 4.0, 16.0},    // B24
  };
  ASSERT_EQ(InitDataSet(0), 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.record << "." << c.element);
    double low = -1, high = -1;
    ASSERT_EQ(GetElementLowerLimit(c.record, c.element, &low, kModeConverted, 0), 0);
    ASSERT_EQ(GetElementUpperLimit(c.record, c.element, &high, kModeConverted, 0), 0);
    EXPECT_NEAR(low, c.low, 0.051);
    EXPECT_NEAR(high, c.high, 0.051);
  }
  // A position at its lower limit in the user unit is taken as it is shown.
  double lowest = 0.0, back = 0.0;
  ASSERT_EQ(GetElementLowerLimit(512, 16, &lowest, kModeConverted, 0), 0);
  EXPECT_EQ(WriteElement(512, 16, &lowest, kModeConverted, 0), 0);
  ASSERT_EQ(ReadElement(512, 16, &back, kModeConverted, 0), 0);
  EXPECT_DOUBLE_EQ(back, lowest) << "I24 position window";
  // A value beyond the range is refused as too great, one below it as too small.
  const double user_defined = 0.0;
  ASSERT_EQ(WriteElement(42, 29, &user_defined, kModeConverted, 0), 0);
  const double too_high = 600.0, too_low = 5.0;
  EXPECT_EQ(WriteElement(42, 2, &too_high, kModeConverted, 0), 4);
  EXPECT_EQ(WriteElement(42, 0, &too_low, kModeConverted, 0), 5);
}

// A project written with the earlier default tables opens with its stored values untouched: only what they
// show follows the descriptors.
TEST(DescriptorUnits, AnEarlierProjectKeepsItsRawValues) {
  const std::string path = std::string(ZPR_SOURCE_DIR) + "/tests/model/golden/project_earlier_defaults.ZPR";
  ASSERT_EQ(InitDataSet(1), 0);
  ASSERT_EQ(ProjectFileAccess(kProjectOpen, 1, path.c_str()), kFileDone);
  ASSERT_EQ(ProjectFileAccess(kProjectReadProject, 1, path.c_str()), kFileDone);
  const struct {
    std::uint16_t record, element;
    std::int16_t raw;
    const char* shown;
  } cases[] = {{55, 2, 4000, "282.8 V"},  {38, 2, 12000, "2197.3 rpm"}, {48, 0, 1000, "100.0 s/150Hz*D98"},
               {55, 10, 3000, "300.0 Ohm"}, {40, 11, 80, "8.0 kHz"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.record << "." << c.element);
    std::int16_t raw = 0;
    ASSERT_EQ(ReadElement(c.record, c.element, &raw, kModeRaw, 1), 0);
    EXPECT_EQ(GetElementType(c.record, c.element) == 2 ? raw & 0xFF : raw, c.raw);
    EXPECT_EQ(Shown(c.record, c.element, 1), c.shown);
  }
}

}  // namespace
