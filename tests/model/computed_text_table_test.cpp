#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "model/function_tables.h"
#include "platform/sys/local_time.h"
#include "platform/sys/user_name.h"

namespace model {
namespace {

class ComputedTextTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetFunctionTables();
    platform::sys::SetLocalTimeOverride(SYSTEMTIME{2026, 3, 4, 5, 7, 8, 9, 0});
    platform::sys::SetUserNameOverride(platform::sys::UserNameOverride{"a-rather-long-user-name-here", 0});
  }
  void TearDown() override {
    platform::sys::SetLocalTimeOverride(std::nullopt);
    platform::sys::SetUserNameOverride(std::nullopt);
  }
  static std::string Run(std::uint8_t index, std::uint16_t size, std::uint8_t set = 0) {
    char out[128];
    std::memset(out, '#', sizeof out);
    std::strcpy(out, "kept");
    EXPECT_EQ(ComputedTextTable()[index](out, size, set), 0);
    for (std::size_t i = size; i < sizeof out && i > 4; ++i) EXPECT_EQ(out[i], '#') << "written beyond the element";
    return out;
  }
};

TEST_F(ComputedTextTableTest, TheFiveTexts) {
  EXPECT_EQ(Run(0, 17), "kept");
  EXPECT_EQ(Run(1, 81), "05.03.2026");
  EXPECT_EQ(Run(2, 81), "05.03.26/07:08:09");
  EXPECT_EQ(Run(3, 81), "a-rather-long-us");
  EXPECT_EQ(Run(4, 17, 0), "NONAME1.ZPR");
  EXPECT_EQ(Run(4, 17, 1), "NONAME2.ZPR");
  EXPECT_EQ(Run(4, 17, 3), "NONAME1.ZPR");
}

TEST_F(ComputedTextTableTest, EveryTextIsCutToTheElement) {
  EXPECT_EQ(Run(1, 9), "05.03.20");
  EXPECT_EQ(Run(2, 17), "05.03.26/07:08:0");
  EXPECT_EQ(Run(3, 9), "a-rather");
  EXPECT_EQ(Run(4, 9), "NONAME1.");
}

TEST_F(ComputedTextTableTest, AnUnreadableUserNameGivesTheErrorText) {
  platform::sys::SetUserNameOverride(platform::sys::UserNameOverride{"", 0x5A7});
  EXPECT_EQ(Run(3, 81), "Error 5A7hex");
  platform::sys::SetUserNameOverride(platform::sys::UserNameOverride{"", 0xDEADBEEF});
  EXPECT_EQ(Run(3, 81), "Error DEADBEEFhe");
}

TEST_F(ComputedTextTableTest, ANameBeyondTheBufferOf64IsAnError) {
  platform::sys::SetUserNameOverride(platform::sys::UserNameOverride{std::string(63, 'n'), 0});
  EXPECT_EQ(Run(3, 81), std::string(16, 'n'));
  platform::sys::SetUserNameOverride(platform::sys::UserNameOverride{std::string(64, 'n'), 0});
  EXPECT_EQ(Run(3, 81), "Error 7Ahex");  // ERROR_INSUFFICIENT_BUFFER
}

TEST_F(ComputedTextTableTest, YearsAfter1999AreReducedOnce) {
  platform::sys::SetLocalTimeOverride(SYSTEMTIME{1999, 12, 5, 31, 23, 59, 58, 0});
  EXPECT_EQ(Run(2, 81), "31.12.99/23:59:58");
  platform::sys::SetLocalTimeOverride(SYSTEMTIME{2000, 1, 6, 1, 0, 0, 0, 0});
  EXPECT_EQ(Run(2, 81), "01.01.00/00:00:00");
}

}  // namespace
}  // namespace model
