#include "console/link/srvmessage.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::vector<uint8_t> bytesOf(const QByteArray &bytes) {
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

// Expected bytes written as big-endian words, so a table row reads like the wire layout.
std::vector<uint8_t> wire(std::initializer_list<int> words) {
    std::vector<uint8_t> bytes;
    for (const int w : words) {
        bytes.push_back(static_cast<uint8_t>((w >> 8) & 0xFF));
        bytes.push_back(static_cast<uint8_t>(w & 0xFF));
    }
    return bytes;
}

std::vector<WireAddress> racks(int n) {
    std::vector<WireAddress> list;
    for (int i = 0; i < n; ++i)
        list.push_back({127, 0, 10, static_cast<int16_t>(i + 1)});
    return list;
}

struct BuilderCase {
    const char *name;
    QByteArray built;
    std::vector<uint8_t> expected;
};

TEST(SrvMessageBuilders, WriteTheExactBytes) {
    const WireAddress rack{127, 0, 10, 200};
    AlarmWireRecord limit;
    limit.address = rack;
    limit.slot = 3;
    limit.reg = 12;
    limit.kind = 1;
    limit.lower = -50;
    limit.upper = 400;
    limit.alarmSet = 1;
    limit.snmp = 0;
    limit.alarmIndex = 5;
    limit.moduleId = 0xA1B2C3D4;
    AlarmWireRecord other = limit;
    other.kind = 2;
    other.lower = 0;
    other.upper = 0;
    other.value = 7;
    other.alarmSet = 0;
    other.snmp = 1;
    other.alarmIndex = 0;
    other.moduleId = 0x0000012C;

    const QDateTime from(QDate(2026, 11, 10), QTime(9, 26, 5));
    const QDateTime to(QDate(2026, 12, 10), QTime(23, 59, 59));

    const std::vector<BuilderCase> cases = {
        {"10 hello", buildHello(), {0x00, 0x01, 0x00, 0x0A}},
        {"130 pulse", buildPulse(), {0x00, 0x01, 0x00, 0x82}},
        {"120 no racks", buildRackSelection({}).value(), wire({2, 120, 0})},
        {"120 two racks", buildRackSelection(racks(2)).value(),
         wire({10, 120, 2, 127, 0, 10, 1, 127, 0, 10, 2})},
        {"50 set register",
         buildSetRegister(rack, 16, 255, -2),
         {0x00, 0x08, 0x00, 0x32, 0x00, 0x7F, 0x00, 0x00, 0x00, 0x0A, 0x00, 0xC8, 0x00, 0x10, 0x00,
          0xFF, 0xFF, 0xFE}},
        {"70 limit pair", buildAlarmSetting(limit),
         wire(
             {19, 70, 1, 127, 0, 10, 200, 3, 12, 1, -50, 400, 0, 1, 0, 5, 0xA1, 0xB2, 0xC3, 0xD4})},
        {"70 other kind", buildAlarmSetting(other),
         wire({19, 70, 1, 127, 0, 10, 200, 3, 12, 2, 0, 0, 7, 0, 1, 0, 0, 0, 1, 0x2C})},
        {"140 log request", buildLogRequest(from, to),
         wire({13, 140, 2026, 11, 10, 9, 26, 5, 2026, 12, 10, 23, 59, 59})},
        {"160 empty name", buildRackRename(rack, u"").value(), wire({6, 160, 127, 0, 10, 200, 0})},
        {"160 cyrillic sign-extended",
         buildRackRename(rack, QString::fromUtf8("Ая1")).value(),
         {0x00, 0x09, 0x00, 0xA0, 0x00, 0x7F, 0x00, 0x00, 0x00, 0x0A,
          0x00, 0xC8, 0x00, 0x03, 0xFF, 0xC0, 0xFF, 0xFF, 0x00, 0x31}},
    };
    for (const BuilderCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(bytesOf(c.built), c.expected);
    }
}

TEST(SrvMessageBuilders, RackSelectionOfFortyRacksFillsOneSlotExactly) {
    const auto all = racks(MAX_SELECTED_RACKS);
    const std::optional<QByteArray> built = buildRackSelection(all);
    ASSERT_TRUE(built);
    ASSERT_EQ(built->size(), NUM_MSG_TO_SRV_BYTES);
    const std::vector<uint8_t> bytes = bytesOf(*built);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 6), wire({162, 120, 40}));
    EXPECT_EQ(std::vector<uint8_t>(bytes.end() - 8, bytes.end()), wire({127, 0, 10, 40}));
}

TEST(SrvMessageBuilders, RefuseWhatWouldOverflowASlot) {
    EXPECT_FALSE(buildRackSelection(racks(MAX_SELECTED_RACKS + 1)));
    const WireAddress rack{127, 0, 10, 1};
    const QString fifty(MAX_RACK_NAME_LENGTH, QChar(u'Ж'));
    const std::optional<QByteArray> longest = buildRackRename(rack, fifty);
    ASSERT_TRUE(longest);
    EXPECT_EQ(longest->size(), 2 * MAX_RACK_NAME_LENGTH + 14);
    EXPECT_FALSE(buildRackRename(rack, fifty + u'x'));
}

TEST(SrvMessageConverters, WordsToBytesAndBack) {
    const int16_t words[] = {0, 1, -1, -32768, 32767, 0x1234, -2, 255, 256};
    const uint8_t expected[] = {0x00, 0x00, 0x00, 0x01, 0xFF, 0xFF, 0x80, 0x00, 0x7F,
                                0xFF, 0x12, 0x34, 0xFF, 0xFE, 0x00, 0xFF, 0x01, 0x00};
    constexpr int n = std::size(words);
    char bytes[2 * n];
    ConvertShortToByteBuffer(words, n, bytes, 2 * n);
    EXPECT_EQ(std::memcmp(bytes, expected, sizeof expected), 0);

    int16_t back[n];
    ConvertByteToShortBuffer(bytes, 2 * n, back, n);
    EXPECT_TRUE(std::equal(std::begin(words), std::end(words), std::begin(back)));
}

TEST(SrvMessageConverters, FromTheWireFFFFIsMinusOneAnd8000IsMinimum) {
    const char bytes[] = {'\xFF', '\xFF', '\x80', '\x00', '\x00', '\x80'};
    int16_t words[3];
    ConvertByteToShortBuffer(bytes, 6, words, 3);
    EXPECT_EQ(words[0], -1);
    EXPECT_EQ(words[1], -32768);
    EXPECT_EQ(words[2], 128);
}

TEST(SrvMessageConverters, PackIpOctetsTakesLowBytesMostSignificantFirst) {
    int16_t w[] = {0x01A1, -78 /* 0xFFB2 */, 0x00C3, 0x00D4, 0, 0, 0x0100, 300};
    uint32_t ids[2] = {};
    packIpOctets(w, ids, 2);
    EXPECT_EQ(ids[0], 0xA1B2C3D4u);
    EXPECT_EQ(ids[1], 0x0000002Cu);
    EXPECT_EQ(w[1], 0xB2);
    EXPECT_EQ(w[6], 0);
}

TEST(SrvMessageConverters, AddressTextLowBytesVersusSignedValues) {
    const WireAddress address{127, 0, 300, -1};
    EXPECT_EQ(lowByteAddressText(address), QStringLiteral("127.0.44.255"));
    EXPECT_EQ(signedAddressText(address), QStringLiteral("127.0.300.-1"));
}

TEST(SrvMessageConvertersDeathTest, SizeMismatchEndsTheProcessWithStatusZero) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    int16_t words[2] = {1, 2};
    char bytes[5] = {};
    EXPECT_EXIT(ConvertShortToByteBuffer(words, 2, bytes, 5), testing::ExitedWithCode(0),
                "ConvertShortToByteBuffer\\(\\) -> invalid buffers size");
    EXPECT_EXIT(ConvertByteToShortBuffer(bytes, 3, words, 2), testing::ExitedWithCode(0),
                "ConvertByteToShortBuffer\\(\\) -> invalid buffers size");
}

} // namespace
