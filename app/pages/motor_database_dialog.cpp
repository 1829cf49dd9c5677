// The motor database dialogs: the current row of the table shown through record 348, stored back into the row
// on the page's commits, and the commands on the table file (Add, Delete, Write, rename) and on the project
// (OK takes the row over into the motor record of the active parameter set).
#include <array>
#include <charconv>
#include <cstdio>
#include <string>

#include "app/binding/dialog_binding.h"
#include "app/common/app_instance.h"
#include "app/common/dialog_placement.h"
#include "app/common/help_context.h"
#include "app/common/nav_button_cursor.h"
#include "app/common/shell_state.h"
#include "app/documents/active_file_kind.h"
#include "app/documents/file_slots.h"
#include "app/documents/file_titles.h"
#include "app/pages/motor_database.h"
#include "app/pages/parameter_page_frame.h"
#include "model/device_identity.h"
#include "model/element_access.h"
#include "model/message_show.h"

namespace app {
namespace {

constexpr std::int8_t kDatabaseGroup = 13;
constexpr std::uint16_t kWorkingRecord = 348;
// The converters of record 348 take the pole pairs of motor record 42: while the page fills or stores, record
// 42 holds the row's pole count.
constexpr std::uint16_t kPoleRecord = 42;
constexpr std::uint16_t kPoleElement = 26;
constexpr int kCaptionLimit = 98;
constexpr int kNameLimit = 28;
constexpr int kNumberLimit = 50;

struct DialogState {
  HWND window = nullptr;
  std::size_t current = 0;
  int pending = 0;
  bool name_edited = false;
  bool deleting = false;
  HWND return_focus = nullptr;
};

std::array<DialogState, kMotorDatabaseKinds>& States() {
  static std::array<DialogState, kMotorDatabaseKinds> states;
  return states;
}
DialogState& StateOf(MotorDatabaseKind kind) { return States()[static_cast<std::size_t>(kind)]; }

std::uint8_t Set() { return GetActiveFile(); }
std::size_t Count(MotorDatabaseKind kind) { return MotorDatabaseRows(kind).size(); }
void Fault(std::int32_t number) { model::MessageBoxByNumber(MainWindow(), model::kShowFault, kDatabaseGroup, number); }

// Loads the buffer; a failure gets its message, and a file longer than the count can hold says what is missing.
void Load(MotorDatabaseKind kind) {
  if (const std::int32_t failure = LoadMotorDatabase(kind); failure != 0) Fault(failure);
  if (const std::size_t left_out = MotorDatabaseLeftOut(kind); left_out != 0) {
    const std::string text = "The motor database holds more rows than can be shown: the first " +
                             std::to_string(UINT16_MAX) + " are shown, " + std::to_string(left_out) +
                             " rows were left out.";
    model::MessageBoxText(MainWindow(), model::kShowFault, kDatabaseGroup, text);
  }
}

// Record 42's pole count swapped with record 348's (raw, so that nothing is logged as changed and no after-write
// action runs), and back when the scope ends.
class PoleExchange {
 public:
  explicit PoleExchange(std::uint8_t set) : set_(set) {
    model::ReadElement(kPoleRecord, kPoleElement, &kept_, model::kModeRaw, set_);
    std::uint8_t poles = 0;
    model::ReadElement(kWorkingRecord, kPoleElement, &poles, model::kModeRaw, set_);
    model::WriteElement(kPoleRecord, kPoleElement, &poles, model::kModeRaw, set_);
  }
  ~PoleExchange() { model::WriteElement(kPoleRecord, kPoleElement, &kept_, model::kModeRaw, set_); }
  PoleExchange(const PoleExchange&) = delete;
  PoleExchange& operator=(const PoleExchange&) = delete;

 private:
  std::uint8_t set_;
  std::uint8_t kept_ = 0;
};

void SetNumber(HWND dialog, int id, std::size_t value) {
  std::array<char, 16> text{};
  std::snprintf(text.data(), text.size(), "%d", static_cast<int>(value));
  SetDlgItemText(dialog, id, text.data());
}

void FillNames(MotorDatabaseKind kind, HWND dialog) {
  const int combo = MotorDatabaseOf(kind).name_combo;
  SendDlgItemMessage(dialog, combo, CB_RESETCONTENT, 0, 0);
  for (const model::MotorTableEntry& row : MotorDatabaseRows(kind)) {
    SendDlgItemMessage(dialog, combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.name.data()));
  }
}

// Shows the current row: its number and the count, its name selected, its values through record 348.
void FillDatabase(MotorDatabaseKind kind, HWND dialog, byte backup) {
  const MotorDatabaseDialog& d = MotorDatabaseOf(kind);
  DialogState& state = StateOf(kind);
  const std::size_t count = Count(kind);
  SetNumber(dialog, d.row_edit, count > 0 ? state.current + 1 : 0);
  SetNumber(dialog, d.count_edit, count);
  SendDlgItemMessage(dialog, d.name_combo, CB_SETCURSEL, count > 0 ? state.current : static_cast<WPARAM>(-1), 0);
  if (const model::MotorTableEntry* row = MotorDatabaseRow(kind, state.current)) {
    model::WriteRecord(kWorkingRecord, row->motor_record.data(), model::kModeRaw, Set());
  }
  {
    PoleExchange exchange(Set());
    FillDialogFromParameters(dialog, d.first, d.last, d.list, Set(), backup);
  }
  state.pending = 0;  // the fill's own text changes are no entries
}

void Reload(MotorDatabaseKind kind, HWND dialog) {
  Load(kind);
  DialogState& state = StateOf(kind);
  const std::size_t count = Count(kind);
  if (count == 0) state.current = 0;
  if (count > 0 && state.current >= count) state.current = count - 1;
  FillNames(kind, dialog);
  FillDatabase(kind, dialog, 0);
}

// A row number typed into the row edit (1..count) becomes the current row; anything else is left.
void TakeTypedRow(MotorDatabaseKind kind, HWND dialog) {
  std::array<char, kNumberLimit + 1> text{};
  GetDlgItemText(dialog, MotorDatabaseOf(kind).row_edit, text.data(), static_cast<int>(text.size()));
  const char* end = text.data() + std::char_traits<char>::length(text.data());
  long number = 0;
  const auto [ptr, error] = std::from_chars(text.data(), end, number);
  if (error == std::errc() && ptr == end && number >= 1 && static_cast<std::size_t>(number) <= Count(kind)) {
    StateOf(kind).current = static_cast<std::size_t>(number - 1);
  }
}

// Stores one control (0: every bound control): a move for the name combo, "&<", "&>" and the row edit, else the
// control's value into record 348 and from there into the current row. Refills the page; 0, or non-zero when the
// value was refused (its message shown).
byte Store(MotorDatabaseKind kind, HWND dialog, int control, byte restore) {
  // The parameter pages' guard: a store that starts while another runs (a focus change inside a message box,
  // on this dialog or on the motor page beside it) is skipped.
  if (PageCommitRunning()) return 0;
  SetPageCommitRunning(true);
  const MotorDatabaseDialog& d = MotorDatabaseOf(kind);
  DialogState& state = StateOf(kind);
  const std::size_t count = Count(kind);
  byte result = 0;
  if (control == d.name_combo) {
    const LRESULT selected = SendDlgItemMessage(dialog, d.name_combo, CB_GETCURSEL, 0, 0);
    if (selected >= 0 && static_cast<std::size_t>(selected) < count) state.current = static_cast<std::size_t>(selected);
  } else if (control == d.previous) {
    if (state.current > 0) --state.current;
  } else if (control == d.next) {
    if (state.current + 1 < count) ++state.current;
  } else if (control == d.row_edit || control == d.count_edit) {
    TakeTypedRow(kind, dialog);
  } else {
    {
      PoleExchange exchange(Set());
      result = StoreDialogToParameters(dialog, d.first, d.last, control, d.list, Set(), restore);
    }
    if (model::MotorTableEntry* row = MotorDatabaseRow(kind, state.current)) {
      model::ReadRecord(kWorkingRecord, row->motor_record.data(), model::kModeRaw, Set());
    }
  }
  SetPageCommitRunning(false);
  FillDatabase(kind, dialog, 0);
  return result;
}

bool CurrentProtected(MotorDatabaseKind kind) {
  const auto rows = MotorDatabaseRows(kind);
  const std::size_t current = StateOf(kind).current;
  return current < rows.size() && rows[current].flag != 0;
}

std::string TypedName(MotorDatabaseKind kind, HWND dialog) {
  std::array<char, kNameLimit + 1> name{};
  GetDlgItemText(dialog, MotorDatabaseOf(kind).name_combo, name.data(), static_cast<int>(name.size()));
  return name.data();
}

// Writes the current row (record 348) under a name into the table file; false after message 34.
bool WriteRow(MotorDatabaseKind kind, const std::string& name) {
  const auto n = static_cast<std::uint16_t>(StateOf(kind).current);
  if (model::MotorTableStoreRecord(n, name, Set(), MotorDatabaseOf(kind).layout) != 0) {
    Fault(kMsgMotorTableDamaged);
    return false;
  }
  return true;
}

void OnOk(MotorDatabaseKind kind, HWND dialog) {
  DialogState& state = StateOf(kind);
  const std::size_t count = Count(kind);
  if (count > 0) Store(kind, dialog, state.pending, 0);
  ReleaseDialogBuffers(dialog);
  // An empty table has no row to take over: the project's motor stays as it is.
  if (count > 0) {
    const std::uint8_t kind_status = EnsureActiveFileKind(dialog, kKindProject, kAskModifyValue);
    if (kind_status == kKindAlready || kind_status == kKindConverted) {
      model::MotorRecordToProject(Set(), GetActiveParamSet(), MotorDatabaseOf(kind).layout);
      // The number is one byte: a row beyond 254 cannot be named and is recorded as none.
      const std::size_t number = state.current + 1;
      WriteExternalMotorNumber(Set(), number <= 255 ? static_cast<std::uint8_t>(number) : 0);
    }
  }
  EndDialog(dialog, 1);
}

void OnAdd(MotorDatabaseKind kind, HWND dialog) {
  auto n = static_cast<std::uint16_t>(StateOf(kind).current);
  if (model::MotorTableAddRecord(&n, MotorDatabaseOf(kind).layout) != 0) {
    Fault(kMsgMotorRowProtected);
    return;
  }
  StateOf(kind).current = n;
  Reload(kind, dialog);
}

void OnDelete(MotorDatabaseKind kind, HWND dialog) {
  DialogState& state = StateOf(kind);
  if (state.deleting || Count(kind) == 0) return;
  state.deleting = true;
  const int answer = model::MessageBoxByNumber(MainWindow(), model::kShowQuestion, kDatabaseGroup, kMsgDeleteMotorRow);
  state.deleting = false;
  if (answer != IDYES) return;
  if (CurrentProtected(kind) || model::MotorTableDeleteRecord(static_cast<std::uint16_t>(state.current)) != 0) {
    Fault(kMsgMotorRowProtected);
    return;
  }
  Reload(kind, dialog);
}

void OnWrite(MotorDatabaseKind kind, HWND dialog) {
  if (Count(kind) == 0) return;
  if (CurrentProtected(kind)) {
    Fault(kMsgMotorRowProtected);
    return;
  }
  if (WriteRow(kind, TypedName(kind, dialog))) Reload(kind, dialog);
}

// The name combo's notifications: a typed name is written when the combo loses the focus.
void OnNameCombo(MotorDatabaseKind kind, HWND dialog, UINT code) {
  DialogState& state = StateOf(kind);
  if (code == CBN_EDITCHANGE) state.name_edited = true;
  if (code == CBN_SELCHANGE) {
    state.name_edited = false;
    Store(kind, dialog, MotorDatabaseOf(kind).name_combo, 0);
  }
  if (code == CBN_KILLFOCUS && state.name_edited) {
    state.name_edited = false;
    if (Count(kind) == 0) {
      FillDatabase(kind, dialog, 0);
      return;
    }
    if (CurrentProtected(kind)) {
      Fault(kMsgMotorRowProtected);
    } else {
      WriteRow(kind, TypedName(kind, dialog));
    }
    Reload(kind, dialog);
  }
}

// A commit that the page refused puts the focus back on the control.
void Commit(MotorDatabaseKind kind, HWND dialog, int id, HWND control) {
  StateOf(kind).return_focus = control;
  if (Store(kind, dialog, id, 0) != 0 && control != nullptr) SetFocus(control);
}

void OnControl(MotorDatabaseKind kind, HWND dialog, int id, HWND control, UINT code) {
  DialogState& state = StateOf(kind);
  const MotorDatabaseDialog& d = MotorDatabaseOf(kind);
  if (id == d.name_combo) return OnNameCombo(kind, dialog, code);
  if (code == BN_CLICKED || code == CBN_SELCHANGE) {
    if (id == d.previous || id == d.next) {
      Store(kind, dialog, id, 0);
      return;
    }
    const std::uint8_t kind_status = EnsureActiveFileKind(dialog, kKindProject, kAskModifyValue);
    if (kind_status == kKindRefused || kind_status == kKindConversionFailed) return FillDatabase(kind, dialog, 0);
    Commit(kind, dialog, id, control);
  } else if (code == EN_CHANGE) {
    state.pending = id;
  } else if (code == EN_KILLFOCUS && state.pending != 0) {
    if (PageCommitRunning()) return;  // a store is running (its message is up): the entry stays pending
    state.pending = 0;
    if (id == d.row_edit || id == d.count_edit) {
      Store(kind, dialog, id, 0);
      return;
    }
    const std::uint8_t kind_status = EnsureActiveFileKind(dialog, kKindProject, kAskModifyValue);
    if (kind_status == kKindQuestionOpen) return;
    if (kind_status == kKindRefused || kind_status == kKindConversionFailed) return FillDatabase(kind, dialog, 0);
    Commit(kind, dialog, id, control);
  } else if (code == EN_SETFOCUS) {
    SendMessage(control, EM_SETSEL, 0, -1);
  }
}

void OnCommand(MotorDatabaseKind kind, HWND dialog, int id, HWND control, UINT code) {
  const MotorDatabaseDialog& d = MotorDatabaseOf(kind);
  switch (id) {
    case IDOK:
      OnOk(kind, dialog);
      break;
    case IDCANCEL:
      ReleaseDialogBuffers(dialog);
      EndDialog(dialog, 1);
      break;
    case kDeleteRowButton:
      OnDelete(kind, dialog);
      break;
    case kAddRowButton:
      OnAdd(kind, dialog);
      break;
    case kWriteDatabaseButton:
      OnWrite(kind, dialog);
      break;
    default:
      OnControl(kind, dialog, id, control, code);
      break;
  }
  SetHelpContextFromCommand(static_cast<std::uint16_t>(d.template_number), d.help_low, d.help_high, id,
                            static_cast<std::uint16_t>(code));
}

void ReplaceSetMark(HWND dialog) {
  std::array<char, kCaptionLimit + 1> caption{};
  GetWindowText(dialog, caption.data(), static_cast<int>(caption.size()));
  SetWindowText(dialog, CaptionForParameterSet(caption.data(), GetActiveParamSet()).c_str());
}

void OnInit(MotorDatabaseKind kind, HWND dialog) {
  DialogState& state = StateOf(kind);
  state.window = dialog;
  ReplaceSetMark(dialog);
  PlaceDialog(dialog, kPlaceBottomRight, kPlaceCentred);
  RestoreNavButtonCursor(dialog, kDeleteRowButton, kAddRowButton);
  state.current = 0;
  state.pending = 0;
  state.name_edited = false;
  FillNames(kind, dialog);
  FillDatabase(kind, dialog, 1);
}

template <MotorDatabaseKind kKind>
INT_PTR CALLBACK DatabaseProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  const MotorDatabaseDialog& d = MotorDatabaseOf(kKind);
  switch (message) {
    case WM_INITDIALOG:
      OnInit(kKind, dialog);
      return TRUE;
    case WM_ACTIVATE:
      SetDefaultHelpContext(static_cast<std::uint16_t>(d.template_number), d.help_low, d.help_high);
      return FALSE;
    case WM_COMMAND:
      OnCommand(kKind, dialog, LOWORD(wparam), reinterpret_cast<HWND>(lparam), HIWORD(wparam));
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR OpenDatabase(MotorDatabaseKind kind, DLGPROC proc) {
  const std::uint8_t family = model::GetDeviceFamily(Set());
  if (MotorDatabaseOfFamily(family) != kind) return 0;
  std::array<char, kMotorTablePathSize> path{};
  if (GetMotorTablePath(path.data(), static_cast<int>(path.size()), family) != 0) {
    Fault(kMsgMotorTableDamaged);
    return 0;
  }
  if (model::MotorTableSetFile(path.data()) != 0) Fault(kMsgMotorTableDamaged);
  Load(kind);
  const INT_PTR result = DialogBoxParam(AppInstance(), MAKEINTRESOURCE(MotorDatabaseOf(kind).template_number),
                                        MainWindow(), proc, 0);
  StateOf(kind).window = nullptr;
  FreeMotorDatabase(kind);
  return result;
}

}  // namespace

INT_PTR OpenMotorDatabaseDialog() {
  return OpenDatabase(MotorDatabaseKind::kMotor, DatabaseProc<MotorDatabaseKind::kMotor>);
}
INT_PTR OpenServoMotorDatabaseDialog() {
  return OpenDatabase(MotorDatabaseKind::kServo, DatabaseProc<MotorDatabaseKind::kServo>);
}

HWND MotorDatabaseWindow(MotorDatabaseKind kind) { return StateOf(kind).window; }

}  // namespace app
