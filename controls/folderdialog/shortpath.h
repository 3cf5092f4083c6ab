#pragma once

#include <QString>

#include <functional>

// Shortening of a folder path for a status line: directories are replaced from the first one
// onward by ".../" until the text fits, so the root and the last name stay readable.

// Drops the first directory of a directory part ("/a/b/" -> "/.../b/"); a part that is only the
// separator becomes empty, one without further separator becomes empty.
QString CutFirstDirectory(const QString &directory);

// The path shortened until textWidth of it is at most maxWidth (or nothing is left to cut).
QString MinimizeName(const QString &name, const std::function<int(const QString &)> &textWidth,
                     int maxWidth);
