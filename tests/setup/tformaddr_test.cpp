#include "setup/tformaddr.h"

#include "controls/framed/tkxbutton.h"
#include "controls/framed/tkxnumericedit.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <utility>
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

// The columns of an image that hold a pixel much darker than the background; -1, -1 for none.
std::pair<int, int> inkColumns(const QImage &image, const QRect &area) {
    int first = -1;
    int last = -1;
    for (int x = area.left(); x <= area.right(); ++x) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            if (qGray(image.pixel(x, y)) < 128) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

// Each octet, at its widest, shows its three digits whole: the ink drawn inside the edit is as
// wide as the text drawn on its own in the edit's font (a cut text shows narrower).
TEST(TFormAddrTest, EveryOctetShowsThreeDigitsWhole) {
    TFormAddr dialog;
    dialog.show();
    QCoreApplication::processEvents();
    const int values[] = {192, 168, 200, 255};
    for (int i = 0; i < 4; ++i) {
        TKxNumericEdit *edit = dialog.Edits[i];
        SCOPED_TRACE(values[i]);
        edit->SetValueAsInteger(values[i]);
        edit->setCursorPosition(edit->text().size());
        QCoreApplication::processEvents();
        const QImage shown = edit->grab().toImage();
        // Inside the frame; antialiased edges may add or lose a column.
        const QRect inside = edit->rect().adjusted(2, 2, -2, -2);
        const auto [first, last] = inkColumns(shown, inside);

        QImage alone(100, edit->height(), QImage::Format_RGB32);
        alone.fill(Qt::white);
        {
            QPainter painter(&alone);
            painter.setFont(edit->font());
            painter.setPen(Qt::black);
            painter.drawText(alone.rect().adjusted(10, 0, 0, 0), Qt::AlignVCenter, edit->text());
        }
        const auto [aloneFirst, aloneLast] = inkColumns(alone, alone.rect());
        ASSERT_GE(first, 0);
        EXPECT_NEAR(last - first, aloneLast - aloneFirst, 1) << "text cut in the edit";
        EXPECT_LT(last, inside.right());
    }
    EXPECT_EQ(dialog.font().pixelSize(), 11);
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

// Keys typed at the pop-up's focused control as the X11 platform delivers them.
void TypeAtFocus(TFormAddr &dialog, const QString &keys) {
    for (QChar ch : keys) {
        QWidget *target = dialog.focusWidget() != nullptr ? dialog.focusWidget() : &dialog;
        const int key = ch == u'\r' ? int(Qt::Key_Return) : int(ch.unicode());
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
        QCoreApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(ch));
        QCoreApplication::sendEvent(target, &release);
    }
}

// Runs the step once the pop-up is shown and its first octet has the focus.
void OnceOpened(TFormAddr &dialog, std::function<void()> step) {
    QTimer::singleShot(0, &dialog, [&dialog, step] {
        for (int i = 0; i < 100 && !dialog.Edits[0]->hasFocus(); ++i)
            QCoreApplication::processEvents();
        ASSERT_TRUE(dialog.Edits[0]->hasFocus());
        step();
    });
}

struct OpeningCase {
    const char *name;
    int clickedOctet;     // -1: no click
    const char *selected; // in the focused octet before typing
    const char *typed;
    const char *address;
};

// Every opening offers the first octet selected, so typed digits replace it even though it
// holds three digits already; a click into an octet places the caret instead. The cases run on
// one pop-up, each opening with the address the one before entered.
TEST(TFormAddrTest, OpeningSelectsTheFirstOctetAndAClickPlacesTheCaret) {
    const std::vector<OpeningCase> cases = {
        {"first opening", -1, "192", "10\r", "10.168.0.1"},
        {"opened again after Enter in the first octet", -1, "10", "172\r", "172.168.0.1"},
        {"click at the end of the last octet", 3, "", "0\r", "172.168.0.10"},
        {"opened again after a click", -1, "172", "8\r", "8.168.0.10"},
    };
    // The pop-up belongs to the main form.
    QWidget owner;
    owner.resize(300, 200);
    owner.show();
    QApplication::setActiveWindow(&owner);
    TFormAddr dialog(&owner);
    for (const OpeningCase &c : cases) {
        SCOPED_TRACE(c.name);
        OnceOpened(dialog, [&] {
            if (c.clickedOctet >= 0) {
                TKxNumericEdit *edit = dialog.Edits[c.clickedOctet];
                QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier,
                                  QPoint(edit->width() - 4, edit->height() / 2));
                EXPECT_TRUE(edit->hasFocus());
            }
            const auto *focused = qobject_cast<TKxNumericEdit *>(dialog.focusWidget());
            ASSERT_NE(focused, nullptr);
            EXPECT_EQ(focused->selectedText().toStdString(), c.selected);
            TypeAtFocus(dialog, QString::fromLatin1(c.typed));
        });
        EXPECT_EQ(dialog.exec(), TFormAddr::kModalOk);
        EXPECT_EQ(dialog.AddressText().toStdString(), c.address);
        // The window manager activates the main form again.
        QApplication::setActiveWindow(&owner);
        QCoreApplication::processEvents();
    }
}

} // namespace

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    return RUN_ALL_TESTS();
}
