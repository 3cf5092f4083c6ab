#include "controls/folderdialog/shortpath.h"

namespace {

const QChar kSeparator = QLatin1Char('/');
const QString kEllipsis = QStringLiteral("...");

} // namespace

QString CutFirstDirectory(const QString &directory) {
    if (directory == kSeparator)
        return QString();
    QString s = directory;
    const bool rooted = s.startsWith(kSeparator);
    if (rooted)
        s.remove(0, 1);
    // A previous cut left ".../" in front. Only that is dropped: a hidden folder's name starts
    // with "." too.
    if (s.startsWith(kEllipsis + kSeparator))
        s.remove(0, kEllipsis.size() + 1);
    const int p = s.indexOf(kSeparator);
    if (p >= 0)
        s = kEllipsis + kSeparator + s.mid(p + 1);
    else
        s.clear();
    return rooted ? kSeparator + s : s;
}

QString MinimizeName(const QString &name, const std::function<int(const QString &)> &textWidth,
                     int maxWidth) {
    QString result = name;
    const int split = name.lastIndexOf(kSeparator) + 1;
    QString directory = name.left(split);
    const QString file = name.mid(split);
    const QString cutAll = kSeparator + kEllipsis + kSeparator;
    while (!directory.isEmpty() && textWidth(result) > maxWidth) {
        if (directory == cutAll)
            directory = kEllipsis + kSeparator;
        else
            directory = CutFirstDirectory(directory);
        result = directory + file;
    }
    return result;
}
