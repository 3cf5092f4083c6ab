#include "tests/controls/support/shelltesting.h"

#include "controls/shell/shellutils.h"
#include "platform/shelldesktopfolder.h"

#include <QAbstractItemView>
#include <QFile>
#include <QLineEdit>
#include <QEventLoop>
#include <QTimer>

#include <fcntl.h>
#include <filesystem>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;

} // namespace

ScopedDesktop::ScopedDesktop(const QString &homePath, const QList<MountPoint> &mounts)
    : m_mounts(std::make_shared<QList<MountPoint>>(mounts)) {
    SetDesktopFolder(std::make_shared<ShellDesktopFolder>(
        ShellEnvironment{homePath, [held = m_mounts] { return *held; }}));
}

ScopedDesktop::~ScopedDesktop() {
    SetDesktopFolder(nullptr);
}

MountPoint LocalMount(const QString &path) {
    return {QFile::encodeName(path), QStringLiteral("ext4"), QStringLiteral("/dev/test"), "/"};
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

bool PassesAsNobody(const std::function<bool()> &check) {
    if (::geteuid() != 0)
        return check();
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::setgroups(0, nullptr) == 0 &&
                             ::setresgid(kNobody, kNobody, kNobody) == 0 &&
                             ::setresuid(kNobody, kNobody, kNobody) == 0;
        ::_exit(dropped && check() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

bool WriteFile(const QByteArray &path, const QByteArray &contents, mode_t mode) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, mode);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, contents.constData(), contents.size()) == contents.size();
    return ::close(fd) == 0 && written;
}

int InotifyDescriptorCount() {
    int count = 0;
    for (const auto &entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (std::filesystem::read_symlink(entry.path(), error).string().find("inotify") !=
            std::string::npos)
            ++count;
    }
    return count;
}
