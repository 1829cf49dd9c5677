// The text that crosses the X selections: Windows-1252 with CR LF inside, UTF-8 with LF on X.
#include <gtest/gtest.h>

#include <string>

#include "platform/backend/x11_selection.h"

namespace {

using platform::backend::SelectionTextFromX;
using platform::backend::SelectionTextToX;

TEST(X11SelectionText, BothWaysAndWhatHasNoByte) {
  struct Case {
    const char* inside;
    const char* on_x;
  };
  const Case round_trips[] = {
      {"Drehzahl", "Drehzahl"},
      {"Gr\xFC\xDF" "e 5 \xB5s", "Gr\xC3\xBC\xC3\x9F" "e 5 \xC2\xB5s"},
      {"\x80 10,-", "\xE2\x82\xAC 10,-"},
      {"eins\r\nzwei\r\n", "eins\nzwei\n"},
      {"", ""},
  };
  for (const Case& c : round_trips) {
    SCOPED_TRACE(c.inside);
    EXPECT_EQ(SelectionTextToX(c.inside), c.on_x);
    EXPECT_EQ(SelectionTextFromX(c.on_x), c.inside);
  }
  struct FromX {
    std::string on_x;
    const char* inside;
  };
  const FromX from_x_only[] = {
      {"\xE6\x97\xA5\xE2\x80\xBD", "??"},  // characters Windows-1252 has no byte for
      {"a\xC3" "b", "a?b"},                    // a broken sequence
      {std::string("a\0b", 3), "ab"},         // a NUL would end the programs' strings
      {"x\r\ny", "x\r\ny"},                  // CR LF stays one break
  };
  for (const FromX& c : from_x_only) EXPECT_EQ(SelectionTextFromX(c.on_x), c.inside);
}

}  // namespace
