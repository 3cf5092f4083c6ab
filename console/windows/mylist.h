#pragma once

#include "console/windows/registertarget.h"

#include <QComboBox>
#include <QPalette>

class QWheelEvent;

// A drop-down list of a block panel: the item the operator picks is sent at once as the
// register value and shows the pending palette until the panel's next refresh. The wheel
// changes it only while it has focus.
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
    void wheelEvent(QWheelEvent *event) override;
};
