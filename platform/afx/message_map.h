// Message maps: a constant table per window class that routes a message, a control notification (WM_COMMAND
// with an id range and a code) or a WM_NOTIFY code (with an id range) to a member handler. A class's map names
// its base class's map; lookup runs from the most derived map to the base, the first matching row wins, and a
// message no row matches goes to the window's default processing.
//
// A class with rows publishes its map as a static kMessageMap (a class that does not would hand its base's
// map to the classes derived from it, and its own rows would be skipped for them) and returns it:
//
//   class CMyDlg : public afx::CDialog {
//    public:
//     static const afx::MessageMap kMessageMap;
//    protected:
//     const afx::MessageMap* GetMessageMap() const override { return &kMessageMap; }
//    private:
//     static const afx::MessageMapEntry kEntries[3];
//   };
//   const afx::MessageMapEntry CMyDlg::kEntries[3] = {
//       afx::OnSize<&CMyDlg::OnSize>(),
//       afx::OnMessage<WM_APP + 3, &CMyDlg::OnChannel>(),
//       afx::OnCommandRange<32781, 32802, &CMyDlg::OnMode>(),
//   };
//   const afx::MessageMap CMyDlg::kMessageMap{&afx::CDialog::kMessageMap, kEntries};
//
// The rows are constant data (constant-initialised, no start-up code); the handlers are template thunks.
#pragma once

#include <span>

#include "platform/sys/wintypes.h"
#include "platform/win/messages.h"

namespace afx {

class CWnd;

// The handler of a row: calls the member with the message's parameters unpacked and gives the result.
using MessageHandler = LRESULT (*)(CWnd& self, UINT message, WPARAM wparam, LPARAM lparam);

// The last id of a row that takes every id.
inline constexpr UINT kAnyId = 0xFFFFFFFFu;

struct MessageMapEntry {
  UINT message;   // WM_COMMAND rows match code and id range, WM_NOTIFY rows match code and id range
  UINT code;      // notification code (BN_CLICKED, TTN_NEEDTEXT, ...); unused for other messages
  UINT first_id;  // id range of the control or command, inclusive
  UINT last_id;
  MessageHandler handler;
};

struct MessageMap {
  const MessageMap* base;
  std::span<const MessageMapEntry> entries;
};

// The row of a map that handles a message, or null. Searches the base maps after the map itself.
const MessageMapEntry* FindMessageEntry(const MessageMap* map, UINT message, WPARAM wparam, LPARAM lparam);

namespace detail {

template <class T>
struct MemberOf;
template <class C, class R, class... A>
struct MemberOf<R (C::*)(A...)> {
  using Class = C;
};
template <auto M>
using ClassOf = typename MemberOf<decltype(M)>::Class;

template <auto M>
ClassOf<M>& Self(CWnd& w) {
  return static_cast<ClassOf<M>&>(w);
}

inline POINT PointOf(LPARAM lparam) { return POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}; }

template <auto M>
LRESULT CallVoid(CWnd& w, UINT, WPARAM, LPARAM) {
  (Self<M>(w).*M)();
  return 0;
}
template <auto M>
LRESULT CallSize(CWnd& w, UINT, WPARAM wparam, LPARAM lparam) {
  (Self<M>(w).*M)(static_cast<UINT>(wparam), LOWORD(static_cast<std::uintptr_t>(lparam)),
                  HIWORD(static_cast<std::uintptr_t>(lparam)));
  return 0;
}
template <auto M>
LRESULT CallMinMax(CWnd& w, UINT, WPARAM, LPARAM lparam) {
  (Self<M>(w).*M)(reinterpret_cast<MINMAXINFO*>(lparam));
  return 0;
}
template <auto M>
LRESULT CallSysCommand(CWnd& w, UINT, WPARAM wparam, LPARAM lparam) {
  (Self<M>(w).*M)(static_cast<UINT>(wparam), lparam);
  return 0;
}
template <auto M>
LRESULT CallCreate(CWnd& w, UINT, WPARAM, LPARAM lparam) {
  return (Self<M>(w).*M)(reinterpret_cast<CREATESTRUCT*>(lparam));
}
template <auto M>
LRESULT CallMouse(CWnd& w, UINT, WPARAM wparam, LPARAM lparam) {
  (Self<M>(w).*M)(static_cast<UINT>(wparam), PointOf(lparam));
  return 0;
}
template <auto M>
LRESULT CallKey(CWnd& w, UINT, WPARAM wparam, LPARAM lparam) {
  auto bits = static_cast<std::uintptr_t>(lparam);
  (Self<M>(w).*M)(static_cast<UINT>(wparam), LOWORD(bits), HIWORD(bits));
  return 0;
}
template <auto M>
LRESULT CallMessage(CWnd& w, UINT, WPARAM wparam, LPARAM lparam) {
  return (Self<M>(w).*M)(wparam, lparam);
}
template <auto M>
LRESULT CallNotify(CWnd& w, UINT, WPARAM, LPARAM lparam) {
  auto* header = reinterpret_cast<NMHDR*>(lparam);
  LRESULT result = 0;
  (Self<M>(w).*M)(static_cast<UINT>(header->idFrom), header, &result);
  return result;
}
template <auto M>
LRESULT CallCommandId(CWnd& w, UINT, WPARAM wparam, LPARAM) {
  (Self<M>(w).*M)(LOWORD(wparam));
  return 0;
}

}  // namespace detail

// A message with its parameters as they come: LRESULT (WPARAM, LPARAM).
template <UINT Message, auto M>
constexpr MessageMapEntry OnMessage() {
  return {Message, 0, 0, 0, &detail::CallMessage<M>};
}
// void (UINT type, int cx, int cy)
template <auto M>
constexpr MessageMapEntry OnSize() {
  return {WM_SIZE, 0, 0, 0, &detail::CallSize<M>};
}
// void (MINMAXINFO*)
template <auto M>
constexpr MessageMapEntry OnGetMinMaxInfo() {
  return {WM_GETMINMAXINFO, 0, 0, 0, &detail::CallMinMax<M>};
}
// void (UINT command, LPARAM)
template <auto M>
constexpr MessageMapEntry OnSysCommand() {
  return {WM_SYSCOMMAND, 0, 0, 0, &detail::CallSysCommand<M>};
}
// void ()
template <auto M>
constexpr MessageMapEntry OnDestroy() {
  return {WM_DESTROY, 0, 0, 0, &detail::CallVoid<M>};
}
// void ()
template <auto M>
constexpr MessageMapEntry OnPaint() {
  return {WM_PAINT, 0, 0, 0, &detail::CallVoid<M>};
}
// int (CREATESTRUCT*): -1 refuses the creation
template <auto M>
constexpr MessageMapEntry OnCreate() {
  return {WM_CREATE, 0, 0, 0, &detail::CallCreate<M>};
}
// Mouse messages: void (UINT key flags, POINT client point)
template <UINT Message, auto M>
constexpr MessageMapEntry OnMouse() {
  static_assert(Message >= WM_MOUSEFIRST && Message <= WM_MOUSELAST);
  return {Message, 0, 0, 0, &detail::CallMouse<M>};
}
template <auto M>
constexpr MessageMapEntry OnLButtonDown() {
  return OnMouse<WM_LBUTTONDOWN, M>();
}
template <auto M>
constexpr MessageMapEntry OnLButtonUp() {
  return OnMouse<WM_LBUTTONUP, M>();
}
template <auto M>
constexpr MessageMapEntry OnRButtonUp() {
  return OnMouse<WM_RBUTTONUP, M>();
}
template <auto M>
constexpr MessageMapEntry OnMouseMove() {
  return OnMouse<WM_MOUSEMOVE, M>();
}
// void (UINT virtual key, UINT repeat count, UINT flags)
template <auto M>
constexpr MessageMapEntry OnKeyDown() {
  return {WM_KEYDOWN, 0, 0, 0, &detail::CallKey<M>};
}
// WM_NOTIFY with this code from controls first..last: void (UINT id, NMHDR*, LRESULT* result)
template <UINT Code, UINT First, UINT Last, auto M>
constexpr MessageMapEntry OnNotifyRange() {
  static_assert(First <= Last);
  return {WM_NOTIFY, Code, First, Last, &detail::CallNotify<M>};
}
// WM_NOTIFY with this code from any control.
template <UINT Code, auto M>
constexpr MessageMapEntry OnNotify() {
  return OnNotifyRange<Code, 0, kAnyId, M>();
}
// WM_COMMAND with notification code Code from controls first..last: void (UINT id)
template <WORD Code, UINT First, UINT Last, auto M>
constexpr MessageMapEntry OnControlRange() {
  static_assert(First <= Last && Last <= 0xFFFF);
  return {WM_COMMAND, Code, First, Last, &detail::CallCommandId<M>};
}
// Menu and accelerator commands (code 0) first..last: void (UINT id)
template <UINT First, UINT Last, auto M>
constexpr MessageMapEntry OnCommandRange() {
  return OnControlRange<0, First, Last, M>();
}
// One command or control notification: void () is called through an id-taking row.
template <UINT Id, auto M>
constexpr MessageMapEntry OnCommand() {
  return {WM_COMMAND, 0, Id, Id, &detail::CallVoid<M>};
}
template <WORD Code, UINT Id, auto M>
constexpr MessageMapEntry OnControl() {
  return {WM_COMMAND, Code, Id, Id, &detail::CallVoid<M>};
}
// BN_CLICKED of one button (the same code as a menu command).
template <UINT Id, auto M>
constexpr MessageMapEntry OnButtonClicked() {
  return OnCommand<Id, M>();
}

}  // namespace afx
