// The menu commands Export (2004), Print (2009) and Printer setup (2010), and the printout of the active file
// by the groups chosen in the print dialog.
#include "app/print/print_commands.h"

#include "app/common/wait_cursor.h"
#include "app/documents/file_slots.h"
#include "app/documents/file_titles.h"
#include "app/documents/input_check_question.h"
#include "app/print/print_content.h"
#include "app/print/print_job.h"
#include "app/print/print_state.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "model/message_show.h"

namespace app {
namespace {

constexpr std::uint16_t kSettingsRecord = 305;
constexpr std::uint16_t kTextFileElement = 10;
constexpr std::uint8_t kSettingsSet = 0;
constexpr std::int32_t kMsgStartFailed = 9;
constexpr std::int32_t kMsgSectionFailed = 10;
constexpr std::int32_t kMsgCloseFailed = 11;

enum class FileKinds { kAll, kProject, kReverseDoc };

// A group of the print dialog: its selection element and the sections it prints.
struct PrintGroup {
  std::uint16_t element;
  FileKinds kinds;
  std::uint8_t sections[2];
  std::uint8_t count;
};

// Element 52 (the scope recording) prints nothing of its own.
constexpr PrintGroup kPrintGroups[] = {
    {44, FileKinds::kProject, {kSectionProjectTarget, 0}, 1},
    {45, FileKinds::kReverseDoc, {kSectionDisplayValues, kSectionServiceInfo}, 2},
    {46, FileKinds::kAll, {kSectionComments, 0}, 1},
    {47, FileKinds::kAll, {kSectionParameterSet1, 0}, 1},
    {48, FileKinds::kAll, {kSectionParameterSet2, 0}, 1},
    {49, FileKinds::kReverseDoc, {kSectionFaultMemory, kSectionFaultCounter}, 2},
    {50, FileKinds::kAll, {kSectionMenuSkip, 0}, 1},
    {152, FileKinds::kAll, {kSectionPositioning, 0}, 1},
};

bool Selected(std::uint16_t element) { return (print::RawOr(kSettingsRecord, element, kSettingsSet, 0) & 0xFF) != 0; }

bool ForFile(FileKinds kinds, std::uint8_t set) {
  const auto kind = model::GetFileTypeCode(set);
  return kinds == FileKinds::kAll || (kinds == FileKinds::kProject && kind == kKindProject) ||
         (kinds == FileKinds::kReverseDoc && kind == kKindReverseDoc);
}

std::uint8_t PrintGroups(std::uint8_t set) {
  if (PrintSection(kSectionHeader, set) != kPrintOk) return kPrintFailed;
  for (const PrintGroup& group : kPrintGroups) {
    if (!Selected(group.element) || !ForFile(group.kinds, set)) continue;
    for (std::uint8_t i = 0; i < group.count; ++i)
      if (PrintSection(group.sections[i], set) != kPrintOk) return kPrintFailed;
  }
  return kPrintOk;
}

void RunPrintCommand(HWND main, std::uint8_t to_text_file, bool wait_cursor) {
  if (!InputCheckQuestion(main, GetActiveFile())) return;
  model::WriteElement(kSettingsRecord, kTextFileElement, &to_text_file, model::kModeRaw, kSettingsSet);
  if (OpenPrintDialog() != 1) return;
  if (wait_cursor) BeginWaitCursor();
  PrintOrExportProject(main);
  if (wait_cursor) EndWaitCursor();
}

}  // namespace

std::uint8_t PrintOrExportProject(HWND owner) {
  std::uint8_t probe = 0;
  if (const std::uint8_t status = model::ReadElement(kSettingsRecord, kTextFileElement, &probe, model::kModeRaw,
                                                     kSettingsSet);
      status != 0) {
    model::ShowMessage(model::kShowFault, 12, status);
    return kPrintFailed;
  }
  const std::uint8_t set = GetActiveFile();
  if (OpenPrintBuffer(set) != kPrintOk) {
    model::MessageBoxByNumber(owner, 3, 13, kMsgStartFailed);
    return kPrintFailed;
  }
  // A printout that fails part-way leaves nothing: no half text file, no half document.
  if (PrintGroups(set) != kPrintOk) {
    DiscardPrintBuffer();
    model::MessageBoxByNumber(owner, 3, 13, kMsgSectionFailed);
    return kPrintFailed;
  }
  if (ClosePrintBuffer() != kPrintOk) {
    model::MessageBoxByNumber(owner, 3, 13, kMsgCloseFailed);
    return kPrintFailed;
  }
  return kPrintOk;
}

void CommandExport(HWND main, UINT) { RunPrintCommand(main, 1, true); }
void CommandPrint(HWND main, UINT) { RunPrintCommand(main, 0, false); }
void CommandPrinterSetup(HWND, UINT) { PrinterSetup(); }

}  // namespace app
