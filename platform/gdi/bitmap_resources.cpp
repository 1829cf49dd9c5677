#include "platform/gdi/bitmap_resources.h"

#include <cctype>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <utility>

#include "platform/gdi/bitmap.h"
#include "platform/gdi/dib.h"
#include "platform/sys/dynamic_library.h"
#include "platform/win/resource_name.h"

namespace platform::gdi {
namespace {

struct Resource {
  const void* bytes;
  std::size_t size;
};

std::map<std::pair<HINSTANCE, std::string>, Resource>& Table() {
  static std::map<std::pair<HINSTANCE, std::string>, Resource> table;
  return table;
}

[[maybe_unused]] const int kDropOnUnload =
    platform::sys::AddModuleUnloadListener(platform::sys::UnloadPhase::kAfterClose, [](HMODULE module) {
      std::erase_if(Table(), [&](const auto& e) { return e.first.first == module; });
    });

// A null name is the number 0, as before the key was shared with the other resources.
std::string Key(LPCSTR name) { return name ? platform::win::ResourceNameKey(name) : platform::win::ResourceNumberKey(name); }

}  // namespace

void RegisterBitmapResource(HINSTANCE instance, LPCSTR name, const void* bmp_file, std::size_t size) {
  Table()[{instance, Key(name)}] = Resource{bmp_file, size};
}

HBITMAP BitmapFromBmpFile(const void* bmp_file, std::size_t size) {
  const auto* p = static_cast<const std::uint8_t*>(bmp_file);
  if (!p || size < 14 + sizeof(BITMAPCOREHEADER) || p[0] != 'B' || p[1] != 'M') return nullptr;
  std::uint32_t off_bits = 0, header_size = 0;
  std::memcpy(&off_bits, p + 10, 4);
  std::memcpy(&header_size, p + 14, 4);
  if (header_size > size - 14 || off_bits > size || off_bits < 14 + header_size) return nullptr;
  // The header is copied to aligned memory with room for a full palette.
  std::string header(static_cast<std::size_t>(off_bits - 14) + 1024, '\0');
  std::memcpy(header.data(), p + 14, off_bits - 14);
  const auto* info = reinterpret_cast<const BITMAPINFO*>(header.data());
  const auto format = ReadDibFormat(info, DIB_RGB_COLORS);
  if (!format || DibImageSize(info) > size - off_bits) return nullptr;
  BITMAPINFOHEADER bih{};
  bih.biSize = sizeof(bih);
  bih.biWidth = format->width;
  bih.biHeight = format->top_down ? -format->height : format->height;
  bih.biPlanes = 1;
  bih.biBitCount = static_cast<WORD>(format->bits);
  return CreateDIBitmap(nullptr, &bih, CBM_INIT, p + off_bits, info, DIB_RGB_COLORS);
}

}  // namespace platform::gdi

HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name) {
  if (!name) return nullptr;
  auto& table = platform::gdi::Table();
  const std::string key = platform::gdi::Key(name);
  auto it = table.find({instance, key});
  if (it == table.end()) {
    for (auto i = table.begin(); i != table.end(); ++i)
      if (i->first.second == key) {
        it = i;
        break;
      }
  }
  if (it == table.end()) return nullptr;
  return platform::gdi::BitmapFromBmpFile(it->second.bytes, it->second.size);
}
