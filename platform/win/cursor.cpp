#include "platform/win/cursor.h"

#include <algorithm>
#include <map>
#include <string>

#include "platform/win/cursor_image.h"
#include "platform/win/input_injection.h"
#include "platform/win/metrics.h"
#include "platform/win/resource_name.h"

namespace {

struct IconName {
  HINSTANCE instance = nullptr;
  std::uintptr_t number = 0;
};

struct CursorState {
  std::map<std::pair<std::uintptr_t, std::string>, std::uintptr_t> handles;
  std::map<std::uintptr_t, IconName> icons;  // icon handle -> where it comes from
  std::map<std::uintptr_t, std::uintptr_t> stock;  // handle -> stock number
  std::map<std::uintptr_t, IconName> resources;    // a module's cursor handle -> where it comes from
  std::map<std::uintptr_t, std::string> resource_keys;  // and its resource key
  std::uintptr_t next = 0x7000'0001;
  HCURSOR current = nullptr;
  int show_count = 0;
  bool clipped = false;
  RECT clip{};
  POINT pos{0, 0};
  platform::win::CursorBackend backend;
};

CursorState& C() {
  static CursorState s;
  return s;
}

std::uintptr_t HandleFor(HINSTANCE instance, LPCSTR name, bool cursor) {
  if (!name) return 0;
  std::string key = IS_INTRESOURCE(name) ? platform::win::ResourceNumberKey(name) : std::string(name);
  key += cursor ? "/c" : "/i";
  auto& s = C();
  auto k = std::make_pair(reinterpret_cast<std::uintptr_t>(instance), key);
  auto it = s.handles.find(k);
  if (it != s.handles.end()) return it->second;
  std::uintptr_t h = s.next++;
  s.handles[k] = h;
  if (!instance && IS_INTRESOURCE(name) && cursor) {
    s.stock[h] = reinterpret_cast<std::uintptr_t>(name);
  } else if (cursor) {
    s.resources[h] = IconName{instance, 0};
    s.resource_keys[h] = platform::win::ResourceNameKey(name);
  }
  if (!cursor) s.icons[h] = IconName{instance, IS_INTRESOURCE(name) ? reinterpret_cast<std::uintptr_t>(name) : 0};
  return h;
}

}  // namespace

HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name) { return reinterpret_cast<HCURSOR>(HandleFor(instance, name, true)); }
HICON LoadIcon(HINSTANCE instance, LPCSTR name) { return reinterpret_cast<HICON>(HandleFor(instance, name, false)); }

HCURSOR SetCursor(HCURSOR cursor) {
  HCURSOR old = C().current;
  C().current = cursor;
  if (old != cursor && C().backend.shape) C().backend.shape(C().show_count < 0 ? nullptr : cursor);
  return old;
}

HCURSOR GetCursor() { return C().current; }

int ShowCursor(BOOL show) {
  auto& s = C();
  const bool was_shown = s.show_count >= 0;
  const int count = show ? ++s.show_count : --s.show_count;
  if (was_shown != (count >= 0) && s.backend.shape) s.backend.shape(count >= 0 ? s.current : nullptr);
  return count;
}

BOOL SetCursorPos(int x, int y) {
  x = std::max(0, std::min(x, GetSystemMetrics(SM_CXSCREEN) - 1));
  y = std::max(0, std::min(y, GetSystemMetrics(SM_CYSCREEN) - 1));
  if (C().clipped) {
    x = std::max<int>(C().clip.left, std::min<int>(x, C().clip.right - 1));
    y = std::max<int>(C().clip.top, std::min<int>(y, C().clip.bottom - 1));
  }
  platform::win::SetCursorScreenPos(x, y);
  if (C().backend.warp) C().backend.warp(x, y);
  return TRUE;
}

namespace platform::win::detail {
POINT CursorPos();
}

BOOL GetCursorPos(POINT* point) {
  if (!point) return FALSE;
  *point = platform::win::detail::CursorPos();
  return TRUE;
}

BOOL ClipCursor(const RECT* rect) {
  C().clipped = rect != nullptr;
  if (rect) C().clip = *rect;
  if (C().backend.clip) C().backend.clip(rect);
  return TRUE;
}

BOOL GetClipCursor(RECT* rect) {
  if (!rect) return FALSE;
  *rect = C().clipped ? C().clip : RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return TRUE;
}

BOOL DestroyCursor(HCURSOR cursor) {
  platform::win::detail::ForgetCreatedCursor(cursor);
  return TRUE;
}
BOOL DestroyIcon(HICON) { return TRUE; }

std::uintptr_t platform::win::StockCursorId(HCURSOR cursor) {
  auto it = C().stock.find(reinterpret_cast<std::uintptr_t>(cursor));
  return it == C().stock.end() ? 0 : it->second;
}

bool platform::win::CursorClipped() { return C().clipped; }

bool platform::win::IconSource(HICON icon, HINSTANCE* instance, std::uintptr_t* number) {
  auto it = C().icons.find(reinterpret_cast<std::uintptr_t>(icon));
  if (it == C().icons.end()) return false;
  if (instance) *instance = it->second.instance;
  if (number) *number = it->second.number;
  return true;
}

void platform::win::SetCursorBackend(CursorBackend backend) {
  C().backend = std::move(backend);
  if (C().backend.shape && C().current) C().backend.shape(C().show_count < 0 ? nullptr : C().current);
}

std::uintptr_t platform::win::detail::NewCursorHandle() { return C().next++; }

bool platform::win::detail::CursorResourceOf(HCURSOR cursor, HINSTANCE* instance, std::string* key) {
  const auto h = reinterpret_cast<std::uintptr_t>(cursor);
  auto it = C().resources.find(h);
  if (it == C().resources.end()) return false;
  if (instance) *instance = it->second.instance;
  if (key) *key = C().resource_keys[h];
  return true;
}
