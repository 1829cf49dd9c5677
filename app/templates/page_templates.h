// The templates of the parameter pages (and of the dialogs built like them: the motor databases, the copy of a
// process block, the menu-skip pages). A page is found by its template number; its bound part is generated from
// its menu list, one label and one control per id-consuming row in row order (the control chosen by the row's
// kind and flag), so the ids first..last-1 always match what the binding walks. Controls beyond the run are
// placed from the page's extras. Templates are built on first use and kept for the life of the process.
//
// A page's code uses it like this:
//   const PageDefinition* def = FindPageDefinition(22);
//   DialogBoxIndirectParam(instance, PageTemplate(22, list), main, proc, 0);   // list: the one the page binds now
//   FillDialogFromParameters(dialog, def->first, def->last, list, set, 1);
//   for (int id : PageUnitLabels(20, list)) ... write the ramp unit into the label's first characters ...
// A page whose lists differ by family or variant (F part 1 on families 1 and 3) gets one template per list, so
// that labels and controls follow the list it binds; RegisterPageTemplates registers the page's layout list's
// template under its number.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/win/win.h"

namespace app {

enum class PageLayout : std::uint8_t {
  kRows,         // a label and a control per row
  kJumpTargets,  // per target: code edit, lower and upper value edits, name and unit texts (five ids)
  kMenuSkip,     // per menu group: a check box (id) and a list box (id + 1)
};

enum class PageButtons : std::uint8_t {
  kNavigation,  // 1 OK, 2 Cancel, 3 Previous, 4 Next
  kOkCancel,    // 1 OK, 2 Cancel
  kDatabase,    // 1 OK, 2 Cancel, 3 Delete, 4 Add
  kClose,       // 1 OK alone (the online monitors)
  kProtocol,    // 1 OK, 2 Cancel, 3 Start a new protocol, 4 Complete an input
};

inline constexpr int kPreviousButton = 3;
inline constexpr int kNextButton = 4;

struct PageDefinition {
  int number;               // the template number
  const char* caption;      // exact; a '?' is replaced by the parameter set when the page opens
  int first;                // first bound id
  int last;                 // one past the last bound id
  std::uint8_t list;        // the list that lays out the bound part by default (0: none)
  PageLayout layout;
  PageButtons buttons;
  int unit_first;           // ids of the labels with a device-dependent unit text (0: none)
  int unit_count;
};

std::span<const PageDefinition> PageDefinitions();
const PageDefinition* FindPageDefinition(int number);
// Every list the page may bind (parameter sets, families, variants).
std::span<const std::uint8_t> PageLists(int number);

// The page's template for one of its lists (0: its layout list); null for a number that is no page.
const DialogTemplate* PageTemplate(int number, std::uint8_t list = 0);
// The labels whose text begins with a unit that follows the device (the positioning unit, the ramp unit), in
// row order: the page writes the unit into their first characters after each fill.
std::span<const int> PageUnitLabels(int number, std::uint8_t list = 0);
// Registers every page template under its number for the instance; each is built on its first look-up.
void RegisterPageTemplates(HINSTANCE instance);
// How many page templates have been built so far (tests: a registration builds none).
std::size_t BuiltPageTemplateCount();

// Layout metrics in dialog units; a character of the layer's fixed font is 4 units wide.
inline constexpr int kCharWidth = 4;
inline constexpr int kLineHeight = 14;
inline constexpr int kControlHeight = 12;
inline constexpr int kMargin = 7;

}  // namespace app
