#include <gtest/gtest.h>

#include <vector>

#include "scope/core/label_spread.h"

namespace {

using scope::LabelSpan;

TEST(SpreadLabels, LabelsThatWouldTouchAreMovedApartAroundWhereTheyWanted) {
  struct Case {
    const char* what;
    std::vector<int> wanted, lengths;
    int gap, low, high;
    std::vector<int> starts;
  };
  const Case kCases[] = {
      {"far apart: each where it wanted", {10, 100}, {17, 17}, 4, 0, 400, {10, 100}},
      {"one label", {50}, {17}, 4, 0, 400, {50}},
      {"none", {}, {}, 4, 0, 400, {}},
      {"close: both move, around their middle", {100, 105}, {17, 17}, 4, 0, 400, {92, 113}},
      {"on the same place", {100, 100}, {17, 17}, 4, 0, 400, {89, 110}},
      {"asked for in the other order", {105, 100}, {17, 17}, 4, 0, 400, {113, 92}},
      {"exactly the gap apart stay", {100, 121}, {17, 17}, 4, 0, 400, {100, 121}},
      {"one pixel short of the gap", {100, 120}, {17, 17}, 4, 0, 400, {99, 120}},
      {"at the left edge the group starts at low", {2, 4}, {17, 17}, 4, 0, 400, {0, 21}},
      {"at the right edge it ends at high", {380, 383}, {17, 17}, 4, 0, 400, {362, 383}},
      {"a third joins the group it touches", {100, 105, 125}, {17, 17, 17}, 4, 0, 400, {89, 110, 131}},
      {"two groups stay apart", {100, 104, 300, 302}, {17, 17, 17, 17}, 4, 0, 400, {91, 112, 290, 311}},
      {"longer than the room: from low on", {5, 6, 7}, {17, 17, 17}, 4, 0, 40, {0, 21, 42}},
      {"vertical labels one above the other", {50, 52}, {7, 7}, 1, 0, 300, {47, 55}},
      {"negative wanted starts", {-20, -18}, {17, 17}, 4, -100, 400, {-30, -9}},
  };
  for (const Case& c : kCases) {
    std::vector<LabelSpan> spans;
    for (std::size_t i = 0; i < c.wanted.size(); ++i) spans.push_back(LabelSpan{c.wanted[i], c.lengths[i]});
    scope::SpreadLabels(spans, c.gap, c.low, c.high);
    std::vector<int> starts;
    for (const LabelSpan& s : spans) starts.push_back(s.start);
    EXPECT_EQ(starts, c.starts) << c.what;
    // Whatever the case, no two labels come closer than the gap.
    for (std::size_t i = 0; i < spans.size(); ++i) {
      for (std::size_t j = 0; j < spans.size(); ++j) {
        if (i != j && spans[i].start <= spans[j].start) {
          EXPECT_GE(spans[j].start, spans[i].start + spans[i].length + c.gap) << c.what;
        }
      }
    }
  }
}

}  // namespace
