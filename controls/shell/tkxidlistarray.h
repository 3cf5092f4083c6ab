#pragma once

#include <QByteArray>

// A view over the elements of an absolute item-id list.
class TKxIdListArray {
public:
    explicit TKxIdListArray(QByteArray list)
        : m_list(std::move(list)) {}

    // 0 for a missing list.
    int ElementCount() const;
    // A one-element list of element i (0-based); null when i is negative or at or past the
    // count; for an empty list index 0 gives an empty list.
    QByteArray ElementAt(int index) const;
    // The first count - n elements.
    QByteArray WithoutLast(int n) const;

private:
    QByteArray m_list;
};
