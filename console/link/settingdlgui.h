#pragma once

class QDialog;
class QLineEdit;
class QListWidget;
class QPushButton;

// The settings dialog's form: its widgets in creation order, built on the dialog by setupUi,
// which also binds the dialog's on_<object>_clicked slots by object name.
class SettingDlgUi {
public:
    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);

    QPushButton *SetBtn = nullptr;
    QLineEdit *SetFileStr = nullptr;
    QLineEdit *SetFile = nullptr;
    QPushButton *SetFileBtn = nullptr;
    QLineEdit *IPsrv2 = nullptr;
    QLineEdit *IPsrv1 = nullptr;
    QLineEdit *IPsrv4 = nullptr;
    QLineEdit *IPsrv = nullptr;
    QLineEdit *IPsrv3 = nullptr;
    QLineEdit *PortSrv = nullptr;
    QLineEdit *PortSrvStr = nullptr;
    QListWidget *DeviceIPlist = nullptr;
    QLineEdit *DeviceIP = nullptr;
    QPushButton *CanselBtn = nullptr;
};
