#include "console/windows/mydspin.h"

#include "console/windows/registervalues.h"

#include <QLineEdit>

MyDspin::MyDspin(QWidget *parent)
    : CommittedSpinBox(parent) {
    connect(this, &QDoubleSpinBox::valueChanged, this, &MyDspin::slot_Get_Reg_Value);
}

void MyDspin::restoreNormalPalette() {
    showPalette(normalPalette);
}

void MyDspin::showPalette(const QPalette &shown) {
    setPalette(shown);
    // A style sheet above the field (a pane's) fixes the palette of its text field when it
    // polishes it, so the field's own palette would no longer reach the text and its ground.
    lineEdit()->setPalette(shown);
}

void MyDspin::slot_Get_Reg_Value(double v) {
    pendingPalette = palette();
    pendingPalette.setColor(QPalette::Base, Qt::gray);
    pendingPalette.setColor(QPalette::Text, Qt::white);
    pendingPalette.setColor(QPalette::HighlightedText, Qt::white);
    showPalette(pendingPalette);
    target.send(registerWordFromShown(v, scale));
}
