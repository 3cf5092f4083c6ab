#include "controls/folderdialog/tkxselectfolderdialog.h"

QString TKxSelectFolderDialog::SelectedFolderPath() const {
    return SelectionLocator().Path();
}

void TKxSelectFolderDialog::SetSelectedFolderPath(const QString &path) {
    SelectionLocator().SetPath(path);
}
