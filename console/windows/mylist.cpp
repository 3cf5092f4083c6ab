#include "console/windows/mylist.h"

#include <QKeyEvent>
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

void MyList::keyPressEvent(QKeyEvent *event) {
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            showPopup();
            event->accept();
            return;
        }
        break;
    default:
        break;
    }
    QComboBox::keyPressEvent(event);
}

void MyList::wheelEvent(QWheelEvent *event) {
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}
