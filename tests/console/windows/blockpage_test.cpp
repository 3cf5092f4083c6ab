#include "console/windows/blockpage.h"

#include "console/link/consoletables.h"
#include "console/windows/blockdlg.h"
#include "console/windows/mydspin.h"
#include "console/windows/mylist.h"

#include <QApplication>
#include <QLabel>

#include <gtest/gtest.h>

#include <vector>

namespace {

// Rack 2, slot 5 of 127.0.0.9, as the block-description handler leaves it: the line after the
// last real one is marked "not_defined" from the last real line on.
class BlockPage : public testing::Test {
protected:
    BlockPage()
        : panel([this](const QByteArray &message) {
            sent.push_back(message);
            return true;
        }) {
        block.ip = {127, 0, 0, 9};
        block.entries.fill("not_defined");
        block.entries[0] = "%Mode,A,B,C";
        block.entries[1] = "Gain[0.01](-100,100,0)";
        block.entries[2] = "$Lastnot_defined";
        block.values[0] = 0x03;
        block.values[1] = 2;
        block.values[2] = -5;
        block.valuesState = 1;
        block.scale.fill(3.0); // left by a previous module
    }

    std::vector<QByteArray> sent;
    BlockDescription block;
    BlockDlg panel;
};

TEST_F(BlockPage, SetupBuildsThePanelFromTheDescription) {
    setupBlockWindow(panel, block, 2, 5, "AMP-1");

    EXPECT_EQ(panel.built, 1);
    EXPECT_EQ(panel.windowTitle(), "AMP-1");
    EXPECT_EQ(panel.minimumSize(), QSize(575, 653));
    EXPECT_EQ(panel.pos(), QPoint(0, 0));
    EXPECT_EQ(panel.rackIndex, 2);
    EXPECT_EQ(panel.slotIndex, 5);
    EXPECT_EQ(panel.state, 1);
    EXPECT_EQ(panel.rowKind(1), ControlKind::List);
    EXPECT_EQ(panel.rowKind(2), ControlKind::Number);
    // The last real line carries the "not_defined" mark and, like the marked ones, no row.
    EXPECT_EQ(panel.rowKind(3), ControlKind::Empty);
    EXPECT_EQ(panel.rowKind(4), ControlKind::Empty);
    EXPECT_EQ(panel.content->findChildren<QLabel *>().size(), 3); // STATUS, Mode, Gain
    EXPECT_DOUBLE_EQ(panel.spin(2)->value(), -0.05);
    EXPECT_EQ(qobject_cast<MyList *>(panel.control(1, 0))->currentIndex(), 2);

    // The scales read from the table go back; the previous module's are gone.
    EXPECT_DOUBLE_EQ(block.scale[2], 0.01);
    EXPECT_DOUBLE_EQ(block.scale[1], 1.0);
    EXPECT_DOUBLE_EQ(block.scale[200], 1.0);
    EXPECT_TRUE(sent.empty());
}

TEST_F(BlockPage, WritesCarryTheRacksAddressAndSlot) {
    setupBlockWindow(panel, block, 2, 5, "AMP-1");
    qobject_cast<MyDspin *>(panel.control(2, 0))->setValue(1.5);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], QByteArray::fromHex("00080032007f00000000000900050002"
                                           "0096"));
}

TEST_F(BlockPage, AnOperatorChangeSendsTheExactSetRegisterAndStaysPendingUntilTheNextValues) {
    BlockDescription described;
    described.ip = {192, 168, 1, 10};
    described.entries[4] = "Atten[0.01](-100,100,0)";
    described.values[5] = 100;
    described.valuesState = 1;
    setupBlockWindow(panel, described, 0, 3, "ATT");
    auto *atten = qobject_cast<MyDspin *>(panel.control(5, 0));
    ASSERT_NE(atten, nullptr);
    const QPalette normal = atten->palette();

    atten->setValue(12.34);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].toHex(' '), "00 08 00 32 00 c0 00 a8 00 01 00 0a 00 03 00 05 04 d2");
    EXPECT_EQ(atten->palette().color(QPalette::Base), QColor(Qt::gray));
    EXPECT_EQ(atten->palette().color(QPalette::Text), QColor(Qt::white));

    described.values[5] = 1234;
    fillBlockPage(panel, described, 0, 3);
    EXPECT_EQ(sent.size(), 1u) << "a refresh sends nothing";
    EXPECT_EQ(atten->palette(), normal);
    EXPECT_DOUBLE_EQ(atten->value(), 12.34);
}

TEST_F(BlockPage, FillRefreshesInPlaceAndSendsNothing) {
    setupBlockWindow(panel, block, 2, 5, "AMP-1");
    QWidget *content = panel.content;
    QWidget *list = panel.control(1, 0);
    block.values[1] = 0;
    block.values[2] = 500;
    block.entries[1] = "Gain[0.1](0,1000,0)";

    fillBlockPage(panel, block, 2, 5);

    EXPECT_EQ(panel.content, content);
    EXPECT_EQ(panel.control(1, 0), list);
    EXPECT_EQ(qobject_cast<MyList *>(list)->currentIndex(), 0);
    // The scale is read again from the line.
    EXPECT_DOUBLE_EQ(panel.spin(2)->value(), 50.0);
    EXPECT_TRUE(sent.empty());
}

TEST_F(BlockPage, ValuesEnableTheContentOfAShownPanelOnly) {
    enableBlockContent(panel); // never built: nothing to enable
    setupBlockWindow(panel, block, 2, 5, "AMP-1");
    panel.content->setEnabled(false);
    enableBlockContent(panel);
    EXPECT_FALSE(panel.content->isEnabled());
    panel.viewAttached = 1;
    enableBlockContent(panel);
    EXPECT_TRUE(panel.content->isEnabled());
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
