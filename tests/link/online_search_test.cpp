// The bus search: a log-in on every address from 0 up to the highest, with its text and found list.
#include <string>

#include "tests/link/online_fixture.h"

namespace {

using online_test::OnlineOnSim;
using online_test::PutRaw;

TEST_F(OnlineOnSim, SearchCoversAtMost0To30) {
  bus_->AddDevice(3, {});
  bus_->AddDevice(30, {});
  PutRaw<std::uint8_t>(305, 13, 40);
  char text[2000];
  std::array<std::uint8_t, ilink::kSearchAddresses> found{};
  EXPECT_EQ(ilink::SearchInverters(0, text, sizeof text, &found), ilink::kOk);  // address 30 answered last
  EXPECT_EQ(found[0], 0);
  EXPECT_EQ(found[1], 3);
  EXPECT_EQ(found[2], 30);
  EXPECT_EQ(found[3], ilink::kNotFound);
  const std::string t = text;
  EXPECT_EQ(t.rfind("0: Found!, \t1: Not found, Error 12, \r\n2: Not found, Error 12, \t3: Found!, \r\n", 0), 0u) << t;
  EXPECT_NE(t.find("29: Not found, Error 12, \r\n30: Found!, \t"), std::string::npos);
  EXPECT_EQ(t.find("31:"), std::string::npos);
  EXPECT_EQ(ilink::OnlineNesting(), 0);
}

TEST_F(OnlineOnSim, EveryAddressAnsweringHasRoomInTheFoundList) {
  for (std::uint8_t a = 1; a <= 30; ++a) bus_->AddDevice(a, {});
  PutRaw<std::uint8_t>(305, 13, 30);
  std::array<std::uint8_t, ilink::kSearchAddresses> found{};
  char text[16];
  EXPECT_EQ(ilink::SearchInverters(0, text, sizeof text, &found), ilink::kOk);
  for (std::uint8_t a = 0; a <= 30; ++a) EXPECT_EQ(found[a], a);
  EXPECT_EQ(std::string(text), "0: Found!, \t1: ");  // cut to the caller's size - 1
}

TEST_F(OnlineOnSim, SearchGivesTheLastLogInsCode) {
  PutRaw<std::uint8_t>(305, 13, 2);
  char text[200];
  EXPECT_EQ(ilink::SearchInverters(0, text, sizeof text, nullptr), ilink::kNoReply);
  EXPECT_EQ(std::string(text), "0: Found!, \t1: Not found, Error 12, \r\n2: Not found, Error 12, \t");
}

}  // namespace
