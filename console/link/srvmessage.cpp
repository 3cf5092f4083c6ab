#include "console/link/srvmessage.h"

#include "platform/codec1251.h"
#include "platform/endprocess.h"

#include <QDebug>

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
