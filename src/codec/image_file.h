// Whole image files in and out of memory, for the tools and commands that work on paths.
//
// Writing goes to a temporary name beside the target and is renamed over it only when
// complete, so a failure never leaves a partial file behind.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "codec/image.h"

namespace vemora::codec {

// The whole file's bytes; CodecError naming the file when it cannot be read.
std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path);

// A file's bytes mapped read-only into memory, for one-shot tools: no copy, no zero-filled
// buffer, pages read as the decoder reaches them. Owns the mapping; not copyable.
class MappedFile {
 public:
  // CodecError naming the file when it cannot be opened or mapped.
  explicit MappedFile(const std::filesystem::path& path);
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  std::span<const uint8_t> bytes() const { return {data_, size_}; }

 private:
  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
};

// Reads the whole file, then decodes by content. The error message names the file.
Image DecodeImageFile(const std::filesystem::path& path);

// Replaces (or creates) the file with the bytes; CodecError naming the file on failure,
// in which case the old file, if any, is untouched and no temporary file remains.
void WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes);

}  // namespace vemora::codec
