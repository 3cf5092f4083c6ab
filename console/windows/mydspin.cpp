#include "console/windows/mydspin.h"

#include "console/windows/registervalues.h"

MyDspin::MyDspin(QWidget *parent)
    : CommittedSpinBox(parent) {
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
