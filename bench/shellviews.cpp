#include "bench/widgetbenchmain.h"
#include "controls/shell/tkxcustomshelllist.h"
#include "controls/shell/tkxcustomshelltree.h"
#include "controls/shell/tkxshelllocator.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

// The shell views on big real folders: a list filled, refreshed unchanged and refreshed after
// one change, with 10,000 and 100,000 files or subfolders, and a tree node with as many
// subfolders expanded and refreshed likewise, beside what reading the folder and one lstat per
// entry take in the same run (the floor any listing stands on).

namespace {

constexpr int kSmall = 10000;
constexpr int kLarge = 100000;

// A folder holding "files" (count files) and "folders" (count subfolders, every tenth with a
// subfolder of its own), made once per count and run.
class BigFolders {
public:
    static const BigFolders &Get(int count) {
        static std::map<int, std::unique_ptr<BigFolders>> made;
        std::unique_ptr<BigFolders> &folders = made[count];
        if (!folders)
            folders.reset(new BigFolders(count));
        return *folders;
    }

    QString root() const { return m_dir.path(); }
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }

private:
    explicit BigFolders(int count) {
        QDir(m_dir.path()).mkdir(QStringLiteral("files"));
        QDir(m_dir.path()).mkdir(QStringLiteral("folders"));
        const QByteArray files = QFile::encodeName(path("files"));
        const QByteArray folders = QFile::encodeName(path("folders"));
        // 7919 is prime, so the names come in an order that is not the sorted one.
        for (int i = 0; i < count; ++i) {
            const QByteArray number = QByteArray::number(qint64(i) * 7919 % count);
            const QByteArray name = "item " + number + ".txt";
            const int fd = ::open((files + '/' + name).constData(), O_WRONLY | O_CREAT, 0644);
            if (fd >= 0) {
                (void)::write(fd, name.constData(), name.size());
                ::close(fd);
            }
            const QByteArray folder = folders + "/Folder " + number;
            ::mkdir(folder.constData(), 0755);
            if (i % 10 == 0)
                ::mkdir((folder + "/inner").constData(), 0755);
        }
    }

    QTemporaryDir m_dir;
};

const char *folderName(const benchmark::State &state) {
    return state.range(0) == 0 ? "files" : "folders";
}

int entryCount(const benchmark::State &state) {
    return static_cast<int>(state.range(1));
}

void listingArgs(benchmark::internal::Benchmark *bench) {
    bench->ArgNames({"folders", "entries"});
    for (const int count : {kSmall, kLarge}) {
        bench->Args({0, count});
        bench->Args({1, count});
    }
    bench->Unit(benchmark::kMillisecond);
}

void treeArgs(benchmark::internal::Benchmark *bench) {
    bench->ArgNames({"folders", "entries"})->Args({1, kSmall})->Args({1, kLarge});
    bench->Unit(benchmark::kMillisecond);
}

void BM_ReadFolderAndLstat(benchmark::State &state) {
    const QByteArray folder =
        QFile::encodeName(BigFolders::Get(entryCount(state)).path(folderName(state)));
    for (auto _ : state) {
        const int dirFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        DIR *dir = ::fdopendir(dirFd);
        int count = 0;
        while (dirent *entry = ::readdir(dir)) {
            struct stat info {};
            if (::fstatat(dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0)
                ++count;
        }
        ::closedir(dir);
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(BM_ReadFolderAndLstat)->Apply(listingArgs);

std::unique_ptr<TKxCustomShellList> bigList(const benchmark::State &state) {
    auto list = std::make_unique<TKxCustomShellList>();
    list->SetOptions(list->Options() & ~sloDynamicRefresh);
    list->resize(600, 400);
    list->Folder().SetPath(BigFolders::Get(entryCount(state)).path(folderName(state)));
    return list;
}

// A fill is what F5 runs.
void BM_ListFill(benchmark::State &state) {
    const std::unique_ptr<TKxCustomShellList> list = bigList(state);
    for (auto _ : state) {
        list->Fill();
        benchmark::DoNotOptimize(list->topLevelItemCount());
    }
    state.counters["items"] = list->topLevelItemCount();
}
BENCHMARK(BM_ListFill)->Apply(listingArgs);

void BM_ListRefreshUnchanged(benchmark::State &state) {
    const std::unique_ptr<TKxCustomShellList> list = bigList(state);
    list->Fill();
    for (auto _ : state) {
        list->Refresh();
        benchmark::DoNotOptimize(list->topLevelItemCount());
    }
}
BENCHMARK(BM_ListRefreshUnchanged)->Apply(listingArgs);

// An entry made or removed in the folder before each refresh, as a folder that gains one file.
void toggleEntry(const QString &folder, bool folders, bool &present) {
    const QByteArray path = QFile::encodeName(folder + QStringLiteral("/changing"));
    if (present)
        folders ? ::rmdir(path.constData()) : ::unlink(path.constData());
    else if (folders)
        ::mkdir(path.constData(), 0755);
    else
        ::close(::open(path.constData(), O_WRONLY | O_CREAT, 0644));
    present = !present;
}

void BM_ListRefreshAfterOneChange(benchmark::State &state) {
    const std::unique_ptr<TKxCustomShellList> list = bigList(state);
    list->Fill();
    const QString folder = BigFolders::Get(entryCount(state)).path(folderName(state));
    bool present = false;
    for (auto _ : state) {
        state.PauseTiming();
        toggleEntry(folder, state.range(0) != 0, present);
        state.ResumeTiming();
        list->Refresh();
        benchmark::DoNotOptimize(list->topLevelItemCount());
    }
    if (present)
        toggleEntry(folder, state.range(0) != 0, present);
}
BENCHMARK(BM_ListRefreshAfterOneChange)->Apply(listingArgs);

// A tree rooted at the big folders' parent, its root expanded, "folders" not yet.
std::unique_ptr<TKxCustomShellTree> bigTree(int count, QTreeWidgetItem *&folders) {
    auto tree = std::make_unique<TKxCustomShellTree>();
    tree->SetOptions(tree->Options() & ~stoDynamicRefresh);
    tree->resize(300, 600);
    tree->BaseFolder().SetPath(BigFolders::Get(count).root());
    tree->FillTree();
    folders = nullptr;
    QTreeWidgetItem *root = tree->topLevelItem(0);
    for (int i = 0; root != nullptr && i < root->childCount(); ++i) {
        if (root->child(i)->text(0) == QLatin1String("folders"))
            folders = root->child(i);
    }
    return tree;
}

void BM_TreeExpand(benchmark::State &state) {
    for (auto _ : state) {
        state.PauseTiming();
        QTreeWidgetItem *folders = nullptr;
        std::unique_ptr<TKxCustomShellTree> tree = bigTree(entryCount(state), folders);
        if (folders == nullptr) {
            state.SkipWithError("no folders node");
            return;
        }
        state.ResumeTiming();
        folders->setExpanded(true);
        benchmark::DoNotOptimize(folders->childCount());
        state.PauseTiming();
        state.counters["nodes"] = folders->childCount();
        tree.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TreeExpand)->Apply(treeArgs);

// F5 in the tree.
void BM_TreeRefreshUnchanged(benchmark::State &state) {
    QTreeWidgetItem *folders = nullptr;
    const std::unique_ptr<TKxCustomShellTree> tree = bigTree(entryCount(state), folders);
    if (folders == nullptr) {
        state.SkipWithError("no folders node");
        return;
    }
    folders->setExpanded(true);
    for (auto _ : state) {
        tree->RefreshNodes();
        benchmark::DoNotOptimize(folders->childCount());
    }
}
BENCHMARK(BM_TreeRefreshUnchanged)->Apply(treeArgs);

void BM_TreeRefreshAfterOneChange(benchmark::State &state) {
    QTreeWidgetItem *folders = nullptr;
    const std::unique_ptr<TKxCustomShellTree> tree = bigTree(entryCount(state), folders);
    if (folders == nullptr) {
        state.SkipWithError("no folders node");
        return;
    }
    folders->setExpanded(true);
    const QString folder = BigFolders::Get(entryCount(state)).path("folders");
    bool present = false;
    for (auto _ : state) {
        state.PauseTiming();
        toggleEntry(folder, true, present);
        state.ResumeTiming();
        tree->RefreshNodes();
        benchmark::DoNotOptimize(folders->childCount());
    }
    if (present)
        toggleEntry(folder, true, present);
}
BENCHMARK(BM_TreeRefreshAfterOneChange)->Apply(treeArgs);

} // namespace

int main(int argc, char **argv) {
    return runWidgetBenchmarks(argc, argv);
}
