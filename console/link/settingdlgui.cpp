#include "console/link/settingdlgui.h"

#include <QCoreApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>

namespace {

constexpr int SETTING_PATH_MAX_LENGTH = 500;
constexpr int OCTET_MAX_LENGTH = 3;
constexpr int PORT_MAX_LENGTH = 5;

QPushButton *makeButton(QDialog *dialog, const char *name, const QRect &geometry) {
    auto *button = new QPushButton(dialog);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

// An edit field, or with maxLength 0 a disabled one that serves as a caption.
QLineEdit *makeEdit(QDialog *dialog, const char *name, const QRect &geometry, int maxLength) {
    auto *edit = new QLineEdit(dialog);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(geometry);
    edit->setAlignment(Qt::AlignCenter);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    else
        edit->setEnabled(false);
    return edit;
}

} // namespace

void SettingDlgUi::setupUi(QDialog *dialog) {
    if (dialog->objectName().isEmpty())
        dialog->setObjectName(QStringLiteral("SettingDlg"));
    dialog->resize(461, 421);
    dialog->setMinimumSize(461, 200);
    dialog->setModal(false);
    QPalette palette = dialog->palette();
    palette.setColor(QPalette::Window, QColor(226, 226, 226));
    palette.setColor(QPalette::Button, QColor(225, 225, 225));
    dialog->setPalette(palette);
    dialog->setAutoFillBackground(true);

    SetBtn = makeButton(dialog, "SetBtn", QRect(340, 380, 51, 27));
    SetFileStr = makeEdit(dialog, "SetFileStr", QRect(110, 20, 111, 27), SETTING_PATH_MAX_LENGTH);
    SetFileStr->setEnabled(false);
    SetFile = makeEdit(dialog, "SetFile", QRect(20, 20, 81, 27), 0);
    // Placed beyond the dialog's width, as the form has always had it.
    SetFileBtn = makeButton(dialog, "SetFileBtn", QRect(1350, 100, 61, 27));
    IPsrv2 = makeEdit(dialog, "IPsrv2", QRect(170, 60, 51, 27), OCTET_MAX_LENGTH);
    IPsrv1 = makeEdit(dialog, "IPsrv1", QRect(110, 60, 51, 27), OCTET_MAX_LENGTH);
    IPsrv4 = makeEdit(dialog, "IPsrv4", QRect(290, 60, 51, 27), OCTET_MAX_LENGTH);
    IPsrv = makeEdit(dialog, "IPsrv", QRect(20, 60, 81, 27), 0);
    IPsrv3 = makeEdit(dialog, "IPsrv3", QRect(230, 60, 51, 27), OCTET_MAX_LENGTH);
    PortSrv = makeEdit(dialog, "PortSrv", QRect(20, 100, 81, 27), 0);
    PortSrvStr = makeEdit(dialog, "PortSrvStr", QRect(110, 100, 111, 27), PORT_MAX_LENGTH);
    DeviceIPlist = new QListWidget(dialog);
    DeviceIPlist->setObjectName(QStringLiteral("DeviceIPlist"));
    DeviceIPlist->setGeometry(QRect(20, 180, 321, 181));
    DeviceIP = makeEdit(dialog, "DeviceIP", QRect(20, 140, 321, 31), 0);
    CanselBtn = makeButton(dialog, "CanselBtn", QRect(400, 380, 51, 27));

    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void SettingDlgUi::retranslateUi(QDialog *dialog) {
    const auto tr = [](const char *text) {
        return QCoreApplication::translate("SettingDlg", text);
    };
    dialog->setWindowTitle(tr("Dialog"));
    SetBtn->setText(tr("Set"));
    SetFile->setText(tr("Settings File"));
    SetFileBtn->setText(tr("Open"));
    IPsrv->setText(tr("Server IP"));
    PortSrv->setText(tr("Server Port"));
    DeviceIP->setText(tr("Device IP"));
    CanselBtn->setText(tr("Cancel"));
}
