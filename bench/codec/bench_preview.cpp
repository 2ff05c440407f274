// Catalogue previews over the full-size camera photos: ours in-process and through the
// `vemora preview` tool, against vipsthumbnail (a whole thumbnailer) and djpeg at 1/8
// scale (entropy decoding alone, the floor no preview maker can go below).
#include <unistd.h>

#include <cstdio>
#include <string>

#include "bench_support.h"
#include "codec/image_file.h"
#include "codec/jpeg.h"
#include "codec/preview.h"

using namespace vemora;

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : 3;
  const auto photos = bench::RequireBenchPhotos();
  const std::filesystem::path scratch = bench::ScratchFolder("preview");
  const std::string out = bench::Quote(scratch / "preview.jpg");

  double ours = 0, oursCli = 0, vips = 0, djpeg = 0, accurate = 0, fast = 0;
  for (const auto& photo : photos) {
    const std::vector<uint8_t> bytes = codec::ReadFileBytes(photo);  // also warms the cache
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    ours += bench::BestMs(runs, [&] { codec::MakePreviewJpeg(text); });
    // The reduced decode alone, with libjpeg's accurate and its fast settings.
    codec::JpegDecodeOptions options;
    options.scaleNumerator = codec::JpegScaleForHeight(codec::ReadJpegInfo(bytes).height, 100);
    accurate += bench::BestMs(runs, [&] { codec::DecodeJpeg(bytes, options); });
    options.fast = true;
    fast += bench::BestMs(runs, [&] { codec::DecodeJpeg(bytes, options); });
#ifdef VEMORA_CLI
    oursCli += bench::BestMs(runs, [&] {
      bench::RunCommand(std::string(VEMORA_CLI) + " preview " + bench::Quote(photo) + " " + out);
    });
#endif
    vips += bench::BestMs(runs, [&] {
      bench::RunCommand("vipsthumbnail --size x100 -o " + (scratch / "vips.jpg").string() + " " +
                        bench::Quote(photo));
    });
    djpeg += bench::BestMs(runs, [&] {
      bench::RunCommand("djpeg -scale 1/8 -outfile /dev/null " + bench::Quote(photo));
    });
  }
  std::filesystem::remove_all(scratch);

  const double n = static_cast<double>(photos.size());
  std::printf("previews of %zu photos, best of %d runs, ms per photo\n", photos.size(), runs);
  std::printf("  MakePreviewJpeg (in-process)   %7.1f\n", ours / n);
  std::printf("  vemora preview (process)       %7.1f\n", oursCli / n);
  std::printf("  vipsthumbnail --size x100      %7.1f\n", vips / n);
  std::printf("  djpeg -scale 1/8               %7.1f\n", djpeg / n);
  std::printf("  reduced decode, accurate IDCT   %7.1f\n", accurate / n);
  std::printf("  reduced decode, fast IDCT       %7.1f\n", fast / n);
  std::printf("throughput vs vipsthumbnail: %.2fx (process), %.2fx (in-process); goal >= 1.2x\n",
              vips / oursCli, vips / ours);
  std::printf("time vs djpeg -scale 1/8:    %.2fx (process), %.2fx (in-process); goal <= 1.15x\n",
              oursCli / djpeg, ours / djpeg);
  return 0;
}
