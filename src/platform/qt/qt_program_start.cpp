// Program start on Qt: a detached process, the whole path as the program.
#include "qt_program_start.h"

#include "own_environment.h"

#include "platform/error.h"

#include <QFileInfo>
#include <QProcess>

namespace platform {

void QtProgramStart::Shell(const std::string &program, int)
{
    const QString path = QString::fromLocal8Bit(program);
    if (path.isEmpty())
        throw Error(kInvalidProcedureCall);
    // The whole path is the program: no shell and no command-line rules split it into words.
    QProcess process;
    process.setProgram(path);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setProcessEnvironment(environmentForPrograms());
    if (!QFileInfo(path).isFile() || !process.startDetached())
        throw Error(kFileNotFound, std::string(kFileNotFound.description) + ": " + program);
}

} // namespace platform
