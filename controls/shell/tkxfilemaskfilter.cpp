#include "controls/shell/tkxfilemaskfilter.h"

#include <QDir>
#include <QFileInfo>

bool TKxFileMaskFilter::AddMask(const QString &pattern) {
    const QFileInfo info(pattern);
    const QDir folder = info.dir();
    if (!folder.exists() || !folder.isReadable())
        return false;
    const QStringList names =
        folder.entryList({info.fileName()}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names)
        m_names.insert(name.toUpper());
    return true;
}

bool TKxFileMaskFilter::Passes(const QString &name) const {
    return m_names.contains(name.toUpper());
}
