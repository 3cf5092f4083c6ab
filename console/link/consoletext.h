#pragma once

#include "console/link/consoletables.h"

#include <QByteArrayView>
#include <QString>

#include <cstdint>

// Text and value rules of the server-message handlers.

// Caption of a control-table line: the line cut before its first "," and then before its
// first "[", with every character of "#|$~%" removed.
QString controlLineCaption(const QString &line);

// The module's icon file root + "/ICONS_NEW/ICON_TORV/" + name + "/" + name + ".png" when it
// exists (folder and file matched exactly first, then case-insensitively); empty when it does
// not, or when the name could leave its folder (empty, ".", "..", "/", "\\" or NUL in it).
QString moduleIconFile(const QString &root, const QString &name);

// The file `name` in `folder`, matched exactly first, then case-insensitively; empty when there
// is none.
QString folderFile(const QString &folder, const QString &name);

// A rack name as the console keeps and sends it: at most RACK_NAME_CHARS characters, never
// ending in half of a surrogate pair.
QString cutRackName(const QString &text);

// Characters of a text that a log record keeps: the ring's memory is bounded by its count.
inline constexpr int MAX_RECORD_TEXT_CHARS = 1000;
// The mark that ends a text cut to MAX_RECORD_TEXT_CHARS.
inline constexpr char16_t RECORD_TEXT_CUT_MARK = u'\u2026';

// A server text as a log record keeps it: a longer one is cut to MAX_RECORD_TEXT_CHARS
// characters, its last one the cut mark.
QString cutRecordText(const QString &text);

// Alarms on register 0, the status word: "INPUT", "REF", "FREEZE", "BARS".
bool isStatusAlarmName(const QString &name);

// The module type id of an alarm-init file name: leading "0"s dropped, every "_A.txt" removed.
QString alarmInitFileName(const QString &fileName);

// Parses one alarm-init file into its row: fields end with ";", a record with ";;"; at most
// six records; a NUL ends the content. Every record of the row starts afresh and carries
// fname; record 0 keeps the number of records ended by ";;".
void parseAlarmInitContent(QByteArrayView content, const QString &fname, AlarmInitRow &row);

// A register value from its low 14 bits, bit 13 the sign.
int16_t signExtend14(int16_t raw);
