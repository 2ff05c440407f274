// Builds small TIFF structures and JPEG files in memory for the reader tests, in either byte
// order, so each test states exactly the bytes it needs.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace vemora::testing {

class TiffBuilder {
 public:
  // Makes the bytes of a value once its offset (from the TIFF header) is known.
  using LateValue = std::function<std::string(std::uint32_t offset)>;

  explicit TiffBuilder(bool motorola) : motorola_(motorola) { ifds_.emplace_back(); }

  bool motorola() const { return motorola_; }

  int AddIfd() {
    ifds_.emplace_back();
    return static_cast<int>(ifds_.size()) - 1;
  }

  void Raw(int ifd, int tag, int format, std::uint32_t count, std::string bytes) {
    ifds_[ifd].push_back({tag, format, count, std::move(bytes), -1, {}});
  }
  void Late(int ifd, int tag, int format, std::uint32_t count, std::size_t size, LateValue make) {
    ifds_[ifd].push_back({tag, format, count, std::string(size, '\0'), -1, std::move(make)});
  }
  void Ascii(int ifd, int tag, const std::string& text) {
    Raw(ifd, tag, 2, static_cast<std::uint32_t>(text.size() + 1), text + '\0');
  }
  void Undefined(int ifd, int tag, const std::string& bytes) {
    Raw(ifd, tag, 7, static_cast<std::uint32_t>(bytes.size()), bytes);
  }
  void Short(int ifd, int tag, std::vector<std::uint16_t> values) {
    std::string bytes;
    for (auto v : values) bytes += U16(v);
    Raw(ifd, tag, 3, static_cast<std::uint32_t>(values.size()), bytes);
  }
  void Rational(int ifd, int tag, std::vector<std::pair<std::uint32_t, std::uint32_t>> values) {
    std::string bytes;
    for (auto [n, d] : values) bytes += U32(n) + U32(d);
    Raw(ifd, tag, 5, static_cast<std::uint32_t>(values.size()), bytes);
  }
  // A LONG entry holding the offset of another directory of this builder.
  void Link(int ifd, int tag, int target) {
    ifds_[ifd].push_back({tag, 4, 1, std::string(4, '\0'), target, {}});
  }

  std::string U16(std::uint32_t v) const {
    std::string s(2, '\0');
    s[motorola_ ? 0 : 1] = static_cast<char>(v >> 8);
    s[motorola_ ? 1 : 0] = static_cast<char>(v);
    return s;
  }
  std::string U32(std::uint32_t v) const {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) s[motorola_ ? 3 - i : i] = static_cast<char>(v >> (8 * i));
    return s;
  }

  // "II*\0" or "MM\0*", IFD0 at 8, every directory followed by its out-of-line values.
  std::string Build() const {
    std::vector<std::uint32_t> starts;
    std::uint32_t position = 8;
    for (const auto& ifd : ifds_) {
      starts.push_back(position);
      position += 2 + 12 * static_cast<std::uint32_t>(ifd.size()) + 4;
      for (const auto& e : ifd) {
        if (e.bytes.size() > 4) position += static_cast<std::uint32_t>((e.bytes.size() + 1) & ~1u);
      }
    }
    std::string out = motorola_ ? std::string("MM\0*", 4) : std::string("II*\0", 4);
    out += U32(8);
    for (std::size_t i = 0; i < ifds_.size(); ++i) {
      const auto& ifd = ifds_[i];
      std::uint32_t data = starts[i] + 2 + 12 * static_cast<std::uint32_t>(ifd.size()) + 4;
      std::string values;
      out += U16(static_cast<std::uint32_t>(ifd.size()));
      for (const auto& e : ifd) {
        out += U16(static_cast<std::uint32_t>(e.tag)) + U16(static_cast<std::uint32_t>(e.format)) +
               U32(e.count);
        std::string bytes = e.late ? e.late(e.bytes.size() > 4 ? data : 0) : e.bytes;
        if (e.link >= 0) bytes = U32(starts[static_cast<std::size_t>(e.link)]);
        if (bytes.size() <= 4) {
          out += bytes + std::string(4 - bytes.size(), '\0');
        } else {
          out += U32(data);
          if (bytes.size() % 2) bytes += '\0';
          values += bytes;
          data += static_cast<std::uint32_t>(bytes.size());
        }
      }
      out += U32(0);
      out += values;
    }
    return out;
  }

 private:
  struct Entry {
    int tag;
    int format;
    std::uint32_t count;
    std::string bytes;
    int link;
    LateValue late;
  };
  bool motorola_;
  std::vector<std::vector<Entry>> ifds_;
};

// A JPEG made of SOI, the given (marker, data) sections, a start of scan and EOI.
inline std::string MakeJpeg(const std::vector<std::pair<int, std::string>>& sections) {
  std::string out = "\xFF\xD8";
  for (const auto& [marker, data] : sections) {
    const std::size_t length = data.size() + 2;
    out += {'\xFF', static_cast<char>(marker), static_cast<char>(length >> 8),
            static_cast<char>(length)};
    out += data;
  }
  out += std::string("\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00", 10);
  out += "\x12\x34\xFF\xD9";
  return out;
}

inline std::string ExifSection(const std::string& tiff) {
  return std::string("Exif\0\0", 6) + tiff;
}

// An APP13 block holding IPTC datasets (record, dataset, value).
inline std::string IptcSection(const std::vector<std::tuple<int, int, std::string>>& datasets) {
  std::string out = std::string("Photoshop 3.0\0", 14) + "8BIM\x04\x04" + std::string("\0\0", 2);
  std::string iptc;
  for (const auto& [record, dataset, value] : datasets) {
    iptc += {'\x1C', static_cast<char>(record), static_cast<char>(dataset),
             static_cast<char>(value.size() >> 8), static_cast<char>(value.size())};
    iptc += value;
  }
  const std::size_t n = iptc.size();
  out += std::string{static_cast<char>(n >> 24), static_cast<char>(n >> 16),
                     static_cast<char>(n >> 8), static_cast<char>(n)};
  out += iptc;
  if (n % 2) out += '\0';
  return out;
}

}  // namespace vemora::testing
