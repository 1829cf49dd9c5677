// The modal dialogs around the serial link: the inverter address and the search for inverters on the bus, the
// option dialogs (interface, remote control, Quellox), the start of inverter actions and the guided motor
// actions (phase test, autotuning) with their progress.
#pragma once

#include <cstdint>

#include "platform/win/win.h"

namespace app {

inline constexpr std::uint16_t kHighestInverterAddress = 31;
inline constexpr std::size_t kNodeReportBytes = 5000;

// True when "OK and send / read now starting" ended it. The address is written into the settings that the link
// reads (data set 0) and into the active set, whose address the menus show.
bool OpenInverterAddressDialog(HWND owner);
void OpenNodeSearchDialog(HWND owner);
INT_PTR OpenInterfaceOptionsDialog(HWND owner);
INT_PTR OpenRemoteOptionsDialog(HWND owner);
INT_PTR OpenQuelloxOptionsDialog(HWND owner);
void OpenStartActionDialog(HWND owner);

// The guided actions.
inline constexpr std::uint8_t kPhaseTest = 0;
inline constexpr std::uint8_t kAutotuning = 1;
inline constexpr std::uint8_t kAbortAction = 2;  // RunRemoteAction's mode that ends an action
void OpenActionProgressDialog(HWND owner, std::uint8_t action);
// The state of the progress dialog (the last one's after it ended), for tests.
std::uint16_t ActionProgressState();

// The progress dialog's states (text 14.n) and its step rule.
inline constexpr std::uint16_t kActionTimer = 1005;
inline constexpr std::uint16_t kStateSucceeded = 16;
inline constexpr std::uint16_t kStateInterrupted = 17;
inline constexpr std::uint16_t kStateInvalid = 65535;
inline constexpr std::uint32_t kEnablePauseMs = 3000;
// Remote action results.
inline constexpr std::uint8_t kActionDone = 0;
inline constexpr std::uint8_t kActionBusy = 2;
inline constexpr std::uint8_t kActionInterrupted = 3;

// What a step needs: the state, whether Next was pressed, the time since state 5 was entered and the remote
// action's result (asked only in the states that run one). The next state.
struct ActionStep {
  std::uint16_t state;
  bool next_pressed;
  std::uint32_t ms_since_start;
};
// States that run the remote action on a step.
bool ActionStateRunsRemote(std::uint16_t state);
std::uint16_t NextActionState(const ActionStep& step, std::uint8_t result);

// Menu handlers.
void CommandChangeAddress(HWND main, UINT id);     // 2020, 2021
void CommandStartAction(HWND main, UINT id);       // 2096
void CommandOptionsDialog(HWND main, UINT id);     // 2110..2112

}  // namespace app
