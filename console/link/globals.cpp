#include "console/link/globals.h"

#include <QDir>

QString appDir = QDir::currentPath();
QString settingFileName = appDir + QStringLiteral("/settings.txt");
QIcon redBlockIcon;
QIcon greenBlockIcon;
QIcon grayBlockIcon;
MainWindow *mainWindow = nullptr;

std::array<std::uint8_t, 4> ip_srv{};
QString ip_srv_text;
QString port_srv_text;
int port_srv = 0;
QDateTime lastTime;
QString logFilterOnOff;
QString logSelectFilter;
QString logDateTime;
QString logEventType;
QString logIPs;
QString logSlots;

QMutex srvAddressLock;

QDateTime logFrom;
QDateTime logTo;
bool logToSet = false;

QDateTime logRequestEnd(const QDateTime &now) {
    if (!logToSet)
        logTo = now;
    return logTo;
}

void setLogRangeToMonthBefore(const QDateTime &now) {
    logTo = now;
    // addMonths keeps the time and clamps a day the earlier month lacks to its last day.
    logFrom = now.addMonths(-1);
}
