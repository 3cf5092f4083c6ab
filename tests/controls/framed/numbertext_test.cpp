#include "controls/framed/numbertext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

struct KeyCase {
    const char *name;
    QChar ch;
    const char *text;
    int selectionStart;
    int selectionLength;
    bool integersOnly;
    bool valid;
};

TEST(NumberKeyFilter, AcceptsOnlyWhatAnIntegerCanHold) {
    const QChar backspace(8);
    const std::vector<KeyCase> cases{
        {"digit", QLatin1Char('5'), "12", 2, 0, true, true},
        {"digit before a sign", QLatin1Char('5'), "-12", 0, 0, true, false},
        {"digit after a sign", QLatin1Char('5'), "-12", 1, 0, true, true},
        {"minus at the start", QLatin1Char('-'), "12", 0, 0, true, true},
        {"minus at the end", QLatin1Char('-'), "12", 2, 0, true, false},
        {"minus over the whole text", QLatin1Char('-'), "12", 0, 2, true, true},
        {"second minus at the start", QLatin1Char('-'), "-12", 0, 0, true, false},
        {"minus over a selected sign", QLatin1Char('+'), "-12", 0, 1, true, true},
        {"minus over a selection without sign", QLatin1Char('-'), "-12", 1, 1, true, false},
        {"parenthesis", QLatin1Char('('), "12", 0, 0, true, true},
        {"point", QLatin1Char('.'), "12", 2, 0, true, false},
        {"comma", QLatin1Char(','), "12", 2, 0, true, false},
        {"blank", QLatin1Char(' '), "12", 2, 0, true, false},
        {"letter", QLatin1Char('a'), "12", 2, 0, true, false},
        {"character above 127", QChar(0xE9), "12", 2, 0, true, false},
        {"enter", QChar(13), "12", 2, 0, true, false},
        {"backspace", backspace, "12", 2, 0, true, true},
        {"backspace at the start of a signed text", backspace, "-12", 0, 0, true, false},
        {"decimal point without integers only", QLatin1Char('.'), "12", 2, 0, false, true},
        {"second decimal point", QLatin1Char('.'), "1.2", 3, 0, false, false},
        {"decimal point over the selected one", QLatin1Char('.'), "1.2", 1, 1, false, true},
        {"letter without integers only", QLatin1Char('x'), "12", 2, 0, false, true},
    };
    for (const KeyCase &c : cases) {
        SCOPED_TRACE(c.name);
        NumberKeyContext context;
        context.text = QString::fromLatin1(c.text);
        context.selectionStart = c.selectionStart;
        context.selectionLength = c.selectionLength;
        context.integersOnly = c.integersOnly;
        EXPECT_EQ(IsValidNumberKey(c.ch, context), c.valid);
    }
}

struct ParseCase {
    const char *text;
    double value;
};

TEST(NumberText, ParsesWhatTheTextShows) {
    const std::vector<ParseCase> cases{
        {"", 0},           {"5005", 5005},    {"5,005", 5005},     {"1,234", 1234},
        {"(7)", -7},       {"-5", -5},        {"+5", 5},           {" 12 ", 12},
        {"1e-5", 0.00001}, {"1E-5", 0.00001}, {"-1E-5", -0.00001}, {"1.5", 1.5},
        {"abc", 0},        {"1E", 0},         {"1.2.3", 0},        {"1e999", 0},
        {"300", 300},      {"70000", 70000},
    };
    for (const ParseCase &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_DOUBLE_EQ(ParseNumberText(QString::fromLatin1(c.text), QLatin1Char('.')), c.value);
    }
    EXPECT_DOUBLE_EQ(ParseNumberText(QStringLiteral("1.234,5"), QLatin1Char(',')), 1234.5);
}

struct FormatCase {
    double value;
    const char *format;
    const char *text;
};

TEST(NumberText, FormatsByDisplayFormat) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<FormatCase> cases{
        {5005, ",0;(,0)", "5,005"},
        {-7, ",0;(,0)", "(7)"},
        {0, ",0;(,0)", "0"},
        {1234567, ",0;(,0)", "1,234,567"},
        {99999999999, ",0;(,0)", "99,999,999,999"},
        {5005, "", "5005"},
        {-5, "", "-5"},
        {70000, "", "70000"},
        {0.00001, "", "1E-5"},
        {-7, ",0", "-7"},
        {1.5, "0.00", "1.50"},
        {1.5, "0.##", "1.5"},
        {0, "0;-0;'zero'", "zero"},
        {nan, ",0;(,0)", "NAN"},
        {inf, "", "INF"},
        {-inf, ",0", "-INF"},
    };
    for (const FormatCase &c : cases) {
        SCOPED_TRACE(std::string(c.format) + " " + std::to_string(c.value));
        EXPECT_EQ(FormatNumberText(c.value, QString::fromLatin1(c.format), QLatin1Char(','),
                                   QLatin1Char('.'))
                      .toStdString(),
                  c.text);
    }
}

struct IntegerCase {
    double value;
    std::int32_t integer;
};

TEST(NumberText, IntegerValueKeepsTheLow32BitsOfTheRoundedValue) {
    const std::vector<IntegerCase> cases{
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {-5, -5},
        {70000, 70000},
        {99999999999, 1215752191},
        {2147483648.0, -2147483647 - 1},
        {4294967296.0, 0},
        {-4294967297.0, -1},
        {1e300, 0},
        {std::numeric_limits<double>::infinity(), 0},
        {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const IntegerCase &c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(LowInt32OfRounded(c.value), c.integer);
    }
}

TEST(NumberText, RangeBoundOnlyWhereARangeApplies) {
    EXPECT_EQ(RangeBound(300, 0, 255, true), std::optional<double>(255));
    EXPECT_EQ(RangeBound(-5, 0, 255, true), std::optional<double>(0));
    EXPECT_EQ(RangeBound(100, 0, 255, true), std::nullopt);
    // A port edit: Min equal to Max without CheckRange takes any value.
    EXPECT_EQ(RangeBound(70000, 0, 0, false), std::nullopt);
    EXPECT_EQ(RangeBound(-5, 0, 0, false), std::nullopt);
    // Min and Max differing make a range even without CheckRange.
    EXPECT_EQ(RangeBound(20, 1, 10, false), std::optional<double>(10));
}

} // namespace
