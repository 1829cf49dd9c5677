// The program's descriptors against the converters: every number element with a descriptor converts its
// stored value in a fresh data set of each family, and the value as shown is accepted again as an entry.
#include <sstream>

#include "model/descriptor.h"
#include "model/menu_list_table.h"
#include "model/raw_number.h"
#include "tests/model/model_test_support.h"

namespace model::testing {
namespace {

std::uint8_t NoAction(std::uint16_t, std::uint16_t, std::uint8_t) { return 0; }

TEST_F(ModelTest, EveryDescriptorConvertsAndItsShownValueIsAccepted) {
  ActionTableType actions{};
  actions.fill(&NoAction);
  SetActionTable(actions);
  const auto table = RecordLayoutTable();
  for (std::uint8_t family : {1, 2, 3}) {
    ASSERT_EQ(InitDataSet(0), 0);
    for (std::uint16_t record : {std::uint16_t{5}, std::uint16_t{304}}) {
      ASSERT_EQ(WriteElement(record, 0, &family, kModeRaw, 0), 0);
    }
    // Motor data as a motor reload leaves it: pole pairs, nominal power and speed are never 0 then.
    for (auto [record, element, value] : std::vector<std::tuple<std::uint16_t, std::uint16_t, double>>{
             {42, 26, 2}, {43, 26, 3}, {42, 6, 750}, {42, 8, 1450}, {43, 6, 1100}, {43, 8, 2900}}) {
      alignas(8) unsigned char buffer[8] = {};
      StoreNumber(buffer, GetElementType(record, element), value);
      ASSERT_EQ(WriteElement(record, element, buffer, kModeRaw, 0), 0);
    }
    int with_descriptor = 0, faults = 0;
    std::ostringstream report;
    for (std::uint16_t row = 0; table[row].record != 0; ++row) {
      const LayoutEntry& e = table[row];
      if (!IsNumberType(e.type) || e.record == 305) continue;
      const std::uint16_t element = ElementIndexInRecord(e.record, row);
      const ParameterDescriptor* d = FindDescriptor(e.record, element);
      if (!d) continue;
      ++with_descriptor;
      alignas(8) unsigned char saved[8] = {};
      ReadElement(e.record, element, saved, kModeRaw, 0);
      double shown = 0.0;
      const std::uint8_t read = ReadElement(e.record, element, &shown, kModeReadConverted, 0);
      const std::uint8_t write = read == 0 ? WriteElement(e.record, element, &shown, kModeWriteUnchecked, 0) : 0;
      WriteElement(e.record, element, saved, kModeRaw, 0);
      // A value outside its own range (a default the range function refuses) is not the converter's fault.
      if (read != 0 || (write != 0 && write != 4 && write != 5 && write != 6)) {
        if (++faults <= 12) {
          report << "(" << e.record << ", " << element << ") converter " << int{d->converter} << ": read "
                 << int{read} << " write " << int{write} << "\n";
        }
      }
    }
    EXPECT_EQ(faults, 0) << "family " << int{family} << ":\n" << report.str();
    if (with_descriptor == 0) GTEST_SKIP() << "no descriptors yet";
  }
}

}  // namespace
}  // namespace model::testing
