// The commands of menu resource 2 (the scope recording), handled by the loop for whichever window sent them.
#include "app/scope/scope_menu_commands.h"

#include <array>

#include "app/common/shell_state.h"
#include "app/common/wait_cursor.h"
#include "app/documents/file_save.h"
#include "app/documents/file_titles.h"
#include "app/documents/reverse_doc_mark.h"
#include "app/scope/scope_control.h"
#include "link/scope_export.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "model/message_show.h"
#include "model/project_file.h"

namespace app {
namespace {

constexpr std::uint16_t kKindReverseDoc = 18;
constexpr std::int8_t kFileGroup = 5;

void ScopeSaveAs() {
  const std::uint8_t set = GetActiveFile();
  if (model::GetFileTypeCode(set) == kKindReverseDoc) ResetReverseDocMark(set);
  SaveFileSlotAs(set);
}

void ScopeExportTable() {
  std::array<char, 129> path{};
  static constexpr char kFilter[] = "ANSI-Text file\0*.PRN\0";
  OPENFILENAME request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = MainWindow();
  request.lpstrFilter = kFilter;
  request.lpstrFile = path.data();
  request.nMaxFile = static_cast<DWORD>(path.size());
  request.lpstrDefExt = "PRN";
  request.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
  if (!GetSaveFileName(&request)) return;
  BeginWaitCursor();
  const std::uint8_t code = ilink::ExportScopeText(GetActiveFile(), path.data());
  EndWaitCursor();
  if (code != 0) model::ShowMessage(model::kShowFault, kFileGroup, code);
}

// A file opened with comments that no scope read replaced yet shows them first when the setting asks for it
// (element 154 of record 305).
void OfferUnreadComments() {
  std::uint8_t ask = 0;
  if (model::ReadElement(305, 154, &ask, model::kModeRaw, GetActiveFile()) != 0 || ask == 0) return;
  if (Shell().comment_in_file && !Shell().comment_unread) RunScopeCommentsDialog(MainWindow());
}

}  // namespace

bool HandleScopeMenuCommand(const MSG& msg) {
  if (msg.message != WM_COMMAND) return false;
  switch (LOWORD(msg.wParam)) {
    case kScopeSaveAs:
      OfferUnreadComments();
      ScopeSaveAs();
      return true;
    case kScopeExportTable:
      OfferUnreadComments();
      ScopeExportTable();
      return true;
    case kScopeComments: RunScopeCommentsDialog(MainWindow()); return true;
    case kScopeResetSettings: return true;
    default: return false;
  }
}

}  // namespace app
