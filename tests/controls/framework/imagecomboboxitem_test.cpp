#include "controls/framework/tkximagecomboboxitem.h"

#include <QComboBox>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(ImageComboBoxItem, RowObjectIsReadBackOnlyAsAnItem) {
    QComboBox combo;
    TKxImageComboBoxItem item;
    QObject other;
    combo.addItem(QStringLiteral("with item"), QVariant::fromValue<QObject *>(&item));
    combo.addItem(QStringLiteral("without object"));
    combo.addItem(QStringLiteral("other object"), QVariant::fromValue<QObject *>(&other));

    EXPECT_EQ(ImageComboItemAt(combo, 0), &item);
    EXPECT_EQ(ImageComboItemAt(combo, 1), nullptr);
    EXPECT_THROW(ImageComboItemAt(combo, 2), std::runtime_error);
    EXPECT_THROW(ImageComboItemAt(combo, 3), std::out_of_range);
    EXPECT_THROW(ImageComboItemAt(combo, -1), std::out_of_range);
}

} // namespace
