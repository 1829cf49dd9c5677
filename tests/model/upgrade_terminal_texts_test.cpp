// MergeTerminalTexts: the labelled block, short texts left out, the block kept within its 1024 bytes; the
// merge as the upgrade of layouts 64 and 'A'.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "model/element_access.h"
#include "model/layout_upgrade.h"
#include "upgrade_fixture.h"

namespace model::upgrade_test {
namespace {

void PutText(std::uint16_t element, const std::string& text) {
  std::array<char, 81> buffer{};
  std::memcpy(buffer.data(), text.data(), std::min<std::size_t>(text.size(), 80));
  ASSERT_EQ(WriteElement(317, element, buffer.data(), kModeRaw, 0), 0);
}

std::string Block() {
  std::array<char, 1024> block{};
  EXPECT_EQ(ReadElement(317, 5421, block.data(), kModeRaw, 0), 0);
  EXPECT_EQ(block.back(), '\0');
  return block.data();
}

using TerminalTextTest = UpgradeTest;

TEST_F(TerminalTextTest, LabelledTextsInBlockOrderShortOnesLeftOut) {
  PutText(405, "24 V supply");
  PutText(486, "ok");         // two characters: left out
  PutText(567, "start");
  PutText(1134, "speed 0-10 V");
  PutText(1215, "ready");      // K20 comes before K22 in the block although it lies behind it
  PutText(1458, "abc");
  const char old_block[] = "old block";
  ASSERT_EQ(WriteElement(317, 5421, old_block, kModeRaw, 0), 0);
  EXPECT_EQ(MergeTerminalTexts(0), 0);
  EXPECT_EQ(Block(),
            "K11 device: 24 V supply\r\n"
            "K13 BE1: start\r\n"
            "K20 relay 1: ready\r\n"
            "K22 analog-output: speed 0-10 V\r\n"
            "K24 parameter set 2: abc\r\n");
}

TEST_F(TerminalTextTest, NoTextsGiveAnEmptyBlock) {
  const char old_block[] = "old block";
  ASSERT_EQ(WriteElement(317, 5421, old_block, kModeRaw, 0), 0);
  EXPECT_EQ(MergeTerminalTexts(0), 0);
  EXPECT_EQ(Block(), "");
}

TEST_F(TerminalTextTest, FourteenFullTextsAreCutAtTheBlocksEnd) {
  for (const std::uint16_t element : {405, 486, 567, 648, 729, 810, 891, 972, 1053, 1134, 1215, 1296, 1377, 1458}) {
    PutText(element, std::string(80, static_cast<char>('a' + (element / 81) % 26)));
  }
  const std::string before_block = [] {
    std::array<char, 81> t{};
    EXPECT_EQ(ReadElement(317, 6445, t.data(), kModeRaw, 0), 0);  // the element behind the block
    return std::string(t.data());
  }();
  EXPECT_EQ(MergeTerminalTexts(0), 0);
  const std::string block = Block();
  EXPECT_EQ(block.size(), 1023u);
  EXPECT_EQ(block.rfind("K11 device: " + std::string(80, 'f') + "\r\nK12 enable: ", 0), 0u);
  std::array<char, 81> behind{};
  ASSERT_EQ(ReadElement(317, 6445, behind.data(), kModeRaw, 0), 0);
  EXPECT_EQ(std::string(behind.data()), before_block);
}

TEST_F(TerminalTextTest, LayoutsAtAndA_MergeOnUpgradeAndOnlyOnce) {
  for (const std::uint8_t letter : {'@', 'A'}) {
    ASSERT_EQ(InitDataSet(0), 0);
    StampLetter(letter);
    PutText(648, "BE2 text");
    ASSERT_EQ(UpgradeDataSetLayout(0, 'Q'), 0);
    EXPECT_EQ(Block(), "K14 BE2: BE2 text\r\n");
    const char edited[] = "edited";
    ASSERT_EQ(WriteElement(317, 5421, edited, kModeRaw, 0), 0);
    ASSERT_EQ(UpgradeDataSetLayout(0, 'Q'), 0);
    EXPECT_EQ(Block(), "edited");
  }
}

}  // namespace
}  // namespace model::upgrade_test
