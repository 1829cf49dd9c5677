// Menus (menu bars and pop-ups, from constant tables or built by calls), keyboard accelerators, and the user's
// picking of a menu command: WM_INITMENU, WM_INITMENUPOPUP, WM_MENUSELECT for every step, WM_ENTERIDLE
// (MSGF_MENU), WM_MENUSELECT 0xFFFF with no menu when it closes, then WM_COMMAND posted to the window.
#pragma once

#include <functional>
#include <span>
#include <vector>

#include "platform/sys/wintypes.h"
#include "platform/win/messages.h"

// Item flags.
inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_ENABLED = 0x0000;
inline constexpr UINT MF_UNCHECKED = 0x0000;
inline constexpr UINT MF_BYCOMMAND = 0x0000;
inline constexpr UINT MF_GRAYED = 0x0001;
inline constexpr UINT MF_DISABLED = 0x0002;
inline constexpr UINT MF_BITMAP = 0x0004;
inline constexpr UINT MF_CHECKED = 0x0008;
inline constexpr UINT MF_POPUP = 0x0010;
inline constexpr UINT MF_MENUBARBREAK = 0x0020;
inline constexpr UINT MF_MENUBREAK = 0x0040;
inline constexpr UINT MF_HILITE = 0x0080;
inline constexpr UINT MF_OWNERDRAW = 0x0100;
inline constexpr UINT MF_BYPOSITION = 0x0400;
inline constexpr UINT MF_SEPARATOR = 0x0800;
inline constexpr UINT MF_DEFAULT = 0x1000;
inline constexpr UINT MF_SYSMENU = 0x2000;
inline constexpr UINT MF_RIGHTJUSTIFY = 0x4000;
inline constexpr UINT MF_HELP = 0x4000;
inline constexpr UINT MF_MOUSESELECT = 0x8000;
inline constexpr UINT MFT_RADIOCHECK = 0x0200;

// TrackPopupMenu flags.
inline constexpr UINT TPM_LEFTBUTTON = 0x0000;
inline constexpr UINT TPM_LEFTALIGN = 0x0000;
inline constexpr UINT TPM_TOPALIGN = 0x0000;
inline constexpr UINT TPM_RIGHTBUTTON = 0x0002;
inline constexpr UINT TPM_CENTERALIGN = 0x0004;
inline constexpr UINT TPM_RIGHTALIGN = 0x0008;
inline constexpr UINT TPM_VCENTERALIGN = 0x0010;
inline constexpr UINT TPM_BOTTOMALIGN = 0x0020;
inline constexpr UINT TPM_NONOTIFY = 0x0080;
inline constexpr UINT TPM_RETURNCMD = 0x0100;

// WM_MENUCHAR answers (high word of the result; the low word is an item position for MNC_EXECUTE and MNC_SELECT).
inline constexpr WORD MNC_IGNORE = 0;   // no item: a beep, the menu stays
inline constexpr WORD MNC_CLOSE = 1;    // the menu closes
inline constexpr WORD MNC_EXECUTE = 2;  // the item is picked (a pop-up item opens)
inline constexpr WORD MNC_SELECT = 3;   // the item is highlighted

// A row of a constant menu table. Rows of depth 0 are the items of the menu itself; a row with MF_POPUP opens a
// pop-up whose items are the rows of depth + 1 that follow it.
struct MenuTemplateItem {
  int depth;
  UINT flags;
  UINT id;
  const char* text;
};

HMENU CreateMenu();
HMENU CreatePopupMenu();
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
HMENU LoadMenu(HINSTANCE instance, LPCSTR name);
HMENU LoadMenuIndirect(const MenuTemplateItem* items, std::size_t count);
BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR id_or_popup, LPCSTR text);
BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id_or_popup, LPCSTR text);
BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id_or_popup, LPCSTR text);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);  // destroys a pop-up it removes
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);  // keeps it
HMENU GetMenu(HWND hwnd);
BOOL SetMenu(HWND hwnd, HMENU menu);
HMENU GetSubMenu(HMENU menu, int position);
// The window menu of a window with WS_SYSMENU (null for others): Restore, Move, Size, Minimize, Maximize as the
// style allows, a separator and Close. The window keeps its own copy, which the program may change; revert
// drops that copy (the next call builds a fresh one) and gives null.
HMENU GetSystemMenu(HWND hwnd, BOOL revert);
int GetMenuItemCount(HMENU menu);
UINT GetMenuItemID(HMENU menu, int position);  // 0xFFFFFFFF for a pop-up or a bad position
int GetMenuString(HMENU menu, UINT item, LPSTR buffer, int size, UINT flags);
UINT GetMenuState(HMENU menu, UINT item, UINT flags);  // 0xFFFFFFFF when absent
// The previous state (MF_ENABLED, MF_GRAYED, MF_DISABLED), 0xFFFFFFFF when absent.
UINT EnableMenuItem(HMENU menu, UINT item, UINT flags);
// The previous state (MF_CHECKED or MF_UNCHECKED), 0xFFFFFFFF when absent.
DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags);
BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags);
BOOL DrawMenuBar(HWND hwnd);
// Shows the pop-up menu at the screen point and runs the menu loop until the user picks a command or closes it.
// When a pop-up responder is set (tests), it picks the command instead (0 = dismissed). With TPM_RETURNCMD the
// command is returned, otherwise WM_COMMAND is posted to the owner and TRUE returned.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect);
// Closes the menu that is open now (no command); FALSE when none is.
BOOL EndMenu();

// Keyboard accelerators.
inline constexpr BYTE FVIRTKEY = 0x01;
inline constexpr BYTE FNOINVERT = 0x02;
inline constexpr BYTE FSHIFT = 0x04;
inline constexpr BYTE FCONTROL = 0x08;
inline constexpr BYTE FALT = 0x10;
struct ACCEL {
  BYTE fVirt;
  WORD key;
  WORD cmd;
};
HACCEL CreateAcceleratorTable(const ACCEL* entries, int count);
BOOL DestroyAcceleratorTable(HACCEL table);
HACCEL LoadAccelerators(HINSTANCE instance, LPCSTR name);
// A key-down that matches sends WM_COMMAND (high word 1) to hwnd; returns TRUE then.
int TranslateAccelerator(HWND hwnd, HACCEL table, const MSG* msg);

#define LoadMenuA LoadMenu
#define AppendMenuA AppendMenu
#define InsertMenuA InsertMenu
#define ModifyMenuA ModifyMenu
#define GetMenuStringA GetMenuString
#define LoadAcceleratorsA LoadAccelerators
#define TranslateAcceleratorA TranslateAccelerator

namespace platform::win {

// Numbered or named resources of a module: the tables stay owned by the caller (constant tables).
void RegisterMenuTemplate(HINSTANCE instance, LPCSTR name, std::span<const MenuTemplateItem> items);
void RegisterAcceleratorTable(HINSTANCE instance, LPCSTR name, std::span<const ACCEL> entries);

// The user picks command id from the menu bar of hwnd, opening the pop-ups on the way. False (and no WM_COMMAND)
// when the command is not in the menu or it or a pop-up on the way is greyed or disabled.
bool PickMenuCommand(HWND hwnd, UINT id);
// The user opens pop-up `position` of the menu bar and closes it again without a choice.
bool BrowseMenu(HWND hwnd, int position);

// Answers TrackPopupMenu headless: the command the user picks, 0 to dismiss.
using PopupMenuResponder = std::function<UINT(HMENU menu, HWND owner)>;
void SetPopupMenuResponder(PopupMenuResponder responder);

// A flat view of a menu item for tests and a display backend.
struct MenuItemInfo {
  bool found = false;
  UINT flags = 0;
  UINT id = 0;
  HMENU popup = nullptr;
  const char* text = "";
};
MenuItemInfo DescribeMenuItem(HMENU menu, UINT item, UINT by_flags);

// The menu loop (menu_loop.cpp). The user's menu of a window's bar runs from DefWindowProc: a click on the bar
// (WM_NCLBUTTONDOWN on HTMENU gives WM_SYSCOMMAND SC_MOUSEMENU), Alt+mnemonic (WM_SYSCHAR gives SC_KEYMENU with
// the character), F10 or Alt alone (SC_KEYMENU with 0). The loop is modal: timers, painting and posted messages
// go on, the input goes to the menu. Returns the command picked, 0 when none.
UINT TrackMenuBar(HWND hwnd, POINT screen_point, bool by_mouse, BYTE mnemonic);
// The window menu of hwnd (Alt+Space, or a click on the window-menu box of its caption when by_mouse, at that
// screen point). Its items are greyed for the window's state before it opens (Restore only when minimized or
// maximized, Move and Size not when maximized, ...); the pick is posted as WM_SYSCOMMAND with the item's SC_ code
// (lParam: the screen point when picked by mouse). Returns the command picked, 0 when none.
UINT TrackSystemMenu(HWND hwnd, POINT screen_point, bool by_mouse);
// Greys and enables the items of hwnd's window menu for the window's state now.
void UpdateSystemMenuState(HWND hwnd);
// How long the pointer rests on an item that opens a cascade before the cascade opens (virtual time in tests).
inline constexpr UINT kCascadeDelayMs = 400;
// The item of hwnd's menu bar that is highlighted now (-1: none), for painting the bar.
int MenuBarHotItem(HWND hwnd);
// The pop-up menu windows open now, outermost first (for tests and screenshots).
std::vector<HWND> OpenMenuWindows();
// The menu shown by a pop-up menu window and its highlighted item.
HMENU MenuOfWindow(HWND menu_window, int* selected);
// The window class of the pop-up menu windows.
inline constexpr const char* kPopupMenuClass = "#32768";

}  // namespace platform::win
