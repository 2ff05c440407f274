// `list` and `check`: they read the catalogue and change nothing, so they walk the rows
// themselves instead of loading the grid (the load stores missing previews).

#include <cstdio>
#include <filesystem>

#include "catalogue/result_set_guard.h"
#include "catalogue/statements.h"
#include "catalogue/stored_picture.h"
#include "catalogue_cli/catalogue_context.h"

namespace vemora::cli {
namespace {

struct RowFacts {
  int32_t key = 0;
  std::string name;
  std::string file;
  std::string bytes;  // the stored image
  bool hasImage = false;
  bool hasPreview = false;
};

// Calls visit(RowFacts) for every row of Bilder in query order.
template <typename Visit>
void ForEachRow(CatalogueContext& context, bool withBytes, Visit&& visit) {
  ResultSetGuard rows = Query(*context.gateway, "SELECT * FROM Bilder");
  for (rows->First(); !rows->Eof(); rows->Next()) {
    RowFacts row;
    row.key = rows->FieldByName("BildCtr2").AsInteger();
    row.name = rows->FieldByName("Name").AsString();
    row.file = rows->FieldByName(context.session.fileColumn).AsString();
    TDBField& image = rows->FieldByName("Bild");
    row.hasImage = !image.IsNull();
    if (row.hasImage && withBytes) row.bytes = image.AsString();
    TDBField* preview = rows->FindField("VsBild");
    row.hasPreview = preview != nullptr && !preview->IsNull();
    visit(row);
  }
}

std::string JsonText(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    switch (c) {
      case '"':
        quoted += "\\\"";
        break;
      case '\\':
        quoted += "\\\\";
        break;
      case '\n':
        quoted += "\\n";
        break;
      case '\r':
        quoted += "\\r";
        break;
      case '\t':
        quoted += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          quoted += escaped;
        } else {
          quoted += c;
        }
    }
  }
  return quoted + '"';
}

}  // namespace

int RunList(CatalogueContext& context) {
  const bool json = TakeFlag(context.args, "--json");
  RejectUnknownOptions(context.args);
  if (!context.args.empty()) throw UsageError("list takes no arguments");
  std::ostream& out = context.out;
  bool first = true;
  if (json) out << '[';
  ForEachRow(context, true, [&](const RowFacts& row) {
    if (json) {
      out << (first ? "\n  " : ",\n  ") << "{\"key\": " << row.key
          << ", \"name\": " << JsonText(row.name) << ", \"file\": " << JsonText(row.file)
          << ", \"bytes\": " << row.bytes.size() << '}';
    } else {
      out << row.key << '\t' << row.name << '\t' << row.file << '\t' << row.bytes.size() << '\n';
    }
    first = false;
  });
  if (json) out << (first ? "]\n" : "\n]\n");
  return 0;
}

int RunCheck(CatalogueContext& context) {
  RejectUnknownOptions(context.args);
  if (!context.args.empty()) throw UsageError("check takes no arguments");
  const std::filesystem::path folder = context.session.imageFolder;
  int problems = 0;
  int rows = 0;
  auto report = [&](const RowFacts& row, const std::string& what) {
    context.out << row.key << '\t' << row.file << '\t' << what << '\n';
    ++problems;
  };
  ForEachRow(context, true, [&](const RowFacts& row) {
    ++rows;
    if (row.hasImage) {
      // The window's own decoding: what it could not show is what is reported.
      const StoredPicture picture = DecodeStoredPicture(row.bytes);
      if (!picture.error.empty()) {
        report(row, picture.error);
      } else if (picture.image.empty()) {
        report(row, "stored bytes are no BMP, JPEG or TIFF image");
      }
      std::error_code ignored;
      if (!row.file.empty() && !std::filesystem::exists(folder / row.file, ignored))
        report(row, "file missing: " + (folder / row.file).string());
    }
    if (!row.hasPreview) report(row, "no preview");
  });
  context.out << rows << " rows checked, " << problems << " problem(s)\n";
  return problems == 0 ? 0 : kExitFailed;
}

}  // namespace vemora::cli
