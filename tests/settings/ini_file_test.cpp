// Reading ini files written by other programs, and rewriting them without disturbing
// what this system does not own.
#include <gtest/gtest.h>

#include "settings/ini_plus.h"
#include "support/temp_folder.h"

namespace vemora {
namespace {

using IniFileTest = testing::TempFolderTest;

TEST_F(IniFileTest, ForeignFilesReadWithAnyLineEndBlanksAndCase) {
  for (const std::string line_end : {"\r\n", "\n"}) {
    SCOPED_TRACE(line_end.size() == 2 ? "CRLF" : "LF");
    const std::string text = "\xEF\xBB\xBF; written by hand" + line_end +  //
                             "  [ Settings ]  " + line_end +               //
                             "ExtApp  =  /usr/bin/editor  " + line_end +   //
                             "\tPar\t=\t\"  quoted  \"" + line_end +       //
                             "Empty=" + line_end +                         //
                             "# Ignored=1" + line_end +                    //
                             "[Other]" + line_end +                        //
                             "extapp=wrong section";  // no line end at the end either
    PutFile("settings.ini", text);
    const TIniPlus ini(PathOf("settings.ini"));
    EXPECT_EQ(ini.ReadString("SETTINGS", "EXTAPP", "-"), "/usr/bin/editor");
    EXPECT_EQ(ini.ReadString("settings", "par", "-"), "  quoted  ");
    EXPECT_EQ(ini.ReadString("SETTINGS", "Empty", "-"), "");
    EXPECT_EQ(ini.ReadString("SETTINGS", "# Ignored", "-"), "-");
    EXPECT_EQ(ini.ReadString("OTHER", "ExtApp", "-"), "wrong section");
    EXPECT_EQ(ini.ReadString("Missing", "ExtApp", "-"), "-");
  }
}

TEST_F(IniFileTest, RewriteKeepsCommentsOrderLineEndsAndByteOrderMark) {
  PutFile("settings.ini",
          "\xEF\xBB\xBF; Vemora\r\n"
          "[SETTINGS]\r\n"
          "  ThumbsSize = 80\r\n"
          "; the editor\r\n"
          "EXTAPP=/usr/bin/editor\r\n"
          "\r\n"
          "[LAYOUT]\r\n"
          "ib1=1\r\n");
  TIniPlus ini(PathOf("settings.ini"));
  ini.WriteInteger("settings", "THUMBSSIZE", 120);
  ini.WriteBool("SETTINGS", "HIDETHUMBS", true);
  ini.WriteInteger("ZOOM", "idx", 2);
  EXPECT_EQ(FileBytes("settings.ini"),
            "\xEF\xBB\xBF; Vemora\r\n"
            "[SETTINGS]\r\n"
            "ThumbsSize=120\r\n"
            "; the editor\r\n"
            "EXTAPP=/usr/bin/editor\r\n"
            "HIDETHUMBS=1\r\n"
            "\r\n"
            "[LAYOUT]\r\n"
            "ib1=1\r\n"
            "\r\n"
            "[ZOOM]\r\n"
            "idx=2\r\n");
}

TEST_F(IniFileTest, LineEndStyleIsKeptAndNewFilesUseCrlf) {
  PutFile("lf.ini", "[A]\nk=1\n");
  TIniPlus(PathOf("lf.ini")).WriteString("A", "j", "2");
  EXPECT_EQ(FileBytes("lf.ini"), "[A]\nk=1\nj=2\n");

  TIniPlus fresh(PathOf("new.ini"));
  fresh.WriteString("A", "k", "1");
  fresh.WriteString("B", "k", "2");
  EXPECT_EQ(FileBytes("new.ini"), "[A]\r\nk=1\r\n\r\n[B]\r\nk=2\r\n");
}

TEST_F(IniFileTest, Windows1252FileReadsAsUtf8) {
  PutFile("settings.ini", "[LAYOUT]\r\nExportPath=/home/M\xFCller/\x80 Bilder\r\n");
  const TIniPlus ini(PathOf("settings.ini"));
  EXPECT_EQ(ini.ReadString("LAYOUT", "ExportPath", ""), "/home/Müller/€ Bilder");
}

TEST_F(IniFileTest, DeleteKeyRemovesOnlyThatKey) {
  PutFile("thumbs.ini", "[THUMBS]\r\n/img/a.jpg=1\r\n/img/b.jpg=2\r\n[DATA1]\r\n/img/A.JPG=3\r\n");
  TIniPlus ini(PathOf("thumbs.ini"));
  ini.DeleteKey("THUMBS", "/img/a.jpg");
  ini.DeleteKey("data1", "/img/a.jpg");
  ini.DeleteKey("DATA1", "/img/never.jpg");
  EXPECT_EQ(FileBytes("thumbs.ini"), "[THUMBS]\r\n/img/b.jpg=2\r\n[DATA1]\r\n");

  TIniPlus absent(PathOf("absent.ini"));
  absent.DeleteKey("THUMBS", "/img/a.jpg");
  EXPECT_FALSE(std::filesystem::exists(PathOf("absent.ini")));
}

}  // namespace
}  // namespace vemora
