// A list view in report style: a header of columns and rows of an item caption and its sub-items. A click on a
// row (or the Up and Down keys) selects it; OnChange runs for every change of the selection (set by the user or
// by the program), with the item whose selection changed, and for nothing else.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/vcl/control.h"

class TListView;

class TStringList {
 public:
  explicit TStringList(std::function<void()> changed = nullptr) : changed_(std::move(changed)) {}
  void Add(const std::string& s);
  void Clear();
  int Count() const { return static_cast<int>(strings_.size()); }
  const std::string& Strings(int index) const { return strings_.at(static_cast<std::size_t>(index)); }
  void SetStrings(int index, const std::string& s);
  const std::string& operator[](int index) const { return Strings(index); }

 private:
  std::vector<std::string> strings_;
  std::function<void()> changed_;
};

class TListItem {
 public:
  explicit TListItem(TListView* owner);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  TStringList& SubItems() { return sub_items_; }
  const TStringList& SubItems() const { return sub_items_; }
  bool Selected() const { return selected_; }
  void SetSelected(bool selected);
  int Index() const;

 private:
  friend class TListView;
  TListView* owner_;
  std::string caption_;
  TStringList sub_items_;
  bool selected_ = false;
};

struct TListColumn {
  std::string Caption;
  int Width = 50;
};

enum class TItemChange { ctText, ctImage, ctState };
using enum TItemChange;
enum class TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
using enum TViewStyle;
using TLVChangeEvent = std::function<void(TObject* sender, TListItem* item, TItemChange change)>;

class TListView : public TControl {
 public:
  explicit TListView(TComponent* owner);
  ~TListView() override;

  TViewStyle ViewStyle() const { return view_style_; }
  void SetViewStyle(TViewStyle style) { view_style_ = style; }
  TListColumn& AddColumn(const std::string& caption, int width);
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  const TListColumn& Column(int index) const { return columns_.at(static_cast<std::size_t>(index)); }

  TListItem* AddItem();
  void Clear();
  int Count() const { return static_cast<int>(items_.size()); }
  TListItem* Item(int index) const;
  // The selected item (null when none) and its index (-1 when none).
  TListItem* Selected() const;
  int ItemIndex() const;
  void SetItemIndex(int index);

  TLVChangeEvent OnChange;

  // The row at a client point (-1 for the header or empty space), and the height of the header and a row.
  int RowAt(int y) const;
  int RowHeight() const;

 protected:
  WindowParams CreateParams() const override;
  void Paint(HDC dc) override;
  LRESULT WndProc(UINT message, WPARAM wparam, LPARAM lparam) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  friend class TListItem;
  void SelectionChanged(TListItem* item);
  TViewStyle view_style_ = vsReport;
  std::vector<TListColumn> columns_;
  std::vector<std::unique_ptr<TListItem>> items_;
  int top_ = 0;
};
