#include "setup/formmainstate.h"

#include "platform/profile.h"
#include "setup/addresslist.h"
#include "setup/textrules.h"

#include <QFile>
#include <QSet>

#include <iterator>
#include <optional>

namespace {

constexpr auto kCoreConfigName = "core_config.conf";
constexpr auto kGuiConfigName = "gui_config.conf";

constexpr auto kNetworkSection = "NETWORK_SETTINGS";
constexpr auto kSnmpSection = "SNMP_SETTINGS (in linux port<1024 using under root only!)";
constexpr auto kTerminalSection = "TERMINAL_MESSAGES_SETTINGS";
constexpr auto kWindowSection = "WINDOW";

constexpr auto kGuiListKey = "resolved_gui_list";
constexpr auto kGuiPortKey = "gui_port";
constexpr auto kRackListKey = "resolved_rack_list";
constexpr auto kRackPortKey = "rack_port";
constexpr auto kTrapHostKey = "trap_host";
constexpr auto kTrapDestKey = "trap_dest";
constexpr auto kEnterpriseOidKey = "enterprise_oid";
constexpr auto kDefaultEnterpriseOid = ".1.3.6.1.4.1.48217.1.1";

struct Switch {
    const char *key;
    int defaultValue;
};

constexpr Switch kSwitches[] = {
    {"rack_show_network_structure_messages", 0},
    {"rack_show_rack_structure_messages", 0},
    {"rack_show_block_structure_messages", 0},
    {"rack_show_block_state_messages", 0},
    {"rack_show_block_state_request_messages", 0},
    {"rack_show_send_gui_block_state_messages", 0},
    {"gui_show_request_messages", 1},
    {"gui_show_rack_structure_messages", 1},
    {"gui_show_block_structure_messages", 1},
    {"gui_show_block_state_messages", 1},
    {"gui_show_add_delete_rack_messages", 1},
    {"gui_show_alarm_messages", 1},
    {"gui_show_pulse_messages", 1},
    {"card_show_load_tables_messages", 0},
};
static_assert(std::size(kSwitches) == 14);

QString readText(const Profile &file, const QByteArray &section, const char *key) {
    return QString::fromLatin1(file.readString(section, key, QByteArray()));
}

int readInteger(const Profile &file, const QByteArray &section, const char *key, int defaultValue) {
    return file.readInteger(section, key, defaultValue, IntegerTextValue);
}

// Values of the server's files are written as one blank followed by the text.
Profile::Entry serverValue(const QByteArray &section, const char *key, const QString &text) {
    return {section, key, ' ' + text.toLatin1()};
}

QString endpointText(const std::array<int, 4> &octets, int port) {
    return QStringLiteral("udp:%1.%2.%3.%4/%5")
        .arg(octets[0])
        .arg(octets[1])
        .arg(octets[2])
        .arg(octets[3])
        .arg(port);
}

void readEndpoint(const Profile &file, const char *key, std::array<int, 4> &octets, int &port) {
    QString address;
    ParseUdpEndpoint(TrimText(readText(file, kSnmpSection, key)), address, port);
    IpTextToOctets(address, octets);
}

// Removes every section of the gui file that names no listed user by address value (so a section
// that is no address always goes); deletes the file when no section is left.
void pruneGuiConfig(const QString &path, const QStringList &users) {
    if (!QFile::exists(path))
        return;
    QSet<quint32> listed;
    for (const QString &user : users) {
        if (const std::optional<quint32> value = IpTextValue(user))
            listed.insert(*value);
    }
    Profile file(path);
    for (const QByteArray &section : file.readSectionNames()) {
        const std::optional<quint32> value = IpTextValue(QString::fromLatin1(section));
        if (!value || !listed.contains(*value))
            file.eraseSection(section);
    }
    file.flush();
    if (file.readSectionNames().isEmpty())
        QFile::remove(path);
}

} // namespace

bool FormMainState::SetCoreDir(const QString &folder) {
    QString candidate = folder;
    if (!candidate.endsWith(u'/'))
        candidate += u'/';
    const bool changed = candidate != CoreDir;
    CoreDir = candidate;
    return changed;
}

QString FormMainState::CoreConfigPath() const {
    return CoreDir + QLatin1String(kCoreConfigName);
}

QString FormMainState::GuiConfigPath() const {
    return CoreDir + QLatin1String(kGuiConfigName);
}

void FormMainState::LoadWindowSettings() {
    const Profile file(IniPath);
    Left = readInteger(file, kWindowSection, "LEFT", kDefaultWindowPosition);
    Top = readInteger(file, kWindowSection, "TOP", kDefaultWindowPosition);
    const QString path =
        TrimText(QFile::decodeName(file.readString(kWindowSection, "PATH", QByteArray())));
    if (path.isEmpty())
        CoreDir.clear();
    else
        SetCoreDir(path);
}

void FormMainState::SaveWindowSettings() {
    Profile file(IniPath);
    file.writeStrings({{kWindowSection, "LEFT", QByteArray::number(Left)},
                       {kWindowSection, "TOP", QByteArray::number(Top)},
                       {kWindowSection, "PATH", QFile::encodeName(CoreDir)}});
    file.flush();
}

void FormMainState::LoadCoreConfig() {
    const Profile file(CoreConfigPath());
    CoreGui.clear();
    CoreRack.clear();
    CoreGuiPort = readInteger(file, kNetworkSection, kGuiPortKey, kDefaultGuiPort);
    FillIpList(CoreGui, readText(file, kNetworkSection, kGuiListKey));
    CoreRackPort = readInteger(file, kNetworkSection, kRackPortKey, kDefaultRackPort);
    FillIpList(CoreRack, readText(file, kNetworkSection, kRackListKey));
    readEndpoint(file, kTrapHostKey, SnmpHost, SnmpHostPort);
    readEndpoint(file, kTrapDestKey, SnmpDest, SnmpDestPort);
}

void FormMainState::SaveCoreConfig() {
    QList<Profile::Entry> entries = {
        serverValue(kNetworkSection, kGuiListKey, JoinListItems(CoreGui)),
        serverValue(kNetworkSection, kGuiPortKey, QString::number(CoreGuiPort)),
        serverValue(kNetworkSection, kRackListKey, JoinListItems(CoreRack)),
        serverValue(kNetworkSection, kRackPortKey, QString::number(CoreRackPort)),
        serverValue(kSnmpSection, kTrapHostKey, endpointText(SnmpHost, SnmpHostPort)),
        serverValue(kSnmpSection, kTrapDestKey, endpointText(SnmpDest, SnmpDestPort)),
    };
    const Profile defaults(DatPath);
    entries.append(serverValue(kSnmpSection, kEnterpriseOidKey,
                               TrimText(QString::fromLatin1(defaults.readString(
                                   kSnmpSection, kEnterpriseOidKey, kDefaultEnterpriseOid)))));
    for (const Switch &s : kSwitches) {
        entries.append(serverValue(
            kTerminalSection, s.key,
            QString::number(readInteger(defaults, kTerminalSection, s.key, s.defaultValue))));
    }
    Profile(CoreConfigPath()).writeStrings(entries);

    pruneGuiConfig(GuiConfigPath(), CoreGui);
    FCoreChanged = false;
    show(kCaptionInfo, MessageNote::Icon::Information, kTextCoreSaved);
}

void FormMainState::LoadGuiSection(const QString &user) {
    const Profile file(GuiConfigPath());
    const QByteArray section = user.toLatin1();
    GuiRack.clear();
    GuiRackPort = readInteger(file, section, kGuiPortKey, CoreGuiPort);
    FillIpList(GuiRack, readText(file, section, kRackListKey));
    ShownUser = user;
    FGuiChanged = false;
}

void FormMainState::SaveGuiSection(const QString &user) {
    if (!CheckUserIpSelected() || user.isEmpty()) {
        FGuiChanged = false;
        return;
    }
    Profile file(GuiConfigPath());
    const QByteArray section = user.toLatin1();
    file.writeStrings({serverValue(section, kRackListKey, JoinListItems(GuiRack)),
                       serverValue(section, kGuiPortKey, QString::number(CoreGuiPort))});
    FGuiChanged = false;
    show(kCaptionInfo, MessageNote::Icon::Information, kTextGuiSaved);
}

bool FormMainState::CheckUserIpSelected() {
    if (CoreGuiIndex >= 0 && !CoreGui.isEmpty())
        return true;
    show(kCaptionError, MessageNote::Icon::Warning, kTextUserNotSelected);
    return false;
}

void FormMainState::show(const char *caption, MessageNote::Icon icon, const char *text) const {
    if (OnMessage)
        OnMessage({QString::fromLatin1(caption), icon, QString::fromLatin1(text)});
}
