#include "platform/large_block.h"

#include <algorithm>
#include <new>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#endif

namespace vemora::platform {

// One write per page: the system backs the page on the first.
void LargeBlock::Back(size_t bytes) {
  constexpr size_t kSmallestPage = 4096;
  volatile char* bytesToBack = data_;
  for (size_t at = 0; at < std::min(bytes, size_); at += kSmallestPage) bytesToBack[at] = 0;
}

#ifdef _WIN32

// Committed memory is what a heap would hand out too, without the heap's bookkeeping.
LargeBlock::LargeBlock(size_t bytes) : size_(bytes) {
  data_ =
      static_cast<char*>(VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  if (data_ == nullptr) throw std::bad_alloc();
}

LargeBlock::~LargeBlock() { VirtualFree(data_, 0, MEM_RELEASE); }

#else

LargeBlock::LargeBlock(size_t bytes) : size_(bytes) {
  void* mapping = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapping == MAP_FAILED) throw std::bad_alloc();
  data_ = static_cast<char*>(mapping);
}

LargeBlock::~LargeBlock() { munmap(data_, size_); }

#endif

}  // namespace vemora::platform
