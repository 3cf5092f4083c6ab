#include "console/link/srvmessage.h"

#include "platform/codec1251.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

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

namespace {

using Words = std::vector<int16_t>;

// A message from its code and body; word 0 is filled in.
struct MessageBuilder {
    Words words{0};

    MessageBuilder &add(std::initializer_list<int> ws) {
        for (const int w : ws)
            words.push_back(static_cast<int16_t>(w));
        return *this;
    }
    // 8-bit text, bytes sign-extended as the console itself sends them.
    MessageBuilder &text8(const QString &text) {
        for (const char c : toWin1251(text))
            words.push_back(static_cast<int16_t>(static_cast<signed char>(c)));
        return *this;
    }
    MessageBuilder &text16(const QString &text) {
        for (const QChar c : text)
            words.push_back(static_cast<int16_t>(c.unicode()));
        return *this;
    }
    Words done() {
        words[0] = static_cast<int16_t>(words.size() - 1);
        return words;
    }
};

MessageBuilder message(int code) {
    MessageBuilder b;
    b.add({code});
    return b;
}

Words logRecordMessage() {
    return message(140)
        .add({10, 12, 2026, 9, 26, 5, 1, 77, 4})
        .text8("NONE")
        .add({127, 0, 10, 300})
        .add({6})
        .text8(QString::fromUtf8("Шасси1"))
        .add({4, 0, 0, 0, 0, 3})
        .text8("PSU")
        .done();
}

Words blockDescriptionText() {
    return MessageBuilder()
        .text8("NAME=PSU-2;DESCRIPTION=")
        .text16(QString::fromUtf8("Блок питания"))
        .text8(";DESCRIPTION_ENG=Power unit;CONTROL_TABLE=#Power,G,R;Gain[0.1](0,100,0);%Mode,A,B;")
        .words;
}

TEST(SrvMessageDecoders, RackStructureTakesLowBytesAndRoundsTheTableDown) {
    const auto m = decodeRackStructure(
        message(20)
            .add({127, 0, 0x010A, 5, 9, 0x01A1, 0xB2, 0xC3, 0xD4, 0, 0, 0, 0x2C, 99})
            .done());
    ASSERT_TRUE(m);
    EXPECT_EQ(lowByteAddressText(m->address), QStringLiteral("127.0.10.5"));
    EXPECT_EQ(m->tableWords, 9);
    ASSERT_EQ(m->moduleCount, 2);
    EXPECT_EQ(m->moduleIds[0], 0xA1B2C3D4u);
    EXPECT_EQ(m->moduleIds[1], 0x2Cu);

    Words seventeen = message(20).add({127, 0, 10, 5, 68}).done();
    seventeen.resize(seventeen.size() + 68, 1);
    seventeen[0] = static_cast<int16_t>(seventeen.size() - 1);
    ASSERT_TRUE(decodeRackStructure(seventeen));
    EXPECT_EQ(decodeRackStructure(seventeen)->moduleCount, MAX_RACK_SLOTS);
    seventeen.resize(seventeen.size() + 4, 1);
    seventeen[6] = 72;
    seventeen[0] = static_cast<int16_t>(seventeen.size() - 1);
    EXPECT_FALSE(decodeRackStructure(seventeen)) << "an 18th id does not fit the rack";
}

TEST(SrvMessageDecoders, RegisterValuesAreAViewOfTheRawWords) {
    const Words words = message(30).add({127, 0, 10, 5, 3, 3, 0x00FF, -1, 0x2000}).done();
    const auto m = decodeRegisterValues(words);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->slot, 3);
    EXPECT_EQ(Words(m->values.begin(), m->values.end()), (Words{0x00FF, -1, 0x2000}));
}

TEST(SrvMessageDecoders, BlockDescriptionSplitsIntoItsSections) {
    const Words text = blockDescriptionText();
    const Words words = message(40).add({127, 0, 10, 5, 16, int(text.size())}).done();
    Words full = words;
    full.insert(full.end(), text.begin(), text.end());
    full[0] = static_cast<int16_t>(full.size() - 1);
    const auto m = decodeBlockDescription(full);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->slot, 16);
    const BlockDescriptionText sections = splitBlockDescription(m->text);
    EXPECT_EQ(sections.name, QStringLiteral("PSU-2"));
    // U+043B has the low byte ';': the description is still cut by position, whole.
    EXPECT_EQ(sections.description, QString::fromUtf8("Блок питания"));
    EXPECT_EQ(sections.descriptionEng, QStringLiteral("Power unit"));
    EXPECT_EQ(sections.controlTable,
              (QStringList{"#Power,G,R", "Gain[0.1](0,100,0)", "%Mode,A,B"}));
}

TEST(SrvMessageDecoders, BlockDescriptionTextOddities) {
    struct Case {
        const char *name;
        Words text;
        BlockDescriptionText expected;
    };
    const std::vector<Case> cases = {
        {"cyrillic 8-bit name, high byte ignored",
         MessageBuilder().text8(QString::fromUtf8("NAME=Блок;")).words,
         {QString::fromUtf8("Блок"), {}, {}, {}}},
        {"no description end", MessageBuilder().text8("DESCRIPTION=abc;").words, {}},
        {"empty text", {}, {}},
        {"unterminated last line dropped",
         MessageBuilder().text8("CONTROL_TABLE=a;;b").words,
         {{}, {}, {}, {"a", ""}}},
        {"a key inside a control-table line is part of the line",
         MessageBuilder().text8("NAME=PSU;CONTROL_TABLE=Gain;SOURCE_NAME=X7;NAME=;Mode;").words,
         {QStringLiteral("PSU"), {}, {}, {"Gain", "SOURCE_NAME=X7", "NAME=", "Mode"}}},
        {"every key after the control table's is line text",
         MessageBuilder()
             .text8("CONTROL_TABLE=a;DESCRIPTION=b;DESCRIPTION_ENG=c;CONTROL_TABLE=d;")
             .words,
         {{}, {}, {}, {"a", "DESCRIPTION=b", "DESCRIPTION_ENG=c", "CONTROL_TABLE=d"}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const BlockDescriptionText got = splitBlockDescription(c.text);
        EXPECT_EQ(got.name, c.expected.name);
        EXPECT_EQ(got.description, c.expected.description);
        EXPECT_EQ(got.descriptionEng, c.expected.descriptionEng);
        EXPECT_EQ(got.controlTable, c.expected.controlTable);
    }
}

TEST(SrvMessageDecoders, AlarmSettingsRecordsAndEvents) {
    const auto settings = decodeAlarmSettings(
        message(80)
            .add({2})
            .add({127, 0, 10, 300, 3, 12, 1, -50, 400, 0, 1, 0, 5, 0x1A1, 0xB2, 0xC3, 0xD4})
            .add({127, 0, 10, 5, -1, 0, 2, 0, 0, 7, 0, 1, 0, 0, 0, 1, 0x2C})
            .done());
    ASSERT_TRUE(settings);
    ASSERT_EQ(settings->size(), 2u);
    const AlarmWireRecord &first = (*settings)[0];
    EXPECT_EQ(signedAddressText(first.address), QStringLiteral("127.0.10.300"));
    EXPECT_EQ(first.slot, 3);
    EXPECT_EQ(first.reg, 12);
    EXPECT_EQ(first.kind, 1);
    EXPECT_EQ(first.lower, -50);
    EXPECT_EQ(first.upper, 400);
    EXPECT_EQ(first.alarmSet, 1);
    EXPECT_EQ(first.snmp, 0);
    EXPECT_EQ(first.alarmIndex, 5);
    EXPECT_EQ(first.moduleId, 0xA1B2C3D4u);
    EXPECT_EQ((*settings)[1].slot, -1);
    EXPECT_EQ((*settings)[1].value, 7);

    // The alarm-setting message the console sends carries the same record.
    const QByteArray sent = buildAlarmSetting(first);
    Words sentWords(std::size_t(sent.size() / 2));
    ConvertByteToShortBuffer(sent.data(), int(sent.size()), sentWords.data(),
                             int(sentWords.size()));
    sentWords[1] = 80;
    const auto echoed = decodeAlarmSettings(sentWords);
    ASSERT_TRUE(echoed);
    EXPECT_EQ((*echoed)[0].moduleId, first.moduleId);
    EXPECT_EQ((*echoed)[0].lower, first.lower);

    for (const int code : {90, 91}) {
        SCOPED_TRACE(code);
        const auto event = decodeAlarmEvent(
            message(code).add({127, 0, 10, 5, 4, 9, 1, 2, 3, 4, 2, 0, 0, 1, 0x2C}).done());
        ASSERT_TRUE(event);
        EXPECT_EQ(event->raised, code == 90);
        EXPECT_EQ(event->slot, 4);
        EXPECT_EQ(event->reg, 9);
        EXPECT_EQ(event->alarmIndex, 2);
        EXPECT_EQ(event->moduleId, 0x12Cu);
    }
    EXPECT_FALSE(decodeAlarmEvent(
        message(92).add({127, 0, 10, 5, 4, 9, 1, 2, 3, 4, 2, 0, 0, 1, 0x2C}).done()));
}

TEST(SrvMessageDecoders, AlarmInitFileNameAndContent) {
    const QString name = QStringLiteral("000A1B2C_A.txt");
    const auto m = decodeAlarmInitFiles(message(100)
                                            .add({1, int(name.size()) + 1, 0})
                                            .text8(name)
                                            .add({0, 11})
                                            .text8("INPUT;0;D;1;")
                                            .done());
    ASSERT_TRUE(m);
    EXPECT_EQ(m->fileCount, 1);
    EXPECT_EQ(m->fileName, name);
    EXPECT_EQ(m->file.content, QByteArray("INPUT;0;D;1"));

    const auto none = decodeAlarmInitFiles(message(100).add({0}).done());
    ASSERT_TRUE(none);
    EXPECT_FALSE(none->fileName);
    EXPECT_FALSE(decodeAlarmInitFiles(message(100).add({-1}).done()));
}

TEST(SrvMessageDecoders, AddressListsKeepTheSignedWords) {
    const Words list = message(110).add({2, 127, 0, 10, 300, 127, 0, 10, -1}).done();
    const auto all = decodeAlarmReset(list);
    ASSERT_TRUE(all);
    ASSERT_EQ(all->size(), 2u);
    EXPECT_EQ(signedAddressText((*all)[0]), QStringLiteral("127.0.10.300"));
    EXPECT_EQ(signedAddressText((*all)[1]), QStringLiteral("127.0.10.-1"));
    EXPECT_FALSE(decodeRackSelection(list)) << "code 110 is not a rack selection";

    const QByteArray sent = buildRackSelection(*all).value();
    Words selection(std::size_t(sent.size() / 2));
    ConvertByteToShortBuffer(sent.data(), int(sent.size()), selection.data(),
                             int(selection.size()));
    EXPECT_EQ(decodeRackSelection(selection), all);
}

TEST(SrvMessageDecoders, PulseAnswer) {
    EXPECT_TRUE(decodePulseAnswer(Words{1, 130}));
    EXPECT_FALSE(decodePulseAnswer(Words{1, 131}));
    EXPECT_FALSE(decodePulseAnswer(Words{2, 130}));
    EXPECT_FALSE(decodePulseAnswer(Words{130}));
}

TEST(SrvMessageDecoders, LogRecordFieldsInWireOrder) {
    const auto r = decodeLogRecord(logRecordMessage());
    ASSERT_TRUE(r);
    EXPECT_EQ(r->day, 10);
    EXPECT_EQ(r->month, 12);
    EXPECT_EQ(r->year, 2026);
    EXPECT_EQ(r->hour, 9);
    EXPECT_EQ(r->minute, 26);
    EXPECT_EQ(r->second, 5);
    EXPECT_EQ(r->eventType, 1);
    EXPECT_EQ(r->extra, 77);
    EXPECT_EQ(r->alarmTextLength, 4);
    EXPECT_EQ(r->alarmText, QString()) << "NONE stands for an empty text";
    EXPECT_EQ(signedAddressText(r->address), QStringLiteral("127.0.10.300"));
    EXPECT_EQ(r->frameText, QString::fromUtf8("Шасси1"));
    EXPECT_EQ(r->slot, 4);
    EXPECT_EQ(r->moduleName, QStringLiteral("PSU"));
}

TEST(SrvMessageDecoders, RackNamesSkipTheFirstWordOfEachName) {
    const auto names = decodeRackNames(message(161)
                                           .add({3})
                                           .add({127, 0, 10, 5, 5, 0x7777})
                                           .text16(QString::fromUtf8("Юг-1"))
                                           .add({127, 0, 10, 6, 1, 0x7777})
                                           .add({127, 0, 10, 7, 0})
                                           .done());
    ASSERT_TRUE(names);
    ASSERT_EQ(names->size(), 3u);
    EXPECT_EQ((*names)[0].name, QString::fromUtf8("Юг-1"));
    EXPECT_EQ((*names)[1].address[3], 6);
    EXPECT_EQ((*names)[1].name, QString());
    EXPECT_EQ((*names)[2].address[3], 7);
}

// Each decoder, reduced to "accepted or not", with a well-formed message.
struct DecoderCase {
    const char *name;
    Words message;
    std::function<bool(SrvWords)> accepts;
};

std::vector<DecoderCase> decoderCases() {
    Words description = message(40).add({127, 0, 10, 5, 2}).done();
    const Words text = blockDescriptionText();
    description.push_back(static_cast<int16_t>(text.size()));
    description.insert(description.end(), text.begin(), text.end());
    description[0] = static_cast<int16_t>(description.size() - 1);
    return {
        {"20", message(20).add({127, 0, 10, 5, 8, 0, 0, 1, 2, 0, 0, 1, 3}).done(),
         [](SrvWords m) { return decodeRackStructure(m).has_value(); }},
        {"30", message(30).add({127, 0, 10, 5, 3, 2, 7, 8}).done(),
         [](SrvWords m) { return decodeRegisterValues(m).has_value(); }},
        {"40", description, [](SrvWords m) { return decodeBlockDescription(m).has_value(); }},
        {"80",
         message(80).add({1, 127, 0, 10, 5, 3, 12, 1, -50, 400, 0, 1, 0, 5, 0, 0, 1, 3}).done(),
         [](SrvWords m) { return decodeAlarmSettings(m).has_value(); }},
        {"90", message(90).add({127, 0, 10, 5, 4, 9, 1, 2, 3, 4, 2, 0, 0, 1, 3}).done(),
         [](SrvWords m) { return decodeAlarmEvent(m).has_value(); }},
        {"100", message(100).add({2, 3, 0, 'A', 'B', 0, 4}).text8("x;;;").done(),
         [](SrvWords m) { return decodeAlarmInitFiles(m).has_value(); }},
        {"110", message(110).add({1, 127, 0, 10, 5}).done(),
         [](SrvWords m) { return decodeAlarmReset(m).has_value(); }},
        {"120", message(120).add({2, 127, 0, 10, 5, 127, 0, 10, 6}).done(),
         [](SrvWords m) { return decodeRackSelection(m).has_value(); }},
        {"130", message(130).done(), [](SrvWords m) { return decodePulseAnswer(m); }},
        {"140", logRecordMessage(), [](SrvWords m) { return decodeLogRecord(m).has_value(); }},
        {"161",
         message(161).add({2, 127, 0, 10, 5, 2, 0, 'A', 127, 0, 10, 6, 3, 0, 'B', 'C'}).done(),
         [](SrvWords m) { return decodeRackNames(m).has_value(); }},
    };
}

TEST(SrvMessageDecoders, RejectTruncatedMessagesWithoutReadingPastTheirEnd) {
    for (const DecoderCase &c : decoderCases()) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(c.accepts(c.message));
        for (std::size_t length = 0; length < c.message.size(); ++length) {
            SCOPED_TRACE(length);
            // An exact-sized heap copy with word 0 made to agree, so only the contents are short
            // and the sanitizers see any read past the end.
            auto cut = std::make_unique<int16_t[]>(length);
            std::copy_n(c.message.begin(), length, cut.get());
            if (length > 0)
                cut[0] = static_cast<int16_t>(length - 1);
            EXPECT_FALSE(c.accepts(SrvWords(cut.get(), length)));
        }
    }
}

TEST(SrvMessageDecoders, RejectInconsistentMessages) {
    for (const DecoderCase &c : decoderCases()) {
        SCOPED_TRACE(c.name);
        Words longer = c.message;
        longer[0] = static_cast<int16_t>(longer[0] + 1);
        EXPECT_FALSE(c.accepts(longer)) << "word 0 larger than the message";
        Words otherCode = c.message;
        otherCode[1] = 60;
        EXPECT_FALSE(c.accepts(otherCode));
        // Every count or length word set to -1 or to a huge value must be refused or still fit.
        for (std::size_t i = 2; i < c.message.size(); ++i) {
            for (const int16_t bad : {int16_t(-1), int16_t(-32768), int16_t(32767)}) {
                Words changed = c.message;
                changed[i] = bad;
                c.accepts(changed);
            }
        }
    }
    EXPECT_FALSE(decodeRegisterValues(message(30).add({127, 0, 10, 5, 3, -1}).done()));
    EXPECT_FALSE(decodeRackStructure(message(20).add({127, 0, 10, 5, -4}).done()));
    EXPECT_FALSE(decodeRackNames(message(161).add({1, 127, 0, 10, 5, -2}).done()));
}

} // namespace
