#include "console/link/moduleiconfiles.h"

#include "console/link/consoletext.h"

const QString &ModuleIconFiles::fileOf(const QString &name) {
    auto found = files.constFind(name);
    if (found == files.constEnd())
        found = files.insert(name, moduleIconFile(root, name));
    return *found;
}
