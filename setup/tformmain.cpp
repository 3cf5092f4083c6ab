#include "setup/tformmain.h"

#include "controls/folderdialog/tkxselectfolderdialog.h"
#include "controls/framed/tkxbutton.h"
#include "controls/framed/tkxlabel.h"
#include "controls/framed/tkxlistbox.h"
#include "controls/framed/tkxnumericedit.h"
#include "platform/nametext.h"
#include "platform/profilewriteerror.h"
#include "platform/udplistener.h"
#include "setup/addresslist.h"
#include "setup/formfont.h"
#include "setup/rackannounce.h"
#include "setup/textrules.h"
#include "setup/tformaddr.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QScopedValueRollback>
#include <QSet>
#include <QTimer>

#include <algorithm>
#include <exception>

namespace {

constexpr auto kCaption = "TORVALE3 CORE CONFIG (v1.0.4)";
constexpr auto kFolderDialogTitle = "Select TORVALE3 CORE folder  ";
constexpr auto kCaptionWarning = "Warning";
constexpr auto kTextCoreMissing = "File \"core_config.conf\" not found.";
constexpr auto kTextGuiMissing = "File \"gui_config.conf\" not found.";
constexpr auto kTextAppFolder = "Application folder selected:\r\n";
constexpr auto kTextRestart = "Application will be restarted";
constexpr auto kTextFolderNotUtf8 =
    "The folder \"%1\" cannot be the core folder: its name is not UTF-8 text, which netsetup "
    "cannot store or open.";
constexpr auto kAskSaveGui = "Save changes to \"gui_config.conf\" ?";
constexpr auto kAskSaveCore = "Save changes to \"core_config.conf\" ?";
constexpr auto kDisplayFormat = ",0;(,0)";
constexpr int kOctetMax = 255;

constexpr TColor clSkyBlue = TColor::FromRgb(166, 202, 240);

QLabel *newLabel(const QString &text, QWidget *parent, const QRect &geometry,
                 Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    auto *label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setAlignment(alignment);
    return label;
}

// A caption or header panel: raised, its text centred.
QLabel *newCaptionPanel(const QString &text, QWidget *parent, const QRect &geometry) {
    QLabel *panel = newLabel(text, parent, geometry, Qt::AlignCenter);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    return panel;
}

QLabel *newHeader(const QString &text, QWidget *parent) {
    QLabel *header = newCaptionPanel(text, parent, QRect(0, 0, parent->width(), 41));
    QFont bold = header->font();
    bold.setBold(true);
    bold.setPixelSize(16);
    header->setFont(bold);
    return header;
}

TKxButton *newButton(const QString &text, QWidget *parent, const QRect &geometry) {
    auto *button = new TKxButton(parent);
    button->setGeometry(geometry);
    button->SetCaption(text);
    button->SetHotTrack(true);
    return button;
}

QStringList selectedRows(const TKxListBox *box, const QStringList &rows) {
    QStringList selected;
    for (int row = 0; row < rows.size(); ++row) {
        if (const QListWidgetItem *item = box->item(row); item && item->isSelected())
            selected.append(rows[row]);
    }
    return selected;
}

QWidget *newPanel(QWidget *parent, const QRect &geometry) {
    auto *panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(geometry);
    return panel;
}

} // namespace

TFormMain::TFormMain(const ProgramPaths &paths, quint16 udpPort, QWidget *parent)
    : QWidget(parent)
    , m_appDir(paths.AppDir) {
    m_state.IniPath = paths.IniPath;
    m_state.DatPath = paths.DatPath;
    m_state.OnMessage = [this](const MessageNote &note) { showNote(note); };

    setWindowTitle(QString::fromLatin1(kCaption));
    setFont(FormFont());
    setFixedSize(510, 609);

    auto *outer = new QFrame(this);
    outer->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    outer->setGeometry(0, 0, 510, 609);
    BtnPath = newButton(QStringLiteral("---"), outer, QRect(8, 10, 25, 14));
    LbPath = new TKxLabel(outer);
    LbPath->SetAutoSize(false);
    LbPath->setGeometry(40, 10, 449, 14);
    // A long folder keeps its root and last name, with "..." between.
    LbPath->SetCondenseCaption(ccWithinPath);
    buildLeftPanel(newPanel(outer, QRect(8, 32, 321, 569)));
    buildRightPanel(newPanel(outer, QRect(337, 32, 163, 457)));

    PMenu = new QMenu(this);
    PMenuSA = PMenu->addAction(QStringLiteral("Select all"));
    PMenuSA->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    PMenuSA->setShortcutContext(Qt::WindowShortcut);
    addAction(PMenuSA);
    connect(PMenuSA, &QAction::triggered, this, [this] { PMenuSAClick(); });

    m_udps = new UdpListener(udpPort, this);
    m_udps->OnUDPRead = [this](const QByteArray &datagram, const QHostAddress &sender) {
        guarded([&] { UDPSUDPRead(datagram, sender); });
    };

    const std::pair<TKxButton *, void (TFormMain::*)()> clicks[] = {
        {BtnPath, &TFormMain::BtnPathClick},
        {BtnCoreGuiAdd, &TFormMain::BtnCoreGuiAddClick},
        {BtnCoreGuiDel, &TFormMain::BtnCoreGuiDelClick},
        {BtnCoreRackAdd, &TFormMain::BtnCoreRackAddClick},
        {BtnCoreRackDel, &TFormMain::BtnCoreRackDelClick},
        {BtnCoreRackMove, &TFormMain::BtnCoreRackMoveClick},
        {BtnCoreSave, &TFormMain::BtnCoreSaveClick},
        {BtnRackFind, &TFormMain::BtnRackFindClick},
        {BtnSnmpCopy, &TFormMain::BtnSnmpCopyClick},
        {BtnGuiRackAdd, &TFormMain::BtnGuiRackAddClick},
        {BtnGuiRackDel, &TFormMain::BtnGuiRackDelClick},
        {BtnGuiSave, &TFormMain::BtnGuiSaveClick},
    };
    for (const auto &click : clicks)
        click.first->OnClick = [this, handler = click.second](QObject *) { (this->*handler)(); };

    // Whatever makes a user the current and a selected row, a click of either button or a key,
    // shows that user.
    LBCoreGui->OnClick = [this](QObject *) { showCurrentUser(); };
    // A mouse press moves the caret before a Ctrl+click's toggle lands on release: the list is
    // looked at once the event at hand is done, never in between.
    const auto rowChanged = [this] {
        if (m_fillingLists || m_showPending)
            return;
        m_showPending = true;
        QTimer::singleShot(0, this, [this] {
            m_showPending = false;
            showCurrentUser();
        });
    };
    connect(LBCoreGui, &QListWidget::currentRowChanged, this, rowChanged);
    connect(LBCoreGui, &QListWidget::itemSelectionChanged, this, rowChanged);
    LBCoreRack->OnDblClick = [this](QObject *) { LBCoreRackDblClick(); };
    const struct {
        TKxListBox *list;
        void (TFormMain::*add)();
        void (TFormMain::*remove)();
    } keys[] = {
        {LBCoreGui, &TFormMain::BtnCoreGuiAddClick, &TFormMain::BtnCoreGuiDelClick},
        {LBCoreRack, &TFormMain::BtnCoreRackAddClick, &TFormMain::BtnCoreRackDelClick},
        {LBGuiRack, &TFormMain::BtnGuiRackAddClick, &TFormMain::BtnGuiRackDelClick},
    };
    for (const auto &entry : keys) {
        entry.list->OnKeyDown = [this, add = entry.add, remove = entry.remove](
                                    QObject *, int &key, Qt::KeyboardModifiers) {
            if (key == Qt::Key_Insert)
                (this->*add)();
            else if (key == Qt::Key_Delete)
                (this->*remove)();
            else
                return;
            key = 0;
        };
    }
    for (TKxNumericEdit *edit :
         {EditCoreGuiPort, EditCoreRackPort, EditSnmpHostPort, EditSnmpDestPort, EditSnmpHost[0],
          EditSnmpHost[1], EditSnmpHost[2], EditSnmpHost[3], EditSnmpDest[0], EditSnmpDest[1],
          EditSnmpDest[2], EditSnmpDest[3]})
        edit->OnChange = [this](QObject *) { EditCoreGuiPortChange(); };

    ShowMessageBox = [this](const MessageNote &note, bool owned) {
        const QMessageBox::Icon icon = note.icon == MessageNote::Icon::Error ? QMessageBox::Critical
                                       : note.icon == MessageNote::Icon::Warning
                                           ? QMessageBox::Warning
                                           : QMessageBox::Information;
        QMessageBox box(icon, note.caption, note.text, QMessageBox::Ok, owned ? this : nullptr);
        box.exec();
    };
    AskYesNo = [this](const QString &text) {
        QMessageBox box(QMessageBox::Question, QString::fromLatin1(kCaptionInfo), text,
                        QMessageBox::Yes | QMessageBox::No, this);
        return box.exec() == QMessageBox::Yes;
    };
    DirDlg = new TKxSelectFolderDialog(this);
    DirDlg->Title = QString::fromLatin1(kFolderDialogTitle);
    DirDlg->Options = sfdoShowHidden;
    SelectFolder = [this]() -> std::optional<QString> {
        if (!DirDlg->Execute())
            return std::nullopt;
        // A virtual folder (Computer, the Desktop) names no folder to keep files in.
        const QString folder = DirDlg->SelectedFolderPath();
        if (folder.isEmpty())
            return std::nullopt;
        return folder;
    };
    ExecAddressDialog = [](TFormAddr &dialog) { return dialog.exec(); };
    Terminate = [] { QCoreApplication::exit(0); };

    m_formAddr = new TFormAddr(this);
}

TFormMain::~TFormMain() = default;

void TFormMain::buildLeftPanel(QWidget *panel) {
    newHeader(QStringLiteral("core_config.conf"), panel);
    newCaptionPanel(QStringLiteral("USER IP LIST"), panel, QRect(8, 48, 145, 33));
    newCaptionPanel(QStringLiteral("TORVALE IP LIST"), panel, QRect(168, 48, 145, 33));

    BtnCoreSave = newButton(QStringLiteral("Save"), panel, QRect(8, 88, 41, 25));
    BtnCoreSave->SetColor(clInfoBk);
    newLabel(QStringLiteral("Port:"), panel, QRect(69, 94, 25, 14), Qt::AlignRight);
    EditCoreGuiPort = newEdit(panel, QRect(96, 90, 57, 22), FormMainState::kDefaultGuiPort);
    BtnRackFind = newButton(QStringLiteral("Find"), panel, QRect(168, 88, 41, 25));
    newLabel(QStringLiteral("Port:"), panel, QRect(229, 94, 25, 14), Qt::AlignRight);
    EditCoreRackPort = newEdit(panel, QRect(256, 90, 57, 22), FormMainState::kDefaultRackPort);

    LBCoreGui = newList(panel, QRect(8, 120, 145, 297));
    LBCoreRack = newList(panel, QRect(168, 120, 145, 297));
    BtnCoreGuiAdd = newButton(QStringLiteral("Add"), panel, QRect(18, 424, 41, 19));
    BtnCoreGuiDel = newButton(QStringLiteral("Delete"), panel, QRect(70, 424, 49, 19));
    BtnCoreRackAdd = newButton(QStringLiteral("Add"), panel, QRect(179, 424, 41, 19));
    BtnCoreRackDel = newButton(QStringLiteral("Delete"), panel, QRect(231, 424, 49, 19));
    BtnCoreRackMove = newButton(QStringLiteral(">>"), panel, QRect(287, 424, 26, 19));

    newCaptionPanel(QStringLiteral("SNMP SETTINGS"), panel, QRect(8, 464, 305, 33));
    const struct {
        const char *caption;
        int top;
        std::array<TKxNumericEdit *, 4> &octets;
        TKxNumericEdit *&port;
    } rows[] = {{"Host:", 504, EditSnmpHost, EditSnmpHostPort},
                {"Dest:", 536, EditSnmpDest, EditSnmpDestPort}};
    constexpr int kOctetLefts[] = {0, 34, 68, 102};
    constexpr int kColonLefts[] = {29, 63, 97};
    constexpr int kLoopback[] = {127, 0, 0, 1};
    for (const auto &row : rows) {
        newLabel(QString::fromLatin1(row.caption), panel, QRect(13, row.top + 6, 33, 14));
        auto *box = new QWidget(panel);
        box->setGeometry(48, row.top, 192, 27);
        for (int i = 0; i < 4; ++i) {
            TKxNumericEdit *octet = newEdit(box, QRect(kOctetLefts[i], 3, 25, 22), kLoopback[i]);
            octet->setMaxLength(3);
            octet->SetCheckRange(true);
            octet->SetMax(kOctetMax);
            row.octets[i] = octet;
        }
        for (int left : kColonLefts)
            newLabel(QStringLiteral(":"), box, QRect(left, 7, 5, 14));
        newLabel(QStringLiteral("/"), box, QRect(136, 7, 8, 14));
        row.port = newEdit(box, QRect(147, 3, 41, 22), kDefaultEndpointPort);
    }
    BtnSnmpCopy = newButton(QStringLiteral("Copy"), panel, QRect(250, 525, 41, 19));
}

void TFormMain::buildRightPanel(QWidget *panel) {
    newHeader(QStringLiteral("gui_config.conf"), panel);
    newCaptionPanel(QStringLiteral("Allowed TORVALE IP"), panel, QRect(8, 48, 145, 33));
    BtnGuiSave = newButton(QStringLiteral("Save"), panel, QRect(8, 88, 41, 25));
    BtnGuiSave->SetColor(clInfoBk);
    newLabel(QStringLiteral("Port:"), panel, QRect(69, 94, 25, 14), Qt::AlignRight);
    EditGuiRackPort = newEdit(panel, QRect(96, 90, 57, 22), FormMainState::kDefaultGuiPort);
    EditGuiRackPort->SetReadOnly(true);
    EditGuiRackPort->SetColor(clBtnFace);
    EditGuiRackPort->SetReadOnlyColor(clBtnFace);
    LBGuiRack = newList(panel, QRect(8, 120, 145, 297));
    BtnGuiRackAdd = newButton(QStringLiteral("Add"), panel, QRect(18, 424, 41, 19));
    BtnGuiRackDel = newButton(QStringLiteral("Delete"), panel, QRect(70, 424, 49, 19));
}

TKxListBox *TFormMain::newList(QWidget *parent, const QRect &geometry) {
    auto *list = new TKxListBox(parent);
    list->setGeometry(geometry);
    list->SetMultiSelect(true);
    list->SetItemHeight(14);
    list->SetBeepOnInvalidKey(false);
    list->SetFrameHotTrack(true);
    list->SetFrameVisible(true);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this,
            [this, list](const QPoint &position) { popupListMenu(list, position); });
    return list;
}

TKxNumericEdit *TFormMain::newEdit(QWidget *parent, const QRect &geometry, int value) {
    auto *edit = new TKxNumericEdit(parent);
    edit->setGeometry(geometry);
    edit->SetFrameHotTrack(true);
    edit->SetFrameVisible(true);
    edit->SetDisplayFormat(QString::fromLatin1(kDisplayFormat));
    edit->SetValueAsInteger(value);
    return edit;
}

void TFormMain::popupListMenu(TKxListBox *list, const QPoint &position) {
    m_popupComponent = list;
    PMenu->exec(list->viewport()->mapToGlobal(position));
    m_popupComponent = nullptr;
}

void TFormMain::FormCreate() {
    guarded([this] {
        m_state.LoadWindowSettings();
        move(m_state.Left, m_state.Top);
    });
    SelectCoreFolder(false);
    QTimer::singleShot(0, this, [this] { StartupLoad(); });
    m_state.FLoaded = false;
    m_state.FCoreChanged = false;
    m_state.FGuiChanged = false;
    saveWindowSettings();
}

void TFormMain::StartupLoad() {
    if (m_startupDone)
        return;
    m_startupDone = true;
    for (TKxNumericEdit *port :
         {EditCoreGuiPort, EditCoreRackPort, EditGuiRackPort, EditSnmpHostPort, EditSnmpDestPort})
        port->SetDisplayFormat(QString());
    const QString caption = QString::fromLatin1(kCaptionError);
    if (!QFile::exists(m_state.CoreConfigPath()))
        showNote({caption, MessageNote::Icon::Error, QString::fromLatin1(kTextCoreMissing)});
    if (!QFile::exists(m_state.GuiConfigPath()))
        showNote({caption, MessageNote::Icon::Error, QString::fromLatin1(kTextGuiMissing)});
    guarded([this] {
        m_state.LoadCoreConfig();
        showLists();
        pushEdits();
    });
    if (!m_state.CoreGui.isEmpty()) {
        LBCoreGui->SetItemIndex(0);
        LBCoreGui->item(0)->setSelected(true);
        showCurrentUser();
    }
    m_state.FLoaded = true;
}

bool TFormMain::SelectCoreFolder(bool force) {
    QString candidate;
    if (!force && !m_state.CoreDir.isEmpty() && QDir(m_state.CoreDir).exists()) {
        candidate = m_state.CoreDir;
    } else if (const std::optional<QString> chosen = guardedSelectFolder()) {
        candidate = *chosen;
    } else if (force) {
        return false;
    } else {
        candidate = m_appDir;
        showNote({QCoreApplication::applicationName(), MessageNote::Icon::Warning,
                  QString::fromLatin1(kTextAppFolder) + candidate},
                 false);
    }
    const bool changed = m_state.SetCoreDir(candidate);
    QString shown = m_state.CoreDir;
    if (shown.size() > 1)
        shown.chop(1);
    LbPath->SetCaption(shown);
    return changed;
}

void TFormMain::LBCoreGuiClick() {
    syncUserIndex();
    // The save and the new user's default port take the console port as it stands in its edit.
    pullEdits();
    const bool loaded = guarded([this] {
        if (m_state.FGuiChanged && !m_state.ShownUser.isEmpty() &&
            AskYesNo(QString::fromLatin1(kAskSaveGui)))
            m_state.SaveGuiSection(m_state.ShownUser);
        if (m_state.CoreGuiIndex < 0)
            return;
        m_state.LoadGuiSection(m_state.CoreGui[m_state.CoreGuiIndex]);
        showList(LBGuiRack, m_state.GuiRack);
        EditGuiRackPort->SetValueAsInteger(m_state.GuiRackPort);
    });
    if (loaded)
        return;
    // The racks shown are still the previous user's: keep that user selected.
    highlightShownUser();
}

void TFormMain::showCurrentUser() {
    const int row = LBCoreGui->ItemIndex();
    // A caret moved without selecting (Ctrl with an arrow key, or the focus entering the list)
    // highlights nobody, so it shows nobody new.
    const QListWidgetItem *item = LBCoreGui->item(row);
    if (item && item->isSelected() && row < m_state.CoreGui.size()) {
        if (m_state.CoreGui[row] != m_state.ShownUser)
            LBCoreGuiClick();
        return;
    }
    const int shown = int(m_state.CoreGui.indexOf(m_state.ShownUser));
    const QListWidgetItem *shownItem = LBCoreGui->item(shown);
    if (shownItem == nullptr || shownItem->isSelected())
        return;
    // The user shown was unselected (Ctrl+click) while others stay selected: the first of them
    // is shown. With none left selected, nobody is highlighted and the user shown stays.
    for (int other = 0; other < LBCoreGui->count(); ++other) {
        if (LBCoreGui->item(other)->isSelected()) {
            {
                const QScopedValueRollback filling(m_fillingLists, true);
                LBCoreGui->SetItemIndex(other);
                LBCoreGui->item(other)->setSelected(true);
            }
            LBCoreGuiClick();
            return;
        }
    }
}

void TFormMain::highlightShownUser() {
    const int shown = int(m_state.CoreGui.indexOf(m_state.ShownUser));
    {
        const QScopedValueRollback filling(m_fillingLists, true);
        LBCoreGui->clearSelection();
        LBCoreGui->SetItemIndex(shown);
        if (QListWidgetItem *item = LBCoreGui->item(shown))
            item->setSelected(true);
    }
    syncUserIndex();
}

void TFormMain::BtnCoreGuiAddClick() {
    if (askIpAddress(LBCoreGui, m_state.CoreGui))
        m_state.FCoreChanged = true;
}

void TFormMain::BtnCoreRackAddClick() {
    if (askIpAddress(LBCoreRack, m_state.CoreRack))
        m_state.FCoreChanged = true;
}

void TFormMain::BtnGuiRackAddClick() {
    if (userIpSelected() && askIpAddress(LBGuiRack, m_state.GuiRack))
        m_state.FGuiChanged = true;
}

void TFormMain::LBCoreRackDblClick() {
    const int rack = LBCoreRack->ItemIndex();
    if (rack < 0 || rack >= m_state.CoreRack.size() || !userIpSelected())
        return;
    AddUniqueIp(m_state.GuiRack, m_state.CoreRack[rack]);
    SortIpList(m_state.GuiRack);
    showList(LBGuiRack, m_state.GuiRack);
    m_state.FGuiChanged = true;
}

void TFormMain::BtnCoreRackMoveClick() {
    if (m_state.CoreRack.isEmpty() || !userIpSelected())
        return;
    for (const QString &rack : selectedRows(LBCoreRack, m_state.CoreRack))
        AddUniqueIp(m_state.GuiRack, rack);
    SortIpList(m_state.GuiRack);
    showList(LBGuiRack, m_state.GuiRack);
    m_state.FGuiChanged = true;
}

void TFormMain::BtnCoreGuiDelClick() {
    if (LBCoreGui->ItemIndex() < 0)
        return;
    const bool shownDeleted = !m_state.ShownUser.isEmpty() &&
                              selectedRows(LBCoreGui, m_state.CoreGui).contains(m_state.ShownUser);
    // The shown user's unsaved racks go only after the question; a failed save deletes nothing.
    if (shownDeleted && m_state.FGuiChanged && !guarded([this] {
            pullEdits();
            if (AskYesNo(QString::fromLatin1(kAskSaveGui)))
                m_state.SaveGuiSection(m_state.ShownUser);
        }))
        return;
    deleteSelectedIps(LBCoreGui, m_state.CoreGui);
    m_state.FCoreChanged = true;
    if (!shownDeleted) {
        // The racks on the right stay those of the user shown, who stays the one highlighted.
        highlightShownUser();
        return;
    }
    // No user is shown afterwards: the racks on the right belonged to a deleted user, and saving
    // them into whichever user now stands at that row would mix the users up.
    {
        const QScopedValueRollback filling(m_fillingLists, true);
        LBCoreGui->SetItemIndex(-1);
    }
    syncUserIndex();
    m_state.GuiRack.clear();
    m_state.ShownUser.clear();
    m_state.FGuiChanged = false;
    showList(LBGuiRack, m_state.GuiRack);
}

void TFormMain::BtnCoreRackDelClick() {
    if (deleteSelectedIps(LBCoreRack, m_state.CoreRack))
        m_state.FCoreChanged = true;
}

void TFormMain::BtnGuiRackDelClick() {
    if (deleteSelectedIps(LBGuiRack, m_state.GuiRack))
        m_state.FGuiChanged = true;
}

void TFormMain::BtnSnmpCopyClick() {
    for (int i = 0; i < 4; ++i)
        EditSnmpDest[i]->SetValueAsInteger(EditSnmpHost[i]->ValueAsInteger());
    EditSnmpDestPort->SetValueAsInteger(EditSnmpHostPort->ValueAsInteger());
}

void TFormMain::BtnCoreSaveClick() {
    guarded([this] {
        pullEdits();
        m_state.SaveCoreConfig();
    });
}

void TFormMain::BtnGuiSaveClick() {
    guarded([this] {
        pullEdits();
        syncShownUserIndex();
        m_state.SaveGuiSection(m_state.ShownUser);
    });
}

void TFormMain::EditCoreGuiPortChange() {
    if (m_state.FLoaded)
        m_state.FCoreChanged = true;
}

void TFormMain::PMenuSAClick() {
    TKxListBox *target = m_popupComponent;
    if (target == nullptr)
        target = qobject_cast<TKxListBox *>(focusWidget());
    if (target != nullptr)
        target->SelectAllItems();
    m_popupComponent = nullptr;
}

void TFormMain::BtnPathClick() {
    DirDlg->SetSelectedFolderPath(m_state.CoreDir);
    if (!SelectCoreFolder(true))
        return;
    saveWindowSettings();
    showNote({QString::fromLatin1(kCaptionWarning), MessageNote::Icon::Warning,
              QString::fromLatin1(kTextRestart)});
    m_restartRequested = true;
    // main starts the program again once the loop has ended.
    Terminate();
}

void TFormMain::BtnRackFindClick() {
    if (!m_udps->SetActive(!m_udps->Active())) {
        ShowApplicationError(QString::fromLatin1(UdpListener::kBindErrorText));
        return;
    }
    BtnRackFind->SetColor(m_udps->Active() ? clSkyBlue : clBtnFace);
}

void TFormMain::UDPSUDPRead(const QByteArray &datagram, const QHostAddress &sender) {
    if (!IsRackAnnouncement(datagram))
        return;
    bool isIpv4 = false;
    const quint32 value = sender.toIPv4Address(&isIpv4);
    if (!isIpv4)
        return;
    QString address = QHostAddress(value).toString();
    if (!NormalizeIpText(address) || !AddUniqueIp(m_state.CoreRack, address))
        return;
    // Announced racks stay at the end, in order of arrival, until the next load.
    showList(LBCoreRack, m_state.CoreRack);
    m_state.FCoreChanged = true;
}

bool TFormMain::FormCloseQuery() {
    const bool saved = guarded([this] {
        pullEdits();
        syncUserIndex();
        if (m_state.FGuiChanged && AskYesNo(QString::fromLatin1(kAskSaveGui)))
            m_state.SaveGuiSection(m_state.ShownUser);
        if (m_state.FCoreChanged && AskYesNo(QString::fromLatin1(kAskSaveCore)))
            m_state.SaveCoreConfig();
    });
    if (!saved)
        return false;
    saveWindowSettings();
    return true;
}

void TFormMain::closeEvent(QCloseEvent *event) {
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

bool TFormMain::guarded(const std::function<void()> &step) {
    try {
        step();
        return true;
    } catch (const ProfileWriteError &error) {
        ShowApplicationError(error.message());
    } catch (const std::exception &error) {
        ShowApplicationError(QString::fromLocal8Bit(error.what()));
    }
    return false;
}

std::optional<QString> TFormMain::guardedSelectFolder() {
    std::optional<QString> chosen;
    guarded([&] { chosen = SelectFolder(); });
    // A name that Qt's file calls would turn into other bytes names another folder: it is
    // refused, never stored or opened.
    if (chosen && QFile::encodeName(*chosen) != TextToName(*chosen)) {
        showNote(
            {QString::fromLatin1(kCaptionError), MessageNote::Icon::Error,
             QString::fromLatin1(kTextFolderNotUtf8).arg(PathToDisplayText(TextToName(*chosen)))});
        return std::nullopt;
    }
    return chosen;
}

void TFormMain::ShowApplicationError(const QString &message) {
    QString text = message;
    if (!text.isEmpty() && text.back() > u'.')
        text += u'.';
    showNote({QCoreApplication::applicationName(), MessageNote::Icon::Error, text}, false);
}

void TFormMain::showNote(const MessageNote &note, bool owned) {
    if (ShowMessageBox)
        ShowMessageBox(note, owned);
}

void TFormMain::saveWindowSettings() {
    guarded([this] {
        m_state.Left = x();
        m_state.Top = y();
        m_state.SaveWindowSettings();
    });
}

void TFormMain::pullEdits() {
    m_state.CoreGuiPort = EditCoreGuiPort->ValueAsInteger();
    m_state.CoreRackPort = EditCoreRackPort->ValueAsInteger();
    for (int i = 0; i < 4; ++i) {
        m_state.SnmpHost[i] = EditSnmpHost[i]->ValueAsInteger();
        m_state.SnmpDest[i] = EditSnmpDest[i]->ValueAsInteger();
    }
    m_state.SnmpHostPort = EditSnmpHostPort->ValueAsInteger();
    m_state.SnmpDestPort = EditSnmpDestPort->ValueAsInteger();
}

void TFormMain::pushEdits() {
    EditCoreGuiPort->SetValueAsInteger(m_state.CoreGuiPort);
    EditCoreRackPort->SetValueAsInteger(m_state.CoreRackPort);
    for (int i = 0; i < 4; ++i) {
        EditSnmpHost[i]->SetValueAsInteger(m_state.SnmpHost[i]);
        EditSnmpDest[i]->SetValueAsInteger(m_state.SnmpDest[i]);
    }
    EditSnmpHostPort->SetValueAsInteger(m_state.SnmpHostPort);
    EditSnmpDestPort->SetValueAsInteger(m_state.SnmpDestPort);
    EditGuiRackPort->SetValueAsInteger(m_state.GuiRackPort);
}

void TFormMain::syncUserIndex() {
    const int index = LBCoreGui->ItemIndex();
    m_state.CoreGuiIndex = index < m_state.CoreGui.size() ? index : -1;
}

void TFormMain::showList(TKxListBox *box, const QStringList &rows) {
    // The rows change under the operator's selection, which does not move.
    const QScopedValueRollback filling(m_fillingLists, true);
    const QListWidgetItem *current = box->currentItem();
    const QString currentText = current ? current->text() : QString();
    QSet<QString> selected;
    for (const QListWidgetItem *item : box->selectedItems())
        selected.insert(item->text());
    box->clear();
    box->addItems(rows);
    for (int row = 0; row < rows.size(); ++row) {
        if (selected.contains(rows[row]))
            box->item(row)->setSelected(true);
    }
    box->SetItemIndex(current ? int(rows.indexOf(currentText)) : -1);
}

void TFormMain::showLists() {
    showList(LBCoreGui, m_state.CoreGui);
    showList(LBCoreRack, m_state.CoreRack);
    showList(LBGuiRack, m_state.GuiRack);
}

bool TFormMain::askIpAddress(TKxListBox *box, QStringList &rows) {
    // From the list's client area, inside its frame.
    const QPoint anchor =
        box->viewport()->mapToGlobal(QPoint(0, box->height() / 2 - m_formAddr->height() / 2));
    m_formAddr->move(anchor.x() - 1, anchor.y());
    if (ExecAddressDialog(*m_formAddr) != TFormAddr::kModalOk)
        return false;
    QString text = m_formAddr->AddressText();
    if (!NormalizeIpText(text))
        return false;
    AddUniqueIp(rows, text);
    SortIpList(rows);
    showList(box, rows);
    syncUserIndex();
    return true;
}

bool TFormMain::deleteSelectedIps(TKxListBox *box, QStringList &rows) {
    if (box->ItemIndex() < 0)
        return false;
    for (const QString &row : selectedRows(box, rows))
        rows.removeOne(row);
    showList(box, rows);
    return true;
}

void TFormMain::syncShownUserIndex() {
    syncUserIndex();
    // A current row whose racks were never loaded (after a delete) counts as no user.
    if (m_state.ShownUser.isEmpty())
        m_state.CoreGuiIndex = -1;
}

bool TFormMain::userIpSelected() {
    syncShownUserIndex();
    return m_state.CheckUserIpSelected();
}
