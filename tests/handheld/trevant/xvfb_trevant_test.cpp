// The real trevant on a virtual X server, its COM1 a pseudo-terminal served by the simulated device: the panel
// shows the device's display and LEDs, a real click on a key, a key held down and a real key press reach the
// device, a screenshot is left in the test folder; a click on "Ende" or the window manager's close ends the
// program with 0. Skipped where Xvfb or xdotool is not installed.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>

#include "platform/comm/pseudo_terminal.h"
#include "platform/vcl/ini_file.h"
#include "sim/handheld/unit_device.h"
#include "tests/support/xvfb.h"

namespace trevant {
namespace {

namespace fs = std::filesystem;
using namespace xtest;

constexpr int kClientWidth = 400;
constexpr int kClientHeight = 300;

// The simulated device on its own thread; the test reads its log under the lock.
class ServedDevice {
 public:
  explicit ServedDevice(platform::comm::PseudoTerminal& pty) : pty_(pty), line_(pty), device_(line_) {
    const std::string l1 = "Simulation     ~", l2 = "\x8A" "tatus: Bereit";
    std::copy(l1.begin(), l1.end(), device_.script().line1.begin());
    std::copy(l2.begin(), l2.end(), device_.script().line2.begin());
    device_.script().led = 0x05;  // F1 and F3
    thread_ = std::thread([this] {
      while (!stop_) {
        if (!pty_.WaitReadable(20)) continue;
        std::lock_guard lock(mutex_);
        device_.ServeOne(200);
      }
    });
  }
  ~ServedDevice() {
    stop_ = true;
    thread_.join();
  }
  bool Received(std::uint8_t key) { return Count(key) > 0; }
  long Count(std::uint8_t key) {
    std::lock_guard lock(mutex_);
    const auto& keys = device_.log().keys;
    return std::count(keys.begin(), keys.end(), key);
  }
  bool Polled() {
    std::lock_guard lock(mutex_);
    return device_.log().status_reads > 0;
  }

 private:
  platform::comm::PseudoTerminal& pty_;
  sim::tasto::Line line_;
  sim::tasto::UnitDevice device_;
  std::mutex mutex_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// trevant copied into a folder of its own (its settings file lands there), with DISPLAY and COM1 set.
ChildProcess StartTrevant(const fs::path& folder, const std::string& display, const std::string& com1) {
  return ChildProcess(CopyProgram(ZPR_BIN_DIR, "trevant", folder).string(), {},
                      {"DISPLAY=" + display, "COM1=" + com1});
}

TEST(XvfbTrevantTest, TheWindowManagersCloseEndsTheProgram) {
  if (!XvfbAndXdotoolInstalled()) GTEST_SKIP() << "no Xvfb or xdotool";
  VirtualServer server("1024x768x24");
  ASSERT_FALSE(server.display().empty());
  Display* user = XOpenDisplay(server.display().c_str());
  ASSERT_NE(user, nullptr);
  platform::comm::PseudoTerminal pty;
  ASSERT_TRUE(pty.ok());
  ServedDevice device(pty);
  const fs::path folder = fs::path(::testing::TempDir()) / ("trevant_xvfb_close_" + std::to_string(getpid()));
  ChildProcess program = StartTrevant(folder, server.display(), pty.slave_path());
  ASSERT_TRUE(program.started());
  Window w = 0;
  ASSERT_TRUE(WaitFor([&] { return (w = FindWindowNamed(user, "Trevant")) != 0; }));
  ASSERT_TRUE(WaitFor([&] { return device.Polled(); }));
  CloseAsWindowManager(user, w);
  EXPECT_EQ(program.WaitExit(10000), std::optional<int>(0));
  XCloseDisplay(user);
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}

TEST(XvfbTrevantTest, PanelFollowsTheDeviceAndRealClicksAndKeysReachIt) {
  if (!XvfbAndXdotoolInstalled()) GTEST_SKIP() << "no Xvfb or xdotool";
  VirtualServer server("1024x768x24");
  ASSERT_FALSE(server.display().empty());
  Display* user = XOpenDisplay(server.display().c_str());
  ASSERT_NE(user, nullptr);
  platform::comm::PseudoTerminal pty;
  ASSERT_TRUE(pty.ok());
  ServedDevice device(pty);
  const fs::path folder = fs::path(::testing::TempDir()) / ("trevant_xvfb_" + std::to_string(getpid()));
  ChildProcess program = StartTrevant(folder, server.display(), pty.slave_path());
  ASSERT_TRUE(program.started());

  Window w = 0;
  ASSERT_TRUE(WaitFor([&] { return (w = FindWindowNamed(user, "Trevant")) != 0; })) << "no window named Trevant";
  ASSERT_TRUE(WaitFor([&] { return device.Polled(); })) << "the loop never reached the device";
  XWindowAttributes a;
  XGetWindowAttributes(user, w, &a);
  // The client area sits inside the frame drawn by the window layer, below its caption.
  const int frame = (a.width - kClientWidth) / 2;
  const int top = a.height - kClientHeight - frame;
  const std::string id = std::to_string(w);
  const auto click = [&](int x, int y) {
    return Xdotool(server.display(), {"mousemove", "--window", id, std::to_string(frame + x), std::to_string(top + y)}) &&
           Xdotool(server.display(), {"click", "1"});
  };

  ASSERT_TRUE(click(258, 183));  // "Enter"
  EXPECT_TRUE(WaitFor([&] { return device.Received(5); })) << "the click did not reach the device";
  ASSERT_TRUE(Xdotool(server.display(), {"key", "--window", id, "F2"}));
  EXPECT_TRUE(WaitFor([&] { return device.Received(8); })) << "the key did not reach the device";
  // "Aus" held down with the real button: its code goes out in every poll until the button comes up.
  ASSERT_TRUE(Xdotool(server.display(), {"mousemove", "--window", id, std::to_string(frame + 184),
                                         std::to_string(top + 257)}));
  ASSERT_TRUE(Xdotool(server.display(), {"mousedown", "1"}));
  EXPECT_TRUE(WaitFor([&] { return device.Count(13) >= 4; })) << "a held key was not repeated";
  ASSERT_TRUE(Xdotool(server.display(), {"mouseup", "1"}));
  std::this_thread::sleep_for(std::chrono::milliseconds(600));  // the click after the release sends it once more
  const long held = device.Count(13);
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  EXPECT_EQ(device.Count(13), held) << "the key went on after the button came up";

  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const auto shot = Screenshot(user, w);
  shot->WritePng((fs::path(::testing::TempDir()) / "trevant_xvfb_panel.png").string());
  // The display shows dark text on its green, the lit LEDs (F1, F3) lime, the others silver.
  int text = 0;
  for (int y = 23; y < 23 + 46; ++y)
    for (int x = 28; x < 28 + 244; ++x) text += shot->Pixel(frame + x, top + y) == 0x000000;
  EXPECT_GT(text, 200);
  EXPECT_EQ(shot->Pixel(frame + 48, top + 98), 0x00FF00u);
  EXPECT_EQ(shot->Pixel(frame + 48 + 68, top + 98), 0xC0C0C0u);
  EXPECT_EQ(shot->Pixel(frame + 48 + 136, top + 98), 0x00FF00u);

  ASSERT_TRUE(click(345, 257));  // "Ende"
  EXPECT_EQ(program.WaitExit(10000), std::optional<int>(0));
  EXPECT_EQ(TIniFile((folder / "trevant.cfg").string()).ReadInteger("Schnittstelle_RS232", "ComNummer", 0), 1);
  XCloseDisplay(user);
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}

}  // namespace
}  // namespace trevant
