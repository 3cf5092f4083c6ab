#include "platform/codec1251.h"

#include <gtest/gtest.h>

namespace {

struct CodecCase {
    const char *name;
    QByteArray bytes;
    QString text;
};

TEST(Codec1251, ConvertsBothWaysForMappedCharacters) {
    const std::vector<CodecCase> cases = {
        {"ascii", QByteArray("Rack-1; ok"), QStringLiteral("Rack-1; ok")},
        {"cyrillic", QByteArray("\xCF\xF0\xE8\xE1\xEE\xF0"), QString::fromUtf8("Прибор")},
        {"yo and capital ya", QByteArray("\xA8\xB8\xDF"), QString::fromUtf8("ЁёЯ")},
        {"euro and numero", QByteArray("\x88\xB9"), QString::fromUtf8("€№")},
        {"nul kept", QByteArray("a\0b", 3), QString::fromUtf8("a\0b", 3)},
        {"empty", QByteArray(), QString()},
    };
    for (const CodecCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fromWin1251(c.bytes), c.text);
        EXPECT_EQ(toWin1251(c.text), c.bytes);
    }
}

TEST(Codec1251, EveryByteRoundTrips) {
    for (int byte = 0; byte < 256; ++byte) {
        const QByteArray one(1, static_cast<char>(byte));
        const QString text = fromWin1251(one);
        ASSERT_EQ(text.size(), 1) << byte;
        if (text.at(0) != QChar::ReplacementCharacter) {
            EXPECT_EQ(toWin1251(text), one) << byte;
        }
    }
}

TEST(Codec1251, UnmappableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(toWin1251(QString::fromUtf8("a中b")), QByteArray("a?b"));
    EXPECT_EQ(toWin1251(QString::fromUtf8("ü")), QByteArray("?"));
    // A surrogate pair is one character; lone surrogates are unmappable too.
    EXPECT_EQ(toWin1251(QString::fromUtf8("x\U0001F600y")), QByteArray("x?y"));
    const char16_t lone[] = {u'a', 0xD800, u'b', 0xDC00};
    EXPECT_EQ(toWin1251(QStringView(lone, 4)), QByteArray("a?b?"));
}

} // namespace
