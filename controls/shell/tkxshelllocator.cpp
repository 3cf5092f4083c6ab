#include "controls/shell/tkxshelllocator.h"

#include "controls/shell/shellutils.h"

#include <QtEndian>

namespace {

constexpr int kCountSize = 4;

} // namespace

void TKxShellLocator::changed() {
    if (OnChange)
        OnChange(this);
}

void TKxShellLocator::Assign(const TKxShellLocator *source) {
    if (!source) {
        if (m_idList.isNull())
            return;
        m_idList = QByteArray();
        m_kind = ByIdList;
        changed();
        return;
    }
    if (Equals(*source))
        return;
    m_idList = QByteArray();
    m_kind = source->m_kind;
    if (m_kind == BySpecialFolder) {
        m_specialFolder = source->m_specialFolder;
    } else {
        m_specialFolder = kCsidlNone;
        if (!source->m_idList.isNull())
            m_idList = CopyIdList(source->m_idList);
    }
    changed();
}

bool TKxShellLocator::Equals(const TKxShellLocator &other) const {
    if (m_kind != other.m_kind)
        return false;
    if (this == &other)
        return true;
    if (m_kind == ByIdList)
        return CompareIdLists(m_idList, other.m_idList) == 0;
    return m_specialFolder == other.m_specialFolder;
}

void TKxShellLocator::SetSpecialFolder(std::uint8_t csidl) {
    if (m_kind == BySpecialFolder && m_specialFolder == csidl)
        return;
    m_kind = BySpecialFolder;
    m_specialFolder = csidl;
    m_idList = QByteArray();
    changed();
}

void TKxShellLocator::SetIdList(const QByteArray &list) {
    const Kind oldKind = m_kind;
    m_kind = ByIdList;
    const bool folderChanged =
        !m_idList.isNull() ? oldKind != ByIdList || CompareIdLists(m_idList, list) != 0
                           : oldKind != ByIdList || IdListSize(list) > kIdListTerminatorSize;
    m_idList = IdListSize(list) > kIdListTerminatorSize ? CopyIdList(list) : QByteArray();
    m_specialFolder = kCsidlNone;
    if (folderChanged)
        changed();
}

void TKxShellLocator::SetPath(const QString &path) {
    QByteArray list;
    if (PathToIdList(path, list) != 0)
        list = QByteArray();
    SetIdList(list);
}

QString TKxShellLocator::Path() const {
    if (m_kind == ByIdList || !m_idList.isNull())
        return IdListToPath(m_idList);
    QByteArray list;
    return SpecialFolderLocation(m_specialFolder, list) ? IdListToPath(list) : QString();
}

QByteArray TKxShellLocator::FolderIdList() {
    if (m_kind == BySpecialFolder && m_idList.isNull())
        SpecialFolderLocation(m_specialFolder, m_idList);
    return m_idList;
}

QByteArray TKxShellLocator::Write() const {
    QByteArray record(1, static_cast<char>(m_kind));
    if (m_kind != ByIdList) {
        record.append(static_cast<char>(m_specialFolder));
        return record;
    }
    const int size = IdListSize(m_idList);
    char count[kCountSize];
    qToLittleEndian<quint32>(static_cast<quint32>(size), count);
    record.append(count, kCountSize);
    if (!m_idList.isNull())
        record.append(CopyIdList(m_idList));
    return record;
}

bool TKxShellLocator::Read(const QByteArray &record) {
    if (record.isEmpty())
        return false;
    if (record[0] != 0) {
        if (record.size() != 2)
            return false;
        m_kind = BySpecialFolder;
        m_specialFolder = static_cast<std::uint8_t>(record[1]);
        m_idList = QByteArray();
        return true;
    }
    if (record.size() < 1 + kCountSize)
        return false;
    const quint32 count = qFromLittleEndian<quint32>(record.constData() + 1);
    const QByteArray list = record.mid(1 + kCountSize);
    if (static_cast<quint32>(list.size()) != count)
        return false;
    if (count == 0) {
        // A stored empty list names the desktop special folder.
        m_kind = BySpecialFolder;
        m_specialFolder = kCsidlDesktop;
        m_idList = QByteArray();
        return true;
    }
    if (IdListSize(list) != static_cast<int>(count) || !list.endsWith(QByteArray(2, '\0')))
        return false;
    m_kind = ByIdList;
    m_specialFolder = kCsidlNone;
    m_idList = list;
    return true;
}
