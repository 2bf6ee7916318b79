// The save dialog on Qt's file dialog.
#include "qt_save_dialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>

using namespace Qt::StringLiterals;

namespace platform {

SaveAnswer QtSaveDialog::askSavePath(const QString &proposed)
{
    QPointer<QFileDialog> dialog =
        new QFileDialog(QApplication::activeWindow(), u"Save Download"_s);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDirectory(QFileInfo(proposed).absolutePath());
    dialog->selectFile(QFileInfo(proposed).fileName());
    const bool accepted = dialog->exec() == QDialog::Accepted && dialog;
    SaveAnswer answer;
    if (dialog) {
        if (accepted)
            answer = {dialog->selectedFiles().value(0), dialog->directory().absolutePath()};
        delete dialog;
    }
    return answer;
}

} // namespace platform
