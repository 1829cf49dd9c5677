// The master's telegrams as they go on the line and the display-code conversion.
#include "handheld/trevant/telegrams.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "handheld/trevant/display_line.h"

namespace trevant {
namespace {

using Bytes = std::vector<std::uint8_t>;

template <class T>
Bytes B(const T& t) {
  return Bytes(t.begin(), t.end());
}

// A request frame holds together: STX, LEN counting what follows it, BCC the XOR of the bytes before it.
bool Framed(const Bytes& t) {
  std::uint8_t x = 0;
  for (const std::uint8_t b : t) x ^= b;
  return t.size() >= 9 && t[0] == 0x02 && t[1] + 2u == t.size() && x == 0;
}

TEST(TelegramsTest, EveryTelegramIsFramedAndCarriesItsParameter) {
  const struct {
    const char* name;
    Bytes bytes;
    std::uint8_t type;
    std::uint16_t parameter, sub;
  } telegrams[] = {
      {"start", B(kStart), 5, 50, 35},          {"read display", B(kReadDisplay), 6, 50, 0},
      {"read job", B(kReadJob), 6, 1026, 0},    {"clear job", B(kClearJob), 5, 1026, 0},
      {"job done", B(kJobDone), 5, 1026, 1},    {"apply baud", B(kApplyBaud), 5, 13, 8},
      {"key", B(KeyTelegram(9)), 5, 50, 34},    {"set baud", B(SetBaudTelegram(3)), 5, 14, 8},
      {"text table", B(TextTableTelegram()), 7, 1028, 0},
  };
  for (const auto& t : telegrams) {
    EXPECT_TRUE(Framed(t.bytes)) << t.name;
    EXPECT_EQ(t.bytes[3], t.type) << t.name;
    EXPECT_EQ(t.bytes[4] << 8 | t.bytes[5], t.parameter) << t.name;
    EXPECT_EQ(t.bytes[6] << 8 | t.bytes[7], t.sub) << t.name;
  }
  EXPECT_TRUE(Framed(B(kProbe)));
  EXPECT_EQ(B(kProbe), (Bytes{0x02, 0x0A, 0x40, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x48}));
}

TEST(TelegramsTest, KeyBaudAndTextTableBytes) {
  for (const std::uint8_t key : {0, 1, 5, 13}) EXPECT_EQ(KeyTelegram(key)[9], key ^ 0x1F) << int(key);
  const struct {
    std::uint32_t baud;
    std::uint8_t bcc;
  } bauds[] = {{4800, 0x09}, {9600, 0x08}, {19200, 0x0B}, {38400, 0x0A}};
  for (const auto& b : bauds) {
    const int code = BaudCode(b.baud);
    ASSERT_GE(code, 0) << b.baud;
    const auto t = SetBaudTelegram(static_cast<std::uint8_t>(code));
    EXPECT_EQ(t[8], code);
    EXPECT_EQ(t[9], b.bcc) << b.baud;
  }
  EXPECT_EQ(BaudCode(115200), -1);
  const auto table = TextTableTelegram();
  EXPECT_EQ(table.size(), 128u);
  EXPECT_EQ(table[1], 0x7E);
  for (int n = 0; n < 7; ++n) {
    const std::string text(table.begin() + 8 + 17 * n, table.begin() + 8 + 17 * (n + 1));
    EXPECT_EQ(text, std::string("Fehler !   ") + std::string(6, '\0')) << n;
  }
}

TEST(TelegramsTest, ReplyFramesAreCheckedWhole) {
  const Bytes ok = {0x02, 0x03, 0x00, 0x00, 0x01};
  const struct {
    Bytes reply;
    bool intact;
  } cases[] = {
      {ok, true},
      {{0x02, 0x03, 0x00, 0x13, 0x12}, true},
      {{0x02, 0x03, 0x00, 0x00, 0x02}, false},        // BCC
      {{0x03, 0x03, 0x00, 0x00, 0x02}, false},        // no STX
      {{0x02, 0x04, 0x00, 0x00, 0x01}, false},        // LEN counts more than came
      {{0x02, 0x02, 0x00, 0x00}, false},              // too short for a status
  };
  for (const auto& c : cases) EXPECT_EQ(ReplyIntact(c.reply), c.intact);
}

TEST(DisplayLineTest, CodesBecomeTheShownText) {
  const struct {
    Bytes line;
    std::string shown;
  } cases[] = {
      {{'A', 'b', 'c'}, "Abc"},
      {{0x8A, 'p', '~', 'x'}, "Sp x"},
      {{0x02, 0x0A, 0x03, 0x0B, 0x8B, 0x04, 0x0C, 0x8C}, "SSDDDBBB"},
      {{0x05, 0x06, 0x0D, 0x0E, 0x8D, 0x8E, 0x07, 0x0F, 0x8F}, "\xB2\xB2\xB2\xB2\xB2\xB2LLL"},
      {{'a', 0x01, 'b'}, "a"},
      {{'a', 0x08, 'b'}, "a"},
      {{'a', 0x09, 'b'}, "a"},
      {{'a', 0x88, 'b'}, "a"},
      {{'a', 0x89, 'b'}, "a"},
      {{0x00, 'b'}, ""},
      {{0x10, 0x7F, 0x80, 0xFF}, "\x10\x7F\x80\xFF"},
      {Bytes(17, 'x'), std::string(17, 'x')},
  };
  for (const auto& c : cases) {
    std::array<std::uint8_t, kDisplayLineLength> line{};
    std::copy(c.line.begin(), c.line.end(), line.begin());
    EXPECT_EQ(ConvertDisplayLine(line), c.shown);
  }
}

}  // namespace
}  // namespace trevant
