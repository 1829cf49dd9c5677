// The input check over whole data sets: fresh data sets of every family, the range stage's lines and the
// report buffer's bounds.
#include "model/input_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "identity_fixture.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "model_test_support.h"

namespace model {
namespace {

using identity_test::PutRaw;

std::vector<std::string> Lines(const char* report, std::uint16_t count) {
  std::vector<std::string> lines;
  const char* p = report;
  for (std::uint16_t i = 0; i < count; ++i) {
    lines.emplace_back(p);
    p += lines.back().size() + 1;
  }
  return lines;
}

class InputCheckTest : public testing::ModelTest {
 protected:
  struct Result {
    std::uint8_t status;
    std::vector<std::string> lines;
  };
  static Result Check(std::uint8_t set = 0) {
    std::vector<char> report(kInputCheckReportSize, '\x7F');
    std::uint16_t count = 0xFFFF;
    const std::uint8_t status = CheckParameterSet(set, &count, report.data(), kInputCheckReportSize);
    return {status, Lines(report.data(), count)};
  }
};

TEST_F(InputCheckTest, FreshDataSetOfEveryFamilyHasNoFinding) {
  for (const std::uint8_t family : {1, 2, 3}) {
    ASSERT_EQ(InitDataSet(0), 0);
    const double f = family;
    ASSERT_EQ(WriteElement(304, 0, &f, kModeWriteUnchecked, 0), 0) << int(family);
    const Result r = Check();
    EXPECT_EQ(r.status, 0) << "family " << int(family);
    EXPECT_TRUE(r.lines.empty()) << "family " << int(family) << ": " << ::testing::PrintToString(r.lines);
  }
}

}  // namespace
}  // namespace model
