#include "scope/core/label_spread.h"

#include <algorithm>
#include <numeric>

namespace scope {

namespace {

// Labels moved together: the spans first..last of the sorted order, laid out one after the other from start.
struct Group {
  std::size_t first = 0;
  std::size_t last = 0;
  long long wanted_sum = 0;  // the sum of (wanted start - offset in the group) over the members
  int length = 0;            // from the first member's start to the last member's end
  int start = 0;
};

int GroupStart(const Group& g, int low, int high) {
  const long long members = static_cast<long long>(g.last - g.first + 1);
  // The mean of what the members ask for, rounded down.
  long long start = g.wanted_sum / members;
  if (g.wanted_sum % members != 0 && g.wanted_sum < 0) --start;
  start = std::min<long long>(start, static_cast<long long>(high) - g.length);
  start = std::max<long long>(start, low);
  return static_cast<int>(start);
}

}  // namespace

void SpreadLabels(std::vector<LabelSpan>& spans, int gap, int low, int high) {
  std::vector<std::size_t> order(spans.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t x, std::size_t y) { return spans[x].wanted < spans[y].wanted; });
  std::vector<Group> groups;
  for (std::size_t k = 0; k < order.size(); ++k) {
    const LabelSpan& s = spans[order[k]];
    Group g{k, k, s.wanted, s.length, 0};
    g.start = GroupStart(g, low, high);
    // While the new group touches the one before it, the two become one.
    while (!groups.empty() && groups.back().start + groups.back().length + gap > g.start) {
      Group before = groups.back();
      groups.pop_back();
      const int offset = before.length + gap;
      const long long members = static_cast<long long>(g.last - g.first + 1);
      before.wanted_sum += g.wanted_sum - members * offset;
      before.length = offset + g.length;
      before.last = g.last;
      g = before;
      g.start = GroupStart(g, low, high);
    }
    groups.push_back(g);
  }
  for (const Group& g : groups) {
    int at = g.start;
    for (std::size_t k = g.first; k <= g.last; ++k) {
      LabelSpan& s = spans[order[k]];
      s.start = at;
      at += s.length + gap;
    }
  }
}

}  // namespace scope
