// The pages that add nothing to the frame (K with its own commit rule, Z, C, E, F, G, H), the openers and the
// menu commands of all pages of this group.
#include "app/pages/parameter_pages.h"

#include <algorithm>
#include <iterator>

#include "app/documents/file_titles.h"

namespace app {

using enum PageCommitRule;

const ParameterPage kCommentsPage{12, 0, {.set1 = 12, .set2 = 12}, kDirect};
const ParameterPage kFaultCounterPage{14, 0, {.set1 = 33, .set2 = 33}, kNoStore};
const ParameterPage kMachinePage{17, 54, {.set1 = 17, .set2 = 18, .family2_set1 = 86, .family2_set2 = 87}};
const ParameterPage kMachinePart2Page{
    18, 0, {.set1 = 19, .set2 = 20, .family2_set1 = 133, .family2_set2 = 134, .family3_set1 = 143, .family3_set2 = 144}};
const ParameterPage kDisplayValuesPage{21, 0, {.set1 = 25, .set2 = 25}, kNoStore};
const ParameterPage kControlInterfacePage{22, 56,
                                          {.set1 = 26, .set2 = 27, .family2_set1 = 88, .family2_set2 = 89,
                                           .family3_set1 = 139, .family3_set2 = 140, .variant_set1 = 141,
                                           .variant_set2 = 142}};
const ParameterPage kControlInterfacePart2Page{45, 57,
                                              {.set1 = 70, .set2 = 71, .family2_set1 = 90, .family2_set2 = 91,
                                               .family3_set1 = 135, .family3_set2 = 136, .variant_set1 = 137,
                                               .variant_set2 = 138}};
const ParameterPage kControlInterfacePart3Page{68, 58,
                                              {.set1 = 127, .set2 = 128, .family2_set1 = 118, .family2_set2 = 119}};
const ParameterPage kTechnologyPage{48, 0, {.set1 = 65, .set2 = 66}};
const ParameterPage kEncoderPage{66, 59, {.set1 = 124, .set2 = 125, .family2_set1 = 92, .family2_set2 = 93}};

INT_PTR ShowCommentsDialog() { return RunParameterPage(kCommentsPage); }
INT_PTR OpenFaultCounterDialog() { return RunParameterPage(kFaultCounterPage); }
INT_PTR OpenMachineDialog() { return RunParameterPage(kMachinePage); }
INT_PTR OpenMachinePart2Dialog() { return RunParameterPage(kMachinePart2Page); }
INT_PTR OpenDisplayValuesDialog() { return RunParameterPage(kDisplayValuesPage); }
INT_PTR OpenControlInterfaceDialog() { return RunParameterPage(kControlInterfacePage); }
INT_PTR OpenControlInterfacePart2Dialog() { return RunParameterPage(kControlInterfacePart2Page); }
INT_PTR OpenControlInterfacePart3Dialog() { return RunParameterPage(kControlInterfacePart3Page); }
INT_PTR OpenTechnologyDialog() { return RunParameterPage(kTechnologyPage); }
INT_PTR OpenEncoderDialog() { return RunParameterPage(kEncoderPage); }

namespace {

struct PageCommand {
  UINT id;
  PageOpener open;
  bool refresh;  // the menus follow the page's changes (not after a reverse documentation's display pages)
};

constexpr PageCommand kPageCommands[] = {
    {2035, ShowCommentsDialog, true},
    {2036, OpenInverterDialog, true},
    {2037, OpenInverterPart2Dialog, true},
    {2038, OpenMotorDialog, true},
    {2039, OpenMachineDialog, true},
    {2040, OpenMachinePart2Dialog, true},
    {2041, OpenReferenceValueDialog, true},
    {2042, OpenReferenceValuePart2Dialog, true},
    {2043, OpenControlInterfaceDialog, true},
    {2044, OpenControlInterfacePart2Dialog, true},
    {2045, OpenTechnologyDialog, true},
    {2046, OpenEncoderDialog, true},
    {2055, OpenControlInterfacePart3Dialog, true},
    {2063, ShowCommentsDialog, true},
    {2064, OpenInverterDialog, true},
    {2065, OpenInverterPart2Dialog, true},
    {2066, OpenMotorDialog, true},
    {2067, OpenMachineDialog, true},
    {2068, OpenMachinePart2Dialog, true},
    {2069, OpenReferenceValueDialog, true},
    {2070, OpenReferenceValuePart2Dialog, true},
    {2071, OpenDisplayValuesDialog, false},
    {2072, OpenControlInterfaceDialog, true},
    {2073, OpenControlInterfacePart2Dialog, true},
    {2074, OpenTechnologyDialog, true},
    {2075, OpenEncoderDialog, true},
    {2084, OpenFaultCounterDialog, false},
    {2085, OpenMalfunctionMemoryDialog, false},
    {2087, OpenControlInterfacePart3Dialog, true},
};

const PageCommand* FindPageCommand(UINT id) {
  const auto* found = std::find_if(std::begin(kPageCommands), std::end(kPageCommands),
                                   [id](const PageCommand& c) { return c.id == id; });
  return found != std::end(kPageCommands) ? found : nullptr;
}

}  // namespace

PageOpener ParameterPageOpener(UINT id) {
  const PageCommand* command = FindPageCommand(id);
  return command != nullptr ? command->open : nullptr;
}

void CommandParameterPage(HWND /*main*/, UINT id) {
  const PageCommand* command = FindPageCommand(id);
  if (command == nullptr) return;
  command->open();
  if (command->refresh) UpdateFileTitles();
}

}  // namespace app
