// Storing a run of controls back into the data set, or putting the backup of the page's opening back (Cancel).
#include <array>
#include <cstring>

#include "app/binding/binding_backup.h"
#include "app/binding/binding_support.h"
#include "model/element_access.h"
#include "platform/win/win.h"

namespace app {
namespace {

using binding::ListRows;
using binding::MenuListEntry;

struct Target {
  HWND dialog;
  byte set;
  int id;
};

// Each store function writes one row's control when it differs from the element and returns 0, or 1 after the
// refusal's message.
using StoreRow = byte (*)(const MenuListEntry& row, const Target& t);

byte StoreNothing(const MenuListEntry&, const Target&) { return kBindingOk; }

// Writes a value in mode 5 when it differs from the current one; the status of the read or the write.
byte WriteIfChanged(const MenuListEntry& row, byte set, double value, bool always = false) {
  double current = 0.0;
  const byte read = binding::ReadValue(row.record, row.element, &current, set);
  if (read != 0) return read;
  if (!always && current == value) return 0;
  return model::WriteElement(row.record, row.element, &value, model::kModeConverted, set);
}

byte RefuseRange(const MenuListEntry& row, byte set, byte status) {
  double lower = 0.0;
  double upper = 0.0;
  const byte limits = binding::ReadLimits(row, set, lower, upper);
  if (limits != 0) {
    binding::ShowStatus(limits);
  } else {
    binding::ShowRefusal(status, binding::RangeInsert(binding::TextEntry(row, 0), lower, upper,
                                                      binding::TextEntry(row, 1)));
  }
  return kBindingFailed;
}

byte StoreNumber(const MenuListEntry& row, const Target& t) {
  double current = 0.0;
  const byte read = binding::ReadValue(row.record, row.element, &current, t.set);
  if (read != 0) {
    binding::ShowStatus(read);
    return kBindingFailed;
  }
  const std::string text = binding::ItemText(t.dialog, t.id);
  // The text the fill showed stands for the stored value, whatever its rounding: nothing was typed.
  if (text == binding::FormatEntry(current, row.kind, row.attributes)) return kBindingOk;
  const std::optional<double> value = binding::ParseEntry(text, row.kind, row.attributes);
  if (!value) return RefuseRange(row, t.set, 6);
  if (*value == current) return kBindingOk;
  byte status = binding::CheckLimits(row, t.set, *value);
  if (status == 0) status = model::WriteElement(row.record, row.element, &*value, model::kModeConverted, t.set);
  return status == 0 ? kBindingOk : RefuseRange(row, t.set, status);
}

byte StoreCheck(const MenuListEntry& row, const Target& t) {
  const double value = IsDlgButtonChecked(t.dialog, t.id) == BST_CHECKED ? 1.0 : 0.0;
  const byte status = WriteIfChanged(row, t.set, value);
  if (status == 0) return kBindingOk;
  binding::ShowRefusal(status, binding::CheckboxInsert(binding::TextEntry(row, 0)));
  return kBindingFailed;
}

byte StoreRadio(const MenuListEntry& row, const Target& t) {
  int checked = -1;
  for (int k = 0; k < binding::RadioTextCount(row) && checked < 0; ++k) {
    if (IsDlgButtonChecked(t.dialog, t.id + k) == BST_CHECKED) checked = k;
  }
  if (checked < 0) {
    binding::InternalError(t.dialog, kMsgNoRadioChecked);
    return kBindingFailed;
  }
  const byte status = WriteIfChanged(row, t.set, checked);
  if (status == 0) return kBindingOk;
  binding::ShowRefusal(status, binding::ParameterInsert(binding::TextEntry(row, 0)));
  return kBindingFailed;
}

byte StoreSelection(const MenuListEntry& row, const Target& t) {
  // The "Wrong selection" item, or none, stands for a value the list cannot show: nothing is written.
  const std::optional<long> value = binding::SelectedComboValue(GetDlgItem(t.dialog, t.id));
  if (!value) return kBindingOk;
  const byte status = WriteIfChanged(row, t.set, static_cast<double>(*value));
  if (status == 0) return kBindingOk;
  binding::ShowRefusal(status, binding::ParameterInsert(binding::TextEntry(row, 0)));
  return kBindingFailed;
}

byte StoreString(const MenuListEntry& row, const Target& t) {
  const std::string text = binding::ItemText(t.dialog, t.id);
  binding::StringBuffer current{};
  byte status = binding::ReadString(row.record, row.element, t.set, current);
  if (status == 0 && text == current.data()) return kBindingOk;
  if (status == 0 && text.size() + 1 > binding::ElementSize(row.record, row.element)) status = 4;
  if (status == 0) {
    binding::StringBuffer value{};
    std::memcpy(value.data(), text.data(), text.size());
    status = model::WriteElement(row.record, row.element, value.data(), model::kModeConverted, t.set);
  }
  if (status == 0) return kBindingOk;
  binding::ShowRefusal(status, binding::ParameterInsert(binding::TextEntry(row, 0)));
  return kBindingFailed;
}

byte StoreBit(const MenuListEntry& row, const Target& t) {
  double current = 0.0;
  byte status = binding::ReadValue(row.record, row.element, &current, t.set);
  if (status == 0 && row.attributes < 32) {
    auto bits = static_cast<std::uint32_t>(binding::AsInteger(current));
    const std::uint32_t mask = std::uint32_t{1} << row.attributes;
    bits = IsDlgButtonChecked(t.dialog, t.id) == BST_CHECKED ? (bits | mask) : (bits & ~mask);
    status = WriteIfChanged(row, t.set, static_cast<double>(bits), true);
  }
  if (status == 0) return kBindingOk;
  binding::ShowRefusal(status, binding::CheckboxInsert(binding::TextEntry(row, 0)));
  return kBindingFailed;
}

constexpr std::array<StoreRow, 15> kStoreByKind = {
    StoreNothing, StoreNumber, StoreCheck,   StoreRadio,   StoreSelection, StoreNothing, StoreNothing, StoreString,
    StoreNothing, StoreNumber, StoreNumber, StoreNothing, StoreNothing,   StoreNumber,  StoreBit};
static_assert(kStoreByKind.size() == 15);

// Puts one row's backup back when it differs from the element (mode 6: no availability check).
byte RestoreRow(const MenuListEntry& row, const std::uint8_t* saved, byte set) {
  if (row.kind == 7) {
    binding::StringBuffer current{};
    const byte read = binding::ReadString(row.record, row.element, set, current);
    if (read != 0) return read;
    binding::StringBuffer value{};
    std::memcpy(value.data(), saved, value.size());
    value.back() = '\0';
    if (std::strcmp(value.data(), current.data()) == 0) return 0;
    return model::WriteElement(row.record, row.element, value.data(), model::kModeWriteUnchecked, set);
  }
  double value = 0.0;
  std::memcpy(&value, saved, sizeof value);
  double current = 0.0;
  const byte read = binding::ReadValue(row.record, row.element, &current, set);
  if (read != 0) return read;
  if (current == value) return 0;
  return model::WriteElement(row.record, row.element, &value, model::kModeWriteUnchecked, set);
}

}  // namespace

byte StoreDialogToParameters(HWND dialog, int first, int last, int control, byte table, byte set, byte restore) {
  ListRows rows;
  if (!binding::LoadRows(table, set, rows)) {
    binding::InternalError(dialog, kMsgMenuListMissing);
    return kBindingFailed;
  }
  binding::BackupSlot* slot = nullptr;
  if (restore == 1) {
    slot = binding::FindBackupSlot(dialog, first);
    if (slot == nullptr) {
      binding::InternalError(dialog, kMsgRestoreWithoutBackup);
      return kBindingFailed;
    }
  }
  bool refused = false;
  int id = first;
  for (std::size_t i = 0; i < rows.count; ++i) {
    const MenuListEntry& row = rows[i];
    const int ids = binding::IdsOfRow(row);
    if (ids == 0) continue;
    const int row_id = id;
    id += ids;
    if (slot != nullptr) {
      // A restore goes on past a refused row, so that Cancel puts back all it can, and reports the first.
      const std::uint8_t* saved = slot->Next(binding::BackupBytesOfRow(row));
      if (row.flag == 0 || saved == nullptr || id > last) continue;
      const byte status = RestoreRow(row, saved, set);
      if (status != 0 && !refused) binding::ShowRefusal(status, binding::BackupInsert(binding::TextEntry(row, 0)));
      refused = refused || status != 0;
      continue;
    }
    // Read-only rows show what is stored and are never written back.
    const bool chosen = control == 0 || control == row_id || (row.kind == 3 && row.flag != 0);
    if (!chosen || row.flag == 0 || id > last || row.kind >= kStoreByKind.size()) continue;
    if (kStoreByKind[row.kind](row, Target{dialog, set, row_id}) != 0) return kBindingFailed;
  }
  if (id != last) {
    binding::InternalError(dialog, kMsgIdRunMismatch);
    return kBindingFailed;
  }
  return refused ? kBindingFailed : kBindingOk;
}

}  // namespace app
