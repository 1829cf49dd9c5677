// What the tests of TX-Tool's forms against a unit on a line share: serving the window thread (and through it
// the worker's reports) until a condition holds, and a vqpt32 project file to load into a slot.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "model/data_set.h"
#include "model/element_access.h"
#include "model/project_file.h"
#include "platform/testing/driver.h"
#include "platform/vcl/thread.h"

namespace txtool {

// Bounded by wall time, far above the few seconds the jobs take (on a loaded machine a report served late costs
// the unit a retry).
inline bool PumpUntil(const std::function<bool()>& done, std::chrono::seconds limit = std::chrono::seconds(60)) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    platform::testing::PumpUntilIdle();
    TThread::CheckSynchronize();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

// A vqpt32 project file at path with its own device type and one value (record 11, element 5); "" when it could
// not be written.
inline std::string Vqpt32Project(const std::string& path, std::uint8_t type, std::uint8_t value) {
  if (model::InitDataSet(0) != 0 || model::WriteElement(304, 1, &type, model::kModeRaw, 0) != 0 ||
      model::WriteElement(11, 5, &value, model::kModeRaw, 0) != 0 ||
      model::ProjectFileAccess(model::kProjectWriteProject, 0, path.c_str()) != model::kFileDone) {
    return {};
  }
  return path;
}

}  // namespace txtool
