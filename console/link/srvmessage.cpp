#include "console/link/srvmessage.h"

#include "platform/codec1251.h"
#include "platform/endprocess.h"

#include <QDebug>

#include <algorithm>

namespace {

int16_t lowByte(int16_t word) {
    return static_cast<int16_t>(static_cast<uint16_t>(word) & 0xFF);
}

QByteArray toBytes(const std::vector<int16_t> &words) {
    QByteArray bytes(static_cast<qsizetype>(2 * words.size()), '\0');
    ConvertShortToByteBuffer(words.data(), static_cast<int>(words.size()), bytes.data(),
                             static_cast<int>(bytes.size()));
    return bytes;
}

void appendAddress(std::vector<int16_t> &words, const WireAddress &address) {
    words.insert(words.end(), address.begin(), address.end());
}

void appendDateTime(std::vector<int16_t> &words, const QDateTime &when) {
    const QDate date = when.date();
    const QTime time = when.time();
    for (const int part :
         {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()})
        words.push_back(static_cast<int16_t>(part));
}

// Word 0 agrees with the length and word 1 is the expected code.
bool hasHeader(SrvWords msg, int code) {
    return msg.size() >= 2 && msg[0] + 1 == static_cast<qsizetype>(msg.size()) && msg[1] == code;
}

// Whether the words [begin, begin + count) lie inside the message.
bool fits(SrvWords msg, int begin, int count) {
    return begin >= 0 && count >= 0 && qsizetype(begin) + count <= qsizetype(msg.size());
}

WireAddress addressAt(SrvWords msg, int begin) {
    return {msg[begin], msg[begin + 1], msg[begin + 2], msg[begin + 3]};
}

uint32_t moduleIdAt(SrvWords msg, int begin) {
    uint32_t id = 0;
    for (int i = 0; i < 4; ++i)
        id = (id << 8) | static_cast<uint32_t>(lowByte(msg[begin + i]));
    return id;
}

QByteArray lowBytes(SrvWords words) {
    QByteArray bytes(static_cast<qsizetype>(words.size()), Qt::Uninitialized);
    for (std::size_t i = 0; i < words.size(); ++i)
        bytes[qsizetype(i)] = static_cast<char>(words[i]);
    return bytes;
}

AlarmWireRecord alarmRecordAt(SrvWords msg, int e) {
    AlarmWireRecord r;
    r.address = addressAt(msg, e);
    r.slot = msg[e + 4];
    r.reg = msg[e + 5];
    r.kind = msg[e + 6];
    r.lower = msg[e + 7];
    r.upper = msg[e + 8];
    r.value = msg[e + 9];
    r.alarmSet = msg[e + 10];
    r.snmp = msg[e + 11];
    r.alarmIndex = msg[e + 12];
    r.moduleId = moduleIdAt(msg, e + 13);
    return r;
}

std::optional<std::vector<WireAddress>> decodeAddressList(SrvWords msg, int code) {
    if (!hasHeader(msg, code) || !fits(msg, 2, 1))
        return std::nullopt;
    const int count = msg[2];
    if (count < 0 || !fits(msg, 3, 4 * count))
        return std::nullopt;
    std::vector<WireAddress> list;
    list.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i)
        list.push_back(addressAt(msg, 3 + 4 * i));
    return list;
}

QString noneIsEmpty(QString text) {
    return text == QLatin1String("NONE") ? QString() : text;
}

} // namespace

void ConvertShortToByteBuffer(const int16_t *words, int nWords, char *bytes, int nBytes) {
    if (nWords * 2 != nBytes) {
        qDebug() << "ConvertShortToByteBuffer() -> invalid buffers size";
        endProcess(0);
    }
    for (int i = 0; i < nWords; ++i) {
        const auto word = static_cast<uint16_t>(words[i]);
        bytes[2 * i] = static_cast<char>(word >> 8);
        bytes[2 * i + 1] = static_cast<char>(word & 0xFF);
    }
}

void ConvertByteToShortBuffer(const char *bytes, int nBytes, int16_t *words, int nWords) {
    if (nWords * 2 != nBytes) {
        qDebug() << "ConvertByteToShortBuffer() -> invalid buffers size";
        endProcess(0);
    }
    for (int i = 0; i < nWords; ++i) {
        const int high = static_cast<signed char>(bytes[2 * i]);
        const int low = static_cast<unsigned char>(bytes[2 * i + 1]);
        words[i] = static_cast<int16_t>(high * 256 + low);
    }
}

void packIpOctets(int16_t *w, uint32_t *ids, int count) {
    for (int i = 0; i < 4 * count; ++i)
        w[i] = lowByte(w[i]);
    for (int i = 0; i < count; ++i)
        ids[i] = (uint32_t(w[4 * i]) << 24) | (uint32_t(w[4 * i + 1]) << 16) |
                 (uint32_t(w[4 * i + 2]) << 8) | uint32_t(w[4 * i + 3]);
}

std::array<uint8_t, 4> lowByteOctets(const WireAddress &address) {
    std::array<uint8_t, 4> octets{};
    for (int i = 0; i < 4; ++i)
        octets[i] = static_cast<uint8_t>(lowByte(address[i]));
    return octets;
}

QString lowByteAddressText(const WireAddress &address) {
    const auto octets = lowByteOctets(address);
    return QStringLiteral("%1.%2.%3.%4")
        .arg(octets[0])
        .arg(octets[1])
        .arg(octets[2])
        .arg(octets[3]);
}

QString signedAddressText(const WireAddress &address) {
    return QStringLiteral("%1.%2.%3.%4")
        .arg(address[0])
        .arg(address[1])
        .arg(address[2])
        .arg(address[3]);
}

QByteArray buildHello() {
    return toBytes({1, msgHello});
}

QByteArray buildPulse() {
    return toBytes({1, msgPulse});
}

std::optional<QByteArray> buildRackSelection(std::span<const WireAddress> racks) {
    if (racks.size() > MAX_SELECTED_RACKS)
        return std::nullopt;
    const auto n = static_cast<int16_t>(racks.size());
    std::vector<int16_t> words{static_cast<int16_t>(4 * n + 2), msgRackSelection, n};
    for (const WireAddress &address : racks)
        appendAddress(words, address);
    return toBytes(words);
}

QByteArray buildSetRegister(const WireAddress &address, int16_t slot, int16_t reg, int16_t value) {
    std::vector<int16_t> words{8, msgSetRegister};
    appendAddress(words, address);
    words.insert(words.end(), {slot, reg, value});
    return toBytes(words);
}

QByteArray buildAlarmSetting(const AlarmWireRecord &record) {
    std::vector<int16_t> words{19, msgAlarmSetting, 1};
    appendAddress(words, record.address);
    words.insert(words.end(), {record.slot, record.reg, record.kind, record.lower, record.upper,
                               record.value, record.alarmSet, record.snmp, record.alarmIndex});
    for (const int shift : {24, 16, 8, 0})
        words.push_back(static_cast<int16_t>((record.moduleId >> shift) & 0xFF));
    return toBytes(words);
}

QByteArray buildLogRequest(const QDateTime &from, const QDateTime &to) {
    std::vector<int16_t> words{13, msgLogRequest};
    appendDateTime(words, from);
    appendDateTime(words, to);
    return toBytes(words);
}

std::optional<QByteArray> buildRackRename(const WireAddress &address, QStringView name) {
    const QByteArray text = toWin1251(name);
    if (text.size() > MAX_RACK_NAME_LENGTH)
        return std::nullopt;
    const auto length = static_cast<int16_t>(text.size());
    std::vector<int16_t> words{static_cast<int16_t>(length + 6), msgRackRename};
    appendAddress(words, address);
    words.push_back(length);
    for (const char c : text)
        words.push_back(static_cast<int16_t>(static_cast<signed char>(c)));
    return toBytes(words);
}

QString textFromLowBytes(SrvWords words) {
    return fromWin1251(lowBytes(words));
}

QString textFromUtf16(SrvWords words) {
    QString text(static_cast<qsizetype>(words.size()), Qt::Uninitialized);
    for (std::size_t i = 0; i < words.size(); ++i)
        text[qsizetype(i)] = QChar(static_cast<char16_t>(words[i]));
    return text;
}

std::optional<RackStructureMsg> decodeRackStructure(SrvWords msg) {
    if (!hasHeader(msg, msgRackStructure) || !fits(msg, 2, 5))
        return std::nullopt;
    RackStructureMsg m;
    m.address = addressAt(msg, 2);
    m.tableWords = msg[6];
    m.moduleCount = m.tableWords / 4;
    if (!fits(msg, 7, m.tableWords) || m.moduleCount > MAX_RACK_SLOTS)
        return std::nullopt;
    for (int i = 0; i < m.moduleCount; ++i)
        m.moduleIds[std::size_t(i)] = moduleIdAt(msg, 7 + 4 * i);
    return m;
}

std::optional<RegisterValuesMsg> decodeRegisterValues(SrvWords msg) {
    if (!hasHeader(msg, msgRegisterValues) || !fits(msg, 2, 6))
        return std::nullopt;
    const int count = msg[7];
    if (!fits(msg, 8, count))
        return std::nullopt;
    return RegisterValuesMsg{addressAt(msg, 2), msg[6], msg.subspan(8, std::size_t(count))};
}

std::optional<BlockDescriptionMsg> decodeBlockDescription(SrvWords msg) {
    if (!hasHeader(msg, msgBlockDescription) || !fits(msg, 2, 6))
        return std::nullopt;
    const int length = msg[7];
    if (!fits(msg, 8, length))
        return std::nullopt;
    return BlockDescriptionMsg{addressAt(msg, 2), msg[6], msg.subspan(8, std::size_t(length))};
}

BlockDescriptionText splitBlockDescription(SrvWords text) {
    enum class Section { None, Name, Description, DescriptionEng, ControlTable };
    static constexpr QByteArrayView descriptionEngKey("DESCRIPTION_ENG=");

    // The token holds no key and no ";" before each append, so a key is in it exactly when
    // the token ends with it; and since every key ends with "=", only an appended "=" can
    // complete one. The token is emptied, never freed, so it keeps its room. The control table
    // runs to the end of the text: a key inside one of its lines is part of the line.
    BlockDescriptionText result;
    QByteArray token;
    QByteArray name;
    QByteArray descriptionEng;
    Section section = Section::None;
    qsizetype descriptionBegin = -1;
    qsizetype descriptionEnd = -1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<char>(text[i]);
        token.append(c);
        if (c != '=' && c != ';')
            continue;
        if (section == Section::ControlTable) {
            if (c == ';') {
                result.controlTable.append(fromWin1251(QByteArrayView(token).chopped(1)));
                token.resize(0);
            }
        } else if (token.endsWith("NAME=")) {
            token.resize(0);
            section = Section::Name;
        } else if (token.endsWith("DESCRIPTION=")) {
            descriptionBegin = qsizetype(i) + 1;
            token.resize(0);
            section = Section::Description;
        } else if (token.endsWith(descriptionEngKey)) {
            descriptionEnd = qsizetype(i) - descriptionEngKey.size();
            token.resize(0);
            section = Section::DescriptionEng;
        } else if (token.endsWith("CONTROL_TABLE=")) {
            token.resize(0);
            section = Section::ControlTable;
            result.controlTable.reserve(std::count_if(text.begin() + std::ptrdiff_t(i) + 1,
                                                      text.end(),
                                                      [](int16_t w) { return char(w) == ';'; }));
        } else if (token.endsWith(';')) {
            if (section == Section::Name)
                name += token;
            else if (section == Section::DescriptionEng)
                descriptionEng += token;
            section = Section::None;
            token.resize(0);
        }
    }

    if (name.endsWith(';'))
        name.chop(1);
    if (descriptionEng.endsWith(';'))
        descriptionEng.chop(1);
    result.name = fromWin1251(name);
    result.descriptionEng = fromWin1251(descriptionEng);
    if (descriptionBegin >= 0 && descriptionEnd > descriptionBegin)
        result.description = textFromUtf16(text.subspan(
            std::size_t(descriptionBegin), std::size_t(descriptionEnd - descriptionBegin)));
    return result;
}

std::optional<std::vector<AlarmWireRecord>> decodeAlarmSettings(SrvWords msg) {
    if (!hasHeader(msg, msgAlarmSettings) || !fits(msg, 2, 1))
        return std::nullopt;
    const int count = msg[2];
    if (count < 0 || !fits(msg, 3, ALARM_WIRE_RECORD_WORDS * count))
        return std::nullopt;
    std::vector<AlarmWireRecord> records;
    records.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i)
        records.push_back(alarmRecordAt(msg, 3 + ALARM_WIRE_RECORD_WORDS * i));
    return records;
}

std::optional<AlarmEventMsg> decodeAlarmEvent(SrvWords msg) {
    const bool raised = hasHeader(msg, msgAlarmRaised);
    if ((!raised && !hasHeader(msg, msgAlarmCleared)) || !fits(msg, 2, 15))
        return std::nullopt;
    AlarmEventMsg m;
    m.raised = raised;
    m.address = addressAt(msg, 2);
    m.slot = msg[6];
    m.reg = msg[7];
    m.alarmIndex = msg[12];
    m.moduleId = moduleIdAt(msg, 13);
    return m;
}

std::optional<AlarmInitFilesMsg> decodeAlarmInitFiles(SrvWords msg) {
    if (!hasHeader(msg, msgAlarmInitFiles) || !fits(msg, 2, 1))
        return std::nullopt;
    AlarmInitFilesMsg m;
    m.fileCount = msg[2];
    if (m.fileCount < 0)
        return std::nullopt;
    if (m.fileCount == 0)
        return m;
    // w3 L (counting the skipped w4), the name in w5.., one unread word, then C and the content.
    if (!fits(msg, 3, 1))
        return std::nullopt;
    const int nameLength = msg[3];
    if (nameLength < 0 || !fits(msg, 5 + nameLength, 1))
        return std::nullopt;
    const int contentLength = msg[5 + nameLength];
    if (!fits(msg, 6 + nameLength, contentLength))
        return std::nullopt;
    m.fileName = textFromLowBytes(msg.subspan(5, std::size_t(std::max(nameLength - 1, 0))));
    m.file.content = lowBytes(msg.subspan(std::size_t(6 + nameLength), std::size_t(contentLength)));
    return m;
}

std::optional<std::vector<WireAddress>> decodeAlarmReset(SrvWords msg) {
    return decodeAddressList(msg, msgAlarmReset);
}

std::optional<std::vector<WireAddress>> decodeRackSelection(SrvWords msg) {
    return decodeAddressList(msg, msgRackSelection);
}

bool decodePulseAnswer(SrvWords msg) {
    return hasHeader(msg, msgPulse);
}

std::optional<LogWireRecord> decodeLogRecord(SrvWords msg) {
    if (!hasHeader(msg, msgLogRecord) || !fits(msg, 2, 9))
        return std::nullopt;
    LogWireRecord r;
    r.day = msg[2];
    r.month = msg[3];
    r.year = msg[4];
    r.hour = msg[5];
    r.minute = msg[6];
    r.second = msg[7];
    r.eventType = msg[8];
    r.extra = msg[9];
    r.alarmTextLength = msg[10];
    const int l1 = r.alarmTextLength;
    // The alarm text, the address and L2.
    if (!fits(msg, 11, l1) || !fits(msg, 11 + l1, 5))
        return std::nullopt;
    r.frameTextLength = msg[15 + l1];
    const int l2 = r.frameTextLength;
    // The frame text, the slot, four unread words and L3.
    if (!fits(msg, 16 + l1, l2) || !fits(msg, 16 + l1 + l2, 6))
        return std::nullopt;
    r.moduleNameLength = msg[21 + l1 + l2];
    const int l3 = r.moduleNameLength;
    if (!fits(msg, 22 + l1 + l2, l3))
        return std::nullopt;
    r.alarmText = noneIsEmpty(textFromLowBytes(msg.subspan(11, std::size_t(l1))));
    r.address = addressAt(msg, 11 + l1);
    r.frameText = textFromLowBytes(msg.subspan(std::size_t(16 + l1), std::size_t(l2)));
    r.slot = msg[16 + l1 + l2];
    r.moduleName =
        noneIsEmpty(textFromLowBytes(msg.subspan(std::size_t(22 + l1 + l2), std::size_t(l3))));
    return r;
}

std::optional<std::vector<RackNameEntry>> decodeRackNames(SrvWords msg) {
    if (!hasHeader(msg, msgRackNames) || !fits(msg, 2, 1))
        return std::nullopt;
    const int count = msg[2];
    if (count < 0)
        return std::nullopt;
    std::vector<RackNameEntry> entries;
    int entry = 3;
    for (int i = 0; i < count; ++i) {
        // Four octet words and L, then L words whose first is skipped.
        if (!fits(msg, entry, 5))
            return std::nullopt;
        const int length = msg[entry + 4];
        if (!fits(msg, entry + 5, length))
            return std::nullopt;
        const SrvWords name =
            length > 1 ? msg.subspan(std::size_t(entry + 6), std::size_t(length - 1)) : SrvWords();
        entries.push_back({addressAt(msg, entry), textFromUtf16(name)});
        entry += length + 5;
    }
    return entries;
}
