// The logo in the main window: chosen by the active file's device family from the settings, drawn centred in
// the client area at every paint; none with mode 0. The PNG of the window is left in the test folder.
#include <gtest/gtest.h>

#include "app/shell/logo_bitmap.h"
#include "app/shell/status_line.h"
#include "model/value_converters.h"
#include "model/data_set.h"
#include "model/descriptor.h"
#include "model/element_access.h"
#include "platform/backend/capture.h"
#include "tests/app/shell_fixture.h"

namespace shell_test {
namespace {

// The band colour of each shipped logo, and a point of the band left of the ring.
struct LogoCase {
  const char* name;
  const char* mode;
  COLORREF band;  // CLR_INVALID: no logo
};

class LogoTest : public ShellTest, public ::testing::WithParamInterface<LogoCase> {};

TEST_P(LogoTest, PaintsTheLogoOfTheFamilyCentred) {
  const std::string logos = std::string(ZPR_SOURCE_DIR) + "/app/logos/";
  WriteIni(std::string("[Bitmaps]\nMode=") + GetParam().mode + "\nBitmapZpr=" + logos +
           "VANDRO2.BMP\nBitmapKlx=KLX4.BMP\nBitmapQwm=QWM4.BMP\n");
  COLORREF at_band = 0, at_corner = 0;
  Run({[&] {
    HWND main = Main();
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    drv::PumpUntilIdle();
    RECT client;
    GetClientRect(main, &client);
    // The 240 x 96 logo centred; its band starts 8 pixels inside, the ring's left edge is at x = 18.
    const int left = client.right / 2 - 120;
    const int top = client.bottom / 2 - 48;
    at_band = platform::backend::WindowPixel(main, left + 12, top + 12);
    at_corner = platform::backend::WindowPixel(main, left + 2, top + 2);
    const auto png = std::filesystem::path(::testing::TempDir()) / (std::string("main_window_") + GetParam().name + ".png");
    EXPECT_TRUE(platform::backend::SaveWindowPng(main, png.string(), true));
  }});
  if (GetParam().band == CLR_INVALID) {
    EXPECT_EQ(at_band, at_corner);  // nothing drawn
  } else {
    EXPECT_EQ(at_band, GetParam().band);
    EXPECT_EQ(at_corner, RGB(255, 255, 255));
  }
}

INSTANTIATE_TEST_SUITE_P(Families, LogoTest,
                         ::testing::Values(LogoCase{"zpr", "1", RGB(20, 60, 140)},
                                           LogoCase{"off", "0", CLR_INVALID}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LogoFiles, FamilyChoosesTheFileAndRelativeNamesLieBesideTheProgram) {
  service_test::TempFolder folder;
  platform::sys::SetExecutablePathOverride((folder.path() / "vqpt32").string());
  std::ofstream(folder.path() / "vqpt32.ini") << "[Bitmaps]\nMode=2\nBitmapKlx=k.bmp\nBitmapQwm=/abs/q.bmp\n";
  ASSERT_EQ(app::LoadLogoBitmapSettings(), 0);
  EXPECT_EQ(app::LogoSettings().mode, 2);
  EXPECT_EQ(app::LogoFileForFamily(3), (folder.path() / "k.bmp").string());
  EXPECT_EQ(app::LogoFileForFamily(2), "/abs/q.bmp");
  EXPECT_EQ(app::LogoFileForFamily(1), (folder.path() / "VANDRO2.BMP").string());
  EXPECT_EQ(app::LogoFileForFamily(0), (folder.path() / "VANDRO2.BMP").string());
  platform::sys::SetExecutablePathOverride(std::nullopt);
}

// The family list of the P page names each family as its logo does (Bitmap<Name>), and every device type the
// family offers (the limits of "P00 device-type" for it) carries that name.
TEST(LogoFiles, TheFamilyListAgreesWithTheLogosAndTheDeviceTypes) {
  service_test::TempFolder folder;
  platform::sys::SetExecutablePathOverride((folder.path() / "vqpt32").string());
  std::ofstream(folder.path() / "vqpt32.ini") << "[Bitmaps]\nMode=1\nBitmapZpr=ZPR\nBitmapKlx=KLX\nBitmapQwm=QWM\n";
  ASSERT_EQ(app::LoadLogoBitmapSettings(), 0);
  platform::sys::SetExecutablePathOverride(std::nullopt);
  const model::ParameterDescriptor* families = model::FindDescriptor(304, 0);
  const model::ParameterDescriptor* types = model::FindDescriptor(304, 1);
  ASSERT_NE(families, nullptr);
  ASSERT_NE(types, nullptr);
  for (std::uint8_t family = 1; family <= 3; ++family) {
    SCOPED_TRACE(int(family));
    const std::string text = families->texts[family + 1];
    const std::string name = text.substr(text.find(':') + 1);
    EXPECT_EQ(app::LogoFileForFamily(family), (folder.path() / name).string()) << text;
    ASSERT_EQ(model::InitDataSet(1), 0);
    ASSERT_EQ(model::WriteElement(304, 0, &family, model::kModeRaw, 1), 0);
    std::uint8_t low = 0, high = 0;  // the element is a byte
    ASSERT_EQ(model::GetElementLowerLimit(304, 1, &low, model::kModeRaw, 1), 0);
    ASSERT_EQ(model::GetElementUpperLimit(304, 1, &high, model::kModeRaw, 1), 0);
    // The list shows a type at its position, and its text names the type: "13:ZPR55 3.5A 400V" for type 55.
    for (int type = low; type <= high; ++type) {
      const int position = model::DeviceTypeToPosition()[type];
      if (model::PositionToDeviceType()[position] != type) continue;  // a type the range refuses (42, 44, 54)
      const std::string offered = types->texts[position + 1];
      EXPECT_EQ(offered.find(std::to_string(position) + ":" + name + std::to_string(type) + " "), 0u) << offered;
    }
  }
}

}  // namespace
}  // namespace shell_test
