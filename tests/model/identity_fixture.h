// A data set 0 set up from zero storage, with the identity and the few elements a test needs written raw
// through the data-set accessors, each by the type the layout gives its element.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "model/data_set.h"
#include "model/element_access.h"
#include "model/element_type.h"
#include "model/function_tables.h"
#include "model/raw_number.h"
#include "model/record_layout.h"

namespace identity_test {

inline constexpr std::uint8_t kSet = 0;

// Writes v raw into (record, element) in the element's own stored form; false when the element is absent
// or holds no number.
inline bool PutRaw(std::uint16_t record, std::uint16_t element, double v, std::uint8_t set = kSet) {
  const std::uint8_t type = model::GetElementType(record, element);
  if (!model::IsNumberType(type)) return false;
  alignas(8) unsigned char buffer[8] = {};
  model::StoreNumber(buffer, type, v);
  return model::WriteElement(record, element, buffer, model::kModeRaw, set) == 0;
}

inline bool HasType(std::uint16_t record, std::uint16_t element, std::uint8_t type) {
  return model::GetElementType(record, element) == type;
}

inline std::string TypeNote(std::uint16_t record, std::uint16_t element, const char* wanted) {
  return "layout gives (" + std::to_string(record) + ", " + std::to_string(element) + ") type " +
         std::to_string(model::GetElementType(record, element)) + ", not " + wanted;
}

struct Identity {
  std::uint16_t kind = model::kFileKindProject;
  std::uint8_t family = 1;
  std::uint8_t type = 55;
  std::uint8_t letter = 'E';
};

class IdentityFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    model::ResetFunctionTables();
    model::ProjectDataSet* data = model::DataSetSlot(kSet);
    ASSERT_NE(data, nullptr);
    data->storage.fill(0);
    SetIdentity({});
  }
  void TearDown() override { model::ResetFunctionTables(); }

  // The same identity in record 304 (project target) and record 5 (device read back).
  static void SetIdentity(const Identity& id) {
    ASSERT_TRUE(PutRaw(302, 0, id.kind));
    for (std::uint16_t record : {std::uint16_t{5}, std::uint16_t{304}}) {
      ASSERT_TRUE(PutRaw(record, 0, id.family));
      ASSERT_TRUE(PutRaw(record, 1, id.type));
      ASSERT_TRUE(PutRaw(record, 5, id.letter));
    }
  }
};

}  // namespace identity_test
