// The formatting functions of the tag tables: each turns one entry's raw value into its final
// display text. The camera ones (Canon) also add the settings they unpack as tags of their own.
#pragma once

#include <string>

#include "metadata/tag_entry.h"

namespace vemora::metadata {

std::string FormatComponentsConfiguration(TImageInfo& info, const TTagEntry& entry);
std::string FormatShutterSpeedValue(TImageInfo& info, const TTagEntry& entry);
std::string FormatFlash(TImageInfo& info, const TTagEntry& entry);
std::string FormatUserComment(TImageInfo& info, const TTagEntry& entry);
std::string FormatWindowsText(TImageInfo& info, const TTagEntry& entry);
std::string FormatGpsCoordinate(TImageInfo& info, const TTagEntry& entry);
std::string FormatGpsTimeStamp(TImageInfo& info, const TTagEntry& entry);
std::string FormatNikonLensInformation(TImageInfo& info, const TTagEntry& entry);
std::string FormatNikonColorMode(TImageInfo& info, const TTagEntry& entry);
std::string FormatCanonExposureInfo1(TImageInfo& info, const TTagEntry& entry);
std::string FormatCanonExposureInfo2(TImageInfo& info, const TTagEntry& entry);
std::string FormatCanonCustomFunctions(TImageInfo& info, const TTagEntry& entry);

// Texts of the bit fields and APEX values, usable without a tag entry.
std::string FlashText(std::int64_t value);
std::string ShutterSpeedText(double apex);
std::string DegreesText(double degrees, double minutes, double seconds);

}  // namespace vemora::metadata
