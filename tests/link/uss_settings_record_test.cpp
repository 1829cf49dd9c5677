#include <gtest/gtest.h>

#include "link/link_status.h"
#include "link/uss_driver.h"
#include "model/data_set.h"
#include "model/element_access.h"

namespace {

// A first start without a settings file (and the command line, which reads none) runs on record 305's
// defaults: they must give the driver's timing.
TEST(LinkSettingsRecord, DefaultsAreTheDriverDefaults) {
  ASSERT_EQ(model::InitDataSet(1), 0);
  ilink::SetUssDriverSettings(9, 9, 9, 9, 9, 9, 9, 9);
  ASSERT_EQ(ilink::LoadUssDriverSettings(1), ilink::kOk);
  const ilink::UssDriverSettings& s = ilink::GetUssDriverSettings();
  const ilink::UssDriverSettings d;
  EXPECT_EQ(s.port_index, d.port_index);
  EXPECT_EQ(s.baud_index, d.baud_index);
  EXPECT_GE(s.login_tries, 1);  // 0 would allow no exchange at all
  EXPECT_EQ(s.pause_ms, d.pause_ms);
  EXPECT_EQ(s.reply_wait, d.reply_wait);
  EXPECT_EQ(s.highest_address, d.highest_address);
}

TEST(LinkSettingsRecord, SettingsFollowTheRecord) {
  ASSERT_EQ(model::InitDataSet(1), 0);
  const std::uint8_t baud = 3, port = 4, highest = 2;
  const std::uint16_t pause = 25;
  const std::uint32_t wait = 12345;
  ASSERT_EQ(model::WriteElement(305, 28, &baud, model::kModeRaw9, 1), 0);
  ASSERT_EQ(model::WriteElement(305, 0, &port, model::kModeRaw9, 1), 0);
  ASSERT_EQ(model::WriteElement(305, 13, &highest, model::kModeRaw9, 1), 0);
  ASSERT_EQ(model::WriteElement(305, 36, &pause, model::kModeRaw9, 1), 0);
  ASSERT_EQ(model::WriteElement(305, 38, &wait, model::kModeRaw9, 1), 0);
  ASSERT_EQ(ilink::LoadUssDriverSettings(1), ilink::kOk);
  const ilink::UssDriverSettings& s = ilink::GetUssDriverSettings();
  EXPECT_EQ(s.baud_index, 3);
  EXPECT_EQ(s.port_index, 4);
  EXPECT_EQ(s.highest_address, 2);
  EXPECT_EQ(s.pause_ms, 25);
  EXPECT_EQ(s.reply_wait, 12345u);
  EXPECT_EQ(ilink::LoadUssDriverSettings(3), ilink::kSoftwareError);
  model::InitDataSet(1);
}

}  // namespace
