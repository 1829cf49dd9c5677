#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "scope/core/fit_text.h"

namespace {

// A font of the test: 6 pixels a character, 2 a dot, 3 a blank.
int Width(std::string_view text) {
  int w = 0;
  for (char c : text) w += c == '.' ? 2 : c == ' ' ? 3 : 6;
  return w;
}

TEST(FitText, WholeCharactersAndTheDotsWhereTheTextIsTooLong) {
  struct Case {
    const char* text;
    int width;
    const char* fitted;
  };
  const Case kCases[] = {
      {"ramp", 24, "ramp"},
      {"ramp", 23, "ra..."},
      {"0 I-motor", 60, "0 I-motor"},
      {"0 I-motor", 40, "0 I-mo..."},
      {"0 I-motor", 33, "0 I-m..."},
      {"3 fault code", 36, "3 fau..."},
      {"3 fault code", 15, "3..."},  // no blank before the dots
      {"B520.6 debug", 42, "B520.6..."},
      {"B520.6 debug", 37, "B520..."},
      {"B520.6 debug", 12, "B..."},
      {"B520.6 debug", 11, "B"},                // no room for the dots: whole characters only
      {"B520.6 debug", 5, ""},
      {"", 0, ""},
  };
  for (const Case& c : kCases) {
    const std::string fitted = scope::FitText(c.text, c.width, Width);
    EXPECT_EQ(fitted, c.fitted) << c.text << " in " << c.width;
    EXPECT_LE(Width(fitted), c.width) << c.text;
  }
}

}  // namespace
