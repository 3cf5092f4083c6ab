#include "console/windows/controltableline.h"

#include "console/windows/registervalues.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

struct LineCase {
    const char *entry;
    ControlKind kind;
    const char *caption;
    double scale = 1.0;
    int decimals = 0;
    double minimum = DEFAULT_NUMBER_MINIMUM;
    double maximum = DEFAULT_NUMBER_MAXIMUM;
    QStringList items = {};
    const char *toggleText = "";
    const char *lampLetters = "";
};

TEST(ControlTableLine, ParsesKindCaptionAndFields) {
    const std::vector<LineCase> cases = {
        {"", ControlKind::Empty, ""},
        {"#Power,G,R", ControlKind::Lamp, "Power", 1.0, 0, -10000, 10000, {}, "", "GR"},
        {"#Lamp[x],G,Y,B", ControlKind::Lamp, "Lamp", 1.0, 0, -10000, 10000, {}, "", "GYB"},
        {"#Many,R,G,Y,B,H,W,F", ControlKind::Lamp, "Many", 1.0, 0, -10000, 10000, {}, "", "RGYBHW"},
        {"$Enable", ControlKind::OnOff, "Enable"},
        {"$Power;x", ControlKind::OnOff, "Power"},
        {"|Mute,Mute on, now",
         ControlKind::Toggle,
         "Mute",
         1.0,
         0,
         -10000,
         10000,
         {},
         "Mute on, now"},
        {"|Bare", ControlKind::Toggle, "Bare"},
        {"%Mode,Auto,Manual,Off",
         ControlKind::List,
         "Mode",
         1.0,
         0,
         -10000,
         10000,
         {"Auto", "Manual", "Off"}},
        {"%Mode,A,B;C", ControlKind::List, "Mode", 1.0, 0, -10000, 10000, {"A", "B"}},
        {"%Empty", ControlKind::List, "Empty"},
        {"~%State,Idle,Run",
         ControlKind::ReadOnlyList,
         "State",
         1.0,
         0,
         -10000,
         10000,
         {"Idle", "Run"}},
        {"~Temp[0.1]", ControlKind::ReadOnlyNumber, "Temp", 0.1, 1},
        {"~Count", ControlKind::ReadOnlyNumber, "Count"},
        {"Band,Low,Mid,High",
         ControlKind::ButtonGroup,
         "Band",
         1.0,
         0,
         -10000,
         10000,
         {"Low", "Mid", "High"}},
        {"Level", ControlKind::Number, "Level"},
        {"Level;rest", ControlKind::Number, "Level"},
        {"Gain[0.1](0,100,0)", ControlKind::Number, "Gain", 0.1, 1, 0, 100},
        // With two range fields the maximum text keeps the ")" and reads as 0.
        {"Gain[0.1](0,100)", ControlKind::Number, "Gain", 0.1, 1, 0, 0},
        {"Level(5,50,7)", ControlKind::Number, "Level", 1.0, 0, 5, 50},
        {"Level(5,50", ControlKind::Number, "Level"},
        {"Atten[0.01]", ControlKind::Number, "Atten", 0.01, 2, -327.68, 327.67},
        {"Step[0.05]", ControlKind::Number, "Step", 0.05, 2, -1638.4, 1638.35},
        {"Unit[1.0]", ControlKind::Number, "Unit", 1.0, 2},
        {"Tens[10]", ControlKind::Number, "Tens", 10.0, 0},
        // A scale of 0 or one that is not a number counts as 1.
        {"Zero[0]", ControlKind::Number, "Zero", 1.0, 0},
        {"Word[abc]", ControlKind::Number, "Word", 1.0, 0},
        {"Inf[inf]", ControlKind::Number, "Inf", 1.0, 0},
        // An unclosed scale is read to the end of the line, no further.
        {"Open[0.5", ControlKind::Number, "Open", 0.5, 1},
        // Limits whose raw value leaves 16 bits are clamped.
        {"Wide(-40000,40000,0)", ControlKind::Number, "Wide", 1.0, 0, -32768, 32767},
        {"Odd(nan,inf,0)", ControlKind::Number, "Odd", 1.0, 0, 0, 0},
        {"Усиление[0.5]", ControlKind::Number, "Усиление", 0.5, 1},
        // Malformed lines still give one defined control each.
        {"#", ControlKind::Lamp, ""},
        {"#L,", ControlKind::Lamp, "L"},
        {"#Lamp;note,G,R", ControlKind::Lamp, "Lamp", 1.0, 0, -10000, 10000, {}, "", "GR"},
        {"$", ControlKind::OnOff, ""},
        {"|", ControlKind::Toggle, ""},
        {"|Fan,On,Off;x", ControlKind::Toggle, "Fan", 1.0, 0, -10000, 10000, {}, "On,Off"},
        // The toggle text follows the first "," even when a ";" ends the caption.
        {"|Fan;note,On,Off", ControlKind::Toggle, "Fan", 1.0, 0, -10000, 10000, {}, "On,Off"},
        {"|Fan;a,On;b", ControlKind::Toggle, "Fan", 1.0, 0, -10000, 10000, {}, "On"},
        {"|Fan;note", ControlKind::Toggle, "Fan"},
        {"~", ControlKind::ReadOnlyNumber, ""},
        {"~%", ControlKind::ReadOnlyList, ""},
        {"%Mode,,B", ControlKind::List, "Mode", 1.0, 0, -10000, 10000, {"", "B"}},
        {",", ControlKind::ButtonGroup, "", 1.0, 0, -10000, 10000, {""}},
        {"[", ControlKind::Number, ""},
        {"(", ControlKind::Number, ""},
        {")(", ControlKind::Number, ")", 1.0, 0, 0, 0},
        {"Gain[](0,10,0)", ControlKind::Number, "Gain", 1.0, 0, 0, 10},
        {"Gain]0.1[", ControlKind::Number, "Gain]0.1"},
        {"Level[0.1](a,b,c)", ControlKind::Number, "Level", 0.1, 1, 0, 0},
        // A read-only number has no range of its own.
        {"~Temp[0.001](1,2,3)", ControlKind::ReadOnlyNumber, "Temp", 0.001, 3},
    };
    for (const LineCase &c : cases) {
        SCOPED_TRACE(c.entry);
        const ControlTableLine line = ControlTableLine::parse(QString::fromUtf8(c.entry));
        EXPECT_EQ(line.kind, c.kind);
        EXPECT_EQ(line.caption, QString::fromUtf8(c.caption));
        EXPECT_DOUBLE_EQ(line.scale, c.scale);
        EXPECT_EQ(line.decimals, c.decimals);
        EXPECT_NEAR(line.minimum, c.minimum, 1e-9);
        EXPECT_NEAR(line.maximum, c.maximum, 1e-9);
        EXPECT_EQ(line.items, c.items);
        EXPECT_EQ(line.toggleText, QString::fromUtf8(c.toggleText));
        EXPECT_EQ(line.lampLetters, QString::fromUtf8(c.lampLetters));
    }
}

TEST(ControlTableLine, KeepsAtMost256Items) {
    QString entry = "%Many";
    for (int i = 0; i < 300; ++i)
        entry += "," + QString::number(i);
    const ControlTableLine line = ControlTableLine::parse(entry);
    ASSERT_EQ(line.items.size(), MAX_CONTROL_ITEMS);
    EXPECT_EQ(line.items.last(), "255");
}

TEST(ControlTableLine, LampColourPerValue) {
    const ControlTableLine line = ControlTableLine::parse(u"#L,G,R,Z");
    struct Case {
        int value;
        std::optional<Qt::GlobalColor> colour;
    };
    const std::vector<Case> cases = {
        {0, Qt::gray}, {7, Qt::gray},     {-1, Qt::gray},    {1, Qt::green},
        {2, Qt::red},  {3, std::nullopt}, {4, std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(line.lampColour(c.value), c.colour);
    }
    EXPECT_EQ(lampLetterColour('Y'), Qt::yellow);
    EXPECT_EQ(lampLetterColour('B'), Qt::blue);
    EXPECT_EQ(lampLetterColour('H'), Qt::black);
    EXPECT_EQ(lampLetterColour('W'), Qt::white);
    EXPECT_EQ(lampLetterColour('F'), Qt::magenta);
    EXPECT_EQ(lampLetterColour('g'), std::nullopt);
}

TEST(RegisterValues, ShownValueBecomesARoundedClampedWord) {
    struct Case {
        double shown;
        double scale;
        int word;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<Case> cases = {
        {12.34, 0.01, 1234},    {0.29, 0.01, 29}, // 28.999... rounds, never truncates
        {0.5, 1.0, 1},          {-0.5, 1.0, -1},     {2.5, 1.0, 3}, {-2.4, 1.0, -2},
        {25.0, 10.0, 3},        {7.0, 0.0, 7},       {7.0, nan, 7}, {400.0, 0.01, 32767},
        {-400.0, 0.01, -32768}, {1e300, 1.0, 32767}, {nan, 1.0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.shown << " / " << c.scale);
        EXPECT_EQ(registerWordFromShown(c.shown, c.scale), c.word);
    }
}

TEST(RegisterValues, StatusWordColoursItsFields) {
    using C = std::array<Qt::GlobalColor, STATUS_FIELDS>;
    struct Case {
        int status;
        C colours;
    };
    const std::vector<Case> cases = {
        {0x00, {Qt::red, Qt::red, Qt::gray, Qt::gray}},
        {0x03, {Qt::green, Qt::green, Qt::gray, Qt::gray}},
        {0x0C, {Qt::red, Qt::red, Qt::red, Qt::red}},
        {0xF0, {Qt::gray, Qt::gray, Qt::gray, Qt::gray}},
        {0xFF, {Qt::gray, Qt::gray, Qt::gray, Qt::gray}},
        {0x4D, {Qt::green, Qt::red, Qt::gray, Qt::red}},
        // Only the low byte counts.
        {0x1F00 | 0x01, {Qt::green, Qt::red, Qt::gray, Qt::gray}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.status);
        EXPECT_EQ(statusFieldColours(c.status), c.colours);
    }
}

} // namespace
