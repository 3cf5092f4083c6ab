#pragma once

#include "console/windows/committedspinbox.h"
#include "console/windows/registertarget.h"

#include <QPalette>

// A number field of a block panel: every value the operator commits is sent as the raw
// register value (value / scale, rounded, within 16 bits) and shows the pending palette until
// the panel's next refresh.
class MyDspin : public CommittedSpinBox {
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

private:
    void showPalette(const QPalette &shown);
};
