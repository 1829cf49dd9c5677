#include "platform/win/cursor_image.h"

#include <cstring>
#include <map>
#include <string>

#include "platform/sys/dynamic_library.h"
#include "platform/win/resource_name.h"

namespace platform::win {
namespace {

struct Images {
  std::map<std::pair<HINSTANCE, std::string>, CursorImage> resources;  // (module, resource key) -> picture
  std::map<std::uintptr_t, CursorImage> created;                     // CreateCursor handle -> picture
};

Images& I() {
  static Images images;
  return images;
}

[[maybe_unused]] const int kDropOnUnload =
    platform::sys::AddModuleUnloadListener(platform::sys::UnloadPhase::kAfterClose, [](HMODULE module) {
      std::erase_if(I().resources, [&](const auto& e) { return e.first.first == module; });
    });

void SetBit(std::vector<std::uint8_t>& plane, int stride, int x, int y) {
  plane[static_cast<std::size_t>(y * stride + x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
}

}  // namespace

std::optional<CursorImage> CursorImageFromPicture(const CursorPicture& picture) {
  if (picture.rows.empty() || !picture.rows[0]) return std::nullopt;
  CursorImage image;
  image.width = static_cast<int>(std::strlen(picture.rows[0]));
  image.height = static_cast<int>(picture.rows.size());
  image.hot = POINT{picture.hot_x, picture.hot_y};
  if (image.width == 0 || picture.hot_x < 0 || picture.hot_y < 0 || picture.hot_x >= image.width ||
      picture.hot_y >= image.height)
    return std::nullopt;
  const auto size = static_cast<std::size_t>(image.stride() * image.height);
  image.and_plane.assign(size, 0);
  image.xor_plane.assign(size, 0);
  for (int y = 0; y < image.height; ++y) {
    const char* row = picture.rows[static_cast<std::size_t>(y)];
    if (!row || static_cast<int>(std::strlen(row)) != image.width) return std::nullopt;
    for (int x = 0; x < image.width; ++x) {
      switch (row[x]) {
        case '#': break;
        case '-': SetBit(image.xor_plane, image.stride(), x, y); break;
        case '.': SetBit(image.and_plane, image.stride(), x, y); break;
        case '~':
          SetBit(image.and_plane, image.stride(), x, y);
          SetBit(image.xor_plane, image.stride(), x, y);
          break;
        default: return std::nullopt;
      }
    }
  }
  return image;
}

bool RegisterCursorResource(HINSTANCE instance, LPCSTR name, const CursorPicture& picture) {
  auto image = CursorImageFromPicture(picture);
  if (!image || !name) return false;
  I().resources[{instance, ResourceNameKey(name)}] = std::move(*image);
  return true;
}

std::optional<CursorImage> CursorImageOf(HCURSOR cursor) {
  if (auto it = I().created.find(reinterpret_cast<std::uintptr_t>(cursor)); it != I().created.end()) return it->second;
  HINSTANCE instance = nullptr;
  std::string key;
  if (!detail::CursorResourceOf(cursor, &instance, &key)) return std::nullopt;
  auto& resources = I().resources;
  if (auto it = resources.find({instance, key}); it != resources.end()) return it->second;
  for (const auto& [k, image] : resources)
    if (k.second == key) return image;
  return std::nullopt;
}

void detail::ForgetCreatedCursor(HCURSOR cursor) { I().created.erase(reinterpret_cast<std::uintptr_t>(cursor)); }

}  // namespace platform::win

HCURSOR CreateCursor(HINSTANCE, int hot_x, int hot_y, int width, int height, const void* and_plane,
                     const void* xor_plane) {
  if (!and_plane || !xor_plane || width <= 0 || height <= 0 || hot_x < 0 || hot_y < 0 || hot_x >= width ||
      hot_y >= height)
    return nullptr;
  platform::win::CursorImage image;
  image.width = width;
  image.height = height;
  image.hot = POINT{hot_x, hot_y};
  const auto size = static_cast<std::size_t>(image.stride() * height);
  const auto* a = static_cast<const std::uint8_t*>(and_plane);
  const auto* x = static_cast<const std::uint8_t*>(xor_plane);
  image.and_plane.assign(a, a + size);
  image.xor_plane.assign(x, x + size);
  const std::uintptr_t handle = platform::win::detail::NewCursorHandle();
  platform::win::I().created[handle] = std::move(image);
  return reinterpret_cast<HCURSOR>(handle);
}
