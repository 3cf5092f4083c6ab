#pragma once

#include "setup/messagenote.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>

// The main form's data without widgets: the three address lists, the thirteen numeric values,
// the change flags and the folder and files they are read from and written to. The form binds
// its controls to these members and calls the operations below; a failed write throws
// ProfileWriteError and leaves the change flags as they were.
class FormMainState {
public:
    static constexpr int kDefaultGuiPort = 5005;
    static constexpr int kDefaultRackPort = 5003;
    static constexpr int kDefaultWindowPosition = 100;

    // Takes the folder as the core folder, with a trailing "/"; true when that changes CoreDir.
    // Folders compare case-sensitively, as the file system does.
    bool SetCoreDir(const QString &folder);
    QString CoreConfigPath() const;
    QString GuiConfigPath() const;

    void LoadWindowSettings();
    void SaveWindowSettings();
    void LoadCoreConfig();
    void SaveCoreConfig();
    // Shows the user's racks: fills GuiRack and GuiRackPort from the user's section.
    void LoadGuiSection(const QString &user);
    // Writes the racks shown in GuiRack into the section of the given user, who should be
    // ShownUser (the user whose racks they are), so a re-sorted list never mixes users up.
    void SaveGuiSection(const QString &user);
    // True when a user is selected; otherwise shows "User IP not selected.".
    bool CheckUserIpSelected();

    std::function<void(const MessageNote &)> OnMessage;

    QString CoreDir; // ends in "/" once chosen
    QString IniPath;
    QString DatPath;
    int Left = kDefaultWindowPosition;
    int Top = kDefaultWindowPosition;

    QStringList CoreGui;   // user addresses (LBCoreGui)
    QStringList CoreRack;  // rack addresses (LBCoreRack)
    QStringList GuiRack;   // racks the shown user may see (LBGuiRack)
    int CoreGuiIndex = -1; // selected row of CoreGui

    int CoreGuiPort = kDefaultGuiPort;
    int CoreRackPort = kDefaultRackPort;
    int GuiRackPort = kDefaultGuiPort;
    std::array<int, 4> SnmpHost{127, 0, 0, 1};
    int SnmpHostPort = 1162;
    std::array<int, 4> SnmpDest{127, 0, 0, 1};
    int SnmpDestPort = 1162;

    bool FLoaded = false;
    bool FCoreChanged = false;
    bool FGuiChanged = false;
    QString ShownUser; // address of the user whose racks GuiRack shows; empty for none

private:
    void show(const char *caption, MessageNote::Icon icon, const char *text) const;
};
