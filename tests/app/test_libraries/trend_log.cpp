// A stand-in for the scope library that logs every call as one line ("Name(args)"). TrendLogText gives the log,
// TrendLogClear empties it, TrendLogRefuseWindow makes OpenWindow fail. Built twice: with every entry point,
// and (TREND_LOG_PARTIAL) without Trend_SetScopeColor.
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/sys/wintypes.h"

#define TREND_LOG_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::string& Log() {
  static std::string log;
  return log;
}
bool& RefuseWindow() {
  static bool refuse = false;
  return refuse;
}
HWND Window() { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x5C0)); }

void Line(const char* format, auto... args) {
  char text[160];
  std::snprintf(text, sizeof text, format, args...);
  Log() += text;
  Log() += '\n';
}

}  // namespace

TREND_LOG_EXPORT const char* TrendLogText() { return Log().c_str(); }
TREND_LOG_EXPORT void TrendLogClear() { Log().clear(); }
TREND_LOG_EXPORT void TrendLogRefuseWindow(int refuse) { RefuseWindow() = refuse != 0; }

TREND_LOG_EXPORT HWND Trend_OpenWindow(HWND) {
  Line("%s", "OpenWindow");
  return RefuseWindow() ? nullptr : Window();
}
TREND_LOG_EXPORT BOOL Trend_CloseWindow() {
  Line("%s", "CloseWindow");
  return TRUE;
}
TREND_LOG_EXPORT void Trend_SetTitle(const char* title) { Line("SetTitle(%s)", title); }
TREND_LOG_EXPORT HWND Trend_GetWindowHandle() {
  Line("%s", "GetWindowHandle");
  return Window();
}
TREND_LOG_EXPORT int Trend_ActivateWindow() {
  Line("%s", "ActivateWindow");
  return 1;
}
TREND_LOG_EXPORT void Trend_SetIDCWait() { Line("%s", "SetIDCWait"); }
TREND_LOG_EXPORT void Trend_ResetIDCWait() { Line("%s", "ResetIDCWait"); }
TREND_LOG_EXPORT short Trend_GetXRaster() { return 10; }
TREND_LOG_EXPORT short Trend_GetYRaster() { return 8; }
TREND_LOG_EXPORT void Trend_SetWindowPos(short, short, short, short) { Line("%s", "SetWindowPos"); }
TREND_LOG_EXPORT void Trend_SetChannelKey(short c, int key) { Line("SetChannelKey(%d,%d)", c, key); }
TREND_LOG_EXPORT void Trend_SetChannelDType(short c, short type) { Line("SetChannelDType(%d,%d)", c, type); }
TREND_LOG_EXPORT void Trend_SetChannelKomma(short c, char k) { Line("SetChannelKomma(%d,%d)", c, k); }
TREND_LOG_EXPORT void Trend_SetChannelArt(short c, char a) { Line("SetChannelArt(%d,%d)", c, a); }
TREND_LOG_EXPORT void Trend_SetChannelDatacount(short c, unsigned n) { Line("SetChannelDatacount(%d,%u)", c, n); }
TREND_LOG_EXPORT void Trend_SetChannelData(short c, unsigned at, unsigned n, const double* v) {
  Line("SetChannelData(%d,%u,%u,%.6g)", c, at, n, *v);
}
TREND_LOG_EXPORT void Trend_SetChannelName(short c, const char* name) { Line("SetChannelName(%d,%s)", c, name); }
TREND_LOG_EXPORT void Trend_SetChannelUnit(short c, const char* unit) { Line("SetChannelUnit(%d,%s)", c, unit); }
TREND_LOG_EXPORT void Trend_SetTriggerFrame(int n) { Line("SetTriggerFrame(%d)", n); }
TREND_LOG_EXPORT void Trend_SetTimeBase(int us) { Line("SetTimeBase(%d)", us); }
TREND_LOG_EXPORT void Trend_ResetScopeData() { Line("%s", "ResetScopeData"); }
#ifndef TREND_LOG_PARTIAL
TREND_LOG_EXPORT void Trend_SetScopeColor(short which, COLORREF c) { Line("SetScopeColor(%d,%06X)", which, static_cast<unsigned>(c)); }
#endif
TREND_LOG_EXPORT COLORREF Trend_GetScopeColor(short) { return 0; }
