// Filling a run of controls from the rows of a menu list, with an optional backup of the values shown.
#include <array>
#include <cstdlib>

#include "app/binding/binding_backup.h"
#include "app/binding/binding_support.h"
#include "model/element_access.h"
#include "platform/win/win.h"

namespace app {
namespace {

using binding::ListRows;
using binding::MenuListEntry;

// What one row shows: its value (or string), the data set, the dialog and the row's first id.
struct Shown {
  HWND dialog;
  byte set;
  int id;
  double value;
  const char* text;
};

using ShowRow = void (*)(const MenuListEntry& row, const Shown& shown);

void ShowNothing(const MenuListEntry&, const Shown&) {}

void ShowNumber(const MenuListEntry& row, const Shown& s) {
  binding::SetItemText(s.dialog, s.id, binding::FormatEntry(s.value, row.kind, row.attributes));
  binding::EnableItem(s.dialog, s.id, binding::RowEnabled(row, s.set));
  // A page that lays out a label for the name of the value (a process-data code's position) shows it there.
  if (GetDlgItem(s.dialog, s.id + binding::kValueNameIdOffset) != nullptr) {
    const char* name = binding::ValueName(row, s.value);
    binding::SetItemText(s.dialog, s.id + binding::kValueNameIdOffset, name != nullptr ? name : "");
  }
}

void ShowCheck(const MenuListEntry& row, const Shown& s) {
  if (row.flag == 0) {
    binding::SetItemText(s.dialog, s.id, binding::TextEntry(row, s.value == 0.0 ? 1 : 2));
  } else {
    CheckDlgButton(s.dialog, s.id, s.value == 1.0 ? BST_CHECKED : BST_UNCHECKED);
  }
  binding::EnableItem(s.dialog, s.id, binding::RowEnabled(row, s.set));
}

void ShowRadio(const MenuListEntry& row, const Shown& s) {
  const bool enabled = binding::RowEnabled(row, s.set);
  const long value = binding::AsInteger(s.value);
  if (row.flag != 0) {
    for (int k = 0; k < binding::RadioTextCount(row); ++k) {
      CheckDlgButton(s.dialog, s.id + k, value == k ? BST_CHECKED : BST_UNCHECKED);
      binding::EnableItem(s.dialog, s.id + k, enabled);
    }
    return;
  }
  long shown = value < 0 ? -value : value;
  if (shown > 4) shown = 0;
  if (shown + 1 > binding::ValueTextCount(row)) shown = 0;
  binding::SetItemText(s.dialog, s.id, binding::TextEntry(row, static_cast<int>(shown + 1)));
  binding::EnableItem(s.dialog, s.id, enabled);
}

void ShowSelection(const MenuListEntry& row, const Shown& s) {
  long lower = 0;
  long upper = 0;
  binding::SelectionLimits(row, s.set, lower, upper);
  const long value = binding::AsInteger(s.value);
  if (row.flag != 0) {
    binding::FillSelectionCombo(GetDlgItem(s.dialog, s.id), row, value, lower, upper);
  } else {
    const char* text = value < lower || value > upper ? nullptr : binding::SelectionText(row, value, lower);
    binding::SetItemText(s.dialog, s.id, text != nullptr ? text : binding::WrongSelectionText(value));
  }
  binding::EnableItem(s.dialog, s.id, binding::RowEnabled(row, s.set));
}

void ShowString(const MenuListEntry& row, const Shown& s) {
  binding::SetItemText(s.dialog, s.id, s.text);
  const std::uint16_t size = binding::ElementSize(row.record, row.element);
  const WPARAM limit = row.attributes != 0 ? row.attributes : (size > 0 ? size - 1u : 0u);
  SendDlgItemMessage(s.dialog, s.id, EM_LIMITTEXT, limit, 0);
  binding::EnableItem(s.dialog, s.id, binding::RowEnabled(row, s.set));
}

void ShowBit(const MenuListEntry& row, const Shown& s) {
  const auto bits = static_cast<unsigned long>(binding::AsInteger(s.value));
  const bool set = row.attributes < 32 && ((bits >> row.attributes) & 1u) != 0;
  CheckDlgButton(s.dialog, s.id, set ? BST_CHECKED : BST_UNCHECKED);
  binding::EnableItem(s.dialog, s.id, binding::RowEnabled(row, s.set));
}

// The show function of each display kind (0..14).
constexpr std::array<ShowRow, 15> kShowByKind = {
    ShowNothing, ShowNumber, ShowCheck,   ShowRadio,   ShowSelection, ShowNothing, ShowNothing, ShowString,
    ShowNothing, ShowNumber, ShowNumber, ShowNothing, ShowNothing,   ShowNumber,  ShowBit};
static_assert(kShowByKind.size() == 15);

std::size_t BackupBytesOf(const ListRows& rows) {
  std::size_t bytes = 0;
  for (std::size_t i = 0; i < rows.count; ++i) bytes += binding::BackupBytesOfRow(rows[i]);
  return bytes;
}

}  // namespace

byte FillDialogFromParameters(HWND dialog, int first, int last, byte table, byte set, byte backup) {
  ListRows rows;
  if (!binding::LoadRows(table, set, rows)) {
    binding::InternalError(dialog, kMsgMenuListMissing);
    return kBindingFailed;
  }
  binding::BackupSlot* slot = backup == 1 ? binding::TakeBackupSlot(dialog, first, BackupBytesOf(rows)) : nullptr;
  int id = first;
  for (std::size_t i = 0; i < rows.count; ++i) {
    const MenuListEntry& row = rows[i];
    const int ids = binding::IdsOfRow(row);
    if (ids == 0) continue;
    const int row_id = id;
    id += ids;
    if (row.kind == 5) continue;
    binding::StringBuffer text{};
    double value = 0.0;
    const byte status = row.kind == 7 ? binding::ReadString(row.record, row.element, set, text)
                                      : binding::ReadValue(row.record, row.element, &value, set);
    if (status != 0) {
      if (binding::IsNumericKind(row.kind)) SetFocus(dialog);
      binding::ShowStatus(status);
      return kBindingFailed;
    }
    if (slot != nullptr) {
      if (row.kind == 7) {
        slot->Append(text.data(), text.size());
      } else {
        slot->Append(&value, sizeof value);
      }
    }
    // Controls beyond the run belong to the page, not to the list.
    if (id > last || row.kind >= kShowByKind.size()) continue;
    kShowByKind[row.kind](row, Shown{dialog, set, row_id, value, text.data()});
  }
  if (id != last) {
    binding::InternalError(dialog, kMsgIdRunMismatch);
    return kBindingFailed;
  }
  return kBindingOk;
}

}  // namespace app
