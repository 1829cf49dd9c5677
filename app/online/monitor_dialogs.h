// The online monitor windows: seven modeless windows that show what the cyclic poll read into the active
// file's data set (refilled on WM_MONITOR_UPDATE), the drive monitor's three bar gauges, and the modal dialog
// that chooses whether the polled values go into the value log.
#pragma once

#include <array>
#include <cstdint>

#include "app/common/shell_state.h"
#include "app/drawing/instruments.h"
#include "platform/win/win.h"

namespace app {

// What a control of a row shows when its value did not arrive whole from the inverter.
inline constexpr char kInvalidValueText[] = "invalid";

// Each raises the open window or creates it modeless on the main window.
void OpenDriveMonitor();
void OpenControlInterfaceMonitor();
void OpenProcessDataMonitor();
void OpenPositioningMonitor();
void OpenFieldbusMonitor();
void OpenStatusBitsMonitor();   // from the fieldbus monitor's button 4
void OpenControlBitsMonitor();  // from the fieldbus monitor's button 6

// Template 34: the protocol state chosen (1 OK, 2 Cancel, 3 start a new protocol, 4 complete an input); it is
// also kept as the shell's protocol state for the poll.
std::uint8_t OpenProtocolMonitorValuesDialog(HWND owner);

// Menu commands: 2090-2093 and 2098 open the monitors, 2094 the protocol dialog.
void CommandOpenMonitor(HWND main, UINT id);
void CommandProtocolMonitorValues(HWND main, UINT id);

// The drive monitor's bars (valid while the window is open) and the scale mode their ranges were set for.
inline constexpr std::uint8_t kUnknownScaleMode = 255;
struct DriveBars {
  bool valid = false;
  std::uint8_t scale_mode = kUnknownScaleMode;
  std::array<BarGaugeRecord, 3> bars{};
};
const DriveBars& DriveMonitorBars();

}  // namespace app
