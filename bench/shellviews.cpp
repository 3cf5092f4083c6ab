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
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

// The shell views on big real folders: a list filled and refreshed with 10,000 files or
// 10,000 subfolders, and a tree node with 10,000 subfolders expanded and refreshed, beside
// what reading the folder and one lstat per entry take (the floor any listing stands on).

namespace {

constexpr int kEntryCount = 10000;

// A folder holding "files" (10,000 files) and "folders" (10,000 subfolders, every tenth with
// a subfolder of its own), made once per run.
class BigFolders {
public:
    static const BigFolders &Get() {
        static const BigFolders folders;
        return folders;
    }

    QString root() const { return m_dir.path(); }
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }

private:
    BigFolders() {
        QDir(m_dir.path()).mkdir(QStringLiteral("files"));
        QDir(m_dir.path()).mkdir(QStringLiteral("folders"));
        const QByteArray files = QFile::encodeName(path("files"));
        const QByteArray folders = QFile::encodeName(path("folders"));
        for (int i = 0; i < kEntryCount; ++i) {
            const QByteArray name = "item " + QByteArray::number(i * 7919 % kEntryCount) + ".txt";
            const int fd = ::open((files + '/' + name).constData(), O_WRONLY | O_CREAT, 0644);
            if (fd >= 0) {
                (void)::write(fd, name.constData(), name.size());
                ::close(fd);
            }
            const QByteArray folder =
                folders + "/Folder " + QByteArray::number(i * 7919 % kEntryCount);
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

void BM_ReadFolderAndLstat(benchmark::State &state) {
    const QByteArray folder = QFile::encodeName(BigFolders::Get().path(folderName(state)));
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
BENCHMARK(BM_ReadFolderAndLstat)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

std::unique_ptr<TKxCustomShellList> bigList(const benchmark::State &state) {
    auto list = std::make_unique<TKxCustomShellList>();
    list->SetOptions(list->Options() & ~sloDynamicRefresh);
    list->resize(600, 400);
    list->Folder().SetPath(BigFolders::Get().path(folderName(state)));
    return list;
}

void BM_ListFill(benchmark::State &state) {
    const std::unique_ptr<TKxCustomShellList> list = bigList(state);
    for (auto _ : state) {
        list->Fill();
        benchmark::DoNotOptimize(list->topLevelItemCount());
    }
    state.counters["items"] = list->topLevelItemCount();
}
BENCHMARK(BM_ListFill)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ListRefreshUnchanged(benchmark::State &state) {
    const std::unique_ptr<TKxCustomShellList> list = bigList(state);
    list->Fill();
    for (auto _ : state) {
        list->Refresh();
        benchmark::DoNotOptimize(list->topLevelItemCount());
    }
}
BENCHMARK(BM_ListRefreshUnchanged)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A tree rooted at the big folders' parent, its root expanded, "folders" not yet.
std::unique_ptr<TKxCustomShellTree> bigTree(QTreeWidgetItem *&folders) {
    auto tree = std::make_unique<TKxCustomShellTree>();
    tree->SetOptions(tree->Options() & ~stoDynamicRefresh);
    tree->resize(300, 600);
    tree->BaseFolder().SetPath(BigFolders::Get().root());
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
        std::unique_ptr<TKxCustomShellTree> tree = bigTree(folders);
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
BENCHMARK(BM_TreeExpand)->Unit(benchmark::kMillisecond);

void BM_TreeRefreshUnchanged(benchmark::State &state) {
    QTreeWidgetItem *folders = nullptr;
    const std::unique_ptr<TKxCustomShellTree> tree = bigTree(folders);
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
BENCHMARK(BM_TreeRefreshUnchanged)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
    return runWidgetBenchmarks(argc, argv);
}
