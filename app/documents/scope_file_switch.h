// The scope control window follows the active file: after a switch or an open the window shows the new file's
// recording, or, when the file has none, says so and closes. The scope library itself is reached through the
// calls its binding installs; until a binding is installed the recording is not shown (nothing is loaded).
#pragma once

namespace app {

// What the documents need of the scope library binding.
struct ScopeLibraryCalls {
  void (*show_recording)() = nullptr;  // load the library again, set its colours, feed the active recording
  void (*unload)() = nullptr;          // close the trend window and unload the library
  void (*close_window)() = nullptr;    // the scope control window's own close (unload included); when absent
                                       // the window is unloaded and destroyed here
};

// Installs the binding's calls (an empty record removes them).
void SetScopeLibraryCalls(const ScopeLibraryCalls& calls);

// Whether the scope control window is open.
bool ScopeControlOpen();

// With the scope control window open: the active file's recording is shown; a file without one gives message
// 7.17, the library is unloaded and the window destroyed. Nothing while the window is closed.
void ScopeFollowsActiveFile();

// Unloads the library and destroys the scope control window when it is open (a new file).
void CloseScopeControl();

}  // namespace app
