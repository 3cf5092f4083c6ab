#include "platform/nametext.h"

#include <gtest/gtest.h>

namespace {

QString units(std::initializer_list<char16_t> codes) {
    QString text;
    for (const char16_t code : codes)
        text.append(QChar(code));
    return text;
}

TEST(NameText, EveryNameSurvivesTheTripThroughText) {
    struct Case {
        const char *name;
        QByteArray bytes;
        QString text; // what the views show and edit
    };
    const std::vector<Case> cases = {
        {"ASCII", "notes.txt", QStringLiteral("notes.txt")},
        {"UTF-8 Cyrillic", "\xd0\x9e\xd1\x82\xd1\x87\xd1\x91\xd1\x82", QStringLiteral(u"Отчёт")},
        {"UTF-8 outside the BMP", "\xf0\x9f\x93\x81", QString::fromUtf8("\xf0\x9f\x93\x81")},
        {"Windows-1251 bytes", "\xce\xf2\xf7\xb8\xf2",
         units({0xDCCE, 0xDCF2, 0xDCF7, 0xDCB8, 0xDCF2})},
        {"Latin-1 amid ASCII", QByteArray("caf\xe9.txt"),
         QStringLiteral("caf") + QChar(0xDCE9) + QStringLiteral(".txt")},
        {"a cut-off sequence", "a\xd0", QStringLiteral("a") + QChar(0xDCD0)},
        {"an overlong slash", "\xc0\xaf", units({0xDCC0, 0xDCAF})},
        {"an encoded surrogate", "\xed\xa0\x80", units({0xDCED, 0xDCA0, 0xDC80})},
        {"empty", "", QString()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(NameToText(c.bytes), c.text);
        EXPECT_EQ(TextToName(c.text), c.bytes);
        EXPECT_EQ(TextToName(NameToText(c.bytes)), c.bytes);
    }
}

TEST(NameText, EveryByteValueRoundTrips) {
    QByteArray all;
    for (int byte = 1; byte < 256; ++byte)
        all.append(static_cast<char>(byte));
    EXPECT_EQ(TextToName(NameToText(all)), all);
}

TEST(NameText, ANameThatIsNotUtf8ShowsAsWindows1251) {
    EXPECT_EQ(NameToDisplayText("\xce\xf2\xf7\xb8\xf2"), QStringLiteral(u"Отчёт"));
    EXPECT_EQ(NameToDisplayText("\xd0\x9e.txt"), QStringLiteral(u"О.txt"));
    EXPECT_EQ(NameToDisplayText("plain"), QStringLiteral("plain"));
}

// Each name of a path is read on its own: a Windows-1251 folder below a UTF-8 one shows both.
TEST(NameText, APathShowsEachOfItsNamesAsItsViewsDo) {
    EXPECT_EQ(PathToDisplayText("/home/\xd0\x9e/u8/\xcf\xf0\xe8\xe2\xe5\xf2/"),
              QStringLiteral(u"/home/О/u8/Привет/"));
    EXPECT_EQ(PathToDisplayText("/"), QStringLiteral("/"));
    EXPECT_EQ(PathToDisplayText(""), QString());
}

TEST(UriList, RawPathsGoThroughPercentEncoding) {
    const QList<QByteArray> paths = {"/tmp/plain", "/tmp/a b#c%d", QByteArray("/tmp/caf\xe9", 9),
                                     "/tmp/\xd0\x9e"};
    const QByteArray list = UriListOfPaths(paths);
    EXPECT_EQ(list, "file:///tmp/plain\r\nfile:///tmp/a%20b%23c%25d\r\nfile:///tmp/caf%E9\r\n"
                    "file:///tmp/%D0%9E\r\n");
    EXPECT_EQ(PathsOfUriList(list), paths);
}

TEST(UriList, OnlyLocalFilesAreTaken) {
    struct Case {
        const char *name;
        QByteArray list;
        QList<QByteArray> paths;
    };
    const std::vector<Case> cases = {
        {"comments and blank lines", "# a comment\n\nfile:///x\n", {"/x"}},
        {"localhost and the short form", "file://localhost/a\r\nfile:/b\n", {"/a", "/b"}},
        {"other hosts and schemes", "file://server/share\nhttp://x/y\nsmb://s/t\n", {}},
        {"a NUL in a path", "file:///a%00b\n", {}},
        {"no path", "file://\nfile:\n", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PathsOfUriList(c.list), c.paths);
    }
}

} // namespace
