// The real trevant on a virtual X server, its COM1 a pseudo-terminal served by the simulated device: the panel
// shows the device's display and LEDs, a real click on a key, a key held down and a real key press reach the
// device, a screenshot is left in the test folder; a click on "Ende" or the window manager's close ends the
// program with 0. Skipped where Xvfb or xdotool is not installed.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <atomic>
#include <vector>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/comm/pseudo_terminal.h"
#include "platform/vcl/ini_file.h"
#include "platform/win/win.h"
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

// trevant on a virtual X server with its COM1 served by the simulated device: started, its window shown and the
// device polled; the test's own display connection is `user`.
class TrevantOnX {
 public:
  ~TrevantOnX() {
    if (user) XCloseDisplay(user);
    std::error_code ignored;
    if (!folder.empty()) fs::remove_all(folder, ignored);
  }
  void Start(const std::string& name) {
    ASSERT_FALSE(server.display().empty());
    user = XOpenDisplay(server.display().c_str());
    ASSERT_NE(user, nullptr);
    ASSERT_TRUE(pty.ok());
    device.emplace(pty);
    folder = fs::path(::testing::TempDir()) / (name + "_" + std::to_string(getpid()));
    program.emplace(StartTrevant(folder, server.display(), pty.slave_path()));
    ASSERT_TRUE(program->started());
    ASSERT_TRUE(WaitFor([&] { return (w = FindWindowNamed(user, "Trevant")) != 0; }));
    ASSERT_TRUE(WaitFor([&] { return device->Polled(); }));
  }
  VirtualServer server{"1024x768x24"};
  Display* user = nullptr;
  platform::comm::PseudoTerminal pty;
  std::optional<ServedDevice> device;
  fs::path folder;
  std::optional<ChildProcess> program;
  Window w = 0;
};

TEST(XvfbTrevantTest, TheWindowManagersCloseEndsTheProgram) {
  if (!XvfbAndXdotoolInstalled()) GTEST_SKIP() << "no Xvfb or xdotool";
  TrevantOnX t;
  t.Start("trevant_xvfb_close");
  if (::testing::Test::HasFatalFailure()) return;
  CloseAsWindowManager(t.user, t.w);
  EXPECT_EQ(t.program->WaitExit(10000), std::optional<int>(0));
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

// Two pseudo-terminals joined by a relay thread, the way a null-modem cable joins two ports: what one program
// writes the other reads. The relay keeps what each side sent.
class PtyRelay {
 public:
  PtyRelay() {
    thread_ = std::thread([this] {
      std::uint8_t buffer[512];
      while (!stop_) {
        bool moved = false;
        for (int side = 0; side < 2; ++side) {
          platform::comm::PseudoTerminal& from = side == 0 ? a_ : b_;
          platform::comm::PseudoTerminal& to = side == 0 ? b_ : a_;
          const long n = from.Read(buffer, sizeof buffer);
          if (n <= 0) continue;
          moved = true;
          to.Write(buffer, static_cast<std::size_t>(n));
          std::lock_guard lock(mutex_);
          (side == 0 ? from_a_ : from_b_).insert((side == 0 ? from_a_ : from_b_).end(), buffer, buffer + n);
        }
        if (!moved) a_.WaitReadable(2), b_.WaitReadable(2);
      }
    });
  }
  ~PtyRelay() {
    stop_ = true;
    thread_.join();
  }
  bool ok() const { return a_.ok() && b_.ok(); }
  const std::string& a() const { return a_.slave_path(); }
  const std::string& b() const { return b_.slave_path(); }
  // How often `bytes` occur in what side a (or b) sent, from byte `from` on.
  int Count(bool side_a, const std::vector<std::uint8_t>& bytes, std::size_t from = 0) {
    std::lock_guard lock(mutex_);
    const auto& sent = side_a ? from_a_ : from_b_;
    int n = 0;
    for (auto it = sent.begin() + static_cast<long>(std::min(from, sent.size()));
         (it = std::search(it, sent.end(), bytes.begin(), bytes.end())) != sent.end(); ++it) {
      ++n;
    }
    return n;
  }
  std::size_t Sent(bool side_a) {
    std::lock_guard lock(mutex_);
    return (side_a ? from_a_ : from_b_).size();
  }

 private:
  platform::comm::PseudoTerminal a_, b_;
  std::mutex mutex_;
  std::vector<std::uint8_t> from_a_, from_b_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// The mapped top-level windows with this name.
int WindowsNamed(Display* d, const std::string& name) {
  int n = 0;
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  XSync(d, False);
  if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) return 0;
  for (unsigned i = 0; i < count; ++i) {
    char* title = nullptr;
    XWindowAttributes a;
    if (XFetchName(d, children[i], &title) && title) {
      n += name == title && XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable;
      XFree(title);
    }
  }
  if (children) XFree(children);
  return n;
}

TEST(XvfbTrevantTest, TrevantAndTxToolRunAWholeExchangeOnAPseudoTerminalPair) {
  if (!XvfbAndXdotoolInstalled()) GTEST_SKIP() << "no Xvfb or xdotool";
  VirtualServer server("1024x768x24");
  ASSERT_FALSE(server.display().empty());
  Display* user = XOpenDisplay(server.display().c_str());
  ASSERT_NE(user, nullptr);
  PtyRelay cable;
  ASSERT_TRUE(cable.ok());
  const fs::path folder = fs::path(::testing::TempDir()) / ("trevant_txtool_" + std::to_string(getpid()));
  ChildProcess txtool(CopyProgram(ZPR_BIN_DIR, "txtool", folder / "txtool").string(), {},
                      {"DISPLAY=" + server.display(), "COM1=" + cable.a()});
  ChildProcess panel = StartTrevant(folder / "trevant", server.display(), cable.b());
  ASSERT_TRUE(txtool.started());
  ASSERT_TRUE(panel.started());
  const char* kTxTitle = "Tastomatik - Tool";
  Window start = 0, w = 0;
  ASSERT_TRUE(WaitFor([&] { return (start = FindWindowNamed(user, kTxTitle, 300, 400)) != 0; }));
  ASSERT_TRUE(WaitFor([&] { return (w = FindWindowNamed(user, "Trevant")) != 0; }));
  // Side by side, as a user would place them.
  ASSERT_TRUE(Xdotool(server.display(), {"windowmove", std::to_string(w), "500", "0"}));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  // Ok on TX-Tool's start form (COM 1, 9600 Baud): its worker answers the panel from now on.
  const int dlg = GetSystemMetrics(SM_CXDLGFRAME), caption = GetSystemMetrics(SM_CYCAPTION);
  ASSERT_TRUE(Xdotool(server.display(), {"mousemove", "--window", std::to_string(start), std::to_string(dlg + 56),
                                         std::to_string(dlg + caption + 228)}));
  ASSERT_TRUE(Xdotool(server.display(), {"click", "1"}));

  // The first job (identify) is asked, cleared and reported done with the unit's byte 2, and taken as done.
  const std::vector<std::uint8_t> job_done = {0x02, 0x08, 0x00, 0x05, 0x04, 0x02, 0x00, 0x01, 0x02, 0x0A};
  ASSERT_TRUE(WaitFor([&] { return cable.Count(false, job_done) >= 1; }, 30000)) << "no job answered";
  const std::size_t after_job = cable.Sent(true);
  // TX-Tool goes on serving: display reads answered (43-byte status replies) after the job.
  const std::vector<std::uint8_t> status_reply = {0x02, 41, 0x00, 0x00, 'P', 'C', ' '};
  ASSERT_TRUE(WaitFor([&] { return cable.Count(true, status_reply, after_job) >= 10; }, 20000));
  EXPECT_EQ(cable.Count(false, job_done), 1);  // answered once: nothing pending any more
  // A real key on the panel goes to TX-Tool in the key telegram (Return: key 5), and is answered.
  XWindowAttributes a;
  XGetWindowAttributes(user, w, &a);
  ASSERT_TRUE(Xdotool(server.display(), {"key", "--window", std::to_string(w), "Return"}));
  const std::vector<std::uint8_t> key = {0x02, 0x08, 0x00, 0x05, 0x00, 0x32, 0x00, 0x22, 0x05, 0x1A};
  EXPECT_TRUE(WaitFor([&] { return cable.Count(false, key) >= 1; })) << "the key did not reach TX-Tool";
  const std::size_t after_key = cable.Sent(true);
  EXPECT_TRUE(WaitFor([&] { return cable.Count(true, status_reply, after_key) >= 3; }));
  // No message box of TX-Tool's: only its start form carries its title.
  EXPECT_EQ(WindowsNamed(user, kTxTitle), 1);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  Screenshot(user, w)->WritePng((fs::path(::testing::TempDir()) / "trevant_txtool_panel.png").string());
  Screenshot(user, start)->WritePng((fs::path(::testing::TempDir()) / "trevant_txtool_start.png").string());
  const auto shot = Screenshot(user, w);
  const int frame = (a.width - kClientWidth) / 2;
  const int top = a.height - kClientHeight - frame;
  int text = 0;  // "PC angeschlossen" / "TX-Tool 4.5" in the display
  for (int y = 23; y < 23 + 46; ++y)
    for (int x = 28; x < 28 + 244; ++x) text += shot->Pixel(frame + x, top + y) == 0x000000;
  EXPECT_GT(text, 200);

  CloseAsWindowManager(user, w);
  EXPECT_EQ(panel.WaitExit(10000), std::optional<int>(0));
  CloseAsWindowManager(user, start);
  EXPECT_TRUE(txtool.WaitExit(20000).has_value());
  XCloseDisplay(user);
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}

}  // namespace

// A region of a screenshot as its pixels, for comparing two pictures.
std::vector<std::uint32_t> Region(const platform::gdi::Surface& shot, int left, int top, int right, int bottom) {
  std::vector<std::uint32_t> pixels;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) pixels.push_back(shot.Pixel(x, y));
  return pixels;
}

// A click on the form's background or on the display panel repaints what it covers and nothing else: the keys,
// LEDs, port and baud labels and "Ende" stay as they were, pixel for pixel.
TEST(XvfbTrevantTest, AClickOnTheFormOrTheDisplayLeavesTheKeypadAsItWas) {
  if (!XvfbAndXdotoolInstalled()) GTEST_SKIP() << "no Xvfb or xdotool";
  TrevantOnX t;
  t.Start("trevant_xvfb_repaint");
  if (::testing::Test::HasFatalFailure()) return;
  Display* user = t.user;
  const Window w = t.w;
  VirtualServer& server = t.server;
  XWindowAttributes a;
  XGetWindowAttributes(user, w, &a);
  const int frame = (a.width - kClientWidth) / 2;
  const int top = a.height - kClientHeight - frame;
  const std::string id = std::to_string(w);
  // The keypad: everything below the display.
  const auto keypad = [&] { return Region(*Screenshot(user, w), frame, top + 84, frame + kClientWidth, top + kClientHeight); };
  // Settled: two pictures a moment apart are the same and the keys are drawn (dark pixels of their captions).
  const auto settled = [&] {
    const auto first = keypad();
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    return first == keypad() && std::count(first.begin(), first.end(), 0x000000u) > 200;
  };
  ASSERT_TRUE(WaitFor(settled));
  const auto before = keypad();
  Screenshot(user, w)->WritePng((fs::path(::testing::TempDir()) / "trevant_xvfb_before_click.png").string());
  const struct {
    const char* where;
    int x, y;
  } clicks[] = {{"form background", 290, 200}, {"display panel", 23, 17}, {"form below the display", 150, 84}};
  for (const auto& c : clicks) {
    ASSERT_TRUE(Xdotool(server.display(), {"mousemove", "--window", id, std::to_string(frame + c.x), std::to_string(top + c.y)}));
    ASSERT_TRUE(Xdotool(server.display(), {"click", "1"}));
    ASSERT_TRUE(WaitFor(settled)) << c.where;
    EXPECT_TRUE(keypad() == before) << "the keypad changed after a click on the " << c.where;
  }
  Screenshot(user, w)->WritePng((fs::path(::testing::TempDir()) / "trevant_xvfb_after_click.png").string());
  CloseAsWindowManager(user, w);
  EXPECT_EQ(t.program->WaitExit(10000), std::optional<int>(0));
}

}  // namespace trevant
