// Tests: a ceiling on single allocations through operator new. While a Ceiling is in
// scope, any request above it is refused (std::bad_alloc) and counted, so a test can
// show that a reader never asked for the size a hostile header claimed.
#pragma once
#include <cstddef>

namespace alloc_probe {

class Ceiling {
 public:
  explicit Ceiling(size_t bytes);
  ~Ceiling();
  size_t refused() const;   // requests above the ceiling since it was set
  size_t largest() const;   // largest request since it was set
};

}  // namespace alloc_probe
