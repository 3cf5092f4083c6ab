#include "tests/controls/support/shelltesting.h"

#include "controls/shell/shellutils.h"
#include "platform/shelldesktopfolder.h"

#include <QAbstractItemView>
#include <QFile>
#include <QLineEdit>
#include <QEventLoop>
#include <QTimer>

ScopedDesktop::ScopedDesktop(const QString &homePath, const QList<MountPoint> &mounts)
    : m_mounts(std::make_shared<QList<MountPoint>>(mounts)) {
    SetDesktopFolder(std::make_shared<ShellDesktopFolder>(
        ShellEnvironment{homePath, [held = m_mounts] { return *held; }}));
}

ScopedDesktop::~ScopedDesktop() {
    SetDesktopFolder(nullptr);
}

MountPoint LocalMount(const QString &path) {
    return {QFile::encodeName(path), QStringLiteral("ext4"), QStringLiteral("/dev/test")};
}

bool EndNameEdit(QAbstractItemView &view, const QString &text, bool commit) {
    QLineEdit *editor = nullptr;
    for (QLineEdit *candidate : view.viewport()->findChildren<QLineEdit *>()) {
        if (!candidate->isHidden())
            editor = candidate;
    }
    if (editor == nullptr)
        return false;
    editor->setText(text);
    QAbstractItemDelegate *delegate = view.itemDelegate();
    if (commit)
        emit delegate->commitData(editor);
    emit delegate->closeEditor(editor, commit ? QAbstractItemDelegate::SubmitModelCache
                                              : QAbstractItemDelegate::RevertModelCache);
    return true;
}

bool ProcessEventsUntil(const std::function<bool()> &done) {
    for (int round = 0; round < 100 && !done(); ++round) {
        QEventLoop loop;
        QTimer::singleShot(50, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}
