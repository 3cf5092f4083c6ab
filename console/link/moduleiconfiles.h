#pragma once

#include <QHash>
#include <QString>

#include <utility>

// The icon file of each module name, looked up once until forgotten: a full network's hundreds
// of block descriptions name a handful of modules, and the processor forgets at every refresh
// of the views, so a changed icon folder shows with the next messages.
class ModuleIconFiles {
public:
    // root: the folder that holds "ICONS_NEW".
    explicit ModuleIconFiles(QString root)
        : root(std::move(root)) {}

    // moduleIconFile's answer for the name.
    const QString &fileOf(const QString &name);
    void forget() { files.clear(); }

private:
    QString root;
    QHash<QString, QString> files;
};
