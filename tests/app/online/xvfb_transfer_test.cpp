// The real vqpt32 on a virtual X server reads the simulated inverter, served on a pseudo-terminal, from its menu
// picked with real X input: the transfer dialog shows its progress and goes; a second read loses the simulator in
// the middle and ends with the link's message. Screenshots are left in the test folder.
#include <gtest/gtest.h>

#include "tests/app/xvfb_vqpt_fixture.h"

namespace {

using namespace xvfb_test;

const std::string kTransferCaption = "ZPR-Tool";
const std::string kLinkFaultCaption = "Fault serial communication";
const std::string kWarningCaption = "Warning:";

class XvfbTransferTest : public VqptXvfbTest {
 protected:
  void SetUp() override {
    VqptXvfbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    sim::DeviceIdentity identity;
    identity.device_type = 43;
    auto bus = std::make_shared<sim::InverterBus>(std::vector<std::uint8_t>{0}, identity);
    bus->SetFirstByteDelay(20'000'000);  // slow enough to watch the bar, well inside the reply wait
    ServeInverter(std::move(bus));
  }
  // File, then the "Read from inverter" pop-up and its first item, by their mnemonics, until the window named
  // `appears` shows (a busy machine may take the keys before the menu is open: then the menu is closed again and
  // the pick repeated).
  Window PickReadFromInverter(Window main, const std::string& appears) {
    return PickUntilShown(
        [&] {
          ClickFileMenu(main);
          Pause(500);
          X({"key", "f"});
          Pause(400);
          X({"key", "f"});
        },
        appears, 3);
  }
};

TEST_F(XvfbTransferTest, ReadFromTheMenuShowsTheProgressAndALostInverterItsMessage) {
  Program program(kVqptBinary, server_.display(), com1_);
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
  EXPECT_GT(CountPixels(dialog, 0x008000), 50);
  ASSERT_TRUE(WaitForWindowGone(kTransferCaption, 60000)) << "the read never ended";
  ASSERT_EQ(FindWindowNamed(user_, kLinkFaultCaption), 0u) << "the first read failed";
  const std::size_t read = bus_->telegrams();
  EXPECT_GT(read, 40u);

  // The second read asks first (what was read is not saved yet), then loses its inverter half-way: the link's
  // message, then the dialog is gone.
  ASSERT_NE(PickReadFromInverter(main, kWarningCaption), 0u) << "no question over the unsaved reading";
  ASSERT_TRUE(X({"key", "Return"}));
  ASSERT_NE(WaitForWindow(kTransferCaption), 0u);
  ASSERT_TRUE(WaitFor([&] { return bus_->telegrams() > read + 10; }));
  inverter_->Stop();
  const Window fault = WaitForWindow(kLinkFaultCaption, 20000);
  ASSERT_NE(fault, 0u) << "no message after the inverter was lost";
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  SavePng(DefaultRootWindow(user_), "vqpt32_xvfb_transfer_lost.png");
  ASSERT_TRUE(X({"key", "Return"}));
  EXPECT_TRUE(WaitFor([&] {
    return FindWindowNamed(user_, kLinkFaultCaption) == 0 && FindWindowNamed(user_, kTransferCaption) == 0;
  }));
  // Closing asks whether to save the unsaved reading; No leaves without saving.
  CloseAsWindowManager(user_, main);
  ASSERT_NE(WaitForWindow(kTransferCaption), 0u) << "no question before the end";
  ASSERT_TRUE(X({"key", "n"}));
  EXPECT_EQ(program.WaitExit(10000), std::optional<int>(0));
}

}  // namespace
