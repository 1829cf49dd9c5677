// The Quellox modes of the transfer: reading the box into the active set and writing the set into the box.
#include "app/online/transfer_steps.h"

#include "app/documents/file_slots.h"
#include "link/parambox.h"
#include "link/parambox_codes.h"
#include "model/data_set.h"
#include "model/derived_elements.h"
#include "model/device_identity.h"
#include "model/element_access.h"
#include "model/layout_upgrade.h"
#include "model/message_show.h"
#include "platform/win/win.h"

namespace app::transfer {
namespace {

constexpr std::uint8_t kHeadForReading = 1;
constexpr std::uint8_t kHeadForWriting = 0;
constexpr std::uint8_t kParameterRecords = 0;
constexpr std::uint8_t kTargetLetter = 0;  // WriteParameterBox: the target's letter decides the format
constexpr std::uint8_t kCurrentFormat = 2;
// The message that answers a family the box does not serve (there is no text of its own in group 3).
constexpr std::int32_t kMsgNotImplemented = 11;

// "Not found" names the box at the drive as a place to look, which only some systems' users can do: elsewhere it
// becomes the plain "not found at this interface".
std::uint8_t BoxFault(std::uint8_t code) {
  const std::uint8_t system = static_cast<std::uint8_t>(GetVersion() >> 24);
  if (code == ilink::kBoxNotFound && system != 6 && system != 7) code = ilink::kBoxNotFoundHere;
  if (code == ilink::kBoxFamilyNotServed) {
    model::ShowMessage(model::kShowFault, kFaultGroup, kMsgNotImplemented);
    return code;
  }
  return Report(kBoxFaultGroup, code);
}

bool ReadQuestion(std::uint8_t code) { return code >= 13 && code <= 17; }

}  // namespace

std::uint8_t ReadBox(std::uint8_t set) {
  if (const std::uint8_t code = ilink::ReadParameterBox(set); code != ilink::kBoxOk) return BoxFault(code);
  std::uint8_t project_data = 0;
  const std::uint8_t head = ilink::CheckParameterBoxHead(kHeadForReading, &project_data, set);
  if (head == ilink::kBoxWarnReadOldFormat) return Report(kBoxWarningGroup, head);
  if (ReadQuestion(head)) {
    if (!Ask(kBoxWarningGroup, head)) return head;
  } else if (head != ilink::kBoxWarnNone) {
    return Report(kBoxWarningGroup, head);
  }
  if (CancelRequested()) return ReportCancelled();
  if (const std::uint8_t code = ilink::ReadParameterBoxPart(set, kParameterRecords); code != ilink::kBoxOk) {
    return BoxFault(code);
  }
  const std::uint16_t kind = project_data ? kKindProject : kKindReverseDoc;
  if (const std::uint8_t code = TakeFileKind(kind, set); code != kOutcomeDone) return code;
  if (const std::uint8_t code = UpgradeReadSet(set, kind == kKindReverseDoc); code != kOutcomeDone) return code;
  if (kind == kKindReverseDoc) {
    CopyCommentElement(38, 81, true, model::kModeRaw, set);
    CopyCommentElement(4, 0, true, model::kModeRaw, set);
  }
  model::ClearChangeList0(set);
  CopyCommentElement(38, 81, false, model::kModeConverted, set);
  return kOutcomeDone;
}

std::uint8_t WriteBox(std::uint8_t set) {
  const std::uint8_t family = model::GetDeviceFamily(set);
  if (family == 2) return BoxFault(ilink::kBoxFamilyNotServed);
  const std::uint8_t read = ilink::ReadParameterBox(set);
  if (read != ilink::kBoxOk && read != ilink::kBoxInvalidData && read != ilink::kBoxListTooLarge) {
    return BoxFault(read);
  }
  const std::uint8_t head = ilink::CheckParameterBoxHead(kHeadForWriting, nullptr, set);
  if (head == ilink::kBoxUndefinedFormat) return Report(kBoxFaultGroup, head);
  if (head == ilink::kBoxWarnDataSet) return Report(kBoxWarningGroup, head);
  if (head != ilink::kBoxWarnNone && !Ask(kBoxWarningGroup, head)) return head;
  // The data set is made ready before the box is touched: a fault here leaves the box as it was.
  if (family != 3) {
    std::uint8_t value = 0;
    if (model::ReadElement(55, 4, &value, model::kModeRaw, set) == 0 && value > 1) {
      value = 1;
      model::WriteElement(55, 4, &value, model::kModeRaw, set);
    }
  }
  if (const std::uint8_t code = model::ClampDataSetToVariant(set, model::kClampByFirmware); code != 0) {
    return Report(kConversionGroup, code);
  }
  // From here the box is written (re-formatted first when asked): no Cancel until it holds the whole set.
  if (!BeginDeviceWrite()) return ReportCancelled();
  if (head == ilink::kBoxWarnOldFormat) {
    if (const std::uint8_t code = ilink::SetParameterBoxFormat(kCurrentFormat); code != ilink::kBoxOk) {
      return BoxFault(code);
    }
  }
  if (const std::uint8_t code = ilink::WriteParameterBox(set, kTargetLetter); code != ilink::kBoxOk) {
    return BoxFault(code);
  }
  return kOutcomeDone;
}

}  // namespace app::transfer
