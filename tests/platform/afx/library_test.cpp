#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/afx/app.h"
#include "platform/afx/handle_map.h"
#include "platform/afx/module_state.h"
#include "platform/afx/wnd.h"
#include "platform/sys/dynamic_library.h"
#include "platform/testing/driver.h"
#include "platform/win/common_controls.h"
#include "platform/win/controls.h"
#include "platform/win/dialog.h"
#include "platform/win/dialog_template.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace {

namespace drv = platform::testing;
using Lines = std::vector<std::string>;

constexpr int kProbeDialog = 9406;

// The library's exports, fetched by name as the window program fetches the scope library's.
struct Probe {
  HMODULE module = nullptr;
  HWND (*open)(HWND) = nullptr;
  BOOL (*close)() = nullptr;
  HWND (*window)(int) = nullptr;
  int (*take_log)(char*, int) = nullptr;
  int (*started)() = nullptr;
  HWND (*open_stray)(HWND) = nullptr;

  bool Load() {
    module = LoadLibraryA("AfxProbe.dll");
    if (!module) return false;
    open = reinterpret_cast<HWND (*)(HWND)>(GetProcAddress(module, "AfxProbe_Open"));
    close = reinterpret_cast<BOOL (*)()>(GetProcAddress(module, "AfxProbe_Close"));
    window = reinterpret_cast<HWND (*)(int)>(GetProcAddress(module, "AfxProbe_Window"));
    take_log = reinterpret_cast<int (*)(char*, int)>(GetProcAddress(module, "AfxProbe_TakeLog"));
    started = reinterpret_cast<int (*)()>(GetProcAddress(module, "AfxProbe_Started"));
    open_stray = reinterpret_cast<HWND (*)(HWND)>(GetProcAddress(module, "AfxProbe_OpenStray"));
    return open && close && window && take_log && started && open_stray;
  }
  Lines Log() const {
    std::string text(4096, '\0');
    text.resize(static_cast<std::size_t>(take_log(text.data(), static_cast<int>(text.size()))));
    Lines lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
};

std::string SizeLine(HWND hwnd) {
  RECT r;
  GetClientRect(hwnd, &r);
  return "size " + std::to_string(r.right) + "x" + std::to_string(r.bottom);
}

class AfxLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(drv::RegisterTestWindowClass("AfxHost", DefWindowProc));
    host_ = CreateWindowEx(0, "AfxHost", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 600, 500, nullptr,
                           nullptr, nullptr, nullptr);
    ASSERT_NE(host_, nullptr);
  }
  void TearDown() override {
    if (probe_.module) FreeLibrary(probe_.module);
    EXPECT_EQ(afx::BoundWindowCount(), 0u);
  }
  drv::Session session_;
  HWND host_ = nullptr;
  Probe probe_;
};

TEST_F(AfxLibraryTest, WindowAndDialogMessageMapsOfALoadedLibrary) {
  ASSERT_TRUE(probe_.Load()) << platform::sys::LastLoadError();
  EXPECT_EQ(probe_.started(), 1);
  EXPECT_EQ(probe_.Log(), Lines{"app init"});
  ASSERT_NE(afx::AfxGetApp(), nullptr);
  EXPECT_EQ(afx::AfxGetApp()->m_pszAppName, "AfxProbe");
  EXPECT_EQ(afx::AfxGetApp()->m_hInstance, probe_.module);
  EXPECT_EQ(afx::AfxGetResourceHandle(), probe_.module);

  HWND dialog = probe_.open(host_);
  ASSERT_NE(dialog, nullptr);
  HWND view = probe_.window(1);
  HWND pane = probe_.window(2);
  ASSERT_NE(view, nullptr);
  ASSERT_NE(pane, nullptr);
  EXPECT_EQ(probe_.open(host_), dialog) << "a second open gives the same window";
  // The dialog object takes its messages from the first one on: its size before its initialisation.
  EXPECT_EQ(probe_.Log(), (Lines{SizeLine(dialog), "init", "view create"}));
  EXPECT_EQ(afx::AfxGetMainWnd()->m_hWnd, host_);

  struct Step {
    const char* what;
    std::function<void()> act;
    std::function<Lines()> expected;
  };
  const char* status = "speed: 1.500 s, 12.5 Hz";
  const std::vector<Step> kSteps = {
      {"status text by WM_APP+102 and data exchange",
       [&] { SendMessage(dialog, WM_APP + 102, 0, reinterpret_cast<LPARAM>(status)); },
       [&] { return Lines{std::string("status ") + status}; }},
      {"a click on the view tells the dialog the channel",
       [&] { drv::ClickAt(view, 10, 12); },
       [] { return Lines{"view lbuttondown 10,12", "channel 7"}; }},
      {"a mode command in the view's range", [&] { SendMessage(view, WM_COMMAND, MAKEWPARAM(32801, 0), 0); },
       [] { return Lines{"view mode 32801"}; }},
      {"a command outside the range", [&] { SendMessage(view, WM_COMMAND, MAKEWPARAM(32803, 0), 0); },
       [] { return Lines{}; }},
      {"shrinking stops at the minimum tracking size", [&] { MoveWindow(dialog, 0, 0, 100, 100, TRUE); },
       [&] { return Lines{SizeLine(dialog)}; }},
      {"the pane ignores Enter and Escape",
       [&] {
         SendMessage(pane, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
         SendMessage(pane, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
       },
       [] { return Lines{"pane ok ignored", "pane cancel ignored"}; }},
      {"a tool-tip text request",
       [&] {
         NMTTDISPINFO info{};
         info.hdr = NMHDR{nullptr, 1049, TTN_GETDISPINFO};
         SendMessage(dialog, WM_NOTIFY, 1049, reinterpret_cast<LPARAM>(&info));
       },
       [] { return Lines{"tooltip text"}; }},
      {"the system menu's Close destroys the window", [&] { SendMessage(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); },
       [] { return Lines{"syscommand 61536", "destroy", "view destroy"}; }},
  };
  for (const Step& step : kSteps) {
    step.act();
    EXPECT_EQ(probe_.Log(), step.expected()) << step.what;
    if (std::string(step.what).find("status") == 0) {
      EXPECT_EQ(drv::ItemText(dialog, 2006), status);
    }
    if (std::string(step.what).find("shrinking") == 0) {
      RECT r;
      GetWindowRect(dialog, &r);
      EXPECT_EQ(RectWidth(r), 220);
      EXPECT_EQ(RectHeight(r), 150);
    }
  }
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(probe_.window(0), nullptr);
  EXPECT_FALSE(probe_.close()) << "closing a closed window does nothing";
  EXPECT_EQ(afx::BoundWindowCount(), 0u) << "the caller's window is let go with the dialog";
  EXPECT_TRUE(IsWindow(host_));
}

TEST_F(AfxLibraryTest, UnloadWithOpenWindowsLeavesNothingBehindAndLoadsAgain) {
  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(probe_.Load()) << platform::sys::LastLoadError();
    HMODULE module = probe_.module;
    HWND dialog = probe_.open(host_);
    ASSERT_NE(dialog, nullptr) << "round " << round;
    HWND view = probe_.window(1);
    HWND stray = probe_.open_stray(host_);
    ASSERT_NE(stray, nullptr);
    EXPECT_NE(platform::win::FindDialogTemplate(module, MAKEINTRESOURCE(kProbeDialog)), nullptr);
    WNDCLASS wc;
    EXPECT_TRUE(GetClassInfo(module, "AfxProbeView", &wc));
    drv::PumpUntilIdle();

    ASSERT_TRUE(FreeLibrary(probe_.module));
    probe_ = Probe{};
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_FALSE(IsWindow(view));
    EXPECT_FALSE(IsWindow(stray)) << "the window of an object the library never deleted";
    EXPECT_TRUE(IsWindow(host_)) << "the caller's window is only let go";
    EXPECT_EQ(afx::BoundWindowCount(), 0u);
    EXPECT_EQ(afx::AfxGetApp(), nullptr);
    EXPECT_EQ(afx::AfxGetResourceHandle(), GetModuleHandle(nullptr));
    EXPECT_EQ(platform::win::FindDialogTemplate(module, MAKEINTRESOURCE(kProbeDialog)), nullptr);
    EXPECT_FALSE(GetClassInfo(module, "AfxProbeView", &wc));
    // The host's loop goes on without meeting anything of the library.
    PostMessage(host_, WM_MOUSEMOVE, 0, MAKEPOINTLPARAM(5, 5));
    drv::PumpUntilIdle();
  }
}

}  // namespace
