// The logo: a BMP file read by the program's own reader, checked against its size, and drawn centred into the
// main window. Every step leaves a line in a diagnostic text; the window shows none of it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win/win.h"

namespace app {

inline constexpr std::size_t kBitmapLogCapacity = 2048;
inline constexpr char kDefaultLogoName[] = "VANDRO2.BMP";

// Clears the image, sizes and the diagnostic text.
void BitmapReset();
// Drops the image, then BitmapReset.
void BitmapFree();
// Copies the diagnostic text (with its terminator) when it fits in capacity: 0; else 1 and nothing copied.
int BitmapGetLog(char* destination, std::size_t capacity);
const std::string& BitmapLog();
// Reads and checks a BMP file: 0 loaded, 1 refused (the reason in the diagnostic text, nothing held).
int BitmapLoadFile(const char* name);
// Draws the loaded image at (0, 0), or centred in the rectangle: 0, or 1 without an image or when drawing fails.
int BitmapPaint(HDC dc, int left, int top, int right, int bottom, int centre);
// Loads like BitmapLoadFile and reports every header field into text (see the .cpp for the copy rule): 0 / 1.
int BitmapParseHeader(const char* name, char* text, std::size_t capacity);
// The reader's entry that does nothing: 1.
int BitmapStub();
int BitmapWidth();
int BitmapHeight();

// Section "Bitmaps" of the settings file: "Mode" (0 = no logo) and one file per device family.
struct LogoBitmapSettings {
  int mode = 0;
  std::string zpr;
  std::string klx;
  std::string qwm;
};
// Reads the settings; a name that is not an absolute path lies beside the executable. 0, or 1 when there is no
// settings path (the settings stay cleared: no logo).
int LoadLogoBitmapSettings();
const LogoBitmapSettings& LogoSettings();
// The file for a device family: 3 "BitmapKlx", 2 "BitmapQwm", any other "BitmapZpr".
const std::string& LogoFileForFamily(std::uint8_t family);

}  // namespace app
