// Transfer of parameter lists between a data set and the inverter, with weighted progress.
#include <algorithm>
#include <vector>

#include "link/link_settings_record.h"
#include "link/link_status.h"
#include "link/online_state.h"
#include "link/uss_driver.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "model/record_layout.h"
#include "model/record_versions.h"
#include "model/target_version.h"

namespace ilink {
namespace {

using detail::Online;

// Bytes a row moves: its element's size, or the whole record's.
std::uint32_t RowBytes(const TransferListRow& row) {
  if (row.single) {
    const std::uint8_t type = model::GetElementType(row.record, row.element);
    return type == 255 ? 0 : model::ElementTypeSize(type);
  }
  return model::RecordSize(row.record);
}

std::uint32_t RowWeight(const TransferListRow& row) {
  const std::uint32_t n = RowBytes(row);
  if (row.direction == kDirWrite) return 21 * n + 390;
  return row.single ? 18 * n + 360 : 9 * n + 360;
}

// Whether the version of the set serves the row. A single element must lie wholly inside the bytes the
// version serves (an element that starts at the count lies beyond them).
bool VersionServes(const TransferListRow& row, std::uint8_t version, std::uint8_t set) {
  if (!model::RecordExistsForVersion(row.record, version, set)) return false;
  const std::uint32_t count = model::RecordElementCount(row.record, version, set);
  if (!row.single) return count >= row.element;
  return std::uint32_t{row.element} + RowBytes(row) <= count;
}

bool Transfers(const TransferListRow& row) { return row.direction == kDirRead || row.direction == kDirWrite; }

std::uint8_t ServiceOf(const TransferListRow& row) {
  if (row.direction == kDirRead) return row.single ? 4 : 6;
  return row.single ? 5 : 7;
}

std::uint8_t RunKind(std::uint8_t kind, std::uint8_t set) {
  switch (kind) {
    case 1: case 5: return TransferParameterList(set, FixedTransferList(TransferList::kIdentity), 0);
    case 2: return TransferParameterList(set, FixedTransferList(TransferList::kKind2), 0);
    case 3: return TransferParameterList(set, FixedTransferList(TransferList::kKind3), 0);
    case 4: return TransferParameterList(set, FixedTransferList(TransferList::kKind4), 0);
    case 6: return TransferParameterList(set, FixedTransferList(TransferList::kKind6), 0);
    case 7: return TransferParameterList(set, FixedTransferList(TransferList::kKind7), 0);
    default: return kSoftwareError;
  }
}

}  // namespace

std::uint8_t TransferParameterList(std::uint8_t set, std::span<const TransferListRow> list, std::uint8_t mode) {
  if (const std::uint8_t code = detail::PrepareSlot0(set); code != kOk) return code;
  std::uint8_t version = 0;
  if (!detail::ReadVersionLetter(set, &version)) return kSoftwareError;
  auto& m = Online();
  if (mode == 1) {
    m.total_weight = 0;
    m.done_weight = 0;
    for (const TransferListRow& row : list) {
      if (row.record == 0) break;
      if (Transfers(row) && VersionServes(row, version, set)) m.total_weight += RowWeight(row);
    }
  }
  detail::NestingScope scope;
  if (const std::uint8_t code = detail::LogInSlot0(); code != kOk) return code;
  for (const TransferListRow& row : list) {
    if (row.record == 0) break;
    if (Transfers(row) && VersionServes(row, version, set)) {
      if (m.cancel && m.cancel()) return kCancelled;
      UssSlot& slot = UssSlotAt(0);
      slot.service = ServiceOf(row);
      slot.parameter = row.record;
      slot.index = row.single ? row.element : 0;
      if (const std::uint8_t code = CallService(4, 0, set); code != kOk) return code;
      if (mode == 1) {
        m.done_weight += RowWeight(row);
        // A row the version test let through only after the identity was read has no share in the total:
        // the progress stays at 100 and a total of 0 divides nothing.
        const std::uint32_t percent =
            m.total_weight == 0 ? 100 : std::min<std::uint64_t>(100, std::uint64_t{m.done_weight} * 100 / m.total_weight);
        detail::DeliverProgress(static_cast<std::uint8_t>(percent));
      }
    }
    // A list that reads the identity first is checked against the inverter's own version from then on.
    if (!detail::ReadVersionLetter(set, &version)) return kSoftwareError;
  }
  return kOk;
}

std::uint8_t TransferParameterSet(std::uint8_t kind, std::uint8_t set) {
  if (kind == 0 || kind > 7) return kSoftwareError;
  const std::uint8_t code = RunKind(kind, set);
  if (code != kOk) return code;
  if (kind != 2) {
    std::vector<std::uint8_t> identity(model::RecordSize(5));
    if (identity.empty() || model::ReadRecord(5, identity.data(), model::kModeRaw, set) != 0 ||
        model::RecordSize(304) != identity.size() ||
        model::WriteRecord(304, identity.data(), model::kModeRaw, set) != 0 ||
        model::KeepTargetVersionInRange(set) != 0) {
      return kSoftwareError;
    }
  }
  auto& m = Online();
  m.progress = static_cast<std::uint8_t>(std::min(100, m.progress + 10));
  if (m.hook) m.hook(m.progress);
  return kOk;
}

std::uint8_t ReadFullParameterList(std::uint8_t set) {
  return TransferParameterList(set, FixedTransferList(TransferList::kFullRead), 1);
}

std::uint8_t WriteFullParameterList(std::uint8_t set) {
  return TransferParameterList(set, FixedTransferList(TransferList::kFullWrite), 1);
}

std::uint8_t SendScopeSettings(std::uint8_t set) {
  return TransferParameterList(set, FixedTransferList(TransferList::kScopeSettings), 0);
}

std::uint8_t ReadTransferSelection(std::uint8_t set) {
  // The selection is a setting of the program: data set 0; an unreadable one counts as 0.
  std::uint8_t selection = 0;
  if (model::ReadElement(kLinkSettingsRecordNumber, 145, &selection, model::kModeRaw, 0) != 0) selection = 0;
  const TransferList list = selection ? TransferList::kScopeRecording : TransferList::kFullReadWithRecording;
  return TransferParameterList(set, FixedTransferList(list), 1);
}

void SetTransferProgressHook(TransferProgressHook hook) {
  auto& m = Online();
  if (hook) m.hook = std::move(hook);
  m.progress = 0;
  m.last_progress = 0;
}

void ClearTransferProgressHook() { Online().hook = nullptr; }

void SetTransferCancelQuery(TransferCancelQuery query) { Online().cancel = std::move(query); }

std::uint8_t TransferProgress() { return Online().progress; }

namespace {

struct MonitorBytes {
  std::uint16_t record;
  std::uint16_t bytes;
};
// One entry per row of the monitor list (it has three).
std::array<MonitorBytes, 4> g_monitor_bytes{};

}  // namespace

std::uint8_t ReadMonitorParameters(std::uint8_t set) {
  g_monitor_bytes = {};
  if (const std::uint8_t code = detail::PrepareSlot0(set); code != kOk) return code;
  detail::NestingScope scope;
  if (const std::uint8_t code = detail::LogInSlot0WhenNeeded(); code != kOk) return code;
  std::size_t n = 0;
  for (const TransferListRow& row : FixedTransferList(TransferList::kMonitor)) {
    if (row.record == 0 || n >= g_monitor_bytes.size()) break;
    const std::uint8_t service = row.single ? 4 : 6;
    if (const std::uint8_t code = detail::ElementRequest(service, row.record, row.single ? row.element : 0, set);
        code != kOk) {
      return code;
    }
    const std::uint16_t bytes = row.single ? 0 : UssSlotAt(0).record_received;
    g_monitor_bytes[n++] = MonitorBytes{row.record, bytes};
  }
  return kOk;
}

std::uint16_t MonitorRecordBytes(std::uint16_t record) {
  for (const MonitorBytes& entry : g_monitor_bytes) {
    if (entry.record == record && record != 0) return entry.bytes;
  }
  return 0;
}

}  // namespace ilink
