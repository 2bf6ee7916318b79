// Zel Tidewell — a small desktop news reader.
#include "qt_file_dialog.h"

#include "platform/error.h"

#include <QApplication>
#include <QFileDialog>

using namespace Qt::StringLiterals;

namespace platform {

QtFileDialog::QtFileDialog() = default;
QtFileDialog::~QtFileDialog()
{
    delete m_dialog;
}

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
    if (!m_dialog) {
        m_dialog = new QFileDialog(QApplication::activeWindow());
        m_dialog->setAcceptMode(QFileDialog::AcceptOpen);
        m_dialog->setFileMode(QFileDialog::ExistingFile);
    }
    m_dialog->setWindowTitle(m_title);
    m_dialog->setNameFilters(nameFilters(m_filter));
    if (!m_fileName.isEmpty())
        m_dialog->selectFile(m_fileName);
    if (m_dialog->exec() != QDialog::Accepted)
        throw Error(kCancelError, "Cancel was selected.");
    const QStringList chosen = m_dialog->selectedFiles();
    if (!chosen.isEmpty())
        m_fileName = QDir::toNativeSeparators(chosen.first());
}

QString QtFileDialog::FileName() const
{
    return m_fileName;
}

} // namespace platform
