// IPTC datasets inside a "Photoshop 3.0" APP13 section.
#include <gtest/gtest.h>

#include "exif_builder.h"
#include "metadata/img_data.h"

namespace vemora::metadata {
namespace {

using testing::IptcSection;

// The real files' keywords are ASCII only.
TEST(IptcTest, Latin1TextsBecomeUtf8) {
  TIPTCdata iptc;
  iptc.ParseIPTCStrings(IptcSection({{2, 25, "Fr\xFChling"}, {2, 25, "Gr\xFCn"}}));
  EXPECT_EQ(iptc.LookupTagText("Keywords"), "Frühling,Grün");
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

}  // namespace
}  // namespace vemora::metadata
