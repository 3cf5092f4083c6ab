#include "controls/framework/controlservices.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>

namespace {

bool &ThemesFlag() {
    static bool active = true;
    return active;
}

std::function<void()> &BeepHandler() {
    static std::function<void()> handler;
    return handler;
}

std::function<void(const QString &)> &ErrorReporter() {
    static std::function<void(const QString &)> reporter;
    return reporter;
}

} // namespace

bool ThemesActive() {
    return ThemesFlag();
}

void SetThemesActive(bool active) {
    ThemesFlag() = active;
}

void SystemBeep() {
    if (BeepHandler())
        BeepHandler()();
    else
        QApplication::beep();
}

void SetBeepHandler(std::function<void()> handler) {
    BeepHandler() = std::move(handler);
}

void SetHandlerErrorReporter(std::function<void(const QString &)> reporter) {
    ErrorReporter() = std::move(reporter);
}

void ReportHandlerError(const QString &message) {
    if (ErrorReporter()) {
        ErrorReporter()(message);
        return;
    }
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), message);
}

QChar KeyEventChar(const QKeyEvent &event) {
    switch (event.key()) {
    case Qt::Key_Backspace:
        return QChar(8);
    case Qt::Key_Tab:
        return QChar(9);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(13);
    case Qt::Key_Escape:
        return QChar(27);
    default:
        break;
    }
    // X11 gives Delete the text "\x7f"; it and the other editing and navigation keys type nothing.
    if (event.key() >= Qt::Key_Insert && event.key() <= Qt::Key_Direction_R)
        return QChar(0);
    const QString text = event.text();
    if (text.isEmpty() || text.at(0).unicode() == 0x7f)
        return QChar(0);
    return text.at(0);
}

bool IsContextMenuKey(const QKeyEvent &event) {
    const Qt::KeyboardModifiers modifiers =
        event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    return (event.key() == Qt::Key_Menu && modifiers == Qt::NoModifier) ||
           (event.key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier);
}
