#pragma once

#include <QPalette>
#include <QPushButton>

#include <functional>

class QPaintEvent;
class QResizeEvent;
class QStyleOptionButton;

// A push button of the slot-button grids that can be drawn turned on its side and mirrored.
// It knows its place in the grid (grid row `rack`, column `slot`) and whether it shows an
// alarm.
class MyMainButton : public QPushButton {
    Q_OBJECT

public:
    explicit MyMainButton(QWidget *parent = nullptr);

    // Horizontal: wide and fixed in height; Vertical: narrow and fixed in width. Any other
    // value is only stored.
    void setOrientation(Qt::Orientation value);
    Qt::Orientation orientation() const { return m_orientation; }
    bool mirrored() const { return m_mirrored; }
    void setMirrored(bool value) { m_mirrored = value; }
    // Back to Horizontal, not mirrored.
    void resetOrientation();

    QSize sizeHint() const override;

    int slot = 0;       // 1..17 for a slot button, 0 for a rack button
    int rack = 0;       // grid row 1..40; -1 and -2 for the pane rows' buttons
    int alarmMark = -1; // 1 while the button shows an alarm
    QPalette normalPalette;
    int treeItemRow = 0; // rack button: 1-based row of the rack's item in the network tree

    // Runs when a grid slot button is pressed (the PRIMARY selection). Unset: nothing.
    std::function<void(MyMainButton *)> selected;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private slots:
    void slot_Group_MainBtns();

private:
    Qt::Orientation m_orientation = Qt::Horizontal;
    bool m_mirrored = false;
};

// The style option a main button is painted with: the push button's state, with the rectangle
// turned for a vertical button.
QStyleOptionButton initMainButtonStyleOption(const MyMainButton *button);
