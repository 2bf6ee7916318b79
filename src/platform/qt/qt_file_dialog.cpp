// The file-open dialog on Qt's file dialog.
#include "qt_file_dialog.h"

#include "platform/error.h"

#include <QApplication>
#include <QFileDialog>
#include <QPointer>
#include <QScopeGuard>

using namespace Qt::StringLiterals;

namespace platform {

QtFileDialog::QtFileDialog() = default;
QtFileDialog::~QtFileDialog() = default;

void QtFileDialog::setDialogTitle(const QString &title)
{
    m_title = title;
}

void QtFileDialog::setFilter(const QString &filter)
{
    m_filter = filter;
}

QStringList QtFileDialog::nameFilters(const QString &filter)
{
    QStringList filters;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        for (QString &pattern : patterns)
            pattern = pattern.trimmed();
        filters << parts[i] + u" ("_s + patterns.join(u' ') + u')';
    }
    return filters;
}

void QtFileDialog::ShowOpen()
{
    // A dialog of its own for each showing, gone when it returns: a kept dialog keeps its
    // file-name completion popup too, which would go on taking the window's keys.
    const QPointer<QWidget> owner = QApplication::activeWindow();
    QPointer<QFileDialog> dialog = new QFileDialog(owner);
    const auto done = qScopeGuard([&] {
        if (dialog)
            m_folder = dialog->directory().absolutePath();
        delete dialog;
        // The keyboard goes back to the window the dialog came from, also where no window
        // manager is there to hand it back.
        if (owner && owner->isVisible())
            owner->activateWindow();
    });
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setWindowTitle(m_title);
    dialog->setNameFilters(nameFilters(m_filter));
    if (!m_folder.isEmpty())
        dialog->setDirectory(m_folder);
    if (!m_fileName.isEmpty())
        dialog->selectFile(m_fileName);
    if (dialog->exec() != QDialog::Accepted || !dialog)
        throw Error(kCancel);
    const QStringList chosen = dialog->selectedFiles();
    if (!chosen.isEmpty())
        m_fileName = QDir::toNativeSeparators(chosen.first());
}

QString QtFileDialog::FileName() const
{
    return m_fileName;
}

} // namespace platform
