// The handle map, and the message filter that runs PreTranslateMessage while any object is bound.
#include "platform/afx/handle_map.h"

#include <memory>
#include <unordered_map>

#include "platform/afx/wnd.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace afx {
namespace {

struct HandleMap {
  std::unordered_map<HWND, CWnd*> permanent;
  std::unordered_map<HWND, std::unique_ptr<CWnd>> temporary;
  int filter = 0;
};

HandleMap& Map() {
  static HandleMap map;
  return map;
}

// From the message's window up to its top-level window, the bound objects may consume the message.
bool PreTranslate(MSG& msg) {
  HWND h = msg.hwnd;
  while (h && IsWindow(h)) {
    if (CWnd* w = detail::LookupPermanent(h)) {
      if (w->PreTranslateMessage(&msg)) return true;
    }
    if (!(GetWindowLong(h, GWL_STYLE) & WS_CHILD)) break;
    h = GetParent(h);
  }
  return false;
}

void DropStaleTemporaries(HandleMap& m) {
  for (auto it = m.temporary.begin(); it != m.temporary.end();) {
    if (!IsWindow(it->first) || m.permanent.count(it->first)) {
      it->second->m_hWnd = nullptr;
      it = m.temporary.erase(it);
    } else {
      ++it;
    }
  }
}

}  // namespace

namespace detail {

CWnd* LookupPermanent(HWND hwnd) {
  auto& m = Map().permanent;
  auto it = m.find(hwnd);
  return it == m.end() ? nullptr : it->second;
}

bool BindPermanent(HWND hwnd, CWnd* object) {
  HandleMap& m = Map();
  if (!m.permanent.emplace(hwnd, object).second) return false;
  if (m.filter == 0) m.filter = platform::win::AddMessageFilter(&PreTranslate);
  return true;
}

void UnbindPermanent(HWND hwnd, const CWnd* object) {
  HandleMap& m = Map();
  auto it = m.permanent.find(hwnd);
  if (it == m.permanent.end() || it->second != object) return;
  m.permanent.erase(it);
  if (m.permanent.empty()) {
    // Temporaries are made for the bound objects' use; with none left they go too.
    for (auto& [h, t] : m.temporary) t->m_hWnd = nullptr;
    m.temporary.clear();
    if (m.filter) platform::win::RemoveMessageFilter(m.filter);
    m.filter = 0;
  }
}

CWnd* TemporaryFor(HWND hwnd) {
  HandleMap& m = Map();
  DropStaleTemporaries(m);
  auto it = m.temporary.find(hwnd);
  if (it != m.temporary.end()) return it->second.get();
  auto object = std::make_unique<CWnd>();
  object->m_hWnd = hwnd;
  CWnd* raw = object.get();
  m.temporary.emplace(hwnd, std::move(object));
  return raw;
}

std::vector<std::pair<HWND, CWnd*>> PermanentBindings() {
  auto& m = Map().permanent;
  return {m.begin(), m.end()};
}

}  // namespace detail

std::size_t BoundWindowCount() {
  HandleMap& m = Map();
  DropStaleTemporaries(m);
  return m.permanent.size() + m.temporary.size();
}

}  // namespace afx
