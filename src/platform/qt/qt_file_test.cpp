// The file test on Qt: a normal file that is not hidden.
#include "qt_file_test.h"

#include "platform/error.h"

#include <QFileInfo>

namespace platform {

std::string QtFileTest::Dir(const std::string &path)
{
    // Paths travel in the system's 8-bit code page.
    const QString name = QString::fromLocal8Bit(path);
    if (name.contains(QChar(u'\0')) || name.size() > 32767)
        throw Error(kBadFileName);
    const QFileInfo file(name);
    if (!file.isFile() || file.isHidden())
        return {};
    return file.fileName().toLocal8Bit().toStdString();
}

} // namespace platform
