// The developer page's memory access against the simulated inverter on a fake COM1: "read array" reads the words
// that hold the length's bytes and shows those bytes, "write byte" writes and reads back, link errors show their
// message and leave the fields as they were.
#include "app/pages/developer_memory.h"
#include "app/templates/page_templates.h"
#include "model/message_presenter.h"
#include "platform/testing/driver.h"
#include "tests/app/pages_fixture.h"
#include "tests/link/online_fixture.h"

namespace {

namespace drv = platform::testing;
using app::kDevAddressEdit;
using app::kDevDumpField;
using app::kDevLengthEdit;
using app::kDevValueEdit;

INT_PTR CALLBACK PlainProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

class DeveloperMemoryTest : public online_test::OnlineOnSim {
 protected:
  void SetUp() override {
    OnlineOnSim::SetUp();
    model::SetMessagePresenter(&messages_);
    page_ = CreateDialogIndirectParam(nullptr, app::PageTemplate(44), nullptr, PlainProc, 0);
    ASSERT_NE(page_, nullptr);
    app::InitDeveloperFields(page_);
  }
  void TearDown() override {
    model::SetMessagePresenter(nullptr);
    OnlineOnSim::TearDown();
  }
  void Fields(const char* address, const char* length, const char* value = "0") {
    SetDlgItemText(page_, kDevAddressEdit, address);
    SetDlgItemText(page_, kDevLengthEdit, length);
    SetDlgItemText(page_, kDevValueEdit, value);
  }
  std::string Text(int id) const { return drv::ItemText(page_, id); }

  drv::Session session_;
  pages_test::Messages messages_;
  HWND page_ = nullptr;
};

TEST_F(DeveloperMemoryTest, StartsAtAddressZeroWithFourBytes) {
  EXPECT_EQ(Text(kDevAddressEdit), "0");
  EXPECT_EQ(Text(kDevLengthEdit), "4");
  EXPECT_EQ(Text(kDevValueEdit), "0");
  EXPECT_EQ(Text(kDevDumpField), " - ");
}

TEST_F(DeveloperMemoryTest, ReadArrayShowsTheBytesOfTheLength) {
  device().set_memory(0x1230, 0x11223344);
  device().set_memory(0x1234, 0x55667788);
  device().set_memory(0x1238, 0x99AABBCC);
  struct Case {
    const char* length;
    const char* dump;
  };
  const Case cases[] = {{"5", "11 22 33 44 55 "},
                        {"1", "11 "},
                        {"0", "11 "},
                        {"8", "11 22 33 44 55 66 77 88 "},
                        {"9", "11 22 33 44 55 66 77 88 99 "}};
  for (const Case& c : cases) {
    Fields("1230", c.length, "ab");
    app::DeveloperReadArray(page_);
    EXPECT_EQ(Text(kDevDumpField), c.dump) << c.length;
  }
  EXPECT_EQ(Text(kDevAddressEdit), "1230");
  EXPECT_EQ(Text(kDevValueEdit), "AB");
  EXPECT_TRUE(messages_.texts.empty()) << messages_.Last();
  EXPECT_FALSE(ilink::InverterConnected()) << "the link is closed after the read";
}

TEST_F(DeveloperMemoryTest, LengthIsHexadecimalAndLimitedTo32Bytes) {
  for (std::uint32_t a = 0; a < 64; a += 4) device().set_memory(0x100 + a, 0x01010101u * (a / 4 + 1));
  Fields("100", "20");  // 32 bytes
  app::DeveloperReadArray(page_);
  EXPECT_EQ(Text(kDevDumpField).size(), 32u * 3);
  Fields("100", "FF");
  app::DeveloperReadArray(page_);
  EXPECT_EQ(Text(kDevDumpField).size(), 32u * 3);
  EXPECT_EQ(Text(kDevDumpField).substr(93), "08 ");
}

TEST_F(DeveloperMemoryTest, WriteByteWritesTheValueAndReadsBack) {
  device().set_memory(0x2000, 0x11223344);
  Fields("2000", "4", "AABBCCDD");
  app::DeveloperWriteWord(page_);
  EXPECT_EQ(device().memory(0x2000), 0x112233DDu) << "the simulated device keeps the lowest byte";
  EXPECT_EQ(Text(kDevDumpField), "11 22 33 DD ");
  EXPECT_EQ(Text(kDevValueEdit), "AABBCCDD");
}

TEST_F(DeveloperMemoryTest, ALinkErrorShowsItsMessageAndLeavesTheFields) {
  Fields("1230", "4", "1");
  online_test::PutRaw<std::uint8_t>(305, 42, 5);  // an address nobody answers
  app::DeveloperReadArray(page_);
  ASSERT_FALSE(messages_.texts.empty());
  EXPECT_EQ(Text(kDevDumpField), " - ");
  EXPECT_EQ(Text(kDevAddressEdit), "1230");
  const std::size_t shown = messages_.texts.size();
  app::DeveloperWriteWord(page_);
  EXPECT_GT(messages_.texts.size(), shown);
  EXPECT_EQ(Text(kDevDumpField), " - ");
}

TEST(DeveloperFields, HexadecimalTextsAndTheirBounds) {
  struct Case {
    const char* text;
    std::uint32_t value;
  };
  const Case cases[] = {{"0", 0},          {"1a", 0x1A},       {" FFFFFFFF ", 0xFFFFFFFF}, {"100000000", 0},
                        {"xyz", 0},        {"", 0},            {"12 34", 0},               {"0x10", 0x10}};
  for (const Case& c : cases) EXPECT_EQ(app::ParseHexField(c.text), c.value) << "\"" << c.text << "\"";
}

}  // namespace
