#include "controls/shell/tchangehandlerthread.h"

#include "controls/shell/changenotifyevent.h"
#include "platform/changenotification.h"
#include "tests/controls/support/shelltesting.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSemaphore>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <memory>

namespace {

const QEvent::Type kTestChange = static_cast<QEvent::Type>(QEvent::registerEventType());

// The owner of the thread: records the slot of every change it is told about.
class ChangeOwner : public QObject {
public:
    QList<int> slotsChanged;

    // Lets the posted changes arrive until there are at least count.
    void AwaitChanges(int count) {
        ProcessEventsUntil([this, count] { return slotsChanged.size() >= count; });
    }

protected:
    void customEvent(QEvent *event) override {
        if (event->type() == kTestChange)
            slotsChanged << static_cast<ChangeNotifyEvent *>(event)->Slot();
    }
};

class ChangeHandlerThreadTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    // The raw path of a numbered folder, made now.
    QByteArray Folder(int index) {
        const QString path = dir.filePath(QString::number(index));
        EXPECT_TRUE(QDir().mkpath(path));
        return QFile::encodeName(path);
    }

    QTemporaryDir dir;
    ChangeOwner owner;
};

TEST_F(ChangeHandlerThreadTest, AChangeInAWatchedSubtreeTellsTheOwnerItsSlot) {
    TChangeHandlerThread thread(&owner, kTestChange);
    int first = -1;
    int second = -1;
    ASSERT_TRUE(thread.Add(Folder(0), ChangeDirName, first, true));
    ASSERT_TRUE(thread.Add(Folder(1), ChangeDirName, second, true));
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("0/below"))));
    owner.AwaitChanges(1);
    ASSERT_FALSE(owner.slotsChanged.isEmpty());
    EXPECT_EQ(owner.slotsChanged.first(), 0);
    // The folder made inside is watched too.
    owner.slotsChanged.clear();
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("0/below/deeper"))));
    owner.AwaitChanges(1);
    ASSERT_FALSE(owner.slotsChanged.isEmpty());
    EXPECT_EQ(owner.slotsChanged.first(), 0);
}

TEST_F(ChangeHandlerThreadTest, TwoHundredFoldersAreWatchedThroughOneInstance) {
    const int before = InotifyDescriptorCount();
    TChangeHandlerThread thread(&owner, kTestChange);
    constexpr int kFolders = 200;
    for (int i = 0; i < kFolders; ++i) {
        int slot = -1;
        ASSERT_TRUE(thread.Add(Folder(i), ChangeDirName, slot, false)) << i;
        EXPECT_EQ(slot, i);
    }
    EXPECT_EQ(InotifyDescriptorCount(), before + 1);
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("199/below"))));
    owner.AwaitChanges(1);
    EXPECT_EQ(owner.slotsChanged, QList<int>{kFolders - 1});
}

TEST_F(ChangeHandlerThreadTest, RemoveAllFreesTheSlotsForTheNextAdd) {
    TChangeHandlerThread thread(&owner, kTestChange);
    int slot = -1;
    ASSERT_TRUE(thread.Add(Folder(0), ChangeDirName, slot, false));
    ASSERT_TRUE(thread.Add(Folder(1), ChangeDirName, slot, false));
    EXPECT_EQ(slot, 1);
    thread.RemoveAll();
    ASSERT_TRUE(thread.Add(Folder(2), ChangeDirName, slot, false));
    EXPECT_EQ(slot, 0);
    // The folders given up are no longer watched.
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("1/gone"))));
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("2/seen"))));
    owner.AwaitChanges(1);
    EXPECT_EQ(owner.slotsChanged, QList<int>{0});
}

TEST_F(ChangeHandlerThreadTest, AWatchedFolderThatGoesIsReportedAndItsSlotFreed) {
    TChangeHandlerThread thread(&owner, kTestChange);
    int slot = -1;
    ASSERT_TRUE(thread.Add(Folder(0), ChangeDirName, slot, false));
    ASSERT_TRUE(thread.Add(Folder(1), ChangeDirName, slot, false));
    ASSERT_TRUE(QDir(dir.path()).rmdir(QStringLiteral("1")));
    owner.AwaitChanges(1);
    EXPECT_EQ(owner.slotsChanged, QList<int>{1});
    ASSERT_TRUE(thread.Add(Folder(2), ChangeDirName, slot, false));
    EXPECT_EQ(slot, 1);
}

TEST_F(ChangeHandlerThreadTest, PathsThatCannotBeWatchedAreRefusedWithTheirReason) {
    TChangeHandlerThread thread(&owner, kTestChange);
    struct Case {
        const char *name;
        QByteArray path;
        int error;
    };
    const Case cases[] = {
        {"empty", QByteArray(), ENOENT},
        {"missing", QFile::encodeName(dir.filePath(QStringLiteral("missing"))), ENOENT},
        {"file", QFile::encodeName(QCoreApplication::applicationFilePath()), ENOTDIR},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        int slot = 7;
        EXPECT_FALSE(thread.Add(c.path, ChangeDirName, slot, true));
        EXPECT_EQ(slot, -1);
        EXPECT_EQ(thread.LastError(), c.error);
    }
    int slot = -1;
    ASSERT_TRUE(thread.Add(Folder(0), ChangeDirName, slot, true));
    EXPECT_EQ(slot, 0);
}

TEST_F(ChangeHandlerThreadTest, AThreadWithoutWatchesAndOneWithoutOwnerStopWhenDestroyed) {
    { TChangeHandlerThread idle(&owner, kTestChange); }
    {
        TChangeHandlerThread ownerless(nullptr, kTestChange);
        int slot = -1;
        ASSERT_TRUE(ownerless.Add(Folder(0), ChangeDirName, slot, false));
        ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("0/made"))));
    }
    QCoreApplication::processEvents();
    EXPECT_TRUE(owner.slotsChanged.isEmpty());
}

// A watching thread that hangs while it takes a command, until the gate opens.
struct StalledThread {
    std::atomic<bool> stall = false;
    std::atomic<bool> resumed = false;
    QSemaphore gate;
};

TEST_F(ChangeHandlerThreadTest, AThreadThatDoesNotStopInTimeIsLeftAndItsWatchesClosed) {
    const auto stalled = std::make_shared<StalledThread>();
    const int before = InotifyDescriptorCount();
    {
        TChangeHandlerThread thread(&owner, kTestChange, 50, [stalled] {
            if (!stalled->stall)
                return;
            stalled->gate.acquire();
            stalled->resumed = true;
        });
        int slot = -1;
        ASSERT_TRUE(thread.Add(Folder(0), ChangeDirName, slot, false));
        EXPECT_EQ(InotifyDescriptorCount(), before + 1);
        stalled->stall = true;
    }
    // The program goes on without the watch, and the thread tells nobody of later changes.
    EXPECT_EQ(InotifyDescriptorCount(), before);
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("0/made"))));
    stalled->gate.release();
    EXPECT_TRUE(ProcessEventsUntil([&] { return stalled->resumed.load(); }));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    EXPECT_TRUE(owner.slotsChanged.isEmpty());
}

} // namespace
