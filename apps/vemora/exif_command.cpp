// `vemora exif FILE...`: the metadata reader from a shell. Plain output is for people
// ("Name: value" lines); --json prints one JSON object per file, one per line, for scripts.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "command.h"
#include "metadata/format_number.h"
#include "metadata/img_data.h"

namespace vemora::cli {
namespace {

using metadata::TimgData;
using metadata::TTagEntry;

void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (u < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

std::string ToUtf8(std::string_view text) { return metadata::ToUtf8Text(text); }

std::vector<const TTagEntry*> AllTags(const TimgData& data) {
  std::vector<const TTagEntry*> tags;
  if (data.ImageInfo) {
    for (const TTagEntry& tag : data.ImageInfo->Tags) tags.push_back(&tag);
  }
  if (data.IptcData) {
    for (const TTagEntry& tag : data.IptcData->Tags) tags.push_back(&tag);
  }
  return tags;
}

void PrintText(const std::string& file, const TimgData& data) {
  std::printf("File: %s\n", file.c_str());
  std::printf("ErrStr: %s\n", data.ErrStr.c_str());
  if (const auto* info = data.ImageInfo.get()) {
    std::printf(
        "CameraMake: %s\nCameraModel: %s\nDateTime: %s\nWidth: %d\nHeight: %d\n"
        "FlashUsed: %d\n",
        ToUtf8(info->CameraMake).c_str(), ToUtf8(info->CameraModel).c_str(),
        ToUtf8(info->DateTime).c_str(), info->Width, info->Height, info->FlashUsed);
  }
  for (const TTagEntry* tag : AllTags(data)) {
    std::printf("%.*s: %s\n", static_cast<int>(tag->Name.size()), tag->Name.data(),
                ToUtf8(tag->Data).c_str());
  }
  std::printf("\n");
}

void PrintJson(const std::string& file, const TimgData& data) {
  std::string out = "{\"file\":";
  AppendJsonString(out, ToUtf8(file));
  out += ",\"ErrStr\":";
  AppendJsonString(out, data.ErrStr);
  if (const auto* info = data.ImageInfo.get()) {
    out += ",\"CameraMake\":";
    AppendJsonString(out, ToUtf8(info->CameraMake));
    out += ",\"CameraModel\":";
    AppendJsonString(out, ToUtf8(info->CameraModel));
    out += ",\"DateTime\":";
    AppendJsonString(out, ToUtf8(info->DateTime));
    out += ",\"Width\":" + std::to_string(info->Width);
    out += ",\"Height\":" + std::to_string(info->Height);
    out += ",\"FlashUsed\":" + std::to_string(info->FlashUsed);
  }
  out += ",\"tags\":[";
  bool first = true;
  for (const TTagEntry* tag : AllTags(data)) {
    if (!first) out += ',';
    first = false;
    out += "{\"name\":";
    AppendJsonString(out, tag->Name);
    out += ",\"tag\":" + std::to_string(tag->Tag);
    if (tag->ICode != 0) out += ",\"record\":" + std::to_string(tag->ICode);
    out += ",\"value\":";
    AppendJsonString(out, ToUtf8(tag->Data));
    out += '}';
  }
  out += "]}\n";
  std::fputs(out.c_str(), stdout);
}

// Why the reader cannot take this file at all, or nothing when it can: the file must be a
// regular file, named like a JPEG or TIFF, and start like one. A file that passes but
// holds no metadata is printed as such; it is not an error.
std::optional<std::string> Unreadable(const std::string& file) {
  std::error_code error;
  const auto status = std::filesystem::status(file, error);
  if (status.type() == std::filesystem::file_type::not_found) return "no such file";
  if (error) return "cannot read the file (" + error.message() + ")";
  if (status.type() == std::filesystem::file_type::directory) return "is a folder, not a file";
  if (status.type() != std::filesystem::file_type::regular) return "not a regular file";
  const bool jpeg = metadata::IsJpegExtension(file);
  if (!jpeg && !metadata::IsTiffExtension(file))
    return "not a JPEG or TIFF file by its name (.jpg, .jpeg, .jpe, .tif, .tiff, .nef)";
  std::ifstream in(file, std::ios::binary);
  if (!in) return "cannot open the file (" + std::string(std::strerror(errno)) + ")";
  char head[2] = {};
  in.read(head, 2);
  const std::string_view start(head, static_cast<size_t>(in.gcount()));
  if (jpeg && start != "\xFF\xD8") return "not a JPEG file (no start-of-image marker)";
  if (!jpeg && start != "II" && start != "MM") return "not a TIFF file (no byte-order mark)";
  return std::nullopt;
}

int RunExif(const std::vector<std::string>& args) {
  bool json = false;
  std::vector<std::string> files;
  for (const std::string& arg : args) {
    if (arg == "--json") {
      json = true;
    } else if (arg == "--help" || arg == "-h") {
      std::printf(
          "usage: vemora exif [--json] FILE...\n"
          "  prints the camera make and model, date, size, flash and every tag\n"
          "  --json  one JSON object per file and line\n");
      return 0;
    } else {
      files.push_back(arg);
    }
  }
  if (files.empty()) {
    std::fprintf(stderr, "vemora exif: no file given (see 'vemora exif --help')\n");
    return 2;
  }
  int status = 0;
  TimgData data;
  for (const std::string& file : files) {
    if (const auto reason = Unreadable(file)) {
      std::fprintf(stderr, "vemora exif: %s: %s\n", file.c_str(), reason->c_str());
      status = 1;
      continue;
    }
    try {
      data.ProcessFile(file);
    } catch (const std::exception& error) {
      // One bad file must not keep the others from being read.
      std::fprintf(stderr, "vemora exif: %s: %s\n", file.c_str(), error.what());
      status = 1;
      continue;
    }
    if (json) {
      PrintJson(file, data);
    } else {
      PrintText(file, data);
    }
  }
  return status;
}

const CommandRegistration kRegistration{"exif", "[--json] FILE...",
                                        "print the EXIF, maker note and IPTC tags of image files",
                                        &RunExif};

}  // namespace
}  // namespace vemora::cli
