// A line printer for tests: the job's start, every line and its end in order; a start can be made to fail.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/print/print_content.h"

namespace app_test {

class RecordingOutput final : public app::PrintLineOutput {
 public:
  bool StartJob() override {
    log.push_back("START");
    return start_ok;
  }
  void Line(std::string_view text) override { log.emplace_back(text); }
  bool EndJob(bool complete) override {
    log.push_back(complete ? "END" : "END incomplete");
    return true;
  }
  std::vector<std::string> log;
  bool start_ok = true;
};

}  // namespace app_test
