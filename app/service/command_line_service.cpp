// The steps of the service mode's read, send and send_save jobs.
#include "app/service/command_line_service.h"

#include <array>
#include <cstdio>

#include "app/service/service_options.h"
#include "app/service/service_texts.h"
#include "link/link_status.h"
#include "link/online_services.h"
#include "model/data_set.h"
#include "model/derived_elements.h"
#include "model/element_access.h"
#include "model/layout_upgrade.h"
#include "model/project_file.h"
#include "platform/sys/atomic_file.h"

namespace app {
namespace {

constexpr std::uint8_t kSet = 0;
constexpr std::uint8_t kTargetLayout = model::kCurrentLayoutLetter;

struct Outcome {
  std::uint32_t code;
  ServiceTextId text;
};

bool WriteRawByte(std::uint16_t record, std::uint16_t element, std::uint8_t value) {
  return model::WriteElement(record, element, &value, model::kModeRaw, kSet) == 0;
}

// Data set 0 fresh, with the port and bus address of the command line in its link settings.
bool PrepareDataSet(const ServiceRequest& request) {
  if (model::InitDataSet(kSet) != 0 || model::ClearChangeList0(kSet) != 0) return false;
  return WriteRawByte(305, 0, request.port_index) && WriteRawByte(305, 42, request.address);
}

// A reverse documentation carries the date and user of its reading as its comment date and first comment;
// the project date goes back to its default.
void StampReadingComment() {
  std::array<char, 512> text{};
  if (model::ReadDefaultElement(15, 38, text.data(), model::kModeRaw, kSet) == 0) {
    model::WriteElement(317, 81, text.data(), model::kModeConverted, kSet);
  }
  text.fill('\0');
  if (model::ReadDefaultElement(15, 4, text.data(), model::kModeRaw, kSet) == 0) {
    model::WriteElement(317, 0, text.data(), model::kModeConverted, kSet);
  }
  text.fill('\0');
  if (model::ReadDefaultElement(15, 38, text.data(), model::kModeRaw, kSet) == 0) {
    model::WriteElement(15, 38, text.data(), model::kModeRaw, kSet);
  }
}

Outcome ReadInverterIntoFile(const ServiceRequest& request) {
  if (ilink::TransferParameterSet(1, kSet) != ilink::kOk) {
    return {kServiceLinkError, ServiceTextId::kIdentifyFailed};
  }
  const std::uint8_t identity = ilink::CheckInverterIdentity(1, kSet);
  // 7 and 8: the inverter's software is older or newer than the program's; its data are still read.
  if (identity != 0 && identity != 7 && identity != 8) return {kServiceDeviceError, ServiceTextId::kIdentityWrong};
  if (ilink::ReadFullParameterList(kSet) != ilink::kOk) return {kServiceLinkError, ServiceTextId::kReadFailed};
  // A data set that cannot be brought into the current layout is not saved as if it had been.
  if (model::ConvertToProjectType(model::kFileKindReverseDoc, kSet) != model::kFileKindReverseDoc ||
      model::UpgradeDataSetLayout(kSet, kTargetLayout) != 0 || model::RebuildDerivedElements(kSet) != 0) {
    return {kServiceFileReadError, ServiceTextId::kVersionFailed};
  }
  model::ClearChangeList0(kSet);
  StampReadingComment();
  if (model::ProjectFileAccess(model::kProjectWriteReverseDoc, kSet, request.path.c_str()) != model::kFileDone) {
    return {kServiceFileWriteError, ServiceTextId::kFileWriteFailed};
  }
  return {kServiceOk, ServiceTextId::kReadDone};
}

bool OpenCodePasses(std::uint8_t code) {
  // 6, 10 and 11 are the questions of an older format or another layout: the file is read and upgraded.
  return code == model::kFileDone || code == model::kFileFormatV3 || code == model::kFileNewerLayout ||
         code == model::kFileOlderLayout;
}

// The identity codes that forbid sending: no identity, another device type, option board or positioning use,
// an enabled drive of older software, software older than the first layout.
bool SendingRefused(std::uint8_t code) { return (code >= 1 && code <= 9) || code == 14 || code == 17; }

bool DriveEnabled(std::uint8_t state) { return state == 3 || state == 4 || state == 7; }

// The open file into data set 0 as a project. A configuration file holds no parameter set of a drive and is
// refused: reading it would send the defaults.
bool ReadOpenFileAsProject(const char* path) {
  switch (model::OpenProjectFileKind()) {
    case model::kFileKindProject:
      return model::ProjectFileAccess(model::kProjectReadProject, kSet, path) == model::kFileDone;
    case model::kFileKindReverseDoc:
      return model::ProjectFileAccess(model::kProjectReadReverseDoc, kSet, path) == model::kFileDone &&
             model::ConvertToProjectType(model::kFileKindProject, kSet) == model::kFileKindProject;
    default:
      return false;
  }
}

Outcome SendFileToInverter(const ServiceRequest& request) {
  const char* path = request.path.c_str();
  if (!OpenCodePasses(model::ProjectFileAccess(model::kProjectOpen, kSet, path))) {
    return {kServiceFileReadError, ServiceTextId::kFileOpenFailed};
  }
  if (!ReadOpenFileAsProject(path)) {
    // A damaged line is named, so that the file can be mended.
    if (const std::string fault = model::ProjectFileFaultLineText(); !fault.empty()) {
      std::fprintf(stderr, "vqpt32: %s: %s\n", path, fault.c_str());
    }
    return {kServiceFileReadError, ServiceTextId::kFileReadFailed};
  }
  if (model::UpgradeDataSetLayout(kSet, kTargetLayout) != 0) {
    return {kServiceFileReadError, ServiceTextId::kVersionFailed};
  }
  if (ilink::TransferParameterSet(2, kSet) != ilink::kOk) {
    return {kServiceLinkError, ServiceTextId::kIdentifyFailed};
  }
  const std::uint8_t identity = ilink::CheckInverterIdentity(2, kSet);
  if (SendingRefused(identity)) return {kServiceDeviceError, ServiceTextId::kWrongDevice};
  // Values go out within the ranges of the connected firmware (12: newer than the program, nothing to clamp).
  model::ClearElementForOldVersions(kSet);
  const std::uint8_t clamp = identity == 12 ? model::kClampNothing : model::kClampByLayoutLetter;
  if (model::ClampDataSetToVariant(kSet, clamp) != 0) return {kServiceFileReadError, ServiceTextId::kVersionFailed};
  std::uint8_t state = 0;
  if (model::ReadElement(33, 67, &state, model::kModeRaw, kSet) != 0 || DriveEnabled(state)) {
    return {kServiceDeviceError, ServiceTextId::kDriveEnabled};
  }
  if (ilink::WriteFullParameterList(kSet) != ilink::kOk) return {kServiceLinkError, ServiceTextId::kSendFailed};
  if (request.service == kServiceSend) return {kServiceOk, ServiceTextId::kSendDone};
  constexpr std::uint8_t kSaveErrorFree = 2;
  if (ilink::SaveValuesAction(kSet) != kSaveErrorFree) return {kServiceLinkError, ServiceTextId::kSaveFailed};
  return {kServiceOk, ServiceTextId::kSendSaveDone};
}

// What can be known of the file before the link opens, so that no transfer is wasted on a job that must fail:
// a read needs a name the project files take and a target that can be replaced or created; a send needs a
// regular file (a device, FIFO or folder would block or run without end) of readable size.
bool TargetRefused(const ServiceRequest& request, Outcome* refused) {
  const bool known_name =
      model::ProjectFileAccess(model::kProjectCheckOnly, kSet, request.path.c_str()) == model::kFileDone;
  if (request.service == kServiceRead) {
    if (known_name && !platform::sys::CheckReplaceableFile(request.path)) return false;
    *refused = {kServiceFileWriteError, ServiceTextId::kFileWriteFailed};
    return true;
  }
  if (known_name && !platform::sys::CheckReadableFile(request.path)) return false;
  *refused = {kServiceFileReadError, ServiceTextId::kFileOpenFailed};
  return true;
}

Outcome RunJob(const ServiceRequest& request) {
  if (Outcome refused{}; TargetRefused(request, &refused)) return refused;
  if (!PrepareDataSet(request) || ilink::ConnectInverter(kSet) != ilink::kOk) {
    return {kServiceLinkError, ServiceTextId::kLinkNotOpened};
  }
  const Outcome outcome =
      request.service == kServiceRead ? ReadInverterIntoFile(request) : SendFileToInverter(request);
  if (model::IsProjectFileOpen()) model::ProjectFileAccess(model::kProjectClose, kSet, request.path.c_str());
  ilink::DisconnectInverter(kSet);
  return outcome;
}

}  // namespace

std::uint32_t RunCommandLineService(std::span<const std::string> arguments, std::string* text) {
  text->clear();
  ServiceRequest request;
  ServiceTextId fault = ServiceTextId::kCount;
  const Outcome outcome = ParseServiceRequest(arguments, &request, &fault) == 0
                              ? RunJob(request)
                              : Outcome{kServiceCommandLineError, fault};
  if (request.report) *text = ServiceText(outcome.text);
  return outcome.code;
}

}  // namespace app
