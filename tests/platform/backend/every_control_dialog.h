// One dialog that holds a control of every kind the programs show, filled with plausible content: the golden
// picture test renders it headless, the X11 test shows it on a virtual screen and works its combo box.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/bitmap_resources.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/sys_colors.h"
#include "platform/gdi/images.h"
#include "platform/win/common_controls.h"
#include "platform/win/controls.h"
#include "platform/win/cursor.h"
#include "platform/win/dialog.h"
#include "platform/win/message_loop.h"
#include "platform/win/metrics.h"
#include "platform/win/window.h"

namespace everycontrol {

enum Id : int {
  kLabel = 200, kIcon, kPicture, kEtched, kGroup, kCheck, kRadioA, kRadioB, kEdit, kNotes, kReadOnly, kList,
  kCombo, kComboEdit, kScroll, kProgress, kUpDown, kBuddy, kListView, kTree, kBitmapButton, kOwnerDraw, kStatus,
};
inline constexpr int kPictureBitmap = 950;  // a bitmap resource of the test, colour-mapped when shown

inline constexpr DialogItemTemplate kItems[] = {
    {kLabel, WC_STATIC, "&Frequenz:", SS_LEFT, 7, 8, 40, 9},
    {kEdit, WC_EDIT, "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 50, 6, 50, 12},
    {kBuddy, WC_EDIT, "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 105, 6, 30, 12},
    {kUpDown, UPDOWN_CLASS, "", UDS_SETBUDDYINT | UDS_ALIGNRIGHT, 135, 6, 10, 12},
    {kCombo, WC_COMBOBOX, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 150, 6, 60, 60},
    {kComboEdit, WC_COMBOBOX, "", CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, 215, 6, 60, 60},
    {kGroup, WC_BUTTON, "Betriebsart", BS_GROUPBOX, 7, 24, 95, 52},
    {kRadioA, WC_BUTTON, "&Lokal", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 13, 35, 80, 10},
    {kRadioB, WC_BUTTON, "Fern&steuerung", BS_AUTORADIOBUTTON, 13, 47, 80, 10},
    {kCheck, WC_BUTTON, "&Auto save", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 13, 60, 80, 10},
    {kNotes, WC_EDIT, "", ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 108, 24, 80, 36},
    {kReadOnly, WC_EDIT, "P0304", ES_READONLY | WS_BORDER, 108, 64, 80, 12},
    {kList, WC_LISTBOX, "", LBS_NOTIFY | WS_BORDER | WS_VSCROLL | WS_TABSTOP, 195, 24, 80, 40},
    {kScroll, WC_SCROLLBAR, "", SBS_HORZ, 195, 66, 80, 10},
    {kListView, WC_LISTVIEW, "", LVS_REPORT | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP, 7, 82, 130, 50},
    {kTree, WC_TREEVIEW, "", TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP,
     142, 82, 80, 50},
    {kIcon, WC_STATIC, "", SS_ICON, 228, 82, 20, 20},
    {kPicture, WC_STATIC, "", SS_BITMAP, 252, 82, 24, 20},
    {kEtched, WC_STATIC, "", SS_ETCHEDHORZ, 228, 106, 48, 2},
    {kBitmapButton, WC_BUTTON, "", BS_PUSHBUTTON | BS_BITMAP | WS_TABSTOP, 228, 112, 22, 20},
    {kOwnerDraw, WC_BUTTON, "", BS_OWNERDRAW | WS_TABSTOP, 254, 112, 22, 20},
    {kProgress, PROGRESS_CLASS, "", 0, 7, 138, 130, 9},
    {IDOK, WC_BUTTON, "OK", BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 170, 136, 50, 14},
    {IDCANCEL, WC_BUTTON, "Abbrechen", BS_PUSHBUTTON | WS_TABSTOP, 226, 136, 50, 14},
    {kStatus, STATUSCLASSNAME, "", 0, 0, 0, 0, 0},
};
inline constexpr DialogTemplate kDialog{WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 20, 20, 283, 168,
                                        "Alle Steuerelemente", kItems};

// A 16 x 16 picture: a red disc on a magenta field; magenta is mapped to the face colour when it is shown.
inline const std::vector<std::uint8_t>& PictureBmp() {
  static const std::vector<std::uint8_t> bmp = [] {
    constexpr int w = 16, h = 16;
    std::vector<std::uint8_t> b(54 + w * h * 3, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
      for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, static_cast<std::uint32_t>(b.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, w);
    put32(22, h);
    b[26] = 1;
    b[28] = 24;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const std::size_t at = 54 + static_cast<std::size_t>((y * w + x) * 3);
        const int dx = 2 * x - 15, dy = 2 * y - 15;
        const bool disc = dx * dx + dy * dy < 150;
        b[at] = disc ? 0 : 255;      // blue
        b[at + 1] = 0;               // green
        b[at + 2] = 255;             // red
      }
    return b;
  }();
  return bmp;
}

inline COLORREF g_owner_colour = RGB(0, 128, 255);
inline int g_draw_items = 0;

inline INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetDlgItemText(dialog, kEdit, "50,00");
      SetDlgItemText(dialog, kNotes, "Zeile 1\r\nZeile 2\r\nZeile 3\r\nZeile 4");
      for (const char* s : {"9600", "19200", "38400", "57600", "115200", "230400"})
        SendDlgItemMessage(dialog, kCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
      SendDlgItemMessage(dialog, kCombo, CB_SETCURSEL, 1, 0);
      for (const char* s : {"COM1", "COM2", "COM3"})
        SendDlgItemMessage(dialog, kComboEdit, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
      SetDlgItemText(dialog, kComboEdit, "COM1");
      for (const char* s : {"Motor", "Umrichter", "Geber", "Bremse", "Sollwert"})
        SendDlgItemMessage(dialog, kList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
      SendDlgItemMessage(dialog, kList, LB_SETCURSEL, 1, 0);
      CheckRadioButton(dialog, kRadioA, kRadioB, kRadioA);
      CheckDlgButton(dialog, kCheck, BST_CHECKED);
      SetScrollRange(GetDlgItem(dialog, kScroll), SB_CTL, 0, 100, FALSE);
      SetScrollPos(GetDlgItem(dialog, kScroll), SB_CTL, 30, FALSE);
      SendDlgItemMessage(dialog, kProgress, PBM_SETRANGE32, 0, 100);
      SendDlgItemMessage(dialog, kProgress, PBM_SETPOS, 60, 0);
      SendDlgItemMessage(dialog, kUpDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(dialog, kBuddy)), 0);
      SendDlgItemMessage(dialog, kUpDown, UDM_SETRANGE32, 0, 99);
      SendDlgItemMessage(dialog, kUpDown, UDM_SETPOS32, 0, 5);
      HWND view = GetDlgItem(dialog, kListView);
      const char* columns[] = {"Parameter", "Wert"};
      for (int c = 0; c < 2; ++c) {
        LVCOLUMN col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        col.fmt = c == 1 ? LVCFMT_RIGHT : LVCFMT_LEFT;
        col.cx = c == 0 ? 100 : 80;
        col.pszText = const_cast<char*>(columns[c]);
        SendMessage(view, LVM_INSERTCOLUMN, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
      }
      const char* rows[][2] = {{"P0100", "0"}, {"P0304", "400"}, {"P0305", "1,86"}, {"P0307", "0,75"}, {"P0310", "50,00"}};
      for (int r = 0; r < 5; ++r) {
        LVITEM item{};
        item.mask = LVIF_TEXT;
        item.iItem = r;
        item.pszText = const_cast<char*>(rows[r][0]);
        SendMessage(view, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
        LVITEM sub{};
        sub.iSubItem = 1;
        sub.pszText = const_cast<char*>(rows[r][1]);
        SendMessage(view, LVM_SETITEMTEXT, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(&sub));
      }
      LVITEM sel{};
      sel.stateMask = LVIS_SELECTED;
      sel.state = LVIS_SELECTED;
      SendMessage(view, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&sel));
      HWND tree = GetDlgItem(dialog, kTree);
      auto insert = [tree](HTREEITEM parent, const char* text) {
        TVINSERTSTRUCT ins{};
        ins.hParent = parent;
        ins.hInsertAfter = TVI_LAST;
        ins.item.mask = TVIF_TEXT;
        ins.item.pszText = const_cast<char*>(text);
        return reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&ins)));
      };
      HTREEITEM drive = insert(TVI_ROOT, "Antrieb");
      HTREEITEM motor = insert(drive, "Motor");
      insert(drive, "Geber");
      HTREEITEM bus = insert(TVI_ROOT, "Kommunikation");
      insert(bus, "USS");
      SendMessage(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(drive));
      SendMessage(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(motor));
      SendDlgItemMessage(dialog, kIcon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIcon(nullptr, IDI_EXCLAMATION)), 0);
      platform::gdi::RegisterBitmapResource(nullptr, MAKEINTRESOURCE(kPictureBitmap), PictureBmp().data(), PictureBmp().size());
      const COLORMAP map[] = {{RGB(255, 0, 255), GetSysColor(COLOR_BTNFACE)}};
      HBITMAP picture = CreateMappedBitmap(nullptr, kPictureBitmap, 0, map, 1);
      SendDlgItemMessage(dialog, kPicture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
      SendDlgItemMessage(dialog, kBitmapButton, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
      HWND status = GetDlgItem(dialog, kStatus);
      const int parts[] = {200, -1};
      SendMessage(status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
      SendMessage(status, SB_SETTEXT, 0, reinterpret_cast<LPARAM>("Bereit"));
      SendMessage(status, SB_SETTEXT, 1, reinterpret_cast<LPARAM>("COM1 9600 Bd"));
      return TRUE;
    }
    case WM_DRAWITEM: {
      // The owner-drawn button: a colour swatch in a sunken frame, pressed one pixel down.
      const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      if (!dis || dis->CtlID != kOwnerDraw) return FALSE;
      ++g_draw_items;
      FillRect(dis->hDC, &dis->rcItem, GetSysColorBrush(COLOR_BTNFACE));
      RECT swatch = dis->rcItem;
      InflateRect(&swatch, -3, -3);
      if (dis->itemState & ODS_SELECTED) OffsetRect(&swatch, 1, 1);
      HBRUSH brush = CreateSolidBrush(g_owner_colour);
      FillRect(dis->hDC, &swatch, brush);
      DeleteObject(brush);
      FrameRect(dis->hDC, &dis->rcItem, GetSysColorBrush(COLOR_WINDOWFRAME));
      return TRUE;
    }
    default: return FALSE;
  }
}

}  // namespace everycontrol
