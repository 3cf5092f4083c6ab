// Fuzzes the server-message decoders and the word/byte converters with arbitrary bytes: as a
// stream framed by word 0, and as one message given every code the console decodes. Round
// trips hold both ways: what the simulated core's encoders write from values taken from the
// input, the console decodes as those values; a message the console decodes, written again by
// the encoders, decodes the same; and the console's own messages carry what they were built
// from.
#include "console/link/srvmessage.h"

#include "platform/codec1251.h"
#include "tools/fakecore/servermessages.h"
#include "tools/fakecore/wellformed.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QTime>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

namespace {

constexpr int16_t codes[] = {msgRackStructure,  msgRegisterValues, msgBlockDescription,
                             msgAlarmSettings,  msgAlarmRaised,    msgAlarmCleared,
                             msgAlarmInitFiles, msgAlarmReset,     msgRackSelection,
                             msgPulse,          msgLogRecord,      msgRackNames};

void require(bool holds) {
    if (!holds)
        __builtin_trap();
}

std::vector<int16_t> wordsOf(const QByteArray &bytes) {
    std::vector<int16_t> words(std::size_t(bytes.size() / 2));
    ConvertByteToShortBuffer(bytes.constData(), int(2 * words.size()), words.data(),
                             int(words.size()));
    return words;
}

// An 8-bit text as it comes back from the wire: through the code page and back.
QString recoded(const QString &text) {
    return fromWin1251(toWin1251(text));
}

// Values for the encoders, read from the input in turn; past its end every read gives 0.
struct Values {
    const uint8_t *data;
    size_t size;
    size_t pos = 0;

    uint8_t byte() { return pos < size ? data[pos++] : 0; }
    int16_t word() {
        const int high = byte();
        return int16_t(high << 8 | byte());
    }
    uint32_t moduleId() {
        uint32_t id = 0;
        for (int i = 0; i < 4; ++i)
            id = id << 8 | byte();
        return id;
    }
    WireAddress address() { return {word(), word(), word(), word()}; }
    // At most `limit` words of a count the input chooses.
    std::vector<int16_t> words(int limit) {
        std::vector<int16_t> out(std::size_t(byte() % (limit + 1)));
        for (int16_t &w : out)
            w = word();
        return out;
    }
    // An 8-bit text without the characters `banned` holds; each travels as one byte.
    QString text8(QByteArrayView banned = {}) {
        QByteArray bytes;
        for (int n = byte() % 24; n > 0; --n) {
            const char c = char(byte());
            bytes.append(banned.contains(c) ? '_' : c);
        }
        return recoded(fromWin1251(bytes));
    }
    // A UTF-16 text whose units' low bytes never form a key's "=".
    QString text16() {
        QString text;
        for (int n = byte() % 24; n > 0; --n) {
            char16_t unit = char16_t(word());
            if ((unit & 0xFF) == '=')
                unit ^= 1;
            text.append(QChar(unit));
        }
        return text;
    }
};

bool sameAlarm(const AlarmWireRecord &a, const AlarmWireRecord &b) {
    return a.address == b.address && a.slot == b.slot && a.reg == b.reg && a.kind == b.kind &&
           a.lower == b.lower && a.upper == b.upper && a.value == b.value &&
           a.alarmSet == b.alarmSet && a.snmp == b.snmp && a.alarmIndex == b.alarmIndex &&
           a.moduleId == b.moduleId;
}

bool sameAlarms(const std::optional<std::vector<AlarmWireRecord>> &a,
                const std::vector<AlarmWireRecord> &b) {
    return a && std::equal(a->begin(), a->end(), b.begin(), b.end(), sameAlarm);
}

bool sameRecord(const LogWireRecord &a, const LogWireRecord &b) {
    return a.day == b.day && a.month == b.month && a.year == b.year && a.hour == b.hour &&
           a.minute == b.minute && a.second == b.second && a.eventType == b.eventType &&
           a.extra == b.extra && a.alarmText == b.alarmText && a.address == b.address &&
           a.frameText == b.frameText && a.slot == b.slot && a.moduleName == b.moduleName;
}

AlarmWireRecord alarmRecord(Values &in) {
    AlarmWireRecord r;
    r.address = in.address();
    r.slot = in.word();
    r.reg = in.word();
    r.kind = in.word();
    r.lower = in.word();
    r.upper = in.word();
    r.value = in.word();
    r.alarmSet = in.word();
    r.snmp = in.word();
    r.alarmIndex = in.word();
    r.moduleId = in.moduleId();
    return r;
}

std::vector<WireAddress> addresses(Values &in, int limit) {
    std::vector<WireAddress> list(std::size_t(in.byte() % (limit + 1)));
    for (WireAddress &a : list)
        a = in.address();
    return list;
}

// Encoders -> decoders, one message of every code from values of the input.
void encodedDecodesAsWritten(Values &in) {
    {
        const WireAddress address = in.address();
        std::vector<uint32_t> ids(std::size_t(in.byte() % (MAX_RACK_SLOTS + 1)));
        for (uint32_t &id : ids)
            id = in.moduleId();
        const auto m = decodeRackStructure(wordsOf(encodeRackStructure(address, ids)));
        require(m && m->address == address && m->moduleCount == int(ids.size()) &&
                std::equal(ids.begin(), ids.end(), m->moduleIds.begin()));
    }
    {
        const WireAddress address = in.address();
        const int16_t slot = in.word();
        const std::vector<int16_t> values = in.words(UINT8_MAX);
        const std::vector<int16_t> words = wordsOf(encodeRegisterValues(address, slot, values));
        const auto m = decodeRegisterValues(words);
        require(m && m->address == address && m->slot == slot &&
                std::equal(values.begin(), values.end(), m->values.begin(), m->values.end()));
    }
    {
        // Keys end with "=", and ";" ends a section: neither can be in the name or the English
        // description. A control-table line holds anything but ";", keys included.
        const WireAddress address = in.address();
        const int16_t slot = in.word();
        BlockDescriptionText text;
        text.name = in.text8(";=");
        text.description = in.text16();
        text.descriptionEng = in.text8(";=");
        for (int n = in.byte() % 8; n > 0; --n)
            text.controlTable.append(in.text8(";"));
        const std::vector<int16_t> words = wordsOf(encodeBlockDescription(address, slot, text));
        const auto m = decodeBlockDescription(words);
        require(m && m->address == address && m->slot == slot);
        const BlockDescriptionText got = splitBlockDescription(m->text);
        require(got.name == text.name && got.description == text.description &&
                got.descriptionEng == text.descriptionEng && got.controlTable == text.controlTable);
    }
    {
        std::vector<AlarmWireRecord> records(std::size_t(in.byte() % 4));
        for (AlarmWireRecord &r : records)
            r = alarmRecord(in);
        require(sameAlarms(decodeAlarmSettings(wordsOf(encodeAlarmSettings(records))), records));
    }
    {
        AlarmEventMsg event;
        event.raised = in.byte() & 1;
        event.address = in.address();
        event.slot = in.word();
        event.reg = in.word();
        event.alarmIndex = in.word();
        event.moduleId = in.moduleId();
        const auto m = decodeAlarmEvent(wordsOf(encodeAlarmEvent(event)));
        require(m && m->raised == event.raised && m->address == event.address &&
                m->slot == event.slot && m->reg == event.reg && m->alarmIndex == event.alarmIndex &&
                m->moduleId == event.moduleId);
    }
    {
        const QString fileName = in.text8();
        AlarmInitFile file;
        for (int n = in.byte(); n > 0; --n)
            file.content.append(char(in.byte()));
        const auto m = decodeAlarmInitFiles(wordsOf(encodeAlarmInitFile(fileName, file)));
        require(m && m->fileCount == 1 && m->fileName == fileName &&
                m->file.content == file.content);
    }
    {
        const std::vector<WireAddress> racks = addresses(in, 8);
        require(decodeAlarmReset(wordsOf(encodeAlarmReset(racks))) == racks);
        require(decodeRackSelection(wordsOf(encodeRackSelectionList(racks))) == racks);
        require(decodePulseAnswer(wordsOf(encodePulseAnswer())));
    }
    {
        LogWireRecord r;
        r.day = in.word();
        r.month = in.word();
        r.year = in.word();
        r.hour = in.word();
        r.minute = in.word();
        r.second = in.word();
        r.eventType = in.word();
        r.extra = in.word();
        r.alarmText = in.text8();
        r.address = in.address();
        r.frameText = in.text8();
        r.slot = in.word();
        r.moduleName = in.text8();
        const auto m = decodeLogRecord(wordsOf(encodeLogRecord(r)));
        // "NONE" stands for an empty text both ways.
        for (QString *text : {&r.alarmText, &r.moduleName}) {
            if (*text == QLatin1String("NONE"))
                text->clear();
        }
        require(m && sameRecord(*m, r));
    }
    {
        std::vector<RackNameEntry> entries(std::size_t(in.byte() % 4));
        for (RackNameEntry &e : entries) {
            e.address = in.address();
            e.name = in.text16();
        }
        const auto m = decodeRackNames(wordsOf(encodeRackNames(entries)));
        require(m && m->size() == entries.size());
        for (std::size_t i = 0; i < entries.size(); ++i)
            require((*m)[i].address == entries[i].address && (*m)[i].name == entries[i].name);
    }
}

// A message the console decodes decodes the same once the encoders have written it again
// (8-bit texts as the code page gives them back). Block descriptions are left to the encoder
// round trip: a decoded section may hold what no encoder writes, such as a name with ";".
void decodedDecodesAgain(SrvWords m) {
    // Longer messages are dropped by the console whatever their code.
    if (m.size() < 2 || m.size() > MAX_SRV_MSG_WORDS)
        return;
    switch (m[1]) {
    case msgRackStructure:
        if (const auto d = decodeRackStructure(m)) {
            const std::span ids(d->moduleIds.data(), std::size_t(d->moduleCount));
            const auto again = decodeRackStructure(wordsOf(encodeRackStructure(d->address, ids)));
            require(again && again->address == d->address && again->moduleCount == d->moduleCount &&
                    again->moduleIds == d->moduleIds);
        }
        break;
    case msgRegisterValues:
        if (const auto d = decodeRegisterValues(m)) {
            const std::vector<int16_t> words =
                wordsOf(encodeRegisterValues(d->address, d->slot, d->values));
            const auto again = decodeRegisterValues(words);
            require(again && again->address == d->address && again->slot == d->slot &&
                    std::equal(d->values.begin(), d->values.end(), again->values.begin(),
                               again->values.end()));
        }
        break;
    case msgAlarmSettings:
        if (const auto d = decodeAlarmSettings(m))
            require(sameAlarms(decodeAlarmSettings(wordsOf(encodeAlarmSettings(*d))), *d));
        break;
    case msgAlarmRaised:
    case msgAlarmCleared:
        if (const auto d = decodeAlarmEvent(m)) {
            const auto again = decodeAlarmEvent(wordsOf(encodeAlarmEvent(*d)));
            require(again && again->raised == d->raised && again->address == d->address &&
                    again->slot == d->slot && again->reg == d->reg &&
                    again->alarmIndex == d->alarmIndex && again->moduleId == d->moduleId);
        }
        break;
    case msgAlarmInitFiles:
        if (const auto d = decodeAlarmInitFiles(m); d && d->fileName) {
            const auto again =
                decodeAlarmInitFiles(wordsOf(encodeAlarmInitFile(*d->fileName, d->file)));
            require(again && again->fileName == recoded(*d->fileName) &&
                    again->file.content == d->file.content);
        }
        break;
    case msgAlarmReset:
        if (const auto d = decodeAlarmReset(m))
            require(decodeAlarmReset(wordsOf(encodeAlarmReset(*d))) == *d);
        break;
    case msgRackSelection:
        if (const auto d = decodeRackSelection(m))
            require(decodeRackSelection(wordsOf(encodeRackSelectionList(*d))) == *d);
        break;
    case msgLogRecord:
        if (auto d = decodeLogRecord(m)) {
            const auto again = decodeLogRecord(wordsOf(encodeLogRecord(*d)));
            for (QString *text : {&d->alarmText, &d->frameText, &d->moduleName})
                *text = recoded(*text);
            require(again && sameRecord(*again, *d));
        }
        break;
    case msgRackNames:
        if (const auto d = decodeRackNames(m)) {
            const auto again = decodeRackNames(wordsOf(encodeRackNames(*d)));
            require(again && again->size() == d->size());
            for (std::size_t i = 0; i < d->size(); ++i)
                require((*again)[i].address == (*d)[i].address && (*again)[i].name == (*d)[i].name);
        }
        break;
    default:
        break;
    }
}

// The console's own messages carry what they were built from, read as the server reads them.
void consoleMessagesCarryTheirValues(Values &in) {
    const std::vector<WireAddress> racks = addresses(in, MAX_SELECTED_RACKS);
    const auto selection = buildRackSelection(racks);
    require(selection && selection->size() <= NUM_MSG_TO_SRV_BYTES &&
            decodeRackSelection(wordsOf(*selection)) == racks);

    // Code 70 carries the record that code 80 lays out.
    const AlarmWireRecord record = alarmRecord(in);
    std::vector<int16_t> setting = wordsOf(buildAlarmSetting(record));
    require(setting.size() == 20 && setting[1] == msgAlarmSetting);
    setting[1] = msgAlarmSettings;
    require(sameAlarms(decodeAlarmSettings(setting), {record}));

    const WireAddress address = in.address();
    const int16_t slot = in.word();
    const int16_t reg = in.word();
    const int16_t value = in.word();
    require(wordsOf(buildSetRegister(address, slot, reg, value)) ==
            std::vector<int16_t>{8, msgSetRegister, address[0], address[1], address[2], address[3],
                                 slot, reg, value});

    const QString name = in.text8();
    const auto rename = buildRackRename(address, name);
    require(rename.has_value() == (name.size() <= MAX_RACK_NAME_LENGTH));
    if (rename) {
        const std::vector<int16_t> words = wordsOf(*rename);
        require(words.size() == std::size_t(7 + name.size()) && words[1] == msgRackRename &&
                std::equal(address.begin(), address.end(), words.begin() + 2) &&
                words[6] == name.size() && textFromLowBytes(SrvWords(words).subspan(7)) == name);
    }

    const QDateTime from(QDate(2000 + in.byte() % 100, 1 + in.byte() % 12, 1 + in.byte() % 28),
                         QTime(in.byte() % 24, in.byte() % 60, in.byte() % 60));
    const QDateTime to = from.addSecs(in.word());
    const std::vector<int16_t> request = wordsOf(buildLogRequest(from, to));
    require(request.size() == 14 && request[0] == 13 && request[1] == msgLogRequest);
    int at = 2;
    for (const QDateTime &when : {from, to}) {
        for (const int part : {when.date().year(), when.date().month(), when.date().day(),
                               when.time().hour(), when.time().minute(), when.time().second()})
            require(request[std::size_t(at++)] == part);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const int nWords = int(size / 2);
    const char *bytes = reinterpret_cast<const char *>(data);
    // Exact-sized buffers, so a read past a message's end is caught.
    std::vector<int16_t> words(static_cast<std::size_t>(nWords));
    ConvertByteToShortBuffer(bytes, 2 * nWords, words.data(), nWords);
    std::vector<char> back(std::size_t(2 * nWords));
    ConvertShortToByteBuffer(words.data(), nWords, back.data(), 2 * nWords);
    if (!back.empty() && std::memcmp(back.data(), bytes, back.size()) != 0)
        __builtin_trap();

    // As a stream: cut whole messages by word 0.
    for (int p = 0; p + 2 <= nWords;) {
        const int n = words[std::size_t(p)];
        if (n < 1 || p + n + 1 > nWords)
            break;
        std::vector<int16_t> message(words.begin() + p, words.begin() + p + n + 1);
        (void)decodesAsConsole(message);
        decodedDecodesAgain(message);
        p += n + 1;
    }

    // As one message of every code.
    if (nWords >= 2) {
        std::vector<int16_t> message = words;
        message[0] = int16_t(nWords - 1);
        for (const int16_t code : codes) {
            message[1] = code;
            (void)decodesAsConsole(message);
            decodedDecodesAgain(message);
        }
        (void)splitBlockDescription(words);
    }

    // The rename builder never writes more than one outbound slot.
    const auto rename =
        buildRackRename({127, 0, 0, 1}, fromWin1251(QByteArrayView(bytes, qsizetype(size))));
    if (rename && rename->size() > NUM_MSG_TO_SRV_BYTES)
        __builtin_trap();

    Values values{data, size};
    encodedDecodesAsWritten(values);
    consoleMessagesCarryTheirValues(values);
    return 0;
}
