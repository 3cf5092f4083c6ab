#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// What the shell tree and the shell list ask before a verb and tell when it fails.

// Whether the operator agrees to move the named items to the trash: a Yes/No question box owned
// by the owner's window, or the answer that tests set.
bool ConfirmDelete(QWidget *owner, const QStringList &names);
void SetDeleteConfirmation(std::function<bool(const QStringList &names)> answer);

// The operator's text for a verb on the named items that failed with an errno code; a rename
// names the new name as well.
QString VerbFailureText(const QString &verb, const QStringList &names, int code,
                        const QString &newName = QString());
// Raises that text; the handler boundary shows it in the application's error box.
[[noreturn]] void RaiseVerbFailure(const QString &verb, const QStringList &names, int code,
                                   const QString &newName = QString());
