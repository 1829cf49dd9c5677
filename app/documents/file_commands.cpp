// Open, New, Save and Save as of the active file. Names, paths and the recent list change only after the file was
// read or written; a failed read leaves the data set as it was; a failed write keeps the file marked modified.
#include "app/documents/file_commands.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <memory>

#include "app/common/app_instance.h"
#include "app/common/shell_state.h"
#include "app/common/wait_cursor.h"
#include "app/documents/busy_test.h"
#include "app/documents/file_name_dialog.h"
#include "app/documents/file_slots.h"
#include "app/documents/file_titles.h"
#include "app/documents/input_check_question.h"
#include "app/documents/page_navigation.h"
#include "app/documents/recent_files.h"
#include "app/documents/reverse_doc_mark.h"
#include "app/documents/scope_file_switch.h"
#include "app/documents/unsaved_changes.h"
#include "model/data_set.h"
#include "model/derived_elements.h"
#include "model/element_access.h"
#include "model/layout_upgrade.h"
#include "model/message_show.h"
#include "model/project_file.h"
#include "model/settings_ini.h"

namespace app {
namespace {

constexpr std::int8_t kFileGroup = 5;
constexpr std::int8_t kQuestionGroup = 6;
constexpr std::int8_t kConfirmGroup = 8;
constexpr std::int8_t kUpgradeGroup = 11;
constexpr std::int32_t kMsgNoReverseDoc = 13;
constexpr std::int32_t kMsgOverwrite = 12;
constexpr std::int32_t kMsgModifyAll = 7;
constexpr std::uint8_t kAnsweredYes = 3;
constexpr char kDamagedFileText[] = "File is damaged and can not be read:\n";

class WaitCursor {
 public:
  WaitCursor() { BeginWaitCursor(); }
  ~WaitCursor() { EndWaitCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

bool Ask(std::int8_t group, std::int32_t number) {
  return model::ShowMessage(model::kShowQuestion, group, number) == kAnsweredYes;
}

std::string UpperCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// Whether a data set holds a scope remark (record 317 element 2644) with more than blanks: the scope comments
// dialog then opens before the recording is saved or exported.
bool HasCommentText(std::uint8_t set) {
  std::array<char, 1100> text{};
  if (model::ReadElement(317, 2644, text.data(), model::kModeRaw, set) != 0) return false;
  text.back() = '\0';
  for (const char* c = text.data(); *c != '\0'; ++c) {
    if (!std::isspace(static_cast<unsigned char>(*c))) return true;
  }
  return false;
}

// Opens and checks the file (with the questions of an older or newer file); false when it is not to be read.
bool OpenChecked(std::uint8_t set, const std::string& path) {
  const std::uint8_t code = model::ProjectFileAccess(model::kProjectOpen, set, path.c_str());
  if (code == model::kFileDone) return true;
  if (code == model::kFileFormatV3 || code == model::kFileNewerLayout || code == model::kFileOlderLayout) {
    if (Ask(kQuestionGroup, code)) return true;
    model::ProjectFileAccess(model::kProjectClose, set, path.c_str());
    return false;
  }
  model::ShowMessage(model::kShowFault, kFileGroup, code);
  return false;
}

// Reads the open file into the set, brings it to the current layout and derives its computed elements. The set
// is put back as it was when any step fails.
bool ReadOpenFile(std::uint8_t set, const std::string& path, bool reverse_doc_only) {
  const std::uint16_t kind = model::OpenProjectFileKind();
  if (reverse_doc_only && kind == kKindProject) {
    model::ProjectFileAccess(model::kProjectClose, set, path.c_str());
    model::ShowMessage(model::kShowFault, kFileGroup, kMsgNoReverseDoc);
    return false;
  }
  const auto saved = std::make_unique<model::ProjectDataSet>(*model::DataSetSlot(set));
  const std::uint8_t mode = kind == kKindProject ? model::kProjectReadProject : model::kProjectReadReverseDoc;
  std::uint8_t code = model::ProjectFileAccess(mode, set, path.c_str());
  // Taken before the close, which starts a new call.
  const std::string damaged_line = model::ProjectFileFaultLineText();
  model::ProjectFileAccess(model::kProjectClose, set, path.c_str());
  std::int8_t group = kFileGroup;
  if (code == model::kFileDone) {
    group = kUpgradeGroup;
    code = model::UpgradeDataSetLayout(set, model::kCurrentLayoutLetter);
    if (code == 0) code = model::RebuildDerivedElements(set);
  }
  if (code == 0) return true;
  *model::DataSetSlot(set) = *saved;
  if (group == kFileGroup && !damaged_line.empty()) {
    // A damaged line is named, so that the file can be mended.
    model::ShowMessageText(model::kShowFault, kFileGroup, kDamagedFileText + damaged_line + ".");
  } else {
    model::ShowMessage(model::kShowFault, group, code);
  }
  return false;
}

std::uint8_t OpenIntoActiveSet(const std::string& path, bool reverse_doc_only) {
  const std::uint8_t set = GetActiveFile();
  WaitCursor wait;
  if (!OpenChecked(set, path)) return 1;
  if (!ReadOpenFile(set, path, reverse_doc_only)) return 1;
  SetActiveFileName(UpperCase(FileNamePart(path)), path);
  // The name element was written by the line above: only now is the file as read.
  model::ClearChangeList0(set);
  Shell().comment_in_file = HasCommentText(set);
  Shell().comment_unread = Shell().comment_in_file;
  SaveRecentFiles(path, FileNamePart(path));
  UpdateFileTitles();
  return 0;
}

std::uint8_t WriteMode(std::uint8_t set) {
  return model::GetFileTypeCode(set) == kKindProject ? model::kProjectWriteProject : model::kProjectWriteReverseDoc;
}

}  // namespace

std::uint8_t OpenProjectFile(const std::string& path) {
  return OpenIntoActiveSet(path, ScopeControlOpen());
}

std::uint8_t FileOpenCommand(std::uint8_t which) {
  if (!MayReplaceActiveData()) return 1;
  std::string path;
  const std::uint8_t type = which == kOpenReverseDocOnly ? kDialogReverseDoc : kDialogAnyProjectFile;
  if (FileNameDialog(type, false, &path) != kDialogOk) return 1;
  return OpenIntoActiveSet(path, which == kOpenReverseDocOnly);
}

std::uint8_t FileSaveCommand() {
  const std::uint8_t set = GetActiveFile();
  WaitCursor wait;
  const std::uint8_t code = model::SaveProjectFile(WriteMode(set), set, Slot(set).path.c_str(), false);
  if (code != model::kFileDone) {
    model::ShowMessage(model::kShowFault, kFileGroup, code);
    return 1;
  }
  UpdateFileTitles();
  return 0;
}

std::uint8_t SaveSlotAs(std::uint8_t set) {
  const std::uint8_t active = GetActiveFile();
  SetActiveFile(set);
  std::string path;
  std::uint8_t result = 1;
  const std::uint8_t type = model::GetFileTypeCode(set) == kKindProject ? kDialogProject : kDialogReverseDoc;
  bool exists = false;
  for (;;) {
    if (FileNameDialog(type, true, &path) != kDialogOk) break;
    std::error_code error;
    exists = std::filesystem::exists(path, error);
    if (!exists || Ask(kQuestionGroup, kMsgOverwrite)) {
      result = 2;
      break;
    }
  }
  if (result == 2) {
    WaitCursor wait;
    // The file carries its own name: the set is named before the write and put back when the write fails.
    const auto saved = std::make_unique<model::ProjectDataSet>(*model::DataSetSlot(set));
    const FileSlot old_slot = Slot(set);
    SetActiveFileName(FileNamePart(path), path);
    const std::uint8_t code = model::SaveProjectFile(WriteMode(set), set, path.c_str(), exists);
    if (code != model::kFileDone) {
      *model::DataSetSlot(set) = *saved;
      Slot(set) = old_slot;
      model::ShowMessage(model::kShowFault, kFileGroup, code);
      result = 1;
    } else {
      SaveRecentFiles(path, FileNamePart(path));
      result = 0;
    }
  }
  SetActiveFile(active);
  UpdateFileTitles();
  return result;
}

std::uint8_t FileSaveAsCommand() { return SaveSlotAs(GetActiveFile()); }

void CommandNewFile(HWND main, UINT /*id*/) {
  const std::uint8_t set = GetActiveFile();
  if (model::GetFileTypeCode(set) != kKindProject && !Ask(kConfirmGroup, kMsgModifyAll)) return;
  CloseScopeControl();
  {
    WaitCursor wait;
    model::InitDataSet(set);
    model::LoadSettingsIni(AppInstance());
    model::ClearChangeList0(set);
    ResetActiveFileName();
  }
  InvalidateRect(main, nullptr, TRUE);
  GoToNextPage(kNavFromNoPage, kNavNext);
}

void CommandOpenFile(HWND main, UINT /*id*/) {
  const bool scope = ScopeControlOpen();
  const std::uint8_t result = FileOpenCommand(scope ? kOpenReverseDocOnly : kOpenAnyFile);
  UpdateFileTitles();
  if (result == 0 && scope) ScopeFollowsActiveFile();
  InvalidateRect(main, nullptr, TRUE);
}

void CommandSaveFile(HWND main, UINT id) {
  if (CommandBusy()) return;
  const std::uint8_t set = GetActiveFile();
  if (IsDefaultFileName() || Slot(set).path.empty()) {
    CommandSaveFileAs(main, id);
    return;
  }
  BusyGuard busy;
  if (model::GetFileTypeCode(set) == kKindReverseDoc) ResetReverseDocMark(set);
  if (!InputCheckQuestion(main, set)) return;
  FileSaveCommand();
}

void CommandSaveFileAs(HWND main, UINT /*id*/) {
  const std::uint8_t set = GetActiveFile();
  if (!InputCheckQuestion(main, set) || CommandBusy()) return;
  BusyGuard busy;
  if (model::GetFileTypeCode(set) == kKindReverseDoc) ResetReverseDocMark(set);
  FileSaveAsCommand();
}

void CommandSelectFile(HWND /*main*/, UINT id) { SelectActiveFile(static_cast<std::uint8_t>(id - 2011)); }

void CommandSelectParameterSet(HWND /*main*/, UINT id) {
  SelectParameterSet(static_cast<std::uint8_t>(id == 2031 || id == 2061 ? 1 : 0));
}

void CommandRecentFile(HWND main, UINT id) {
  const bool scope = ScopeControlOpen();
  if (OpenRecentFile(static_cast<int>(id)) != 0) return;
  UpdateFileTitles();
  InvalidateRect(main, nullptr, TRUE);
  if (scope) ScopeFollowsActiveFile();
}

}  // namespace app
