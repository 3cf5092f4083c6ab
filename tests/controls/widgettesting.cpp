#include "widgettesting.h"

#include "controls/controlservices.h"

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QKeyEvent>
#include <QWidget>

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
