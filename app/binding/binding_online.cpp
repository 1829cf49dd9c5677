// F2 on a page: the parameter of the focused control goes to the inverter.
#include "app/binding/binding_support.h"
#include "app/common/wait_cursor.h"
#include "model/message_show.h"

namespace app {

namespace binding {

byte SendParameter(byte set, std::uint16_t record, std::uint16_t element) {
  if (record == kNotSendableRecord) {
    model::ShowMessage(3, 2, kMsgNotSendableWithF2);
    return kBindingFailed;
  }
  BeginWaitCursor();
  const byte status = WriteOnline(set, record, element);
  EndWaitCursor();
  if (status == 0) return kBindingOk;
  model::ShowMessage(3, 1, status);
  return kBindingFailed;
}

}  // namespace binding

byte SendControlParameterOnline(HWND, int first, int last, int control, byte table, byte set) {
  if (first >= last || control < first || control >= last) return kBindingFailed;
  binding::ListRows rows;
  if (!binding::LoadRows(table, set, rows)) return kBindingFailed;
  int id = first;
  for (std::size_t i = 0; i < rows.count; ++i) {
    const binding::MenuListEntry& row = rows[i];
    const int ids = binding::IdsOfRow(row);
    if (ids == 0) continue;
    if (id + ids > last) return kBindingFailed;
    if (control >= id && control < id + ids) {
      return row.kind == 5 ? kBindingOk : binding::SendParameter(set, row.record, row.element);
    }
    id += ids;
  }
  return kBindingOk;
}

}  // namespace app
