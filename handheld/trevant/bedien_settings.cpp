// The settings file: the port, Optimierung and the two time-outs, read at the start and written back.
#include "handheld/trevant/bedien.h"

namespace trevant {

namespace {

constexpr const char* kKeyCom = "ComNummer";
constexpr const char* kKeyOptimierung = "Optimierung";
constexpr const char* kKeyTimeoutScan = "TimeOut_Scan";
constexpr const char* kKeyTimeoutRun = "TimeOut_Run";
// A time-out beyond this is taken for a typing error: the loop would look dead for minutes.
constexpr int kTimeoutMax = 60000;

int Timeout(const TIniFile& ini, const char* key, int def) {
  const int v = ini.ReadInteger(kSettingsSection, key, def);
  return v > 0 && v <= kTimeoutMax ? v : def;
}

}  // namespace

void TBedien_::LoadSettings() {
  const TIniFile ini(settings_path_);
  // Every port the panel offers is taken; any other number leaves COM1.
  const int com = ini.ReadInteger(kSettingsSection, kKeyCom, 1);
  optimierung_ = ini.ReadInteger(kSettingsSection, kKeyOptimierung, 0) != 0;
  timeout_scan_ = Timeout(ini, kKeyTimeoutScan, kDefaultTimeoutScan);
  timeout_run_ = Timeout(ini, kKeyTimeoutRun, kDefaultTimeoutRun);
  port_.SetComNumber(com >= 1 && com <= kComCount ? com : 1);
  ShowSelection(port_.ComNumber());
  SaveSettings();
}

void TBedien_::SaveSettings() {
  if (settings_path_.empty()) return;
  TIniFile ini(settings_path_);
  try {
    ini.WriteInteger(kSettingsSection, kKeyCom, pending_com_ != 0 ? pending_com_ : port_.ComNumber());
    ini.WriteInteger(kSettingsSection, kKeyOptimierung, optimierung_ ? 1 : 0);
  } catch (const EIniFileException&) {
    // A folder the user may not write to: the panel works on with the settings it has.
  }
}

}  // namespace trevant
