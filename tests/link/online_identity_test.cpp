// CheckInverterIdentity on the values a transfer left in the data set: group 2 numbers in the checks' order.
#include "tests/link/online_fixture.h"

namespace {

using online_test::PutRaw;

struct Identity {
  std::uint8_t family = 1, type = 30, board = 0, positioning = 0;
  char version = 'Q';
  // Record 304, the project target, and the device state.
  std::uint8_t target_type = 30, target_board = 0, target_positioning = 0;
  char target_version = 'E';
  std::uint8_t state = 2, operation_input = 1;
};

class IdentityCheck : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(model::InitDataSet(0), 0); }
  std::uint8_t Check(std::uint8_t mode, const Identity& id) {
    PutRaw<std::uint8_t>(5, 0, id.family);
    PutRaw<std::uint8_t>(5, 1, id.type);
    PutRaw<std::uint8_t>(5, 3, id.board);
    PutRaw<std::uint8_t>(5, 9, id.positioning);
    PutRaw<std::uint8_t>(4, 0, static_cast<std::uint8_t>(id.version));
    PutRaw<std::uint8_t>(304, 1, id.target_type);
    PutRaw<std::uint8_t>(304, 3, id.target_board);
    PutRaw<std::uint8_t>(304, 5, static_cast<std::uint8_t>(id.target_version));
    PutRaw<std::uint8_t>(304, 9, id.target_positioning);
    PutRaw<std::uint8_t>(33, 67, id.state);
    PutRaw<std::uint8_t>(55, 6, id.operation_input);
    return ilink::CheckInverterIdentity(mode, 0);
  }
};

TEST_F(IdentityCheck, CodesInTheirOrder) {
  auto with = [](auto change) {
    Identity id;
    change(id);
    return id;
  };
  const struct {
    const char* what;
    std::uint8_t mode;
    Identity id;
    std::uint8_t code;
  } cases[] = {
      {"fits", 2, {}, 0},
      {"family 0", 1, with([](Identity& i) { i.family = 0; }), 1},
      {"family 4", 2, with([](Identity& i) { i.family = 4; }), 1},
      {"type 98", 1, with([](Identity& i) { i.type = 98; }), 1},
      {"type 65", 1, with([](Identity& i) { i.type = 65; }), 1},
      {"type 69", 1, with([](Identity& i) { i.type = 69; }), 1},
      {"type 78", 1, with([](Identity& i) { i.type = 78; }), 1},
      {"type 89", 1, with([](Identity& i) { i.type = 89; }), 1},
      {"type 90 known", 1, with([](Identity& i) { i.type = 90; }), 0},
      {"mode 6 below @", 6, with([](Identity& i) { i.version = '?'; }), 4},
      {"mode 6 @", 6, with([](Identity& i) { i.version = '@'; }), 0},
      {"read below @", 1, with([](Identity& i) { i.version = '?'; }), 6},
      {"read family 1 O", 1, with([](Identity& i) { i.version = 'O'; }), 7},
      {"read family 2 P", 1, with([](Identity& i) { i.family = 2; i.version = 'P'; }), 0},
      {"read family 3 P", 1, with([](Identity& i) { i.family = 3; i.version = 'P'; }), 7},
      {"read R", 1, with([](Identity& i) { i.version = 'R'; }), 8},
      {"send other type", 2, with([](Identity& i) { i.target_type = 31; }), 2},
      {"send positioning missing", 2,
       with([](Identity& i) { i.family = 3; i.target_positioning = 1; i.positioning = 1; }), 17},
      {"send positioning there", 2,
       with([](Identity& i) { i.family = 3; i.target_positioning = 1; i.positioning = 2; }), 0},
      {"boards 0 and 3", 2, with([](Identity& i) { i.board = 3; }), 0},
      {"boards 10 and 20", 2, with([](Identity& i) { i.board = 10; i.target_board = 20; }), 0},
      {"boards 3 and 10", 2, with([](Identity& i) { i.board = 3; i.target_board = 10; }), 14},
      {"enabled below M", 2, with([](Identity& i) { i.state = 4; i.version = 'L'; }), 3},
      {"enabled from M", 2, with([](Identity& i) { i.state = 7; i.version = 'M'; }), 0},
      {"send below @", 2, with([](Identity& i) { i.version = '?'; i.target_version = '@'; }), 9},
      {"send above Q", 2, with([](Identity& i) { i.version = 'R'; }), 12},
      {"target @, inverter A", 2, with([](Identity& i) { i.target_version = '@'; i.version = 'A'; }), 11},
      {"target @, inverter @", 2, with([](Identity& i) { i.target_version = '@'; i.version = '@'; }), 0},
      {"target A, inverter @", 2, with([](Identity& i) { i.target_version = 'A'; i.version = '@'; }), 10},
      {"target B, inverter B", 2, with([](Identity& i) { i.target_version = 'B'; i.version = 'B'; }), 10},
      {"target B, inverter E", 2, with([](Identity& i) { i.target_version = 'B'; i.version = 'E'; }), 0},
      {"target B, inverter F", 2, with([](Identity& i) { i.target_version = 'B'; i.version = 'F'; }), 11},
      {"target C, inverter F", 2, with([](Identity& i) { i.target_version = 'C'; i.version = 'F'; }), 0},
      {"target C, inverter G", 2, with([](Identity& i) { i.target_version = 'C'; i.version = 'G'; }), 11},
      {"target D, inverter G", 2, with([](Identity& i) { i.target_version = 'D'; i.version = 'G'; }), 10},
      {"target D, inverter J", 2, with([](Identity& i) { i.target_version = 'D'; i.version = 'J'; }), 11},
      {"target E, inverter I", 2, with([](Identity& i) { i.target_version = 'E'; i.version = 'I'; }), 10},
      {"target E, inverter Q", 2, with([](Identity& i) { i.target_version = 'E'; }), 0},
      {"input not serial", 4, with([](Identity& i) { i.operation_input = 0; }), 5},
      {"input below @", 4, with([](Identity& i) { i.version = '?'; }), 6},
      {"mode 3 below @", 3, with([](Identity& i) { i.version = '?'; }), 6},
      {"mode 7 B", 7, with([](Identity& i) { i.version = 'B'; }), 13},
      {"mode 7 C", 7, with([](Identity& i) { i.version = 'C'; }), 0},
      {"mode 5", 5, with([](Identity& i) { i.version = '?'; }), 0},
  };
  for (const auto& c : cases) EXPECT_EQ(Check(c.mode, c.id), c.code) << c.what;
}

TEST_F(IdentityCheck, AnUnreadableSetGives1) { EXPECT_EQ(ilink::CheckInverterIdentity(1, 7), 1); }

}  // namespace
