// The common frame of the tests that drive the real vqpt32 on a virtual X server: skipped where Xvfb or xdotool is
// missing, the test's own display connection (X errors of windows that go while being looked at ignored), and on
// demand the program copied into a folder of the test's or a simulated inverter served on a pseudo-terminal.
#pragma once

#include <gtest/gtest.h>

#include <poll.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "model/data_set.h"
#include "model/project_file.h"
#include "platform/win/win.h"
#include "sim/inverter_bus.h"
#include "sim/inverter_transport.h"
#include "tests/app/service_fixture.h"
#include "tests/app/xvfb_program.h"

namespace xvfb_test {

inline const std::string kVqptBinary = std::string(ZPR_BIN_DIR) + "/vqpt32";
inline const std::string kFreshTitle = "ZPR-Tool - File 1: NONAME1.ZPR";  // the title of a fresh start

// The names of the viewable top-level windows at this moment.
inline std::vector<std::string> ShownWindows(Display* d) {
  XSync(d, False);
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  std::vector<std::string> names;
  if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) return names;
  for (unsigned i = 0; i < count; ++i) {
    XWindowAttributes a;
    char* title = nullptr;
    if (XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable && XFetchName(d, children[i], &title) &&
        title) {
      names.emplace_back(title);
      XFree(title);
    }
  }
  if (children) XFree(children);
  return names;
}

// A project file written from a fresh data set 1 that `edit` may change first; the data set is fresh again
// afterwards, so that only the program under test holds the project's values.
inline void WriteProject(const std::filesystem::path& file, const std::function<void()>& edit = {}) {
  model::InitDataSet(1);
  if (edit) edit();
  ASSERT_EQ(model::ProjectFileAccess(model::kProjectWriteProject, 1, file.c_str()), model::kFileDone);
  model::InitDataSet(1);
}

// The project file read into a fresh data set 1, as the program saved it.
inline void ReadProjectBack(const std::filesystem::path& file) {
  model::InitDataSet(1);
  ASSERT_EQ(model::ProjectFileAccess(model::kProjectOpen, 1, file.c_str()), model::kFileDone);
  ASSERT_EQ(model::ProjectFileAccess(model::kProjectReadProject, 1, file.c_str()), model::kFileDone);
  model::ProjectFileAccess(model::kProjectClose, 1, file.c_str());
}

// Every top-level window that is mapped on the display, by its name, in the order they appear (menus, lists and
// tool tips, which carry no name, are left out). A message box's name is its caption, the title of its message
// group, so a test counts the boxes the program showed exactly. Watched on a connection and thread of its own.
class MappedWindows {
 public:
  explicit MappedWindows(const std::string& display) : d_(XOpenDisplay(display.c_str())) {
    if (d_ == nullptr) return;
    XSelectInput(d_, DefaultRootWindow(d_), SubstructureNotifyMask);
    XSync(d_, False);
    thread_ = std::thread([this] { Watch(); });
  }
  ~MappedWindows() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    if (d_) XCloseDisplay(d_);
  }
  MappedWindows(const MappedWindows&) = delete;
  MappedWindows& operator=(const MappedWindows&) = delete;

  bool ok() const { return d_ != nullptr; }
  std::vector<std::string> Names() const {
    std::lock_guard lock(mutex_);
    return names_;
  }
  // The names mapped since the first `from` ones.
  std::vector<std::string> NamesAfter(std::size_t from) const {
    const std::vector<std::string> all = Names();
    return from < all.size() ? std::vector<std::string>(all.begin() + static_cast<std::ptrdiff_t>(from), all.end())
                             : std::vector<std::string>{};
  }
  std::size_t size() const { return Names().size(); }
  // True once `count` windows named `name` have been mapped, within `ms`.
  bool WaitForCount(const std::string& name, std::size_t count, int ms = 10000) const {
    return WaitFor([&] {
      const auto names = Names();
      return static_cast<std::size_t>(std::count(names.begin(), names.end(), name)) >= count;
    }, ms);
  }

 private:
  void Watch() {
    while (!stop_) {
      pollfd fd{ConnectionNumber(d_), POLLIN, 0};
      poll(&fd, 1, 20);
      while (XPending(d_) > 0) {
        XEvent ev;
        XNextEvent(d_, &ev);
        if (ev.type != MapNotify || ev.xmap.override_redirect) continue;
        char* name = nullptr;
        if (XFetchName(d_, ev.xmap.window, &name) && name) {
          std::lock_guard lock(mutex_);
          names_.emplace_back(name);
        }
        if (name) XFree(name);
      }
    }
  }

  Display* d_;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<std::string> names_;
};

class VqptXvfbTest : public ::testing::Test {
 protected:
  VqptXvfbTest() = default;
  // On a screen of its own size ("1600x1200x24").
  explicit VqptXvfbTest(const std::string& screen) : server_(screen) {}

  // A derived SetUp calls this first and returns when IsSkipped() or HasFatalFailure().
  void SetUp() override {
    if (!xtest::XvfbAndXdotoolInstalled()) GTEST_SKIP() << "no Xvfb or xdotool";
    ASSERT_FALSE(server_.display().empty());
    user_ = XOpenDisplay(server_.display().c_str());
    ASSERT_NE(user_, nullptr);
    // The windows are looked at while the program opens and closes them: a window gone between the listing and the
    // look is no error of the test (Xlib's default handler would end the process).
    XSetErrorHandler(IgnoreXError);
  }
  void TearDown() override {
    if (inverter_) inverter_->Stop();
    if (user_) XCloseDisplay(user_);
  }

  // The program beside its shared library in the test's folder (its settings file is written there); its path.
  std::string CopyProgramToFolder() {
    return xtest::CopyProgram(ZPR_BIN_DIR, "vqpt32", folder_.path()).string();
  }
  // `bus` served on a pseudo-terminal whose device becomes com1_.
  void ServeInverter(std::shared_ptr<sim::InverterBus> bus) {
    bus_ = std::move(bus);
    auto line = std::make_unique<sim::PtyLine>();
    ASSERT_TRUE(line->ok());
    com1_ = line->slave_path();
    inverter_ = std::make_unique<sim::InverterServer>(bus_, std::move(line));
    inverter_->Start();
  }

  // The started program's main window named `title`, once it shows and has had its first paint; 0 when the
  // program did not start or the window never showed.
  Window WaitForMainWindow(const Program& program, const std::string& title = kFreshTitle) {
    if (!program.started()) return 0;
    const Window main = WaitForWindow(title);
    if (main != 0) Pause(300);
    return main;
  }
  // File > Save by the menu's mnemonics, then the window manager's close; the program must end with 0.
  void SaveByMenuAndClose(Program& program, Window main) {
    ASSERT_TRUE(X({"key", "alt+f"}));
    Pause(250);
    ASSERT_TRUE(X({"key", "s"}));
    Pause(600);
    CloseAsWindowManager(user_, main);
    EXPECT_EQ(program.WaitExit(10000), std::optional<int>(0));
  }
  // File > Print by a real click on the menu bar and the item's mnemonic; the print dialog, or 0.
  Window OpenPrintDialog(Window main) {
    if (!ClickFileMenu(main)) return 0;
    Pause(300);
    if (!X({"key", "p"})) return 0;
    return WaitForWindow("Print");
  }
  Window WaitForWindow(const std::string& name, int ms = 10000) {
    Window w = 0;
    WaitFor([&] { return (w = FindWindowNamed(user_, name)) != 0; }, ms);
    return w;
  }
  // True when no window named `name` is left within `ms`.
  bool WaitForWindowGone(const std::string& name, int ms = 10000) {
    return WaitFor([&] { return FindWindowNamed(user_, name) == 0; }, ms);
  }
  void SavePng(Window w, const std::string& name) {
    Screenshot(user_, w)->WritePng((std::filesystem::path(::testing::TempDir()) / name).string());
  }
  // Pixels of one colour (0xRRGGBB) in the window.
  int CountPixels(Window w, std::uint32_t colour) {
    const auto shot = Screenshot(user_, w);
    int n = 0;
    for (int y = 0; y < shot->height(); ++y) {
      for (int x = 0; x < shot->width(); ++x) n += shot->Pixel(x, y) == colour;
    }
    return n;
  }
  // xdotool on the test's display.
  bool X(std::vector<std::string> args) { return Xdotool(server_.display(), std::move(args)); }
  // A click at a point of a dialog given in the dialog units of its template (width x height units): the client
  // area lies inside the dialog frame and below the caption.
  void ClickAt(Window dialog, int width, int height, int dx, int dy) {
    XWindowAttributes a{};
    XGetWindowAttributes(user_, dialog, &a);
    const int frame = GetSystemMetrics(SM_CXDLGFRAME);
    const int top = frame + GetSystemMetrics(SM_CYCAPTION);
    const double sx = (a.width - 2.0 * frame) / width;
    const double sy = static_cast<double>(a.height - top - frame) / height;
    X({"mousemove", "--window", std::to_string(dialog), std::to_string(frame + static_cast<int>(dx * sx)),
       std::to_string(top + static_cast<int>(dy * sy))});
    X({"click", "1"});
  }
  // A real click on the default button of a message box with one button: the button is found by its black frame,
  // the only black below the text (the box's own frame left out); false when none shows.
  bool ClickDefaultButton(Window box) {
    const auto shot = Screenshot(user_, box);
    const int margin = 2 * GetSystemMetrics(SM_CXDLGFRAME) + 2;
    int left = shot->width(), right = -1, top = shot->height(), bottom = -1;
    for (int y = shot->height() * 11 / 20; y < shot->height() - margin; ++y) {
      for (int x = margin; x < shot->width() - margin; ++x) {
        if (shot->Pixel(x, y) != 0x000000) continue;
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
    if (right < 0) return false;
    return X({"mousemove", "--window", std::to_string(box), std::to_string((left + right) / 2),
              std::to_string((top + bottom) / 2)}) &&
           X({"click", "1"});
  }
  // A click on "File", the first item of the main window's menu bar, just below the caption.
  bool ClickFileMenu(Window main) {
    const int x = GetSystemMetrics(SM_CXFRAME) + 12;
    const int y = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU) / 2;
    return X({"mousemove", "--window", std::to_string(main), std::to_string(x), std::to_string(y)}) &&
           X({"click", "1"});
  }
  // The lines of text of a message box: the bands of rows with black in them, less the last one, the button's
  // frame (the box's own frame left out). Tells texts of one caption apart, such as the group's fault texts.
  int TextLinesOf(Window box) {
    const auto shot = Screenshot(user_, box);
    const int margin = 2 * GetSystemMetrics(SM_CXDLGFRAME) + 2;
    const int top = margin + GetSystemMetrics(SM_CYCAPTION);
    int bands = 0;
    bool in_band = false;
    for (int y = top; y < shot->height() - margin; ++y) {
      bool ink = false;
      for (int x = margin; x < shot->width() - margin && !ink; ++x) ink = shot->Pixel(x, y) == 0x000000;
      if (ink && !in_band) ++bands;
      in_band = ink;
    }
    return bands - 1;
  }
  // The drop-down menu shown last: the top-most mapped window without a name that the window manager leaves
  // alone; 0 when none shows within `ms`.
  Window WaitForDropDown(int ms = 4000) {
    Window found = 0;
    WaitFor([&] {
      XSync(user_, False);
      Window root, parent, *children = nullptr;
      unsigned count = 0;
      found = 0;
      if (!XQueryTree(user_, DefaultRootWindow(user_), &root, &parent, &children, &count)) return false;
      for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes a{};
        if (XGetWindowAttributes(user_, children[i], &a) && a.map_state == IsViewable && a.override_redirect &&
            a.height > 3 * GetSystemMetrics(SM_CYMENU))
          found = children[i];
      }
      if (children) XFree(children);
      return found != 0;
    }, ms);
    return found;
  }
  // `pick` (menu keys or clicks) repeated until the window named `appears` shows within 4 s, three tries at most; a
  // busy machine may take the keys before a menu is open, so after a miss `escapes` Escape keys close what is left
  // open. 0 when the window never showed.
  Window PickUntilShown(const std::function<void()>& pick, const std::string& appears, int escapes) {
    for (int attempt = 0; attempt < 3; ++attempt) {
      pick();
      if (const Window w = WaitForWindow(appears, 4000)) return w;
      for (int i = 0; i < escapes; ++i) X({"key", "Escape"});
    }
    return 0;
  }
  // Opens the Projecting menu by keys on the main window and picks the item `steps` rows below its first (the
  // arrows pass over separators).
  void PickProjectingItem(Window main, int steps) {
    ASSERT_TRUE(X({"windowfocus", "--sync", std::to_string(main)}));
    ASSERT_TRUE(X({"key", "alt+p"}));
    Pause(250);
    for (int i = 0; i < steps; ++i) ASSERT_TRUE(X({"key", "Down"}));
    ASSERT_TRUE(X({"key", "Return"}));
  }
  static void Pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

  VirtualServer server_;
  Display* user_ = nullptr;
  service_test::TempFolder folder_;
  std::shared_ptr<sim::InverterBus> bus_;
  std::unique_ptr<sim::InverterServer> inverter_;
  std::string com1_;
};

}  // namespace xvfb_test
