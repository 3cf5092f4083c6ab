#include "platform/shellverbs.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

bool exists(const QByteArray &path) {
    struct stat info {};
    return ::lstat(path.constData(), &info) == 0;
}

bool writeFile(const QByteArray &path) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    return fd >= 0 && ::close(fd) == 0;
}

constexpr int kCannotMount = 77;

// Runs the check in a child with a mount namespace of its own, in which base/bound is a bind
// mount of base/data: the child's mounts and environment end with it. The exit status counts
// the checks that failed, or is kCannotMount where the system allows no mount.
int inBindMount(const QByteArray &base, int (*check)(const QByteArray &base)) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mkdir((base + "/data").constData(), 0755) != 0 ||
            ::mkdir((base + "/bound").constData(), 0755) != 0 ||
            ::mount((base + "/data").constData(), (base + "/bound").constData(), nullptr, MS_BIND,
                    nullptr) != 0)
            std::_Exit(kCannotMount);
        ::setenv("XDG_DATA_HOME", (base + "/share").constData(), 1);
        std::_Exit(check(base));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}

// A file in a bind-mounted folder goes to the trash at the top of that mount (a rename never
// crosses mounts), and the home trash tried first and refused is not left behind.
int trashInTheBindMount(const QByteArray &base) {
    int failed = 0;
    const QByteArray file = base + "/bound/file";
    failed += !writeFile(file);
    failed += InvokeFileSystemVerb({file}, QStringLiteral("delete"), true) != 0;
    failed += exists(file);
    failed += !exists(base + "/bound/.Trash-" + QByteArray::number(::getuid()) + "/files/file");
    failed += exists(base + "/share");
    return failed;
}

// A trash that cannot be made fails the delete and leaves no folder made on the way.
int failedTrashLeavesNothing(const QByteArray &base) {
    int failed = 0;
    const QByteArray file = base + "/bound/file";
    failed += !writeFile(file);
    // The mount's trash place is taken by a file.
    failed += !writeFile(base + "/bound/.Trash-" + QByteArray::number(::getuid()));
    const bool rootTrashBefore = exists("/.Trash-" + QByteArray::number(::getuid()));
    failed += InvokeFileSystemVerb({file}, QStringLiteral("delete"), true) == 0;
    failed += !exists(file);
    failed += exists(base + "/share");
    failed += exists("/.Trash-" + QByteArray::number(::getuid())) != rootTrashBefore;
    return failed;
}

TEST(ShellVerbsTrash, InABindMountTheTrashIsThatMountsAndAFailureLeavesNothing) {
    const struct {
        const char *name;
        int (*check)(const QByteArray &base);
    } cases[] = {
        {"a file goes to the trash of its mount", trashInTheBindMount},
        {"a failed trash leaves no folder behind", failedTrashLeavesNothing},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const int failed = inBindMount(QFile::encodeName(dir.path()), c.check);
        if (failed == kCannotMount)
            GTEST_SKIP() << "no bind mount may be made here";
        EXPECT_EQ(failed, 0);
    }
}

} // namespace
