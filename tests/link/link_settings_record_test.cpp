// Record 305 read whole into the link settings.
#include <gtest/gtest.h>

#include "link/link_settings_record.h"
#include "link/link_status.h"
#include "model/data_set.h"
#include "model/element_access.h"

namespace {

template <typename T>
void Put(std::uint16_t element, T value) {
  ASSERT_EQ(model::WriteElement(305, element, &value, model::kModeRaw9, 0), 0);
}

TEST(LinkSettingsRecord, FieldsAtTheirOffsets) {
  ASSERT_EQ(model::InitDataSet(0), 0);
  ilink::LinkSettingsRecord s;
  ASSERT_EQ(ilink::ReadLinkSettingsRecord(0, &s), ilink::kOk);
  EXPECT_EQ(s.polling_ms, 2000);  // the default polling interval
  EXPECT_EQ(s.box_edge_time, 400);
  EXPECT_EQ(s.box_charge_time, 20000u);
  Put<std::uint8_t>(0, 3);
  Put<std::uint8_t>(13, 7);
  Put<std::uint8_t>(27, 1);
  Put<std::uint8_t>(28, 2);
  Put<std::uint8_t>(30, 4);
  Put<std::uint16_t>(34, 0x1234);
  Put<std::uint16_t>(36, 15);
  Put<std::uint32_t>(38, 0x00012345);
  Put<std::uint8_t>(42, 9);
  Put<std::uint8_t>(145, 1);
  Put<std::uint8_t>(155, 2);
  Put<std::uint16_t>(160, 500);
  ASSERT_EQ(ilink::ReadLinkSettingsRecord(0, &s), ilink::kOk);
  EXPECT_EQ(s.port_index, 3);
  EXPECT_EQ(s.highest_address, 7);
  EXPECT_EQ(s.unused_byte, 1);
  EXPECT_EQ(s.baud_index, 2);
  EXPECT_EQ(s.login_tries, 4);
  EXPECT_EQ(s.unused_word, 0x1234);
  EXPECT_EQ(s.pause_ms, 15);
  EXPECT_EQ(s.reply_wait, 0x00012345u);
  EXPECT_EQ(s.inverter_address, 9);
  EXPECT_EQ(s.scope_transfer, 1);
  EXPECT_EQ(s.box_port, 2);
  EXPECT_EQ(s.polling_ms, 500);
  EXPECT_EQ(ilink::ReadLinkSettingsRecord(9, &s), ilink::kSoftwareError);
  EXPECT_EQ(ilink::ReadLinkSettingsRecord(0, nullptr), ilink::kSoftwareError);
}

}  // namespace
