// The one reading of number boxes: the leading number, its range per target
// type, and an empty box told apart from one that holds no number.
#include <gtest/gtest.h>

#include "store/NumberText.h"

namespace tarvolen {
namespace {

using Read = NumberText::Read;

struct Case {
  const char* text;
  NumberTarget target;
  Read read;
  int64_t whole;  // Currency: scaled x 10000
};

TEST(NumberText, ReadsTheLeadingNumberWithinItsType) {
  const Case cases[] = {
      {"", NumberTarget::Currency, Read::Empty, 0},
      {"   ", NumberTarget::Int32, Read::Empty, 0},
      {"100.5", NumberTarget::Currency, Read::Number, 1005000},
      {" 12元", NumberTarget::Currency, Read::Number, 120000},
      {".5", NumberTarget::Currency, Read::Number, 5000},
      {"5000.01", NumberTarget::Currency, Read::Number, 50000100},
      {"0.00005", NumberTarget::Currency, Read::Number, 0},   // half to even
      {"0.00015", NumberTarget::Currency, Read::Number, 2},   // half to even
      {"0.000051", NumberTarget::Currency, Read::Number, 1},  // above half
      {"-3", NumberTarget::Currency, Read::Number, -30000},
      {"abc", NumberTarget::Currency, Read::NotNumber, 0},
      {".", NumberTarget::Currency, Read::NotNumber, 0},
      {"-", NumberTarget::Int32, Read::NotNumber, 0},
      {"922337203685477.5807", NumberTarget::Currency, Read::Number, INT64_MAX},
      {"922337203685477.5808", NumberTarget::Currency, Read::OutOfRange, 0},
      {"99999999999999999999999", NumberTarget::Currency, Read::OutOfRange, 0},
      {"2147483647", NumberTarget::Int32, Read::Number, 2147483647},
      {"2147483648", NumberTarget::Int32, Read::OutOfRange, 0},
      {"-2147483648", NumberTarget::Int32, Read::Number, INT32_MIN},
      {"1.9", NumberTarget::Int32, Read::Number, 1},  // whole targets stop at the point
      {"-32769", NumberTarget::Int16, Read::OutOfRange, 0},
      {"255", NumberTarget::Byte, Read::Number, 255},
      {"256", NumberTarget::Byte, Read::OutOfRange, 0},
      {"-1", NumberTarget::Byte, Read::OutOfRange, 0},
      {"922337203685477", NumberTarget::Card, Read::Number, 922337203685477},
      {"922337203685478", NumberTarget::Card, Read::OutOfRange, 0},
      {"0001000000000000001", NumberTarget::Card, Read::OutOfRange, 0},  // 16 digits after the zeros
      {"0000000000001001", NumberTarget::Card, Read::Number, 1001},
      {"-5", NumberTarget::Card, Read::OutOfRange, 0},
      {"12ab", NumberTarget::Card, Read::Number, 12},
  };
  for (const Case& c : cases) {
    const NumberText n = ReadNumber(c.text, c.target);
    EXPECT_EQ(n.read, c.read) << c.text;
    EXPECT_EQ(n.whole, c.whole) << c.text;
  }
}

TEST(NumberText, SinglesKeepTheirRangeAndMoneyRoundsToFourDecimals) {
  EXPECT_FLOAT_EQ(static_cast<float>(ReadNumber("2.5", NumberTarget::Single).real), 2.5f);
  EXPECT_EQ(ReadNumber("1" + std::string(40, '0'), NumberTarget::Single).read, Read::OutOfRange);
  EXPECT_EQ(ScaledFromSingle(100.5f), 1005000);
  EXPECT_EQ(ScaledFromSingle(0.1f), 1000);  // 0.1f is 0.100000001...
  EXPECT_FLOAT_EQ(SingleFromScaled(ScaledFromSingle(12.34f) + 1005000), 112.84f);
}

}  // namespace
}  // namespace tarvolen
