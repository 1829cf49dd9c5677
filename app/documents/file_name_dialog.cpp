// FileNameDialog.
#include "app/documents/file_name_dialog.h"

#include <array>
#include <cstring>

#include "app/common/shell_state.h"
#include "app/documents/file_slots.h"
#include "app/documents/file_titles.h"
#include "model/message_show.h"

namespace app {
namespace {

constexpr std::int8_t kFileGroup = 5;
constexpr std::int32_t kMsgInternalError = 3;
// The export's name while the file has none (a name of only an extension would be hidden).
constexpr char kUnnamedExport[] = "SCOPE";

struct DialogKind {
  const char* filter;  // text and pattern separated by '|'
  const char* extension;
  bool save_only;
};

constexpr std::array<DialogKind, 6> kDialogKinds{{
    {"Projecting-file|*.ZPR|", "ZPR", false},
    {"Reverse-docu.-file|*.ZPR|", "ZPR", false},
    {"Project-,Revdocu.-file|*.ZPR|", "ZPR", false},
    {"ANSI-Text file|*.TXT|", "TXT", true},
    {"ANSI-Text file|*.PRN|", "PRN", true},
    {"ANSI-Text file|*.TXT|", "TXT", true},
}};

// The filter with its '|' turned into terminators (the pairs end in two).
std::string FilterText(const char* filter) {
  std::string text(filter);
  for (char& c : text) {
    if (c == '|') c = '\0';
  }
  text.push_back('\0');
  return text;
}

std::string FolderOf(const std::string& path) {
  const std::string::size_type slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string{} : path.substr(0, slash);
}

}  // namespace

std::uint8_t FileNameDialog(std::uint8_t type, bool save, std::string* out) {
  if (type >= kDialogKinds.size() || (!save && kDialogKinds[type].save_only)) {
    model::ShowMessage(model::kShowFault, kFileGroup, kMsgInternalError);
    return kDialogWrongRequest;
  }
  const DialogKind& kind = kDialogKinds[type];
  const FileSlot& slot = Slot(GetActiveFile());
  std::string proposal;
  if (save) {
    if (type == kDialogProtocol) {
      proposal = "PROTOCOL.TXT";
    } else if (type == kDialogPrintText) {
      proposal = WithExtension(slot.name.empty() || slot.name[0] == '.' ? kUnnamedExport : slot.name, "PRN");
    } else {
      proposal = slot.name;
    }
  }
  const std::string folder = FolderOf(slot.path);
  const std::string filter = FilterText(kind.filter);
  std::array<char, 4097> path{};  // a whole path of the system's longest and its end
  std::strncpy(path.data(), proposal.c_str(), path.size() - 1);
  OPENFILENAME request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = MainWindow();
  request.lpstrFilter = filter.c_str();
  request.lpstrFile = path.data();
  request.nMaxFile = static_cast<DWORD>(path.size());
  request.lpstrDefExt = kind.extension;
  request.lpstrTitle = save ? "Save file as" : "Open file";
  request.lpstrInitialDir = save && !folder.empty() ? folder.c_str() : nullptr;
  request.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  const BOOL chosen = save ? GetSaveFileName(&request) : GetOpenFileName(&request);
  if (!chosen) return kDialogCancelled;
  *out = path.data();
  return kDialogOk;
}

}  // namespace app
