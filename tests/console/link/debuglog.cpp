#include "debuglog.h"

#include <QMutexLocker>

#include <atomic>

namespace {

std::atomic<DebugLog *> activeLog = nullptr;

} // namespace

DebugLog::DebugLog() {
    activeLog.store(this);
    previous = qInstallMessageHandler(&DebugLog::handler);
}

DebugLog::~DebugLog() {
    qInstallMessageHandler(previous);
    activeLog.store(nullptr);
}

int DebugLog::count(const QString &text) const {
    const QMutexLocker locker(&mutex);
    int found = 0;
    for (const QString &line : collected)
        found += line.contains(text);
    return found;
}

QStringList DebugLog::lines() const {
    const QMutexLocker locker(&mutex);
    return collected;
}

void DebugLog::handler(QtMsgType, const QMessageLogContext &, const QString &message) {
    if (DebugLog *log = activeLog.load()) {
        const QMutexLocker locker(&log->mutex);
        log->collected.append(message);
    }
}
