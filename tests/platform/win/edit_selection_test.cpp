// Edits as users expect them: copy, cut and paste through the clipboard by messages and keys, the primary
// selection taken by what the user selects and pasted by the middle button, word selection by double click,
// clicks that place the caret on the clicked line, and double clicks made from a display's presses.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/control_paint.h"
#include "platform/sys/clock.h"
#include "platform/testing/driver.h"
#include "platform/win/clipboard.h"
#include "platform/win/controls.h"
#include "platform/win/double_click.h"
#include "platform/win/input.h"
#include "platform/win/input_injection.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace {

namespace drv = platform::testing;
using platform::win::Selection;

LRESULT Host(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

// A selection backend that records what the program offers and answers pastes from its own texts.
struct FakeSelections {
  std::vector<std::pair<Selection, std::string>> offers;
  std::vector<Selection> fetches;
  std::string clipboard, primary;
  FakeSelections() {
    platform::win::SetSelectionBackend(platform::win::SelectionBackend{
        [this](Selection which, const std::string& text) { offers.emplace_back(which, text); },
        [this](Selection which) -> std::optional<std::string> {
          fetches.push_back(which);
          return which == Selection::kClipboard ? clipboard : primary;
        }});
  }
  ~FakeSelections() { platform::win::SetSelectionBackend({}); }
};

class EditSelectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(drv::RegisterTestWindowClass("EditSelectionHost", Host));
    host_ = CreateWindowEx(0, "EditSelectionHost", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
  }
  HWND MakeEdit(DWORD style, const char* text) {
    HWND edit = CreateWindowEx(0, WC_EDIT, text, WS_CHILD | WS_VISIBLE | WS_BORDER | style, 5, 5, 200, 80, host_, nullptr,
                               nullptr, nullptr);
    SetFocus(edit);
    return edit;
  }
  static std::pair<int, int> Sel(HWND edit) {
    DWORD a = 0, b = 0;
    SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
    return {static_cast<int>(a), static_cast<int>(b)};
  }
  // The client x where character n of a line starts, as the edit lays out its text.
  static int XOf(HWND edit, const std::string& line, int n) {
    return 1 + platform::gdi::EditTextWidth(reinterpret_cast<HFONT>(SendMessage(edit, WM_GETFONT, 0, 0)), line, n);
  }
  drv::Session session_;
  HWND host_ = nullptr;
};

struct KeyCase {
  const char* name;
  int vk;
  bool shift, ctrl;
  DWORD style;
  const char* text_after;
  const char* clipboard_after;
};

TEST_F(EditSelectionTest, ClipboardKeysCopyCutAndPaste) {
  // "Drehzahl" with "zahl" selected; the clipboard holds "Soll".
  const KeyCase cases[] = {
      {"Ctrl+C", 'C', false, true, 0, "Drehzahl", "zahl"},
      {"Ctrl+Ins", VK_INSERT, false, true, 0, "Drehzahl", "zahl"},
      {"Ctrl+X", 'X', false, true, 0, "Dreh", "zahl"},
      {"Shift+Del", VK_DELETE, true, false, 0, "Dreh", "zahl"},
      {"Ctrl+V", 'V', false, true, 0, "DrehSoll", "Soll"},
      {"Shift+Ins", VK_INSERT, true, false, 0, "DrehSoll", "Soll"},
      {"read-only Ctrl+X copies only", 'X', false, true, ES_READONLY, "Drehzahl", "zahl"},
      {"read-only Ctrl+V", 'V', false, true, ES_READONLY, "Drehzahl", "Soll"},
      {"password Ctrl+C gives nothing away", 'C', false, true, ES_PASSWORD, "Drehzahl", "Soll"},
      {"password Ctrl+X", 'X', false, true, ES_PASSWORD, "Dreh", "Soll"},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    platform::win::SetSelectionText(Selection::kClipboard, "Soll");
    HWND edit = MakeEdit(c.style, "Drehzahl");
    SendMessage(edit, EM_SETSEL, 4, 8);
    drv::PressKey(c.vk, c.shift, c.ctrl);
    EXPECT_EQ(drv::Text(edit), c.text_after);
    EXPECT_EQ(platform::win::SelectionText(Selection::kClipboard), c.clipboard_after);
    DestroyWindow(edit);
  }
}

TEST_F(EditSelectionTest, MessagesGoThroughTheBackendAndTheUserSelectionBecomesPrimary) {
  FakeSelections x;
  x.clipboard = "12\r\n34";
  HWND edit = MakeEdit(ES_MULTILINE, "Sollwert");
  // The program's own selection (a page selects the whole text on focus) is not offered.
  SendMessage(edit, EM_SETSEL, 0, -1);
  EXPECT_TRUE(x.offers.empty());
  SendMessage(edit, WM_COPY, 0, 0);
  ASSERT_EQ(x.offers.size(), 1u);
  EXPECT_EQ(x.offers[0], std::make_pair(Selection::kClipboard, std::string("Sollwert")));
  SendMessage(edit, EM_SETSEL, 4, 8);
  SendMessage(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(x.fetches, std::vector<Selection>{Selection::kClipboard});
  EXPECT_EQ(drv::Text(edit), "Soll12\r\n34");
  // Shift+Left selects: the selection becomes the primary one.
  drv::PressKey(VK_LEFT, true);
  drv::PressKey(VK_LEFT, true);
  ASSERT_GE(x.offers.size(), 2u);
  EXPECT_EQ(x.offers.back(), std::make_pair(Selection::kPrimary, std::string("34")));
  // The middle button pastes the primary selection where it is pressed, without taking the selection away.
  x.primary = "X";
  platform::win::InjectMouse(edit, WM_MBUTTONDOWN, XOf(edit, "Soll12", 0), 3, 0);
  drv::PumpUntilIdle();
  EXPECT_EQ(drv::Text(edit), "XSoll12\r\n34");
  EXPECT_EQ(Sel(edit), std::make_pair(1, 1));
}

TEST_F(EditSelectionTest, DoubleClickSelectsTheWordUnderThePointer) {
  const std::string text = "n_soll = 1500  \xB5s; Dr\xFC" "ck";
  struct Case {
    int at;  // the clicked character
    int from, to;
  };
  const Case cases[] = {
      {0, 0, 6},     // "n_soll": '_' belongs to the word
      {5, 0, 6},
      {7, 7, 8},     // "=": a run of other characters
      {10, 9, 13},   // "1500"
      {13, 13, 15},  // the blanks
      {15, 15, 17},  // "\xB5s": the micro sign is a letter
      {17, 17, 18},  // ";"
      {21, 19, 24},  // "Dr\xFC" "ck": letters above 127
      {24, 19, 24},  // past the end: the last word
  };
  HWND edit = MakeEdit(0, text.c_str());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.at);
    const int x = c.at < static_cast<int>(text.size()) ? (XOf(edit, text, c.at) + XOf(edit, text, c.at + 1)) / 2
                                                        : XOf(edit, text, c.at) + 5;
    platform::win::InjectMouse(edit, WM_LBUTTONDBLCLK, x, 5, 0);
    drv::PumpUntilIdle();
    EXPECT_EQ(Sel(edit), std::make_pair(c.from, c.to));
  }
}

TEST_F(EditSelectionTest, ClicksPlaceTheCaretOnTheClickedLine) {
  std::string text;
  std::vector<std::string> lines;
  for (int i = 0; i < 12; ++i) {
    lines.push_back("Zeile " + std::to_string(i) + " Wert");
    text += lines.back() + (i < 11 ? "\r\n" : "");
  }
  HWND edit = MakeEdit(ES_MULTILINE | WS_VSCROLL, text.c_str());
  const int height = platform::gdi::ListItemHeight(reinterpret_cast<HFONT>(SendMessage(edit, WM_GETFONT, 0, 0)));
  auto start = [&](int line) { return static_cast<int>(SendMessage(edit, EM_LINEINDEX, static_cast<WPARAM>(line), 0)); };
  struct Case {
    int first;     // the first visible line
    int row;       // the clicked row of the field
    int column;    // the clicked character
    int line;      // where the caret lands
  };
  const Case cases[] = {{0, 0, 3, 0}, {0, 2, 6, 2}, {0, 3, 0, 3}, {4, 1, 8, 5}, {6, 3, 2, 9}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    SendMessage(edit, EM_LINESCROLL, 0, c.first - SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0));
    ASSERT_EQ(SendMessage(edit, EM_GETFIRSTVISIBLELINE, 0, 0), c.first);
    const int x = XOf(edit, lines[static_cast<std::size_t>(c.line)], c.column) + 1;
    const int y = 1 + c.row * height + height / 2;
    drv::ClickAt(edit, x, y);
    EXPECT_EQ(Sel(edit), std::make_pair(start(c.line) + c.column, start(c.line) + c.column));
  }
  // A drag from one line into the next selects across the break (line 6 is the first visible one).
  platform::win::InjectMouse(edit, WM_LBUTTONDOWN, XOf(edit, lines[6], 2), 1 + height / 2, MK_LBUTTON);
  platform::win::InjectMouse(edit, WM_MOUSEMOVE, XOf(edit, lines[7], 5), 1 + height + height / 2, MK_LBUTTON);
  platform::win::InjectMouse(edit, WM_LBUTTONUP, XOf(edit, lines[7], 5), 1 + height + height / 2, 0);
  drv::PumpUntilIdle();
  EXPECT_EQ(Sel(edit), std::make_pair(start(6) + 2, start(7) + 5));
}

TEST(DoubleClicks, ASecondPressSoonAndNearIsADoubleClick) {
  drv::Session session;
  ASSERT_TRUE(drv::RegisterTestWindowClass("DoubleClickHost", Host));
  HWND host = CreateWindowEx(0, "DoubleClickHost", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
  HWND a = CreateWindowEx(0, WC_EDIT, "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, host, nullptr, nullptr, nullptr);
  HWND b = CreateWindowEx(0, WC_EDIT, "", WS_CHILD | WS_VISIBLE, 0, 50, 100, 20, host, nullptr, nullptr, nullptr);
  platform::win::SetDoubleClickDetection(true);
  struct Case {
    const char* name;
    int wait_ms;
    int dx;
    HWND second;
    UINT expected;
  };
  const Case cases[] = {
      {"soon and near", 200, 2, a, WM_LBUTTONDBLCLK},
      {"too late", 600, 0, a, WM_LBUTTONDOWN},
      {"too far", 100, 10, a, WM_LBUTTONDOWN},
      {"another window", 100, 0, b, WM_LBUTTONDOWN},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<UINT> got;
    drv::Advance(1000);  // the previous case's pair is over
    platform::win::InjectMouse(a, WM_LBUTTONDOWN, 10, 10, 0);
    platform::win::InjectMouse(a, WM_LBUTTONUP, 10, 10, 0);
    drv::PumpUntilIdle();
    platform::sys::AdvanceVirtualClock(static_cast<long long>(c.wait_ms) * 1'000'000);
    platform::win::InjectMouse(c.second, WM_LBUTTONDOWN, 10 + c.dx, 10, 0);
    MSG m{};
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
      if (m.message >= WM_LBUTTONDOWN && m.message <= WM_LBUTTONDBLCLK) got.push_back(m.message);
      DispatchMessage(&m);
    }
    EXPECT_EQ(got, std::vector<UINT>{c.expected});
    platform::win::InjectMouse(c.second, WM_LBUTTONUP, 10 + c.dx, 10, 0);
    drv::PumpUntilIdle();
  }
  // A third press starts a new pair.
  drv::Advance(1000);
  std::vector<UINT> presses;
  for (int i = 0; i < 3; ++i) {
    platform::win::InjectMouse(a, WM_LBUTTONDOWN, 10, 10, 0);
    MSG m{};
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
      if (m.message >= WM_LBUTTONDOWN && m.message <= WM_LBUTTONDBLCLK) presses.push_back(m.message);
      DispatchMessage(&m);
    }
    platform::win::InjectMouse(a, WM_LBUTTONUP, 10, 10, 0);
    drv::PumpUntilIdle();
  }
  EXPECT_EQ(presses, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN}));
  platform::win::SetDoubleClickDetection(false);
  DestroyWindow(host);
}

}  // namespace
