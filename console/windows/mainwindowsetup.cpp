#include "console/windows/mainwindowsetup.h"

#include "console/link/consoletext.h"
#include "console/link/globals.h"
#include "console/windows/mainwindow.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace {

constexpr QRect START_GEOMETRY(5, 20, 1080, 698);

// Adds the image file of the folder (its name matched exactly first, then case-insensitively)
// to the icon when it loads; a missing file leaves the icon as it was.
void addImageFile(QIcon &icon, const QString &folder, const QString &name) {
    const QString path = folderFile(folder, name);
    if (path.isEmpty())
        return;
    const QImage image(path);
    if (!image.isNull())
        icon.addPixmap(QPixmap::fromImage(image), QIcon::Normal, QIcon::Off);
}

} // namespace

void setUpMainWindow(MainWindow &window, const QString &folder) {
    // The application owns the style, so it outlives every widget.
    QApplication::setStyle(QStringLiteral("Fusion"));
    window.setWindowTitle(QStringLiteral("TORVALE v3"));

    const QString iconDir = folder + QStringLiteral("/ICONS_NEW");
    QIcon windowIcon;
    addImageFile(windowIcon, iconDir, QStringLiteral("Torvale30_4.png"));
    window.setWindowIcon(windowIcon);
    addImageFile(redBlockIcon, iconDir, QStringLiteral("red_block.png"));
    addImageFile(greenBlockIcon, iconDir, QStringLiteral("green_block.png"));
    addImageFile(grayBlockIcon, iconDir, QStringLiteral("gray_block.png"));

    window.setGeometry(START_GEOMETRY);
    window.setMinimumSize(START_GEOMETRY.size());
    window.showMaximized();
}
