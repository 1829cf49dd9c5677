// The dialogs around the link against the simulated inverter and box: the address dialog's limits and where the
// address goes, the node search, the option dialogs (storing, Cancel, the port test, the Quellox re-format only
// after a clean head check), the start of actions with each outcome and refusal, and the guided phase test.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/binding/dialog_binding.h"
#include "app/online/link_dialogs.h"
#include "app/templates/link_templates.h"
#include "platform/sys/clock.h"
#include "tests/app/transfer_fixture.h"

namespace shell_test {
namespace {

bool Contains(const std::vector<std::string>& texts, const std::string& part) {
  for (const std::string& text : texts) {
    if (text.find(part) != std::string::npos) return true;
  }
  return false;
}

class LinkDialogTest : public TransferTest {};

// ---- inverter address ----

TEST_F(LinkDialogTest, TheAddressIsCheckedAndGoesToTheSettingsTheLinkReads) {
  struct Case {
    const char* typed;
    int stored;  // -1: refused
    const char* message;
  };
  const Case cases[] = {
      {"31", 31, ""}, {"0", 0, ""}, {" 7 ", 7, ""}, {"32", -1, "Value is too big. \ninverter address"},
      {"-1", -1, "Value is too small. \ninverter address"}, {"abc", -1, "Wrong value (definition gap).\ninverter address"},
      {"", -1, "Wrong value"}, {"5x", -1, "Wrong value"},
  };
  for (const Case& c : cases) {
    std::string shown;
    Run({[&] {
      ConnectInverter();
      PutRaw<std::uint8_t>(305, 42, 4, 0);
      PutRaw<std::uint8_t>(305, 42, 4, 1);
      app::SetActiveFile(1);  // File 2 active: the link still reads data set 0
      int round = 0;
      drv::OnDialogIdle(app::kAddressTemplate, [&](HWND d) {
        if (round++ == 0) {
          SetDlgItemText(d, app::kAddressField, c.typed);
          drv::ClickItem(d, IDOK);
        } else {
          shown = drv::ItemText(d, app::kAddressField);
          EndDialog(d, IDCANCEL);
        }
      });
      dialogs_.clear();
      EXPECT_FALSE(app::OpenInverterAddressDialog(Main()));
      app::SetActiveFile(0);
    }});
    const int expected = c.stored < 0 ? 4 : c.stored;
    EXPECT_EQ(GetRaw(305, 42, 0), expected) << c.typed;
    EXPECT_EQ(GetRaw(305, 42, 1), expected) << c.typed;
    if (c.stored < 0) {
      EXPECT_TRUE(Contains(dialogs_, c.message)) << c.typed << ": " << LastMessage();
      EXPECT_EQ(shown, "4") << c.typed;
    } else {
      EXPECT_TRUE(dialogs_.empty()) << c.typed << ": " << LastMessage();
    }
  }
}

TEST_F(LinkDialogTest, ChangeAddressThenReadReadsTheInverterAtTheNewAddress) {
  bus_ = std::make_shared<sim::InverterBus>(std::vector<std::uint8_t>{5});
  Run({
      [&] {
        ConnectInverter();
        PutRaw<std::uint8_t>(305, 13, 10, 0);
        bus_->Device(5)->WriteNumber(38, 2, 1234);
        drv::OnDialogIdle(app::kAddressTemplate, [](HWND d) {
          SetDlgItemText(d, app::kAddressField, "5");
          drv::ClickItem(d, app::kAddressStartButton);
        });
        EXPECT_FALSE(drv::MenuState(Main(), 2020).grayed);
        EXPECT_TRUE(drv::PickMenu(Main(), 2020));
      },
      [&] {
        EXPECT_EQ(GetRaw(305, 42, 0), 5);
        EXPECT_EQ(model::GetFileTypeCode(0), model::kFileKindReverseDoc);
        EXPECT_EQ(GetRaw<std::uint16_t>(38, 2), 1234);
      },
  });
  EXPECT_EQ(steps_run_, 2u);
  EXPECT_TRUE(dialogs_.empty()) << LastMessage();
}

// ---- node search ----

// The search covers 0 to the highest address (the whole bus for 0, a single inverter's setting), waits one slave's
// reply time for each address as it announces, and shows a fault only when no inverter answered.
TEST_F(LinkDialogTest, TheNodeSearchFindsTheSimulatorsAddressesAndTakesTheFirst) {
  bus_ = std::make_shared<sim::InverterBus>(std::vector<std::uint8_t>{3, 7});
  struct Case {
    std::uint8_t highest;
    const char* announced;  // (reply wait 0.2 s + pause 10 ms) per address
    double seconds;
    int address;  // both sets afterwards
    bool found3;
    bool found7;
    bool whole_bus;
  };
  const Case cases[] = {
      {10, "2.3 sec", 2.31, 3, true, true, false},
      {2, "0.6 sec", 0.63, 9, false, false, false},
      {0, "6.5 sec", 6.51, 3, true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int{c.highest});
    std::string intro;
    std::string report;
    DWORD took = 0;
    dialogs_.clear();
    Run({[&] {
      ConnectInverter();
      PutRaw<std::uint8_t>(305, 13, c.highest, 0);
      PutRaw<std::uint8_t>(305, 42, 9, 0);
      PutRaw<std::uint8_t>(305, 42, 9, 1);
      drv::OnDialogIdle(app::kNodeSearchTemplate, [&](HWND d) {
        intro = drv::ItemText(d, app::kNodeSearchText);
        report = drv::ItemText(d, app::kNodeSearchReport);
        EndDialog(d, IDOK);
      });
      const DWORD start = GetTickCount();
      app::OpenNodeSearchDialog(Main());
      took = GetTickCount() - start;
    }});
    EXPECT_NE(intro.find(std::string("Maximum waiting time is: ") + c.announced), std::string::npos) << intro;
    EXPECT_LE(took, c.seconds * 1000 + 100) << "announced " << c.announced;
    EXPECT_GE(took, c.seconds * 1000 * 0.8) << "announced " << c.announced;
    EXPECT_EQ(report.find("3: Found!") != std::string::npos, c.found3) << report;
    EXPECT_EQ(report.find("7: Found!") != std::string::npos, c.found7) << report;
    EXPECT_EQ(report.find("30: ") != std::string::npos, c.whole_bus) << report;
    EXPECT_EQ(GetRaw(305, 42, 0), c.address);
    EXPECT_EQ(GetRaw(305, 42, 1), c.address);
    EXPECT_EQ(ilink::InverterConnected(), 0);
    if (c.found3) {
      EXPECT_TRUE(dialogs_.empty()) << LastMessage();
    } else {
      ASSERT_EQ(dialogs_.size(), 1u);
      EXPECT_EQ(dialogs_[0].rfind("Inverter does not answer!", 0), 0u) << dialogs_[0];
    }
  }
}

// The dialog paints before the search and takes its Cancel while it runs: the search stops at the next address,
// without a fault, and the dialog ends.
TEST_F(LinkDialogTest, TheNodeSearchIsPaintedAndCancelStopsIt) {
  bus_ = std::make_shared<sim::InverterBus>(std::vector<std::uint8_t>{3});
  bool painted = false;
  std::size_t telegrams = 0;
  Run({[&] {
    ConnectInverter();
    PutRaw<std::uint8_t>(305, 13, 0, 0);
    AfterTelegrams(6, [&] {
      HWND dialog = drv::FindDialog(app::kNodeSearchTemplate);
      RECT pending{};
      painted = IsWindow(dialog) && !GetUpdateRect(dialog, &pending, FALSE);
      PostMessage(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    app::OpenNodeSearchDialog(Main());
    telegrams = bus_->telegrams();
  }});
  EXPECT_TRUE(painted);
  EXPECT_LT(telegrams, 12u);
  EXPECT_TRUE(dialogs_.empty()) << LastMessage();
  EXPECT_EQ(GetRaw(305, 42, 0), 3);  // found before the Cancel
  EXPECT_EQ(ilink::InverterConnected(), 0);
}

// ---- options ----

TEST_F(LinkDialogTest, InterfaceOptionsStoreTheFieldsAndSaveOptionsWritesTheIniFile) {
  Run({[&] {
    ConnectInverter();
    PutRaw<std::uint8_t>(305, 13, 3, 0);
    int round = 0;
    drv::OnDialogIdle(app::kInterfaceOptionsTemplate, [&](HWND d) {
      if (round++ == 0) {
        SetDlgItemText(d, 1048, "12");
        return;
      }
      drv::ClickItem(d, app::kSaveOptionsButton);
    });
    EXPECT_EQ(app::OpenInterfaceOptionsDialog(Main()), IDOK);
  }});
  EXPECT_EQ(GetRaw(305, 13, 0), 12);
  std::ifstream ini(folder_.path() / "vqpt32.ini");
  std::stringstream text;
  text << ini.rdbuf();
  EXPECT_FALSE(text.str().empty());
}

TEST_F(LinkDialogTest, APortThatCannotBeOpenedIsPutBack) {
  setenv("COM4", "/nonexistent/port", 1);
  INT_PTR result = 0;
  Run({[&] {
    ConnectInverter();
    drv::OnDialogIdle(app::kInterfaceOptionsTemplate, [&](HWND d) {
      SendDlgItemMessage(d, 1045, CB_SETCURSEL, 3, 0);  // COM4
      drv::ClickItem(d, IDOK);
    });
    result = app::OpenInterfaceOptionsDialog(Main());
  }});
  unsetenv("COM4");
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(GetRaw(305, 0, 0), 0);
  EXPECT_FALSE(dialogs_.empty());
}

TEST_F(LinkDialogTest, CancelOfTheRemoteOptionsPutsTheValuesBack) {
  std::uint16_t typed = 0;
  Run({[&] {
    PutRaw<std::uint16_t>(305, 58, 30, 0);
    int round = 0;
    drv::OnDialogIdle(app::kRemoteOptionsTemplate, [&](HWND d) {
      if (round++ == 0) {
        EXPECT_EQ(drv::ItemText(d, 1050), "30");
        SetDlgItemText(d, 1050, "45");
        SendMessage(d, WM_COMMAND, MAKEWPARAM(1050, EN_KILLFOCUS), 0);  // the edit loses the focus: stored
        return;
      }
      typed = GetRaw<std::uint16_t>(305, 58, 0);
      drv::ClickItem(d, IDCANCEL);
    });
    EXPECT_EQ(app::OpenRemoteOptionsDialog(Main()), IDCANCEL);
  }});
  EXPECT_EQ(typed, 45) << ::testing::PrintToString(dialogs_);
  EXPECT_EQ(GetRaw<std::uint16_t>(305, 58, 0), 30);
  EXPECT_EQ(app::CountUsedBackupSlots(), 0u);
}

TEST_F(LinkDialogTest, TheQuelloxIsReformattedOnlyAfterACleanHeadCheck) {
  std::vector<std::uint8_t> before;
  std::uint8_t first_format = 0;
  std::uint8_t second_format = 0;
  Run({[&] {
    ConnectBox();
    int round = 0;
    drv::OnDialogIdle(app::kQuelloxOptionsTemplate, [&](HWND d) {
      ++round;
      drv::ClickItem(d, app::kQuelloxFormatButton);
    });
    ASSERT_EQ(app::OpenQuelloxOptionsDialog(Main()), IDOK);
    first_format = box_->memory()[0];
    EXPECT_TRUE(Contains(dialogs_, "re-formated from V4.0"));
    // Already in the old format: the check refuses, the box keeps its bytes.
    dialogs_.clear();
    auto memory = box_->memory();
    before.assign(memory.begin(), memory.end());
    ASSERT_EQ(app::OpenQuelloxOptionsDialog(Main()), IDOK);
    auto after = box_->memory();
    second_format = after[0];
    EXPECT_TRUE(std::equal(before.begin(), before.end(), after.begin()));
    EXPECT_FALSE(Contains(dialogs_, "re-formated from V4.0"));
    EXPECT_FALSE(dialogs_.empty());
    // No box on the line: nothing is formatted.
    dialogs_.clear();
    platform::comm::InstallPort("COM1", nullptr);
    ASSERT_EQ(app::OpenQuelloxOptionsDialog(Main()), IDOK);
    EXPECT_FALSE(Contains(dialogs_, "re-formated from V4.0"));
  }});
  EXPECT_NE(first_format, 2);
  EXPECT_EQ(second_format, first_format);
}

// ---- start action ----

TEST_F(LinkDialogTest, EachActionShowsItsOutcomeAndItsRefusal) {
  struct Case {
    int button;
    std::uint16_t action;  // element of record 13
    const char* done;
  };
  const Case cases[] = {
      {app::kSaveValuesButton, 0, nullptr},
      {app::kQuitFaultButton, 9, nullptr},
      {app::kLoadDefaultsButton, 4, nullptr},
      {app::kResetMemoButton, 14, "Action 'reset memo.' errorfree executed!"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> shown;
    Run({[&] {
      ConnectInverter();
      int round = 0;
      drv::OnDialogIdle(app::kStartActionTemplate, [&](HWND d) {
        if (round == 1) shown.push_back(LastMessage());
        if (round == 2) {
          shown.push_back(LastMessage());
          EndDialog(d, IDCANCEL);
          return;
        }
        device().RefuseAction(c.action, round == 1);
        ++round;
        drv::ClickItem(d, c.button);
      });
      dialogs_.clear();
      app::OpenStartActionDialog(Main());
    }});
    ASSERT_EQ(shown.size(), 2u) << c.button;
    EXPECT_NE(shown[0], shown[1]) << c.button;
    if (c.done != nullptr) {
      EXPECT_NE(shown[0].find(c.done), std::string::npos) << shown[0];
    }
    EXPECT_EQ(ilink::InverterConnected(), 0);
  }
}

TEST_F(LinkDialogTest, ResetSMemoryAndAutotuningGreyedForFamily2) {
  bool autotuning_enabled = true;
  Run({[&] {
    ConnectInverter();
    device().WriteNumber(5, 0, 2);
    device().WriteNumber(33, 139, 7);
    drv::OnDialogIdle(app::kStartActionTemplate, [&](HWND d) {
      autotuning_enabled = drv::Enabled(d, app::kAutotuningButton);
      if (dialogs_.empty()) {
        drv::ClickItem(d, app::kResetSMemoryButton);
        return;
      }
      drv::ClickItem(d, app::kAutotuningButton);  // greyed: nothing starts
      EndDialog(d, IDCANCEL);
    });
    app::OpenStartActionDialog(Main());
    EXPECT_EQ(drv::FindDialog(app::kActionProgressTemplate), nullptr);
  }});
  EXPECT_FALSE(autotuning_enabled);
  EXPECT_TRUE(Contains(dialogs_, "Action 'reset s-memory' errorfree executed!"));
  EXPECT_EQ(device().ReadNumber(33, 139), 0u);
}

// ---- guided actions ----

TEST(ActionStates, EachStateFollowsItsResultOrNext) {
  struct Case {
    std::uint16_t state;
    bool next;
    std::uint32_t ms;
    std::uint8_t result;
    std::uint16_t to;
  };
  const Case cases[] = {
      {0, false, 0, 0, 0},   {0, true, 0, 1, 1},    {1, false, 0, 0, 4},   {1, false, 0, 2, 3},
      {1, false, 0, 1, 2},   {1, false, 0, 3, 2},   {2, true, 0, 0, 1},    {3, true, 0, 0, 1},
      {3, false, 0, 0, 3},   {4, false, 0, 0, 5},   {4, false, 0, 2, 4},   {5, false, 0, 0, 6},
      {5, false, 0, 2, 5},   {5, false, 0, 1, 8},   {6, false, 3000, 0, 6}, {6, false, 3001, 1, 7},
      {7, false, 0, 0, 9},   {7, false, 0, 2, 8},   {8, true, 0, 0, 5},    {9, false, 0, 0, 11},
      {9, true, 0, 2, 9},    {9, false, 0, 3, 17},  {9, false, 0, 1, 10},  {10, true, 0, 0, 9},
      {11, false, 0, 0, 13}, {11, false, 0, 2, 12}, {12, true, 0, 0, 11},  {13, false, 0, 0, 16},
      {13, false, 0, 1, 14}, {14, false, 0, 0, 16}, {14, false, 0, 2, 14}, {14, false, 0, 1, 15},
      {15, true, 0, 0, 14},  {16, false, 0, 0, 16}, {17, false, 0, 0, 17}, {18, false, 0, 0, 65535},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(app::NextActionState({c.state, c.next, c.ms}, c.result), c.to)
        << "state " << c.state << " next " << c.next << " result " << int{c.result};
  }
}

class ActionProgressTest : public LinkDialogTest {
 protected:
  // Runs the phase test from the start dialog; the script acts on each state (it reads no window, so that a
  // round that does nothing lets the timer run). The states seen, in order.
  std::vector<std::uint16_t> RunPhaseTest(std::function<void(HWND, std::uint16_t)> act) {
    std::vector<std::uint16_t> seen;
    Run({[&] {
      ConnectInverter();
      PutRaw<std::uint16_t>(305, 160, 1000);
      device().WriteNumber(55, 6, 0);
      device().WriteNumber(33, 69, 253);
      device().SetActionBehaviour(17, 60000, 0);
      drv::OnDialogIdle(app::kStartActionTemplate, [](HWND d) { drv::ClickItem(d, app::kPhaseTestButton); });
      drv::OnDialogIdle(app::kActionProgressTemplate, [&](HWND d) {
        const std::uint16_t state = app::ActionProgressState();
        if (seen.empty() || seen.back() != state) seen.push_back(state);
        if (seen.size() > 40) EndDialog(d, IDCANCEL);
        act(d, state);
      });
      app::OpenStartActionDialog(Main());
    }});
    return seen;
  }
};

TEST_F(ActionProgressTest, ThePhaseTestRunsThroughItsStatesToSuccess) {
  std::string caption;
  std::string last_text;
  const auto seen = RunPhaseTest([&](HWND d, std::uint16_t state) {
    if (state == 0) {
      caption = drv::Text(d);
      drv::ClickItem(d, app::kActionNextButton);
    }
    if (state == 4 && !device().ReadNumber(36, 9)) device().set_enable(true);
    if (state == 14 && device().ReadNumber(36, 9)) device().set_enable(false);
    if (state == app::kStateSucceeded) {
      last_text = drv::ItemText(d, app::kActionStateText);
      drv::ClickItem(d, app::kActionNextButton);
    }
  });
  const std::vector<std::uint16_t> expected = {0, 1, 4, 5, 6, 7, 9, 11, 13, 14, 16};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(caption, "Action: B40 phase test");
  EXPECT_EQ(last_text.rfind("Action was ended successfully", 0), 0u) << last_text;
  EXPECT_EQ(device().operation_input(), 0);  // given back
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(ilink::InverterConnected(), 0);
}

TEST_F(ActionProgressTest, EnableOnAtThePreparationIsRefusedAndCancelAbortsWith1414) {
  std::string text;
  const auto seen = RunPhaseTest([&](HWND d, std::uint16_t state) {
    if (state == 0) {
      device().set_enable(true);  // the operation input cannot change: the action is refused
      drv::ClickItem(d, app::kActionNextButton);
    }
    if (state == 3) {
      text = drv::ItemText(d, app::kActionStateText);
      drv::ClickItem(d, IDCANCEL);
    }
  });
  const std::vector<std::uint16_t> expected = {0, 1, 3};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(text.rfind("Please switch off enable at the inverter and click", 0), 0u) << text;
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_NE(boxes_[0].find("Please switch off enable at the inverter!"), std::string::npos);
  EXPECT_EQ(device().operation_input(), 0);
}

}  // namespace
}  // namespace shell_test
