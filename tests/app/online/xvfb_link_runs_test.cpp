// The real vqpt32 against the real inverter-sim on a virtual X server, driven by real X input, as users met the
// link's faults: the node search paints its dialog, takes Cancel, and takes the first inverter it found without a
// fault box; a send cannot be cancelled once it writes the inverter (Cancel greyed) and ends complete; a late reply
// is the time-out message, not a wrong device; "N.. Posi switch" is greyed in both pop-ups that hold it; F1 held in the remote control shows its box while the cycle keeps
// the drive's telegram monitoring satisfied. Every top-level window the program maps is counted; screenshots are
// left in the test folder.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <utility>

#include "tests/app/xvfb_sim_fixture.h"

namespace {

using namespace xvfb_test;

const std::string kAddressCaption = "Change inverter address";
const std::string kSearchCaption = "Searching inverters";
const std::string kTransferCaption = "ZPR-Tool";
const std::string kLinkFaultCaption = "Fault serial communication";
const std::string kCommentsCaption = "K.. Comments";
constexpr std::uint32_t kGreyText = 0xFF0000;  // the settings file's grey text, told apart from everything else
constexpr std::uint32_t kMenuFace = 0xC0C0C0;

class XvfbLinkRunsTest : public VqptSimTest {
 protected:
  // The program copied beside a settings file that draws greyed texts in kGreyText.
  void SetUp() override {
    VqptSimTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    binary_ = CopyProgramToFolder();
    std::ofstream(folder_.path() / "vqpt32.ini") << "[Colors]\nGrayText=r255 g0 b0\n";
    mapped_ = std::make_unique<MappedWindows>(server_.display());
    ASSERT_TRUE(mapped_->ok());
  }
  // The program on the simulator's terminal, its main window shown; the windows mapped from then on are counted.
  Window Start(Program& program) {
    const Window main = WaitForMainWindow(program);
    from_ = mapped_->size();
    return main;
  }
  std::vector<std::string> Mapped() const { return mapped_->NamesAfter(from_); }
  // File > the pop-up `popup` > its item `item`, by the menus' mnemonics, until `appears` shows.
  Window PickFileItem(Window main, const char* popup, const char* item, const std::string& appears) {
    return PickUntilShown(
        [&] {
          ClickFileMenu(main);
          Pause(500);
          X({"key", popup});
          Pause(400);
          X({"key", item});
        },
        appears, 3);
  }
  // Read from inverter from the File menu: its transfer dialog comes and goes, then the comments of what was read
  // open and Escape closes them; false when a step does not come.
  bool ReadFromInverter(Window main) {
    if (PickFileItem(main, "f", "f", kTransferCaption) == 0 || !WaitForWindowGone(kTransferCaption, 60000))
      return false;
    const Window comments = WaitForWindow(kCommentsCaption);
    if (comments == 0) return false;
    Pause(300);
    X({"windowfocus", "--sync", std::to_string(comments)});
    X({"key", "Escape"});
    return WaitForWindowGone(kCommentsCaption);
  }
  // The window manager's close after a read: the question whether to save what was read, answered No.
  void CloseUnsaved(Program& program, Window main) {
    CloseAsWindowManager(user_, main);
    const Window question = WaitForWindow(kTransferCaption);
    ASSERT_NE(question, 0u) << "no question before the end";
    Pause(300);
    X({"windowfocus", "--sync", std::to_string(question)});
    X({"key", "n"});
    EXPECT_EQ(program.WaitExit(15000), std::optional<int>(0));
  }

  // Per item row of a drop-down from the bottom up, whether its text is grey: the bands of rows that differ from
  // the menu's face (its frame left out).
  struct MenuRow {
    bool grey = false;
    int first = 0;  // its top and bottom row of pixels
    int last = 0;
  };
  std::vector<MenuRow> GreyRowsFromTheBottom(Window drop_down) {
    const auto shot = Screenshot(user_, drop_down);
    const int margin = 3;
    std::vector<MenuRow> bands;
    bool in_band = false;
    for (int y = margin; y < shot->height() - margin; ++y) {
      bool ink = false, grey = false;
      for (int x = margin; x < shot->width() - margin; ++x) {
        const std::uint32_t p = shot->Pixel(x, y);
        ink = ink || p != kMenuFace;
        grey = grey || p == kGreyText;
      }
      if (ink && !in_band) bands.push_back(MenuRow{false, y, y});
      if (ink) {
        bands.back().grey = bands.back().grey || grey;
        bands.back().last = y;
      }
      in_band = ink;
    }
    return {bands.rbegin(), bands.rend()};
  }

  std::string binary_;
  std::unique_ptr<MappedWindows> mapped_;
  std::size_t from_ = 0;
};

// Inverters at 3 and 7: the search paints its text while it runs, reports without a fault box, and the first
// found address is the link's: a read afterwards reaches the inverter at 3. A second search ends at Cancel.
TEST_F(XvfbLinkRunsTest, TheNodeSearchPaintsTakesCancelAndUsesTheFirstInverterFound) {
  StartSimulator({"--address", "3", "--address", "7", "--type", "43"});
  Program program(binary_, server_.display(), com1_);
  const Window main = Start(program);
  ASSERT_NE(main, 0u);
  const Window first = PickFileItem(main, "f", "c", kAddressCaption);
  ASSERT_NE(first, 0u) << "no address dialog";
  Pause(300);
  // By the mouse: Alt+S is the mnemonic of "OK and send / read now &starting" as well, the first of the two.
  ClickAt(first, 254, 52, 216, 37);  // "&Search nodes" (186, 30, 60 x 14)
  const Window search = WaitForWindow(kSearchCaption);
  ASSERT_NE(search, 0u) << "no search dialog";
  Pause(1500);
  SavePng(search, "vqpt32_xvfb_node_search_running.png");
  EXPECT_GT(CountPixels(search, 0x000000), 300) << "the dialog is not painted while the search runs";
  // 31 addresses at 200 ms each; the report then stands in the open dialog.
  Pause(7000);
  SavePng(search, "vqpt32_xvfb_node_search_report.png");
  EXPECT_EQ(FindWindowNamed(user_, kLinkFaultCaption), 0u) << "a fault box although inverters answered";
  ASSERT_TRUE(X({"windowfocus", "--sync", std::to_string(search)}));
  ASSERT_TRUE(X({"key", "Return"}));  // "&Close"
  ASSERT_TRUE(WaitForWindowGone(kSearchCaption));
  const Window address = WaitForWindow(kAddressCaption);
  ASSERT_NE(address, 0u);
  Pause(300);
  SavePng(address, "vqpt32_xvfb_node_search_address.png");

  // A second search, cancelled by Escape after a second: it ends at the next address.
  ClickAt(address, 254, 52, 216, 37);
  const Window again = WaitForWindow(kSearchCaption);
  ASSERT_NE(again, 0u);
  Pause(1000);
  ASSERT_TRUE(X({"windowfocus", "--sync", std::to_string(again)}));
  const auto cancelled = std::chrono::steady_clock::now();
  ASSERT_TRUE(X({"key", "Escape"}));
  ASSERT_TRUE(WaitForWindowGone(kSearchCaption, 3000)) << "Cancel did not end the search";
  EXPECT_LT(std::chrono::steady_clock::now() - cancelled, std::chrono::milliseconds(2000));
  ClickAt(address, 254, 52, 28, 37);  // "&OK" (8, 30, 40 x 14) keeps the address found
  ASSERT_TRUE(WaitForWindowGone(kAddressCaption));

  ASSERT_TRUE(ReadFromInverter(main)) << "the read at the address found did not end well";
  CloseUnsaved(program, main);
  EXPECT_EQ(Mapped(), (std::vector<std::string>{kAddressCaption, kSearchCaption, kSearchCaption, kTransferCaption,
                                                kCommentsCaption, kTransferCaption}));
}

// Replies slowed so that a send takes seconds: Cancel is greyed once the send writes the inverter, Escape then
// changes nothing, and the send ends complete with the question of saving the values against power failure.
TEST_F(XvfbLinkRunsTest, CancelIsGreyedOnceTheSendWritesAndTheSendEndsComplete) {
  StartSimulator({"--type", "43", "--first-byte-delay-ms", "20"});
  Program program(binary_, server_.display(), com1_);
  const Window main = Start(program);
  ASSERT_NE(main, 0u);
  ASSERT_TRUE(ReadFromInverter(main)) << "the read before the send did not end well";

  const Window send = PickFileItem(main, "t", "t", kTransferCaption);
  ASSERT_NE(send, 0u) << "no transfer dialog";
  EXPECT_EQ(CountPixels(send, kGreyText), 0) << "Cancel greyed before the inverter is written";
  ASSERT_TRUE(WaitFor([&] { return FindWindowNamed(user_, kTransferCaption) != send || CountPixels(send, kGreyText) > 10; },
                      30000));
  ASSERT_EQ(FindWindowNamed(user_, kTransferCaption), send) << "the send ended before it was seen writing";
  SavePng(send, "vqpt32_xvfb_send_cancel_greyed.png");
  ASSERT_TRUE(X({"windowfocus", "--sync", std::to_string(send)}));
  ASSERT_TRUE(X({"key", "Escape"}));
  // The send goes on to its end; then the question 13.31 (a box of the same caption).
  ASSERT_TRUE(WaitFor([&] { const Window w = FindWindowNamed(user_, kTransferCaption); return w != 0 && w != send; },
                      60000))
      << "no question after the send";
  const Window question = FindWindowNamed(user_, kTransferCaption);
  Pause(300);
  SavePng(question, "vqpt32_xvfb_send_ended.png");
  ASSERT_TRUE(X({"windowfocus", "--sync", std::to_string(question)}));
  ASSERT_TRUE(X({"key", "n"}));
  ASSERT_TRUE(WaitForWindowGone(kTransferCaption));
  EXPECT_EQ(Mapped(), (std::vector<std::string>{kTransferCaption, kCommentsCaption, kTransferCaption,
                                                kTransferCaption}));
  CloseUnsaved(program, main);
}

// The rest of every reply 80 ms late: Read says so with the link's time-out message (two lines), once, and not
// that a wrong device is connected (four lines under the same caption).
TEST_F(XvfbLinkRunsTest, ALateReplyIsTheTimeOutMessageNotAWrongDevice) {
  StartSimulator({"--type", "43", "--rest-delay-ms", "80"});
  Program program(binary_, server_.display(), com1_);
  const Window main = Start(program);
  ASSERT_NE(main, 0u);
  ASSERT_NE(PickFileItem(main, "f", "f", kLinkFaultCaption), 0u) << "no message of the link";
  const Window fault = WaitForWindow(kLinkFaultCaption);
  Pause(400);
  SavePng(fault, "vqpt32_xvfb_late_reply.png");
  EXPECT_EQ(TextLinesOf(fault), 2) << "not the time-out message";
  ASSERT_TRUE(X({"windowfocus", "--sync", std::to_string(fault)}));
  ASSERT_TRUE(X({"key", "Return"}));
  ASSERT_TRUE(WaitForWindowGone(kLinkFaultCaption));
  ASSERT_TRUE(WaitForWindowGone(kTransferCaption));
  Pause(1000);
  EXPECT_EQ(Mapped(), (std::vector<std::string>{kTransferCaption, kLinkFaultCaption}));
  CloseAsWindowManager(user_, main);
  EXPECT_EQ(program.WaitExit(15000), std::optional<int>(0));
}

// "N.. Posi switch" in a project without positioning: greyed in Projecting, and, once a read from the inverter
// made the file a reverse documentation, in Reverse documentation too. Each pop-up opened by a click on its bar
// title and by its keys; the item's row is drawn in the grey text colour, the last row is not, and a click on the
// item opens nothing.
TEST_F(XvfbLinkRunsTest, NPosiSwitchIsGreyedInBothPopUpsAndOpensNothing) {
  struct PopUp {
    const char* keys;      // its mnemonic with Alt
    int bar_x;             // the middle of its title on the bar, from the window's left
    std::size_t posi_row;  // N.. Posi switch counted from the bottom (0 the last row)
  };
  // Projecting ends "N.. Posi switch", "U.."; Reverse documentation "N.. Posi switch", "U..", "R..", "Z..", "S..".
  constexpr PopUp kProjecting{"alt+p", 68, 1};
  constexpr PopUp kReverse{"alt+d", 175, 4};
  StartSimulator({"--type", "43"});
  Program program(binary_, server_.display(), com1_);
  const Window main = Start(program);
  ASSERT_NE(main, 0u);
  const int bar_y = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU) / 2;
  const auto check = [&](const PopUp& p) {
    SCOPED_TRACE(p.keys);
    for (const bool by_mouse : {true, false}) {
      SCOPED_TRACE(by_mouse ? "clicked" : "keys");
      ASSERT_TRUE(X({"windowfocus", "--sync", std::to_string(main)}));
      if (by_mouse) {
        ASSERT_TRUE(X({"mousemove", "--window", std::to_string(main), std::to_string(p.bar_x), std::to_string(bar_y)}));
        ASSERT_TRUE(X({"click", "1"}));
      } else {
        ASSERT_TRUE(X({"key", p.keys}));
      }
      const Window drop_down = WaitForDropDown();
      ASSERT_NE(drop_down, 0u) << "the pop-up did not open";
      Pause(400);
      const std::vector<MenuRow> rows = GreyRowsFromTheBottom(drop_down);
      ASSERT_GT(rows.size(), p.posi_row + 1);
      EXPECT_TRUE(rows[p.posi_row].grey) << "N.. Posi switch is not greyed";
      EXPECT_FALSE(rows[0].grey) << "the last item is greyed as well";
      if (by_mouse) SavePng(DefaultRootWindow(user_), std::string("vqpt32_xvfb_greyed_posi_switch_") + p.keys + ".png");
      // A click on the greyed item opens nothing (the arrows pass over it).
      if (by_mouse) {
        const int row = (rows[p.posi_row].first + rows[p.posi_row].last) / 2;
        ASSERT_TRUE(X({"mousemove", "--window", std::to_string(drop_down), "40", std::to_string(row)}));
        ASSERT_TRUE(X({"click", "1"}));
      }
      Pause(1000);
      EXPECT_EQ(FindWindowNamed(user_, "N.. Posi switch"), 0u);
      ASSERT_TRUE(X({"key", "Escape"}));
      Pause(200);
      ASSERT_TRUE(X({"key", "Escape"}));
      Pause(300);
    }
  };
  check(kProjecting);
  ASSERT_TRUE(ReadFromInverter(main)) << "the read did not end well";
  check(kReverse);
  EXPECT_EQ(Mapped(), (std::vector<std::string>{kTransferCaption, kCommentsCaption}));
  EXPECT_EQ(ShownWindows(user_).size(), 1u);
  CloseUnsaved(program, main);
}

// F1 held in the remote control: the box that there is no help, while the cycle goes on telegramming the drive for
// longer than its telegram monitoring (the drive does not trip); OK closes it, Stop and close as always.
TEST_F(XvfbLinkRunsTest, TheHelpBoxOverTheRemoteControlKeepsTheDriveUnderControl) {
  StartSimulator({"--type", "43"});
  Program program(binary_, server_.display(), com1_);
  const Window main = Start(program);
  ASSERT_NE(main, 0u);
  ASSERT_TRUE(X({"windowfocus", "--sync", std::to_string(main)}));
  const Window remote = OpenRemoteControl();
  ASSERT_NE(remote, 0u) << sim_->Log();
  Pause(500);
  ASSERT_TRUE(X({"windowfocus", "--sync", std::to_string(remote)}));
  // Held past a tick of the cycle (3464 ms at the default polling interval).
  ASSERT_TRUE(X({"keydown", "F1"}));
  const Window box = WaitForWindow("Fault", 8000);
  ASSERT_TRUE(X({"keyup", "F1"}));
  ASSERT_NE(box, 0u) << "F1 held showed nothing";
  Pause(2 * 3464);
  SavePng(DefaultRootWindow(user_), "vqpt32_xvfb_help_over_remote_control.png");
  EXPECT_EQ(sim_->Count("tripped"), 0u) << sim_->Log();
  ASSERT_TRUE(ClickDefaultButton(box));
  ASSERT_TRUE(WaitForWindowGone("Fault"));
  CloseAsWindowManager(user_, remote);  // stops as Stop and close does
  const bool answered = Answer(kInformationCaption);
  if (!answered) SavePng(DefaultRootWindow(user_), "vqpt32_xvfb_help_over_remote_control_closed.png");
  ASSERT_TRUE(answered) << "no message that the input is given back";
  ASSERT_TRUE(WaitForWindowGone(kRemoteCaption));
  EXPECT_TRUE(sim_->WaitForLine("operation input 0", 5000)) << sim_->Log();
  EXPECT_EQ(Mapped(), (std::vector<std::string>{kConflictCaption, kConflictCaption, kRemoteCaption, "Fault",
                                                kInformationCaption}));
  CloseAsWindowManager(user_, main);
  EXPECT_EQ(program.WaitExit(15000), std::optional<int>(0));
}

}  // namespace
