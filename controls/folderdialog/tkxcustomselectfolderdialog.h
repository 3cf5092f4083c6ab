#pragma once

#include "controls/folderdialog/tkxselectfolderform.h"
#include "controls/folderdialog/tkxshelldialog.h"
#include "controls/shell/tkxcustomshelltree.h"
#include "controls/shell/tkxshelllocator.h"

// The folder-selection dialog: builds a modal TKxSelectFolderForm, hands it the dialog's
// settings and folders, shows it, and takes back the placement and, after OK, the folder chosen.
class TKxCustomSelectFolderDialog : public TKxShellDialog {
    Q_OBJECT

public:
    explicit TKxCustomSelectFolderDialog(QObject *owner = nullptr);
    ~TKxCustomSelectFolderDialog() override;

    // The form while the dialog runs; null otherwise.
    TKxSelectFolderForm *Form() const { return m_form; }
    // The root of the tree.
    TKxShellLocator &BaseFolder() { return m_baseFolder; }
    void SetBaseFolder(const TKxShellLocator &locator) { m_baseFolder.Assign(&locator); }
    // The folder selected when the form opens, and the one chosen when it closes with OK.
    TKxShellLocator &SelectionLocator() { return m_selectionLocator; }
    const TKxShellLocator &SelectionLocator() const { return m_selectionLocator; }

    TKxSelectFolderDialogOptions Options = kDefaultSelectFolderDialogOptions;
    TKxShAddItemEvent OnAddItem;
    TKxFolderBrowseSelChangeEvent OnSelChange;
    // Put into the form's status line before it is shown.
    QString StatusText;

protected:
    bool DoExecute() override;
    virtual TKxSelectFolderForm *CreateDialogForm();
    virtual void PrepareDialogForm(TKxSelectFolderForm *form);
    virtual void ReadDialogForm(TKxSelectFolderForm *form);

private:
    TKxSelectFolderForm *m_form = nullptr;
    TKxShellLocator m_baseFolder;
    TKxShellLocator m_selectionLocator;
};
