// The save dialog on Qt's file dialog.
#include "qt_save_dialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>

using namespace Qt::StringLiterals;

namespace platform {

QString QtSaveDialog::askSavePath(const QString &proposed)
{
    QPointer<QFileDialog> dialog =
        new QFileDialog(QApplication::activeWindow(), u"Save Download"_s);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDirectory(QFileInfo(proposed).absolutePath());
    dialog->selectFile(QFileInfo(proposed).fileName());
    const bool accepted = dialog->exec() == QDialog::Accepted && dialog;
    QString path;
    if (dialog) {
        if (accepted)
            path = dialog->selectedFiles().value(0);
        delete dialog;
    }
    return path;
}

} // namespace platform
