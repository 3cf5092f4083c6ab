#include "controls/folderdialog/tkxshelldialog.h"

#include <QScopedValueRollback>
#include <QtEndian>

#include <stdexcept>

TKxShellDialog::TKxShellDialog(QObject *owner)
    : QObject(owner) {}

bool TKxShellDialog::Execute() {
    if (m_executing) {
        throw std::runtime_error(QStringLiteral("%1 already executing")
                                     .arg(QString::fromLatin1(metaObject()->className()))
                                     .toStdString());
    }
    const QScopedValueRollback executing(m_executing, true);
    return DoExecute();
}

void TKxShellDialog::DoInitialized() {
    if (OnInitialized)
        OnInitialized(this);
}

QByteArray TKxShellDialog::WritePlacement() const {
    QByteArray record(kPlacementSize, '\0');
    char *out = record.data();
    for (const std::int32_t value : {FormLeft, FormTop, FormWidth, FormHeight}) {
        qToLittleEndian(value, out);
        out += sizeof(value);
    }
    record[16] = char(FormWindowState);
    record[17] = char(FormPosition);
    return record;
}

bool TKxShellDialog::ReadPlacement(const QByteArray &record) {
    if (record.size() != kPlacementSize || std::uint8_t(record[16]) > wsMaximized ||
        std::uint8_t(record[17]) > poOwnerFormCenter)
        return false;
    const char *in = record.constData();
    FormLeft = qFromLittleEndian<std::int32_t>(in);
    FormTop = qFromLittleEndian<std::int32_t>(in + 4);
    FormWidth = qFromLittleEndian<std::int32_t>(in + 8);
    FormHeight = qFromLittleEndian<std::int32_t>(in + 12);
    FormWindowState = TWindowState(std::uint8_t(record[16]));
    FormPosition = TPosition(std::uint8_t(record[17]));
    return true;
}
