#pragma once

#include "console/link/rings.h"
#include "console/link/settingsfile.h"

#include <QAbstractSpinBox>
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QString>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QWheelEvent>
#include <QWidget>

#include <functional>
#include <vector>

// Runs the event loop until done() holds; false when it still does not after timeoutMs.
inline bool waitUntil(const std::function<bool()> &done, int timeoutMs = 60000) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// A console settings file at path that names the server 127.0.0.1 at port.
inline bool writeLoopbackSettings(const QString &path, quint16 port) {
    SettingsFile settings;
    settings.ip_srv = {127, 0, 0, 1};
    settings.port_srv_text = QString::number(port);
    settings.settingFileName = path;
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(formatSettingsFile(settings)) > 0;
}

// Everything queued for the server since the last call, oldest first.
inline QList<QByteArray> takeSent() {
    QList<QByteArray> sent;
    for (QByteArrayView m = outboundRing().waitingMessage(); !m.isEmpty();
         m = outboundRing().waitingMessage()) {
        sent.append(m.toByteArray());
        outboundRing().freeMessage();
    }
    return sent;
}

// One key pressed and released on the widget, carrying its text as X11 delivers it (Enter
// "\r", Backspace "\x08", Delete "\x7f", Escape "\x1b"; arrows carry none).
inline void pressKey(QWidget &widget, int key, const QString &text = QString(),
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(&widget, &release);
}

// Types printable ASCII text key by key.
inline void typeText(QWidget &widget, const QString &text) {
    for (const QChar c : text)
        pressKey(widget, c.toUpper().unicode(), QString(c));
}

// Shows the widget's window and makes it the active one; false when it did not become active.
inline bool showActive(QWidget &widget) {
    QWidget *window = widget.window();
    window->show();
    window->activateWindow();
    return waitUntil([window] { return window->isActiveWindow(); }, 5000);
}

// A mouse press and release of the left button at pos of the widget.
inline void clickAt(QWidget &widget, const QPoint &pos) {
    const QPointF local(pos);
    const QPointF global(widget.mapToGlobal(pos));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&widget, &release);
}

// One wheel notch (away from the operator) over the middle of the widget.
inline void wheelStep(QWidget &widget) {
    const QPointF at(widget.width() / 2.0, widget.height() / 2.0);
    QWheelEvent wheel(at, widget.mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &wheel);
}

// The centre of a spin box's up-arrow button, as its style lays it out.
inline QPoint spinUpButton(const QAbstractSpinBox &spin) {
    QStyleOptionSpinBox option;
    option.initFrom(&spin);
    option.subControls = QStyle::SC_All;
    option.buttonSymbols = spin.buttonSymbols();
    option.frame = spin.hasFrame();
    option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    return spin.style()
        ->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, &spin)
        .center();
}

// A number field under test: `elsewhere` is another field of its window that the operator
// clicks (the window system's click focuses it as setFocus does here); `refresh` shows the
// server's values again as register values arriving do.
struct SpinField {
    QAbstractSpinBox &spin;
    QWidget &elsewhere;
    std::function<void()> refresh;
};

// What an operator does to a number field that has the focus, in this order, and how many
// writes each makes: only a committed value is written, never the digits typed on the way,
// and a refresh while typing keeps what was typed. The field must accept 12.34 and 7.5.
struct SpinOperatorStep {
    const char *what;
    std::function<void(const SpinField &field)> act;
    int writes;
};

inline std::vector<SpinOperatorStep> spinOperatorSteps() {
    const auto retype = [](QAbstractSpinBox &spin, const QString &text) {
        pressKey(spin, Qt::Key_A, QStringLiteral("\x01"), Qt::ControlModifier);
        typeText(spin, text);
    };
    const auto enter = [](QAbstractSpinBox &spin) {
        pressKey(spin, Qt::Key_Return, QStringLiteral("\r"));
    };
    const auto leave = [](const SpinField &f) { f.elsewhere.setFocus(Qt::MouseFocusReason); };
    return {
        {"typing 12.34 and Enter",
         [=](const SpinField &f) {
             retype(f.spin, QStringLiteral("12.34"));
             enter(f.spin);
         },
         1},
        {"Enter again on the same value", [=](const SpinField &f) { enter(f.spin); }, 0},
        {"typing 7.5 while values arrive, then Enter",
         [=](const SpinField &f) {
             retype(f.spin, QStringLiteral("7"));
             f.refresh();
             typeText(f.spin, QStringLiteral(".5"));
             f.refresh();
             enter(f.spin);
         },
         1},
        {"typing 12.34 without committing",
         [=](const SpinField &f) { retype(f.spin, QStringLiteral("12.34")); }, 0},
        {"leaving the field after typing", leave, 1},
        {"leaving the field without a change", leave, 0},
        {"one arrow key", [](const SpinField &f) { pressKey(f.spin, Qt::Key_Up); }, 1},
        {"one click on the arrow button",
         [](const SpinField &f) { clickAt(f.spin, spinUpButton(f.spin)); }, 1},
        {"one wheel step", [](const SpinField &f) { wheelStep(f.spin); }, 1},
    };
}
