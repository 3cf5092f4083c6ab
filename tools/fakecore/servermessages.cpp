#include "tools/fakecore/servermessages.h"

#include "platform/codec1251.h"

#include <vector>

namespace {

// Collects a message's words after word 0 and fills word 0 in when done.
class WordWriter {
public:
    explicit WordWriter(int code) { words.push_back(static_cast<int16_t>(code)); }

    WordWriter &add(int word) {
        words.push_back(static_cast<int16_t>(word));
        return *this;
    }
    WordWriter &address(const WireAddress &a) {
        words.insert(words.end(), a.begin(), a.end());
        return *this;
    }
    WordWriter &moduleId(uint32_t id) {
        for (const int shift : {24, 16, 8, 0})
            add(int((id >> shift) & 0xFF));
        return *this;
    }
    WordWriter &text8(const QString &text) {
        for (const char c : toWin1251(text))
            add(static_cast<unsigned char>(c));
        return *this;
    }
    WordWriter &text16(const QString &text) {
        for (const QChar c : text)
            add(c.unicode());
        return *this;
    }
    QByteArray bytes() {
        std::vector<int16_t> all{static_cast<int16_t>(words.size())};
        all.insert(all.end(), words.begin(), words.end());
        QByteArray out(qsizetype(2 * all.size()), '\0');
        ConvertShortToByteBuffer(all.data(), int(all.size()), out.data(), int(out.size()));
        return out;
    }

private:
    std::vector<int16_t> words;
};

QString orNone(const QString &text) {
    return text.isEmpty() ? QStringLiteral("NONE") : text;
}

QByteArray addressList(int code, std::span<const WireAddress> racks) {
    WordWriter w(code);
    w.add(int(racks.size()));
    for (const WireAddress &a : racks)
        w.address(a);
    return w.bytes();
}

} // namespace

QByteArray encodeRackStructure(const WireAddress &address, std::span<const uint32_t> slotIds) {
    WordWriter w(msgRackStructure);
    w.address(address).add(int(4 * slotIds.size()));
    for (const uint32_t id : slotIds)
        w.moduleId(id);
    return w.bytes();
}

QByteArray encodeRegisterValues(const WireAddress &address, int16_t slot,
                                std::span<const int16_t> values) {
    WordWriter w(msgRegisterValues);
    w.address(address).add(slot).add(int(values.size()));
    for (const int16_t v : values)
        w.add(v);
    return w.bytes();
}

QByteArray encodeBlockDescription(const WireAddress &address, int16_t slot,
                                  const BlockDescriptionText &text) {
    QString body = QStringLiteral("NAME=") + text.name + QStringLiteral(";DESCRIPTION=");
    const qsizetype descriptionBegin = body.size();
    body += text.description;
    const qsizetype descriptionEnd = body.size();
    body += QStringLiteral(";DESCRIPTION_ENG=") + text.descriptionEng +
            QStringLiteral(";CONTROL_TABLE=");
    for (const QString &line : text.controlTable)
        body += line + u';';

    const QString head = body.left(descriptionBegin);
    const QString description = body.mid(descriptionBegin, descriptionEnd - descriptionBegin);
    const QString tail = body.mid(descriptionEnd);
    WordWriter w(msgBlockDescription);
    w.address(address).add(slot);
    w.add(int(toWin1251(head).size() + description.size() + toWin1251(tail).size()));
    w.text8(head).text16(description).text8(tail);
    return w.bytes();
}

QByteArray encodeAlarmSettings(std::span<const AlarmWireRecord> records) {
    WordWriter w(msgAlarmSettings);
    w.add(int(records.size()));
    for (const AlarmWireRecord &r : records)
        w.address(r.address)
            .add(r.slot)
            .add(r.reg)
            .add(r.kind)
            .add(r.lower)
            .add(r.upper)
            .add(r.value)
            .add(r.alarmSet)
            .add(r.snmp)
            .add(r.alarmIndex)
            .moduleId(r.moduleId);
    return w.bytes();
}

QByteArray encodeAlarmEvent(const AlarmEventMsg &event) {
    WordWriter w(event.raised ? msgAlarmRaised : msgAlarmCleared);
    w.address(event.address).add(event.slot).add(event.reg);
    for (int i = 0; i < 4; ++i)
        w.add(0);
    w.add(event.alarmIndex).moduleId(event.moduleId);
    return w.bytes();
}

QByteArray encodeAlarmInitFile(const QString &fileName, const AlarmInitFile &file) {
    WordWriter w(msgAlarmInitFiles);
    w.add(1).add(int(toWin1251(fileName).size()) + 1).add(0).text8(fileName).add(0);
    w.add(int(file.content.size()));
    for (const char c : file.content)
        w.add(static_cast<unsigned char>(c));
    return w.bytes();
}

QByteArray encodeAlarmReset(std::span<const WireAddress> knownRacks) {
    return addressList(msgAlarmReset, knownRacks);
}

QByteArray encodeRackSelectionList(std::span<const WireAddress> selectedRacks) {
    return addressList(msgRackSelection, selectedRacks);
}

QByteArray encodePulseAnswer() {
    return WordWriter(msgPulse).bytes();
}

QByteArray encodeLogRecord(const LogWireRecord &r) {
    const QString alarmText = orNone(r.alarmText);
    const QString moduleName = orNone(r.moduleName);
    WordWriter w(msgLogRecord);
    w.add(r.day).add(r.month).add(r.year).add(r.hour).add(r.minute).add(r.second);
    w.add(r.eventType).add(r.extra);
    w.add(int(toWin1251(alarmText).size())).text8(alarmText).address(r.address);
    w.add(int(toWin1251(r.frameText).size())).text8(r.frameText).add(r.slot);
    for (int i = 0; i < 4; ++i)
        w.add(0);
    w.add(int(toWin1251(moduleName).size())).text8(moduleName);
    return w.bytes();
}

QByteArray encodeRackNames(std::span<const RackNameEntry> entries) {
    WordWriter w(msgRackNames);
    w.add(int(entries.size()));
    for (const RackNameEntry &e : entries)
        w.address(e.address).add(int(e.name.size()) + 1).add(0).text16(e.name);
    return w.bytes();
}
