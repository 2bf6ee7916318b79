// Zel Tidewell — a small desktop news reader.
#pragma once

#include "platform/file_dialog.h"

#include <QPointer>
#include <QStringList>

class QFileDialog;

namespace platform {

// Qt's file dialog, made when it is first shown and kept from then on.
class QtFileDialog final : public FileDialog
{
public:
    QtFileDialog();
    ~QtFileDialog() override;

    void setDialogTitle(const QString &title) override;
    void setFilter(const QString &filter) override;
    void ShowOpen() override;
    QString FileName() const override;

    // "WebPages|*.htm; *.html" as Qt's dialog shows it: "WebPages (*.htm *.html)".
    static QStringList nameFilters(const QString &filter);

private:
    QPointer<QFileDialog> m_dialog;
    QString m_title;
    QString m_filter;
    QString m_fileName;
};

} // namespace platform
