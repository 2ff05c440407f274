#include "metadata/formatters.h"

#include <cmath>
#include <cstdio>
#include <span>
#include <vector>

#include "metadata/format_number.h"
#include "metadata/image_info.h"

namespace vemora::metadata {
namespace {

struct TPackedSetting {
  std::size_t position;
  std::string_view name;
  std::string_view code;
};

constexpr std::string_view kLowNormalHigh = "65535:Low,0:Normal,1:High";

constexpr TPackedSetting kExposureInfo1[] = {
    {1, "Macro mode", "1:Macro,2:Normal"},
    {2, "Self Timer", {}},
    {3, "Compression Rate", "0:SuperFine,1:Fine,2:Normal,3:Basic,5:SuperFine"},
    {4, "Flash Mode",
     "0:Not fired,1:Auto,2:On,3:Red-eye,4:Slow sync,5:Auto+red-eye,6:On+red eye,16:External flash"},
    {5, "Drive Mode", "0:Single,1:Continuous"},
    {7, "Focus Mode", "0:One-Shot,1:AI Servo,2:AI Focus,3:MF,4:Single,5:Continuous,6:MF"},
    {10, "Image Size", "0:Large,1:Medium,2:Small,4:5MPixel,5:2 MPixel,6:1.5 MPixel"},
    {11, "Easy Shoot",
     "0:Full Auto,1:Manual,2:Landscape,3:Fast Shutter,4:Slow Shutter,5:Night,6:B&W,7:Sepia,"
     "8:Portrait,9:Sports,10:Macro/Close-Up,11:Pan Focus"},
    {13, "Contrast", kLowNormalHigh},
    {14, "Saturation", kLowNormalHigh},
    {15, "Sharpness", kLowNormalHigh},
    {16, "CCD ISO", "0:Not used,15:auto,16:50,17:100,18:200,19:400"},
    {17, "Metering Mode", kLowNormalHigh},
    {19, "AF Point", kLowNormalHigh},
    {20, "Exposure Mode", kLowNormalHigh},
    {24, "Long focal", {}},
    {25, "Short focal", {}},
    {26, "Focal Units", {}},
    {29, "Flash Details", {}},
    {32, "Focus Mode", kLowNormalHigh},
};

constexpr TPackedSetting kExposureInfo2[] = {
    {7, "White balance", "0:Auto,1:Sunny,2:Cloudy,3:Tungsten,4:Flourescent,5:Flash,6:Custom"},
    {9, "Sequence Number", {}},
    {11, "OpticalZoom Step", {}},
    {14, "AF point", {}},
    {15, "Flash bias",
     "65472:-2 EV,65484:-1.67 EV,65488:-1.50 EV,65492:-1.33 EV,65504:-1 EV,65516:-0.67 EV,"
     "65520:-0.50 EV,65524:-0.33 EV,0:0 EV,12:0.33 EV,16:0.50 EV,20:0.67 EV,32:1 EV,"
     "44:1.33 EV,48:1.50 EV,52:1.67 EV,64:2 EV"},
    {19, "Distance", {}},
};

// Custom function n (1..15) at index n - 1.
constexpr TPackedSetting kCustomFunctions[] = {
    {1, "Noise Reduction", "0: Off,1: On"},
    {2, "Shutter AE Lock Button", "0:AF/AE lock,1:AE lock/AF,2:AF/AF lock,3:AE+release/AE+AF"},
    {3, "Mirror Lockup", "0:Disable,1:Enable"},
    {4, "Exposure Level", "0:1/2 stop,1:1/3 stop"},
    {5, "AF Assist", "0:On (auto),1:Off"},
    {6, "AV Shutter Speed", "0:Automatic,1: 1/200 (fixed)"},
    {7, "AEB Sequence",
     "0:0, -, + / Enabled1: 0, -, + / Disabled,2: -, 0, + / Enabled,3: -, 0, + / Disabled"},
    {8, "Shutter Sync", "0:1st-curtain sync,1: 2nd-curtain sync"},
    {9, "Lens AF Button", "0:AF stop,1:Operate AF,2:Lock AE and start timer"},
    {10, "Fill Flash Reduction", "0:Enable,1:Disable"},
    {11, "Menu Return", "0:Top,1:Previous (volatile),2:Previous"},
    {12, "Set Button", "0:Not assigned,1:Change quality,2:Change ISO speed,3:Select parameters"},
    {13, "Sensor Cleaning", "0:Disable,1:Enable"},
    {14, "Superimposed Display", "0: On,1: Off"},
    {15, "Shutter Release w/o CF Card", "0:Enable,1:Disable"},
};

std::string SettingText(const TPackedSetting& setting, std::int64_t value) {
  return Trim(setting.code.empty() ? std::to_string(value) : DecodeValue(setting.code, value));
}

// Adds one unpacked setting as a tag of its own and appends it to the parent's text.
void AddSetting(TImageInfo& info, const TTagEntry& parent, std::string_view name,
                const std::string& text, std::string& out) {
  if (text.empty()) return;
  if (info.BuildsTagList()) {
    TTagEntry tag;
    tag.TID = parent.TID;
    tag.TType = parent.TType;
    tag.Tag = parent.Tag;
    tag.Name = name;
    tag.Data = text;
    tag.PRaw = parent.PRaw;
    info.AddTag(std::move(tag));
  }
  out += '\n';
  out += name;
  out += " = ";
  out += text;
}

std::string UnpackSettings(TImageInfo& info, const TTagEntry& entry,
                           std::span<const TPackedSetting> settings) {
  // The settings sit far beyond the first eight elements, so they are read from the whole raw
  // value rather than from the (cut) generic text.
  const auto values = IntegerElements(entry.Raw, entry.TType, info.EntryMotorola(entry));
  std::string out = entry.Data;
  for (const TPackedSetting& setting : settings) {
    if (setting.position >= values.size()) continue;
    AddSetting(info, entry, setting.name, SettingText(setting, values[setting.position]), out);
  }
  return out;
}

double Element(const TImageInfo& info, const TTagEntry& entry, std::size_t index) {
  return ElementValue(entry.Raw, entry.TType, index, info.EntryMotorola(entry));
}

}  // namespace

std::string FlashText(std::int64_t v) {
  std::string text = (v & 1) ? "On" : "Off";
  if ((v & 6) == 2) text += ", UNKNOWN";
  if ((v & 6) == 4) text += ", no strobe return";
  if ((v & 6) == 6) text += ", strobe return";
  if ((v & 24) == 8) text += ", forced";
  if ((v & 24) == 16) text += ", surpressed";
  if ((v & 24) == 24) text += ", auto mode";
  if (v & 32) text += ", no flash function";
  if (v & 64) text += ", red-eye reduction";
  return text;
}

std::string ShutterSpeedText(double apex) {
  const double seconds = 1.0 / std::pow(2.0, apex);
  if (!std::isfinite(seconds)) return {};
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "%4.4f sec", seconds);
  std::string text = buffer;
  if (seconds <= 0.5 && seconds > 0) {
    const double inverse = std::round(1.0 / seconds);
    if (inverse < 2147483647.0) {
      std::snprintf(buffer, sizeof buffer, " (1/%d)", static_cast<int>(inverse));
      text += buffer;
    }
  }
  return text;
}

std::string DegreesText(double degrees, double minutes, double seconds) {
  if (seconds == 0) {
    const double whole = std::floor(minutes);
    seconds = (minutes - whole) * 100 * 0.6;
    minutes = whole;
  }
  char buffer[160];
  std::snprintf(buffer, sizeof buffer, "%0.0f Degrees %0.0f Minutes %0.0f Seconds", degrees,
                minutes, seconds);
  return buffer;
}

std::string FormatComponentsConfiguration(TImageInfo&, const TTagEntry& entry) {
  static constexpr std::string_view kNames[] = {"", "Y", "Cb", "Cr", "R", "G", "B"};
  std::string text;
  for (std::size_t i = 0; i < 4 && i < entry.Raw.size(); ++i) {
    const auto b = static_cast<unsigned char>(entry.Raw[i]);
    if (b >= 1 && b <= 6) text += kNames[b];
  }
  return text;
}

std::string FormatShutterSpeedValue(TImageInfo& info, const TTagEntry& entry) {
  return ShutterSpeedText(Element(info, entry, 0));
}

std::string FormatFlash(TImageInfo& info, const TTagEntry& entry) {
  return FlashText(static_cast<std::int64_t>(Element(info, entry, 0)));
}

std::string FormatUserComment(TImageInfo&, const TTagEntry& entry) {
  if (entry.Raw.size() <= 8) return {};
  return MakePrintable(Trim(UntilZero(std::string_view(entry.Raw).substr(8))));
}

std::string FormatWindowsText(TImageInfo& info, const TTagEntry& entry) {
  // Only the elements the generic formatting shows (the first eight) are seen here.
  const std::size_t count = std::min<std::size_t>(ElementCount(entry.Raw, entry.TType), 8);
  std::string text;
  for (std::size_t i = 0; i < count; i += 2) {
    const auto value = static_cast<std::int64_t>(Element(info, entry, i));
    if (value > 0 && value < 0x10000) AppendUtf8(text, static_cast<unsigned>(value & 0xFF));
  }
  return text;
}

std::string FormatGpsCoordinate(TImageInfo& info, const TTagEntry& entry) {
  return DegreesText(Element(info, entry, 0), Element(info, entry, 1), Element(info, entry, 2));
}

std::string FormatGpsTimeStamp(TImageInfo& info, const TTagEntry& entry) {
  char buffer[160];
  std::snprintf(buffer, sizeof buffer, "%0.0f:%0.0f:%0.0f", Element(info, entry, 0),
                Element(info, entry, 1), Element(info, entry, 2));
  return buffer;
}

std::string FormatNikonLensInformation(TImageInfo& info, const TTagEntry& entry) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, "%0.1f-%0.1f(mm)  F%0.1f-F%0.1f", Element(info, entry, 0),
                Element(info, entry, 1), Element(info, entry, 2), Element(info, entry, 3));
  return buffer;
}

std::string FormatNikonColorMode(TImageInfo&, const TTagEntry& entry) {
  const std::string mode = Trim(UntilZero(entry.Raw));
  if (mode == "MODE1") return "Mode1 (sRGB)";
  if (mode == "MODE2") return "Mode 2 (Adobe RGB)";
  if (mode == "MODE3") return "Mode 3 (sRGB): higher saturation";
  return MakePrintable(entry.Data);
}

std::string FormatCanonExposureInfo1(TImageInfo& info, const TTagEntry& entry) {
  return UnpackSettings(info, entry, kExposureInfo1);
}

std::string FormatCanonExposureInfo2(TImageInfo& info, const TTagEntry& entry) {
  return UnpackSettings(info, entry, kExposureInfo2);
}

std::string FormatCanonCustomFunctions(TImageInfo& info, const TTagEntry& entry) {
  const auto values = IntegerElements(entry.Raw, entry.TType, info.EntryMotorola(entry));
  std::string out = entry.Data;
  // Each function is listed once: a damaged note repeating them thousands of times would
  // otherwise multiply its size in tags.
  bool listed[16] = {};
  for (const std::int64_t v : values) {
    const std::int64_t number = v / 256;
    if (number < 1 || number > 15 || listed[number]) continue;
    listed[number] = true;
    const TPackedSetting& setting = kCustomFunctions[number - 1];
    AddSetting(info, entry, setting.name, SettingText(setting, v % 256), out);
  }
  return out;
}

}  // namespace vemora::metadata
