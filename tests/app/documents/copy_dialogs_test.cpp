// The copy dialogs on the headless layer: File 1 into File 2 (the whole data set, the target's slot following
// its new name), a copy refused over unsaved changes, and parameter set 1 into 2 over all nine record pairs.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "app/documents/copy_dialogs.h"
#include "app/documents/file_slots.h"
#include "app/templates/copy_templates.h"
#include "model/data_set.h"
#include "model/record_layout.h"
#include "tests/app/documents_fixture.h"
#include "tests/model/identity_fixture.h"

namespace shell_test {
namespace {

using identity_test::PutRaw;

// The stored bytes of a record of a data set.
std::vector<std::uint8_t> RecordBytes(std::uint16_t record, std::uint8_t set) {
  std::vector<std::uint8_t> bytes(model::RecordSize(record));
  EXPECT_EQ(model::ReadRecord(record, bytes.data(), model::kModeRaw, set), 0) << record;
  return bytes;
}

TEST_F(DocumentsTest, CopyFileOneIntoTwoReplacesItsDataAndItsNameAndForgetsItsPath) {
  std::array<std::string, 2> buttons;
  drv::OnDialogIdle(app::kCopyFileTemplate, [&](HWND d) {
    buttons = {drv::ItemText(d, app::kCopyForward), drv::ItemText(d, app::kCopyBackward)};
    drv::ClickItem(d, app::kCopyForward);
  });
  Run({
      [] {
        app::SetActiveFileName("PLANT", "/plants/plant.ZPR");
        Modify(0, "line 4");
        ASSERT_TRUE(PutRaw(42, 26, 3, 0));
        app::Slot(1).path = "/old/noname2.ZPR";
        drv::PickMenu(Main(), 2013);
      },
      [] {
        EXPECT_EQ(CommentOf(1), "line 4");
        for (std::uint16_t record : {42, 15, 304, 302}) EXPECT_EQ(RecordBytes(record, 1), RecordBytes(record, 0)) << record;
        EXPECT_EQ(app::Slot(1).name, "PLANT.ZPR");
        EXPECT_TRUE(app::Slot(1).path.empty());
        EXPECT_EQ(drv::MenuState(Main(), 2012).text, "File &2 PLANT.ZPR");
        EXPECT_EQ(app::Slot(0).path, "/plants/plant.ZPR");
      },
  });
  EXPECT_EQ(buttons[0], "File &1 PLANT.ZPR   --->   File &2 NONAME2.ZPR");
  EXPECT_EQ(buttons[1], "File &2 NONAME2.ZPR   --->   File &1 PLANT.ZPR");
  ASSERT_EQ(drv::MessageBoxes().size(), 1u);
  EXPECT_EQ(drv::MessageBoxes()[0].text, "Data are copied!");
  EXPECT_EQ(drv::MessageBoxes()[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
}

TEST_F(DocumentsTest, CopyOverUnsavedChangesAsksAndNoKeepsThem) {
  answers_ = {2};  // no to 8.8
  int idle = 0;
  drv::OnDialogIdle(app::kCopyFileTemplate, [&](HWND d) {
    // First File 2 into File 1 (refused), then Cancel on the dialog that stays.
    drv::ClickItem(d, ++idle == 1 ? app::kCopyBackward : IDCANCEL);
  });
  Run({
      [] {
        Modify(0, "mine");
        Modify(1, "theirs");
        drv::PickMenu(Main(), 2013);
      },
      [] {
        EXPECT_EQ(CommentOf(0), "mine");
        EXPECT_EQ(model::ChangeList0Empty(0), 0);
      },
  });
  EXPECT_EQ(idle, 2);
  EXPECT_TRUE(Saw("Actual projecting data will be overwritten"));
  EXPECT_TRUE(drv::MessageBoxes().empty());
}

constexpr std::array<std::array<std::uint16_t, 2>, 9> kPairs{{
    {42, 43}, {40, 41}, {38, 39}, {53, 54}, {48, 49}, {34, 35}, {59, 60}, {46, 47}, {57, 58}}};

TEST_F(DocumentsTest, CopyParameterSetCopiesEveryPairEitherWay) {
  int direction = app::kCopyForward;
  drv::OnDialogIdle(app::kCopyParamSetTemplate, [&](HWND d) { drv::ClickItem(d, direction); });
  Run({
      [] {
        // Set 1 differs from set 2 in its first stored number of every record.
        for (const auto& [one, two] : kPairs) {
          std::int64_t v = 0;
          ASSERT_EQ(model::ReadRawInteger(one, 0, 0, &v), 0) << one;
          ASSERT_TRUE(PutRaw(one, 0, double(v + 1), 0)) << one;
          ASSERT_NE(RecordBytes(one, 0), RecordBytes(two, 0)) << one;
        }
        drv::PickMenu(Main(), 2032);
      },
      [&] {
        for (const auto& [one, two] : kPairs) EXPECT_EQ(RecordBytes(two, 0), RecordBytes(one, 0)) << two;
        // The other way: set 2 changed, copied back into set 1.
        ASSERT_TRUE(PutRaw(57, 0, 7, 0));
        ASSERT_TRUE(PutRaw(58, 0, 9, 0));
        direction = app::kCopyBackward;
        drv::PickMenu(Main(), 2032);
      },
      [] { EXPECT_EQ(RecordBytes(57, 0), RecordBytes(58, 0)); },
  });
  ASSERT_EQ(drv::MessageBoxes().size(), 2u);
  EXPECT_EQ(drv::MessageBoxes()[1].text, "Parameter set is copied!");
  EXPECT_EQ(drv::MessageBoxes()[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
}

}  // namespace
}  // namespace shell_test
