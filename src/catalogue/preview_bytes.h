// The JPEG bytes of a record's preview, and the packer a load keeps them in.
//
// A large catalogue's previews are most of what the window holds: 100,000 of them are some
// 200 MB. One allocation each would cost a page fault every two previews when they are first
// written; the load instead packs them back to back into a few large blocks
// (platform::LargeBlock). A preview shares its block with its neighbours and keeps it alive;
// a preview set later (an edit, a new row) owns its bytes alone. Preview bytes never change in
// place: a new preview replaces the value.
#pragma once

#include <chrono>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vemora {

namespace platform {
class LargeBlock;
}

class PreviewBytes {
 public:
  PreviewBytes() = default;
  // Owns `bytes`.
  explicit PreviewBytes(std::string bytes);

  std::string_view view() const { return bytes_; }
  operator std::string_view() const { return bytes_; }  // NOLINT: read as bytes everywhere
  const char* data() const { return bytes_.data(); }
  size_t size() const { return bytes_.size(); }
  bool empty() const { return bytes_.empty(); }
  bool starts_with(std::string_view prefix) const { return bytes_.starts_with(prefix); }

  friend bool operator==(const PreviewBytes& a, const PreviewBytes& b) {
    return a.bytes_ == b.bytes_;
  }
  friend bool operator==(const PreviewBytes& a, std::string_view b) { return a.bytes_ == b; }

 private:
  friend class PreviewPacker;
  PreviewBytes(std::shared_ptr<const void> owner, std::string_view bytes)
      : owner_(std::move(owner)), bytes_(bytes) {}

  std::shared_ptr<const void> owner_;  // keeps bytes_ alive: a block or an owned string
  std::string_view bytes_;
};

// Packs the previews of one load. Each call copies the bytes into the current block, or
// starts a new one when they do not fit; a preview too large to share a block is kept alone.
//
// The system clears a block's pages when they are first written, and on a large load that
// costs as much as everything else the load does. So a packer told how many previews are
// coming has the next block's pages backed on another thread while the current one fills, as
// far as the previews still to come are expected to reach, judged by those packed so far.
// That pays where the load's thread keeps busy (a file read in process). A thread that waits
// for its rows (from a server on the same machine, say) backs its blocks itself, in time it
// would otherwise wait, and leaves the other processor to the server: the first block tells
// which of the two it is.
class PreviewPacker {
 public:
  // `expected`: how many previews (rows) the load will pack; 0 when unknown.
  explicit PreviewPacker(size_t expected = 0);

  PreviewBytes Pack(std::string_view bytes);

 private:
  void OpenBlock();
  void PrepareNextBlock();
  // Whether the thread kept busy while the first block filled; asked once it is full.
  bool KeptBusy();

  std::shared_ptr<platform::LargeBlock> block_;
  size_t used_ = 0;
  std::future<std::shared_ptr<platform::LargeBlock>> next_;  // being backed, when valid
  size_t expected_;
  size_t seen_ = 0;       // previews asked to pack, empty ones included
  size_t seenBytes_ = 0;  // their bytes
  std::chrono::steady_clock::time_point startTime_;
  std::chrono::nanoseconds startCpuTime_;
  std::optional<bool> keptBusy_;
};

}  // namespace vemora
