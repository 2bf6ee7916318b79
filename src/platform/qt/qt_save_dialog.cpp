// The save dialog on Qt's file dialog.
#include "qt_save_dialog.h"

#include <QApplication>
#include <QFileDialog>

using namespace Qt::StringLiterals;

namespace platform {

QString QtSaveDialog::askSavePath(const QString &proposed)
{
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), u"Save Download"_s, proposed);
}

} // namespace platform
