// Converted limits agree with converted writes: over the whole layout, a limit as ReadElement's converters show
// it can be entered again, for the physical scale at awkward resolutions and for the converters with
// dependencies.
#include <sstream>

#include "model/element_access.h"
#include "model/element_attributes.h"
#include "model/raw_number.h"
#include "tests/model/model_test_support.h"

namespace model::testing {
namespace {

std::uint8_t NoAction(std::uint16_t, std::uint16_t, std::uint8_t) { return 0; }

struct Scheme {
  const char* what;
  std::uint8_t converter;
  double scale;  // ConvPhysical parameters: the type's full scale times this; others: the parameter itself
  std::uint8_t decimals;
  double stored_grid = 1.0;  // the stored values an entry can reach are multiples of this
};

double DisplayStep(std::uint8_t decimals) {
  switch (decimals) {
    case 1: return 0.1;
    case 2: return 0.01;
    case 3: return 0.001;
    case 255: return 0.0;
    default: return 1.0;
  }
}

double FullScale(std::uint8_t type) {
  switch (type) {
    case kTypeI8: return 127.0;
    case kTypeU16: return 65535.0;
    case kTypeI16: return 32767.0;
    case kTypeU32: return 4294967295.0;
    case kTypeI32: return 2147483647.0;
    default: return 255.0;
  }
}

class ConverterLimitsTest : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    ActionTableType actions{};
    actions.fill(&NoAction);  // the agreement of limits and entries, without the after-write actions
    SetActionTable(actions);
    // The governing values the dependent converters need, all non-zero.
    for (auto [record, element, value] : std::vector<std::tuple<std::uint16_t, std::uint16_t, double>>{
             {42, 26, 2}, {43, 26, 3}, {42, 6, 750}, {42, 8, 1450}, {43, 6, 1100}, {43, 8, 2900}, {33, 68, 2},
             {33, 124, 300}, {34, 30, 1024}, {512, 52, 360}, {512, 56, 7}, {512, 76, 2}}) {
      alignas(8) unsigned char buffer[8] = {};
      StoreNumber(buffer, GetElementType(record, element), value);
      ASSERT_EQ(WriteElement(record, element, buffer, kModeRaw, 0), 0);
    }
  }

  // Enters both shown limits of (record, element) under the descriptor in force: false when the element has no
  // limits or too narrow a range to test; refusals counted and the first ones described in *out.
  static bool EnterLimits(std::uint16_t record, std::uint16_t element, const LayoutEntry& e, double display_step,
                          double stored_grid, int* refusals, std::ostringstream* out) {
    alignas(8) unsigned char saved[8] = {};
    ReadElement(record, element, saved, kModeRaw, 0);
    double shown[3] = {};
    alignas(8) unsigned char raw[3][8] = {};
    if (GetElementUpperLimit(record, element, &shown[1], kModeConverted, 0) != 0 ||
        GetElementLowerLimit(record, element, &shown[2], kModeConverted, 0) != 0) {
      return false;  // no limits, or a converter that does not serve the element
    }
    GetElementUpperLimit(record, element, raw[1], kModeRaw, 0);
    GetElementLowerLimit(record, element, raw[2], kModeRaw, 0);
    // A range narrower than two display steps or two reachable stored values may hold no entry at all.
    const double raw_span = LoadNumber(raw[1], e.type) - LoadNumber(raw[2], e.type);
    if (shown[1] - shown[2] < 2 * display_step || raw_span < 2 * stored_grid) return false;
    for (std::uint8_t which : {1, 2}) {
      const std::uint8_t status = WriteElement(record, element, &shown[which], kModeWriteUnchecked, 0);
      WriteElement(record, element, saved, kModeRaw, 0);
      if (status != 0 && ++*refusals <= 12) {
        *out << "(" << record << ", " << element << ") type " << int{e.type} << " range " << int{e.a} << "/"
             << int{e.b} << (which == 1 ? " upper " : " lower ") << shown[which] << ": " << int{status} << "\n";
      }
    }
    return true;
  }

  // Row 63 judges bytes 2 and 3 of the packed word, which its own limits 1 and 254 leave 0.
  static bool Testable(const LayoutEntry& e) { return IsNumberType(e.type) && e.record != 305 && e.a != 63; }

  // For every number element served by the scheme: 0 when both limits as shown are entered without refusal;
  // the refusals listed in *report.
  static int Refusals(const Scheme& s, std::string* report, int* tested) {
    int refusals = 0;
    *tested = 0;
    std::ostringstream out;
    const auto table = RecordLayoutTable();
    for (std::uint16_t row = 0; table[row].record != 0; ++row) {
      const LayoutEntry& e = table[row];
      if (!Testable(e)) continue;
      const std::uint16_t element = ElementIndexInRecord(e.record, row);
      // Floats keep their value: a scale of their full range would overflow any product.
      const double parameter = s.converter != 0 ? s.scale : IsFloatType(e.type) ? 0.0 : FullScale(e.type) * s.scale;
      InstallDescriptors({{e.record, element, s.converter, parameter, s.decimals}});
      if (EnterLimits(e.record, element, e, DisplayStep(s.decimals), s.stored_grid, &refusals, &out)) ++*tested;
    }
    *report = out.str();
    return refusals;
  }
};

TEST_F(ConverterLimitsTest, EveryShownLimitCanBeEntered) {
  const Scheme schemes[] = {
      {"physical, coarse whole display", 0, 0.3, 0},
      {"physical, 1 place", 0, 400.0 / 32767.0 * 7.0, 1},
      {"physical, 2 places", 0, 1.0 / 3.0, 2},
      {"physical, unrounded", 0, 0.7, 255},
      {"speed from pole pairs", 1, 0.0, 0},
      {"motor speed", 2, 0.0, 1},
      {"power", 12, 0.0, 2},
      {"torque", 13, 0.0, 2},
      {"multiple of 4", 14, 32.767, 3, 4.0},
      {"switching frequency", 15, 0.0, 1, 20.0},
      {"user length units", 16, 2147483647.0 / 3, 2},
      {"position in user units", 17, 0.0, 2},
      {"angle", 18, 0.0, 1},
      {"ramps", 20, 0.0, 1},
      {"revolutions", 32, 0.0, 255},
  };
  for (const Scheme& s : schemes) {
    std::string report;
    int tested = 0;
    EXPECT_EQ(Refusals(s, &report, &tested), 0) << s.what << ":\n" << report;
    EXPECT_GT(tested, 100) << s.what;
  }
}

// The program's own descriptors, for each family: every shown limit is an accepted entry.
TEST_F(ConverterLimitsTest, ProgramDescriptorLimitsCanBeEntered) {
  SetMenuListTableForTest({});
  for (std::uint8_t family : {1, 2, 3}) {
    for (std::uint16_t record : {std::uint16_t{5}, std::uint16_t{304}}) {
      ASSERT_EQ(WriteElement(record, 0, &family, kModeRaw, 0), 0);
    }
    int refusals = 0, tested = 0;
    std::ostringstream out;
    const auto table = RecordLayoutTable();
    for (std::uint16_t row = 0; table[row].record != 0; ++row) {
      const LayoutEntry& e = table[row];
      if (!Testable(e)) continue;
      const std::uint16_t element = ElementIndexInRecord(e.record, row);
      const ParameterDescriptor* d = FindDescriptor(e.record, element);
      if (!d) continue;
      const double grid = d->converter == 14 ? 4.0 : d->converter == 15 ? 20.0 : 1.0;
      const double step = DisplayStep(GetElementAttributes(e.record, d->selector, 0));
      if (EnterLimits(e.record, element, e, step, grid, &refusals, &out)) ++tested;
    }
    EXPECT_EQ(refusals, 0) << "family " << int{family} << ":\n" << out.str();
    if (tested == 0) GTEST_SKIP() << "no descriptors yet";
  }
}

// Shown to whole numbers at 0.3 per stored step, 65535 would show 19661, which stores 65537.
TEST_F(ConverterLimitsTest, ALimitRoundedOutwardIsShownInside) {
  const auto ref = FindElementOfType(kTypeU16);
  ASSERT_TRUE(ref);
  const LayoutEntry& row = RecordLayoutTable()[ref->row];
  ASSERT_EQ(row.a, 0);
  ASSERT_EQ(row.b, 0);  // 0..65535
  InstallDescriptors({{ref->record, ref->element, 0, 65535.0 * 0.3, 0}});
  double upper = 0.0, lower = -1.0;
  ASSERT_EQ(GetElementUpperLimit(ref->record, ref->element, &upper, kModeConverted, 0), 0);
  ASSERT_EQ(GetElementLowerLimit(ref->record, ref->element, &lower, kModeConverted, 0), 0);
  EXPECT_EQ(upper, 19660.0);
  EXPECT_EQ(lower, 0.0);
  ASSERT_EQ(WriteElement(ref->record, ref->element, &upper, kModeWriteUnchecked, 0), 0);
  EXPECT_EQ(ReadRaw<std::uint16_t>(ref->record, ref->element), 65533);
  const double beyond = 19661.0;
  EXPECT_EQ(WriteElement(ref->record, ref->element, &beyond, kModeWriteUnchecked, 0), 4);
}

// A multiple-of-4 entry far finer than its stored step: the nearest enterable value, not the first one tried.
TEST_F(ConverterLimitsTest, TheShownLimitIsTheNearestEnterableValue) {
  const auto ref = FindElementOfType(kTypeU8);
  ASSERT_TRUE(ref);
  ASSERT_EQ(RecordLayoutTable()[ref->row].b, 0);  // 0..255
  InstallDescriptors({{ref->record, ref->element, 14, 32.767, 3}});
  double upper = 0.0;
  ASSERT_EQ(GetElementUpperLimit(ref->record, ref->element, &upper, kModeConverted, 0), 0);
  // 252 is the highest multiple of 4; 253.99 stored rounds to it, 254.0 would round to 256.
  double stored = 0.0;
  const double step = 0.001;
  EXPECT_EQ(WriteElement(ref->record, ref->element, &upper, kModeWriteUnchecked, 0), 0);
  EXPECT_EQ(ReadRaw<std::uint8_t>(ref->record, ref->element), 252);
  stored = upper + step;
  EXPECT_EQ(WriteElement(ref->record, ref->element, &stored, kModeWriteUnchecked, 0), 4);
}

}  // namespace
}  // namespace model::testing
