// The scope window with its control panel, fed with a ramp and a wave, for the tests of the panel, the markers
// and the measurement tree; the texts of a tree view.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/backend/capture.h"
#include "platform/win/input_injection.h"
#include "platform/win/win.h"
#include "tests/scope/scope_host.h"

namespace scope_test {

inline std::vector<double> Ramp() {
  std::vector<double> v(1000);
  for (std::size_t i = 0; i < v.size(); ++i) v[i] = static_cast<double>(i);
  return v;
}
inline std::vector<double> Wave() {
  std::vector<double> v(1000);
  for (std::size_t i = 0; i < v.size(); ++i) v[i] = (i / 50) % 2 ? -100.0 : 100.0;
  return v;
}

// The texts of a tree view, depth first, each indented by two blanks a level.
inline void TreeTexts(HWND tree, HTREEITEM item, int depth, std::vector<std::string>* out) {
  for (; item; item = reinterpret_cast<HTREEITEM>(
                   SendMessage(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
    char text[200] = "";
    TVITEM tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = sizeof text;
    SendMessage(tree, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&tv));
    out->push_back(std::string(static_cast<std::size_t>(depth) * 2, ' ') + text);
    TreeTexts(tree,
              reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item))),
              depth + 1, out);
  }
}
inline std::vector<std::string> TreeTexts(HWND tree) {
  std::vector<std::string> out;
  TreeTexts(tree, reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)), 0, &out);
  return out;
}

class ScopePanelTest : public ScopeHostTest {
 protected:
  // The scope window at 700 x 480; the ramp (slot 0) and the wave (slot 2) with 1000 samples at 1 ms, trigger at
  // sample 200: 200 ms a division, the plot showing -200 ms .. 1800 ms.
  void OpenAndFeed() {
    window_ = scope_.OpenWindow(host_);
    ASSERT_NE(window_, nullptr);
    scope_.SetWindowPos(0, 0, 700, 480);
    display_ = Display(window_);
    panel_ = Panel(window_);
    ASSERT_NE(panel_, nullptr);
    scope_.ResetScopeData();
    scope_.Feed(0, 11, "ramp", "rpm", Ramp(), 6, 0, 1);
    scope_.Feed(2, 13, "wave", "V", Wave(), 3, 0, 0);
    scope_.SetTimeBase(1000);
    scope_.SetTriggerFrame(200);
    ASSERT_EQ(scope_.ActivateWindow(), 1);
    platform::testing::PumpUntilIdle();
  }
  void Click(int id, bool ctrl = false, bool shift = false) {
    platform::win::SetKeyHeld(VK_CONTROL, ctrl);
    platform::win::SetKeyHeld(VK_SHIFT, shift);
    platform::testing::ClickItem(panel_, id);
    platform::win::SetKeyHeld(VK_CONTROL, false);
    platform::win::SetKeyHeld(VK_SHIFT, false);
    platform::testing::PumpUntilIdle();
  }
  std::string Item(int id) const { return platform::testing::ItemText(panel_, id); }
  // A command of the display's context menu.
  void Pick(UINT command) {
    platform::win::SetPopupMenuResponder([&](HMENU, HWND) { return command; });
    platform::win::InjectMouse(display_, WM_RBUTTONDOWN, 20, 20);
    platform::win::InjectMouse(display_, WM_RBUTTONUP, 20, 20);
    platform::testing::PumpUntilIdle();
    platform::win::SetPopupMenuResponder(nullptr);
  }
  int WhiteInColumn(int x, const scope::PlotLayout& layout) const {
    int n = 0;
    for (int y = layout.plot.top; y < layout.plot.bottom; ++y)
      n += platform::backend::WindowPixel(display_, x, y) == 0xFFFFFFu;
    return n;
  }

  HWND window_ = nullptr;
  HWND display_ = nullptr;
  HWND panel_ = nullptr;
};

}  // namespace scope_test
