#pragma once

#include "controls/folderdialog/tkxcustomselectfolderdialog.h"

// The folder-selection dialog as programs place it, with the chosen folder as a path.
class TKxSelectFolderDialog : public TKxCustomSelectFolderDialog {
    Q_OBJECT

public:
    using TKxCustomSelectFolderDialog::TKxCustomSelectFolderDialog;

    // The file-system path of SelectionLocator; empty when it names no file-system folder.
    QString SelectedFolderPath() const;
    // A text that does not parse as a path empties the locator.
    void SetSelectedFolderPath(const QString &path);
};
