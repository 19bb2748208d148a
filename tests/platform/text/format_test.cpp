#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "platform/text/text.h"

namespace morvane::text {
namespace {

struct FormatCase {
  std::string mask;
  double value;
  std::string expected;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
  *os << "Format(" << c.value << ", \"" << c.mask << "\")";
}

class FormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTest, AppliesTheMask) {
  const FormatCase& c = GetParam();
  EXPECT_EQ(Format(c.value, c.mask), c.expected);
}

// The masks that the loaders and the conversion use.
INSTANTIATE_TEST_SUITE_P(
    LoaderMasks, FormatTest,
    ::testing::Values(
        FormatCase{"0000.0", 12.34, "0012.3"}, FormatCase{"0000.0", -12.34, "-0012.3"},
        FormatCase{"0000.0", 0, "0000.0"}, FormatCase{"0000.0", 12345.67, "12345.7"},
        FormatCase{"000.0", -12.5, "-012.5"}, FormatCase{"00.0", 5.4, "05.4"},
        FormatCase{"0", 0, "0"}, FormatCase{"00", 7, "07"}, FormatCase{"000", -7, "-007"},
        FormatCase{"000000", 123, "000123"}, FormatCase{"0000000", 1234567, "1234567"},
        FormatCase{"00000000", 123456789, "123456789"},
        FormatCase{"0000000000", 12345, "0000012345"},
        FormatCase{"00000000.0", 1234.56, "00001234.6"},
        FormatCase{"0000000.0", 0, "0000000.0"},
        FormatCase{"-000.0", 12.5, "-012.5"}, FormatCase{"-000.0", 0, "-000.0"},
        FormatCase{"-0000000.0", 12.5, "-0000012.5"},
        FormatCase{"00000000.00000000", 11450.5, "00011450.50000000"},
        FormatCase{"00000000.00000000", 123456789, "123456789.00000000"},
        FormatCase{"00000000.00000000", 0, "00000000.00000000"},
        FormatCase{"00000000.00000000", 14.0125, "00000014.01250000"},
        FormatCase{"00000000.00000000;-0000000.00000000;00000000.00000000", 11450.5,
                   "00011450.50000000"},
        FormatCase{"00000000.00000000;-0000000.00000000;00000000.00000000", -11450.5,
                   "-0011450.50000000"},
        FormatCase{"00000000.00000000;-0000000.00000000;00000000.00000000", 0,
                   "00000000.00000000"},
        FormatCase{"0000000000;-000000000;0000000000", 12345, "0000012345"},
        FormatCase{"0000000000;-000000000;0000000000", -12345, "-000012345"},
        FormatCase{"0000000000;-000000000;0000000000", 0, "0000000000"},
        FormatCase{"0000.0;-000.0;0000.0", 2.5, "0002.5"},
        FormatCase{"0000.0;-000.0;0000.0", -2.5, "-002.5"},
        FormatCase{"0000.0;-000.0;0000.0", 0, "0000.0"},
        FormatCase{"0000.0; 000.0;0000.0", -2.5, " 002.5"},
        FormatCase{"0000.0; 000.0;0000.0", -3, " 003.0"},
        FormatCase{"0000.0; 000.0;0000.0", 3, "0003.0"},
        FormatCase{"0000.0;0000.0; 000.0", -2.5, "0002.5"},
        FormatCase{"0000.0;0000.0; 000.0", 0, " 000.0"},
        FormatCase{"0000.0;-000.0; ", 0, " "}, FormatCase{"0000.0;-000.0; ", -1.5, "-001.5"},
        FormatCase{"0000.0;-000.0; ", 1.5, "0001.5"}));

// The display masks of the status window.
INSTANTIATE_TEST_SUITE_P(
    DisplayMasks, FormatTest,
    ::testing::Values(
        FormatCase{"###,###,###0", 1200000, "1,200,000"}, FormatCase{"###,###,###0", 0, "0"},
        FormatCase{"###,###,###0", 999, "999"}, FormatCase{"###,###,###0", 1000, "1,000"},
        FormatCase{"###,###,###0", -1200000, "-1,200,000"},
        FormatCase{"###,###,###0", 123456789012, "123,456,789,012"},
        FormatCase{"###,###,##0", 1234, "1,234"}, FormatCase{"###,###,##0", 0, "0"},
        FormatCase{"###,##0", 45, "45"}, FormatCase{"###,##0", 1000000, "1,000,000"},
        FormatCase{"  ##0.0", 45.67, "  45.7"}, FormatCase{"  ##0.0", 0, "  0.0"},
        FormatCase{"  ##0.0", 100, "  100.0"}, FormatCase{"  ##0.0", 99.96, "  100.0"},
        FormatCase{"  ##0.0", 5, "  5.0"}));

// Halves go away from zero on the decimal value, whatever the binary double.
INSTANTIATE_TEST_SUITE_P(
    Rounding, FormatTest,
    ::testing::Values(
        FormatCase{"0.0", 12.25, "12.3"}, FormatCase{"0.0", 12.35, "12.4"},
        FormatCase{"0.0", -12.25, "-12.3"}, FormatCase{"0.0", 12.24, "12.2"},
        FormatCase{"0.00", 1.005, "1.01"}, FormatCase{"0.00", 2.675, "2.68"},
        FormatCase{"0.00", 0.005, "0.01"}, FormatCase{"0.00", 0.0049, "0.00"},
        FormatCase{"0", 0.5, "1"}, FormatCase{"0", 1.5, "2"}, FormatCase{"0", 2.5, "3"},
        FormatCase{"0", -2.5, "-3"}, FormatCase{"0", 0.4999, "0"}, FormatCase{"0", 9.5, "10"},
        FormatCase{"00.00", 99.999, "100.00"}, FormatCase{"0.0", 0.05, "0.1"},
        FormatCase{"0.000", 1234.5675, "1234.568"},
        FormatCase{"0.0", 1e20, "100000000000000000000.0"},
        FormatCase{"0.0", 1e-20, "0.0"}, FormatCase{"0.00", 14250.125, "14250.13"},
        FormatCase{"0", 123456789012345, "123456789012345"},
        FormatCase{"0", 1234567890123456, "1234567890123460"},
        FormatCase{"0.0000000000000000", 0.1 + 0.2, "0.3000000000000000"},
        FormatCase{"0.000000", 1e-5, "0.000010"}));

// A non-zero value that rounds to zero is shown as zero: by the zero section
// when there is one, and never with a minus.
INSTANTIATE_TEST_SUITE_P(
    RoundsToZero, FormatTest,
    ::testing::Values(
        FormatCase{"0000.0;-000.0;0000.0", -0.04, "0000.0"},
        FormatCase{"0000.0;-000.0; ", -0.04, " "}, FormatCase{"0000.0;-000.0; ", 0.04, " "},
        FormatCase{"0000.0;0000.0; 000.0", 0.01, " 000.0"},
        FormatCase{"0.0", -0.04, "0.0"}, FormatCase{"0.0;(0.0)", -0.04, "0.0"},
        FormatCase{"0", -0.4, "0"}));

// The rest of the mask language.
INSTANTIATE_TEST_SUITE_P(
    MaskLanguage, FormatTest,
    ::testing::Values(
        FormatCase{"#,##0.00", 1234567.891, "1,234,567.89"},
        FormatCase{"#.##", 0.5, ".5"}, FormatCase{"#.##", 5, "5."},
        FormatCase{"0.0#", 1.25, "1.25"}, FormatCase{"0.0#", 1.2, "1.2"},
        FormatCase{"#", 0, ""}, FormatCase{"#0", 0, "0"}, FormatCase{"0#", 5, "05"},
        FormatCase{".00", 12.5, "12.50"}, FormatCase{"(000)", 5, "(005)"},
        FormatCase{"0 dB", 3, "3 dB"}, FormatCase{"0;(0)", -5, "(5)"},
        FormatCase{"0;;zero", -5, "-5"}, FormatCase{"0;-0;", 0, "0"},
        FormatCase{"N/A", 5, "N/A"}, FormatCase{"", 12.5, "12.5"},
        FormatCase{"", -3, "-3"}, FormatCase{"", 1e20, "1E+20"}));

TEST(FormatSpecialValues, DoNotCrash) {
  EXPECT_EQ(Format(std::numeric_limits<double>::infinity(), "0.0"), "inf");
  EXPECT_EQ(Format(std::numeric_limits<double>::quiet_NaN(), "0.0"), "nan");
  EXPECT_EQ(Format(1.7e308, "0").size(), 309u);
}

}  // namespace
}  // namespace morvane::text
