#pragma once

#include <QSet>
#include <QString>

// The names of the plain files (not folders) that file masks find, upper-cased; a name passes
// when its upper-cased form is among them.
class TKxFileMaskFilter {
public:
    // pattern: a folder path with a trailing "/" and a mask ("*.conf"). A mask that finds nothing
    // still succeeds; false when the folder cannot be read.
    bool AddMask(const QString &pattern);
    bool Passes(const QString &name) const;

private:
    QSet<QString> m_names;
};
