// Resampling checked against an independent implementation of the same kernels. The
// references in data/ were made once with ImageMagick 6.9.11 from the 640x480 camera bitmap
// images/bmp/real/Sony_FD71_MVC-004S.BMP: `convert IN -filter F -resize '64x48!' -depth 8`
// (_down), and the same after `-crop 24x18+300+200 +repage` to '60x45!' (_up), with F =
// Triangle, Hermite, Quadratic (our Bell), Spline (our B-Spline), Lanczos, Mitchell. Each
// filter reaches 50-51 dB against its own reference, the nearest other filter's at best 45 and
// a box or nearest-neighbour stretch below 36: rounding differs, so 48 dB is the bound.
#include "codec/resample.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <tuple>

#include "codec/bmp.h"
#include "codec/stretch.h"
#include "test_pictures.h"

namespace vemora::codec {
namespace {

namespace fs = std::filesystem;
using testing::Psnr;

Image ReadPpm(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int width = 0, height = 0, maxValue = 0;
  in >> magic >> width >> height >> maxValue;
  in.get();
  Image image{width, height, PixelFormat::Rgb24, {}};
  image.pixels.resize(image.RowBytes() * height);
  in.read(reinterpret_cast<char*>(image.pixels.data()),
          static_cast<std::streamsize>(image.pixels.size()));
  EXPECT_EQ(magic, "P6") << path;
  EXPECT_TRUE(in) << path;
  return image;
}

Image Crop(const Image& source, int32_t left, int32_t top, int32_t width, int32_t height) {
  Image out{width, height, source.format, {}};
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* row = source.Row(top + y) + left * 3;
    out.pixels.insert(out.pixels.end(), row, row + out.RowBytes());
  }
  return out;
}

TEST(Resample, EachFilterMatchesAnIndependentReference) {
  VEMORA_REQUIRE_TESTDATA();
  const Image photo = DecodeBmp(testing::TestImageBytes("bmp/real/Sony_FD71_MVC-004S.BMP"));
  const Image crop = Crop(photo, 300, 200, 24, 18);
  const fs::path data = fs::path(VEMORA_SOURCE_DIR) / "tests" / "codec" / "data";
  const std::pair<ResampleFilter, const char*> filters[] = {
      {ResampleFilter::Triangle, "triangle"}, {ResampleFilter::Hermite, "hermite"},
      {ResampleFilter::Bell, "bell"},         {ResampleFilter::BSpline, "bspline"},
      {ResampleFilter::Lanczos3, "lanczos3"}, {ResampleFilter::Mitchell, "mitchell"}};
  for (const auto& [filter, name] : filters) {
    SCOPED_TRACE(name);
    const Image down = Resample(photo, 64, 48, filter);
    EXPECT_GE(Psnr(down, ReadPpm(data / (std::string("resample_") + name + "_down.ppm"))), 48.0);
    const Image up = Resample(crop, 60, 45, filter);
    EXPECT_GE(Psnr(up, ReadPpm(data / (std::string("resample_") + name + "_up.ppm"))), 48.0);
  }
}

Image Flat(int32_t width, int32_t height, PixelFormat format, uint8_t value) {
  Image image{width, height, format, {}};
  image.pixels.assign(image.RowBytes() * height, value);
  return image;
}

// Weights that do not add up to exactly one show as a tint or as overshoot on flat areas.
TEST(Resample, FlatPicturesStayFlatAtAnySize) {
  for (const auto filter :
       {ResampleFilter::Triangle, ResampleFilter::Hermite, ResampleFilter::Bell,
        ResampleFilter::BSpline, ResampleFilter::Lanczos3, ResampleFilter::Mitchell}) {
    for (const auto& [w, h, format] :
         {std::tuple{7, 3, PixelFormat::Rgb24}, std::tuple{1, 1, PixelFormat::Rgb24},
          std::tuple{333, 2, PixelFormat::Gray8}}) {
      const Image out = Resample(Flat(97, 41, format, 200), w, h, filter);
      ASSERT_EQ(out.pixels.size(), static_cast<size_t>(w) * h * BytesPerPixel(format));
      EXPECT_EQ(std::set<uint8_t>(out.pixels.begin(), out.pixels.end()), std::set<uint8_t>{200})
          << ResampleFilterName(filter) << " to " << w << "x" << h;
    }
  }
}

// Big enough that the passes run on several threads; the result must not depend on it.
TEST(Resample, LargePictureMatchesItsOwnHalves) {
  Image image{1200, 900, PixelFormat::Rgb24, {}};
  image.pixels.resize(image.RowBytes() * image.height);
  for (size_t i = 0; i < image.pixels.size(); ++i)
    image.pixels[i] = static_cast<uint8_t>((i * 2654435761u) >> 24);
  const Image whole = Resample(image, 300, 225, ResampleFilter::Lanczos3);
  // Column 0..149 of the result depends only on source columns up to ~612: compute the left
  // half from a crop and compare.
  const Image left = Resample(Crop(image, 0, 0, 600, 900), 150, 225, ResampleFilter::Lanczos3);
  for (int32_t y = 0; y < 225; ++y)
    for (int32_t x = 0; x < 140 * 3; ++x)
      ASSERT_EQ(whole.Row(y)[x], left.Row(y)[x]) << x << "," << y;
}

TEST(Resample, RefusesEmptySourcesAndSizes) {
  const Image small = Flat(4, 4, PixelFormat::Rgb24, 0);
  EXPECT_THROW(Resample(Image{}, 10, 10, ResampleFilter::Triangle), CodecError);
  EXPECT_THROW(Resample(small, 0, 10, ResampleFilter::Triangle), CodecError);
  EXPECT_THROW(Resample(small, 100000, 100000, ResampleFilter::Triangle), CodecError);
}

// A sliver a million pixels long shrunk to a few: every output weighs its whole share of
// the source, and a flat picture stays flat (its weights still add up to one).
TEST(Resample, ExtremeReductionOfASliverStaysFlat) {
  const Image sliver = Flat(1'000'000, 1, PixelFormat::Gray8, 77);
  for (const ResampleFilter filter : {ResampleFilter::Triangle, ResampleFilter::Lanczos3}) {
    const Image small = Resample(sliver, 3, 1, filter);
    EXPECT_EQ(small.pixels, std::vector<uint8_t>(3, 77));
  }
}

// Interpolation off is the plain stretch; on filters, and reduces colours when asked, even
// at the picture's own size.
TEST(ResampleWith, TheInterpolationSwitch) {
  Image image = Flat(40, 30, PixelFormat::Rgb24, 0);
  for (size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = static_cast<uint8_t>(i * 13);
  ResampleParameters parameters;
  parameters.targetWidth = 17;
  parameters.targetHeight = 11;
  EXPECT_TRUE(ResampleWith(image, parameters).pixels == Stretch(image, 17, 11).pixels);
  parameters.interpolate = true;
  parameters.filter = ResampleFilter::Mitchell;
  EXPECT_TRUE(ResampleWith(image, parameters).pixels ==
              Resample(image, 17, 11, ResampleFilter::Mitchell).pixels);
  parameters.targetWidth = 40;
  parameters.targetHeight = 30;
  parameters.changeColourFormat = true;
  parameters.colourFormat = ColourFormat::BlackWhite;
  const Image reduced = ResampleWith(image, parameters);
  EXPECT_EQ(reduced.format, PixelFormat::Gray8);
  EXPECT_EQ(std::set<uint8_t>(reduced.pixels.begin(), reduced.pixels.end()),
            (std::set<uint8_t>{0, 255}));
}

}  // namespace
}  // namespace vemora::codec
