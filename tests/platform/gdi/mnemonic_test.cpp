// Access keys in drawn text: DrawText underlines the marked character (one pixel under the base line, in the
// text colour), "&&" shows one "&", DT_NOPREFIX shows the marks as they are, a word-broken text keeps the
// underline with its character.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "canvas_fixture.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/mnemonic.h"

namespace {

using platform::gdi::testing::Canvas;

struct MnemonicCase {
  const char* marked;
  const char* shown;
  std::size_t key;  // npos: nothing underlined
};

constexpr std::size_t kNone = std::string::npos;
const MnemonicCase kCases[] = {
    {"&OK", "OK", 0},
    {"Save &as", "Save as", 5},
    {"&&", "&", kNone},
    {"ends with &", "ends with &", kNone},
    {"A && &B", "A & B", 4},
    {"&Hilfe &Info", "Hilfe Info", 0},  // the first mark counts
    {"", "", kNone},
};

TEST(MnemonicTest, StripMnemonicGivesTheShownTextAndTheMarkedCharacter) {
  for (const MnemonicCase& c : kCases) {
    const auto m = platform::gdi::StripMnemonic(c.marked);
    EXPECT_EQ(m.text, c.shown) << c.marked;
    EXPECT_EQ(m.mnemonic, c.key) << c.marked;
  }
}

class DrawTextMnemonicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LOGFONTA lf{};
    lf.lfHeight = 16;
    lf.lfWeight = FW_NORMAL;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    std::strncpy(lf.lfFaceName, "MS Sans Serif", LF_FACESIZE - 1);
    font_ = CreateFontIndirect(&lf);
    old_ = SelectObject(canvas_.dc(), font_);
    SetTextColor(canvas_.dc(), RGB(255, 0, 0));
    SetBkMode(canvas_.dc(), TRANSPARENT);
    GetTextMetrics(canvas_.dc(), &tm_);
  }
  void TearDown() override {
    SelectObject(canvas_.dc(), old_);
    DeleteObject(font_);
  }
  int Width(const std::string& s) {
    SIZE size{};
    GetTextExtentPoint32(canvas_.dc(), s.c_str(), static_cast<int>(s.size()), &size);
    return size.cx;
  }
  // The red run on the underline row of a line whose top is `top`: [first, last + 1); {0, 0} when none.
  std::pair<int, int> Underline(int top) {
    const std::string row = canvas_.Picture(0, top + tm_.tmAscent + 1, 160, top + tm_.tmAscent + 2)[0];
    const std::size_t first = row.find('r');
    if (first == std::string::npos) return {0, 0};
    return {static_cast<int>(first), static_cast<int>(row.find_last_of('r')) + 1};
  }
  Canvas canvas_{160, 60};
  HFONT font_ = nullptr;
  HGDIOBJ old_ = nullptr;
  TEXTMETRICA tm_{};
};

TEST_F(DrawTextMnemonicTest, TheMarkedCharacterIsUnderlinedAndTheMarksAreNotDrawn) {
  for (const MnemonicCase& c : kCases) {
    canvas_.Clear(RGB(255, 255, 255));
    RECT r{0, 0, 160, 30};
    DrawText(canvas_.dc(), c.marked, -1, &r, DT_LEFT | DT_TOP | DT_SINGLELINE);
    RECT calc{0, 0, 0, 0};
    DrawText(canvas_.dc(), c.marked, -1, &calc, DT_CALCRECT | DT_SINGLELINE);
    const std::string shown = c.shown;
    EXPECT_EQ(calc.right, Width(shown)) << c.marked;
    const auto line = Underline(0);
    if (c.key == kNone) {
      EXPECT_EQ(line, std::make_pair(0, 0)) << c.marked;
    } else {
      const int x0 = Width(shown.substr(0, c.key));
      EXPECT_EQ(line, std::make_pair(x0, x0 + Width(shown.substr(c.key, 1)))) << c.marked;
    }
  }
}

TEST_F(DrawTextMnemonicTest, NoPrefixShowsTheMarksAndUnderlinesNothing) {
  RECT r{0, 0, 160, 30};
  DrawText(canvas_.dc(), "&OK", -1, &r, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(Underline(0), std::make_pair(0, 0));
  RECT calc{0, 0, 0, 0};
  DrawText(canvas_.dc(), "&OK", -1, &calc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(calc.right, Width("&OK"));
}

TEST_F(DrawTextMnemonicTest, AWordBrokenTextUnderlinesTheKeyInItsLine) {
  const int width = Width("Den Vorrat");  // no descenders on the underline row
  RECT r{0, 0, width, 60};
  DrawText(canvas_.dc(), "Den Vorrat &trotzdem", -1, &r, DT_LEFT | DT_WORDBREAK);
  EXPECT_EQ(Underline(0), std::make_pair(0, 0));
  EXPECT_EQ(Underline(tm_.tmHeight), std::make_pair(0, Width("t")));
}

}  // namespace
