// What the transfer modes share: their faults and questions, and the steps that finish a read set.
#include "app/documents/file_titles.h"
#include "app/online/transfer_dialog.h"
#include "app/online/transfer_steps.h"
#include "link/link_status.h"
#include "model/data_set.h"
#include "model/derived_elements.h"
#include "model/element_access.h"
#include "model/layout_upgrade.h"
#include "model/message_presenter.h"
#include "model/message_show.h"
#include "model/message_text.h"
#include "model/project_file.h"

namespace app::transfer {
namespace {

constexpr std::int32_t kMsgInterrupted = 24;
constexpr std::int8_t kInformationGroup = 7;  // 2.24 "Interruption of the serial communication"
constexpr std::uint8_t kConversionFailed = 3;  // 11.3: the data could not be compiled
constexpr std::size_t kCommentBytes = 512;

}  // namespace

std::uint8_t Report(std::int8_t group, std::uint8_t code) {
  if (group == kLinkGroup && code == ilink::kCancelled) return ReportCancelled();
  model::ShowMessage(model::kShowFault, group, code);
  return code == kOutcomeDone ? kOutcomeRefused : code;
}

bool Ask(std::int8_t group, std::uint8_t number) {
  return model::ShowMessage(model::kShowQuestion, group, number) == model::kQuestionYes;
}

std::uint8_t ReportCancelled() {
  const std::uint8_t mode = RunningMode();
  if (mode != kTransferWriteBox && mode != kTransferSendInverter) {
    model::ShowMessage(model::kShowFault, kDeviceGroup, kMsgInterrupted);
    return kOutcomeCancelled;
  }
  const bool box = mode == kTransferWriteBox;
  model::ActiveMessagePresenter().ShowMessageBox(
      model::MessageOwner(),
      box ? "Writing was cancelled before anything was written:\nthe Quellox holds its former data."
          : "Sending was cancelled before anything was written:\nthe inverter holds its former data.",
      model::BuildMessageTitle(kInformationGroup, false), model::MessageBoxKind::kInformation);
  return kOutcomeCancelled;
}

void CopyCommentElement(std::uint16_t from, std::uint16_t to, bool default_value, std::uint8_t write_mode,
                        std::uint8_t set) {
  char text[kCommentBytes] = {};
  const std::uint8_t read = default_value ? model::ReadDefaultElement(15, from, text, model::kModeRaw, set)
                                          : model::ReadElement(15, from, text, model::kModeRaw, set);
  if (read == 0) model::WriteElement(317, to, text, write_mode, set);
}

std::uint8_t TakeFileKind(std::uint16_t kind, std::uint8_t set) {
  if (model::GetFileTypeCode(set) != kind && model::ConvertToProjectType(kind, set) != kind) {
    return Report(kConversionGroup, kConversionFailed);
  }
  UpdateFileTitles();
  return kOutcomeDone;
}

std::uint8_t UpgradeReadSet(std::uint8_t set, bool rebuild) {
  if (const std::uint8_t code = model::UpgradeDataSetLayout(set, model::kCurrentLayoutLetter); code != 0) {
    return Report(kConversionGroup, code);
  }
  if (rebuild) {
    if (const std::uint8_t code = model::RebuildDerivedElements(set); code != 0) return Report(kConversionGroup, code);
  }
  return kOutcomeDone;
}

}  // namespace app::transfer
