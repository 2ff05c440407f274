#include "catalogue/preview_bytes.h"

#include <cstring>

#include "platform/large_block.h"

namespace vemora {
namespace {

// Large enough that a 100,000-row load takes a handful of blocks, small enough that the
// unused end of the last one (address space only: untouched pages are never backed) does not
// matter on a 32-bit host.
constexpr size_t kBlockBytes = size_t{32} << 20;
// Larger previews are rare (a grid cell's preview is a few KB) and are kept alone.
constexpr size_t kLargestPacked = kBlockBytes / 64;

}  // namespace

PreviewBytes::PreviewBytes(std::string bytes) {
  auto owned = std::make_shared<const std::string>(std::move(bytes));
  bytes_ = *owned;
  owner_ = std::move(owned);
}

PreviewBytes PreviewPacker::Pack(std::string_view bytes) {
  if (bytes.empty()) return {};
  if (bytes.size() > kLargestPacked) return PreviewBytes(std::string(bytes));
  if (block_ == nullptr || block_->size() - used_ < bytes.size()) {
    block_ = std::make_shared<platform::LargeBlock>(kBlockBytes);
    used_ = 0;
  }
  char* place = block_->data() + used_;
  std::memcpy(place, bytes.data(), bytes.size());
  used_ += bytes.size();
  return PreviewBytes(block_, std::string_view(place, bytes.size()));
}

}  // namespace vemora
