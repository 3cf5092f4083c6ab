#include "console/windows/committedspinbox.h"

#include <QLineEdit>
#include <QWheelEvent>

CommittedSpinBox::CommittedSpinBox(QWidget *parent)
    : QDoubleSpinBox(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setKeyboardTracking(false);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { typing = true; });
    // Enter and leaving the field end an edit, whether or not it changed the value.
    connect(this, &QAbstractSpinBox::editingFinished, this, [this] { typing = false; });
    connect(this, &QDoubleSpinBox::valueChanged, this, [this] { typing = false; });
}

void CommittedSpinBox::showValue(double value) {
    if (!typing)
        setValue(value);
}

void CommittedSpinBox::wheelEvent(QWheelEvent *event) {
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QDoubleSpinBox::wheelEvent(event);
}
