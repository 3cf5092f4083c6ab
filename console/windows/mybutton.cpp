#include "console/windows/mybutton.h"

#include "console/windows/buttonfocus.h"

#include <QDebug>
#include <QKeyEvent>

MyButton::MyButton(int value, const QString &text, QWidget *parent)
    : QPushButton(text, parent)
    , value(value) {
    // Enter in a panel's number field must not press a button.
    setAutoDefault(false);
    if (value == TOGGLE)
        connect(this, &QPushButton::clicked, this, &MyButton::slot_Group_Btns);
    else
        connect(this, &QPushButton::pressed, this, &MyButton::slot_Group_Btns);
}

void MyButton::restoreNormalPalette() {
    // Setting a style sheet repolishes the button even when it is the same text.
    if (styleSheet() != QLatin1String(CHECKED_STYLE))
        setStyleSheet(CHECKED_STYLE);
    setPalette(normalPalette);
}

void MyButton::slot_Group_Btns() {
    setStyleSheet(PENDING_STYLE);
    pendingPalette = palette();
    pendingPalette.setColor(QPalette::ButtonText, Qt::white);
    setPalette(pendingPalette);
    int sent = value;
    if (value == TOGGLE) {
        sent = isChecked() ? 1 : 0;
        qDebug() << "ics.nValue = " << sent;
    }
    target.send(int16_t(sent & 0xFF));
}

void MyButton::keyPressEvent(QKeyEvent *event) {
    if (!moveFocusWithoutClick(*this, *event))
        QPushButton::keyPressEvent(event);
}
