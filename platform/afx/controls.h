// Control objects over the window layer's controls: tool tips, tree view, up-down (spin) and buttons. Each is a
// window object: made by Create, or bound to a dialog's control by DDX_Control / SubclassDlgItem.
#pragma once

#include <string>

#include "platform/afx/wnd.h"
#include "platform/win/common_controls.h"
#include "platform/win/controls.h"

namespace afx {

class CToolTipCtrl : public CWnd {
 public:
  BOOL Create(CWnd* parent, DWORD style = 0);
  // A tool for a whole control window (its id is the window handle, the text request goes to the control's
  // parent); LPSTR_TEXTCALLBACK asks for the text with TTN_GETDISPINFO each time the tip shows.
  BOOL AddTool(CWnd* tool, LPCSTR text = LPSTR_TEXTCALLBACK);
  // A tool for a rectangle of a window, with an id of the caller's choice.
  BOOL AddTool(CWnd* window, LPCSTR text, const RECT& rect, UINT id);
  void DelTool(CWnd* tool);
  void UpdateTipText(LPCSTR text, CWnd* tool);
  void RelayEvent(MSG* msg);
  void Activate(BOOL active);
  // A width in pixels makes tips break into lines ('\n' breaks them anyway); -1 for single lines.
  int SetMaxTipWidth(int width);
  int GetToolCount() const;
};

class CTreeCtrl : public CWnd {
 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  HTREEITEM InsertItem(LPCSTR text, HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST);
  BOOL SetItemText(HTREEITEM item, LPCSTR text);
  std::string GetItemText(HTREEITEM item) const;
  BOOL SetItemData(HTREEITEM item, LPARAM data);
  LPARAM GetItemData(HTREEITEM item) const;
  BOOL DeleteItem(HTREEITEM item);
  BOOL DeleteAllItems();
  BOOL Expand(HTREEITEM item, UINT code);
  HTREEITEM GetRootItem() const;
  HTREEITEM GetChildItem(HTREEITEM item) const;
  HTREEITEM GetNextSiblingItem(HTREEITEM item) const;
  HTREEITEM GetParentItem(HTREEITEM item) const;
  UINT GetCount() const;
};

class CSpinButtonCtrl : public CWnd {
 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  void SetRange(int lower, int upper);
  void GetRange(int& lower, int& upper) const;
  int SetPos(int pos);
  int GetPos() const;
};

// A button; an owner-drawn one (BS_OWNERDRAW) bound to an object draws itself in DrawItem when its parent's map
// does not handle WM_DRAWITEM.
class CButton : public CWnd {
 public:
  BOOL Create(LPCSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);
  int GetCheck() const;
  void SetCheck(int check);
  HBITMAP SetBitmap(HBITMAP bitmap);
  // The drawing request of WM_DRAWITEM: the draw-item record the parent was sent.
  virtual void DrawItem(LPDRAWITEMSTRUCT draw_item) { (void)draw_item; }

 protected:
  bool OnChildNotify(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) override;
};

}  // namespace afx
