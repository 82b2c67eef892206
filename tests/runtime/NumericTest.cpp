#include "platform/runtime/Numeric.h"
#include "platform/runtime/RuntimeError.h"
#include "support/ExpectError.h"
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace km::rt;
using km::test::expectError;

TEST(NumericTest, ValReadsTheLeadingNumber) {
    EXPECT_EQ(Val("12abc"), 12);
    EXPECT_EQ(Val(""), 0);
    EXPECT_EQ(Val("1e3"), 1000);
    EXPECT_EQ(Val(" 7"), 7);
    EXPECT_EQ(Val("\t\r\n 7"), 7);
    EXPECT_EQ(Val("-3.5x"), -3.5);
    EXPECT_EQ(Val("+4"), 4);
    EXPECT_EQ(Val(".5"), 0.5);
    EXPECT_EQ(Val("abc"), 0);
    EXPECT_EQ(Val("1,000"), 1); // no thousands separators
    EXPECT_EQ(Val("2024-01-31"), 2024);
}

TEST(NumericTest, ValSkipsBlanksInsideTheNumber) {
    EXPECT_EQ(Val("1 2 3"), 123);
    EXPECT_EQ(Val("- 4 5"), -45);
    EXPECT_EQ(Val("1 . 5"), 1.5);
}

TEST(NumericTest, ValTakesAnExponentOnlyWithDigits) {
    EXPECT_EQ(Val("1e"), 1);
    EXPECT_EQ(Val("1e+"), 1);
    EXPECT_EQ(Val("1ex"), 1);
    EXPECT_EQ(Val("e5"), 0);
    EXPECT_EQ(Val("2E-2"), 0.02);
    EXPECT_EQ(Val("1.5e2xyz"), 150);
}

TEST(NumericTest, ValOfDotsAndSignsAlone) {
    EXPECT_EQ(Val("."), 0);
    EXPECT_EQ(Val("-"), 0);
    EXPECT_EQ(Val("-."), 0);
    EXPECT_EQ(Val("1.2.3"), 1.2);
}

TEST(NumericTest, ValOfRadixPrefixes) {
    EXPECT_EQ(Val("&H1F"), 31);
    EXPECT_EQ(Val("&h1fz"), 31);
    EXPECT_EQ(Val("&O17"), 15);
    EXPECT_EQ(Val("&HFFFF"), -1); // four hex digits make a 16-bit value
    EXPECT_EQ(Val("&HFFFFFFFF"), -1);
    EXPECT_EQ(Val("&H10000"), 65536);
    EXPECT_EQ(Val("&"), 0);
    EXPECT_EQ(Val("&X1"), 0);
}

TEST(NumericTest, ValNeverThrowsOnExtremes) {
    EXPECT_TRUE(std::isinf(Val("1e999")));
    EXPECT_EQ(Val("1e-999"), 0);
    EXPECT_EQ(Val("1" + std::string(300, '0')), 1e300);
    EXPECT_TRUE(std::isinf(Val(std::string(400, '9'))));
    EXPECT_TRUE(std::isinf(Val("-1e999")) && Val("-1e999") < 0);
}

TEST(NumericTest, IsNumericWantsTheWholeText) {
    EXPECT_TRUE(IsNumeric("12"));
    EXPECT_TRUE(IsNumeric(" 7 "));
    EXPECT_TRUE(IsNumeric("-1.5"));
    EXPECT_TRUE(IsNumeric("1e3"));
    EXPECT_TRUE(IsNumeric("&H10"));
    EXPECT_TRUE(IsNumeric(".5"));
    EXPECT_TRUE(IsNumeric("5."));

    EXPECT_FALSE(IsNumeric(""));
    EXPECT_FALSE(IsNumeric("   "));
    EXPECT_FALSE(IsNumeric("abc"));
    EXPECT_FALSE(IsNumeric("12abc"));
    EXPECT_FALSE(IsNumeric("1.2.3"));
    EXPECT_FALSE(IsNumeric("1 2"));
    EXPECT_FALSE(IsNumeric("1e"));
    EXPECT_FALSE(IsNumeric("-"));
    EXPECT_FALSE(IsNumeric("."));
    EXPECT_FALSE(IsNumeric("&H"));
}

TEST(NumericTest, RoundingGoesHalfToEven) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(-3.5), -4);
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(RoundHalfEven(2.5001), 3);
    EXPECT_EQ(RoundHalfEven(-0.7), -1);

    EXPECT_EQ(CLng(2.5), 2);
    EXPECT_EQ(CLng(3.5), 4);
    EXPECT_EQ(CLng(-2.5), -2);
    EXPECT_EQ(CInt(0.5), 0);
    EXPECT_EQ(CInt(1.5), 2);
}

TEST(NumericTest, IntegerConversionsOverflow) {
    EXPECT_EQ(CLng(2147483647.0), 2147483647);
    EXPECT_EQ(CLng(-2147483648.0), std::numeric_limits<Long>::min());
    EXPECT_EQ(CLng(2147483647.4), 2147483647);
    expectError(6, [] { CLng(2147483647.5); });
    expectError(6, [] { CLng(-2147483649.0); });
    expectError(6, [] { CLng(std::numeric_limits<double>::quiet_NaN()); });
    expectError(6, [] { CLng(std::numeric_limits<double>::infinity()); });
    EXPECT_EQ(CInt(32767.0), 32767);
    EXPECT_EQ(CInt(-32768.0), -32768);
    expectError(6, [] { CInt(32767.5); });
    expectError(6, [] { CInt(40000.0); });
}

TEST(NumericTest, TextConversionsNeedNumericText) {
    EXPECT_EQ(CLng(" 42 "), 42);
    EXPECT_EQ(CLng("2.5"), 2);
    EXPECT_EQ(CLng("&H10"), 16);
    EXPECT_EQ(CDbl("-1.25"), -1.25);
    expectError(13, [] { CLng("12abc"); });
    expectError(13, [] { CLng(""); });
    expectError(13, [] { CDbl("abc"); });
    expectError(6, [] { CLng("1e10"); });
}

TEST(NumericTest, NumberTextWritesFifteenSignificantDigits) {
    EXPECT_EQ(numberText(12), "12");
    EXPECT_EQ(numberText(-7), "-7");
    EXPECT_EQ(numberText(0), "0");
    EXPECT_EQ(numberText(-0.0), "0");
    EXPECT_EQ(numberText(0.5), "0.5");
    EXPECT_EQ(numberText(-3.25), "-3.25");
    EXPECT_EQ(numberText(0.1 + 0.2), "0.3");
    EXPECT_EQ(numberText(2147483647), "2147483647");
    EXPECT_EQ(numberText(123456789012345.0), "123456789012345");
    EXPECT_EQ(numberText(1e20), "1E+20");
}
