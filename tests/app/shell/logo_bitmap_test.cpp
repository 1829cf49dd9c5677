// The BMP reader: every supported format loads with its size, every damage the file can carry is refused with
// its line in the diagnostic text, the header report and its copy rules, and the centred paint position.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <future>
#include <functional>

#include "app/shell/logo_bitmap.h"
#include "platform/gdi/gdi.h"
#include "tests/app/bmp_builder.h"
#include "tests/app/service_fixture.h"

namespace {

using bmp_test::BmpShape;
using bmp_test::BuildBmp;
using bmp_test::Put32;

class LogoBitmapTest : public ::testing::Test {
 protected:
  void TearDown() override { app::BitmapFree(); }
  std::string Write(const std::vector<std::uint8_t>& bytes, const char* name = "logo.bmp") {
    const auto path = folder_.path() / name;
    bmp_test::WriteFile(path, bytes);
    return path.string();
  }
  service_test::TempFolder folder_;
};

struct GoodCase {
  const char* name;
  BmpShape shape;
  int width;
  int height;
};

class LoadsFormat : public LogoBitmapTest, public ::testing::WithParamInterface<GoodCase> {};

TEST_P(LoadsFormat, WithItsSizeAndTheLogLines) {
  const GoodCase& c = GetParam();
  const auto bytes = BuildBmp(c.shape);
  ASSERT_EQ(app::BitmapLoadFile(Write(bytes).c_str()), 0) << app::BitmapLog();
  EXPECT_EQ(app::BitmapWidth(), c.width);
  EXPECT_EQ(app::BitmapHeight(), c.height);
  char expected[256];
  std::snprintf(expected, sizeof expected,
                "File opened.\nReadFile-Success = 1. %zu Bytes readed\n"
                "BitmapFileheader: bfType=0x4D42; bfSize=0x%zX; bfOffBits=%u\n",
                bytes.size(), bytes.size(), bytes[10] | (bytes[11] << 8));
  EXPECT_EQ(app::BitmapLog(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Bmp, LoadsFormat,
    ::testing::Values(GoodCase{"bits1", {9, 5, 1}, 9, 5}, GoodCase{"bits4", {7, 3, 4}, 7, 3},
                      GoodCase{"bits8", {5, 4, 8}, 5, 4}, GoodCase{"bits24", {4, 3, 24}, 4, 3},
                      GoodCase{"bits32", {3, 2, 32}, 3, 2}, GoodCase{"top_down", {4, -6, 24}, 4, 6},
                      GoodCase{"core_header", {6, 2, 8, 12}, 6, 2}, GoodCase{"header64", {4, 3, 24, 64}, 4, 3},
                      GoodCase{"bitfields32", {3, 2, 32, 40, 3, 3}, 3, 2}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadCase {
  const char* name;
  std::function<void(std::vector<std::uint8_t>&)> damage;
  const char* last_line;  // the log's last line, "" when the refusal adds none
};

class RefusesDamage : public LogoBitmapTest, public ::testing::WithParamInterface<BadCase> {};

void SizeField(std::vector<std::uint8_t>& b) { Put32(b, 2, static_cast<std::uint32_t>(b.size())); }

TEST_P(RefusesDamage, WithALineAndNothingHeld) {
  auto bytes = BuildBmp({8, 4, 8});
  GetParam().damage(bytes);
  EXPECT_EQ(app::BitmapLoadFile(Write(bytes).c_str()), 1);
  const std::string& log = app::BitmapLog();
  const std::string last = log.substr(log.rfind('\n', log.size() - 2) + 1);
  if (*GetParam().last_line) {
    EXPECT_EQ(last, GetParam().last_line) << log;
  } else {
    EXPECT_EQ(last.rfind("ReadFile-Success = 1.", 0), 0u) << log;
  }
  EXPECT_EQ(app::BitmapPaint(nullptr, 0, 0, 100, 100, 1), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Bmp, RefusesDamage,
    ::testing::Values(
        BadCase{"size_off_by_one", [](auto& b) { Put32(b, 2, static_cast<std::uint32_t>(b.size() + 1)); }, ""},
        BadCase{"not_bm", [](auto& b) { b[1] = 'A'; }, ""},
        BadCase{"shorter_than_headers", [](auto& b) { b.resize(16); SizeField(b); }, ""},
        BadCase{"truncated_pixels", [](auto& b) { b.resize(b.size() - 3); SizeField(b); },
                "Pixel data beyond the end of the file: bfOffBits=1078, 32 Bytes needed\n"},
        BadCase{"offset_beyond_file", [](auto& b) { Put32(b, 10, 0x7FFFFFF0u); },
                "Pixel data beyond the end of the file: bfOffBits=2147483632, 32 Bytes needed\n"},
        BadCase{"offset_inside_header", [](auto& b) { Put32(b, 10, 20); },
                "Pixel data beyond the end of the file: bfOffBits=20, 32 Bytes needed\n"},
        BadCase{"header_beyond_file", [](auto& b) { Put32(b, 14, 0x10000); },
                "SizeOfHeader=65536 beyond the end of the file\n"},
        BadCase{"header_too_small", [](auto& b) { Put32(b, 14, 16); }, "SizeOfHeader=16 not readable\n"},
        BadCase{"palette_beyond_file", [](auto& b) { Put32(b, 46, 0x1000000); },
                "Color table beyond the end of the file\n"},
        BadCase{"huge_height", [](auto& b) { Put32(b, 22, 0x7FFFFFFF); },
                "Unsupported size: Width=8, Height=2147483647\n"},
        BadCase{"zero_width", [](auto& b) { Put32(b, 18, 0); }, "Unsupported size: Width=0, Height=4\n"},
        BadCase{"bit_count", [](auto& b) { b[28] = 7; }, "Unsupported format: BitCount=7, Compression=0\n"},
        BadCase{"rle", [](auto& b) { Put32(b, 30, 1); }, "Unsupported format: BitCount=8, Compression=1\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LogoBitmapTest, MissingFileSaysCreateFileFailed) {
  EXPECT_EQ(app::BitmapLoadFile((folder_.path() / "none.bmp").string().c_str()), 1);
  EXPECT_EQ(app::BitmapLog(), "CreateFile failed.\n");
}

// A FIFO or a folder named as the logo is no regular file: refused at once like a missing file, never waited on.
TEST_F(LogoBitmapTest, AFifoOrAFolderIsRefusedWithoutWaiting) {
  const auto fifo = folder_.path() / "logo.fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  auto load = std::async(std::launch::async, [&] { return app::BitmapLoadFile(fifo.c_str()); });
  if (load.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
    // Let the blocked reader go before failing, so the test ends.
    const int writer = open(fifo.c_str(), O_WRONLY);
    if (writer >= 0) close(writer);
    FAIL() << "the load waits for a writer of the FIFO";
  }
  EXPECT_EQ(load.get(), 1);
  EXPECT_EQ(app::BitmapLog(), "CreateFile failed.\n");
  EXPECT_EQ(app::BitmapLoadFile(folder_.path().c_str()), 1);
  EXPECT_EQ(app::BitmapLog(), "CreateFile failed.\n");
}

TEST_F(LogoBitmapTest, HeaderReportOfInfoCoreAndUnexpectedHeaders) {
  char text[2048];
  ASSERT_EQ(app::BitmapParseHeader(Write(BuildBmp({4, -3, 24})).c_str(), text, sizeof text), 0);
  EXPECT_NE(std::string(text).find("SizeOfHeader=BITMAPINFOHEADER\nWidth=4, Height=-3, BitCount=24, Compression=0, "
                                   "SizeImage=36, X-Pixels Per Meter=2835, Y-Pixels Per Meter=2835, Colors used=0, "
                                   "Colors importand=0\n"),
            std::string::npos)
      << text;
  ASSERT_EQ(app::BitmapParseHeader(Write(BuildBmp({6, 2, 8, 12})).c_str(), text, sizeof text), 0);
  EXPECT_NE(std::string(text).find("SizeOfHeader=BITMAPCOREHEADER\nSize=12, Width=6, Height=2, Planes=1, BitCount=8\n"),
            std::string::npos)
      << text;
  ASSERT_EQ(app::BitmapParseHeader(Write(BuildBmp({4, 3, 24, 64})).c_str(), text, sizeof text), 0);
  EXPECT_NE(std::string(text).find("SizeOfHeader=unerwartet 64 gross\n"), std::string::npos) << text;
}

TEST_F(LogoBitmapTest, ReportCopyRulesForSmallCapacities) {
  const std::string path = Write(BuildBmp({4, 3, 24}));
  char text[64];
  std::memset(text, '#', sizeof text);
  app::BitmapParseHeader(path.c_str(), text, 10);
  EXPECT_EQ(text[0], '#');  // nothing copied
  app::BitmapParseHeader(path.c_str(), text, 19);
  EXPECT_STREQ(text, "Text zu klein!");
  // The log fits only with its terminator: one byte more than its length.
  const std::size_t length = app::BitmapLog().size();
  std::vector<char> exact(length + 1, '#');
  EXPECT_EQ(app::BitmapGetLog(exact.data(), length), 1);
  EXPECT_EQ(app::BitmapGetLog(exact.data(), length + 1), 0);
  EXPECT_EQ(std::string(exact.data()), app::BitmapLog());
}

TEST_F(LogoBitmapTest, PaintsCentredWithTheFilesColours) {
  BmpShape shape{4, -2, 24};
  auto bytes = BuildBmp(shape);
  // Top row red, bottom row blue (stored top-down).
  const std::size_t off = bytes[10];
  for (int x = 0; x < 4; ++x) {
    bytes[off + 3 * x] = 0, bytes[off + 3 * x + 1] = 0, bytes[off + 3 * x + 2] = 255;
    bytes[off + 12 + 3 * x] = 255, bytes[off + 12 + 3 * x + 1] = 0, bytes[off + 12 + 3 * x + 2] = 0;
  }
  ASSERT_EQ(app::BitmapLoadFile(Write(bytes).c_str()), 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP canvas = CreateCompatibleBitmap(dc, 20, 10);
  SelectObject(dc, canvas);
  ASSERT_EQ(app::BitmapPaint(dc, 0, 0, 20, 10, 1), 0);
  // x = 10 - 2 = 8, y = 5 - 1 = 4.
  EXPECT_EQ(GetPixel(dc, 8, 4), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 11, 5), RGB(0, 0, 255));
  EXPECT_NE(GetPixel(dc, 7, 4), RGB(255, 0, 0));
  EXPECT_NE(GetPixel(dc, 8, 3), RGB(255, 0, 0));
  DeleteDC(dc);
  DeleteObject(canvas);
}

}  // namespace
