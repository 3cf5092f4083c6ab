#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>

// Names one folder of the shell namespace by an absolute item-id list (kind 0) or a special-
// folder number (kind 1); how the shell controls hand folders to one another.
class TKxShellLocator {
public:
    enum Kind : std::uint8_t { ByIdList = 0, BySpecialFolder = 1 };

    TKxShellLocator() = default;
    TKxShellLocator(const TKxShellLocator &) = delete;
    TKxShellLocator &operator=(const TKxShellLocator &) = delete;

    // A copy of another locator; nullptr clears a held list. Fires OnChange when it changes.
    void Assign(const TKxShellLocator *source);
    bool Equals(const TKxShellLocator &other) const;

    Kind GetKind() const { return m_kind; }
    std::uint8_t SpecialFolder() const { return m_specialFolder; }
    void SetSpecialFolder(std::uint8_t csidl);
    // The held list (null when none; none stands for the desktop).
    const QByteArray &IdList() const { return m_idList; }
    void SetIdList(const QByteArray &list);
    void Clear() { SetIdList(QByteArray()); }
    // A text that does not parse sets none.
    void SetPath(const QString &path);
    // The file-system path of the folder; empty for a virtual folder.
    QString Path() const;
    // The folder's list: the held list, or for kind 1 the special folder's (asked once, then
    // kept).
    QByteArray FolderIdList();

    // The stored "Pidl" record: kind, then the number (kind 1) or the 4-byte little-endian size
    // and the list's bytes (kind 0).
    bool HasStoredData() const { return !m_idList.isNull() || m_kind == BySpecialFolder; }
    QByteArray Write() const;
    // False for a record that is short or malformed; the locator is then unchanged.
    bool Read(const QByteArray &record);

    std::function<void(TKxShellLocator *sender)> OnChange;

private:
    void changed();

    Kind m_kind = ByIdList;
    QByteArray m_idList;
    std::uint8_t m_specialFolder = 50; // no special folder
};
