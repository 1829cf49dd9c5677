// The 23 functions of the scope library, with C linkage: the library defines them, a host that loads the library
// fetches them by name (GetProcAddress) into the PFN_ pointer types below. Channels are numbered 0..18; colours
// are 0x00BBGGRR. No function reports an error: out-of-range arguments are ignored.
#pragma once

#include "platform/sys/wintypes.h"

#define TREND_EXPORT __attribute__((visibility("default")))

extern "C" {
TREND_EXPORT int Trend_ActivateWindow();
TREND_EXPORT BOOL Trend_CloseWindow();
TREND_EXPORT COLORREF Trend_GetScopeColor(short which);
TREND_EXPORT HWND Trend_GetWindowHandle();
TREND_EXPORT short Trend_GetXRaster();
TREND_EXPORT short Trend_GetYRaster();
TREND_EXPORT HWND Trend_OpenWindow(HWND parent);
TREND_EXPORT void Trend_ResetIDCWait();
TREND_EXPORT void Trend_ResetScopeData();
TREND_EXPORT void Trend_SetChannelArt(short channel, char kind);
TREND_EXPORT void Trend_SetChannelDType(short channel, short data_type);
TREND_EXPORT void Trend_SetChannelData(short channel, unsigned start, unsigned count, const double* values);
TREND_EXPORT void Trend_SetChannelDatacount(short channel, unsigned count);
TREND_EXPORT void Trend_SetChannelKey(short channel, int key);
TREND_EXPORT void Trend_SetChannelKomma(short channel, char decimals);
TREND_EXPORT void Trend_SetChannelName(short channel, const char* name);
TREND_EXPORT void Trend_SetChannelUnit(short channel, const char* unit);
TREND_EXPORT void Trend_SetIDCWait();
TREND_EXPORT void Trend_SetScopeColor(short which, COLORREF colour);
TREND_EXPORT void Trend_SetTimeBase(int microseconds_per_sample);
TREND_EXPORT void Trend_SetTitle(const char* text);
TREND_EXPORT void Trend_SetTriggerFrame(int sample_index);
TREND_EXPORT void Trend_SetWindowPos(short x, short y, short width, short height);
}

using PFN_Trend_ActivateWindow = int (*)();
using PFN_Trend_CloseWindow = BOOL (*)();
using PFN_Trend_GetScopeColor = COLORREF (*)(short);
using PFN_Trend_GetWindowHandle = HWND (*)();
using PFN_Trend_GetXRaster = short (*)();
using PFN_Trend_GetYRaster = short (*)();
using PFN_Trend_OpenWindow = HWND (*)(HWND);
using PFN_Trend_ResetIDCWait = void (*)();
using PFN_Trend_ResetScopeData = void (*)();
using PFN_Trend_SetChannelArt = void (*)(short, char);
using PFN_Trend_SetChannelDType = void (*)(short, short);
using PFN_Trend_SetChannelData = void (*)(short, unsigned, unsigned, const double*);
using PFN_Trend_SetChannelDatacount = void (*)(short, unsigned);
using PFN_Trend_SetChannelKey = void (*)(short, int);
using PFN_Trend_SetChannelKomma = void (*)(short, char);
using PFN_Trend_SetChannelName = void (*)(short, const char*);
using PFN_Trend_SetChannelUnit = void (*)(short, const char*);
using PFN_Trend_SetIDCWait = void (*)();
using PFN_Trend_SetScopeColor = void (*)(short, COLORREF);
using PFN_Trend_SetTimeBase = void (*)(int);
using PFN_Trend_SetTitle = void (*)(const char*);
using PFN_Trend_SetTriggerFrame = void (*)(int);
using PFN_Trend_SetWindowPos = void (*)(short, short, short, short);

// The export names in ordinal order (1..23), for hosts and for the check of the library's symbol table.
inline constexpr const char* kTrendExportNames[] = {
    "Trend_ActivateWindow",   "Trend_CloseWindow",      "Trend_GetScopeColor",       "Trend_GetWindowHandle",
    "Trend_GetXRaster",       "Trend_GetYRaster",       "Trend_OpenWindow",          "Trend_ResetIDCWait",
    "Trend_ResetScopeData",   "Trend_SetChannelArt",    "Trend_SetChannelDType",     "Trend_SetChannelData",
    "Trend_SetChannelDatacount", "Trend_SetChannelKey", "Trend_SetChannelKomma",     "Trend_SetChannelName",
    "Trend_SetChannelUnit",   "Trend_SetIDCWait",       "Trend_SetScopeColor",       "Trend_SetTimeBase",
    "Trend_SetTitle",         "Trend_SetTriggerFrame",  "Trend_SetWindowPos",
};
