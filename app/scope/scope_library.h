// The scope library binding: the trend-window library is loaded by file name when the scope front end needs it,
// its entry points are fetched by name, and the recording of the active data set is fed to it channel by
// channel. The library is referenced once however often it is asked to load; every call does nothing while it is
// not loaded.
#pragma once

#include <cstdint>

#include "platform/win/win.h"

namespace app {

// The file the binding loads ("ZprScope2.dll", the .so beside the executable); tests name another.
inline constexpr const char* kScopeLibraryFile = "ZprScope2.dll";
void SetScopeLibraryFile(const char* file);  // null: back to kScopeLibraryFile

// Loads the library (once) and fetches its entry points; a missing library or entry point shows its stop box,
// and a library without all entry points is released again.
void LoadScopeLibrary();
// Closes the trend window when one was opened and releases the library: nonzero when a library was released.
BOOL UnloadScopeLibrary();
bool ScopeLibraryLoaded();

// The trend window's handle, or 0 when no library is loaded or no window was opened.
HWND GetTrendWindowHandle();
void ActivateTrendWindow();

// The four colours of the next feed: background, grid, trigger line, marker.
void SetScopeColors(COLORREF background, COLORREF grid, COLORREF trigger_line, COLORREF marker);
// The four colours of section "Colors" of the settings file; a missing key gives its default.
void ReadScopeColors(COLORREF* background, COLORREF* grid, COLORREF* trigger_line, COLORREF* marker);
// ReadScopeColors, then SetScopeColors.
void TakeScopeColorsFromSettings();

// Opens the trend window and feeds it the active data set's recording (flag unused).
void ShowScopeData(int flag);

// The trend data-type code of an element's type.
short MapScopeDataType(std::uint16_t record, std::uint16_t element);
short MapScopeDataTypeOfType(std::uint8_t type);
// 4 (binary trace) for kind byte 2, else 0 (analogue).
char MapScopeChannelKind(std::uint8_t kind);
// Microseconds per sample of a sampling index: the recorder's period (1 ms for indexes 0..9, then 2, 5, 10 ...
// 50000 ms at index 23; an index above 23 counts as 0, as the recorder counts it).
int MapScopeTimeBase(std::uint8_t index);

// Installs the binding into the documents' file switch (show the recording, unload).
void InstallScopeLibraryBinding();

}  // namespace app
