#pragma once

#include "console/link/srvmessage.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

// One module type: its block description, its alarm-init file and the registers it reports.
struct FakeModuleType {
    uint32_t id = 0;
    BlockDescriptionText description;
    AlarmInitFile alarmInit;
    QStringList alarmNames; // by alarm index
    QString alarmInitFileName() const;
};

struct FakeModule {
    int16_t slot = 0;
    const FakeModuleType *type = nullptr;
    std::vector<int16_t> registers; // register 0 is the status word
    std::vector<AlarmWireRecord> alarms;
};

struct FakeRack {
    WireAddress address{};
    QString name;
    std::vector<FakeModule> modules;
    bool selected = true;
    std::array<uint32_t, MAX_RACK_SLOTS> slotIds() const;
};

// The simulated network of a few racks and a dozen modules, and its event history. All
// behaviour over time goes through advance(), so a test can step it.
class FakeNetwork {
public:
    explicit FakeNetwork(const QDateTime &start = QDateTime::currentDateTime());

    // Every message that describes the network to a console that has just said hello: the
    // rack lists, names, alarm-init files, structures, descriptions, values and alarm settings.
    QList<QByteArray> snapshot() const;
    // One step of simulated time: new register values for every selected module, and every
    // fifth step an alarm raised or cleared with its log record.
    QList<QByteArray> advance();
    // The log records inside [from, to].
    QList<QByteArray> logRecords(const QDateTime &from, const QDateTime &to) const;

    // Requests from the console; each returns the messages to answer with.
    QList<QByteArray> selectRacks(const std::vector<WireAddress> &selection);
    QList<QByteArray> setRegister(const WireAddress &address, int slot, int reg, int value);
    QList<QByteArray> setAlarm(const AlarmWireRecord &record);
    QList<QByteArray> renameRack(const WireAddress &address, const QString &name);

    const std::vector<FakeRack> &racks() const { return rackList; }
    int moduleCount() const;
    int stepCount() const { return steps; }

private:
    QList<QByteArray> rackMessages(const FakeRack &rack) const;
    QList<QByteArray> valueMessages(const FakeRack &rack) const;
    FakeRack *findRack(const WireAddress &address);
    void addLog(int eventType, const FakeRack &rack, const FakeModule *module,
                const QString &alarmText, const QDateTime &when);

    std::vector<FakeModuleType> types;
    std::vector<FakeRack> rackList;
    std::vector<LogWireRecord> history;
    QDateTime startTime;
    int steps = 0;
    bool alarmUp = false;
};
