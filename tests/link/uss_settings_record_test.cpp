#include <gtest/gtest.h>

#include <string>

#include "link/link_status.h"
#include "link/uss_driver.h"
#include "link/uss_telegram.h"
#include "model/descriptor.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "model/menu_list_table.h"

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

namespace {

// Every list that offers the baud index (the interface options and the settings file) names the rate the driver
// opens the line with for that index, and no index beyond the driver's table.
TEST(LinkSettingsRecord, BaudTextsNameTheDriversRates) {
  for (const model::MenuListSlot& slot : model::OwnMenuListTable()) {
    if (!slot.used) continue;
    for (std::size_t i = 0; slot.rows[i].record != 0; ++i) {
      const model::ParameterDescriptor& row = slot.rows[i];
      if (row.record != 305 || row.element != 28) continue;
      SCOPED_TRACE(row.texts[0]);
      std::uint8_t index = 0;
      for (; row.texts[index + 1] && row.texts[index + 1][0] != '\0'; ++index) {
        ASSERT_LT(index, ilink::kUssBaudSteps) << row.texts[index + 1] << ": the driver has no such step";
        const std::string expected =
            std::to_string(index) + ":" + std::to_string(ilink::UssBaudStepOf(index).baud) + " baud";
        EXPECT_EQ(row.texts[index + 1], expected);
      }
      EXPECT_EQ(index, ilink::kUssBaudSteps);
    }
  }
}

}  // namespace
