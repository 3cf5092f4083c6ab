#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

// The console's tables: racks, slots, module descriptions, alarms, alarm definitions, the
// event log and the state of the message being processed. Only the GUI thread touches them.

constexpr int MAX_RACK_NUMBER = 40;
constexpr int SLOTS_PER_RACK = 17;
constexpr int ALARMS_PER_SLOT = 6;
constexpr int MAX_CONTROL_LINES = 256;
constexpr int MAX_BLOCKS = MAX_RACK_NUMBER * SLOTS_PER_RACK;
constexpr int MAX_ALARM_INIT_FILES = MAX_BLOCKS;
constexpr int MAX_LOG_RECORDS = 10000;
constexpr int SRV_BUFFER_BYTES = 50000;
constexpr int SRV_BUFFER_WORDS = 50000;
constexpr int RACK_NAME_CHARS = 50;
// Rack panel height change when a rack's rows are shown or hidden.
constexpr int RACK_ROWS_SHOWN_HEIGHT = 166;
constexpr int RACK_ROWS_HIDDEN_HEIGHT = 161;

static_assert(MAX_BLOCKS == 680);
static_assert(MAX_CONTROL_LINES == 256, "a register number travels in one byte");
static_assert(SRV_BUFFER_BYTES % 2 == 0 && SRV_BUFFER_WORDS * 2 >= SRV_BUFFER_BYTES);

// Address tables of the racks the server knows and of the racks selected for this console.
// Process-wide: the settings dialog and the message handlers both read and write them, always
// in the GUI thread.
constexpr int MAX_RACK_ADDRESSES = 255;

struct RackAddress {
    int16_t ip[4] = {0, 0, 0, 0};
    QString text;
};

struct RackAddressTable {
    std::array<RackAddress, MAX_RACK_ADDRESSES> entries;
    int count = 0;

    // Back to zero octets, empty texts and a count of 0.
    void clear();
};

extern RackAddressTable ip_all;     // every rack the server knows (code 110)
extern RackAddressTable ip_all_old; // copy of ip_all
extern RackAddressTable ip_sel;     // racks selected for this console (settings, code 120)
extern RackAddressTable ip_sel_old; // ip_sel before its latest change

// Empties all four address tables (a new server address).
void clearRackAddressTables();

struct RackRecord {
    int number = 0;                                             // its own index
    int absent = 1;                                             // 1: not shown, 0: shown
    std::array<uint32_t, SLOTS_PER_RACK> nRackStructureTable{}; // module type id, 0 = empty
    std::array<uint32_t, SLOTS_PER_RACK> previousStructure{};
    std::array<uint8_t, 4> ip{};
    QString ipText;
    QString name;
};

// Per-line values of a control table: the lines written so far, and the value every later line
// reads. A slot whose module is never described keeps no lines, and a described one only as
// many as its table has.
template <class T> class ControlLines {
public:
    explicit ControlLines(T beyond = T())
        : m_beyond(std::move(beyond)) {}

    static constexpr int size() { return MAX_CONTROL_LINES; }
    const T &operator[](int line) const {
        return line < int(m_lines.size()) ? m_lines[std::size_t(line)] : m_beyond;
    }
    T &operator[](int line) {
        if (line >= int(m_lines.size()))
            m_lines.resize(std::size_t(line) + 1, m_beyond);
        return m_lines[std::size_t(line)];
    }
    // Every line reads `value` until written.
    void fill(const T &value) {
        m_lines.clear();
        m_beyond = value;
    }
    // Room for the first `lines` lines, so writing them in order moves none.
    void reserve(int lines) { m_lines.reserve(std::size_t(lines)); }
    ControlLines &operator=(const std::array<T, MAX_CONTROL_LINES> &values) {
        m_lines.assign(values.begin(), values.end());
        return *this;
    }

private:
    std::vector<T> m_lines;
    T m_beyond;
};

struct BlockDescription {
    std::array<uint8_t, 4> ip{};
    uint8_t slot = 0;
    uint8_t rackIndex = 0;
    QString ipText;
    QString name;
    QString description;
    QString descriptionEng;
    std::array<int16_t, MAX_CONTROL_LINES> values{}; // sign-extended from 14 bits
    int valueCount = 0;
    ControlLines<double> scale{1.0}; // per control-table line, 1.0 until derived
    ControlLines<QString> entries;
    int entryCount = 0;
    ControlLines<QString> captions;
    int valuesState = -1; // -1: no values yet, 1: values received
};

struct AlarmEntry {
    QString ipText;
    QString spareText;
    uint32_t moduleId = 0;
    QString name;
    QString kind; // "L" for a limit pair
    int reg = -1; // -1: no alarm defined
    int16_t value = 0;
    int state = -1; // 1: raised, -1: not raised
    int rackIndex = 0;
    int slotIndex = 0;
    int alarmIndex = 0;
    int alarmCount = 0; // alarm 0 of a slot: alarms defined for the slot
    int viewState1 = 1;
    int viewState2 = 1;
    double upper = 0.0;
    double lower = 0.0;
    int decimals = 0;
    uint8_t alarm_set = 0; // 1 Normal, 0 Ignore
    uint8_t snmp = 1;      // 1 Normal, 0 Ignore
    uint8_t alarmSetOld = 0;
    int viewState3 = -1;
    int widgetsLoaded = 0; // alarm 0 of a slot: 1 while its alarm widgets are loaded
};

struct AlarmInitRecord {
    QString fname; // module type id in hexadecimal
    int reg = 0;
    QString name;
    QString kind;
    int value = 0;
    double upper = 0.0;
    double lower = 0.0;
    int recordCount = 0;   // record 0 of a row: records ended by ";;"
    int contentLength = 0; // record 0 of a row
    QByteArray content;    // record 0 of a row
};

struct LogRecord {
    int day = 0;
    int month = 0;
    int year = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    QDateTime dateTime;
    int eventType = 0; // 1..4
    int extra = 0;
    int alarmTextLength = 0;
    QString alarmText;
    std::array<int, 4> ip{};
    QString ipText;
    int frameTextLength = 0;
    QString frameText;
    int slot = 0;
    int moduleNameLength = 0;
    QString moduleName;
    int shown = -1; // -1: not yet shown in the log table, 1: shown
};

using SlotAlarms = std::array<AlarmEntry, ALARMS_PER_SLOT>;
using RackAlarms = std::array<SlotAlarms, SLOTS_PER_RACK>;
using AlarmInitRow = std::array<AlarmInitRecord, ALARMS_PER_SLOT>;

// The console's state; big, so it lives on the heap only (create()).
class ConsoleTables {
public:
    static std::unique_ptr<ConsoleTables> create();

    BlockDescription &block(int rack, int slot) { return blockDesc[rack * SLOTS_PER_RACK + slot]; }
    // Returns the alarm entry to its initial values; it keeps its own position.
    void resetAlarmEntry(int rack, int slot, int alarm);

    std::array<RackRecord, MAX_RACK_NUMBER> rack;
    std::array<BlockDescription, MAX_BLOCKS> blockDesc;
    std::array<RackAlarms, MAX_RACK_NUMBER> alarm_table;
    std::array<AlarmInitRow, MAX_ALARM_INIT_FILES> alarm_init_file;
    std::array<LogRecord, MAX_LOG_RECORDS> logRecords;
    int logRecIndex = 0; // next log record to write

    // The message being processed.
    std::array<uint8_t, SRV_BUFFER_BYTES> AccumBuffer{};  // bytes not yet cut into messages
    std::array<int16_t, SRV_BUFFER_WORDS> n_srv{};        // words of the current message
    std::array<int16_t, SRV_BUFFER_WORDS> rackNameList{}; // the latest rack-name message
    int rxCarry = 0;      // bytes waiting in AccumBuffer between chunks
    int msgWordCount = 0; // words of the current message, word 0 included
    int kod = 0;
    QString currIp;
    int currnrack = -1;           // rack of the current message; -1 while no rack is known
    int currRackKnown = -1;       // codes 20 and 40: 1 = the address names a rack
    bool currRackMatched = false; // the current message's own address names a rack

    // A handler changed what the network tree shows, or the rack panel's height; the tree is
    // rebuilt and the panel resized once the chunk's messages are handled.
    bool treeStale = false;
    bool rackPanelStale = false;

    int rackCount = 0; // racks added so far; the next new rack takes this index
    int visibleRackCount = 0;
    int rackPanelHeight = 0;
    int num_init_file_all = 0; // rows of alarm_init_file in use

    // Pane selections, 1-based rack and slot, -1 = none.
    int monitorRack1 = -1;
    int monitorSlot1 = -1;
    int monitorRack2 = -1;
    int monitorSlot2 = -1;
    int monitoringOn = -1;

private:
    ConsoleTables();
};
