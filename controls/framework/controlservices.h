#pragma once

#include <QChar>
#include <QString>

#include <exception>
#include <functional>

class QKeyEvent;

// One process-wide switch for visual styles: when on, themed elements are drawn through the
// widget style's primitives instead of the library's own frames.
bool ThemesActive();
void SetThemesActive(bool active);

// The system beep; tests replace it to count beeps.
void SystemBeep();
void SetBeepHandler(std::function<void()> handler);

// The application's error box for exceptions raised by event handlers; no exception crosses the
// event loop. Without a reporter set, a critical message box shows the message.
void SetHandlerErrorReporter(std::function<void(const QString &)> reporter);
void ReportHandlerError(const QString &message);

template <typename Handler> void CallGuarded(Handler &&handler) {
    try {
        handler();
    } catch (const std::exception &error) {
        ReportHandlerError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        ReportHandlerError(QStringLiteral("Unknown error"));
    }
}

// The character a key press delivers (Backspace 8, Tab 9, Enter 13, Escape 27), 0 for none:
// editing and navigation keys (Delete, Insert, Home, arrows, function keys...) type nothing.
QChar KeyEventChar(const QKeyEvent &event);
// The Menu key alone or Shift+F10: the keys that open a context menu.
bool IsContextMenuKey(const QKeyEvent &event);
