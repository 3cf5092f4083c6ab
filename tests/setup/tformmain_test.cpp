#include "setup/tformmain.h"

#include "controls/folderdialog/tkxselectfolderdialog.h"
#include "controls/framed/tkxbitbtn.h"
#include "controls/framed/tkxbutton.h"
#include "controls/framed/tkxlabel.h"
#include "controls/framed/tkxlistbox.h"
#include "controls/framed/tkxnumericedit.h"
#include "controls/framework/controlservices.h"
#include "controls/shell/tkxshelltree.h"
#include "platform/nametext.h"
#include "platform/profile.h"
#include "platform/udplistener.h"
#include "setup/tformaddr.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QMouseEvent>
#include <QScopeGuard>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>
#include <QUdpSocket>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

namespace {

const QByteArray kAnnouncement("\x05\x05\x00\x00\x00\x00\x10\x08\x00\x00\x06\x06", 12);

struct Box {
    MessageNote note;
    bool owned = true;
    bool operator==(const Box &) const = default;
};

std::ostream &operator<<(std::ostream &out, const Box &box) {
    return out << box.note.caption.toStdString() << ": " << box.note.text.toStdString()
               << (box.owned ? "" : " (no owner)");
}

Box error(const QString &text) {
    return {{"Error", MessageNote::Icon::Error, text}};
}

// The application's error box: no owner, the application title as caption.
Box applicationError(const QString &text) {
    return {{"NETSETUP", MessageNote::Icon::Error, text}, false};
}

const Box kCoreMissing = error("File \"core_config.conf\" not found.");
const Box kGuiMissing = error("File \"gui_config.conf\" not found.");
const Box kCoreSaved{{"Info", MessageNote::Icon::Information, "File \"core_config.conf\" Saved."}};
const Box kGuiSaved{{"Info", MessageNote::Icon::Information, "File \"gui_config.conf\" Saved."}};
const Box kNoUser{{"Error", MessageNote::Icon::Warning, "User IP not selected."}};
const QString kAskGui = "Save changes to \"gui_config.conf\" ?";
const QString kAskCore = "Save changes to \"core_config.conf\" ?";

QStringList rows(const TKxListBox *box) {
    QStringList out;
    for (int row = 0; row < box->count(); ++row)
        out.append(box->item(row)->text());
    return out;
}

void put(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

bool WriteRaw(const QByteArray &path, const QByteArray &bytes) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, bytes.constData(), bytes.size()) == bytes.size();
    return ::close(fd) == 0 && written;
}

QByteArray contents(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QByteArray read(const QString &path, const QByteArray &section, const QByteArray &key) {
    return Profile(path).readString(section, key, "<none>");
}

// A press and a release of the button at a point of the widget, as the window system sends them;
// a right press is followed by the context-menu event, and any menu it opens is closed.
void clickAt(QWidget *widget, const QPoint &pos, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QPoint global = widget->mapToGlobal(pos);
    QMouseEvent press(QEvent::MouseButtonPress, pos, global, button, button, modifiers);
    QApplication::sendEvent(widget, &press);
    if (button == Qt::RightButton) {
        QTimer::singleShot(0, [] {
            if (QWidget *menu = QApplication::activePopupWidget())
                menu->close();
        });
        QContextMenuEvent menu(QContextMenuEvent::Mouse, pos, global, modifiers);
        QApplication::sendEvent(widget, &menu);
    }
    QMouseEvent release(QEvent::MouseButtonRelease, pos, global, button, Qt::NoButton, modifiers);
    QApplication::sendEvent(widget, &release);
}

void clickRow(TKxListBox *list, int row, Qt::MouseButton button = Qt::LeftButton,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    clickAt(list->viewport(), list->visualItemRect(list->item(row)).center(), button, modifiers);
}

void clickButton(QWidget *button) {
    clickAt(button, button->rect().center());
}

// A key press and release with the text X11 gives the key.
void pressKey(QWidget *widget, int key, const QString &text,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(widget, &release);
}

QStringList selectedTexts(const TKxListBox *box) {
    QStringList out;
    for (int row = 0; row < box->count(); ++row) {
        if (box->item(row)->isSelected())
            out.append(box->item(row)->text());
    }
    return out;
}

// A core folder in a temporary directory, the form over it and pre-answered dialogs.
class TFormMainTest : public ::testing::Test {
protected:
    TFormMainTest() {
        paths.AppDir = m_dir.path() + "/app/";
        paths.IniPath = m_dir.filePath("app/netsetup.ini");
        paths.DatPath = m_dir.filePath("app/netsetup.dat");
        QDir().mkpath(paths.AppDir);
        QDir().mkpath(coreDir);
        put(paths.IniPath, "[WINDOW]\r\nLEFT=30\r\nTOP=40\r\nPATH=" + coreDir.toUtf8() + "\r\n");
    }

    void create(quint16 port = 0) {
        form = std::make_unique<TFormMain>(paths, port);
        form->ShowMessageBox = [this](const MessageNote &note, bool owned) {
            boxes.push_back({note, owned});
        };
        form->AskYesNo = [this](const QString &text) {
            questions.append(text);
            return answerYes;
        };
        form->SelectFolder = [this] {
            ++folderDialogs;
            dialogStart = form->DirDlg->SelectedFolderPath();
            return chosenFolder;
        };
        form->ExecAddressDialog = [this](TFormAddr &dialog) {
            ++addressDialogs;
            for (int i = 0; i < 4; ++i)
                dialog.Edits[i]->SetValueAsInteger(octets[i]);
            return addressResult;
        };
        form->Terminate = [this] { ++terminations; };
    }

    // Creation and the first idle moment.
    void start() {
        create();
        form->FormCreate();
        QCoreApplication::processEvents();
        ASSERT_TRUE(form->State().FLoaded);
    }

    void writeCore(const QByteArray &users, const QByteArray &racks) {
        put(coreDir + "core_config.conf", "[NETWORK_SETTINGS]\r\nresolved_gui_list= " + users +
                                              "\r\ngui_port= 5005\r\nresolved_rack_list= " + racks +
                                              "\r\nrack_port= 5003\r\n");
    }

    void selectUser(int row) {
        form->LBCoreGui->clearSelection();
        form->LBCoreGui->SetItemIndex(row);
        form->LBCoreGui->item(row)->setSelected(true);
        form->LBCoreGuiClick();
    }

    void selectRacks(std::initializer_list<int> selected) {
        form->LBCoreRack->clearSelection();
        for (int row : selected)
            form->LBCoreRack->item(row)->setSelected(true);
        form->LBCoreRack->SetItemIndex(*selected.begin());
    }

    QTemporaryDir m_dir;
    QString coreDir = m_dir.path() + "/core/";
    ProgramPaths paths;
    std::unique_ptr<TFormMain> form;
    std::vector<Box> boxes;
    QStringList questions;
    bool answerYes = true;
    int folderDialogs = 0;
    QString dialogStart; // the folder DirDlg was preset to
    std::optional<QString> chosenFolder;
    int addressDialogs = 0;
    std::array<int, 4> octets{10, 0, 0, 5};
    int addressResult = TFormAddr::kModalOk;
    int terminations = 0;
};

TEST_F(TFormMainTest, StartupWithMissingFilesReportsEachAndLoadsDefaults) {
    create();
    form->FormCreate();
    EXPECT_FALSE(form->State().FLoaded) << "the load waits for the first idle moment";
    EXPECT_TRUE(boxes.empty());
    QCoreApplication::processEvents();

    EXPECT_EQ(boxes, (std::vector<Box>{kCoreMissing, kGuiMissing}));
    EXPECT_EQ(folderDialogs, 0);
    EXPECT_EQ(form->LbPath->Caption(), m_dir.path() + "/core");
    EXPECT_TRUE(rows(form->LBCoreGui).isEmpty());
    EXPECT_TRUE(rows(form->LBCoreRack).isEmpty());
    EXPECT_EQ(form->EditCoreGuiPort->ValueAsInteger(), 5005);
    EXPECT_EQ(form->EditCoreRackPort->ValueAsInteger(), 5003);
    EXPECT_EQ(form->EditSnmpHost[0]->ValueAsInteger(), 0);
    EXPECT_EQ(form->EditSnmpDestPort->ValueAsInteger(), 1162);
    // Ports show without digit grouping, octets keep the format.
    EXPECT_EQ(form->EditCoreGuiPort->DisplayFormat(), "");
    EXPECT_EQ(form->EditSnmpHost[0]->DisplayFormat(), ",0;(,0)");
    EXPECT_FALSE(form->State().FCoreChanged);
    EXPECT_EQ(form->pos(), QPoint(30, 40));
}

TEST_F(TFormMainTest, FolderChoiceAtStartup) {
    struct Case {
        const char *name;
        QByteArray iniPath; // PATH in the window-state file, "" for none
        std::optional<QString> chosen;
        int dialogs;
        QString coreDir;
        std::vector<Box> boxes;
    };
    const QString app = m_dir.path() + "/app/";
    const QString other = m_dir.path() + "/other/";
    QDir().mkpath(other);
    const Box appFolder{{QCoreApplication::applicationName(), MessageNote::Icon::Warning,
                         "Application folder selected:\r\n" + app},
                        false};
    const std::vector<Case> cases = {
        {"remembered folder kept", coreDir.toUtf8(), std::nullopt, 0, coreDir, {}},
        {"none remembered, cancelled", "", std::nullopt, 1, app, {appFolder}},
        {"remembered one gone, cancelled",
         (m_dir.path() + "/gone").toUtf8(),
         std::nullopt,
         1,
         app,
         {appFolder}},
        {"none remembered, chosen", "", other, 1, other, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        put(paths.IniPath, "[WINDOW]\r\nPATH=" + c.iniPath + "\r\n");
        boxes.clear();
        folderDialogs = 0;
        chosenFolder = c.chosen;
        create();
        form->FormCreate();
        EXPECT_EQ(folderDialogs, c.dialogs);
        EXPECT_EQ(boxes, c.boxes);
        EXPECT_EQ(form->State().CoreDir, c.coreDir);
        // The window state is written at every start, with the folder chosen.
        EXPECT_EQ(read(paths.IniPath, "WINDOW", "PATH"), c.coreDir.toUtf8());
        form.reset();
    }
}

TEST_F(TFormMainTest, SelectingAUserLoadsItsRacks) {
    writeCore("192.168.0.1,10.0.0.1", "10.0.0.9");
    put(coreDir + "gui_config.conf",
        "[10.0.0.1]\r\nresolved_rack_list= 10.0.0.9, 10.0.0.3\r\ngui_port= 6000\r\n");
    start();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(rows(form->LBCoreGui), QStringList({"10.0.0.1", "192.168.0.1"}));
    EXPECT_EQ(form->LBCoreGui->ItemIndex(), 0);
    EXPECT_EQ(rows(form->LBGuiRack), QStringList({"10.0.0.3", "10.0.0.9"}));
    EXPECT_EQ(form->EditGuiRackPort->ValueAsInteger(), 6000);
    EXPECT_EQ(form->State().ShownUser, "10.0.0.1");

    selectUser(1);
    EXPECT_TRUE(rows(form->LBGuiRack).isEmpty());
    EXPECT_EQ(form->EditGuiRackPort->ValueAsInteger(), 5005) << "the core port by default";
    EXPECT_EQ(form->State().ShownUser, "192.168.0.1");
    EXPECT_EQ(form->State().CoreGuiIndex, 1);
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_FALSE(form->State().FGuiChanged);
}

TEST_F(TFormMainTest, AddingAnAddressNormalisesSortsAndRefusesDuplicates) {
    struct Case {
        const char *name;
        std::array<int, 4> octets;
        int result;
        QStringList rows;
        bool changed;
    };
    const std::vector<Case> cases = {
        {"sorted in",
         {10, 0, 0, 5},
         TFormAddr::kModalOk,
         {"9.0.0.1", "10.0.0.5", "192.168.0.1"},
         true},
        {"already listed", {9, 0, 0, 1}, TFormAddr::kModalOk, {"9.0.0.1", "192.168.0.1"}, true},
        {"octet out of range",
         {300, 0, 0, 1},
         TFormAddr::kModalOk,
         {"9.0.0.1", "192.168.0.1"},
         false},
        {"cancelled", {10, 0, 0, 5}, TFormAddr::kModalCancel, {"9.0.0.1", "192.168.0.1"}, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        writeCore("", "192.168.0.1, 9.0.0.1");
        start();
        octets = c.octets;
        addressResult = c.result;
        int key = Qt::Key_Insert;
        form->LBCoreRack->OnKeyDown(form->LBCoreRack, key, Qt::NoModifier);
        EXPECT_EQ(key, 0);
        EXPECT_EQ(rows(form->LBCoreRack), c.rows);
        EXPECT_EQ(form->State().CoreRack, c.rows);
        EXPECT_EQ(form->State().FCoreChanged, c.changed);
        form.reset();
    }
}

TEST_F(TFormMainTest, TheAddressPopupOpensBesideTheMiddleOfTheList) {
    start();
    form->move(200, 100);
    QPoint shownAt;
    form->ExecAddressDialog = [&](TFormAddr &dialog) {
        shownAt = dialog.pos();
        return TFormAddr::kModalCancel;
    };
    form->BtnCoreRackAddClick();
    const TKxListBox *list = form->LBCoreRack;
    // The list's client point (0, half its height less half the pop-up's), one pixel to the left.
    const QPoint client = list->viewport()->mapToGlobal(
        QPoint(0, list->height() / 2 - form->FormAddr()->height() / 2));
    EXPECT_EQ(shownAt, client - QPoint(1, 0));
}

TEST_F(TFormMainTest, GuiEditsNeedAShownUser) {
    writeCore("", "10.0.0.9");
    start();
    boxes.clear();
    selectRacks({0});
    form->BtnGuiRackAddClick();
    form->LBCoreRackDblClick();
    form->BtnCoreRackMoveClick();
    EXPECT_EQ(boxes, (std::vector<Box>(3, kNoUser)));
    EXPECT_EQ(addressDialogs, 0);
    EXPECT_TRUE(rows(form->LBGuiRack).isEmpty());
    EXPECT_FALSE(form->State().FGuiChanged);
}

TEST_F(TFormMainTest, RacksGoToTheShownUser) {
    writeCore("10.0.0.1", "10.0.0.9, 10.0.0.3, 10.0.0.7");
    start();
    selectRacks({2, 0});
    form->BtnCoreRackMoveClick();
    EXPECT_EQ(rows(form->LBGuiRack), QStringList({"10.0.0.3", "10.0.0.9"}));
    EXPECT_TRUE(form->State().FGuiChanged);
    selectRacks({1});
    form->LBCoreRackDblClick();
    EXPECT_EQ(rows(form->LBGuiRack), QStringList({"10.0.0.3", "10.0.0.7", "10.0.0.9"}));

    // ">>" with nothing selected still marks the side changed.
    form->BtnGuiSaveClick();
    EXPECT_EQ(boxes, (std::vector<Box>{kGuiMissing, kGuiSaved}));
    EXPECT_FALSE(form->State().FGuiChanged);
    form->LBCoreRack->clearSelection();
    form->BtnCoreRackMoveClick();
    EXPECT_TRUE(form->State().FGuiChanged);
    EXPECT_EQ(read(coreDir + "gui_config.conf", "10.0.0.1", "resolved_rack_list"),
              "10.0.0.3, 10.0.0.7, 10.0.0.9");
}

TEST_F(TFormMainTest, SwitchingUsersSavesIntoTheUserShownEvenAfterAResort) {
    writeCore("10.0.0.1, 192.168.0.1", "10.0.0.9");
    start();
    // A new user sorts in before the shown one; the shown user stays selected.
    octets = {10, 0, 0, 0};
    form->BtnCoreGuiAddClick();
    EXPECT_EQ(rows(form->LBCoreGui), QStringList({"10.0.0.0", "10.0.0.1", "192.168.0.1"}));
    EXPECT_EQ(form->LBCoreGui->ItemIndex(), 1);
    selectRacks({0});
    form->BtnCoreRackMoveClick();

    selectUser(2);
    EXPECT_EQ(questions, QStringList({kAskGui}));
    EXPECT_EQ(read(coreDir + "gui_config.conf", "10.0.0.1", "resolved_rack_list"), "10.0.0.9");
    EXPECT_EQ(read(coreDir + "gui_config.conf", "10.0.0.0", "resolved_rack_list"), "<none>");
    EXPECT_EQ(form->State().ShownUser, "192.168.0.1");

    // No discards the edits of the user left.
    selectRacks({0});
    form->BtnCoreRackMoveClick();
    answerYes = false;
    selectUser(0);
    EXPECT_EQ(read(coreDir + "gui_config.conf", "192.168.0.1", "resolved_rack_list"), "<none>");
    EXPECT_FALSE(form->State().FGuiChanged);
}

TEST_F(TFormMainTest, SwitchingUsersUsesTheConsolePortAsEdited) {
    writeCore("10.0.0.1, 10.0.0.2", "10.0.0.9");
    start();
    form->EditCoreGuiPort->setText("6000");
    selectRacks({0});
    form->BtnCoreRackMoveClick();

    selectUser(1);
    EXPECT_EQ(questions, QStringList({kAskGui}));
    EXPECT_EQ(read(coreDir + "gui_config.conf", "10.0.0.1", "gui_port"), "6000")
        << "the user left gets the console port shown, not the one loaded";
    EXPECT_EQ(form->EditGuiRackPort->ValueAsInteger(), 6000)
        << "a user without a section shows the console port shown";
}

TEST_F(TFormMainTest, ARackFoundByAnnouncementIsAppendedUnsorted) {
    writeCore("", "10.0.0.1, 10.0.0.250");
    start();
    struct Case {
        const char *name;
        QByteArray datagram;
        QString sender;
        QStringList rows;
        bool changed;
    };
    const std::vector<Case> cases = {
        {"not an announcement",
         QByteArray("\x05\x05\x00\x00\x00\x00\x10\x09\x00\x00\x06\x06", 12),
         "10.0.0.100",
         {"10.0.0.1", "10.0.0.250"},
         false},
        {"announcement",
         "junk" + kAnnouncement + "tail",
         "10.0.0.100",
         {"10.0.0.1", "10.0.0.250", "10.0.0.100"},
         true},
        {"repeated", kAnnouncement, "10.0.0.100", {"10.0.0.1", "10.0.0.250", "10.0.0.100"}, false},
        {"IPv4 in IPv6 form",
         kAnnouncement,
         "::ffff:10.0.0.2",
         {"10.0.0.1", "10.0.0.250", "10.0.0.100", "10.0.0.2"},
         true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        form->UDPSUDPRead(c.datagram, QHostAddress(c.sender));
        EXPECT_EQ(rows(form->LBCoreRack), c.rows);
        EXPECT_EQ(form->State().FCoreChanged, c.changed);
        form->BtnCoreSaveClick();
    }
}

TEST_F(TFormMainTest, FindListensForAnnouncements) {
    start();
    form->BtnRackFindClick();
    ASSERT_TRUE(form->UDPS()->Active());
    EXPECT_EQ(form->BtnRackFind->Color(), TColor::FromRgb(166, 202, 240));

    QUdpSocket rack;
    ASSERT_EQ(rack.writeDatagram(kAnnouncement, QHostAddress::LocalHost, form->UDPS()->LocalPort()),
              kAnnouncement.size());
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (form->LBCoreRack->count() > 0)
            loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    poll.start(1);
    loop.exec();
    EXPECT_EQ(rows(form->LBCoreRack), QStringList({"127.0.0.1"}));
    EXPECT_TRUE(form->State().FCoreChanged);

    form->BtnRackFindClick();
    EXPECT_FALSE(form->UDPS()->Active());
    EXPECT_EQ(form->BtnRackFind->Color(), clBtnFace);
}

TEST_F(TFormMainTest, PressingTheFindButtonSwitchesListening) {
    start();
    form->show();
    form->activateWindow();
    QApplication::setActiveWindow(form.get());
    const QPoint inside = form->BtnRackFind->rect().center();
    for (const bool active : {true, false}) {
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, inside, form->BtnRackFind->mapToGlobal(inside), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QApplication::sendEvent(form->BtnRackFind, &event);
        }
        EXPECT_EQ(form->UDPS()->Active(), active);
    }
}

// Sample colours of a button's face, left of its caption: the middle of its left quarter.
QColor faceColour(QWidget *button) {
    return button->grab().toImage().pixelColor(button->width() / 8 + 2, button->height() / 2);
}

// "Find" shows on screen whether it listens, and both "Save" buttons show their colour, with
// themes on (as netsetup starts) and off.
TEST_F(TFormMainTest, FindAndSaveShowTheirColoursOnScreen) {
    start();
    form->show();
    QApplication::setActiveWindow(form.get());
    // A click leaves the focus on the button; the focus look is not what is checked here.
    const auto clickFind = [this] {
        clickButton(form->BtnRackFind);
        form->LBCoreGui->setFocus();
        QCoreApplication::processEvents();
    };
    for (const bool themed : {true, false}) {
        SCOPED_TRACE(themed ? "themed" : "classic");
        SetThemesActive(themed);
        form->LBCoreGui->setFocus();
        form->update();
        QCoreApplication::processEvents();
        const QColor face = faceColour(form->BtnRackFind);
        EXPECT_LE(std::abs(face.blue() - face.red()), 2) << "Find is grey while not listening";
        for (QWidget *save : {form->BtnCoreSave, form->BtnGuiSave}) {
            const QColor shown = faceColour(save);
            EXPECT_GE(shown.red() - shown.blue(), 8) << "Save is yellowish";
        }
        clickFind();
        ASSERT_TRUE(form->UDPS()->Active());
        const QColor listening = faceColour(form->BtnRackFind);
        EXPECT_GE(listening.blue() - listening.red(), 30) << "Find is sky blue while listening";
        clickFind();
        ASSERT_FALSE(form->UDPS()->Active());
        EXPECT_EQ(faceColour(form->BtnRackFind), face);
    }
    SetThemesActive(true);
}

TEST_F(TFormMainTest, FindOnAPortInUseReportsIt) {
    UdpListener other(0);
    ASSERT_TRUE(other.SetActive(true));
    create(other.LocalPort());
    form->FormCreate();
    QCoreApplication::processEvents();
    boxes.clear();
    const TColor before = form->BtnRackFind->Color();
    form->BtnRackFindClick();
    EXPECT_FALSE(form->UDPS()->Active());
    EXPECT_EQ(boxes, (std::vector<Box>{applicationError(
                         "Could not bind socket. Address and port are already in use.")}));
    EXPECT_EQ(form->BtnRackFind->Color(), before);
}

TEST_F(TFormMainTest, CloseWithUnsavedChangesAsksBothAndSavesOnYes) {
    writeCore("10.0.0.1", "10.0.0.9");
    put(coreDir + "gui_config.conf", "[10.0.0.1]\r\nresolved_rack_list= \r\ngui_port= 5005\r\n");
    start();
    form->EditCoreRackPort->setText("6003");
    EXPECT_TRUE(form->State().FCoreChanged) << "an edit after loading counts";
    selectRacks({0});
    form->BtnCoreRackMoveClick();

    EXPECT_TRUE(form->FormCloseQuery());
    EXPECT_EQ(questions, QStringList({kAskGui, kAskCore}));
    EXPECT_EQ(boxes, (std::vector<Box>{kGuiSaved, kCoreSaved}));
    EXPECT_EQ(read(coreDir + "core_config.conf", "NETWORK_SETTINGS", "rack_port"), "6003");
    EXPECT_EQ(read(coreDir + "gui_config.conf", "10.0.0.1", "resolved_rack_list"), "10.0.0.9");
    EXPECT_FALSE(form->State().FCoreChanged);
    EXPECT_FALSE(form->State().FGuiChanged);
}

TEST_F(TFormMainTest, CloseWithNoDiscardsAndStillCloses) {
    writeCore("10.0.0.1", "10.0.0.9");
    put(coreDir + "core_config.conf",
        contents(coreDir + "core_config.conf") +
            "[SNMP_SETTINGS (in linux port<1024 using under root only!)]\r\n"
            "trap_host= udp:10.1.2.3/162\r\ntrap_dest= udp:0.0.0.0/1162\r\n");
    start();
    const QByteArray core = contents(coreDir + "core_config.conf");
    // The host endpoint differs from the destination, so the copy is a change of the core side.
    form->BtnSnmpCopyClick();
    ASSERT_TRUE(form->State().FCoreChanged);
    selectRacks({0});
    form->BtnCoreRackMoveClick();
    answerYes = false;
    form->show();
    EXPECT_TRUE(form->close());
    EXPECT_EQ(questions, QStringList({kAskGui, kAskCore}));
    EXPECT_EQ(contents(coreDir + "core_config.conf"), core);
    EXPECT_FALSE(QFile::exists(coreDir + "gui_config.conf"));
}

TEST_F(TFormMainTest, AFailedSaveWhileClosingKeepsTheWindowOpen) {
    writeCore("", "10.0.0.9");
    start();
    form->BtnCoreRackDelClick();
    selectRacks({0});
    form->BtnCoreRackDelClick();
    ASSERT_TRUE(form->State().FCoreChanged);
    ASSERT_TRUE(QDir(coreDir).removeRecursively());
    boxes.clear();

    form->show();
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(boxes, (std::vector<Box>{
                         applicationError("Unable to write to " + coreDir + "core_config.conf.")}));
    EXPECT_TRUE(form->State().FCoreChanged);

    // Once the folder is back the same close saves and goes through.
    QDir().mkpath(coreDir);
    EXPECT_TRUE(form->close());
    EXPECT_EQ(read(coreDir + "core_config.conf", "NETWORK_SETTINGS", "resolved_rack_list"), "");
}

TEST_F(TFormMainTest, DeletingUsersShowsNoUser) {
    writeCore("10.0.0.1, 10.0.0.2, 10.0.0.3", "10.0.0.9");
    put(coreDir + "gui_config.conf",
        "[10.0.0.1]\r\nresolved_rack_list= 10.0.0.9\r\ngui_port= 5005\r\n"
        "[10.0.0.2]\r\nresolved_rack_list= \r\ngui_port= 5005\r\n");
    start();
    selectRacks({0});
    form->BtnCoreRackMoveClick();
    int key = Qt::Key_Delete;
    form->LBCoreGui->OnKeyDown(form->LBCoreGui, key, Qt::NoModifier);

    // The deleted user's unsaved racks went only after the question.
    EXPECT_EQ(questions, QStringList({kAskGui}));
    EXPECT_EQ(read(coreDir + "gui_config.conf", "10.0.0.1", "resolved_rack_list"), "10.0.0.9");
    EXPECT_EQ(rows(form->LBCoreGui), QStringList({"10.0.0.2", "10.0.0.3"}));
    EXPECT_TRUE(rows(form->LBGuiRack).isEmpty());
    EXPECT_EQ(form->State().ShownUser, "");
    EXPECT_EQ(form->State().CoreGuiIndex, -1);
    EXPECT_TRUE(form->State().FCoreChanged);

    boxes.clear();
    form->BtnGuiRackAddClick();
    EXPECT_EQ(boxes, (std::vector<Box>{kNoUser}));
    EXPECT_EQ(addressDialogs, 0);
    // The caret on the next user shows nobody; once selected, that user shows its own racks.
    form->LBCoreGui->SetItemIndex(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(form->State().ShownUser, "");
    form->LBCoreGui->item(0)->setSelected(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(form->State().ShownUser, "10.0.0.2");
    EXPECT_TRUE(rows(form->LBGuiRack).isEmpty());
    boxes.clear();
    questions.clear();
    EXPECT_TRUE(form->FormCloseQuery());
    EXPECT_EQ(questions, QStringList({kAskCore}));
    EXPECT_EQ(boxes, (std::vector<Box>{kCoreSaved}));
    EXPECT_EQ(read(coreDir + "gui_config.conf", "10.0.0.1", "resolved_rack_list"), "<none>");
    EXPECT_EQ(read(coreDir + "gui_config.conf", "10.0.0.2", "resolved_rack_list"), "");
}

// The operator works the user list with the mouse and the keyboard: whichever way a user is
// highlighted it is the one shown, and deleting users never loses the shown user's unsaved racks
// without the question.
// Ctrl+clicks in the user list, as the window system delivers them (the caret moves on the press,
// a selected row is unselected on the release): the user shown is always a highlighted one.
TEST_F(TFormMainTest, CtrlClicksNeverShowAUserWhoIsNotHighlighted) {
    writeCore("10.0.0.1,10.0.0.2,10.0.0.3", "10.0.0.9");
    put(coreDir + "gui_config.conf", "[10.0.0.1]\r\nresolved_rack_list= 10.0.0.11\r\n"
                                     "[10.0.0.2]\r\nresolved_rack_list= 10.0.0.22\r\n"
                                     "[10.0.0.3]\r\nresolved_rack_list= 10.0.0.33\r\n");
    start();
    struct Step {
        const char *name;
        int row;
        Qt::KeyboardModifiers modifiers;
        QStringList selected;
        QString shown;
    };
    const std::vector<Step> steps = {
        {"click 10.0.0.1", 0, Qt::NoModifier, {"10.0.0.1"}, "10.0.0.1"},
        {"Ctrl+click 10.0.0.2", 1, Qt::ControlModifier, {"10.0.0.1", "10.0.0.2"}, "10.0.0.2"},
        {"Ctrl+click 10.0.0.1", 0, Qt::ControlModifier, {"10.0.0.2"}, "10.0.0.2"},
        {"Ctrl+click 10.0.0.3", 2, Qt::ControlModifier, {"10.0.0.2", "10.0.0.3"}, "10.0.0.3"},
        {"Ctrl+click 10.0.0.3 again", 2, Qt::ControlModifier, {"10.0.0.2"}, "10.0.0.2"},
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(step.name);
        clickRow(form->LBCoreGui, step.row, Qt::LeftButton, step.modifiers);
        QCoreApplication::processEvents();
        EXPECT_EQ(selectedTexts(form->LBCoreGui), step.selected);
        EXPECT_EQ(form->State().ShownUser, step.shown);
        EXPECT_EQ(rows(form->LBGuiRack), QStringList{"10.0.0." + step.shown.mid(7).repeated(2)});
    }
    EXPECT_TRUE(questions.isEmpty());
}

TEST_F(TFormMainTest, NoRackEditIsLostWhileUsersAreClickedAndDeleted) {
    struct Case {
        const char *name;
        bool answer;                          // to every "Save changes" question
        std::function<void(TFormMain &)> act; // after 10.0.0.2 is shown with a new rack
        QStringList questions;                // asked until the window has closed
        QByteArray savedRacks;                // of 10.0.0.2 in gui_config.conf at the end
        QStringList users;                    // in core_config.conf at the end
    };
    const QByteArray kAll = "10.0.0.1, 10.0.0.2, 10.0.0.3";
    const std::vector<Case> cases = {
        {"right click on another user asks, then that user is deleted",
         true,
         [](TFormMain &f) {
             clickRow(f.LBCoreGui, 0, Qt::RightButton);
             EXPECT_EQ(f.State().ShownUser, "10.0.0.1");
             pressKey(f.LBCoreGui, Qt::Key_Delete, "\x7f");
         },
         {kAskGui, kAskCore},
         "10.0.0.7",
         {"10.0.0.2", "10.0.0.3"}},
        {"the answer No at the right click drops the edit",
         false,
         [](TFormMain &f) {
             clickRow(f.LBCoreGui, 0, Qt::RightButton);
             pressKey(f.LBCoreGui, Qt::Key_Delete, "\x7f");
         },
         {kAskGui, kAskCore},
         "<none>",
         {"10.0.0.1", "10.0.0.2", "10.0.0.3"}},
        {"a key that moves to another user asks",
         true,
         [](TFormMain &f) {
             pressKey(f.LBCoreGui, Qt::Key_Down, QString());
             EXPECT_EQ(f.State().ShownUser, "10.0.0.3");
         },
         {kAskGui},
         "10.0.0.7",
         {"10.0.0.1", "10.0.0.2", "10.0.0.3"}},
        {"Ctrl with an arrow moves the caret only",
         true,
         [](TFormMain &f) {
             pressKey(f.LBCoreGui, Qt::Key_Down, QString(), Qt::ControlModifier);
             EXPECT_EQ(f.LBCoreGui->ItemIndex(), 2);
             EXPECT_EQ(f.State().ShownUser, "10.0.0.2");
             // Selecting the row at the caret shows its user.
             clickRow(f.LBCoreGui, 2, Qt::LeftButton, Qt::ControlModifier);
             EXPECT_EQ(f.State().ShownUser, "10.0.0.3");
             EXPECT_EQ(selectedTexts(f.LBCoreGui), QStringList({"10.0.0.2", "10.0.0.3"}));
             // Deleting both asks before the racks of the user shown go.
             clickButton(f.BtnCoreGuiDel);
         },
         {kAskGui, kAskCore},
         "<none>",
         {"10.0.0.1"}},
        {"deleting the user shown asks first",
         true,
         [](TFormMain &f) {
             pressKey(f.LBCoreGui, Qt::Key_Delete, "\x7f");
             EXPECT_EQ(f.State().ShownUser, "");
         },
         // The core save then erases the deleted user's section.
         {kAskGui, kAskCore},
         "<none>",
         {"10.0.0.1", "10.0.0.3"}},
        {"a delete that leaves the user shown keeps its edit",
         true,
         [](TFormMain &f) {
             // Ctrl+click takes the shown user out of the selection and leaves it current.
             clickRow(f.LBCoreGui, 1, Qt::LeftButton, Qt::ControlModifier);
             clickButton(f.BtnCoreGuiDel);
             EXPECT_EQ(f.State().ShownUser, "10.0.0.2");
             EXPECT_EQ(rows(f.LBGuiRack), QStringList{"10.0.0.7"});
         },
         {kAskGui, kAskCore},
         "10.0.0.7",
         {"10.0.0.1", "10.0.0.2", "10.0.0.3"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        writeCore(kAll, "10.0.0.9");
        QFile::remove(coreDir + "gui_config.conf");
        boxes.clear();
        questions.clear();
        start();
        form->show();
        QApplication::setActiveWindow(form.get());
        form->LBCoreGui->setFocus();
        answerYes = c.answer;
        octets = {10, 0, 0, 7};

        clickRow(form->LBCoreGui, 1);
        EXPECT_EQ(form->State().ShownUser, "10.0.0.2");
        clickButton(form->BtnGuiRackAdd);
        ASSERT_EQ(rows(form->LBGuiRack), QStringList{"10.0.0.7"});
        form->LBCoreGui->setFocus();
        c.act(*form);
        // The user highlighted is the user shown, and a highlighted current row is that user.
        const QString shown = form->State().ShownUser;
        EXPECT_EQ(selectedTexts(form->LBCoreGui),
                  shown.isEmpty() ? QStringList() : QStringList{shown});
        if (const QListWidgetItem *current = form->LBCoreGui->currentItem();
            current && current->isSelected()) {
            EXPECT_EQ(current->text(), shown);
        }
        EXPECT_TRUE(form->close());
        EXPECT_EQ(questions, c.questions);
        EXPECT_EQ(read(coreDir + "gui_config.conf", "10.0.0.2", "resolved_rack_list"),
                  c.savedRacks);
        EXPECT_EQ(read(coreDir + "core_config.conf", "NETWORK_SETTINGS", "resolved_gui_list"),
                  c.users.join(", ").toUtf8());
        form.reset();
    }
}

TEST_F(TFormMainTest, SavingTheGuiSideAfterDeletingUsersWarnsOfNoUser) {
    writeCore("10.0.0.1, 10.0.0.2", "10.0.0.9");
    put(coreDir + "gui_config.conf", "[10.0.0.2]\r\nresolved_rack_list= 10.0.0.9\r\n");
    start();
    form->BtnCoreGuiDelClick();
    boxes.clear();
    form->BtnGuiSaveClick();
    EXPECT_EQ(boxes, (std::vector<Box>{kNoUser}));
    EXPECT_EQ(read(coreDir + "gui_config.conf", "10.0.0.2", "resolved_rack_list"), "10.0.0.9")
        << "the user now at the row keeps its racks";
}

TEST_F(TFormMainTest, AFailedSaveIsReportedAndKeepsTheChange) {
    writeCore("10.0.0.1", "10.0.0.9");
    start();
    selectRacks({0});
    form->BtnCoreRackMoveClick();
    ASSERT_TRUE(QDir(coreDir).removeRecursively());
    boxes.clear();
    form->BtnGuiSaveClick();
    form->BtnCoreSaveClick();
    EXPECT_EQ(boxes, (std::vector<Box>{
                         applicationError("Unable to write to " + coreDir + "gui_config.conf."),
                         applicationError("Unable to write to " + coreDir + "core_config.conf.")}));
    EXPECT_TRUE(form->State().FGuiChanged);
}

TEST_F(TFormMainTest, CopyAndSelectAll) {
    writeCore("10.0.0.1, 10.0.0.2", "");
    put(coreDir + "core_config.conf",
        contents(coreDir + "core_config.conf") +
            "[SNMP_SETTINGS (in linux port<1024 using under root only!)]\r\n"
            "trap_host= udp:10.1.2.3/162\r\ntrap_dest= udp:0.0.0.0/1162\r\n");
    start();
    EXPECT_FALSE(form->State().FCoreChanged);
    form->BtnSnmpCopyClick();
    EXPECT_TRUE(form->State().FCoreChanged);
    EXPECT_EQ(form->EditSnmpDest[2]->ValueAsInteger(), 2);
    EXPECT_EQ(form->EditSnmpDestPort->ValueAsInteger(), 162);
    // Copying values already shown changes no edit, so nothing is marked.
    form->BtnCoreSaveClick();
    ASSERT_FALSE(form->State().FCoreChanged);
    form->BtnSnmpCopyClick();
    EXPECT_FALSE(form->State().FCoreChanged);

    form->LBCoreGui->setFocus();
    form->PMenuSAClick();
    EXPECT_EQ(form->LBCoreGui->selectedItems().size(), 2);
}

TEST_F(TFormMainTest, AFolderChangeAsksForARestart) {
    struct Case {
        const char *name;
        std::optional<QString> chosen;
        bool restart;
    };
    const QString other = m_dir.path() + "/other";
    QDir().mkpath(other);
    const std::vector<Case> cases = {
        {"cancelled", std::nullopt, false},
        {"the same folder", m_dir.path() + "/core", false},
        {"another folder", other, true},
    };
    const Box restart{{"Warning", MessageNote::Icon::Warning, "Application will be restarted"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        start();
        boxes.clear();
        chosenFolder = c.chosen;
        form->EditCoreRackPort->setText("6003");
        form->BtnPathClick();
        EXPECT_EQ(dialogStart, m_dir.path() + "/core") << "the dialog opens at the core folder";
        EXPECT_EQ(form->RestartRequested(), c.restart);
        EXPECT_EQ(terminations, c.restart ? 1 : 0);
        terminations = 0;
        EXPECT_EQ(boxes, c.restart ? std::vector<Box>{restart} : std::vector<Box>{});
        EXPECT_TRUE(questions.isEmpty()) << "a restart drops unsaved edits without a question";
        EXPECT_EQ(read(paths.IniPath, "WINDOW", "PATH"),
                  (c.restart ? other + "/" : coreDir).toUtf8());
        form.reset();
    }
}

TEST_F(TFormMainTest, TheCoreFolderIsChosenInTheLibrarysFolderDialog) {
    const QString other = m_dir.path() + "/other";
    QDir().mkpath(other);
    // The form's own folder choice, not the pre-answered one.
    form = std::make_unique<TFormMain>(paths, 0);
    form->ShowMessageBox = [this](const MessageNote &note, bool owned) {
        boxes.push_back({note, owned});
    };
    form->Terminate = [this] { ++terminations; };
    form->FormCreate();
    QString caption;
    QString preselected;
    TKxShellTreeOptions options = 0;
    form->DirDlg->OnFormShow = [&](QObject *sender) {
        auto *dialog = static_cast<TKxSelectFolderForm *>(sender);
        QTimer::singleShot(0, dialog, [&, dialog] {
            caption = dialog->windowTitle();
            preselected = dialog->ShellTree->SelectedFolderPath();
            options = dialog->ShellTree->Options();
            dialog->ShellTree->SelectionLocator().SetPath(other);
            dialog->btnOk->Click();
        });
    };
    form->BtnPathClick();
    EXPECT_EQ(caption, "Select TORVALE3 CORE folder  ");
    EXPECT_EQ(preselected, m_dir.path() + "/core");
    EXPECT_EQ(options, stoAutoFill | stoShowHidden);
    EXPECT_EQ(form->State().CoreDir, other + "/");
    EXPECT_TRUE(form->RestartRequested());
    EXPECT_EQ(terminations, 1);
}

// A folder whose name is not UTF-8 cannot be carried through the configuration files' paths:
// netsetup refuses it with a box naming it as the tree shows it, and stores and opens nothing
// else in its place.
TEST_F(TFormMainTest, AFolderWhoseNameIsNotUtf8IsRefusedAndTheCurrentOneKept) {
    const QByteArray raw = QFile::encodeName(m_dir.path()) + "/u8/\xcf\xf0\xe8\xe2\xe5\xf2";
    ASSERT_TRUE(QDir().mkpath(m_dir.path() + "/u8"));
    ASSERT_EQ(::mkdir(raw.constData(), 0755), 0);
    const QByteArray file = raw + "/core_config.conf";
    ASSERT_TRUE(WriteRaw(file, "[NETWORK_SETTINGS]\r\nrack_port= 7003\r\n"));
    // Qt's own removal cannot name them.
    const auto removal = qScopeGuard([&] {
        ::unlink(file.constData());
        ::rmdir(raw.constData());
    });
    const Box refused =
        error(QStringLiteral(u"The folder \"%1/u8/Привет\" cannot be the core folder: its name is "
                             u"not UTF-8 text, which netsetup cannot store or open.")
                  .arg(m_dir.path()));
    writeCore("10.0.0.1", "10.0.1.1");
    const QByteArray ini = contents(paths.IniPath);

    // "---", and the folder chosen in the library's folder dialog.
    form = std::make_unique<TFormMain>(paths, 0);
    form->ShowMessageBox = [this](const MessageNote &note, bool owned) {
        boxes.push_back({note, owned});
    };
    form->Terminate = [this] { ++terminations; };
    form->FormCreate();
    QCoreApplication::processEvents();
    boxes.clear();
    QString status;
    form->DirDlg->OnFormShow = [&](QObject *sender) {
        auto *dialog = static_cast<TKxSelectFolderForm *>(sender);
        QTimer::singleShot(0, dialog, [&, dialog] {
            dialog->ShellTree->SelectionLocator().SetPath(NameToText(raw));
            status = dialog->StatusText();
            dialog->btnOk->Click();
        });
    };
    form->BtnPathClick();
    EXPECT_TRUE(status.endsWith(QStringLiteral(u"Привет"))) << status.toStdString();
    EXPECT_EQ(boxes, std::vector<Box>{refused});
    EXPECT_FALSE(form->RestartRequested());
    EXPECT_EQ(terminations, 0);
    EXPECT_EQ(form->State().CoreDir, coreDir);
    EXPECT_EQ(form->LbPath->Caption(), m_dir.path() + "/core");
    EXPECT_EQ(contents(paths.IniPath), ini) << "nothing else is stored";
    EXPECT_EQ(form->EditCoreRackPort->ValueAsInteger(), 5003);
    form.reset();

    // At start-up with no folder remembered: refused, then the program's folder as when cancelled.
    put(paths.IniPath, "[WINDOW]\r\nLEFT=30\r\nTOP=40\r\n");
    boxes.clear();
    chosenFolder = NameToText(raw);
    create();
    form->FormCreate();
    ASSERT_GE(boxes.size(), 2u);
    EXPECT_EQ(boxes[0], refused);
    EXPECT_EQ(boxes[1].note.text, "Application folder selected:\r\n" + paths.AppDir);
    EXPECT_EQ(form->State().CoreDir, paths.AppDir);
    EXPECT_EQ(read(paths.IniPath, "WINDOW", "PATH"), paths.AppDir.toUtf8());
}

} // namespace

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("NETSETUP"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    return RUN_ALL_TESTS();
}
