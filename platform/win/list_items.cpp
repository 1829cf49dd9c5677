#include "platform/win/detail/list_items.h"

#include <cctype>
#include <cstring>

#include "platform/win/messages.h"

namespace platform::win::detail {
namespace {

int CompareNoCase(const std::string& a, const std::string& b) {
  std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    int ca = std::tolower(static_cast<unsigned char>(a[i]));
    int cb = std::tolower(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca - cb;
  }
  return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

}  // namespace

int ListItems::Insert(int at, const char* text, bool sort) {
  std::string s = text && !IS_INTRESOURCE(text) ? text : "";
  if (sort) {
    std::size_t i = 0;
    while (i < items.size() && CompareNoCase(items[i].text, s) <= 0) ++i;
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(i), ListItem{s, 0});
    return static_cast<int>(i);
  }
  return InsertAt(at, text);
}

int ListItems::InsertAt(int at, const char* text) {
  std::string s = text && !IS_INTRESOURCE(text) ? text : "";
  if (at < 0 || at > static_cast<int>(items.size())) at = static_cast<int>(items.size());
  items.insert(items.begin() + at, ListItem{s, 0});
  return at;
}

int ListItems::Find(int after, const char* text, bool exact) const {
  if (!text || items.empty()) return -1;
  std::string want(text);
  int n = static_cast<int>(items.size());
  int start = (after < -1 || after >= n) ? -1 : after;
  for (int step = 1; step <= n; ++step) {
    int i = (start + step) % n;
    const std::string& t = items[static_cast<std::size_t>(i)].text;
    if (exact) {
      if (CompareNoCase(t, want) == 0) return i;
    } else if (t.size() >= want.size() && CompareNoCase(t.substr(0, want.size()), want) == 0) {
      return i;
    }
  }
  return -1;
}

int ListItems::CopyText(int index, char* buffer) const {
  if (index < 0 || index >= static_cast<int>(items.size()) || !buffer) return -1;
  const std::string& t = items[static_cast<std::size_t>(index)].text;
  std::memcpy(buffer, t.c_str(), t.size() + 1);
  return static_cast<int>(t.size());
}

}  // namespace platform::win::detail
