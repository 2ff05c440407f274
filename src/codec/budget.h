// The codec's resource budget: what one run of bytes may cost, decided before allocating.
//
// The library runs inside someone else's process, so a hostile or damaged file must fail
// fast instead of exhausting it. Every decoder checks the picture a header claims against
// two limits before it allocates pixels: an absolute one (kMaxPixels, enough for a 100-MP
// camera photo) and one in proportion to the input (a byte of compressed data can stand
// for only so many pixels; each format's figure is its best real ratio with room to
// spare). Together they keep any input under 1 MB well below 512 MB and 2 s. Library
// internals get a memory ceiling of their own, progressive JPEG scans are counted, and
// resampling and stretching never hold more than the pictures they are given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vemora::codec {

#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
// Fuzzing wants thousands of inputs a second, not one large picture.
inline constexpr int64_t kMaxPixels = 1'000'000;
#else
// Covers every camera of about 100 megapixels (11648 x 8736 is 101.8 of them) and keeps the
// largest picture's three bytes a pixel, with libjpeg's or libtiff's own buffers, under
// 512 MB.
inline constexpr int64_t kMaxPixels = 120'000'000;
#endif

// Any file may claim this many pixels whatever its size: small pictures cost nothing.
inline constexpr int64_t kPixelAllowance = 65'536;

// However well a format compresses, a picture beyond kLargePictureFloor pixels needs an
// input byte for every kLargePicturePixelsPerByte pixels more. A command holds a few copies
// of a picture at three bytes a pixel (decoded, resampled, encoded), so this keeps every
// input under 1 MB below 512 MB, while a 100-MP photo (20 MB and more) passes easily.
inline constexpr int64_t kLargePictureFloor = 32'000'000;
inline constexpr int64_t kLargePicturePixelsPerByte = 8;

// Pixels per input byte. JPEG: Huffman coding needs a few bits per 8 x 8 block even for
// a flat picture. Deflate packs at most 1032 bytes into one. LZW (GIF, TIFF) and the fax
// codes of bilevel TIFFs reach a few thousand. Run-length bitmaps: 127 pixels in two
// bytes, and skipped rows cost nothing, which no real bitmap relies on at scale.
inline constexpr int64_t kJpegPixelsPerByte = 1024;
inline constexpr int64_t kDeflatePixelsPerByte = 1032;
inline constexpr int64_t kLzwPixelsPerByte = 4096;
inline constexpr int64_t kRunLengthPixelsPerByte = 256;

// Memory libjpeg and libtiff may take for their own buffers (a progressive JPEG's
// coefficients, a TIFF strip) on top of the picture.
inline constexpr int64_t kMaxLibraryBytes = int64_t{192} << 20;

// A progressive JPEG walks its coefficients once per scan: scans times pixels is the work.
// Real files have ten or so scans; this allows 20 over a 100-MP picture, hundreds over a
// small one.
inline constexpr int64_t kMaxScanPixels = 2'000'000'000;

// Throws CodecError("<format>: ...") when a width x height picture is not positive, over
// kMaxPixels, more than inputBytes * pixelsPerByte + kPixelAllowance, or more than
// kLargePictureFloor + inputBytes * kLargePicturePixelsPerByte.
void CheckPictureBudget(const char* format, int64_t width, int64_t height, size_t inputBytes,
                        int64_t pixelsPerByte);

}  // namespace vemora::codec
