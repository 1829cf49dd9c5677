// The timer component on the virtual clock, and the INI file class.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/testing/driver.h"
#include "platform/testing/vcl_driver.h"
#include "platform/win/win.h"
#include "tests/platform/sys/temp_folder.h"
#include "tests/platform/vcl/demo_form.h"

namespace vcltest {
namespace {

namespace drv = platform::testing;

using TimerTest = VclTest;

TEST_F(TimerTest, FiresEveryIntervalWhileEnabled) {
  TDemoForm* form = Application->CreateForm<TDemoForm>();
  TTimer* timer = form->Timer_Startdelay_;
  drv::Advance(2000);
  EXPECT_TRUE(form->log.empty() || form->log.back() != "Timer_Startdelay_.Timer");  // made disabled
  form->log.clear();
  timer->SetEnabled(true);
  drv::Advance(499);
  EXPECT_TRUE(form->log.empty());
  drv::Advance(1);
  drv::Advance(1000);
  EXPECT_EQ(form->log, (EventLog{"Timer_Startdelay_.Timer", "Timer_Startdelay_.Timer", "Timer_Startdelay_.Timer"}));
  timer->SetEnabled(false);
  drv::Advance(2000);
  EXPECT_EQ(form->log.size(), 3u);
}

TEST_F(TimerTest, AHandlerThatDisablesItselfAndPumpsForeverIsNotReentered) {
  // As a polling loop run from a start timer does: it disables the timer and then keeps pumping messages.
  TDemoForm* form = Application->CreateForm<TDemoForm>();
  form->Show();
  TTimer* timer = form->Timer_Startdelay_;
  int entered = 0;
  int rounds = 0;
  timer->OnTimer = [&](TObject*) {
    ++entered;
    timer->SetEnabled(false);
    timer->SetEnabled(true);  // even enabled again, it does not fire into its running handler
    while (rounds < 50) {
      ++rounds;
      drv::Advance(100);
      if (rounds == 10) drv::ClickControl(*form, "But_Ok");  // the user's input still runs
    }
  };
  timer->SetEnabled(true);
  drv::Advance(500);
  EXPECT_EQ(entered, 1);
  EXPECT_EQ(rounds, 50);
  EXPECT_NE(std::find(form->log.begin(), form->log.end(), "But_Ok.Click"), form->log.end());
  drv::Advance(500);  // once the handler returned, the still enabled timer runs again
  EXPECT_EQ(entered, 2);
}

class IniFileTest : public ::testing::Test {
 protected:
  testing_support::TempFolder folder;
  std::string path = folder.File("txtool.cfg");
  std::string Read() {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
};

TEST_F(IniFileTest, IntegersAndStringsAreWrittenAtOnceAndReadBack) {
  {
    std::ofstream out(path, std::ios::binary);
    out << "; Einstellungen\r\n[Schnittstelle_RS232]\r\nComMummer=2\r\n\r\n[Andere]\r\nX=1\r\n";
  }
  TIniFile ini(path);
  EXPECT_EQ(ini.ReadInteger("Schnittstelle_RS232", "ComMummer", 1), 2);
  EXPECT_EQ(ini.ReadInteger("Schnittstelle_RS232", "Baudrate", 9600), 9600);
  ini.WriteInteger("Schnittstelle_RS232", "Baudrate", 19200);
  ini.WriteString("Schnittstelle_RS232", "Name", "Datensatz \xFC");
  ini.UpdateFile();
  EXPECT_EQ(Read(),
            "; Einstellungen\r\n[Schnittstelle_RS232]\r\nComMummer=2\r\nBaudrate=19200\r\nName=Datensatz \xFC\r\n\r\n"
            "[Andere]\r\nX=1\r\n");
  TIniFile again(path);
  EXPECT_EQ(again.ReadInteger("schnittstelle_rs232", "baudrate", 0), 19200);
  EXPECT_EQ(again.ReadString("Schnittstelle_RS232", "Name", ""), "Datensatz \xFC");
  EXPECT_EQ(again.ReadString("Schnittstelle_RS232", "Fehlt", "vorgabe"), "vorgabe");
  EXPECT_TRUE(again.SectionExists("Andere"));
  EXPECT_FALSE(again.ValueExists("Andere", "Y"));
}

TEST_F(IniFileTest, AValueThatIsNoWholeNumberGivesTheDefault) {
  const std::pair<const char*, int> cases[] = {
      {"12", 12}, {"-7", -7}, {"$1F", 31}, {"0x10", 16}, {" 38400 ", 38400},
      {"12abc", 5}, {"", 5}, {"abc", 5}, {"99999999999", 5}, {"--1", 5}, {"$", 5},
  };
  TIniFile ini(path);
  for (const auto& [text, expected] : cases) {
    ini.WriteString("S", "K", text);
    EXPECT_EQ(ini.ReadInteger("S", "K", 5), expected) << "'" << text << "'";
  }
}

TEST_F(IniFileTest, AWriteThatCannotBeDoneRaisesAndLeavesNoFile) {
  TIniFile ini(folder.File("fehlt/trevant.cfg"));
  EXPECT_EQ(ini.ReadInteger("Schnittstelle_RS232", "ComNummer", 1), 1);
  try {
    ini.WriteInteger("Schnittstelle_RS232", "ComNummer", 2);
    FAIL() << "no exception";
  } catch (const EIniFileException& e) {
    EXPECT_NE(std::string(e.what()).find("trevant.cfg"), std::string::npos);
  }
  EXPECT_FALSE(std::filesystem::exists(folder.File("fehlt")));
}

}  // namespace
}  // namespace vcltest
