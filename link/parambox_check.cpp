// The head checks: whether the box may be overwritten with the set (mode 0), read into it (mode 1), or
// needs re-formatting for the old versions (mode 2). The box's identity is records 5 and 4 as read into the
// set; the target is record 304.
#include "link/parambox.h"
#include "link/parambox_codes.h"
#include "link/parambox_state.h"
#include "model/device_identity.h"
#include "model/element_access.h"

namespace ilink {
namespace {

constexpr std::uint16_t kIdentityRecord = 5;
constexpr std::uint16_t kLetterRecord = 4;
constexpr std::uint16_t kTargetRecord = 304;
constexpr std::uint16_t kFamily = 0, kDeviceType = 1, kOptionBoard = 3, kVersion = 5, kPositioning = 9;
constexpr std::uint8_t kNoBoard = 0, kAnyBoard = 3;

struct Identity {
  std::uint8_t family = 0, type = 0, board = 0, positioning = 0, letter = 0;
};

bool ReadByte(std::uint16_t record, std::uint16_t element, std::uint8_t* value, std::uint8_t set) {
  return model::ReadElement(record, element, value, model::kModeRaw9, set) == 0;
}

bool ReadBoxIdentity(std::uint8_t set, Identity* id) {
  return ReadByte(kIdentityRecord, kFamily, &id->family, set) &&
         ReadByte(kIdentityRecord, kDeviceType, &id->type, set) &&
         ReadByte(kIdentityRecord, kOptionBoard, &id->board, set) &&
         ReadByte(kIdentityRecord, kPositioning, &id->positioning, set) &&
         ReadByte(kLetterRecord, 0, &id->letter, set);
}

bool ReadTarget(std::uint8_t set, Identity* id) {
  return ReadByte(kTargetRecord, kFamily, &id->family, set) &&
         ReadByte(kTargetRecord, kDeviceType, &id->type, set) &&
         ReadByte(kTargetRecord, kOptionBoard, &id->board, set) &&
         ReadByte(kTargetRecord, kPositioning, &id->positioning, set) &&
         ReadByte(kTargetRecord, kVersion, &id->letter, set);
}

bool KnownFamily(std::uint8_t family) { return family >= 1 && family <= 3; }

// Device types this program does not write for: beyond the type table and the two reserved runs.
bool ForeignDeviceType(std::uint8_t type) {
  return type >= model::kInverterTypeCount || (type >= 65 && type <= 69) || (type >= 78 && type <= 89);
}

bool BoardsFit(std::uint8_t box, std::uint8_t target) {
  return box == target || (box == kNoBoard && target == kAnyBoard) || (box == kAnyBoard && target == kNoBoard);
}

// The box's layout letter against the window of letters the target's firmware letter writes.
std::uint8_t VersionWindowCheck(std::uint8_t target, std::uint8_t box) {
  std::uint8_t low = 0, high = 0;
  switch (target) {
    case '@': low = high = '@'; break;
    case 'A': low = high = 'A'; break;
    case 'B': low = 'C'; high = 'D'; break;
    case 'C': low = 'E'; high = 'F'; break;
    case 'D': low = 'H'; high = 'I'; break;
    case 'E': low = 'J'; high = 'Q'; break;
    default: return box < 'F' ? kBoxWarnNone : kBoxWarnNewerVersion;
  }
  if (box > high) return kBoxWarnNewerVersion;
  if (box < low) return kBoxWarnOlderVersion;
  return kBoxWarnNone;
}

std::uint8_t CheckBeforeWrite(std::uint8_t set) {
  const BoxState& state = BoxModule();
  Identity box, target;
  if (!ReadBoxIdentity(set, &box) || !ReadTarget(set, &target)) return kBoxWarnDataSet;
  const std::uint8_t format = state.head[0];
  if (format == kBoxFormatPositioning) return kBoxUndefinedFormat;  // shown as fault 12 of group 3
  if (format != kBoxFormatCurrent) return kBoxWarnOldFormat;
  if (state.written_by_tool) return kBoxWarnWrittenByTool;
  if (state.head[kBoxValidAt] != kBoxValidMark) return kBoxWarnInvalid;
  if (!KnownFamily(box.family) || ForeignDeviceType(box.type)) return kBoxWarnUnknownDevice;
  if (box.type != target.type) return kBoxWarnOtherType;
  if (box.family == 3 && target.positioning != 0 && box.positioning == 0) return kBoxWarnNoPositioning;
  if (!BoardsFit(box.board, target.board)) return kBoxWarnOptionsDiffer;
  return VersionWindowCheck(target.letter, box.letter);
}

std::uint8_t CheckBeforeRead(std::uint8_t set) {
  const BoxState& state = BoxModule();
  std::uint8_t letter = 0;
  if (!ReadByte(kLetterRecord, 0, &letter, set)) return kBoxWarnDataSet;
  if (letter >= 'J') {
    for (std::uint16_t record = 341; record <= 345; ++record) {
      const std::uint64_t zero = 0;  // wide enough for any number element
      if (model::WriteElement(record, 0, &zero, model::kModeRaw9, set) != 0) return kBoxWarnDataSet;
    }
  }
  const std::uint8_t format = state.head[0];
  if (format == kBoxFormatPositioning) {
    return StoreVersionLetter('Q', set) == kBoxOk ? kBoxWarnPositioningModule : kBoxWarnDataSet;
  }
  if (format != kBoxFormatCurrent) return kBoxWarnReadOldFormat;
  if (state.head[kBoxValidAt] != kBoxValidMark) return kBoxWarnReadInvalid;
  Identity box;
  if (!ReadBoxIdentity(set, &box)) return kBoxWarnDataSet;
  if (!KnownFamily(box.family)) return kBoxWarnReadUnknownFamily;
  if (box.type >= model::kInverterTypeCount) return kBoxWarnReadUnknownType;
  if ((box.family == 1 || box.family == 2) && box.letter < 'P') return kBoxWarnReadOlder;
  if (box.letter >= 'R') return kBoxWarnReadNewer;
  return kBoxWarnNone;
}

}  // namespace

std::uint8_t CheckParameterBoxHead(std::uint8_t mode, std::uint8_t* written_by_tool, std::uint8_t set) {
  if (written_by_tool) *written_by_tool = BoxModule().written_by_tool;
  switch (mode) {
    case 0: return CheckBeforeWrite(set);
    case 1: return CheckBeforeRead(set);
    case 2: return BoxModule().head[0] == kBoxFormatOld ? kBoxWarnAlreadyOld : kBoxWarnNone;
    default: return kBoxWarnNone;
  }
}

}  // namespace ilink
