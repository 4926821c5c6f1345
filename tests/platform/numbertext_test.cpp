#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "platform/numbertext.h"

using NumberText::format;
using NumberText::leadingNumber;

TEST(NumberText, ReadsPlainDecimalNumbers) {
    EXPECT_EQ(leadingNumber(u"40"), 40);
    EXPECT_EQ(leadingNumber(u"40.5"), 40.5);
    EXPECT_EQ(leadingNumber(u"-7"), -7);
    EXPECT_EQ(leadingNumber(u"+7"), 7);
    EXPECT_EQ(leadingNumber(u".5"), 0.5);
    EXPECT_EQ(leadingNumber(u"5."), 5);
    EXPECT_EQ(leadingNumber(u"-2147483641"), -2147483641.0);
}

TEST(NumberText, IgnoresBlanksTabsAndLineFeedsAnywhere) {
    EXPECT_EQ(leadingNumber(u" 1 000"), 1000);
    EXPECT_EQ(leadingNumber(u"1\t2\n3"), 123);
    EXPECT_EQ(leadingNumber(u"- 5"), -5);
    EXPECT_EQ(leadingNumber(u"  40  ms"), 40);
    // A carriage return is not one of the characters skipped: it ends the number.
    EXPECT_EQ(leadingNumber(u"\r5"), 0);
    EXPECT_EQ(leadingNumber(u"5\r6"), 5);
}

TEST(NumberText, StopsAtTheFirstCharacterThatCannotContinueTheNumber) {
    EXPECT_EQ(leadingNumber(u"12abc"), 12);
    EXPECT_EQ(leadingNumber(u"1.2.3"), 1.2);
    EXPECT_EQ(leadingNumber(u"2e"), 2);
    EXPECT_EQ(leadingNumber(u"2e+"), 2);
    EXPECT_EQ(leadingNumber(u"3-4"), 3);
    EXPECT_EQ(leadingNumber(u"40,5"), 40);
    EXPECT_EQ(leadingNumber(u"7\u00e8"), 7);
}

TEST(NumberText, ReadsExponentsWrittenWithEOrD) {
    EXPECT_EQ(leadingNumber(u"1E3"), 1000);
    EXPECT_EQ(leadingNumber(u"1e3"), 1000);
    EXPECT_EQ(leadingNumber(u"1D2"), 100);
    EXPECT_EQ(leadingNumber(u"25E-1"), 2.5);
    EXPECT_EQ(leadingNumber(u"1E+2x"), 100);
}

TEST(NumberText, TextWithoutALeadingNumberGivesZero) {
    EXPECT_EQ(leadingNumber(u"abc"), 0);
    EXPECT_EQ(leadingNumber(u""), 0);
    EXPECT_EQ(leadingNumber(u"-"), 0);
    EXPECT_EQ(leadingNumber(u"."), 0);
    EXPECT_EQ(leadingNumber(u"E5"), 0);
    EXPECT_EQ(leadingNumber(u"&"), 0);
    EXPECT_EQ(leadingNumber(u"&17"), 0);     // only &H and &O start a number
    EXPECT_EQ(leadingNumber(u"\u0661"), 0);  // digits of other scripts do not count
}

TEST(NumberText, ReadsHexadecimalAndOctal) {
    EXPECT_EQ(leadingNumber(u"&H1F"), 31);
    EXPECT_EQ(leadingNumber(u"&h1f"), 31);
    EXPECT_EQ(leadingNumber(u"&O17"), 15);
    EXPECT_EQ(leadingNumber(u"&O18"), 1);
    EXPECT_EQ(leadingNumber(u"&H"), 0);
    EXPECT_EQ(leadingNumber(u"&HG"), 0);
    // 16-bit and 32-bit values with the top bit set are negative.
    EXPECT_EQ(leadingNumber(u"&HFFFF"), -1);
    EXPECT_EQ(leadingNumber(u"&H8000"), -32768);
    EXPECT_EQ(leadingNumber(u"&H10000"), 65536);
    EXPECT_EQ(leadingNumber(u"&H80000007"), -2147483641.0);
    EXPECT_EQ(leadingNumber(u"&HFFFFFFFF"), -1);
    EXPECT_EQ(leadingNumber(u"&O177777"), -1);
    // Too many digits for 32 bits: no sensible number.
    EXPECT_EQ(leadingNumber(u"&H100000000"), 0);
    EXPECT_EQ(leadingNumber(QStringLiteral("&H") + QString(10000, u'F')), 0);
}

TEST(NumberText, NumbersOutOfRangeGiveZeroNotInfinity) {
    EXPECT_EQ(leadingNumber(u"1E999"), 0);
    EXPECT_EQ(leadingNumber(u"-1E999"), 0);
    EXPECT_EQ(leadingNumber(u"1E-999"), 0);
    EXPECT_EQ(leadingNumber(u"1E99999999999999999999"), 0);
    EXPECT_EQ(leadingNumber(u"1E308"), 1e308);
    EXPECT_EQ(leadingNumber(QString(400, u'9')), 0);
    EXPECT_EQ(leadingNumber(QStringLiteral("0.") + QString(5000, u'0') + QStringLiteral("1")), 0);
    EXPECT_EQ(leadingNumber(QString(300, u'0') + QStringLiteral("42")), 42);
}

TEST(NumberText, FormatsPlainDecimalWithoutExponent) {
    EXPECT_EQ(format(0), u"0");
    EXPECT_EQ(format(-0.0), u"0");
    EXPECT_EQ(format(40), u"40");
    EXPECT_EQ(format(40.5), u"40.5");
    EXPECT_EQ(format(-1), u"-1");
    EXPECT_EQ(format(0.25), u"0.25");
    EXPECT_EQ(format(12648447), u"12648447");
    EXPECT_EQ(format(-2147483641.0), u"-2147483641");
    EXPECT_EQ(format(100000), u"100000");
    EXPECT_EQ(format(16000000), u"16000000");
    EXPECT_EQ(format(1e21), u"1000000000000000000000");
    EXPECT_EQ(format(0.0001), u"0.0001");
    EXPECT_EQ(format(NAN), u"0");
    EXPECT_EQ(format(INFINITY), u"0");
}

TEST(NumberText, FormattedNumbersReadBackExactly) {
    const double values[] = {8.25,         9.75,    0.1 + 0.2, 1.0 / 3, -123.456, 1e-7,
                             4294967295.0, DBL_MAX, -DBL_MAX,  5e-324,  2.5e-300};
    for (double v : values) {
        const QString text = format(v);
        EXPECT_FALSE(text.contains(u'e')) << text.toStdString();
        EXPECT_EQ(leadingNumber(text), v) << text.toStdString();
    }
}
