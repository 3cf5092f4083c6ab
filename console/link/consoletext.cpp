#include "console/link/consoletext.h"

#include "console/link/srvmessage.h"
#include "platform/codec1251.h"

#include <QDir>
#include <QFileInfo>

QString controlLineCaption(const QString &line) {
    QStringView caption(line);
    caption = caption.left(caption.indexOf(u','));
    caption = caption.left(caption.indexOf(u'['));
    QString kept;
    kept.reserve(caption.size());
    for (const QChar c : caption) {
        if (!QStringView(u"#|$~%").contains(c))
            kept.append(c);
    }
    return kept;
}

static_assert(RACK_NAME_CHARS == MAX_RACK_NAME_LENGTH, "a kept name is sent whole");

QString cutRackName(const QString &text) {
    if (text.size() <= RACK_NAME_CHARS)
        return text;
    const bool splitsPair = text[RACK_NAME_CHARS - 1].isHighSurrogate();
    return text.left(RACK_NAME_CHARS - (splitsPair ? 1 : 0));
}

QString cutRecordText(const QString &text) {
    if (text.size() <= MAX_RECORD_TEXT_CHARS)
        return text;
    QString cut;
    cut.reserve(MAX_RECORD_TEXT_CHARS);
    cut.append(QStringView(text).left(MAX_RECORD_TEXT_CHARS - 1));
    cut.append(QChar(RECORD_TEXT_CUT_MARK));
    return cut;
}

namespace {

bool staysInFolder(const QString &name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           !name.contains(QChar(0));
}

// The entry of the folder named `name`, matched exactly first, then case-insensitively.
QString findEntry(const QString &folder, const QString &name, QDir::Filters kind) {
    const QString exact = folder + QLatin1Char('/') + name;
    const QFileInfo info(exact);
    if (info.exists() && (kind == QDir::Dirs ? info.isDir() : info.isFile()))
        return exact;
    const QStringList entries = QDir(folder).entryList(kind | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return folder + QLatin1Char('/') + entry;
    }
    return QString();
}

} // namespace

QString moduleIconFile(const QString &root, const QString &name) {
    if (!staysInFolder(name))
        return QString();
    const QString folder =
        findEntry(root + QStringLiteral("/ICONS_NEW/ICON_TORV"), name, QDir::Dirs);
    if (folder.isEmpty())
        return QString();
    return findEntry(folder, name + QStringLiteral(".png"), QDir::Files);
}

QString folderFile(const QString &folder, const QString &name) {
    return findEntry(folder, name, QDir::Files);
}

bool isStatusAlarmName(const QString &name) {
    return name == QLatin1String("INPUT") || name == QLatin1String("REF") ||
           name == QLatin1String("FREEZE") || name == QLatin1String("BARS");
}

QString alarmInitFileName(const QString &fileName) {
    qsizetype zeros = 0;
    while (zeros < fileName.size() && fileName[zeros] == QLatin1Char('0'))
        ++zeros;
    return fileName.mid(zeros).remove(QStringLiteral("_A.txt"));
}

void parseAlarmInitContent(QByteArrayView content, const QString &fname, AlarmInitRow &row) {
    for (AlarmInitRecord &record : row) {
        record = AlarmInitRecord{};
        record.fname = fname;
    }
    int recordIndex = 0;
    int field = 0;
    QByteArray text;
    for (qsizetype i = 0; i < content.size() && content[i] != '\0'; ++i) {
        const char c = content[i];
        if (c != ';') {
            text.append(c);
            continue;
        }
        if (i > 0 && content[i - 1] == ';') {
            ++row[0].recordCount;
            if (++recordIndex >= ALARMS_PER_SLOT)
                break;
            field = 0;
            continue;
        }
        AlarmInitRecord &record = row[recordIndex];
        const bool limits = record.kind == QLatin1String("L");
        switch (field) {
        case 0:
            record.name = fromWin1251(text);
            break;
        case 1:
            record.reg = text.trimmed().toInt();
            break;
        case 2:
            record.kind = fromWin1251(text);
            break;
        case 3:
            if (limits)
                record.lower = text.trimmed().toDouble();
            else
                record.value = text.trimmed().toInt();
            break;
        case 4:
            if (limits)
                record.upper = text.trimmed().toDouble();
            break;
        default:
            break;
        }
        ++field;
        text.clear();
    }
}

int16_t signExtend14(int16_t raw) {
    const int low = raw & 0x3FFF;
    return int16_t(low & 0x2000 ? low - 0x4000 : low);
}
