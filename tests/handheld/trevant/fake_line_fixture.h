// Trevant's form on a fake COM1 served in process by the simulated device, on the virtual clock. The device
// hears only telegrams sent at its own baud; every telegram is kept with the baud it went out at.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "handheld/trevant/bedien.h"
#include "handheld/trevant/trevant_application.h"
#include "platform/comm/fake_port.h"
#include "platform/comm/win_comm.h"
#include "platform/sys/module_path.h"
#include "platform/testing/driver.h"
#include "platform/vcl/application.h"
#include "sim/handheld/unit_device.h"

namespace trevant {

using Bytes = std::vector<std::uint8_t>;

struct SentTelegram {
  Bytes bytes;
  std::uint32_t baud;
};

class FakeLineFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    Application->Reset();
    dir_ = std::filesystem::path(::testing::TempDir()) /
           ("trevant_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
    platform::sys::SetExecutablePathOverride((dir_ / "trevant").string());
    port_ = std::make_shared<platform::comm::FakePort>();
    platform::comm::InstallPort("COM1", port_);
    port_->SetResponder([this](platform::comm::FakePort& p, std::span<const std::uint8_t> written) {
      const Bytes w(written.begin(), written.end());
      sent_.push_back({w, p.settings().baud});
      if (p.settings().baud != device_.baud()) return;  // at another baud the device hears noise
      const Bytes reply = device_.Answer(w);
      if (!reply.empty()) p.Deliver(reply);
      if (after_telegram_) after_telegram_(w);
    });
  }
  void TearDown() override {
    Application->Reset();
    platform::comm::InstallPort("COM1", nullptr);
    platform::sys::SetExecutablePathOverride(std::nullopt);
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }

  std::string SettingsPath() const { return (dir_ / "trevant.cfg").string(); }
  void WriteSettings(const std::string& text) { std::ofstream(SettingsPath()) << text; }

  // The form made as the program makes it, shown, with the start timer held back (the tests run the passes).
  TBedien_* Create() {
    form_ = CreateTrevantForm();
    form_->Timer_Startdelay_->SetEnabled(false);
    form_->Show();
    platform::testing::PumpUntilIdle();
    EXPECT_TRUE(Application->Active());
    return form_;
  }
  // Opens the port and runs passes until done() holds (at most max passes).
  bool PassUntil(const std::function<bool()>& done, int max = 40) {
    if (!started_) {
      form_->StartLink();
      started_ = true;
    }
    for (int i = 0; i < max && !done(); ++i) form_->LinkPass();
    return done();
  }
  bool Running() {
    return PassUntil([this] { return form_->LinkState() == kStateRun; });
  }
  // The telegrams sent whose bytes 4-7 (parameter and sub) match.
  std::vector<SentTelegram> SentTo(std::uint16_t parameter, std::uint16_t sub, std::uint8_t type) const {
    std::vector<SentTelegram> out;
    for (const auto& s : sent_) {
      if (s.bytes.size() >= 9 && s.bytes[3] == type && (s.bytes[4] << 8 | s.bytes[5]) == parameter &&
          (s.bytes[6] << 8 | s.bytes[7]) == sub)
        out.push_back(s);
    }
    return out;
  }
  std::vector<std::uint32_t> ProbeBauds() const {
    std::vector<std::uint32_t> out;
    for (const auto& s : sent_)
      if (s.bytes.size() == 12 && s.bytes[3] == 0) out.push_back(s.baud);
    return out;
  }

  platform::testing::Session session_;  // virtual clock, headless windows
  std::filesystem::path dir_;
  std::shared_ptr<platform::comm::FakePort> port_;
  sim::tasto::UnitDevice device_;
  std::vector<SentTelegram> sent_;
  std::function<void(const Bytes&)> after_telegram_;
  TBedien_* form_ = nullptr;
  bool started_ = false;
};

}  // namespace trevant
