// Holds the record-layout data (model/data/layout.def) and the default images (model/data/default_values.def)
// against the facts the rest of the program relies on. The data files are read directly through X-macros, so this
// test does not depend on the code that serves them.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Row {
  std::uint16_t record;
  std::uint16_t element;
  std::uint8_t type;
  std::uint8_t check;
  std::uint8_t action;
  std::uint8_t a;
  std::uint8_t b;
};

constexpr Row kRows[] = {
#define LAYOUT_ROW(record, element, type, check, action, a, b) {record, element, type, check, action, a, b},
#include "model/data/layout.def"
#undef LAYOUT_ROW
};

struct DefaultValue {
  std::uint16_t record;
  std::uint16_t element;
  long long value;
};

constexpr DefaultValue kDefaults[] = {
#define DEFAULT_VALUE(record, element, value) {record, element, value},
#include "model/data/default_values.def"
#undef DEFAULT_VALUE
};

// Type or size class a named address must have.
enum What : int {
  kU8 = 2, kI8 = 3, kU16 = 4, kI16 = 5, kU32 = 6, kI32 = 7, kText8 = 8, kText16 = 9, kText80 = 10, kF32 = 11,
  kF64 = 12, kBlock = 14, kText1023 = 15,
  kAny1 = 101,   // a 1-byte integer
  kAny2 = 102,   // a 2-byte integer
  kAny4 = 104,   // a 4-byte number
  kExists = 150, // an element starts here, any type
  kAbsent = 200, // no element starts here
};

struct Fact {
  std::uint16_t record;
  std::uint16_t element;
  int what;
  const char* where;
};

constexpr Fact kFacts[] = {
#include "tests/model/layout_facts.inc"
};

int TypeSize(int type) {
  switch (type) {
    case 0: case 2: case 3: return 1;
    case 4: case 5: return 2;
    case 6: case 7: case 11: return 4;
    case 8: return 9;
    case 9: return 17;
    case 10: return 81;
    case 12: case 16: return 8;
    case 14: return 240;
    case 15: return 1024;
    default: return 0;
  }
}
bool IsString(int t) { return t == 8 || t == 9 || t == 10 || t == 15; }
bool IsInteger(int t) { return t >= 2 && t <= 7; }
bool IsSigned(int t) { return t == 3 || t == 5 || t == 7 || t == 11 || t == 12; }

// The range pairs (min, max) the B byte of a number element selects.
std::array<std::pair<long long, long long>, 196> RangePairs() {
  std::array<std::pair<long long, long long>, 196> p{};
  auto set = [&](int from, int to, long long lo, long long hi) {
    for (int k = from; k <= to; ++k) p[k] = {lo, hi};
  };
  set(0, 0, -2147483648LL, 2147483647); set(1, 1, 0, 0); set(2, 2, 0, 255); set(3, 3, -128, 127); set(4, 4, 0, 65535);
  set(5, 5, -32768, 32767); set(6, 6, 0, -1); set(7, 7, -2147483648LL, 2147483647); set(8, 8, 0, 1); set(9, 9, 0, 3);
  set(10, 10, 0, 7); set(11, 11, 0, 15); set(12, 12, 103, 4095); set(13, 18, 0, 16383); set(19, 22, 0, 4095);
  set(23, 23, 1, 1000); set(24, 24, 1, 255); set(25, 26, 0, 192); set(27, 27, 0, 127); set(28, 29, 0, 255);
  set(30, 30, 0, 64); set(31, 31, 0, 255); set(32, 32, -410, 410); set(33, 33, -13, 13); set(34, 35, 0, 255);
  set(36, 36, 0, 2); set(37, 37, 0, 3); set(38, 38, 0, 2); set(39, 39, 1, 3000); set(40, 40, 5, 120); set(41, 41, 1, 9999);
  set(42, 42, 1, 8); set(43, 43, 0, 16384); set(44, 44, 0, 32767); set(45, 46, 0, 819); set(47, 47, -10000000, 10000000);
  set(48, 48, 0, 5); set(49, 49, 1, 32767); set(50, 50, 1, 255); set(51, 51, 0, 16384); set(52, 52, 0, 0);
  set(53, 53, 0, 32767); set(54, 54, 50, 100); set(55, 59, 0, 32767); set(60, 60, 10, 10000); set(61, 61, 7372, 9011);
  set(62, 62, 0, 2); set(63, 66, 0, 16384); set(67, 67, -8192, 8192); set(68, 71, 0, 8192); set(72, 72, 30, 4096);
  set(73, 73, 30, 512); set(74, 77, 0, 16384); set(78, 85, 0, 32767); set(86, 86, 0, 5024); set(87, 87, 0, 2);
  set(88, 88, 0, 100); set(89, 89, 10, 3000); set(90, 90, 0, 30000); set(91, 91, 1, 2); set(92, 92, 0, 4);
  set(93, 93, 0, 7); set(94, 95, -16384, 16384); set(96, 96, 0, 2); set(97, 97, 0, 99); set(98, 98, 0, 3);
  set(99, 99, 0, 4); set(100, 100, 0, 1000); set(101, 101, -3277, 3277); set(102, 102, 16384, 49152);
  set(103, 103, -3277, 3277); set(104, 104, 16384, 49152); set(105, 105, 0, 1); set(106, 106, 0, 115);
  set(107, 107, 0, 255); set(108, 108, 0, 4); set(109, 109, -32767, 32767); set(110, 110, 10, 20); set(111, 111, 0, 10);
  set(112, 112, 1, 10000); set(113, 113, 0, 10000); set(114, 114, 5000, 100000); set(115, 115, 50, 3000);
  set(116, 116, 5, 3000); set(117, 117, 1, 5); set(118, 118, 1, 9999); set(119, 119, 1, 3333); set(120, 120, 2000, 6000000);
  set(121, 121, 10, 1800); set(122, 122, 1, 10000); set(123, 123, 1, 1); set(124, 124, 0, 4); set(125, 125, 0, 8);
  set(126, 126, 2, 3); set(127, 127, 0, 2); set(128, 128, 0, 3); set(129, 129, 1, 10); set(130, 130, 1, 120);
  set(131, 131, 0, 10000); set(132, 132, 0, 32767); set(133, 133, -8192, 8192); set(134, 134, 0, 10000);
  set(135, 135, -16384, 16384); set(136, 136, 0, 31); set(137, 137, 0, 8); set(138, 138, 0, 125); set(139, 139, 1, 2);
  set(140, 143, 0, 1000); set(144, 144, 1, 12); set(145, 145, 0, 10000); set(146, 146, 0, 2147483647);
  set(147, 147, -2147483647, 2147483647); set(148, 148, 1, 2147483647); set(149, 149, 0, 4); set(150, 150, 0, 3);
  set(151, 151, 0, 100); set(152, 152, 0, 5); set(153, 153, 0, 32767); set(154, 154, 0, 3); set(155, 155, 0, 4);
  set(156, 156, 1, 2147483647); set(157, 157, 1, 3); set(158, 158, 0, 32); set(159, 159, 0, 8192);
  set(160, 163, 0, 2147483647); set(164, 164, 0, 3); set(165, 165, 0, 3600); set(166, 166, 30, 4096);
  set(167, 167, 1, 4096); set(168, 168, 24, 25); set(169, 169, 0, 254); set(170, 170, 0, 31); set(171, 171, 0, 8192);
  set(172, 172, 0, 32767); set(173, 173, 1, 254); set(174, 174, 0, 10000); set(175, 175, 0, 100); set(176, 176, 0, 10000);
  set(177, 177, 5, 100); set(178, 178, 1, 255); set(179, 179, 0, 9999); set(180, 180, 1, 65535); set(181, 181, 0, 4);
  set(182, 182, 0, 2); set(183, 183, 0, 3); set(184, 184, 0, 100); set(185, 192, -2147483648LL, 2147483647);
  set(193, 193, -2, 0); set(194, 194, 1, 253); set(195, 195, 100, 2000);
  return p;
}

// Limits of a pair as the generic range function reads it for a type: (0, -1) admits every unsigned 32-bit value.
std::pair<long long, long long> PairFor(int b, int type) {
  auto p = RangePairs()[b];
  if (p.second == -1 && (type == 2 || type == 4 || type == 6)) p.second = 4294967295LL;
  return p;
}

std::pair<long long, long long> TypeRange(int type) {
  switch (type) {
    case 2: return {0, 255};
    case 3: return {-128, 127};
    case 4: return {0, 65535};
    case 5: return {-32768, 32767};
    case 6: return {0, 4294967295LL};
    case 7: return {-2147483648LL, 2147483647};
    default: return {-(1LL << 62), 1LL << 62};  // floats: not bounded here
  }
}

// Record order with element count and byte size per record.
struct RecordShape {
  std::uint16_t record;
  std::uint16_t count;
  std::uint16_t size;
};
std::vector<RecordShape> ExpectedRecords() {
  std::vector<RecordShape> v = {
      {302, 2, 19}, {2, 2, 2}, {4, 2, 2}, {17, 2, 2}, {5, 15, 52}, {304, 15, 52}, {320, 83, 344}, {347, 24, 216},
      {453, 12, 2880}, {454, 23, 44}, {33, 92, 158}, {36, 26, 34}, {52, 85, 120}, {306, 33, 40}, {11, 68, 68},
      {55, 51, 134}, {42, 42, 74}, {43, 42, 74}, {348, 42, 74}, {40, 14, 18}, {41, 14, 18}, {38, 32, 62}, {39, 32, 62},
      {46, 34, 62}, {47, 34, 62}, {53, 22, 36}, {54, 22, 36}, {48, 19, 36}, {49, 19, 36}, {34, 51, 70}, {35, 51, 70},
      {59, 28, 34}, {60, 28, 34}, {512, 59, 136}, {514, 115, 232}, {516, 90, 220}, {518, 90, 220}, {520, 75, 114},
      {522, 16, 16}, {56, 4, 4}, {57, 17, 82}, {58, 17, 82}, {346, 26, 52}, {32, 28, 44}, {317, 57, 8389},
      {305, 67, 164}, {13, 26, 26}, {15, 7, 56}, {450, 33, 80}, {451, 33, 80}, {1, 6, 8}, {300, 9, 92}, {3, 140, 280}};
  for (std::uint16_t r = 307; r <= 316; ++r) v.push_back({r, 49, 62});
  v.push_back({318, 2, 2});
  v.push_back({319, 2, 162});
  for (std::uint16_t r = 336; r <= 345; ++r) v.push_back({r, 16, 22});
  for (RecordShape s : std::vector<RecordShape>{{456, 1, 2}, {50, 6, 38}, {458, 8, 24}, {254, 66, 100}, {251, 66, 100},
                                                 {448, 25, 48}, {353, 3, 10}, {354, 6, 8}})
    v.push_back(s);
  for (std::uint16_t r = 355; r <= 362; ++r) v.push_back({r, 1, 240});
  return v;
}

std::vector<const Row*> RowsOf(std::uint16_t record) {
  std::vector<const Row*> out;
  for (const Row& r : kRows)
    if (r.record == record) out.push_back(&r);
  return out;
}

const Row* Find(std::uint16_t record, std::uint16_t element) {
  for (const Row& r : kRows)
    if (r.record == record && r.element == element) return &r;
  return nullptr;
}

std::string Where(const Row& r) {
  return "record " + std::to_string(r.record) + " element " + std::to_string(r.element);
}

// The 22-byte positioning blocks of the process-block records.
std::map<std::uint16_t, std::vector<std::uint16_t>> ProcessBlocks() {
  std::map<std::uint16_t, std::vector<std::uint16_t>> m;
  for (std::uint16_t k = 0; k < 8; ++k) m[514].push_back(22 * k);
  m[514].push_back(210);
  for (std::uint16_t k = 0; k < 10; ++k) {
    m[516].push_back(22 * k);
    m[518].push_back(22 * k);
  }
  m[520] = {0, 22, 44};
  return m;
}

using Address = std::pair<std::uint16_t, std::uint16_t>;
void Add(std::map<Address, int>& m, std::vector<std::uint16_t> records, std::vector<std::uint16_t> elements, int index) {
  for (auto r : records)
    for (auto e : elements) m[{r, e}] = index;
}
std::vector<std::uint16_t> Range(std::uint16_t from, std::uint16_t to, std::uint16_t step = 1) {
  std::vector<std::uint16_t> v;
  for (std::uint16_t e = from; e <= to; e = static_cast<std::uint16_t>(e + step)) v.push_back(e);
  return v;
}

}  // namespace

TEST(LayoutConsistency, TotalsAndTypeCounts) {
  ASSERT_EQ(std::size(kRows), 2819u);
  long bytes = 0;
  std::map<int, int> per_type;
  for (const Row& r : kRows) {
    bytes += TypeSize(r.type);
    ++per_type[r.type];
    EXPECT_NE(r.record, 0) << "the end row belongs to the code, not to the data";
  }
  EXPECT_EQ(bytes, 18656);
  const std::map<int, int> expected = {{2, 1442}, {5, 537}, {4, 341}, {7, 178}, {11, 69}, {3, 63}, {10, 56},
                                       {6, 40},   {8, 29},  {9, 26},  {14, 20}, {12, 14}, {15, 4}};
  EXPECT_EQ(per_type, expected);
}

TEST(LayoutConsistency, RecordOrderCountsSizesAndOffsets) {
  const auto shapes = ExpectedRecords();
  ASSERT_EQ(shapes.size(), 91u);
  std::size_t row = 0;
  for (const RecordShape& s : shapes) {
    int offset = 0;
    for (int k = 0; k < s.count; ++k, ++row) {
      ASSERT_LT(row, std::size(kRows));
      const Row& r = kRows[row];
      ASSERT_EQ(r.record, s.record) << "row " << row << ": records out of order or wrong count";
      ASSERT_EQ(r.element, offset) << "element numbers are byte offsets: " << Where(r);
      ASSERT_GT(TypeSize(r.type), 0) << Where(r);
      offset += TypeSize(r.type);
    }
    EXPECT_EQ(offset, s.size) << "record " << s.record;
  }
  EXPECT_EQ(row, std::size(kRows));
}

TEST(LayoutConsistency, SharedLayoutsAreIdentical) {
  const std::vector<std::vector<std::uint16_t>> groups = {
      {34, 35}, {38, 39}, {40, 41}, {42, 43, 348}, {46, 47}, {48, 49}, {53, 54}, {57, 58}, {59, 60}, {254, 251},
      {5, 304}, {516, 518}, Range(307, 316), Range(336, 345), Range(355, 362)};
  for (const auto& g : groups) {
    const auto base = RowsOf(g[0]);
    for (std::size_t k = 1; k < g.size(); ++k) {
      const auto other = RowsOf(g[k]);
      ASSERT_EQ(other.size(), base.size()) << g[0] << " / " << g[k];
      for (std::size_t i = 0; i < base.size(); ++i) {
        EXPECT_EQ(other[i]->element, base[i]->element) << g[0] << " / " << g[k];
        EXPECT_EQ(other[i]->type, base[i]->type) << g[0] << " / " << g[k] << " element " << base[i]->element;
      }
    }
  }
  // The fault entries of 336-345 are the first 16 elements of the entries of 307-316.
  const auto full = RowsOf(307), shortened = RowsOf(336);
  for (std::size_t i = 0; i < shortened.size(); ++i) EXPECT_EQ(full[i]->type, shortened[i]->type);
}

TEST(LayoutConsistency, NamedElementsExistWithTheirTypes) {
  for (const Fact& f : kFacts) {
    const Row* r = Find(f.record, f.element);
    const std::string at = std::to_string(f.record) + ":" + std::to_string(f.element) + " (" + f.where + ")";
    if (f.what == kAbsent) {
      EXPECT_EQ(r, nullptr) << at;
      continue;
    }
    ASSERT_NE(r, nullptr) << at;
    switch (f.what) {
      case kExists: break;
      case kAny1: EXPECT_TRUE(r->type == 2 || r->type == 3) << at; break;
      case kAny2: EXPECT_TRUE(r->type == 4 || r->type == 5) << at; break;
      case kAny4: EXPECT_TRUE(r->type == 6 || r->type == 7 || r->type == 11) << at; break;
      default: EXPECT_EQ(r->type, f.what) << at;
    }
  }
}

TEST(LayoutConsistency, LayoutFactsAcrossTheProgram) {
  // The only doubles: the derived value of the ten fault entries and four values of record 320.
  int f64 = 0;
  for (const Row& r : kRows)
    if (r.type == 12) {
      ++f64;
      EXPECT_TRUE((r.record >= 307 && r.record <= 316 && r.element == 22) || r.record == 320) << Where(r);
    }
  EXPECT_EQ(f64, 14);
  // Version cut points fall on element starts: the byte counts that older layouts hold of a record.
  const std::vector<std::pair<std::uint16_t, std::vector<std::uint16_t>>> cuts = {
      {5, {12, 46, 48}}, {304, {12, 46, 48}}, {52, {12, 74, 82, 108, 113}}, {33, {84, 120, 134, 139}},
      {42, {30}}, {43, {30}}, {514, {186}}, {346, {44, 50}}, {56, {2}}, {36, {30}}, {11, {32, 52, 60, 64}},
      {55, {24, 26, 42, 62, 94}}, {40, {16}}, {41, {16}}, {38, {58, 60}}, {39, {58, 60}}, {34, {32, 56, 62, 68, 69}},
      {35, {32, 56, 62, 68, 69}}, {46, {31, 40, 42, 50}}, {47, {31, 40, 42, 50}}, {512, {90, 96}}, {520, {66}},
      {59, {21}}, {60, {21}}, {53, {30}}, {54, {30}}, {57, {78}}, {58, {78}}, {13, {20}}, {32, {34}}};
  for (const auto& [record, offsets] : cuts)
    for (auto e : offsets) EXPECT_NE(Find(record, e), nullptr) << record << ":" << e;
  // The handheld tool's shorter layout: 5/304 end with the 4-byte element 48, 33 with two 4-byte elements at
  // 150 and 154, 305 keeps 0..158 and then holds exactly 159, 160 and 162, 320 ends with 336 and 340.
  EXPECT_EQ(RowsOf(5).back()->element, 48);
  EXPECT_EQ(RowsOf(33)[RowsOf(33).size() - 2]->element, 150);
  const auto r305 = RowsOf(305);
  EXPECT_EQ(r305[r305.size() - 4]->element, 158);
  EXPECT_EQ(r305[r305.size() - 3]->element, 159);
  const auto r320 = RowsOf(320);
  EXPECT_EQ(r320[r320.size() - 2]->element, 336);
  // The menu-skip bytes take any byte value through a checked write: no check and no range.
  for (const Row* r : RowsOf(11)) EXPECT_TRUE(r->type == 2 && r->check == 0 && r->a == 0 && r->b == 0) << Where(*r);
  // (300, 1) lies inside the format version; (r, size) is never an element.
  EXPECT_EQ(Find(300, 1), nullptr);
  EXPECT_EQ(RowsOf(300)[1]->element, 2);
  for (const RecordShape& s : ExpectedRecords()) EXPECT_EQ(Find(s.record, s.size), nullptr) << s.record;
}

TEST(LayoutConsistency, IndexBytesStayInTheirTables) {
  for (const Row& r : kRows) {
    EXPECT_LE(r.check, 94) << Where(r);
    EXPECT_TRUE(r.check != 24 && r.check != 47 && r.check != 93) << Where(r) << " names an unused check";
    EXPECT_LE(r.action, 15) << Where(r);
    if (r.type == 14) {
      EXPECT_TRUE(r.check == 0 && r.action == 0 && r.a == 0 && r.b == 0) << Where(r);
    } else if (IsString(r.type)) {
      EXPECT_LE(r.b, 47) << Where(r);
      // Computed texts must fit the element: date 10, date and time 17, user name 16, file name 11 characters.
      const int need[] = {1, 11, 18, 17, 12};
      if (r.a <= 4) {
        EXPECT_GE(TypeSize(r.type), need[r.a]) << Where(r) << " text " << int(r.a);
      }
    } else {
      EXPECT_LE(r.a, 66) << Where(r);
      EXPECT_LE(r.b, 195) << Where(r);
      EXPECT_TRUE(r.a != 9 && r.a != 10 && r.a != 13 && r.a != 20) << Where(r) << " names an unused range function";
      if (r.a == 0 && r.b == 0) continue;  // no range check
      const auto pair = PairFor(r.b, r.type);
      if (pair.first < 0) {
        EXPECT_TRUE(IsSigned(r.type)) << Where(r) << ": negative minimum on an unsigned type";
      }
      const bool generic = r.a == 0 || r.a == 1 || r.a == 3;
      if (generic && IsInteger(r.type)) {
        const auto t = TypeRange(r.type);
        EXPECT_TRUE(pair.first >= t.first && pair.second <= t.second) << Where(r) << " pair " << int(r.b);
      }
    }
  }
}

TEST(LayoutConsistency, ActionsAreExactlyTheTriggerElements) {
  std::map<Address, int> want;
  Add(want, {42, 43}, {29}, 1);
  Add(want, {55}, {16}, 2);
  Add(want, {304}, {1}, 3);
  Add(want, {42, 43}, {10, 14, 16}, 4);
  Add(want, {42, 43}, {0, 2, 4, 6, 8, 26, 30, 32, 34, 36, 38, 60, 62}, 5);
  Add(want, {40, 41}, {6}, 6);
  Add(want, {38, 39}, {0}, 6);
  Add(want, {454}, {0}, 7);
  Add(want, {450, 451}, {0}, 8);
  Add(want, {304}, {5}, 9);
  Add(want, {304}, {0}, 10);
  Add(want, {38, 39}, {56}, 11);
  Add(want, {304}, {3}, 12);
  Add(want, {55}, Range(26, 38, 4), 13);
  Add(want, {55}, Range(46, 90, 4), 13);
  Add(want, {512}, {0, 52, 56, 76}, 14);
  for (const auto& [record, blocks] : ProcessBlocks())
    for (auto b : blocks) Add(want, {record}, {static_cast<std::uint16_t>(b + 4)}, 14);  // J12 speed of the block
  Add(want, {5, 304}, {9}, 15);
  for (const Row& r : kRows) {
    auto it = want.find({r.record, r.element});
    EXPECT_EQ(r.action, it == want.end() ? 0 : it->second) << Where(r);
  }
  // The actions run by the data-set initialisation sit where it calls them.
  EXPECT_EQ(Find(304, 1)->action, 3);
  EXPECT_EQ(Find(55, 26)->action, 13);
  EXPECT_EQ(Find(514, 4)->action, 14);
}

TEST(LayoutConsistency, ChecksAreTheListedElements) {
  std::map<Address, int> want;
  Add(want, {42, 43}, {0, 2, 4, 6, 8, 26, 27, 32, 34, 36, 38, 60}, 1);
  Add(want, {55}, {10, 12, 14}, 2);
  Add(want, {40, 41}, {0, 8}, 3);
  Add(want, {40, 41}, {9}, 4);
  Add(want, {38, 39}, {14, 32}, 5);
  Add(want, {53, 54}, Range(0, 22, 2), 6);
  Add(want, {53, 54}, {25, 28}, 6);
  Add(want, {48, 49}, Range(4, 30, 2), 6);
  Add(want, {53, 54}, {26}, 7);
  Add(want, {34, 35}, {10, 12}, 8);
  Add(want, {34, 35}, {14, 16, 28}, 9);
  Add(want, {34, 35}, {6, 8}, 10);
  Add(want, {34, 35}, {2, 4}, 11);
  Add(want, {34, 35}, {0}, 12);
  Add(want, {305}, {44, 45, 49, 52}, 13);
  Add(want, {38, 39}, {48, 50, 52}, 14);
  Add(want, {56}, {1}, 15);
  Add(want, {57, 58}, {1}, 16);
  Add(want, {57, 58}, {3}, 17);
  Add(want, {57, 58}, {22}, 18);
  Add(want, {57, 58}, {41}, 19);
  Add(want, {57, 58}, {60}, 20);
  Add(want, {15}, {4}, 21);
  Add(want, {317}, {0}, 22);
  Add(want, {55}, {18}, 23);
  Add(want, {40, 41}, {14, 17}, 26);
  Add(want, {38, 39}, {6, 8, 10, 12, 31}, 27);
  Add(want, {46, 47}, {0, 2, 4, 6}, 28);
  Add(want, {34, 35}, {40, 42}, 29);
  Add(want, {34, 35}, {38, 56}, 30);
  Add(want, {34, 35}, {29}, 31);
  Add(want, {512}, {48, 68}, 32);
  Add(want, {512}, {32, 36}, 33);
  Add(want, {512}, {77}, 34);
  Add(want, {512}, {72}, 35);
  Add(want, {512}, {71}, 36);
  Add(want, {512}, {60}, 37);
  Add(want, {40, 41}, {15}, 38);
  Add(want, {56}, {3}, 39);
  // The checks recognise a block by its offset; record 514's step elements at 176 sit where a block would.
  auto check_blocks = ProcessBlocks();
  check_blocks[514].push_back(176);
  for (const auto& [record, blocks] : check_blocks)
    for (auto b : blocks) {
      Add(want, {record}, {static_cast<std::uint16_t>(b + 19)}, 40);
      Add(want, {record}, {static_cast<std::uint16_t>(b + 21)}, 41);
      Add(want, {record}, {static_cast<std::uint16_t>(b + 16)}, 42);
    }
  Add(want, {34, 35}, {37}, 43);
  Add(want, {34, 35}, Range(44, 53), 44);
  Add(want, {46, 47}, {24, 26, 28, 30}, 45);
  Add(want, {46, 47}, {10, 14, 18, 20, 22, 40}, 46);
  Add(want, {46, 47}, {32}, 48);
  Add(want, {46, 47}, {34}, 49);
  Add(want, {304}, {2}, 50);
  Add(want, {40, 41}, {7, 11, 12}, 52);
  Add(want, {48, 49}, {34}, 52);
  Add(want, {55}, {43, 46, 50, 54, 58}, 53);
  Add(want, {53, 54}, {29}, 53);
  Add(want, {59, 60}, {4, 6, 8, 9, 17, 20}, 53);
  Add(want, {56}, {2}, 53);
  Add(want, {34, 35}, {23, 36}, 54);
  Add(want, {34, 35}, {58, 60}, 55);
  Add(want, {59, 60}, {0, 2}, 56);
  Add(want, {53, 54}, {24}, 57);
  Add(want, {42, 43}, {62}, 58);
  Add(want, {53, 54}, {32}, 59);
  Add(want, {34, 35}, {54}, 60);
  Add(want, {46, 47}, {9, 23}, 61);
  Add(want, {34, 35}, {66}, 62);
  Add(want, {46, 47}, {31, 36, 38, 44, 46}, 64);
  Add(want, {46, 47}, {42, 48}, 65);
  Add(want, {38, 39}, {61}, 66);
  Add(want, {53, 54}, {34}, 67);
  Add(want, {34, 35}, {62}, 68);
  Add(want, {46, 47}, {41}, 69);
  Add(want, {34, 35}, {63}, 70);
  Add(want, {59, 60}, {5, 14}, 71);
  Add(want, {59, 60}, {10, 12}, 72);
  Add(want, {59, 60}, {16, 19}, 73);
  Add(want, {59, 60}, {18}, 74);
  Add(want, {40, 41}, {16}, 75);
  Add(want, {38, 39}, {0}, 76);
  Add(want, {38, 39}, {4}, 77);
  Add(want, {38, 39}, {33, 34, 38, 47}, 78);
  Add(want, {34, 35}, {69}, 79);
  Add(want, {59, 60}, Range(21, 28), 80);
  Add(want, {59, 60}, {29, 30}, 81);
  Add(want, {59, 60}, {31}, 82);
  Add(want, {59, 60}, {32, 33}, 83);
  Add(want, {46, 47}, {50, 54, 56, 58, 59}, 84);
  Add(want, {512}, {129}, 85);
  Add(want, {55}, {78, 82, 86, 90}, 86);
  Add(want, {42, 43}, {10}, 87);
  Add(want, {42, 43}, {14, 16}, 88);
  Add(want, {34, 35}, {24, 25}, 89);
  Add(want, {512}, {86}, 90);
  Add(want, {5, 304}, {9}, 91);
  Add(want, {53, 54}, {35}, 92);
  Add(want, {34, 35}, {64}, 94);

  // Checks 25, 51 and 63 are bound by their count and the records they serve.
  const std::map<int, std::pair<int, std::set<std::uint16_t>>> counted = {
      {25, {95, {304, 55, 38, 39, 46, 47, 34, 35, 512, 514}}},
      {51, {178, {52, 55, 42, 43, 53, 54, 512, 514, 516, 518, 520}}},
      {63, {111, {55, 38, 39, 46, 47, 34, 35, 512, 520, 522}}}};
  std::map<int, int> count;
  std::map<int, std::set<std::uint16_t>> records;
  for (const Row& r : kRows) {
    auto it = want.find({r.record, r.element});
    if (counted.count(r.check)) {
      EXPECT_EQ(it, want.end()) << Where(r) << " belongs to a listed check";
      ++count[r.check];
      records[r.check].insert(r.record);
      continue;
    }
    EXPECT_EQ(r.check, it == want.end() ? 0 : it->second) << Where(r);
  }
  for (const auto& [check, expected] : counted) {
    EXPECT_EQ(count[check], expected.first) << "check " << check;
    EXPECT_EQ(records[check], expected.second) << "check " << check;
  }
}

TEST(LayoutConsistency, RangeFunctionsByParameterAndCount) {
  // Users of each range function: the parameter's element(s) where the program knows them, and the count.
  struct Use {
    int a;
    int count;
    std::vector<Address> at;
  };
  auto both = [](std::vector<std::uint16_t> recs, std::vector<std::uint16_t> elems) {
    std::vector<Address> v;
    for (auto r : recs)
      for (auto e : elems) v.push_back({r, e});
    return v;
  };
  const std::vector<Use> uses = {
      {5, 2, both({254, 251}, {61})}, {6, 2, both({254, 251}, {63})}, {7, 1, {{304, 1}}}, {8, 1, {{304, 5}}},
      {11, 1, {{55, 0}}}, {12, 3, both({42, 43, 348}, {2})}, {14, 3, both({42, 43, 348}, {4})},
      {15, 3, both({42, 43, 348}, {6})}, {16, 1, {{55, 10}}}, {17, 1, {{55, 12}}}, {18, 1, {{55, 16}}},
      {19, 3, both({42, 43, 348}, {29})}, {21, 1, {{55, 2}}}, {22, 34, both({48, 49}, Range(0, 32, 2))},
      {23, 2, both({34, 35}, {29})}, {24, 3, both({42, 43, 348}, {0})}, {25, 2, both({34, 35}, {26})},
      {26, 2, both({34, 35}, {24})}, {27, 1, {{55, 6}}}, {28, 18, both({34, 35}, {19, 20, 21, 22, 44, 45, 46, 47, 48})},
      {29, 8, both({59, 60}, {21, 22, 23, 24})}, {30, 2, both({34, 35}, {23})}, {31, 2, both({53, 54}, {24})},
      {32, 2, both({34, 35}, {25})}, {33, 12, {}}, {34, 2, both({46, 47}, {23})}, {35, 2, both({46, 47}, {9})},
      {36, 2, both({40, 41}, {15})}, {37, 2, both({40, 41}, {6})}, {38, 35, {}}, {39, 2, both({34, 35}, {54})},
      {40, 2, both({38, 39}, {56})}, {41, 1, {{304, 3}}}, {42, 2, both({40, 41}, {11})},
      {43, 4, both({40, 41}, {2, 4})}, {44, 4, both({34, 35}, {2})}, {45, 1, {{512, 52}}}, {46, 2, both({46, 47}, {6})},
      {47, 3, both({42, 43, 348}, {24})}, {48, 4, {}}, {49, 2, both({40, 41}, {9})}, {50, 2, both({34, 35}, {63})},
      {51, 1, {{55, 9}}}, {52, 2, both({40, 41}, {14})}, {55, 2, both({34, 35}, {62})}, {56, 2, both({59, 60}, {4})},
      {57, 2, both({46, 47}, {40})}, {58, 3, both({42, 43, 348}, {30})}, {59, 1, {{512, 86}}}, {60, 1, {{512, 69}}},
      {61, 2, {}}, {62, 4, both({34, 35}, {66})}, {63, 3, {}}, {64, 2, both({40, 41}, {10})}, {65, 1, {{55, 4}}},
      {66, 1, {}}};
  std::map<int, int> count;
  int numeric = 0;
  for (const Row& r : kRows)
    if (!IsString(r.type) && r.type != 14) {
      ++numeric;
      ++count[r.a];
    }
  EXPECT_EQ(numeric, 2684);
  EXPECT_EQ(count[0], 2063);
  EXPECT_EQ(count[1], 214);
  EXPECT_EQ(count[3], 136);
  EXPECT_EQ(count[53] + count[54], 47) << "B13 n-nominal, C10, C11 and the other speed limits";
  EXPECT_EQ(count[2] + count[4], 14) << "bounded pairs of the old parameter records";
  for (const Use& u : uses) {
    EXPECT_EQ(count[u.a], u.count) << "range function " << u.a;
    for (const auto& [record, element] : u.at) {
      const Row* r = Find(record, element);
      ASSERT_NE(r, nullptr);
      EXPECT_EQ(r->a, u.a) << Where(*r);
    }
  }
  // The block chain bytes use the block-number limits; the torque limits of 40/41 use pairs 56-59.
  for (const auto& [record, blocks] : ProcessBlocks())
    for (auto b : blocks) EXPECT_EQ(Find(record, static_cast<std::uint16_t>(b + 20))->a, 38);
  EXPECT_EQ(Find(40, 2)->b, 56);
  EXPECT_EQ(Find(40, 4)->b, 57);
  EXPECT_EQ(Find(41, 2)->b, 58);
  EXPECT_EQ(Find(41, 4)->b, 59);
}

TEST(LayoutConsistency, BoundedPairsOfTheOldParameterRecords) {
  struct Bound {
    std::uint16_t element;
    int pair254;
  };
  const std::vector<Bound> bounds = {{2, 13}, {4, 13}, {6, 13}, {8, 13}, {10, 15}, {12, 17}, {50, 19},
                                     {52, 21}, {61, 25}, {63, 28}, {83, 34}};
  for (const Bound& b : bounds) {
    EXPECT_EQ(Find(254, b.element)->b, b.pair254) << "254:" << b.element;
    EXPECT_EQ(Find(251, b.element)->b, b.pair254 + 1) << "251:" << b.element;
  }
  EXPECT_EQ(Find(254, 61)->a, 5);
  EXPECT_EQ(Find(254, 63)->a, 6);
  // The bounded pairs serve only these elements.
  std::set<int> bounded = {13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 25, 26, 28, 29, 34, 35};
  for (const Row& r : kRows)
    if (!IsString(r.type) && bounded.count(r.b) && !(r.a == 0 && r.b == 0)) {
      EXPECT_TRUE(r.record == 254 || r.record == 251) << Where(r);
    }
}

TEST(LayoutConsistency, DefaultStringsOfTheHeaderRecords) {
  EXPECT_EQ(Find(302, 2)->b, 4);   // "Projekt._ZPR"
  EXPECT_EQ(Find(300, 2)->b, 1);   // "ZPR-TOOL.EXE"
  EXPECT_EQ(Find(300, 19)->b, 2);  // "V 4.5 G Beta"
  EXPECT_EQ(Find(300, 41)->b, 3);  // "OK!"
  EXPECT_EQ(Find(300, 58)->b, 0);
  EXPECT_EQ(Find(300, 75)->b, 0);
  EXPECT_EQ(Find(15, 4)->a, 3);    // user name
  EXPECT_EQ(Find(15, 21)->a, 4);   // file name
  EXPECT_EQ(Find(15, 38)->a, 1);   // date
  EXPECT_EQ(Find(304, 12)->b, 0);  // no default string holds the old target version text: it starts blank
  EXPECT_EQ(Find(305, 62)->b, 14); // "PROTOKOL.TXT", the log file
  // Every process-block name text has its own default string.
  std::set<int> names;
  for (const Row& r : kRows)
    if (IsString(r.type) && r.b >= 16) names.insert(r.b);
  EXPECT_EQ(names.size(), 32u);
}

TEST(LayoutConsistency, DefaultImagesHoldValidValues) {
  // First record of each default-table row that has an image, and the records that share it.
  const std::map<std::uint16_t, std::vector<std::uint16_t>> images = {
      {4, {4}}, {254, {254, 251}}, {17, {17}}, {300, {300}}, {302, {302}}, {304, {304, 5}}, {305, {305}},
      {454, {454}}, {55, {55}}, {40, {40, 41}}, {38, {38, 39}}, {53, {53, 54}}, {48, {48, 49}}, {34, {34, 35}},
      {59, {59, 60}}, {56, {56}}, {57, {57, 58}}, {33, {33}}, {512, {512}}, {514, {514}}, {516, {516, 518}},
      {520, {520}}, {522, {522}}, {46, {46, 47}}, {458, {458}}};
  std::map<Address, long long> value;
  for (const DefaultValue& d : kDefaults) {
    ASSERT_TRUE(images.count(d.record)) << d.record << " has no default image of its own";
    const Row* r = Find(d.record, d.element);
    ASSERT_NE(r, nullptr) << d.record << ":" << d.element;
    EXPECT_TRUE(IsInteger(r->type) || r->type == 11 || r->type == 12) << Where(*r) << " is not a number";
    EXPECT_TRUE(value.emplace(Address{d.record, d.element}, d.value).second) << Where(*r) << " listed twice";
  }
  // Every number element of every image, listed or 0, fits its type and its range pair.
  for (const auto& [first, records] : images)
    for (auto record : records)
      for (const Row* r : RowsOf(record)) {
        if (!IsInteger(r->type)) continue;
        auto it = value.find({first, r->element});
        const long long v = it == value.end() ? 0 : it->second;
        const auto t = TypeRange(r->type);
        EXPECT_TRUE(v >= t.first && v <= t.second) << Where(*r) << " = " << v;
        if (r->a == 0 && r->b == 0) continue;
        const auto p = PairFor(r->b, r->type);
        EXPECT_TRUE(v >= p.first && v <= p.second) << Where(*r) << " = " << v << " outside pair " << int(r->b);
      }
  auto at = [&](std::uint16_t record, std::uint16_t element) {
    auto it = value.find({record, element});
    return it == value.end() ? 0LL : it->second;
  };
  EXPECT_EQ(at(4, 0), 'Q');
  EXPECT_EQ(at(4, 1), 22);
  EXPECT_EQ(at(300, 0), 4);
  EXPECT_EQ(at(300, 39), 85);
  EXPECT_EQ(at(302, 0), 17);
  EXPECT_EQ(at(304, 0), 1);
  EXPECT_EQ(at(304, 1), 55);
  EXPECT_EQ(at(304, 5), 'E');
  EXPECT_EQ(at(304, 8), 12);
  EXPECT_EQ(at(305, 160), 2000);
  // A link opens without a settings file: a baud index of the table, at least one log-in try, a reply wait.
  EXPECT_LE(at(305, 28), 3);
  EXPECT_GE(at(305, 30), 1);
  EXPECT_GT(at(305, 38), 0);
  // The CAN transmission types packed into 458:4 are valid (bytes 2 and 3 in 1..240 or 254).
  const long long can = at(458, 4);
  for (int shift : {16, 24}) {
    const long long byte = (can >> shift) & 0xFF;
    EXPECT_TRUE((byte >= 1 && byte <= 240) || byte == 254) << byte;
  }
}

TEST(LayoutConsistency, ReportsInventedRowsPerRecord) {
  std::ifstream in(std::string(ZPR_SOURCE_DIR) + "/model/data/layout.def");
  ASSERT_TRUE(in.good());
  std::map<int, std::pair<int, int>> per_record;  // record -> (invented, rows)
  std::vector<int> order;
  std::string line;
  int rows = 0;
  while (std::getline(in, line)) {
    if (line.rfind("LAYOUT_ROW(", 0) != 0) continue;
    ++rows;
    const int record = std::stoi(line.substr(11));
    const auto comment = line.find("//");
    ASSERT_NE(comment, std::string::npos) << "row without a parameter name: " << line;
    if (!per_record.count(record)) order.push_back(record);
    auto& c = per_record[record];
    ++c.second;
    const std::string text = line.substr(comment);
    if (text.size() >= 4 && text.compare(text.size() - 4, 4, " inv") == 0) ++c.first;
  }
  EXPECT_EQ(rows, 2819);
  std::ostringstream report;
  int invented = 0;
  for (int record : order) {
    const auto& c = per_record[record];
    invented += c.first;
    if (c.first) report << record << ":" << c.first << "/" << c.second << " ";
  }
  std::cout << "[ layout ] invented rows " << invented << " of " << rows << "; per record: " << report.str() << "\n";
}
