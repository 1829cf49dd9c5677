// Whether the connected inverter fits the data set: group 2 numbers of the message catalogue.
#include "link/online_state.h"
#include "model/element_access.h"

namespace ilink {
namespace {

constexpr std::uint8_t kAt = '@';

bool KnownDeviceType(std::uint8_t type) {
  return type <= 97 && !(type >= 65 && type <= 69) && !(type >= 78 && type <= 89);
}

bool InSet(std::uint8_t v, std::initializer_list<std::uint8_t> set) {
  for (std::uint8_t s : set) {
    if (s == v) return true;
  }
  return false;
}

bool OptionBoardsFit(std::uint8_t target, std::uint8_t inverter) {
  if (target == inverter) return true;
  if (InSet(target, {0, 3}) && InSet(inverter, {0, 3})) return true;
  return InSet(target, {0, 10, 20}) && InSet(inverter, {0, 10, 20});
}

// The inverter's version against the target version letter of the project: 10 older, 11 newer, else 0.
std::uint8_t CompareWithTarget(std::uint8_t target, std::uint8_t v) {
  struct Window {
    std::uint8_t target, older_below, newer_above;
  };
  static constexpr Window kWindows[] = {
      {'@', '@', '@'}, {'A', 'A', 'A'}, {'B', 'C', 'E'}, {'C', 'F', 'F'}, {'D', 'H', 'I'}, {'E', 'J', 'Q'},
  };
  for (const Window& w : kWindows) {
    if (w.target != target) continue;
    if (v < w.older_below) return 10;
    if (v > w.newer_above) return 11;
    return 0;
  }
  return 0;
}

std::uint8_t CheckSending(std::uint8_t set, std::uint8_t family, std::uint8_t type, std::uint8_t board,
                          std::uint8_t positioning, std::uint8_t v) {
  using detail::ReadByte;
  std::uint8_t target_type = 0, target_board = 0, target_version = 0, target_positioning = 0, state = 0;
  if (!ReadByte(304, 1, set, &target_type) || !ReadByte(304, 3, set, &target_board) ||
      !ReadByte(304, 5, set, &target_version) || !ReadByte(304, 9, set, &target_positioning) ||
      !ReadByte(33, 67, set, &state)) {
    return 1;
  }
  if (target_type != type) return 2;
  if (family == 3 && target_positioning != 0 && positioning < 2) return 17;
  if (!OptionBoardsFit(target_board, board)) return 14;
  if (InSet(state, {3, 4, 7}) && v < 'M') return 3;
  if (v < kAt) return 9;
  if (v > 'Q') return 12;
  const std::uint8_t compared = CompareWithTarget(target_version, v);
  // "Newer than the selection in Target of project" asks the user to correct the target: a target already at the
  // highest version its device type allows cannot be corrected, and a project taken from this very inverter
  // would ask on every send.
  std::uint8_t highest = 0;
  if (compared == 11 && model::GetElementUpperLimit(304, 5, &highest, model::kModeRaw, set) == 0 &&
      target_version == highest) {
    return 0;
  }
  return compared;
}

}  // namespace

std::uint8_t CheckInverterIdentity(std::uint8_t mode, std::uint8_t set) {
  using detail::ReadByte;
  std::uint8_t family = 0, type = 0, board = 0, positioning = 0, v = 0;
  if (!ReadByte(5, 0, set, &family) || !ReadByte(5, 1, set, &type) || !ReadByte(5, 3, set, &board) ||
      !ReadByte(5, 9, set, &positioning) || !ReadByte(4, 0, set, &v)) {
    return 1;
  }
  if (family < 1 || family > 3 || !KnownDeviceType(type)) return 1;
  switch (mode) {
    case 6:
      return v < kAt ? 4 : 0;
    case 1:
      if (v < kAt) return 6;
      if ((family != 3 && v < 'P') || (family == 3 && v < 'Q')) return 7;
      return v > 'Q' ? 8 : 0;
    case 2:
      return CheckSending(set, family, type, board, positioning, v);
    case 4: {
      if (v < kAt) return 6;
      std::uint8_t input = 0;
      if (!ReadByte(55, 6, set, &input)) return 1;
      return input != 1 ? 5 : 0;
    }
    case 3:
      return v < kAt ? 6 : 0;
    case 7:
      return v < 'C' ? 13 : 0;
    default:
      return 0;
  }
}

}  // namespace ilink
