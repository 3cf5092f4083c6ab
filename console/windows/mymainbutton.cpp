#include "console/windows/mymainbutton.h"

#include <QMenu>
#include <QPainter>
#include <QResizeEvent>
#include <QStyleOptionButton>

MyMainButton::MyMainButton(QWidget *parent)
    : QPushButton(parent) {
    connect(this, &QPushButton::clicked, this, &MyMainButton::slot_Group_MainBtns);
}

void MyMainButton::setOrientation(Qt::Orientation value) {
    m_orientation = value;
    if (value == Qt::Horizontal)
        setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    else if (value == Qt::Vertical)
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Minimum);
}

void MyMainButton::resetOrientation() {
    m_orientation = Qt::Horizontal;
    m_mirrored = false;
}

QSize MyMainButton::sizeHint() const {
    const QSize hint = QPushButton::sizeHint();
    return m_orientation == Qt::Vertical ? hint.transposed() : hint;
}

void MyMainButton::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    if (m_orientation == Qt::Horizontal && m_mirrored) {
        painter.rotate(180);
        painter.translate(-width(), -height());
    } else if (m_orientation == Qt::Vertical && !m_mirrored) {
        painter.rotate(90);
        painter.translate(0, -width());
    } else if (m_orientation == Qt::Vertical && m_mirrored) {
        painter.rotate(-90);
        painter.translate(-height(), 0);
    }
    const QStyleOptionButton option = initMainButtonStyleOption(this);
    style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
}

void MyMainButton::resizeEvent(QResizeEvent *event) {
    setIconSize(QSize(event->size().width() - 2, event->size().height() - 4));
}

void MyMainButton::slot_Group_MainBtns() {
    if (selected)
        selected(this);
}

QStyleOptionButton initMainButtonStyleOption(const MyMainButton *button) {
    QStyleOptionButton option;
    option.initFrom(button);
    if (button->orientation() == Qt::Vertical)
        option.rect.setSize(option.rect.size().transposed());
    option.features = QStyleOptionButton::None;
    if (button->isFlat())
        option.features |= QStyleOptionButton::Flat;
    if (button->menu())
        option.features |= QStyleOptionButton::HasMenu;
    if (button->autoDefault() || button->isDefault())
        option.features |= QStyleOptionButton::AutoDefaultButton;
    if (button->isDefault())
        option.features |= QStyleOptionButton::DefaultButton;
    if (button->isDown() || (button->menu() && button->menu()->isVisible()))
        option.state |= QStyle::State_Sunken;
    if (button->isChecked())
        option.state |= QStyle::State_On;
    if (!button->isFlat() && !button->isDown())
        option.state |= QStyle::State_Raised;
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    return option;
}
