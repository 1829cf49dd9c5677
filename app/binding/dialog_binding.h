// The binding between a menu list and a run of dialog controls. A parameter page is a dialog template whose
// bound controls carry the ids first, first+1, ... last-1 (last exclusive) in the order of the list's rows; the
// functions below fill them from a data set, store them back (conversion, range and availability checks), keep
// a backup of what a page showed at its opening for Cancel, send one control's parameter online (F2) and format
// single elements for other windows.
//
// Ids a row takes (its kind): 1, 2, 4, 5, 7, 9, 10, 13, 14 one; 3 one per radio text (at most 4) when the row's
// flag is set, one when it is not; 0, 6, 8, 11, 12 none. The same count is used by fill, store and send.
// A page uses it like this (the page frame):
//   init:    FillDialogFromParameters(page, first, last, list, GetActiveFile(), 1)
//   commit:  StoreDialogToParameters(page, first, last, id, list, set, 0), then a fill without backup
//   Cancel:  StoreDialogToParameters(page, first, last, 0, list, set, 1), ReleaseDialogBuffers(page)
//   OK/nav:  commit the pending control, ReleaseDialogBuffers(page)
//   F2:      commit, then SendControlParameterOnline(page, first, last, id, list, set)
// Messages go through the catalogue (group 13 internal errors as message boxes, group 12 refusals with their
// insert, group 1 online errors). Every function returns 0 for success unless it says otherwise.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/sys/wintypes.h"

namespace app {

using byte = std::uint8_t;

inline constexpr byte kBindingOk = 0;
inline constexpr byte kBindingFailed = 1;
// CopyProcessBlock: every row was read, but some writes were refused (their count is handed back).
inline constexpr byte kCopyRowsRefused = 2;

// Catalogue numbers of the binding's internal errors (group 13) and of the send refusal (group 2).
inline constexpr std::int8_t kBindingErrorGroup = 13;
inline constexpr std::int32_t kMsgMenuListMissing = 13;
inline constexpr std::int32_t kMsgIdRunMismatch = 14;
inline constexpr std::int32_t kMsgNoRadioChecked = 15;
inline constexpr std::int32_t kMsgBackupNotReserved = 16;
inline constexpr std::int32_t kMsgBackupNotUnlocked = 17;
inline constexpr std::int32_t kMsgBackupNotReleased = 18;
inline constexpr std::int32_t kMsgBackupOtherOwner = 19;
inline constexpr std::int32_t kMsgAllBackupsUsed = 20;
inline constexpr std::int32_t kMsgRestoreWithoutBackup = 21;
inline constexpr std::int32_t kMsgNoBackupToRelease = 22;
inline constexpr std::int32_t kMsgProcessBlockCopied = 37;
inline constexpr std::int32_t kMsgNotSendableWithF2 = 27;  // group 2

inline constexpr std::size_t kBackupSlots = 8;
inline constexpr std::size_t kStringBackupBytes = 1025;  // a kind-7 row's backup and the longest string
inline constexpr std::size_t kValueBackupBytes = 8;
inline constexpr std::size_t kUserCodeBackupBytes = 17;
inline constexpr std::size_t kValueTextLimit = 50;       // characters of a numeric entry
inline constexpr std::size_t kUserCodeLimit = 16;        // characters of a user-list or jump-target code
inline constexpr std::uint16_t kNotSendableRecord = 320;

// ---- the page binding ----
byte FillDialogFromParameters(HWND dialog, int first, int last, byte table, byte set, byte backup);
byte StoreDialogToParameters(HWND dialog, int first, int last, int control, byte table, byte set, byte restore);
// Frees every backup slot `dialog` owns.
byte ReleaseDialogBuffers(HWND dialog);
std::size_t CountUsedBackupSlots();
byte SendControlParameterOnline(HWND dialog, int first, int last, int control, byte table, byte set);

// ---- single elements ----
// 1 when value and limits were read (mode 5, active file), else 0 after a message box (3, 12, status).
byte ReadValueAndLimits(HWND owner, std::uint16_t record, std::uint16_t element, double* value, double* lower,
                        double* upper);
// The text of a selection element's value (its row of kind 2, 3 or 4 in list `table`), cut to size - 1.
// 0, 6 when there is no such row or the value has no text, or ReadElement's status.
byte SelectionTextOfElement(std::uint16_t record, std::uint16_t element, byte table, byte set, char* out,
                            std::uint16_t size);
// The display text of an element as its first row in the menu lists shows it (numbers formatted, with the unit
// when asked; selections "%d " and their text when asked). Written only when size is at least 50; 0 or 1.
byte ElementDisplayText(char* out, std::uint16_t size, std::uint16_t record, std::uint16_t element, byte with_unit,
                        byte with_text, byte set);
// Whether the data set holds a scope remark (record 317 element 2644 holds more than blanks).
bool IsTextElementSet(byte set);

// Copies the elements of the rows of list `from_table` into the elements of the parallel rows of `to_table`
// (mode 5 both ways; rows that either list only shows, flag 0, are passed over). 0 when every row was written;
// kCopyRowsRefused with the refusals counted in *refused; 1 when the lists or the memory could not be had (its
// message shown).
byte CopyProcessBlock(HWND owner, byte from_table, byte to_table, byte set, std::size_t* refused = nullptr);

// ---- user parameter lists: five ids per kind-7 row (code edit, name, value edit, combo box, unit) ----
inline constexpr int kUserListIdsPerRow = 5;
inline constexpr byte kUserValueNone = 0;
inline constexpr byte kUserValueEdit = 1;   // value edit and unit
inline constexpr byte kUserValueCombo = 2;  // combo box alone
byte FillUserListDialog(HWND dialog, int first, int last, byte table, byte set, byte backup);
byte StoreUserListDialog(HWND dialog, int first, int last, int control, byte table, byte set, byte restore);
byte SendUserListParameterOnline(HWND dialog, int first, int last, int control, byte table, byte set);
void ShowUserListValueControls(HWND dialog, byte mode, int value, int combo, int unit);

// ---- menu jump targets: three rows per target (code, two values) ----
struct JumpTargetIds {
  int code;
  int name;
  int value1;
  int value2;
  int unit;
};
byte FillJumpTargetDialog(HWND dialog, byte table, byte target, const JumpTargetIds& ids, byte set, byte backup);
byte StoreJumpTargetDialog(HWND dialog, byte table, byte target, const JumpTargetIds& ids, int control, byte set,
                           byte restore);
byte SendJumpTargetParameterOnline(HWND dialog, byte table, byte target, const JumpTargetIds& ids, int control,
                                   byte set);

// ---- the work text buffer: 1025 zero-filled bytes of moveable memory for the program's lifetime ----
// 0, or 1 after message (3, 13, 16); FreeWorkText reports (3, 13, 17) / (3, 13, 18).
byte AllocWorkText();
void FreeWorkText();
std::span<char> WorkText();  // empty while there is none

// ---- tests ----
// The online write of one parameter (the link's WriteParameterOnline unless replaced); null restores it.
using OnlineParameterWriter = byte (*)(byte set, std::uint16_t record, std::uint16_t element);
void SetOnlineParameterWriter(OnlineParameterWriter writer);

}  // namespace app
