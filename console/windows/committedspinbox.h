#pragma once

#include <QDoubleSpinBox>

class QWheelEvent;

// A number field that writes to equipment: valueChanged(double) reports only values the
// operator commits (Enter, leaving the field after an edit, one arrow-key, arrow-button or
// wheel step), never the digits typed on the way. The wheel changes it only while it has
// focus, so scrolling past it never sends. A refresh from the server leaves an edit that is
// not yet committed alone.
class CommittedSpinBox : public QDoubleSpinBox {
    Q_OBJECT

public:
    explicit CommittedSpinBox(QWidget *parent = nullptr);

    // Shows a value from the server unless the operator is typing a new one here.
    void showValue(double value);

protected:
    void wheelEvent(QWheelEvent *event) override;

private:
    bool typing = false; // the operator changed the text and has not committed it yet
};
