#include "platform/win/caret.h"

#include "platform/win/timers.h"
#include "platform/win/window.h"

namespace platform::win {
namespace {

constexpr UINT kDefaultBlinkMs = 530;
constexpr UINT kNoBlink = 0xFFFFFFFF;
constexpr UINT_PTR kBlinkTimer = 0xCA7E;

struct CaretState {
  HWND owner = nullptr;
  bool on = false;
  UINT blink_ms = kDefaultBlinkMs;
};

CaretState& C() {
  static CaretState s;
  return s;
}

void CALLBACK Blink(HWND hwnd, UINT, UINT_PTR, DWORD) {
  CaretState& s = C();
  if (s.owner != hwnd || !IsWindow(hwnd)) {
    detail::KillSystemTimer(hwnd, kBlinkTimer);
    return;
  }
  s.on = !s.on;
  InvalidateRect(hwnd, nullptr, FALSE);
}

void Arm(HWND owner) {
  if (C().blink_ms != kNoBlink) detail::SetSystemTimer(owner, kBlinkTimer, C().blink_ms, Blink);
}

}  // namespace

void StartCaret(HWND owner) {
  CaretState& s = C();
  if (s.owner && s.owner != owner) StopCaret(s.owner);
  s.owner = owner;
  s.on = true;
  Arm(owner);
}

void StopCaret(HWND owner) {
  CaretState& s = C();
  if (s.owner != owner) return;
  detail::KillSystemTimer(owner, kBlinkTimer);
  s.owner = nullptr;
  s.on = false;
}

void RestartCaretBlink(HWND owner) {
  CaretState& s = C();
  if (s.owner != owner) return;
  if (!s.on) InvalidateRect(owner, nullptr, FALSE);
  s.on = true;
  Arm(owner);
}

bool CaretOn(HWND owner) { return owner && C().owner == owner && C().on; }

}  // namespace platform::win

UINT GetCaretBlinkTime() { return platform::win::C().blink_ms; }

BOOL SetCaretBlinkTime(UINT ms) {
  auto& s = platform::win::C();
  s.blink_ms = ms ? ms : platform::win::kDefaultBlinkMs;
  if (s.owner) {
    s.on = true;
    if (ms == platform::win::kNoBlink) platform::win::detail::KillSystemTimer(s.owner, platform::win::kBlinkTimer);
    else platform::win::Arm(s.owner);
  }
  return TRUE;
}
