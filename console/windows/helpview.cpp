#include "console/windows/helpview.h"

#include "platform/codec1251.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>

namespace {

// Only the page's head may declare its charset; a body that mentions the word declares nothing.
constexpr qsizetype CHARSET_SEARCH_BYTES = 1024;

bool declaresCharset(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") ||
        bytes.startsWith("\xFE\xFF"))
        return true;
    QByteArray head = bytes.first(std::min(bytes.size(), CHARSET_SEARCH_BYTES)).toByteArray();
    head = head.toLower();
    const qsizetype body = head.indexOf("<body");
    if (body >= 0)
        head.truncate(body);
    return head.contains("charset");
}

} // namespace

HelpView::HelpView(QWidget *parent)
    : QTextBrowser(parent) {}

void HelpView::showModule(const QString &root, const QString &name) {
    const QString file = helpPageFile(root, name);
    if (file.isEmpty()) {
        clear();
        return;
    }
    const QUrl url = QUrl::fromLocalFile(file);
    if (source() == url)
        reload();
    else
        setSource(url, QTextDocument::HtmlResource);
}

QString HelpView::helpPageFile(const QString &root, const QString &name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
        name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name.contains(QChar(0)))
        return QString();
    const QString folder = root + QStringLiteral("/HELP");
    const QString fileName = name + QStringLiteral("_H.htm");
    if (QFileInfo(folder + QLatin1Char('/') + fileName).isFile())
        return folder + QLatin1Char('/') + fileName;
    const QStringList files = QDir(folder).entryList(QDir::Files);
    const auto match = std::find_if(files.begin(), files.end(), [&](const QString &entry) {
        return entry.compare(fileName, Qt::CaseInsensitive) == 0;
    });
    return match == files.end() ? QString() : folder + QLatin1Char('/') + *match;
}

QString HelpView::decodePage(QByteArrayView bytes) {
    if (declaresCharset(bytes)) {
        QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
        if (decoder.isValid())
            return decoder.decode(bytes);
    }
    return fromWin1251(bytes);
}

QVariant HelpView::loadResource(int type, const QUrl &name) {
    if (type != QTextDocument::HtmlResource || !name.isLocalFile())
        return QTextBrowser::loadResource(type, name);
    QFile file(name.toLocalFile());
    if (!file.open(QIODevice::ReadOnly))
        return QVariant();
    return decodePage(file.readAll());
}
