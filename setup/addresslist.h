#pragma once

#include <QString>
#include <QStringList>

// Rules of the three address lists: canonical addresses, no duplicates, ascending by value.

// Adds the text unless the list already holds it (whole text, case-insensitive); true when added.
bool AddUniqueIp(QStringList &list, const QString &text);

// Sorts ascending by address value; equal values keep their order. Rows that are no address
// (the lists never hold any) keep their order after all the addresses.
void SortIpList(QStringList &list);

// The items joined by ", "; an empty list gives the empty text.
QString JoinListItems(const QStringList &list);

// Adds every valid address of a stored list value, canonical and once, then sorts the list;
// invalid items are dropped.
void FillIpList(QStringList &list, const QString &value);
