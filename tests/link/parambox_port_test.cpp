// Opening and closing the box port, the settings from record 305 and writing the timings back.
#include <cstdlib>
#include <vector>

#include "link/link_status.h"
#include "link/stop_watch.h"
#include "tests/link/parambox_fixture.h"

namespace ilink_test {
namespace {

using BoxPort = BoxOnFake;

// The open only opens the port: no line change and no bit wait before a transfer asks for one (each transfer
// begins with its own wake), so that the probe at the program's start costs no more than the port's open.
TEST_F(BoxPort, OpenDrivesNoLineAndWaitsNoBitTime) {
  port_->SetOutputLine(platform::comm::OutputLine::kRts, true);
  port_->SetOutputLine(platform::comm::OutputLine::kDtr, false);
  std::vector<double> delays;
  ilink::SetDelayObserver([&](double ms) { delays.push_back(ms); });
  Open();
  ilink::CloseParameterBox();
  ilink::SetDelayObserver(nullptr);
  EXPECT_TRUE(delays.empty()) << delays.size() << " waits, the first of " << delays.front() << " ms";
  EXPECT_TRUE(port_->rts()) << "data line as it was";
  EXPECT_FALSE(port_->dtr()) << "clock line as it was";
  EXPECT_EQ(port_->settings().baud, 9600u);
  EXPECT_TRUE(port_->written().empty());
  const ilink::BoxSettings& s = ilink::ParameterBoxSettings();
  EXPECT_EQ(s.port, 1);
  EXPECT_EQ(s.t1, kT1);
  EXPECT_EQ(s.t4, kT4);
}

TEST_F(BoxPort, OpenReportsItsRealResult) {
  // No such port: "Wrong number for Com".
  ::setenv("COM7", "/nonexistent/parameter-box", 1);
  PutRaw<std::uint8_t>(305, 155, 7);
  EXPECT_EQ(ilink::OpenParameterBox(0), ilink::kBoxWrongPort);
  PutRaw<std::uint8_t>(305, 155, 17);
  EXPECT_EQ(ilink::OpenParameterBox(0), ilink::kBoxWrongPort);
  // 0 follows the inverter link's port index (element 0 = 0 is COM1).
  PutRaw<std::uint8_t>(305, 155, 0);
  PutRaw<std::uint8_t>(305, 0, 0);
  EXPECT_EQ(ilink::OpenParameterBox(0), ilink::kBoxOk);
  EXPECT_EQ(ilink::ParameterBoxSettings().port, 1);
  ilink::CloseParameterBox();
  EXPECT_EQ(ilink::ComPortHandle(), nullptr);
  // Unreadable settings.
  EXPECT_EQ(ilink::OpenParameterBox(7), ilink::kBoxDataSetError);
}

TEST_F(BoxPort, APortHeldByTheInverterLinkIsNeitherDrivenNorClosed) {
  ASSERT_EQ(ilink::ComPortOpen("COM1", 19200), ilink::kOk);
  const HANDLE link = ilink::ComPortHandle();
  EXPECT_EQ(ilink::OpenParameterBox(0), ilink::kBoxNotFoundHere);
  ilink::CloseParameterBox();
  EXPECT_EQ(ilink::ComPortHandle(), link) << "the link's port stays open";
  EXPECT_EQ(port_->settings().baud, 19200u);
}

TEST_F(BoxPort, OpenRemovesTheProgressHook) {
  int calls = 0;
  ilink::SetBoxProgressHook([&](std::uint8_t) { ++calls; });
  Open();
  Load(BoxImage().Finish());
  ASSERT_EQ(ilink::ReadParameterBox(0), ilink::kBoxOk);
  EXPECT_EQ(calls, 0);
}

// The timings travel as integers: writing them back gives exactly what was read, every time.
TEST_F(BoxPort, TimingsComeBackUnchanged) {
  for (const std::uint32_t t : {0u, 1u, 29u, 57u, 1418u, 20000u, 69999u, 4000000000u}) {
    const std::uint16_t w = static_cast<std::uint16_t>(t);
    PutRaw<std::uint32_t>(305, 18, t);
    PutRaw<std::uint16_t>(305, 22, w);
    PutRaw<std::uint16_t>(305, 24, w);
    PutRaw<std::uint16_t>(305, 16, w);
    PutRaw<std::uint8_t>(305, 12, 9);
    for (int round = 0; round < 3; ++round) {
      ASSERT_EQ(ilink::LoadParameterBoxSettings(0), ilink::kBoxOk);
      PutRaw<std::uint32_t>(305, 18, 1);  // overwritten by the write-back
      ASSERT_EQ(ilink::GetParameterBoxTimings(0), ilink::kBoxOk);
    }
    EXPECT_EQ(GetRaw<std::uint32_t>(305, 18), t);
    EXPECT_EQ(GetRaw<std::uint16_t>(305, 22), w);
    EXPECT_EQ(GetRaw<std::uint16_t>(305, 24), w);
    EXPECT_EQ(GetRaw<std::uint16_t>(305, 16), w);
    EXPECT_EQ(GetRaw<std::uint8_t>(305, 12), 9);
  }
  EXPECT_EQ(ilink::GetParameterBoxTimings(7), ilink::kBoxDataSetError);
}

}  // namespace
}  // namespace ilink_test
