#pragma once

#include "console/link/srvmessage.h"

#include <QByteArray>
#include <QString>

#include <span>

// The server side of the console-server format: builds the messages that the console decodes.
// 8-bit texts go as Windows-1251 bytes in the words' low bytes (high byte 0).

QByteArray encodeRackStructure(const WireAddress &address, std::span<const uint32_t> slotIds);
QByteArray encodeRegisterValues(const WireAddress &address, int16_t slot,
                                std::span<const int16_t> values);
// The description text with its four keys, the description in UTF-16.
QByteArray encodeBlockDescription(const WireAddress &address, int16_t slot,
                                  const BlockDescriptionText &text);
QByteArray encodeAlarmSettings(std::span<const AlarmWireRecord> records);
// Code 90 when event.raised, else 91.
QByteArray encodeAlarmEvent(const AlarmEventMsg &event);
// One file per message.
QByteArray encodeAlarmInitFile(const QString &fileName, const AlarmInitFile &file);
QByteArray encodeAlarmReset(std::span<const WireAddress> knownRacks);
QByteArray encodeRackSelectionList(std::span<const WireAddress> selectedRacks);
QByteArray encodePulseAnswer();
// Empty alarm and module texts go as "NONE".
QByteArray encodeLogRecord(const LogWireRecord &record);
QByteArray encodeRackNames(std::span<const RackNameEntry> entries);
