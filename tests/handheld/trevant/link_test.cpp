// Trevant's master loop against the simulated device on a fake port (virtual clock): the scan, the start, the
// poll with keys, display, LEDs and jobs, the baud change, and the faults it must come back from.
#include <algorithm>

#include "handheld/trevant/telegrams.h"
#include "platform/gdi/call_log.h"
#include "platform/testing/vcl_driver.h"
#include "platform/win/win.h"
#include "tests/handheld/trevant/fake_line_fixture.h"

namespace trevant {
namespace {

using platform::testing::ClickControl;
using platform::testing::PressKey;

class LinkTest : public FakeLineFixture {
 protected:
  std::vector<std::uint8_t> KeysFrom(std::size_t first) const {
    const auto& keys = device_.log().keys;
    return {keys.begin() + static_cast<long>(std::min(first, keys.size())), keys.end()};
  }
};

TEST_F(LinkTest, ScansTheBaudsInOrderUntilTheDeviceEchoesThenStartsIt) {
  device_.set_baud(4800);
  Create();
  form_->StartLink();
  started_ = true;
  form_->LinkPass();
  EXPECT_EQ(form_->LinkState(), kStateScan);
  EXPECT_EQ(form_->Lab_Zeile1->Caption(), "?  Verbindung  ?");
  EXPECT_EQ(form_->Lab_Zeile2->Caption(), "9600Baud");
  EXPECT_TRUE(form_->Led_9600_->Active());
  ASSERT_TRUE(Running());
  EXPECT_EQ(ProbeBauds(), (std::vector<std::uint32_t>{9600, 19200, 38400, 4800}));
  EXPECT_EQ(device_.log().starts, 1);
  EXPECT_EQ(device_.log().text_tables, 1);
  EXPECT_EQ(form_->Lab_Zeile1->Caption(), "");
  EXPECT_EQ(form_->Lab_Zeile2->Caption(), "");
  EXPECT_TRUE(form_->Zeile->Visible());
  EXPECT_TRUE(form_->Led_4800_->Active());
  EXPECT_FALSE(form_->Led_9600_->Active());
}

TEST_F(LinkTest, ShowsTheDeviceDisplayAndLeds) {
  const Bytes line1 = {0x8A, 'p', 'e', 'e', 'd', '~', '1', '2', 0x05, 0x88, 'X', 'Y'};
  const Bytes line2 = {0x03, 0x0B, 0x8B, 0x04, 0x0C, 0x8C, 0x07, 0x0F, 0x8F, 0x02, 0x0A, 0x06, 0x0D, 0x0E, 0x8D, 0x8E};
  std::copy(line1.begin(), line1.end(), device_.script().line1.begin());
  std::copy(line2.begin(), line2.end(), device_.script().line2.begin());
  device_.script().led = 0x25;
  device_.script().text_table_status = kStatusNotServed;  // a text table not served is taken
  Create();
  ASSERT_TRUE(Running());
  platform::gdi::StartCallLog();
  form_->LinkPass();
  const auto drawn = platform::gdi::TakeCallLog();
  platform::gdi::StopCallLog();
  EXPECT_EQ(form_->DisplayLines()[0], "Speed 12\xB2");
  EXPECT_EQ(form_->DisplayLines()[1], "DDDBBBLLLSS\xB2\xB2\xB2\xB2\xB2");
  const auto has = [&](const std::string& tail) {
    return std::any_of(drawn.begin(), drawn.end(), [&](const std::string& l) {
      return l.rfind("TextOut ", 0) == 0 && l.size() >= tail.size() && l.compare(l.size() - tail.size(), tail.size(), tail) == 0;
    });
  };
  EXPECT_TRUE(has(" 0,0 'Speed 12\xB2        '"));
  EXPECT_TRUE(has(" 0,22 'DDDBBBLLLSS\xB2\xB2\xB2\xB2\xB2 '"));
  const struct {
    TSimpleLed* led;
    bool lit;
  } leds[] = {{form_->Led_F1_, true},    {form_->Led_F2_, false},   {form_->Led_F3_, true},
              {form_->Led_F4_, false},   {form_->Led_Hand_, false}, {form_->Led_Ein_, true}};
  for (const auto& l : leds) {
    EXPECT_EQ(l.led->Active(), l.lit) << l.led->Name();
    EXPECT_EQ(l.led->Brush().Color, l.lit ? 0xFF00 : 0xC0C0C0) << l.led->Name();
  }
}

TEST_F(LinkTest, AHeldKeyIsSentInEveryPollAClickOnce) {
  Create();
  ASSERT_TRUE(Running());
  std::size_t first = device_.log().keys.size();
  ASSERT_TRUE(platform::testing::MouseDownOn(*form_, "Taste_Enter"));
  for (int i = 0; i < 3; ++i) form_->LinkPass();
  ASSERT_TRUE(platform::testing::MouseUpOn(*form_, "Taste_Enter"));  // MouseUp, then the click: once more
  form_->LinkPass();
  form_->LinkPass();
  EXPECT_EQ(KeysFrom(first), (Bytes{kKeyEnter, kKeyEnter, kKeyEnter, kKeyEnter, 0}));
  first = device_.log().keys.size();
  ASSERT_TRUE(ClickControl(*form_, "Taste_Hand"));
  form_->LinkPass();
  form_->LinkPass();
  EXPECT_EQ(KeysFrom(first), (Bytes{kKeyHand, 0}));
}

TEST_F(LinkTest, PcKeysSendTheirCodes) {
  const struct {
    int vk;
    std::uint8_t code;
  } keys[] = {{VK_RETURN, 5}, {VK_ESCAPE, 6}, {VK_LEFT, 1}, {VK_UP, 4}, {VK_RIGHT, 2}, {VK_DOWN, 3}, {VK_F1, 7},
              {VK_F2, 8},     {VK_F3, 9},     {VK_F4, 10},  {'H', 11},  {'I', 12},     {'O', 13}};
  Create();
  ASSERT_TRUE(Running());
  for (const auto& k : keys) {
    const std::size_t first = device_.log().keys.size();
    PressKey(k.vk);
    form_->LinkPass();
    EXPECT_EQ(KeysFrom(first), Bytes{k.code}) << "vk " << k.vk;
  }
}

TEST_F(LinkTest, ClearsAPendingJobAndReportsItDone) {
  device_.script().job = 15;
  device_.script().pending = 1;
  Create();
  ASSERT_TRUE(Running());
  form_->LinkPass();
  EXPECT_EQ(device_.log().job_reads, 1);
  EXPECT_EQ(device_.log().jobs_cleared, 1);
  EXPECT_EQ(device_.log().jobs_done, Bytes{2});
  form_->LinkPass();  // the job is still named but no longer pending: read, not answered again
  EXPECT_EQ(device_.log().job_reads, 2);
  EXPECT_EQ(device_.log().jobs_cleared, 1);
  device_.script().job = 0;
  form_->LinkPass();
  EXPECT_EQ(device_.log().job_reads, 2);
}

TEST_F(LinkTest, ChangesTheBaudOnRequestAndFindsTheDeviceThere) {
  Create();
  ASSERT_TRUE(Running());
  sent_.clear();
  PressKey(VK_F7);  // 19200
  EXPECT_TRUE(form_->BaudChangePending());
  form_->LinkPass();
  EXPECT_EQ(form_->LinkState(), kStateScan);
  EXPECT_EQ(device_.baud(), 19200u);
  const auto set = SentTo(14, 8, 5);
  ASSERT_EQ(set.size(), 1u);
  EXPECT_EQ(set[0].bytes, Bytes({0x02, 0x08, 0x00, 0x05, 0x00, 0x0E, 0x00, 0x08, 0x02, 0x0B}));
  const auto apply = SentTo(13, 8, 5);
  ASSERT_EQ(apply.size(), 1u);
  EXPECT_EQ(apply[0].baud, 9600u);
  ASSERT_TRUE(Running());
  EXPECT_EQ(ProbeBauds(), (std::vector<std::uint32_t>{19200, 19200}));  // the check, then the scan starts there
  EXPECT_TRUE(form_->Led_19200_->Active());
  ASSERT_TRUE(ClickControl(*form_, "Led_38400_"));
  EXPECT_EQ(form_->PendingBaud(), 38400u);
  ASSERT_TRUE(PassUntil([&] { return device_.baud() == 38400 && form_->LinkState() == kStateRun; }));
}

TEST_F(LinkTest, OptimierungClimbsToTheFastestBaudAndARefusalTurnsItOff) {
  WriteSettings("[Schnittstelle_RS232]\nOptimierung=1\n");
  Create();
  ASSERT_TRUE(form_->Optimierung());
  ASSERT_TRUE(PassUntil([&] { return device_.baud() == 38400 && form_->LinkState() == kStateRun; }));
  EXPECT_EQ(device_.log().bauds_set, (Bytes{2, 3}));
  EXPECT_FALSE(form_->BaudChangePending());
  EXPECT_TRUE(form_->Optimierung());

  device_.set_baud(9600);
  device_.script().refuse_baud = true;
  form_->StartLink();  // the device starts over at 9600: the scan finds it, the faster baud is refused
  ASSERT_TRUE(PassUntil([&] { return !form_->Optimierung(); }));
  ASSERT_TRUE(Running());
  EXPECT_EQ(device_.baud(), 9600u);
  EXPECT_FALSE(form_->BaudChangePending());
}

TEST_F(LinkTest, ARefusedReplyRescansWithTheDisplayHidden) {
  device_.script().led = 0x3F;
  Create();
  ASSERT_TRUE(Running());
  device_.script().refuse_status = true;
  form_->LinkPass();
  EXPECT_EQ(form_->LinkState(), kStateScan);
  EXPECT_FALSE(form_->Zeile->Visible());
  EXPECT_FALSE(form_->Led_Ein_->Active());
  device_.script().refuse_status = false;
  EXPECT_TRUE(Running());
}

TEST_F(LinkTest, ASilentDeviceShowsTheLostLinkAndTheLinkComesBack) {
  Create();
  ASSERT_TRUE(Running());
  device_.script().silent = true;
  form_->LinkPass();
  EXPECT_EQ(form_->LinkState(), kStatePortError);
  form_->LinkPass();
  EXPECT_EQ(form_->Lab_Zeile1->Caption(), "****************");
  EXPECT_EQ(form_->Lab_Zeile2->Caption(), "?  Verbindung  ?");
  EXPECT_EQ(form_->LinkState(), kStateScan);
  for (int i = 0; i < 3; ++i) form_->LinkPass();
  EXPECT_EQ(form_->LinkState(), kStateScan);
  device_.script().silent = false;
  EXPECT_TRUE(Running());
}

TEST_F(LinkTest, AKeyTakenWithoutALinkNeverReachesTheDeviceLater) {
  Create();
  ASSERT_TRUE(Running());
  ASSERT_TRUE(platform::testing::MouseDownOn(*form_, "Taste_Aus"));  // held while the device falls silent
  device_.script().silent = true;
  form_->LinkPass();
  form_->LinkPass();
  ASSERT_EQ(form_->LinkState(), kStateScan);
  EXPECT_EQ(form_->KeyCode(), 0);
  EXPECT_FALSE(form_->KeyHeld());
  // With "?  Verbindung  ?" shown: a PC key, a click and a press on the buttons are all dropped.
  PressKey('I');
  ASSERT_TRUE(ClickControl(*form_, "Taste_Ein"));
  ASSERT_TRUE(platform::testing::MouseDownOn(*form_, "Taste_Enter"));
  form_->LinkPass();
  EXPECT_EQ(form_->KeyCode(), 0);
  EXPECT_FALSE(form_->KeyHeld());
  const std::size_t first = device_.log().keys.size();
  device_.script().silent = false;
  ASSERT_TRUE(Running());
  form_->LinkPass();
  form_->LinkPass();
  EXPECT_EQ(KeysFrom(first), (Bytes{0, 0}));
}

TEST_F(LinkTest, TheCycleTimeIsShownOnlyWhileTheDeviceIsPolled) {
  Create();
  ASSERT_TRUE(Running());
  form_->LinkPass();
  form_->LinkPass();
  const std::string shown = form_->Lab_Zykluszeit->Caption();
  ASSERT_GE(shown.size(), 4u);
  EXPECT_EQ(shown.substr(shown.size() - 3), " ms");
  device_.script().silent = true;
  form_->LinkPass();
  EXPECT_EQ(form_->LinkState(), kStatePortError);
  EXPECT_EQ(form_->Lab_Zykluszeit->Caption(), "");
  form_->LinkPass();
  form_->LinkPass();
  EXPECT_EQ(form_->LinkState(), kStateScan);
  EXPECT_EQ(form_->Lab_Zykluszeit->Caption(), "");
  device_.script().silent = false;
  ASSERT_TRUE(Running());
  form_->LinkPass();
  EXPECT_NE(form_->Lab_Zykluszeit->Caption(), "");
}

TEST_F(LinkTest, EndeDuringALongScanWaitEndsTheProgramAtOnce) {
  WriteSettings("[Schnittstelle_RS232]\nTimeOut_Scan=20000\n");
  device_.script().silent = true;
  Create();
  ASSERT_EQ(form_->TimeoutScan(), 20000);
  handheld::StopWatch since_click;
  bool clicked = false;
  after_telegram_ = [&](const Bytes&) {};
  port_->SetResponder([&](platform::comm::FakePort&, std::span<const std::uint8_t>) {
    if (clicked) return;
    clicked = true;  // the first probe is out: the loop waits up to 20 s for its echo
    HWND ende = form_->Speed_Ende->Handle();
    PostMessage(ende, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessage(ende, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    since_click.Start();
  });
  form_->RunLink();
  const double took = since_click.Running();
  EXPECT_TRUE(clicked);
  EXPECT_TRUE(Application->Terminated());
  EXPECT_FALSE(form_->Port().Open());
  EXPECT_LT(took, 500.0);
}

TEST_F(LinkTest, APortThatFailsShowsTheComErrorAndIsRetried) {
  WriteSettings("[Schnittstelle_RS232]\nComNummer=2\n");
  ::setenv("COM2", (dir_ / "no-such-port").c_str(), 1);
  Create();
  EXPECT_FALSE(PassUntil([&] { return form_->LinkState() == kStateRun; }, 4));
  EXPECT_EQ(form_->LinkState(), kStatePortError);
  EXPECT_EQ(form_->Lab_Zeile1->Caption(), "****************");
  EXPECT_EQ(form_->Lab_Zeile2->Caption(), " COM - Fehler ! ");
  platform::comm::InstallPort("COM1", nullptr);
  platform::comm::InstallPort("COM2", port_);
  EXPECT_TRUE(Running());
  ::unsetenv("COM2");
  platform::comm::InstallPort("COM2", nullptr);

  port_->FailWrites(true);
  form_->LinkPass();
  EXPECT_EQ(form_->LinkState(), kStatePortError);
  form_->LinkPass();
  EXPECT_EQ(form_->Lab_Zeile2->Caption(), " COM - Fehler ! ");
}

TEST_F(LinkTest, EndeLeavesTheLoopClosesThePortAndEndsTheProgram) {
  Create();
  int keys = 0;
  after_telegram_ = [&](const Bytes& t) {
    if (t.size() == 10 && t[7] == 0x22 && ++keys == 3) {
      // The user's click, taken while the loop waits for the next reply.
      HWND ende = form_->Speed_Ende->Handle();
      PostMessage(ende, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
      PostMessage(ende, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }
  };
  form_->RunLink();  // returns once the click has ended it
  EXPECT_TRUE(form_->Stopped());
  EXPECT_FALSE(form_->Port().Open());
  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(keys, 3);
  HANDLE again = platform::comm::CreateFile("COM1", 0, 0, nullptr, 0, 0, nullptr);
  EXPECT_NE(again, INVALID_HANDLE_VALUE);  // the port was given back
  platform::comm::CloseHandle(again);
}

}  // namespace
}  // namespace trevant
