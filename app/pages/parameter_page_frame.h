// The frame every parameter page follows: a modal dialog on the main window, made from the page template of
// its number (app/templates) for the list it binds now, filled and stored through the dialog binding, with
// Cancel putting back what the page showed at its opening and Previous/Next handing over to the page chain.
//
// A page is a ParameterPage row: its template (and the family-2 template, when it has one), the lists it binds
// per parameter set, family and variant, its commit rule, whether it navigates, and hooks for what it adds. Its
// opener is one line:
//   INT_PTR OpenTechnologyDialog() { return RunParameterPage(kTechnologyPage); }
//
// What the frame does (rule kPending, the usual one):
//   init     the caption's '?' becomes the parameter set ('1' or '2'); the page is centred on the main window;
//            the mouse returns to Previous/Next when the page was reached by them; the page is filled with a
//            backup (Cancel's values); then the init hook. Unless the hook returns FALSE (it placed the focus),
//            the focus goes to the first tab stop that is enabled after the fill, its text selected.
//   activate the default help context for the page's template and run.
//   command  1 OK, 3 Previous, 4 Next: a pending edit is committed (after making the file a project; refused
//            or declined: the page is refilled), the backup is released, the dialog ends with 1 and the
//            neighbouring page's command is posted. 2 Cancel: every editable control is put back to its
//            opening value, the backup released, the dialog ends with 2. Other ids: the command hook first;
//            else a click (code 0) or combo selection (1) commits the control, an edit's change (768) marks it
//            pending, its focus loss (512) commits it, its focus gain (256) selects its text. A refused commit
//            has shown the binding's message; the page is refilled and the focus goes back to the control.
//   refresh  WM_PAGE_REFRESH (F2 held): commits the focused control and sends its parameter online.
//   commit   skipped while another commit runs (the shared `storing` flag: a message box's loop can deliver a
//            focus loss); the skipped control stays pending and is stored when the running commit on its page
//            ends, so a typed value is never dropped. After each store the whole page is refilled without
//            backup (after-write actions may have changed other values).
// Rule kDirect (the comments page): clicks and focus losses commit at once, without the file-kind question;
// OK/Previous/Next store every control and leave only when that succeeds. Rule kNoStore (display pages):
// filled without backup, ids 1..4 end the page with 1 and navigate, nothing is stored.
//
// Hooks run on the page's PageState; `message` sees every message first (WM_PAINT, WM_MOVE, own messages).
#pragma once

#include <cstdint>
#include <string>

#include "platform/win/win.h"

namespace app {

enum class PageCommitRule : std::uint8_t {
  kPending,  // edits commit when they lose the focus; the file is made a project first
  kDirect,   // commits at once; OK/Previous/Next store all and stay open on a refusal
  kNoStore,  // display only
};

enum class PageExit : std::uint8_t {
  kNavigate,  // OK ends, Previous/Next post the neighbouring page
  kOkCancel,  // a nested page: OK and Cancel end it, nothing is posted
};

// The lists a page binds, for parameter set 1 and 2. Families 2 and 3 and the family-3 variant
// (CheckDeviceVariant) use the list of family 1 where their own is 0.
struct PageListChoice {
  std::uint8_t set1 = 0;
  std::uint8_t set2 = 0;
  std::uint8_t family2_set1 = 0;
  std::uint8_t family2_set2 = 0;
  std::uint8_t family3_set1 = 0;
  std::uint8_t family3_set2 = 0;
  std::uint8_t variant_set1 = 0;
  std::uint8_t variant_set2 = 0;
};

struct PageState;

struct PageHooks {
  // After the frame's init; TRUE lets the frame put the focus on the first enabled tab stop, FALSE: the hook did.
  INT_PTR (*init)(PageState& page) = nullptr;
  // After every fill of the page (at init, after each commit, on a refill).
  void (*filled)(PageState& page) = nullptr;
  // A command with an id other than 1..4, before the frame's handling; true when the page took it.
  bool (*command)(PageState& page, int id, HWND control, UINT code) = nullptr;
  // After the frame committed control `id` on notification `code` (0 for OK/Previous/Next); result 0 = stored.
  void (*committed)(PageState& page, int id, UINT code, std::uint8_t result) = nullptr;
  // Just before the page ends (OK, Previous, Next, Cancel), with the button's id.
  void (*ending)(PageState& page, int id) = nullptr;
  // Every message before the frame; true when the page answered it with `result`.
  bool (*message)(PageState& page, UINT message, WPARAM wparam, LPARAM lparam, INT_PTR& result) = nullptr;
};

// How a page reads and writes its controls when not through the page binding over its whole run (the menu jump
// targets bind row by row): fill (backup 1 takes the Cancel values), store (control 0: all; restore 1: the
// backup), send one control's parameter online. Each returns 0 for success.
struct PageBinding {
  std::uint8_t (*fill)(PageState& page, std::uint8_t backup);
  std::uint8_t (*store)(PageState& page, int control, std::uint8_t restore);
  std::uint8_t (*send)(PageState& page, int control);
};

struct ParameterPage {
  int number;             // the page's template (families 1 and 3)
  int family2_number;     // the template of device family 2; 0: the same
  PageListChoice lists;
  PageCommitRule rule = PageCommitRule::kPending;
  PageExit exit = PageExit::kNavigate;
  PageHooks hooks{};
  const PageBinding* binding = nullptr;  // null: the page binding over the run
};

// One open page. Lives on its opener's stack for as long as the dialog runs.
struct PageState {
  const ParameterPage* page = nullptr;
  HWND dialog = nullptr;
  int number = 0;          // the template in use (the family-2 one on family 2)
  int first = 0;           // the bound run, last exclusive
  int last = 0;
  std::uint8_t list = 0;   // the list bound now
  std::uint8_t family = 0; // the device family at the opening
  int pending = 0;         // an edit whose changed text is not committed yet
  HWND return_focus = nullptr;
  bool backup_held = false;          // the page owns a backup slot (released on every way out)
  int entry = 1;                     // the malfunction memory's entry shown
  bool read_failure_shown = false;   // the characteristic plot's read failure was reported
};

// Commit results.
inline constexpr std::uint8_t kPageStored = 0;
inline constexpr std::uint8_t kPageRefused = 1;
inline constexpr std::uint8_t kPageCommitSkipped = 2;

// The template and list a page opens with for the active file (its family, variant and parameter set).
int PageTemplateNumber(const ParameterPage& page, std::uint8_t family);
std::uint8_t PageListFor(const ParameterPage& page, std::uint8_t family, bool variant, std::uint8_t param_set);

// Runs the page modally on the main window: 1 (OK or navigation), 2 (Cancel), -1 when it could not be made.
INT_PTR RunParameterPage(const ParameterPage& page);
// The same with another owner (the parent's top-level window is disabled while the page runs).
INT_PTR RunParameterPageOn(const ParameterPage& page, HWND owner);

// The frame's pieces, for hooks that act as the frame does.
// Fills the run from the page's list and the active file; pending = 0; the filled hook runs.
std::uint8_t FillPage(PageState& page, std::uint8_t backup);
// Stores control `control` (0: all; restore 1: the backup) and refills; kPageStored, kPageRefused or
// kPageCommitSkipped.
std::uint8_t CommitPage(PageState& page, int control, std::uint8_t restore);
// Whether a commit is running.
bool PageCommitRunning();
// Marks a store of a window beside the pages (the motor databases) as a running commit, so that the pages skip
// theirs meanwhile as they skip each other's.
void SetPageCommitRunning(bool running);
// The state of an open page's dialog (null for other windows).
PageState* PageStateOf(HWND dialog);

// The caption rule: every '?' becomes '2' for parameter set 2 (param_set 1), else '1'.
std::string CaptionForParameterSet(std::string caption, std::uint8_t param_set);

}  // namespace app
