// Dialog templates of the dialogs around the link: 75 (inverter address), 76 (node search), 38 (start action),
// 51 (action progress) and the option dialogs 39 (interface), 40 (remote control) and 41 (Quellox), whose bound
// part is laid out from their menu lists.
#pragma once

#include "platform/win/win.h"

namespace app {

// Template 75.
inline constexpr int kAddressTemplate = 75;
inline constexpr int kAddressField = 750;
inline constexpr int kAddressSearchButton = 3;
inline constexpr int kAddressStartButton = 4;

// Template 76.
inline constexpr int kNodeSearchTemplate = 76;
inline constexpr int kNodeSearchText = 1455;
inline constexpr int kNodeSearchReport = 1456;
inline constexpr int kNodeSearchStart = 4;  // posted to itself: the search runs

// Template 38.
inline constexpr int kStartActionTemplate = 38;
inline constexpr int kSaveValuesButton = 1035;
inline constexpr int kQuitFaultButton = 1036;
inline constexpr int kLoadDefaultsButton = 1037;
inline constexpr int kResetMemoButton = 1038;
inline constexpr int kPhaseTestButton = 1039;
inline constexpr int kAutotuningButton = 1040;
inline constexpr int kResetSMemoryButton = 1041;

// Template 51: the state text 1042 and the action's step and result, bound from list 64 or 63 (1042..1044).
inline constexpr int kActionProgressTemplate = 51;
inline constexpr int kActionStateText = 1042;
inline constexpr int kActionBoundEnd = 1045;
inline constexpr int kActionNextButton = 4;

// Option dialogs: 1 OK, 4 "&save options", 2 Cancel; the bound run first..last (last exclusive).
inline constexpr int kSaveOptionsButton = 4;
inline constexpr int kInterfaceOptionsTemplate = 39;
inline constexpr int kInterfaceFirst = 1045;
inline constexpr int kInterfaceLast = 1050;
inline constexpr int kRemoteOptionsTemplate = 40;
inline constexpr int kRemoteOptionsFirst = 1048;
inline constexpr int kRemoteOptionsLast = 1057;
inline constexpr int kQuelloxOptionsTemplate = 41;
inline constexpr int kQuelloxFirst = 1059;
inline constexpr int kQuelloxLast = 1063;
inline constexpr int kQuelloxFormatButton = 1063;

const DialogTemplate& AddressDialogTemplate();
const DialogTemplate& NodeSearchTemplate();
const DialogTemplate& StartActionTemplate();
const DialogTemplate& ActionProgressTemplate();
// The option dialogs (39, 40, 41); null for another number.
const DialogTemplate* OptionDialogTemplate(int number);

// Registers the templates above, the remote-control windows' and the user lists' for the instance.
void RegisterLinkDialogTemplates(HINSTANCE instance);

}  // namespace app
