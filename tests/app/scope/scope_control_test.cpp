// The scope control window in the program against the simulated inverter and the logging stand-in library:
// opening without a recording, the state on the timer, Start, the automatic read when the recording is ready and
// its feed, Close; a close while the comments dialog runs, which stores the comments first; F1 and the activation
// on the timer, Export; the settings dialog's Cancel and OK, and its trigger code and hexadecimal level.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/documents/scope_file_switch.h"
#include "app/scope/scope_control.h"
#include "app/scope/scope_library.h"
#include "app/templates/scope_templates.h"
#include "link/scope_settings.h"
#include "link/scope_tables.h"
#include "model/menu_list_table.h"
#include "platform/sys/dynamic_library.h"
#include "platform/win/help.h"
#include "platform/win/input_injection.h"
#include "sim/scope_recording.h"
#include "tests/app/transfer_fixture.h"

namespace shell_test {
namespace {

using LogText = const char* (*)();

std::string TrendLog() {
  HMODULE module = GetModuleHandle("TrendLog.dll");
  return module == nullptr ? std::string() : reinterpret_cast<LogText>(GetProcAddress(module, "TrendLogText"))();
}

// Every element of record 454 of data set 0, raw.
std::vector<std::uint8_t> Settings() {
  std::vector<std::uint8_t> bytes;
  for (std::uint16_t e : {0, 1, 2, 3, 4, 8, 10}) {
    std::array<std::uint8_t, 4> v{};
    EXPECT_EQ(model::ReadElement(454, e, v.data(), model::kModeRaw, 0), 0);
    bytes.insert(bytes.end(), v.begin(), v.end());
  }
  for (std::uint16_t e = 12; e <= 42; e += 2) {
    std::array<std::uint8_t, 4> v{};
    EXPECT_EQ(model::ReadElement(454, e, v.data(), model::kModeRaw, 0), 0);
    bytes.insert(bytes.end(), v.begin(), v.end());
  }
  return bytes;
}

std::string ReadText(std::uint16_t record, std::uint16_t element) {
  std::array<char, 1025> text{};
  EXPECT_EQ(model::ReadElement(record, element, text.data(), model::kModeRaw, 0), 0);
  return text.data();
}

// The program's menu lists with one more list that describes one element with the display kind given, for as
// long as the object lives.
class ExtraDescriptor {
 public:
  ExtraDescriptor(std::uint16_t record, std::uint16_t element, std::uint8_t kind)
      : rows_{{{record, element, kind, 0, 0, 0, 0.0, kTexts}, {0, 0, 0, 0, 0, 0, 0.0, kTexts}}} {
    const auto own = model::OwnMenuListTable();
    slots_.assign(own.begin(), own.end());
    slots_.push_back({rows_.data(), 0, true});
    model::SetMenuListTableForTest(slots_);
  }
  ~ExtraDescriptor() { model::SetMenuListTableForTest({}); }
  ExtraDescriptor(const ExtraDescriptor&) = delete;
  ExtraDescriptor& operator=(const ExtraDescriptor&) = delete;

 private:
  static constexpr const char* kTexts[] = {"X99 test word", ""};
  std::array<model::ParameterDescriptor, 2> rows_;
  std::vector<model::MenuListSlot> slots_;
};

class ScopeControlTest : public TransferTest {
 protected:
  void SetUp() override {
    TransferTest::SetUp();
    // The program's folder is a temporary one: the stand-in is named by its path.
    app::SetScopeLibraryFile(library_.c_str());
    app::InstallScopeLibraryBinding();
  }
  void TearDown() override {
    app::SetScopeLibraryCalls({});
    app::SetScopeLibraryFile(nullptr);
    TransferTest::TearDown();
  }
  // Opens the window by its menu command on a fresh project, the simulator holding a recording in `state`.
  void OpenOnSimulator(std::uint8_t state) {
    ConnectInverter();
    sim::InstallScopeRecording(device());
    device().WriteNumber(33, 59, state);
    drv::PickMenu(Main(), app::kOpenScopeControlCommand);
  }
  const std::string library_ = std::string(ZPR_BIN_DIR) + "/TrendLog.dll";
  static HWND Control() { return app::ModelessWindow(app::Modeless::kScopeControl); }
  bool Saw(const std::string& start) const {
    return std::any_of(dialogs_.begin(), dialogs_.end(), [&](const std::string& d) { return d.rfind(start, 0) == 0; });
  }
};

TEST_F(ScopeControlTest, StartThenReadyReadsFeedsAndCloseReleasesEverything) {
  HWND control = nullptr;
  Run({
      [&] {
        PutRaw<std::uint8_t>(305, 144, 1);  // auto-read
        // The channels the user chose: Start sends them, the read brings them back with the samples.
        for (std::size_t c = 0; c < sim::kScopeWaveChannels.size(); ++c) {
          PutRaw<std::uint16_t>(454, static_cast<std::uint16_t>(12 + 4 * c), sim::kScopeWaveChannels[c].record);
          PutRaw<std::uint16_t>(454, static_cast<std::uint16_t>(14 + 4 * c), sim::kScopeWaveChannels[c].element);
        }
        OpenOnSimulator(1);
      },
      [&] {
        control = Control();
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(Saw("There is no recording in the ZPR-Scope."));
        EXPECT_NE(GetModuleHandle("TrendLog.dll"), nullptr);
        EXPECT_EQ(TrendLog(), "");  // nothing to show yet
        EXPECT_TRUE(app::ScopeControlState().poll);
        drv::Advance(150);
        EXPECT_TRUE(app::ScopeControlState().timer_ticked);
        EXPECT_EQ(drv::ItemText(control, app::kScopeStateField), "inactive");
        EXPECT_EQ(drv::ItemText(control, app::kScopeStartStopButton), "S&tart");
        EXPECT_FALSE(drv::Enabled(control, app::kScopeReadButton));
        drv::ClickItem(control, app::kScopeStartStopButton);
      },
      [&] {
        EXPECT_EQ(drv::ItemText(control, app::kScopeStateField), "started");
        EXPECT_EQ(drv::ItemText(control, app::kScopeStartStopButton), "S&top");
        EXPECT_TRUE(app::ScopeControlState().pending_read);
        device().WriteNumber(33, 59, 5);
        drv::Advance(static_cast<int>(app::ScopeControlState().refresh_ms) + 10);
      },
      [&] {
        // Ready with auto-read: the window read the recording by itself, once, and fed it.
        EXPECT_FALSE(app::ScopeControlState().pending_read);
        EXPECT_EQ(model::GetFileTypeCode(0), model::kFileKindReverseDoc);
        const std::string log = TrendLog();
        EXPECT_TRUE(boxes_.empty());
        EXPECT_NE(log.find("SetTitle(ZPR-Scope display)"), std::string::npos);
        EXPECT_NE(log.find("SetChannelKey(5,6)"), std::string::npos);
        EXPECT_EQ(log.find("SetChannelKey(6,7)"), std::string::npos);
        EXPECT_NE(log.find("ActivateWindow"), std::string::npos);
        EXPECT_FALSE(ReadText(317, 2563).empty());
        EXPECT_EQ(ilink::InverterConnected(), 1);
        drv::ClickItem(control, IDOK);
      },
      [&] {
        EXPECT_FALSE(IsWindow(control));
        EXPECT_EQ(Control(), nullptr);
        EXPECT_EQ(GetModuleHandle("TrendLog.dll"), nullptr);
        EXPECT_EQ(ilink::InverterConnected(), 0);
      },
  });
  EXPECT_EQ(steps_run_, 5u);
}

// A file switch closes the control window while its comments dialog runs: the dialog stores what was typed and
// ends, then the window closes, once.
TEST_F(ScopeControlTest, CloseWhileTheCommentsDialogRunsStoresThemFirst) {
  HWND control = nullptr;
  bool dialog_seen = false;
  drv::OnDialogIdle(app::kScopeCommentsTemplate, [&](HWND dialog) {
    if (dialog_seen) return;
    dialog_seen = true;
    SetFocus(GetDlgItem(dialog, app::kCommentsRemark));  // selects the text, which typing replaces
    drv::Type(GetDlgItem(dialog, app::kCommentsRemark), "after the brake test");
    app::CloseScopeControl();  // what a switch to a file without a recording does
  });
  Run({
      [&] { OpenOnSimulator(1); },
      [&] {
        control = Control();
        ASSERT_NE(control, nullptr);
        drv::ClickItem(control, app::kScopeCommentsButton);
      },
      [&] {
        EXPECT_TRUE(dialog_seen);
        EXPECT_EQ(ReadText(317, 2644), "after the brake test");
        EXPECT_FALSE(IsWindow(control));
        EXPECT_EQ(Control(), nullptr);
        EXPECT_EQ(GetModuleHandle("TrendLog.dll"), nullptr);
        EXPECT_EQ(ilink::InverterConnected(), 0);
      },
  });
  EXPECT_EQ(steps_run_, 3u);
}


// Settings: a channel picked from its list is stored at once; Cancel puts record 454 back as it was at the opening.
// OK keeps it and, the recording being active, stops, sends the settings and starts again, a read then pending.
TEST_F(ScopeControlTest, SettingsCancelRestoresAndOkRestartsWithTheNewSettings) {
  HWND control = nullptr;
  std::vector<std::uint8_t> before;
  std::uint16_t picked_record = 0;
  int runs = 0;
  drv::OnDialogIdle(app::kScopeSettingsTemplate, [&](HWND dialog) {
    ++runs;
    ASSERT_TRUE(drv::SelectItem(GetDlgItem(dialog, app::kSettingsFirstChannel), 3));
    picked_record = GetRaw<std::uint16_t>(454, 12);
    drv::ClickItem(dialog, runs == 1 ? IDCANCEL : IDOK);
  });
  Run({
      [&] { OpenOnSimulator(1); },
      [&] {
        control = Control();
        ASSERT_NE(control, nullptr);
        before = Settings();
        drv::ClickItem(control, app::kScopeSettingsButton);
      },
      [&] {
        ASSERT_EQ(runs, 1);
        EXPECT_NE(picked_record, 0);
        EXPECT_EQ(Settings(), before);
        EXPECT_TRUE(drv::Enabled(control, app::kScopeSettingsButton));
        EXPECT_FALSE(app::ScopeControlState().pending_read);
        drv::ClickItem(control, app::kScopeSettingsButton);
      },
      [&] {
        ASSERT_EQ(runs, 2);
        EXPECT_EQ(GetRaw<std::uint16_t>(454, 12), picked_record);
        std::vector<std::uint8_t> sent(4);
        device().ReadStored(454, 12, sent);
        EXPECT_EQ(sent[0] | sent[1] << 8, picked_record);
        EXPECT_TRUE(app::ScopeControlState().pending_read);
        EXPECT_TRUE(boxes_.empty());
        drv::ClickItem(control, IDOK);
      },
  });
  EXPECT_EQ(steps_run_, 4u);
}

// The timer: F1 held down asks the main window for help on the next tick. Another window made active stops the
// poll and the state field shows " ..."; the control window active again polls again. Export asks for a text
// file (type 4) and writes the recording there, the project keeping its name.
TEST_F(ScopeControlTest, TimerF1AndActivationSwitchThePollAndExportWritesTheText) {
  HWND control = nullptr;
  const std::string exported = (folder_.path() / "recording.txt").string();
  std::string title;
  const auto tick = [] { drv::Advance(static_cast<int>(app::ScopeControlState().refresh_ms) + 10); };
  Run({
      [&] { OpenOnSimulator(1); },
      [&] {
        control = Control();
        ASSERT_NE(control, nullptr);
        drv::Advance(150);
        ASSERT_TRUE(app::ScopeControlState().timer_ticked);
        platform::win::ClearHelpRequests();
        platform::win::SetKeyHeld(VK_F1, true);
        tick();
        platform::win::SetKeyHeld(VK_F1, false);
      },
      [&] {
        EXPECT_EQ(platform::win::HelpRequests().size(), 1u) << "help command 2131 on the main window";
        SetActiveWindow(Main());
        EXPECT_FALSE(app::ScopeControlState().poll);
        tick();
        EXPECT_EQ(drv::ItemText(control, app::kScopeStateField), " ...");
        SetActiveWindow(control);
        EXPECT_TRUE(app::ScopeControlState().poll);
        tick();
        EXPECT_EQ(drv::ItemText(control, app::kScopeStateField), "inactive");
        title = drv::Text(Main());
        drv::AnswerFileDialog(exported);
        drv::ClickItem(control, app::kScopeExportButton);
      },
      [&] {
        ASSERT_FALSE(drv::FileDialogs().empty());
        EXPECT_TRUE(drv::FileDialogs().back().save);
        EXPECT_EQ(drv::FileDialogs().back().default_ext, "PRN");
        std::ifstream in(exported);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_NE(text.find("number of channels"), std::string::npos) << text;
        EXPECT_EQ(drv::Text(Main()), title);
        drv::ClickItem(control, IDOK);
      },
  });
  EXPECT_EQ(steps_run_, 4u);
}

// The trigger in the settings dialog: the user-defined trigger keeps its code text in its field. Its element being
// shown in hexadecimal (display kind 9), the level reads "%04X" with the unit "HEX" and an entry is read as
// hexadecimal after the characters below '0'; an entry without a hexadecimal digit is refused with the trigger's
// name and the level stays. Opened again, the dialog shows the code and the level from record 454.
TEST_F(ScopeControlTest, SettingsTriggerCodeAndHexadecimalLevel) {
  const ExtraDescriptor hexadecimal(33, 142, 9);  // u16
  std::vector<std::string> names;
  ilink::GetScopeTriggerNames(&names);
  const std::string refusal = "Wrong input from: " + names[ilink::kScopeUserDefinedTrigger] + ".";
  struct Entry {
    const char* typed;
    int level;       // stored afterwards
    const char* shown;
    bool refused;
  };
  const Entry entries[] = {
      {" 1a2B", 0x1A2B, "1A2B", false},
      {"-FFFF", 0xFFFF, "FFFF", false},
      {"42", 0x42, "0042", false},
      {"zz", 0x42, "0042", true},
  };
  int runs = 0;
  drv::OnDialogIdle(app::kScopeSettingsTemplate, [&](HWND dialog) {
    if (++runs == 2) {
      // Opened again: the fill brings the code and the level back from record 454.
      EXPECT_EQ(drv::ItemText(dialog, app::kSettingsTriggerCode), "BB33.142");
      EXPECT_EQ(drv::ItemText(dialog, app::kSettingsLevel), "0042");
      EXPECT_EQ(drv::ItemText(dialog, app::kSettingsLevelUnit), "HEX");
      drv::ClickItem(dialog, IDCANCEL);
    }
    if (runs != 1) return;
    drv::Type(GetDlgItem(dialog, app::kSettingsTriggerCode), "BB33.142");
    ASSERT_TRUE(drv::SelectItem(GetDlgItem(dialog, app::kSettingsTrigger), ilink::kScopeUserDefinedTrigger));
    EXPECT_EQ(drv::ItemText(dialog, app::kSettingsTriggerCode), "BB33.142");
    EXPECT_EQ(drv::ItemText(dialog, app::kSettingsLevelUnit), "HEX");
    char shown[16];
    std::snprintf(shown, sizeof shown, "%04X", GetRaw<std::uint32_t>(454, 4));
    EXPECT_EQ(drv::ItemText(dialog, app::kSettingsLevel), shown);
    for (const Entry& e : entries) {
      const std::size_t messages = dialogs_.size();
      SetFocus(GetDlgItem(dialog, app::kSettingsLevel));  // selects the text, which typing replaces
      drv::Type(GetDlgItem(dialog, app::kSettingsLevel), e.typed);
      SetFocus(GetDlgItem(dialog, app::kSettingsPretrigger));  // the level is stored when it loses the focus
      drv::PumpUntilIdle();
      EXPECT_EQ(GetRaw<std::int32_t>(454, 4), e.level) << e.typed;
      EXPECT_EQ(drv::ItemText(dialog, app::kSettingsLevel), e.shown) << e.typed;
      EXPECT_EQ(drv::ItemText(dialog, app::kSettingsTriggerCode), "BB33.142") << e.typed;
      const bool refused = dialogs_.size() > messages && dialogs_.back().find(refusal) != std::string::npos;
      EXPECT_EQ(refused, e.refused) << e.typed << ": " << (dialogs_.empty() ? "" : dialogs_.back());
    }
    drv::ClickItem(dialog, IDOK);
  });
  Run({
      [&] { OpenOnSimulator(1); },
      [&] { drv::ClickItem(Control(), app::kScopeSettingsButton); },
      [&] { drv::ClickItem(Control(), app::kScopeSettingsButton); },
      [&] {
        EXPECT_EQ(runs, 2);
        drv::ClickItem(Control(), IDOK);
      },
  });
  EXPECT_EQ(steps_run_, 4u);
}

}  // namespace
}  // namespace shell_test
