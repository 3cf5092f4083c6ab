#include "console/link/globals.h"
#include "console/windows/mainwindow.h"
#include "console/windows/mainwindowsetup.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    // Built first: its link thread starts once every table and widget exists.
    MainWindow window;
    setUpMainWindow(window, QDir::currentPath());
    mainWindow = &window;
    return app.exec();
}
