// The sections and keys of settings.ini and thumbs.ini, with the defaults used when a key
// is missing, so that readers and writers share one spelling.
//
// Keys whose default depends on a dialog's design (the caption fonts) or that are never
// read back (ib4, LASTFRI) have no default here.
#pragma once

#include <cstdint>
#include <string_view>

#include "settings/color.h"

namespace vemora {

inline constexpr std::string_view kSettingsFileName = "settings.ini";
inline constexpr std::string_view kThumbsFileName = "thumbs.ini";

// settings.ini [SETTINGS]: printing of captions around a single image.
inline constexpr std::string_view kSectionSettings = "SETTINGS";
inline constexpr std::string_view kKeyCaptionLeft = "CLEFT";
inline constexpr std::string_view kKeyCaptionRight = "CRIGHT";
inline constexpr std::string_view kKeyCaptionTop = "CTOP";
inline constexpr std::string_view kKeyCaptionBottom = "CBOTTOM";
inline constexpr bool kDefaultCaptionPrinted = true;
inline constexpr std::string_view kKeyCaptionFontLeft = "FLEFT";
inline constexpr std::string_view kKeyCaptionFontRight = "FRIGHT";
inline constexpr std::string_view kKeyCaptionFontTop = "FTOP";
inline constexpr std::string_view kKeyCaptionFontBottom = "FBOTTOM";
// Left and right: 0 top, 1 middle, 2 bottom. Top and bottom: 0 left, 1 centre, 2 right.
inline constexpr std::string_view kKeyCaptionAlignLeft = "ALEFT";
inline constexpr std::string_view kKeyCaptionAlignRight = "ARIGHT";
inline constexpr std::string_view kKeyCaptionAlignTop = "ATOP";
inline constexpr std::string_view kKeyCaptionAlignBottom = "ABOTTOM";
inline constexpr int32_t kDefaultCaptionAlign = 1;

// settings.ini [SETTINGS]: thumbnails, grid and the external editor.
inline constexpr std::string_view kKeyThumbsVisible = "THUMBSVISIBLE";
inline constexpr int32_t kDefaultThumbsVisible = 0;  // 0 collapsed, else always open
inline constexpr std::string_view kKeyThumbsSize = "THUMBSSIZE";
inline constexpr int32_t kDefaultThumbsSize = 100;  // pixels
inline constexpr std::string_view kKeyPerformance = "PERFORMANCE";
inline constexpr int32_t kDefaultPerformance = 1;
inline constexpr std::string_view kKeyHideThumbs = "HIDETHUMBS";
inline constexpr bool kDefaultHideThumbs = false;
inline constexpr std::string_view kKeyGridStyle = "GRIDSTYLE";
inline constexpr int32_t kDefaultGridStyle = 0;  // 0 ultra-flat, 1 flat, 2 standard
inline constexpr std::string_view kKeyGridLines = "GRIDLINES";
inline constexpr int32_t kDefaultGridLines = 0;  // 0 both, 1 horizontal, 2 vertical, 3 none
inline constexpr std::string_view kKeyGridColor = "GRIDCOLOR";
inline constexpr TColor kDefaultGridColor = clBlack;
inline constexpr std::string_view kKeyNavigator = "NAVIGATOR";
inline constexpr bool kDefaultNavigator = true;
inline constexpr std::string_view kKeyAutoWidth = "AUTOWIDTH";
inline constexpr bool kDefaultAutoWidth = true;
inline constexpr std::string_view kKeyThumbsCaption = "THUMBSCAPTION";
inline constexpr bool kDefaultThumbsCaption = true;
inline constexpr std::string_view kKeyExternalApp = "EXTAPP";
inline constexpr std::string_view kDefaultExternalApp = "";
inline constexpr std::string_view kKeyExternalAppParameter = "PAR";
inline constexpr std::string_view kDefaultExternalAppParameter = "";
inline constexpr std::string_view kKeyExternalAppParameterDefault = "PARDEFAULT";
inline constexpr bool kDefaultExternalAppParameterDefault = true;
// The paint program of the editor hand-off ("MS Paint"): a path, or a name looked up on
// PATH. Empty: the first of kPaintProgramCandidates found on PATH.
inline constexpr std::string_view kKeyPaintProgram = "PAINTAPP";
inline constexpr std::string_view kDefaultPaintProgram = "";
#if defined(_WIN32)
inline constexpr std::string_view kPaintProgramCandidates[] = {"mspaint"};
#else
inline constexpr std::string_view kPaintProgramCandidates[] = {"kolourpaint", "pinta", "mtpaint",
                                                               "gimp"};
#endif
inline constexpr std::string_view kKeyDeleteMode = "DELMODE";
inline constexpr int32_t kDefaultDeleteMode = 0;
inline constexpr std::string_view kKeyCloseOnTakeOver = "TACLOSE";
inline constexpr bool kDefaultCloseOnTakeOver = true;

// settings.ini [LAYOUT]: bands and panels shown.
inline constexpr std::string_view kSectionLayout = "LAYOUT";
inline constexpr std::string_view kKeyBandInformation = "ib1";
inline constexpr std::string_view kKeyBandCaptions = "ib2";
inline constexpr std::string_view kKeyBandKeywords = "ib3";
inline constexpr std::string_view kKeyBandDetails = "ib4";  // written, never read
inline constexpr bool kDefaultBandShown = true;
inline constexpr std::string_view kKeyPanelSingleImage = "ip1";
inline constexpr std::string_view kKeyPanelImageInformation = "ip3";
inline constexpr std::string_view kKeyPanelThumbnails = "ip4";
inline constexpr std::string_view kKeyPanelSelection = "ip5";
inline constexpr bool kDefaultPanelShown = true;
inline constexpr std::string_view kKeyBandHeaders = "BandHeaders";
inline constexpr bool kDefaultBandHeaders = true;
inline constexpr std::string_view kKeyHeaders = "Headers";
inline constexpr bool kDefaultHeaders = true;
inline constexpr std::string_view kKeyExportPath = "ExportPath";
inline constexpr std::string_view kDefaultExportPath = "";

// settings.ini [ZOOM], [STYLE].
inline constexpr std::string_view kSectionZoom = "ZOOM";
inline constexpr std::string_view kKeyZoomIndex = "idx";
inline constexpr int32_t kDefaultZoomIndex = 0;
inline constexpr std::string_view kSectionStyle = "STYLE";
inline constexpr std::string_view kKeyStyle = "st";
inline constexpr int32_t kDefaultStyle = 0;  // 0 "Standard", 1 "Office11", 2 "XP"

// settings.ini [HILFE]: read only; the help file is relative to the executable's folder.
inline constexpr std::string_view kSectionHelp = "HILFE";
inline constexpr std::string_view kKeyHelpFile = "HELPFILE";
inline constexpr std::string_view kDefaultHelpFile = "Hilfe\\kelvaro.chm";
inline constexpr std::string_view kKeyHelpTopicMain = "HELPJUMP_ALLGEMEIN";
inline constexpr int32_t kDefaultHelpTopicMain = 3001;
inline constexpr std::string_view kKeyHelpTopicSearch = "HELPJUMP_SUCHEN";
inline constexpr int32_t kDefaultHelpTopicSearch = 3003;
inline constexpr std::string_view kKeyHelpTopicOptions = "HELPJUMP_OPTIONS";
inline constexpr int32_t kDefaultHelpTopicOptions = 3004;

// settings.ini [CONNECTION]: read when the window opens; nothing depends on it.
inline constexpr std::string_view kSectionConnection = "CONNECTION";
inline constexpr std::string_view kKeyConnectionMode = "MODE";
inline constexpr int32_t kDefaultConnectionMode = 1;

// settings.ini [GRID]: the focused record index at close (-1 none); written, never read.
inline constexpr std::string_view kSectionGrid = "GRID";
inline constexpr std::string_view kKeyLastFocusedRecord = "LASTFRI";

// thumbs.ini: both sections are keyed by an image file's full path; entries are only
// ever deleted (when the file is renamed).
inline constexpr std::string_view kSectionThumbs = "THUMBS";
inline constexpr std::string_view kSectionThumbsData = "DATA1";

}  // namespace vemora
