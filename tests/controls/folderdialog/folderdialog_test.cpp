#include "controls/folderdialog/tkxselectfolderdialog.h"

#include "controls/framed/tkxbitbtn.h"
#include "controls/framed/tkxstatusbar.h"
#include "controls/framed/tkxtoolbutton.h"
#include "controls/framework/controlservices.h"
#include "controls/shell/verbprompts.h"
#include "controls/shell/tkxshelltree.h"
#include "tests/controls/support/widgettesting.h"

#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <stdexcept>
#include <vector>

namespace {

QTreeWidgetItem *Child(const QTreeWidgetItem *node, const QString &text) {
    for (int i = 0; node != nullptr && i < node->childCount(); ++i) {
        if (node->child(i)->text(0) == text)
            return node->child(i);
    }
    return nullptr;
}

// A folder tree on disk and a dialog rooted at it. Each run is driven from the form's show
// event by a single-shot timer, so no test waits on the modal loop.
class FolderDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        for (const char *path : {"alpha/inner", "beta", ".hidden"})
            ASSERT_TRUE(QDir(dir.path()).mkpath(QString::fromLatin1(path)));
        dialog.BaseFolder().SetPath(dir.path());
    }

    QString Path(const char *relative) const {
        return dir.path() + QLatin1Char('/') + QString::fromLatin1(relative);
    }

    // Runs a dialog; inside it, step sees the form and then the button it returns is clicked.
    static bool RunDialog(TKxSelectFolderDialog &run,
                          const std::function<TKxBitBtn *(TKxSelectFolderForm *)> &step) {
        run.OnFormShow = [step](QObject *sender) {
            auto *form = static_cast<TKxSelectFolderForm *>(sender);
            QTimer::singleShot(0, form, [form, step] {
                if (TKxBitBtn *button = step(form))
                    button->Click();
                else
                    form->done(mrCancel);
            });
        };
        return run.Execute();
    }
    bool Run(const std::function<TKxBitBtn *(TKxSelectFolderForm *)> &step) {
        return RunDialog(dialog, step);
    }

    QTemporaryDir dir;
    TKxSelectFolderDialog dialog;
};

TEST_F(FolderDialogTest, OkReturnsTheFolderSelectedInTheTree) {
    dialog.SetSelectedFolderPath(Path("alpha/inner"));
    QString preselected;
    EXPECT_TRUE(Run([&](TKxSelectFolderForm *form) {
        preselected = form->ShellTree->SelectedFolderPath();
        form->ShellTree->setCurrentItem(
            Child(form->ShellTree->topLevelItem(0), QStringLiteral("beta")));
        return form->btnOk;
    }));
    EXPECT_EQ(preselected, Path("alpha/inner"));
    EXPECT_EQ(dialog.SelectedFolderPath(), Path("beta"));
    EXPECT_EQ(dialog.Form(), nullptr);
}

TEST_F(FolderDialogTest, CancelReturnsFalseAndKeepsThePreviousFolder) {
    dialog.SetSelectedFolderPath(Path("alpha"));
    EXPECT_FALSE(Run([&](TKxSelectFolderForm *form) {
        form->ShellTree->setCurrentItem(
            Child(form->ShellTree->topLevelItem(0), QStringLiteral("beta")));
        return form->btnCancel;
    }));
    EXPECT_EQ(dialog.SelectedFolderPath(), Path("alpha"));
}

TEST_F(FolderDialogTest, ATextThatIsNoPathEmptiesTheSelection) {
    dialog.SetSelectedFolderPath(Path("alpha"));
    dialog.SetSelectedFolderPath(QStringLiteral("relative/not-a-shell-path"));
    EXPECT_TRUE(dialog.SelectedFolderPath().isEmpty());
    QString selected;
    EXPECT_TRUE(Run([&](TKxSelectFolderForm *form) {
        selected = form->ShellTree->SelectedFolderPath();
        return form->btnOk;
    }));
    EXPECT_EQ(selected, dir.path());
}

TEST_F(FolderDialogTest, TheCaptionIsTheTitleOrBrowseForFolder) {
    struct Case {
        QString title;
        QString caption;
    };
    const Case cases[] = {
        {QString(), QStringLiteral("Browse for Folder")},
        {QStringLiteral("Select TORVALE3 CORE folder  "),
         QStringLiteral("Select TORVALE3 CORE folder  ")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.title.toStdString());
        dialog.Title = c.title;
        QString caption;
        Run([&](TKxSelectFolderForm *form) {
            caption = form->windowTitle();
            return form->btnCancel;
        });
        EXPECT_EQ(caption, c.caption);
    }
}

TEST_F(FolderDialogTest, TheDialogsSettingsReachTheForm) {
    dialog.FrameVisible = true;
    dialog.FrameStyle = fsBump;
    dialog.ButtonColor = clInfoBk;
    dialog.HotTrack = true;
    dialog.ToolBtnVisualStyle = vsGradient;
    dialog.ToolBtnGradientColorStyle = gcsCustom;
    dialog.ToolBtnSelectionColorStart = clWhite;
    dialog.ToolBtnSelectionColorStop = clBlack;
    dialog.ToolBtnSelectionFrameColor = clHighlight;
    Run([&](TKxSelectFolderForm *form) {
        EXPECT_TRUE(form->ShellTree->FrameVisible());
        EXPECT_EQ(form->ShellTree->FrameStyle(), fsBump);
        for (const TKxBitBtn *button : {form->btnOk, form->btnCancel}) {
            EXPECT_EQ(button->Color(), clInfoBk);
            EXPECT_TRUE(button->HotTrack());
        }
        for (const TKxToolButton *button : {form->btnNewFolder, form->btnDeleteFolder}) {
            EXPECT_EQ(button->VisualStyle(), vsGradient);
            EXPECT_EQ(button->GradientColorStyle(), gcsCustom);
            EXPECT_EQ(button->SelectionColorStart(), clWhite);
            EXPECT_EQ(button->SelectionColorStop(), clBlack);
            EXPECT_EQ(button->SelectionFrameColor(), clHighlight);
        }
        EXPECT_EQ(form->KxStatusBar1->VisualStyle(), vsGradient);
        EXPECT_TRUE(form->KxStatusBar1->SimpleStatus());
        EXPECT_EQ(form->KxStatusBar1->geometry().bottom(), form->height() - 1);
        EXPECT_LE(form->ButtonPanel->geometry().bottom(), form->KxStatusBar1->y());
        return form->btnCancel;
    });
}

TEST_F(FolderDialogTest, TheToolButtonsShowOnlyOnRequest) {
    struct Case {
        const char *name;
        TKxSelectFolderDialogOptions options;
        bool shown;
        int newImage;
        int deleteImage;
        bool flat;
    };
    const Case cases[] = {
        {"default", kDefaultSelectFolderDialogOptions, false, 0, 2, true},
        {"buttons with both icons",
         sfdoCreateDeleteButtons | sfdoCreateFolderIcon | sfdoDeleteFolderIcon, true, 0, 2, true},
        {"buttons with one icon", sfdoCreateDeleteButtons | sfdoDeleteFolderIcon, true, -1, 2,
         false},
        {"buttons without icons", sfdoCreateDeleteButtons, true, -1, -1, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        dialog.Options = c.options;
        Run([&](TKxSelectFolderForm *form) {
            for (const TKxToolButton *button : {form->btnNewFolder, form->btnDeleteFolder}) {
                EXPECT_EQ(button->isVisible(), c.shown);
                EXPECT_EQ(button->Flat(), c.flat);
            }
            EXPECT_EQ(form->btnNewFolder->ImageIndex(), c.newImage);
            EXPECT_EQ(form->btnDeleteFolder->ImageIndex(), c.deleteImage);
            EXPECT_EQ(form->btnNewFolder->Caption(), QStringLiteral("Create Folder"));
            EXPECT_EQ(form->btnDeleteFolder->Caption(), QStringLiteral("Delete"));
            // The tree starts below the buttons when they show.
            const int buttonsBottom = form->btnNewFolder->y() + form->btnNewFolder->height();
            EXPECT_EQ(form->ShellTree->y(), c.shown ? buttonsBottom + 4 : 8);
            return form->btnCancel;
        });
    }
}

TEST_F(FolderDialogTest, TheToolButtonsFollowTheSelectedFolder) {
    dialog.Options = sfdoCreateDeleteButtons;
    struct State {
        bool create;
        bool remove;
        QString status;
    };
    std::vector<State> states;
    Run([&](TKxSelectFolderForm *form) {
        const auto note = [&] {
            states.push_back({form->btnNewFolder->isEnabled(), form->btnDeleteFolder->isEnabled(),
                              form->StatusText()});
        };
        QTreeWidgetItem *root = form->ShellTree->topLevelItem(0);
        form->ShellTree->setCurrentItem(Child(root, QStringLiteral("beta")));
        note();
        form->ShellTree->setCurrentItem(root);
        note();
        return form->btnCancel;
    });
    ASSERT_EQ(states.size(), 2u);
    EXPECT_TRUE(states[0].create);
    EXPECT_TRUE(states[0].remove);
    EXPECT_TRUE(states[1].create);
    EXPECT_FALSE(states[1].remove) << "the tree's first node cannot be deleted";

    // The Desktop is a virtual folder: no path, no new folder, no delete.
    dialog.BaseFolder().SetIdList(QByteArray());
    State desktop{true, true, QStringLiteral("?")};
    Run([&](TKxSelectFolderForm *form) {
        form->ShellTree->setCurrentItem(form->ShellTree->topLevelItem(0));
        form->ShellTreeChange(form->ShellTree->topLevelItem(0));
        desktop = {form->btnNewFolder->isEnabled(), form->btnDeleteFolder->isEnabled(),
                   form->StatusText()};
        return form->btnCancel;
    });
    EXPECT_FALSE(desktop.create);
    EXPECT_FALSE(desktop.remove);
    EXPECT_TRUE(desktop.status.isEmpty());
}

TEST_F(FolderDialogTest, TheFormsTreeGainsOnlyAutoFillAndTheMappedOptions) {
    struct Case {
        const char *name;
        TKxSelectFolderDialogOptions options;
        TKxShellTreeOptions tree;
        bool readOnly;
    };
    const Case cases[] = {
        {"show hidden", sfdoShowHidden, stoAutoFill | stoShowHidden, false},
        {"default", kDefaultSelectFolderDialogOptions,
         stoAutoFill | stoContextMenus | stoShowHidden, false},
        {"read-only drag", sfdoReadOnly | sfdoOleDrag | sfdoOleDrop,
         stoAutoFill | stoOleDrag | stoOleDrop, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        dialog.Options = c.options;
        TKxShellTreeOptions options = 0;
        bool readOnly = false;
        QStringList children;
        Run([&](TKxSelectFolderForm *form) {
            options = form->ShellTree->Options();
            readOnly = form->ShellTree->ReadOnly();
            const QTreeWidgetItem *root = form->ShellTree->topLevelItem(0);
            for (int i = 0; root != nullptr && i < root->childCount(); ++i)
                children << root->child(i)->text(0);
            return form->btnCancel;
        });
        EXPECT_EQ(options, c.tree);
        EXPECT_EQ(readOnly, c.readOnly);
        EXPECT_EQ(children.contains(QStringLiteral(".hidden")), (c.options & sfdoShowHidden) != 0);
    }
}

TEST_F(FolderDialogTest, ThePlacementOfARunIsStoredAndUsedByTheNext) {
    QSize first;
    Run([&](TKxSelectFolderForm *form) {
        first = form->size();
        form->resize(420, 380);
        return form->btnOk;
    });
    EXPECT_EQ(first, QSize(TKxSelectFolderForm::kDesignWidth, TKxSelectFolderForm::kDesignHeight));
    EXPECT_EQ(dialog.FormWidth, 420);
    EXPECT_EQ(dialog.FormHeight, 380);
    QSize second;
    Run([&](TKxSelectFolderForm *form) {
        second = form->size();
        return form->btnCancel;
    });
    EXPECT_EQ(second, QSize(420, 380));
}

TEST_F(FolderDialogTest, AMaximisedFormStoresItsRestoredSize) {
    Run([&](TKxSelectFolderForm *form) {
        form->resize(400, 350);
        form->setWindowState(Qt::WindowMaximized);
        return form->btnOk;
    });
    EXPECT_EQ(dialog.FormWindowState, wsMaximized);
    EXPECT_EQ(dialog.FormWidth, 400);
    EXPECT_EQ(dialog.FormHeight, 350);
    bool maximised = false;
    Run([&](TKxSelectFolderForm *form) {
        maximised = form->windowState() & Qt::WindowMaximized;
        return form->btnCancel;
    });
    EXPECT_TRUE(maximised);
}

TEST_F(FolderDialogTest, ARunningDialogCannotBeExecutedAgain) {
    std::string message;
    Run([&](TKxSelectFolderForm *form) {
        try {
            dialog.Execute();
        } catch (const std::runtime_error &error) {
            message = error.what();
        }
        return form->btnCancel;
    });
    EXPECT_EQ(message, "TKxSelectFolderDialog already executing");
    EXPECT_FALSE(dialog.Executing());
}

TEST_F(FolderDialogTest, AFailureInsideTheRunFreesTheFormAndClearsTheFlag) {
    Qt::CursorShape whileBuilding = Qt::ArrowCursor;
    dialog.OnInitialized = [&](QObject *) {
        if (const QCursor *cursor = QGuiApplication::overrideCursor())
            whileBuilding = cursor->shape();
        throw std::runtime_error("boom");
    };
    EXPECT_THROW(dialog.Execute(), std::runtime_error);
    EXPECT_FALSE(dialog.Executing());
    EXPECT_EQ(dialog.Form(), nullptr);
    EXPECT_EQ(whileBuilding, Qt::WaitCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the cursor is restored";
    dialog.OnInitialized = nullptr;
    EXPECT_TRUE(Run([](TKxSelectFolderForm *form) { return form->btnOk; }));
}

TEST_F(FolderDialogTest, SelectingAFolderShowsItsPathAndFiresOnSelChange) {
    QByteArray selected;
    dialog.OnSelChange = [&](QObject *, const QByteArray &list) { selected = list; };
    QString status;
    Run([&](TKxSelectFolderForm *form) {
        form->ShellTree->setCurrentItem(
            Child(form->ShellTree->topLevelItem(0), QStringLiteral("beta")));
        status = form->StatusText();
        return form->btnCancel;
    });
    EXPECT_TRUE(Path("beta").endsWith(status.mid(status.lastIndexOf(QLatin1Char('/')))));
    TKxShellLocator locator;
    locator.SetIdList(selected);
    EXPECT_EQ(locator.Path(), Path("beta"));
}

// A folder whose name is not UTF-8 is named in the status line as the tree shows it.
TEST_F(FolderDialogTest, TheStatusLineNamesAFolderThatIsNotUtf8AsTheTreeDoes) {
    const QByteArray raw = QFile::encodeName(dir.path()) + "/\xcf\xf0\xe8\xe2\xe5\xf2";
    ASSERT_EQ(::mkdir(raw.constData(), 0755), 0);
    // Qt's own removal cannot name it.
    const auto removal = qScopeGuard([&] { ::rmdir(raw.constData()); });
    QString status;
    Run([&](TKxSelectFolderForm *form) {
        form->resize(800, form->height());
        QTreeWidgetItem *node = Child(form->ShellTree->topLevelItem(0), QStringLiteral(u"Привет"));
        EXPECT_NE(node, nullptr);
        form->ShellTree->setCurrentItem(node);
        status = form->StatusText();
        return form->btnCancel;
    });
    EXPECT_EQ(status, dir.path() + QStringLiteral(u"/Привет"));
}

// A form that records its warning boxes instead of showing them.
class RecordingForm : public TKxSelectFolderForm {
public:
    explicit RecordingForm(QStringList *warnings)
        : m_warnings(warnings) {}

protected:
    void ShowWarning(const QString &text) override { *m_warnings << text; }

private:
    QStringList *m_warnings;
};

class RecordingDialog : public TKxSelectFolderDialog {
public:
    QStringList warnings;

protected:
    TKxSelectFolderForm *CreateDialogForm() override { return new RecordingForm(&warnings); }
};

// The dialog's form shown for real, the operator's keys and clicks on it.
class FolderFormTest : public FolderDialogTest {
protected:
    bool RunRecorded(const std::function<TKxBitBtn *(TKxSelectFolderForm *)> &step) {
        recording.BaseFolder().SetPath(dir.path());
        return RunDialog(recording, step);
    }
    QRect NodeRect(TKxShellTree *tree, QTreeWidgetItem *node) const {
        return tree->visualItemRect(node);
    }

    RecordingDialog recording;
};

TEST_F(FolderFormTest, OkRefusesAFolderDeletedMeanwhileAndShowsTheTreeAsItIsNow) {
    bool stillOpen = false;
    QStringList children;
    EXPECT_TRUE(RunRecorded([&](TKxSelectFolderForm *form) {
        QTreeWidgetItem *root = form->ShellTree->topLevelItem(0);
        form->ShellTree->setCurrentItem(Child(root, QStringLiteral("beta")));
        EXPECT_TRUE(QDir(dir.path()).rmdir(QStringLiteral("beta")));
        TypeKey(*form->ShellTree, Qt::Key_Return, QStringLiteral("\r"));
        stillOpen = form->isVisible();
        for (int i = 0; i < root->childCount(); ++i)
            children << root->child(i)->text(0);
        return form->btnOk;
    }));
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(recording.warnings.size(), 1);
    EXPECT_TRUE(recording.warnings.first().contains(Path("beta")));
    EXPECT_FALSE(children.contains(QStringLiteral("beta")));
    // The selection moved to the folder that holds it, which OK then takes.
    EXPECT_EQ(recording.SelectedFolderPath(), dir.path());
}

TEST_F(FolderFormTest, F5ShowsFoldersMadeAndRemovedOutside) {
    QStringList before;
    QStringList after;
    RunRecorded([&](TKxSelectFolderForm *form) {
        ShowActive(*form);
        form->ShellTree->setFocus();
        QTreeWidgetItem *root = form->ShellTree->topLevelItem(0);
        EXPECT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("gamma")));
        EXPECT_TRUE(QDir(dir.path()).rmdir(QStringLiteral("beta")));
        for (int i = 0; i < root->childCount(); ++i)
            before << root->child(i)->text(0);
        TypeKey(*form->ShellTree, Qt::Key_F5);
        for (int i = 0; i < root->childCount(); ++i)
            after << root->child(i)->text(0);
        return form->btnCancel;
    });
    EXPECT_TRUE(before.contains(QStringLiteral("beta")));
    EXPECT_FALSE(after.contains(QStringLiteral("beta")));
    EXPECT_TRUE(after.contains(QStringLiteral("gamma")));
}

TEST_F(FolderFormTest,
       TheStatusLineFollowsResizeRenameAndRightClickButOnlySelectingFiresOnSelChange) {
    // As netsetup has it: no shell menu comes up on the right click.
    recording.Options = sfdoShowHidden;
    int selChanges = 0;
    recording.OnSelChange = [&](QObject *, const QByteArray &) { ++selChanges; };
    struct Seen {
        int selChanges;
        QString status;
    };
    std::vector<Seen> seen;
    RunRecorded([&](TKxSelectFolderForm *form) {
        ShowActive(*form);
        TKxShellTree *tree = form->ShellTree;
        QTreeWidgetItem *root = tree->topLevelItem(0);
        const auto note = [&] { seen.push_back({selChanges, form->StatusText()}); };
        tree->setCurrentItem(Child(root, QStringLiteral("beta")));
        note();
        form->resize(form->width() + 40, form->height() + 30);
        QCoreApplication::processEvents();
        note();
        EXPECT_TRUE(tree->RenameNode(Child(root, QStringLiteral("beta")), QStringLiteral("bravo")));
        note();
        RightClick(*tree, NodeRect(tree, Child(root, QStringLiteral("alpha"))).center());
        note();
        return form->btnCancel;
    });
    ASSERT_EQ(seen.size(), 4u);
    const int afterSelect = seen[0].selChanges;
    EXPECT_TRUE(seen[0].status.endsWith(QStringLiteral("beta")));
    EXPECT_EQ(seen[1].selChanges, afterSelect) << "a resize is no selection";
    EXPECT_TRUE(seen[1].status.endsWith(QStringLiteral("beta")));
    EXPECT_TRUE(seen[2].status.endsWith(QStringLiteral("bravo")));
    EXPECT_TRUE(seen[3].status.endsWith(QStringLiteral("alpha")));
}

// The Delete button goes the way of the Delete key and the context menu: it asks, moves the folder
// to the trash, and reports a failure in the application's error box.
TEST_F(FolderFormTest, TheDeleteButtonAsksMovesToTheTrashAndReportsAFailure) {
    struct Case {
        const char *name;
        bool answer;
        bool trashIsAFile; // the trash cannot be made
        bool gone;
        bool reported;
    };
    const std::vector<Case> cases = {
        {"answered No", false, false, false, false},
        {"answered Yes", true, false, true, false},
        {"failing", true, true, false, true},
    };
    recording.Options = sfdoCreateDeleteButtons | sfdoShowHidden;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir trash;
        const QString share = trash.filePath(QStringLiteral("share"));
        if (c.trashIsAFile) {
            QFile file(share);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        qputenv("XDG_DATA_HOME", QFile::encodeName(share));
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("beta")));
        QStringList asked;
        QStringList errors;
        SetDeleteConfirmation([&](const QStringList &names) {
            asked << names;
            return c.answer;
        });
        SetHandlerErrorReporter([&](const QString &message) { errors << message; });
        bool shownAfter = true;
        RunRecorded([&](TKxSelectFolderForm *form) {
            ShowActive(*form);
            QTreeWidgetItem *root = form->ShellTree->topLevelItem(0);
            form->ShellTree->setCurrentItem(Child(root, QStringLiteral("beta")));
            EXPECT_TRUE(form->btnDeleteFolder->isEnabled());
            QTest::mouseClick(form->btnDeleteFolder, Qt::LeftButton);
            shownAfter = Child(root, QStringLiteral("beta")) != nullptr;
            return form->btnCancel;
        });
        SetDeleteConfirmation(nullptr);
        SetHandlerErrorReporter([](const QString &message) {
            ADD_FAILURE() << "handler error: " << message.toStdString();
        });
        qunsetenv("XDG_DATA_HOME");
        EXPECT_EQ(asked, QStringList{"beta"});
        EXPECT_EQ(QDir(Path("beta")).exists(), !c.gone);
        EXPECT_EQ(shownAfter, !c.gone);
        EXPECT_EQ(QDir(share + "/Trash/files/beta").exists(), c.gone);
        if (c.reported) {
            ASSERT_EQ(errors.size(), 1);
            EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Unable to move 'beta' to the trash.")))
                << errors[0].toStdString();
        } else {
            EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
        }
    }
}

TEST(SelectFolderOptions, EachDialogOptionSetsOrClearsItsTreeOption) {
    const TKxShellTreeOptions all = 0x3FF;
    EXPECT_EQ(ShellTreeOptionsFor(0, all),
              all & ~(stoOleDrag | stoOleDrop | stoIncludeNonFolders | stoVirtualFolders |
                      stoContextMenus | stoShowHidden));
    EXPECT_EQ(ShellTreeOptionsFor(0x3FF, 0), stoOleDrag | stoOleDrop | stoIncludeNonFolders |
                                                 stoVirtualFolders | stoContextMenus |
                                                 stoShowHidden);
    EXPECT_EQ(ShellTreeOptionsFor(sfdoCreateDeleteButtons | sfdoReadOnly, stoAutoFill),
              stoAutoFill);
}

TEST(ShellDialogPlacement, TheRecordRoundTripsAndRefusesForeignRecords) {
    TKxSelectFolderDialog source;
    source.FormLeft = -5;
    source.FormTop = 70000;
    source.FormWidth = 400;
    source.FormHeight = 300;
    source.FormWindowState = wsMaximized;
    source.FormPosition = poDesigned;
    const QByteArray record = source.WritePlacement();
    ASSERT_EQ(record.size(), TKxShellDialog::kPlacementSize);
    EXPECT_EQ(record.left(4), QByteArray::fromHex("fbffffff"));
    TKxSelectFolderDialog target;
    ASSERT_TRUE(target.ReadPlacement(record));
    EXPECT_EQ(target.FormLeft, -5);
    EXPECT_EQ(target.FormTop, 70000);
    EXPECT_EQ(target.FormWidth, 400);
    EXPECT_EQ(target.FormHeight, 300);
    EXPECT_EQ(target.FormWindowState, wsMaximized);
    EXPECT_EQ(target.FormPosition, poDesigned);
    QByteArray badState = record;
    badState[16] = 7;
    EXPECT_FALSE(target.ReadPlacement(badState));
    EXPECT_FALSE(target.ReadPlacement(record.left(17)));
    EXPECT_EQ(target.FormWindowState, wsMaximized);
}

} // namespace
