#pragma once

#include "console/link/srvmessage.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

// Server messages for the handler tests: raw word lists for malformed ones, and short forms
// of the simulated server's encoders for the rest.
using Words = std::vector<int>;
using Ip = std::array<int, 4>;

// Word 0 (the number of words that follow) and the given words, big-endian.
QByteArray srvMsg(const Words &afterWord0);
// Raw words, big-endian, word 0 included as given.
QByteArray rawWords(const Words &words);

WireAddress wire(const Ip &ip);

QByteArray rackStructureMsg(const Ip &ip, const std::vector<uint32_t> &ids);
QByteArray registerValuesMsg(const Ip &ip, int slot, const Words &values);
QByteArray blockDescriptionMsg(const Ip &ip, int slot, const QString &name,
                               const QString &description, const QString &eng,
                               const QStringList &lines);
QByteArray rackNamesMsg(const std::vector<std::pair<Ip, QString>> &entries);
QByteArray alarmEventMsg(int kod, const Ip &ip, int slot, int reg, int alarm, uint32_t id);
QByteArray alarmSettingsMsg(const std::vector<AlarmWireRecord> &records);
QByteArray alarmInitMsg(const QString &fileName, const QByteArray &content);
QByteArray addressListMsg(int kod, const std::vector<Ip> &addresses);
QByteArray logRecordMsg(const Words &dateTime, int eventType, const QString &alarmText,
                        const Ip &ip, const QString &frameText, int slot,
                        const QString &moduleName);
