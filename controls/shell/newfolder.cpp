#include "controls/shell/newfolder.h"

#include "controls/shell/shellutils.h"
#include "platform/nametext.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

QString WarningText(int code, const QString &name) {
    return FormatStrPos(QStringLiteral("Unable to create the folder '%2'\n\n%1"),
                        {QString::fromLocal8Bit(std::strerror(code)), name});
}

} // namespace

QStringList NewFolderNames(int series) {
    const QString base = series == 0 ? QStringLiteral("New Folder") : QStringLiteral("fldr");
    const QString numbered = series == 0 ? QStringLiteral("%1 (%2)") : QStringLiteral("%1%2");
    QStringList names{base};
    for (int number = 2; number <= kNewFolderNamesPerSeries; ++number)
        names << numbered.arg(base).arg(number);
    return names;
}

NewFolderResult CreateNewFolderIn(const QString &parentPath,
                                  const std::function<int(const QString &path)> &makeDirectory) {
    NewFolderResult result;
    const QString parent = IncludeTrailingChar(parentPath, QLatin1Char('/'));
    for (int series = 0; series < 2; ++series) {
        for (const QString &name : NewFolderNames(series)) {
            const int code = makeDirectory(parent + name);
            if (code == 0) {
                result.name = name;
                return result;
            }
            // Where one name cannot be made for another reason, no other name can: one box
            // tells why.
            if (code != EEXIST) {
                result.warnings << WarningText(code, name);
                return result;
            }
        }
    }
    result.warnings << WarningText(EEXIST, QStringLiteral("New Folder"));
    return result;
}

int MakeDirectory(const QString &path) {
    return ::mkdir(TextToName(path).constData(), 0777) == 0 ? 0 : errno;
}
