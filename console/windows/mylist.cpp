#include "console/windows/mylist.h"

#include <QWheelEvent>

MyList::MyList(QWidget *parent)
    : QComboBox(parent) {
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QComboBox::activated, this, &MyList::slot_List);
}

void MyList::restoreNormalPalette() {
    setPalette(normalPalette);
}

void MyList::slot_List(int ind) {
    pendingPalette = palette();
    pendingPalette.setColor(QPalette::Button, Qt::gray);
    pendingPalette.setColor(QPalette::ButtonText, Qt::white);
    setPalette(pendingPalette);
    target.send(int16_t(ind & 0xFF));
}

void MyList::wheelEvent(QWheelEvent *event) {
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}
