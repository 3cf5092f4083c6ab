#include "console/windows/mytabwidget.h"

#include <QCloseEvent>

void MyTabWidget::closeEvent(QCloseEvent *event) {
    if (paneClosed)
        paneClosed(this);
    QTabWidget::closeEvent(event);
}
