#pragma once

#include "console/windows/registertarget.h"

#include <QPalette>
#include <QPushButton>

class QKeyEvent;

// A button of a block panel: a group button or an ON/OFF button sends its `value` when
// pressed (a mouse press or Space), a toggle (`value` TOGGLE) sends its new checked state, 1
// or 0, when clicked. Arrow keys only move the focus along a group. The button then shows the
// pending palette until the panel's next refresh.
class MyButton : public QPushButton {
    Q_OBJECT

public:
    static constexpr int TOGGLE = -1;
    static constexpr const char *CHECKED_STYLE = "QPushButton:checked {background-color:yellow}";
    // Sent and waiting: gray with white text, pressed or not, checked or not.
    static constexpr const char *PENDING_STYLE = "QPushButton {background-color:gray; color:white}";

    // `value`: position in a group, 1 for "ON", 0 for "OFF", TOGGLE for a toggle.
    explicit MyButton(int value, const QString &text = {}, QWidget *parent = nullptr);

    // The look of the last refresh: the yellow checked style and the normal palette.
    void restoreNormalPalette();

    RegisterTarget target;
    int value = 0;
    QPalette normalPalette;
    QPalette pendingPalette;

public slots:
    void slot_Group_Btns();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
