// P target of project (the motor question of the after-write actions, the option-board note, the main window
// repainted after it), the menu jump targets (bound row by row) and N posi switch (unit texts).
#include <algorithm>
#include <array>

#include "app/binding/dialog_binding.h"
#include "app/common/shell_state.h"
#include "app/documents/file_titles.h"
#include "app/pages/late_pages.h"
#include "app/pages/posi_records.h"
#include "app/templates/page_templates.h"
#include "model/confirm_hook.h"
#include "model/message_show.h"
#include "model/raw_number.h"

namespace app {
namespace {

// ---- P target of project ----

constexpr std::uint16_t kTargetRecord = 304;
constexpr std::uint16_t kOptionBoard = 3;  // P02
constexpr std::array<std::int64_t, 3> kPlainBoards = {0, 10, 20};
constexpr std::int8_t kConfirmGroup = 8;
constexpr std::int32_t kMsgNewMotors = 3;
constexpr std::int8_t kNoteGroup = 7;
constexpr std::int32_t kMsgOptionBoardChanged = 18;

struct TargetState {
  std::int64_t board_before = 0;  // P02 at the fill before the last one
  std::int64_t board_now = 0;     // P02 at the last fill
};
TargetState g_target;

std::int64_t OptionBoard() {
  std::int64_t value = 0;
  return model::ReadRawInteger(kTargetRecord, kOptionBoard, GetActiveFile(), &value) == 0 ? value : 0;
}

bool PlainBoard(std::int64_t board) {
  return std::find(kPlainBoards.begin(), kPlainBoards.end(), board) != kPlainBoards.end();
}

// The after-write actions ask before they give both parameter sets new motors: yes goes ahead.
std::uint32_t AskNewMotors(std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) {
  return model::ShowMessage(model::kShowQuestion, kConfirmGroup, kMsgNewMotors) == model::kQuestionYes ? 0 : 1;
}

void TargetFilled(PageState&) {
  g_target.board_before = g_target.board_now;
  g_target.board_now = OptionBoard();
}

INT_PTR TargetInit(PageState&) {
  g_target.board_before = g_target.board_now;
  return TRUE;
}

void NoteBoardChange() {
  const std::int64_t before = g_target.board_before;
  const std::int64_t now = g_target.board_now;
  g_target.board_before = now;
  if (before != now && (!PlainBoard(before) || !PlainBoard(now))) {
    model::ShowMessage(model::kShowModal, kNoteGroup, kMsgOptionBoardChanged);
  }
}

void TargetCommitted(PageState&, int, UINT, std::uint8_t) { NoteBoardChange(); }

void TargetEnding(PageState&, int id) {
  if (id != IDCANCEL) NoteBoardChange();
}

// A combo box's new selection is committed at once, as a click is.
bool TargetCommand(PageState& page, int id, HWND control, UINT code) {
  if (code != CBN_SELCHANGE || id < page.first || id >= page.last) return false;
  page.return_focus = control;
  const std::uint8_t result = CommitPage(page, id, 0);
  if (result == kPageRefused && control != nullptr) SetFocus(control);
  NoteBoardChange();
  return true;
}

// ---- menu jump targets: four targets of five ids each, bound row by row ----

constexpr int kTargets = 4;
constexpr int kIdsPerTarget = 5;

JumpTargetIds TargetIds(const PageState& page, int target) {
  const int id = page.first + kIdsPerTarget * target;
  return {id, id + 3, id + 1, id + 2, id + 4};
}

bool OwnsControl(const JumpTargetIds& ids, int control) {
  return control == ids.code || control == ids.value1 || control == ids.value2;
}

std::uint8_t FillTargets(PageState& page, std::uint8_t backup) {
  std::uint8_t result = kBindingOk;
  for (int t = 0; t < kTargets && result == kBindingOk; ++t) {
    result = FillJumpTargetDialog(page.dialog, page.list, static_cast<byte>(t), TargetIds(page, t), GetActiveFile(),
                                  backup);
  }
  return result;
}

std::uint8_t StoreTargets(PageState& page, int control, std::uint8_t restore) {
  std::uint8_t result = kBindingOk;
  for (int t = 0; t < kTargets; ++t) {
    const JumpTargetIds ids = TargetIds(page, t);
    if (control != 0 && !OwnsControl(ids, control)) continue;
    const std::uint8_t stored =
        StoreJumpTargetDialog(page.dialog, page.list, static_cast<byte>(t), ids, control, GetActiveFile(), restore);
    if (result == kBindingOk) result = stored;
    if (stored != kBindingOk && restore == 0) break;
  }
  return result;
}

std::uint8_t SendTarget(PageState& page, int control) {
  for (int t = 0; t < kTargets; ++t) {
    const JumpTargetIds ids = TargetIds(page, t);
    if (!OwnsControl(ids, control)) continue;
    return SendJumpTargetParameterOnline(page.dialog, page.list, static_cast<byte>(t), ids, control, GetActiveFile());
  }
  return kBindingOk;
}

constexpr PageBinding kJumpTargetBinding{FillTargets, StoreTargets, SendTarget};

// ---- N posi switch ----

void SwitchFilled(PageState& page) {
  WritePositionUnitLabels(page.dialog, PageUnitLabels(page.number, page.list), GetActiveFile());
}

}  // namespace

const ParameterPage kProjectTargetPage{9, 0, {.set1 = 11, .set2 = 11}, PageCommitRule::kDirect, PageExit::kNavigate,
                                       {.init = TargetInit, .filled = TargetFilled, .command = TargetCommand,
                                        .committed = TargetCommitted, .ending = TargetEnding}};
const ParameterPage kMenuJumpTargetsPage{65, 0, {.set1 = 123, .set2 = 123}, PageCommitRule::kPending,
                                         PageExit::kNavigate, {}, &kJumpTargetBinding};
const ParameterPage kPositionSwitchPage{67, 0, {.set1 = 126, .set2 = 126}, PageCommitRule::kPending,
                                        PageExit::kNavigate, {.filled = SwitchFilled}};

INT_PTR OpenProjectTargetDialog() {
  g_target = TargetState{};
  model::SetConfirmHook(AskNewMotors);
  const INT_PTR result = RunParameterPage(kProjectTargetPage);
  model::ClearConfirmHook();
  // The logo of the main window follows the device family.
  if (HWND main = MainWindow()) InvalidateRect(main, nullptr, TRUE);
  return result;
}

INT_PTR OpenMenuJumpTargetsDialog() { return RunParameterPage(kMenuJumpTargetsPage); }
INT_PTR OpenPositionSwitchDialog() { return RunParameterPage(kPositionSwitchPage); }

}  // namespace app
