#include "platform/shellsortkey.h"

#include "platform/nametext.h"

namespace {

int sign(qint64 value) {
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

} // namespace

ShellSortKey NameSortKey(const QByteArray &name) {
    ShellSortKey key;
    key.name = name;
    // Names sort as they are shown.
    const QString text = NameToDisplayText(name);
    key.foldedName = text.toCaseFolded();
    const qsizetype dot = text.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0)
        key.foldedSuffix = key.foldedName.mid(dot + 1);
    return key;
}

int CompareShellSortKeys(int column, const ShellSortKey &a, const ShellSortKey &b) {
    if (a.folder != b.folder)
        return a.folder ? -1 : 1;
    int result = 0;
    switch (column) {
    case 1:
        result = sign(a.size - b.size);
        break;
    case 2:
        result = sign(a.foldedSuffix.compare(b.foldedSuffix));
        break;
    case 3:
        result = sign(a.modifiedNs - b.modifiedNs);
        break;
    default:
        break;
    }
    if (result == 0)
        result = sign(a.foldedName.compare(b.foldedName));
    return result != 0 ? result : sign(a.name.compare(b.name));
}
