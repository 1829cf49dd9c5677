// Fuzz target: the logo's BMP reader and header report on arbitrary file contents, then a paint of whatever it
// accepted into a small memory canvas.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "app/shell/logo_bitmap.h"
#include "platform/gdi/gdi.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/fuzz-logo-" + std::to_string(getpid()) + ".bmp";
  if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  char report[512];
  app::BitmapParseHeader(path.c_str(), report, sizeof report);
  app::BitmapFree();
  if (app::BitmapLoadFile(path.c_str()) == 0) {
    static HDC dc = [] {
      HDC memory = CreateCompatibleDC(nullptr);
      SelectObject(memory, CreateCompatibleBitmap(memory, 64, 48));
      return memory;
    }();
    if (app::BitmapWidth() <= 0 || app::BitmapHeight() <= 0) __builtin_trap();
    app::BitmapPaint(dc, 0, 0, 64, 48, 1);
  }
  if (app::BitmapLog().size() >= app::kBitmapLogCapacity) __builtin_trap();
  app::BitmapFree();
  std::remove(path.c_str());
  return 0;
}
