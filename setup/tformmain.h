#pragma once

#include "setup/formmainstate.h"
#include "setup/programpaths.h"

#include <QHostAddress>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class QAction;
class QMenu;
class TFormAddr;
class TKxButton;
class TKxLabel;
class TKxListBox;
class TKxNumericEdit;
class TKxSelectFolderDialog;
class UdpListener;

// netsetup's main window: "core_config.conf" on the left, the selected user's part of
// "gui_config.conf" on the right. The controls show the data of a FormMainState; the handlers
// below edit it and ask the operator before changes are lost. Message boxes, the folder choice
// and the address pop-up go through the replaceable functions, so tests pre-answer them.
class TFormMain : public QWidget {
    Q_OBJECT

public:
    explicit TFormMain(const ProgramPaths &paths, quint16 udpPort = 5003,
                       QWidget *parent = nullptr);
    ~TFormMain() override;

    // Reads the window state, chooses the core folder, arranges the first-idle load and writes
    // the window state back.
    void FormCreate();
    // The load of the first idle moment; runs once.
    void StartupLoad();
    // Chooses the core folder; true when it changed.
    bool SelectCoreFolder(bool force);

    void LBCoreGuiClick();
    void BtnCoreGuiAddClick();
    void BtnCoreRackAddClick();
    void BtnGuiRackAddClick();
    void LBCoreRackDblClick();
    void BtnCoreRackMoveClick();
    void BtnCoreGuiDelClick();
    void BtnCoreRackDelClick();
    void BtnGuiRackDelClick();
    void BtnSnmpCopyClick();
    void BtnCoreSaveClick();
    void BtnGuiSaveClick();
    void EditCoreGuiPortChange();
    void PMenuSAClick();
    void BtnPathClick();
    void BtnRackFindClick();
    void UDPSUDPRead(const QByteArray &datagram, const QHostAddress &sender);
    // The close question; false keeps the window open.
    bool FormCloseQuery();
    // The application's error box: the error icon, the application title as caption, and a
    // full stop after a text whose last character sorts after it.
    void ShowApplicationError(const QString &message);

    const FormMainState &State() const { return m_state; }
    bool RestartRequested() const { return m_restartRequested; }
    TFormAddr *FormAddr() const { return m_formAddr; }
    UdpListener *UDPS() const { return m_udps; }

    // A message box; owned by this window unless owned is false.
    std::function<void(const MessageNote &note, bool owned)> ShowMessageBox;
    // A Yes/No question captioned "Info"; true for Yes.
    std::function<bool(const QString &text)> AskYesNo;
    // Runs DirDlg; the folder chosen, nothing when cancelled or when no file-system folder was
    // chosen.
    std::function<std::optional<QString>()> SelectFolder;
    // Shows the address pop-up modally and gives its result.
    std::function<int(TFormAddr &dialog)> ExecAddressDialog;
    // Ends the message loop, without the close questions.
    std::function<void()> Terminate;

    TKxButton *BtnPath = nullptr;
    TKxLabel *LbPath = nullptr;
    TKxListBox *LBCoreGui = nullptr;
    TKxListBox *LBCoreRack = nullptr;
    TKxListBox *LBGuiRack = nullptr;
    TKxNumericEdit *EditCoreGuiPort = nullptr;
    TKxNumericEdit *EditCoreRackPort = nullptr;
    TKxNumericEdit *EditGuiRackPort = nullptr;
    std::array<TKxNumericEdit *, 4> EditSnmpHost{};
    TKxNumericEdit *EditSnmpHostPort = nullptr;
    std::array<TKxNumericEdit *, 4> EditSnmpDest{};
    TKxNumericEdit *EditSnmpDestPort = nullptr;
    TKxButton *BtnCoreGuiAdd = nullptr;
    TKxButton *BtnCoreGuiDel = nullptr;
    TKxButton *BtnCoreRackAdd = nullptr;
    TKxButton *BtnCoreRackDel = nullptr;
    TKxButton *BtnCoreRackMove = nullptr;
    TKxButton *BtnCoreSave = nullptr;
    TKxButton *BtnRackFind = nullptr;
    TKxButton *BtnSnmpCopy = nullptr;
    TKxButton *BtnGuiRackAdd = nullptr;
    TKxButton *BtnGuiRackDel = nullptr;
    TKxButton *BtnGuiSave = nullptr;
    QMenu *PMenu = nullptr;
    QAction *PMenuSA = nullptr;
    TKxSelectFolderDialog *DirDlg = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildLeftPanel(QWidget *panel);
    void buildRightPanel(QWidget *panel);
    TKxListBox *newList(QWidget *parent, const QRect &geometry);
    TKxNumericEdit *newEdit(QWidget *parent, const QRect &geometry, int value);
    void popupListMenu(TKxListBox *list, const QPoint &position);

    // Runs a handler step; a failed write or any other error shows the error box, false then.
    bool guarded(const std::function<void()> &step);
    // SelectFolder; a failure of the dialog counts as cancelled, and so does a folder whose name
    // is not UTF-8, which is refused with a box naming it.
    std::optional<QString> guardedSelectFolder();
    void showNote(const MessageNote &note, bool owned = true);
    void saveWindowSettings();
    // Copies what the operator edited in the controls into the state.
    void pullEdits();
    void pushEdits();
    void syncUserIndex();
    // syncUserIndex, with no user while none is shown.
    void syncShownUserIndex();
    // Refills a list box from its rows, keeping the selected and the current row by text.
    void showList(TKxListBox *box, const QStringList &rows);
    // Keeps the user shown highlighted: LBCoreGuiClick when the current row of the user list is
    // selected and not the user shown; when the user shown is no longer selected, the first
    // selected user is shown.
    void showCurrentUser();
    // Makes the user shown the only one selected and the current row.
    void highlightShownUser();
    void showLists();
    bool askIpAddress(TKxListBox *box, QStringList &rows);
    bool deleteSelectedIps(TKxListBox *box, QStringList &rows);
    bool userIpSelected();

    FormMainState m_state;
    QString m_appDir;
    TFormAddr *m_formAddr = nullptr;
    UdpListener *m_udps = nullptr;
    TKxListBox *m_popupComponent = nullptr;
    bool m_startupDone = false;
    bool m_restartRequested = false;
    // The form itself changes the rows or the current row of a list.
    bool m_fillingLists = false;
    // A look at the user list waits for the end of the event at hand.
    bool m_showPending = false;
};
