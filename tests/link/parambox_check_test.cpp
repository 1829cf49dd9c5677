// The head checks before writing (mode 0), before reading (mode 1) and before re-formatting (mode 2), on
// boxes read into data set 0.
#include "model/record_layout.h"
#include "tests/link/parambox_fixture.h"

namespace ilink_test {
namespace {

struct BoxSide {
  std::uint8_t format = 2, valid = 0x55;
  std::uint8_t family = 1, type = 42, board = 0, positioning = 0;
  std::uint8_t letter = 'Q';
  bool by_tool = false;
};
struct Target {
  std::uint8_t type = 42, board = 0, positioning = 0, letter = 'E';
};

class BoxCheck : public BoxOnFake {
 protected:
  void SetUp() override {
    BoxOnFake::SetUp();
    Open();
  }
  // Reads a box of that description into set 0 with that target and runs the check.
  std::uint8_t Check(std::uint8_t mode, const BoxSide& b, const Target& t = {}) {
    BoxImage image(b.format, b.valid);
    image.Add(4, {b.letter, 22});
    Bytes r5(model::RecordSize(5), 0);
    r5[0] = b.family;
    r5[1] = b.type;
    r5[3] = b.board;
    r5[9] = b.positioning;
    image.Add(5, r5);
    if (b.by_tool) image.Add(304, Bytes(model::RecordSize(304), 0));
    Load(image.Finish());
    ilink::ReadParameterBox(0);
    PutRaw<std::uint8_t>(304, 1, t.type);
    PutRaw<std::uint8_t>(304, 3, t.board);
    PutRaw<std::uint8_t>(304, 9, t.positioning);
    PutRaw<std::uint8_t>(304, 5, t.letter);
    return ilink::CheckParameterBoxHead(mode, nullptr, 0);
  }
};

TEST_F(BoxCheck, BeforeWriting) {
  struct Case {
    const char* what;
    BoxSide box;
    Target target;
    std::uint8_t result;
  };
  auto letters = [](std::uint8_t target, std::uint8_t box) {
    BoxSide b;
    b.letter = box;
    Target t;
    t.letter = target;
    return std::pair{b, t};
  };
  const std::pair<std::pair<std::uint8_t, std::uint8_t>, std::uint8_t> windows[] = {
      {{'@', '@'}, 0}, {{'@', 'A'}, 9}, {{'@', '3'}, 8}, {{'A', 'A'}, 0}, {{'A', '@'}, 8}, {{'B', 'C'}, 0},
      {{'B', 'D'}, 0}, {{'B', 'E'}, 9}, {{'B', 'A'}, 8}, {{'C', 'F'}, 0}, {{'C', 'I'}, 9}, {{'D', 'H'}, 0},
      {{'D', 'F'}, 8}, {{'E', 'J'}, 0}, {{'E', 'Q'}, 0}, {{'E', 'R'}, 9}, {{'E', 'I'}, 8}, {{'Z', 'E'}, 0},
      {{'Z', 'F'}, 9}, {{'3', '3'}, 0},
  };
  for (const auto& [pair, result] : windows) {
    const auto [b, t] = letters(pair.first, pair.second);
    EXPECT_EQ(Check(0, b, t), result) << "target " << pair.first << " box " << pair.second;
  }
  const Case cases[] = {
      {"positioning module", {.format = 5}, {}, 12},
      {"old format", {.format = 1}, {}, 2},
      {"written by the tool", {.by_tool = true}, {}, 3},
      {"invalid", {.valid = 0}, {}, 4},
      {"family 0", {.family = 0}, {}, 5},
      {"family 4", {.family = 4}, {}, 5},
      {"type 98", {.type = 98}, {.type = 98}, 5},
      {"type 66", {.type = 66}, {.type = 66}, 5},
      {"type 80", {.type = 80}, {.type = 80}, 5},
      {"type 70", {.type = 70}, {.type = 70}, 0},
      {"other type", {.type = 41}, {}, 6},
      {"positioning missing", {.family = 3, .positioning = 0}, {.positioning = 1}, 10},
      {"positioning there", {.family = 3, .positioning = 1}, {.positioning = 1}, 0},
      {"positioning family 1", {.family = 1}, {.positioning = 1}, 0},
      {"boards 1 and 2", {.board = 1}, {.board = 2}, 7},
      {"boards 0 and 3", {.board = 0}, {.board = 3}, 0},
      {"boards 3 and 0", {.board = 3}, {.board = 0}, 0},
      {"boards 2 and 2", {.board = 2}, {.board = 2}, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(Check(0, c.box, c.target), c.result) << c.what;
}

TEST_F(BoxCheck, BeforeReading) {
  struct Case {
    const char* what;
    BoxSide box;
    std::uint8_t result;
  };
  const Case cases[] = {
      {"old format", {.format = 1}, 12},
      {"invalid", {.valid = 0}, 13},
      {"family 0", {.family = 0}, 14},
      {"type 98", {.type = 98}, 15},
      {"type 66 is in the table", {.type = 66}, 0},
      {"family 1 older", {.family = 1, .letter = 'I'}, 16},
      {"family 2 older", {.family = 2, .letter = 'O'}, 16},
      {"family 3 older", {.family = 3, .letter = 'I'}, 0},
      {"newer", {.family = 3, .letter = 'R'}, 17},
      {"current", {.family = 1, .letter = 'Q'}, 0},
      {"P", {.family = 2, .letter = 'P'}, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(Check(1, c.box), c.result) << c.what;
}

TEST_F(BoxCheck, APositioningModuleBecomesQ) {
  EXPECT_EQ(Check(1, {.format = 5, .letter = 'I'}), ilink::kBoxWarnPositioningModule);
  EXPECT_EQ(GetRaw<std::uint8_t>(4, 0), 'Q');
}

TEST_F(BoxCheck, FromJOnTheUserListFlagsAreCleared) {
  for (std::uint16_t r = 341; r <= 345; ++r) PutRaw<std::uint8_t>(r, 0, 1);
  Check(1, {.letter = 'I'});
  EXPECT_EQ(GetRaw<std::uint8_t>(341, 0), 1);
  Check(1, {.letter = 'J'});
  for (std::uint16_t r = 341; r <= 345; ++r) EXPECT_EQ(GetRaw<std::uint8_t>(r, 0), 0) << r;
}

TEST_F(BoxCheck, ReformattingAndTheFlag) {
  EXPECT_EQ(Check(2, {.format = 1}), ilink::kBoxWarnAlreadyOld);
  EXPECT_EQ(Check(2, {.format = 2}), ilink::kBoxWarnNone);
  Check(2, {.by_tool = true});
  std::uint8_t flag = 0;
  ilink::CheckParameterBoxHead(2, &flag, 0);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(ilink::CheckParameterBoxHead(0, &flag, 9), ilink::kBoxWarnDataSet);
}

}  // namespace
}  // namespace ilink_test
