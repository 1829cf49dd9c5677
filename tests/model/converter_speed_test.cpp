// Speed converters: pole pairs and speed factor by record, the family-2 physical forms, the 32768 edge and the
// remote-control speed's run-mode choice.
#include "tests/model/converter_test_support.h"

namespace converter_test {
namespace {

using model::kTypeI16;

constexpr double kNoPolePairs = 999999999.0;
constexpr std::uint8_t kUnreadableSet = 3;  // an empty slot: every read fails

TEST_F(ConverterTest, SpeedFromPolePairsByRecord) {
  ExpectAll({
      {"p 2, q 10: 4096 is 1500 rpm", 1, 1, 4096, 1500.0, 0, kTypeI16, 40, 0, 0, {{42, 26, 2}}},
      {"1500 rpm stores 4096", 1, 0, 1500.0, 4096.0, 0, kTypeI16, 40, 0, 0, {{42, 26, 2}}},
      {"rounded by the decimals", 1, 1, 4097, 1500.4, 0, kTypeI16, 40, 0, 1, {{42, 26, 2}}},
      {"set-2 records use motor record 43", 1, 1, 4096, 1500.0, 0, kTypeI16, 43, 0, 0, {{43, 26, 2}, {42, 26, 4}}},
      {"record 54 is of set 2", 1, 1, 4096, 750.0, 0, kTypeI16, 54, 0, 0, {{43, 26, 4}, {42, 26, 2}}},
      {"records 251/254 read p and q there", 1, 1, 4096, 750.0, 0, kTypeI16, 251, 0, 0, {{251, 65, 2}, {251, 54, 20}}},
      {"record 254 back", 1, 0, 750.0, 4096.0, 0, kTypeI16, 254, 0, 0, {{254, 65, 2}, {254, 54, 20}}},
      {"a result of 32768 stores 32767", 1, 0, 12000.0, 32767.0, 0, kTypeI16, 40, 0, 0, {{42, 26, 2}}},
      {"32769 stays", 1, 0, 12000.3, 32769.0, 0, kTypeI16, 40, 0, 0, {{42, 26, 2}}},
      {"negative speeds", 1, 0, -1500.0, -4096.0, 0, kTypeI16, 40, 0, 0, {{42, 26, 2}}},
      {"p 0 shows the fixed value", 1, 1, 4096, kNoPolePairs, 0, kTypeI16, 40},
      {"q 0 shows the fixed value", 1, 1, 4096, kNoPolePairs, 0, kTypeI16, 251, 0, 0, {{251, 65, 2}}},
      {"p 0 refuses an entry instead of storing 0", 1, 0, 1500.0, kUntouched, 13, kTypeI16, 40},
      {"q 0 refuses an entry", 1, 0, 1500.0, kUntouched, 13, kTypeI16, 251, 0, 0, {{251, 65, 2}}},
  });
}

TEST_F(ConverterTest, MotorSpeedsUseQ10AndFamily2IsPhysical) {
  ExpectAll({
      {"q is 10 for every record", 2, 1, 4096, 1500.0, 0, kTypeI16, 251, 0, 0, {{251, 65, 2}, {251, 54, 20}}},
      {"p of motor record 42", 2, 1, 4096, 750.0, 0, kTypeI16, 40, 0, 0, {{42, 26, 4}}},
      {"back", 2, 0, 750.0, 4096.0, 0, kTypeI16, 40, 0, 0, {{42, 26, 4}}},
      {"p 0 refuses an entry", 2, 0, 750.0, kUntouched, 13, kTypeI16, 40},
      {"family 2 by the parameter", 2, 1, 32767, 3000.0, 0, kTypeI16, 40, 3000.0, 0, {}, 2},
      {"family 2 back", 2, 0, 1500.0, 16384.0, 0, kTypeI16, 40, 3000.0, 0, {}, 2},
  });
}

TEST_F(ConverterTest, ActualSpeedsUseTheReportedPolePairs) {
  ExpectAll({
      {"record 33", 3, 1, 4096, 1500.0, 0, kTypeI16, 33, 0, 0, {{33, 68, 2}, {42, 26, 4}}},
      {"record 52 back", 3, 0, 1500.0, 4096.0, 0, kTypeI16, 52, 0, 0, {{33, 68, 2}}},
      {"record 306", 3, 1, 4096, 750.0, 0, kTypeI16, 306, 0, 0, {{33, 68, 4}}},
      {"another record", 3, 1, 4096, kUntouched, 13, kTypeI16, 40, 0, 0, {{33, 68, 2}}},
      {"family 2: 8192, the parameter ignored", 3, 1, 32767, 8192.0, 0, kTypeI16, 33, 100.0, 0, {}, 2},
      {"family 2 back", 3, 0, 4096.0, 16384.0, 0, kTypeI16, 33, 100.0, 0, {}, 2},
  });
}

TEST_F(ConverterTest, RemoteControlSpeedByRunMode) {
  ExpectAll({
      {"record 306 only", 25, 1, 4096, kUntouched, 13, kTypeI16, 33, 0, 0, {{33, 68, 2}}},
      {"family 2, run mode 0: 400", 25, 1, 32767, 400.0, 0, kTypeI16, 306, 0, 0, {}, 2},
      {"family 2, run mode 1: as converter 3", 25, 1, 32767, 8192.0, 0, kTypeI16, 306, 0, 0, {{38, 56, 1}}, 2},
      {"set 2 reads the run mode of record 39", 25, 1, 32767, 400.0, 0, kTypeI16, 306, 0, 0,
       {{33, 61, 1}, {38, 56, 1}}, 2},
      {"set 2, its run mode 3", 25, 0, 8192.0, 32767.0, 0, kTypeI16, 306, 0, 0, {{33, 61, 1}, {39, 56, 3}}, 2},
      {"family 1: as converter 3", 25, 1, 4096, 1500.0, 0, kTypeI16, 306, 0, 0, {{33, 68, 2}}},
  });
}

TEST_F(ConverterTest, UnreadablePolePairsAreNotServed) {
  const double in = 4096;
  for (std::uint8_t converter : {1, 2, 3, 25}) {
    double out = kUntouched;
    EXPECT_EQ(model::ConverterTable()[converter](&in, &out, 0.0, kTypeI16, 0, 1, kUnreadableSet, 306), 13)
        << "converter " << int{converter};
    EXPECT_EQ(out, kUntouched);
  }
}

}  // namespace
}  // namespace converter_test
