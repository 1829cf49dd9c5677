// The online windows and the cyclic poll on timer 1001, in virtual time against the simulated inverter on a fake
// COM1: first poll after 200 ms, then at the polling interval, the value-log modes, a link fault that closes
// every online window and stops the poll, and a slot for each of the seven monitor kinds.
#include <gtest/gtest.h>

#include "app/documents/file_titles.h"
#include "app/online/monitor_windows.h"
#include "tests/app/monitor_fixture.h"

namespace shell_test {
namespace {

struct Probe {
  int updates = 0;
  int closes = 0;
};
std::map<HWND, Probe> g_probes;

LRESULT CALLBACK ProbeProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == app::WM_MONITOR_UPDATE) {
    ++g_probes[h].updates;
    return 0;
  }
  if (m == WM_COMMAND && LOWORD(w) == IDOK) {
    ++g_probes[h].closes;
    app::UnregisterMonitorWindow(h);
    DestroyWindow(h);
    return 0;
  }
  return DefWindowProc(h, m, w, l);
}

class MonitorTest : public MonitorLineTest {
 protected:
  void SetUp() override {
    MonitorLineTest::SetUp();
    g_probes.clear();
    ASSERT_TRUE(drv::RegisterTestWindowClass("MonitorProbe", ProbeProc));
  }
  HWND NewProbe() {
    return CreateWindow("MonitorProbe", "probe", WS_POPUP, 0, 0, 50, 50, Main(), nullptr, nullptr, nullptr);
  }
};

TEST_F(MonitorTest, PollsAfter200MsThenAtTheIntervalAndStopsOnALinkFault) {
  HWND drive = nullptr;
  drv::OnMessageBox([](const drv::MessageBoxRecord&) { return IDOK; });
  Run({
      [&] {
        Connect(500);
        drive = NewProbe();
        app::ModelessWindow(app::Modeless::kDriveMonitor) = drive;
        app::RegisterMonitorWindow(drive, true);
        ASSERT_EQ(app::CountOpenMonitors(), 1u);
        EXPECT_TRUE(drv::MenuState(Main(), 2007).grayed);
        EXPECT_EQ(app::PollInterval(), 500);
      },
      [&] {
        drv::Advance(199);
        EXPECT_EQ(g_probes[drive].updates, 0);
        drv::Advance(1);
        EXPECT_EQ(g_probes[drive].updates, 1);
        EXPECT_EQ(app::LastValueLogKinds()[0], app::kLogDrive);
        app::Shell().protocol_state = app::kProtocolStart;
        drv::Advance(500);
        EXPECT_EQ(g_probes[drive].updates, 2);
        EXPECT_EQ(app::LastValueLogMode(), 2);
        EXPECT_EQ(app::Shell().protocol_state, app::kProtocolRunning);
      },
      [&] {
        platform::comm::InstallPort("COM1", nullptr);
        ilink::DisconnectInverter(0);
        drv::Advance(500);
      },
      [&] {
        EXPECT_EQ(g_probes[drive].closes, 1);
        EXPECT_EQ(app::CountOpenMonitors(), 0u);
        EXPECT_FALSE(drv::MenuState(Main(), 2007).grayed);
        const int updates = g_probes[drive].updates;
        drv::Advance(5000);
        EXPECT_EQ(g_probes[drive].updates, updates);  // the poll stays off
      },
  });
  EXPECT_EQ(steps_run_, 4u);
}

TEST_F(MonitorTest, SevenMonitorKindsGetSevenSlotsAndAnEighthIsNotListed) {
  Run({[&] {
    Connect(1000);
    std::vector<HWND> windows;
    for (int i = 0; i < 8; ++i) {
      windows.push_back(NewProbe());
      app::RegisterMonitorWindow(windows.back(), false);
    }
    EXPECT_EQ(app::CountOpenMonitors(), 7u);
    drv::Advance(200);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(g_probes[windows[i]].updates, 1) << i;
    EXPECT_EQ(g_probes[windows[7]].updates, 0);
    for (HWND w : windows) app::UnregisterMonitorWindow(w);
    EXPECT_EQ(app::CountOpenMonitors(), 0u);
  }});
}

// Remote control calls this before it takes the link: every monitor of the seven kinds ends, the Quellox items
// come back, and the link closes unless a remote control window holds it.
TEST_F(MonitorTest, CloseAllMonitorsEndsEveryMonitorAndLeavesTheLinkToARemoteControl) {
  constexpr app::Modeless kKinds[] = {
      app::Modeless::kDriveMonitor,       app::Modeless::kControlInterfaceMonitor, app::Modeless::kProcessDataMonitor,
      app::Modeless::kPositioningMonitor, app::Modeless::kFieldbusMonitor,         app::Modeless::kStatusBits,
      app::Modeless::kControlBits,
  };
  for (const bool remote : {false, true}) {
    SCOPED_TRACE(remote);
    Run({[&] {
      Connect(1000);
      HWND remote_window = remote ? NewProbe() : nullptr;
      app::ModelessWindow(app::Modeless::kRemoteControl) = remote_window;
      std::vector<HWND> windows;
      for (const app::Modeless kind : kKinds) {
        windows.push_back(NewProbe());
        app::ModelessWindow(kind) = windows.back();
        app::RegisterMonitorWindow(windows.back(), false);
      }
      ASSERT_EQ(app::CountOpenMonitors(), 7u);
      app::CloseAllMonitors();
      for (std::size_t i = 0; i < windows.size(); ++i) {
        EXPECT_FALSE(IsWindow(windows[i])) << i;
        EXPECT_EQ(app::ModelessWindow(kKinds[i]), nullptr) << i;
      }
      EXPECT_EQ(app::CountOpenMonitors(), 0u);
      EXPECT_FALSE(drv::MenuState(Main(), 2007).grayed);
      EXPECT_FALSE(drv::MenuState(Main(), 2008).grayed);
      EXPECT_EQ(ilink::InverterConnected() != 0, remote);
      app::CloseAllMonitors();  // nothing open: nothing happens
      drv::Advance(300);
      for (HWND w : windows) EXPECT_EQ(g_probes[w].updates, 0);
      if (remote_window != nullptr) DestroyWindow(remote_window);
      app::ModelessWindow(app::Modeless::kRemoteControl) = nullptr;
    }});
    EXPECT_TRUE(drv::MessageBoxes().empty());
  }
}

TEST_F(MonitorTest, F1HeldDuringAPollOpensHelp) {
  platform::win::ClearHelpRequests();
  Run({[&] {
    Connect(1000);
    HWND w = NewProbe();
    app::RegisterMonitorWindow(w, true);
    drv::HoldKey(VK_F1);
    drv::Advance(200);
    drv::ReleaseKey(VK_F1);
    app::UnregisterMonitorWindow(w);
  }});
  ASSERT_FALSE(platform::win::HelpRequests().empty());
  EXPECT_EQ(platform::win::HelpRequests().front().command, HELP_CONTENTS);
}

int g_refreshes = 0;

INT_PTR CALLBACK PageProc(HWND d, UINT m, WPARAM, LPARAM) {
  if (m == app::WM_PAGE_REFRESH) {
    ++g_refreshes;
    EndDialog(d, IDOK);
    return TRUE;
  }
  return m == WM_INITDIALOG;
}

constexpr DialogItemTemplate kPageItems[] = {{IDOK, WC_BUTTON, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 5, 5, 40, 14}};
constexpr DialogTemplate kPage{WS_POPUP | WS_CAPTION | DS_MODALFRAME, 10, 10, 80, 30, "page", kPageItems};

// F2 held while a page waits: the inverter is connected, the page reads its focused parameter online
// (WM_PAGE_REFRESH), and the link is closed again.
TEST_F(MonitorTest, F2HeldInADialogRefreshesTheActivePageOnline) {
  g_refreshes = 0;
  platform::win::RegisterDialogTemplate(GetModuleHandle(nullptr), MAKEINTRESOURCE(9901), &kPage);
  // The key goes down while the page waits; the next message the page handles lets it go idle again.
  drv::OnDialogIdle(9901, [](HWND d) {
    drv::HoldKey(VK_F2);
    PostMessage(d, WM_NULL, 0, 0);
  });
  Run({[&] {
    Connect(1000);
    DialogBoxParam(GetModuleHandle(nullptr), MAKEINTRESOURCE(9901), Main(), PageProc, 0);
    drv::ReleaseKey(VK_F2);
    EXPECT_EQ(ilink::InverterConnected(), 0);
  }});
  EXPECT_EQ(g_refreshes, 1);
  EXPECT_TRUE(drv::MessageBoxes().empty());
}

}  // namespace
}  // namespace shell_test
