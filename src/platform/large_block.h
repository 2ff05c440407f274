// One large piece of memory straight from the system, for many small values that live and
// die together (a load's previews). Its pages are backed when first written, or ahead of
// time with Back() (on another thread, say). The block's bytes start zeroed; the block is
// freed whole when it is destroyed.
//
// The block takes ordinary pages, not large ones. Large pages cost fewer faults to back, but
// a virtual machine that hands free memory back to its host backs them unevenly: 200 MB took
// anywhere from 20 to 570 ms in large pages, against a steady 90 ms in small ones, and a load
// waited for the slow cases.
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
};

}  // namespace vemora::platform
