// Case tables for the availability checks: a data set made from zero storage with the identity, option board,
// governing values and injected read failures of one case, and the check's answer for (record, element).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "model/check_support.h"
#include "model/function_tables.h"
#include "tests/model/identity_fixture.h"

namespace check_test {

struct Put {
  std::uint16_t record;
  std::uint16_t element;
  double value;
};

struct Fault {
  std::uint16_t record;
  std::uint16_t element;
  std::uint8_t status;
};

// Designators in this order: kind, family, letter, board, values, faults.
struct Given {
  std::uint16_t kind = model::kFileKindProject;
  std::uint8_t family = 1;
  std::uint8_t letter = 'E';
  std::uint8_t board = 0;
  std::vector<Put> values = {};
  std::vector<Fault> faults = {};
};

struct Case {
  int check;
  std::uint16_t record;
  std::uint16_t element;
  Given setup;
  std::uint8_t expected;
  const char* note = "";
};

inline std::string Describe(const Case& c) {
  std::string s = "check " + std::to_string(c.check) + " on (" + std::to_string(c.record) + ", " +
                  std::to_string(c.element) + "), family " + std::to_string(c.setup.family) + ", letter '" +
                  std::string(1, static_cast<char>(c.setup.letter)) + "', kind " + std::to_string(c.setup.kind) +
                  ", board " + std::to_string(c.setup.board);
  for (const Put& p : c.setup.values) {
    s += ", x(" + std::to_string(p.record) + "," + std::to_string(p.element) + ")=" +
         std::to_string(static_cast<long long>(p.value));
  }
  for (const Fault& f : c.setup.faults) {
    s += ", read of (" + std::to_string(f.record) + "," + std::to_string(f.element) + ") fails " +
         std::to_string(f.status);
  }
  if (*c.note) s += std::string(": ") + c.note;
  return s;
}

class CheckTest : public identity_test::IdentityFixture {
 protected:
  void TearDown() override {
    model::ClearCheckReadFailures();
    IdentityFixture::TearDown();
  }

  // Builds the case's data set 0 from zero storage.
  static void Apply(const Given& setup) {
    model::ClearCheckReadFailures();
    model::DataSetSlot(identity_test::kSet)->storage.fill(0);
    SetIdentity({.kind = setup.kind, .family = setup.family, .letter = setup.letter});
    ASSERT_TRUE(identity_test::PutRaw(5, 3, setup.board));
    ASSERT_TRUE(identity_test::PutRaw(304, 3, setup.board));
    for (const Put& p : setup.values) {
      ASSERT_TRUE(identity_test::PutRaw(p.record, p.element, p.value))
          << "(" << p.record << ", " << p.element << ") holds no number";
    }
    for (const Fault& f : setup.faults) model::InjectCheckReadFailure(f.record, f.element, f.status);
  }

  static std::uint8_t Answer(const Case& c) {
    Apply(c.setup);
    return model::CheckTable()[static_cast<std::size_t>(c.check)](c.record, c.element, identity_test::kSet);
  }

  static void RunCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
      SCOPED_TRACE(Describe(c));
      EXPECT_EQ(Answer(c), c.expected);
    }
  }
};

}  // namespace check_test
