#include "console/windows/buttonfocus.h"

#include <QAbstractButton>
#include <QKeyEvent>

#include <algorithm>

bool moveFocusWithoutClick(QAbstractButton &button, QKeyEvent &event) {
    const int key = event.key();
    const bool back = key == Qt::Key_Left || key == Qt::Key_Up;
    const bool forward = key == Qt::Key_Right || key == Qt::Key_Down;
    QWidget *row = button.parentWidget();
    if ((!back && !forward) || !button.autoExclusive() || !row)
        return false;

    // The unchecked buttons of an exclusive row take no Tab focus (Tab goes to the checked
    // one), but they take the focus.
    QList<QAbstractButton *> buttons;
    for (QAbstractButton *b :
         row->findChildren<QAbstractButton *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (b == &button || (b->autoExclusive() && b->isEnabled() && b->isVisibleTo(row) &&
                             b->focusPolicy() != Qt::NoFocus))
            buttons.append(b);
    }
    std::stable_sort(buttons.begin(), buttons.end(),
                     [](const QAbstractButton *a, const QAbstractButton *b) {
                         const QPoint pa = a->pos();
                         const QPoint pb = b->pos();
                         return pa.x() != pb.x() ? pa.x() < pb.x() : pa.y() < pb.y();
                     });
    const qsizetype at = buttons.indexOf(&button) + (back ? -1 : 1);
    if (at < 0 || at >= buttons.size()) {
        event.ignore();
        return true;
    }
    buttons[at]->setFocus(back ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    event.accept();
    return true;
}
