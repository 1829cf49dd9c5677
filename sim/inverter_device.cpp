#include "sim/inverter_device.h"

#include <algorithm>

#include "model/data_set.h"
#include "model/motor_rows.h"
#include "model/record_layout.h"
#include "model/record_versions.h"

namespace sim {
namespace {

constexpr std::uint16_t kMaxPiece = 244;  // a piece stays below this
constexpr std::uint16_t kActionRecord = 13;
constexpr std::uint16_t kStateRecord = 33;
constexpr std::uint16_t kActionResultElement = 66;
constexpr std::uint16_t kDeviceStateElement = 67;
constexpr std::uint16_t kOldResultRecord = 12;  // firmware below '@' reports action results here
constexpr std::uint16_t kOldResultElement = 51;
constexpr std::uint16_t kMasterEnableRecord = 52;
constexpr std::uint16_t kMasterEnableElement = 112;
constexpr std::uint16_t kOperationRecord = 55;   // element 6: operation input
constexpr std::uint16_t kEnableRecord = 36;      // element 9: enable input
constexpr std::uint16_t kMotorRecord1 = 42;
constexpr std::uint16_t kMotorRecord2 = 43;

std::uint16_t Word(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] << 8 | p[1]); }

void PushWord(std::vector<std::uint8_t>& v, std::uint16_t w) {
  v.push_back(static_cast<std::uint8_t>(w >> 8));
  v.push_back(static_cast<std::uint8_t>(w));
}

// Byte order on the line: 16- and 32-bit numbers high byte first, all else as stored.
std::size_t SwapWidth(std::uint8_t type) {
  switch (type) {
    case 4: case 5: return 2;
    case 6: case 7: case 11: return 4;
    default: return 0;
  }
}

bool Travels(std::uint8_t type) {
  switch (type) {
    case 2: case 3: case 4: case 5: case 6: case 7: case 8: case 9: case 10: case 11: case 14: case 16: return true;
    default: return false;
  }
}

void StoredToLine(const std::uint8_t* stored, std::uint16_t size, std::uint8_t type, std::vector<std::uint8_t>& out) {
  const std::size_t w = SwapWidth(type);
  if (w == 0) {
    out.insert(out.end(), stored, stored + size);
  } else {
    for (std::size_t i = 0; i < w; ++i) out.push_back(stored[w - 1 - i]);
  }
}

void LineToStored(const std::uint8_t* line, std::uint16_t size, std::uint8_t type, std::uint8_t* stored) {
  const std::size_t w = SwapWidth(type);
  if (w == 0) {
    std::copy_n(line, size, stored);
  } else {
    for (std::size_t i = 0; i < w; ++i) stored[i] = line[w - 1 - i];
  }
}

std::vector<std::uint8_t> Status(std::uint8_t status) { return {status}; }

}  // namespace

InverterDevice::InverterDevice(std::uint8_t address, DeviceIdentity identity)
    : address_(address), identity_(identity) {
  WriteNumber(5, 0, identity_.family);
  WriteNumber(5, 1, identity_.device_type);
  WriteNumber(5, 3, identity_.option_board);
  WriteNumber(4, 0, static_cast<std::uint8_t>(identity_.version));
  WriteNumber(4, 1, identity_.version_byte);
  WriteNumber(5, 9, identity_.positioning);
  SetSeed(1);
  WriteNumber(kStateRecord, 59, static_cast<std::uint8_t>(RecorderState::kInactive));
  set_device_state(kStateReady);
}

std::uint16_t InverterDevice::ServedBytes(std::uint16_t record) const {
  if (const auto it = served_bytes_.find(record); it != served_bytes_.end()) return it->second;
  return model::RecordElementCountForFamily(record, static_cast<std::uint8_t>(identity_.version), identity_.family);
}

bool InverterDevice::Serves(std::uint16_t record) const {
  if (served_bytes_.count(record) != 0) return true;
  return model::RecordExistsForFamily(record, static_cast<std::uint8_t>(identity_.version), identity_.family) != 0;
}

void InverterDevice::SetActionBehaviour(std::uint16_t n, std::uint16_t polls, std::uint8_t result) {
  action_behaviours_[n] = ActionBehaviour{polls, result};
}

void InverterDevice::RefuseAction(std::uint16_t n, bool refuse) { refused_actions_[n] = refuse; }

std::uint8_t InverterDevice::operation_input() {
  return static_cast<std::uint8_t>(ReadNumber(kOperationRecord, 6));
}

std::vector<std::uint8_t>* InverterDevice::Record(std::uint16_t record) {
  if (auto it = records_.find(record); it != records_.end()) return &it->second;
  const std::uint16_t size = model::RecordSize(record);
  if (size == 0) return nullptr;
  std::vector<std::uint8_t> image(size, 0);
  if (const std::uint8_t* defaults = model::RecordDefaultImage(record)) std::copy_n(defaults, size, image.begin());
  if (record == kMotorRecord1 || record == kMotorRecord2) {
    // The motor records hold the device type's default motor, as a drive leaves the factory.
    const std::uint8_t row = model::MotorRowForDefaults(model::DefaultMotorOfDeviceType(identity_.device_type), 'E');
    if (const std::uint8_t* motor = model::BuiltInMotorRow(row))
      std::copy_n(motor, std::min<std::size_t>(size, model::kMotorRowSize), image.begin());
  }
  return &records_.emplace(record, std::move(image)).first->second;
}

bool InverterDevice::ReadStored(std::uint16_t record, std::uint16_t element, std::span<std::uint8_t> out) {
  auto* r = Record(record);
  if (!r || element + out.size() > r->size()) return false;
  std::copy_n(r->begin() + element, out.size(), out.begin());
  return true;
}

bool InverterDevice::WriteStored(std::uint16_t record, std::uint16_t element, std::span<const std::uint8_t> in) {
  auto* r = Record(record);
  if (!r || element + in.size() > r->size()) return false;
  std::copy(in.begin(), in.end(), r->begin() + element);
  return true;
}

std::uint32_t InverterDevice::ReadNumber(std::uint16_t record, std::uint16_t element) {
  const std::uint8_t type = model::GetElementType(record, element);
  const std::uint16_t size = std::min<std::uint16_t>(model::ElementTypeSize(type), 4);
  std::uint8_t b[4] = {};
  if (type == 255 || !ReadStored(record, element, std::span(b, size))) return 0;
  return std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 | std::uint32_t{b[3]} << 24;
}

bool InverterDevice::WriteNumber(std::uint16_t record, std::uint16_t element, std::uint32_t value) {
  const std::uint8_t type = model::GetElementType(record, element);
  const std::uint16_t size = std::min<std::uint16_t>(model::ElementTypeSize(type), 4);
  const std::uint8_t b[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                             static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
  return type != 255 && size > 0 && WriteStored(record, element, std::span(b, size));
}

void InverterDevice::SetElementError(std::uint16_t record, std::uint16_t element, std::uint8_t status) {
  if (status == 0) {
    element_errors_.erase({record, element});
  } else {
    element_errors_[{record, element}] = status;
  }
}

void InverterDevice::SetServedBytes(std::uint16_t record, std::uint16_t bytes) { served_bytes_[record] = bytes; }

void InverterDevice::SetActionBehaviour(std::uint16_t polls, std::uint8_t result) {
  general_behaviour_set_ = true;
  action_polls_ = polls;
  action_result_ = result;
}

std::uint32_t InverterDevice::memory(std::uint32_t address) const {
  const auto it = memory_.find(address);
  return it == memory_.end() ? 0 : it->second;
}

std::uint8_t InverterDevice::CheckElement(std::uint16_t record, std::uint16_t element, std::uint16_t* size,
                                          std::uint8_t* type) {
  if (const auto it = element_errors_.find({record, element}); it != element_errors_.end()) return it->second;
  *type = model::GetElementType(record, element);
  if (*type == 255 || !Record(record) || !Serves(record)) return kStatusUnknownParameter;
  *size = model::ElementTypeSize(*type);
  if (element + *size > ServedBytes(record)) return kStatusUnknownParameter;  // beyond this firmware's record
  if (!Travels(*type) || *size == 0 || *size >= kMaxPiece + 1) return kStatusUnknownParameter;
  return kStatusOk;
}

void InverterDevice::set_device_state(std::uint8_t state) {
  device_state_ = state;
  WriteNumber(kStateRecord, kDeviceStateElement, state);
}

void InverterDevice::TakeControl(std::uint16_t word, std::uint8_t flags) {
  control_word_ = word;
  control_flags_ = flags;
  control_seen_ = true;
  WriteNumber(kMasterEnableRecord, 60, word);  // E45 control word
  UpdateDrive();
}

// The operation input may not change while the enable input is on.
// An action that this state refuses does not start.
bool InverterDevice::RefusesWrite(std::uint16_t record, std::uint16_t element, const std::uint8_t* stored) {
  if (record == kOperationRecord && element == 6) return ReadNumber(kEnableRecord, 9) == 1;
  if (record == kActionRecord && stored[0] == 1) {
    const auto it = refused_actions_.find(element);
    return it != refused_actions_.end() && it->second;
  }
  return false;
}

void InverterDevice::AfterWrite(std::uint16_t record, std::uint16_t element) {
  if (record == kActionRecord && ReadNumber(record, element) == 1) StartAction(element);
  if (record == kOperationRecord && element == 6 && operation_input() != last_operation_input_) {
    last_operation_input_ = operation_input();
    control_seen_ = false;  // a new control source: its first control telegram counts from now
    Emit("operation input " + std::to_string(last_operation_input_));
    UpdateDrive();
  }
  if (record == kMasterEnableRecord && element == kMasterEnableElement && live_) {
    Emit(ReadNumber(record, element) == 0 ? "master enable off" : "master enable on");
    UpdateDrive();
    return;
  }
  if (record == kMasterEnableRecord && element == kMasterEnableElement && ReadNumber(record, element) == 0 &&
      Enabled()) {
    master_enable_countdown_ = master_enable_reads_;
    if (master_enable_countdown_ == 0) {
      master_enable_countdown_ = -1;
      set_device_state(2);
    }
  }
}

void InverterDevice::StartPolledAction(std::uint16_t n) {
  ActionBehaviour b{action_polls_, action_result_};
  if (const auto it = action_behaviours_.find(n); it != action_behaviours_.end()) b = it->second;
  running_actions_[n] = b.polls;
  action_results_[n] = b.result;
}

bool InverterDevice::Enabled() const { return device_state_ == 3 || device_state_ == 4 || device_state_ == 7; }

void InverterDevice::BeforeRead(std::uint16_t record, std::uint16_t element) {
  if (record == kStateRecord && element == kDeviceStateElement && master_enable_countdown_ > 0) {
    if (--master_enable_countdown_ == 0) {
      master_enable_countdown_ = -1;
      set_device_state(2);
    }
  }
  if (record != kActionRecord) return;
  const auto it = running_actions_.find(element);
  if (it == running_actions_.end()) return;
  if (it->second > 0) {
    --it->second;
    return;
  }
  running_actions_.erase(it);
  WriteNumber(kActionRecord, element, 0);
  const std::uint8_t result = action_results_[element];
  if (identity_.version < '@') {
    old_result_ = result;
  } else {
    WriteNumber(kStateRecord, kActionResultElement, result);
  }
}

std::vector<std::uint8_t> InverterDevice::Serve(std::span<const std::uint8_t> q) {
  if (q.empty()) return Status(kStatusUnknownService);
  const std::uint8_t service = q[0];
  const std::uint8_t* p = q.data() + 1;
  const std::size_t n = q.size() - 1;
  std::vector<std::uint8_t> reply;
  switch (service) {
    case 1:
    case 2: {
      if (n < 7) return Status(kStatusUnknownService);
      const std::uint16_t record = Word(p + 3);
      const std::uint16_t element = Word(p + 5);
      std::uint16_t size = 0;
      std::uint8_t type = 0;
      if (const std::uint8_t s = CheckElement(record, element, &size, &type); s != kStatusOk) return Status(s);
      if (service == 2) {
        if (n != 7u + size) return Status(kStatusUnknownService);
        std::vector<std::uint8_t> stored(size);
        LineToStored(p + 7, size, type, stored.data());
        if (RefusesWrite(record, element, stored.data())) return Status(kStatusNotInThisState);
        WriteStored(record, element, stored);
        AfterWrite(record, element);
      }
      TakeControl(Word(p), p[2]);
      reply = {kStatusOk};
      PushWord(reply, status_word_);
      reply.push_back(device_state_);
      if (service == 1) {
        BeforeRead(record, element);
        std::vector<std::uint8_t> stored(size);
        ReadStored(record, element, stored);
        StoredToLine(stored.data(), size, type, reply);
      }
      return reply;
    }
    case 3:
      if (n != 3) return Status(kStatusUnknownService);
      TakeControl(Word(p), p[2]);
      reply = {kStatusOk};
      PushWord(reply, status_word_);
      reply.push_back(device_state_);
      return reply;
    case 4:
    case 5: {
      if (n < 4) return Status(kStatusUnknownService);
      const std::uint16_t record = Word(p);
      const std::uint16_t element = Word(p + 2);
      if (service == 4 && record == kOldResultRecord && element == kOldResultElement && identity_.version < '@') {
        return {kStatusOk, old_result_};
      }
      std::uint16_t size = 0;
      std::uint8_t type = 0;
      if (const std::uint8_t s = CheckElement(record, element, &size, &type); s != kStatusOk) return Status(s);
      if (service == 5) {
        if (n != 4u + size) return Status(kStatusUnknownService);
        std::vector<std::uint8_t> stored(size);
        LineToStored(p + 4, size, type, stored.data());
        if (RefusesWrite(record, element, stored.data())) return Status(kStatusNotInThisState);
        WriteStored(record, element, stored);
        AfterWrite(record, element);
        return Status(kStatusOk);
      }
      BeforeRead(record, element);
      reply = {kStatusOk};
      std::vector<std::uint8_t> stored(size);
      ReadStored(record, element, stored);
      StoredToLine(stored.data(), size, type, reply);
      return reply;
    }
    case 6:
    case 7: {
      if (n < 4) return Status(kStatusUnknownService);
      const std::uint16_t record = Word(p);
      std::uint16_t element = Word(p + 2);
      const auto* image = Record(record);
      if (!image || model::GetElementType(record, element) == 255) return Status(kStatusUnknownParameter);
      if (const auto it = element_errors_.find({record, element}); it != element_errors_.end()) {
        return Status(it->second);
      }
      if (!Serves(record)) return Status(kStatusUnknownParameter);
      const std::size_t served = std::min<std::size_t>(ServedBytes(record), image->size());
      if (element >= served) return Status(kStatusUnknownParameter);  // beyond what this firmware has
      const std::uint8_t* in = p + 4;
      std::size_t in_left = n - 4;
      reply = {kStatusOk};
      std::size_t piece = 0;
      while (element < served) {
        const std::uint8_t type = model::GetElementType(record, element);
        const std::uint16_t size = model::ElementTypeSize(type);
        if (type == 255 || size == 0 || piece + size >= kMaxPiece || element + size > served) break;
        if (!Travels(type)) return Status(kStatusUnknownParameter);
        std::vector<std::uint8_t> stored(size);
        if (service == 6) {
          BeforeRead(record, element);
          ReadStored(record, element, stored);
          StoredToLine(stored.data(), size, type, reply);
        } else {
          if (in_left < size) break;
          LineToStored(in, size, type, stored.data());
          WriteStored(record, element, stored);
          AfterWrite(record, element);
          in += size;
          in_left -= size;
        }
        piece += size;
        element = static_cast<std::uint16_t>(element + size);
      }
      return reply;
    }
    case 8:
      if (n != 12 || identity_.version < 'Q') return Status(kStatusUnknownService);
      // The remote-control exchange: the 12 bytes taken, the device's 12 bytes of state back.
      remote_block_.assign(p, p + 12);
      reply = {kStatusOk};
      PushWord(reply, status_word_);
      reply.push_back(device_state_);
      reply.insert(reply.end(), remote_block_.begin() + 3, remote_block_.end());
      return reply;
    case 10:
    case 11: {
      if (n != 9 || (service == 10 && p[0] != 0x30)) return Status(kStatusUnknownService);
      const std::uint32_t address = std::uint32_t{p[1]} << 24 | std::uint32_t{p[2]} << 16 |
                                    std::uint32_t{p[3]} << 8 | p[4];
      if (service == 11) memory_[address] = (memory(address) & ~0xFFu) | p[5];
      const std::uint32_t value = memory(address);
      reply = {kStatusOk, 0x30, 0x00, 0x00, static_cast<std::uint8_t>(value >> 24),
               static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
               static_cast<std::uint8_t>(value), 0x00};
      return reply;
    }
    default:
      return Status(kStatusUnknownService);
  }
}

}  // namespace sim
