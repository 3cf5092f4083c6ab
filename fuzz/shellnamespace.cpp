#include "controls/shell/shelldata.h"
#include "platform/mountinfo.h"
#include "platform/nametext.h"
#include "platform/shellidlist.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

// Feeds the bytes to the mount-table reader, to the item-id list operations and the id-list
// array decoder, and to the name/text and uri-list conversions; each must hold its own rules.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    const QList<MountPoint> mounts = BrowsableMounts(ParseMountInfo(bytes));
    if (mounts.isEmpty() || mounts.first().mountPath != "/")
        __builtin_trap();
    for (qsizetype i = 0; i < mounts.size(); ++i) {
        if (!mounts[i].mountPath.startsWith('/') ||
            (i > 0 && CompareMountPaths(mounts[i - 1].mountPath, mounts[i].mountPath) >= 0))
            __builtin_trap();
        if (MountIndexOf(mounts, mounts[i].mountPath + "/x") < 0)
            __builtin_trap();
    }

    const QByteArray copy = CopyIdList(bytes);
    if (IdListSize(bytes) != copy.size() || CopyIdList(copy) != copy)
        __builtin_trap();
    const int count = IdListElementCount(bytes);
    QByteArray rebuilt = CopyIdList(QByteArray());
    for (int i = 0; i < count; ++i) {
        const QByteArray element = IdListElementAt(bytes, i);
        if (IdListElementCount(element) != 1)
            __builtin_trap();
        DecodeShellItem(element);
        rebuilt = ConcatIdLists(rebuilt, element);
    }
    if (rebuilt != copy || (count > 0 && !IdListElementAt(bytes, count).isNull()))
        __builtin_trap();
    if (count > 0 && ConcatIdLists(IdListWithoutLast(bytes, 1), LastIdListElement(bytes)) != copy)
        __builtin_trap();
    QByteArray parent;
    QList<QByteArray> items;
    if (DecodeIdListArray(bytes, parent, items)) {
        QByteArray again;
        QList<QByteArray> itemsAgain;
        if (!DecodeIdListArray(EncodeIdListArray(parent, items), again, itemsAgain) ||
            again != parent || itemsAgain != items)
            __builtin_trap();
    }

    if (TextToName(NameToText(bytes)) != bytes)
        __builtin_trap();
    const QList<QByteArray> paths = PathsOfUriList(bytes);
    if (PathsOfUriList(UriListOfPaths(paths)) != paths)
        __builtin_trap();
    return 0;
}
