// Dialog templates 30 (remote control by the control word) and 77 (remote control by the exchange of record 306).
#pragma once

#include "platform/win/win.h"

namespace app {

inline constexpr int kRemoteTemplate = 30;
// The run bound to list 3: reference value, enable, BE 1..5, process block (716 is its end).
inline constexpr int kRemoteReference = 708;
inline constexpr int kRemoteEnable = 709;
inline constexpr int kRemoteFirstInput = 710;
inline constexpr int kRemoteProcessBlock = 715;
inline constexpr int kRemoteBoundEnd = 716;
inline constexpr int kRemotePosiStart = 721;
inline constexpr int kRemotePosiStep = 722;
inline constexpr int kRemoteTeachIn = 723;
inline constexpr int kRemoteReferencing = 724;
inline constexpr int kRemoteFirstFunction = 725;  // the function texts of BE 1..5
inline constexpr int kRemoteReferenceLabel = 730;
inline constexpr int kRemoteReferenceUnit = 731;
inline constexpr int kRemoteStatus = 732;  // what the window could not do
inline constexpr int kRemoteSend = IDOK;
inline constexpr int kRemoteStopAndClose = IDCANCEL;

inline constexpr int kRemote2Template = 77;
// Per row of record 306's exchange: the parameter-code text and the value edit.
inline constexpr int kRemote2First = 1457;
inline constexpr int kRemote2Rows = 9;
inline constexpr int kRemote2HexFlag = 1475;  // check box: values in hexadecimal

const DialogTemplate& RemoteControlTemplate();
const DialogTemplate& RemoteControl2Template();

}  // namespace app
