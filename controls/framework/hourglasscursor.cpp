#include "controls/framework/hourglasscursor.h"

#include <QCursor>
#include <QGuiApplication>

HourglassCursor::HourglassCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }

HourglassCursor::~HourglassCursor() { QGuiApplication::restoreOverrideCursor(); }
