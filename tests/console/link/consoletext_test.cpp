#include "console/link/consoletext.h"

#include <gtest/gtest.h>

namespace {

TEST(ControlLineCaption, CutAtCommaThenBracketAndMarksRemoved) {
    struct Case {
        QString line, caption;
    };
    const std::vector<Case> cases = {
        {"Gain[0.1],x", "Gain"},
        {"#Power", "Power"},
        {"Lev,el[1]", "Lev"},
        {"a|b$c~d%e#f", "abcdef"},
        {"Temp]", "Temp]"},
        {"[x]", ""},
        {"", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        EXPECT_EQ(controlLineCaption(c.line), c.caption);
    }
}

TEST(CutRecordText, LongerTextsEndInTheMarkAtTheBound) {
    const QString mark{QChar(RECORD_TEXT_CUT_MARK)};
    const struct {
        int length;
        int kept;
        bool marked;
    } cases[] = {{0, 0, false},
                 {MAX_RECORD_TEXT_CHARS, MAX_RECORD_TEXT_CHARS, false},
                 {MAX_RECORD_TEXT_CHARS + 1, MAX_RECORD_TEXT_CHARS, true},
                 {24990, MAX_RECORD_TEXT_CHARS, true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.length);
        QString text(c.length, QChar(0x0416));
        if (c.length > 0)
            text[0] = QLatin1Char('A');
        const QString cut = cutRecordText(text);
        EXPECT_EQ(cut.size(), c.kept);
        EXPECT_EQ(cut.endsWith(mark), c.marked);
        EXPECT_TRUE(text.startsWith(cut.chopped(c.marked ? 1 : 0)));
        EXPECT_LE(cut.capacity(), qsizetype(MAX_RECORD_TEXT_CHARS) + (c.marked ? 0 : c.length))
            << "a cut text holds no more memory than it shows";
    }
}

TEST(SignExtend14, BitThirteenIsTheSign) {
    const std::vector<std::pair<int, int>> cases = {
        {0x0000, 0},  {0x1FFF, 8191}, {0x2000, -8192}, {0x3FFF, -1},
        {0x7FFF, -1}, {0x4001, 1},    {-1, -1},        {-32768, 0},
    };
    for (const auto &[raw, value] : cases) {
        SCOPED_TRACE(raw);
        EXPECT_EQ(signExtend14(int16_t(raw)), value);
    }
}

TEST(AlarmInitFileName, LeadingZerosAndSuffixGo) {
    EXPECT_EQ(alarmInitFileName("000A1B2C_A.txt"), "A1B2C");
    EXPECT_EQ(alarmInitFileName("0_A.txt_A.txt"), "");
    EXPECT_EQ(alarmInitFileName("10_a.txt"), "10_a.txt");
}

} // namespace
