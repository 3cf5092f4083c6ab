#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The console's 8-bit code page. Every 8-bit boundary (wire texts, the settings file, file
// names built from module names) converts through these two functions.
QString fromWin1251(QByteArrayView bytes);

// Characters without a Windows-1251 byte (and lone surrogates) become '?'; a surrogate pair
// is one character and gives one '?'.
QByteArray toWin1251(QStringView text);
