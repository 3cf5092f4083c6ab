#include "console/windows/linknotice.h"

#include "console/link/rackhandlers.h"
#include "console/link/rings.h"

#include <QMessageBox>

namespace {

constexpr int NOTICE_FONT_PIXELS = 20;

} // namespace

LinkNotice::LinkNotice(QWidget *window, ConsoleTables &tables, ConsoleViews &views)
    : tables(tables)
    , views(views)
    , box(new QMessageBox(window)) {
    // After the modality, which a message box applies by re-parenting with default flags.
    box->setWindowModality(Qt::NonModal);
    box->setModal(false);
    // Above the panes too, which are also transient for the window: none of the console's
    // windows may hide the notice.
    box->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowTitleHint |
                        Qt::WindowStaysOnTopHint);
    box->setStandardButtons(QMessageBox::NoButton);
    box->setPalette(QPalette(Qt::yellow));
    box->setWindowTitle(QStringLiteral("Attention!"));
    QFont font = box->font();
    font.setPixelSize(NOTICE_FONT_PIXELS);
    box->setFont(font);
    box->setText(QStringLiteral("ATTENTION:   NO CONNECTION TO SERVER!"));
}

void LinkNotice::infoMsgExec() {
    linkDown = srv_link_shown.load() == 1;
    if (linkDown && infoBoxShown != 1) {
        // Not while the window is closed: a notice shown then would be a window of its own
        // and keep the closing console from quitting.
        const QWidget *window = box ? box->parentWidget() : nullptr;
        if (box && (!window || window->isVisible())) {
            box->show();
            infoBoxShown = 1;
        }
    } else if (!linkDown) {
        // A message box without buttons refuses close(), so the notice is hidden.
        if (box)
            box->hide();
        infoBoxShown = -1;
    }
    hideRacksAfterRingsReset(tables, views);
}
