#include "console/windows/helpview.h"

#include "tools/fakecore/fakenetwork.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace {

// "Привет" in Windows-1251 and in UTF-8.
const QByteArray GREETING_1251("\xcf\xf0\xe8\xe2\xe5\xf2");
const QByteArray GREETING_UTF8 = QStringLiteral(u"Привет").toUtf8();

class HelpPages : public testing::Test {
protected:
    HelpPages() { QDir(dir.path()).mkpath(QStringLiteral("HELP/sub")); }

    QString root() const { return dir.path(); }
    void write(const QString &relative, const QByteArray &bytes) {
        QFile file(dir.path() + QStringLiteral("/HELP/") + relative);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    QString shown(const QString &name) {
        view.showModule(root(), name);
        return view.toPlainText();
    }

    QTemporaryDir dir;
    HelpView view;
};

TEST_F(HelpPages, FileIsFoundExactlyFirstThenWithoutRegardToCase) {
    write("AMP_H.htm", "<p>exact</p>");
    write("amp_h.htm", "<p>lower</p>");
    write("Mixer_h.HTM", "<p>mixer</p>");
    const QString help = root() + QStringLiteral("/HELP/");
    EXPECT_EQ(HelpView::helpPageFile(root(), "AMP"), help + "AMP_H.htm");
    EXPECT_EQ(HelpView::helpPageFile(root(), "amp"), help + "amp_h.htm");
    EXPECT_EQ(HelpView::helpPageFile(root(), "MIXER"), help + "Mixer_h.HTM");
    EXPECT_EQ(HelpView::helpPageFile(root(), "TUNER"), QString());
}

TEST_F(HelpPages, NameThatCouldLeaveTheFolderGetsNoFile) {
    write("sub/X_H.htm", "<p>below</p>");
    write(".._H.htm", "<p>dots</p>");
    write("._H.htm", "<p>dot</p>");
    write("_H.htm", "<p>nameless</p>");
    const std::vector<QString> names = {"",       ".",           "..",   "sub/X",
                                        "sub\\X", "../HELP/AMP", "/etc", QString("X") + QChar(0)};
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(HelpView::helpPageFile(root(), name), QString());
        view.setHtml("<p>old</p>");
        EXPECT_EQ(shown(name), QString());
    }
}

TEST_F(HelpPages, PageIsShownAndReadAfreshAtEveryShowing) {
    write("AMP_H.htm", "<html><body><p>first text</p></body></html>");
    EXPECT_EQ(shown("AMP"), "first text");
    write("AMP_H.htm", "<html><body><p>second text</p></body></html>");
    EXPECT_EQ(shown("AMP"), "second text");
    EXPECT_EQ(view.source(), QUrl::fromLocalFile(root() + "/HELP/AMP_H.htm"));
}

TEST_F(HelpPages, MissingPageLeavesAnEmptyView) {
    write("AMP_H.htm", "<p>amplifier</p>");
    EXPECT_EQ(shown("AMP"), "amplifier");
    EXPECT_EQ(shown("TUNER"), QString());
    QFile::remove(root() + "/HELP/AMP_H.htm");
    EXPECT_EQ(shown("AMP"), QString());
}

TEST_F(HelpPages, PageIsDecodedInItsDeclaredCharsetElseWindows1251) {
    struct Case {
        const char *name;
        QByteArray page;
    };
    const std::vector<Case> cases = {
        {"no charset", "<html><body><p>" + GREETING_1251 + "</p></body></html>"},
        {"no head at all", "<p>" + GREETING_1251 + "</p>"},
        {"charset named only in the body",
         "<html><body><p>" + GREETING_1251 + "</p><p>charset=utf-8</p></body></html>"},
        {"declared Windows-1251",
         "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
         "charset=windows-1251\"></head><body><p>" +
             GREETING_1251 + "</p></body></html>"},
        {"declared UTF-8", "<html><head><meta charset=\"utf-8\"></head><body><p>" + GREETING_UTF8 +
                               "</p></body></html>"},
        {"UTF-8 byte-order mark", "\xEF\xBB\xBF<p>" + GREETING_UTF8 + "</p>"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        write("AMP_H.htm", c.page);
        EXPECT_EQ(shown("AMP").section(QLatin1Char('\n'), 0, 0), QStringLiteral(u"Привет"));
    }
}

// The demo's help pages: every module type the simulated core server reports has its own,
// found by its exact name, and shows a page that names the module.
TEST(DemoHelpPages, EveryModuleOfTheSimulatedNetworkHasItsPage) {
    const QString assets = QStringLiteral(NETVIEW_ASSETS);
    const FakeNetwork network;
    HelpView view;
    QStringList names;
    for (const FakeRack &rack : network.racks()) {
        for (const FakeModule &module : rack.modules) {
            const QString &name = module.type->description.name;
            SCOPED_TRACE(name.toStdString());
            names << name;
            EXPECT_EQ(QFileInfo(HelpView::helpPageFile(assets, name)).fileName(),
                      name + QStringLiteral("_H.htm"));
            view.showModule(assets, name);
            EXPECT_TRUE(view.toPlainText().contains(name + QStringLiteral(":")));
        }
    }
    EXPECT_FALSE(names.isEmpty());
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
