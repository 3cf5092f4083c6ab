#include "platform/shellidlist.h"

namespace {

int elementSizeAt(const QByteArray &list, int offset) {
    if (offset + kIdListElementHeaderSize > list.size())
        return 0;
    return static_cast<unsigned char>(list[offset]) |
           (static_cast<unsigned char>(list[offset + 1]) << 8);
}

// The byte offsets of the whole elements, in order.
QList<int> elementOffsets(const QByteArray &list) {
    QList<int> offsets;
    int offset = 0;
    for (;;) {
        const int size = elementSizeAt(list, offset);
        if (size < kIdListElementHeaderSize || offset + size > list.size())
            break;
        offsets.append(offset);
        offset += size;
    }
    return offsets;
}

int elementsEnd(const QByteArray &list, const QList<int> &offsets) {
    return offsets.isEmpty() ? 0 : offsets.last() + elementSizeAt(list, offsets.last());
}

QByteArray terminated(QByteArray bytes) {
    bytes.append(2, '\0');
    return bytes;
}

QByteArray element(ShellItemKind kind, const QByteArray &payload) {
    const QByteArray bytes = payload.left(kIdListMaxPayload);
    const int size = kIdListElementHeaderSize + 1 + static_cast<int>(bytes.size());
    QByteArray list;
    list.append(static_cast<char>(size & 0xFF));
    list.append(static_cast<char>(size >> 8));
    list.append(static_cast<char>(kind));
    list.append(bytes);
    return terminated(list);
}

} // namespace

int IdListSize(const QByteArray &list) {
    if (list.isNull())
        return 0;
    return elementsEnd(list, elementOffsets(list)) + kIdListTerminatorSize;
}

QByteArray CopyIdList(const QByteArray &list) {
    if (list.isNull())
        return terminated(QByteArray(""));
    return terminated(list.left(elementsEnd(list, elementOffsets(list))));
}

QByteArray ConcatIdLists(const QByteArray &a, const QByteArray &b) {
    return terminated(a.left(elementsEnd(a, elementOffsets(a))) +
                      b.left(elementsEnd(b, elementOffsets(b))));
}

int IdListElementCount(const QByteArray &list) {
    return static_cast<int>(elementOffsets(list).size());
}

QByteArray IdListElementAt(const QByteArray &list, int index) {
    const QList<int> offsets = elementOffsets(list);
    if (index == 0 && offsets.isEmpty() && !list.isNull())
        return CopyIdList(list);
    if (index < 0 || index >= offsets.size())
        return QByteArray();
    const int offset = offsets[index];
    return terminated(list.mid(offset, elementSizeAt(list, offset)));
}

QByteArray IdListWithoutLast(const QByteArray &list, int n) {
    const QList<int> offsets = elementOffsets(list);
    const int keep = static_cast<int>(offsets.size()) - qMax(n, 0);
    if (keep <= 0)
        return terminated(QByteArray(""));
    return terminated(
        list.left(keep == offsets.size() ? elementsEnd(list, offsets) : offsets[keep]));
}

QByteArray LastIdListElement(const QByteArray &list) {
    const int count = IdListElementCount(list);
    return count == 0 ? terminated(QByteArray("")) : IdListElementAt(list, count - 1);
}

bool IsEmptyIdList(const QByteArray &list) {
    return !list.isNull() && IdListElementCount(list) == 0;
}

QByteArray MakeVirtualItem(VirtualFolder folder) {
    return element(ShellItemKind::Virtual, QByteArray(1, static_cast<char>(folder)));
}

QByteArray MakeMountItem(const QByteArray &mountPath) {
    return element(ShellItemKind::Mount, mountPath);
}

QByteArray MakeEntryItem(const QByteArray &rawName) {
    return element(ShellItemKind::Entry, rawName);
}

std::optional<ShellItem> DecodeShellItem(const QByteArray &list) {
    const int size = elementSizeAt(list, 0);
    if (size < kIdListElementHeaderSize + 1 || size > list.size())
        return std::nullopt;
    ShellItem item;
    const QByteArray payload =
        list.mid(kIdListElementHeaderSize + 1, size - kIdListElementHeaderSize - 1);
    switch (static_cast<ShellItemKind>(list[kIdListElementHeaderSize])) {
    case ShellItemKind::Virtual:
        if (payload.size() != 1 || (payload[0] != static_cast<char>(VirtualFolder::Home) &&
                                    payload[0] != static_cast<char>(VirtualFolder::Computer)))
            return std::nullopt;
        item.kind = ShellItemKind::Virtual;
        item.folder = static_cast<VirtualFolder>(payload[0]);
        return item;
    case ShellItemKind::Mount:
    case ShellItemKind::Entry:
        if (payload.isEmpty())
            return std::nullopt;
        item.kind = static_cast<ShellItemKind>(list[kIdListElementHeaderSize]);
        item.bytes = payload;
        return item;
    }
    return std::nullopt;
}
