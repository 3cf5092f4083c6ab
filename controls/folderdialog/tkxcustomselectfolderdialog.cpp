#include "controls/folderdialog/tkxcustomselectfolderdialog.h"

#include "controls/framed/tkxbitbtn.h"
#include "controls/framed/tkxstatusbar.h"
#include "controls/framed/tkxtoolbutton.h"
#include "controls/framework/hourglasscursor.h"
#include "controls/framework/timagelist.h"
#include "controls/painting/kindglyphs.h"
#include "controls/shell/tkxshelltree.h"

#include <QScopeGuard>

#include <memory>
#include <stdexcept>

TKxCustomSelectFolderDialog::TKxCustomSelectFolderDialog(QObject *owner)
    : TKxShellDialog(owner) {}

TKxCustomSelectFolderDialog::~TKxCustomSelectFolderDialog() = default;

bool TKxCustomSelectFolderDialog::DoExecute() {
    if (m_form != nullptr)
        throw std::runtime_error("TKxSelectFolderDialog form already active");
    std::unique_ptr<TKxSelectFolderForm> form;
    const auto forget = qScopeGuard([this] { m_form = nullptr; });
    {
        // The hourglass covers building the form; the modal loop shows the normal cursor.
        HourglassCursor hourglass;
        form.reset(CreateDialogForm());
        PrepareDialogForm(form.get());
        m_form = form.get();
        DoInitialized();
    }
    const int result = form->exec();
    ReadDialogForm(form.get());
    return result == mrOk;
}

TKxSelectFolderForm *TKxCustomSelectFolderDialog::CreateDialogForm() {
    return new TKxSelectFolderForm(qobject_cast<QWidget *>(parent()));
}

void TKxCustomSelectFolderDialog::PrepareDialogForm(TKxSelectFolderForm *form) {
    form->OnSelChange = OnSelChange;
    form->ShellTree->OnAddItem = OnAddItem;
    form->OnFormShow = OnFormShow;
    form->OnFormClose = OnFormClose;
    form->SetStatusText(StatusText);

    form->SetPosition(FormPosition);
    if (FormPosition == poDesigned)
        form->move(FormLeft, FormTop);
    form->resize(FormWidth > 0 ? FormWidth : form->width(),
                 FormHeight > 0 ? FormHeight : form->height());
    if (FormWindowState == wsMaximized)
        form->setWindowState(Qt::WindowMaximized);
    else if (FormWindowState == wsMinimized)
        form->setWindowState(Qt::WindowMinimized);

    form->ApplyDialogOptions(Options);
    form->setWindowTitle(Title.isEmpty() ? QStringLiteral("Browse for Folder") : Title);

    TKxShellTree *tree = form->ShellTree;
    tree->SetFrameColor(FrameColor);
    tree->SetFrameStyle(FrameStyle);
    tree->SetFrameVisible(FrameVisible);
    tree->SetFramingPreference(FramingPreference);

    const struct {
        TKxBitBtn *button;
        TBitBtnKind glyph;
    } buttons[] = {{form->btnOk, bkOK}, {form->btnCancel, bkCancel}};
    for (const auto &entry : buttons) {
        entry.button->SetColor(ButtonColor);
        entry.button->SetHotTrack(HotTrack);
        entry.button->SetHighlightColor(HighlightColor);
        entry.button->SetHotTrackColor(HotTrackColor);
        entry.button->SetHotTrackColorType(HotTrackColorType);
        if (ShowButtonGlyphs) {
            entry.button->SetGlyph(KindGlyph(entry.glyph));
            entry.button->SetNumGlyphs(2);
        }
    }

    for (TKxToolButton *button : {form->btnNewFolder, form->btnDeleteFolder}) {
        button->SetGradientColorStyle(ToolBtnGradientColorStyle);
        button->SetSelectionColorStart(ToolBtnSelectionColorStart);
        button->SetSelectionColorStop(ToolBtnSelectionColorStop);
        button->SetSelectionFrameColor(ToolBtnSelectionFrameColor);
        button->SetVisualStyle(ToolBtnVisualStyle);
    }
    form->KxStatusBar1->SetVisualStyle(ToolBtnVisualStyle);

    tree->BaseFolder().Assign(&m_baseFolder);
    tree->SelectionLocator().Assign(&m_selectionLocator);
}

void TKxCustomSelectFolderDialog::ReadDialogForm(TKxSelectFolderForm *form) {
    // A maximised form stores its restored size.
    const bool normal = !(form->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized));
    const QRect restored = normal ? QRect(form->pos(), form->size()) : form->normalGeometry();
    FormLeft = restored.left();
    FormTop = restored.top();
    FormWidth = restored.width();
    FormHeight = restored.height();
    FormWindowState = (form->windowState() & Qt::WindowMaximized)   ? wsMaximized
                      : (form->windowState() & Qt::WindowMinimized) ? wsMinimized
                                                                    : wsNormal;
    FormPosition = form->Position();
    if (form->result() == mrOk)
        m_selectionLocator.Assign(&form->ShellTree->SelectionLocator());
}
