// The user lists' templates, one row of controls per listed parameter.
#include "app/templates/user_list_templates.h"

#include <array>
#include <vector>

namespace app {
namespace {

constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kEdit = ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kWindow = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr int kRowHeight = 16;
constexpr int kTop = 20;

constexpr std::array<const char*, kShortListRows> kNewNames = {"New parameter 1", "New parameter 2",
                                                               "New parameter 3", "New parameter 4"};

struct BuiltList {
  std::vector<DialogItemTemplate> items;
  DialogTemplate dialog{};
};

BuiltList Build(const char* caption, int first, int rows, bool names) {
  BuiltList list;
  auto& items = list.items;
  auto s = [](int v) { return static_cast<short>(v); };
  items.push_back({IDC_STATIC, WC_STATIC, "Coordinate", SS_LEFT, 8, 6, 48, 10});
  for (int r = 0; r < rows; ++r) {
    const int id = first + 5 * r;
    const int y = kTop + r * kRowHeight;
    const char* name = names && r < kShortListRows ? kNewNames[static_cast<std::size_t>(r)] : "";
    items.push_back({id, WC_EDIT, "", kEdit, 8, s(y), 44, 12});
    items.push_back({id + 1, WC_STATIC, name, SS_LEFT | SS_NOPREFIX, 56, s(y + 2), 150, 10});
    items.push_back({id + 2, WC_EDIT, "", kEdit, 210, s(y), 80, 12});
    items.push_back({id + 3, WC_COMBOBOX, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 210, s(y), 120, 100, 0, true});
    items.push_back({id + 4, WC_STATIC, "", SS_LEFT | SS_NOPREFIX, 294, s(y + 2), 40, 10});
  }
  const int y = kTop + rows * kRowHeight + 6;
  items.push_back({kUserListRead, WC_BUTTON, "&Read", kButton, 8, s(y), 56, 14});
  items.push_back({kUserListCyclic, WC_BUTTON, "C&ycl. Read", BS_AUTOCHECKBOX | BS_PUSHLIKE | WS_TABSTOP, 68, s(y), 56, 14});
  items.push_back({kUserListSend, WC_BUTTON, "&Send", kButton, 128, s(y), 56, 14});
  items.push_back({kUserListClose, WC_BUTTON, "&Close", BS_DEFPUSHBUTTON | WS_TABSTOP, 188, s(y), 56, 14});
  list.dialog = DialogTemplate{kWindow, 0, 0, 338, s(y + 20), caption, items};
  return list;
}

}  // namespace

const DialogTemplate& ShortUserListTemplate() {
  static const BuiltList list = Build("Userdefined short parameterlist", kShortListFirst, kShortListRows, true);
  return list.dialog;
}

const DialogTemplate& LongUserListTemplate() {
  static const BuiltList list = Build("Userdefined long parameterlist", kLongListFirst, kLongListRows, false);
  return list.dialog;
}

}  // namespace app
