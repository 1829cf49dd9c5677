// Tab stops of a multi-line edit (EM_SETTABSTOPS, dialog units): where each character of a line with tabs
// lies (the caret and the selection are drawn there) and which character a click hits, with no stops, one
// spacing and several stops; a single-line edit refuses stops.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gdi/control_paint.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/standard_controls.h"
#include "platform/testing/driver.h"
#include "platform/win/controls.h"
#include "platform/win/edit_tab_stops.h"
#include "platform/win/dialog_font.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace {

namespace drv = platform::testing;

LRESULT Host(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

constexpr const char* kLine = "201\tunit\t200 unit";

struct TabStopCase {
  const char* name;
  std::vector<int> stops;  // dialog units
  // Pixel places of characters 4 ("u" after the first tab) and 9 ("2" after the second), from the text's
  // left edge; a negative number means: this many average widths times 8 (the default stops).
  int after_first;
  int after_second;
};

class EditTabStopsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(drv::RegisterTestWindowClass("TabStopHost", Host));
    host = CreateWindowEx(0, "TabStopHost", "", WS_POPUP | WS_VISIBLE, 0, 0, 500, 200, nullptr, nullptr, nullptr, nullptr);
    edit = CreateWindowEx(0, WC_EDIT, kLine, WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 480, 60, host, nullptr,
                          nullptr, nullptr);
    font = reinterpret_cast<HFONT>(SendMessage(edit, WM_GETFONT, 0, 0));
    base_x = platform::win::BaseUnitsOf(font).x;
  }
  void TearDown() override { DestroyWindow(host); }
  int Width(const std::string& s) { return platform::gdi::EditTextWidth(font, s, static_cast<int>(s.size())); }
  // The place of character n as the edit draws it (caret, selection, text).
  int Place(int n, const std::vector<int>& stops_px) {
    return platform::gdi::EditTextWidth(font, kLine, n, stops_px);
  }
  drv::Session session;
  HWND host = nullptr;
  HWND edit = nullptr;
  HFONT font = nullptr;
  int base_x = 0;
};

TEST_F(EditTabStopsTest, CharactersLieAtTheStopsAndAClickHitsThem) {
  const int eight = Width("") + 8 * base_x;  // a default stop: eight average widths
  const TabStopCase cases[] = {
      {"default", {}, eight, eight * ((eight + Width("unit")) / eight + 1)},
      {"spacing", {40}, 40 * base_x / 4, 2 * 40 * base_x / 4},
      {"columns", {60, 130}, 60 * base_x / 4, 130 * base_x / 4},
  };
  for (const TabStopCase& c : cases) {
    ASSERT_TRUE(SendMessage(edit, EM_SETTABSTOPS, c.stops.size(), reinterpret_cast<LPARAM>(c.stops.data()))) << c.name;
    std::vector<int> px;
    for (int du : c.stops) px.push_back(du * base_x / 4);
    const std::vector<int> stops = platform::win::EditTabStops(edit);
    EXPECT_EQ(stops, c.stops) << c.name;
    EXPECT_EQ(Place(4, px), c.after_first) << c.name;
    EXPECT_EQ(Place(9, px), c.after_second) << c.name;
    EXPECT_EQ(Place(8, px), c.after_first + Width("unit")) << c.name;
    // A click just right of a stop lands before the character at that stop (the text starts one pixel in).
    EXPECT_EQ(platform::gdi::EditCharAt(edit, POINT{1 + c.after_first + 1, 5}), 4) << c.name;
    EXPECT_EQ(platform::gdi::EditCharAt(edit, POINT{1 + c.after_second + 1, 5}), 9) << c.name;
  }
  // The columns do not run together: the second value starts right of the first one's end.
  const std::vector<int> columns{60, 130};
  SendMessage(edit, EM_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(columns.data()));
  EXPECT_GT(platform::gdi::EditCharAt(edit, POINT{1 + 130 * base_x / 4 - 2, 5}), 7);
}

TEST_F(EditTabStopsTest, ASingleLineEditTakesNoStops) {
  HWND single = CreateWindowEx(0, WC_EDIT, "a\tb", WS_CHILD | WS_VISIBLE, 0, 100, 200, 20, host, nullptr, nullptr, nullptr);
  const int stop = 60;
  EXPECT_FALSE(SendMessage(single, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&stop)));
  EXPECT_TRUE(platform::win::EditTabStops(single).empty());
}

}  // namespace
