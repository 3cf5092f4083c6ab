#include "srvwords.h"

#include "tools/fakecore/servermessages.h"

QByteArray rawWords(const Words &words) {
    QByteArray bytes;
    for (int word : words) {
        bytes.append(char((word >> 8) & 0xFF));
        bytes.append(char(word & 0xFF));
    }
    return bytes;
}

QByteArray srvMsg(const Words &afterWord0) {
    Words words{int(afterWord0.size())};
    words.insert(words.end(), afterWord0.begin(), afterWord0.end());
    return rawWords(words);
}

WireAddress wire(const Ip &ip) {
    return {int16_t(ip[0]), int16_t(ip[1]), int16_t(ip[2]), int16_t(ip[3])};
}

QByteArray rackStructureMsg(const Ip &ip, const std::vector<uint32_t> &ids) {
    return encodeRackStructure(wire(ip), ids);
}

QByteArray registerValuesMsg(const Ip &ip, int slot, const Words &values) {
    const std::vector<int16_t> words(values.begin(), values.end());
    return encodeRegisterValues(wire(ip), int16_t(slot), words);
}

QByteArray blockDescriptionMsg(const Ip &ip, int slot, const QString &name,
                               const QString &description, const QString &eng,
                               const QStringList &lines) {
    return encodeBlockDescription(wire(ip), int16_t(slot), {name, description, eng, lines});
}

QByteArray rackNamesMsg(const std::vector<std::pair<Ip, QString>> &entries) {
    std::vector<RackNameEntry> list;
    for (const auto &[ip, name] : entries)
        list.push_back({wire(ip), name});
    return encodeRackNames(list);
}

QByteArray alarmEventMsg(int kod, const Ip &ip, int slot, int reg, int alarm, uint32_t id) {
    return encodeAlarmEvent(
        {kod == msgAlarmRaised, wire(ip), int16_t(slot), int16_t(reg), int16_t(alarm), id});
}

QByteArray alarmSettingsMsg(const std::vector<AlarmWireRecord> &records) {
    return encodeAlarmSettings(records);
}

QByteArray alarmInitMsg(const QString &fileName, const QByteArray &content) {
    return encodeAlarmInitFile(fileName, {content});
}

QByteArray addressListMsg(int kod, const std::vector<Ip> &addresses) {
    std::vector<WireAddress> list;
    for (const Ip &ip : addresses)
        list.push_back(wire(ip));
    return kod == msgAlarmReset ? encodeAlarmReset(list) : encodeRackSelectionList(list);
}

QByteArray logRecordMsg(const Words &dateTime, int eventType, const QString &alarmText,
                        const Ip &ip, const QString &frameText, int slot,
                        const QString &moduleName) {
    LogWireRecord r;
    r.day = int16_t(dateTime[0]);
    r.month = int16_t(dateTime[1]);
    r.year = int16_t(dateTime[2]);
    r.hour = int16_t(dateTime[3]);
    r.minute = int16_t(dateTime[4]);
    r.second = int16_t(dateTime[5]);
    r.eventType = int16_t(eventType);
    r.alarmText = alarmText;
    r.address = wire(ip);
    r.frameText = frameText;
    r.slot = int16_t(slot);
    r.moduleName = moduleName;
    return encodeLogRecord(r);
}
