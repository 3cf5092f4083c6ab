#include "controls/shell/verbprompts.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QWidget>

#include <cerrno>
#include <stdexcept>
#include <system_error>

namespace {

std::function<bool(const QStringList &)> &deleteConfirmation() {
    static std::function<bool(const QStringList &)> answer;
    return answer;
}

QString namesText(const QStringList &names) {
    if (names.size() == 1)
        return QStringLiteral("'%1'").arg(names.first());
    return QStringLiteral("these %1 items").arg(names.size());
}

QString reasonOf(int code) {
    return QString::fromStdString(std::system_category().message(code));
}

} // namespace

bool ConfirmDelete(QWidget *owner, const QStringList &names) {
    if (deleteConfirmation())
        return deleteConfirmation()(names);
    const QString text = QStringLiteral("Move %1 to the trash?").arg(namesText(names));
    return QMessageBox::question(
               owner != nullptr ? owner->window() : nullptr, QCoreApplication::applicationName(),
               text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

void SetDeleteConfirmation(std::function<bool(const QStringList &names)> answer) {
    deleteConfirmation() = std::move(answer);
}

QString VerbFailureText(const QString &verb, const QStringList &names, int code,
                        const QString &newName) {
    const QString what = namesText(names);
    const QString name = verb.toLower();
    if (name == QLatin1String("rename")) {
        if (code == EEXIST)
            return QStringLiteral("Unable to rename %1 to '%2': an item with that name already "
                                  "exists in this folder.")
                .arg(what, newName);
        return QStringLiteral("Unable to rename %1 to '%2'.\n\n%3")
            .arg(what, newName, reasonOf(code));
    }
    if (name == QLatin1String("paste")) {
        if (code == ENODATA)
            return QStringLiteral("Nothing to paste into %1: no files were cut or copied.")
                .arg(what);
        if (code == EEXIST)
            return QStringLiteral("Unable to paste into %1: an item of the same name is there "
                                  "already, and nothing is replaced.")
                .arg(what);
        return QStringLiteral("Unable to paste into %1.\n\n%2").arg(what, reasonOf(code));
    }
    if (name == QLatin1String("drop")) {
        if (code == EEXIST)
            return QStringLiteral("Unable to drop into %1: an item of the same name is there "
                                  "already, and nothing is replaced.")
                .arg(what);
        return QStringLiteral("Unable to drop into %1.\n\n%2").arg(what, reasonOf(code));
    }
    if (name == QLatin1String("delete"))
        return QStringLiteral("Unable to move %1 to the trash.\n\n%2").arg(what, reasonOf(code));
    return QStringLiteral("Unable to %1 %2.\n\n%3").arg(name, what, reasonOf(code));
}

void RaiseVerbFailure(const QString &verb, const QStringList &names, int code,
                      const QString &newName) {
    throw std::runtime_error(VerbFailureText(verb, names, code, newName).toStdString());
}
