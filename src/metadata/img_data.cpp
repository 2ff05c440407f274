#include "metadata/img_data.h"

#include <cstdio>
#include <cstring>
#include <system_error>

#include "metadata/format_number.h"
#include "platform/utf8_path.h"

namespace vemora::metadata {

// Bytes from an open file or from memory, read front to back. File reads go through a small
// buffer of our own: the section walk reads a few bytes at a time between larger blocks.
class TimgData::Source {
 public:
  explicit Source(std::FILE* file) : file_(file), buffer_(new char[kBufferSize]) {
    std::setvbuf(file_, nullptr, _IONBF, 0);
  }
  explicit Source(std::string_view bytes) : bytes_(bytes) {}

  // Reads up to `count` bytes into `out` (replacing it); returns how many arrived.
  std::size_t Read(std::string& out, std::size_t count) {
    out.clear();
    return Append(out, count);
  }
  // Appends up to `count` bytes to `out`.
  std::size_t Append(std::string& out, std::size_t count) {
    const std::size_t old = out.size();
    out.resize(old + count);
    const std::size_t got = ReadInto(out.data() + old, count);
    out.resize(old + got);
    return got;
  }
  // Passes over up to `count` bytes; returns how many there were.
  std::size_t Skip(std::size_t count) {
    std::string ignored;
    std::size_t done = 0;
    while (done < count) {
      const std::size_t got = Read(ignored, std::min<std::size_t>(count - done, kBufferSize));
      if (got == 0) break;
      done += got;
    }
    return done;
  }
  int Byte() {
    if (file_ != nullptr && begin_ < end_) return static_cast<unsigned char>(buffer_[begin_++]);
    char c;
    return ReadInto(&c, 1) == 1 ? static_cast<unsigned char>(c) : -1;
  }

 private:
  static constexpr std::size_t kBufferSize = 32768;

  std::size_t ReadInto(char* out, std::size_t count) {
    if (file_ == nullptr) {
      const std::size_t got = std::min(count, bytes_.size() - position_);
      if (got > 0) std::memcpy(out, bytes_.data() + position_, got);
      position_ += got;
      return got;
    }
    std::size_t got = std::min(count, end_ - begin_);
    std::memcpy(out, buffer_.get() + begin_, got);
    begin_ += got;
    if (got == count) return got;
    if (count - got >= kBufferSize) return got + std::fread(out + got, 1, count - got, file_);
    begin_ = 0;
    end_ = std::fread(buffer_.get(), 1, kBufferSize, file_);
    const std::size_t more = std::min(count - got, end_);
    std::memcpy(out + got, buffer_.get(), more);
    begin_ = more;
    return got + more;
  }

  std::FILE* file_ = nullptr;
  std::unique_ptr<char[]> buffer_;
  std::size_t begin_ = 0, end_ = 0;
  std::string_view bytes_;
  std::size_t position_ = 0;
};

namespace {

std::string LowerExtension(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

bool IsJpegExtension(const std::filesystem::path& path) {
  const std::string e = LowerExtension(path);
  return e == ".jpg" || e == ".jpeg" || e == ".jpe";
}

bool IsTiffExtension(const std::filesystem::path& path) {
  const std::string e = LowerExtension(path);
  return e == ".tif" || e == ".tiff" || e == ".nef";
}

void TimgData::Reset() {
  llData.clear();
  MotorolaOrder = false;
  Filename.clear();
  FileDateTime = {};
  FileSize = 0;
  Sections.clear();
  ExifSection = IptcSection = CommentSection = JfifSection = -1;
  ImageInfo.reset();
  IptcData.reset();
  TiffFmt = false;
  ErrStr.clear();
}

bool TimgData::HasMetaData() const {
  return ExifSection >= 0 || CommentSection >= 0 || IptcSection >= 0 ||
         (TiffFmt && ImageInfo != nullptr);
}

std::string TimgData::Comment() const {
  if (CommentSection < 0) return {};
  const std::string& data = Sections[static_cast<std::size_t>(CommentSection)].Data;
  return data.size() > 2 ? std::string(UntilZero(std::string_view(data).substr(2))) : std::string();
}

bool TimgData::ProcessFile(const std::string& fileName) {
  Reset();
  std::error_code error;
  const std::filesystem::path path = platform::PathFromUtf8(fileName);
  // file_size fails for anything but an existing regular file (or a link to one).
  FileSize = std::filesystem::file_size(path, error);
  if (error) {
    FileSize = 0;
    return false;
  }
  Filename = fileName;
  FileDateTime = std::filesystem::last_write_time(path, error);
  ErrStr = "Not an EXIF file";

  const bool jpeg = IsJpegExtension(path);
  if (!jpeg && !IsTiffExtension(path)) return false;
  std::unique_ptr<std::FILE, FileCloser> file(platform::OpenFile(fileName, "rb"));
  if (!file) return false;
  Source source(file.get());
  const bool ok = jpeg ? ReadJpegSections(source) : ReadTiff(source);
  if (ok) ErrStr = "<none>";
  return ok;
}

bool TimgData::ProcessBytes(std::string_view bytes, TFileKind kind) {
  Reset();
  ErrStr = "Not an EXIF file";
  FileSize = bytes.size();
  Source source(bytes);
  const bool ok = kind == TFileKind::kJpeg ? ReadJpegSections(source) : ReadTiff(source);
  if (ok) ErrStr = "<none>";
  return ok;
}

bool TimgData::ReadJpegSections(Source& source) {
  if (source.Byte() != 0xFF || source.Byte() != 0xD8) return false;
  Sections.reserve(kMaxSections);
  int counted = 0;
  while (static_cast<int>(Sections.size()) < kMaxSections) {
    int marker = source.Byte();
    while (marker == 0xFF) marker = source.Byte();
    if (marker < 0) break;
    ++counted;

    TSection section;
    section.Marker = marker;
    if (source.Read(section.Data, 2) < 2) break;
    section.Size = (static_cast<std::uint8_t>(section.Data[0]) << 8) |
                   static_cast<std::uint8_t>(section.Data[1]);
    if (section.Size < 2) break;  // a length that does not even cover itself
    const auto wanted = static_cast<std::size_t>(section.Size - 2);

    // Files without metadata near the front are not searched further.
    const bool lastLook = counted == 5 && ExifSection < 0 && CommentSection < 0 && IptcSection < 0;
    if (marker == 0xE1 && (counted > 5 || ExifSection >= 0)) {
      // Only the first APP1 is read; later ones are passed over and not kept.
      if (source.Skip(wanted) < wanted || lastLook) break;
      continue;
    }
    if (marker == 0xE1 && !lastLook) {
      // The Exif bytes go straight to their reader, which keeps them (see TSection).
      std::string body;
      if (source.Read(body, wanted) < wanted) break;
      ExifSection = static_cast<int>(Sections.size());
      ImageInfo = std::make_unique<TImageInfo>(*this);
      ImageInfo->ProcessExif(std::move(body));
      Sections.push_back(std::move(section));
      continue;
    }
    if (source.Append(section.Data, wanted) < wanted) break;  // cut file
    if (lastLook || marker == 0xD9 || marker == 0xDA) break;

    const int index = static_cast<int>(Sections.size());
    const std::string_view body = std::string_view(section.Data).substr(2);
    switch (marker) {
      case 0xE0:
        JfifSection = index;
        break;
      case 0xED:
        if (IptcSection < 0) {
          IptcSection = index;
          IptcData = std::make_unique<TIPTCdata>();
          IptcData->ParseIPTCStrings(body);
        }
        break;
      case 0xFE:
        CommentSection = index;
        break;
      default:
        break;
    }
    Sections.push_back(std::move(section));
  }
  return HasMetaData();
}

bool TimgData::ReadTiff(Source& source) {
  std::string header;
  if (source.Read(header, 2) < 2) return false;
  if (header != "II" && header != "MM") return false;
  std::string unused;
  source.Read(unused, 6);  // version and IFD0 offset: IFD0 is taken at offset 8

  TiffFmt = true;
  ImageInfo = std::make_unique<TImageInfo>(*this);
  ImageInfo->MotorolaOrder = header == "MM";
  source.Read(ImageInfo->llData, kMaxTiffBytes);
  // Buffer position p holds file offset p + 8, so offsets count from position -8.
  constexpr std::int64_t kOffsetBase = -8;
  ImageInfo->ProcessExifDir(0, kOffsetBase, ImageInfo->Length() + 8, kDirectoryMain);
  ImageInfo->AddFocalLength35mm();
  return true;
}

bool HasMetaData(const std::string& path) noexcept {
  // The window asks this from an event handler, where nothing may escape; a file that
  // cannot be read (or not even held in memory) simply has no metadata to offer.
  try {
    TimgData data;
    data.BuildList = 0;
    return data.ProcessFile(path) && data.HasMetaData();
  } catch (...) {
    return false;
  }
}

}  // namespace vemora::metadata
