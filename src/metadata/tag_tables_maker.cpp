// Maker-note tables, one per layout, and the IPTC table.
#include <iterator>

#include "metadata/formatters.h"
#include "metadata/tag_tables.h"

namespace vemora::metadata {
namespace {

constexpr TTagDef N1(int tag, std::string_view name, std::string_view code = {}) {
  return {kTableNikon1, 0, 0, tag, name, {}, code, {}, nullptr};
}

// Early Coolpix notes ("Nikon\0\1" header).
constexpr TTagDef kNikon1Tags[] = {
    N1(0x0002, "FamilyID"),
    N1(0x0003, "Quality",
       "1:VGA Basic,2:VGA Normal,3:VGA Fine,4:SXGA Basic,5:SXGA Normal,6:SXGA Fine"),
    N1(0x0004, "ColorMode", "1:Color,2:Monochrome"),
    N1(0x0005, "ImageAdjustment", "0:Normal,1:Bright+,2:Bright-,3:Contrast+,4:Contrast-"),
    N1(0x0006, "ISOSpeed", "0:ISO80,2:ISO160,4:ISO320,5:ISO100"),
    N1(0x0007, "WhiteBalance",
       "0:Auto,1:Preset,2:Daylight,3:Incandescense,4:Fluorescence,5:Cloudy,6:SpeedLight"),
    N1(0x0008, "Focus"),
    N1(0x0009, "Skip"),
    N1(0x000A, "DigitalZoom"),
    N1(0x000B, "Converter", "0:None,1:Fisheye"),
    N1(0x0F00, "Skip"),
    N1(0, "Unknown"),
};

constexpr TTagDef N2(int tag, std::string_view name, TagCallback callback = nullptr) {
  return {kTableNikon2, 0, 0, tag, name, {}, {}, {}, callback};
}

constexpr TTagDef kNikon2Tags[] = {
    N2(0x0001, "FamilyID"),
    N2(0x0002, "ISOSetting"),
    N2(0x0003, "ColorMode"),
    N2(0x0004, "Quality"),
    N2(0x0005, "WhiteBalance"),
    N2(0x0006, "ImageSharpening"),
    N2(0x0007, "FocusMode"),
    N2(0x0008, "FlashSetting"),
    N2(0x0009, "FlashMode"),
    N2(0x000B, "WhiteBalanceOffset"),
    N2(0x000F, "ISOSelection"),
    N2(0x0080, "ImageAdjustment"),
    N2(0x0081, "ToneCompensation"),
    N2(0x0082, "Adapter"),
    N2(0x0083, "LensType"),
    N2(0x0084, "LensInformation", &FormatNikonLensInformation),
    N2(0x0085, "ManualFocusDistance"),
    N2(0x0086, "DigitalZoom"),
    N2(0x0087, "FlashUsed"),
    N2(0x0088, "AFFocusPosition"),
    N2(0x0089, "ShootingMode"),
    N2(0x008B, "LensFStops"),
    N2(0x008C, "ContrastCurve"),
    N2(0x008D, "ColorMode", &FormatNikonColorMode),
    N2(0x0090, "LightType"),
    N2(0x0092, "HueAdjustment"),
    N2(0x0094, "Saturation"),
    N2(0x0095, "NoiseReduction"),
    N2(0, "Unknown"),
};

constexpr TTagDef O(int tag, std::string_view name, std::string_view code = {}) {
  return {kTableOlympus, 0, 0, tag, name, {}, code, {}, nullptr};
}

constexpr TTagDef kOlympusTags[] = {
    O(0x0200, "SpecialMode"),
    O(0x0201, "JpegQual", "1:SQ,2:HQ,3:SHQ"),
    O(0x0202, "Macro", "0:Normal,1:Macro"),
    O(0x0203, "Skip"),
    O(0x0204, "DigiZoom"),
    O(0x0205, "Skip"),
    O(0x0206, "Skip"),
    O(0x0207, "SoftwareRelease"),
    O(0x0208, "PictInfo"),
    O(0x0209, "CameraID"),
    O(0x0F00, "DataDump"),
    O(0x1004, "FlashMode"),
    O(0x1006, "Bracket"),
    O(0x100B, "FocusMode"),
    O(0x100C, "FocusDistance"),
    O(0x100D, "Zoom"),
    O(0x100E, "MacroFocus"),
    O(0x100F, "Sharpness"),
    O(0x1011, "ColourMatrix"),
    O(0x1012, "BlackLevel"),
    O(0x1015, "WhiteBalance"),
    O(0x1017, "RedBias"),
    O(0x1018, "BlueBias"),
    O(0x101A, "SerialNumber"),
    O(0x1023, "FlashBias"),
    O(0x1029, "Contrast"),
    O(0x102A, "SharpnessFactor"),
    O(0x102B, "ColourControl"),
    O(0x102C, "ValidBits"),
    O(0x102D, "CoringFilter"),
    O(0x102E, "FinalWidth"),
    O(0x102F, "FinalHeight"),
    O(0x1034, "CompressionRatio"),
    O(0, "Unknown"),
};

constexpr TTagDef C(int tag, std::string_view name, std::string_view code = {}) {
  return {kTableCasio, 0, 0, tag, name, {}, code, {}, nullptr};
}

constexpr TTagDef kCasioTags[] = {
    C(0x0001, "RecordingMode", "1:Single Shutter,2:Panorama,3:Night Scene,4:Portrait,5:Landscape"),
    C(0x0002, "Quality", "1:Economy,2:Normal,3:Fine"),
    C(0x0003, "FocusingMode", "2:Macro,3:Auto Focus,4:Manual Focus,5:Infinity"),
    C(0x0004, "FlashMode", "1:Auto,2:On,3:Off,4:Red Eye Reduction"),
    C(0x0005, "FlashIntensity", "11:Weak,13:Normal,15:Strong"),
    C(0x0006, "ObjectDistance"),
    C(0x0007, "WhiteBalance", "1:Auto,2:Tungsten,3:Daylight,4:Fluorescent,5:Shade,129:Manual"),
    C(0x0008, "Skip"),
    C(0x0009, "Skip"),
    C(0x000A, "DigitalZoom", "65536:Off,65537:2X Digital Zoom"),
    C(0x000B, "Sharpness", "0:Normal,1:Soft,2:Hard"),
    C(0x000C, "Contrast", "0:Normal,1:Low,2:High"),
    C(0x000D, "Saturation", "0:Normal,1:Low,2:High"),
    C(0x000E, "Skip"),
    C(0x000F, "Skip"),
    C(0x0010, "Skip"),
    C(0x0011, "Skip"),
    C(0x0012, "Skip"),
    C(0x0013, "Skip"),
    C(0x0014, "CCDSensitivity", "64:Normal,125:+1.0,250:+2.0,244:+3.0,80:Normal,100:High"),
    C(0x0015, "Skip"),
    C(0x0016, "Skip"),
    C(0x0017, "Skip"),
    C(0x0018, "Skip"),
    C(0x0019, "Skip"),
    C(0x001A, "Skip"),
    C(0, "Unknown"),
};

constexpr TTagDef F(int tag, std::string_view name, std::string_view code = {}) {
  return {kTableFuji, 0, 0, tag, name, {}, code, {}, nullptr};
}

constexpr TTagDef kFujiTags[] = {
    F(0x0000, "Version"),
    F(0x1000, "Quality"),
    F(0x1001, "Sharpness", "1:Soft,2:Soft,3:Normal,4:Hard,5:Hard"),
    F(0x1002, "WhiteBalance",
      "0:Auto,256:Daylight,512:Cloudy,768:DaylightColor-fluorescence,"
      "769:DaywhiteColor-fluorescence,770:White-fluorescence,1024:Incandenscense,3840:Custom"),
    F(0x1003, "Color", "0:Normal,256:High,512:Low"),
    F(0x1004, "Tone", "0:Normal,256:High,512:Low"),
    F(0x1010, "FlashMode", "0:Auto,1:On,2:Off,3:Red Eye Reduction"),
    F(0x1011, "FlashStrength"),
    F(0x1020, "Macro", "0:Off,1:On"),
    F(0x1021, "FocusMode", "0:Auto,1:Manual"),
    F(0x1030, "SlowSync", "0:Off,1:On"),
    F(0x1031, "PictureMode",
      "0:Auto,1:Portrait,2:Landscape,4:Sports,5:Night,6:Program AE,256:Aperture AE,"
      "512:Shutter AE,768:Manual"),
    F(0x1032, "Skip"),
    F(0x1100, "ContTake/Bracket", "0:Off,1:On"),
    F(0x1200, "Skip"),
    F(0x1300, "BlurWarning", "0:No,1:Yes"),
    F(0x1301, "FocusWarning", "0:No,1:Yes"),
    F(0x1302, "AEWarning", "0:No,1:Yes"),
    F(0, "Unknown"),
};

constexpr TTagDef Ca(int tag, std::string_view name, TagCallback callback = nullptr) {
  return {kTableCanon, 0, 0, tag, name, {}, {}, {}, callback};
}

constexpr TTagDef kCanonTags[] = {
    Ca(0x0000, "Skip"),
    Ca(0x0001, "ExposureInfo1", &FormatCanonExposureInfo1),
    Ca(0x0002, "Skip"),
    Ca(0x0003, "Skip"),
    Ca(0x0004, "ExposureInfo2", &FormatCanonExposureInfo2),
    Ca(0x0005, "Skip"),
    Ca(0x0006, "ImageType"),
    Ca(0x0007, "FirmwareVersion"),
    Ca(0x0008, "ImageNumber"),
    Ca(0x0009, "OwnerName"),
    Ca(0x000A, "Skip"),
    Ca(0x000B, "Skip"),
    Ca(0x000C, "CameraSerialNumber"),
    Ca(0x000D, "Skip"),
    Ca(0x000E, "Skip"),
    Ca(0x000F, "CustomFunctions", &FormatCanonCustomFunctions),
    Ca(0, "Unknown"),
};

constexpr TTagDef S(int tag, std::string_view name, std::string_view code = {}) {
  return {kTableSeiko, 0, 0, tag, name, {}, code, {}, nullptr};
}

constexpr TTagDef kSeikoTags[] = {
    S(0x0200, "Special Mode"),
    S(0x0201, "JpegQual", "1:SQ,2:HQ,3:SHQ"),
    S(0x0202, "Macro", "0:Normal,1:Macro"),
    S(0x0203, "Skip"),
    S(0x0204, "DigiZoom"),
    S(0x0205, "Skip"),
    S(0x0206, "Skip"),
    S(0x0207, "SoftwareRelease"),
    S(0x0208, "PictInfo"),
    S(0x0209, "CameraID"),
    S(0x0E00, "PrintIM"),
    S(0x0F00, "Skip"),
    S(0, "Unknown"),
};

constexpr TTagDef Sa(int tag, std::string_view name, std::string_view code = {}) {
  return {kTableSanyo, 0, 0, tag, name, {}, code, {}, nullptr};
}

constexpr TTagDef kSanyoTags[] = {
    Sa(0x0200, "SpecialMode"),
    Sa(0x0201, "JpegQuality"),
    Sa(0x0202, "Macro", "0:Normal,1:Macro"),
    Sa(0x0204, "DigitalZoom"),
    Sa(0x0207, "SoftwareRelease"),
    Sa(0x0E00, "PrintIM"),
    Sa(0, "Unknown"),
};

constexpr TTagDef kMinoltaTags[] = {
    {kTableMinolta, 0, 0, 0x0000, "ModelID", {}, {}, {}, nullptr},
    {kTableMinolta, 0, 0, 0x0E00, "PIMdata", {}, {}, {}, nullptr},
    {kTableMinolta, 0, 0, 0, "Unknown", {}, {}, {}, nullptr},
};

constexpr TTagDef I(int record, int dataset, std::string_view name, std::string_view desc = {}) {
  return {kTableIptc, 0, record, dataset, name, desc, {}, {}, nullptr};
}

constexpr TTagDef kIptcTags[] = {
    I(2, 0, "SKIP", "Record Version"),
    I(2, 5, "ObjectName"),
    I(2, 10, "Urgency"),
    I(2, 12, "SubRef"),
    I(2, 15, "Category"),
    I(2, 20, "SuppCategory"),
    I(2, 22, "FixtureID"),
    I(2, 25, "Keywords"),
    I(2, 40, "SpecialInstru"),
    I(2, 55, "DateCreated"),
    I(2, 60, "TimeCreated"),
    I(2, 65, "OriginatingProgram"),
    I(2, 70, "ProgramVersion"),
    I(2, 80, "ByLine"),
    I(2, 85, "ByLineTitle"),
    I(2, 90, "City"),
    I(2, 92, "SubLocation"),
    I(2, 95, "State"),
    I(2, 100, "LocationCode"),
    I(2, 101, "LocationName"),
    I(2, 103, "TransmissionRef"),
    I(2, 105, "ImageHeadline"),
    I(2, 110, "ImageCredit"),
    I(2, 115, "Source"),
    I(2, 116, "Copyright"),
    I(2, 118, "Contact"),
    I(2, 120, "ImageCaption"),
    I(2, 122, "ImageCaptionWriter"),
    I(2, 130, "ImageType"),
    I(2, 131, "Orientation"),
    I(2, 135, "LangID"),
    I(8, 10, "Subfile"),
    I(0, 0, "Unknown"),
};

}  // namespace

std::span<const TTagDef> Nikon1TagTable() { return kNikon1Tags; }
std::span<const TTagDef> Nikon2TagTable() { return kNikon2Tags; }
std::span<const TTagDef> OlympusTagTable() { return kOlympusTags; }
std::span<const TTagDef> CasioTagTable() { return kCasioTags; }
std::span<const TTagDef> FujiTagTable() { return kFujiTags; }
std::span<const TTagDef> CanonTagTable() { return kCanonTags; }
std::span<const TTagDef> SeikoTagTable() { return kSeikoTags; }
std::span<const TTagDef> SanyoTagTable() { return kSanyoTags; }
std::span<const TTagDef> MinoltaTagTable() { return kMinoltaTags; }

const TTagDef& LookupIptc(int record, int dataset) {
  for (const TTagDef& row : kIptcTags) {
    if (row.ICode == record && row.Tag == dataset) return row;
  }
  return kIptcTags[std::size(kIptcTags) - 1];
}

}  // namespace vemora::metadata
