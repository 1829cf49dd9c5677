// The window program on the headless layer: its executable pretended into a temporary folder (so its settings
// file and logos live there), COM1 on a pseudo-terminal nobody answers, and the program run through its own loop
// with the steps of a test as the user's actions between idle rounds.
#pragma once

#include <gtest/gtest.h>
#include <pty.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/common/shell_state.h"
#include "app/shell/application_start.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "platform/sys/module_path.h"
#include "platform/testing/driver.h"
#include "platform/win/win.h"
#include "tests/app/service_fixture.h"

namespace shell_test {

namespace drv = platform::testing;

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(folder_.path().empty());
    platform::sys::SetExecutablePathOverride((folder_.path() / "vqpt32").string());
    ASSERT_EQ(openpty(&pty_master_, &pty_slave_, pty_name_, nullptr, nullptr), 0);
    setenv("COM1", pty_name_, 1);
    // Message dialogs of the catalogue (templates 2-4) are answered with their first button and remembered.
    for (int id : {2, 3, 4}) {
      drv::OnDialogIdle(id, [this](HWND d) {
        dialogs_.push_back(drv::ItemText(d, 100));
        EndDialog(d, 1);
      });
    }
  }
  void TearDown() override {
    platform::sys::SetExecutablePathOverride(std::nullopt);
    unsetenv("COM1");
    close(pty_master_);
    close(pty_slave_);
  }

  void WriteIni(const std::string& text) { std::ofstream(folder_.path() / "vqpt32.ini") << text; }

  // Runs the program; each step runs once when the loop is idle. After the last step the loop ends (exit -1)
  // unless the program ended itself.
  int Run(std::vector<std::function<void()>> steps) {
    std::size_t next = 0;
    drv::OnMainIdle([&] {
      if (next >= steps.size()) return false;
      steps[next++]();
      // A round that queues nothing would wait for a timer: the next step comes after this one's messages.
      if (IsWindow(Main())) PostMessage(Main(), WM_NULL, 0, 0);
      return true;
    });
    app::KeepInstance(GetModuleHandle(nullptr));
    const int code = app::RunWindowProgram(GetModuleHandle(nullptr), SW_SHOWNORMAL);
    steps_run_ = next;
    return code;
  }

  static HWND Main() { return app::MainWindow(); }

  drv::Session session_;
  service_test::TempFolder folder_;
  int pty_master_ = -1;
  int pty_slave_ = -1;
  char pty_name_[128] = {};
  std::vector<std::string> dialogs_;
  std::size_t steps_run_ = 0;
};

}  // namespace shell_test
