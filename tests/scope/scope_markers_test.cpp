// Marker cursors dragged by the mouse on the display with the measurement window open or not: the marker follows
// the mouse, its measurements follow it and keep their values at the release; the labels of close points stay
// readable.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/backend/capture.h"
#include "platform/win/input_injection.h"
#include "platform/win/win.h"
#include "tests/scope/scope_panel_fixture.h"

namespace {

namespace drv = platform::testing;
using scope_test::TreeTexts;

class ScopeMarkerTest : public scope_test::ScopePanelTest {
 protected:
  // M1 made from the menu: A at 600 ms (grid line 4), B on the ramp's last sample (799 ms).
  void NewMarker() {
    Pick(32810);
    layout_ = scope_test::PlotOf(display_, true, false);
    ASSERT_TRUE(layout_.valid);
    y_ = layout_.plot.top + layout_.y_step / 2;
  }
  int GridX(double i) const { return layout_.plot.left + static_cast<int>(i * layout_.x_step); }
  void Mouse(UINT message, int x, WPARAM flags = MK_LBUTTON) {
    platform::win::InjectMouse(display_, message, x, y_, flags);
    drv::PumpUntilIdle();
  }
  HWND OpenTree() {
    Click(1073);
    HWND measure = drv::FindDialog(400);
    return measure ? GetDlgItem(measure, 1723) : nullptr;
  }
  // A dragged from 600 ms to 700 ms (over a detour), with the tree opened before or after the drag: the marker's
  // measurements show samples 900 and 999, for the ramp and the wave.
  void DragKeepsTheMeasurements(bool tree_first) {
    OpenAndFeed();
    NewMarker();
    HWND tree = tree_first ? OpenTree() : nullptr;
    Mouse(WM_LBUTTONDOWN, GridX(4) + 2);
    Mouse(WM_MOUSEMOVE, GridX(5));
    Mouse(WM_LBUTTONUP, GridX(4.5) + 2, 0);
    if (!tree_first) tree = OpenTree();
    ASSERT_NE(tree, nullptr);
    const std::vector<std::string> texts = TreeTexts(tree);
    ASSERT_EQ(texts.size(), 27u);
    EXPECT_EQ(texts[3], "      interval: 900 ms bis 999 ms (99 ms)") << tree_first;
    EXPECT_EQ(texts[4], "      value in M1A: 900.0 rpm") << tree_first;
    EXPECT_EQ(texts[5], "      value in M1B: 999.0 rpm") << tree_first;
    EXPECT_EQ(texts[17], "      value in M1A: 100 V") << tree_first;
    EXPECT_EQ(texts[18], "      value in M1B: -100 V") << tree_first;
    for (const std::string& t : texts) EXPECT_EQ(t.find("???"), std::string::npos) << t;
    EXPECT_EQ(scope_test::StatusText(window_), "");
  }

  scope::PlotLayout layout_;
  int y_ = 0;
};

TEST_F(ScopeMarkerTest, AReleasedMarkerKeepsItsMeasurementsWithTheTreeOpen) { DragKeepsTheMeasurements(true); }
TEST_F(ScopeMarkerTest, AReleasedMarkerIsMeasuredWhenTheTreeOpensAfterIt) { DragKeepsTheMeasurements(false); }

TEST_F(ScopeMarkerTest, TheMarkerAndItsMeasurementsFollowTheMouseWhileDragged) {
  OpenAndFeed();
  NewMarker();
  HWND tree = OpenTree();
  ASSERT_NE(tree, nullptr);
  // Both points of the new marker lie on the recorded samples: nothing shows "---".
  for (const std::string& t : TreeTexts(tree)) EXPECT_EQ(t.find("---"), std::string::npos) << t;
  const auto a_text = [&] { return TreeTexts(tree)[4]; };
  const auto b_text = [&] { return TreeTexts(tree)[5]; };

  Mouse(WM_LBUTTONDOWN, GridX(4) + 2);
  EXPECT_EQ(a_text(), "      value in M1A: 800.0 rpm");
  // Half a division right, the button still down: the line is there, the old place empty, the value follows.
  Mouse(WM_MOUSEMOVE, GridX(4.5) + 2);
  EXPECT_EQ(WhiteInColumn(GridX(4), layout_), 0);
  EXPECT_GT(WhiteInColumn(GridX(4.5), layout_), 10);
  EXPECT_EQ(a_text(), "      value in M1A: 900.0 rpm");
  // One division left of the start.
  Mouse(WM_MOUSEMOVE, GridX(3) + 2);
  EXPECT_GT(WhiteInColumn(GridX(3), layout_), 10);
  EXPECT_EQ(WhiteInColumn(GridX(4.5), layout_), 0);
  EXPECT_EQ(a_text(), "      value in M1A: 600.0 rpm");
  // Past B (1100 ms): the two swap, so the dragged point is B now and lies beyond the samples.
  Mouse(WM_MOUSEMOVE, GridX(5.5) + 2);
  EXPECT_EQ(a_text(), "      value in M1A: 999.0 rpm");
  EXPECT_EQ(b_text(), "      value in M1B: ---");
  // Back: the dragged point is A again, B where it was.
  Mouse(WM_MOUSEMOVE, GridX(4.5) + 2);
  EXPECT_EQ(a_text(), "      value in M1A: 900.0 rpm");
  EXPECT_EQ(b_text(), "      value in M1B: 999.0 rpm");
  Mouse(WM_LBUTTONUP, GridX(4.5) + 2, 0);
  EXPECT_EQ(a_text(), "      value in M1A: 900.0 rpm");
  EXPECT_GT(WhiteInColumn(GridX(4.5), layout_), 10);
  // After the release a move does not drag any more.
  Mouse(WM_MOUSEMOVE, GridX(2), 0);
  EXPECT_GT(WhiteInColumn(GridX(4.5), layout_), 10);

  // A press and release beside the marker still ends the measurements until they are computed again.
  Mouse(WM_LBUTTONDOWN, GridX(8));
  Mouse(WM_LBUTTONUP, GridX(8), 0);
  EXPECT_EQ(TreeTexts(tree)[3], "      ???");
}

// The white pixels of the top margin between two columns, one string a row.
std::vector<std::string> TopMargin(HWND display, const scope::PlotLayout& layout, int from, int to) {
  std::vector<std::string> rows;
  for (int y = layout.plot.top - scope::kTopMargin; y < layout.plot.top; ++y) {
    std::string row;
    for (int x = from; x < to; ++x) row += platform::backend::WindowPixel(display, x, y) == 0xFFFFFFu ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

// Where a label's picture lies whole in the margin, column by column; -1 when nowhere.
int Find(const std::vector<std::string>& margin, const std::vector<std::string>& label, int after = -1) {
  const std::size_t width = label.front().size();
  for (std::size_t x = static_cast<std::size_t>(after + 1); x + width <= margin.front().size(); ++x) {
    bool all = true;
    for (std::size_t y = 0; all && y < margin.size(); ++y) all = margin[y].compare(x, width, label[y]) == 0;
    if (all) return static_cast<int>(x);
  }
  return -1;
}

TEST_F(ScopeMarkerTest, LabelsOfClosePointsStayReadable) {
  OpenAndFeed();
  NewMarker();
  RECT client;
  GetClientRect(display_, &client);
  // Apart, each label starts 9 pixels left of its line: their pictures, with a blank column either side.
  const int a = GridX(4), b = layout_.plot.left + layout_.XPixels(4995);
  const int label_width = 3 * 6 - 1;
  const std::vector<std::string> ma = TopMargin(display_, layout_, a - 10, a - 10 + label_width + 2);
  const std::vector<std::string> mb = TopMargin(display_, layout_, b - 10, b - 10 + label_width + 2);
  ASSERT_NE(ma, mb) << "M1A and M1B differ";
  for (const auto& picture : {ma, mb}) {
    int lit = 0;
    for (const std::string& row : picture) lit += static_cast<int>(std::count(row.begin(), row.end(), '#'));
    EXPECT_GT(lit, 20);
    for (const std::string& row : picture) EXPECT_TRUE(row.front() == '.' && row.back() == '.');
  }
  // A dragged to 3 pixels left of B, then B onto A: both labels whole, side by side, apart, around the lines.
  const auto readable = [&](const char* what) {
    const std::vector<std::string> margin = TopMargin(display_, layout_, 0, client.right);
    const int at_a = Find(margin, ma), at_b = Find(margin, mb);
    EXPECT_GE(at_a, 0) << what;
    EXPECT_GE(at_b, at_a + label_width + 2) << what;
    EXPECT_LE(at_a, b - 10) << what;
    EXPECT_GE(at_b, b - 10 - label_width) << what;
  };
  Mouse(WM_LBUTTONDOWN, a + 1);
  Mouse(WM_LBUTTONUP, b - 3 + 1, 0);
  readable("A 3 pixels left of B");
  ASSERT_TRUE(platform::backend::SaveWindowPng(window_, ZPR_BIN_DIR "/../scope_marker_labels_close.png"));
  Mouse(WM_LBUTTONDOWN, b - 2);  // both within reach: B is dragged
  Mouse(WM_LBUTTONUP, b - 5, 0);
  readable("B on A");
  ASSERT_TRUE(platform::backend::SaveWindowPng(window_, ZPR_BIN_DIR "/../scope_marker_labels.png"));
}

}  // namespace
