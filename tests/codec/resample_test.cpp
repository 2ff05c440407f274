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
#include "codec/colour_reduction.h"
#include "codec/fit.h"
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
TEST(Resample, FlatPicturesStayFlatAtAnySizeAndEmptySizesAreRefused) {
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

  const Image small = Flat(4, 4, PixelFormat::Rgb24, 0);
  EXPECT_THROW(Resample(Image{}, 10, 10, ResampleFilter::Triangle), CodecError);
  EXPECT_THROW(Resample(small, 0, 10, ResampleFilter::Triangle), CodecError);
  EXPECT_THROW(Resample(small, 100000, 100000, ResampleFilter::Triangle), CodecError);

  // A sliver a million pixels long shrunk to a few: every output weighs its whole share of
  // the source, and a flat picture stays flat (its weights still add up to one).
  const Image sliver = Flat(1'000'000, 1, PixelFormat::Gray8, 77);
  for (const ResampleFilter filter : {ResampleFilter::Triangle, ResampleFilter::Lanczos3}) {
    const Image small = Resample(sliver, 3, 1, filter);
    EXPECT_EQ(small.pixels, std::vector<uint8_t>(3, 77));
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

// Interpolation off is the plain stretch; on filters, and reduces colours when asked, even
// at the picture's own size.
TEST(ResampleWith, TheInterpolationSwitchAndThePlainStretch) {
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

  // The plain stretch: box averages when shrinking, repeated pixels when enlarging.
  const auto grey = [](int32_t width, int32_t height, std::vector<uint8_t> pixels) {
    return Image{width, height, PixelFormat::Gray8, std::move(pixels)};
  };
  const Image out = Stretch(grey(4, 2, {0, 10, 20, 30, 100, 110, 120, 131}), 2, 1);
  ASSERT_EQ(out.format, PixelFormat::Rgb24);
  // (0+10+100+110)/4 = 55, (20+30+120+131)/4 = 75.25, on all three channels.
  EXPECT_EQ(out.pixels, (std::vector<uint8_t>{55, 55, 55, 75, 75, 75}));
  // 7 -> 3: boxes of 2, 2 and 3 source pixels; the last pixel must not be dropped.
  EXPECT_EQ(Stretch(grey(7, 1, {0, 0, 0, 0, 0, 0, 255}), 3, 1).pixels[6], 85);

  Image rgb{2, 1, PixelFormat::Rgb24, {1, 2, 3, 4, 5, 6}};
  EXPECT_EQ(Stretch(rgb, 4, 1).pixels, (std::vector<uint8_t>{1, 2, 3, 1, 2, 3, 4, 5, 6, 4, 5, 6}));
  // Wider and lower at once: each output pixel is one column of two rows averaged.
  EXPECT_EQ(Stretch(grey(1, 2, {10, 20}), 3, 1).pixels, (std::vector<uint8_t>(9, 15)));
  EXPECT_THROW(Stretch(Image{}, 1, 1), CodecError);
  EXPECT_THROW(Stretch(grey(1, 1, {0}), 20000, 20000), CodecError);
}

// The scaling run's fit: which pictures shrink, and to what size.
TEST(Fit, WhichPicturesShrinkAndToWhatSize) {
  const struct {
    int32_t width, height, maxWidth, maxHeight;
    bool interpolate;
    std::optional<FitSize> expected;
  } cases[] = {
      {1000, 500, 800, 600, false, FitSize{800, 400}},  // only the width over
      {700, 1000, 800, 600, false, FitSize{420, 600}},  // only the height over
      // Both over: by width first; when that height still reaches the limit, by height.
      {2000, 1000, 800, 700, false, FitSize{800, 400}},
      {1000, 900, 800, 700, false, FitSize{778, 700}},
      // Within the limits: resampled at its own size only when interpolating.
      {800, 600, 800, 800, false, std::nullopt},
      {800, 600, 800, 800, true, FitSize{800, 600}},
      // At most half as wide as high, or empty: left alone.
      {1000, 2500, 800, 800, true, std::nullopt},
      {500, 1000, 100, 100, false, std::nullopt},  // ratio 0.5 rounds to even 0
      {501, 1000, 100, 100, false, FitSize{50, 100}},
      {0, 100, 10, 10, true, std::nullopt},
      // Halves round to the even neighbour, but never below one pixel.
      {2000, 5, 1000, 800, false, FitSize{1000, 2}},  // 2.5
      {100000, 1, 800, 800, false, FitSize{800, 1}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ComputeFit(c.width, c.height, c.maxWidth, c.maxHeight, c.interpolate), c.expected)
        << c.width << "x" << c.height << " into " << c.maxWidth << "x" << c.maxHeight;
  }
  ResampleParameters parameters;
  EXPECT_TRUE(ComputeFit(parameters, Image{4000, 3000, PixelFormat::Rgb24, {}}, 800, 800));
  EXPECT_EQ(std::pair(parameters.targetWidth, parameters.targetHeight), std::pair(800, 600));
  EXPECT_FALSE(ComputeFit(parameters, Image{}, 800, 800));
}

size_t DistinctColours(const Image& image) {
  std::set<uint32_t> colours;
  const int n = BytesPerPixel(image.format);
  for (size_t i = 0; i < image.pixels.size(); i += n) {
    uint32_t key = 0;
    for (int c = 0; c < n; ++c) key = key << 8 | image.pixels[i + c];
    colours.insert(key);
  }
  return colours.size();
}

TEST(ColourReduction, EachFormatKeepsItsPromiseOnAPhoto) {
  VEMORA_REQUIRE_TESTDATA();
  const Image photo = DecodeBmp(testing::TestImageBytes("bmp/real/Sony_FD71_MVC-004S.BMP"));
  ASSERT_GT(DistinctColours(photo), 10000u);
  // A median-cut palette must also follow the picture: 256 colours stay close to the photo.
  const struct {
    ColourFormat format;
    PixelFormat pixels;
    size_t atMost;
    double minimumPsnr;  // 0: no bound
  } cases[] = {{ColourFormat::BlackWhite, PixelFormat::Gray8, 2, 0},
               {ColourFormat::Grey16, PixelFormat::Gray8, 16, 0},
               {ColourFormat::Grey256, PixelFormat::Gray8, 256, 0},
               {ColourFormat::Colours16, PixelFormat::Rgb24, 16, 0},
               {ColourFormat::Colours256, PixelFormat::Rgb24, 256, 30}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(ColourFormatName(c.format)));
    const Image reduced = ReduceColours(photo, c.format);
    EXPECT_EQ(reduced.format, c.pixels);
    EXPECT_EQ(reduced.width, photo.width);
    EXPECT_LE(DistinctColours(reduced), c.atMost);
    // Every level in use: a quantiser that collapses to a few colours would pass the bound.
    EXPECT_GE(DistinctColours(reduced), c.atMost * 3 / 4);
    EXPECT_GE(Psnr(photo, reduced), c.minimumPsnr);
  }
  EXPECT_TRUE(ReduceColours(photo, ColourFormat::TrueColour).pixels == photo.pixels);
}

TEST(ColourReduction, GreyInputAndStoredCodes) {
  Image grey{64, 4, PixelFormat::Gray8, {}};
  for (int i = 0; i < 256; ++i) grey.pixels.push_back(static_cast<uint8_t>(i));
  const Image colour = ReduceColours(grey, ColourFormat::Colours16);
  EXPECT_EQ(colour.format, PixelFormat::Rgb24);
  EXPECT_LE(DistinctColours(colour), 16u);
  EXPECT_EQ(ColourFormatOf(grey), ColourFormat::Grey256);
  EXPECT_EQ(ColourFormatFromCode(4), ColourFormat::Colours256);
  EXPECT_FALSE(ColourFormatFromCode(6).has_value());
  EXPECT_EQ(ColourFormatName(ColourFormat::BlackWhite), "schwarz/weiß");
  EXPECT_THROW(ReduceColours(Image{}, ColourFormat::Grey16), CodecError);
}

}  // namespace
}  // namespace vemora::codec
