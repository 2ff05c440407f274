#include "catalogue/preview_bytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vemora {
namespace {

std::string Bytes(size_t size, int seed) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 31 + seed) & 0xFF);
  return bytes;
}

// Enough previews to fill several blocks, one too large to share a block, and empty ones:
// every preview keeps its own bytes after the packer is gone, and copies share them. The
// packer is told the right count, none, or a wrong one: it only prepares blocks by it.
TEST(PreviewBytesTest, PackedPreviewsKeepTheirBytesAcrossBlocks) {
  for (const size_t expected : {size_t{0}, size_t{30000}, size_t{50}, size_t{1000000}}) {
    SCOPED_TRACE(expected);
    std::vector<std::string> originals;
    std::vector<PreviewBytes> packed;
    {
      PreviewPacker packer(expected);
      for (int i = 0; i < 30000; ++i) {
        const size_t size = i % 97 == 0 ? 0 : i == 5 ? (size_t{2} << 20) : 1000 + (i % 5000);
        originals.push_back(Bytes(size, i));
        packed.push_back(packer.Pack(originals.back()));
      }
    }
    const std::vector<PreviewBytes> copies = packed;
    packed.clear();
    int wrong = 0;
    for (size_t i = 0; i < originals.size(); ++i) {
      if (copies[i] != originals[i] || copies[i].empty() != originals[i].empty()) ++wrong;
    }
    EXPECT_EQ(wrong, 0);
  }
}

}  // namespace
}  // namespace vemora
