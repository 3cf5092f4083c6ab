#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>

// The console's settings as "settings.txt" holds them: 16 lines, LF-ended, Windows-1251, each
// value at a fixed column behind its key.
struct SettingsFile {
    std::array<std::uint8_t, 4> ip_srv{};
    QString ip_srv_text;
    QString port_srv_text;
    int port_srv = 0;
    QString settingFileName; // written as SET_FILE, never read back
    QDateTime lastTime;
    QString logFilterOnOff;
    QString logSelectFilter;
    QString logDateTime;
    QString logEventType;
    QString logIPs;
    QString logSlots;
};

inline constexpr int SETTINGS_FILE_LINES = 16;
inline constexpr const char *SETTINGS_TIME_FORMAT = "dd/MM/yyyy hh:mm:ss";

// Dotted decimal text of four octets.
QString octetsText(const std::array<std::uint8_t, 4> &octets);

// The file's bytes for the given values. The address line holds ip_srv_text, the address the
// console uses, kept as it was read; the octets of ip_srv only while that text is empty.
QByteArray formatSettingsFile(const SettingsFile &values);

// Reads the first 16 lines of a settings file into values. A key found anywhere in a line sets
// its value from the key's fixed column (ip_srv_text is the address value as it stands, ip_srv
// the low 8 bits of its first four fields); values whose key is absent are kept, except lastTime,
// which becomes invalid unless a valid LAST_TIME is found. Empty bytes (a missing file) change
// nothing but lastTime.
void parseSettingsFile(QByteArrayView bytes, SettingsFile &values);
