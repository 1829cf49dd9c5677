// The display's own cursors (zoom in, zoom out, pan, a captured trace), registered as cursor resources of the
// library's module.
#include <span>

#include "platform/win/cursor_image.h"
#include "platform/win/messages.h"
#include "scope/scope_resources.h"

namespace scope {
namespace {

#define SCOPE_CURSOR(number, hot_x, hot_y, ...) constexpr const char* kCursor##number[] = {__VA_ARGS__};
#include "scope/data/cursors.def"
#undef SCOPE_CURSOR

struct OwnCursor {
  UINT number;
  platform::win::CursorPicture picture;
};

const OwnCursor kOwnCursors[] = {
#define SCOPE_CURSOR(number, hot_x, hot_y, ...) {number, {hot_x, hot_y, kCursor##number}},
#include "scope/data/cursors.def"
#undef SCOPE_CURSOR
};
static_assert(std::size(kOwnCursors) == 4);

}  // namespace

void RegisterScopeCursors(HINSTANCE module) {
  for (const OwnCursor& c : kOwnCursors) platform::win::RegisterCursorResource(module, MAKEINTRESOURCE(c.number), c.picture);
}

}  // namespace scope
