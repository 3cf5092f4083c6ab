// Reads every source folder's includes and holds them against the dependency table of
// docs/architecture.md: a folder may include its own headers and those of the folders it depends
// on, directly or through them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

using DependencyTable = std::map<std::string, std::vector<std::string>>;

// Folders whose sources may use every library, so the table names no rule for them.
const std::set<std::string> kUnruledFolders{"bench", "fuzz", "tests", "docs", "assets", "cmake"};

fs::path SourceDir() {
    const char *dir = std::getenv("NETVIEW_SOURCE_DIR");
    return dir ? fs::path(dir) : fs::current_path();
}

// The rows of the table: the first column's folder, the folders named in the third.
DependencyTable ReadTable(const std::string &markdown) {
    DependencyTable table;
    const std::regex quoted("`([^`]+)`");
    std::istringstream lines(markdown);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> cells;
        std::istringstream row(line);
        for (std::string cell; std::getline(row, cell, '|');)
            cells.push_back(cell);
        // "| a | b | c | d |" splits into an empty first cell and four more.
        if (line.rfind("| `", 0) != 0 || cells.size() < 5)
            continue;
        std::smatch folder;
        if (!std::regex_search(cells[1], folder, quoted))
            continue;
        auto &dependencies = table[folder[1]];
        for (std::sregex_iterator it(cells[3].begin(), cells[3].end(), quoted), end; it != end;
             ++it)
            dependencies.push_back((*it)[1]);
    }
    return table;
}

// A folder and every folder it depends on, directly or through others.
std::set<std::string> Reachable(const DependencyTable &table, const std::string &folder) {
    std::set<std::string> reached{folder};
    std::vector<std::string> pending{folder};
    while (!pending.empty()) {
        const std::string next = pending.back();
        pending.pop_back();
        const auto row = table.find(next);
        if (row == table.end())
            continue;
        for (const auto &dependency : row->second)
            if (reached.insert(dependency).second)
                pending.push_back(dependency);
    }
    return reached;
}

struct Violation {
    std::string file;
    int line;
    std::string text;
};

// The includes of the files directly in `folder` that name a project folder outside `allowed`.
std::vector<Violation> ForeignIncludes(const fs::path &root, const std::string &folder,
                                       const std::set<std::string> &allowed) {
    const std::regex include(R"re(^\s*#\s*include\s*"((?:[\w.-]+/)+)[\w.-]+")re");
    std::vector<Violation> found;
    for (const auto &entry : fs::directory_iterator(root / folder)) {
        const auto extension = entry.path().extension();
        if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp"))
            continue;
        std::ifstream in(entry.path());
        int number = 0;
        for (std::string line; std::getline(in, line);) {
            ++number;
            std::smatch match;
            if (!std::regex_search(line, match, include))
                continue;
            std::string target = match[1];
            target.pop_back();
            if (!allowed.contains(target))
                found.push_back({folder + "/" + entry.path().filename().string(), number, line});
        }
    }
    return found;
}

std::string ReadFile(const fs::path &path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(Layering, TableReadsTheFoldersAndTheirDependencies) {
    const auto table = ReadTable("| folder | library | depends on | tested in |\n"
                                 "|---|---|---|---|\n"
                                 "| `a` | `liba` | Qt only | `tests/a` |\n"
                                 "| `b/c` | `libc` | `a` | `tests/b/c` |\n"
                                 "| `d` | `libd` | `b/c`, `a` | `tests/d` |\n");
    ASSERT_EQ(table.size(), 3u);
    EXPECT_TRUE(table.at("a").empty());
    EXPECT_EQ(table.at("d"), (std::vector<std::string>{"b/c", "a"}));
    EXPECT_EQ(Reachable(table, "d"), (std::set<std::string>{"a", "b/c", "d"}));
    EXPECT_EQ(Reachable(table, "b/c"), (std::set<std::string>{"a", "b/c"}));
}

TEST(Layering, AnIncludeUpTheTableIsFound) {
    const fs::path root = fs::temp_directory_path() / ("layering_" + std::to_string(::getpid()));
    fs::create_directories(root / "low");
    std::ofstream(root / "low" / "a.cpp") << "#include \"low/a.h\"\n#include \"high/b.h\"\n"
                                          << "#include <QWidget>\n#include \"local.h\"\n";
    const auto found = ForeignIncludes(root, "low", {"low"});
    fs::remove_all(root);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].file, "low/a.cpp");
    EXPECT_EQ(found[0].line, 2);
}

// Every folder of the project that holds sources has a row, and includes only what its row allows.
TEST(Layering, EveryIncludeFollowsTheArchitectureTable) {
    const fs::path root = SourceDir();
    const auto table = ReadTable(ReadFile(root / "docs" / "architecture.md"));
    ASSERT_FALSE(table.empty()) << "docs/architecture.md has no dependency table";
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
         ++it) {
        const std::string relative = fs::relative(it->path(), root).generic_string();
        if (it->is_directory() && (relative.starts_with(".") || relative.starts_with("build") ||
                                   kUnruledFolders.contains(relative))) {
            it.disable_recursion_pending();
            continue;
        }
        const auto extension = it->path().extension();
        if (!it->is_regular_file() || (extension != ".h" && extension != ".cpp"))
            continue;
        const std::string folder = fs::relative(it->path().parent_path(), root).generic_string();
        EXPECT_TRUE(table.contains(folder))
            << relative << ": its folder has no row in docs/architecture.md";
    }
    for (const auto &[folder, dependencies] : table) {
        ASSERT_TRUE(fs::is_directory(root / folder)) << folder << " is in the table but not here";
        for (const auto &violation : ForeignIncludes(root, folder, Reachable(table, folder)))
            ADD_FAILURE() << violation.file << ":" << violation.line << ": " << violation.text
                          << "\n  " << folder << " may not include that folder";
    }
}

} // namespace
