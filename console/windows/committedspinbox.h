#pragma once

#include <QDoubleSpinBox>

#include <optional>

class QFocusEvent;
class QHideEvent;
class QKeyEvent;
class QWheelEvent;

// A number field that writes to equipment: valueChanged(double) reports only values the
// operator commits (Enter, Tab or a click that takes the focus to another control after an
// edit, one arrow-key, arrow-button or wheel step), never the digits typed on the way. Escape
// abandons an edit: the field shows its value again and reports nothing. The window going
// inactive keeps an edit as it is, uncommitted; the field hidden (its pane closed) or its
// focus taken away otherwise abandons it. The wheel changes it only while it has focus, so
// scrolling past it never sends. A refresh from the server leaves an edit that is not yet
// committed alone and shows once the edit ends without a commit.
class CommittedSpinBox : public QDoubleSpinBox {
    Q_OBJECT

public:
    explicit CommittedSpinBox(QWidget *parent = nullptr);

    // Shows a value from the server unless the operator is typing a new one here.
    void showValue(double value);
    // Drops what the operator typed and not yet committed; nothing is reported.
    void abandonEdit();
    // True while typed text waits for a commit.
    bool isEditing() const { return typing; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    bool typing = false;           // the operator changed the text and has not committed it yet
    std::optional<double> waiting; // the server's newest value, held back while typing
};
