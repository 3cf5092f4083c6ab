#pragma once

#include "platform/shellfolder.h"

#include <QByteArray>
#include <QList>

// The context-menu verbs of file-system items, given by their paths: "open" (the desktop's
// default application), "cut" and "copy" (the paths to the clipboard as a uri-list, marked cut
// or copied as file managers mark them), "paste" (on one folder: the clipboard's files copied
// into it, or moved when they were cut), "delete" (to the trash) and "rename" (carried out by
// the view through setNameOf). canModify leaves out cut, delete and rename.
QList<ShellVerb> FileSystemVerbs(const QList<QByteArray> &paths, bool canModify);
// 0, or an errno code: EPERM for cut or delete without canModify, ENODATA for a paste with no
// files cut or copied, ENOTSUP for an unknown verb and for "rename", which only the view can carry
// out.
int InvokeFileSystemVerb(const QList<QByteArray> &paths, const QString &verb, bool canModify);
// Copies (or moves) files and folders into a folder, never replacing an existing name; what a
// drop on a folder does. 0, or the errno code of the first failure (the rest is not tried).
int TransferIntoFolder(const QList<QByteArray> &paths, const QByteArray &folder, bool move);
