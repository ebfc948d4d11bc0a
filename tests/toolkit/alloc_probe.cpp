// Replaces the global operator new and delete of the toolkit test program (every form
// that ends in malloc and free) to carry the ceiling of alloc_probe.h.
#include "alloc_probe.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<size_t> g_ceiling{0};   // 0: none
std::atomic<size_t> g_refused{0};
std::atomic<size_t> g_largest{0};

void* allocate(size_t n, bool thrower) {
  const size_t ceiling = g_ceiling.load(std::memory_order_relaxed);
  if (ceiling) {
    size_t seen = g_largest.load(std::memory_order_relaxed);
    while (n > seen && !g_largest.compare_exchange_weak(seen, n)) {
    }
    if (n > ceiling) {
      g_refused.fetch_add(1);
      if (thrower) throw std::bad_alloc();
      return nullptr;
    }
  }
  void* p = std::malloc(n ? n : 1);
  if (!p && thrower) throw std::bad_alloc();
  return p;
}
}  // namespace

namespace alloc_probe {
Ceiling::Ceiling(size_t bytes) {
  g_refused = 0;
  g_largest = 0;
  g_ceiling = bytes;
}
Ceiling::~Ceiling() { g_ceiling = 0; }
size_t Ceiling::refused() const { return g_refused; }
size_t Ceiling::largest() const { return g_largest; }
}  // namespace alloc_probe

void* operator new(size_t n) { return allocate(n, true); }
void* operator new[](size_t n) { return allocate(n, true); }
void* operator new(size_t n, const std::nothrow_t&) noexcept { return allocate(n, false); }
void* operator new[](size_t n, const std::nothrow_t&) noexcept { return allocate(n, false); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
