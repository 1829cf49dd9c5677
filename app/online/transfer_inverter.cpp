// The inverter modes of the transfer: reading a set from the inverter, sending the active set to it (with the
// master-enable sequence of a running drive) and reading the scope recording.
#include <vector>

#include "app/common/shell_state.h"
#include "app/documents/file_slots.h"
#include "app/online/transfer_dialog.h"
#include "app/online/transfer_steps.h"
#include "link/link_status.h"
#include "link/online_services.h"
#include "link/stop_watch.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "model/layout_upgrade.h"
#include "platform/sys/clock.h"

namespace app::transfer {
namespace {

constexpr std::uint8_t kIdentityKind = 1;
constexpr std::uint8_t kSendKind = 2;
constexpr std::uint8_t kScopeKind = 6;
constexpr std::uint8_t kOlderSoftware = 7;
constexpr std::uint8_t kNewerSoftware = 8;
constexpr std::uint8_t kNewerThanProgram = 12;
constexpr std::uint8_t kMsgDriveEnabled = 3;     // 2.3: the state allows no sending, switch Enable off
constexpr std::uint8_t kMsgDisableDrive = 15;    // 2.15: should the tool switch master enable off?
constexpr std::uint8_t kMsgEnableAgain = 16;     // 2.16: switch master enable on again?
constexpr std::uint8_t kMasterEnableLetter = 'M';
constexpr DWORD kStatePollMs = 100;

struct Element {
  std::uint16_t record;
  std::uint16_t element;
};
constexpr Element kVersionLetter{4, 0};
constexpr Element kDeviceState{33, 67};
constexpr Element kMasterEnable{52, 112};

std::uint8_t RawByte(Element e, std::uint8_t set) {
  std::uint8_t value = 0;
  model::ReadElement(e.record, e.element, &value, model::kModeRaw, set);
  return value;
}

bool PutRawByte(Element e, std::uint8_t value, std::uint8_t set) {
  return model::WriteElement(e.record, e.element, &value, model::kModeRaw, set) == 0;
}

bool DriveEnabled(std::uint8_t state) { return state == 3 || state == 4 || state == 7; }

std::uint8_t ReadOnline(Element e, std::uint8_t set) { return ilink::ReadParameterOnline(set, e.record, e.element); }

// Closes the link after a transfer that opened it; a failed close is shown and ends a transfer that had succeeded.
std::uint8_t Disconnect(std::uint8_t outcome, std::uint8_t set) {
  const std::uint8_t code = ilink::DisconnectInverter(set);
  if (code == ilink::kOk) return outcome;
  const std::uint8_t shown = Report(kLinkGroup, code);
  return outcome == kOutcomeDone ? shown : outcome;
}

std::uint8_t ReadConnected(std::uint8_t set) {
  if (const std::uint8_t code = ilink::TransferParameterSet(kIdentityKind, set); code != ilink::kOk) {
    return Report(kLinkGroup, code);
  }
  const std::uint8_t identity = ilink::CheckInverterIdentity(kIdentityKind, set);
  if (identity == kOlderSoftware || identity == kNewerSoftware) {
    if (!Ask(kDeviceGroup, identity)) return identity;
  } else if (identity != 0) {
    return Report(kDeviceGroup, identity);
  }
  if (const std::uint8_t code = ilink::ReadFullParameterList(set); code != ilink::kOk) return Report(kLinkGroup, code);
  if (const std::uint8_t code = TakeFileKind(kKindReverseDoc, set); code != kOutcomeDone) return code;
  if (const std::uint8_t code = UpgradeReadSet(set, true); code != kOutcomeDone) return code;
  model::ClearChangeList0(set);
  CopyCommentElement(38, 81, true, model::kModeConverted, set);
  CopyCommentElement(4, 0, true, model::kModeConverted, set);
  return kOutcomeDone;
}

// Waits, reading the state online, until the drive has left its enabled states; the outcome of a failed read,
// or of the time limit (shown) ends the transfer. Master enable is off by then: no Cancel.
std::uint8_t WaitForDisabledDrive(std::uint8_t set) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (ReadOnline(kDeviceState, set) != ilink::kOk) return kOutcomeDriveEnabled;
    if (!DriveEnabled(RawByte(kDeviceState, set))) return kOutcomeDone;
    if (GetTickCount() - start >= DriveDisableWaitLimit()) {
      Report(kDeviceGroup, kMsgDriveEnabled);
      return kOutcomeDriveEnabled;
    }
    ilink::DelayMs(kStatePollMs, ilink::kPumpMessages);
  }
}

// A drive of a firmware with master enable that is running: asks to switch it off, and waits until it stops.
std::uint8_t StopRunningDrive(std::uint8_t set) {
  if (RawByte(kVersionLetter, set) < kMasterEnableLetter || !DriveEnabled(RawByte(kDeviceState, set))) {
    return kOutcomeDone;
  }
  if (!Ask(kDeviceGroup, kMsgDisableDrive)) {
    if (ReadOnline(kDeviceState, set) != ilink::kOk || DriveEnabled(RawByte(kDeviceState, set))) {
      return kOutcomeDriveEnabled;
    }
    return kOutcomeDone;
  }
  if (!BeginDeviceWrite()) return ReportCancelled();
  PutRawByte(kMasterEnable, 0, set);
  if (const std::uint8_t code = ilink::WriteParameterOnline(set, kMasterEnable.record, kMasterEnable.element);
      code != ilink::kOk) {
    return Report(kLinkGroup, code);
  }
  return WaitForDisabledDrive(set);
}

// After the send: master enable back on when the user agrees.
std::uint8_t OfferMasterEnable(std::uint8_t set) {
  if (const std::uint8_t code = ReadOnline(kVersionLetter, set); code != ilink::kOk) return Report(kLinkGroup, code);
  if (RawByte(kVersionLetter, set) < kMasterEnableLetter) return kOutcomeDone;
  if (const std::uint8_t code = ReadOnline(kMasterEnable, set); code != ilink::kOk) return Report(kLinkGroup, code);
  if (RawByte(kMasterEnable, set) == 1 || !Ask(kDeviceGroup, kMsgEnableAgain)) return kOutcomeDone;
  PutRawByte(kMasterEnable, 1, set);
  if (const std::uint8_t code = ilink::WriteParameterOnline(set, kMasterEnable.record, kMasterEnable.element);
      code != ilink::kOk) {
    return Report(kLinkGroup, code);
  }
  return kOutcomeDone;
}

// The identity codes that forbid sending and those that ask first.
bool SendingRefused(std::uint8_t code) { return (code >= 1 && code <= 9) || code == 14 || code == 17; }

std::uint8_t SendConnected(std::uint8_t set) {
  if (model::GetFileTypeCode(set) == kKindReverseDoc) {
    // The read device's identity becomes the target the send is checked against.
    std::vector<std::uint8_t> identity(model::RecordSize(5));
    if (model::ReadRecord(5, identity.data(), model::kModeRaw, set) == 0) {
      model::WriteRecord(304, identity.data(), model::kModeRaw, set);
    }
  }
  if (const std::uint8_t code = ilink::TransferParameterSet(kSendKind, set); code != ilink::kOk) {
    return Report(kLinkGroup, code);
  }
  const std::uint8_t identity = ilink::CheckInverterIdentity(kSendKind, set);
  if (SendingRefused(identity)) return Report(kDeviceGroup, identity);
  if (identity != 0 && !Ask(kDeviceGroup, identity)) return identity;
  model::ClearElementForOldVersions(set);
  const std::uint8_t clamp = identity == kNewerThanProgram ? model::kClampNothing : model::kClampByLayoutLetter;
  if (const std::uint8_t code = model::ClampDataSetToVariant(set, clamp); code != 0) {
    return Report(kConversionGroup, code);
  }
  if (CancelRequested()) return ReportCancelled();
  if (const std::uint8_t code = StopRunningDrive(set); code != kOutcomeDone) return code;
  // From here the inverter is written: no Cancel until it has all (or a link fault ends it).
  if (!BeginDeviceWrite()) return ReportCancelled();
  if (const std::uint8_t code = ilink::WriteFullParameterList(set); code != ilink::kOk) {
    return Report(kLinkGroup, code);
  }
  return OfferMasterEnable(set);
}

}  // namespace

std::uint8_t ReadInverter(std::uint8_t set) {
  if (const std::uint8_t code = ilink::ConnectInverter(0); code != ilink::kOk) return Report(kLinkGroup, code);
  return Disconnect(ReadConnected(set), set);
}

std::uint8_t SendInverter(std::uint8_t set) {
  if (const std::uint8_t code = ilink::ConnectInverter(0); code != ilink::kOk) return Report(kLinkGroup, code);
  return Disconnect(SendConnected(set), set);
}

// On failure the link stays open: the scope control window that runs this mode holds it.
std::uint8_t ReadScope(std::uint8_t set) {
  if (const std::uint8_t code = ilink::ConnectInverter(0); code != ilink::kOk) return Report(kLinkGroup, code);
  if (const std::uint8_t code = ilink::TransferParameterSet(kScopeKind, set); code != ilink::kOk) {
    return Report(kLinkGroup, code);
  }
  const std::uint8_t identity = ilink::CheckInverterIdentity(kScopeKind, set);
  if (identity >= 1 && identity <= 9) return Report(kDeviceGroup, identity);
  if (identity >= 10 && !Ask(kDeviceGroup, identity)) return identity;
  if (const std::uint8_t code = ilink::ReadTransferSelection(set); code != ilink::kOk) return Report(kLinkGroup, code);
  if (const std::uint8_t code = TakeFileKind(kKindReverseDoc, set); code != kOutcomeDone) return code;
  Shell().comment_unread = false;
  if (const std::uint8_t code = UpgradeReadSet(set, true); code != kOutcomeDone) return code;
  return Disconnect(kOutcomeDone, set);
}

}  // namespace app::transfer
