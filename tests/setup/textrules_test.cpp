#include "setup/textrules.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase {
    QString text;
    QStringList items;
};

TEST(SplitDelimitedList, CutsItemsByTheListRule) {
    const std::vector<SplitCase> cases = {
        {"a,b,,c,", {"a", "b", "", "c", ""}},
        {"a, ", {"a"}},
        {",a", {"", "a"}},
        {"  a ,  b  ", {"a", "b"}},
        {"a b,c", {"a", "b", "c"}},
        {"\t\r\na\n,\x01"
         "b",
         {"a", "b"}},
        {"", {}},
        {"   ", {}},
        {",", {"", ""}},
        {"\"a, b\",c", {"a, b", "c"}},
        {"\"say \"\"hi\"\"\",x", {"say \"hi\"", "x"}},
        {"\"\",x", {"", "x"}},
        {"\"open", {"open"}},
        {"\"ab\"cd,e", {"ab", "cd", "e"}},
    };
    for (const SplitCase &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(SplitDelimitedList(c.text, u','), c.items);
    }
}

TEST(SplitDelimitedList, NulEndsTheText) {
    const QString text = QString("a,b") + QChar(0) + QString(",c");
    EXPECT_EQ(SplitDelimitedList(text, u','), (QStringList{"a", "b"}));
    EXPECT_EQ(SplitDelimitedList(QString(QChar(0)), u','), QStringList{});
    const QString afterDelimiter = QString("a,") + QChar(0) + QString("b");
    EXPECT_EQ(SplitDelimitedList(afterDelimiter, u','), (QStringList{"a", ""}));
}

struct IntegerCase {
    QString text;
    int value;
};

TEST(IntegerTextValue, ReadsSignedDecimalAndHexadecimal) {
    constexpr int d = -7;
    const std::vector<IntegerCase> cases = {
        {"", d},
        {"  42", 42},
        {"42 ", d},
        {"\t42", d},
        {"+42", 42},
        {"-42", -42},
        {"0042", 42},
        {"$1F", 31},
        {"$1f", 31},
        {"0x1F", 31},
        {"0X1f", 31},
        {"x1F", 31},
        {"X10", 16},
        {"-0x10", -16},
        {"-$10", -16},
        {"$-10", d},
        {"0x", d},
        {"$", d},
        {"-", d},
        {"+", d},
        {"1F", d},
        {"4 2", d},
        {"2147483647", 2147483647},
        {"2147483648", d},
        {"-2147483648", -2147483647 - 1},
        {"-2147483649", d},
        {"$7FFFFFFF", 2147483647},
        {"$80000000", d},
        {"$FFFFFFFF", d},
        {"-$80000000", -2147483647 - 1},
        {"99999999999999999999999", d},
        {QString::fromUtf8("\u0664\u0662"), d},
    };
    for (const IntegerCase &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(IntegerTextValue(c.text, d), c.value);
    }
}

struct NormalizeCase {
    QString text;
    bool valid;
    QString canonical;
};

TEST(NormalizeIpText, AcceptsFourPartsAndWritesThemCanonically) {
    const std::vector<NormalizeCase> cases = {
        {"192.168.000.001", true, "192.168.0.1"},
        {" 192 . 168 . 000 . 001 ", true, "192.168.0.1"},
        {"192 168 0 1", true, "192.168.0.1"},
        {"\t10.0.0.1\r\n", true, "10.0.0.1"},
        {"0x7F.0.0.1", true, "127.0.0.1"},
        {"-0.+1.$A.255", true, "0.1.10.255"},
        {"\"10\".0.0.1", true, "10.0.0.1"},
        {"1.2.3", false, ""},
        {"1.2.3.4.", false, ""},
        {"1.2.3.4.5", false, ""},
        {"1..2.3", false, ""},
        {"256.1.1.1", false, ""},
        {"1.2.3.-1", false, ""},
        {"a.b.c.d", false, ""},
        {"", false, ""},
        {"1.2.3.4x", false, ""},
    };
    for (const NormalizeCase &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        QString text = c.text;
        EXPECT_EQ(NormalizeIpText(text), c.valid);
        EXPECT_EQ(text, c.valid ? c.canonical : c.text);
    }
}

TEST(IpTextToNumber, PutsTheFirstPartMostSignificant) {
    EXPECT_EQ(IpTextToNumber("1.2.3.4"), 0x01020304u);
    EXPECT_EQ(IpTextToNumber("255.255.255.255"), 0xFFFFFFFFu);
    EXPECT_EQ(IpTextToNumber("0.0.0.0"), 0u);
}

struct CompareCase {
    QString a;
    QString b;
    int result;
};

TEST(CompareIpTexts, ComparesUnsignedValues) {
    const std::vector<CompareCase> cases = {
        {"10.0.0.2", "9.255.255.255", 1},
        {"255.255.255.255", "0.0.0.0", 1},
        {"0.0.0.0", "255.255.255.255", -1},
        {"128.0.0.0", "127.255.255.255", 1},
        {"200.1.1.1", "100.1.1.1", 1},
        {"010.0.0.1", "10.0.0.1", 0},
        {"1.2.3.4", "1.2.3.5", -1},
        {"1.2.3.4", "1.2.3", kInvalidIpComparison},
        {"x", "1.2.3.4", kInvalidIpComparison},
    };
    for (const CompareCase &c : cases) {
        SCOPED_TRACE((c.a + " ? " + c.b).toStdString());
        EXPECT_EQ(CompareIpTexts(c.a, c.b), c.result);
    }
}

TEST(CompareIpTexts, LeavesItsArgumentsUnchanged) {
    const QString a = "010.0.0.1";
    const QString b = " 10.0.0.1 ";
    EXPECT_EQ(CompareIpTexts(a, b), 0);
    EXPECT_EQ(a, "010.0.0.1");
    EXPECT_EQ(b, " 10.0.0.1 ");
}

struct EndpointCase {
    QString text;
    bool valid;
    QString address;
    int port;
};

TEST(ParseUdpEndpoint, ReadsAddressAndPortOrGivesTheDefaults) {
    const std::vector<EndpointCase> cases = {
        {"udp:127.0.0.1/1162", true, "127.0.0.1", 1162},
        {"UDP:127.0.0.1/162", true, "127.0.0.1", 162},
        {"  udp: 127.000.0.1 / 162  ", true, "127.0.0.1", 162},
        {"udp:10.0.0.1/99999", true, "10.0.0.1", 99999},
        {"udp:10.0.0.1/0", true, "10.0.0.1", 0},
        {"udp:10.0.0.1", false, "0.0.0.0", 1162},
        {"udp:10.0.0.1/", false, "0.0.0.0", 1162},
        {"udp:1.2.3.4:162", false, "0.0.0.0", 1162},
        {"udp:1.2.3.4/-5", false, "0.0.0.0", 1162},
        {"tcp:1.2.3.4/162", false, "0.0.0.0", 1162},
        {"udp:1.2.3.4/1/2", false, "0.0.0.0", 1162},
        {"udp:300.1.1.1/162", false, "0.0.0.0", 1162},
        {"udp:1.2.3/162", false, "0.0.0.0", 1162},
        {"udp:1.2.3.4/99999999999", false, "0.0.0.0", 1162},
        {"udp:1.2.3.4/\t5", false, "0.0.0.0", 1162},
        {"", false, "0.0.0.0", 1162},
    };
    for (const EndpointCase &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        QString address = "junk";
        int port = -3;
        EXPECT_EQ(ParseUdpEndpoint(c.text, address, port), c.valid);
        EXPECT_EQ(address, c.address);
        EXPECT_EQ(port, c.port);
    }
}

TEST(IpTextToOctets, StoresPartsUpToTheFirstBadOne) {
    std::array<int, 4> octets{9, 9, 9, 9};
    EXPECT_TRUE(IpTextToOctets(" 10.0.0.01 ", octets));
    EXPECT_EQ(octets, (std::array<int, 4>{10, 0, 0, 1}));

    EXPECT_FALSE(IpTextToOctets("10.300.1.1", octets));
    EXPECT_EQ(octets, (std::array<int, 4>{10, 0, 0, 0}));

    EXPECT_FALSE(IpTextToOctets("1.2.3", octets));
    EXPECT_EQ(octets, (std::array<int, 4>{0, 0, 0, 0}));
}

} // namespace
