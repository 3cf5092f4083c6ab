#include "setup/addresslist.h"

#include "setup/textrules.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// The list order as the form defines it: passes of neighbour swaps where the left one is above.
void bubbleSort(QStringList &list) {
    for (qsizetype pass = 1; pass < list.size(); ++pass) {
        for (qsizetype i = 0; i + 1 < list.size(); ++i) {
            if (CompareIpTexts(list[i], list[i + 1]) == 1)
                list.swapItemsAt(i, i + 1);
        }
    }
}

TEST(SortIpList, GivesTheNeighbourSwapOrderOnRandomLists) {
    std::mt19937 random(12345);
    for (int round = 0; round < 200; ++round) {
        // Small octet ranges make lists with shared prefixes; the top octet crosses 127.
        std::uniform_int_distribution<int> size(0, 40);
        std::uniform_int_distribution<int> octet(round % 2 ? 0 : 120, round % 2 ? 255 : 136);
        QStringList list;
        for (int n = size(random); list.size() < n;) {
            AddUniqueIp(list, QStringLiteral("%1.%2.%3.%4")
                                  .arg(octet(random))
                                  .arg(octet(random) % 3)
                                  .arg(octet(random) % 2)
                                  .arg(octet(random)));
        }
        QStringList expected = list;
        bubbleSort(expected);
        SortIpList(list);
        ASSERT_EQ(list, expected) << "round " << round;
    }
}

TEST(SortIpList, SortsUnsignedAndPutsNonAddressesLast) {
    QStringList list{"200.0.0.1", "bad", "10.0.0.2", "9.255.255.255", "128.0.0.0", "other"};
    SortIpList(list);
    EXPECT_EQ(list,
              (QStringList{"9.255.255.255", "10.0.0.2", "128.0.0.0", "200.0.0.1", "bad", "other"}));
}

TEST(AddUniqueIp, AddsATextOnce) {
    QStringList list{"10.0.0.1"};
    EXPECT_FALSE(AddUniqueIp(list, "10.0.0.1"));
    EXPECT_TRUE(AddUniqueIp(list, "9.0.0.1"));
    EXPECT_EQ(list, (QStringList{"10.0.0.1", "9.0.0.1"}));
}

TEST(JoinListItems, JoinsWithCommaAndBlank) {
    EXPECT_EQ(JoinListItems({}), "");
    EXPECT_EQ(JoinListItems({"1.1.1.1"}), "1.1.1.1");
    EXPECT_EQ(JoinListItems({"1.1.1.1", "2.2.2.2"}), "1.1.1.1, 2.2.2.2");
}

TEST(FillIpList, KeepsValidAddressesOnceAndSorted) {
    QStringList list;
    FillIpList(list, " 192.168.0.1,10.0.0.1 , 10.0.0.1, bad, 300.1.1.1 010.000.0.1 9.9.9.9,, ");
    EXPECT_EQ(list, (QStringList{"9.9.9.9", "10.0.0.1", "192.168.0.1"}));

    list.clear();
    FillIpList(list, " ");
    EXPECT_TRUE(list.isEmpty());
}

} // namespace
