#include "controls/framed/listrows.h"

int FindPrefixRow(const QStringList &rows, const QString &text) {
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (rows.at(i).startsWith(text, Qt::CaseInsensitive))
            return int(i);
    }
    return -1;
}

int ExactTextRow(const QStringList &rows, const QString &text) {
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (rows.at(i).compare(text, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

bool IsGroupText(const QString &text, const QString &groupPrefix) {
    return text.startsWith(groupPrefix, Qt::CaseSensitive);
}

int GroupRowAbove(const QStringList &rows, const QString &groupPrefix, int index) {
    if (index >= rows.size())
        return -1;
    for (int i = index; i >= 0; --i) {
        if (IsGroupText(rows.at(i), groupPrefix))
            return i;
    }
    return -1;
}

int GroupRowOrdinal(const QStringList &rows, const QString &groupPrefix, int index) {
    if (index < 0 || index >= rows.size() || !IsGroupText(rows.at(index), groupPrefix))
        return -1;
    int ordinal = 0;
    for (int i = 0; i < index; ++i)
        ordinal += IsGroupText(rows.at(i), groupPrefix) ? 1 : 0;
    return ordinal;
}
