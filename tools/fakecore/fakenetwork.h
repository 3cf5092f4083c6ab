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
    bool alarmUp = false; // its first alarm is raised
};

// What the network is: a few racks and a dozen modules, or the most a console shows (40 racks
// of 17 modules, each with a long control table) with several alarms changing every step.
enum class FakeNetworkSize { Small, Full };

// Endless traffic for load tests: log records whose addresses change from record to record
// (some with words outside 0..255), or rack structures mixed with log records.
enum class FakeFlood { None, LogAddresses, StructuresAndLog };

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
    explicit FakeNetwork(const QDateTime &start = QDateTime::currentDateTime(),
                         FakeNetworkSize size = FakeNetworkSize::Small);

    // Every message that describes the network to a console that has just said hello: the
    // rack lists, names, alarm-init files, structures, descriptions, values and alarm settings.
    QList<QByteArray> snapshot() const;
    // One step of simulated time: new register values for every selected module, and every
    // fifth step an alarm raised or cleared with its log record.
    QList<QByteArray> advance();
    // The next `count` messages of a flood.
    QList<QByteArray> flood(FakeFlood kind, int count);
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
    // Raises or clears the module's first alarm: the event and its log record go to `out`.
    // An ignored alarm is not raised.
    void toggleAlarm(FakeRack &rack, FakeModule &module, QList<QByteArray> &out);

    std::vector<FakeModuleType> types;
    std::vector<FakeRack> rackList;
    std::vector<LogWireRecord> history;
    QDateTime startTime;
    FakeNetworkSize size;
    int steps = 0;
    int flooded = 0; // flood messages sent so far
};
