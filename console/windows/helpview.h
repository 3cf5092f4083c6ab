#pragma once

#include <QByteArrayView>
#include <QString>
#include <QTextBrowser>

class QUrl;

// The help page of a module type: root + "/HELP/" + NAME + "_H.htm". The file is read afresh
// at every showing, so an edited page shows its new text; a missing page leaves the view empty.
class HelpView : public QTextBrowser {
public:
    explicit HelpView(QWidget *parent = nullptr);

    // Shows the module's help page, or an empty view when there is none.
    void showModule(const QString &root, const QString &name);

    // The module's help file, matched exactly first, then case-insensitively in root + "/HELP";
    // empty when there is none, or when the name could leave its folder (empty, ".", "..",
    // "/", "\\" or NUL in it).
    static QString helpPageFile(const QString &root, const QString &name);
    // A page in its declared charset (byte-order mark or "charset" before the body), else in
    // Windows-1251, the code page the pages are written in.
    static QString decodePage(QByteArrayView bytes);

protected:
    QVariant loadResource(int type, const QUrl &name) override;
};
