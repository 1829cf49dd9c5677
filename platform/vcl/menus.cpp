#include "platform/vcl/menus.h"

#include <algorithm>
#include <map>

#include "platform/vcl/application.h"
#include "platform/vcl/form.h"
#include "platform/win/input.h"
#include "platform/win/menu.h"
#include "platform/win/window.h"

namespace {

// Menu command ids start above the ids the layer gives controls' windows.
UINT g_next_command = 0x8000;

std::map<UINT, TMenuItem*>& Commands() {
  static std::map<UINT, TMenuItem*> commands;
  return commands;
}

void AppendItems(HMENU menu, const TMenuItem& parent) {
  for (int i = 0; i < parent.Count(); ++i) {
    const TMenuItem& item = *parent.Items(i);
    if (!item.Visible()) continue;
    if (item.Caption() == "-") {
      AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    UINT flags = MF_STRING | (item.Enabled() ? MF_ENABLED : MF_GRAYED) | (item.Checked() ? MF_CHECKED : 0);
    if (item.Count() > 0) {
      HMENU sub = CreatePopupMenu();
      AppendItems(sub, item);
      AppendMenu(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), item.Caption().c_str());
    } else {
      AppendMenu(menu, flags, item.Command(), item.Caption().c_str());
    }
  }
}

}  // namespace

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(g_next_command++) {
  if (g_next_command > 0xFFF0) g_next_command = 0x8000;
  Commands()[command_] = this;
}

TMenuItem::~TMenuItem() {
  Commands().erase(command_);
  for (TMenuItem* item : items_) item->parent_ = nullptr;
  if (parent_) parent_->Remove(this);
}

TMenuItem* TMenuItem::FromCommand(UINT command) {
  auto it = Commands().find(command);
  return it == Commands().end() ? nullptr : it->second;
}

void TMenuItem::Changed() {
  const TMenuItem* root = this;
  while (root->parent_) root = root->parent_;
  if (root->menu_) root->menu_->Rebuild();
}

void TMenuItem::SetCaption(const std::string& caption) {
  caption_ = caption;
  Changed();
}

void TMenuItem::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Changed();
}

void TMenuItem::SetChecked(bool checked) {
  checked_ = checked;
  Changed();
}

void TMenuItem::SetVisible(bool visible) {
  visible_ = visible;
  Changed();
}

void TMenuItem::Add(TMenuItem* item) {
  if (!item || item == this) return;
  if (item->parent_) item->parent_->Remove(item);
  item->parent_ = this;
  items_.push_back(item);
  Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
  Changed();
}

void TMenuItem::Click() {
  if (enabled_ && OnClick) OnClick(this);
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), root_(nullptr) { root_.menu_ = this; }

TMenu::~TMenu() { root_.menu_ = nullptr; }

HMENU TMenu::Build(bool popup) const {
  HMENU menu = popup ? CreatePopupMenu() : CreateMenu();
  AppendItems(menu, root_);
  return menu;
}

TMainMenu::~TMainMenu() {
  if (form_ && form_->Menu() == this) form_->SetMenu(nullptr);
  if (handle_ && IsMenu(handle_)) DestroyMenu(handle_);
}

void TMainMenu::AttachTo(TForm* form) {
  form_ = form;
  Rebuild();
}

void TMainMenu::Rebuild() {
  HMENU old = handle_;
  handle_ = nullptr;
  if (form_ && form_->Handle()) {
    handle_ = Build(false);
    SetMenu(form_->Handle(), handle_);
    DrawMenuBar(form_->Handle());
  }
  if (old && IsMenu(old)) DestroyMenu(old);
}

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  HMENU menu = Build(true);
  HWND owner = GetActiveWindow();
  if (!TControl::FromHandle(owner)) {
    TForm* main = Application->MainForm();
    owner = main ? main->Handle() : nullptr;
  }
  const UINT command = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr));
  DestroyMenu(menu);
  if (TMenuItem* item = TMenuItem::FromCommand(command)) item->Click();
}

void TPopupMenu::PopupFor(TControl* control, int x, int y) {
  popup_component_ = control;
  Popup(x, y);
}
