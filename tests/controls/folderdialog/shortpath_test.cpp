#include "controls/folderdialog/shortpath.h"

#include <gtest/gtest.h>

namespace {

// One unit of width per character keeps the expected results readable.
int CharacterWidth(const QString &text) {
    return static_cast<int>(text.size());
}

TEST(CutFirstDirectory, DropsOneDirectoryAtATime) {
    struct Case {
        const char *input;
        const char *expected;
    };
    const Case cases[] = {
        {"/", ""},
        {"/home/user/data/", "/.../user/data/"},
        {"/.../user/data/", "/.../data/"},
        {"/.../data/", "/.../"},
        {"/.../", "/"},
        {"home/user/", ".../user/"},
        {"/.hidden/user/data/", "/.../user/data/"},
        {"/.../.hidden/data/", "/.../data/"},
        {"/.a/b/", "/.../b/"},
        {"last", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(CutFirstDirectory(QString::fromLatin1(c.input)).toStdString(), c.expected);
    }
}

TEST(MinimizeName, ShortensFromTheFirstDirectoryUntilItFits) {
    struct Case {
        const char *path;
        int maxWidth;
        const char *expected;
    };
    const Case cases[] = {
        {"/home/user/projects/core", 100, "/home/user/projects/core"},
        {"/home/user/projects/core", 24, "/home/user/projects/core"},
        {"/home/user/projects/core", 23, "/.../user/projects/core"},
        {"/home/user/projects/core", 18, "/.../projects/core"},
        {"/home/user/projects/core", 17, "/.../core"},
        {"/home/user/projects/core", 3, "core"},
        {"", 0, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path + std::string(" / ") + std::to_string(c.maxWidth));
        EXPECT_EQ(
            MinimizeName(QString::fromLatin1(c.path), CharacterWidth, c.maxWidth).toStdString(),
            c.expected);
    }
}

TEST(MinimizeName, KeepsTheLastFolderNameWhateverTheWidth) {
    EXPECT_EQ(MinimizeName(QStringLiteral("/a/b/c/very-long-folder-name"), CharacterWidth, 1),
              QStringLiteral("very-long-folder-name"));
}

} // namespace
