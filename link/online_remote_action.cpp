// The guided remote actions: fixed sequences of online reads and writes on the operation input (55.6), the
// enable input (36.9), the remote flag (306.2, sent with the control word), the action parameter (13.13 or
// 13.17) and the state bytes 33.61, 33.66 and 33.69.
#include "link/link_status.h"
#include "link/online_state.h"

namespace ilink {
namespace {

using detail::ReadByte;
using detail::WriteByte;

constexpr std::uint8_t kDone = 0;
constexpr std::uint8_t kFailed = 1;
constexpr std::uint8_t kRefused = 2;
constexpr std::uint8_t kStopped = 3;

// A step's outcome: 0 done, else the remote action's failure code.
std::uint8_t Read(std::uint8_t set, std::uint16_t record, std::uint16_t element, std::uint8_t* value) {
  if (ReadParameterOnline(set, record, element) != kOk) return kFailed;
  return ReadByte(record, element, set, value) ? kDone : kFailed;
}

std::uint8_t Send(std::uint8_t set, std::uint16_t record, std::uint16_t element, std::uint8_t value) {
  if (!WriteByte(record, element, set, value)) return kFailed;
  return WriteParameterOnline(set, record, element) == kOk ? kDone : kFailed;
}

std::uint8_t SendInput(std::uint8_t set, std::uint8_t value) {
  if (!WriteByte(55, 6, set, value)) return kFailed;
  const std::uint8_t code = WriteParameterOnline(set, 55, 6);
  if (code == kOk) return kDone;
  return code == 25 ? kRefused : kFailed;
}

std::uint8_t SendRemoteFlag(std::uint8_t set, std::uint8_t value) {
  if (!WriteByte(306, 2, set, value)) return kFailed;
  return SendControlWord(1, set) == kOk ? kDone : kFailed;
}

std::uint8_t ReadStateBytes(std::uint8_t set) {
  std::uint8_t v = 0;
  if (Read(set, 33, 69, &v) != kDone) return kFailed;
  return Read(set, 33, 66, &v);
}

std::uint8_t RestoreInput(std::uint8_t set) {
  const std::uint8_t kept = detail::Online().kept_input;
  return kept != 1 ? SendInput(set, kept) : kDone;
}

std::uint8_t End(std::uint8_t action, std::uint8_t set) {
  if (action >= 5) {
    if (const std::uint8_t r = SendRemoteFlag(set, 0); r != kDone) return r;
  }
  if (action >= 1 && action <= 14) return RestoreInput(set);
  return kDone;
}

}  // namespace

std::uint8_t RunRemoteAction(std::uint8_t mode, std::uint8_t action, std::uint8_t set) {
  if (mode == 2) return End(action, set);
  auto& m = detail::Online();
  const std::uint16_t action_element = mode != 0 ? 13 : 17;
  std::uint8_t v = 0;
  switch (action) {
    case 1: {
      if (Read(set, 55, 6, &v) != kDone) return kFailed;
      m.kept_input = v;
      if (const std::uint8_t r = SendRemoteFlag(set, 0); r != kDone) return r;
      return m.kept_input != 1 ? SendInput(set, 1) : kDone;
    }
    case 4:
      if (Read(set, 36, 9, &v) != kDone) return kFailed;
      return v == 1 ? kDone : kRefused;
    case 5:
      return Send(set, 13, action_element, 1);
    case 6:
      return kDone;
    case 7:
      return SendRemoteFlag(set, 1);
    case 9: {
      std::uint8_t running = 0, state = 0, result = 0;
      if (Read(set, 13, action_element, &running) != kDone || Read(set, 33, 69, &state) != kDone ||
          Read(set, 33, 66, &result) != kDone) {
        return kFailed;
      }
      if (running == 0) return kStopped;
      if (state < 253) return kRefused;
      return SendRemoteFlag(set, 0);
    }
    case 11: {
      if (Read(set, 33, 61, &v) != kDone) return kFailed;
      const TransferList list = v == 1 ? TransferList::kRemoteAction11Set2 : TransferList::kRemoteAction11Set1;
      return TransferParameterList(set, FixedTransferList(list), 0) == kOk ? kDone : kFailed;
    }
    case 13:
      return m.kept_input == 1 ? kDone : kFailed;
    case 14:
      if (Read(set, 36, 9, &v) != kDone) return kFailed;
      if (v != 0) return kRefused;
      return SendInput(set, m.kept_input);
    case 17:
      if (const std::uint8_t r = SendRemoteFlag(set, 0); r != kDone) return r;
      return m.kept_input != 1 ? SendInput(set, m.kept_input) : ReadStateBytes(set);
    default:
      return ReadStateBytes(set);
  }
}

}  // namespace ilink
