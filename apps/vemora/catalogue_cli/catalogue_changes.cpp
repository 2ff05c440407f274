// `import`, `export`, `scale` and `previews`: the window's commands, with the choices its
// dialogs would ask for taken from the command line.

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <random>
#include <set>

#include "catalogue/adding.h"
#include "catalogue/preview_column.h"
#include "catalogue/result_set_guard.h"
#include "catalogue/statements.h"
#include "catalogue_cli/catalogue_context.h"
#include "codec/colour_reduction.h"
#include "codec/resample_filters.h"
#include "fileops/exporting.h"
#include "fileops/scaling.h"
#include "settings/ini_plus.h"

namespace vemora::cli {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// The image files of a folder and its subfolders, by path: the kinds the picture file dialog
// offers and the other kinds adding reads.
std::vector<std::string> ImageFilesIn(const std::filesystem::path& folder) {
  static const std::set<std::string> kExtensions = {".jpg", ".jpeg", ".bmp", ".ico",
                                                    ".tif", ".tiff", ".gif"};
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file() && kExtensions.contains(Lower(entry.path().extension().string())))
      files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

int32_t ExportFormat(const std::string& text) {
  const std::string format = Lower(text);
  if (format.empty() || format == "original") return kConvertUnchanged;
  if (format == "bmp") return kConvertToBmp;
  if (format == "jpg" || format == "jpeg") return kConvertToJpeg;
  if (format == "tif" || format == "tiff") return kConvertToTiff;
  throw UsageError("--format takes bmp, jpg, tif or original, not '" + text + "'");
}

int FilterIndex(const std::string& text) {
  if (text.empty()) return 0;
  for (size_t i = 0; i < codec::kResampleFilterNames.size(); ++i) {
    if (Lower(std::string(codec::kResampleFilterNames[i])) == Lower(text))
      return static_cast<int>(i);
  }
  throw UsageError("unknown filter '" + text + "'");
}

int ColourCode(const std::string& text) {
  if (text.empty()) return 5;
  int code = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), code);
  if (error != std::errc() || end != text.data() + text.size() ||
      !codec::ColourFormatFromCode(code))
    throw UsageError("--colours takes a code 0 to 5, not '" + text + "'");
  return code;
}

// settings.ini of the export: the one in --settings DIR, or a scratch file removed after.
class ExportSettings {
 public:
  explicit ExportSettings(const std::string& folder) {
    if (folder.empty()) {
      std::random_device random;
      scratch_ = std::filesystem::temp_directory_path() /
                 ("vemora-cli-" + std::to_string(random()) + ".ini");
      path_ = scratch_;
    } else {
      path_ = std::filesystem::path(folder) / "settings.ini";
    }
  }
  ~ExportSettings() {
    std::error_code ignored;
    if (!scratch_.empty()) std::filesystem::remove(scratch_, ignored);
  }
  ExportSettings(const ExportSettings&) = delete;
  ExportSettings& operator=(const ExportSettings&) = delete;
  std::string Path() const { return path_.string(); }

 private:
  std::filesystem::path path_;
  std::filesystem::path scratch_;
};

}  // namespace

void PrepareImport(CatalogueContext& context) {
  RejectUnknownOptions(context.args);
  if (context.args.empty()) throw UsageError("import needs files or folders");
  std::vector<std::string> files;
  for (const std::string& arg : context.args) {
    if (std::filesystem::is_directory(arg)) {
      const auto inFolder = ImageFilesIn(arg);
      files.insert(files.end(), inFolder.begin(), inFolder.end());
    } else if (std::filesystem::is_regular_file(arg)) {
      files.push_back(arg);
    } else {
      throw std::runtime_error(arg + ": no such file or folder");
    }
  }
  context.dialogs.pictureFiles = files;
}

int RunImport(CatalogueContext& context) {
  const std::vector<std::string>& files = context.dialogs.pictureFiles;
  const int added = AddImagesFromDialog(context.session, context.grid, context.dialogs);
  for (const GridRecord& record : context.grid.records())
    context.out << record.key << '\t' << record.name << '\n';
  context.out << added << " of " << files.size() << " file(s) added\n";
  return added == static_cast<int>(files.size()) ? 0 : kExitFailed;
}

int RunExport(CatalogueContext& context) {
  const std::string target = TakeOption(context.args, "--to");
  const int32_t format = ExportFormat(TakeOption(context.args, "--format"));
  const std::string settingsFolder = TakeOption(context.args, "--settings");
  const bool writeBack = TakeFlag(context.args, "--write-back");
  RejectUnknownOptions(context.args);
  if (target.empty()) throw UsageError("export needs --to DIR");
  if (writeBack && format == kConvertUnchanged)
    throw UsageError("--write-back needs --format bmp, jpg or tif");
  if (!std::filesystem::is_directory(target)) throw std::runtime_error(target + ": no such folder");
  const std::set<int32_t> keys = ExistingKeys(context, context.args);

  LoadGrid(context);
  MarkKeys(context.grid, keys);
  // The question before writing back is answered by --write-back itself.
  context.dialogs.exportChoice = {ExportOutcome::Marked, format, writeBack,
                                  std::filesystem::absolute(target).string()};
  ExportSettings settingsFile(settingsFolder);
  TIniPlus settings(settingsFile.Path());
  const ExportRun run = ExportImages(context.session, context.grid, settings, context.dialogs);
  context.out << run.exported << " image(s) exported to " << target
              << (run.wroteBack ? " and written back to the catalogue\n" : "\n");
  return context.dialogs.Messages().empty() ? 0 : kExitFailed;
}

int RunScale(CatalogueContext& context) {
  ResizeDialogResult choice;
  choice.outcome = ResizeOutcome::Ok;
  choice.widthText = TakeOption(context.args, "--width");
  choice.heightText = TakeOption(context.args, "--height");
  choice.filter = FilterIndex(TakeOption(context.args, "--filter"));
  choice.colourFormat = ColourCode(TakeOption(context.args, "--colours"));
  choice.interpolate = TakeFlag(context.args, "--interpolate");
  RejectUnknownOptions(context.args);
  if (choice.widthText.empty() || choice.heightText.empty())
    throw UsageError("scale needs --width W and --height H");
  (void)ScaleSettingsOf(choice);  // a limit that is no number fails before anything changes
  const std::set<int32_t> keys = ExistingKeys(context, context.args);
  choice.markedOnly = !keys.empty();

  LoadGrid(context);
  MarkKeys(context.grid, keys);
  const int updated = ScaleStoredImages(context.session, context.grid, choice);
  context.out << updated << " image(s) scaled\n";
  return 0;
}

int RunPreviews(CatalogueContext& context) {
  const bool rebuild = TakeFlag(context.args, "--rebuild");
  RejectUnknownOptions(context.args);
  if (!rebuild || !context.args.empty()) throw UsageError("previews takes --rebuild");
  // The load's check adds a missing column and then builds every preview itself.
  CheckPreviewColumn(context.session);
  if (!context.session.previewColumnAvailable) return kExitFailed;
  if (context.session.previewColumnWasPresent) RebuildPreviews(context.session, kRebuildAll);
  ResultSetGuard rows = Query(*context.gateway, "SELECT BildCtr2 FROM Bilder");
  const int32_t count = rows->RecordCount();
  context.out << std::max(count, 0) << " preview(s) built\n";
  return 0;
}

}  // namespace vemora::cli
