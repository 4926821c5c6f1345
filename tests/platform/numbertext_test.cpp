#include <gtest/gtest.h>

#include <QLocale>
#include <cfloat>
#include <cmath>

#include "platform/numbertext.h"

using NumberText::format;
using NumberText::leadingNumber;

TEST(NumberText, LeadingNumberOfTypedTexts) {
    const struct {
        QString text;
        double number;
    } cases[] = {
        {"40", 40},
        {"40.5", 40.5},
        {"-7", -7},
        {"+7", 7},
        {".5", 0.5},
        {"5.", 5},
        // Blanks, tabs and line feeds are ignored anywhere; a carriage return is not.
        {" 1 000", 1000},
        {"1\t2\n3", 123},
        {"- 5", -5},
        {"\r5", 0},
        {"5\r6", 5},
        // Read up to the first character that cannot continue the number.
        {"12abc", 12},
        {"1.2.3", 1.2},
        {"2e", 2},
        {"2e+", 2},
        {"3-4", 3},
        {"40,5", 40},
        {"1E3", 1000},
        {"1e3", 1000},
        {"1D2", 100},
        {"25E-1", 2.5},
        // No number at the start.
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {".", 0},
        {"E5", 0},
        {"&", 0},
        {"&17", 0},
        {QString(QChar(0x0661)), 0},
        // Hexadecimal and octal; 16- and 32-bit values with the top bit set are negative.
        {"&H1F", 31},
        {"&h1f", 31},
        {"&O17", 15},
        {"&O18", 1},
        {"&H", 0},
        {"&HFFFF", -1},
        {"&H8000", -32768},
        {"&H10000", 65536},
        {"&H80000007", -2147483641.0},
        {"&HFFFFFFFF", -1},
        {"&O177777", -1},
        {"&H100000000", 0},
        {"&H" + QString(10000, u'F'), 0},
        // Out of a double's range: 0, never infinity.
        {"1E999", 0},
        {"-1E999", 0},
        {"1E-999", 0},
        {"1E99999999999999999999", 0},
        {"1E308", 1e308},
        {QString(400, u'9'), 0},
        {QString(300, u'0') + "42", 42},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(leadingNumber(c.text), c.number) << c.text.toStdString();
    }
}

TEST(NumberText, FormatsPlainDecimalThatReadsBackExactly) {
    const struct {
        double number;
        const char* text;
    } cases[] = {{0, "0"},
                 {-0.0, "0"},
                 {40.5, "40.5"},
                 {-1, "-1"},
                 {100000, "100000"},
                 {-2147483641.0, "-2147483641"},
                 {1e21, "1000000000000000000000"},
                 {0.0001, "0.0001"},
                 {NAN, "0"},
                 {INFINITY, "0"}};
    for (const auto& c : cases)
        EXPECT_EQ(format(c.number), c.text) << c.text;
    for (double v : {8.25, 0.1 + 0.2, 1.0 / 3, -123.456, 1e-7, 4294967295.0, DBL_MAX, 5e-324}) {
        const QString text = format(v);
        EXPECT_FALSE(text.contains(u'e')) << text.toStdString();
        EXPECT_EQ(leadingNumber(text), v) << text.toStdString();
    }
}

TEST(NumberText, ShownSingleHasTheLocalesDecimalMarkAndNoThousandsSeparator) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(NumberText::single(5121.0937f), "5121.094");
    EXPECT_EQ(NumberText::single(1234567.f), "1234567");
    EXPECT_EQ(NumberText::single(0.25f), "0.25");
    EXPECT_EQ(NumberText::single(-86399000.f), "-8.6399E+07");
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    EXPECT_EQ(NumberText::single(5121.0937f), "5121,094");
    EXPECT_EQ(NumberText::single(1234567.f), "1234567");
    EXPECT_EQ(NumberText::single(0), "0");
    QLocale::setDefault(before);
}
