// Decode + Lanczos3 to 1600 pixels on the long edge + JPEG encode, whole process, against
// `vips resize --kernel lanczos3` and ImageMagick's `-filter Lanczos -resize`; and BMP
// decoding against libjpeg-turbo's own BMP reader (`cjpeg`) on the bitmaps `djpeg -bmp`
// writes. Arguments: runs per step (default 3), photos at most (default all).
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

#include "bench_support.h"
#include "codec/bmp.h"
#include "codec/image_file.h"
#include "codec/jpeg.h"
#include "codec/resample.h"

using namespace vemora;

namespace {

// Appending piece by piece: long chains of operator+ trip a false -Wrestrict in g++ 12.
std::string Join(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (const std::string_view part : parts) text.append(part);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : 3;
  auto photos = bench::RequireBenchPhotos();
  if (argc > 2) photos.resize(std::min<size_t>(photos.size(), std::max(1, std::atoi(argv[2]))));
#ifndef VEMORA_CLI
  std::fprintf(stderr, "built without the vemora tool\n");
  return 1;
#else
  const std::string cli = VEMORA_CLI;
  const bool haveVips = bench::HaveTool("vips");
  const bool haveMagick = bench::HaveTool("convert");
  const std::filesystem::path scratch = bench::ScratchFolder("resample");
  const std::string out = bench::Quote(scratch / "out.jpg");

  double ours = 0, oursFull = 0, inProcess = 0, vips = 0, magick = 0;
  std::printf("Lanczos3 to 1600 px long edge, best of %d runs, ms\n", runs);
  std::printf("  %-32s %8s %8s %8s %8s %8s\n", "photo", "vemora", "full-dec", "in-proc", "vips",
              "magick");
  for (const auto& photo : photos) {
    const std::vector<uint8_t> bytes = codec::ReadFileBytes(photo);
    const codec::ImageInfo info = codec::ReadJpegInfo(bytes);
    const double longEdge = std::max(info.width, info.height);
    const std::string in = bench::Quote(photo);
    const std::string factor = std::to_string(1600 / longEdge);
    const std::string scale = " --width 1600 --height 1600 --interpolate --filter Lanczos3 ";
    const double a = bench::BestMs(runs, [&] {
      bench::RunCommand(Join({cli, " scale", scale, in, " ", out}));
    });
    const double b = bench::BestMs(runs, [&] {
      bench::RunCommand(Join({cli, " scale --full-decode", scale, in, " ", out}));
    });
    const double c = bench::BestMs(runs, [&] {
      const codec::Image image = codec::DecodeJpeg(bytes);
      const auto w = static_cast<int32_t>(std::lround(info.width * 1600 / longEdge));
      const auto h = static_cast<int32_t>(std::lround(info.height * 1600 / longEdge));
      codec::EncodeJpeg(codec::Resample(image, w, h, codec::ResampleFilter::Lanczos3));
    });
    double d = 0, e = 0;
    if (haveVips) {
      d = bench::BestMs(runs, [&] {
        bench::RunCommand(Join({"vips resize ", in, " ", out, " ", factor, " --kernel lanczos3"}));
      });
    }
    if (haveMagick) {
      e = bench::BestMs(runs, [&] {
        bench::RunCommand(Join({"convert ", in, " -filter Lanczos -resize 1600x1600 ", out}));
      });
    }
    std::printf("  %-32s %8.0f %8.0f %8.0f %8.0f %8.0f\n", photo.filename().c_str(), a, b, c, d, e);
    ours += a;
    oursFull += b;
    inProcess += c;
    vips += d;
    magick += e;
  }
  std::printf("  %-32s %8.0f %8.0f %8.0f %8.0f %8.0f\n", "total", ours, oursFull, inProcess, vips,
              magick);
  if (haveVips)
    std::printf("  vips / vemora: %.2fx (full decode: %.2fx); goal >= 1.0x\n", vips / ours,
                vips / oursFull);
  if (haveMagick)
    std::printf("  magick / vemora: %.2fx (full decode: %.2fx); goal >= 3.0x\n", magick / ours,
                magick / oursFull);

  // BMP: the bitmaps djpeg writes, read back by cjpeg and by us (decode + the same JPEG
  // encode), and our decode and 24-bit encode alone.
  const size_t bmpCount = std::min<size_t>(3, photos.size());
  double oursBmp = 0, cjpeg = 0, decodeOnly = 0, encodeOnly = 0;
  for (size_t i = 0; i < bmpCount; ++i) {
    const std::filesystem::path bmpPath = scratch / "photo.bmp";
    bench::RunCommand(
        Join({"djpeg -bmp -outfile ", bench::Quote(bmpPath), " ", bench::Quote(photos[i])}));
    const std::vector<uint8_t> bmp = codec::ReadFileBytes(bmpPath);
    oursBmp += bench::BestMs(runs, [&] {
      bench::RunCommand(Join({cli, " convert ", bench::Quote(bmpPath), " ", out}));
    });
    cjpeg += bench::BestMs(runs, [&] {
      bench::RunCommand(Join({"cjpeg -outfile ", out, " ", bench::Quote(bmpPath)}));
    });
    codec::Image image;
    decodeOnly += bench::BestMs(runs, [&] { image = codec::DecodeBmp(bmp); });
    encodeOnly += bench::BestMs(runs, [&] { codec::EncodeBmp(image); });
  }
  std::filesystem::remove_all(scratch);
  const double n = static_cast<double>(bmpCount);
  std::printf("BMP (24-bit, from djpeg -bmp) over %zu photos, ms per photo\n", bmpCount);
  std::printf("  vemora convert x.bmp x.jpg          %7.1f\n", oursBmp / n);
  std::printf("  cjpeg x.bmp                         %7.1f\n", cjpeg / n);
  std::printf("  DecodeBmp alone / EncodeBmp alone   %7.1f / %.1f\n", decodeOnly / n,
              encodeOnly / n);
  std::printf("  time vs cjpeg: %.2fx; goal <= 1.2x\n", oursBmp / cjpeg);
  return 0;
#endif
}
