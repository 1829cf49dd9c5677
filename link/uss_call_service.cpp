// CallService: element values between a data set (stored least significant byte first) and the telegram
// (most significant byte first), one element or a record piece by piece.
#include <algorithm>
#include <array>

#include "link/link_status.h"
#include "link/uss_state.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "model/record_layout.h"

namespace ilink {
namespace {

using detail::Uss;

constexpr std::uint16_t kRemoteRecord = 306;
constexpr std::uint16_t kRemoteSendOffset = 8;    // 12 bytes out with service 8
constexpr std::uint16_t kRemoteReplyOffset = 20;  // 12 bytes back
constexpr std::uint16_t kMemoryAddressOffset = 32;
constexpr std::uint16_t kMemoryValueOffset = 36;
constexpr std::size_t kBlock = 12;

// How a type travels: 0 as stored, 2 two bytes swapped, 4 four bytes reversed, -1 not at all.
int WireOrder(std::uint8_t type) {
  switch (type) {
    case 2: case 3: case 8: case 9: case 10: case 14: case 16: return 0;
    case 4: case 5: return 2;
    case 6: case 7: case 11: return 4;
    default: return -1;
  }
}

void Convert(const std::uint8_t* from, std::uint8_t* to, std::uint16_t size, int order) {
  if (order == 0) {
    std::copy_n(from, size, to);
  } else {
    std::reverse_copy(from, from + order, to);
  }
}

// The elements of a record from a byte offset on: offset and type of each, in layout order.
struct ElementRef {
  std::uint16_t offset;
  std::uint8_t type;
  std::uint16_t size;
};

template <typename Visit>
bool WalkRecordFrom(std::uint16_t record, std::uint16_t index, Visit&& visit) {
  const std::uint16_t first = model::FirstRowOfRecord(record);
  if (first == model::kNoRow) return false;
  const auto table = model::RecordLayoutTable();
  std::uint32_t offset = 0;
  bool started = false;
  for (std::size_t row = first; row < table.size() && table[row].record == record; ++row) {
    const std::uint8_t type = table[row].type;
    const std::uint16_t size = model::ElementTypeSize(type);
    if (offset == index) started = true;
    if (started && !visit(ElementRef{static_cast<std::uint16_t>(offset), type, size})) return true;
    offset += size;
  }
  return started;
}

}  // namespace

std::uint16_t MeasureRecordReply(UssSlot& slot) {
  std::uint16_t sum = 0;
  WalkRecordFrom(slot.parameter, slot.index, [&](const ElementRef& e) {
    if (sum + e.size >= kMaxNetData) return false;
    sum = static_cast<std::uint16_t>(sum + e.size);
    return true;
  });
  slot.piece_length = sum;
  return sum;
}

std::uint8_t SwapElementBytes(std::uint8_t direction, std::uint8_t mode, std::uint16_t parameter,
                              std::uint16_t index, std::uint8_t set, UssSlot& slot, std::uint16_t* bytes_done) {
  std::uint8_t code = kOk;
  std::size_t pos = 0;
  std::array<std::uint8_t, kTelegramBufferSize> value{};
  const bool one = mode == 2;
  // Telegram to data set: the bytes that arrived for this call.
  std::size_t available = 0;
  if (direction == kToDataSet) {
    available = one ? slot.data_length : std::min<std::size_t>(slot.piece_length, slot.received);
    available = std::min(available, slot.reply_data.size());
  }
  const bool found = WalkRecordFrom(parameter, index, [&](const ElementRef& e) {
    const int order = WireOrder(e.type);
    if (order < 0 || e.size == 0 || e.size > value.size()) {
      code = kSoftwareError;
      return false;
    }
    if (direction == kToTelegram) {
      if (!one && pos + e.size >= kMaxNetData) return false;
      // A string copies up to its terminator: the bytes behind it go out as zeros, not as what an
      // earlier element left in the buffer.
      std::fill_n(value.begin(), e.size, std::uint8_t{0});
      if (pos + e.size > slot.request_data.size() ||
          model::ReadElement(parameter, e.offset, value.data(), model::kModeRaw9, set) != 0) {
        code = kSoftwareError;
        return false;
      }
      Convert(value.data(), slot.request_data.data() + pos, e.size, order);
    } else {
      if (pos + e.size > available) {
        if (one) code = kSoftwareError;
        return false;
      }
      Convert(slot.reply_data.data() + pos, value.data(), e.size, order);
      if (model::WriteElement(parameter, e.offset, value.data(), model::kModeRaw9, set) != 0) {
        code = kSoftwareError;
        return false;
      }
    }
    pos += e.size;
    return !one;
  });
  if (!found) code = kSoftwareError;
  if (direction == kToTelegram && !one && code == kOk) slot.piece_length = static_cast<std::uint16_t>(pos);
  if (bytes_done) *bytes_done = static_cast<std::uint16_t>(pos);
  return code;
}

namespace {

std::uint8_t ElementSizeFor(const UssSlot& slot, std::uint16_t* size) {
  const std::uint8_t type = model::GetElementType(slot.parameter, slot.index);
  *size = type == 255 ? 0 : model::ElementTypeSize(type);
  if (*size == 0) return kSoftwareError;
  if (*size > kMaxNetData) return kTooMuchData;
  return kOk;
}

// Whole record, piece by piece.
std::uint8_t TransferRecord(std::uint8_t command, std::uint8_t n, std::uint8_t set, bool write) {
  UssSlot& slot = UssSlotAt(n);
  auto scratch = UssScratch();
  slot.record_size = model::RecordSize(slot.parameter);
  if (slot.record_size == 0) return kSoftwareError;
  slot.index = 0;
  slot.record_received = 0;
  while (slot.index < slot.record_size) {
    std::uint16_t done = 0;
    if (write) {
      slot.request_data = scratch;
      if (SwapElementBytes(kToTelegram, 1, slot.parameter, slot.index, set, slot) != kOk) return kSoftwareError;
      if (slot.piece_length == 0) return kSoftwareError;
      if (const std::uint8_t code = UssCommand(command, n); code != kOk) return code;
      done = slot.piece_length;
    } else {
      if (MeasureRecordReply(slot) == 0) return kSoftwareError;
      slot.reply_data = scratch;
      slot.received = 0;
      if (const std::uint8_t code = UssCommand(command, n); code != kOk) return code;
      if (SwapElementBytes(kToDataSet, 1, slot.parameter, slot.index, set, slot, &done) != kOk) {
        return kSoftwareError;
      }
      // A short last piece is where an older firmware's record ends: the rest keeps its values. A short
      // piece in the middle goes on from what arrived, so that no element is skipped.
      if (std::uint32_t{slot.index} + slot.piece_length >= slot.record_size) {
        slot.record_received = static_cast<std::uint16_t>(std::min<std::uint32_t>(
            std::uint32_t{slot.index} + done, slot.record_size));
        return kOk;
      }
      if (done == 0) return kSoftwareError;
    }
    slot.index = static_cast<std::uint16_t>(slot.index + done);
  }
  slot.record_received = slot.record_size;
  return kOk;
}

// Raw copies of n one-byte elements of record 306.
bool ReadBytes(std::uint16_t offset, std::uint8_t* out, std::size_t n, std::uint8_t set) {
  for (std::size_t i = 0; i < n; ++i) {
    if (model::ReadElement(kRemoteRecord, static_cast<std::uint16_t>(offset + i), out + i, model::kModeRaw9, set) != 0)
      return false;
  }
  return true;
}

bool WriteBytes(std::uint16_t offset, const std::uint8_t* in, std::size_t n, std::uint8_t set) {
  for (std::size_t i = 0; i < n; ++i) {
    if (model::WriteElement(kRemoteRecord, static_cast<std::uint16_t>(offset + i), in + i, model::kModeRaw9, set) != 0)
      return false;
  }
  return true;
}

}  // namespace

std::uint8_t CallService(std::uint8_t command, std::uint8_t n, std::uint8_t set) {
  if (set > model::LastDataSetIndex()) return kSoftwareError;
  if (command != 4 && command != 5) return UssCommand(command, n);
  if (n >= kUssSlots) return kSoftwareError;
  UssSlot& slot = UssSlotAt(n);
  auto scratch = UssScratch();
  switch (slot.service) {
    case 1:
    case 4: {
      std::uint16_t size = 0;
      if (const std::uint8_t code = ElementSizeFor(slot, &size); code != kOk) return code;
      slot.data_length = size;
      slot.reply_data = scratch;
      if (const std::uint8_t code = UssCommand(command, n); code != kOk) return code;
      return SwapElementBytes(kToDataSet, 2, slot.parameter, slot.index, set, slot);
    }
    case 2:
    case 5: {
      std::uint16_t size = 0;
      if (const std::uint8_t code = ElementSizeFor(slot, &size); code != kOk) return code;
      slot.data_length = size;
      slot.request_data = scratch;
      if (SwapElementBytes(kToTelegram, 2, slot.parameter, slot.index, set, slot) != kOk) return kSoftwareError;
      return UssCommand(command, n);
    }
    case 3:
      return UssCommand(command, n);
    case 6:
      return TransferRecord(command, n, set, false);
    case 7:
      return TransferRecord(command, n, set, true);
    case 8: {
      std::array<std::uint8_t, kBlock> out{};
      if (!ReadBytes(kRemoteSendOffset, out.data(), kBlock, set)) return kSoftwareError;
      std::copy(out.begin(), out.end(), scratch.begin());
      slot.request_data = scratch;
      slot.reply_data = scratch;
      slot.data_length = kBlock;
      if (const std::uint8_t code = UssCommand(command, n); code != kOk) return code;
      return WriteBytes(kRemoteReplyOffset, scratch.data(), kBlock, set) ? kOk : kSoftwareError;
    }
    case 10:
    case 11: {
      // The memory address (and for service 11 the value) go out high byte first.
      UssSlot element = slot;
      element.request_data = scratch;
      element.parameter = kRemoteRecord;
      element.index = kMemoryAddressOffset;
      std::uint16_t size = 0;
      if (ElementSizeFor(element, &size) != kOk || size != 4 ||
          SwapElementBytes(kToTelegram, 2, kRemoteRecord, kMemoryAddressOffset, set, element) != kOk) {
        return kSoftwareError;
      }
      if (slot.service == 11) {
        element.request_data = scratch.subspan(4);
        element.index = kMemoryValueOffset;
        if (ElementSizeFor(element, &size) != kOk || size != 4 ||
            SwapElementBytes(kToTelegram, 2, kRemoteRecord, kMemoryValueOffset, set, element) != kOk) {
          return kSoftwareError;
        }
      }
      slot.request_data = scratch;
      slot.reply_data = scratch;
      slot.data_length = slot.service == 10 ? 4 : 8;
      if (const std::uint8_t code = UssCommand(command, n); code != kOk) return code;
      if (slot.service == 11) return kOk;
      UssSlot back = slot;
      back.data_length = 4;
      return SwapElementBytes(kToDataSet, 2, kRemoteRecord, kMemoryValueOffset, set, back);
    }
    default:
      return kSoftwareError;
  }
}

}  // namespace ilink
