#include "setup/tformaddr.h"

#include "controls/tkxbutton.h"
#include "controls/tkxnumericedit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStyleFactory>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(TFormAddrTest, OffersTheDefaultAddressThenTheLastOneEntered) {
    TFormAddr dialog;
    EXPECT_EQ(dialog.AddressText(), "192.168.0.1");
    EXPECT_EQ(dialog.size(), QSize(144, 76));
    EXPECT_EQ(dialog.Edits[0]->DisplayFormat(), ",0;(,0)");
    dialog.Edits[0]->SetValueAsInteger(10);
    dialog.Edits[3]->SetValueAsInteger(7);
    EXPECT_EQ(dialog.AddressText(), "10.168.0.7");
}

TEST(TFormAddrTest, KeysAndButtonsEndThePopup) {
    struct Case {
        const char *name;
        int key; // 0: press the button instead
        bool okButton;
        int result;
        bool onButton = false; // the key goes to the Cancel button, not to an octet
    };
    const std::vector<Case> cases = {
        {"Enter in an octet", Qt::Key_Return, false, TFormAddr::kModalOk},
        {"keypad Enter", Qt::Key_Enter, false, TFormAddr::kModalOk},
        {"Escape", Qt::Key_Escape, false, TFormAddr::kModalCancel},
        {"Enter on Cancel", Qt::Key_Return, false, TFormAddr::kModalOk, true},
        {"Ok", 0, true, TFormAddr::kModalOk},
        {"Cancel", 0, false, TFormAddr::kModalCancel},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TFormAddr dialog;
        QTimer::singleShot(0, &dialog, [&] {
            if (c.key != 0) {
                QKeyEvent press(QEvent::KeyPress, c.key, Qt::NoModifier);
                QCoreApplication::sendEvent(c.onButton ? static_cast<QWidget *>(dialog.KxButton1)
                                                       : dialog.Edits[2],
                                            &press);
            } else {
                (c.okButton ? dialog.BtnCoreGuiAdd : dialog.KxButton1)->Click();
            }
        });
        EXPECT_EQ(dialog.exec(), c.result);
    }
}

TEST(TFormAddrTest, TheFirstOctetHasTheFocusOnceShown) {
    TFormAddr dialog;
    QTimer::singleShot(0, &dialog, [&] {
        // The focus move is queued behind the showing.
        QTimer::singleShot(0, &dialog, [&] {
            EXPECT_EQ(dialog.focusWidget(), dialog.Edits[0]);
            dialog.reject();
        });
    });
    dialog.exec();
}

} // namespace

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    return RUN_ALL_TESTS();
}
