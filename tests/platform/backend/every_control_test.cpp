// The dialog with every control kind, rendered headless at the layer's fixed metrics: held against the golden
// picture tests/platform/backend/golden/every_control.png (each run writes its picture to
// build/test-output/controls; ZPR_UPDATE_GOLDEN=1 makes it the new golden), and with the combo list open.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/backend/capture.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/sys_colors.h"
#include "platform/testing/driver.h"
#include "platform/win/input.h"
#include "tests/platform/backend/every_control_dialog.h"

namespace {

namespace fs = std::filesystem;
namespace drv = platform::testing;

// Compares a picture with its golden; the picture is written beside the build either way.
void ExpectGolden(const platform::gdi::Surface& picture, const char* name) {
  const fs::path out_dir = fs::path(ZPR_BIN_DIR).parent_path() / "test-output" / "controls";
  fs::create_directories(out_dir);
  const std::string file = std::string(name) + ".png";
  ASSERT_TRUE(picture.WritePng((out_dir / file).string()));
  const fs::path golden = fs::path(ZPR_SOURCE_DIR) / "tests" / "platform" / "backend" / "golden" / file;
  const char* update = std::getenv("ZPR_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    fs::create_directories(golden.parent_path());
    ASSERT_TRUE(picture.WritePng(golden.string()));
    return;
  }
  cairo_surface_t* expected = cairo_image_surface_create_from_png(golden.string().c_str());
  ASSERT_EQ(cairo_surface_status(expected), CAIRO_STATUS_SUCCESS) << "no golden " << golden;
  cairo_surface_flush(expected);
  ASSERT_EQ(cairo_image_surface_get_width(expected), picture.width());
  ASSERT_EQ(cairo_image_surface_get_height(expected), picture.height());
  const unsigned char* data = cairo_image_surface_get_data(expected);
  const int stride = cairo_image_surface_get_stride(expected);
  int differing = 0;
  for (int y = 0; y < picture.height(); ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < picture.width(); ++x) differing += (row[x] & 0xFFFFFF) != picture.Pixel(x, y);
  }
  cairo_surface_destroy(expected);
  EXPECT_EQ(differing, 0) << name << ": see " << (out_dir / file);
}

class EveryControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    everycontrol::g_draw_items = 0;
    dialog_ = CreateDialogIndirectParam(nullptr, &everycontrol::kDialog, nullptr, everycontrol::Proc, 0);
    ASSERT_TRUE(dialog_);
    drv::AddModelessDialog(dialog_);
    drv::PumpUntilIdle();
  }
  HWND Item(int id) { return GetDlgItem(dialog_, id); }
  drv::Session session_;
  HWND dialog_ = nullptr;
};

TEST_F(EveryControlTest, TheDialogLooksAsItsGolden) {
  auto shot = platform::backend::CaptureWindow(dialog_, true);
  ASSERT_TRUE(shot);
  ExpectGolden(*shot, "every_control");
  // The owner-drawn button was drawn by its parent.
  EXPECT_GE(everycontrol::g_draw_items, 1);
}

TEST_F(EveryControlTest, TheOpenComboListLooksAsItsGolden) {
  SetFocus(Item(everycontrol::kCombo));
  drv::PressKey(VK_F4);
  drv::PumpUntilIdle();
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetComboBoxInfo(Item(everycontrol::kCombo), &info));
  auto list = platform::backend::CaptureWindow(info.hwndList, true);
  ASSERT_TRUE(list);
  ExpectGolden(*list, "every_control_combo_list");
}

TEST_F(EveryControlTest, OwnerDrawGetsTheButtonsStateAndAColourMappedBitmapKeepsItsOtherColours) {
  HWND owner = Item(everycontrol::kOwnerDraw);
  RECT r{};
  GetClientRect(owner, &r);
  EXPECT_EQ(platform::backend::WindowPixel(owner, r.right / 2, r.bottom / 2), everycontrol::g_owner_colour);
  everycontrol::g_owner_colour = RGB(255, 0, 0);
  InvalidateRect(owner, nullptr, TRUE);
  drv::PumpUntilIdle();
  EXPECT_EQ(platform::backend::WindowPixel(owner, r.right / 2, r.bottom / 2), RGB(255, 0, 0));
  everycontrol::g_owner_colour = RGB(0, 128, 255);
  // The picture's magenta became the face colour; its red disc stayed.
  HWND picture = Item(everycontrol::kPicture);
  EXPECT_EQ(platform::backend::WindowPixel(picture, 0, 0), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(platform::backend::WindowPixel(picture, 8, 8), RGB(255, 0, 0));
}

}  // namespace
