// The two change lists of each data set: stacks of up to 50 (record, element) entries.
#include "model/data_set.h"
#include "model/element_access.h"

namespace model {
namespace {

struct ListRef {
  std::array<ChangeEntry, kChangeListCapacity>* entries;
  std::uint16_t* count;
};

// 1 bad set, 2 bad list, else 0 with the list.
std::uint8_t FindList(std::uint8_t set, std::uint8_t list, ListRef* ref) {
  if (set > LastDataSetIndex()) return 1;
  ProjectDataSet* data = DataSetSlot(set);
  if (!data) return 1;
  if (list == 0) {
    *ref = {&data->change_list0, &data->change_count0};
  } else if (list == 1) {
    *ref = {&data->change_list1, &data->change_count1};
  } else {
    return 2;
  }
  if (*ref->count > kChangeListCapacity) *ref->count = kChangeListCapacity;  // a count taken from stored data
  return 0;
}

}  // namespace

std::uint8_t ClearChangeList(std::uint8_t set, std::uint8_t list) {
  ListRef ref{};
  const std::uint8_t status = FindList(set, list, &ref);
  if (status != 0) return status;
  ref.entries->fill(0);
  *ref.count = 0;
  return 0;
}

std::uint8_t ClearChangeList0(std::uint8_t set) { return ClearChangeList(set, 0) == 0 ? 0 : 1; }
std::uint8_t ClearChangeList1(std::uint8_t set) { return ClearChangeList(set, 1) == 0 ? 0 : 1; }

std::uint8_t ChangeListPush(std::uint8_t set, std::uint8_t list, const std::uint32_t* entry) {
  ListRef ref{};
  const std::uint8_t status = FindList(set, list, &ref);
  if (status != 0) return status;
  if (!entry || *ref.count >= kChangeListCapacity) return 3;
  (*ref.entries)[*ref.count] = *entry;
  ++*ref.count;
  return 0;
}

std::uint8_t ChangeListPop(std::uint8_t set, std::uint8_t list, std::uint32_t* entry) {
  ListRef ref{};
  const std::uint8_t status = FindList(set, list, &ref);
  if (status != 0) return status;
  if (*ref.count == 0) return 4;
  --*ref.count;
  if (entry) *entry = (*ref.entries)[*ref.count];
  return 0;
}

std::uint16_t ChangeListCount(std::uint8_t set, std::uint8_t list) {
  ListRef ref{};
  return FindList(set, list, &ref) == 0 ? *ref.count : 0;
}

std::uint16_t ChangeListCapacity(std::uint8_t set, std::uint8_t list) {
  ListRef ref{};
  return FindList(set, list, &ref) == 0 ? kChangeListCapacity : 0;
}

std::uint8_t ChangeList0Empty(std::uint8_t set) { return ChangeListCount(set, 0) == 0 ? 1 : 0; }

}  // namespace model
