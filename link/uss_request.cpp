// Request telegrams from a slot, the log-in telegram and its mirror, and the reply's net data into the slot.
#include <algorithm>

#include "link/link_status.h"
#include "link/uss_state.h"

namespace ilink {
namespace detail {

void BuildLoginTelegram(const UssSlot& slot) {
  auto& t = Uss().request;
  t[0] = kStx;
  t[1] = kLoginLge;
  t[2] = static_cast<std::uint8_t>(slot.address + kLoginOffset);
  std::copy(kLoginPattern.begin(), kLoginPattern.end(), t.begin() + 3);
}

// The reply mirrors the log-in telegram: same length and the eight pattern bytes after ADR.
std::uint8_t CheckLoginEcho() {
  const auto& m = Uss();
  if (m.reply[1] != kLoginLge) return kBadMirror;
  return std::equal(kLoginPattern.begin(), kLoginPattern.end(), m.reply.begin() + 3) ? kOk : kBadMirror;
}

}  // namespace detail

namespace {

using detail::Uss;

void PutWord(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v >> 8);
  p[1] = static_cast<std::uint8_t>(v);
}

std::uint16_t GetWord(const std::uint8_t* p) { return static_cast<std::uint16_t>((p[0] << 8) | p[1]); }

// Copies n bytes of request data behind pos; false when the slot's data does not hold them.
bool PutData(const UssSlot& slot, std::uint8_t* pos, std::size_t n) {
  if (slot.request_data.size() < n) return false;
  std::copy_n(slot.request_data.begin(), n, pos);
  return true;
}

bool TakeReply(UssSlot& slot, const std::uint8_t* from, std::size_t n) {
  if (slot.reply_data.size() < n) return false;
  std::copy_n(from, n, slot.reply_data.begin());
  return true;
}

}  // namespace

std::uint8_t BuildUssRequest(UssSlot& slot) {
  auto& t = Uss().request;
  std::uint8_t* const net = t.data() + 4;  // behind STX, LGE, ADR and the service byte
  std::size_t lge = 0;
  switch (slot.service) {
    case 1:
    case 2:
      if (slot.data_length > kMaxNetData) return kTooMuchData;
      PutWord(net, slot.control_word);
      net[2] = slot.control_flags;
      PutWord(net + 3, slot.parameter);
      PutWord(net + 5, slot.index);
      lge = 10;
      if (slot.service == 2) {
        if (!PutData(slot, net + 7, slot.data_length)) return kSoftwareError;
        lge += slot.data_length;
      }
      break;
    case 3:
      PutWord(net, slot.control_word);
      net[2] = slot.control_flags;
      lge = 6;
      break;
    case 4:
    case 5:
      if (slot.data_length > kMaxNetData) return kTooMuchData;
      PutWord(net, slot.parameter);
      PutWord(net + 2, slot.index);
      lge = 7;
      if (slot.service == 5) {
        if (!PutData(slot, net + 4, slot.data_length)) return kSoftwareError;
        lge += slot.data_length;
      }
      break;
    case 6:
    case 7:
      if (slot.piece_length > kMaxNetData) return kTooMuchData;
      PutWord(net, slot.parameter);
      PutWord(net + 2, slot.index);
      lge = 7;
      if (slot.service == 7) {
        if (!PutData(slot, net + 4, slot.piece_length)) return kSoftwareError;
        lge += slot.piece_length;
      }
      break;
    case 8:
      if (!PutData(slot, net, 12)) return kSoftwareError;
      lge = 15;
      break;
    case 10:
      net[0] = 0x30;
      if (!PutData(slot, net + 1, 4)) return kSoftwareError;
      std::fill_n(net + 5, 4, 0);
      lge = 12;
      break;
    case 11:
      net[0] = 0x00;
      if (!PutData(slot, net + 1, 4)) return kSoftwareError;
      if (slot.request_data.size() < 8) return kSoftwareError;
      net[5] = slot.request_data[7];  // the value's lowest byte (the value travels high byte first)
      std::fill_n(net + 6, 3, 0);
      lge = 12;
      break;
    default:
      return kSoftwareError;
  }
  t[0] = kStx;
  t[1] = static_cast<std::uint8_t>(lge);
  t[2] = slot.address;
  t[3] = slot.service;
  return kOk;
}

std::uint8_t ParseUssResponse(UssSlot& slot) {
  const auto& m = Uss();
  if (slot.address & kBroadcastBit) return kOk;
  const std::uint8_t* r = m.reply.data();
  const std::size_t lge = r[1];
  if (lge < 3) return kSoftwareError;  // no room for a status byte
  const std::uint8_t status = r[3];
  if (status != 0) {
    if (status < kInverterFirst) return kEcho;
    // Status bytes above the inverter's range would alias driver codes ("already opened", ...).
    return status <= kInverterReserve ? status : kInverterReserve;
  }
  switch (slot.service) {
    case 1:
      // A single element must arrive whole: fewer bytes would leave stale scratch bytes to be stored.
      if (lge <= 6 || lge - 6 != slot.data_length) return kSoftwareError;
      slot.status_word = GetWord(r + 4);
      slot.status_flags = r[6];
      return TakeReply(slot, r + 7, lge - 6) ? kOk : kSoftwareError;
    case 2:
    case 3:
      if (lge != 6) return kSoftwareError;
      slot.status_word = GetWord(r + 4);
      slot.status_flags = r[6];
      return kOk;
    case 4:
      if (lge < 4 || lge - 3 != slot.data_length) return kSoftwareError;
      return TakeReply(slot, r + 4, lge - 3) ? kOk : kSoftwareError;
    case 6: {
      if (lge < 4) return kSoftwareError;
      const std::size_t n = std::min<std::size_t>(lge - 3, slot.record_size);
      if (!TakeReply(slot, r + 4, n)) return kSoftwareError;
      slot.received = static_cast<std::uint16_t>(n);
      return kOk;
    }
    case 5:
    case 7:
      return lge == 3 ? kOk : kSoftwareError;
    case 8:
      if (lge < 15) return kSoftwareError;  // all 12 bytes before the BCC
      return TakeReply(slot, r + 4, 12) ? kOk : kSoftwareError;
    case 10:
    case 11:
      // The value must lie before the BCC.
      if (lge < 10) return kSoftwareError;
      return TakeReply(slot, r + 7, 4) ? kOk : kSoftwareError;
    default:
      return kSoftwareError;
  }
}

}  // namespace ilink
