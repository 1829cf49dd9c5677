// Answers for the layer's file and colour dialogs, given as a user would: type into the fields, click.
#include "platform/testing/scripted_dialogs.h"

#include <cstdio>

#include "platform/win/common_dialogs.h"
#include "platform/win/controls.h"
#include "platform/win/dialog.h"
#include "platform/win/window.h"

namespace platform::testing {
namespace {

std::deque<std::optional<COLORREF>>& ColorAnswers() {
  static std::deque<std::optional<COLORREF>> a;
  return a;
}

std::deque<std::optional<PrintAnswer>>& PrintAnswers() {
  static std::deque<std::optional<PrintAnswer>> a;
  return a;
}

bool AnswerPrintDialogNow(HWND dialog, const platform::win::ModalInfo& info) {
  const auto* req = static_cast<const platform::win::PrintDialogRequest*>(info.request);
  if (!req || PrintAnswers().empty()) return false;
  std::optional<PrintAnswer> a = PrintAnswers().front();
  PrintAnswers().pop_front();
  if (!a) {
    ClickItem(dialog, IDCANCEL);
    return true;
  }
  HWND combo = GetDlgItem(dialog, kPrintPrinterCombo);
  for (std::size_t i = 0; i < req->printers.size(); ++i)
    if (req->printers[i] == a->printer) SelectItem(combo, static_cast<int>(i));
  if (!a->output.empty()) SetDlgItemText(dialog, kPrintOutputEdit, a->output.c_str());
  if (a->copies > 0 && GetDlgItem(dialog, kPrintCopiesEdit)) SetDlgItemInt(dialog, kPrintCopiesEdit, static_cast<UINT>(a->copies), FALSE);
  ClickItem(dialog, IDOK);
  return true;
}

}  // namespace

bool AnswerFileDialogNow(HWND dialog, const platform::win::ModalInfo& info) {
  const auto* req = static_cast<const platform::win::FileDialogRequest*>(info.request);
  if (!req) return false;
  FileDialogRecord record{req->save, req->title, req->filter, req->initial_dir, req->default_ext, req->proposed, std::nullopt};
  std::optional<std::string> answer;
  if (!FileAnswers().empty()) {
    answer = FileAnswers().front();
    FileAnswers().pop_front();
  } else if (FileResponder()) {
    answer = FileResponder()(record);
  } else {
    return false;
  }
  record.answer = answer;
  FileRecords().push_back(record);
  if (!answer) {
    ClickItem(dialog, IDCANCEL);
  } else {
    SetDlgItemText(dialog, kFileNameEdit, answer->c_str());
    ClickItem(dialog, IDOK);
  }
  return true;
}

bool AnswerOtherDialogNow(HWND dialog, const platform::win::ModalInfo& info) {
  if (info.kind == platform::win::ModalKind::kPrint) return AnswerPrintDialogNow(dialog, info);
  if (info.kind == platform::win::ModalKind::kColor && !ColorAnswers().empty()) {
    std::optional<COLORREF> c = ColorAnswers().front();
    ColorAnswers().pop_front();
    if (!c) {
      ClickItem(dialog, IDCANCEL);
      return true;
    }
    SetDlgItemInt(dialog, kColorRedEdit, *c & 0xFF, FALSE);
    SetDlgItemInt(dialog, kColorGreenEdit, (*c >> 8) & 0xFF, FALSE);
    SetDlgItemInt(dialog, kColorBlueEdit, (*c >> 16) & 0xFF, FALSE);
    ClickItem(dialog, IDOK);
    return true;
  }
  return false;
}

void AnswerColorDialog(std::optional<COLORREF> colour) { ColorAnswers().push_back(colour); }
void AnswerPrintDialog(std::optional<PrintAnswer> answer) { PrintAnswers().push_back(std::move(answer)); }
void ClearOtherAnswers() {
  ColorAnswers().clear();
  PrintAnswers().clear();
}

}  // namespace platform::testing
