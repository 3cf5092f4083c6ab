#include "platform/profilewriteerror.h"

namespace {

QString messageFor(const QString &path) {
    return QStringLiteral("Unable to write to %1").arg(path);
}

} // namespace

ProfileWriteError::ProfileWriteError(const QString &path)
    : std::runtime_error(messageFor(path).toStdString())
    , m_path(path) {}

QString ProfileWriteError::message() const {
    return messageFor(m_path);
}
