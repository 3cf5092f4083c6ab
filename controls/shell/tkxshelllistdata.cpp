#include "controls/shell/tkxshelllistdata.h"

#include "controls/shell/shelldata.h"
#include "platform/shellidlist.h"

#include "platform/nametext.h"

#include <QDateTime>
#include <QMimeDatabase>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kSniffedBytes = 4096;

// The description of a file's type from its name and first bytes, read through the raw path.
QString TypeNameOf(const QByteArray &path, mode_t mode) {
    const QMimeDatabase types;
    if (S_ISDIR(mode))
        return types.mimeTypeForName(QStringLiteral("inode/directory")).comment();
    const QString name = NameToText(path.mid(path.lastIndexOf('/') + 1));
    QByteArray head;
    if (S_ISREG(mode)) {
        if (const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK); fd >= 0) {
            head.resize(kSniffedBytes);
            head.resize(qMax<ssize_t>(::read(fd, head.data(), head.size()), 0));
            ::close(fd);
        }
    }
    return types.mimeTypeForFileNameAndData(name, head).comment();
}

} // namespace

TKxShellListData::TKxShellListData(ShellFolderPtr folder, QByteArray folderIdList, QByteArray item)
    : m_folder(std::move(folder))
    , m_folderIdList(std::move(folderIdList))
    , m_relative(std::move(item)) {}

const QByteArray &TKxShellListData::AbsoluteIdList() {
    if (m_absolute.isNull())
        m_absolute = ConcatIdLists(m_folderIdList, m_relative);
    return m_absolute;
}

void TKxShellListData::SetRelativeIdList(const QByteArray &item) {
    m_relative = CopyIdList(item);
    m_absolute = QByteArray();
    m_displayNameValid = false;
    m_detailsValid = false;
}

QString TKxShellListData::DisplayName() {
    if (!m_displayNameValid) {
        m_displayName = m_folder->displayNameOf(m_relative, ShellNameKind::InFolder);
        m_displayNameValid = true;
    }
    return m_displayName;
}

QString TKxShellListData::PathText() const {
    return m_folder->displayNameOf(m_relative, ShellNameKind::ForParsing);
}

ShellAttributes TKxShellListData::Attributes() const {
    ShellAttributes attributes =
        m_folder->attributesOf(m_relative, kAttributeMask | SfgaoRemovable);
    if (attributes & SfgaoRemovable)
        attributes &= ~static_cast<ShellAttributes>(SfgaoReadOnly);
    return attributes & kAttributeMask;
}

bool TKxShellListData::IsBrowsableFolder(bool streamsAsFolders) const {
    return ::IsBrowsableFolder(Attributes(), streamsAsFolders);
}

bool TKxShellListData::IsLink() const {
    return Attributes() & SfgaoLink;
}

bool TKxShellListData::CanRename() const {
    return Attributes() & SfgaoCanRename;
}

QString TKxShellListData::DetailText(int column) {
    if (!m_detailsValid) {
        computeDetails();
        m_detailsValid = true;
    }
    switch (column) {
    case 1:
        return m_size;
    case 2:
        return m_type;
    case 3:
        return m_modified;
    default:
        return {};
    }
}

void TKxShellListData::computeDetails() {
    m_size.clear();
    m_type.clear();
    m_modified.clear();
    const ShellAttributes attributes = Attributes();
    const QString path = PathText();
    if (!(attributes & SfgaoFileSystem) || path.isEmpty()) {
        m_type = QStringLiteral("System Folder");
        return;
    }
    // The path's own bytes: a name that is not UTF-8 has no other way to the file.
    const QByteArray raw = TextToName(path);
    struct statx info {};
    const unsigned mask = STATX_BASIC_STATS | STATX_BTIME;
    const bool found = ::statx(AT_FDCWD, raw.constData(), 0, mask, &info) == 0 ||
                       ::statx(AT_FDCWD, raw.constData(), AT_SYMLINK_NOFOLLOW, mask, &info) == 0;
    m_type = TypeNameOf(raw, found ? info.stx_mode : 0);
    // Mount points, like drive roots, show no size and no date.
    const std::optional<ShellItem> item = DecodeShellItem(m_relative);
    if (!item || item->kind != ShellItemKind::Entry || !found)
        return;
    if (!S_ISDIR(info.stx_mode))
        m_size = ShellSizeText(static_cast<qint64>(info.stx_size));
    const statx_timestamp &time = info.stx_mtime.tv_sec != 0 || !(info.stx_mask & STATX_BTIME)
                                      ? info.stx_mtime
                                      : info.stx_btime;
    m_modified =
        ShellDateText(QDateTime::fromMSecsSinceEpoch(time.tv_sec * 1000 + time.tv_nsec / 1000000));
}
