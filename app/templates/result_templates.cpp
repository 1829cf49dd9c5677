// The two result windows: modeless, each with a read-only list that scrolls (its lines hold tabs, which the edit
// shows as moves to its tab stops).
#include "app/templates/result_templates.h"

namespace app {
namespace {

constexpr DWORD kListStyle =
    ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kCountStyle = ES_LEFT | ES_READONLY | WS_BORDER;
constexpr DWORD kWindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;

constexpr DialogItemTemplate kComparisonItems[] = {
    {kComparisonHeading, WC_STATIC, "List of different parameters in: 1             2", SS_LEFT, 8, 8, 300, 10},
    {kComparisonList, WC_EDIT, "", kListStyle, 8, 20, 340, 150},
    {kComparisonCountLabel, WC_STATIC, "Number:", SS_LEFT, 8, 180, 34, 10},
    {kComparisonCount, WC_EDIT, "", kCountStyle, 44, 178, 30, 12},
    {IDOK, WC_BUTTON, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 298, 176, 50, 14},
};

constexpr DialogTemplate kComparison{kWindowStyle, 0, 0, 356, 198, "Result of the comparison", kComparisonItems};

constexpr DialogItemTemplate kInputCheckItems[] = {
    {kInputCheckHeading, WC_STATIC, "List of the wrong parameter:", SS_LEFT, 8, 8, 200, 10},
    {kInputCheckList, WC_EDIT, "", kListStyle, 8, 20, 300, 120},
    {-1, WC_STATIC, "Number:", SS_LEFT, 8, 150, 34, 10},
    {kInputCheckCount, WC_EDIT, "", kCountStyle, 44, 148, 30, 12},
    {IDOK, WC_BUTTON, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 258, 146, 50, 14},
};

constexpr DialogTemplate kInputCheck{kWindowStyle, 0, 0, 316, 168, "Result of input-check", kInputCheckItems};

}  // namespace

const DialogTemplate& ComparisonTemplate() { return kComparison; }
const DialogTemplate& InputCheckTemplate() { return kInputCheck; }

}  // namespace app
