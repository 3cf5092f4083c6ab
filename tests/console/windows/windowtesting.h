#pragma once

#include "console/link/settingsfile.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QString>

#include <functional>

// Runs the event loop until done() holds; false when it still does not after timeoutMs.
inline bool waitUntil(const std::function<bool()> &done, int timeoutMs = 60000) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// A console settings file at path that names the server 127.0.0.1 at port.
inline bool writeLoopbackSettings(const QString &path, quint16 port) {
    SettingsFile settings;
    settings.ip_srv = {127, 0, 0, 1};
    settings.port_srv_text = QString::number(port);
    settings.settingFileName = path;
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(formatSettingsFile(settings)) > 0;
}
