// Tests of the real vqpt32 on a virtual X server against the real inverter-sim program: the simulator started with
// the test's options on a pseudo-terminal that becomes COM1, switched by its command lines (the hardware enable
// at the terminals) and watched through the state lines it prints. Message boxes are answered one by one, each
// awaited by its caption and gone before the next step.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tests/app/xvfb_vqpt_fixture.h"
#include "tests/support/inverter_sim_process.h"

namespace xvfb_test {

inline const std::string kConflictCaption = "Conflict with connected device";
inline const std::string kInformationCaption = "Information:";
inline const std::string kRemoteCaption = "Remote control";
inline const std::string kDriveMonitorCaption = "Drive monitor";

class VqptSimTest : public VqptXvfbTest {
 protected:
  // Starts the simulator; a derived SetUp calls it after VqptXvfbTest::SetUp.
  void StartSimulator(std::vector<std::string> options) {
    sim_ = std::make_unique<sim_process::InverterSim>(ZPR_BIN_DIR, std::move(options),
                                                      folder_.path() / "inverter-sim.log");
    ASSERT_FALSE(sim_->path().empty()) << "the simulator named no terminal";
    com1_ = sim_->path();
  }
  // The message box with the caption shows, Return answers it (its first button) and it goes (another box of the
  // same caption may follow at once).
  bool Answer(const std::string& caption, int ms = 10000) {
    const Window box = WaitForWindow(caption, ms);
    if (box == 0) return false;
    Pause(300);
    X({"key", "Return"});
    return WaitFor([&] { return FindWindowNamed(user_, caption) != box; });
  }
  // A click on the window's caption bar makes it the active window.
  void Activate(Window w) {
    X({"mousemove", "--window", std::to_string(w), "150", "6"});
    X({"click", "1"});
    Pause(300);
  }
  // Remote > Remote control on a drive whose operation input is not serial: the questions 2.5 (not serial) and
  // 2.19 (switch it?) answered Yes; the window once the input is serial.
  Window OpenRemoteControl() {
    X({"key", "alt+r"});
    Pause(400);
    X({"key", "r"});
    if (!Answer(kConflictCaption) || !Answer(kConflictCaption)) return 0;
    const Window w = WaitForWindow(kRemoteCaption);
    if (w != 0 && !sim_->WaitForLine("operation input 1", 5000)) return 0;
    return w;
  }
  // Remote > the item of `key` on the main window (focused first: keys in the remote-control window would go to
  // it, and Escape there is its Stop and close); the window or box named `appears`, 0 when it never showed.
  Window PickRemoteItem(Window main, const std::string& key, const std::string& appears) {
    return PickUntilShown(
        [&] {
          X({"windowfocus", "--sync", std::to_string(main)});
          X({"key", "alt+r"});
          Pause(400);
          X({"key", key});
        },
        appears, 3);
  }
  // Enable at the terminals, then the reference typed (the focus starts on it) and the check boxes "enable" and
  // "BE 1" (whose function is enable right) set, each sent by the window; true once the simulator reports the
  // drive enabled.
  bool EnableByRemoteControl(const std::string& reference) {
    if (!sim_->Command("hw-enable on") || !sim_->WaitForLine("hardware enable on", 3000)) return false;
    Pause(300);
    X({"type", reference});
    X({"key", "Tab"});
    X({"key", "space"});
    Pause(300);
    X({"key", "Tab"});
    X({"key", "space"});
    return sim_->WaitForLine(" enabled", 8000);
  }

  std::unique_ptr<sim_process::InverterSim> sim_;
};

}  // namespace xvfb_test
