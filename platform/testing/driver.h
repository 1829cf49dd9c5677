// The test driver of the headless window layer: runs the program's messages until nothing is left, moves the
// virtual clock so that timers fire in order, and acts as a user would (click, type, select, press and hold keys,
// pick menu commands). Modal loops call its idle hook, where scripts answer dialogs, message boxes and file
// dialogs. A Session installs all of it and cleans up after a test.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sys/wintypes.h"
#include "platform/win/idle.h"

namespace platform::testing {

class Session {
 public:
  // Switches the process clock to virtual time and installs the driver's idle and deadlock handlers.
  Session();
  // Destroys every window left, clears scripts, logs and held keys.
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
};

// Takes and dispatches every waiting message (posted, input, paint and due timers) through the message filters
// and the modeless dialogs' IsDialogMessage; returns how many. Stops after `limit` messages.
int PumpUntilIdle(int limit = 100000);
// Lets virtual time pass: every timer that falls due on the way fires in order, with the queue pumped between.
void Advance(int milliseconds);
// Modeless dialogs whose keyboard navigation PumpUntilIdle runs (as the program's own loop would).
void AddModelessDialog(HWND dialog);
void RemoveModelessDialog(HWND dialog);

// The user's actions. Each one is pumped to the end, except inside a main-loop script (OnMainIdle), where the
// program's own loop takes the input (SelectItem pumps there too, as it must see the list open).
void Click(HWND control);                   // left button down and up at the middle
void ClickAt(HWND window, int x, int y);    // client coordinates
void ClickItem(HWND dialog, int id);
void Type(HWND control, std::string_view text);  // focuses the control by a click when it has not the focus
void PressKey(int vk, bool shift = false, bool ctrl = false);
void HoldKey(int vk);
void ReleaseKey(int vk);
// The user picks row `index` of a combo box (open the list, click the row) or of a list box.
bool SelectItem(HWND control, int index);
bool PickMenu(HWND window, unsigned id);

// Scripts that run when a modal dialog waits for the user. A script acts (clicks, types, EndDialog) or leaves the
// dialog waiting (then timers run on). Template scripts match the dialog's template number.
using DialogScript = std::function<void(HWND dialog)>;
void OnDialogIdle(int template_id, DialogScript script);
void OnAnyDialogIdle(DialogScript script);
// Scripts for the program's own loop (GetMessage with an empty queue): return false to end the loop (WM_QUIT). A
// round that queued nothing lets time pass to the next timer.
void OnMainIdle(std::function<bool()> script);
// A script for an open menu (the menu loop waits for the user): it acts (keys, clicks, EndMenu) or leaves the menu
// open while time passes. With no script an open menu counts as a deadlock and is closed.
void OnMenuIdle(std::function<void(HWND owner)> script);

// Message boxes: answers are taken in order (IDOK, IDYES, ...); a responder decides when no answer is queued.
struct MessageBoxRecord {
  HWND owner;
  std::string text;
  std::string caption;
  unsigned type;
  int answer;
};
void AnswerMessageBox(int answer);
void OnMessageBox(std::function<int(const MessageBoxRecord&)> responder);
const std::vector<MessageBoxRecord>& MessageBoxes();

// File dialogs: a path (chosen as typed into the name field) or nothing (Cancel).
struct FileDialogRecord {
  bool save;
  std::string title;
  std::string filter;
  std::string initial_dir;
  std::string default_ext;
  std::string proposed;
  std::optional<std::string> answer;
};
void AnswerFileDialog(std::optional<std::string> path);
void OnFileDialog(std::function<std::optional<std::string>(const FileDialogRecord&)> responder);
const std::vector<FileDialogRecord>& FileDialogs();

// The colour dialog: a colour (typed into its fields) or nothing (Cancel).
void AnswerColorDialog(std::optional<COLORREF> colour);

// The print dialog or printer setup: the printer picked from its list, the output path typed for the PDF
// printer (empty: left as shown) and the copies (0: left as shown); nothing: Cancel.
struct PrintAnswer {
  std::string printer;
  std::string output;
  int copies = 0;
};
void AnswerPrintDialog(std::optional<PrintAnswer> answer);

// Loops that found nothing to do and no script to run (each fails the test that expects none).
int DeadlockCount();

// The text of a dialog item, the check state, and the like.
std::string Text(HWND window);
std::string ItemText(HWND dialog, int id);
bool Checked(HWND dialog, int id);
bool Enabled(HWND dialog, int id);
bool Visible(HWND dialog, int id);
// The innermost modal window (null when none runs).
HWND ActiveModal();
// The newest live dialog made from a numbered template (modal or modeless, top-level or child); null when none.
HWND FindDialog(int template_id);
// A menu item of a window's menu bar by command: its text, and whether it is greyed or checked.
struct MenuItemState {
  bool found = false;
  std::string text;
  bool grayed = false;
  bool checked = false;
};
MenuItemState MenuState(HWND window, unsigned id);
// Registers a plain window class of this name once a process (window classes outlive a session); true when
// it is registered.
bool RegisterTestWindowClass(const char* name, LRESULT (*proc)(HWND, UINT, WPARAM, LPARAM), int window_extra = 0);
// A window procedure that draws nothing: WM_PAINT only validates, every other message goes to DefWindowProc.
LRESULT BlankWindowProc(HWND h, UINT m, WPARAM w, LPARAM l);

}  // namespace platform::testing
