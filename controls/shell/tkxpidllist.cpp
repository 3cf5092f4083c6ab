#include "controls/shell/tkxpidllist.h"

#include "platform/shellidlist.h"

#include <algorithm>
#include <stdexcept>

int TKxPidlList::compare(const QByteArray &a, const QByteArray &b) const {
    if (m_folder)
        return m_folder->compareIds(0, a, b);
    const int sizeA = IdListSize(a);
    const int sizeB = IdListSize(b);
    const int common = std::min(sizeA, sizeB);
    for (int i = 0; i < common; ++i) {
        const int difference =
            static_cast<unsigned char>(a[i]) - static_cast<int>(static_cast<unsigned char>(b[i]));
        if (difference != 0)
            return difference;
    }
    return sizeA - sizeB;
}

bool TKxPidlList::find(const QByteArray &list, int &index) const {
    int low = 0;
    int high = Count() - 1;
    bool found = false;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const int result = compare(m_items[middle].list, list);
        if (result < 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
            if (result == 0) {
                found = true;
                if (m_duplicates != dupAccept)
                    low = middle;
            }
        }
    }
    index = low;
    return found;
}

int TKxPidlList::AddPidlWithObject(const QByteArray &list, void *object) {
    if (!m_sorted) {
        m_items.append({CopyIdList(list), object});
        return Count() - 1;
    }
    int index = 0;
    if (find(list, index)) {
        if (m_duplicates == dupIgnore)
            return index;
        if (m_duplicates == dupError)
            throw std::runtime_error("TKxPidlList: Duplicate PIDL");
    }
    m_items.insert(index, {CopyIdList(list), object});
    return index;
}

void TKxPidlList::SetCapacity(int capacity) {
    m_items.reserve(std::max(capacity, Count()));
}

int TKxPidlList::IndexOf(const QByteArray &list) const {
    if (m_sorted) {
        int index = 0;
        return find(list, index) ? index : -1;
    }
    for (int i = 0; i < Count(); ++i) {
        if (compare(m_items[i].list, list) == 0)
            return i;
    }
    return -1;
}

void TKxPidlList::Delete(int index) {
    if (index < 0 || index >= Count())
        throw std::out_of_range("TKxPidlList: List index out of bounds");
    m_items.removeAt(index);
}

void TKxPidlList::Clear() {
    m_items.clear();
}

void TKxPidlList::SetSorted(bool sorted) {
    if (sorted == m_sorted)
        return;
    if (sorted) {
        std::stable_sort(m_items.begin(), m_items.end(), [this](const Entry &a, const Entry &b) {
            return compare(a.list, b.list) < 0;
        });
    }
    m_sorted = sorted;
}
