#include "console/windows/mydspin.h"

#include "console/windows/registervalues.h"

#include <QWheelEvent>

MyDspin::MyDspin(QWidget *parent)
    : QDoubleSpinBox(parent) {
    setFocusPolicy(Qt::StrongFocus);
    // Typing 12.34 must not write 1, 12 and 12.3 to the equipment first.
    setKeyboardTracking(false);
    connect(this, &QDoubleSpinBox::valueChanged, this, &MyDspin::slot_Get_Reg_Value);
}

void MyDspin::restoreNormalPalette() {
    setPalette(normalPalette);
}

void MyDspin::slot_Get_Reg_Value(double v) {
    pendingPalette = palette();
    pendingPalette.setColor(QPalette::Base, Qt::gray);
    pendingPalette.setColor(QPalette::Text, Qt::white);
    pendingPalette.setColor(QPalette::HighlightedText, Qt::white);
    setPalette(pendingPalette);
    target.send(registerWordFromShown(v, scale));
}

void MyDspin::wheelEvent(QWheelEvent *event) {
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QDoubleSpinBox::wheelEvent(event);
}
