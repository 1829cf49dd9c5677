// The message box's layout: the text broken at a maximum width, the box as tall as its lines (every line above
// the buttons), a text taller than the screen scrolling in a read-only edit, line ends however written, and the
// box centred on its owner (or the active window) and kept on the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/testing/driver.h"
#include "platform/win/controls.h"
#include "platform/win/dialog.h"
#include "platform/win/message_box.h"
#include "platform/win/message_loop.h"
#include "platform/win/metrics.h"
#include "platform/win/window.h"

namespace {

namespace drv = platform::testing;

LRESULT Plain(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

struct Shown {
  RECT box{}, text{}, first_button{};
  bool scrolls = false;
  std::string text_shown;
};

class MessageBoxLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(drv::RegisterTestWindowClass("MessageBoxOwner", Plain)); }
  // Shows the box and reads its layout while it waits.
  Shown Show(HWND owner, const std::string& text, UINT type = MB_OK) {
    Shown s;
    drv::OnAnyDialogIdle([&](HWND box) {
      HWND t = GetDlgItem(box, 0xFFFF);
      GetWindowRect(box, &s.box);
      GetWindowRect(t, &s.text);
      GetWindowRect(GetWindow(t, GW_HWNDNEXT), &s.first_button);
      char cls[16] = {};
      GetClassName(t, cls, sizeof cls);
      s.scrolls = std::string(cls) == WC_EDIT && (GetWindowLong(t, GWL_STYLE) & WS_VSCROLL);
      s.text_shown = drv::ItemText(box, 0xFFFF);
      EndDialog(box, IDOK);
    });
    MessageBox(owner, text.c_str(), "Box", type);
    return s;
  }
  int LineHeight() { return platform::win::ListItemHeight(nullptr); }
  drv::Session session_;
};

TEST_F(MessageBoxLayoutTest, ALongLineIsBrokenAndEveryLineLiesAboveTheButtons) {
  std::string paragraph;
  for (int i = 0; i < 40; ++i) paragraph += "Wort" + std::to_string(i) + " ";
  const Shown one = Show(nullptr, "Kurz");
  const Shown wide = Show(nullptr, paragraph + "\nDen Vorgang trotzdem fortsetzen ?");
  const RECT screen = platform::win::WorkArea();
  // Broken at no more than three quarters of the screen, so the box grows in height and not past the screen.
  EXPECT_LE(wide.box.right - wide.box.left, (screen.right - screen.left) * 3 / 4 + 40);
  EXPECT_GT(wide.text.bottom - wide.text.top, 3 * LineHeight());
  EXPECT_LE(wide.text.bottom, wide.first_button.top);
  EXPECT_LE(one.text.bottom, one.first_button.top);
  EXPECT_FALSE(wide.scrolls);
}

TEST_F(MessageBoxLayoutTest, LineEndsCountOnceHoweverTheyAreWritten) {
  const Shown unix_ends = Show(nullptr, "a\nb\n\nc");
  const Shown odd_ends = Show(nullptr, "a\n\rb\n\r\nc");
  const Shown dos_ends = Show(nullptr, "a\r\nb\r\n\r\nc");
  EXPECT_EQ(odd_ends.text.bottom - odd_ends.text.top, unix_ends.text.bottom - unix_ends.text.top);
  EXPECT_EQ(dos_ends.text.bottom - dos_ends.text.top, unix_ends.text.bottom - unix_ends.text.top);
  EXPECT_GE(unix_ends.text.bottom - unix_ends.text.top, 4 * LineHeight());
}

TEST_F(MessageBoxLayoutTest, ATextTallerThanTheScreenScrollsAndTheButtonsStayOnTheScreen) {
  std::string text;
  for (int i = 0; i < 200; ++i) text += "Zeile " + std::to_string(i) + "\n";
  text += "Den Vorgang trotzdem fortsetzen ?";
  const Shown tall = Show(nullptr, text, MB_YESNO);
  const RECT screen = platform::win::WorkArea();
  EXPECT_TRUE(tall.scrolls);
  EXPECT_GE(tall.box.top, screen.top);
  EXPECT_LE(tall.box.bottom, screen.bottom);
  EXPECT_LE(tall.first_button.bottom, screen.bottom);
  // Every line is there to scroll to, the question last.
  EXPECT_NE(tall.text_shown.find("Zeile 199\r\nDen Vorgang trotzdem fortsetzen ?"), std::string::npos);
}

TEST_F(MessageBoxLayoutTest, TheBoxIsCentredOnItsOwnerAndKeptOnTheScreen) {
  const RECT screen = platform::win::WorkArea();
  const struct {
    const char* name;
    RECT owner;
  } cases[] = {
      {"middle", {300, 200, 900, 700}},
      {"at the left edge", {-500, 100, 100, 500}},
      {"at the bottom right", {screen.right - 100, screen.bottom - 50, screen.right + 400, screen.bottom + 300}},
  };
  for (const auto& c : cases) {
    HWND owner = CreateWindow("MessageBoxOwner", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, c.owner.left, c.owner.top,
                              c.owner.right - c.owner.left, c.owner.bottom - c.owner.top, nullptr, nullptr, nullptr,
                              nullptr);
    const Shown s = Show(owner, "Datei gespeichert.");
    const int w = s.box.right - s.box.left, h = s.box.bottom - s.box.top;
    int left = (c.owner.left + c.owner.right - w) / 2, top = (c.owner.top + c.owner.bottom - h) / 2;
    left = std::clamp(left, static_cast<int>(screen.left), static_cast<int>(screen.right) - w);
    top = std::clamp(top, static_cast<int>(screen.top), static_cast<int>(screen.bottom) - h);
    EXPECT_EQ(s.box.left, left) << c.name;
    EXPECT_EQ(s.box.top, top) << c.name;
    DestroyWindow(owner);
  }
}

}  // namespace
