// Control ids of the control panel (dialog 185), the bit-mask dialog (226) and the measurement window (400).
#pragma once

namespace scope {

inline constexpr unsigned kPanelDialog = 185;
inline constexpr unsigned kBitMaskDialog = 226;

namespace panel {
inline constexpr int kSettings = 1001;        // hidden
inline constexpr int kColourFirst = 1002;     // .. 1009: channels 1..8
inline constexpr int kColourLast = 1009;
inline constexpr int kMarkerColour = 1010;
inline constexpr int kTraceDown = 1048;
inline constexpr int kTraceUp = 1049;
inline constexpr int kMarkerDown = 1051;      // value markers
inline constexpr int kMarkerUp = 1053;
inline constexpr int kScaleDown = 1059;
inline constexpr int kScaleUp = 1060;
inline constexpr int kTimeLeft = 1064;
inline constexpr int kTimeRight = 1065;
inline constexpr int kTimeScaleUp = 1066;
inline constexpr int kTimeScaleDown = 1067;
inline constexpr int kMarkerLeft = 1069;      // time markers
inline constexpr int kMarkerRight = 1071;
inline constexpr int kOptions = 1072;
inline constexpr int kMeasure = 1073;
inline constexpr int kSelectFirst = 1104;     // .. 1111: channels 1..8
inline constexpr int kSelectLast = 1111;
inline constexpr int kRadioA = 1127;
inline constexpr int kRadioB = 1128;
inline constexpr int kRadioBoth = 1129;
inline constexpr int kScaleText = 1289;
inline constexpr int kTimeText = 1290;
inline constexpr int kNameText = 1292;
inline constexpr int kGround = 1508;
inline constexpr int kInvert = 1511;
inline constexpr int kOff = 1515;
inline constexpr int kService = 1523;         // hidden
inline constexpr int kStairSteps = 1524;
inline constexpr int kMarkerShown = 1559;
inline constexpr int kMarkerSpin = 1762;
inline constexpr int kChannels = 8;
}  // namespace panel

namespace bitmask {
inline constexpr int kMaskText = 1406;
inline constexpr int kHex = 1125;
inline constexpr int kBin = 1126;
inline constexpr int kBinary = 1526;
inline constexpr int kBitFirst = 1527;  // .. 1558: bits 0..31
inline constexpr int kFrame = 1606;
}  // namespace bitmask

}  // namespace scope
