#include "platform/vcl/list_view.h"

#include <algorithm>

#include "platform/gdi/gdi.h"
#include "platform/gdi/common_control_paint.h"
#include "platform/gdi/control_paint.h"
#include "platform/gdi/sys_colors.h"
#include "platform/vcl/canvas.h"
#include "platform/win/input.h"
#include "platform/win/window.h"
#include "platform/win/message_loop.h"

void TStringList::Add(const std::string& s) {
  strings_.push_back(s);
  if (changed_) changed_();
}

void TStringList::Clear() {
  strings_.clear();
  if (changed_) changed_();
}

void TStringList::SetStrings(int index, const std::string& s) {
  strings_.at(static_cast<std::size_t>(index)) = s;
  if (changed_) changed_();
}

TListItem::TListItem(TListView* owner) : owner_(owner), sub_items_([owner] { owner->Invalidate(); }) {}

void TListItem::SetCaption(const std::string& caption) {
  caption_ = caption;
  owner_->Invalidate();
}

int TListItem::Index() const {
  for (int i = 0; i < owner_->Count(); ++i)
    if (owner_->Item(i) == this) return i;
  return -1;
}

void TListItem::SetSelected(bool selected) {
  if (selected == selected_) return;
  if (selected) {
    // One selection at a time: the item that loses it is reported first.
    if (TListItem* old = owner_->Selected()) old->SetSelected(false);
  }
  selected_ = selected;
  owner_->SelectionChanged(this);
}

TListView::TListView(TComponent* owner) : TControl(owner) {
  SetBounds(0, 0, 250, 150);
  color_ = clWindow;
}

TListView::~TListView() { items_.clear(); }

TControl::WindowParams TListView::CreateParams() const {
  return {"ZprVclControl", WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP, 0, false};
}

TListColumn& TListView::AddColumn(const std::string& caption, int width) {
  columns_.push_back({caption, width});
  Invalidate();
  return columns_.back();
}

TListItem* TListView::AddItem() {
  items_.push_back(std::make_unique<TListItem>(this));
  Invalidate();
  return items_.back().get();
}

void TListView::Clear() {
  items_.clear();
  top_ = 0;
  Invalidate();
}

TListItem* TListView::Item(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return items_[static_cast<std::size_t>(index)].get();
}

TListItem* TListView::Selected() const {
  for (const auto& item : items_)
    if (item->selected_) return item.get();
  return nullptr;
}

int TListView::ItemIndex() const {
  TListItem* item = Selected();
  return item ? item->Index() : -1;
}

void TListView::SetItemIndex(int index) {
  if (TListItem* item = Item(index)) {
    item->SetSelected(true);
  } else if (TListItem* old = Selected()) {
    old->SetSelected(false);
  }
}

void TListView::SelectionChanged(TListItem* item) {
  Invalidate();
  if (OnChange) OnChange(this, item, ctState);
}

int TListView::RowHeight() const { return platform::gdi::ListItemHeight(VclFont()) + 2; }

int TListView::RowAt(int y) const {
  const int h = RowHeight();
  if (y < h + 2) return -1;
  const int row = top_ + (y - h - 2) / h;
  return row < Count() ? row : -1;
}

void TListView::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  SetFocus();
  const int row = RowAt(y);
  if (button == mbLeft || button == mbRight) {
    if (row >= 0) SetItemIndex(row);
  }
  TControl::MouseDown(button, shift, x, y);
}

LRESULT TListView::WndProc(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_KEYDOWN && (wparam == VK_UP || wparam == VK_DOWN)) {
    WORD key = static_cast<WORD>(wparam);
    if (KeyDown(key, KeyboardShiftState())) return 0;
    if (Count() == 0) return 0;
    int index = ItemIndex();
    index = key == VK_UP ? std::max(0, index - 1) : std::min(Count() - 1, index + 1);
    if (index != ItemIndex()) SetItemIndex(index);
    return 0;
  }
  return TControl::WndProc(message, wparam, lparam);
}

void TListView::Paint(HDC dc) {
  RECT r;
  GetClientRect(Handle(), &r);
  const RECT inner = platform::gdi::PaintEdge(dc, r, true);
  // The report itself is painted as the window layer's list view paints its own: one header and row painter.
  platform::gdi::ListViewLook look;
  look.font = VclFont();
  look.row_height = RowHeight();
  look.header_height = RowHeight() + 2;
  look.top = top_;
  look.focused = true;  // the selection shows in the highlight colour whether or not the list has the focus
  look.show_selection_always = true;
  look.full_row_select = true;
  for (const TListColumn& column : columns_) look.columns.push_back({column.Caption, column.Width, 0});
  for (int row = 0; row < Count(); ++row) {
    const TListItem& item = *items_[static_cast<std::size_t>(row)];
    platform::gdi::ListViewRowLook line;
    line.texts.push_back(item.caption_);
    for (int c = 0; c < item.sub_items_.Count(); ++c) line.texts.push_back(item.sub_items_[c]);
    line.selected = item.selected_;
    look.rows.push_back(std::move(line));
  }
  platform::gdi::PaintListView(dc, inner, look);
}
