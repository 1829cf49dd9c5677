// The transfer dialog: every bulk transfer of a whole data set between the active file and a device (the Quellox
// box or the inverter) runs inside one small modal dialog with the job text and a percentage bar. The transfer
// starts as soon as the dialog is shown; every wait pumps the window messages; Cancel asks it to stop at its next
// telegram or step. A transfer that does not succeed leaves the active data set as it was.
#pragma once

#include <cstdint>

#include "platform/win/win.h"

namespace app {

// Transfer modes.
inline constexpr std::uint8_t kTransferReadBox = 0;
inline constexpr std::uint8_t kTransferWriteBox = 1;
inline constexpr std::uint8_t kTransferReadInverter = 2;
inline constexpr std::uint8_t kTransferSendInverter = 3;
inline constexpr std::uint8_t kTransferReadScope = 4;

// Results of RunTransferDialog.
inline constexpr INT_PTR kTransferSucceeded = 1;
inline constexpr INT_PTR kTransferFailed = 2;

// Runs one transfer on the active data set: kTransferSucceeded, or kTransferFailed after every fault was shown (a
// mode above 4 fails at once, without a dialog). The box modes expect the box opened (OpenParameterBox).
INT_PTR RunTransferDialog(std::uint8_t mode);
// The progress hook of a running transfer: redraws the bar with the percentage and pumps the messages.
void TransferProgress(std::uint8_t percent);
// After a successful send: asks 13.31 whether the inverter is to save the values, and has it do so on Yes.
void StoreValuesAfterSend();

// The longest wait for the drive to leave its enabled state once master enable was switched off.
inline constexpr DWORD kDefaultDriveDisableWaitMs = 10000;
void SetDriveDisableWaitLimit(DWORD milliseconds);
DWORD DriveDisableWaitLimit();

}  // namespace app
