#include "controls/framed/listrows.h"

#include <gtest/gtest.h>

namespace {

const QStringList kAddresses{QStringLiteral("10.0.0.1"), QStringLiteral("10.0.0.10"),
                             QStringLiteral("192.168.0.1"), QStringLiteral("Rack A")};

TEST(ListRows, ExactTextIgnoresCaseButNotLength) {
    EXPECT_EQ(ExactTextRow(kAddresses, QStringLiteral("10.0.0.1")), 0);
    EXPECT_EQ(ExactTextRow(kAddresses, QStringLiteral("10.0.0.10")), 1);
    EXPECT_EQ(ExactTextRow(kAddresses, QStringLiteral("rack a")), 3);
    EXPECT_EQ(ExactTextRow(kAddresses, QStringLiteral("10.0.0.")), -1);
    EXPECT_EQ(ExactTextRow(kAddresses, QStringLiteral("10.0.0.100")), -1);
    EXPECT_EQ(ExactTextRow({}, QStringLiteral("x")), -1);
}

TEST(ListRows, PrefixSearchFindsTheFirstRowFromTheTop) {
    EXPECT_EQ(FindPrefixRow(kAddresses, QStringLiteral("1")), 0);
    EXPECT_EQ(FindPrefixRow(kAddresses, QStringLiteral("10.0.0.1")), 0);
    EXPECT_EQ(FindPrefixRow(kAddresses, QStringLiteral("10.0.0.10")), 1);
    EXPECT_EQ(FindPrefixRow(kAddresses, QStringLiteral("19")), 2);
    EXPECT_EQ(FindPrefixRow(kAddresses, QStringLiteral("RA")), 3);
    EXPECT_EQ(FindPrefixRow(kAddresses, QStringLiteral("2")), -1);
}

TEST(ListRows, GroupRowsBeginWithThePrefixInItsCase) {
    const QString prefix = QStringLiteral("//");
    const QStringList rows{QStringLiteral("//First"),  QStringLiteral("a"),
                           QStringLiteral("//Second"), QStringLiteral("b"),
                           QStringLiteral("//Third"),  QStringLiteral("c")};
    EXPECT_TRUE(IsGroupText(rows.at(0), prefix));
    EXPECT_FALSE(IsGroupText(QStringLiteral("/ x"), prefix));
    EXPECT_FALSE(IsGroupText(QStringLiteral("#x"), QStringLiteral("#X")));
    EXPECT_EQ(GroupRowOrdinal(rows, prefix, 4), 2);
    EXPECT_EQ(GroupRowOrdinal(rows, prefix, 0), 0);
    EXPECT_EQ(GroupRowOrdinal(rows, prefix, 5), -1);
    EXPECT_EQ(GroupRowOrdinal(rows, prefix, 99), -1);
    EXPECT_EQ(GroupRowAbove(rows, prefix, 3), 2);
    EXPECT_EQ(GroupRowAbove(rows, prefix, 2), 2);
    EXPECT_EQ(GroupRowAbove(QStringList{QStringLiteral("x"), QStringLiteral("//G")}, prefix, 0),
              -1);
    EXPECT_EQ(GroupRowAbove(rows, prefix, 6), -1);
}

} // namespace
