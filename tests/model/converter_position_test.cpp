// Encoder resolutions by family, encoder selections and run mode, and the converters built on them: positions in
// user units, angles and revolutions.
#include "tests/model/converter_test_support.h"

namespace converter_test {
namespace {

using model::kTypeI32;

constexpr double kNoPosition = 1410065407.0;
constexpr double kNoAngle = 99999999.0;
constexpr std::uint8_t kUnreadableSet = 3;

struct EncoderCase {
  const char* what;
  std::uint8_t family;
  std::vector<Put> puts;  // parameter set 1 unless the case says otherwise
  std::uint32_t motor;
  std::uint32_t position;
  std::uint8_t parameter_set = 0;
};

// a = F36 (34, 30), b = H22 (34, 54), x20 = H20 (34, 63), c = H41 (59, 10), x41 = H40 (59, 9), run = C60 (38, 56),
// me = B26 (40, 15), pe = I02 (512, 86), gear = G20 (46, 9), ctl = B20 (40, 6), ssi = H62 (59, 16).
TEST_F(ConverterTest, EncoderIncrements) {
  const std::vector<EncoderCase> cases = {
      {"family 2, pe 0: a x 4", 2, {{34, 30, 1000}}, 16384, 4000},
      {"family 2, pe 1: b x 4", 2, {{512, 86, 1}, {34, 54, 1000}, {34, 63, 5}}, 16384, 4000},
      {"family 2, pe 1, SSI 25 bits: b x 8", 2, {{512, 86, 1}, {34, 54, 1000}, {34, 63, 5}, {59, 16, 25}}, 16384,
       8000},
      {"family 2, SSI b from 4096: 32767", 2, {{512, 86, 1}, {34, 54, 4096}, {34, 63, 5}, {59, 16, 25}}, 16384,
       32767},
      {"family 2, pe 3: c x 4", 2, {{512, 86, 3}, {59, 10, 2048}}, 16384, 8192},
      {"family 2, pe 3, X41 function 1", 2, {{512, 86, 3}, {59, 10, 2048}, {59, 9, 1}}, 16384, 16384},
      {"family 2, pe 2", 2, {{512, 86, 2}, {34, 30, 1000}}, 16384, 16384},
      {"family 2, set 2 reads record 35", 2, {{34, 30, 1000}, {35, 30, 500}}, 16384, 2000, 1},
      {"me 0: a x 4", 1, {{34, 30, 1000}}, 4000, 4000},
      {"a x 4 in 32 bits", 1, {{34, 30, 65535}}, 262140, 262140},
      {"me 1, X20 function 5: SSI", 1, {{40, 15, 1}, {34, 63, 5}, {34, 54, 1000}}, 8000, 8000},
      {"me 1: b x 4", 1, {{40, 15, 1}, {34, 54, 1000}}, 4000, 4000},
      {"negative b gives 0", 1, {{40, 15, 1}, {34, 54, -100}}, 0, 0},
      {"me 2: a x 4", 1, {{40, 15, 2}, {34, 30, 1000}, {34, 54, 7}}, 4000, 4000},
      {"me 0, ctl 1: both 4096", 1, {{34, 30, 1000}, {40, 6, 1}}, 4096, 4096},
      {"me 1, ctl 1: b keeps", 1, {{40, 15, 1}, {34, 54, 1000}, {40, 6, 1}}, 4000, 4000},
      {"run 2, pe 1: position by b", 1, {{38, 56, 2}, {34, 30, 1000}, {512, 86, 1}, {34, 54, 300}}, 4000, 1200},
      {"run 2, pe 2 takes the motor source", 1, {{38, 56, 2}, {40, 15, 1}, {34, 54, 300}, {512, 86, 2}}, 1200, 1200},
      {"run 2, pe 3: motor increments", 1, {{38, 56, 2}, {34, 30, 1000}, {512, 86, 3}, {34, 54, 300}}, 4000, 4000},
      {"run 2, ctl 1: position 4096", 1, {{38, 56, 2}, {34, 30, 1000}, {40, 6, 1}}, 4000, 4096},
      {"gear on, ctl 1: 4096", 1, {{46, 9, 1}, {40, 15, 1}, {34, 54, 1000}, {40, 6, 1}}, 4096, 4096},
      {"gear on: position follows the motor", 1, {{46, 9, 1}, {40, 15, 1}, {34, 54, 1000}}, 4000, 4000},
      {"set 2 reads 35, 39, 41, 47", 3, {{35, 30, 1000}, {39, 56, 2}, {41, 6, 1}, {34, 30, 7}}, 4000, 4096, 1},
      {"nothing set", 1, {}, 0, 0},
  };
  for (const EncoderCase& c : cases) {
    SCOPED_TRACE(c.what);
    SetIdentity({model::kFileKindProject, c.family, 55, 'E'});
    for (const Put& put : c.puts) ASSERT_TRUE(identity_test::PutRaw(put.record, put.element, put.value));
    std::uint32_t motor = 1, position = 1;
    model::GetEncoderIncrements(&motor, &position, 0, c.parameter_set);
    EXPECT_EQ(motor, c.motor);
    EXPECT_EQ(position, c.position);
    for (const Put& put : c.puts) identity_test::PutRaw(put.record, put.element, 0);
  }
}

TEST_F(ConverterTest, PositionInUserUnits) {
  // k = 4000 (a = 1000), 360 units per revolution, one decimal digit.
  const std::vector<Put> base = {{34, 30, 1000}, {512, 52, 360}, {512, 56, 1}, {512, 76, 1}};
  auto with = [&base](std::vector<Put> more) {
    std::vector<Put> all = base;
    all.insert(all.end(), more.begin(), more.end());
    return all;
  };
  ExpectAll({
      {"a revolution is 36.0", 17, 1, 4000, 36.0, 0, kTypeI32, 512, 0, 1, base},
      {"back", 17, 0, 36.0, 4000.0, 0, kTypeI32, 512, 0, 1, base},
      {"rounded by the decimals", 17, 1, 1, 0.01, 0, kTypeI32, 512, 0, 2, base},
      {"the numerator counts by its size", 17, 1, 4000, 36.0, 0, kTypeI32, 512, 0, 1, with({{512, 52, -360}})},
      {"digits beyond 3 count as none", 17, 1, 4000, 360.0, 0, kTypeI32, 512, 0, 1, with({{512, 76, 5}})},
      {"digits 3", 17, 0, 0.36, 4000.0, 0, kTypeI32, 512, 0, 3, with({{512, 76, 3}})},
      {"set 2 resolution", 17, 1, 2000, 36.0, 0, kTypeI32, 512, 0, 1, with({{33, 61, 1}, {35, 30, 500}})},
      {"den 0 shows the fixed value", 17, 1, 4000, kNoPosition, 0, kTypeI32, 512, 0, 1, with({{512, 56, 0}})},
      {"k 0 shows the fixed value", 17, 1, 4000, kNoPosition, 0, kTypeI32, 512, 0, 1, with({{34, 30, 0}})},
      {"num 0 refuses instead of storing a sentinel", 17, 0, 36.0, kUntouched, 13, kTypeI32, 512, 0, 1,
       with({{512, 52, 0}})},
      {"den 0 refuses an entry", 17, 0, 36.0, kUntouched, 13, kTypeI32, 512, 0, 1, with({{512, 56, 0}})},
      {"k 0 refuses an entry", 17, 0, 36.0, kUntouched, 13, kTypeI32, 512, 0, 1, with({{34, 30, 0}})},
  });
}

TEST_F(ConverterTest, AnglesAndRevolutions) {
  const std::vector<Put> k4000 = {{34, 30, 1000}};
  ExpectAll({
      {"18: a quarter turn", 18, 1, 1000, 90.0, 0, kTypeI32, 33, 0, 1, k4000},
      {"18 back, not rounded", 18, 0, 90.1, 90.1 * 4000 * (1.0 / 360.0), 0, kTypeI32, 33, 0, 1, k4000},
      {"18: k 0 shows the fixed value", 18, 1, 1000, kNoAngle, 0, kTypeI32, 33, 0, 1},
      {"18: k 0 refuses an entry", 18, 0, 90.0, kUntouched, 13, kTypeI32, 33, 0, 1},
      {"32 family 2", 32, 1, 1048576 * 2.5, 2.5, 0, kTypeI32, 33, 0, 0, {}, 2},
      {"32 family 2 back", 32, 0, 0.25, 262144.0, 0, kTypeI32, 33, 0, 0, {}, 2},
      {"32 by the motor increments", 32, 1, 6000, 1.5, 0, kTypeI32, 33, 0, 0, k4000},
      {"32 back, not rounded", 32, 0, 0.0001, 0.4, 0, kTypeI32, 33, 0, 0, k4000},
      {"32: no increments", 32, 1, 6000, kUntouched, 13, kTypeI32, 33},
      {"32: no increments back", 32, 0, 1.0, kUntouched, 13, kTypeI32, 33},
  });
}

TEST_F(ConverterTest, UnreadableActiveSetIsNotServedExceptForAngles) {
  const double in = 1000;
  double out = kUntouched;
  EXPECT_EQ(model::ConvPositionUserUnits(&in, &out, 0.0, kTypeI32, 1, 1, kUnreadableSet, 512), 13);
  EXPECT_EQ(model::ConvRevolutions(&in, &out, 0.0, kTypeI32, 1, 1, kUnreadableSet, 33), 13);
  EXPECT_EQ(out, kUntouched);
  EXPECT_EQ(model::ConvAngleDegrees(&in, &out, 0.0, kTypeI32, 1, 1, kUnreadableSet, 33), 0);
  EXPECT_EQ(out, kNoAngle);
  EXPECT_EQ(model::ConvUserLengthUnits(&in, &out, 1.0, kTypeI32, 1, 1, kUnreadableSet, 512), 1);
}

}  // namespace
}  // namespace converter_test
