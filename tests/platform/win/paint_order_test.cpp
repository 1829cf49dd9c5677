// Which windows repaint, and in which order, after an invalidation: a parent (with or without WS_CLIPCHILDREN)
// paints before the children under the rectangle, which paint again over it; a window's paint is followed by
// the siblings above it that overlap it, bottom first; a child invalidated alone repaints alone; a window shown
// again repaints with all its children.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/testing/driver.h"
#include "platform/testing/message_log.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace {

namespace drv = platform::testing;

class PaintOrderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(drv::RegisterTestWindowClass("PaintOrder", platform::testing::BlankWindowProc));
    form = CreateWindow("PaintOrder", "form", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 10, 10, 400, 300, nullptr,
                        nullptr, nullptr, nullptr);
    // key and led overlap: the led was made first, so it lies above the key.
    led = Child("led", 20, 20, 14, 12);
    key = Child("key", 10, 10, 60, 30);
    label = Child("label", 200, 200, 80, 16);
    drv::PumpUntilIdle();
  }
  HWND Child(const char* name, int x, int y, int w, int h) {
    HWND c = CreateWindow("PaintOrder", name, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, w, h, form, nullptr,
                          nullptr, nullptr);
    names.push_back({c, name});
    return c;
  }
  // The windows that painted, in order.
  std::vector<std::string> Painted(const std::function<void()>& action) {
    drv::MessageLog log(form, {WM_PAINT}, true);
    action();
    drv::PumpUntilIdle();
    std::vector<std::string> out;
    for (const auto& e : log.Entries()) out.push_back(NameOf(e.hwnd));
    return out;
  }
  std::string NameOf(HWND h) {
    if (h == form) return "form";
    for (const auto& n : names)
      if (n.first == h) return n.second;
    return "?";
  }
  drv::Session session;
  HWND form = nullptr, led = nullptr, key = nullptr, label = nullptr;
  std::vector<std::pair<HWND, std::string>> names;
};

TEST_F(PaintOrderTest, TheRightWindowsRepaintInZOrder) {
  const struct {
    const char* name;
    std::function<void()> action;
    std::vector<std::string> painted;
  } cases[] = {
      {"the whole form", [this] { InvalidateRect(form, nullptr, TRUE); },
       {"form", "label", "key", "led"}},
      {"the form around the label only",
       [this] {
         RECT r{190, 190, 300, 230};
         InvalidateRect(form, &r, TRUE);
       },
       {"form", "label"}},
      {"the form where nothing lies",
       [this] {
         RECT r{100, 100, 150, 150};
         InvalidateRect(form, &r, TRUE);
       },
       {"form"}},
      {"one control", [this] { InvalidateRect(label, nullptr, TRUE); }, {"label"}},
      {"a control under another", [this] { InvalidateRect(key, nullptr, TRUE); }, {"key", "led"}},
      {"the control on top", [this] { InvalidateRect(led, nullptr, TRUE); }, {"led"}},
      {"the form shown again",
       [this] {
         ShowWindow(form, SW_HIDE);
         ShowWindow(form, SW_SHOW);
       },
       {"form", "label", "key", "led"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Painted(c.action), c.painted) << c.name;
}

}  // namespace
