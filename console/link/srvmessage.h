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
