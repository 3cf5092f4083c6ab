#pragma once

#include "console/link/settingdlgui.h"

#include <QDialog>
#include <QString>

#include <functional>

struct RackAddressTable;

// The settings dialog: server address and port, the settings file's path and the racks this
// console monitors. It reads and writes the settings file and applies the operator's choice.
class SettingDlg : public QDialog {
    Q_OBJECT

public:
    // The dialog works on the four rack address tables it is given: all racks the server knows,
    // their copy, the racks selected for this console and the previous selection.
    SettingDlg(RackAddressTable &all, RackAddressTable &allOld, RackAddressTable &sel,
               RackAddressTable &selOld, QWidget *parent = nullptr);
    ~SettingDlg() override;

    // Settings file -> settings globals; a missing file keeps them, but lastTime turns invalid.
    void ReadSettingFile();
    // Settings globals -> the file named in the path field (atomically).
    void WriteSettingFile();
    // Settings globals and rack tables -> the dialog's fields and rack list.
    void SettingDlgInit();

    // Asks for a settings file; an empty answer is a cancel. Tests answer it themselves.
    std::function<QString()> chooseSettingFile;
    // Shows an "Attention!" notice. Tests answer it themselves.
    std::function<void(const QString &text)> showAttention;

private slots:
    void on_SetBtn_clicked();
    void on_SetFileBtn_clicked();
    void on_CanselBtn_clicked();

private:
    bool sendRackSelection();
    // The racks checked in the list differ from the selection last applied.
    bool selectionChanged() const;

    SettingDlgUi ui;
    RackAddressTable &ip_all;
    RackAddressTable &ip_all_old;
    RackAddressTable &ip_sel;
    RackAddressTable &ip_sel_old;
};
