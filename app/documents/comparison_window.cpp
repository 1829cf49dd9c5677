// CompareFiles, CompareParameterSets and the comparison result window.
#include "app/documents/comparison_window.h"

#include <array>
#include <cstdio>
#include <initializer_list>
#include <string>

#include "app/binding/work_buffer.h"
#include "app/common/app_instance.h"
#include "app/common/dialog_placement.h"
#include "app/common/shell_state.h"
#include "app/documents/file_slots.h"
#include "app/documents/file_titles.h"
#include "app/documents/result_reports.h"
#include "app/documents/result_window.h"
#include "app/templates/result_templates.h"
#include "model/data_set.h"
#include "model/data_set_compare.h"
#include "model/device_identity.h"
#include "model/element_access.h"
#include "model/message_show.h"

namespace app {
namespace {

constexpr std::int8_t kShellGroup = 13;
constexpr std::uint8_t kDifferenceList = 1;
constexpr std::uint8_t kFile1 = 0;
constexpr std::uint8_t kFile2 = 1;
constexpr const char* kFilesSuffix = " of file 1 with file 2";
constexpr const char* kParamSetsSuffix = " of parameterset 1 with parameterset 2";

// The mode the open window was last filled for (a WM_INITDIALOG reads it).
std::uint8_t g_mode = kCompareFiles;

HWND& Window() { return ModelessWindow(Modeless::kComparisonResult); }

void CompareAcross(std::initializer_list<std::uint16_t> records) {
  for (const std::uint16_t record : records) model::CompareRecordAcrossSets(record, kFile1, kFile2);
}

// The caption: the template's, with what was compared; set anew for every fill, so a window reused for the
// other kind of comparison does not keep the old words.
void SetCaption(HWND window, std::uint8_t mode) {
  std::string caption = ComparisonTemplate().caption;
  caption += mode == kCompareFiles ? kFilesSuffix : kParamSetsSuffix;
  SetWindowText(window, caption.c_str());
}

void FillList(HWND window, std::uint8_t mode) {
  const std::uint8_t set = mode == kCompareFiles ? kFile2 : GetActiveFile();
  const std::span<char> buffer = WorkBuffer();
  const ReportResult report = WriteComparisonReport(mode, set, buffer);
  SetDlgItemText(window, kComparisonList, buffer.empty() ? "" : buffer.data());
  std::array<char, 16> count{};
  std::snprintf(count.data(), count.size(), "%d", report.listed);
  SetDlgItemText(window, kComparisonCount, count.data());
}

void Refill(HWND window, std::uint8_t mode) {
  SetCaption(window, mode);
  FillList(window, mode);
}

constexpr ResultWindowKind kWindowKind{Modeless::kComparisonResult, kComparisonTemplate, kComparisonHeading,
                                      kComparisonCountLabel, kPlaceCentred, kPlaceCentred,
                                      [](HWND window) { Refill(window, g_mode); }, nullptr, kComparisonList};

INT_PTR CALLBACK ComparisonProc(HWND window, UINT message, WPARAM wparam, LPARAM /*lparam*/) {
  return ResultWindowMessage(kWindowKind, window, message, wparam);
}

}  // namespace

void ShowComparisonResult(std::uint8_t mode) {
  g_mode = mode;
  HWND window = Window();
  if (window != nullptr && IsWindow(window)) {
    RaiseWindow(window);
    Refill(window, mode);
    return;
  }
  Window() = nullptr;
  window = CreateDialogParam(AppInstance(), MAKEINTRESOURCE(kComparisonTemplate), MainWindow(), ComparisonProc, 0);
  if (window != nullptr) ShowWindow(window, SW_SHOW);
}

void CompareFiles() {
  model::ClearChangeList1(kFile2);
  const std::uint16_t kind1 = model::GetFileTypeCode(kFile1);
  const std::uint16_t kind2 = model::GetFileTypeCode(kFile2);
  const bool both_projects = kind1 == kKindProject && kind2 == kKindProject;
  const bool both_reverse = kind1 == kKindReverseDoc && kind2 == kKindReverseDoc;
  if (kind1 != kind2) CompareAcross({302});
  if (both_projects) CompareAcross({304});
  if (both_reverse) CompareAcross({5, 320});
  CompareAcross({55});
  if (model::GetDeviceFamily(kFile1) == model::GetDeviceFamily(kFile2)) CompareAcross({42, 43, 40, 41, 53, 54, 38, 39});
  CompareAcross({48, 49, 34, 35, 59, 60, 56, 57, 58, 15, 11, 46, 47, 512, 514, 516, 518, 520, 522, 458});
  if (both_reverse) CompareAcross({450, 32, 319, 346});
  if (model::ChangeListCount(kFile2, kDifferenceList) == 0) {
    model::MessageBoxByNumber(MainWindow(), 1, kShellGroup, kMsgFilesEqual);
    return;
  }
  ShowComparisonResult(kCompareFiles);
}

void CompareParameterSets() {
  const std::uint8_t set = GetActiveFile();
  model::ClearChangeList1(set);
  for (const auto& [set1, set2] : kParameterSetPairs) model::CompareRecordPair(set1, set2, set);
  if (model::ChangeListCount(set, kDifferenceList) == 0) {
    model::MessageBoxByNumber(MainWindow(), 1, kShellGroup, kMsgParamSetsEqual);
    return;
  }
  ShowComparisonResult(kCompareParamSets);
}

void CommandCompareFiles(HWND /*main*/, UINT /*id*/) { CompareFiles(); }

void CommandCompareParameterSets(HWND /*main*/, UINT /*id*/) { CompareParameterSets(); }

}  // namespace app
