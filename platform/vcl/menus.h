// Menus: a main menu on a form's menu bar and pop-up menus, built from menu items. An item with items of its
// own opens a pop-up; the caption "-" is a separator; '&' marks the mnemonic. Changing an item (caption,
// Enabled, Checked, Visible, items) rebuilds the menu it is shown in. Picking an item runs its OnClick.
#pragma once

#include <vector>

#include "platform/sys/wintypes.h"
#include "platform/vcl/component.h"

class TControl;
class TForm;
class TMenu;

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  // The command id the item has in a menu.
  UINT Command() const { return command_; }

  void Add(TMenuItem* item);
  void Remove(TMenuItem* item);
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(static_cast<std::size_t>(index)); }
  TMenuItem* Parent() const { return parent_; }

  TNotifyEvent OnClick;
  // OnClick when the item is enabled.
  void Click();

  // The live item with a command id, null when none.
  static TMenuItem* FromCommand(UINT command);

 private:
  friend class TMenu;
  void Changed();
  TMenu* menu_ = nullptr;  // the menu whose root this item is
  TMenuItem* parent_ = nullptr;
  std::vector<TMenuItem*> items_;
  std::string caption_;
  bool enabled_ = true;
  bool checked_ = false;
  bool visible_ = true;
  UINT command_;
};

class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;
  // The root item: its items are the menu's items.
  TMenuItem* Items() { return &root_; }
  // Builds the menu's handle from its items (a menu bar or a pop-up).
  HMENU Build(bool popup) const;
  virtual void Rebuild() {}

 private:
  TMenuItem root_;
};

class TMainMenu : public TMenu {
 public:
  explicit TMainMenu(TComponent* owner) : TMenu(owner) {}
  ~TMainMenu() override;
  // The form whose menu bar shows the menu (TForm::SetMenu sets it).
  void AttachTo(TForm* form);
  void Rebuild() override;

 private:
  TForm* form_ = nullptr;
  HMENU handle_ = nullptr;
};

class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(TComponent* owner) : TMenu(owner) {}
  // Shows the menu at a screen point and runs the item picked.
  void Popup(int x, int y);
  // As Popup, for the control the menu belongs to (a right click on it).
  void PopupFor(TControl* control, int x, int y);
  TControl* PopupComponent() const { return popup_component_; }
  TNotifyEvent OnPopup;

 private:
  TControl* popup_component_ = nullptr;
};
