// An allocation hook for the scope tests: the test binary replaces the global operator new, so that the library
// (which takes its memory from the same operator) can be made to fail an allocation of a given size, as a
// machine out of memory would. Disarmed, every allocation succeeds.
#pragma once

#include <cstddef>

namespace scope_test {

// The next `times` allocations of exactly `bytes` bytes fail (operator new throws std::bad_alloc).
void FailAllocations(std::size_t bytes, int times = 1);
// How many allocations failed since the hook was last armed.
int FailedAllocations();

// Arms the hook for its lifetime.
class ScopedFailingAllocation {
 public:
  explicit ScopedFailingAllocation(std::size_t bytes, int times = 1) { FailAllocations(bytes, times); }
  ~ScopedFailingAllocation() { FailAllocations(0, 0); }
  ScopedFailingAllocation(const ScopedFailingAllocation&) = delete;
  ScopedFailingAllocation& operator=(const ScopedFailingAllocation&) = delete;
};

}  // namespace scope_test
