#include "console/link/globals.h"
#include "console/windows/mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace {

// Adds the image file to the icon when it loads; a missing file leaves the icon as it was.
void addImageFile(QIcon &icon, const QString &path) {
    const QImage image(path);
    if (!image.isNull())
        icon.addPixmap(QPixmap::fromImage(image), QIcon::Normal, QIcon::Off);
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    MainWindow window;
    // The application owns the style, so it outlives every widget.
    QApplication::setStyle(QStringLiteral("Fusion"));
    window.setWindowTitle(QStringLiteral("TORVALE v3"));

    const QString iconDir = QDir::currentPath() + QStringLiteral("/ICONS_NEW/");
    QIcon windowIcon;
    addImageFile(windowIcon, iconDir + QStringLiteral("Torvale30_4.png"));
    window.setWindowIcon(windowIcon);
    addImageFile(redBlockIcon, iconDir + QStringLiteral("red_block.png"));
    addImageFile(greenBlockIcon, iconDir + QStringLiteral("green_block.png"));
    addImageFile(grayBlockIcon, iconDir + QStringLiteral("gray_block.png"));

    window.setGeometry(5, 20, 1080, 698);
    window.setMinimumSize(1080, 698);
    window.showMaximized();
    mainWindow = &window;
    return app.exec();
}
