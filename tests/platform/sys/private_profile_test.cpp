#include "platform/sys/private_profile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/sys/atomic_file.h"
#include "temp_folder.h"

namespace {

using testing_support::TempFolder;

class PrivateProfile : public ::testing::Test {
 protected:
  TempFolder folder_;
  std::string ini_ = folder_.File("vqpt32.ini");

  std::string Get(const char* section, const char* key, const char* def, DWORD size = 81) {
    std::string buf(size, '#');
    const DWORD n = GetPrivateProfileStringA(section, key, def, buf.data(), size, ini_.c_str());
    EXPECT_EQ(buf[n], '\0');
    return buf.substr(0, n);
  }
};

TEST_F(PrivateProfile, MissingFileSectionOrKeyGivesTheDefault) {
  EXPECT_EQ(Get("interface", "serial interface", "COM1"), "COM1");
  EXPECT_EQ(Get("interface", "Remotecontrol waiting time", "2000 "), "2000");  // trailing blanks of a default go
  EXPECT_EQ(Get("interface", "x", nullptr), "");
  EXPECT_EQ(GetPrivateProfileIntA("interface", "x", -7, ini_.c_str()), static_cast<UINT>(-7));
  EXPECT_EQ(folder_.EntryCount(), 0u);  // reading creates nothing
}

TEST_F(PrivateProfile, StringReadsAreCutToTheBuffer) {
  ASSERT_TRUE(WritePrivateProfileStringA("options/remote", "Fb-proto-file name", "protocol.txt", ini_.c_str()));
  EXPECT_EQ(Get("Options/Remote", "FB-PROTO-FILE NAME", "", 9), "protocol");
  EXPECT_EQ(Get("options/remote", "Fb-proto-file name", "", 1), "");
  EXPECT_EQ(Get("options/remote", "missing", "default", 4), "def");
}

TEST_F(PrivateProfile, IntegerReadsTakeTheLeadingNumber) {
  TempFolder::Write(ini_,
                    "[USS-Protocol]\r\nwait=2000 ms\r\nneg=-12x\r\ntext=ms 5\r\nempty=\r\nbig=4294967297\r\n"
                    "plus=+3\r\n");
  const struct {
    const char* key;
    UINT expected;
  } cases[] = {{"wait", 2000}, {"neg", static_cast<UINT>(-12)}, {"text", 0}, {"empty", 99}, {"missing", 99},
               {"big", 1}, {"plus", 3}};
  for (const auto& c : cases) {
    EXPECT_EQ(GetPrivateProfileIntA("uss-protocol", c.key, 99, ini_.c_str()), c.expected) << c.key;
  }
}

TEST_F(PrivateProfile, WritesKeepOtherSectionsAndDeleteWithNull) {
  TempFolder::Write(ini_, "[Colors]\nGrayText=8421504\n; keep me\n[Bitmaps]\nMode=1\n");
  ASSERT_TRUE(WritePrivateProfileStringA("interface", "serial interface", "COM2", ini_.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("Bitmaps", "mode", "2", ini_.c_str()));
  EXPECT_EQ(TempFolder::Read(ini_), "[Colors]\nGrayText=8421504\n; keep me\n[Bitmaps]\nmode=2\n"
                                    "[interface]\nserial interface=COM2\n");

  ASSERT_TRUE(WritePrivateProfileStringA("BITMAPS", "MODE", nullptr, ini_.c_str()));
  EXPECT_EQ(Get("Bitmaps", "Mode", "gone"), "gone");
  ASSERT_TRUE(WritePrivateProfileStringA("colors", nullptr, nullptr, ini_.c_str()));
  EXPECT_EQ(TempFolder::Read(ini_), "[Bitmaps]\n[interface]\nserial interface=COM2\n");
  EXPECT_TRUE(WritePrivateProfileStringA("nothing", "here", nullptr, ini_.c_str()));
  EXPECT_FALSE(WritePrivateProfileStringA(nullptr, "k", "v", ini_.c_str()));
  EXPECT_EQ(folder_.EntryCount(), 1u);  // no temporary file left

  const std::string other = folder_.File("new.ini");
  EXPECT_TRUE(WritePrivateProfileStringA("gone", nullptr, nullptr, other.c_str()));
  EXPECT_EQ(folder_.EntryCount(), 1u);  // deleting from a missing file creates none
}

TEST_F(PrivateProfile, ListsSectionsAndKeysDoubleTerminated) {
  TempFolder::Write(ini_, "[lastfiles]\nfile1=a\nfile2=b\n[Colors]\n");
  char buf[64];
  std::memset(buf, '#', sizeof buf);
  DWORD n = GetPrivateProfileStringA(nullptr, nullptr, "", buf, sizeof buf, ini_.c_str());
  EXPECT_EQ(std::string(buf, n + 1), std::string("lastfiles\0Colors\0\0", 18));
  EXPECT_EQ(buf[n], '\0');
  n = GetPrivateProfileStringA("LASTFILES", nullptr, "", buf, sizeof buf, ini_.c_str());
  EXPECT_EQ(std::string(buf, n + 1), std::string("file1\0file2\0\0", 13));
  n = GetPrivateProfileStringA("lastfiles", nullptr, "", buf, 8, ini_.c_str());  // cut list
  EXPECT_EQ(n, 6u);
  EXPECT_EQ(std::string(buf, 8), std::string("file1\0\0\0", 8));
  n = GetPrivateProfileSectionA("lastfiles", buf, sizeof buf, ini_.c_str());
  EXPECT_EQ(std::string(buf, n + 1), std::string("file1=a\0file2=b\0\0", 17));
}

TEST_F(PrivateProfile, AFailedWriteLeavesTheOldFile) {
  const std::string old_text = "[interface]\r\nserial interface=COM1\r\n";
  TempFolder::Write(ini_, old_text);
  for (auto stage : {platform::sys::AtomicWriteStage::kCreate, platform::sys::AtomicWriteStage::kWrite,
                     platform::sys::AtomicWriteStage::kSync, platform::sys::AtomicWriteStage::kRename}) {
    platform::sys::SetAtomicWriteFaultForTest(stage);
    EXPECT_FALSE(WritePrivateProfileStringA("interface", "serial interface", "COM2", ini_.c_str()));
    platform::sys::SetAtomicWriteFaultForTest(std::nullopt);
    EXPECT_EQ(TempFolder::Read(ini_), old_text);
    EXPECT_EQ(folder_.EntryCount(), 1u);
  }
  // A folder that cannot hold the temporary file: a path below a regular file fails even for root.
  const std::string below_file = ini_ + "/x.ini";
  EXPECT_FALSE(WritePrivateProfileStringA("a", "b", "c", below_file.c_str()));
  EXPECT_EQ(TempFolder::Read(ini_), old_text);
}

TEST_F(PrivateProfile, AnUnreadableFileIsNeverOverwritten) {
  // A folder where the file should be cannot be read (also not by root): the write must not replace it.
  ASSERT_EQ(mkdir(ini_.c_str(), 0700), 0);
  TempFolder::Write(ini_ + "/inside", "x");
  EXPECT_FALSE(WritePrivateProfileStringA("a", "j", "2", ini_.c_str()));
  EXPECT_EQ(TempFolder::Read(ini_ + "/inside"), "x");
  EXPECT_EQ(Get("a", "j", "d"), "d");
}

// Inside a ProfileReadOnce the file is read once for any number of look-ups, this process's writes are seen
// at once, and another program's change is seen again only after the scope ends.
TEST_F(PrivateProfile, ReadOnceReadsTheFileOnceAndSeesItsOwnWrites) {
  TempFolder::Write(ini_, "[interface]\r\nserial interface=COM2\r\nwait=300\r\n");
  {
    const platform::sys::ProfileReadOnce outer;
    const long before = platform::sys::ProfileFileReads();
    {
      const platform::sys::ProfileReadOnce inner;  // nested: the same copy
      for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Get("interface", "serial interface", ""), "COM2");
        EXPECT_EQ(GetPrivateProfileIntA("interface", "wait", 0, ini_.c_str()), 300u);
      }
    }
    std::vector<char> section(64, '#');
    EXPECT_GT(GetPrivateProfileSectionA("interface", section.data(), 64, ini_.c_str()), 0u);
    EXPECT_EQ(platform::sys::ProfileFileReads() - before, 1);
    ASSERT_TRUE(WritePrivateProfileStringA("interface", "wait", "400", ini_.c_str()));
    EXPECT_EQ(GetPrivateProfileIntA("interface", "wait", 0, ini_.c_str()), 400u);
    TempFolder::Write(ini_, "[interface]\r\nserial interface=COM3\r\n");  // another program
    EXPECT_EQ(Get("interface", "serial interface", ""), "COM2");
  }
  EXPECT_EQ(Get("interface", "serial interface", ""), "COM3");
  const long before = platform::sys::ProfileFileReads();
  Get("interface", "serial interface", "");
  Get("interface", "serial interface", "");
  EXPECT_EQ(platform::sys::ProfileFileReads() - before, 2) << "outside the scope every call reads afresh";
}

TEST_F(PrivateProfile, WrittenFileReadsBackWithConfigparser) {
  if (std::system("python3 -c 'import configparser' >/dev/null 2>&1") != 0) GTEST_SKIP() << "no python3";
  ASSERT_TRUE(WritePrivateProfileStringA("interface", "serial interface", "COM1", ini_.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("interface", "Remotecontrol waiting time", "2000 ms", ini_.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("USS-Protocol", "max. timout time", "100 ", ini_.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("Quellox", "time between bits", "3 * 5\xB5s", ini_.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("printer selection", "print only 'not default values'", "1:active",
                                         ini_.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("options/remote", "Fb-auto-proto-time", "10 %", ini_.c_str()));
  const std::string script = folder_.File("read.py");
  TempFolder::Write(script,
                    "import configparser, sys\n"
                    "c = configparser.ConfigParser(interpolation=None, delimiters=('=',))\n"
                    "c.read(sys.argv[1], encoding='cp1252')\n"
                    "print(c['interface']['serial interface'], c['interface']['remotecontrol waiting time'],"
                    " c['USS-Protocol']['max. timout time'], c['Quellox']['time between bits'].encode('cp1252').hex(),"
                    " c['printer selection'][\"print only 'not default values'\"],"
                    " c['options/remote']['fb-auto-proto-time'], sep='|')\n");
  const std::string command = "python3 " + script + " " + ini_ + " > " + folder_.File("out.txt");
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(TempFolder::Read(folder_.File("out.txt")), "COM1|2000 ms|100|33202a2035b573|1:active|10 %\n");
}

}  // namespace
