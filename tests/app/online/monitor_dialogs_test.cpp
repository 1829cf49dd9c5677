// The online monitor windows against the simulated inverter on a fake COM1, in virtual time: opened from the
// menu, refilled at the polling interval with the simulator's values, the drive monitor's bars and their scale,
// a record served short shown as invalid, the simulator stopping in the middle of a poll, and the protocol
// dialog that chooses the value log's next mode.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>

#include "app/common/help_context.h"
#include "app/online/monitor_dialogs.h"
#include "app/online/monitor_windows.h"
#include "app/online/value_log.h"
#include "model/element_access.h"
#include "model/value_converters.h"
#include "tests/app/monitor_fixture.h"

namespace shell_test {
namespace {

using app::Modeless;

double Converted(std::uint16_t record, std::uint16_t element) {
  double value = NAN;
  EXPECT_EQ(model::ReadElement(record, element, &value, model::kModeConverted, 0), 0);
  return value;
}

class MonitorDialogTest : public MonitorLineTest {
 protected:
  void SetUp() override {
    MonitorLineTest::SetUp();
    app::ResetValueLog();
  }
  void TearDown() override {
    app::ResetValueLog();
    MonitorLineTest::TearDown();
  }
  sim::InverterDevice& Device() { return *bus_->Device(0); }
  static void Command(UINT id) { SendMessage(Main(), WM_COMMAND, id, 0); }
  // A button of a window pressed (inside a step the program's loop takes real input only after the step).
  static void Press(HWND dialog, int id) {
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  }
  static HWND Window(Modeless kind) { return app::ModelessWindow(kind); }
};

// E03 DC-link-volt (33.8) is shown as read; the poll runs 200 ms after the opening, then at the interval.
TEST_F(MonitorDialogTest, DriveMonitorShowsTheSimulatorsValuesAtEachPoll) {
  Run({[&] {
    Connect(500);
    Device().WriteNumber(33, 8, 541);
    Command(2090);
    HWND drive = Window(Modeless::kDriveMonitor);
    ASSERT_NE(drive, nullptr);
    EXPECT_TRUE(IsWindowVisible(drive));
    EXPECT_EQ(drv::MenuState(Main(), 2007).grayed, true);
    drv::Advance(200);
    EXPECT_EQ(drv::ItemText(drive, 738), "54.1");
    Device().WriteNumber(33, 8, 562);
    drv::Advance(499);
    EXPECT_EQ(drv::ItemText(drive, 738), "54.1");
    drv::Advance(1);
    EXPECT_EQ(drv::ItemText(drive, 738), "56.2");
    // The bars show n-motor, I-active and P-motor as the data set holds them after the poll.
    const app::DriveBars& bars = app::DriveMonitorBars();
    ASSERT_TRUE(bars.valid);
    const std::uint16_t elements[] = {2, 6, 12};
    for (std::size_t i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(bars.bars[i].last, static_cast<float>(Converted(33, elements[i])));
    // Its help: the window's template while no control of its range has the context, then the control.
    app::SetHelpContext(app::kMainHelpContext);
    SendMessage(drive, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(app::GetHelpContext(), 31);
    SendMessage(drive, WM_COMMAND, MAKEWPARAM(738, EN_SETFOCUS), reinterpret_cast<LPARAM>(GetDlgItem(drive, 738)));
    EXPECT_EQ(app::GetHelpContext(), 738);
    // A second open raises the one window.
    Command(2090);
    EXPECT_EQ(Window(Modeless::kDriveMonitor), drive);
    EXPECT_EQ(app::CountOpenMonitors(), 1u);
    Press(drive, IDOK);
    EXPECT_FALSE(IsWindow(drive));
    EXPECT_EQ(Window(Modeless::kDriveMonitor), nullptr);
    EXPECT_FALSE(app::DriveMonitorBars().valid);
    EXPECT_EQ(app::CountOpenMonitors(), 0u);
    EXPECT_FALSE(drv::MenuState(Main(), 2007).grayed);
  }});
  EXPECT_TRUE(dialogs_.empty());
}

// The polling interval is element 160 of record 305; 0 would poll without pause and counts as 2000 ms.
TEST_F(MonitorDialogTest, AZeroPollingIntervalCountsAsTwoSeconds) {
  for (const std::uint16_t interval : {std::uint16_t{0}, std::uint16_t{65535}}) {
    SCOPED_TRACE(interval);
    Run({[&] {
      Connect(interval);
      Command(2090);
      EXPECT_EQ(app::PollInterval(), interval == 0 ? 2000 : interval);
      drv::Advance(200);
      const std::size_t polled = bus_->telegrams();
      drv::Advance(1999);
      EXPECT_EQ(bus_->telegrams(), polled);
      app::CloseAllMonitors();
    }});
  }
}

// Every monitor opens once by its command (the bit windows by the fieldbus monitor's buttons) and shows what
// the poll read into its first control.
TEST_F(MonitorDialogTest, EverySevenMonitorsOpensOnceAndShowsItsRecord) {
  struct Case {
    Modeless kind;
    UINT command;  // 0: a button of the fieldbus monitor
    int button;
    int control;
    std::uint16_t record;
    std::uint16_t element;
  };
  const Case cases[] = {
      {Modeless::kFieldbusMonitor, 2098, 0, 806, 33, 84},
      {Modeless::kDriveMonitor, 2090, 0, 738, 33, 8},
      {Modeless::kControlInterfaceMonitor, 2091, 0, 749, 36, 0},
      {Modeless::kProcessDataMonitor, 2092, 0, 768, 52, 84},
      {Modeless::kPositioningMonitor, 2093, 0, 800, 33, 150},
      {Modeless::kStatusBits, 0, 4, 835, 33, 104},
      {Modeless::kControlBits, 0, 6, 866, 52, 40},
  };
  Run({[&] {
    Connect(1000);
    for (const Case& c : cases) {
      SCOPED_TRACE(static_cast<int>(c.kind));
      if (c.command != 0) {
        Command(c.command);
        Command(c.command);
      } else {
        Press(Window(Modeless::kFieldbusMonitor), c.button);
        Press(Window(Modeless::kFieldbusMonitor), c.button);
      }
      ASSERT_NE(Window(c.kind), nullptr);
    }
    EXPECT_EQ(app::CountOpenMonitors(), 7u);
    // Values the simulator holds now: a number, and bit 2 of E100 / bit 1 of E101.
    Device().WriteNumber(33, 84, 4711);
    Device().WriteNumber(33, 8, 600);
    Device().WriteNumber(36, 0, 17);
    Device().WriteNumber(52, 84, 23);
    Device().WriteNumber(33, 150, 99);
    Device().WriteNumber(33, 104, 1u << 2);
    Device().WriteNumber(52, 40, 1u << 1);
    drv::Advance(200);
    // In their units: E03 in 0.1 V, E10 at 10 V = 16384, E119 an actual speed word.
    const char* shown[] = {"4711", "60.0", "0.01", "8", "99"};
    for (std::size_t i = 0; i < 5; ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(drv::ItemText(Window(cases[i].kind), cases[i].control), shown[i]);
    }
    EXPECT_TRUE(drv::Checked(Window(Modeless::kStatusBits), 835));
    EXPECT_FALSE(drv::Checked(Window(Modeless::kStatusBits), 834));
    EXPECT_TRUE(drv::Checked(Window(Modeless::kControlBits), 866));
    // The positioning unit stands in front of the unit labels.
    char unit[16] = {};
    GetDlgItemText(Window(Modeless::kPositioningMonitor), 802, unit, sizeof unit);
    EXPECT_NE(std::string(unit).rfind("unit", 0), 0u) << unit;
    app::CloseAllMonitors();
    EXPECT_EQ(app::CountOpenMonitors(), 0u);
  }});
  EXPECT_TRUE(dialogs_.empty());
}

// An inverter that serves record 33 only up to element 8: what lies beyond did not arrive and is shown as
// invalid (texts, bits, bars), never as the value the data set held before.
TEST_F(MonitorDialogTest, ARecordServedShortShowsItsMissingValuesAsInvalid) {
  Run({[&] {
    Connect(1000);
    Device().WriteNumber(33, 2, 100);
    Device().WriteNumber(33, 8, 555);
    Device().WriteNumber(33, 14, 7);
    Command(2090);
    Command(2098);
    Press(Window(Modeless::kFieldbusMonitor), 4);
    HWND drive = Window(Modeless::kDriveMonitor);
    HWND bits = Window(Modeless::kStatusBits);
    drv::Advance(200);
    EXPECT_EQ(drv::ItemText(drive, 738), "55.5");
    ASSERT_TRUE(std::isfinite(app::DriveMonitorBars().bars[2].last));
    Device().SetServedBytes(33, 8);
    Device().WriteNumber(33, 2, 200);
    drv::Advance(1000);
    EXPECT_EQ(app::CountOpenMonitors(), 3u);
    EXPECT_EQ(drv::ItemText(drive, 738), app::kInvalidValueText);  // 33.8, two bytes beyond the eighth
    EXPECT_EQ(drv::ItemText(drive, 732), app::kInvalidValueText);  // 33.14
    EXPECT_EQ(IsDlgButtonChecked(bits, 833), BST_INDETERMINATE);
    EXPECT_FLOAT_EQ(app::DriveMonitorBars().bars[0].last, static_cast<float>(Converted(33, 2)));
    EXPECT_TRUE(std::isnan(app::DriveMonitorBars().bars[2].last));  // 33.12 empty
    // Served whole again: values again.
    Device().SetServedBytes(33, 65535);
    drv::Advance(1000);
    EXPECT_EQ(drv::ItemText(drive, 738), "55.5");
    EXPECT_NE(IsDlgButtonChecked(bits, 833), BST_INDETERMINATE);
    app::CloseAllMonitors();
  }});
  EXPECT_TRUE(dialogs_.empty());
}

// The simulator stops answering in the middle of a poll: one message, every monitor closed, the poll off; the
// program goes on, and a monitor opened when the inverter answers again polls as before.
TEST_F(MonitorDialogTest, TheSimulatorStoppingMidPollGivesOneMessageAndStopsThePoll) {
  std::size_t per_poll = 0;
  Run({
      [&] {
        Connect(1000);
        for (UINT id : {2090u, 2091u, 2092u, 2093u, 2098u}) Command(id);
        Press(Window(Modeless::kFieldbusMonitor), 4);
        Press(Window(Modeless::kFieldbusMonitor), 6);
        ASSERT_EQ(app::CountOpenMonitors(), 7u);
        drv::Advance(200);
        const std::size_t before = bus_->telegrams();
        drv::Advance(1000);
        per_poll = bus_->telegrams() - before;
        ASSERT_GT(per_poll, 3u);
        // The next poll gets two answers, then silence.
        for (int i = 0; i < 2; ++i) bus_->QueueFault({});
        bus_->SetPersistentFault({sim::FaultKind::kDrop});
        drv::Advance(1000);
      },
      [&] {
        EXPECT_EQ(dialogs_.size(), 1u);
        EXPECT_EQ(app::CountOpenMonitors(), 0u);
        for (Modeless kind : {Modeless::kDriveMonitor, Modeless::kStatusBits, Modeless::kControlBits}) {
          EXPECT_EQ(Window(kind), nullptr);
        }
        EXPECT_FALSE(app::DriveMonitorBars().valid);
        EXPECT_FALSE(drv::MenuState(Main(), 2007).grayed);
        const std::size_t seen = bus_->telegrams();
        drv::Advance(5000);
        EXPECT_EQ(bus_->telegrams(), seen);  // the poll is off
        EXPECT_EQ(dialogs_.size(), 1u);
        bus_->SetPersistentFault({});
        Device().WriteNumber(33, 8, 432);
        Command(2090);
        drv::Advance(200);
        EXPECT_EQ(drv::ItemText(Window(Modeless::kDriveMonitor), 738), "43.2");
        app::CloseAllMonitors();
      },
  });
  EXPECT_EQ(steps_run_, 2u);
  EXPECT_EQ(dialogs_.size(), 1u);
}

// The drive monitor shows the actual speed (E08, control 735) at every event level: the " -" of a time outside a
// warning belongs to the warning time, which this window's list does not show.
TEST_F(MonitorDialogTest, TheDriveMonitorShowsTheActualSpeedAtEveryEventLevel) {
  Run({[&] {
    Connect(1000);
    Device().WriteNumber(33, 68, 2);  // the pole pairs the inverter reports: 4096 = 1500 rpm
    Command(2090);
    HWND drive = Window(Modeless::kDriveMonitor);
    ASSERT_NE(drive, nullptr);
    const struct {
      std::uint32_t level;
      std::uint32_t speed;
      const char* shown;
    } cases[] = {{0, 4096, "1500"}, {1, 2048, "750"}, {2, 4096, "1500"}, {3, 0, "0"}};
    for (const auto& c : cases) {
      Device().WriteNumber(33, 64, c.level);
      Device().WriteNumber(33, 2, c.speed);
      drv::Advance(1000);
      EXPECT_EQ(drv::ItemText(drive, 735), c.shown) << "event level " << c.level;
    }
    app::CloseAllMonitors();
  }});
  EXPECT_TRUE(dialogs_.empty());
}

// The ranges are set when the window opens and anew when the scale mode (E84, 33.61, shown counted from 1)
// changes: mode 2, stored 1, takes them from the second parameter set's records.
TEST_F(MonitorDialogTest, ANewScaleModeRescalesTheDriveBars) {
  Run({[&] {
    Connect(1000);
    // The motors' pole pairs that the speed ranges are computed from (the opening reads them from the inverter).
    Device().WriteNumber(42, 26, 2);
    Device().WriteNumber(43, 26, 3);
    const double speed = std::fabs(Converted(38, 2));
    Command(2090);
    drv::Advance(200);
    const app::DriveBars& bars = app::DriveMonitorBars();
    EXPECT_EQ(bars.scale_mode, 1);
    EXPECT_FLOAT_EQ(bars.bars[0].maximum, static_cast<float>(speed));
    EXPECT_FLOAT_EQ(bars.bars[0].minimum, static_cast<float>(-speed));
    PutRaw<std::uint16_t>(43, 6, 75);
    Device().WriteNumber(33, 61, 1);
    drv::Advance(1000);
    EXPECT_EQ(bars.scale_mode, 2);
    ASSERT_LT(std::fabs(Converted(39, 2)), model::kSpeedNotComputable);
    EXPECT_FLOAT_EQ(bars.bars[0].maximum, static_cast<float>(std::fabs(Converted(39, 2))));
    // Without pole pairs a speed cannot be computed: the range falls back to 3000.
    PutRaw<std::uint16_t>(43, 26, 0);
    Device().WriteNumber(43, 26, 0);
    Device().WriteNumber(33, 61, 0);
    drv::Advance(1000);
    EXPECT_EQ(bars.scale_mode, 1);
    Device().WriteNumber(33, 61, 1);
    drv::Advance(1000);
    EXPECT_FLOAT_EQ(bars.bars[0].maximum, 3000.0f);
    ASSERT_NE(Converted(43, 6), 0.0);
    EXPECT_FLOAT_EQ(bars.bars[2].maximum, static_cast<float>(2.0 * std::fabs(Converted(43, 6))));
    app::CloseAllMonitors();
  }});
}

// Buttons 3 and 4 only while a monitor polls (4 not when 305.56 forbids it); the choice becomes the protocol
// state, and the next poll turns 3 into a new value log.
TEST_F(MonitorDialogTest, TheProtocolDialogChoosesTheNextValueLogMode) {
  struct Case {
    bool monitor;
    std::uint8_t no_complete;
    bool start_enabled;
    bool complete_enabled;
  };
  const Case cases[] = {{false, 0, false, false}, {true, 0, true, true}, {true, 1, true, false}};
  const std::filesystem::path log = folder_.path() / "protocol.txt";
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.monitor << int{c.no_complete});
    bool start = false;
    bool complete = false;
    std::string target;
    drv::OnDialogIdle(34, [&](HWND d) {
      start = drv::Enabled(d, 3);
      complete = drv::Enabled(d, 4);
      target = drv::ItemText(d, 905);
      drv::ClickItem(d, start ? 3 : IDOK);
    });
    Run({[&] {
      Connect(1000);
      PutRaw<std::uint8_t>(305, 56, c.no_complete);
      PutRaw<std::uint8_t>(305, 57, 1);  // the log goes into a text file
      std::array<char, 81> name{};
      log.string().copy(name.data(), name.size() - 1);
      ASSERT_EQ(model::WriteElement(305, 62, name.data(), model::kModeRaw, 0), 0);
      if (c.monitor) Command(2090);
      Command(2094);
      EXPECT_EQ(app::Shell().protocol_state, c.start_enabled ? app::kProtocolStart : 1);
      if (c.monitor) {
        drv::Advance(200);
        EXPECT_EQ(app::LastValueLogMode(), app::kValueLogStart);
        EXPECT_EQ(app::Shell().protocol_state, app::kProtocolRunning);
        EXPECT_TRUE(app::ValueLogRunning());
        EXPECT_GT(std::filesystem::file_size(log), 0u);
        app::CloseAllMonitors();
      }
    }});
    EXPECT_EQ(start, c.start_enabled);
    EXPECT_EQ(complete, c.complete_enabled);
    EXPECT_EQ(target, "Log file: " + log.string()) << "the dialog says where the log goes";
  }
}

}  // namespace
}  // namespace shell_test
