// TmsInfo: interprets the camera maker note of one TImageInfo into tags of that info.
//
// Short-lived: made for one maker note, it reads the note's directory with the table of the
// maker that the camera make names, and appends the entries to the owner's tag list.
#pragma once

#include <cstdint>
#include <span>

#include "metadata/tag_entry.h"

namespace vemora::metadata {

class TImageInfo;

class TmsInfo {
 public:
  // `tiffHeader` is the buffer position of the file's TIFF header.
  TmsInfo(TImageInfo& info, std::int64_t tiffHeader) : info_(info), tiffHeader_(tiffHeader) {}

  // Chooses the layout by the make; false (and the maker note stays uninterpreted) for makes
  // without one.
  bool ReadMSData();

 private:
  void ReadDirectory(std::span<const TTagDef> table, std::int64_t start, std::int64_t origin);

  TImageInfo& info_;
  std::int64_t tiffHeader_;
};

}  // namespace vemora::metadata
