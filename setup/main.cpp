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
        form.FormCreate();
        form.show();
        status = QApplication::exec();
        restart = form.RestartRequested();
    }
    if (restart)
        StartProgramAgain();
    return status;
}
