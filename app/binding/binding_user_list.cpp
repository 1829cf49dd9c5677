// The user parameter lists: each kind-7 row holds a parameter code and binds five controls (code edit, name,
// value edit, selection combo box, unit), the value controls showing the parameter that the code names.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "app/binding/binding_backup.h"
#include "app/binding/binding_support.h"
#include "model/element_access.h"
#include "model/parameter_codes.h"
#include "model/unit_texts.h"
#include "platform/win/win.h"

namespace app {
namespace {

using binding::MenuListEntry;

struct RowIds {
  int code;
  int name;
  int value;
  int combo;
  int unit;
};

RowIds IdsFrom(int id) { return {id, id + 1, id + 2, id + 3, id + 4}; }

std::string CodeOf(const std::string& text) {
  std::string code = text.substr(0, std::min(text.size(), kUserCodeLimit));
  std::transform(code.begin(), code.end(), code.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return code;
}

// The parameter a code names.
bool FindTarget(const std::string& code, byte set, MenuListEntry& target) {
  return !code.empty() && model::ParseParameterCode(&target, code.c_str(), set) == 1;
}

// Text shown in the value edit for a selection value, kept in the work text buffer while there is one.
std::string SelectionEditText(const MenuListEntry& target, long value, byte set) {
  long lower = 0;
  long upper = 0;
  if (target.kind == 4) binding::SelectionLimits(target, set, lower, upper);
  const char* text = binding::SelectionText(target, value, lower);
  std::string shown = text != nullptr ? text : binding::WrongSelectionText(value);
  const std::span<char> work = WorkText();
  if (!work.empty()) {
    const std::size_t length = std::min(shown.size(), work.size() - 1);
    std::memcpy(work.data(), shown.data(), length);
    work[length] = '\0';
  }
  return shown;
}

// Shows the value controls of one row for the parameter its code names; 0 or a read status.
byte ShowTarget(HWND dialog, const MenuListEntry& row, const std::string& code, const RowIds& ids, byte set) {
  MenuListEntry target{};
  const bool found = FindTarget(code, set, target);
  binding::SetItemText(dialog, ids.name, found ? binding::TextEntry(target, 0) : "");
  binding::SetItemText(dialog, ids.unit, "");
  if (!found) {
    binding::SetItemText(dialog, ids.value, "");
    ShowUserListValueControls(dialog, kUserValueNone, ids.value, ids.combo, ids.unit);
    return 0;
  }
  binding::StringBuffer text{};
  double value = 0.0;
  const byte status = target.kind == 7 ? binding::ReadString(target.record, target.element, set, text)
                                       : binding::ReadValue(target.record, target.element, &value, set);
  if (status != 0) return status;
  byte mode = kUserValueEdit;
  std::string shown;
  if (binding::IsNumericKind(target.kind)) {
    shown = binding::FormatEntry(value, target.kind, target.attributes);
  } else if (binding::IsSelectionKind(target.kind) && row.flag == 0) {
    shown = SelectionEditText(target, binding::AsInteger(value), set);
  } else if (binding::IsSelectionKind(target.kind)) {
    mode = kUserValueCombo;
    long lower = 0;
    long upper = 0;
    binding::SelectionLimits(target, set, lower, upper);
    binding::FillSelectionCombo(GetDlgItem(dialog, ids.combo), target, binding::AsInteger(value), lower, upper);
  } else if (target.kind == 7) {
    shown = text.data();
    const std::uint16_t size = binding::ElementSize(target.record, target.element);
    SendDlgItemMessage(dialog, ids.value, EM_LIMITTEXT, size > 0 ? size - 1u : 0u, 0);
  }
  binding::SetItemText(dialog, ids.value, shown);
  ShowUserListValueControls(dialog, mode, ids.value, ids.combo, ids.unit);
  const bool editable = target.kind != 7 || binding::ElementSize(target.record, target.element) < 18;
  const bool enabled = model::IsElementAvailable(row.record, row.element, set) == 0 && target.flag != 0 &&
                       (binding::IsNumericKind(target.kind) || binding::IsSelectionKind(target.kind) || editable);
  binding::EnableItem(dialog, mode == kUserValueCombo ? ids.combo : ids.value, enabled);
  if (target.kind == 1 || target.kind == 9) {
    char unit[64] = {};
    model::ExpandUnitText(binding::TextEntry(target, 1), unit, sizeof unit, set);
    binding::SetItemText(dialog, ids.unit, unit);
  }
  return 0;
}

// Writes a code text into the row's element (mode 5, or 6 for a restore) when it differs; 0 or the status.
byte WriteCode(const MenuListEntry& row, const std::string& code, byte set, byte mode) {
  binding::StringBuffer current{};
  const byte read = binding::ReadString(row.record, row.element, set, current);
  if (read != 0) return read;
  if (code == current.data()) return 0;
  if (code.size() + 1 > binding::ElementSize(row.record, row.element)) return 4;
  binding::StringBuffer value{};
  std::memcpy(value.data(), code.data(), code.size());
  return model::WriteElement(row.record, row.element, value.data(), mode, set);
}

byte RefuseTargetRange(const MenuListEntry& target, const std::string& code, byte set, byte status) {
  double lower = 0.0;
  double upper = 0.0;
  const byte limits = binding::ReadLimits(target, set, lower, upper);
  if (limits != 0) {
    binding::ShowStatus(limits);
  } else {
    binding::ShowRefusal(status, binding::RangeInsertNoUnit(code.c_str(), lower, upper));
  }
  return kBindingFailed;
}

// Stores the value controls of one row into the parameter its code names; 0, or 1 after the refusal's message.
byte StoreTarget(HWND dialog, const MenuListEntry& row, const RowIds& ids, byte set) {
  const std::string code = CodeOf(binding::ItemText(dialog, ids.code));
  MenuListEntry target{};
  if (!FindTarget(code, set, target)) return kBindingOk;
  if (binding::IsNumericKind(target.kind)) {
    double current = 0.0;
    const byte read = binding::ReadValue(target.record, target.element, &current, set);
    if (read != 0) {
      binding::ShowStatus(read);
      return kBindingFailed;
    }
    const std::string text = binding::ItemText(dialog, ids.value);
    if (text == binding::FormatEntry(current, target.kind, target.attributes)) return kBindingOk;
    const std::optional<double> value = binding::ParseEntry(text, target.kind, target.attributes);
    if (!value) return RefuseTargetRange(target, code, set, 6);
    if (*value == current) return kBindingOk;
    byte status = binding::CheckLimits(target, set, *value);
    if (status == 0) status = model::WriteElement(target.record, target.element, &*value, model::kModeConverted, set);
    return status == 0 ? kBindingOk : RefuseTargetRange(target, code, set, status);
  }
  byte status = 0;
  std::string insert;
  if (binding::IsSelectionKind(target.kind) && row.flag != 0) {
    const std::optional<long> value = binding::SelectedComboValue(GetDlgItem(dialog, ids.combo));
    double current = 0.0;
    status = binding::ReadValue(target.record, target.element, &current, set);
    if (status == 0 && value && current != static_cast<double>(*value)) {
      const double written = static_cast<double>(*value);
      status = model::WriteElement(target.record, target.element, &written, model::kModeConverted, set);
    }
    insert = binding::ParameterInsert(binding::TextEntry(target, 0));
  } else if (target.kind == 7 && binding::ElementSize(target.record, target.element) < 18 && target.flag != 0) {
    const std::string text = binding::ItemText(dialog, ids.value);
    status = text.size() > kUserCodeLimit ? 4 : WriteCode(target, text, set, model::kModeConverted);
    insert = binding::ParameterInsert(code.c_str());
  }
  if (status == 0) return kBindingOk;
  binding::ShowRefusal(status, insert);
  return kBindingFailed;
}

}  // namespace

void ShowUserListValueControls(HWND dialog, byte mode, int value, int combo, int unit) {
  const auto show = [dialog](int id, bool on) {
    if (HWND item = GetDlgItem(dialog, id)) {
      ShowWindow(item, on ? SW_SHOW : SW_HIDE);
      EnableWindow(item, on ? TRUE : FALSE);
    }
  };
  show(value, mode == kUserValueEdit);
  show(unit, mode == kUserValueEdit);
  show(combo, mode == kUserValueCombo);
}

byte FillUserListDialog(HWND dialog, int first, int last, byte table, byte set, byte backup) {
  binding::ListRows rows;
  if (!binding::LoadRows(table, set, rows)) {
    binding::InternalError(dialog, kMsgMenuListMissing);
    return kBindingFailed;
  }
  std::size_t codes = 0;
  for (std::size_t i = 0; i < rows.count; ++i) codes += rows[i].kind == 7 ? 1 : 0;
  binding::BackupSlot* slot =
      backup == 1 ? binding::TakeBackupSlot(dialog, first, codes * kUserCodeBackupBytes) : nullptr;
  int id = first;
  for (std::size_t i = 0; i < rows.count; ++i) {
    const MenuListEntry& row = rows[i];
    if (row.kind != 7) continue;
    const RowIds ids = IdsFrom(id);
    id += kUserListIdsPerRow;
    binding::StringBuffer code{};
    byte status = binding::ReadString(row.record, row.element, set, code);
    if (status == 0) {
      if (slot != nullptr) {
        std::array<char, kUserCodeBackupBytes> saved{};
        std::memcpy(saved.data(), code.data(), kUserCodeLimit);
        slot->Append(saved.data(), saved.size());
      }
      if (id > last) continue;
      binding::SetItemText(dialog, ids.code, code.data());
      binding::EnableItem(dialog, ids.code, binding::RowEnabled(row, set));
      status = ShowTarget(dialog, row, code.data(), ids, set);
    }
    if (status != 0) {
      binding::ShowStatus(status);
      return kBindingFailed;
    }
  }
  if (id != last) {
    binding::InternalError(dialog, kMsgIdRunMismatch);
    return kBindingFailed;
  }
  return kBindingOk;
}

byte StoreUserListDialog(HWND dialog, int first, int last, int control, byte table, byte set, byte restore) {
  binding::ListRows rows;
  if (!binding::LoadRows(table, set, rows)) {
    binding::InternalError(dialog, kMsgMenuListMissing);
    return kBindingFailed;
  }
  binding::BackupSlot* slot = nullptr;
  if (restore == 1 && (slot = binding::FindBackupSlot(dialog, first)) == nullptr) {
    binding::InternalError(dialog, kMsgRestoreWithoutBackup);
    return kBindingFailed;
  }
  bool refused = false;
  int id = first;
  for (std::size_t i = 0; i < rows.count; ++i) {
    const MenuListEntry& row = rows[i];
    if (row.kind != 7) continue;
    const RowIds ids = IdsFrom(id);
    id += kUserListIdsPerRow;
    if (slot != nullptr) {
      const std::uint8_t* saved = slot->Next(kUserCodeBackupBytes);
      if (row.flag == 0 || saved == nullptr || id > last) continue;
      std::array<char, kUserCodeBackupBytes> code{};
      std::memcpy(code.data(), saved, code.size());
      code.back() = '\0';
      const byte status = WriteCode(row, code.data(), set, model::kModeWriteUnchecked);
      if (status != 0 && !refused) binding::ShowRefusal(status, binding::BackupInsert(binding::TextEntry(row, 0)));
      refused = refused || status != 0;
      continue;
    }
    if (row.flag == 0 || id > last) continue;
    bool code_changed = false;
    if (control == 0 || control == ids.code) {
      const std::string typed = binding::ItemText(dialog, ids.code);
      binding::StringBuffer stored{};
      const std::string code = CodeOf(typed);
      byte status = binding::ReadString(row.record, row.element, set, stored);
      if (status == 0 && typed != stored.data()) {
        status = typed.size() > kUserCodeLimit ? 4 : WriteCode(row, code, set, model::kModeConverted);
        code_changed = true;
      }
      if (status != 0) {
        binding::ShowRefusal(status, binding::ParameterInsert(binding::TextEntry(row, 0)));
        return kBindingFailed;
      }
    }
    // A new code shows another parameter: the value edit still holds the old one's value, which must not go there.
    const bool value_control = control == 0 || control == ids.value || control == ids.combo;
    if (value_control && !code_changed && StoreTarget(dialog, row, ids, set) != 0) return kBindingFailed;
  }
  if (id != last) {
    binding::InternalError(dialog, kMsgIdRunMismatch);
    return kBindingFailed;
  }
  return refused ? kBindingFailed : kBindingOk;
}

byte SendUserListParameterOnline(HWND dialog, int first, int last, int control, byte table, byte set) {
  if (first >= last || control < first || control >= last) return kBindingFailed;
  binding::ListRows rows;
  if (!binding::LoadRows(table, set, rows)) return kBindingFailed;
  int id = first;
  for (std::size_t i = 0; i < rows.count; ++i) {
    if (rows[i].kind != 7) continue;
    if (id + kUserListIdsPerRow > last) return kBindingFailed;
    const RowIds ids = IdsFrom(id);
    id += kUserListIdsPerRow;
    if (control != ids.value && control != ids.combo) continue;
    MenuListEntry target{};
    if (!FindTarget(CodeOf(binding::ItemText(dialog, ids.code)), set, target)) return kBindingFailed;
    const bool by_edit = binding::IsNumericKind(target.kind) || target.kind == 7;
    const bool acts = (by_edit && control == ids.value) || (binding::IsSelectionKind(target.kind) && control == ids.combo);
    if (!acts || target.flag == 0) return kBindingOk;
    return binding::SendParameter(set, target.record, target.element);
  }
  return kBindingOk;
}

}  // namespace app
