// The copy dialogs and the copies they make.
#include "app/documents/copy_dialogs.h"

#include <array>
#include <string>

#include "app/common/app_instance.h"
#include "app/common/dialog_placement.h"
#include "app/common/help_context.h"
#include "app/common/shell_state.h"
#include "app/documents/file_slots.h"
#include "app/documents/file_titles.h"
#include "app/documents/result_reports.h"
#include "app/templates/copy_templates.h"
#include "model/element_access.h"
#include "model/message_show.h"

namespace app {
namespace {

constexpr std::int8_t kShellGroup = 13;
constexpr std::int8_t kConfirmGroup = 8;
constexpr std::int32_t kMsgOverwriteData = 8;
constexpr UINT kFile1Item = 2011;
constexpr UINT kFile2Item = 2012;

void ShowResult(HWND owner, std::int32_t number) { model::MessageBoxByNumber(owner, 3, kShellGroup, number); }

// A file's menu text ("File &1 NAME"), at most kCopyButtonNameLimit characters.
std::string FileItemText(UINT item) {
  std::array<char, kCopyButtonNameLimit + 1> text{};
  if (Shell().menu == nullptr ||
      GetMenuString(Shell().menu, item, text.data(), static_cast<int>(text.size()), MF_BYCOMMAND) <= 0) {
    return {};
  }
  return text.data();
}

std::string ArrowText(const std::string& from, const std::string& to) {
  std::string text = from;
  text += "   --->   ";
  text += to;
  return text;
}

void HandleHelp(int template_id, UINT message, WPARAM wparam) {
  if (message == WM_ACTIVATE && LOWORD(wparam) != WA_INACTIVE) {
    SetDefaultHelpContext(static_cast<std::uint16_t>(template_id), kCopyForward, kCopyHelpLast);
  } else if (message == WM_COMMAND) {
    SetHelpContextFromCommand(static_cast<std::uint16_t>(template_id), kCopyForward, kCopyHelpLast, LOWORD(wparam),
                              HIWORD(wparam));
  }
}

INT_PTR CALLBACK CopyFileProc(HWND dialog, UINT message, WPARAM wparam, LPARAM /*lparam*/) {
  HandleHelp(kCopyFileTemplate, message, wparam);
  switch (message) {
    case WM_INITDIALOG: {
      PlaceDialog(dialog, kPlaceCentred, kPlaceCentred);
      const std::string file1 = FileItemText(kFile1Item);
      const std::string file2 = FileItemText(kFile2Item);
      SetDlgItemText(dialog, kCopyForward, ArrowText(file1, file2).c_str());
      SetDlgItemText(dialog, kCopyBackward, ArrowText(file2, file1).c_str());
      return TRUE;
    }
    case WM_ACTIVATE: return FALSE;
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      if (id == kCopyForward || id == kCopyBackward) {
        // A No to the overwrite question leaves the dialog open.
        if (CopyFileContent(dialog, id == kCopyForward ? 0 : 1) != kFileCopyDeclined) EndDialog(dialog, id);
      } else if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
      }
      return TRUE;
    }
    default: return FALSE;
  }
}

INT_PTR CALLBACK CopyParamSetProc(HWND dialog, UINT message, WPARAM wparam, LPARAM /*lparam*/) {
  HandleHelp(kCopyParamSetTemplate, message, wparam);
  switch (message) {
    case WM_INITDIALOG: PlaceDialog(dialog, kPlaceCentred, kPlaceCentred); return TRUE;
    case WM_ACTIVATE: return FALSE;
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      if (id == kCopyForward || id == kCopyBackward) {
        const bool copied = CopyParameterSet(id == kCopyForward);
        ShowResult(dialog, copied ? kMsgParamSetCopied : kMsgParamSetCopyFailed);
        EndDialog(dialog, id);
      } else if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
      }
      return TRUE;
    }
    default: return FALSE;
  }
}

}  // namespace

std::uint8_t CopyFileContent(HWND owner, std::uint8_t from) {
  if (from > 1) return kFileCopyFailed;
  const std::uint8_t to = from == 0 ? 1 : 0;
  if (model::ChangeList0Empty(to) == 0 &&
      model::ShowMessage(model::kShowQuestion, kConfirmGroup, kMsgOverwriteData) != model::kQuestionYes) {
    return kFileCopyDeclined;
  }
  if (model::CopyDataSet(from, to) != 0) {
    ShowResult(owner, kMsgFileCopyFailed);
    return kFileCopyFailed;
  }
  // The target now holds the source's content under the source's name element: its slot follows that name and
  // forgets the old path, which belongs to a file whose content this is not.
  FileSlot& slot = Slot(to);
  slot.name = ReadNameElement(to);
  slot.path.clear();
  UpdateFileTitles();
  ShowResult(owner, kMsgFileCopied);
  return kFileCopied;
}

bool CopyParameterSet(bool forward) {
  const std::uint8_t set = GetActiveFile();
  bool copied = true;
  for (const auto& [set1, set2] : kParameterSetPairs) {
    if (model::CopyRecordAs(forward ? set1 : set2, forward ? set2 : set1, set) != 0) copied = false;
  }
  return copied;
}

INT_PTR OpenCopyFileDialog() {
  return DialogBoxParam(AppInstance(), MAKEINTRESOURCE(kCopyFileTemplate), MainWindow(), CopyFileProc, 0);
}

INT_PTR OpenCopyParamSetDialog() {
  return DialogBoxParam(AppInstance(), MAKEINTRESOURCE(kCopyParamSetTemplate), MainWindow(), CopyParamSetProc, 0);
}

void CommandCopyFile(HWND /*main*/, UINT /*id*/) { OpenCopyFileDialog(); }

void CommandCopyParamSet(HWND /*main*/, UINT /*id*/) { OpenCopyParamSetDialog(); }

}  // namespace app
