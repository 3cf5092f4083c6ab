#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Creating a new folder under a free name: "New Folder", "New Folder (2)" ... (50 names), then
// "fldr", "fldr2" ... (50 names). An existing name moves on to the next; any other failure (a
// read-only place, no permission) ends the creation with one warning that gives its reason.

inline constexpr int kNewFolderNamesPerSeries = 50;
static_assert(kNewFolderNamesPerSeries >= 2, "a series holds its plain name and numbered ones");

// The names of series 0 ("New Folder") or 1 ("fldr"), in the order they are tried.
QStringList NewFolderNames(int series);

struct NewFolderResult {
    QString name;         // the folder created; empty when none was
    QStringList warnings; // the texts of the warning boxes to show, in order
};

// makeDirectory creates one folder and answers 0 or an errno code (EEXIST for a taken name).
NewFolderResult CreateNewFolderIn(const QString &parentPath,
                                  const std::function<int(const QString &path)> &makeDirectory);
// The file system's mkdir.
int MakeDirectory(const QString &path);
