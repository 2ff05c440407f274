// The two size figures the window shows, which round differently on purpose: the "Größe"
// column rounds a file's size down (never below 1), while the single image's information
// line, and the "Größe" of a record just added or given a new source, round to the nearest
// KiB, a half going to the even neighbour.
#pragma once

#include <cstdint>
#include <string>

namespace vemora {

// "<bytes / 1024 rounded down, at least 1> KByte".
std::string FileSizeText(uint64_t bytes);

// bytes / 1024 rounded to the nearest integer, ties to even.
uint64_t StoredSizeKiB(uint64_t bytes);

// "<StoredSizeKiB> KByte": the "Größe" of a record that was just added or given a new
// source.
std::string RoundedSizeText(uint64_t bytes);

// "<width> x <height> Pixel (<kib>KB)".
std::string PixelSizeText(int32_t width, int32_t height, uint64_t storedKiB);

}  // namespace vemora
