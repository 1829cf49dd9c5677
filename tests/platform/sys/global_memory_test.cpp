#include "platform/sys/global_memory.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/sys/user_name.h"

namespace {

using platform::sys::GlobalOp;

class GlobalMemory : public ::testing::Test {
 protected:
  void SetUp() override { live_before_ = platform::sys::LiveGlobalBlocks(); }
  void TearDown() override {
    platform::sys::ClearGlobalMemoryFailures();
    EXPECT_EQ(platform::sys::LiveGlobalBlocks(), live_before_) << "a test leaked a block";
  }
  std::size_t live_before_ = 0;
};

TEST_F(GlobalMemory, MoveableBlockIsZeroFilledLockedAndUnlockedByCount) {
  HGLOBAL h = GlobalAlloc(GHND, 10000);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(GlobalSize(h), 10000u);
  auto* p = static_cast<unsigned char*>(GlobalLock(h));
  ASSERT_NE(p, nullptr);
  EXPECT_NE(static_cast<void*>(p), static_cast<void*>(h)) << "a moveable handle is not its address";
  for (int i = 0; i < 10000; ++i) ASSERT_EQ(p[i], 0) << i;
  EXPECT_EQ(GlobalLock(h), p);
  EXPECT_EQ(GlobalFlags(h) & GMEM_LOCKCOUNT, 2u);
  EXPECT_EQ(GlobalHandle(p), h);

  EXPECT_TRUE(GlobalUnlock(h)) << "still locked once";
  SetLastError(12345);
  EXPECT_FALSE(GlobalUnlock(h)) << "the last unlock returns 0...";
  EXPECT_EQ(GetLastError(), NO_ERROR) << "...and that is success";
  EXPECT_FALSE(GlobalUnlock(h));
  EXPECT_EQ(GetLastError(), ERROR_NOT_LOCKED) << "unlocking an unlocked block is the failure";
  EXPECT_EQ(GlobalFree(h), nullptr);
}

TEST_F(GlobalMemory, FixedBlockHandleIsItsAddress) {
  HGLOBAL h = GlobalAlloc(GPTR, 16);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(GlobalLock(h), h);
  EXPECT_EQ(GlobalFlags(h) & GMEM_LOCKCOUNT, 0u);
  EXPECT_EQ(GlobalHandle(h), h);
  EXPECT_EQ(GlobalFree(h), nullptr);
}

TEST_F(GlobalMemory, FreedOrUnknownHandlesFailEveryCall) {
  HGLOBAL h = GlobalAlloc(GHND, 8);
  ASSERT_EQ(GlobalFree(h), nullptr);
  int local = 0;
  for (HGLOBAL bad : {h, static_cast<HGLOBAL>(&local)}) {
    SetLastError(0);
    EXPECT_EQ(GlobalLock(bad), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(GlobalUnlock(bad));
    EXPECT_EQ(GlobalSize(bad), 0u);
    EXPECT_EQ(GlobalFlags(bad), GMEM_INVALID_HANDLE);
    EXPECT_EQ(GlobalReAlloc(bad, 32, GMEM_MOVEABLE), nullptr);
    EXPECT_EQ(GlobalFree(bad), bad) << "a failed free gives the handle back";
  }
  EXPECT_EQ(GlobalFree(nullptr), nullptr);
  HGLOBAL next = GlobalAlloc(GHND, 8);
  EXPECT_NE(next, h) << "handles are not reused";
  GlobalFree(next);
}

TEST_F(GlobalMemory, ReAllocKeepsContentZeroesTheTailAndNeverMovesALockedBlock) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 4);
  auto* p = static_cast<char*>(GlobalLock(h));
  std::memcpy(p, "abcd", 4);
  EXPECT_EQ(GlobalReAlloc(h, 4096, GHND), nullptr) << "locked: would move under the caller's pointer";
  EXPECT_EQ(GlobalSize(h), 4u);
  EXPECT_EQ(GlobalReAlloc(h, 2, GMEM_MOVEABLE), h) << "shrinking stays in place";
  EXPECT_EQ(GlobalSize(h), 2u);
  GlobalUnlock(h);

  EXPECT_EQ(GlobalReAlloc(h, 4096, GHND), h) << "unlocked moveable keeps its handle";
  EXPECT_EQ(GlobalSize(h), 4096u);
  auto* q = static_cast<char*>(GlobalLock(h));
  EXPECT_EQ(std::memcmp(q, "ab", 2), 0);
  for (int i = 2; i < 4096; ++i) ASSERT_EQ(q[i], 0) << i;
  GlobalUnlock(h);
  GlobalFree(h);

  HGLOBAL f = GlobalAlloc(GMEM_FIXED, 4);
  std::memcpy(f, "wxyz", 4);
  EXPECT_EQ(GlobalReAlloc(f, 64, 0), nullptr) << "a fixed block moves only when allowed";
  HGLOBAL g = GlobalReAlloc(f, 64, GMEM_MOVEABLE | GMEM_ZEROINIT);
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(std::memcmp(g, "wxyz", 4), 0);
  EXPECT_EQ(static_cast<char*>(g)[63], 0);
  if (g != f) {
    EXPECT_EQ(GlobalSize(f), 0u) << "the old address is no block any more";
  }
  GlobalFree(g);
}

TEST_F(GlobalMemory, OversizedRequestFailsAsOutOfMemory) {
  SetLastError(0);
  EXPECT_EQ(GlobalAlloc(GHND, platform::sys::kMaxGlobalBlock + 1), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
}

// Each injected failure: the call fails as the platform reports it, the block is left as it was, and the next
// call of the same kind succeeds again.
TEST_F(GlobalMemory, InjectedFailuresFailOnceThenRecover) {
  platform::sys::InjectGlobalMemoryFailure(GlobalOp::kAlloc, 1);
  HGLOBAL first = GlobalAlloc(GHND, 8);
  EXPECT_NE(first, nullptr) << "the skipped call succeeds";
  SetLastError(0);
  EXPECT_EQ(GlobalAlloc(GHND, 8), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
  HGLOBAL h = GlobalAlloc(GHND, 8);
  ASSERT_NE(h, nullptr);
  GlobalFree(first);

  platform::sys::InjectGlobalMemoryFailure(GlobalOp::kLock, 0);
  EXPECT_EQ(GlobalLock(h), nullptr);
  EXPECT_EQ(GlobalFlags(h) & GMEM_LOCKCOUNT, 0u);
  ASSERT_NE(GlobalLock(h), nullptr);

  platform::sys::InjectGlobalMemoryFailure(GlobalOp::kUnlock, 0);
  SetLastError(0);
  EXPECT_FALSE(GlobalUnlock(h));
  EXPECT_EQ(GetLastError(), ERROR_NOT_LOCKED);
  EXPECT_EQ(GlobalFlags(h) & GMEM_LOCKCOUNT, 1u) << "a failed unlock keeps the lock";
  EXPECT_FALSE(GlobalUnlock(h));
  EXPECT_EQ(GetLastError(), NO_ERROR);

  platform::sys::InjectGlobalMemoryFailure(GlobalOp::kReAlloc, 0);
  EXPECT_EQ(GlobalReAlloc(h, 64, GHND), nullptr);
  EXPECT_EQ(GlobalSize(h), 8u);

  platform::sys::InjectGlobalMemoryFailure(GlobalOp::kFree, 0, 2);
  EXPECT_EQ(GlobalFree(h), h);
  EXPECT_EQ(GlobalFree(h), h);
  EXPECT_EQ(GlobalSize(h), 8u) << "a failed free keeps the block";
  EXPECT_EQ(GlobalFree(h), nullptr);
}

}  // namespace
