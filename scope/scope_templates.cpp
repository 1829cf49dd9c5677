// Dialog templates of the control panel (185), the bit-mask dialog (226) and the measurement window (400).
#include <array>

#include "platform/win/common_controls.h"
#include "platform/win/controls.h"
#include "platform/win/dialog.h"
#include "platform/win/dialog_template.h"
#include "platform/win/window.h"
#include "scope/measure_tree.h"
#include "scope/panel_ids.h"
#include "scope/scope_resources.h"

namespace scope {
namespace {

using namespace panel;
using Item = DialogItemTemplate;
constexpr DWORD kPush = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kCaption = BS_OWNERDRAW | WS_TABSTOP;  // drawn by the panel (caption_button.h)
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kColour = BS_OWNERDRAW | WS_TABSTOP;
constexpr DWORD kText = SS_LEFTNOWORDWRAP | SS_SUNKEN;

// Left column: the channels (two columns of four, a colour button and a select button each) and the selected
// channel's controls. Right column: the time axis, the markers and the measurement window's button.
#define CHANNEL(n, x, y)                                                                                       \
  Item{kColourFirst + (n), WC_BUTTON, "", kColour, x, y, 8, 11},                                                \
      Item{kSelectFirst + (n), WC_BUTTON, "", BS_AUTORADIOBUTTON | BS_PUSHLIKE | ((n) == 0 ? WS_GROUP : 0), \
           (x) + 9, y, 24, 11}

constexpr std::array kPanelItems{
    Item{-1, WC_BUTTON, "Channels", BS_GROUPBOX, 1, 0, 77, 106},
    CHANNEL(0, 4, 9), CHANNEL(1, 4, 21), CHANNEL(2, 4, 33), CHANNEL(3, 4, 45),
    CHANNEL(4, 39, 9), CHANNEL(5, 39, 21), CHANNEL(6, 39, 33), CHANNEL(7, 39, 45),
    Item{kNameText, WC_STATIC, "", kText, 4, 58, 70, 9},
    Item{kScaleText, WC_STATIC, "", kText, 4, 68, 70, 9},
    Item{kTraceUp, WC_BUTTON, "^", kCaption | WS_GROUP, 4, 79, 13, 12},
    Item{kTraceDown, WC_BUTTON, "v", kCaption, 18, 79, 13, 12},
    Item{kScaleUp, WC_BUTTON, "+", kCaption, 32, 79, 13, 12},
    Item{kScaleDown, WC_BUTTON, "-", kCaption, 46, 79, 13, 12},
    Item{kOptions, WC_BUTTON, "...", kCaption, 60, 79, 14, 12},
    Item{kOff, WC_BUTTON, "&OFF", kCheck, 3, 93, 23, 10},
    Item{kInvert, WC_BUTTON, "&INV", kCheck, 27, 93, 23, 10},
    Item{kGround, WC_BUTTON, "&GND", kCheck, 51, 93, 26, 10},
    Item{-1, WC_BUTTON, "Time", BS_GROUPBOX, 80, 0, 73, 46},
    Item{kTimeText, WC_STATIC, "", kText, 83, 9, 66, 9},
    Item{kTimeLeft, WC_BUTTON, "<", kCaption | WS_GROUP, 83, 20, 13, 12},
    Item{kTimeRight, WC_BUTTON, ">", kCaption, 97, 20, 13, 12},
    Item{kTimeScaleUp, WC_BUTTON, "+", kCaption, 111, 20, 13, 12},
    Item{kTimeScaleDown, WC_BUTTON, "-", kCaption, 125, 20, 13, 12},
    Item{kStairSteps, WC_BUTTON, "Steps", kCheck, 83, 34, 60, 10},
    Item{-1, WC_BUTTON, "Marker", BS_GROUPBOX, 80, 48, 73, 58},
    Item{kMarkerSpin, UPDOWN_CLASS, "", WS_TABSTOP | WS_GROUP, 83, 57, 10, 13},
    Item{kMarkerShown, WC_BUTTON, "M-", kCheck | BS_PUSHLIKE, 94, 57, 26, 13},
    Item{kMarkerColour, WC_BUTTON, "", kColour, 122, 57, 13, 13},
    Item{kMarkerLeft, WC_BUTTON, "<", kCaption, 83, 73, 13, 12},
    Item{kMarkerRight, WC_BUTTON, ">", kCaption, 97, 73, 13, 12},
    Item{kMarkerUp, WC_BUTTON, "^", kCaption, 83, 73, 13, 12, 0, true},
    Item{kMarkerDown, WC_BUTTON, "v", kCaption, 97, 73, 13, 12, 0, true},
    Item{kRadioA, WC_BUTTON, "A", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 83, 90, 18, 10},
    Item{kRadioB, WC_BUTTON, "B", BS_AUTORADIOBUTTON, 102, 90, 18, 10},
    Item{kRadioBoth, WC_BUTTON, "A+B", BS_AUTORADIOBUTTON, 121, 90, 28, 10},
    Item{kMeasure, WC_BUTTON, "Measure", kPush | WS_GROUP, 80, 110, 73, 13},
    Item{kSettings, WC_BUTTON, "Setting channels + trigger", kPush, 1, 110, 73, 13, 0, true},
    Item{kService, WC_BUTTON, "<< Service", kPush, 1, 110, 73, 13, 0, true},
};
#undef CHANNEL
const DialogTemplate kPanelTemplate{WS_CHILD | DS_SETFONT | DS_CONTROL, 0, 0, 154, 126, "", kPanelItems,
                                    "MS Sans Serif", 8};

constexpr std::array kMeasureItems{
    Item{kMeasureTreeId, WC_TREEVIEW, "", TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | WS_BORDER | WS_TABSTOP, 0,
         0, 200, 160},
};
const DialogTemplate kMeasureTemplate{WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_SETFONT, 20, 20, 200,
                                      160, "", kMeasureItems, "MS Sans Serif", 8};

// Bits 0..31 as four rows of eight boxes, bit 31 first in the top row.
#define BIT(n) Item{bitmask::kBitFirst + (n), WC_BUTTON, #n, kCheck, 8 + (7 - (n) % 8) * 24, 62 + (3 - (n) / 8) * 14, 22, 10}
constexpr std::array kBitMaskItems{
    Item{bitmask::kBinary, WC_BUTTON, "Binary representation", kCheck, 8, 6, 120, 10},
    Item{-1, WC_STATIC, "Mask", SS_LEFT, 8, 24, 24, 9},
    Item{bitmask::kMaskText, WC_EDIT, "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 34, 22, 110, 12},
    Item{bitmask::kHex, WC_BUTTON, "hex", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 150, 23, 26, 10},
    Item{bitmask::kBin, WC_BUTTON, "bin", BS_AUTORADIOBUTTON, 178, 23, 26, 10},
    Item{bitmask::kFrame, WC_BUTTON, "Bits", BS_GROUPBOX, 4, 44, 200, 80},
    BIT(31), BIT(30), BIT(29), BIT(28), BIT(27), BIT(26), BIT(25), BIT(24),
    BIT(23), BIT(22), BIT(21), BIT(20), BIT(19), BIT(18), BIT(17), BIT(16),
    BIT(15), BIT(14), BIT(13), BIT(12), BIT(11), BIT(10), BIT(9),  BIT(8),
    BIT(7),  BIT(6),  BIT(5),  BIT(4),  BIT(3),  BIT(2),  BIT(1),  BIT(0),
    Item{IDOK, WC_BUTTON, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 98, 130, 50, 14},
    Item{IDCANCEL, WC_BUTTON, "Cancel", kPush, 154, 130, 50, 14},
};
#undef BIT
const DialogTemplate kBitMaskTemplate{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0, 0, 208,
                                      150, "Properties", kBitMaskItems, "MS Sans Serif", 8};

}  // namespace

void RegisterScopeDialogs(HINSTANCE module) {
  platform::win::RegisterDialogTemplate(module, MAKEINTRESOURCE(kPanelDialog), &kPanelTemplate);
  platform::win::RegisterDialogTemplate(module, MAKEINTRESOURCE(kMeasureDialog), &kMeasureTemplate);
  platform::win::RegisterDialogTemplate(module, MAKEINTRESOURCE(kBitMaskDialog), &kBitMaskTemplate);
}

}  // namespace scope
