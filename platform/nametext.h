#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// File names are bytes; the views show and edit text. These are the only conversions between
// the two, and they lose nothing: valid UTF-8 becomes its characters, and every byte of a
// sequence that is not UTF-8 (a Windows-1251 name, say) becomes the unpaired surrogate
// U+DC80 + byte, which turns back into that byte.

QString NameToText(const QByteArray &name);
QByteArray TextToName(const QString &text);
// The name as a person reads it: UTF-8 decoded, and a name that is not UTF-8 read as
// Windows-1251, the code page of this system's users. Only for showing and editing: the text
// of such a name leads to UTF-8 bytes, so an edited name is stored as UTF-8.
QString NameToDisplayText(const QByteArray &name);
// A path as a person reads it: each of its names as NameToDisplayText shows it.
QString PathToDisplayText(const QByteArray &path);

inline constexpr char kUriListMime[] = "text/uri-list";

// A text/uri-list of local files: "file://" and each path's bytes percent-encoded, one a line,
// CRLF-ended, as file managers exchange them.
QByteArray UriListOfPaths(const QList<QByteArray> &paths);
// The local paths of a uri-list, raw bytes decoded from the percent-encoding; lines that are
// comments, empty, or no local file URL are skipped.
QList<QByteArray> PathsOfUriList(const QByteArray &list);
