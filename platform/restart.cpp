#include "platform/restart.h"

#include <QCoreApplication>
#include <QProcess>

bool StartProgramAgain() {
    return QProcess::startDetached(QCoreApplication::applicationFilePath(), {});
}
