#pragma once

#include "platform/shellfolder.h"

#include <QByteArray>
#include <QList>

// A list of (item-id list, object) pairs, optionally sorted. With a shell folder set, lists
// compare by its compareIds(0); without, by their bytes.
class TKxPidlList {
public:
    enum TDuplicates { dupIgnore, dupAccept, dupError };

    virtual ~TKxPidlList() = default;

    int AddPidl(const QByteArray &list) { return AddPidlWithObject(list, nullptr); }
    // The index of the new (or, with dupIgnore, the equal) entry; with dupError an equal entry
    // raises std::runtime_error "TKxPidlList: Duplicate PIDL".
    virtual int AddPidlWithObject(const QByteArray &list, void *object);

    int Count() const { return static_cast<int>(m_items.size()); }
    int Capacity() const { return static_cast<int>(m_items.capacity()); }
    void SetCapacity(int capacity);
    const QByteArray &Pidl(int index) const { return m_items.at(index).list; }
    void *Object(int index) const { return m_items.at(index).object; }
    // -1 when absent.
    int IndexOf(const QByteArray &list) const;
    void Delete(int index);
    void Clear();

    bool Sorted() const { return m_sorted; }
    // Sorts when turned on.
    void SetSorted(bool sorted);
    TDuplicates Duplicates() const { return m_duplicates; }
    void SetDuplicates(TDuplicates duplicates) { m_duplicates = duplicates; }
    const ShellFolderPtr &ShellFolder() const { return m_folder; }
    void SetShellFolder(ShellFolderPtr folder) { m_folder = std::move(folder); }

private:
    struct Entry {
        QByteArray list;
        void *object = nullptr;
    };

    int compare(const QByteArray &a, const QByteArray &b) const;
    // True when found; index is the equal entry, or where the list belongs.
    bool find(const QByteArray &list, int &index) const;

    QList<Entry> m_items;
    bool m_sorted = false;
    TDuplicates m_duplicates = dupError;
    ShellFolderPtr m_folder;
};
