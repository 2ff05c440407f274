#include "catalogue/preview_bytes.h"

#include <algorithm>
#include <cstring>
#include <system_error>

#include "platform/large_block.h"
#include "platform/thread_time.h"

namespace vemora {
namespace {

// Large enough that a 100,000-row load takes a handful of blocks, small enough that the
// unused end of the last one (address space only: untouched pages are never backed) does not
// matter on a 32-bit host.
constexpr size_t kBlockBytes = size_t{32} << 20;
// The first block is filled before there is a next one to prepare, so its pages are backed
// as they are written, on the load's thread; it is small, and enough for a small catalogue.
// Each block after it is twice the one before, up to kBlockBytes: backing a block takes a
// fraction of the time filling the one before it takes, so the next block is ready in time
// from the first on.
constexpr size_t kFirstBlockBytes = size_t{4} << 20;
// Larger previews are rare (a grid cell's preview is a few KB) and are kept alone.
constexpr size_t kLargestPacked = kBlockBytes / 64;

size_t BlockAfter(const platform::LargeBlock* block) {
  return block ? std::min(kBlockBytes, 2 * block->size()) : kFirstBlockBytes;
}

}  // namespace

PreviewBytes::PreviewBytes(std::string bytes) {
  auto owned = std::make_shared<const std::string>(std::move(bytes));
  bytes_ = *owned;
  owner_ = std::move(owned);
}

PreviewPacker::PreviewPacker(size_t expected)
    : expected_(expected),
      startTime_(std::chrono::steady_clock::now()),
      startCpuTime_(platform::ThisThreadCpuTime()) {}

PreviewBytes PreviewPacker::Pack(std::string_view bytes) {
  ++seen_;
  seenBytes_ += bytes.size();
  if (bytes.empty()) return {};
  if (bytes.size() > kLargestPacked) return PreviewBytes(std::string(bytes));
  const bool opening = block_ == nullptr || block_->size() - used_ < bytes.size();
  if (opening) OpenBlock();
  char* place = block_->data() + used_;
  std::memcpy(place, bytes.data(), bytes.size());
  used_ += bytes.size();
  if (opening) PrepareNextBlock();
  return PreviewBytes(block_, std::string_view(place, bytes.size()));
}

void PreviewPacker::OpenBlock() {
  if (next_.valid()) {
    block_ = next_.get();
  } else {
    block_ = std::make_shared<platform::LargeBlock>(BlockAfter(block_.get()));
  }
  used_ = 0;
}

bool PreviewPacker::KeptBusy() {
  if (!keptBusy_) {
    const auto passed = std::chrono::steady_clock::now() - startTime_;
    const auto used = platform::ThisThreadCpuTime() - startCpuTime_;
    // Three quarters: a load reading a file uses nearly all of its time, one waiting for a
    // server on this machine a little more than half.
    keptBusy_ = used * 4 >= passed * 3;
  }
  return *keptBusy_;
}

void PreviewPacker::PrepareNextBlock() {
  if (seen_ >= expected_) return;
  // Until the first block is full the packer cannot tell whether another thread would help,
  // so the second block is backed as it is written, as the first one is.
  if (block_->size() == kFirstBlockBytes || !KeptBusy()) return;
  const size_t coming = (expected_ - seen_) * (seenBytes_ / seen_);
  const size_t room = block_->size() - used_;
  if (coming <= room) return;
  // An eighth more than the estimate, so that previews a little larger than the average so
  // far still land on backed pages; the rest of the block is backed when it is written.
  const size_t ahead = coming - room;
  const size_t bytes = BlockAfter(block_.get());
  const size_t back = std::min(bytes, ahead + ahead / 8);
  try {
    next_ = std::async(std::launch::async, [bytes, back] {
      auto block = std::make_shared<platform::LargeBlock>(bytes);
      block->Back(back);
      return block;
    });
  } catch (const std::system_error&) {
    // No thread to spare: the next block is backed as it is written, as the first one is.
  }
}

}  // namespace vemora
