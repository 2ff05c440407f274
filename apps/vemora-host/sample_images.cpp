#include "sample_images.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <string>

#include "codec/image.h"
#include "codec/jpeg.h"

namespace vemora::demo {
namespace {

struct Colour {
  float r, g, b;
};

Colour Mix(Colour a, Colour b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

struct Scene {
  const char* name;
  const char* description;
  const char* keywords;
  Colour skyTop, skyBottom, ground, sun;
  float sunX, sunY, hills;
};

constexpr std::array<Scene, 8> kScenes = {{
    {"Sonnenuntergang",
     "Abendrot über den Hügeln, die Sonne knapp über dem Horizont.",
     "Abend;Sonne;Hügel",
     {0.25f, 0.1f, 0.35f},
     {1.0f, 0.55f, 0.2f},
     {0.15f, 0.1f, 0.1f},
     {1.0f, 0.9f, 0.5f},
     0.5f,
     0.62f,
     0.7f},
    {"Alpenwiese",
     "Sommerwiese im Gebirge unter klarem Himmel.",
     "Sommer;Wiese;Berge",
     {0.3f, 0.55f, 0.95f},
     {0.75f, 0.88f, 1.0f},
     {0.25f, 0.6f, 0.2f},
     {1.0f, 1.0f, 0.85f},
     0.8f,
     0.2f,
     0.6f},
    {"Meeresblick",
     "Ruhige See am Vormittag, der Horizont fast gerade.",
     "Meer;Wasser;Vormittag",
     {0.1f, 0.35f, 0.7f},
     {0.6f, 0.8f, 0.95f},
     {0.05f, 0.3f, 0.5f},
     {1.0f, 0.95f, 0.8f},
     0.25f,
     0.3f,
     0.1f},
    {"Herbstwald",
     "Sanfte Hügel in Herbstfarben im warmen Licht.",
     "Herbst;Wald;Hügel",
     {0.5f, 0.6f, 0.75f},
     {0.9f, 0.85f, 0.7f},
     {0.55f, 0.3f, 0.1f},
     {1.0f, 0.85f, 0.6f},
     0.7f,
     0.35f,
     0.9f},
    {"Winternacht",
     "Mondnacht über verschneiten Dünen.",
     "Winter;Nacht;Mond;Schnee",
     {0.02f, 0.03f, 0.12f},
     {0.15f, 0.2f, 0.4f},
     {0.85f, 0.88f, 0.95f},
     {0.95f, 0.95f, 1.0f},
     0.3f,
     0.2f,
     0.5f},
    {"Wüste",
     "Sanddünen in der Mittagssonne.",
     "Wüste;Sand;Sonne",
     {0.55f, 0.75f, 0.95f},
     {0.95f, 0.9f, 0.8f},
     {0.85f, 0.65f, 0.35f},
     {1.0f, 1.0f, 0.9f},
     0.6f,
     0.15f,
     0.4f},
    {"Morgennebel",
     "Nebel liegt am frühen Morgen über den Feldern.",
     "Morgen;Nebel;Felder",
     {0.7f, 0.72f, 0.78f},
     {0.95f, 0.9f, 0.85f},
     {0.4f, 0.5f, 0.4f},
     {1.0f, 0.95f, 0.85f},
     0.2f,
     0.45f,
     0.8f},
    {"Lavendelfeld",
     "Blühendes Lavendelfeld im Abendlicht.",
     "Sommer;Lavendel;Felder",
     {0.45f, 0.6f, 0.9f},
     {0.95f, 0.8f, 0.75f},
     {0.5f, 0.35f, 0.7f},
     {1.0f, 0.9f, 0.7f},
     0.85f,
     0.4f,
     0.3f},
}};

codec::Image DrawScene(const Scene& scene, int variant, int32_t width, int32_t height) {
  codec::Image image;
  image.width = width;
  image.height = height;
  image.format = codec::PixelFormat::Rgb24;
  image.pixels.resize(image.RowBytes() * static_cast<size_t>(height));
  const float phase = 0.9f * static_cast<float>(variant);
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = image.Row(y);
    const float v = static_cast<float>(y) / static_cast<float>(height);
    for (int32_t x = 0; x < width; ++x) {
      const float u = static_cast<float>(x) / static_cast<float>(width);
      const float horizon = 0.62f - scene.hills * 0.12f *
                                        (std::sin(u * 6.0f + phase) * 0.6f +
                                         std::sin(u * 15.0f + phase * 2.0f) * 0.25f);
      Colour colour;
      if (v < horizon) {
        colour = Mix(scene.skyTop, scene.skyBottom, v / horizon);
        const float dx = (u - scene.sunX) * static_cast<float>(width) / static_cast<float>(height);
        const float dy = v - scene.sunY;
        const float distance = std::sqrt(dx * dx + dy * dy);
        const float glow = std::exp(-distance * 9.0f);
        colour = Mix(colour, scene.sun, distance < 0.06f ? 1.0f : glow * 0.7f);
      } else {
        const float depth = (v - horizon) / (1.0f - horizon);
        colour = Mix(scene.ground, {0.0f, 0.0f, 0.0f}, 0.5f * depth);
        colour = Mix(colour, scene.skyBottom, 0.3f * (1.0f - depth));
        const float furrow = 0.06f * std::sin((u - 0.5f) * 80.0f / (0.2f + depth));
        colour = {colour.r + furrow, colour.g + furrow, colour.b + furrow};
      }
      row[3 * x + 0] = static_cast<uint8_t>(std::clamp(colour.r, 0.0f, 1.0f) * 255.0f);
      row[3 * x + 1] = static_cast<uint8_t>(std::clamp(colour.g, 0.0f, 1.0f) * 255.0f);
      row[3 * x + 2] = static_cast<uint8_t>(std::clamp(colour.b, 0.0f, 1.0f) * 255.0f);
    }
  }
  return image;
}

}  // namespace

std::vector<SampleImage> WriteSampleImages(const std::filesystem::path& folder, int count) {
  std::filesystem::create_directories(folder);
  std::vector<SampleImage> samples;
  for (int i = 0; i < count; ++i) {
    const Scene& scene = kScenes[static_cast<size_t>(i) % kScenes.size()];
    const int variant = i / static_cast<int>(kScenes.size());
    const auto path = folder / (std::string(scene.name) +
                                (variant == 0 ? "" : " " + std::to_string(variant + 1)) + ".jpg");
    if (!std::filesystem::exists(path)) {
      // Portrait now and then, as real collections have.
      const bool portrait = i % 5 == 4;
      const auto bytes = codec::EncodeJpeg(
          DrawScene(scene, variant, portrait ? 900 : 1600, portrait ? 1200 : 1067));
      std::ofstream(path, std::ios::binary)
          .write(reinterpret_cast<const char*>(bytes.data()),
                 static_cast<std::streamsize>(bytes.size()));
    }
    samples.push_back({path, scene.description, scene.keywords});
  }
  return samples;
}

}  // namespace vemora::demo
