#include "console/windows/committedspinbox.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

CommittedSpinBox::CommittedSpinBox(QWidget *parent)
    : QDoubleSpinBox(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setKeyboardTracking(false);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { typing = true; });
    // Enter and leaving the field end an edit, whether or not it changed the value.
    connect(this, &QAbstractSpinBox::editingFinished, this, [this] {
        typing = false;
        waiting.reset();
    });
    connect(this, &QDoubleSpinBox::valueChanged, this, [this] {
        typing = false;
        waiting.reset();
    });
}

void CommittedSpinBox::showValue(double value) {
    if (typing)
        waiting = value;
    else
        setValue(value);
}

void CommittedSpinBox::abandonEdit() {
    if (!typing)
        return;
    typing = false;
    const double shown = waiting.value_or(this->value());
    waiting.reset();
    // Setting a value, even the same one, rewrites the text and forgets the edit.
    const QSignalBlocker blocker(this);
    setValue(shown);
}

void CommittedSpinBox::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape && typing) {
        abandonEdit();
        event->accept();
        return;
    }
    QDoubleSpinBox::keyPressEvent(event);
}

void CommittedSpinBox::focusOutEvent(QFocusEvent *event) {
    switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::MouseFocusReason:
    case Qt::ShortcutFocusReason:
        // The operator moved on to another control: that commits.
        QDoubleSpinBox::focusOutEvent(event);
        return;
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
        // The window went inactive or a menu opened: the edit waits, the text stays.
        QApplication::sendEvent(lineEdit(), event);
        QWidget::focusOutEvent(event);
        return;
    default:
        abandonEdit();
        QDoubleSpinBox::focusOutEvent(event);
        return;
    }
}

void CommittedSpinBox::hideEvent(QHideEvent *event) {
    abandonEdit();
    QDoubleSpinBox::hideEvent(event);
}

void CommittedSpinBox::wheelEvent(QWheelEvent *event) {
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QDoubleSpinBox::wheelEvent(event);
}
