// IPTC datasets inside a "Photoshop 3.0" APP13 section.
#include <gtest/gtest.h>

#include "exif_builder.h"
#include "metadata/img_data.h"

namespace vemora::metadata {
namespace {

using testing::IptcSection;
using testing::MakeJpeg;

TEST(IptcTest, KeywordsAndCategoriesMergeOtherDatasetsRepeat) {
  TIPTCdata iptc;
  iptc.ParseIPTCStrings(IptcSection({{1, 90, "\x1B%G"},
                                     {2, 0, std::string("\0\4", 2)},
                                     {2, 25, "Blume"},
                                     {2, 5, "Title one"},
                                     {2, 25, "Wiese"},
                                     {2, 20, "Natur"},
                                     {2, 200, "unknown dataset"},
                                     {2, 25, "Fr\xFChling"},
                                     {2, 20, "Garten"},
                                     {2, 5, "Title two"},
                                     {2, 90, "Bern"},
                                     {8, 10, "sub"}}));
  std::vector<std::string> names;
  for (const auto& tag : iptc.Tags) names.emplace_back(tag.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Keywords", "ObjectName", "SuppCategory", "ObjectName",
                                             "City", "Subfile"}));
  EXPECT_EQ(iptc.LookupTagText("Keywords"), "Blume,Wiese,Frühling");  // Latin-1 made UTF-8
  EXPECT_EQ(iptc.LookupTagText("suppcategory"), "Natur,Garten");
  EXPECT_EQ(iptc.LookupTagText("ObjectName"), "Title one");
  EXPECT_EQ(iptc.LookupTagText("City"), "Bern");
  EXPECT_EQ(iptc.Tags[0].ICode, 2);
  EXPECT_EQ(iptc.Tags[0].Tag, 25);
}

TEST(IptcTest, DamagedOrMissingBlocks) {
  TIPTCdata iptc;
  iptc.ParseIPTCStrings(
      std::string("no signature here \x1C\x02\x19\x00\x03"
                  "abc",
                  26));
  EXPECT_TRUE(iptc.Tags.empty());

  // A value length that runs past the section is cut at its end.
  std::string section = IptcSection({{2, 90, "Zurich"}});
  section[section.size() - 9] = '\x7F';  // high byte of the length
  iptc.ParseIPTCStrings(section);
  ASSERT_EQ(iptc.Tags.size(), 1u);
  EXPECT_EQ(iptc.Tags[0].Data, std::string("Zurich\0", 7));  // up to the end, padding included

  // Whatever follows the datasets (other Photoshop resources) is not read as IPTC.
  TIPTCdata tail;
  tail.ParseIPTCStrings(IptcSection({{2, 90, "Bern"}}) +
                        std::string("8BIM\x04\x0C\x1C\x02\x19\x00\x01x", 12));
  EXPECT_EQ(tail.Tags.size(), 1u);
}

TEST(IptcTest, ReadFromTheFirstApp13OfAJpeg) {
  TimgData data;
  ASSERT_TRUE(data.ProcessBytes(MakeJpeg({{0xE0, "JFIF"},
                                          {0xED, IptcSection({{2, 25, "one"}, {2, 25, "two"}})},
                                          {0xED, IptcSection({{2, 25, "three"}})}}),
                                TFileKind::kJpeg));
  EXPECT_EQ(data.ErrStr, "<none>");
  EXPECT_FALSE(data.ImageInfo);
  ASSERT_TRUE(data.IptcData);
  EXPECT_EQ(data.IptcData->LookupTagText("Keywords"), "one,two");
  EXPECT_EQ(data.IptcSection, 1);
}

}  // namespace
}  // namespace vemora::metadata
