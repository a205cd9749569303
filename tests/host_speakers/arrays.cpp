// The array allocator of this test program, counting what it hands out so
// that tests can see which blocks the arrangement helpers make and free.
#include "arrays.h"

#include <cstdlib>
#include <map>
#include <new>

namespace arrays {

namespace {

// Blocks made by array new while a Tracker lives, with their sizes. Plain
// memory underneath, so tracking never recurses into itself.
struct Book {
  bool on = false;
  std::map<const void*, size_t>* live = nullptr;
};
Book book;

}  // namespace

Tracker::Tracker() : blocks() {
  book.live = &blocks;
  book.on = true;
}

Tracker::~Tracker() {
  book.on = false;
  book.live = nullptr;
}

size_t Tracker::liveCount() const { return blocks.size(); }

bool Tracker::isLive(const void* block) const { return blocks.count(block) != 0; }

size_t Tracker::sizeOf(const void* block) const {
  auto found = blocks.find(block);
  return found == blocks.end() ? 0 : found->second;
}

void note(void* block, size_t size) {
  if (!book.on) return;
  book.on = false;  // the map's own nodes are not ours to count
  (*book.live)[block] = size;
  book.on = true;
}

void forget(const void* block) {
  if (!book.on) return;
  book.on = false;
  book.live->erase(block);
  book.on = true;
}

}  // namespace arrays

void* operator new[](size_t size) {
  void* block = std::malloc(size ? size : 1);
  if (!block) throw std::bad_alloc();
  arrays::note(block, size);
  return block;
}

void operator delete[](void* block) noexcept {
  arrays::forget(block);
  std::free(block);
}

void operator delete[](void* block, size_t) noexcept { operator delete[](block); }
