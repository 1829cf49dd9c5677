// Answers for the layer's file and colour dialogs, given as a user would: type into the fields, click.
#include "platform/testing/scripted_dialogs.h"

#include <cstdio>

#include "platform/win/common_dialogs.h"
#include "platform/win/dialog.h"
#include "platform/win/window.h"

namespace platform::testing {
namespace {

std::deque<std::optional<COLORREF>>& ColorAnswers() {
  static std::deque<std::optional<COLORREF>> a;
  return a;
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
void ClearOtherAnswers() {
  ColorAnswers().clear();
}

}  // namespace platform::testing
