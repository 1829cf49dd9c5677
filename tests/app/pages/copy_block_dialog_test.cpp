// The copy-process-block dialog on the headless layer: the block numbers it starts with, typed numbers taken
// only when they name a block of the device, the copy of a block, and a copy with a refused row reported.
#include <cstring>

#include "app/pages/copy_process_block.h"
#include "tests/app/pages_fixture.h"

namespace pages_test {
namespace {

using app::kCopySourceEdit;
using app::kCopyTargetEdit;

class CopyBlockTest : public PagesTest {
 protected:
  void SetUp() override {
    PagesTest::SetUp();
    PutRaw<std::uint8_t>(304, 5, 'E');  // a version whose blocks offer repeats and delays
  }
  // Runs the dialog; the script acts on it and must end it.
  INT_PTR Run(int index, int maximum, drv::DialogScript script) {
    drv::OnDialogIdle(app::kCopyBlockTemplate, std::move(script));
    return app::OpenCopyProcessBlockDialog(nullptr, index, maximum);
  }
  // Types into an edit and moves the focus on, as the user leaving the field does.
  static void Enter(HWND dialog, int id, const char* text) {
    SetFocus(GetDlgItem(dialog, id));
    SetDlgItemText(dialog, id, text);
    SetFocus(GetDlgItem(dialog, IDCANCEL));
    drv::PumpUntilIdle();
  }
  static std::string Name(std::uint16_t element) {
    std::array<char, 1025> text{};
    EXPECT_EQ(model::ReadElement(317, element, text.data(), model::kModeRaw, 0), 0);
    return text.data();
  }
  static void SetName(std::uint16_t element, const char* name) {
    std::array<char, 1025> text{};
    std::strncpy(text.data(), name, 16);
    ASSERT_EQ(model::WriteElement(317, element, text.data(), model::kModeRaw, 0), 0);
  }
};

TEST_F(CopyBlockTest, StartsWithTheCurrentBlockAndTheNextOne) {
  struct Case {
    int index;
    int maximum;
    const char* source;
    const char* target;
  };
  const Case cases[] = {{0, 7, "1", "2"}, {3, 7, "4", "5"}, {7, 7, "8", "1"}, {9, 7, "1", "2"}, {31, 31, "32", "1"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    std::string source, target;
    EXPECT_EQ(Run(c.index, c.maximum,
                  [&](HWND d) {
                    EXPECT_EQ(app::CopyProcessBlockWindow(), d);
                    source = drv::ItemText(d, kCopySourceEdit);
                    target = drv::ItemText(d, kCopyTargetEdit);
                    drv::ClickItem(d, IDCANCEL);
                  }),
              IDCANCEL);
    EXPECT_EQ(source, c.source);
    EXPECT_EQ(target, c.target);
    EXPECT_EQ(app::CopyProcessBlockWindow(), nullptr);
  }
  EXPECT_TRUE(messages_.texts.empty()) << "Cancel copies nothing";
}

TEST_F(CopyBlockTest, TypedNumbersOutsideTheDevicesBlocksKeepThePreviousOne) {
  std::vector<std::string> shown;
  Run(2, 7, [&](HWND d) {
    for (const char* text : {"9", "0", "-1", "x", "", "6"}) {
      Enter(d, kCopyTargetEdit, text);
      shown.push_back(drv::ItemText(d, kCopyTargetEdit));
    }
    Enter(d, kCopySourceEdit, "8");
    shown.push_back(drv::ItemText(d, kCopySourceEdit));
    drv::ClickItem(d, IDCANCEL);
  });
  EXPECT_EQ(shown, (std::vector<std::string>{"4", "4", "4", "4", "4", "6", "8"}));
}

TEST_F(CopyBlockTest, OkCopiesTheSourceBlockIntoTheTargetBlock) {
  PutRaw<std::int32_t>(514, 0, 123456);
  PutRaw<std::uint8_t>(514, 18, 0);
  PutRaw<std::uint8_t>(514, 19, 2);
  PutRaw<std::uint8_t>(514, 21, 1);
  PutRaw<std::uint8_t>(514, 40, 3);
  SetName(3749, "PICK");
  // Block 2's values first go to block 1, then block 1 goes to block 2 (the target typed and confirmed with
  // Enter, without leaving the field).
  EXPECT_EQ(Run(0, 7,
                [](HWND d) {
                  SetFocus(GetDlgItem(d, kCopyTargetEdit));
                  SetDlgItemText(d, kCopyTargetEdit, "2");
                  drv::PressKey(VK_RETURN);
                }),
            IDOK);
  EXPECT_EQ(GetRaw<std::int32_t>(514, 22), 123456);
  EXPECT_EQ(GetRaw<std::uint8_t>(514, 40), 0);
  EXPECT_EQ(GetRaw<std::uint8_t>(514, 41), 2);
  EXPECT_EQ(GetRaw<std::uint8_t>(514, 43), 1);
  EXPECT_EQ(Name(3830), "PICK");
  EXPECT_EQ(messages_.Last(), "Process block has been copied successfully.");
  EXPECT_EQ(app::LastCopyRefusals(), 0u);
}

TEST_F(CopyBlockTest, ARefusedRowIsCountedAndReported) {
  // A position mode that the checked write does not take (stored raw past its range).
  PutRaw<std::uint8_t>(514, 18, 250);
  double probe = 250.0;
  ASSERT_NE(model::WriteElement(514, 40, &probe, model::kModeConverted, 0), 0) << "the fixture needs a refusal";
  PutRaw<std::uint8_t>(514, 40, 0);
  PutRaw<std::uint8_t>(514, 19, 3);
  PutRaw<std::uint8_t>(514, 21, 1);
  Run(0, 7, [](HWND d) { drv::ClickItem(d, IDOK); });
  EXPECT_EQ(app::LastCopyRefusals(), 1u);
  EXPECT_EQ(GetRaw<std::uint8_t>(514, 40), 0) << "the refused value is not written";
  EXPECT_EQ(GetRaw<std::uint8_t>(514, 41), 3) << "the other rows are";
  ASSERT_FALSE(messages_.texts.empty());
  EXPECT_EQ(messages_.Last().rfind("1 value(s) could not be written", 0), 0u) << messages_.Last();
  for (const std::string& text : messages_.texts) EXPECT_EQ(text.find("successfully"), std::string::npos);
}

}  // namespace
}  // namespace pages_test
