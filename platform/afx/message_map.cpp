// Message-map lookup.
#include "platform/afx/message_map.h"

namespace afx {
namespace {

// A row over the whole id range matches every id, also a window handle as the id of a TTF_IDISHWND tool.
bool InRange(const MessageMapEntry& e, UINT_PTR id) {
  if (e.first_id == 0 && e.last_id == kAnyId) return true;
  return id >= e.first_id && id <= e.last_id;
}

bool Matches(const MessageMapEntry& e, UINT message, WPARAM wparam, LPARAM lparam) {
  if (e.message != message) return false;
  if (message == WM_COMMAND) return e.code == HIWORD(wparam) && InRange(e, LOWORD(wparam));
  if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lparam);
    return header && e.code == header->code && InRange(e, header->idFrom);
  }
  return true;
}

}  // namespace

const MessageMapEntry* FindMessageEntry(const MessageMap* map, UINT message, WPARAM wparam, LPARAM lparam) {
  for (; map; map = map->base) {
    for (const MessageMapEntry& e : map->entries)
      if (Matches(e, message, wparam, lparam)) return &e;
  }
  return nullptr;
}

}  // namespace afx
