// Trevant's panel without the line: the settings it reads and writes back, the port and baud selectors, the
// cycle time, the ways to close it, and the window layer's texts in German.
#include "platform/testing/vcl_driver.h"
#include "platform/vcl/ini_file.h"
#include "platform/win/layer_texts.h"
#include "platform/win/win.h"
#include "tests/handheld/trevant/fake_line_fixture.h"

namespace trevant {
namespace {

using platform::testing::ClickControl;
using platform::testing::PressKey;

class PanelTest : public FakeLineFixture {};

TEST_F(PanelTest, ReadsItsSettingsAndWritesThemBack) {
  const struct {
    const char* file;
    int com;
    bool optimierung;
    int scan, run;
  } cases[] = {
      {"", 1, false, 200, 500},
      {"[Schnittstelle_RS232]\nComNummer=5\nOptimierung=1\nTimeOut_Scan=300\nTimeOut_Run=800\n", 5, true, 300, 800},
      {"[Schnittstelle_RS232]\nComNummer=9\nOptimierung=0\nTimeOut_Scan=0\nTimeOut_Run=abc\n", 1, false, 200, 500},
      {"[Schnittstelle_RS232]\nComNummer=-2\nTimeOut_Scan=-5\nTimeOut_Run=99999999\n", 1, false, 200, 500},
  };
  for (const auto& c : cases) {
    WriteSettings(c.file);
    Create();
    EXPECT_EQ(form_->SettingsPath(), SettingsPath());
    EXPECT_EQ(form_->Port().ComNumber(), c.com) << c.file;
    EXPECT_EQ(form_->Optimierung(), c.optimierung) << c.file;
    EXPECT_EQ(form_->TimeoutScan(), c.scan) << c.file;
    EXPECT_EQ(form_->TimeoutRun(), c.run) << c.file;
    EXPECT_TRUE(form_->Led_Com[static_cast<std::size_t>(c.com - 1)]->Active()) << c.file;
    const TIniFile written(SettingsPath());
    EXPECT_EQ(written.ReadInteger(kSettingsSection, "ComNummer", 0), c.com) << c.file;
    EXPECT_EQ(written.ReadInteger(kSettingsSection, "Optimierung", -1), c.optimierung ? 1 : 0) << c.file;
    Application->Reset();
  }
}

TEST_F(PanelTest, PortSelectorsAndDigitKeysChangeThePortAndKeepIt) {
  Create();
  ASSERT_TRUE(ClickControl(*form_, "Led_Com2_"));
  EXPECT_EQ(form_->Port().ComNumber(), 2);
  EXPECT_TRUE(form_->Led_Com[1]->Active());
  EXPECT_FALSE(form_->Led_Com[0]->Active());
  PressKey('6');
  EXPECT_EQ(form_->Port().ComNumber(), 6);
  EXPECT_EQ(TIniFile(SettingsPath()).ReadInteger(kSettingsSection, "ComNummer", 0), 6);
  PressKey('1');
  ASSERT_TRUE(Running());
  // A port chosen while the loop runs changes between telegrams and starts a new scan.
  platform::comm::InstallPort("COM3", port_);
  PressKey('3');
  EXPECT_EQ(form_->Port().ComNumber(), 1);
  form_->LinkPass();
  EXPECT_EQ(form_->Port().ComNumber(), 3);
  EXPECT_TRUE(form_->Port().Open());
  EXPECT_EQ(form_->LinkState(), kStateScan);
  EXPECT_FALSE(form_->Zeile->Visible());
  EXPECT_TRUE(Running());
  platform::comm::InstallPort("COM3", nullptr);
}

TEST_F(PanelTest, ShiftZShowsTheCycleTimeFunctionKeysAskForABaud) {
  Create();
  EXPECT_FALSE(form_->Lab_Zykluszeit->Visible());
  PressKey('Z');
  EXPECT_FALSE(form_->Lab_Zykluszeit->Visible());
  PressKey('Z', true);
  EXPECT_TRUE(form_->Lab_Zykluszeit->Visible());
  ASSERT_TRUE(Running());
  form_->LinkPass();
  form_->LinkPass();  // shows the whole poll before it: two pauses of 14 ms and the telegrams
  const std::string cycle = form_->Lab_Zykluszeit->Caption();
  ASSERT_GT(cycle.size(), 3u);
  EXPECT_EQ(cycle.substr(cycle.size() - 3), " ms");
  EXPECT_GE(std::stoi(cycle), 28);
  EXPECT_LT(std::stoi(cycle), 100);
  PressKey('Z', true);
  EXPECT_FALSE(form_->Lab_Zykluszeit->Visible());
  const struct {
    int vk;
    std::uint32_t baud;
  } keys[] = {{VK_F5, 4800}, {VK_F6, 9600}, {VK_F7, 19200}, {VK_F8, 38400}};
  for (const auto& k : keys) {
    PressKey(k.vk);
    EXPECT_TRUE(form_->BaudChangePending());
    EXPECT_EQ(form_->PendingBaud(), k.baud);
  }
}

TEST_F(PanelTest, F12OrTheWindowManagerClosesItWithThePortGivenBack) {
  for (const bool by_key : {true, false}) {
    Create();
    form_->StartLink();
    ASSERT_TRUE(form_->Port().Open());
    if (by_key) PressKey(VK_F12);
    else SendMessage(form_->Handle(), WM_CLOSE, 0, 0);
    platform::testing::PumpUntilIdle();
    EXPECT_TRUE(form_->Stopped());
    EXPECT_FALSE(form_->Port().Open());
    EXPECT_TRUE(Application->Terminated());
    Application->Reset();
  }
}

// A German program on any locale: the window menu, the one text of the layer trevant shows, is German.
TEST_F(PanelTest, TheWindowMenuIsGermanWhateverTheLocale) {
  platform::win::SetLayerLanguage(platform::win::LayerLanguage::kEnglish);  // as an English locale would set it
  Create();
  EXPECT_EQ(Application->Title(), "Trevant");
  HMENU menu = GetSystemMenu(form_->Handle(), FALSE);
  ASSERT_NE(menu, nullptr);
  std::vector<std::string> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[64] = {};
    if (GetMenuString(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION) > 0) items.emplace_back(text);
  }
  EXPECT_EQ(items, (std::vector<std::string>{"&Wiederherstellen", "&Verschieben", "Mi&nimieren",
                                             "&Schlie\xDF" "en\tAlt+F4"}));
}

}  // namespace
}  // namespace trevant
