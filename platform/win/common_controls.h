// Common controls: status bar, progress bar, up-down, list view (report), tree view and tool tips. Their
// notifications come as WM_NOTIFY to the parent (the scroll of an up-down also as WM_VSCROLL / WM_HSCROLL).
#pragma once

#include "platform/sys/wintypes.h"
#include "platform/win/messages.h"

#define STATUSCLASSNAME "ZprStatusBar"
#define PROGRESS_CLASS "ZprProgress"
#define UPDOWN_CLASS "ZprUpDown"
#define WC_LISTVIEW "ZprListView"
#define WC_TREEVIEW "ZprTreeView"
#define TOOLTIPS_CLASS "ZprToolTips"

struct INITCOMMONCONTROLSEX {
  DWORD dwSize;
  DWORD dwICC;
};
void InitCommonControls();
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);

// Common styles (the placement of bars).
inline constexpr DWORD CCS_TOP = 0x0001;
inline constexpr DWORD CCS_NOMOVEY = 0x0002;
inline constexpr DWORD CCS_BOTTOM = 0x0003;
inline constexpr DWORD CCS_NORESIZE = 0x0004;
inline constexpr DWORD CCS_NOPARENTALIGN = 0x0008;
inline constexpr DWORD CCS_NODIVIDER = 0x0040;

// ---- status bar ----
inline constexpr DWORD SBARS_SIZEGRIP = 0x0100;
inline constexpr DWORD SBT_TOOLTIPS = 0x0800;
inline constexpr UINT SB_SETTEXT = WM_USER + 1;
inline constexpr UINT SB_GETTEXT = WM_USER + 2;
inline constexpr UINT SB_GETTEXTLENGTH = WM_USER + 3;
inline constexpr UINT SB_SETPARTS = WM_USER + 4;
inline constexpr UINT SB_GETPARTS = WM_USER + 6;
inline constexpr UINT SB_GETBORDERS = WM_USER + 7;
inline constexpr UINT SB_SETMINHEIGHT = WM_USER + 8;
inline constexpr UINT SB_SIMPLE = WM_USER + 9;
inline constexpr UINT SB_GETRECT = WM_USER + 10;
inline constexpr UINT SB_ISSIMPLE = WM_USER + 14;
inline constexpr WPARAM SBT_OWNERDRAW = 0x1000;
inline constexpr WPARAM SBT_NOBORDERS = 0x0100;
inline constexpr WPARAM SBT_POPOUT = 0x0200;
inline constexpr WPARAM SBT_RTLREADING = 0x0400;
inline constexpr int SB_SIMPLEID = 0x00FF;
// Creates a status bar at the bottom of parent; it follows the parent's size when sent WM_SIZE.
HWND CreateStatusWindow(LONG style, LPCSTR text, HWND parent, UINT id);
#define CreateStatusWindowA CreateStatusWindow

// ---- progress bar ----
inline constexpr DWORD PBS_SMOOTH = 0x01;
inline constexpr DWORD PBS_VERTICAL = 0x04;
inline constexpr UINT PBM_SETRANGE = WM_USER + 1;
inline constexpr UINT PBM_SETPOS = WM_USER + 2;
inline constexpr UINT PBM_DELTAPOS = WM_USER + 3;
inline constexpr UINT PBM_SETSTEP = WM_USER + 4;
inline constexpr UINT PBM_STEPIT = WM_USER + 5;
inline constexpr UINT PBM_SETRANGE32 = WM_USER + 6;
inline constexpr UINT PBM_GETRANGE = WM_USER + 7;
inline constexpr UINT PBM_GETPOS = WM_USER + 8;
struct PBRANGE {
  int iLow;
  int iHigh;
};

// ---- up-down ----
inline constexpr DWORD UDS_WRAP = 0x0001;
inline constexpr DWORD UDS_SETBUDDYINT = 0x0002;
inline constexpr DWORD UDS_ALIGNRIGHT = 0x0004;
inline constexpr DWORD UDS_ALIGNLEFT = 0x0008;
inline constexpr DWORD UDS_AUTOBUDDY = 0x0010;
inline constexpr DWORD UDS_ARROWKEYS = 0x0020;
inline constexpr DWORD UDS_HORZ = 0x0040;
inline constexpr DWORD UDS_NOTHOUSANDS = 0x0080;
inline constexpr UINT UDM_SETRANGE = WM_USER + 101;
inline constexpr UINT UDM_GETRANGE = WM_USER + 102;
inline constexpr UINT UDM_SETPOS = WM_USER + 103;
inline constexpr UINT UDM_GETPOS = WM_USER + 104;
inline constexpr UINT UDM_SETBUDDY = WM_USER + 105;
inline constexpr UINT UDM_GETBUDDY = WM_USER + 106;
inline constexpr UINT UDM_SETACCEL = WM_USER + 107;
inline constexpr UINT UDM_GETACCEL = WM_USER + 108;
inline constexpr UINT UDM_SETBASE = WM_USER + 109;
inline constexpr UINT UDM_GETBASE = WM_USER + 110;
inline constexpr UINT UDM_SETRANGE32 = WM_USER + 111;
inline constexpr UINT UDM_GETRANGE32 = WM_USER + 112;
inline constexpr UINT UDM_SETPOS32 = WM_USER + 113;
inline constexpr UINT UDM_GETPOS32 = WM_USER + 114;
inline constexpr UINT UDN_FIRST = static_cast<UINT>(-721);
inline constexpr UINT UDN_DELTAPOS = UDN_FIRST - 1;
struct NMUPDOWN {
  NMHDR hdr;
  int iPos;
  int iDelta;
};
using LPNMUPDOWN = NMUPDOWN*;
HWND CreateUpDownControl(DWORD style, int x, int y, int cx, int cy, HWND parent, int id, HINSTANCE instance,
                         HWND buddy, int upper, int lower, int pos);

// ---- list view (report view) ----
inline constexpr DWORD LVS_ICON = 0x0000;
inline constexpr DWORD LVS_REPORT = 0x0001;
inline constexpr DWORD LVS_SMALLICON = 0x0002;
inline constexpr DWORD LVS_LIST = 0x0003;
inline constexpr DWORD LVS_TYPEMASK = 0x0003;
inline constexpr DWORD LVS_SINGLESEL = 0x0004;
inline constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;
inline constexpr DWORD LVS_SORTASCENDING = 0x0010;
inline constexpr DWORD LVS_NOCOLUMNHEADER = 0x4000;
inline constexpr DWORD LVS_NOSORTHEADER = 0x8000;
inline constexpr DWORD LVS_EX_GRIDLINES = 0x0001;
inline constexpr DWORD LVS_EX_FULLROWSELECT = 0x0020;
inline constexpr UINT LVM_FIRST = 0x1000;
inline constexpr UINT LVM_GETITEMCOUNT = LVM_FIRST + 4;
inline constexpr UINT LVM_GETTOPINDEX = LVM_FIRST + 39;
inline constexpr UINT LVM_GETCOUNTPERPAGE = LVM_FIRST + 40;
inline constexpr UINT LVM_GETITEM = LVM_FIRST + 5;
inline constexpr UINT LVM_SETITEM = LVM_FIRST + 6;
inline constexpr UINT LVM_INSERTITEM = LVM_FIRST + 7;
inline constexpr UINT LVM_DELETEITEM = LVM_FIRST + 8;
inline constexpr UINT LVM_DELETEALLITEMS = LVM_FIRST + 9;
inline constexpr UINT LVM_GETNEXTITEM = LVM_FIRST + 12;
inline constexpr UINT LVM_ENSUREVISIBLE = LVM_FIRST + 19;
inline constexpr UINT LVM_GETCOLUMN = LVM_FIRST + 25;
inline constexpr UINT LVM_SETCOLUMN = LVM_FIRST + 26;
inline constexpr UINT LVM_INSERTCOLUMN = LVM_FIRST + 27;
inline constexpr UINT LVM_DELETECOLUMN = LVM_FIRST + 28;
inline constexpr UINT LVM_GETCOLUMNWIDTH = LVM_FIRST + 29;
inline constexpr UINT LVM_SETCOLUMNWIDTH = LVM_FIRST + 30;
inline constexpr UINT LVM_SETITEMSTATE = LVM_FIRST + 43;
inline constexpr UINT LVM_GETITEMSTATE = LVM_FIRST + 44;
inline constexpr UINT LVM_GETITEMTEXT = LVM_FIRST + 45;
inline constexpr UINT LVM_SETITEMTEXT = LVM_FIRST + 46;
inline constexpr UINT LVM_GETSELECTEDCOUNT = LVM_FIRST + 50;
inline constexpr UINT LVM_SETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 54;
inline constexpr UINT LVM_GETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 55;
inline constexpr UINT LVIF_TEXT = 0x0001;
inline constexpr UINT LVIF_IMAGE = 0x0002;
inline constexpr UINT LVIF_PARAM = 0x0004;
inline constexpr UINT LVIF_STATE = 0x0008;
inline constexpr UINT LVIS_FOCUSED = 0x0001;
inline constexpr UINT LVIS_SELECTED = 0x0002;
inline constexpr UINT LVNI_ALL = 0x0000;
inline constexpr UINT LVNI_FOCUSED = 0x0001;
inline constexpr UINT LVNI_SELECTED = 0x0002;
inline constexpr UINT LVCF_FMT = 0x0001;
inline constexpr UINT LVCF_WIDTH = 0x0002;
inline constexpr UINT LVCF_TEXT = 0x0004;
inline constexpr UINT LVCF_SUBITEM = 0x0008;
inline constexpr int LVCFMT_LEFT = 0;
inline constexpr int LVCFMT_RIGHT = 1;
inline constexpr int LVCFMT_CENTER = 2;
inline constexpr UINT LVN_FIRST = static_cast<UINT>(-100);
inline constexpr UINT LVN_ITEMCHANGING = LVN_FIRST - 0;
inline constexpr UINT LVN_ITEMCHANGED = LVN_FIRST - 1;
inline constexpr UINT LVN_INSERTITEM = LVN_FIRST - 2;
inline constexpr UINT LVN_DELETEITEM = LVN_FIRST - 3;
inline constexpr UINT LVN_DELETEALLITEMS = LVN_FIRST - 4;
inline constexpr UINT LVN_COLUMNCLICK = LVN_FIRST - 8;
struct LVITEM {
  UINT mask;
  int iItem;
  int iSubItem;
  UINT state;
  UINT stateMask;
  LPSTR pszText;
  int cchTextMax;
  int iImage;
  LPARAM lParam;
};
struct LVCOLUMN {
  UINT mask;
  int fmt;
  int cx;
  LPSTR pszText;
  int cchTextMax;
  int iSubItem;
};
struct NMLISTVIEW {
  NMHDR hdr;
  int iItem;
  int iSubItem;
  UINT uNewState;
  UINT uOldState;
  UINT uChanged;
  POINT ptAction;
  LPARAM lParam;
};
using LVITEMA = LVITEM;
using LVCOLUMNA = LVCOLUMN;
using LPNMLISTVIEW = NMLISTVIEW*;

// ---- tree view ----
inline constexpr DWORD TVS_HASBUTTONS = 0x0001;
inline constexpr DWORD TVS_HASLINES = 0x0002;
inline constexpr DWORD TVS_LINESATROOT = 0x0004;
inline constexpr DWORD TVS_EDITLABELS = 0x0008;
inline constexpr DWORD TVS_SHOWSELALWAYS = 0x0020;
inline constexpr UINT TV_FIRST = 0x1100;
inline constexpr UINT TVM_INSERTITEM = TV_FIRST + 0;
inline constexpr UINT TVM_DELETEITEM = TV_FIRST + 1;
inline constexpr UINT TVM_EXPAND = TV_FIRST + 2;
inline constexpr UINT TVM_GETCOUNT = TV_FIRST + 5;
inline constexpr UINT TVM_GETNEXTITEM = TV_FIRST + 10;
inline constexpr UINT TVM_SELECTITEM = TV_FIRST + 11;
inline constexpr UINT TVM_GETITEM = TV_FIRST + 12;
inline constexpr UINT TVM_SETITEM = TV_FIRST + 13;
inline constexpr UINT TVM_ENSUREVISIBLE = TV_FIRST + 20;
inline constexpr UINT TVM_SORTCHILDREN = TV_FIRST + 19;
inline constexpr UINT TVIF_TEXT = 0x0001;
inline constexpr UINT TVIF_IMAGE = 0x0002;
inline constexpr UINT TVIF_PARAM = 0x0004;
inline constexpr UINT TVIF_STATE = 0x0008;
inline constexpr UINT TVIF_HANDLE = 0x0010;
inline constexpr UINT TVIF_SELECTEDIMAGE = 0x0020;
inline constexpr UINT TVIF_CHILDREN = 0x0040;
inline constexpr UINT TVIS_SELECTED = 0x0002;
inline constexpr UINT TVIS_BOLD = 0x0010;
inline constexpr UINT TVIS_EXPANDED = 0x0020;
inline constexpr WPARAM TVGN_ROOT = 0x0000;
inline constexpr WPARAM TVGN_NEXT = 0x0001;
inline constexpr WPARAM TVGN_PREVIOUS = 0x0002;
inline constexpr WPARAM TVGN_PARENT = 0x0003;
inline constexpr WPARAM TVGN_CHILD = 0x0004;
inline constexpr WPARAM TVGN_CARET = 0x0009;
inline constexpr WPARAM TVE_COLLAPSE = 0x0001;
inline constexpr WPARAM TVE_EXPAND = 0x0002;
inline constexpr WPARAM TVE_TOGGLE = 0x0003;
inline constexpr UINT TVC_UNKNOWN = 0x0000;
inline constexpr UINT TVC_BYMOUSE = 0x0001;
inline constexpr UINT TVC_BYKEYBOARD = 0x0002;
#define TVI_ROOT (reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x10000)))
#define TVI_FIRST (reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x0FFFF)))
#define TVI_LAST (reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x0FFFE)))
#define TVI_SORT (reinterpret_cast<HTREEITEM>(static_cast<std::intptr_t>(-0x0FFFD)))
inline constexpr UINT TVN_FIRST = static_cast<UINT>(-400);
inline constexpr UINT TVN_SELCHANGING = TVN_FIRST - 1;
inline constexpr UINT TVN_SELCHANGED = TVN_FIRST - 2;
inline constexpr UINT TVN_ITEMEXPANDING = TVN_FIRST - 5;
inline constexpr UINT TVN_ITEMEXPANDED = TVN_FIRST - 6;
inline constexpr UINT TVN_DELETEITEM = TVN_FIRST - 9;
struct TVITEM {
  UINT mask;
  HTREEITEM hItem;
  UINT state;
  UINT stateMask;
  LPSTR pszText;
  int cchTextMax;
  int iImage;
  int iSelectedImage;
  int cChildren;
  LPARAM lParam;
};
struct TVINSERTSTRUCT {
  HTREEITEM hParent;
  HTREEITEM hInsertAfter;
  TVITEM item;
};
struct NMTREEVIEW {
  NMHDR hdr;
  UINT action;
  TVITEM itemOld;
  TVITEM itemNew;
  POINT ptDrag;
};
using TVITEMA = TVITEM;
using TVINSERTSTRUCTA = TVINSERTSTRUCT;
using LPNMTREEVIEW = NMTREEVIEW*;

// ---- tool tips ----
inline constexpr DWORD TTS_ALWAYSTIP = 0x01;
inline constexpr DWORD TTS_NOPREFIX = 0x02;
inline constexpr UINT TTF_IDISHWND = 0x0001;
inline constexpr UINT TTF_CENTERTIP = 0x0002;
inline constexpr UINT TTF_SUBCLASS = 0x0010;
inline constexpr UINT TTF_TRACK = 0x0020;
inline constexpr UINT TTF_ABSOLUTE = 0x0080;
inline constexpr UINT TTF_TRANSPARENT = 0x0100;
inline constexpr UINT TTM_ACTIVATE = WM_USER + 1;
inline constexpr UINT TTM_SETDELAYTIME = WM_USER + 3;
inline constexpr UINT TTM_GETDELAYTIME = WM_USER + 21;
inline constexpr WPARAM TTDT_AUTOMATIC = 0;  // sets the other three from one time
inline constexpr WPARAM TTDT_RESHOW = 1;     // from one tool to the next while a tip shows
inline constexpr WPARAM TTDT_AUTOPOP = 2;    // how long a tip stays
inline constexpr WPARAM TTDT_INITIAL = 3;    // the pointer's rest before a tip shows
inline constexpr UINT TTM_ADDTOOL = WM_USER + 4;
inline constexpr UINT TTM_DELTOOL = WM_USER + 5;
inline constexpr UINT TTM_NEWTOOLRECT = WM_USER + 6;
inline constexpr UINT TTM_RELAYEVENT = WM_USER + 7;
inline constexpr UINT TTM_GETTOOLINFO = WM_USER + 8;
inline constexpr UINT TTM_SETTOOLINFO = WM_USER + 9;
inline constexpr UINT TTM_GETTEXT = WM_USER + 11;
inline constexpr UINT TTM_UPDATETIPTEXT = WM_USER + 12;
inline constexpr UINT TTM_GETTOOLCOUNT = WM_USER + 13;
inline constexpr UINT TTM_SETMAXTIPWIDTH = WM_USER + 24;
inline constexpr UINT TTM_GETMAXTIPWIDTH = WM_USER + 25;
inline constexpr UINT TTM_POP = WM_USER + 28;
inline constexpr UINT TTN_FIRST = static_cast<UINT>(-520);
inline constexpr UINT TTN_GETDISPINFO = TTN_FIRST - 0;
inline constexpr UINT TTN_NEEDTEXT = TTN_GETDISPINFO;  // the older name of the same text callback
inline constexpr UINT TTN_SHOW = TTN_FIRST - 1;
inline constexpr UINT TTN_POP = TTN_FIRST - 2;
#define LPSTR_TEXTCALLBACK (reinterpret_cast<LPSTR>(static_cast<std::intptr_t>(-1)))
struct TOOLINFO {
  UINT cbSize;
  UINT uFlags;
  HWND hwnd;
  UINT_PTR uId;
  RECT rect;
  HINSTANCE hinst;
  LPSTR lpszText;
  LPARAM lParam;
};
struct NMTTDISPINFO {
  NMHDR hdr;
  LPSTR lpszText;
  char szText[80];
  HINSTANCE hinst;
  UINT uFlags;
  LPARAM lParam;
};
using TOOLTIPTEXT = NMTTDISPINFO;
using LPTOOLTIPTEXT = NMTTDISPINFO*;
using TOOLINFOA = TOOLINFO;
using TTTOOLINFO = TOOLINFO;

namespace platform::win {

// The tip a tool-tip control shows now ("" when none), for tests and a display backend.
const char* ShownToolTip(HWND tooltip);

}  // namespace platform::win
