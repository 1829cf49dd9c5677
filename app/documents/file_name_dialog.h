// The file dialogs of the file commands: six kinds, each with its filter, default extension and proposal.
#pragma once

#include <cstdint>
#include <string>

namespace app {

inline constexpr std::uint8_t kDialogProject = 0;
inline constexpr std::uint8_t kDialogReverseDoc = 1;
inline constexpr std::uint8_t kDialogAnyProjectFile = 2;
inline constexpr std::uint8_t kDialogText = 3;
inline constexpr std::uint8_t kDialogPrintText = 4;
inline constexpr std::uint8_t kDialogProtocol = 5;

// FileNameDialog results.
inline constexpr std::uint8_t kDialogOk = 0;
inline constexpr std::uint8_t kDialogCancelled = 1;
inline constexpr std::uint8_t kDialogWrongRequest = 2;

// Asks for a file name. Save: "Save file as" with the active slot's name (types 0-3), that name with extension
// "PRN" (4) or "PROTOCOL.TXT" (5), in the slot path's folder; open: "Open file", types 0-2 only. A wrong request
// shows message 5.3 and gives kDialogWrongRequest. The chosen path goes to out; the slot is not touched (the
// caller names the slot after the file was read or written).
std::uint8_t FileNameDialog(std::uint8_t type, bool save, std::string* out);

}  // namespace app
