// Round trips stored -> displayed -> stored for every converter family, where the display keeps enough digits
// (unrounded, or places finer than one stored step): each stored value in a sweep comes back unchanged.
#include "tests/model/converter_test_support.h"

namespace converter_test {
namespace {

struct RoundTrip {
  const char* what;
  std::uint8_t converter;
  std::uint8_t type;
  std::uint16_t record;
  double parameter;
  std::uint8_t decimals;
  std::vector<Put> puts;
  std::uint8_t family;
  int from;
  int to;
  int stride = 1;
};

TEST_F(ConverterTest, StoredValuesComeBack) {
  const std::vector<RoundTrip> trips = {
      {"physical u8 510", 0, model::kTypeU8, 42, 510.0, 0, {}, 1, 0, 255},
      {"physical u32", 0, model::kTypeU32, 40, 1000.0, 255, {}, 1, 0, 2000000000, 999983},
      {"speed p 2 q 10, 1 place", 1, model::kTypeI16, 40, 0, 1, {{42, 26, 2}}, 1, -32767, 32767},
      {"speed of records 251, p 3 q 7", 1, model::kTypeI16, 251, 0, 255, {{251, 65, 3}, {251, 54, 7}}, 1, -32767,
       32767, 7},
      {"motor speed family 2", 2, model::kTypeI16, 40, 3000.0, 255, {}, 2, -32767, 32767, 3},
      {"actual speed", 3, model::kTypeI16, 33, 0, 255, {{33, 68, 3}}, 3, -32767, 32767, 5},
      {"current u8", 4, model::kTypeU8, 40, 0, 255, {}, 1, 0, 255},
      {"percentage", 5, model::kTypeU8, 35, 0, 255, {{35, 62, 37}}, 1, 0, 255},
      {"peak current, 3 places", 9, model::kTypeI16, 33, 0, 255, {}, 1, -32767, 32767},
      {"phase current", 10, model::kTypeI16, 33, 0, 255, {}, 1, -32767, 32767},
      {"power", 12, model::kTypeI16, 33, 0, 255, {{42, 6, 750}}, 1, -32767, 32767},
      {"torque", 13, model::kTypeI16, 40, 0, 255, {{42, 26, 2}, {42, 6, 750}, {42, 8, 1450}}, 1, -32767, 32767},
      {"torque family 2", 13, model::kTypeI16, 40, 0, 255, {{33, 124, 300}}, 2, -32767, 32767, 11},
      {"multiple of 4", 14, model::kTypeI16, 40, 32.767, 3, {}, 1, -32764, 32764, 4},
      {"switching frequency", 15, model::kTypeU8, 40, 0, 1, {}, 1, 0, 240, 20},
      {"user length units", 16, model::kTypeI32, 512, 2147483647.0, 255, {{512, 76, 2}}, 1, -100000, 100000, 7},
      {"position", 17, model::kTypeI32, 512, 0, 255, {{34, 30, 1024}, {512, 52, 360}, {512, 56, 7}, {512, 76, 2}},
       1, -1000000, 1000000, 997},
      {"ramps", 20, model::kTypeI16, 45, 0, 0, {}, 1, -32767, 32767},
      {"field current family 2", 26, model::kTypeI16, 33, 400.0, 255, {}, 2, -32767, 32767},
      {"angle", 18, model::kTypeI32, 33, 0, 255, {{34, 30, 1000}}, 1, -1000000, 1000000, 13},
      {"revolutions", 32, model::kTypeI32, 33, 0, 255, {{34, 30, 1024}}, 1, -1000000, 1000000, 13},
  };
  for (const RoundTrip& t : trips) {
    SCOPED_TRACE(t.what);
    SetIdentity({model::kFileKindProject, t.family, 55, 'E'});
    for (const Put& put : t.puts) ASSERT_TRUE(identity_test::PutRaw(put.record, put.element, put.value));
    const auto convert = model::ConverterTable()[t.converter];
    int moved = 0;
    for (long long stored = t.from; stored <= t.to; stored += t.stride) {
      const double in = static_cast<double>(stored);
      double shown = 0.0, back = 0.0;
      ASSERT_EQ(convert(&in, &shown, t.parameter, t.type, t.decimals, 1, 0, t.record), 0) << stored;
      ASSERT_EQ(convert(&shown, &back, t.parameter, t.type, t.decimals, 0, 0, t.record), 0) << stored;
      // Direction-0 results that are not rounded are truncated when stored.
      if (std::trunc(back) != in && ++moved <= 3) {
        ADD_FAILURE() << stored << " shows " << shown << ", stores " << back;
      }
    }
    EXPECT_EQ(moved, 0);
    for (const Put& put : t.puts) identity_test::PutRaw(put.record, put.element, 0);
  }
}

}  // namespace
}  // namespace converter_test
