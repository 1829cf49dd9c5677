// The fixed transfer lists as data.
#include <array>

#include "link/online_services.h"

namespace ilink {
namespace {

constexpr std::uint8_t R = kDirRead;
constexpr std::uint8_t W = kDirWrite;

constexpr TransferListRow kRows[] = {
#define TRANSFER_ROW(dir, single, record, element) {dir, single, record, element},
#define TRANSFER_END() {0, 0, 0, 0},
#include "link/data/transfer_lists.def"
};

constexpr std::size_t kListCount = static_cast<std::size_t>(TransferList::kCount);

constexpr std::size_t CountLists() {
  std::size_t n = 0;
#define TRANSFER_LIST(name) ++n;
#include "link/data/transfer_lists.def"
  return n;
}
static_assert(CountLists() == kListCount, "transfer_lists.def: one list per TransferList name");

// Where each list starts: behind the end row of the one before.
constexpr std::array<std::size_t, kListCount + 1> FindStarts() {
  std::array<std::size_t, kListCount + 1> starts{};
  std::size_t list = 1;
  for (std::size_t i = 0; i < std::size(kRows) && list <= kListCount; ++i) {
    if (kRows[i].record == 0) starts[list++] = i + 1;
  }
  return starts;
}
constexpr auto kStarts = FindStarts();
static_assert(kStarts[kListCount] == std::size(kRows), "transfer_lists.def: every list ends with TRANSFER_END");

}  // namespace

std::span<const TransferListRow> FixedTransferList(TransferList list) {
  const auto i = static_cast<std::size_t>(list);
  if (i >= kListCount) return {};
  return std::span<const TransferListRow>(kRows + kStarts[i], kStarts[i + 1] - kStarts[i]);
}

}  // namespace ilink
