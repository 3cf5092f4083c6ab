#include "platform/shellenvironment.h"

#include <QDir>

ShellEnvironment ShellEnvironment::System() {
    return {QDir::homePath(), [] { return ReadMountPoints(); }};
}
