#include "platform/sys/process_exit.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

struct ExitCalled {
  UINT code;
};

TEST(ProcessExit, HookCatchesTheCodeAndIsRestoredAfterItsScope) {
  std::optional<UINT> seen;
  {
    platform::sys::ScopedExitProcessHook hook([&](UINT code) { seen = code; });
    ExitProcess(3);
    EXPECT_EQ(seen, 3u) << "a returning hook lets ExitProcess return";
    {
      platform::sys::ScopedExitProcessHook inner([](UINT code) { throw ExitCalled{code}; });
      try {
        ExitProcess(7);
        ADD_FAILURE() << "the throwing hook unwinds out of the caller";
      } catch (const ExitCalled& e) {
        EXPECT_EQ(e.code, 7u);
      }
    }
    ExitProcess(4);
    EXPECT_EQ(seen, 4u) << "the outer hook is back";
  }
  EXPECT_FALSE(SetExitProcessHook({})) << "no hook is left installed";
}

TEST(ProcessExitDeathTest, WithoutAHookTheProcessEndsWithTheCode) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(ExitProcess(42), ::testing::ExitedWithCode(42), "");
}

}  // namespace
