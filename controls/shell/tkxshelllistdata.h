#pragma once

#include "platform/shellfolder.h"

#include <QByteArray>
#include <QString>

// The shell data of one shell-list item: its list relative to the list's folder, its cached
// in-folder name and its detail texts (Size, Type, Modified), computed once.
class TKxShellListData {
public:
    // The attributes every item is asked for.
    static constexpr ShellAttributes kAttributeMask = 0x704F0037;

    TKxShellListData(ShellFolderPtr folder, QByteArray folderIdList, QByteArray item);

    // The folder that holds the item.
    const ShellFolderPtr &Folder() const { return m_folder; }
    const QByteArray &RelativeIdList() const { return m_relative; }
    const QByteArray &AbsoluteIdList();
    void SetRelativeIdList(const QByteArray &item);
    QString DisplayName();
    QString PathText() const;
    // SfgaoReadOnly is cleared for items on removable media.
    ShellAttributes Attributes() const;
    bool IsBrowsableFolder(bool streamsAsFolders) const;
    bool IsLink() const;
    bool CanRename() const;
    // Column 0 empty; 1 Size, 2 Type, 3 Modified.
    QString DetailText(int column);
    // The item changed: its details are computed again when next asked.
    void ForgetDetails() { m_detailsValid = false; }

private:
    void computeDetails();

    ShellFolderPtr m_folder;
    QByteArray m_folderIdList;
    QByteArray m_relative;
    QByteArray m_absolute;
    QString m_displayName;
    bool m_displayNameValid = false;
    QString m_size;
    QString m_type;
    QString m_modified;
    bool m_detailsValid = false;
};
