#include "tools/fakecore/fakenetwork.h"

#include "console/link/consoletables.h"
#include "tools/fakecore/servermessages.h"

#include <algorithm>

namespace {

constexpr int ALARM_TOGGLE_STEPS = 5;
constexpr int16_t STATUS_ALL_GOOD = 0x03; // REF and INPUT present
constexpr int16_t STATUS_INPUT_LOST = 0x01;
// The console gives a control table's last line no row, so every table ends with a line that
// is there only to be dropped; the lines before it all show.
constexpr const char *TABLE_END_LINE = "not_defined";

// An alarm of a module type: the engineering limits go into the alarm-init file, the raw ones
// (limits divided by the register's scale) into the alarm settings.
struct AlarmDef {
    QString name;
    int reg = 0;
    bool limitPair = true;
    double scale = 1.0;
    int lowerRaw = 0;
    int upperRaw = 0;
    int value = 0;
};

struct TypeDef {
    uint32_t id;
    const char *name;
    const char *description; // UTF-8 source, sent as UTF-16
    const char *descriptionEng;
    QStringList controlTable;
    std::vector<int16_t> initialRegisters; // register 0 (status) first
    std::vector<AlarmDef> alarms;
};

std::vector<TypeDef> typeDefs() {
    return {
        {0x00A1B2C3,
         "PSU",
         "Блок питания",
         "Power supply unit",
         {"#Power,G,R", "$Output", "Voltage[0.1](0,300,0)", "~Current[0.01]",
          "~%State,OK,WARN,FAIL", "|Fan,Fan on"},
         {STATUS_ALL_GOOD, 1, 1, 2300, 150, 0, 1},
         {{"Voltage", 3, true, 0.1, 2000, 2500, 0}, {"INPUT", 0, false, 1.0, 0, 0, 1}}},
        {0x00B10002,
         "AMP",
         "Усилитель",
         "Amplifier",
         {"#Signal,G,Y,R", "Gain[0.5](0,40,0)", "Mode,AUTO,MANUAL,OFF", "%Band,LOW,MID,HIGH",
          "~Temperature[0.1]"},
         {STATUS_ALL_GOOD, 1, 20, 0, 1, 420},
         {{"Temperature", 5, true, 0.1, 0, 650, 0}}},
        {0x00C20003,
         "TUNER",
         "Тюнер",
         "Tuner",
         {"#Lock,G,R", "Frequency[0.1](88,108,0)", "~Level", "%Input,RF1,RF2"},
         {STATUS_ALL_GOOD, 1, 1015, 55, 0},
         {{"Level", 3, true, 1.0, 20, 90, 0}}},
        {0x00D30004,
         "SWITCH",
         "Коммутатор",
         "Switch",
         {"#Port 1,G,R", "#Port 2,G,R", "$Port 1 enable", "$Port 2 enable", "Route,A,B,C,D"},
         {STATUS_ALL_GOOD, 1, 1, 1, 0, 2},
         {{"INPUT", 0, false, 1.0, 0, 0, 1}}},
    };
}

QByteArray alarmInitContent(const std::vector<AlarmDef> &alarms) {
    QByteArray content;
    for (const AlarmDef &a : alarms) {
        content += a.name.toLatin1() + ';' + QByteArray::number(a.reg) + ';';
        if (a.limitPair)
            content += "L;" + QByteArray::number(a.lowerRaw * a.scale) + ';' +
                       QByteArray::number(a.upperRaw * a.scale) + ";;";
        else
            content += "D;" + QByteArray::number(a.value) + ";;";
    }
    return content;
}

// A full network's module has a control table of realistic length: its own lines, then
// readings, settings, lists and lamps up to FULL_TABLE_LINES lines.
constexpr int FULL_TABLE_LINES = 48;
constexpr int FULL_RACKS = MAX_RACK_NUMBER;
constexpr int FULL_ALARM_TOGGLES = 4; // alarms raised or cleared per step
constexpr int16_t FILLER_REGISTER = 100;

QStringList fullControlTable(QStringList table) {
    for (int n = int(table.size()); n < FULL_TABLE_LINES; ++n) {
        switch (n % 4) {
        case 0:
            table.append(QStringLiteral("~Reading %1[0.1]").arg(n));
            break;
        case 1:
            table.append(QStringLiteral("Level %1[0.5](0,100,0)").arg(n));
            break;
        case 2:
            table.append(QStringLiteral("Mode %1,AUTO,MANUAL,OFF").arg(n));
            break;
        default:
            table.append(QStringLiteral("#Lamp %1,G,R").arg(n));
            break;
        }
    }
    return table;
}

QString fullRackName(int rack) {
    return QStringLiteral("Стойка %1").arg(rack + 1);
}

bool isReading(const QString &line) {
    return line.startsWith(u'~') || line.startsWith(u'#');
}

// A log record stamped with the date and time of when, to the second.
LogWireRecord logRecordAt(const QDateTime &when) {
    LogWireRecord r;
    const QDate date = when.date();
    const QTime time = when.time();
    r.day = int16_t(date.day());
    r.month = int16_t(date.month());
    r.year = int16_t(date.year());
    r.hour = int16_t(time.hour());
    r.minute = int16_t(time.minute());
    r.second = int16_t(time.second());
    return r;
}

} // namespace

QString FakeModuleType::alarmInitFileName() const {
    return QString::number(id, 16).toUpper().rightJustified(8, u'0') + QStringLiteral("_A.txt");
}

std::array<uint32_t, MAX_RACK_SLOTS> FakeRack::slotIds() const {
    std::array<uint32_t, MAX_RACK_SLOTS> ids{};
    for (const FakeModule &m : modules)
        ids[std::size_t(m.slot)] = m.type->id;
    return ids;
}

FakeNetwork::FakeNetwork(const QDateTime &start, FakeNetworkSize size)
    : startTime(start)
    , size(size) {
    std::vector<TypeDef> defs = typeDefs();
    if (size == FakeNetworkSize::Full)
        for (TypeDef &d : defs)
            d.controlTable = fullControlTable(d.controlTable);
    types.reserve(defs.size());
    for (const TypeDef &d : defs) {
        FakeModuleType t;
        t.id = d.id;
        t.description = {QString::fromLatin1(d.name), QString::fromUtf8(d.description),
                         QString::fromLatin1(d.descriptionEng),
                         d.controlTable + QStringList{QLatin1String(TABLE_END_LINE)}};
        t.alarmInit.content = alarmInitContent(d.alarms);
        for (const AlarmDef &a : d.alarms)
            t.alarmNames.append(a.name);
        types.push_back(t);
    }

    struct Placement {
        WireAddress address;
        const char *name;
        std::vector<std::pair<int16_t, int>> placed; // slot, type index
    };
    std::vector<Placement> placements = {
        {{127, 0, 10, 1}, "Север-1", {{0, 0}, {1, 1}, {2, 1}, {4, 2}, {6, 3}}},
        {{127, 0, 10, 2}, "Юг-2", {{0, 0}, {1, 2}, {2, 3}, {16, 1}}},
        {{127, 0, 10, 3}, "Rack C", {{0, 0}, {3, 1}, {5, 2}}},
    };
    if (size == FakeNetworkSize::Full) {
        placements.clear();
        for (int r = 0; r < FULL_RACKS; ++r) {
            Placement p{{127, 0, 20, int16_t(r + 1)}, nullptr, {}};
            for (int s = 0; s < MAX_RACK_SLOTS; ++s)
                p.placed.emplace_back(int16_t(s), (r + s) % int(defs.size()));
            placements.push_back(p);
        }
    }
    for (std::size_t index = 0; index < placements.size(); ++index) {
        const Placement &p = placements[index];
        FakeRack rack;
        rack.address = p.address;
        rack.name = p.name ? QString::fromUtf8(p.name) : fullRackName(int(index));
        for (const auto &[slot, typeIndex] : p.placed) {
            const TypeDef &d = defs[std::size_t(typeIndex)];
            FakeModule m;
            m.slot = slot;
            m.type = &types[std::size_t(typeIndex)];
            m.registers = d.initialRegisters;
            m.registers.resize(std::max(m.registers.size(), std::size_t(d.controlTable.size() + 1)),
                               FILLER_REGISTER);
            for (std::size_t k = 0; k < d.alarms.size(); ++k) {
                const AlarmDef &a = d.alarms[k];
                AlarmWireRecord r;
                r.address = p.address;
                r.slot = slot;
                r.reg = int16_t(a.reg);
                r.kind = a.limitPair ? 1 : 2;
                r.lower = int16_t(a.lowerRaw);
                r.upper = int16_t(a.upperRaw);
                r.value = int16_t(a.value);
                r.alarmSet = 1;
                r.snmp = 1;
                r.alarmIndex = int16_t(k);
                r.moduleId = d.id;
                m.alarms.push_back(r);
            }
            rack.modules.push_back(m);
        }
        rackList.push_back(rack);
    }

    for (const FakeRack &rack : rackList)
        addLog(4, rack, nullptr, QString(), start.addSecs(-600));
    const FakeRack &first = rackList.front();
    addLog(1, first, &first.modules.front(), QStringLiteral("Voltage"), start.addSecs(-300));
    addLog(2, first, &first.modules.front(), QStringLiteral("Voltage"), start.addSecs(-240));
}

int FakeNetwork::moduleCount() const {
    int count = 0;
    for (const FakeRack &rack : rackList)
        count += int(rack.modules.size());
    return count;
}

QList<QByteArray> FakeNetwork::snapshot() const {
    std::vector<WireAddress> all;
    std::vector<WireAddress> selected;
    std::vector<RackNameEntry> names;
    for (const FakeRack &rack : rackList) {
        all.push_back(rack.address);
        if (rack.selected)
            selected.push_back(rack.address);
        names.push_back({rack.address, rack.name});
    }
    QList<QByteArray> out{encodeAlarmReset(all), encodeRackSelectionList(selected),
                          encodeRackNames(names)};
    for (const FakeModuleType &t : types)
        out.append(encodeAlarmInitFile(t.alarmInitFileName(), t.alarmInit));
    for (const FakeRack &rack : rackList)
        if (rack.selected)
            out.append(rackMessages(rack));
    return out;
}

QList<QByteArray> FakeNetwork::rackMessages(const FakeRack &rack) const {
    const auto ids = rack.slotIds();
    QList<QByteArray> out{encodeRackStructure(rack.address, ids)};
    std::vector<AlarmWireRecord> alarms;
    for (const FakeModule &m : rack.modules) {
        out.append(encodeBlockDescription(rack.address, m.slot, m.type->description));
        alarms.insert(alarms.end(), m.alarms.begin(), m.alarms.end());
    }
    out.append(valueMessages(rack));
    out.append(encodeAlarmSettings(alarms));
    return out;
}

QList<QByteArray> FakeNetwork::valueMessages(const FakeRack &rack) const {
    QList<QByteArray> out;
    for (const FakeModule &m : rack.modules)
        out.append(encodeRegisterValues(rack.address, m.slot, m.registers));
    return out;
}

QList<QByteArray> FakeNetwork::advance() {
    ++steps;
    QList<QByteArray> out;
    for (FakeRack &rack : rackList) {
        for (FakeModule &m : rack.modules) {
            const QStringList &lines = m.type->description.controlTable;
            for (int line = 0; line < lines.size(); ++line) {
                // Readings drift around their start value; lamps and settings stay put.
                if (lines[line].startsWith(u'~') && !lines[line].startsWith(u"~%")) {
                    const int swing = (steps + m.slot) % 7 - 3;
                    m.registers[std::size_t(line + 1)] += int16_t(swing);
                }
            }
        }
        if (rack.selected)
            out.append(valueMessages(rack));
    }
    if (size == FakeNetworkSize::Full) {
        // Alarms come and go all over the network: a few modules raise an alarm in one step
        // and clear it in the next.
        const int round = (steps - 1) / 2;
        for (int k = 0; k < FULL_ALARM_TOGGLES; ++k) {
            FakeRack &rack = rackList[std::size_t((3 * round + 10 * k) % int(rackList.size()))];
            toggleAlarm(rack, rack.modules[std::size_t((round + k) % int(rack.modules.size()))],
                        out);
        }
    } else if (steps % ALARM_TOGGLE_STEPS == 0) {
        FakeRack &rack = rackList.front();
        toggleAlarm(rack, rack.modules.front(), out);
    }
    return out;
}

void FakeNetwork::toggleAlarm(FakeRack &rack, FakeModule &module, QList<QByteArray> &out) {
    const AlarmWireRecord &alarm = module.alarms.front();
    // An alarm the operator set to Ignore is never raised; one raised before still clears.
    if (!module.alarmUp && alarm.alarmSet == 0)
        return;
    module.alarmUp = !module.alarmUp;
    module.registers[1] = module.alarmUp ? 2 : 1;
    module.registers[0] = module.alarmUp ? STATUS_INPUT_LOST : STATUS_ALL_GOOD;
    AlarmEventMsg event;
    event.raised = module.alarmUp;
    event.address = rack.address;
    event.slot = module.slot;
    event.reg = alarm.reg;
    event.alarmIndex = alarm.alarmIndex;
    event.moduleId = module.type->id;
    addLog(module.alarmUp ? 1 : 2, rack, &module, module.type->alarmNames.front(),
           startTime.addSecs(steps));
    if (rack.selected) {
        out.append(encodeAlarmEvent(event));
        out.append(encodeLogRecord(history.back()));
    }
}

QList<QByteArray> FakeNetwork::flood(FakeFlood kind, int count) {
    QList<QByteArray> out;
    if (kind == FakeFlood::None)
        return out;
    const QDateTime when = startTime.addSecs(steps);
    for (int i = 0; i < count; ++i, ++flooded) {
        const FakeRack &rack = rackList[std::size_t(flooded % int(rackList.size()))];
        if (kind == FakeFlood::StructuresAndLog && flooded % 2 == 0) {
            out.append(encodeRackStructure(rack.address, rack.slotIds()));
            continue;
        }
        LogWireRecord r = logRecordAt(when);
        r.eventType = int16_t(flooded % 4 + 1);
        r.alarmText = QStringLiteral("Flood");
        r.frameText = rack.name;
        r.slot = int16_t(flooded % MAX_RACK_SLOTS);
        r.moduleName = rack.modules.front().type->description.name;
        if (kind == FakeFlood::LogAddresses) {
            // A new address every record; every fifth has a word outside 0..255.
            const int n = flooded;
            r.address = {10, int16_t(n / 65536 % 256), int16_t(n / 256 % 256), int16_t(n % 256)};
            if (n % 5 == 1)
                r.address[1] = int16_t(256 + n % 1000);
            else if (n % 5 == 3)
                r.address[2] = int16_t(-1 - n % 100);
        } else {
            r.address = rack.address;
        }
        out.append(encodeLogRecord(r));
    }
    return out;
}

QList<QByteArray> FakeNetwork::logRecords(const QDateTime &from, const QDateTime &to) const {
    QList<QByteArray> out;
    for (const LogWireRecord &r : history) {
        const QDateTime when(QDate(r.year, r.month, r.day), QTime(r.hour, r.minute, r.second));
        if (when >= from && when <= to)
            out.append(encodeLogRecord(r));
    }
    return out;
}

FakeRack *FakeNetwork::findRack(const WireAddress &address) {
    for (FakeRack &rack : rackList)
        if (rack.address == address)
            return &rack;
    return nullptr;
}

QList<QByteArray> FakeNetwork::selectRacks(const std::vector<WireAddress> &selection) {
    std::vector<WireAddress> selected;
    std::vector<const FakeRack *> added;
    for (FakeRack &rack : rackList) {
        const bool now =
            std::find(selection.begin(), selection.end(), rack.address) != selection.end();
        if (now && !rack.selected)
            added.push_back(&rack);
        rack.selected = now;
        if (now)
            selected.push_back(rack.address);
    }
    QList<QByteArray> out{encodeRackSelectionList(selected)};
    for (const FakeRack *rack : added)
        out.append(rackMessages(*rack));
    return out;
}

QList<QByteArray> FakeNetwork::setRegister(const WireAddress &address, int slot, int reg,
                                           int value) {
    FakeRack *rack = findRack(address);
    if (!rack)
        return {};
    for (FakeModule &m : rack->modules) {
        if (m.slot != slot || reg < 1 || reg >= int(m.registers.size()))
            continue;
        if (isReading(m.type->description.controlTable[reg - 1]))
            return {};
        m.registers[std::size_t(reg)] = int16_t(value);
        return {encodeRegisterValues(rack->address, m.slot, m.registers)};
    }
    return {};
}

QList<QByteArray> FakeNetwork::setAlarm(const AlarmWireRecord &record) {
    FakeRack *rack = findRack(record.address);
    if (!rack)
        return {};
    for (FakeModule &m : rack->modules) {
        if (m.slot != record.slot || record.alarmIndex < 0 ||
            record.alarmIndex >= int16_t(m.alarms.size()))
            continue;
        AlarmWireRecord &alarm = m.alarms[std::size_t(record.alarmIndex)];
        alarm.lower = record.lower;
        alarm.upper = record.upper;
        alarm.value = record.value;
        alarm.alarmSet = record.alarmSet;
        alarm.snmp = record.snmp;
        return {encodeAlarmSettings(std::span(&alarm, 1))};
    }
    return {};
}

QList<QByteArray> FakeNetwork::renameRack(const WireAddress &address, const QString &name) {
    FakeRack *rack = findRack(address);
    if (!rack)
        return {};
    rack->name = name;
    std::vector<RackNameEntry> names;
    for (const FakeRack &r : rackList)
        names.push_back({r.address, r.name});
    return {encodeRackNames(names)};
}

void FakeNetwork::addLog(int eventType, const FakeRack &rack, const FakeModule *module,
                         const QString &alarmText, const QDateTime &when) {
    LogWireRecord r = logRecordAt(when);
    r.eventType = int16_t(eventType);
    r.alarmText = alarmText;
    r.address = rack.address;
    r.frameText = rack.name;
    r.slot = module ? module->slot : 0;
    r.moduleName = module ? module->type->description.name : QString();
    history.push_back(r);
}
