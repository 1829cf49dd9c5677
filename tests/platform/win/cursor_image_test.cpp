// Cursors with pictures of their own: text pictures turned into the two planes, refused pictures, LoadCursor of a
// module's resource (and of another module's), CreateCursor.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win/cursor.h"
#include "platform/win/cursor_image.h"

namespace {

using platform::win::CursorPicture;

// The picture's characters back from the planes.
std::vector<std::string> Redraw(const platform::win::CursorImage& image) {
  std::vector<std::string> rows;
  for (int y = 0; y < image.height; ++y) {
    std::string row;
    for (int x = 0; x < image.width; ++x) {
      const bool a = image.and_bit(x, y), b = image.xor_bit(x, y);
      row += a ? (b ? '~' : '.') : (b ? '-' : '#');
    }
    rows.push_back(row);
  }
  return rows;
}

TEST(CursorImageTest, PictureBecomesThePlanesPixelByPixel) {
  // 17 wide: the rows of the planes run past one 16-bit word.
  static constexpr const char* kRows[] = {"#-.~.............", "..#############-#", "~~~~~~~~~~~~~~~~-"};
  const auto image = platform::win::CursorImageFromPicture(CursorPicture{16, 2, kRows});
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 17);
  EXPECT_EQ(image->height, 3);
  EXPECT_EQ(image->stride(), 4);
  EXPECT_EQ(image->hot.x, 16);
  EXPECT_EQ(image->hot.y, 2);
  EXPECT_EQ(Redraw(*image), std::vector<std::string>(std::begin(kRows), std::end(kRows)));
  EXPECT_EQ(image->and_plane[0], 0x3F);  // "#-.~....": the see-through and inverted pixels
  EXPECT_EQ(image->xor_plane[0], 0x50);  // white and inverted
}

TEST(CursorImageTest, BadPicturesAreRefused) {
  static constexpr const char* kGood[] = {"#-", "-#"};
  static constexpr const char* kRagged[] = {"#-", "-"};
  static constexpr const char* kOther[] = {"#x", "-#"};
  static constexpr const char* kEmptyRow[] = {""};
  struct Case {
    const char* name;
    CursorPicture picture;
  };
  const Case cases[] = {
      {"no rows", CursorPicture{0, 0, {}}},
      {"empty row", CursorPicture{0, 0, kEmptyRow}},
      {"rows of two lengths", CursorPicture{0, 0, kRagged}},
      {"unknown character", CursorPicture{0, 0, kOther}},
      {"hot spot right of it", CursorPicture{2, 0, kGood}},
      {"hot spot below it", CursorPicture{0, 2, kGood}},
      {"hot spot left of it", CursorPicture{-1, 0, kGood}},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(platform::win::CursorImageFromPicture(c.picture)) << c.name;
    EXPECT_FALSE(platform::win::RegisterCursorResource(nullptr, MAKEINTRESOURCE(9000), c.picture)) << c.name;
  }
  EXPECT_TRUE(platform::win::CursorImageFromPicture(CursorPicture{1, 1, kGood}));
}

TEST(CursorImageTest, LoadCursorFindsTheModulesPicture) {
  static constexpr const char* kMine[] = {"#.", ".#"};
  static constexpr const char* kOthers[] = {"--", "--"};
  auto* mine = reinterpret_cast<HINSTANCE>(0x5100);
  auto* other = reinterpret_cast<HINSTANCE>(0x5200);
  ASSERT_TRUE(platform::win::RegisterCursorResource(mine, MAKEINTRESOURCE(270), CursorPicture{0, 0, kMine}));
  ASSERT_TRUE(platform::win::RegisterCursorResource(other, MAKEINTRESOURCE(270), CursorPicture{1, 1, kOthers}));
  ASSERT_TRUE(platform::win::RegisterCursorResource(other, "Pan", CursorPicture{0, 1, kOthers}));
  struct Case {
    const char* name;
    HINSTANCE instance;
    LPCSTR resource;
    std::vector<std::string> rows;  // empty: no picture
  };
  const Case cases[] = {
      {"own module", mine, MAKEINTRESOURCE(270), {"#.", ".#"}},
      {"the other module's own", other, MAKEINTRESOURCE(270), {"--", "--"}},
      {"a module without it finds another's", reinterpret_cast<HINSTANCE>(0x5300), "pan", {"--", "--"}},
      {"nobody registered it", mine, MAKEINTRESOURCE(271), {}},
      {"a stock cursor", nullptr, IDC_ARROW, {}},
  };
  for (const Case& c : cases) {
    const auto image = platform::win::CursorImageOf(LoadCursor(c.instance, c.resource));
    EXPECT_EQ(image ? Redraw(*image) : std::vector<std::string>{}, c.rows) << c.name;
  }
}

TEST(CursorImageTest, CreateCursorKeepsItsPlanesUntilDestroyed) {
  // 2 x 2 pixels, rows padded to 16 bits: AND 10 / 01, XOR 00 / 01 gives ".#" over "#~" mirrored.
  const unsigned char and_plane[] = {0x80, 0, 0x40, 0};
  const unsigned char xor_plane[] = {0x00, 0, 0x40, 0};
  HCURSOR made = CreateCursor(nullptr, 1, 0, 2, 2, and_plane, xor_plane);
  ASSERT_NE(made, nullptr);
  auto image = platform::win::CursorImageOf(made);
  ASSERT_TRUE(image);
  EXPECT_EQ(Redraw(*image), (std::vector<std::string>{".#", "#~"}));
  EXPECT_EQ(image->hot.x, 1);
  DestroyCursor(made);
  EXPECT_FALSE(platform::win::CursorImageOf(made));
  EXPECT_EQ(CreateCursor(nullptr, 2, 0, 2, 2, and_plane, xor_plane), nullptr);  // hot spot outside
  EXPECT_EQ(CreateCursor(nullptr, 0, 0, 2, 2, nullptr, xor_plane), nullptr);
  EXPECT_EQ(CreateCursor(nullptr, 0, 0, 0, 2, and_plane, xor_plane), nullptr);
}

}  // namespace
