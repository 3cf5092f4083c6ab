#pragma once

#include "console/windows/registertarget.h"

#include <QDoubleSpinBox>
#include <QPalette>

class QWheelEvent;

// A number field of a block panel: every value the operator commits (Enter, leaving the field
// after an edit, one arrow-key, arrow-button or wheel step) is sent as the raw register value
// (value / scale, rounded, within 16 bits) and shows the pending look until the panel's next
// refresh; the digits typed on the way are never sent. The wheel changes it only while it has
// focus.
class MyDspin : public QDoubleSpinBox {
    Q_OBJECT

public:
    explicit MyDspin(QWidget *parent = nullptr);

    // The palette of the last refresh.
    void restoreNormalPalette();

    RegisterTarget target;
    double scale = 1.0;
    QPalette normalPalette;
    QPalette pendingPalette;

public slots:
    void slot_Get_Reg_Value(double v);

protected:
    void wheelEvent(QWheelEvent *event) override;
};
