#pragma once

#include "controls/folderdialog/tkxshelldialog.h"
#include "controls/framework/kxevents.h"

#include <QByteArray>
#include <QDialog>

#include <cstdint>
#include <functional>

class QTreeWidgetItem;
class QWidget;
class TImageList;
class TKxBitBtn;
class TKxShellTree;
class TKxStatusBar;
class TKxToolButton;

enum TKxSelectFolderDialogOption : std::uint16_t {
    sfdoCreateDeleteButtons = 1 << 0,
    sfdoContextMenus = 1 << 1,
    sfdoReadOnly = 1 << 2,
    sfdoIncludeNonFolders = 1 << 3,
    sfdoOleDrag = 1 << 4,
    sfdoOleDrop = 1 << 5,
    sfdoCreateFolderIcon = 1 << 6,
    sfdoDeleteFolderIcon = 1 << 7,
    sfdoVirtualFolders = 1 << 8,
    sfdoShowHidden = 1 << 9,
};
using TKxSelectFolderDialogOptions = std::uint16_t;
inline constexpr TKxSelectFolderDialogOptions kDefaultSelectFolderDialogOptions = 706;
static_assert(kDefaultSelectFolderDialogOptions ==
                  (sfdoContextMenus | sfdoCreateFolderIcon | sfdoDeleteFolderIcon | sfdoShowHidden),
              "the default shows context menus, the button icons and hidden folders");

// The shell-tree options that the dialog options switch, each set or cleared to match.
std::uint16_t ShellTreeOptionsFor(TKxSelectFolderDialogOptions dialogOptions,
                                  std::uint16_t treeOptions);

// A folder was selected: the form and the folder's absolute item-id list.
using TKxFolderBrowseSelChangeEvent =
    std::function<void(QObject *sender, const QByteArray &newSelection)>;

// The folder-selection form: a shell tree, OK and Cancel, and a status line with the selected
// folder's path.
class TKxSelectFolderForm : public QDialog {
    Q_OBJECT

public:
    // The client size of the form as designed, and the smallest it may get: the client area of
    // a 366 x 340 window with its frame and caption.
    static constexpr int kDesignWidth = 358;
    static constexpr int kDesignHeight = 325;
    static constexpr int kMinimumWidth = 358;
    static constexpr int kMinimumHeight = 309;
    // The images of ImageList1.
    enum { kNewFolderImage, kNewFolderDisabledImage, kDeleteImage, kDeleteDisabledImage };
    static_assert(kMinimumWidth <= kDesignWidth && kMinimumHeight <= kDesignHeight,
                  "the designed size is allowed");

    explicit TKxSelectFolderForm(QWidget *parent = nullptr);
    ~TKxSelectFolderForm() override;

    // The status bar's text.
    void SetStatusText(const QString &text);
    QString StatusText() const;
    virtual void ApplyDialogOptions(TKxSelectFolderDialogOptions options);
    TKxSelectFolderDialogOptions DialogOptions() const { return m_options; }
    TPosition Position() const { return m_position; }
    void SetPosition(TPosition position) { m_position = position; }

    // Closes the form; OK only while the selected folder still exists.
    void done(int result) override;

    // The form's handlers.
    void FormResize();
    void ShellTreeChange(QTreeWidgetItem *node);
    void CreateBtnClick();
    void DeleteBtnClick();

    TKxToolButton *btnNewFolder = nullptr;
    TKxToolButton *btnDeleteFolder = nullptr;
    TKxShellTree *ShellTree = nullptr;
    QWidget *ButtonPanel = nullptr;
    TKxBitBtn *btnOk = nullptr;
    TKxBitBtn *btnCancel = nullptr;
    TKxStatusBar *KxStatusBar1 = nullptr;
    TImageList *ImageList1 = nullptr;

    TKxFolderBrowseSelChangeEvent OnSelChange;
    TNotifyEvent OnFormShow;
    TNotifyEvent OnFormClose;

protected:
    virtual void LocalizeCaptions();
    // A warning box with OK only; tests record the text instead.
    virtual void ShowWarning(const QString &text);

    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void placeOnScreen();
    // The status line and the tool buttons follow the node.
    void showNode(QTreeWidgetItem *node);

    TKxSelectFolderDialogOptions m_options = 0;
    TPosition m_position = poScreenCenter;
    bool m_placed = false;
};
