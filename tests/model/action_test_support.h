// Fixture of the after-write action tests: fresh data sets, a recording confirm hook, raw element access.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "model/action_support.h"
#include "model/after_write_actions.h"
#include "model/confirm_hook.h"
#include "model/element_access.h"
#include "tests/model/model_test_support.h"

namespace model::testing {

struct HookCall {
  std::uint32_t previous;
  std::uint32_t value;
  std::uint32_t kind;
  bool operator==(const HookCall&) const = default;
};

inline std::vector<HookCall>& HookCalls() {
  static std::vector<HookCall> calls;
  return calls;
}
inline std::uint32_t& HookAnswer() {
  static std::uint32_t answer = 0;
  return answer;
}
inline std::uint32_t RecordingHook(std::uint32_t previous, std::uint32_t value, std::uint32_t kind, std::uint32_t) {
  HookCalls().push_back({previous, value, kind});
  return HookAnswer();
}

class ActionTest : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    ClearConfirmHook();
    HookCalls().clear();
    HookAnswer() = 0;
  }
  void TearDown() override {
    ClearConfirmHook();
    ModelTest::TearDown();
  }
  // Installs the recording hook answering `answer` (0 go ahead, else keep).
  static void InstallHook(std::uint32_t answer) {
    HookAnswer() = answer;
    SetConfirmHook(&RecordingHook);
  }
  static void Put(std::uint16_t record, std::uint16_t element, double value, std::uint8_t set = 0) {
    ASSERT_EQ(WriteNumberRaw(record, element, set, value), 0) << record << ":" << element;
  }
  static std::int64_t Get(std::uint16_t record, std::uint16_t element, std::uint8_t set = 0) {
    std::int64_t value = 0;
    EXPECT_EQ(ReadInt(record, element, set, &value), 0) << record << ":" << element;
    return value;
  }
  // Writes an integer element as the user would change it: the old value goes to the previous-value buffer,
  // then the element's own action runs.
  static std::uint8_t Change(std::uint16_t record, std::uint16_t element, std::int64_t value,
                             ChainedAction action, std::uint8_t set = 0) {
    return WriteAndChain(record, element, set, value, action);
  }
  static double GetDouble(std::uint16_t record, std::uint16_t element, std::uint8_t set = 0) {
    double value = 0.0;
    EXPECT_EQ(ReadElement(record, element, &value, kModeRaw, set), 0);
    return value;
  }
};

}  // namespace model::testing
