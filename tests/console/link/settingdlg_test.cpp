#include "console/link/settingdlg.h"

#include "console/link/consoletables.h"
#include "console/link/globals.h"
#include "console/link/rings.h"
#include "console/link/settingsfile.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace {

QByteArray readFile(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Takes every message waiting in the outbound ring, in queue order.
std::vector<QByteArray> takeQueued() {
    std::vector<QByteArray> messages;
    while (!outboundRing().waitingMessage().isEmpty()) {
        messages.push_back(outboundRing().waitingMessage().toByteArray());
        outboundRing().freeMessage();
    }
    return messages;
}

void fillTable(RackAddressTable &table, const std::vector<QString> &texts) {
    table.clear();
    for (const QString &text : texts) {
        RackAddress &entry = table.entries[table.count++];
        const QStringList parts = text.split('.');
        for (int i = 0; i < 4; ++i)
            entry.ip[i] = static_cast<int16_t>(parts[i].toInt());
        entry.text = text;
    }
}

std::vector<QString> textsOf(const RackAddressTable &table) {
    std::vector<QString> texts;
    for (int i = 0; i < table.count; ++i)
        texts.push_back(table.entries[i].text);
    return texts;
}

std::vector<QString> racksFrom(int first, int count) {
    std::vector<QString> texts;
    for (int i = 0; i < count; ++i)
        texts.push_back(QStringLiteral("127.0.2.%1").arg(first + i));
    return texts;
}

class SettingDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("settings.txt");
        settingFileName = path;
        ip_srv = {127, 0, 0, 1};
        ip_srv_text = "127.0.0.1";
        port_srv_text = "4000";
        port_srv = 4000;
        lastTime = QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5));
        logFilterOnOff = "0";
        logIPs = "127.0.1.1,1;";
        srv_reconnect = -1;
        takeQueued();
        fillTable(all, {"127.0.1.1", "127.0.1.2", "127.0.1.3"});
        fillTable(allOld, {"127.0.1.1", "127.0.1.2", "127.0.1.3"});
        fillTable(sel, {"127.0.1.2"});
        fillTable(selOld, {"127.0.1.3"});
        dlg = std::make_unique<SettingDlg>(all, allOld, sel, selOld);
        dlg->showAttention = [this](const QString &text) { attentions.push_back(text); };
        dlg->chooseSettingFile = [this] { return fileAnswer; };
    }

    void TearDown() override { takeQueued(); }

    template <class W> W *widget(const char *name) {
        W *w = dlg->findChild<W *>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QListWidget *rackList() { return widget<QListWidget>("DeviceIPlist"); }
    void setText(const char *field, const QString &text) {
        widget<QLineEdit>(field)->setText(text);
    }
    void checkRacks(const std::vector<int> &rows) {
        for (int i = 0; i < rackList()->count(); ++i)
            rackList()->item(i)->setCheckState(Qt::Unchecked);
        for (int row : rows)
            rackList()->item(row)->setCheckState(Qt::Checked);
    }
    void openAndSet() {
        dlg->SettingDlgInit();
        dlg->show();
    }
    void clickSet() { widget<QPushButton>("SetBtn")->click(); }

    QTemporaryDir dir;
    QString path;
    RackAddressTable all, allOld, sel, selOld;
    std::unique_ptr<SettingDlg> dlg;
    std::vector<QString> attentions;
    QString fileAnswer;
};

TEST_F(SettingDlgTest, FormHasItsWidgetsInCreationOrder) {
    struct Expected {
        const char *name;
        const char *className;
        QRect geometry;
        const char *text;
        bool enabled;
        int maxLength; // 0: not a line edit
    };
    const std::vector<Expected> expected = {
        {"SetBtn", "QPushButton", {340, 380, 51, 27}, "Set", true, 0},
        {"SetFileStr", "QLineEdit", {110, 20, 111, 27}, nullptr, false, 500},
        {"SetFile", "QLineEdit", {20, 20, 81, 27}, "Settings File", false, 32767},
        {"SetFileBtn", "QPushButton", {1350, 100, 61, 27}, "Open", true, 0},
        {"IPsrv2", "QLineEdit", {170, 60, 51, 27}, "", true, 3},
        {"IPsrv1", "QLineEdit", {110, 60, 51, 27}, "", true, 3},
        {"IPsrv4", "QLineEdit", {290, 60, 51, 27}, "", true, 3},
        {"IPsrv", "QLineEdit", {20, 60, 81, 27}, "Server IP", false, 32767},
        {"IPsrv3", "QLineEdit", {230, 60, 51, 27}, "", true, 3},
        {"PortSrv", "QLineEdit", {20, 100, 81, 27}, "Server Port", false, 32767},
        {"PortSrvStr", "QLineEdit", {110, 100, 111, 27}, "", true, 5},
        {"DeviceIPlist", "QListWidget", {20, 180, 321, 181}, nullptr, true, 0},
        {"DeviceIP", "QLineEdit", {20, 140, 321, 31}, "Device IP", false, 32767},
        {"CanselBtn", "QPushButton", {400, 380, 51, 27}, "Cancel", true, 0},
    };
    std::vector<QWidget *> children;
    for (QObject *child : dlg->children()) {
        if (child->isWidgetType())
            children.push_back(static_cast<QWidget *>(child));
    }
    ASSERT_EQ(children.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Expected &e = expected[i];
        SCOPED_TRACE(e.name);
        QWidget *w = children[i];
        EXPECT_EQ(w->objectName(), QString::fromLatin1(e.name));
        EXPECT_STREQ(w->metaObject()->className(), e.className);
        EXPECT_EQ(w->geometry(), e.geometry);
        EXPECT_EQ(w->isEnabled(), e.enabled);
        if (auto *button = qobject_cast<QPushButton *>(w)) {
            EXPECT_EQ(button->text(), QString::fromLatin1(e.text));
            EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor);
        }
        if (auto *edit = qobject_cast<QLineEdit *>(w)) {
            if (e.text) {
                EXPECT_EQ(edit->text(), QString::fromLatin1(e.text));
            }
            EXPECT_EQ(edit->maxLength(), e.maxLength);
            EXPECT_EQ(edit->alignment(), Qt::AlignCenter);
        }
    }
    EXPECT_EQ(dlg->windowTitle(), "Dialog");
    EXPECT_EQ(dlg->size(), QSize(461, 421));
    EXPECT_EQ(dlg->minimumSize(), QSize(461, 200));
    EXPECT_FALSE(dlg->isModal());
    EXPECT_EQ(dlg->palette().color(QPalette::Window), QColor(226, 226, 226));
    EXPECT_EQ(dlg->palette().color(QPalette::Button), QColor(225, 225, 225));
    EXPECT_EQ(widget<QLineEdit>("SetFileStr")->text(), path);
}

TEST_F(SettingDlgTest, InitFillsFieldsAndChecksSelectedRacks) {
    ip_srv = {127, 0, 3, 44};
    port_srv_text = "4100";
    dlg->SettingDlgInit();
    EXPECT_EQ(widget<QLineEdit>("IPsrv1")->text(), "127");
    EXPECT_EQ(widget<QLineEdit>("IPsrv2")->text(), "0");
    EXPECT_EQ(widget<QLineEdit>("IPsrv3")->text(), "3");
    EXPECT_EQ(widget<QLineEdit>("IPsrv4")->text(), "44");
    EXPECT_EQ(widget<QLineEdit>("PortSrvStr")->text(), "4100");
    EXPECT_TRUE(dlg->windowFlags().testFlag(Qt::FramelessWindowHint));
    ASSERT_EQ(rackList()->count(), 3);
    const Qt::CheckState states[] = {Qt::Unchecked, Qt::Checked, Qt::Unchecked};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rackList()->item(i)->text(), all.entries[i].text);
        EXPECT_EQ(rackList()->item(i)->checkState(), states[i]);
    }

    // A second fill (a new selection from the server) replaces the list and keeps it open.
    dlg->show();
    fillTable(sel, {"127.0.1.1", "127.0.1.3"});
    dlg->SettingDlgInit();
    EXPECT_TRUE(dlg->isVisible());
    ASSERT_EQ(rackList()->count(), 3);
    EXPECT_EQ(rackList()->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(rackList()->item(1)->checkState(), Qt::Unchecked);
}

TEST_F(SettingDlgTest, SameServerQueuesTheRackSelection) {
    openAndSet();
    checkRacks({0, 2});
    clickSet();

    const std::vector<QByteArray> queued = takeQueued();
    ASSERT_EQ(queued.size(), 1u);
    EXPECT_EQ(queued[0], QByteArray::fromHex("000a 0078 0002 007f 0000 0001 0001"
                                             "007f 0000 0001 0003"));
    EXPECT_EQ(textsOf(sel), (std::vector<QString>{"127.0.1.1", "127.0.1.3"}));
    EXPECT_EQ(sel.entries[1].ip[3], 3);
    EXPECT_EQ(textsOf(selOld), (std::vector<QString>{"127.0.1.2"}));
    EXPECT_EQ(all.count, 3);
    EXPECT_EQ(srv_reconnect, -1);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_TRUE(readFile(path).contains("IP_SRV:        127.0.0.1\nPORT_SRV:      4000\n"));
}

TEST_F(SettingDlgTest, SameServerWithNothingCheckedQueuesAnEmptySelection) {
    openAndSet();
    checkRacks({});
    clickSet();
    const std::vector<QByteArray> queued = takeQueued();
    ASSERT_EQ(queued.size(), 1u);
    EXPECT_EQ(queued[0], QByteArray::fromHex("0002 0078 0000"));
    EXPECT_EQ(sel.count, 0);
    EXPECT_EQ(textsOf(selOld), (std::vector<QString>{"127.0.1.2"}));
}

TEST_F(SettingDlgTest, NewServerEmptiesTheTablesAndReconnects) {
    openAndSet();
    setText("IPsrv2", "300"); // low 8 bits: 44
    setText("IPsrv4", "7");
    clickSet();

    EXPECT_TRUE(takeQueued().empty());
    EXPECT_EQ(ip_srv, (std::array<std::uint8_t, 4>{127, 44, 0, 7}));
    EXPECT_EQ(ip_srv_text, "127.44.0.7");
    EXPECT_EQ(port_srv, 4000);
    EXPECT_EQ(srv_reconnect, 1);
    for (const RackAddressTable *table : {&all, &allOld, &sel, &selOld}) {
        EXPECT_EQ(table->count, 0);
        EXPECT_TRUE(table->entries[0].text.isEmpty());
        EXPECT_EQ(table->entries[0].ip[3], 0);
    }
    EXPECT_EQ(rackList()->count(), 0);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_TRUE(readFile(path).contains("IP_SRV:        127.44.0.7\n"));
}

TEST_F(SettingDlgTest, NewPortAloneReconnectsAsANewAddressDoes) {
    openAndSet();
    setText("PortSrvStr", "4001");
    clickSet();

    EXPECT_TRUE(takeQueued().empty());
    EXPECT_EQ(port_srv, 4001);
    EXPECT_EQ(port_srv_text, "4001");
    EXPECT_EQ(ip_srv_text, "127.0.0.1");
    EXPECT_EQ(srv_reconnect, 1);
    for (const RackAddressTable *table : {&all, &allOld, &sel, &selOld})
        EXPECT_EQ(table->count, 0);
    EXPECT_EQ(rackList()->count(), 0);
    EXPECT_TRUE(attentions.empty()) << "the selection was left as it was";
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_TRUE(readFile(path).contains("PORT_SRV:      4001\n"));

    // Back to the old port with the same server's list: a selection the operator changed is
    // sent once the link is back, never dropped without a word.
    srv_reconnect = -1;
    fillTable(all, {"127.0.1.1", "127.0.1.2", "127.0.1.3"});
    fillTable(sel, {"127.0.1.2"});
    openAndSet();
    checkRacks({0});
    setText("PortSrvStr", "4000");
    clickSet();
    EXPECT_EQ(srv_reconnect, 1);
    EXPECT_TRUE(takeQueued().empty());
    ASSERT_EQ(attentions.size(), 1u);
    EXPECT_TRUE(attentions[0].contains("NOT SENT")) << attentions[0].toStdString();

    srv_reconnect = -1;
    fillTable(all, {"127.0.1.1", "127.0.1.2", "127.0.1.3"});
    openAndSet();
    checkRacks({0});
    clickSet();
    EXPECT_EQ(srv_reconnect, -1);
    const std::vector<QByteArray> queued = takeQueued();
    ASSERT_EQ(queued.size(), 1u) << "the same server and port: the selection is sent";
    EXPECT_EQ(textsOf(sel), (std::vector<QString>{"127.0.1.1"}));
}

TEST_F(SettingDlgTest, FortyRacksFillOneSlot) {
    fillTable(all, racksFrom(1, 40));
    fillTable(sel, racksFrom(1, 40));
    openAndSet();
    clickSet();
    const std::vector<QByteArray> queued = takeQueued();
    ASSERT_EQ(queued.size(), 1u);
    EXPECT_EQ(queued[0].size(), 326);
    EXPECT_EQ(queued[0].first(6), QByteArray::fromHex("00a2 0078 0028"));
    EXPECT_EQ(queued[0].last(8), QByteArray::fromHex("007f 0000 0002 0028"));
    EXPECT_TRUE(attentions.empty());
}

TEST_F(SettingDlgTest, FortyOneRacksAreRefusedWithANotice) {
    fillTable(all, racksFrom(1, 41));
    fillTable(sel, racksFrom(1, 41));
    openAndSet();
    clickSet();

    EXPECT_TRUE(takeQueued().empty());
    ASSERT_EQ(attentions.size(), 1u);
    EXPECT_TRUE(attentions[0].contains("40"));
    EXPECT_EQ(sel.count, 41);
    EXPECT_EQ(textsOf(selOld), (std::vector<QString>{"127.0.1.3"}));
    EXPECT_TRUE(dlg->isVisible()); // left open to change the choice

    checkRacks({0});
    clickSet();
    ASSERT_EQ(takeQueued().size(), 1u);
    EXPECT_EQ(attentions.size(), 1u);
}

TEST_F(SettingDlgTest, SelectionThatFindsTheOutboundRingFullIsRefusedWithANotice) {
    const QByteArray pulse = QByteArray::fromHex("0001 0082");
    for (int i = 0; i < RING_ENTRIES; ++i)
        ASSERT_TRUE(queueToSrv(pulse.constData(), int(pulse.size())));
    openAndSet();
    checkRacks({0, 2});
    clickSet();

    ASSERT_EQ(attentions.size(), 1u);
    EXPECT_TRUE(attentions[0].contains("NOT SENT")) << attentions[0].toStdString();
    EXPECT_EQ(textsOf(sel), (std::vector<QString>{"127.0.1.2"})) << "nothing stored as sent";
    EXPECT_EQ(textsOf(selOld), (std::vector<QString>{"127.0.1.3"}));
    EXPECT_TRUE(dlg->isVisible()) << "left open to send it again";
    const std::vector<QByteArray> queued = takeQueued();
    EXPECT_EQ(queued.size(), std::size_t(RING_ENTRIES));
    EXPECT_EQ(queued.back(), pulse) << "no waiting message was overwritten";

    clickSet();
    ASSERT_EQ(takeQueued().size(), 1u);
    EXPECT_EQ(textsOf(sel), (std::vector<QString>{"127.0.1.1", "127.0.1.3"}));
    EXPECT_EQ(attentions.size(), 1u);
    EXPECT_FALSE(dlg->isVisible());
}

TEST_F(SettingDlgTest, AddressThatIsNoneIsKeptAsReadAndWrittenBackAsRead) {
    writeFile(path, "IP_SRV:        127.0.0.300\nPORT_SRV:      4200\n");
    dlg->ReadSettingFile();
    EXPECT_EQ(ip_srv_text, "127.0.0.300") << "the link gets a failed connect, not 127.0.0.44";
    EXPECT_EQ(ip_srv, (std::array<std::uint8_t, 4>{127, 0, 0, 44}));
    dlg->WriteSettingFile(); // as at exit
    EXPECT_TRUE(readFile(path).contains("IP_SRV:        127.0.0.300\n"));

    // The dialog shows the low 8 bits; applying them sets that address, file included.
    openAndSet();
    EXPECT_EQ(widget<QLineEdit>("IPsrv4")->text(), "44");
    clickSet();
    EXPECT_EQ(ip_srv_text, "127.0.0.44");
    EXPECT_EQ(srv_reconnect, 1);
    EXPECT_TRUE(readFile(path).contains("IP_SRV:        127.0.0.44\n"));
}

TEST_F(SettingDlgTest, CancelClosesWithoutApplying) {
    int finished = 0;
    QObject::connect(dlg.get(), &QDialog::finished, [&finished] { ++finished; });
    openAndSet();
    setText("IPsrv4", "9");
    widget<QPushButton>("CanselBtn")->click();
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(ip_srv_text, "127.0.0.1");
    EXPECT_TRUE(takeQueued().empty());
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(SettingDlgTest, OpenButtonTakesTheChosenPathAndACancelKeepsTheOldOne) {
    const QString chosen = dir.filePath("other.txt");
    fileAnswer = chosen;
    widget<QPushButton>("SetFileBtn")->click();
    EXPECT_EQ(widget<QLineEdit>("SetFileStr")->text(), chosen);

    fileAnswer.clear();
    widget<QPushButton>("SetFileBtn")->click();
    EXPECT_EQ(widget<QLineEdit>("SetFileStr")->text(), chosen);

    dlg->WriteSettingFile();
    EXPECT_EQ(settingFileName, chosen);
    EXPECT_TRUE(readFile(chosen).contains("SET_FILE:      " + chosen.toUtf8() + "\n"));
}

TEST_F(SettingDlgTest, WriteAtExitWithTheDialogNeverOpenedUsesTheSettingsPath) {
    dlg->WriteSettingFile();
    EXPECT_EQ(settingFileName, path);
    SettingsFile expected;
    expected.ip_srv = ip_srv;
    expected.port_srv_text = port_srv_text;
    expected.settingFileName = path;
    expected.lastTime = lastTime;
    expected.logFilterOnOff = logFilterOnOff;
    expected.logIPs = logIPs;
    EXPECT_EQ(readFile(path), formatSettingsFile(expected));
}

TEST_F(SettingDlgTest, WriteReplacesTheWholeFile) {
    writeFile(path, QByteArray(4000, 'x'));
    dlg->WriteSettingFile();
    const QByteArray bytes = readFile(path);
    EXPECT_TRUE(bytes.startsWith("[SETTINGS FILE]\n"));
    EXPECT_FALSE(bytes.contains("xxxx"));
}

TEST_F(SettingDlgTest, ReadSetsTheGlobalsAndAMissingFileKeepsThem) {
    writeFile(path, "[SETTINGS FILE]\r\n\r\nIP_SRV:        127.0.0.5\r\nPORT_SRV:      4200\r\n"
                    "LAST_TIME:     09/08/2026 07:06:05\r\nLOG_SLOTs: 101\r\n");
    dlg->ReadSettingFile();
    EXPECT_EQ(ip_srv, (std::array<std::uint8_t, 4>{127, 0, 0, 5}));
    EXPECT_EQ(ip_srv_text, "127.0.0.5");
    EXPECT_EQ(port_srv_text, "4200");
    EXPECT_EQ(port_srv, 4200);
    EXPECT_EQ(lastTime, QDateTime(QDate(2026, 8, 9), QTime(7, 6, 5)));
    EXPECT_EQ(logSlots, "101");
    EXPECT_EQ(logIPs, "127.0.1.1,1;");

    QFile::remove(path);
    dlg->ReadSettingFile();
    EXPECT_EQ(ip_srv_text, "127.0.0.5");
    EXPECT_EQ(port_srv, 4200);
    EXPECT_EQ(logSlots, "101");
    EXPECT_FALSE(lastTime.isValid());
}

TEST_F(SettingDlgTest, WrittenSettingsReadBack) {
    logDateTime = "01/12/2025 00:00:00;02/01/2026 03:04:05;";
    dlg->WriteSettingFile();
    ip_srv = {};
    ip_srv_text.clear();
    port_srv = 0;
    port_srv_text.clear();
    logDateTime.clear();
    lastTime = {};
    dlg->ReadSettingFile();
    EXPECT_EQ(ip_srv_text, "127.0.0.1");
    EXPECT_EQ(port_srv, 4000);
    EXPECT_EQ(logDateTime, "01/12/2025 00:00:00;02/01/2026 03:04:05;");
    EXPECT_EQ(lastTime, QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
