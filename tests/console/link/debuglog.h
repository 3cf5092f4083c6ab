#pragma once

#include <QMutex>
#include <QString>
#include <QStringList>

#include <QtMessageHandler>

// Collects the debug lines of every thread while it exists.
class DebugLog {
public:
    DebugLog();
    ~DebugLog();
    DebugLog(const DebugLog &) = delete;
    DebugLog &operator=(const DebugLog &) = delete;

    // Lines that contain `text`.
    int count(const QString &text) const;
    QStringList lines() const;

private:
    static void handler(QtMsgType type, const QMessageLogContext &context, const QString &message);

    mutable QMutex mutex;
    QStringList collected;
    QtMessageHandler previous = nullptr;
};
