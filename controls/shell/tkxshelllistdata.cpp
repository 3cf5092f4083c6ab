#include "controls/shell/tkxshelllistdata.h"

#include "controls/shell/shelldata.h"
#include "platform/shellidlist.h"

#include <QFileInfo>
#include <QMimeDatabase>

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
    const QFileInfo info(path);
    m_type = QMimeDatabase().mimeTypeForFile(info).comment();
    // Mount points, like drive roots, show no size and no date.
    const std::optional<ShellItem> item = DecodeShellItem(m_relative);
    if (!item || item->kind != ShellItemKind::Entry || !info.exists())
        return;
    if (!info.isDir())
        m_size = ShellSizeText(info.size());
    const QDateTime written = info.lastModified();
    m_modified = ShellDateText(
        written.isValid() && written.toSecsSinceEpoch() != 0 ? written : info.birthTime());
}
