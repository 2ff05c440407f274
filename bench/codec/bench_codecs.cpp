// Whole-file conversions against the libraries' own tools: JPEG to BMP against
// `djpeg -bmp`, and TIFF decode plus Deflate encode against `tiffcp -c zip:2`. Ours runs
// in-process and, where a `vemora` command does the same job, as a process too.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "bench_support.h"
#include "codec/bmp.h"
#include "codec/image_file.h"
#include "codec/jpeg.h"
#include "codec/tiff.h"

using namespace vemora;

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : 3;
  const auto photos = bench::RequireBenchPhotos();
  const std::filesystem::path scratch = bench::ScratchFolder("codecs");

  // JPEG decode + BMP encode over every photo.
  double ours = 0, oursCli = 0, djpeg = 0;
  for (const auto& photo : photos) {
    const std::vector<uint8_t> bytes = codec::ReadFileBytes(photo);
    ours += bench::BestMs(runs, [&] { codec::EncodeBmp(codec::DecodeJpeg(bytes)); });
#ifdef VEMORA_CLI
    oursCli += bench::BestMs(runs, [&] {
      bench::RunCommand(std::string(VEMORA_CLI) + " convert " + bench::Quote(photo) + " " +
                        bench::Quote(scratch / "ours.bmp"));
    });
#endif
    djpeg += bench::BestMs(runs, [&] {
      bench::RunCommand("djpeg -bmp -outfile " + bench::Quote(scratch / "djpeg.bmp") + " " +
                        bench::Quote(photo));
    });
  }
  const double n = static_cast<double>(photos.size());
  std::printf("JPEG -> BMP over %zu photos, best of %d runs, ms per photo\n", photos.size(), runs);
  std::printf("  DecodeJpeg + EncodeBmp (in-process) %7.1f\n", ours / n);
  std::printf("  vemora convert x.jpg x.bmp          %7.1f\n", oursCli / n);
  std::printf("  djpeg -bmp                          %7.1f\n", djpeg / n);
  std::printf("  time vs djpeg: %.2fx (process), %.2fx (in-process); goal <= 1.2x\n",
              oursCli / djpeg, ours / djpeg);

  // TIFF: three photos made into Deflate TIFFs, then decoded and written again.
  double oursTiff = 0, oursDecode = 0, tiffcp = 0;
  const size_t tiffCount = std::min<size_t>(3, photos.size());
  for (size_t i = 0; i < tiffCount; ++i) {
    const std::filesystem::path tiffPath = scratch / "photo.tif";
    const std::vector<uint8_t> tiff =
        codec::EncodeTiff(codec::DecodeJpeg(codec::ReadFileBytes(photos[i])));
    codec::WriteFileAtomically(tiffPath, tiff);
    oursDecode += bench::BestMs(runs, [&] { codec::DecodeTiff(tiff); });
    oursTiff += bench::BestMs(runs, [&] { codec::EncodeTiff(codec::DecodeTiff(tiff)); });
    tiffcp += bench::BestMs(runs, [&] {
      bench::RunCommand("tiffcp -c zip:2 " + bench::Quote(tiffPath) + " " +
                        bench::Quote(scratch / "tiffcp.tif"));
    });
  }
  std::filesystem::remove_all(scratch);
  const double t = static_cast<double>(tiffCount);
  std::printf("TIFF (Deflate, predictor 2) over %zu photos, ms per photo\n", tiffCount);
  std::printf("  DecodeTiff alone (in-process)       %7.1f\n", oursDecode / t);
  std::printf("  DecodeTiff + EncodeTiff             %7.1f\n", oursTiff / t);
  std::printf("  tiffcp -c zip:2                     %7.1f\n", tiffcp / t);
  std::printf("  time vs tiffcp: %.2fx (in-process); goal <= 1.2x\n", oursTiff / tiffcp);
  return 0;
}
