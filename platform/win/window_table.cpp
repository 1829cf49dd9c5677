// The window table: slots with generations, so that a stale handle never reaches a live record; the class
// registry; the message observers and the display backend's window hooks.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <deque>
#include <map>

#include "platform/win/detail/dialog_data.h"
#include "platform/win/detail/queue.h"
#include "platform/win/detail/module_cleanup.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/input_injection.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace platform::win::detail {
namespace {

constexpr std::uintptr_t kIndexBits = 16;
constexpr std::uintptr_t kIndexMask = (1u << kIndexBits) - 1;
constexpr std::uintptr_t kGenerationMask = 0x7FFF;

struct Slot {
  std::uint16_t generation = 0;
  std::unique_ptr<Window> window;
};

struct Table {
  std::vector<Slot> slots{1};  // slot 0 is never used: a handle is never null
  std::deque<std::size_t> free;
  std::vector<HWND> top_levels;
};

Table& TheTable() {
  static Table table;
  return table;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

struct ClassRegistry {
  std::map<std::string, std::shared_ptr<WindowClassInfo>> by_name;
  ATOM next_atom = 0xC000;
};

ClassRegistry& Classes() {
  static ClassRegistry registry;
  return registry;
}

struct Observers {
  std::map<int, MessageObserver> message;
  std::map<int, WindowEventHook> window;
  int next = 1;
};

Observers& TheObservers() {
  static Observers o;
  return o;
}

HWND Encode(std::size_t index, std::uint16_t generation) {
  return reinterpret_cast<HWND>((static_cast<std::uintptr_t>(generation) << kIndexBits) | index);
}

void Emit(WindowEvent event, HWND top, const RECT& rect) {
  auto& hooks = TheObservers().window;
  if (hooks.empty()) return;
  std::vector<WindowEventHook> copy;
  for (auto& [id, hook] : hooks) copy.push_back(hook);
  for (auto& hook : copy) hook(event, top, rect);
}

}  // namespace

Window* Lookup(HWND hwnd) {
  auto value = reinterpret_cast<std::uintptr_t>(hwnd);
  std::size_t index = value & kIndexMask;
  auto generation = static_cast<std::uint16_t>((value >> kIndexBits) & kGenerationMask);
  if (index == 0 || (value >> kIndexBits) > kGenerationMask) return nullptr;
  auto& table = TheTable();
  if (index >= table.slots.size()) return nullptr;
  Slot& slot = table.slots[index];
  if (!slot.window || slot.generation != generation) return nullptr;
  return slot.window.get();
}

Window* Allocate() {
  BindUiThread();
  auto& table = TheTable();
  std::size_t index;
  // Reuse the oldest free slot, so that generations of one slot advance slowly; grow while that is cheap.
  if (!table.free.empty() && (table.slots.size() > kIndexMask || table.free.size() > 64)) {
    index = table.free.front();
    table.free.pop_front();
  } else if (table.slots.size() <= kIndexMask) {
    index = table.slots.size();
    table.slots.emplace_back();
  } else if (!table.free.empty()) {
    index = table.free.front();
    table.free.pop_front();
  } else {
    return nullptr;
  }
  Slot& slot = table.slots[index];
  slot.generation = static_cast<std::uint16_t>(((slot.generation + 1) & kGenerationMask) ? (slot.generation + 1) & kGenerationMask : 1);
  slot.window = std::make_unique<Window>();
  slot.window->handle = Encode(index, slot.generation);
  return slot.window.get();
}

void Release(HWND hwnd) {
  if (!Lookup(hwnd)) return;
  auto& table = TheTable();
  std::size_t index = reinterpret_cast<std::uintptr_t>(hwnd) & kIndexMask;
  // Move the record out first: its destructor may run control code that looks windows up.
  std::unique_ptr<Window> gone = std::move(table.slots[index].window);
  table.free.push_back(index);
}

std::vector<HWND> TopLevelWindows() { return TheTable().top_levels; }

const std::vector<HWND>& TopLevelWindowsInPlace() { return TheTable().top_levels; }

void AddTopLevel(HWND hwnd) { TheTable().top_levels.push_back(hwnd); }

void RemoveTopLevel(HWND hwnd) {
  auto& v = TheTable().top_levels;
  v.erase(std::remove(v.begin(), v.end(), hwnd), v.end());
}

std::shared_ptr<WindowClassInfo> FindClass(LPCSTR name) {
  EnsureSystemClasses();
  auto& reg = Classes();
  if (!name) return nullptr;
  if (IS_INTRESOURCE(name)) {
    auto atom = static_cast<ATOM>(reinterpret_cast<std::uintptr_t>(name));
    for (auto& [key, cls] : reg.by_name)
      if (cls->atom == atom) return cls;
    return nullptr;
  }
  auto it = reg.by_name.find(Lower(name));
  return it == reg.by_name.end() ? nullptr : it->second;
}

ATOM AddClass(std::shared_ptr<WindowClassInfo> cls) {
  auto& reg = Classes();
  std::string key = Lower(cls->name);
  if (reg.by_name.count(key)) return 0;
  cls->atom = reg.next_atom++;
  ATOM atom = cls->atom;
  reg.by_name[key] = std::move(cls);
  return atom;
}

void RemoveClassesWhere(const std::function<bool(const WindowClassInfo&)>& doomed) {
  std::erase_if(Classes().by_name, [&](const auto& e) { return doomed(*e.second); });
}

bool RemoveClass(LPCSTR name) {
  if (!name || IS_INTRESOURCE(name)) return false;
  return Classes().by_name.erase(Lower(name)) > 0;
}

void RegisterSystemClass(const char* name, WNDPROC proc, UINT style, int wnd_extra, bool hit_transparent) {
  auto cls = std::make_shared<WindowClassInfo>();
  cls->name = name;
  cls->proc = proc;
  cls->style = style;
  cls->wnd_extra = wnd_extra;
  cls->hit_transparent = hit_transparent;
  AddClass(std::move(cls));
}

bool IsClass(HWND hwnd, const char* name) {
  Window* w = Lookup(hwnd);
  if (!w || !w->cls || !name) return false;
  return Lower(w->cls->name) == Lower(name);
}

HWND Root(HWND hwnd) {
  Window* w = Lookup(hwnd);
  while (w && (w->style & WS_CHILD) && w->parent) {
    Window* p = Lookup(w->parent);
    if (!p) break;
    w = p;
  }
  return w ? w->handle : nullptr;
}

bool IsDescendant(HWND ancestor, HWND hwnd) {
  if (!ancestor) return false;
  for (Window* w = Lookup(hwnd); w; w = (w->style & WS_CHILD) ? Lookup(w->parent) : nullptr) {
    if (w->handle == ancestor) return true;
  }
  return false;
}

bool IsReallyVisible(HWND hwnd) {
  Window* w = Lookup(hwnd);
  if (!w) return false;
  for (; w; w = (w->style & WS_CHILD) ? Lookup(w->parent) : nullptr) {
    if (!(w->style & WS_VISIBLE)) return false;
  }
  return true;
}

bool IsReallyEnabled(HWND hwnd) {
  Window* w = Lookup(hwnd);
  if (!w) return false;
  for (; w; w = (w->style & WS_CHILD) ? Lookup(w->parent) : nullptr) {
    if (w->style & WS_DISABLED) return false;
  }
  return true;
}

LRESULT CallProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  Window* w = Lookup(hwnd);
  if (!w || !w->proc) return 0;
  WNDPROC proc = w->proc;
  auto& observers = TheObservers().message;
  if (!observers.empty()) {
    std::vector<MessageObserver> copy;
    for (auto& [id, o] : observers) copy.push_back(o);
    for (auto& o : copy) o(hwnd, message, wparam, lparam);
    if (!Lookup(hwnd)) return 0;
  }
  return proc(hwnd, message, wparam, lparam);
}

static RECT ScreenRectOf(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

void NotifyShown(HWND hwnd, bool shown) {
  Window* w = Lookup(hwnd);
  if (!w) return;
  if (w->style & WS_CHILD) {
    RECT r = w->rect;
    NotifyInvalidated(w->parent, r);
    return;
  }
  Emit(shown ? WindowEvent::kShown : WindowEvent::kHidden, hwnd, ScreenRectOf(hwnd));
}

void NotifyMinimized(HWND hwnd) {
  Window* w = Lookup(hwnd);
  if (!w || (w->style & WS_CHILD)) return;
  Emit(WindowEvent::kMinimized, hwnd, ScreenRectOf(hwnd));
}

void NotifyMoved(HWND hwnd) {
  Window* w = Lookup(hwnd);
  if (!w) return;
  if (w->style & WS_CHILD) return;
  Emit(WindowEvent::kMoved, hwnd, ScreenRectOf(hwnd));
}

void NotifyInvalidated(HWND hwnd, const RECT& client_rect) {
  Window* w = Lookup(hwnd);
  if (!w || TheObservers().window.empty()) return;
  HWND top = Root(hwnd);
  POINT origin{0, 0};
  MapWindowPoints(hwnd, top, &origin, 1);
  RECT r = client_rect;
  OffsetRect(&r, origin.x, origin.y);
  Emit(WindowEvent::kInvalidated, top, r);
}

void NotifyTextChanged(HWND hwnd) {
  Window* w = Lookup(hwnd);
  if (!w || (w->style & WS_CHILD)) return;
  Emit(WindowEvent::kTextChanged, hwnd, ScreenRectOf(hwnd));
}

void NotifyCreated(HWND hwnd) {
  Window* w = Lookup(hwnd);
  if (!w || (w->style & WS_CHILD)) return;
  Emit(WindowEvent::kCreated, hwnd, ScreenRectOf(hwnd));
}

void NotifyDestroyed(HWND hwnd) {
  Window* w = Lookup(hwnd);
  if (!w || (w->style & WS_CHILD)) return;
  Emit(WindowEvent::kDestroyed, hwnd, ScreenRectOf(hwnd));
}

std::string Describe(HWND hwnd) {
  Window* w = Lookup(hwnd);
  char buf[160];
  if (!w) {
    std::snprintf(buf, sizeof buf, "%p (no window)", static_cast<void*>(hwnd));
  } else {
    std::snprintf(buf, sizeof buf, "%p class \"%s\" id %lu text \"%.60s\"", static_cast<void*>(hwnd),
                  w->cls ? w->cls->name.c_str() : "?", static_cast<unsigned long>(w->id), w->text.c_str());
  }
  return buf;
}

void NotifyParent(HWND control, WORD code) {
  Window* w = Lookup(control);
  if (!w || !w->parent) return;
  HWND parent = w->parent;
  WPARAM wp = MAKEWPARAM(static_cast<WORD>(w->id), code);
  SendMessage(parent, WM_COMMAND, wp, FromHwnd(control));
}

LRESULT NotifyParentNm(HWND control, UINT code, NMHDR* header) {
  Window* w = Lookup(control);
  if (!w || !w->parent) return 0;
  header->hwndFrom = control;
  header->idFrom = w->id;
  header->code = code;
  return SendMessage(w->parent, WM_NOTIFY, w->id, reinterpret_cast<LPARAM>(header));
}

}  // namespace platform::win::detail

namespace platform::win {

int AddMessageObserver(MessageObserver observer) {
  auto& o = detail::TheObservers();
  int id = o.next++;
  o.message[id] = std::move(observer);
  return id;
}

void RemoveMessageObserver(int id) { detail::TheObservers().message.erase(id); }

int AddWindowEventHook(WindowEventHook hook) {
  auto& o = detail::TheObservers();
  int id = o.next++;
  o.window[id] = std::move(hook);
  return id;
}

void RemoveWindowEventHook(int id) { detail::TheObservers().window.erase(id); }

}  // namespace platform::win
