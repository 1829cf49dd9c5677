// The upgrade's tables against the layout: every clamp and move names number elements of the types its
// operation reads and writes, in both parameter sets where it has two.
#include <gtest/gtest.h>

#include <cstdint>

#include "model/element_type.h"
#include "model/record_layout.h"

namespace model {
namespace {

TEST(UpgradeTablesTest, ClampRowsNameElementsOfTheirClampsType) {
  struct Row {
    const char* kind;
    std::uint16_t record, element;
    std::uint8_t sets;
    std::int32_t min, max;
  };
  const Row rows[] = {
#define CLAMP_ROW(step, kind, family, record, element, sets, min, max) {#kind, record, element, sets, min, max},
#include "model/data/variant_clamps.def"
#undef CLAMP_ROW
  };
  for (const Row& r : rows) {
    for (std::uint8_t s = 0; s < r.sets; ++s) {
      const auto record = static_cast<std::uint16_t>(r.record + s);
      const std::string kind = r.kind;
      SCOPED_TRACE(kind + " " + std::to_string(record) + ":" + std::to_string(r.element));
      EXPECT_LE(r.min, r.max);
      if (kind == "Word") {
        EXPECT_EQ(GetElementType(record, r.element), kTypeI16);
      } else if (kind == "DoubleWord") {
        EXPECT_EQ(GetElementType(record, r.element), kTypeI32);
      } else if (kind == "Ramps") {
        for (std::uint16_t i = 0; i < 17; ++i) EXPECT_EQ(GetElementType(record, 2 * i), kTypeI16) << i;
      } else {
        const std::uint16_t count = kind == "List1" ? 4 : kind == "List2" ? 5 : kind == "NextBlocks" ? 8 : 1;
        const std::uint16_t stride = kind == "NextBlocks" ? 22 : 1;
        for (std::uint16_t i = 0; i < count; ++i) {
          EXPECT_EQ(GetElementType(record, static_cast<std::uint16_t>(r.element + stride * i)), kTypeU8) << i;
        }
      }
    }
  }
}

TEST(UpgradeTablesTest, MoveRowsReadOldNumbersAndWriteNumbersOfBothSets) {
  struct Row {
    std::uint16_t record, element, offset;
  };
  const Row rows[] = {
#define MOVE_ROW(record, element, op, offset, argument) {record, element, offset},
#include "model/data/old_layout_moves.def"
#undef MOVE_ROW
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::to_string(r.record) + ":" + std::to_string(r.element));
    EXPECT_TRUE(IsIntegerType(GetElementType(254, r.offset)));
    EXPECT_TRUE(IsIntegerType(GetElementType(251, r.offset)));
    EXPECT_TRUE(IsIntegerType(GetElementType(r.record, r.element)));
    EXPECT_EQ(GetElementType(r.record, r.element), GetElementType(static_cast<std::uint16_t>(r.record + 1), r.element));
  }
}

TEST(UpgradeTablesTest, TerminalTextsAreTextsOfRecord317AndTheBlockHolds1024Bytes) {
  const std::uint16_t elements[] = {
#define TERMINAL_TEXT(element, label) element,
#include "model/data/terminal_texts.def"
#undef TERMINAL_TEXT
  };
  for (const std::uint16_t e : elements) EXPECT_EQ(GetElementType(317, e), kTypeText80) << e;
  EXPECT_EQ(GetElementType(317, 5421), kTypeText1023);
  EXPECT_EQ(GetElementType(317, 1539), kTypeText1023);
}

}  // namespace
}  // namespace model
