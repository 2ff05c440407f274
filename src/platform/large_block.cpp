#include "platform/large_block.h"

#include <algorithm>
#include <cstdint>
#include <new>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#endif

namespace vemora::platform {
namespace {

// Linux gives an anonymous mapping large pages only where they fit whole, so the block
// starts on a 2 MiB boundary.
constexpr size_t kLargePage = size_t{2} << 20;

}  // namespace

// One write per page: the system backs the page on the first.
void LargeBlock::Back(size_t bytes) {
  constexpr size_t kSmallestPage = 4096;
  volatile char* bytesToBack = data_;
  for (size_t at = 0; at < std::min(bytes, size_); at += kSmallestPage) bytesToBack[at] = 0;
}

#ifdef _WIN32

// Large pages on Windows need a privilege a user rarely holds; committed memory is what a
// heap would hand out too, without the heap's bookkeeping.
LargeBlock::LargeBlock(size_t bytes) : size_(bytes), mappingSize_(bytes) {
  mapping_ = VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  if (mapping_ == nullptr) throw std::bad_alloc();
  data_ = static_cast<char*>(mapping_);
}

LargeBlock::~LargeBlock() { VirtualFree(mapping_, 0, MEM_RELEASE); }

#else

LargeBlock::LargeBlock(size_t bytes) : size_(bytes), mappingSize_(bytes + kLargePage) {
  mapping_ =
      mmap(nullptr, mappingSize_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapping_ == MAP_FAILED) throw std::bad_alloc();
  const auto start = reinterpret_cast<uintptr_t>(mapping_);
  data_ = reinterpret_cast<char*>((start + kLargePage - 1) & ~(kLargePage - 1));
#ifdef MADV_HUGEPAGE
  // Only advice: without large pages the block works the same, page by page.
  madvise(data_, bytes, MADV_HUGEPAGE);
#endif
}

LargeBlock::~LargeBlock() { munmap(mapping_, mappingSize_); }

#endif

}  // namespace vemora::platform
