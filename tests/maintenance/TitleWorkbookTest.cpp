#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "maintenance/TitleWorkbook.h"

namespace tarvolen {
namespace {

uint32_t At32(const Bytes& b, size_t at) {
  uint32_t v;
  std::memcpy(&v, b.data() + at, sizeof v);
  return v;
}

// The compound file's frame: the header, the workbook stream of 4096 bytes
// in eight sectors, the directory and the FAT that chains them. That FreeXL
// reads the heading back is shown by the widget test of the query window.
TEST(TitleWorkbook, IsACompoundFileWithTheWorkbookInOrdinarySectors) {
  const Bytes file = MakeTitleWorkbook({kTemplateHeading});
  ASSERT_EQ(file.size(), 512u * (1 + 8 + 1 + 1));
  EXPECT_EQ(At32(file, 0), 0xE011CFD0u);
  EXPECT_EQ(At32(file, 44), 1u);  // one FAT sector
  EXPECT_EQ(At32(file, 48), 8u);  // the directory after the stream
  EXPECT_EQ(At32(file, 76), 9u);  // the FAT's place
  const size_t fat = 512 + 9 * 512;
  for (uint32_t s = 0; s < 7; ++s) EXPECT_EQ(At32(file, fat + 4 * s), s + 1);
  EXPECT_EQ(At32(file, fat + 4 * 7), 0xFFFFFFFEu);  // end of the stream
  EXPECT_EQ(At32(file, fat + 4 * 9), 0xFFFFFFFDu);  // the FAT itself
  const size_t dir = 512 + 8 * 512;
  EXPECT_EQ(file[dir + 128 + 66], 2);             // the second entry is a stream
  EXPECT_EQ(At32(file, dir + 128 + 120), 4096u);  // of 4096 bytes
  // The workbook's first record is a BIFF8 BOF of the globals.
  EXPECT_EQ(file[512], 0x09);
  EXPECT_EQ(file[513], 0x08);
  EXPECT_EQ(file[516], 0x00);
  EXPECT_EQ(file[517], 0x06);
}

TEST(TitleWorkbook, HoldsTheHeadingAsUtf16) {
  const Bytes file = MakeTitleWorkbook({"琴A"});
  const uint8_t heading[] = {0x02, 0x00, 0x01, 0x34, 0x74, 0x41, 0x00};  // two characters, 16-bit: 琴 A
  EXPECT_NE(std::search(file.begin(), file.end(), std::begin(heading), std::end(heading)), file.end());
}

}  // namespace
}  // namespace tarvolen
