// Opening files and help pages through the desktop's handler, with a recording stand-in for
// xdg-open first on PATH.
#include <gtest/gtest.h>

#include "platform/desktop.h"
#include "support/fake_xdg_open.h"
#include "support/temp_folder.h"

namespace vemora::platform {
namespace {

using DesktopTest = testing::TempFolderTest;

TEST_F(DesktopTest, EachTopicOpensItsPageOfTheShippedHelp) {
  const testing::FakeXdgOpen handler(folder_);
  const std::filesystem::path help = std::filesystem::path(VEMORA_SOURCE_DIR) / "help";
  std::string expected;
  int count = 0;
  for (const auto& [topic, page] : {std::pair{3001, "hauptfenster.html"},
                                    {3003, "suchen.html"},
                                    {3004, "einstellungen.html"},
                                    {42, "index.html"}}) {
    OpenHelpTopic(topic, help);
    expected += (help / page).string() + "\n";
    EXPECT_EQ(handler.Opened(++count), expected) << topic;
  }
  OpenWithDesktop("https://example.org/a b");
  EXPECT_EQ(handler.Opened(++count), expected + "https://example.org/a b\n");
}

TEST_F(DesktopTest, MissingPageOrHandlerGivesAGermanMessage) {
  const testing::FakeXdgOpen handler(folder_);
  try {
    OpenHelpTopic(3004, folder_);
    FAIL() << "no page, yet opened";
  } catch (const DesktopError& error) {
    EXPECT_EQ(std::string(error.what()),
              "Die Hilfe kann nicht angezeigt werden: Die Hilfedatei \"" +
                  PathOf("einstellungen.html") + "\" wurde nicht gefunden.");
  }
  handler.HideAll();
  EXPECT_TRUE(FindOnPath("xdg-open").empty());
  try {
    OpenWithDesktop("/tmp/bild.jpg");
    FAIL() << "no handler, yet opened";
  } catch (const DesktopError& error) {
    EXPECT_EQ(std::string(error.what()),
              "\"/tmp/bild.jpg\" kann nicht geöffnet werden: Das Programm xdg-open wurde nicht "
              "gefunden.");
  }
  EXPECT_FALSE(std::filesystem::exists(PathOf("opened.txt")));
}

}  // namespace
}  // namespace vemora::platform
