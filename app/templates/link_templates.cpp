// The dialogs around the link: hand-laid templates for the address, node search, start action and action
// progress dialogs; the option dialogs laid out by the page builder from their lists, with their own buttons.
#include "app/templates/link_templates.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

#include "app/templates/page_parts.h"
#include "app/templates/remote_templates.h"
#include "app/templates/user_list_templates.h"

namespace app {
namespace {

constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kDefault = BS_DEFPUSHBUTTON | WS_TABSTOP;
constexpr DWORD kModal = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

constexpr DialogItemTemplate kAddressItems[] = {
    {IDC_STATIC, WC_STATIC, "new inverter address", SS_LEFT, 8, 10, 84, 10},
    {kAddressField, WC_EDIT, "", ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 96, 8, 32, 12},
    {IDOK, WC_BUTTON, "&OK", kDefault, 8, 30, 40, 14},
    {kAddressStartButton, WC_BUTTON, "OK and send / read now &starting", kButton, 52, 30, 130, 14},
    {kAddressSearchButton, WC_BUTTON, "&Search nodes", kButton, 186, 30, 60, 14},
};
constexpr DialogTemplate kAddress{kModal, 0, 0, 254, 52, "Change inverter address", kAddressItems};

constexpr DialogItemTemplate kNodeSearchItems[] = {
    {kNodeSearchText, WC_STATIC, "", SS_LEFT, 8, 6, 264, 30},
    {kNodeSearchReport, WC_EDIT, "",
     ES_LEFT | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 8, 40, 264, 110},
    {IDOK, WC_BUTTON, "&Close", kDefault, 112, 156, 56, 14},
};
constexpr DialogTemplate kNodeSearch{kModal, 0, 0, 280, 176, "Searching inverters", kNodeSearchItems};

constexpr DialogItemTemplate kStartActionItems[] = {
    {kSaveValuesButton, WC_BUTTON, "A00 &save values", kButton, 8, 8, 130, 14},
    {kQuitFaultButton, WC_BUTTON, "&Quit fault", kButton, 8, 26, 130, 14},
    {kLoadDefaultsButton, WC_BUTTON, "A04 &load default settings", kButton, 8, 44, 130, 14},
    {kResetMemoButton, WC_BUTTON, "A37 &reset memorized values", kButton, 8, 62, 130, 14},
    {kPhaseTestButton, WC_BUTTON, "B40 &phase test", kButton, 146, 8, 110, 14},
    {kAutotuningButton, WC_BUTTON, "B41 &autotuning", kButton, 146, 26, 110, 14},
    {kResetSMemoryButton, WC_BUTTON, "reset s-memory", kButton, 146, 44, 110, 14},
    {IDCANCEL, WC_BUTTON, "&Cancel", kButton, 146, 62, 110, 14},
};
constexpr DialogTemplate kStartAction{kModal, 0, 0, 264, 84, "Start action in ZPR", kStartActionItems};

constexpr DialogItemTemplate kActionProgressItems[] = {
    {kActionStateText, WC_STATIC, "", SS_LEFT, 8, 8, 284, 56},
    {IDC_STATIC, WC_STATIC, "step", SS_LEFT, 8, 72, 40, 10},
    {kActionStateText + 1, WC_EDIT, "", ES_LEFT | WS_BORDER, 52, 70, 56, 12},
    {IDC_STATIC, WC_STATIC, "result", SS_LEFT, 120, 72, 40, 10},
    {kActionStateText + 2, WC_EDIT, "", ES_LEFT | WS_BORDER, 164, 70, 56, 12},
    {kActionNextButton, WC_BUTTON, "&Next", kDefault, 8, 92, 60, 14},
    {IDCANCEL, WC_BUTTON, "&Cancel", kButton, 72, 92, 60, 14},
};
constexpr DialogTemplate kActionProgress{kModal, 0, 0, 300, 114, "Action:", kActionProgressItems};

// ---- option dialogs ----

struct OptionLabel {
  int id;
  const char* text;
};

struct OptionDialog {
  PageDefinition def;
  std::span<const OptionLabel> labels;  // label texts in place of the list's names
  bool format_button;                   // 1063 "&Formatting Quellox for V3.x"
  const char* first_text;               // the first bound edit's template text
};

constexpr OptionLabel kRemoteLabels[] = {
    {1049, "protocol remote monitor data automatically"},
    {1053, "automatic read when the condition is ready"},
    {1054, "read only Scope data (without reverse docu. data)"},
    {1055, "ZPR-Scope stair-step curves"},
    {1056, "dialog comments automaticly open"},
};

const std::array<OptionDialog, 3> kOptionDialogs = {{
    {{kInterfaceOptionsTemplate, "Interface", kInterfaceFirst, kInterfaceLast, 56, PageLayout::kRows,
      PageButtons::kOkCancel, 0, 0},
     {}, false, ""},
    {{kRemoteOptionsTemplate, "Options remote control", kRemoteOptionsFirst, kRemoteOptionsLast, 55, PageLayout::kRows,
      PageButtons::kOkCancel, 0, 0},
     kRemoteLabels, false, "PROTOKOLL.TXT"},
    {{kQuelloxOptionsTemplate, "Options Quellox", kQuelloxFirst, kQuelloxLast, 59, PageLayout::kRows,
      PageButtons::kOkCancel, 0, 0},
     {}, true, ""},
}};

constexpr int kButtonHeight = 14;
constexpr int kButtonGap = 4;
constexpr int kTextWidth = 5;  // dialog units a character of a label takes

// The page builder's layout with the OK / Cancel row replaced by OK, "&save options", Cancel (and the format
// button), and the named labels' texts put in.
std::unique_ptr<BuiltPage> BuildOptionDialog(const OptionDialog& option) {
  auto page = std::make_unique<BuiltPage>(BuildPage(option.def, 0));
  auto& items = page->items;
  int y = 0;
  for (const DialogItemTemplate& item : items) {
    if (item.id == IDOK) y = item.y;
  }
  std::erase_if(items, [](const DialogItemTemplate& item) { return item.id == IDOK || item.id == IDCANCEL; });
  // The named labels may be longer than the list's names: the columns right of the labels move over for them.
  int widen = 0;
  short label_x = 0;
  for (std::size_t i = 1; i < items.size(); ++i) {
    for (const OptionLabel& label : option.labels) {
      if (items[i].id != label.id || items[i - 1].id != IDC_STATIC) continue;
      items[i - 1].text = label.text;
      label_x = items[i - 1].x;
      const int needed = static_cast<int>(std::strlen(label.text)) * kTextWidth + 4;
      widen = std::max(widen, needed - items[i - 1].cx);
    }
  }
  if (widen > 0) {
    for (DialogItemTemplate& item : items) {
      if (item.x > label_x) item.x = static_cast<short>(item.x + widen);
      if (item.x == label_x && item.id == IDC_STATIC) item.cx = static_cast<short>(item.cx + widen);
    }
    page->dialog.cx = static_cast<short>(page->dialog.cx + widen);
  }
  for (std::size_t i = 1; i < items.size(); ++i) {
    if (items[i].id == option.def.first && std::strcmp(items[i].class_name, WC_EDIT) == 0) {
      items[i].text = option.first_text;
    }
  }
  struct Button {
    int id;
    const char* text;
    int width;
  };
  std::vector<Button> buttons = {{IDOK, "&OK", 40}, {kSaveOptionsButton, "&save options", 60}, {IDCANCEL, "&Cancel", 40}};
  if (option.format_button) buttons.push_back({kQuelloxFormatButton, "&Formatting Quellox for V3.x", 110});
  int x = 7;
  for (const Button& b : buttons) {
    items.push_back({b.id, WC_BUTTON, b.text, b.id == IDOK ? kDefault : kButton, static_cast<short>(x),
                     static_cast<short>(y), static_cast<short>(b.width), kButtonHeight});
    x += b.width + kButtonGap;
  }
  DialogTemplate& dialog = page->dialog;
  dialog.cx = static_cast<short>(std::max<int>(dialog.cx, x + 3));
  dialog.items = items;
  return page;
}

const BuiltPage* OptionPage(int number) {
  static std::array<std::unique_ptr<BuiltPage>, 3> built;
  for (std::size_t i = 0; i < kOptionDialogs.size(); ++i) {
    if (kOptionDialogs[i].def.number != number) continue;
    if (!built[i]) built[i] = BuildOptionDialog(kOptionDialogs[i]);
    return built[i].get();
  }
  return nullptr;
}

}  // namespace

const DialogTemplate& AddressDialogTemplate() { return kAddress; }
const DialogTemplate& NodeSearchTemplate() { return kNodeSearch; }
const DialogTemplate& StartActionTemplate() { return kStartAction; }
const DialogTemplate& ActionProgressTemplate() { return kActionProgress; }

const DialogTemplate* OptionDialogTemplate(int number) {
  const BuiltPage* page = OptionPage(number);
  return page != nullptr ? &page->dialog : nullptr;
}

void RegisterLinkDialogTemplates(HINSTANCE instance) {
  platform::win::RegisterDialogTemplate(instance, MAKEINTRESOURCE(kAddressTemplate), &kAddress);
  platform::win::RegisterDialogTemplate(instance, MAKEINTRESOURCE(kNodeSearchTemplate), &kNodeSearch);
  platform::win::RegisterDialogTemplate(instance, MAKEINTRESOURCE(kStartActionTemplate), &kStartAction);
  platform::win::RegisterDialogTemplate(instance, MAKEINTRESOURCE(kActionProgressTemplate), &kActionProgress);
  platform::win::RegisterDialogTemplate(instance, MAKEINTRESOURCE(kRemoteTemplate), &RemoteControlTemplate());
  platform::win::RegisterDialogTemplate(instance, MAKEINTRESOURCE(kRemote2Template), &RemoteControl2Template());
  platform::win::RegisterDialogTemplate(instance, MAKEINTRESOURCE(kShortListTemplate), &ShortUserListTemplate());
  platform::win::RegisterDialogTemplate(instance, MAKEINTRESOURCE(kLongListTemplate), &LongUserListTemplate());
  for (const OptionDialog& option : kOptionDialogs) {
    platform::win::RegisterDialogTemplate(instance, MAKEINTRESOURCE(option.def.number),
                                          OptionDialogTemplate(option.def.number));
  }
}

}  // namespace app
