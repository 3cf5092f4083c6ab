#include "controls/framework/controlservices.h"
#include "platform/restart.h"
#include "setup/programpaths.h"
#include "setup/tformmain.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char **argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("NETSETUP"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    int status = 0;
    bool restart = false;
    {
        TFormMain form(CurrentProgramPaths());
        // Errors that the controls' own handlers catch go to the same error box.
        SetHandlerErrorReporter(
            [&form](const QString &message) { form.ShowApplicationError(message); });
        form.FormCreate();
        form.show();
        status = QApplication::exec();
        restart = form.RestartRequested();
        SetHandlerErrorReporter(nullptr);
    }
    if (restart)
        StartProgramAgain();
    return status;
}
