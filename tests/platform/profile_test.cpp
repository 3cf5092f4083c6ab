#include "platform/profile.h"

#include "platform/profilewriteerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Reads the text as a plain decimal integer; stands in for the application's integer rule.
int decimalRule(const QString &text, int defaultValue) {
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : defaultValue;
}

class ProfileTest : public ::testing::Test {
protected:
    QString path(const QString &name = "test.ini") const { return m_dir.filePath(name); }

    void put(const QByteArray &bytes, const QString &name = "test.ini") const {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray contents(const QString &name = "test.ini") const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QByteArray read(const QByteArray &section, const QByteArray &key) const {
        return Profile(path()).readString(section, key, "<default>");
    }

    QTemporaryDir m_dir;
};

struct ReadCase {
    const char *name;
    QByteArray file;
    QByteArray section;
    QByteArray key;
    QByteArray value;
};

TEST_F(ProfileTest, ReadsValuesByTheProfileRules) {
    const std::vector<ReadCase> cases = {
        {"plain", "[S]\nk=v\n", "S", "k", "v"},
        {"names ignore case", "[Sec]\nKey=v\n", "sEC", "kEY", "v"},
        {"blanks around names and value", "  [ S ] \n \t k \t=  a b \t\n", "S", "k", "a b"},
        {"first section wins", "[S]\nk=1\n[s]\nk=2\nj=3\n", "S", "j", "<default>"},
        {"first key wins", "[S]\nk=1\nK=2\n", "S", "k", "1"},
        {"empty value", "[S]\nk=\n", "S", "k", ""},
        {"missing key", "[S]\nj=1\n", "S", "k", "<default>"},
        {"missing section", "[T]\nk=1\n", "S", "k", "<default>"},
        {"key of another section", "[S]\n[T]\nk=1\n", "S", "k", "<default>"},
        {"double quotes", "[S]\nk= \"a b\" \n", "S", "k", "a b"},
        {"single quotes", "[S]\nk='x'\n", "S", "k", "x"},
        {"one pair only", "[S]\nk=\"\"x\"\"\n", "S", "k", "\"x\""},
        {"mismatched quotes stay", "[S]\nk=\"x'\n", "S", "k", "\"x'"},
        {"comment is no key", "[S]\n;k=1\nk=2\n", "S", "k", "2"},
        {"line without equals", "[S]\nk\nk=2\n", "S", "k", "2"},
        {"equals inside value", "[S]\nk=a=b\n", "S", "k", "a=b"},
        {"CRLF", "[S]\r\nk=v\r\nj=w\r\n", "S", "j", "w"},
        {"lone CR", "[S]\rk=v\rj=w", "S", "j", "w"},
        {"no final line end", "[S]\nk=v", "S", "k", "v"},
        {"byte-order mark", "\xEF\xBB\xBF[S]\nk=v\n", "S", "k", "v"},
        {"NUL ends the value", QByteArray("[S]\nk=ab\0cd\n", 12), "S", "k", "ab"},
        {"bytes kept", "[S]\nk=\xC0\xFF\n", "S", "k", "\xC0\xFF"},
        {"asked names trimmed", "[S]\nk=v\n", " \tS ", "\tk  ", "v"},
        {"asked and file names trimmed", "[ a b ]\n k k =v\n", " a b ", " k k", "v"},
        {"inner blanks count", "[a b]\nk=v\n", "ab", "k", "<default>"},
        {"keys before the first section", "k=v\n[S]\nk=w\n", "", "k", "v"},
        {"leading section after a byte-order mark", "\xEF\xBB\xBFk=v\n", "", "k", "v"},
        {"leading section ends at the first header", "[S]\nk=w\n", "", "k", "<default>"},
        {"leading section asked with blanks", "k=v\n", "  ", "k", "v"},
        {"unclosed header keeps the section before", "[S]\nj=1\n[abc\nk=v\n", "S", "k", "v"},
        {"unclosed header names no section", "[S]\n[abc\nk=v\n", "abc", "k", "<default>"},
        {"unclosed header with equals is a key", "[S]\n[abc=1\n", "S", "[abc", "1"},
        {"empty header ends the section before", "[S]\n[]\nk=v\n", "S", "k", "<default>"},
        {"empty header is not the leading section", "[]\nk=v\n", "", "k", "<default>"},
        {"blank header is empty", "j=1\n[  ]\nk=v\n", "", "k", "<default>"},
    };
    for (const ReadCase &c : cases) {
        SCOPED_TRACE(c.name);
        put(c.file);
        EXPECT_EQ(read(c.section, c.key), c.value);
    }
}

TEST_F(ProfileTest, MissingFileGivesDefaults) {
    const Profile profile(path());
    EXPECT_EQ(profile.readString("S", "k", "d"), "d");
    EXPECT_EQ(profile.readInteger("S", "k", 7, decimalRule), 7);
    EXPECT_TRUE(profile.readSectionNames().isEmpty());
}

TEST_F(ProfileTest, ReadsIntegersThroughTheGivenRule) {
    put("[S]\na= 42 \nb=x\nc=\"12\"\n");
    const Profile profile(path());
    EXPECT_EQ(profile.readInteger("S", "a", 7, decimalRule), 42);
    EXPECT_EQ(profile.readInteger("S", "b", 7, decimalRule), 7);
    EXPECT_EQ(profile.readInteger("S", "c", 7, decimalRule), 12);
    EXPECT_EQ(profile.readInteger("S", "missing", 7, decimalRule), 7);
}

TEST_F(ProfileTest, ReadsLongValuesWhole) {
    const QByteArray value(3000, 'x');
    put("[S]\nk=" + value + "\n");
    EXPECT_EQ(read("S", "k"), value);
}

TEST_F(ProfileTest, ListsSectionNamesInFileOrder) {
    put("k=0\n[B]\n;[X]\n[a]\n [ B ]\nj=[C]\n[]\n[ ]\n[open\n[c]\n");
    EXPECT_EQ(Profile(path()).readSectionNames(), (QList<QByteArray>{"B", "a", "B", "c"}));
}

struct WriteCase {
    const char *name;
    QByteArray before;
    QByteArray section;
    QByteArray key;
    QByteArray value;
    QByteArray after;
};

TEST_F(ProfileTest, WritesInPlaceOrAtTheEndOfTheSection) {
    const std::vector<WriteCase> cases = {
        {"replaces in place", "; top\r\n[S]\r\n  K = old \r\nj=1\r\n", "s", "k", " new",
         "; top\r\n[S]\r\nk= new\r\nj=1\r\n"},
        {"first matching key", "[S]\nk=1\nk=2\n", "S", "K", "3", "[S]\nK=3\nk=2\n"},
        {"new key before blank lines and the next header", "[S]\na=1\n\n  \n[T]\nb=2\n", "S", "c",
         "3", "[S]\na=1\nc=3\n\n  \n[T]\nb=2\n"},
        {"new key into an empty section", "[S]\n\n[T]\n", "S", "c", "3", "[S]\nc=3\n\n[T]\n"},
        {"new key in the last section without line end", "[S]\na=1", "S", "c", "3",
         "[S]\na=1\nc=3\n"},
        {"new section at the end", "[S]\r\na=1\r\n\r\n", "T", "b", "2",
         "[S]\r\na=1\r\n\r\n[T]\r\nb=2\r\n"},
        {"new section after an unterminated line", "[S]\na=1", "T", "b", "2",
         "[S]\na=1\n[T]\nb=2\n"},
        {"lone CR file", "[S]\ra=1\r", "T", "b", "2", "[S]\ra=1\r[T]\rb=2\r"},
        {"byte-order mark kept", "\xEF\xBB\xBF[S]\na=1\n", "S", "a", "2", "\xEF\xBB\xBF[S]\na=2\n"},
        {"empty file", "", "S", "a", "1", "[S]\r\na=1\r\n"},
        {"bytes kept", "[S]\n\xC0=\xE0\n", "S", "a", "\xFF", "[S]\n\xC0=\xE0\na=\xFF\n"},
        {"names with blanks find the section and key", "[S]\nk=1\n", " s ", " K\t", "2",
         "[S]\nK=2\n"},
        {"a new section and key are written trimmed", "[S]\nk=1\n", " T ", " b ", " 2",
         "[S]\nk=1\n[T]\nb= 2\n"},
        {"leading section", "; top\nk=1\n\n[S]\n", "", "j", "2", "; top\nk=1\nj=2\n\n[S]\n"},
        {"empty leading section", "[S]\nk=1\n", "", "j", "2", "j=2\n[S]\nk=1\n"},
        {"empty leading section after a byte-order mark", "\xEF\xBB\xBF[S]\n", "", "j", "2",
         "\xEF\xBB\xBFj=2\n[S]\n"},
        {"unclosed header stays in its section", "[S]\n[abc\n", "S", "k", "1", "[S]\n[abc\nk=1\n"},
        {"an empty header is no match", "[]\nk=1\n", "", "k", "2", "k=2\n[]\nk=1\n"},
    };
    for (const WriteCase &c : cases) {
        SCOPED_TRACE(c.name);
        put(c.before);
        Profile(path()).writeString(c.section, c.key, c.value);
        EXPECT_EQ(contents(), c.after);
    }
}

TEST_F(ProfileTest, CreatesAMissingFileWithCrlf) {
    Profile profile(path("new.ini"));
    profile.writeString("S", "a", "1");
    profile.writeString("T", "b", "2");
    profile.writeString("S", "c", "3");
    EXPECT_EQ(contents("new.ini"), "[S]\r\na=1\r\nc=3\r\n[T]\r\nb=2\r\n");
    EXPECT_EQ(profile.readString("S", "c", ""), "3");
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"new.ini"});
}

TEST_F(ProfileTest, WritesThroughASymbolicLink) {
    put("[S]\nk=1\n", "target.ini");
    ASSERT_TRUE(QFile::link(path("target.ini"), path("link.ini")));
    Profile(path("link.ini")).writeString("S", "k", "2");
    EXPECT_TRUE(QFileInfo(path("link.ini")).isSymLink());
    EXPECT_EQ(contents("target.ini"), "[S]\nk=2\n");
}

TEST_F(ProfileTest, WritesSeveralEntriesAsOneWriteOrNone) {
    put("[S]\nk=1\n");
    Profile profile(path());
    profile.writeStrings({{"T", "a", "1"}, {"S", "k", "2"}, {"T", "b", "2"}, {"t", "A", "3"}});
    EXPECT_EQ(contents(), "[S]\nk=2\n[T]\nA=3\nb=2\n");

    EXPECT_THROW(profile.writeStrings({{"S", "k", "3"}, {"S", "j", "x\r\ny"}}), ProfileWriteError);
    EXPECT_EQ(contents(), "[S]\nk=2\n[T]\nA=3\nb=2\n");
}

TEST_F(ProfileTest, ErasesTheFirstMatchingSection) {
    put("; head\n[A]\na=1\n; note\n\n[b]\nb=2\n[A]\na=3\n");
    Profile profile(path());
    profile.eraseSection("a");
    EXPECT_EQ(contents(), "; head\n[b]\nb=2\n[A]\na=3\n");
    profile.eraseSection("A");
    EXPECT_EQ(contents(), "; head\n[b]\nb=2\n");
    profile.eraseSection("missing");
    EXPECT_EQ(contents(), "; head\n[b]\nb=2\n");
    profile.eraseSection("B");
    EXPECT_EQ(contents(), "; head\n");
}

TEST_F(ProfileTest, ErasesSectionsByTrimmedNameAndTheLeadingSection) {
    put("; head\nk=0\n[A]\na=1\n[]\nb=2\n");
    Profile profile(path());
    profile.eraseSection(" a ");
    EXPECT_EQ(contents(), "; head\nk=0\n[]\nb=2\n");
    profile.eraseSection("");
    EXPECT_EQ(contents(), "[]\nb=2\n");
}

TEST_F(ProfileTest, AValueWrittenWithBlankNamesReadsBack) {
    Profile profile(path());
    profile.writeString(" s ", " k ", "1");
    profile.writeString("s", "k", "2");
    profile.writeString(" s ", "j", "3");
    EXPECT_EQ(contents(), "[s]\r\nk=2\r\nj=3\r\n");
    EXPECT_EQ(profile.readString(" s ", " k ", ""), "2");
    EXPECT_EQ(profile.readSectionNames(), QList<QByteArray>{"s"});
}

TEST_F(ProfileTest, ErasingInAMissingFileCreatesNothing) {
    Profile(path("none.ini")).eraseSection("S");
    EXPECT_FALSE(QFile::exists(path("none.ini")));
}

TEST_F(ProfileTest, FailedWriteRaisesAndWritesNothing) {
    const QString missing = m_dir.filePath("gone/test.ini");
    Profile profile(missing);
    try {
        profile.writeString("S", "k", "v");
        FAIL() << "no error raised";
    } catch (const ProfileWriteError &error) {
        EXPECT_EQ(error.message(), "Unable to write to " + missing);
        EXPECT_EQ(QString::fromStdString(error.what()), "Unable to write to " + missing);
        EXPECT_EQ(error.path(), missing);
    }
    EXPECT_FALSE(QDir(m_dir.filePath("gone")).exists());
}

TEST_F(ProfileTest, ReadOnlyFileIsLeftWhole) {
    put("[S]\nk=1\n");
    ASSERT_TRUE(QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    EXPECT_THROW(Profile(path()).writeString("S", "k", "2"), ProfileWriteError);
    EXPECT_EQ(contents(), "[S]\nk=1\n");
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"test.ini"});
}

TEST_F(ProfileTest, LineBreaksAreRefused) {
    put("[S]\nk=1\n");
    Profile profile(path());
    EXPECT_THROW(profile.writeString("S", "k", "a\nb"), ProfileWriteError);
    EXPECT_THROW(profile.writeString("S", "k", "a\rb"), ProfileWriteError);
    EXPECT_THROW(profile.writeString("S", "k\n", "1"), ProfileWriteError);
    EXPECT_THROW(profile.writeString("S]\r\n[T", "k", "1"), ProfileWriteError);
    EXPECT_EQ(contents(), "[S]\nk=1\n");
}

TEST_F(ProfileTest, KeepsTheFilePermissions) {
    put("[S]\nk=1\n");
    const QFileDevice::Permissions mode =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(path(), mode));
    Profile(path()).writeString("S", "k", "2");
    constexpr int kNotUserBits = 0xF0FF; // the "User" bits depend on who runs the test
    EXPECT_EQ(QFile::permissions(path()) & kNotUserBits, mode);
}

} // namespace
