#include "scope/core/beside_placement.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  const char* what;
  RECT owner;
  SIZE size;
  POINT want;
};

TEST(PlaceBeside, RightLeftBelowAboveElseTheScreensEdgeAlwaysOnTheScreen) {
  constexpr SIZE kScreen{1024, 768};
  const Case cases[] = {
      {"room on the right", {100, 50, 500, 400}, {200, 150}, {500, 50}},
      {"room on the left only", {600, 50, 1000, 400}, {200, 150}, {400, 50}},
      {"room below only", {100, 50, 950, 400}, {200, 150}, {100, 400}},
      {"room above only", {100, 500, 950, 700}, {200, 150}, {100, 350}},
      {"room nowhere", {100, 140, 950, 700}, {200, 150}, {824, 140}},
      {"owner low on the screen", {100, 700, 300, 760}, {200, 150}, {300, 618}},
      {"owner above the screen", {100, -40, 300, 100}, {200, 150}, {300, 0}},
      {"wider than the screen", {0, 0, 100, 100}, {1100, 900}, {0, 0}},
  };
  for (const Case& c : cases) {
    const POINT at = scope::PlaceBeside(c.owner, c.size, kScreen);
    EXPECT_EQ(at.x, c.want.x) << c.what;
    EXPECT_EQ(at.y, c.want.y) << c.what;
  }
}

}  // namespace
