#pragma once

#include "platform/shellenvironment.h"
#include "platform/shellfolder.h"

// The root of the namespace: a virtual Desktop holding Home and Computer. Its parseDisplayName
// takes an absolute path and gives an absolute list: below the home folder through Home,
// otherwise through Computer and the mount with the longest matching mount path.
class ShellDesktopFolder : public ShellFolder {
public:
    explicit ShellDesktopFolder(ShellEnvironment environment);

    int enumObjects(int flags, QList<QByteArray> &items) override;
    ShellAttributes attributesOf(const QByteArray &item, ShellAttributes mask) override;
    QString displayNameOf(const QByteArray &item, ShellNameKind kind) override;
    int compareIds(int column, const QByteArray &a, const QByteArray &b) override;
    int bindToFolder(const QByteArray &item, ShellFolderPtr &folder) override;
    int parseDisplayName(const QString &name, QByteArray &list) override;
    int setNameOf(const QByteArray &item, const QString &name, QByteArray &newItem) override;
    QList<ShellVerb> verbsOf(const QList<QByteArray> &items) override;
    int invokeVerb(const QList<QByteArray> &items, const QString &verb) override;

private:
    ShellEnvironment m_environment;
};
