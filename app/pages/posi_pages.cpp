// The positioning pages: I posi machine (template by posi mode, unit texts, the decimal-digit hint, part 2 beside
// it) and J + L posi command (the posi records browsed one at a time, code labels and unit texts following the
// record, the motor-speed note and the copy of a block).
#include <cstdio>

#include "app/binding/dialog_binding.h"
#include "app/common/dialog_placement.h"
#include "app/documents/file_slots.h"
#include "app/documents/file_titles.h"
#include "app/pages/copy_process_block.h"
#include "app/pages/late_pages.h"
#include "app/pages/posi_records.h"
#include "app/templates/page_templates.h"
#include "model/message_show.h"
#include "model/raw_number.h"

namespace app {
namespace {

constexpr int kPart2Button = 6;
constexpr int kCopyButton = 6;
constexpr int kNextRecordButton = 568;
constexpr int kPreviousRecordButton = 569;
constexpr int kRecordNumberField = 570;
constexpr UINT kClicked = 0;  // BN_CLICKED
constexpr std::uint16_t kPosiRecord = 512;
constexpr std::uint16_t kDecimalDigits = 76;  // I06
constexpr std::int8_t kHintGroup = 8;
constexpr std::int32_t kMsgDecimalDigitsChanged = 9;

std::int64_t RawOr(std::uint16_t record, std::uint16_t element, std::int64_t fallback) {
  std::int64_t value = 0;
  return model::ReadRawInteger(record, element, GetActiveFile(), &value) == 0 ? value : fallback;
}

void WriteUnits(PageState& page) {
  WritePositionUnitLabels(page.dialog, PageUnitLabels(page.number, page.list), GetActiveFile());
}

// ---- I posi machine and its part 2 ----

struct MachineState {
  HWND part2 = nullptr;           // part 2 while it is open
  std::int64_t digits_before = 0; // I06 at the fill before the last one
  std::int64_t digits_now = 0;    // I06 at the last fill
};
MachineState g_machine;

void MachineFilled(PageState& page) {
  WriteUnits(page);
  g_machine.digits_before = g_machine.digits_now;
  g_machine.digits_now = RawOr(kPosiRecord, kDecimalDigits, 0);
}

INT_PTR MachineInit(PageState&) {
  g_machine.digits_before = g_machine.digits_now;
  return TRUE;
}

void MachineCommitted(PageState&, int, UINT, std::uint8_t) {
  if (g_machine.digits_before != g_machine.digits_now) {
    g_machine.digits_before = g_machine.digits_now;
    model::ShowMessage(model::kShowQuestion, kHintGroup, kMsgDecimalDigitsChanged);
  }
  // Part 2 shows values the commit's after-write actions may have changed.
  if (PageState* part2 = PageStateOf(g_machine.part2)) FillPage(*part2, 0);
}

bool MachineCommand(PageState& page, int id, HWND, UINT code) {
  if (id != kPart2Button) return false;
  if (code != kClicked) return true;
  if (g_machine.part2 != nullptr) {
    SendMessage(g_machine.part2, WM_ACTIVATE, WA_ACTIVE, 0);
    return true;
  }
  PlaceDialog(page.dialog, kPlaceBelowMenu, kPlaceCentred);
  OpenPosiMachinePart2Dialog();
  if (IsWindow(page.dialog)) PlaceDialog(page.dialog, kPlaceCentred, kPlaceCentred);
  return true;
}

void MachineEnding(PageState&, int id) {
  if (g_machine.part2 == nullptr) return;
  SendMessage(g_machine.part2, WM_COMMAND, MAKEWPARAM(id == IDCANCEL ? IDCANCEL : IDOK, 0), 0);
}

INT_PTR Part2Init(PageState& page) {
  PlaceDialog(page.dialog, kPlaceBottomRight, kPlaceCentred);
  g_machine.part2 = page.dialog;
  return TRUE;
}

void Part2Filled(PageState& page) { WriteUnits(page); }

void Part2Ending(PageState&, int) { g_machine.part2 = nullptr; }

// ---- J + L posi command ----

struct CommandState {
  int index = 0;    // the posi record shown (0-based)
  int maximum = 7;  // the highest record the device offers
};
CommandState g_command;

void ShowRecordNumber(PageState& page) {
  char text[16];
  std::snprintf(text, sizeof text, "%i", g_command.index + 1);
  SetDlgItemText(page.dialog, kRecordNumberField, text);
}

void CommandFilled(PageState& page) {
  RenumberCodeLabels(page.dialog, g_command.index + 1);
  WriteUnits(page);
  ShowMotorSpeedNote(page.dialog, g_command.index, GetActiveFile());
}

INT_PTR CommandInit(PageState& page) {
  ShowRecordNumber(page);
  return TRUE;
}

// Shows another record: its list is bound and the page filled with a backup of its own, so that Cancel puts
// back what this record showed (changes to records left before stay).
void ShowRecord(PageState& page, int index) {
  index = std::clamp(index, 0, g_command.maximum);
  if (index == g_command.index) return;
  g_command.index = index;
  ShowRecordNumber(page);
  ReleaseDialogBuffers(page.dialog);
  page.list = PosiRecordList(index);
  FillPage(page, 1);
}

bool CommandCommand(PageState& page, int id, HWND, UINT code) {
  if (id != kNextRecordButton && id != kPreviousRecordButton && id != kCopyButton) return false;
  if (code != kClicked) return true;
  if (id == kNextRecordButton) ShowRecord(page, g_command.index + 1);
  if (id == kPreviousRecordButton) ShowRecord(page, g_command.index - 1);
  if (id == kCopyButton) {
    if (HWND open = CopyProcessBlockWindow()) {
      RaiseWindow(open);
      return true;
    }
    if (OpenCopyProcessBlockDialog(page.dialog, g_command.index, g_command.maximum) == IDOK && IsWindow(page.dialog)) {
      FillPage(page, 0);  // the block shown may be the target
    }
  }
  return true;
}

}  // namespace

std::int64_t PosiMode(std::uint8_t set, std::uint8_t param_set) {
  std::int64_t mode = 0;
  return model::ReadRawInteger(param_set == 1 ? 39 : 38, 56, set, &mode) == 0 ? mode : 1;
}

const ParameterPage kPosiMachinePage{46, 0, {.set1 = 68, .set2 = 68}, PageCommitRule::kPending, PageExit::kNavigate,
                                     {.init = MachineInit, .filled = MachineFilled, .command = MachineCommand,
                                      .committed = MachineCommitted, .ending = MachineEnding}};
const ParameterPage kPosiMachineMode3Page{74, 0, {.set1 = 132, .set2 = 132}, PageCommitRule::kPending,
                                          PageExit::kNavigate,
                                          {.init = MachineInit, .filled = MachineFilled, .command = MachineCommand,
                                           .committed = MachineCommitted, .ending = MachineEnding}};
const ParameterPage kPosiMachinePart2Page{71, 0, {.set1 = 69, .set2 = 69}, PageCommitRule::kPending,
                                          PageExit::kOkCancel,
                                          {.init = Part2Init, .filled = Part2Filled, .ending = Part2Ending}};
const ParameterPage kPosiCommandPage{47, 0, {.set1 = kPosiRecordLists[0], .set2 = kPosiRecordLists[0]},
                                     PageCommitRule::kPending, PageExit::kNavigate,
                                     {.init = CommandInit, .filled = CommandFilled, .command = CommandCommand}};

INT_PTR OpenPosiMachineDialog() {
  const bool own_layout = PosiMode(GetActiveFile(), GetActiveParamSet()) == kPosiModeOwnLayout;
  g_machine = MachineState{};
  return RunParameterPage(own_layout ? kPosiMachineMode3Page : kPosiMachinePage);
}

INT_PTR OpenPosiMachinePart2Dialog() { return RunParameterPage(kPosiMachinePart2Page); }

INT_PTR OpenPosiCommandDialog() {
  g_command = CommandState{0, PosiRecordMaximum(GetActiveFile())};
  return RunParameterPage(kPosiCommandPage);
}

int PosiCommandIndex() { return g_command.index; }

}  // namespace app
