#include "model/confirm_hook.h"

#include <gtest/gtest.h>

#include <vector>

namespace model {
namespace {

struct Asked {
  std::uint32_t previous, value, kind, reserved;
};
std::vector<Asked> g_asked;
std::uint32_t g_answer = 0;

std::uint32_t Hook(std::uint32_t previous, std::uint32_t value, std::uint32_t kind, std::uint32_t reserved) {
  g_asked.push_back({previous, value, kind, reserved});
  return g_answer;
}

TEST(ConfirmHook, WithoutAHookTheActionsGoAhead) {
  ClearConfirmHook();
  EXPECT_FALSE(IsConfirmHookInstalled());
  EXPECT_EQ(AskConfirmHook(55, 60, 1, 0), 0u);
  SetConfirmHook(nullptr);
  EXPECT_FALSE(IsConfirmHookInstalled()) << "a null hook is ignored";
}

TEST(ConfirmHook, TheInstalledHookAnswersUntilCleared) {
  g_asked.clear();
  SetConfirmHook(&Hook);
  SetConfirmHook(nullptr);
  EXPECT_TRUE(IsConfirmHookInstalled()) << "a null hook leaves the installed one";
  g_answer = 1;
  EXPECT_EQ(AskConfirmHook(55, 60, 1, 0), 1u);
  ASSERT_EQ(g_asked.size(), 1u);
  EXPECT_EQ(g_asked[0].previous, 55u);
  EXPECT_EQ(g_asked[0].value, 60u);
  EXPECT_EQ(g_asked[0].kind, 1u);
  ClearConfirmHook();
  EXPECT_EQ(AskConfirmHook(55, 60, 1, 0), 0u);
  EXPECT_EQ(g_asked.size(), 1u);
}

}  // namespace
}  // namespace model
