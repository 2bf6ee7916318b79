// The message box on QMessageBox, with the Windows flags' buttons and icons.
#include "qt_message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace platform {

MessageBox::Answer QtMessageBox::MsgBox(const std::string &prompt, Buttons buttons, Icon icon,
                                        const std::optional<std::string> &title)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QString::fromStdString(title.value_or(kApplicationTitle)));
    box.setText(QString::fromStdString(prompt));
    box.setTextFormat(Qt::PlainText);
    box.setIcon(icon == Critical      ? QMessageBox::Critical
                : icon == Information ? QMessageBox::Information
                                      : QMessageBox::NoIcon);
    if (buttons == AbortRetryIgnore) {
        box.setDefaultButton(box.addButton(QMessageBox::Abort));
        box.addButton(QMessageBox::Retry);
        box.addButton(QMessageBox::Ignore);
    } else {
        box.setDefaultButton(box.addButton(QMessageBox::Ok));
        box.setEscapeButton(QMessageBox::Ok);
    }
    switch (box.exec()) {
    case QMessageBox::Abort:
        return Abort;
    case QMessageBox::Retry:
        return Retry;
    case QMessageBox::Ignore:
        return Ignore;
    default:
        return Ok;
    }
}

} // namespace platform
