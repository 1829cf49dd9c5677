#include <cstring>

#include <gtest/gtest.h>

#include "platform/sys/local_time.h"
#include "platform/sys/module_path.h"
#include "platform/sys/user_name.h"

namespace {

TEST(SettingsPath, ExtensionReplacedOrAppended) {
  struct Case {
    const char* path;
    const char* ext;
    const char* expected;
  } cases[] = {
      {"/opt/zpr/vqpt32", "ini", "/opt/zpr/vqpt32.ini"},
      {"/opt/zpr/vqpt32.exe", "ini", "/opt/zpr/vqpt32.ini"},
      {"/opt/zpr/txtool", "cfg", "/opt/zpr/txtool.cfg"},
      {"/opt/z.pr/trevant", "cfg", "/opt/z.pr/trevant.cfg"},
      {"/opt/zpr/.hidden", "ini", "/opt/zpr/.hidden.ini"},
      {"tool", "ini", "tool.ini"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(platform::sys::ReplaceExtension(c.path, c.ext), c.expected) << c.path;
  }
}

TEST(SettingsPath, FollowsTheExecutable) {
  platform::sys::SetExecutablePathOverride("/srv/bin/vqpt32");
  EXPECT_EQ(platform::sys::SettingsFilePath("ini"), "/srv/bin/vqpt32.ini");
  EXPECT_EQ(platform::sys::FileBesideExecutable("mottab.txt"), "/srv/bin/mottab.txt");
  char buf[8];
  EXPECT_EQ(GetModuleFileNameA(nullptr, buf, sizeof buf), 7u);
  EXPECT_STREQ(buf, "/srv/bi");  // cut to the buffer, terminated
  platform::sys::SetExecutablePathOverride(std::nullopt);
  EXPECT_FALSE(platform::sys::ExecutablePath().empty());
}

TEST(UserName, RealOverriddenAndFailing) {
  char buf[64];
  DWORD size = sizeof buf;
  ASSERT_TRUE(GetUserNameA(buf, &size));
  EXPECT_EQ(size, std::strlen(buf) + 1);

  platform::sys::SetUserNameOverride(platform::sys::UserNameOverride{"mueller", 0});
  size = 4;
  EXPECT_FALSE(GetUserNameA(buf, &size));
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(size, 8u);
  size = sizeof buf;
  ASSERT_TRUE(GetUserNameA(buf, &size));
  EXPECT_STREQ(buf, "mueller");

  platform::sys::SetUserNameOverride(platform::sys::UserNameOverride{"", 5});
  size = sizeof buf;
  EXPECT_FALSE(GetUserNameA(buf, &size));
  EXPECT_EQ(GetLastError(), 5u);
  platform::sys::SetUserNameOverride(std::nullopt);
}

TEST(LocalTime, OverrideIsAnswered) {
  SYSTEMTIME fixed{2026, 12, 4, 10, 9, 30, 15, 0};
  platform::sys::SetLocalTimeOverride(fixed);
  SYSTEMTIME t{};
  GetLocalTime(&t);
  EXPECT_EQ(t.wYear, 2026);
  EXPECT_EQ(t.wDay, 10);
  EXPECT_EQ(t.wSecond, 15);
  platform::sys::SetLocalTimeOverride(std::nullopt);
  GetLocalTime(&t);
  EXPECT_GE(t.wYear, 2024);
}

}  // namespace
