#include "tests/controls/support/widgettesting.h"

#include "controls/framework/controlservices.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QColor>
#include <QContextMenuEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QWidget>

#include <memory>

namespace {

// Sends one mouse event at a point of the view's viewport.
void SendMouse(QAbstractItemView &view, QEvent::Type type, const QPoint &pos,
               Qt::MouseButton button, Qt::MouseButtons buttons) {
    const QPointF local(pos);
    QMouseEvent event(type, local, QPointF(view.viewport()->mapToGlobal(pos)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &event);
}

} // namespace

PaintCounter::PaintCounter(QWidget *widget)
    : QObject(widget) {
    widget->installEventFilter(this);
}

bool PaintCounter::eventFilter(QObject *, QEvent *event) {
    if (event->type() == QEvent::Paint)
        ++m_count;
    return false;
}

void Settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

void ShowActive(QWidget &window) {
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    Settle();
}

void TypeKey(QWidget &widget, int key, const QString &text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&widget, &press);
}

namespace {

QString X11KeyText(int key, Qt::KeyboardModifiers modifiers) {
    switch (key) {
    case Qt::Key_Delete:
        return QStringLiteral("\x7f");
    case Qt::Key_Backspace:
        return QStringLiteral("\x08");
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return QStringLiteral("\t");
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QStringLiteral("\r");
    case Qt::Key_Escape:
        return QStringLiteral("\x1b");
    default:
        break;
    }
    if (key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde) {
        const QChar ch(key);
        return QString(modifiers & Qt::ShiftModifier ? ch.toUpper() : ch.toLower());
    }
    return QString();
}

} // namespace

void PressX11Key(QWidget &window, int key, Qt::KeyboardModifiers modifiers) {
    QWidget *target = window.focusWidget() != nullptr ? window.focusWidget() : &window;
    QKeyEvent press(QEvent::KeyPress, key, modifiers, X11KeyText(key, modifiers));
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, X11KeyText(key, modifiers));
    QApplication::sendEvent(target, &release);
}

void Click(QAbstractItemView &view, const QPoint &pos, Qt::MouseButton button) {
    SendMouse(view, QEvent::MouseButtonPress, pos, button, button);
    SendMouse(view, QEvent::MouseButtonRelease, pos, button, Qt::NoButton);
}

void RightClick(QAbstractItemView &view, const QPoint &pos) {
    SendMouse(view, QEvent::MouseButtonPress, pos, Qt::RightButton, Qt::RightButton);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, pos, view.viewport()->mapToGlobal(pos));
    QApplication::sendEvent(view.viewport(), &menu);
    SendMouse(view, QEvent::MouseButtonRelease, pos, Qt::RightButton, Qt::NoButton);
}

void DoubleClick(QAbstractItemView &view, const QPoint &pos) {
    Click(view, pos, Qt::LeftButton);
    SendMouse(view, QEvent::MouseButtonDblClick, pos, Qt::LeftButton, Qt::LeftButton);
}

namespace {
int beeps = 0;
} // namespace

BeepCounter::BeepCounter()
    : m_count(&beeps) {
    beeps = 0;
    SetBeepHandler([] { ++beeps; });
}

BeepCounter::~BeepCounter() {
    SetBeepHandler({});
}

QRect ColorBounds(const QImage &image, const QColor &color) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == color.rgb())
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

void ExpectSystemColourChangesReach(const std::function<QWidget *(QWidget *parent)> &make) {
    const std::unique_ptr<QWidget> alone(make(nullptr));
    QWidget window;
    QWidget *child = make(&window);
    const QPalette saved = QApplication::palette();
    QPalette changed = saved;
    changed.setColor(QPalette::Base, QColor(10, 20, 30));
    changed.setColor(QPalette::Window, QColor(40, 50, 60));
    QApplication::setPalette(changed);
    Settle();
    const QColor shown = alone->palette().color(QPalette::Base);
    const QColor shownInAWindow = child->palette().color(QPalette::Base);
    QApplication::setPalette(saved);
    Settle();
    EXPECT_EQ(shown, QColor(10, 20, 30));
    EXPECT_EQ(shownInAWindow, QColor(10, 20, 30));
    EXPECT_EQ(alone->palette().color(QPalette::Base), saved.color(QPalette::Base));
}
