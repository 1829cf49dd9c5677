// The busy test before Save, Save as, Send and Write Quellox: while one of them runs (its dialogs run nested
// message loops, where commands posted to the main window still arrive) a second one is refused.
#pragma once

namespace app {

// True while a guarded command runs; the command asking then ends without doing anything.
bool CommandBusy();

// Marks a guarded command as running for its lifetime.
class BusyGuard {
 public:
  BusyGuard();
  ~BusyGuard();
  BusyGuard(const BusyGuard&) = delete;
  BusyGuard& operator=(const BusyGuard&) = delete;
};

}  // namespace app
