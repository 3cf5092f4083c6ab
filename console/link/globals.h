#pragma once

#include <QDateTime>
#include <QIcon>
#include <QMutex>
#include <QString>

#include <array>
#include <cstdint>

class MainWindow;

// Process-wide state of the console, set up before main runs.

extern QString appDir;          // the current directory at start, "/" separators
extern QString settingFileName; // appDir + "/settings.txt" until the settings dialog changes it

// Block-state icons, filled by main and read-only afterwards.
extern QIcon redBlockIcon;
extern QIcon greenBlockIcon;
extern QIcon grayBlockIcon;

// Set by main once the window is shown; null while the window is being built.
extern MainWindow *mainWindow;

// Settings, read from and written to the settings file.
extern std::array<std::uint8_t, 4> ip_srv; // server address, octet 0 first
extern QString ip_srv_text;                // the address the link thread connects to
extern QString port_srv_text;
extern int port_srv; // the link uses its low 16 bits
extern QDateTime lastTime;
extern QString logFilterOnOff;
extern QString logSelectFilter;
extern QString logDateTime;
extern QString logEventType;
extern QString logIPs;
extern QString logSlots;

// Guards ip_srv_text and port_srv: the GUI thread changes both under it, the link thread copies
// both under it before each connect.
extern QMutex srvAddressLock;

// The range of the log request. Until the operator confirms an end of his own (logToSet), the
// range ends at the time of each request, so a request after a reconnect also asks for the
// events since the start and during the outage.
extern QDateTime logFrom;
extern QDateTime logTo;
extern bool logToSet;

// The end of a log request made at `now`: logTo when the operator set it, otherwise `now`,
// which logTo then takes.
QDateTime logRequestEnd(const QDateTime &now);

// The range at start: the calendar month up to now.
void setLogRangeToMonthBefore(const QDateTime &now);
