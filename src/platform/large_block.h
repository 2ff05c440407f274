// One large piece of memory straight from the system, for many small values that live and
// die together (a load's previews).
//
// Where the system offers it, the block is backed by large pages: filling 200 MB then costs a
// hundred page faults instead of fifty thousand, which is most of what keeping a large
// catalogue's previews in memory costs. The block's bytes start zeroed; the block is freed
// whole when it is destroyed.
#pragma once

#include <cstddef>

namespace vemora::platform {

class LargeBlock {
 public:
  // Throws std::bad_alloc when the system has no room.
  explicit LargeBlock(size_t bytes);
  ~LargeBlock();
  LargeBlock(const LargeBlock&) = delete;
  LargeBlock& operator=(const LargeBlock&) = delete;

  // Has the system back the first `bytes` now (clearing them), rather than page by page as
  // they are first written.
  void Back(size_t bytes);

  char* data() const { return data_; }
  size_t size() const { return size_; }

 private:
  char* data_ = nullptr;
  size_t size_ = 0;
  void* mapping_ = nullptr;  // what the system handed out, data_ lies within it
  size_t mappingSize_ = 0;
};

}  // namespace vemora::platform
