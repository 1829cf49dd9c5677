// Cursors with pictures of their own: a program's cursor resources (registered as text pictures) and cursors
// made from two monochrome planes with CreateCursor. A display backend asks CursorImageOf for the picture of a
// cursor that is not a stock one.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/sys/wintypes.h"

// A cursor from an AND plane and an XOR plane of width x height bits each, rows padded to 16 bits, the leftmost
// pixel in the highest bit: AND 0 / XOR 0 black, 0 / 1 white, 1 / 0 the screen shows through, 1 / 1 the screen
// inverted. Null when a plane is missing, the size is not positive or the hot spot lies outside.
HCURSOR CreateCursor(HINSTANCE instance, int hot_x, int hot_y, int width, int height, const void* and_plane,
                     const void* xor_plane);

namespace platform::win {

// The picture of a cursor in the planes of CreateCursor.
struct CursorImage {
  int width = 0;
  int height = 0;
  POINT hot{0, 0};
  std::vector<std::uint8_t> and_plane;
  std::vector<std::uint8_t> xor_plane;
  // Bytes a row holds in the planes.
  int stride() const { return (width + 15) / 16 * 2; }
  // Pixel (x, y): the AND bit and the XOR bit.
  bool and_bit(int x, int y) const { return Bit(and_plane, x, y); }
  bool xor_bit(int x, int y) const { return Bit(xor_plane, x, y); }

 private:
  bool Bit(const std::vector<std::uint8_t>& plane, int x, int y) const {
    return (plane[static_cast<std::size_t>(y * stride() + x / 8)] >> (7 - x % 8)) & 1;
  }
};

// A cursor resource as text, one string a row, all rows of one length: '#' black, '-' white, '.' the screen
// shows through, '~' the screen inverted. The hot spot is the pixel that points.
struct CursorPicture {
  int hot_x = 0;
  int hot_y = 0;
  std::span<const char* const> rows;
};

// The planes of a picture; nullopt when it is empty, its rows differ in length, it holds another character or
// its hot spot lies outside.
std::optional<CursorImage> CursorImageFromPicture(const CursorPicture& picture);
// Registers a cursor resource of a module under a number (MAKEINTRESOURCE) or name for LoadCursor (the picture
// is copied; it goes when the module is unloaded). False when the picture is refused (see above).
bool RegisterCursorResource(HINSTANCE instance, LPCSTR name, const CursorPicture& picture);
// The picture of a cursor: one of CreateCursor, or a registered resource that LoadCursor named (that module's,
// else any module's of that name). nullopt for the stock cursors and for a resource nobody registered.
std::optional<CursorImage> CursorImageOf(HCURSOR cursor);

namespace detail {
// cursor.cpp: a fresh cursor handle, and the resource a handle of LoadCursor names.
std::uintptr_t NewCursorHandle();
bool CursorResourceOf(HCURSOR cursor, HINSTANCE* instance, std::string* key);
// cursor_image.cpp: DestroyCursor of a cursor of CreateCursor.
void ForgetCreatedCursor(HCURSOR cursor);
}  // namespace detail

}  // namespace platform::win
