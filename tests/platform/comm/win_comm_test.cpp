#include "platform/comm/win_comm.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "platform/comm/fake_port.h"
#include "platform/comm/pseudo_terminal.h"

namespace {

namespace pc = platform::comm;

HANDLE Open(const char* name) {
  return pc::CreateFile(name, pc::kGenericRead | pc::kGenericWrite, 0, nullptr, pc::kOpenExisting, 0, nullptr);
}

TEST(WinComm, InstalledPortOpensOnceAndStaleHandlesFail) {
  auto fake = std::make_shared<pc::FakePort>();
  pc::InstallPort("COM12", fake);
  HANDLE h = Open("COM12");
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Open("COM12"), INVALID_HANDLE_VALUE);
  EXPECT_EQ(pc::GetLastCommError(), pc::kErrorAccessDenied);

  pc::DCB dcb;
  ASSERT_TRUE(pc::GetCommState(h, &dcb));
  dcb.BaudRate = 38400;
  dcb.Parity = pc::kEvenParity;
  dcb.fParity = 1;
  ASSERT_TRUE(pc::SetCommState(h, &dcb));
  EXPECT_EQ(fake->settings().baud, 38400u);
  EXPECT_EQ(fake->settings().parity, pc::Parity::kEven);
  EXPECT_TRUE(fake->settings().parity_check);

  ASSERT_TRUE(pc::EscapeCommFunction(h, pc::kSetDtr));
  EXPECT_TRUE(fake->dtr());
  EXPECT_FALSE(pc::EscapeCommFunction(h, 77));

  ASSERT_TRUE(pc::CloseHandle(h));
  DWORD errors = 0;
  EXPECT_FALSE(pc::ClearCommError(h, &errors, nullptr));
  EXPECT_EQ(pc::GetLastCommError(), pc::kErrorInvalidHandle);
  HANDLE again = Open("COM12");
  EXPECT_NE(again, INVALID_HANDLE_VALUE);
  EXPECT_NE(again, h);
  pc::CloseHandle(again);
  pc::InstallPort("COM12", nullptr);
}

TEST(WinComm, ComNameFollowsTheEnvironmentToAPty) {
  pc::PseudoTerminal pty;
  ASSERT_TRUE(pty.ok());
  setenv("COM9", pty.slave_path().c_str(), 1);
  HANDLE h = Open("COM9");
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << pc::GetLastCommErrorText();
  EXPECT_EQ(Open("COM9"), INVALID_HANDLE_VALUE);
  EXPECT_EQ(pc::GetLastCommError(), pc::kErrorAccessDenied);
  const std::uint8_t out[] = {0x55};
  DWORD written = 0;
  ASSERT_TRUE(pc::WriteFile(h, out, 1, &written, nullptr));
  EXPECT_EQ(written, 1u);
  pc::CloseHandle(h);
  unsetenv("COM9");
}

TEST(WinComm, MissingDeviceKeepsItsErrnoInTheText) {
  setenv("COM8", "/dev/zpr-no-such-port", 1);
  EXPECT_EQ(Open("COM8"), INVALID_HANDLE_VALUE);
  EXPECT_EQ(pc::GetLastCommError(), pc::kErrorFileNotFound);
  EXPECT_EQ(pc::GetLastCommErrno(), ENOENT);
  EXPECT_NE(pc::GetLastCommErrorText().find("/dev/zpr-no-such-port"), std::string::npos);
  unsetenv("COM8");
}

}  // namespace
