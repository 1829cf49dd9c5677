#include <elf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "platform/afx/handle_map.h"
#include "platform/gdi/bitmap_resources.h"
#include "platform/gdi/gdi.h"
#include "platform/win/win.h"
#include "tests/scope/scope_host.h"

namespace {

using scope_test::ScopeHostTest;

// The names of the defined global symbols in the dynamic symbol table of an ELF file.
std::set<std::string> ExportedSymbols(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::set<std::string> names;
  if (file.size() < sizeof(Elf64_Ehdr)) return names;
  const auto* eh = reinterpret_cast<const Elf64_Ehdr*>(file.data());
  if (eh->e_shoff + std::size_t{eh->e_shnum} * sizeof(Elf64_Shdr) > file.size()) return names;
  const auto* sections = reinterpret_cast<const Elf64_Shdr*>(file.data() + eh->e_shoff);
  for (int i = 0; i < eh->e_shnum; ++i) {
    if (sections[i].sh_type != SHT_DYNSYM) continue;
    const Elf64_Shdr& strings = sections[sections[i].sh_link];
    const auto* symbols = reinterpret_cast<const Elf64_Sym*>(file.data() + sections[i].sh_offset);
    for (std::size_t k = 0; k < sections[i].sh_size / sizeof(Elf64_Sym); ++k) {
      const Elf64_Sym& s = symbols[k];
      const int bind = ELF64_ST_BIND(s.st_info);
      if (s.st_shndx == SHN_UNDEF || (bind != STB_GLOBAL && bind != STB_WEAK && bind != STB_GNU_UNIQUE)) continue;
      names.insert(file.data() + strings.sh_offset + s.st_name);
    }
  }
  return names;
}

TEST(ScopeLibraryFile, ShowsExactlyTheTrendFunctions) {
  const std::set<std::string> exported = ExportedSymbols(ZPR_BIN_DIR "/ZprScope2.so");
  const std::set<std::string> expected(std::begin(kTrendExportNames), std::end(kTrendExportNames));
  EXPECT_EQ(exported, expected);
}

TEST_F(ScopeHostTest, WindowExportsFollowTheWindowsState) {
  // Nothing needs the window before it is open, and nothing happens.
  EXPECT_EQ(scope_.GetWindowHandle(), nullptr);
  EXPECT_EQ(scope_.ActivateWindow(), 0);
  EXPECT_EQ(scope_.CloseWindow(), FALSE);
  EXPECT_EQ(scope_.GetXRaster(), 0);
  EXPECT_EQ(scope_.GetYRaster(), 0);
  scope_.SetTitle("unseen");
  scope_.SetWindowPos(1, 2, 300, 200);
  scope_.SetIDCWait();

  HWND window = scope_.OpenWindow(host_);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(scope_.OpenWindow(host_), window) << "a second open gives the same window";
  EXPECT_EQ(scope_.GetWindowHandle(), window);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(GetWindow(window, GW_OWNER), host_);
  EXPECT_EQ(scope_.GetXRaster(), 10);
  EXPECT_EQ(scope_.GetYRaster(), 8);
  EXPECT_EQ(scope_.ActivateWindow(), 1);
  scope_.SetTitle("Trend \xB5s");
  EXPECT_EQ(platform::testing::Text(window), "Trend \xB5s");
  scope_.SetTitle(nullptr);
  EXPECT_EQ(platform::testing::Text(window), "");
  scope_.SetWindowPos(10, 20, 500, 300);
  RECT r;
  GetWindowRect(window, &r);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.right, 510);
  EXPECT_EQ(r.bottom, 320);

  EXPECT_NE(scope_.CloseWindow(), FALSE);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(scope_.GetWindowHandle(), nullptr);
  EXPECT_EQ(scope_.CloseWindow(), FALSE);
  EXPECT_EQ(scope_.OpenWindow(reinterpret_cast<HWND>(window)), nullptr) << "a stale parent handle";
  HWND again = scope_.OpenWindow(host_);
  ASSERT_NE(again, nullptr);
  EXPECT_NE(again, window);
}

TEST_F(ScopeHostTest, WindowLiesOverTheCallersWindowWithTheDisplayAboveTheStatusLine) {
  MoveWindow(host_, 0, 0, 900, 500, TRUE);
  HWND window = scope_.OpenWindow(host_);
  ASSERT_NE(window, nullptr);
  RECT r;
  GetWindowRect(window, &r);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 100);
  EXPECT_EQ(r.right, 800);
  EXPECT_EQ(r.bottom, 400);

  MoveWindow(window, 0, 0, 640, 480, TRUE);
  RECT client, display, status, panel;
  GetClientRect(window, &client);
  GetWindowRect(scope_test::Display(window), &display);
  GetWindowRect(GetDlgItem(window, 2006), &status);
  HWND panel_window = scope_test::Panel(window);
  ASSERT_NE(panel_window, nullptr) << "the control panel";
  GetWindowRect(panel_window, &panel);
  EXPECT_EQ(RectWidth(display), RectWidth(client) - RectWidth(panel));
  EXPECT_EQ(display.right, panel.left);
  POINT client_right{client.right, 0};
  ClientToScreen(window, &client_right);
  EXPECT_EQ(panel.right, client_right.x);
  EXPECT_EQ(RectHeight(display), RectHeight(client) - 20);
  EXPECT_EQ(RectHeight(status), 20);
  EXPECT_EQ(status.top, display.bottom);
}

TEST_F(ScopeHostTest, TheWindowsOwnCloseLeavesNoHandle) {
  HWND window = scope_.OpenWindow(host_);
  ASSERT_NE(window, nullptr);
  SendMessage(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  platform::testing::PumpUntilIdle();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(scope_.GetWindowHandle(), nullptr);
  EXPECT_EQ(scope_.CloseWindow(), FALSE);
  EXPECT_TRUE(IsWindow(host_));
}

TEST_F(ScopeHostTest, EnterAndEscapeLeaveTheWindowOpen) {
  HWND window = scope_.OpenWindow(host_);
  ASSERT_NE(window, nullptr);
  SetFocus(scope_test::Display(window));
  platform::testing::PressKey(VK_ESCAPE);
  platform::testing::PressKey(VK_RETURN);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(scope_.GetWindowHandle(), window);
}

TEST_F(ScopeHostTest, ColoursHaveTheirDefaultsAndSurviveTheWindow) {
  struct Case {
    short which;
    COLORREF colour;
  };
  const Case kDefaults[] = {
      {0, 0x00FF00}, {5, 0x0000FF}, {13, 0xF0CAA6}, {14, 0x00FF00}, {18, 0xFF00FF}, {100, 0x000000},
      {101, 0x606060}, {102, 0x0000FF}, {103, 0xFFFFFF}, {-1, 0},   {19, 0},        {99, 0},
      {104, 0},       {200, 0},
  };
  for (const Case& c : kDefaults) EXPECT_EQ(scope_.GetScopeColor(c.which), c.colour) << c.which;

  scope_.SetScopeColor(3, 0x123456);
  scope_.SetScopeColor(101, 0x202020);
  scope_.SetScopeColor(104, 0x777777);
  scope_.SetScopeColor(-5, 0x777777);
  HWND window = scope_.OpenWindow(host_);
  ASSERT_NE(window, nullptr);
  scope_.CloseWindow();
  EXPECT_EQ(scope_.GetScopeColor(3), 0x123456u);
  EXPECT_EQ(scope_.GetScopeColor(101), 0x202020u);
  EXPECT_EQ(scope_.GetScopeColor(104), 0u);
}

TEST_F(ScopeHostTest, WaitCursorNestsWhileTheWindowIsOpen) {
  HWND window = scope_.OpenWindow(host_);
  ASSERT_NE(window, nullptr);
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  scope_.SetIDCWait();
  scope_.SetIDCWait();
  EXPECT_EQ(platform::win::StockCursorId(GetCursor()), kIdcWait);
  scope_.ResetIDCWait();
  EXPECT_EQ(platform::win::StockCursorId(GetCursor()), kIdcWait);
  scope_.ResetIDCWait();
  EXPECT_EQ(platform::win::StockCursorId(GetCursor()), kIdcArrow);
}

// Loaded, opened, fed and unloaded with the window open; loaded again it starts afresh.
TEST_F(ScopeHostTest, UnloadWithAnOpenWindowAndLoadAgain) {
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    EXPECT_EQ(scope_.GetScopeColor(7), 0x800000u);
    scope_.SetScopeColor(7, 0x010203);
    HWND window = scope_.OpenWindow(host_);
    ASSERT_NE(window, nullptr);
    scope_.Feed(0, 1, "speed", "rpm", std::vector<double>(100, 5.0));
    scope_.SetTimeBase(1000);
    EXPECT_EQ(scope_.ActivateWindow(), 1);
    platform::testing::PumpUntilIdle();
    ASSERT_TRUE(scope_.Unload());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(afx::BoundWindowCount(), 0u);
    EXPECT_TRUE(IsWindow(host_));
    ASSERT_TRUE(scope_.Load()) << platform::sys::LastLoadError();
  }
}

// The label glyphs come with the library: 5 x 7 pixels in cells of 6, in the two colours a label replaces.
TEST_F(ScopeHostTest, LabelGlyphBitmapsHoldDigitsAndCapitals) {
  struct Case {
    int id, cells;
    int cell;                // the glyph looked at: '0' in the digits, 'M' in the capitals
    const char* top_row;     // its first row
  };
  const Case kCases[] = {{161, 10, 0, ".###."}, {162, 27, 'M' - 64, "#...#"}};
  HDC memory = CreateCompatibleDC(nullptr);
  for (const Case& c : kCases) {
    HBITMAP bitmap = LoadBitmap(scope_.module, MAKEINTRESOURCE(c.id));
    ASSERT_NE(bitmap, nullptr) << c.id;
    BITMAP info{};
    GetObject(bitmap, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, c.cells * 6) << c.id;
    EXPECT_EQ(info.bmHeight, 7) << c.id;
    HGDIOBJ old = SelectObject(memory, bitmap);
    for (int x = 0; x < 6; ++x) {
      const bool on = x < 5 && c.top_row[x] == '#';
      EXPECT_EQ(GetPixel(memory, c.cell * 6 + x, 0), on ? 0xFFF8C0u : 0x30405Cu) << c.id << " column " << x;
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
}

}  // namespace
