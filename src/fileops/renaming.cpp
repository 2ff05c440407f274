#include "fileops/renaming.h"

#include "fileops/file_menu.h"
#include "platform/file_io.h"
#include "settings/ini_plus.h"
#include "settings/settings_keys.h"

namespace vemora {

std::vector<int> RenameFocusedFile(CatalogueGrid& grid, Prompter& prompter, TIniPlus& thumbs) {
  if (grid.Focused() == nullptr) return {};
  const GridRecord& focused = *grid.Focused();
  const std::string oldPath = focused.filePath.value_or("");
  const std::string newPath = RenamedPath(oldPath, focused.name);
  const Answer answer = prompter.Ask("Wollen Sie wirklich den Namen der Datei von \r\n" + oldPath +
                                         " auf " + "\r\n" + newPath + " ändern?",
                                     true);
  if (answer != Answer::Yes) return {};
  if (oldPath.empty() || !platform::RenameWithoutReplacing(oldPath, newPath)) return {};

  std::vector<int> changed{grid.focused};
  for (int i = 0; i < grid.Count(); ++i) {
    const auto& path = grid.Record(i).filePath;
    if (i != grid.focused && path && *path == oldPath) changed.push_back(i);
  }
  for (const int index : changed)
    grid.Update(index, [&](GridRecord& record) { record.filePath = newPath; });
  // The records follow first: the file has moved, whatever the cache file says.
  thumbs.DeleteKey(kSectionThumbs, oldPath);
  thumbs.DeleteKey(kSectionThumbsData, oldPath);
  return changed;
}

}  // namespace vemora
