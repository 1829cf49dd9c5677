// The real vqpt32 on a virtual X server reads the simulated inverter, served on a pseudo-terminal, from its menu
// picked with real X input: the transfer dialog shows its progress and goes; a second read loses the simulator in
// the middle and ends with the link's message. Screenshots are left in the test folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/win/win.h"
#include "sim/inverter_bus.h"
#include "sim/inverter_transport.h"
#include "tests/app/xvfb_program.h"

namespace {

using namespace xvfb_test;

const std::string kBinary = std::string(ZPR_BIN_DIR) + "/vqpt32";
const std::string kFreshTitle = "ZPR-Tool - File 1: NONAME1.ZPR";
const std::string kTransferCaption = "ZPR-Tool";
const std::string kLinkFaultCaption = "Fault serial communication";
const std::string kWarningCaption = "Warning:";

class XvfbTransferTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (access(xtest::kXvfb, X_OK) != 0 || access(kXdotool, X_OK) != 0) GTEST_SKIP() << "no Xvfb or xdotool";
    ASSERT_FALSE(server_.display().empty());
    user_ = XOpenDisplay(server_.display().c_str());
    ASSERT_NE(user_, nullptr);
    // The windows are looked at while the program opens and closes them: a window gone between the listing and the
    // look is no error of the test (Xlib's default handler would end the process).
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    sim::DeviceIdentity identity;
    identity.device_type = 43;
    bus_ = std::make_shared<sim::InverterBus>(std::vector<std::uint8_t>{0}, identity);
    bus_->SetFirstByteDelay(20'000'000);  // slow enough to watch the bar, well inside the reply wait
    auto line = std::make_unique<sim::PtyLine>();
    ASSERT_TRUE(line->ok());
    com1_ = line->slave_path();
    inverter_ = std::make_unique<sim::InverterServer>(bus_, std::move(line));
    inverter_->Start();
  }
  void TearDown() override {
    if (inverter_) inverter_->Stop();
    if (user_) XCloseDisplay(user_);
  }
  Window WaitForWindow(const std::string& name, int ms = 10000) {
    Window w = 0;
    WaitFor([&] { return (w = FindWindowNamed(user_, name)) != 0; }, ms);
    return w;
  }
  void SavePng(Window w, const std::string& name) {
    Screenshot(user_, w)->WritePng((std::filesystem::path(::testing::TempDir()) / name).string());
  }
  // File, then the "Read from inverter" pop-up and its first item, by their mnemonics, until the window named
  // `appears` shows (a busy machine may take the keys before the menu is open: then the menu is closed again and
  // the pick repeated).
  Window PickReadFromInverter(Window main, const std::string& appears) {
    const int x = GetSystemMetrics(SM_CXFRAME) + 12;
    const int y = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU) / 2;
    const std::string id = std::to_string(main);
    const std::string display = server_.display();
    for (int attempt = 0; attempt < 3; ++attempt) {
      Xdotool(display, {"mousemove", "--window", id, std::to_string(x), std::to_string(y)});
      Xdotool(display, {"click", "1"});
      std::this_thread::sleep_for(std::chrono::milliseconds(500));
      Xdotool(display, {"key", "f"});
      std::this_thread::sleep_for(std::chrono::milliseconds(400));
      Xdotool(display, {"key", "f"});
      if (const Window w = WaitForWindow(appears, 4000)) return w;
      for (int i = 0; i < 3; ++i) Xdotool(display, {"key", "Escape"});
    }
    return 0;
  }

  VirtualServer server_;
  Display* user_ = nullptr;
  std::shared_ptr<sim::InverterBus> bus_;
  std::unique_ptr<sim::InverterServer> inverter_;
  std::string com1_;
};

TEST_F(XvfbTransferTest, ReadFromTheMenuShowsTheProgressAndALostInverterItsMessage) {
  Program program(kBinary, server_.display(), com1_);
  ASSERT_TRUE(program.started());
  const Window main = WaitForWindow(kFreshTitle);
  ASSERT_NE(main, 0u);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));

  const Window dialog = PickReadFromInverter(main, kTransferCaption);
  ASSERT_NE(dialog, 0u) << "no transfer dialog";
  const bool progressed = WaitFor([&] { return bus_->telegrams() > 15; });
  SavePng(DefaultRootWindow(user_), "vqpt32_xvfb_transfer_progress.png");
  ASSERT_TRUE(progressed) << bus_->telegrams() << " telegrams";
  // The bar (palette colour 3, green) fills part of its frame.
  const auto shot = Screenshot(user_, dialog);
  int bar = 0;
  for (int y = 0; y < shot->height(); ++y) {
    for (int x = 0; x < shot->width(); ++x) bar += shot->Pixel(x, y) == 0x008000;
  }
  EXPECT_GT(bar, 50);
  ASSERT_TRUE(WaitFor([&] { return FindWindowNamed(user_, kTransferCaption) == 0; }, 60000)) << "the read never ended";
  ASSERT_EQ(FindWindowNamed(user_, kLinkFaultCaption), 0u) << "the first read failed";
  const std::size_t read = bus_->telegrams();
  EXPECT_GT(read, 40u);

  // The second read asks first (what was read is not saved yet), then loses its inverter half-way: the link's
  // message, then the dialog is gone.
  ASSERT_NE(PickReadFromInverter(main, kWarningCaption), 0u) << "no question over the unsaved reading";
  ASSERT_TRUE(Xdotool(server_.display(), {"key", "Return"}));
  ASSERT_NE(WaitForWindow(kTransferCaption), 0u);
  ASSERT_TRUE(WaitFor([&] { return bus_->telegrams() > read + 10; }));
  inverter_->Stop();
  const Window fault = WaitForWindow(kLinkFaultCaption, 20000);
  ASSERT_NE(fault, 0u) << "no message after the inverter was lost";
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  SavePng(DefaultRootWindow(user_), "vqpt32_xvfb_transfer_lost.png");
  ASSERT_TRUE(Xdotool(server_.display(), {"key", "Return"}));
  EXPECT_TRUE(WaitFor([&] {
    return FindWindowNamed(user_, kLinkFaultCaption) == 0 && FindWindowNamed(user_, kTransferCaption) == 0;
  }));
  // Closing asks whether to save the unsaved reading; No leaves without saving.
  CloseAsWindowManager(user_, main);
  ASSERT_NE(WaitForWindow(kTransferCaption), 0u) << "no question before the end";
  ASSERT_TRUE(Xdotool(server_.display(), {"key", "n"}));
  EXPECT_EQ(program.WaitExit(10000), std::optional<int>(0));
}

}  // namespace
