#include "controls/folderdialog/tkxselectfolderform.h"

#include "controls/folderdialog/shortpath.h"
#include "controls/framed/tkxbitbtn.h"
#include "controls/framed/tkxstatusbar.h"
#include "controls/framed/tkxtoolbutton.h"
#include "controls/framework/controlservices.h"
#include "controls/framework/timagelist.h"
#include "controls/shell/shelltreenode.h"
#include "controls/shell/shellutils.h"
#include "controls/shell/tkxshelltree.h"
#include "controls/shell/tkxshelltreedata.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QStyleOption>

namespace {

constexpr int kMargin = 8;
constexpr int kButtonPanelHeight = 29;
constexpr int kStatusBarHeight = 19;
constexpr int kButtonTop = 2;
constexpr int kButtonHeight = 23;
constexpr int kStatusTextInset = 20;
constexpr int kToolButtonTop = 4;
constexpr int kToolButtonHeight = 25;

struct OptionPair {
    TKxSelectFolderDialogOption dialog;
    TKxShellTreeOption tree;
};

constexpr OptionPair kOptionMap[] = {
    {sfdoOleDrag, stoOleDrag},
    {sfdoOleDrop, stoOleDrop},
    {sfdoIncludeNonFolders, stoIncludeNonFolders},
    {sfdoVirtualFolders, stoVirtualFolders},
    {sfdoContextMenus, stoContextMenus},
    {sfdoShowHidden, stoShowHidden},
};

const QString kDefaultCaption = QStringLiteral("Browse for Folder");

// The 16 x 16 glyphs of the tool buttons: a folder with a spark for "Create Folder", a cross
// for "Delete".
QPixmap NewFolderGlyph() {
    QPixmap glyph(16, 16);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setPen(QColor(128, 96, 0));
    painter.setBrush(QColor(255, 210, 80));
    painter.drawRect(1, 5, 12, 9);
    painter.drawRect(1, 3, 5, 2);
    painter.setPen(QPen(QColor(0, 128, 0), 2));
    painter.drawLine(13, 0, 13, 6);
    painter.drawLine(10, 3, 16, 3);
    return glyph;
}

QPixmap DeleteGlyph() {
    QPixmap glyph(16, 16);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(200, 0, 0), 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(3, 3, 12, 12);
    painter.drawLine(12, 3, 3, 12);
    return glyph;
}

QPixmap DisabledGlyph(const QPixmap &glyph) {
    QStyleOption option;
    option.palette = QApplication::palette();
    return QApplication::style()->generatedIconPixmap(QIcon::Disabled, glyph, &option);
}

} // namespace

std::uint16_t ShellTreeOptionsFor(TKxSelectFolderDialogOptions dialogOptions,
                                  std::uint16_t treeOptions) {
    for (const OptionPair &pair : kOptionMap) {
        if (dialogOptions & pair.dialog)
            treeOptions |= pair.tree;
        else
            treeOptions &= ~pair.tree;
    }
    return treeOptions;
}

TKxSelectFolderForm::TKxSelectFolderForm(QWidget *parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("KxSelectFolderForm"));
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    resize(kDesignWidth, kDesignHeight);
    setMinimumSize(kMinimumWidth, kMinimumHeight);

    ImageList1 = new TImageList(16, 16, this);
    for (const QPixmap &glyph : {NewFolderGlyph(), DeleteGlyph()}) {
        ImageList1->Add(glyph);
        ImageList1->Add(DisabledGlyph(glyph));
    }

    const struct {
        TKxToolButton *&button;
        const char *name;
        QRect geometry;
        int image;
        const char *caption;
        void (TKxSelectFolderForm::*click)();
    } toolButtons[] = {
        {btnNewFolder, "btnNewFolder", QRect(kMargin, kToolButtonTop, 121, kToolButtonHeight),
         kNewFolderImage, "Create Folder", &TKxSelectFolderForm::CreateBtnClick},
        {btnDeleteFolder, "btnDeleteFolder", QRect(137, kToolButtonTop, 92, kToolButtonHeight),
         kDeleteImage, "&Delete", &TKxSelectFolderForm::DeleteBtnClick},
    };
    for (const auto &entry : toolButtons) {
        entry.button = new TKxToolButton(this);
        entry.button->setObjectName(QString::fromLatin1(entry.name));
        entry.button->setGeometry(entry.geometry);
        entry.button->SetImages(ImageList1);
        entry.button->SetImageIndex(entry.image);
        // Each enabled image is followed by its disabled one.
        entry.button->SetDisabledIndex(entry.image + 1);
        entry.button->SetShowCaption(true);
        entry.button->SetVisualStyle(vsWinXP);
        entry.button->SetCaption(QString::fromLatin1(entry.caption));
        entry.button->OnClick = [this, click = entry.click](QObject *) { (this->*click)(); };
    }

    ShellTree = new TKxShellTree(this);
    ShellTree->setObjectName(QStringLiteral("ShellTree"));
    ShellTree->setGeometry(kMargin, 32, 341, 241);
    ShellTree->SetHideSelection(false);
    ShellTree->setIndentation(19);
    ShellTree->SetOptions(0);
    ShellTree->OnChange = [this](QObject *, QTreeWidgetItem *node) { ShellTreeChange(node); };
    // The root shows as a node of its own.
    ShellTree->setRootIsDecorated(true);

    ButtonPanel = new QWidget(this);
    ButtonPanel->setObjectName(QStringLiteral("ButtonPanel"));
    btnOk = new TKxBitBtn(ButtonPanel);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setGeometry(12, kButtonTop, 75, kButtonHeight);
    btnOk->SetCaption(QStringLiteral("OK"));
    btnOk->SetDefault(true);
    btnOk->SetModalResult(mrOk);
    btnOk->SetHotTrack(true);
    btnCancel = new TKxBitBtn(ButtonPanel);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setGeometry(92, kButtonTop, 75, kButtonHeight);
    btnCancel->SetCaption(QStringLiteral("Cancel"));
    btnCancel->SetCancel(true);
    btnCancel->SetModalResult(mrCancel);
    btnCancel->SetHotTrack(true);

    KxStatusBar1 = new TKxStatusBar(this);
    KxStatusBar1->setObjectName(QStringLiteral("KxStatusBar1"));
    KxStatusBar1->SetSimpleStatus(true);
    KxStatusBar1->SetSimpleFrameStyle(fsNone);
    KxStatusBar1->SetBorderInner(fsNone);
    KxStatusBar1->SetBorderOuter(fsNone);
    KxStatusBar1->SetBorderWidth(0);
    KxStatusBar1->SetVisualStyle(vsWinXP);

    FormResize();
}

TKxSelectFolderForm::~TKxSelectFolderForm() = default;

void TKxSelectFolderForm::SetStatusText(const QString &text) {
    KxStatusBar1->SetSimpleCaption(text);
}

QString TKxSelectFolderForm::StatusText() const {
    return KxStatusBar1->SimpleCaption();
}

void TKxSelectFolderForm::ApplyDialogOptions(TKxSelectFolderDialogOptions options) {
    m_options = options;
    ShellTree->SetOptions(ShellTreeOptionsFor(options, ShellTree->Options()));
    // The two tool buttons show only on request.
    const bool buttons = options & sfdoCreateDeleteButtons;
    btnNewFolder->setVisible(buttons);
    btnDeleteFolder->setVisible(buttons);
    btnNewFolder->SetImageIndex(options & sfdoCreateFolderIcon ? kNewFolderImage : -1);
    btnDeleteFolder->SetImageIndex(options & sfdoDeleteFolderIcon ? kDeleteImage : -1);
    constexpr TKxSelectFolderDialogOptions kBothIcons = sfdoCreateFolderIcon | sfdoDeleteFolderIcon;
    if ((options & kBothIcons) != kBothIcons) {
        btnNewFolder->SetFlat(false);
        btnDeleteFolder->SetFlat(false);
    }
    ShellTree->SetReadOnly(options & sfdoReadOnly);
    FormResize();
}

void TKxSelectFolderForm::FormResize() {
    // The status bar along the bottom, the button panel above it.
    const int statusTop = height() - kStatusBarHeight;
    const int panelTop = statusTop - kButtonPanelHeight;
    KxStatusBar1->setGeometry(0, statusTop, width(), kStatusBarHeight);
    ButtonPanel->setGeometry(0, panelTop, width(), kButtonPanelHeight);
    // Below the first tool button shown.
    int top = kMargin;
    if (!btnNewFolder->isHidden())
        top = btnNewFolder->y() + btnNewFolder->height() + 4;
    else if (!btnDeleteFolder->isHidden())
        top = btnDeleteFolder->y() + btnDeleteFolder->height() + 4;
    ShellTree->setGeometry(kMargin, top, width() - 2 * kMargin - 1, panelTop - 4 - top);
    btnCancel->move(ButtonPanel->width() - btnCancel->width() - kMargin, kButtonTop);
    btnOk->move(btnCancel->x() - btnOk->width() - kMargin, kButtonTop);
    showNode(ShellTree->currentItem());
}

void TKxSelectFolderForm::ShellTreeChange(QTreeWidgetItem *node) {
    TKxShellTreeData *data = ShellDataOf(node);
    if (data == nullptr)
        return;
    showNode(node);
    if (OnSelChange)
        OnSelChange(this, data->AbsoluteIdList());
}

void TKxSelectFolderForm::showNode(QTreeWidgetItem *node) {
    TKxShellTreeData *data = ShellDataOf(node);
    if (data == nullptr)
        return;
    const QString path = data->PathText();
    const QFontMetrics metrics = fontMetrics();
    SetStatusText(MinimizeName(
        IdListToDisplayPath(data->AbsoluteIdList()),
        [&](const QString &text) { return metrics.horizontalAdvance(text); },
        KxStatusBar1->width() - kStatusTextInset));
    // A virtual folder takes no new folder and cannot be deleted, nor can the tree's first node.
    btnNewFolder->setEnabled(!path.isEmpty());
    btnDeleteFolder->setEnabled(!path.isEmpty() && node != ShellTree->topLevelItem(0));
}

void TKxSelectFolderForm::done(int result) {
    // A folder deleted while the form was up is not handed back: the operator is told, and the
    // tree shows what is there now.
    if (result == mrOk && !FolderOfIdListExists(ShellTree->SelectionLocator().FolderIdList())) {
        ShowWarning(QStringLiteral("The folder '%1' no longer exists.")
                        .arg(IdListToDisplayPath(ShellTree->SelectionLocator().FolderIdList())));
        CallGuarded([&] { ShellTree->RefreshNodes(); });
        return;
    }
    QDialog::done(result);
}

void TKxSelectFolderForm::ShowWarning(const QString &text) {
    QMessageBox::warning(this, QCoreApplication::applicationName(), text);
}

void TKxSelectFolderForm::keyPressEvent(QKeyEvent *event) {
    // F5 reads the tree's folders again, whichever control has the focus.
    if (event->key() == Qt::Key_F5 && event->modifiers() == Qt::NoModifier) {
        event->accept();
        CallGuarded([&] { ShellTree->RefreshNodes(); });
        return;
    }
    QDialog::keyPressEvent(event);
}

void TKxSelectFolderForm::CreateBtnClick() {
    CallGuarded([&] { ShellTree->CreateNewFolder(); });
}

void TKxSelectFolderForm::DeleteBtnClick() {
    CallGuarded([&] {
        ShellTree->InvokeVerbAsked(ShellTree->currentItem(), QStringLiteral("delete"));
        ShellTree->RefreshNodes();
    });
}

void TKxSelectFolderForm::LocalizeCaptions() {
    btnOk->SetCaption(QStringLiteral("OK"));
    btnCancel->SetCaption(QStringLiteral("Cancel"));
    btnNewFolder->SetCaption(QStringLiteral("Create Folder"));
    btnDeleteFolder->SetCaption(QStringLiteral("Delete"));
    if (windowTitle().isEmpty())
        setWindowTitle(kDefaultCaption);
}

void TKxSelectFolderForm::placeOnScreen() {
    if (m_placed)
        return;
    m_placed = true;
    const QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr;
    QRect area;
    switch (m_position) {
    case poMainFormCenter:
    case poOwnerFormCenter:
        if (owner != nullptr && owner->isVisible()) {
            area = owner->frameGeometry();
            break;
        }
        [[fallthrough]];
    case poScreenCenter:
    case poDesktopCenter:
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            area = screen->availableGeometry();
        break;
    default:
        return;
    }
    if (area.isEmpty())
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(area.center());
    move(frame.topLeft());
}

void TKxSelectFolderForm::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    placeOnScreen();
    CallGuarded([&] {
        ShellTree->SetOptions(ShellTree->Options() | stoAutoFill);
        ShellTree->FillTree();
    });
    LocalizeCaptions();
    if (OnFormShow)
        OnFormShow(this);
}

void TKxSelectFolderForm::hideEvent(QHideEvent *event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous() && OnFormClose)
        OnFormClose(this);
}

void TKxSelectFolderForm::resizeEvent(QResizeEvent *event) {
    QDialog::resizeEvent(event);
    FormResize();
}
