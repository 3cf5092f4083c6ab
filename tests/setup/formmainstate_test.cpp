#include "setup/formmainstate.h"

#include "platform/profilewriteerror.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QByteArray kSnmp = "SNMP_SETTINGS (in linux port<1024 using under root only!)";

class FormMainStateTest : public ::testing::Test {
protected:
    FormMainStateTest() {
        state.CoreDir = m_dir.path() + "/core/";
        QDir().mkpath(state.CoreDir);
        state.IniPath = m_dir.filePath("netsetup.ini");
        state.DatPath = m_dir.filePath("netsetup.dat");
        state.OnMessage = [this](const MessageNote &note) { notes.push_back(note); };
    }

    static void put(const QString &path, const QByteArray &bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    static QByteArray contents(const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir m_dir;
    FormMainState state;
    std::vector<MessageNote> notes;
};

const MessageNote kCoreSaved{"Info", MessageNote::Icon::Information, kTextCoreSaved};
const MessageNote kGuiSaved{"Info", MessageNote::Icon::Information, kTextGuiSaved};

TEST_F(FormMainStateTest, FreshCoreSaveWritesTheWholeLayout) {
    state.CoreGui = {"10.0.0.1", "192.168.0.1"};
    state.CoreGuiPort = 6000;
    state.CoreRackPort = -1;
    state.SnmpDest = {10, 1, 2, 3};
    state.SnmpDestPort = 99999;
    state.FCoreChanged = true;
    state.SaveCoreConfig();

    const QByteArray expected = "[NETWORK_SETTINGS]\r\n"
                                "resolved_gui_list= 10.0.0.1, 192.168.0.1\r\n"
                                "gui_port= 6000\r\n"
                                "resolved_rack_list= \r\n"
                                "rack_port= -1\r\n"
                                "[" +
                                kSnmp +
                                "]\r\n"
                                "trap_host= udp:127.0.0.1/1162\r\n"
                                "trap_dest= udp:10.1.2.3/99999\r\n"
                                "enterprise_oid= .1.3.6.1.4.1.48217.1.1\r\n"
                                "[TERMINAL_MESSAGES_SETTINGS]\r\n"
                                "rack_show_network_structure_messages= 0\r\n"
                                "rack_show_rack_structure_messages= 0\r\n"
                                "rack_show_block_structure_messages= 0\r\n"
                                "rack_show_block_state_messages= 0\r\n"
                                "rack_show_block_state_request_messages= 0\r\n"
                                "rack_show_send_gui_block_state_messages= 0\r\n"
                                "gui_show_request_messages= 1\r\n"
                                "gui_show_rack_structure_messages= 1\r\n"
                                "gui_show_block_structure_messages= 1\r\n"
                                "gui_show_block_state_messages= 1\r\n"
                                "gui_show_add_delete_rack_messages= 1\r\n"
                                "gui_show_alarm_messages= 1\r\n"
                                "gui_show_pulse_messages= 1\r\n"
                                "card_show_load_tables_messages= 0\r\n";
    const QByteArray written = contents(state.CoreConfigPath());
    EXPECT_EQ(written, expected);
    EXPECT_EQ(written.count("\r\n"), 24);
    EXPECT_FALSE(state.FCoreChanged);
    EXPECT_EQ(notes, std::vector<MessageNote>{kCoreSaved});
    EXPECT_FALSE(QFile::exists(state.GuiConfigPath()));
}

TEST_F(FormMainStateTest, CoreSaveKeepsAHandEditedFile) {
    put(state.CoreConfigPath(), "; core server settings\n"
                                "[network_settings]\n"
                                "  Resolved_Gui_List = 1.1.1.1\n"
                                "Extra_Key=Keep Me\n"
                                "gui_port=1\n"
                                "\n"
                                "[Other]\n"
                                "Gui_Port=7\n"
                                "[TERMINAL_MESSAGES_SETTINGS]\n"
                                "gui_show_alarm_messages = 0\n"
                                "; end\n");
    state.CoreGui = {"2.2.2.2"};
    state.CoreRack = {"3.3.3.3", "4.4.4.4"};
    state.SaveCoreConfig();

    const QByteArray expected = "; core server settings\n"
                                "[network_settings]\n"
                                "resolved_gui_list= 2.2.2.2\n"
                                "Extra_Key=Keep Me\n"
                                "gui_port= 5005\n"
                                "resolved_rack_list= 3.3.3.3, 4.4.4.4\n"
                                "rack_port= 5003\n"
                                "\n"
                                "[Other]\n"
                                "Gui_Port=7\n"
                                "[TERMINAL_MESSAGES_SETTINGS]\n"
                                "gui_show_alarm_messages= 1\n"
                                "; end\n"
                                "rack_show_network_structure_messages= 0\n"
                                "rack_show_rack_structure_messages= 0\n"
                                "rack_show_block_structure_messages= 0\n"
                                "rack_show_block_state_messages= 0\n"
                                "rack_show_block_state_request_messages= 0\n"
                                "rack_show_send_gui_block_state_messages= 0\n"
                                "gui_show_request_messages= 1\n"
                                "gui_show_rack_structure_messages= 1\n"
                                "gui_show_block_structure_messages= 1\n"
                                "gui_show_block_state_messages= 1\n"
                                "gui_show_add_delete_rack_messages= 1\n"
                                "gui_show_pulse_messages= 1\n"
                                "card_show_load_tables_messages= 0\n"
                                "[" +
                                kSnmp +
                                "]\n"
                                "trap_host= udp:127.0.0.1/1162\n"
                                "trap_dest= udp:127.0.0.1/1162\n"
                                "enterprise_oid= .1.3.6.1.4.1.48217.1.1\n";
    EXPECT_EQ(contents(state.CoreConfigPath()), expected);
}

TEST_F(FormMainStateTest, CoreSaveCopiesTheDefaultsFile) {
    put(state.DatPath, "[" + kSnmp +
                           "]\n"
                           "enterprise_oid=  .1.3.6.1.4.1.9.9  \n"
                           "[TERMINAL_MESSAGES_SETTINGS]\n"
                           "rack_show_network_structure_messages=$1\n"
                           "gui_show_request_messages=yes\n"
                           "card_show_load_tables_messages= 0x10\n");
    state.SaveCoreConfig();
    const QByteArray written = contents(state.CoreConfigPath());
    EXPECT_TRUE(written.contains("\r\nenterprise_oid= .1.3.6.1.4.1.9.9\r\n"));
    EXPECT_TRUE(written.contains("\r\nrack_show_network_structure_messages= 1\r\n"));
    EXPECT_TRUE(written.contains("\r\nrack_show_rack_structure_messages= 0\r\n"));
    EXPECT_TRUE(written.contains("\r\ngui_show_request_messages= 1\r\n"));
    EXPECT_TRUE(written.contains("\r\ncard_show_load_tables_messages= 16\r\n"));
}

TEST_F(FormMainStateTest, CoreLoadReadsCleanSortedListsAndEndpoints) {
    put(state.CoreConfigPath(),
        "[NETWORK_SETTINGS]\r\n"
        "resolved_gui_list= 192.168.0.1,10.0.0.1 , 10.0.0.1, bad, 300.1.1.1\r\n"
        "gui_port= 0x1393\r\n"
        "resolved_rack_list= \"010.0.0.9\" 200.1.1.1,,9.0.0.1 9.0.0.1\r\n"
        "rack_port= x\r\n"
        "[" +
            kSnmp +
            "]\r\n"
            "trap_host= udp:300.1.1.1/162\r\n"
            "trap_dest= UDP: 127.000.0.2 / 165\r\n");
    state.CoreGui = {"5.5.5.5"};
    state.SnmpHost = {1, 2, 3, 4};
    state.LoadCoreConfig();
    EXPECT_EQ(state.CoreGui, (QStringList{"10.0.0.1", "192.168.0.1"}));
    EXPECT_EQ(state.CoreGuiPort, 5011);
    EXPECT_EQ(state.CoreRack, (QStringList{"9.0.0.1", "10.0.0.9", "200.1.1.1"}));
    EXPECT_EQ(state.CoreRackPort, 5003);
    EXPECT_EQ(state.SnmpHost, (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(state.SnmpHostPort, 1162);
    EXPECT_EQ(state.SnmpDest, (std::array<int, 4>{127, 0, 0, 2}));
    EXPECT_EQ(state.SnmpDestPort, 165);
}

TEST_F(FormMainStateTest, CoreLoadOfAMissingFileGivesDefaults) {
    state.CoreGui = {"5.5.5.5"};
    state.CoreRack = {"6.6.6.6"};
    state.CoreGuiPort = 1;
    state.LoadCoreConfig();
    EXPECT_TRUE(state.CoreGui.isEmpty());
    EXPECT_TRUE(state.CoreRack.isEmpty());
    EXPECT_EQ(state.CoreGuiPort, 5005);
    EXPECT_EQ(state.CoreRackPort, 5003);
    EXPECT_EQ(state.SnmpHost, (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(state.SnmpDestPort, 1162);
}

TEST_F(FormMainStateTest, SavedEmptyListsReadBackEmpty) {
    state.SaveCoreConfig();
    state.CoreGui = {"1.1.1.1"};
    state.LoadCoreConfig();
    EXPECT_TRUE(state.CoreGui.isEmpty());
    EXPECT_EQ(state.SnmpHost, (std::array<int, 4>{127, 0, 0, 1}));
}

TEST_F(FormMainStateTest, CoreSavePrunesTheGuiFile) {
    put(state.GuiConfigPath(), "; access\n"
                               "[010.0.0.1]\n"
                               "resolved_rack_list= 1.1.1.1\n"
                               "[10.0.0.2]\n"
                               "resolved_rack_list= 2.2.2.2\n"
                               "[console]\n"
                               "[10.0.0.2]\n"
                               "[192.168.0.1]\n"
                               "gui_port= 1\n");
    state.CoreGui = {"10.0.0.1", "192.168.0.1"};
    state.SaveCoreConfig();
    EXPECT_EQ(contents(state.GuiConfigPath()), "; access\n"
                                               "[010.0.0.1]\n"
                                               "resolved_rack_list= 1.1.1.1\n"
                                               "[192.168.0.1]\n"
                                               "gui_port= 1\n");

    state.CoreGui = {"10.0.0.3"};
    state.SaveCoreConfig();
    EXPECT_FALSE(QFile::exists(state.GuiConfigPath()));
}

TEST_F(FormMainStateTest, FailedCoreSaveKeepsTheChangeFlag) {
    state.LoadCoreConfig();
    state.FCoreChanged = true;
    ASSERT_TRUE(QDir(state.CoreDir).removeRecursively());
    try {
        state.SaveCoreConfig();
        FAIL() << "no error raised";
    } catch (const ProfileWriteError &error) {
        EXPECT_EQ(error.message(), "Unable to write to " + state.CoreConfigPath());
    }
    EXPECT_TRUE(state.FCoreChanged);
    EXPECT_TRUE(notes.empty());
    EXPECT_FALSE(QDir(state.CoreDir).exists());
}

TEST_F(FormMainStateTest, GuiSectionLoadsTheUsersRacks) {
    put(state.GuiConfigPath(), "[10.0.0.1]\n"
                               "resolved_rack_list= 3.3.3.3, 1.1.1.1 bad 1.1.1.1\n"
                               "gui_port= 6001\n"
                               "[10.0.0.2]\n"
                               "resolved_rack_list= 2.2.2.2\n");
    state.CoreGuiPort = 5999;
    state.FGuiChanged = true;
    state.LoadGuiSection("10.0.0.1");
    EXPECT_EQ(state.GuiRack, (QStringList{"1.1.1.1", "3.3.3.3"}));
    EXPECT_EQ(state.GuiRackPort, 6001);
    EXPECT_EQ(state.ShownUser, "10.0.0.1");
    EXPECT_FALSE(state.FGuiChanged);

    state.LoadGuiSection("10.0.0.2");
    EXPECT_EQ(state.GuiRack, QStringList{"2.2.2.2"});
    EXPECT_EQ(state.GuiRackPort, 5999);

    state.LoadGuiSection("10.0.0.9");
    EXPECT_TRUE(state.GuiRack.isEmpty());
}

TEST_F(FormMainStateTest, GuiSaveWritesTheCorePortIntoTheUsersSection) {
    put(state.GuiConfigPath(), "[10.0.0.1]\r\ngui_port=6001\r\n[10.0.0.2]\r\ngui_port= 1\r\n");
    state.CoreGui = {"10.0.0.1", "10.0.0.2"};
    state.CoreGuiIndex = 0;
    state.CoreGuiPort = 5005;
    state.GuiRackPort = 6001;
    state.GuiRack = {"1.1.1.1", "2.2.2.2"};
    state.FGuiChanged = true;
    state.SaveGuiSection("10.0.0.1");
    EXPECT_EQ(contents(state.GuiConfigPath()), "[10.0.0.1]\r\n"
                                               "gui_port= 5005\r\n"
                                               "resolved_rack_list= 1.1.1.1, 2.2.2.2\r\n"
                                               "[10.0.0.2]\r\ngui_port= 1\r\n");
    EXPECT_FALSE(state.FGuiChanged);
    EXPECT_EQ(notes, std::vector<MessageNote>{kGuiSaved});
}

TEST_F(FormMainStateTest, GuiSaveWithoutASelectedUserOnlyWarns) {
    state.CoreGui = {"10.0.0.1"};
    state.GuiRack = {"1.1.1.1"};
    state.FGuiChanged = true;
    state.SaveGuiSection("10.0.0.1");
    EXPECT_FALSE(state.FGuiChanged);
    EXPECT_FALSE(QFile::exists(state.GuiConfigPath()));
    const MessageNote warning{"Error", MessageNote::Icon::Warning, kTextUserNotSelected};
    EXPECT_EQ(notes, std::vector<MessageNote>{warning});
}

TEST_F(FormMainStateTest, FailedGuiSaveKeepsTheChangeFlag) {
    state.CoreGui = {"10.0.0.1"};
    state.CoreGuiIndex = 0;
    state.FGuiChanged = true;
    ASSERT_TRUE(QDir(state.CoreDir).removeRecursively());
    EXPECT_THROW(state.SaveGuiSection("10.0.0.1"), ProfileWriteError);
    EXPECT_TRUE(state.FGuiChanged);
    EXPECT_TRUE(notes.empty());
}

TEST_F(FormMainStateTest, WindowSettingsRoundTrip) {
    state.LoadWindowSettings();
    EXPECT_EQ(state.Left, 100);
    EXPECT_EQ(state.Top, 100);
    EXPECT_TRUE(state.CoreDir.isEmpty());

    state.Left = -20;
    state.Top = 340;
    state.CoreDir = QString::fromUtf8("/srv/Core Ядро/");
    state.SaveWindowSettings();
    EXPECT_EQ(contents(state.IniPath), "[WINDOW]\r\nLEFT=-20\r\nTOP=340\r\nPATH=" +
                                           QFile::encodeName(state.CoreDir) + "\r\n");

    FormMainState loaded;
    loaded.IniPath = state.IniPath;
    loaded.LoadWindowSettings();
    EXPECT_EQ(loaded.Left, -20);
    EXPECT_EQ(loaded.Top, 340);
    EXPECT_EQ(loaded.CoreDir, state.CoreDir);
}

TEST_F(FormMainStateTest, WindowPathGetsItsTrailingDelimiter) {
    put(state.IniPath, "[window]\nleft=$10\ntop=oops\npath=  /srv/core  \n");
    state.LoadWindowSettings();
    EXPECT_EQ(state.Left, 16);
    EXPECT_EQ(state.Top, 100);
    EXPECT_EQ(state.CoreDir, "/srv/core/");
}

TEST_F(FormMainStateTest, CoreDirChangesOnlyForAnotherFolder) {
    state.CoreDir.clear();
    EXPECT_TRUE(state.SetCoreDir("/srv/core"));
    EXPECT_EQ(state.CoreDir, "/srv/core/");
    EXPECT_EQ(state.CoreConfigPath(), "/srv/core/core_config.conf");
    EXPECT_EQ(state.GuiConfigPath(), "/srv/core/gui_config.conf");
    EXPECT_FALSE(state.SetCoreDir("/srv/core/"));
    EXPECT_TRUE(state.SetCoreDir("/srv/Core"));
    EXPECT_EQ(state.CoreDir, "/srv/Core/");
}

} // namespace
