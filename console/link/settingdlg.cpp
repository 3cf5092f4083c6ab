#include "console/link/settingdlg.h"

#include "console/link/consoletables.h"
#include "console/link/globals.h"
#include "console/link/rings.h"
#include "console/link/settingsfile.h"
#include "console/link/srvmessage.h"

#include <QDebug>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMutexLocker>
#include <QSaveFile>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace {

static_assert(MAX_SELECTED_RACKS <= MAX_RACK_ADDRESSES, "a sent selection fits ip_sel");

SettingsFile settingsFromGlobals() {
    SettingsFile values;
    values.ip_srv = ip_srv;
    values.ip_srv_text = ip_srv_text;
    values.port_srv_text = port_srv_text;
    values.port_srv = port_srv;
    values.settingFileName = settingFileName;
    values.lastTime = lastTime;
    values.logFilterOnOff = logFilterOnOff;
    values.logSelectFilter = logSelectFilter;
    values.logDateTime = logDateTime;
    values.logEventType = logEventType;
    values.logIPs = logIPs;
    values.logSlots = logSlots;
    return values;
}

void setServerAddress(const QString &text, int port) {
    const QMutexLocker lock(&srvAddressLock);
    ip_srv_text = text;
    port_srv = port;
}

void settingsToGlobals(const SettingsFile &values) {
    ip_srv = values.ip_srv;
    port_srv_text = values.port_srv_text;
    setServerAddress(values.ip_srv_text, values.port_srv);
    lastTime = values.lastTime;
    logFilterOnOff = values.logFilterOnOff;
    logSelectFilter = values.logSelectFilter;
    logDateTime = values.logDateTime;
    logEventType = values.logEventType;
    logIPs = values.logIPs;
    logSlots = values.logSlots;
}

// A rack list text "a.b.c.d" as address words; missing or non-numeric parts give 0.
WireAddress wireAddressOf(const QString &text) {
    const QStringList parts = text.split('.');
    WireAddress address{};
    for (int i = 0; i < 4 && i < parts.size(); ++i)
        address[i] = static_cast<int16_t>(parts[i].toInt());
    return address;
}

} // namespace

SettingDlg::SettingDlg(RackAddressTable &all, RackAddressTable &allOld, RackAddressTable &sel,
                       RackAddressTable &selOld, QWidget *parent)
    : QDialog(parent)
    , ip_all(all)
    , ip_all_old(allOld)
    , ip_sel(sel)
    , ip_sel_old(selOld) {
    ui.setupUi(this);
    // The path field starts as the settings path, so the write at exit has a file even when
    // the dialog was never opened.
    ui.SetFileStr->setText(settingFileName);
    chooseSettingFile = [this] {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Select Setting File"));
    };
    showAttention = [this](const QString &text) {
        QMessageBox::warning(this, QStringLiteral("Attention!"), text);
    };
}

SettingDlg::~SettingDlg() = default;

void SettingDlg::ReadSettingFile() {
    QByteArray bytes;
    QFile file(settingFileName);
    if (file.open(QIODevice::ReadOnly)) {
        for (int line = 0; line < SETTINGS_FILE_LINES && !file.atEnd(); ++line)
            bytes += file.readLine();
    }
    SettingsFile values = settingsFromGlobals();
    parseSettingsFile(bytes, values);
    settingsToGlobals(values);
}

void SettingDlg::WriteSettingFile() {
    settingFileName = ui.SetFileStr->text();
    if (settingFileName.isEmpty())
        return;
    QSaveFile file(settingFileName);
    if (!file.open(QIODevice::WriteOnly)) {
        qDebug() << "SettingDlg::WriteSettingFile(): cannot open" << settingFileName;
        return;
    }
    file.write(formatSettingsFile(settingsFromGlobals()));
    if (!file.commit())
        qDebug() << "SettingDlg::WriteSettingFile(): cannot write" << settingFileName;
}

void SettingDlg::SettingDlgInit() {
    const Qt::WindowFlags flags = Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowTitleHint;
    // Setting equal flags again would hide a dialog that is open.
    if (windowFlags() != flags)
        setWindowFlags(flags);

    QLineEdit *const octetFields[] = {ui.IPsrv1, ui.IPsrv2, ui.IPsrv3, ui.IPsrv4};
    for (int i = 0; i < 4; ++i)
        octetFields[i]->setText(QString::number(ip_srv[i]));
    ui.PortSrvStr->setText(port_srv_text);
    ui.SetFileStr->setText(settingFileName);

    ui.DeviceIPlist->clear();
    for (int i = 0; i < ip_all.count; ++i) {
        const QString &text = ip_all.entries[i].text;
        auto *item = new QListWidgetItem(text, ui.DeviceIPlist);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        bool selected = false;
        for (int j = 0; j < ip_sel.count && !selected; ++j)
            selected = ip_sel.entries[j].text == text;
        item->setCheckState(selected ? Qt::Checked : Qt::Unchecked);
    }
}

void SettingDlg::on_SetBtn_clicked() {
    const QLineEdit *const octetFields[] = {ui.IPsrv1, ui.IPsrv2, ui.IPsrv3, ui.IPsrv4};
    for (int i = 0; i < 4; ++i)
        ip_srv[i] = static_cast<std::uint8_t>(octetFields[i]->text().toInt() & 0xFF);
    port_srv_text = ui.PortSrvStr->text();
    const QString oldText = ip_srv_text;
    const int oldPort = port_srv;
    const QString newText = octetsText(ip_srv);
    const int newPort = port_srv_text.toInt();
    // Before the write: the file holds the address set here, not the one read before.
    setServerAddress(newText, newPort);
    WriteSettingFile();

    if (newText != oldText || newPort != oldPort) {
        // A new server, or one on another port: its racks are not known yet; the link connects
        // to it anew. A rack selection changed with it is not sent, and the operator is told.
        if (selectionChanged())
            showAttention(QStringLiteral("ATTENTION:   THE RACK SELECTION WAS NOT SENT: THE "
                                         "SERVER ADDRESS OR PORT CHANGED!"));
        ip_sel.clear();
        ip_sel_old.clear();
        ip_all_old.clear();
        ip_all.clear();
        ui.DeviceIPlist->clear();
        srv_reconnect = 1;
    } else if (!sendRackSelection()) {
        return;
    }
    close();
}

bool SettingDlg::selectionChanged() const {
    QSet<QString> checked;
    for (int i = 0; i < ui.DeviceIPlist->count(); ++i) {
        const QListWidgetItem *item = ui.DeviceIPlist->item(i);
        if (item->checkState() == Qt::Checked)
            checked.insert(item->text());
    }
    QSet<QString> selected;
    for (int i = 0; i < ip_sel.count; ++i)
        selected.insert(ip_sel.entries[i].text);
    return checked != selected;
}

bool SettingDlg::sendRackSelection() {
    std::vector<QString> texts;
    std::vector<WireAddress> racks;
    for (int i = 0; i < ui.DeviceIPlist->count(); ++i) {
        const QListWidgetItem *item = ui.DeviceIPlist->item(i);
        if (item->checkState() == Qt::Checked) {
            texts.push_back(item->text());
            racks.push_back(wireAddressOf(item->text()));
        }
    }
    const std::optional<QByteArray> message = buildRackSelection(racks);
    if (!message) {
        // One slot holds MAX_SELECTED_RACKS addresses; the selection stays as it was.
        qDebug() << "In SettingDlg::on_SetBtn_clicked(): q>NUM_MSG_TO_SRV_BYTES-1";
        qDebug() << "q = " << 6 + 8 * static_cast<int>(racks.size());
        showAttention(
            QStringLiteral("ATTENTION:   MORE THAN %1 RACKS SELECTED!").arg(MAX_SELECTED_RACKS));
        return false;
    }

    if (!queueToSrv(message->constData(), static_cast<int>(message->size()))) {
        // Every outbound slot still waits for the link: the selection was not sent, so it is
        // not stored either and the operator can set it again.
        showAttention(QStringLiteral("ATTENTION:   THE RACK SELECTION WAS NOT SENT: TOO MANY "
                                     "MESSAGES WAIT FOR THE SERVER!"));
        return false;
    }
    qDebug() << "lenmsgtosrv[nwrite] = " << message->size();

    ip_sel_old = ip_sel;
    ip_sel.clear();
    for (std::size_t i = 0; i < racks.size(); ++i) {
        RackAddress &entry = ip_sel.entries[ip_sel.count++];
        std::copy(racks[i].begin(), racks[i].end(), entry.ip);
        entry.text = texts[i];
    }
    qDebug() << "num_ip = " << ip_sel.count;
    return true;
}

void SettingDlg::on_SetFileBtn_clicked() {
    const QString path = chooseSettingFile();
    // A cancelled choice keeps the path in force.
    if (!path.isEmpty())
        ui.SetFileStr->setText(path);
}

void SettingDlg::on_CanselBtn_clicked() {
    close();
}
