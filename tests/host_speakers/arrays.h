// Sees the blocks this test program makes with array new and frees with
// array delete, for as long as a Tracker lives (one at a time).
#pragma once

#include <cstddef>
#include <map>

namespace arrays {

class Tracker {
 public:
  Tracker();
  ~Tracker();
  Tracker(const Tracker&) = delete;
  Tracker& operator=(const Tracker&) = delete;

  size_t liveCount() const;
  bool isLive(const void* block) const;
  size_t sizeOf(const void* block) const;

 private:
  std::map<const void*, size_t> blocks;
};

// The block is fresh and its bytes unset; passed as const, the compiler
// would take it for a read of them.
void note(void* block, size_t size);
void forget(const void* block);

}  // namespace arrays
