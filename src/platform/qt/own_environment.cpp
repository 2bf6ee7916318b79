// Zel Tidewell — a small desktop news reader.
#include "own_environment.h"

#include <QStringList>

namespace platform {

namespace {

QStringList &ownNames()
{
    static QStringList names;
    return names;
}

} // namespace

void setOwnEnvironment(const char *name, const char *value)
{
    if (qEnvironmentVariableIsSet(name))
        return;
    qputenv(name, value);
    ownNames() << QString::fromLatin1(name);
}

QProcessEnvironment environmentForPrograms()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : ownNames())
        environment.remove(name);
    return environment;
}

} // namespace platform
