// The file-open dialog on Qt's file dialog.
#pragma once

#include "platform/file_dialog.h"

#include <QStringList>

namespace platform {

// Qt's file dialog. It remembers the title, the filter, the file chosen last and the folder
// shown last from one showing to the next.
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
    QString m_title;
    QString m_filter;
    QString m_fileName;
    QString m_folder;
};

} // namespace platform
