#pragma once

#include <QChar>
#include <QRect>
#include <QStyle>

#include <functional>

class QObject;
class QPainter;

// Events of the controls; an unassigned event gives the default answer.
using TNotifyEvent = std::function<void(QObject *sender)>;
// key may be set to 0 to swallow the key.
using TKeyEvent = std::function<void(QObject *sender, int &key, Qt::KeyboardModifiers shift)>;
using TKeyPressEvent = std::function<void(QObject *sender, QChar &key)>;
using TDrawItemEvent = std::function<void(QObject *sender, QPainter &canvas, int index,
                                          const QRect &rect, QStyle::State state)>;
using TKxRangeErrorEvent = std::function<void(QObject *sender, double enteredValue,
                                              double adjustedValue, bool &autoCorrect)>;
