#include "console/link/settingsfile.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QTime>

#include <string>
#include <vector>

namespace {

SettingsFile sampleValues() {
    SettingsFile values;
    values.ip_srv = {127, 0, 12, 3};
    values.ip_srv_text = "127.0.12.3";
    values.port_srv_text = "4500";
    values.port_srv = 4500;
    values.settingFileName = "/home/op/settings.txt";
    values.lastTime = QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7));
    values.logFilterOnOff = "1";
    values.logSelectFilter = "1010";
    values.logDateTime = "01/02/2026 00:00:00;04/03/2026 05:06:07;";
    values.logEventType = "1100";
    values.logIPs = "127.0.0.5,1;127.0.0.6,0;";
    values.logSlots = "10000000000000001";
    return values;
}

// Sixteen lines built from the given ones, the rest empty, each ended by eol.
QByteArray fileOf(const std::vector<std::string> &lines, const char *eol = "\n") {
    QByteArray bytes;
    for (const std::string &line : lines)
        bytes += QByteArray::fromStdString(line) + eol;
    return bytes;
}

void expectSameValues(const SettingsFile &a, const SettingsFile &b) {
    EXPECT_EQ(a.ip_srv, b.ip_srv);
    EXPECT_EQ(a.ip_srv_text, b.ip_srv_text);
    EXPECT_EQ(a.port_srv_text, b.port_srv_text);
    EXPECT_EQ(a.port_srv, b.port_srv);
    EXPECT_EQ(a.lastTime, b.lastTime);
    EXPECT_EQ(a.logFilterOnOff, b.logFilterOnOff);
    EXPECT_EQ(a.logSelectFilter, b.logSelectFilter);
    EXPECT_EQ(a.logDateTime, b.logDateTime);
    EXPECT_EQ(a.logEventType, b.logEventType);
    EXPECT_EQ(a.logIPs, b.logIPs);
    EXPECT_EQ(a.logSlots, b.logSlots);
}

TEST(SettingsFileWrite, WritesSixteenLfLinesWithValuesAtTheirColumns) {
    const QByteArray expected = "[SETTINGS FILE]\n"
                                "\n"
                                "IP_SRV:        127.0.12.3\n"
                                "PORT_SRV:      4500\n"
                                "\n"
                                "\n"
                                "\n"
                                "SET_FILE:      /home/op/settings.txt\n"
                                "LAST_TIME:     04/03/2026 05:06:07\n"
                                "\n"
                                "LOG_FILTER_ON_OFF: 1\n"
                                "LOG_SELECT_FILTER: 1010\n"
                                "LOG_DATE_TIME: 01/02/2026 00:00:00;04/03/2026 05:06:07;\n"
                                "LOG_EVENT_TYPE: 1100\n"
                                "LOG_IPs: 127.0.0.5,1;127.0.0.6,0;\n"
                                "LOG_SLOTs: 10000000000000001\n";
    EXPECT_EQ(formatSettingsFile(sampleValues()), expected);
}

TEST(SettingsFileWrite, EmptySettingsWriteZeroAddressAndEmptyValues) {
    const QByteArray expected = "[SETTINGS FILE]\n\nIP_SRV:        0.0.0.0\nPORT_SRV:      \n\n\n\n"
                                "SET_FILE:      \nLAST_TIME:     \n\nLOG_FILTER_ON_OFF: \n"
                                "LOG_SELECT_FILTER: \nLOG_DATE_TIME: \nLOG_EVENT_TYPE: \n"
                                "LOG_IPs: \nLOG_SLOTs: \n";
    EXPECT_EQ(formatSettingsFile(SettingsFile{}), expected);
}

TEST(SettingsFileWrite, AddressLineHoldsTheAddressAsReadAndTheOctetsOnlyWithoutOne) {
    const struct {
        const char *text;
        std::array<std::uint8_t, 4> octets;
        const char *line;
    } cases[] = {
        {"127.0.0.300", {127, 0, 0, 44}, "IP_SRV:        127.0.0.300\n"},
        {"127.0.1", {127, 0, 1, 0}, "IP_SRV:        127.0.1\n"},
        {"127.0.0.9", {127, 0, 0, 9}, "IP_SRV:        127.0.0.9\n"},
        {"", {127, 0, 0, 9}, "IP_SRV:        127.0.0.9\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        SettingsFile values;
        values.ip_srv_text = QString::fromLatin1(c.text);
        values.ip_srv = c.octets;
        const QByteArray bytes = formatSettingsFile(values);
        EXPECT_TRUE(bytes.contains(c.line)) << bytes.toStdString();
        if (*c.text) {
            SettingsFile back;
            parseSettingsFile(bytes, back);
            EXPECT_EQ(back.ip_srv_text, values.ip_srv_text) << "the next start reads it again";
            EXPECT_EQ(back.ip_srv, c.octets);
        }
    }
}

TEST(SettingsFileWrite, TextsAreWindows1251) {
    SettingsFile values;
    values.settingFileName = QString::fromUtf8("/дом/файл");
    values.logIPs = QString::fromUtf8("стойка€");
    const QByteArray bytes = formatSettingsFile(values);
    EXPECT_TRUE(bytes.contains("SET_FILE:      /\xE4\xEE\xEC/\xF4\xE0\xE9\xEB\n"));
    EXPECT_TRUE(bytes.contains("LOG_IPs: \xF1\xF2\xEE\xE9\xEA\xE0\x88\n"));

    SettingsFile back;
    parseSettingsFile(bytes, back);
    EXPECT_EQ(back.logIPs, values.logIPs);
}

TEST(SettingsFileRead, WrittenFileReadsBackTheSame) {
    const SettingsFile values = sampleValues();
    SettingsFile back;
    parseSettingsFile(formatSettingsFile(values), back);
    expectSameValues(back, values);
}

TEST(SettingsFileRead, CrLfReadsLikeLf) {
    const SettingsFile values = sampleValues();
    QByteArray crlf = formatSettingsFile(values);
    crlf.replace("\n", "\r\n");
    SettingsFile back;
    parseSettingsFile(crlf, back);
    expectSameValues(back, values);
}

struct ReadCase {
    const char *name;
    std::vector<std::string> lines;
    const char *ipText;
    std::array<std::uint8_t, 4> ip;
    const char *portText;
    int port;
    const char *logIPs;
};

TEST(SettingsFileRead, ValuesComeFromTheirFixedColumns) {
    const std::vector<ReadCase> cases = {
        {"values at their columns",
         {"[SETTINGS FILE]", "", "IP_SRV:        127.0.0.9", "PORT_SRV:      4100"},
         "127.0.0.9",
         {127, 0, 0, 9},
         "4100",
         4100,
         "old"},
        {"an octet of 300 stores 44, the address stays as read",
         {"IP_SRV:        127.0.0.300"},
         "127.0.0.300",
         {127, 0, 0, 44},
         "",
         0,
         "old"},
        {"three octets stay as read",
         {"IP_SRV:        127.0.1"},
         "127.0.1",
         {127, 0, 1, 0},
         "",
         0,
         "old"},
        {"leading zeros and a fifth field stay as read",
         {"IP_SRV:        127.000.010.2.7"},
         "127.000.010.2.7",
         {127, 0, 10, 2},
         "",
         0,
         "old"},
        {"value starting before its column loses its head",
         {"IP_SRV: 127.0.0.5", "PORT_SRV: 4100", "LOG_IPs:127.0.0.5,1;"},
         ".5",
         {0, 5, 0, 0},
         "",
         0,
         "27.0.0.5,1;"},
        {"key anywhere in its line, value still at its column",
         {"  IP_SRV:      127.0.0.4", "xxPORT_SRV:    4200.5"},
         "127.0.0.4",
         {127, 0, 0, 4},
         "4200",
         4200,
         "old"},
        {"one line holding two keys",
         {"LOG_IPs: 127.0.0.1,1;PORT_SRV:"},
         "",
         {1, 2, 3, 4},
         "0",
         0,
         "127.0.0.1,1;PORT_SRV:"},
        {"port that is no number", {"PORT_SRV:      abc"}, "", {1, 2, 3, 4}, "abc", 0, "old"},
        {"key on line 17 is ignored",
         {"", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "",
          "IP_SRV:        127.0.0.8"},
         "",
         {1, 2, 3, 4},
         "",
         0,
         "old"},
        {"key on line 16 is read",
         {"", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "IP_SRV:        127.0.0.8"},
         "127.0.0.8",
         {127, 0, 0, 8},
         "",
         0,
         "old"},
    };
    for (const ReadCase &c : cases) {
        SCOPED_TRACE(c.name);
        SettingsFile values;
        values.ip_srv = {1, 2, 3, 4};
        values.logIPs = "old";
        parseSettingsFile(fileOf(c.lines), values);
        EXPECT_EQ(values.ip_srv_text, QString::fromLatin1(c.ipText));
        EXPECT_EQ(values.ip_srv, c.ip);
        EXPECT_EQ(values.port_srv_text, QString::fromLatin1(c.portText));
        EXPECT_EQ(values.port_srv, c.port);
        EXPECT_EQ(values.logIPs, QString::fromLatin1(c.logIPs));
    }
}

TEST(SettingsFileRead, LastTimeParsedOrInvalid) {
    const struct {
        const char *line;
        bool valid;
    } cases[] = {
        {"LAST_TIME:     04/03/2026 05:06:07", true},
        {"LAST_TIME:     2026-03-04 05:06:07", false},
        {"LAST_TIME:     31/02/2026 05:06:07", false},
        {"LAST_TIME:     ", false},
        {"no time line", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line);
        SettingsFile values = sampleValues();
        parseSettingsFile(fileOf({c.line}), values);
        EXPECT_EQ(values.lastTime.isValid(), c.valid);
        if (c.valid) {
            EXPECT_EQ(values.lastTime, QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)));
        }
    }
}

TEST(SettingsFileRead, MissingFileKeepsTheOtherSettings) {
    const SettingsFile before = sampleValues();
    SettingsFile values = before;
    parseSettingsFile(QByteArrayView(), values);
    EXPECT_FALSE(values.lastTime.isValid());
    values.lastTime = before.lastTime;
    expectSameValues(values, before);
}

TEST(SettingsFileRead, FoundLogKeyEmptiesItsValue) {
    SettingsFile values = sampleValues();
    parseSettingsFile(fileOf({"LOG_SLOTs:", "LOG_EVENT_TYPE: "}), values);
    EXPECT_EQ(values.logSlots, "");
    EXPECT_EQ(values.logEventType, "");
    EXPECT_EQ(values.logFilterOnOff, "1");
}

} // namespace
