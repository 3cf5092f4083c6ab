#pragma once

#include <QObject>
#include <QRect>
#include <QString>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

class QAbstractItemView;
class QColor;
class QImage;
class QPoint;
class QWidget;

// Counts the paint events that reach a widget.
class PaintCounter : public QObject {
    Q_OBJECT

public:
    explicit PaintCounter(QWidget *widget);
    int Count() const { return m_count; }
    void Reset() { m_count = 0; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int m_count = 0;
};

// Shows a window, makes it the active one and lets pending events run.
void ShowActive(QWidget &window);
void Settle();
// Sends a key press with the text it types.
void TypeKey(QWidget &widget, int key, const QString &text = QString());
// Presses a key at the window's focused control as the X11 platform delivers it: with the text it
// carries (Delete "\x7f", Backspace "\x08", Tab "\t", Enter "\r", Escape "\x1b", a letter or
// digit itself, none for navigation keys); an unused key goes on to the parents.
void PressX11Key(QWidget &window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// A click (press and release) of the button at a point of the view's viewport.
void Click(QAbstractItemView &view, const QPoint &pos, Qt::MouseButton button);
// A right click at a point of the view's viewport, with the context-menu event between the
// press and the release as the window system sends it.
void RightClick(QAbstractItemView &view, const QPoint &pos);
// A left click followed by the double click's second press.
void DoubleClick(QAbstractItemView &view, const QPoint &pos);
// Counts system beeps while it lives.
class BeepCounter {
public:
    BeepCounter();
    ~BeepCounter();
    int Count() const { return *m_count; }

private:
    int *m_count;
};

// A system-coloured widget, made on its own and as a child of a window, shows a change of the
// system window colour in its palette and the restored colour after it.
void ExpectSystemColourChangesReach(const std::function<QWidget *(QWidget *parent)> &make);

// The bounding box of the pixels of one colour in an image.
QRect ColorBounds(const QImage &image, const QColor &color);

// A property set once to the value it holds and once to another.
template <typename Widget> struct RepaintCase {
    const char *name;
    std::function<void(Widget &)> sameValue;
    std::function<void(Widget &)> newValue;
};

// Setting an equal value repaints nothing; a new value repaints the widget. The cases run in
// order on one widget, so each starts from the values the ones before left.
template <typename Widget>
void ExpectOnlyChangesRepaint(Widget &widget, const std::vector<RepaintCase<Widget>> &cases) {
    PaintCounter paints(&widget);
    for (const RepaintCase<Widget> &c : cases) {
        SCOPED_TRACE(c.name);
        Settle();
        paints.Reset();
        c.sameValue(widget);
        Settle();
        EXPECT_EQ(paints.Count(), 0);
        c.newValue(widget);
        Settle();
        EXPECT_GT(paints.Count(), 0);
    }
}
