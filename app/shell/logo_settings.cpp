// The logo settings of section "Bitmaps" and the painting of the logo into the main window.
#include <array>

#include "app/documents/file_titles.h"
#include "app/shell/logo_bitmap.h"
#include "app/shell/main_window.h"
#include "model/device_identity.h"
#include "model/settings_ini.h"
#include "platform/sys/module_path.h"
#include "platform/sys/private_profile.h"

namespace app {
namespace {

constexpr std::uint8_t kFamilyKlx = 3;
constexpr std::uint8_t kFamilyQwm = 2;
constexpr DWORD kNameCapacity = 1025;

LogoBitmapSettings g_settings;

std::string ReadName(const char* key, const char* ini) {
  std::array<char, kNameCapacity> value{};
  GetPrivateProfileStringA("Bitmaps", key, kDefaultLogoName, value.data(), kNameCapacity, ini);
  const std::string name = value.data();
  if (!name.empty() && name.front() == '/') return name;
  std::string path = platform::sys::ExecutableDirectory();
  path += '/';
  path += name;
  return path;
}

}  // namespace

int LoadLogoBitmapSettings() {
  g_settings = LogoBitmapSettings{};
  std::array<char, kNameCapacity> ini{};
  if (model::MakeSettingsIniPath(nullptr) != model::kSettingsDone ||
      model::GetSettingsIniPath(ini.data(), kNameCapacity) != model::kSettingsDone) {
    return 1;
  }
  g_settings.mode = static_cast<int>(GetPrivateProfileIntA("Bitmaps", "Mode", 0, ini.data()));
  g_settings.zpr = ReadName("BitmapZpr", ini.data());
  g_settings.klx = ReadName("BitmapKlx", ini.data());
  g_settings.qwm = ReadName("BitmapQwm", ini.data());
  return 0;
}

const LogoBitmapSettings& LogoSettings() { return g_settings; }

const std::string& LogoFileForFamily(std::uint8_t family) {
  if (family == kFamilyKlx) return g_settings.klx;
  if (family == kFamilyQwm) return g_settings.qwm;
  return g_settings.zpr;
}

void MainOnPaint(HWND main) {
  RECT client{};
  if (g_settings.mode == 0 || !GetClientRect(main, &client)) {
    ValidateRect(main, nullptr);
    return;
  }
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(main, &ps);
  BitmapReset();
  if (BitmapLoadFile(LogoFileForFamily(model::GetDeviceFamily(GetActiveFile())).c_str()) == 0) {
    BitmapPaint(dc, client.left, client.top, client.right, client.bottom, 1);
  }
  EndPaint(main, &ps);
  BitmapFree();
}

}  // namespace app
