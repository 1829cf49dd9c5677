// The program's menu lists held against what is known of them: names and row counts, kind totals, elements that
// exist with a type that fits the kind, the buffer bound, the record overrides and the control-id runs of pages.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <map>
#include <string>

#include "model/descriptor.h"
#include "model/element_type.h"
#include "model/menu_list_table.h"
#include "model/record_layout.h"

namespace model {
namespace {

struct KnownList {
  std::uint8_t list;
  const char* first;
  std::size_t rows;
  std::uint16_t override_record;
};

// Every list with rows: the name of its first row, its row count and its record override.
constexpr KnownList kKnown[] = {
    {1, "file type", 8, 0}, {2, "printer selection", 12, 0}, {3, "remote", 10, 0}, {4, "drive monitor", 15, 0},
    {5, "control interface monitor", 20, 0}, {6, "additional data monitor", 22, 0},
    {7, "additional data monitor", 25, 0}, {8, "ZPR-Scope-control", 6, 0}, {9, "ZPR-Scope-adjustment", 15, 0},
    {10, "ZPR-Scope-comment", 6, 0}, {11, "P.. target of project", 10, 0}, {12, "K.. comments", 13, 0},
    {13, "A.. inverter part 1", 22, 0}, {14, "A.. inverter part 2", 20, 0}, {15, "B.. motor", 28, 0},
    {16, "B.. motor", 28, 0}, {17, "C.. machine part 1", 19, 0}, {18, "C.. machine part 1", 19, 0},
    {19, "C.. machine part 2", 18, 0}, {20, "C.. machine part 2", 18, 39}, {21, "D.. referance value part 1", 12, 0},
    {22, "D.. referance value part 1", 12, 0}, {23, "D.. referance value part 2", 33, 0},
    {24, "D.. referance value part 2", 33, 0}, {25, "E.. display values", 25, 0},
    {26, "F.. control interface part 1", 20, 0}, {27, "F.. control interface part 1", 20, 35},
    {28, "R.. production data", 24, 0}, {29, "U.. protective function", 25, 0}, {30, "U.. protective function", 25, 0},
    {31, "developer parameter", 14, 0}, {32, "developer parameter", 14, 0}, {33, "Z.. fault counter", 28, 0},
    {34, "S.. malfunction memory", 41, 0}, {35, "S.. malfunction memory", 41, 308},
    {36, "S.. malfunction memory", 41, 309}, {37, "S.. malfunction memory", 41, 310},
    {38, "S.. malfunction memory", 41, 311}, {39, "S.. malfunction memory", 41, 312},
    {40, "S.. malfunction memory", 41, 313}, {41, "S.. malfunction memory", 41, 314},
    {42, "S.. malfunction memory", 41, 315}, {43, "S.. malfunction memory", 41, 316},
    {44, "S00:       |newest                                                oldest", 43, 0},
    {45, "S05 I-motor|", 40, 0}, {46, "S09 devCond|", 40, 0}, {47, "S13 actOver|", 40, 0}, {48, "S17 loadSta|", 40, 0},
    {49, "S21 nMot=RV|", 40, 0}, {50, "S25 rampAcc|", 40, 0}, {51, "S29 BE3    |", 40, 0}, {52, "S32 relay 2|", 40, 0},
    {53, "S37 ZK-rel.|", 34, 0}, {54, "protocol monitor values", 7, 0}, {55, "options/remote", 11, 0},
    {56, "interface", 6, 0}, {58, "USS-Protocol", 4, 0}, {59, "Quellox", 5, 0}, {60, "OpGeh", 6, 0},
    {61, "menu skip", 33, 0}, {62, "R.. production data", 91, 0}, {63, "Quellox", 4, 0}, {64, "Quellox", 4, 0},
    {65, "G.. technology", 34, 0}, {66, "G.. technology", 34, 47}, {67, "additional data monitor", 28, 0},
    {68, "I.. posi.machine", 29, 0}, {69, "I.. posi.machine", 12, 0}, {70, "F.. control interface part 2", 21, 0},
    {71, "F.. control interface part 2", 21, 35}, {72, "J.. + L.. posi.command", 17, 0},
    {73, "J.. + L.. posi.command", 17, 0}, {74, "J.. + L.. posi.command", 17, 0}, {75, "J.. + L.. posi.command", 17, 0},
    {76, "J.. + L.. posi.command", 17, 0}, {77, "J.. + L.. posi.command", 17, 0}, {78, "J.. + L.. posi.command", 17, 0},
    {79, "J.. + L.. posi.command", 17, 0}, {80, "posi. monitor", 15, 0}, {81, "developer parameter", 11, 0},
    {82, "developer parameter", 11, 43}, {83, "Control", 39, 0}, {84, "B.. motor", 18, 0}, {85, "B.. motor", 18, 0},
    {86, "C.. machine part 1", 13, 0}, {87, "C.. machine part 1", 13, 0}, {88, "F.. control interface part 1", 19, 0},
    {89, "F.. control interface part 1", 19, 0}, {90, "F.. control interface part 2", 22, 0},
    {91, "F.. control interface part 2", 22, 0}, {92, "H.. encoder", 15, 0}, {93, "H.. encoder", 15, 0},
    {94, "J.. + L.. posi.command", 17, 0}, {95, "J.. + L.. posi.command", 17, 0}, {96, "J.. + L.. posi.command", 17, 0},
    {97, "J.. + L.. posi.command", 17, 0}, {98, "J.. + L.. posi.command", 17, 0}, {99, "J.. + L.. posi.command", 17, 0},
    {100, "J.. + L.. posi.command", 17, 0}, {101, "J.. + L.. posi.command", 17, 0},
    {102, "J.. + L.. posi.command", 17, 0}, {103, "J.. + L.. posi.command", 17, 0},
    {104, "J.. + L.. posi.command", 17, 0}, {105, "J.. + L.. posi.command", 17, 0},
    {106, "J.. + L.. posi.command", 17, 0}, {107, "J.. + L.. posi.command", 17, 0},
    {108, "J.. + L.. posi.command", 17, 0}, {109, "J.. + L.. posi.command", 17, 0},
    {110, "J.. + L.. posi.command", 17, 0}, {111, "J.. + L.. posi.command", 17, 0},
    {112, "J.. + L.. posi.command", 17, 0}, {113, "J.. + L.. posi.command", 17, 0},
    {114, "J.. + L.. posi.command", 17, 0}, {115, "J.. + L.. posi.command", 17, 0},
    {116, "J.. + L.. posi.command", 17, 0}, {117, "J.. + L.. posi.command", 17, 0},
    {118, "F.. control interface part 3", 27, 0}, {119, "F.. control interface part 3", 27, 0},
    {120, "P-List No. 0", 5, 0}, {121, "P-List No. 0", 17, 0}, {122, "B.. motor", 12, 0},
    {123, "M.. Menu jumptargets", 14, 0}, {124, "H.. encoder", 9, 0}, {125, "H.. encoder", 9, 0},
    {126, "N.. Posi.switch", 25, 0}, {127, "F.. control interface part 3", 25, 0},
    {128, "F.. control interface part 3", 25, 0}, {129, "N.. Posi.switch", 34, 0}, {130, "N.. Posi.switch", 34, 0},
    {131, "A.. inverter part 3", 12, 0}, {132, "I.. posi.machine", 13, 0}, {133, "C.. machine part 2", 18, 0},
    {134, "C.. machine part 2", 18, 39}, {135, "F.. control interface part 2", 21, 0},
    {136, "F.. control interface part 2", 21, 35}, {137, "F.. control interface part 2", 21, 0},
    {138, "F.. control interface part 2", 21, 35}, {139, "F.. control interface part 1", 20, 0},
    {140, "F.. control interface part 1", 20, 35}, {141, "F.. control interface part 1", 20, 0},
    {142, "F.. control interface part 1", 20, 35}, {143, "C.. machine part 2", 18, 0},
    {144, "C.. machine part 2", 18, 39}, {145, "B.. motor", 12, 0},
};

std::size_t RowCount(const MenuListSlot& slot) {
  std::size_t n = 0;
  while (slot.rows[n].record != 0) ++n;
  return n;
}

// Control ids a row binds (the dialog binding's rule): kind 3 one per radio text when editable.
std::size_t IdsOf(const ParameterDescriptor& row) {
  switch (row.kind) {
    case 0: case 6: case 8: case 11: case 12: return 0;
    case 3: {
      if (row.flag == 0) return 1;
      std::size_t texts = 0;
      while (texts < 4 && row.texts[texts + 1] && row.texts[texts + 1][0] != '\0') ++texts;
      return texts;
    }
    default: return 1;
  }
}

TEST(MenuListData, EveryListHasItsKnownFirstRowRowCountAndOverride) {
  const auto table = OwnMenuListTable();
  ASSERT_EQ(table.size(), kMenuListSlots);
  std::size_t used = 0;
  std::size_t descriptors = 0;
  for (const MenuListSlot& slot : table) used += slot.used ? 1 : 0;
  EXPECT_EQ(used, 145u);
  EXPECT_FALSE(table[0].used);
  EXPECT_FALSE(table[146].used);
  EXPECT_TRUE(table[57].used);
  EXPECT_EQ(RowCount(table[57]), 0u);
  for (const KnownList& known : kKnown) {
    SCOPED_TRACE(testing::Message() << "list " << int{known.list});
    const MenuListSlot& slot = table[known.list];
    ASSERT_TRUE(slot.used);
    ASSERT_EQ(RowCount(slot), known.rows);
    ASSERT_NE(slot.rows[0].texts, nullptr);
    EXPECT_STREQ(slot.rows[0].texts[0], known.first);
    EXPECT_EQ(slot.override_record, known.override_record);
    descriptors += known.rows;
  }
  EXPECT_EQ(descriptors, 3106u);
}

TEST(MenuListData, ListsWithAnOverrideShowTheirNeighboursRows) {
  const auto table = OwnMenuListTable();
  const std::pair<int, int> shares[] = {{20, 19}, {27, 26}, {66, 65}, {71, 70}, {82, 81}, {134, 133},
                                        {136, 135}, {138, 137}, {140, 139}, {142, 141}, {144, 143}};
  for (const auto& [list, source] : shares) EXPECT_EQ(table[list].rows, table[source].rows) << list;
  for (int list = 35; list <= 43; ++list) EXPECT_EQ(table[list].rows, table[34].rows) << list;
}

TEST(MenuListData, KindTotalsAreTheKnownOnes) {
  std::map<int, std::size_t> kinds;
  for (const MenuListSlot& slot : OwnMenuListTable()) {
    if (!slot.used) continue;
    for (std::size_t i = 0; slot.rows[i].record != 0; ++i) ++kinds[slot.rows[i].kind];
  }
  // The known totals add up to 3108 for 3106 rows; kind 1 holds the two rows fewer.
  const std::map<int, std::size_t> expected = {{0, 125}, {1, 1618}, {2, 517}, {3, 8}, {4, 516}, {5, 4},
                                               {6, 143}, {7, 95}, {8, 10}, {10, 4}, {13, 2}, {14, 64}};
  EXPECT_EQ(kinds, expected);
}

TEST(MenuListData, EveryRowNamesAnElementWhoseTypeFitsItsKind) {
  for (std::size_t list = 0; list < kMenuListSlots; ++list) {
    const MenuListSlot& slot = OwnMenuListTable()[list];
    if (!slot.used) continue;
    for (std::size_t i = 0; slot.rows[i].record != 0; ++i) {
      const ParameterDescriptor& row = slot.rows[i];
      SCOPED_TRACE(testing::Message() << "list " << list << " row " << i);
      ASSERT_NE(row.texts, nullptr);
      ASSERT_NE(row.texts[0], nullptr);
      EXPECT_NE(row.texts[0][0], '\0') << "every row has a name";
      EXPECT_LE(row.converter, 34);
      const std::uint16_t record = slot.override_record != 0 ? slot.override_record : row.record;
      if (row.element == kHeadingElement) {
        EXPECT_EQ(row.kind, 6);
        EXPECT_NE(RecordSize(record), 0) << "a heading's record exists";
        continue;
      }
      EXPECT_NE(row.kind, 6) << "kind 6 rows are headings";
      const std::uint8_t type = GetElementType(record, row.element);
      ASSERT_NE(type, 255) << record << "/" << row.element << " " << row.texts[0];
      const bool settings = list == 2 || (list >= 55 && list <= 60);
      switch (row.kind) {
        case 7: EXPECT_TRUE(IsStringType(type)) << row.texts[0]; break;
        case 14: EXPECT_TRUE(IsIntegerType(type)) << row.texts[0]; EXPECT_LE(row.selector, 31); break;
        case 2: case 3: case 4:
          EXPECT_TRUE(IsIntegerType(type)) << row.texts[0];
          if (settings) {
            EXPECT_LE(ElementTypeSizeOf(type), 2) << row.texts[0];
          }
          EXPECT_NE(row.texts[1], nullptr);
          EXPECT_NE(row.texts[1][0], '\0') << "a selection has texts: " << row.texts[0];
          break;
        case 1: case 10: case 13: EXPECT_TRUE(IsNumberType(type)) << row.texts[0]; break;
        default: break;
      }
    }
  }
}

TEST(MenuListData, SelectionTextsArePrefixedWithTheirValues) {
  for (const MenuListSlot& slot : OwnMenuListTable()) {
    if (!slot.used) continue;
    for (std::size_t i = 0; slot.rows[i].record != 0; ++i) {
      const ParameterDescriptor& row = slot.rows[i];
      if (row.kind != 2 && row.kind != 3 && row.kind != 4) continue;
      for (int v = 0; row.texts[v + 1] && row.texts[v + 1][0] != '\0'; ++v) {
        const std::string prefix = std::to_string(v) + ":";
        EXPECT_EQ(std::string(row.texts[v + 1]).rfind(prefix, 0), 0u) << row.texts[0] << " text " << v;
      }
    }
  }
}

TEST(MenuListData, PagesBindTheirControlIdRuns) {
  // (list, ids of its page's control run)
  const std::pair<int, std::size_t> runs[] = {
      {2, 11}, {3, 8}, {4, 14}, {5, 19}, {6, 21}, {8, 5}, {9, 3}, {10, 5}, {11, 8}, {12, 9}, {13, 20}, {14, 18},
      {131, 10}, {15, 26}, {16, 26}, {84, 16}, {85, 16}, {17, 22}, {18, 22}, {86, 13}, {87, 13}, {19, 15},
      {20, 15}, {143, 15}, {133, 15}, {21, 10}, {22, 10}, {23, 31}, {24, 31}, {25, 22}, {26, 18}, {27, 18},
      {139, 18}, {141, 18}, {88, 17}, {89, 17}, {70, 19}, {71, 19}, {135, 19}, {137, 19}, {90, 20}, {91, 20},
      {127, 23}, {128, 23}, {118, 25}, {119, 25}, {65, 32}, {66, 32}, {124, 7}, {125, 7}, {92, 13}, {93, 13},
      {33, 26}, {34, 39}, {43, 39}, {68, 27}, {132, 11}, {69, 10}, {72, 15}, {117, 15}, {28, 22}, {29, 23},
      {30, 23}, {31, 11}, {32, 11}, {81, 9}, {82, 9}, {126, 20}, {54, 5}, {55, 9}, {56, 5}, {59, 4}, {63, 3},
      {64, 3}, {67, 27}, {80, 13}, {129, 32}, {130, 32}};
  for (const auto& [list, ids] : runs) {
    const MenuListSlot& slot = OwnMenuListTable()[list];
    std::size_t n = 0;
    for (std::size_t i = 0; slot.rows[i].record != 0; ++i) n += IdsOf(slot.rows[i]);
    EXPECT_EQ(n, ids) << "list " << list;
  }
}

TEST(MenuListData, NamedRowsSitWhereOtherPartsOfTheProgramLookForThem) {
  struct Named {
    int list;
    std::size_t row;
    const char* name;
    std::uint16_t record;
    std::uint16_t element;
  };
  const Named named[] = {
      {56, 1, "serial interface", 305, 0}, {56, 5, "Remotecontrol waiting time", 305, 160},
      {58, 1, "baudrate", 305, 28}, {11, 1, "P04 device-family", 304, 0}, {11, 2, "P00 device-type", 304, 1},
      {11, 3, "P01 software-version", 304, 5}, {11, 4, "P02 option-board", 304, 3},
      {15, 1, "B00 motor-type", 42, 29}, {84, 1, "B00 motor-type", 42, 29}, {16, 1, "B00 motor-type", 43, 29},
      {10, 1, "K03 R-user", 15, 4}, {54, 5, "K51 protocol comment", 317, 3668}, {123, 1, "M50 F1-jump to", 450, 2},
      {2, 11, "print only 'not default values'", 305, 153}, {13, 1, "A10 menu level", 55, 9}};
  for (const Named& n : named) {
    const ParameterDescriptor& row = OwnMenuListTable()[n.list].rows[n.row];
    EXPECT_STREQ(row.texts[0], n.name) << n.list;
    EXPECT_EQ(row.record, n.record) << n.name;
    EXPECT_EQ(row.element, n.element) << n.name;
  }
  // The positioning unit selection of list 68 and its unit texts.
  bool unit_row = false;
  for (std::size_t i = 0; OwnMenuListTable()[68].rows[i].record != 0; ++i) {
    const ParameterDescriptor& row = OwnMenuListTable()[68].rows[i];
    if (row.record == 512 && row.element == 75) unit_row = true;
  }
  EXPECT_TRUE(unit_row);
}

}  // namespace
}  // namespace model

namespace model {
namespace {

TEST(MenuListData, FindDescriptorServesOverrideRecordsFromTheSharedRows) {
  SetMenuListTableForTest({});
  const ParameterDescriptor* set1 = FindDescriptor(34, 19);
  ASSERT_NE(set1, nullptr);
  EXPECT_EQ(FindDescriptor(35, 19), set1) << "record 35 through the override of list 27";
  const ParameterDescriptor* fault = FindDescriptor(307, 1);
  ASSERT_NE(fault, nullptr);
  for (std::uint16_t record = 308; record <= 316; ++record) {
    const ParameterDescriptor* other = FindDescriptor(record, 1);
    ASSERT_NE(other, nullptr) << record;
    EXPECT_STREQ(other->texts[0], fault->texts[0]);
  }
  EXPECT_EQ(FindDescriptor(55, 9)->kind, 4);
  EXPECT_EQ(FindDescriptor(55, 1), nullptr) << "inside an element";
}

}  // namespace
}  // namespace model
