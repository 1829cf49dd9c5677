// The window procedures of the layer's own classes, registered by EnsureSystemClasses.
#pragma once

#include <vector>

#include "platform/sys/wintypes.h"

namespace platform::win::detail {

LRESULT ButtonProc(HWND, UINT, WPARAM, LPARAM);
LRESULT StaticProc(HWND, UINT, WPARAM, LPARAM);
LRESULT EditProc(HWND, UINT, WPARAM, LPARAM);
LRESULT ListBoxProc(HWND, UINT, WPARAM, LPARAM);
LRESULT ComboBoxProc(HWND, UINT, WPARAM, LPARAM);
LRESULT ComboListProc(HWND, UINT, WPARAM, LPARAM);
LRESULT ScrollBarProc(HWND, UINT, WPARAM, LPARAM);
LRESULT StatusBarProc(HWND, UINT, WPARAM, LPARAM);
LRESULT ProgressProc(HWND, UINT, WPARAM, LPARAM);
LRESULT UpDownProc(HWND, UINT, WPARAM, LPARAM);
LRESULT ListViewProc(HWND, UINT, WPARAM, LPARAM);
LRESULT TreeViewProc(HWND, UINT, WPARAM, LPARAM);
LRESULT ToolTipProc(HWND, UINT, WPARAM, LPARAM);

// WM_PAINT of a built-in control: BeginPaint, the drawing layer's painting, EndPaint.
LRESULT PaintControl(HWND hwnd);

// The radio buttons of the group a button belongs to (dialog_navigation.cpp).
std::vector<HWND> RadioGroupOf(HWND button);

}  // namespace platform::win::detail
