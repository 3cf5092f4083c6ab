#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The console-server message format. A message is a run of signed 16-bit words, each sent
// high byte first: word 0 = number of words that follow, word 1 = the code (kod), words 2..5 =
// the rack's address for messages about one rack.

// One outbound ring slot; the largest message the console sends.
inline constexpr int NUM_MSG_TO_SRV_BYTES = 326;
// Racks that one rack-selection message (code 120) can carry: 6 + 8 * 40 bytes fill a slot.
inline constexpr int MAX_SELECTED_RACKS = 40;
static_assert(6 + 8 * MAX_SELECTED_RACKS <= NUM_MSG_TO_SRV_BYTES);
static_assert(6 + 8 * (MAX_SELECTED_RACKS + 1) > NUM_MSG_TO_SRV_BYTES);
// Characters of a rack name that a rename (code 160) carries.
inline constexpr int MAX_RACK_NAME_LENGTH = 50;
static_assert(2 * MAX_RACK_NAME_LENGTH + 14 <= NUM_MSG_TO_SRV_BYTES);
// Words of one received message, word 0 included.
inline constexpr int MAX_SRV_MSG_WORDS = 24999;
// Module type ids in one rack structure (code 20): one per slot.
inline constexpr int MAX_RACK_SLOTS = 17;

// Message codes.
enum SrvCode : int16_t {
    msgHello = 10,
    msgRackStructure = 20,
    msgRegisterValues = 30,
    msgBlockDescription = 40,
    msgSetRegister = 50,
    msgAlarmSetting = 70,
    msgAlarmSettings = 80,
    msgAlarmRaised = 90,
    msgAlarmCleared = 91,
    msgAlarmInitFiles = 100,
    msgAlarmReset = 110,
    msgRackSelection = 120,
    msgPulse = 130,
    msgLogRequest = 140,
    msgLogRecord = 140,
    msgRackRename = 160,
    msgRackNames = 161,
};

// The four address words of a rack as they travel, first octet first (0..255 each when sent
// by a well-behaved peer).
using WireAddress = std::array<int16_t, 4>;

// Word/byte conversion; both require nBytes == 2 * nWords and end the process otherwise.
void ConvertShortToByteBuffer(const int16_t *words, int nWords, char *bytes, int nBytes);
void ConvertByteToShortBuffer(const char *bytes, int nBytes, int16_t *words, int nWords);

// Reduces the 4 * count words at w to their low bytes in place, then sets ids[i] to the module
// type id of words 4i..4i+3 (first word most significant).
void packIpOctets(int16_t *w, uint32_t *ids, int count);

// Address text a.b.c.d from the words' low bytes (codes 20, 30, 40 and the rack lookup).
QString lowByteAddressText(const WireAddress &address);
// Address text from the words' signed values (codes 80, 90, 91, 110, 120, 140).
QString signedAddressText(const WireAddress &address);
// The words' low bytes.
std::array<uint8_t, 4> lowByteOctets(const WireAddress &address);

// The 17 words of one alarm setting (the records of code 80 and the body of code 70).
struct AlarmWireRecord {
    WireAddress address{};
    int16_t slot = 0;       // 0-based; negative: the console ignores the record
    int16_t reg = 0;        // register of the alarm's parameter
    int16_t kind = 0;       // 1 = limit pair ("L"), 2 = any other kind
    int16_t lower = 0;      // raw register units
    int16_t upper = 0;      // raw register units
    int16_t value = 0;      // value of an alarm that is not a limit pair
    int16_t alarmSet = 0;   // 1 = Normal, 0 = Ignore
    int16_t snmp = 0;       // 1 = Normal, 0 = Ignore
    int16_t alarmIndex = 0; // 0..5 within the slot
    uint32_t moduleId = 0;  // travels as four low bytes, most significant first
};
inline constexpr int ALARM_WIRE_RECORD_WORDS = 17;

// Builders of every message the console sends; each returns the exact bytes.
QByteArray buildHello();
QByteArray buildPulse();
// Refuses (nullopt) more than MAX_SELECTED_RACKS addresses.
std::optional<QByteArray> buildRackSelection(std::span<const WireAddress> racks);
QByteArray buildSetRegister(const WireAddress &address, int16_t slot, int16_t reg, int16_t value);
QByteArray buildAlarmSetting(const AlarmWireRecord &record);
// Year, month, day, hour, minute, second of the range start, then of the range end.
QByteArray buildLogRequest(const QDateTime &from, const QDateTime &to);
// The name goes as Windows-1251 bytes, one sign-extended byte per word; refuses (nullopt) a
// name longer than MAX_RACK_NAME_LENGTH characters.
std::optional<QByteArray> buildRackRename(const WireAddress &address, QStringView name);

// Decoders of every message the console receives. Each takes one whole message (word 0
// included, as cut by word 0) and checks every count, length and offset against it: a message
// of another code, whose word 0 disagrees with its length, or whose contents do not fit,
// gives nullopt and nothing past its end is read. The limits of the console's tables (slots,
// values, lines, addresses in a list) are left to the handlers.
using SrvWords = std::span<const int16_t>;

// Code 20: address and the module type id of each slot from slot 0 (T / 4 of them; a table
// of more than MAX_RACK_SLOTS ids is malformed).
struct RackStructureMsg {
    WireAddress address{};
    int tableWords = 0; // T
    std::array<uint32_t, MAX_RACK_SLOTS> moduleIds{};
    int moduleCount = 0; // T / 4
};
std::optional<RackStructureMsg> decodeRackStructure(SrvWords msg);

// Code 30: raw register values, value i belonging to register i (a view into the message).
struct RegisterValuesMsg {
    WireAddress address{};
    int16_t slot = 0;
    SrvWords values;
};
std::optional<RegisterValuesMsg> decodeRegisterValues(SrvWords msg);

// The text of a block description, split into its sections by the keys "NAME=",
// "DESCRIPTION=", "DESCRIPTION_ENG=" and "CONTROL_TABLE=" as the console tokenises them:
// the description is UTF-16 cut by position, the rest are 8-bit texts; each control-table
// line is given without its ";", in order, as many as the text holds.
struct BlockDescriptionText {
    QString name;
    QString description;
    QString descriptionEng;
    QStringList controlTable;
};
BlockDescriptionText splitBlockDescription(SrvWords text);

// Code 40: address, slot and the description text words (a view into the message).
struct BlockDescriptionMsg {
    WireAddress address{};
    int16_t slot = 0;
    SrvWords text;
};
std::optional<BlockDescriptionMsg> decodeBlockDescription(SrvWords msg);

// Code 80: the alarm settings.
std::optional<std::vector<AlarmWireRecord>> decodeAlarmSettings(SrvWords msg);

// Codes 90 and 91: one alarm raised or cleared.
struct AlarmEventMsg {
    bool raised = false; // code 90; false for 91
    WireAddress address{};
    int16_t slot = 0;
    int16_t reg = 0;
    int16_t alarmIndex = 0;
    uint32_t moduleId = 0;
};
std::optional<AlarmEventMsg> decodeAlarmEvent(SrvWords msg);

// The content of one alarm-init file, 8-bit text as it travelled (low bytes); a NUL in it
// ends it early for the parser.
struct AlarmInitFile {
    QByteArray content;
};

// Code 100: the number of files F and the first file, present when F > 0.
struct AlarmInitFilesMsg {
    int16_t fileCount = 0;
    std::optional<QString> fileName; // e.g. "000A1B2C_A.txt"
    AlarmInitFile file;
};
std::optional<AlarmInitFilesMsg> decodeAlarmInitFiles(SrvWords msg);

// Codes 110 and 120: a list of rack addresses (words as they stand; their texts use the
// signed values).
std::optional<std::vector<WireAddress>> decodeAlarmReset(SrvWords msg);
std::optional<std::vector<WireAddress>> decodeRackSelection(SrvWords msg);

// Code 130: true for a pulse answer.
bool decodePulseAnswer(SrvWords msg);

// Code 140: one event-log record. The texts "NONE" of the alarm and module texts stand for
// empty ones and are given empty.
struct LogWireRecord {
    int16_t day = 0;
    int16_t month = 0;
    int16_t year = 0;
    int16_t hour = 0;
    int16_t minute = 0;
    int16_t second = 0;
    int16_t eventType = 0; // 1 ALARM, 2 ALARM CLEAR, 3 DEVICE LOST, 4 DEVICE PRESENT
    int16_t extra = 0;
    int16_t alarmTextLength = 0; // L1
    QString alarmText;
    WireAddress address{};
    int16_t frameTextLength = 0; // L2
    QString frameText;
    int16_t slot = 0;
    int16_t moduleNameLength = 0; // L3
    QString moduleName;
};
std::optional<LogWireRecord> decodeLogRecord(SrvWords msg);

// Code 161: the rack names, each with the address words it names.
struct RackNameEntry {
    WireAddress address{};
    QString name;
};
std::optional<std::vector<RackNameEntry>> decodeRackNames(SrvWords msg);

// 8-bit text of the words' low bytes, and UTF-16 text of the words as code units.
QString textFromLowBytes(SrvWords words);
QString textFromUtf16(SrvWords words);
