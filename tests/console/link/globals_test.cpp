#include "console/link/globals.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {

TEST(Globals, SettingsPathFollowsTheCurrentFolderAtStart) {
    EXPECT_EQ(appDir, QDir::currentPath());
    EXPECT_EQ(settingFileName, QDir::currentPath() + "/settings.txt");
}

TEST(Globals, LogRangeAtStartIsTheCalendarMonthUpToNow) {
    struct Case {
        const char *now;
        const char *from;
    };
    const Case cases[] = {
        {"15/01/2024 10:20:30", "15/12/2023 10:20:30"},
        {"15/06/2024 00:00:00", "15/05/2024 00:00:00"},
        {"31/03/2024 23:59:59", "29/02/2024 23:59:59"},
        {"31/03/2023 08:00:00", "28/02/2023 08:00:00"},
        {"31/05/2024 12:00:00", "30/04/2024 12:00:00"},
    };
    const QString format = QStringLiteral("dd/MM/yyyy hh:mm:ss");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.now);
        const QDateTime now = QDateTime::fromString(QString::fromLatin1(c.now), format);
        ASSERT_TRUE(now.isValid());
        setLogRangeToMonthBefore(now);
        EXPECT_EQ(logTo, now);
        ASSERT_TRUE(logFrom.isValid());
        EXPECT_EQ(logFrom.toString(format), QString::fromLatin1(c.from));
    }
}

} // namespace
