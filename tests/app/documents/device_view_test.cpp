// What the menus and the navigation read of a data set: option board and family-3 variant from the target of a
// project or the identity of a reverse documentation, the posi mode of the parameter set asked for, the access
// level from the settings.
#include <gtest/gtest.h>

#include "app/documents/device_view.h"
#include "model/data_set.h"
#include "model/element_access.h"

namespace {

void Put(std::uint16_t record, std::uint16_t element, std::uint8_t value) {
  ASSERT_EQ(model::WriteElement(record, element, &value, model::kModeRaw, 0), 0) << record << "/" << element;
}

TEST(DeviceView, ReadsBoardVariantPosiModeAndAccessLevelWhereTheFileKeepsThem) {
  struct Case {
    const char* what;
    std::uint16_t kind;
    std::uint8_t param_set;
    std::int64_t board;
    bool variant;
    std::int64_t posi_mode;
  };
  const Case cases[] = {
      {"project, parameter set 1", model::kFileKindProject, 0, 4, true, 2},
      {"project, parameter set 2", model::kFileKindProject, 1, 4, true, 3},
      {"reverse documentation, parameter set 1", model::kFileKindReverseDoc, 0, 12, false, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(model::InitDataSet(0), 0);
    ASSERT_EQ(model::ConvertToProjectType(c.kind, 0), c.kind);
    // The project's target and the device's identity hold different values: the view must take the kind's own.
    Put(304, 3, 4);
    Put(304, 9, 1);
    Put(5, 3, 12);
    Put(5, 9, 0);
    Put(38, 56, 2);
    Put(39, 56, 3);
    Put(305, 11, 2);
    const app::DeviceView view = app::ViewOfDataSet(0, c.param_set);
    EXPECT_EQ(view.kind, c.kind);
    EXPECT_EQ(view.board, c.board);
    EXPECT_EQ(view.family3_variant, c.variant);
    EXPECT_EQ(view.posi_mode, c.posi_mode);
    EXPECT_EQ(view.access_level, 2);
  }
  model::InitDataSet(0);
}

}  // namespace
