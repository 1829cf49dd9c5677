// Copying one process block into another: the rows of two parallel menu lists, element by element.
#include <new>

#include "app/binding/binding_support.h"
#include "app/common/shell_state.h"
#include "model/element_access.h"
#include "model/menu_list_table.h"
#include "platform/sys/global_memory.h"
#include "platform/sys/user_name.h"

namespace app {
namespace {

using binding::MenuListEntry;

// Both lists in one block of moveable memory, as long as the copy runs.
class ListPair {
 public:
  ListPair() {
    block_ = GlobalAlloc(GHND, 2 * kEntries * sizeof(MenuListEntry));
    void* base = block_ != nullptr ? GlobalLock(block_) : nullptr;
    if (base != nullptr) entries_ = new (base) MenuListEntry[2 * kEntries]{};
  }
  ListPair(const ListPair&) = delete;
  ListPair& operator=(const ListPair&) = delete;
  ~ListPair() {
    if (block_ == nullptr) return;
    SetLastError(NO_ERROR);
    if (entries_ != nullptr && GlobalUnlock(block_) == 0 && GetLastError() != NO_ERROR) {
      binding::InternalError(MainWindow(), kMsgBackupNotUnlocked);
    }
    if (GlobalFree(block_) != nullptr) binding::InternalError(MainWindow(), kMsgBackupNotReleased);
  }
  bool ok() const { return entries_ != nullptr; }
  MenuListEntry* from() { return entries_; }
  MenuListEntry* to() { return entries_ + kEntries; }

 private:
  static constexpr std::size_t kEntries = model::kMenuListBufferEntries;
  HGLOBAL block_ = nullptr;
  MenuListEntry* entries_ = nullptr;
};

// Reads the source row's element and writes it into the target row's; the first failing status.
byte CopyRow(const MenuListEntry& from, const MenuListEntry& to, byte set) {
  binding::StringBuffer text{};
  if (from.kind == 7) {
    const byte read = binding::ReadString(from.record, from.element, set, text);
    return read != 0 ? read : model::WriteElement(to.record, to.element, text.data(), model::kModeConverted, set);
  }
  double value = 0.0;
  const byte read = binding::ReadValue(from.record, from.element, &value, set);
  return read != 0 ? read : model::WriteElement(to.record, to.element, &value, model::kModeConverted, set);
}

}  // namespace

byte CopyProcessBlock(HWND, byte from_table, byte to_table, byte set, std::size_t* refused) {
  if (refused != nullptr) *refused = 0;
  ListPair lists;
  if (!lists.ok()) {
    binding::InternalError(MainWindow(), kMsgBackupNotReserved);
    return kBindingFailed;
  }
  if (model::LoadMenuList(from_table, lists.from(), set) != 0 || model::LoadMenuList(to_table, lists.to(), set) != 0) {
    binding::InternalError(MainWindow(), kMsgMenuListMissing);
    return kBindingFailed;
  }
  std::size_t refusals = 0;
  for (std::size_t i = 0; i < model::kMenuListBufferEntries; ++i) {
    const MenuListEntry& from = lists.from()[i];
    const MenuListEntry& to = lists.to()[i];
    if (from.record == 0 || to.record == 0) break;
    if (binding::IsHeading(from) || binding::IsHeading(to)) continue;
    if (!binding::HoldsValue(from.kind) && from.kind != 7) continue;
    // Rows a page only shows (actual values, states) are no setting of the block: nothing to copy.
    if (from.flag == 0 || to.flag == 0) continue;
    if (CopyRow(from, to, set) != 0) ++refusals;
  }
  if (refused != nullptr) *refused = refusals;
  return refusals == 0 ? kBindingOk : kCopyRowsRefused;
}

}  // namespace app
