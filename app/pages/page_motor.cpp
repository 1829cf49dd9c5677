// The B.. Motor page: the frame's page on the motor record of parameter set 1 or 2 (template 53 on family 2),
// linked to the external motor database of its family: button 6 opens the database dialog beside the page, a
// built-in motor type chosen on the page forgets the database motor, and the page shows whether the motor data
// may be taken from the database.
#include "app/common/dialog_placement.h"
#include "app/documents/file_slots.h"
#include "app/documents/file_titles.h"
#include "app/pages/motor_database.h"
#include "app/pages/parameter_pages.h"
#include "model/data_set.h"
#include "model/element_access.h"

namespace app {
namespace {

constexpr int kDatabaseButton = 6;
constexpr int kTbMotorControl = 256;  // "B62 TB-motor" of template 16
constexpr int kMakeMarker = 270;
constexpr char kMakeMarkerText[] = "(ZPR motor)";
constexpr int kMotorTypeElement = 29;
constexpr double kUserDefinedType = 0.0;
constexpr double kUserDefinedServoType = 60.0;
constexpr std::uint16_t kTargetRecord = 304;
constexpr std::uint16_t kVersionLetterElement = 5;
constexpr std::uint8_t kServoFamily = 2;

// Set when the page is being left: a database dialog that the page closes does not refill it afterwards.
bool g_leaving = false;

std::uint8_t Set() { return GetActiveFile(); }

double MotorType() {
  const std::uint16_t record = GetActiveParamSet() == 1 ? 43 : 42;
  double type = -1.0;
  if (model::ReadElement(record, kMotorTypeElement, &type, model::kModeConverted, Set()) != 0) return -1.0;
  return type;
}

MotorDatabaseKind KindOf(const PageState& page) { return MotorDatabaseOfFamily(page.family); }

void Filled(PageState& page) {
  const double type = MotorType();
  const bool project = model::GetFileTypeCode(Set()) == model::kFileKindProject;
  HWND button = GetDlgItem(page.dialog, kDatabaseButton);
  if (page.family == kServoFamily) {
    EnableWindow(button, project && type == kUserDefinedServoType);
  } else {
    // On a reverse documentation the button keeps its state.
    if (project) EnableWindow(button, type == kUserDefinedType);
    if (HWND tb = GetDlgItem(page.dialog, kTbMotorControl); tb != nullptr && page.number == 16) {
      EnableWindow(tb, type == kUserDefinedType);
    }
  }
  std::uint8_t letter = 0;
  model::ReadElement(kTargetRecord, kVersionLetterElement, &letter, model::kModeRaw, Set());
  SetDlgItemText(page.dialog, kMakeMarker, letter == 'E' ? " " : kMakeMarkerText);
}

void OpenDatabase(PageState& page) {
  const MotorDatabaseKind kind = KindOf(page);
  if (HWND open = MotorDatabaseWindow(kind); open != nullptr) {
    PlaceDialog(page.dialog, kPlaceBelowMenu, kPlaceCentred);
    SetFocus(open);
    PlaceDialog(open, kPlaceBottomRight, kPlaceCentred);
    return;
  }
  PlaceDialog(page.dialog, kPlaceBelowMenu, kPlaceCentred);
  if (kind == MotorDatabaseKind::kServo) {
    OpenServoMotorDatabaseDialog();
  } else {
    OpenMotorDatabaseDialog();
  }
  if (g_leaving || !IsWindow(page.dialog)) return;
  PlaceDialog(page.dialog, kPlaceCentred, kPlaceCentred);
  SetFocus(page.dialog);
  FillPage(page, 0);
}

bool Command(PageState& page, int id, HWND, UINT code) {
  if (id != kDatabaseButton || code != BN_CLICKED) return false;
  OpenDatabase(page);
  return true;
}

// Choosing a built-in motor type forgets the database motor.
void Committed(PageState& page, int id, UINT, std::uint8_t result) {
  if (id == page.first && result != kPageCommitSkipped) WriteExternalMotorNumber(Set(), 0);
}

// An open database dialog closes before the page: OK takes its row over, Cancel takes nothing.
void Ending(PageState& page, int id) {
  const HWND open = MotorDatabaseWindow(KindOf(page));
  if (open == nullptr) return;
  g_leaving = true;
  SendMessage(open, WM_COMMAND, id == IDCANCEL ? IDCANCEL : IDOK, 0);
}

INT_PTR Init(PageState&) {
  g_leaving = false;
  return TRUE;
}

}  // namespace

const ParameterPage kMotorPage{16,
                               53,
                               {.set1 = 15, .set2 = 16, .family2_set1 = 84, .family2_set2 = 85},
                               PageCommitRule::kPending,
                               PageExit::kNavigate,
                               {.init = Init, .filled = Filled, .command = Command, .committed = Committed,
                                .ending = Ending}};

INT_PTR OpenMotorDialog() { return RunParameterPage(kMotorPage); }

}  // namespace app
