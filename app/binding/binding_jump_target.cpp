// Menu jump targets: three rows per target (the target's parameter code as a number, a lower and an upper value
// in the target parameter's stored units), shown in the target's display units.
#include <array>
#include <cctype>
#include <cstdio>
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

constexpr int kRowsPerTarget = 3;
constexpr WPARAM kCodeTextLimit = model::kParameterCodeTextSize - 1;  // letter and up to three digits

// The three rows of a target; false when the list has no such target.
bool TargetRows(byte table, byte target, byte set, std::array<MenuListEntry, kRowsPerTarget>& out) {
  binding::ListRows rows;
  if (!binding::LoadRows(table, set, rows)) return false;
  std::size_t index = 0;
  const std::size_t wanted = static_cast<std::size_t>(target) * kRowsPerTarget;
  std::size_t taken = 0;
  for (std::size_t i = 0; i < rows.count && taken < kRowsPerTarget; ++i) {
    if (binding::IsHeading(rows[i])) continue;
    if (index >= wanted) out[taken++] = rows[i];
    ++index;
  }
  return taken == kRowsPerTarget;
}

// The code text of the target row's value ("" for none).
std::string CodeText(const MenuListEntry& code_row, byte set, byte& status) {
  double number = 0.0;
  status = binding::ReadValue(code_row.record, code_row.element, &number, set);
  if (status != 0) return {};
  char text[model::kParameterCodeTextSize + 3] = {};
  auto code = static_cast<std::uint16_t>(binding::AsInteger(number));
  if (code == 0 || model::ParameterCodeConvert(text, &code, 0) != 0) return {};
  return text;
}

bool FindTarget(const std::string& code, byte set, MenuListEntry& target) {
  return !code.empty() && model::ParseParameterCode(&target, code.c_str(), set) == 1;
}

bool HasValues(const MenuListEntry& target) {
  return binding::IsNumericKind(target.kind) || binding::IsSelectionKind(target.kind);
}

// A stored value as the target shows it.
std::string ValueText(double stored, const MenuListEntry& target, byte set) {
  if (binding::IsNumericKind(target.kind)) {
    double shown = stored;
    if (model::ConvertElementValue(&shown, 1, target.record, target.element, set, 0) != 0) return {};
    return binding::FormatEntry(shown, target.kind, target.attributes);
  }
  char text[32];
  std::snprintf(text, sizeof text, "%ld", binding::AsInteger(stored));
  return text;
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// Writes a value into a row's element when it differs (mode 5, or 6 for a restore).
byte WriteValue(const MenuListEntry& row, double value, byte set, byte mode) {
  double current = 0.0;
  const byte read = binding::ReadValue(row.record, row.element, &current, set);
  if (read != 0) return read;
  return current == value ? 0 : model::WriteElement(row.record, row.element, &value, mode, set);
}

// A new target's limits, in stored units, go into the value rows (0 where a limit cannot be had).
byte WriteTargetLimits(const std::array<MenuListEntry, kRowsPerTarget>& rows, const std::string& code, byte set) {
  MenuListEntry target{};
  const bool found = FindTarget(code, set, target) && HasValues(target);
  for (int k = 0; k < 2; ++k) {
    double limit = 0.0;
    const byte read = !found ? 1
                      : k == 0 ? model::GetElementLowerLimit(target.record, target.element, &limit, model::kModeConverted, set)
                               : model::GetElementUpperLimit(target.record, target.element, &limit, model::kModeConverted, set);
    if (read != 0 || model::ConvertElementValue(&limit, 0, target.record, target.element, set, 0) != 0) limit = 0.0;
    const byte status = WriteValue(rows[1 + k], limit, set, model::kModeConverted);
    if (status != 0) {
      binding::ShowRefusal(status, binding::ParameterInsert(binding::TextEntry(rows[1 + k], 0)));
      return kBindingFailed;
    }
  }
  return kBindingOk;
}

byte StoreCode(HWND dialog, const std::array<MenuListEntry, kRowsPerTarget>& rows, const JumpTargetIds& ids, int control,
               byte set, bool& changed) {
  byte status = 0;
  const std::string current = CodeText(rows[0], set, status);
  const std::string typed = binding::ItemText(dialog, ids.code);
  const std::string code = Upper(typed);
  if (status == 0 && code == current) return kBindingOk;
  // An empty code clears the target; a code that names no parameter is refused and the target kept.
  std::uint16_t number = 0;
  MenuListEntry target{};
  std::string work = code;
  if (status == 0 && !code.empty() &&
      (typed.size() > kUserCodeLimit || model::ParameterCodeConvert(work.data(), &number, 1) != 0 ||
       !FindTarget(code, set, target))) {
    status = 6;
  }
  if (status == 0) status = WriteValue(rows[0], number, set, model::kModeConverted);
  if (status != 0) {
    binding::ShowRefusal(status, binding::ParameterInsert(binding::TextEntry(rows[0], 0)));
    return kBindingFailed;
  }
  changed = true;
  return control == ids.code ? WriteTargetLimits(rows, code, set) : kBindingOk;
}

byte StoreValue(HWND dialog, const MenuListEntry& row, int id, const std::string& code, byte set) {
  MenuListEntry target{};
  if (row.flag == 0 || !FindTarget(code, set, target) || !HasValues(target)) return kBindingOk;
  double stored = 0.0;
  byte status = binding::ReadValue(row.record, row.element, &stored, set);
  const std::string text = binding::ItemText(dialog, id);
  if (status == 0 && text == ValueText(stored, target, set)) return kBindingOk;
  if (status == 0) {
    const byte kind = binding::IsNumericKind(target.kind) ? target.kind : 1;
    std::optional<double> value = binding::ParseEntry(text, kind, binding::IsNumericKind(target.kind) ? target.attributes : 0);
    if (value && binding::IsNumericKind(target.kind) &&
        model::ConvertElementValue(&*value, 0, target.record, target.element, set, 0) != 0) {
      value.reset();
    }
    status = value ? WriteValue(row, *value, set, model::kModeConverted) : 6;
  }
  if (status == 0) return kBindingOk;
  binding::ShowRefusal(status, binding::WrongInputInsert(code.c_str()));
  return kBindingFailed;
}

}  // namespace

byte FillJumpTargetDialog(HWND dialog, byte table, byte target, const JumpTargetIds& ids, byte set, byte backup) {
  std::array<MenuListEntry, kRowsPerTarget> rows{};
  if (!TargetRows(table, target, set, rows)) {
    binding::InternalError(dialog, kMsgMenuListMissing);
    return kBindingFailed;
  }
  std::array<double, kRowsPerTarget> values{};
  for (int k = 0; k < kRowsPerTarget; ++k) {
    const byte status = binding::ReadValue(rows[k].record, rows[k].element, &values[k], set);
    if (status != 0) {
      binding::ShowStatus(status);
      return kBindingFailed;
    }
  }
  if (backup == 1) {
    if (binding::BackupSlot* slot = binding::TakeBackupSlot(dialog, ids.code, sizeof values)) {
      slot->Append(values.data(), sizeof values);
    }
  }
  byte status = 0;
  const std::string code = CodeText(rows[0], set, status);
  binding::SetItemText(dialog, ids.code, code);
  SendDlgItemMessage(dialog, ids.code, EM_LIMITTEXT, kCodeTextLimit, 0);
  binding::EnableItem(dialog, ids.code, binding::RowEnabled(rows[0], set));
  MenuListEntry found{};
  const bool known = FindTarget(code, set, found);
  binding::SetItemText(dialog, ids.name, known ? binding::TextEntry(found, 0) : "");
  char unit[64] = {};
  if (known && found.kind == 1) model::ExpandUnitText(binding::TextEntry(found, 1), unit, sizeof unit, set);
  binding::SetItemText(dialog, ids.unit, unit);
  const bool editable = known && found.flag != 0 && code[0] != 'E' && HasValues(found);
  const int value_ids[2] = {ids.value1, ids.value2};
  for (int k = 0; k < 2; ++k) {
    binding::SetItemText(dialog, value_ids[k], known && HasValues(found) ? ValueText(values[1 + k], found, set) : "");
    binding::EnableItem(dialog, value_ids[k], editable && rows[1 + k].flag != 0);
  }
  return kBindingOk;
}

byte StoreJumpTargetDialog(HWND dialog, byte table, byte target, const JumpTargetIds& ids, int control, byte set,
                           byte restore) {
  std::array<MenuListEntry, kRowsPerTarget> rows{};
  if (!TargetRows(table, target, set, rows)) {
    binding::InternalError(dialog, kMsgMenuListMissing);
    return kBindingFailed;
  }
  if (restore == 1) {
    binding::BackupSlot* slot = binding::FindBackupSlot(dialog, ids.code);
    if (slot == nullptr) {
      binding::InternalError(dialog, kMsgRestoreWithoutBackup);
      return kBindingFailed;
    }
    bool refused = false;
    for (const MenuListEntry& row : rows) {
      const std::uint8_t* saved = slot->Next(kValueBackupBytes);
      if (row.flag == 0 || saved == nullptr) continue;
      double value = 0.0;
      std::memcpy(&value, saved, sizeof value);
      const byte status = WriteValue(row, value, set, model::kModeWriteUnchecked);
      if (status != 0 && !refused) binding::ShowRefusal(status, binding::BackupInsert(binding::TextEntry(row, 0)));
      refused = refused || status != 0;
    }
    return refused ? kBindingFailed : kBindingOk;
  }
  bool code_changed = false;
  if ((control == 0 || control == ids.code) && rows[0].flag != 0 &&
      StoreCode(dialog, rows, ids, control, set, code_changed) != 0) {
    return kBindingFailed;
  }
  // After a new code the value edits still show the old target's values: they are not taken for the new one.
  const std::string code = Upper(binding::ItemText(dialog, ids.code));
  const int value_ids[2] = {ids.value1, ids.value2};
  for (int k = 0; k < 2; ++k) {
    const bool chosen = control == value_ids[k] || (control == 0 && !code_changed);
    if (chosen && StoreValue(dialog, rows[1 + k], value_ids[k], code, set) != 0) return kBindingFailed;
  }
  return kBindingOk;
}

byte SendJumpTargetParameterOnline(HWND, byte table, byte target, const JumpTargetIds& ids, int control, byte set) {
  std::array<MenuListEntry, kRowsPerTarget> rows{};
  const int row_ids[kRowsPerTarget] = {ids.code, ids.value1, ids.value2};
  for (int k = 0; k < kRowsPerTarget; ++k) {
    if (control != row_ids[k]) continue;
    if (!TargetRows(table, target, set, rows)) return kBindingFailed;
    return binding::SendParameter(set, rows[k].record, rows[k].element);
  }
  return kBindingOk;
}

}  // namespace app
