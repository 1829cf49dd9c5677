#include "tests/scope/failing_allocation.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace scope_test {

namespace {
std::atomic<std::size_t> g_fail_size{0};
std::atomic<int> g_fail_left{0};
std::atomic<int> g_failed{0};

// True when this allocation is one that the hook makes fail.
bool Fails(std::size_t bytes) {
  if (bytes == 0 || g_fail_size.load(std::memory_order_relaxed) != bytes) return false;
  int left = g_fail_left.load(std::memory_order_relaxed);
  while (left > 0)
    if (g_fail_left.compare_exchange_weak(left, left - 1)) {
      g_failed.fetch_add(1);
      return true;
    }
  return false;
}

void* Allocate(std::size_t bytes) {
  if (Fails(bytes)) return nullptr;
  return std::malloc(bytes == 0 ? 1 : bytes);
}
}  // namespace

void FailAllocations(std::size_t bytes, int times) {
  g_fail_left.store(0);
  g_fail_size.store(bytes);
  g_failed.store(0);
  g_fail_left.store(times);
}

int FailedAllocations() { return g_failed.load(); }

}  // namespace scope_test

// Every form of the global operator new and delete of this binary (and of the libraries it loads) goes through
// malloc and free.
void* operator new(std::size_t bytes) {
  if (void* p = scope_test::Allocate(bytes)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t bytes) { return ::operator new(bytes); }
void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept { return scope_test::Allocate(bytes); }
void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept { return scope_test::Allocate(bytes); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
