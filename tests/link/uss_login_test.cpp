#include <gtest/gtest.h>

#include "link/link_status.h"
#include "tests/link/uss_fixture.h"

namespace {

using ilink_test::Bytes;
using ilink_test::Frame;
using ilink_test::UssOnFake;

const Bytes kLoginAddress0 = {0x02, 0x0A, 0x40, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x48};

TEST_F(UssOnFake, LogInSendsTheMirrorTelegramThenReadsTheDeviceType) {
  ilink::UssSlotAt(0).address = 0;
  Answer(kLoginAddress0);
  Answer(Frame(0x00, {0x00, 0x2A}));
  EXPECT_EQ(ilink::UssCommand(3, 0), ilink::kOk);
  const auto writes = fake_->writes();
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_EQ(writes[0], kLoginAddress0);
  EXPECT_EQ(writes[1], Frame(0x00, {0x04, 0x00, 0x05, 0x00, 0x01}));
  EXPECT_EQ(ilink::UssSlotAt(0).logged_in, 1);
  EXPECT_EQ(ilink::UssScratch()[0], 0x2A);
}

TEST_F(UssOnFake, LogInOfAnotherAddressMirrorsItsOwnTelegram) {
  ilink::UssSlotAt(7).address = 7;
  Bytes login = Frame(0x47, {0, 1, 2, 3, 4, 5, 6, 7});
  ASSERT_EQ(login.size(), 12u);
  Answer(login);
  Answer(Frame(0x07, {0x00, 0x05}));
  EXPECT_EQ(ilink::UssCommand(3, 7), ilink::kOk);
  EXPECT_EQ(fake_->writes()[0], login);
}

TEST_F(UssOnFake, ChangedMirrorIsFifteen) {
  ilink::UssSlotAt(0).address = 0;
  Bytes bad = Frame(0x40, {0, 1, 2, 3, 4, 5, 6, 9});
  Answer(bad);
  EXPECT_EQ(ilink::UssCommand(3, 0), ilink::kBadMirror);
  EXPECT_EQ(ilink::UssSlotAt(0).logged_in, 0);
  EXPECT_EQ(ilink::UssSlotAt(0).last_error, ilink::kBadMirror);
  // A well-framed but short reply is no mirror either.
  Answer(Frame(0x40, {0x00}));
  EXPECT_EQ(ilink::UssCommand(3, 0), ilink::kBadMirror);
}

TEST_F(UssOnFake, LogInTriesAndTheirWaits) {
  const struct {
    std::uint8_t tries;
    std::size_t attempts;
    int waits;
  } cases[] = {{1, 1, 0}, {0, 1, 0}, {3, 3, 2}};
  for (const auto& c : cases) {
    ilink::SetUssDriverSettings(0, 1, c.tries, 555, 10, 20000, 0, 0);
    ilink::UssSlotAt(0).address = 0;
    fake_->ClearWrites();
    delays_.clear();
    EXPECT_EQ(ilink::UssCommand(3, 0), ilink::kNoReply) << int(c.tries);
    EXPECT_EQ(fake_->writes().size(), c.attempts) << int(c.tries);
    EXPECT_EQ(CountDelays(40), c.waits) << int(c.tries);
  }
}

TEST_F(UssOnFake, LogInRetriesAfterSilenceAndFailsWhenTheTypeReadFails) {
  ilink::SetUssDriverSettings(0, 1, 2, 555, 10, 20000, 0, 0);
  ilink::UssSlotAt(0).address = 0;
  Silence();
  Answer(kLoginAddress0);
  Answer(Frame(0x00, {19}));
  EXPECT_EQ(ilink::UssCommand(3, 0), 19);
  EXPECT_EQ(ilink::UssSlotAt(0).logged_in, 0);
  EXPECT_EQ(fake_->writes().size(), 3u);
}

TEST_F(UssOnFake, FreeSlotCannotLogIn) {
  EXPECT_EQ(ilink::UssCommand(3, 0), ilink::kNoAddress);
  EXPECT_TRUE(fake_->writes().empty());
}

TEST_F(UssOnFake, RaisingTheBaudRateWritesEverySlaveThenSwitchesAll) {
  LoggedInSlot(0, 0);
  LoggedInSlot(3, 3);
  Answer(Frame(0x00, {0x00}));
  Answer(Frame(0x03, {0x00}));
  Silence();  // the broadcast
  EXPECT_EQ(ilink::UssCommand(7, 0), ilink::kOk);
  const auto w = fake_->writes();
  ASSERT_EQ(w.size(), 3u);
  EXPECT_EQ(w[0], Frame(0x00, {0x05, 0x00, 14, 0x00, 8, 2}));
  EXPECT_EQ(w[1], Frame(0x03, {0x05, 0x00, 14, 0x00, 8, 2}));
  EXPECT_EQ(w[2], Frame(0x20, {0x05, 0x00, 13, 0x00, 8, 1}));
  EXPECT_EQ(ilink::GetUssDriverSettings().baud_index, 2);
  EXPECT_EQ(fake_->settings().baud, 19200u);
  EXPECT_EQ(ilink::UssLinkState(), ilink::kLinkOpen);
}

TEST_F(UssOnFake, FailedBaudStepOnALaterSlaveRestoresTheOldRate) {
  LoggedInSlot(0, 0);
  LoggedInSlot(1, 1);
  Answer(Frame(0x00, {0x00}));
  Answer(Frame(0x01, {21}));
  EXPECT_EQ(ilink::UssCommand(8, 0), 21);
  const auto w = fake_->writes();
  ASSERT_EQ(w.size(), 3u);
  EXPECT_EQ(w[2], Frame(0x20, {0x05, 0x00, 14, 0x00, 8, 1}));
  EXPECT_EQ(ilink::GetUssDriverSettings().baud_index, 1);
}

TEST_F(UssOnFake, BaudStepsAtTheEndsOrWithoutSlavesDoNothing) {
  EXPECT_EQ(ilink::UssCommand(7, 0), ilink::kNotLoggedIn);
  ilink::UssCommand(2, 0);
  ilink::SetUssDriverSettings(0, 3, 1, 555, 10, 20000, 0, 0);
  EXPECT_EQ(ilink::UssCommand(7, 0), ilink::kOk);
  ilink::SetUssDriverSettings(0, 4, 1, 555, 10, 20000, 0, 0);
  EXPECT_EQ(ilink::UssCommand(8, 0), ilink::kSoftwareError);
  EXPECT_TRUE(fake_->writes().empty());
}

}  // namespace
