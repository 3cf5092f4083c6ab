#pragma once

#include "console/windows/registertarget.h"

#include <QComboBox>
#include <QPalette>

class QKeyEvent;
class QWheelEvent;

// A drop-down list of a block panel: the item the operator picks is sent at once as the
// register value and shows the pending palette until the panel's next refresh. The wheel
// changes it only while it has focus. The arrow and page keys open the list rather than
// writing every item they pass; Enter or a click there picks one.
class MyList : public QComboBox {
    Q_OBJECT

public:
    explicit MyList(QWidget *parent = nullptr);

    // The palette of the last refresh.
    void restoreNormalPalette();

    RegisterTarget target;
    QPalette normalPalette;
    QPalette pendingPalette;

public slots:
    void slot_List(int ind);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
};
