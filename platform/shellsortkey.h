#pragma once

#include <QByteArray>
#include <QString>

// What a file-system item sorts by, read once when its folder is listed, so that sorting makes
// no file-system call and no look-up.
struct ShellSortKey {
    bool folder = false;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    // The name as shown, case-folded, and the part after its last dot.
    QString foldedName;
    QString foldedSuffix;
    QByteArray name;
};

// The key of a name alone (an item that is gone): its name keys, nothing else.
ShellSortKey NameSortKey(const QByteArray &name);
// Negative, 0 or positive: folders first; then column 1 by size, 2 by suffix, 3 by the time of
// the last change (0 and others by nothing); then the name as shown ignoring case; then the
// name's bytes.
int CompareShellSortKeys(int column, const ShellSortKey &a, const ShellSortKey &b);
