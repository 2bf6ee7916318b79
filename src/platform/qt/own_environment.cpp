// Environment settings of the program's own, kept from the programs it starts.
#include "own_environment.h"

#include <QHash>

#include <optional>

namespace platform {

namespace {

// Each name the program set, with the user's value it replaced (none where the user gave none).
QHash<QString, std::optional<QString>> &usersValues()
{
    static QHash<QString, std::optional<QString>> values;
    return values;
}

void setOwn(const char *name, const QByteArray &value)
{
    const QString key = QString::fromLatin1(name);
    if (!usersValues().contains(key))
        usersValues().insert(key, qEnvironmentVariableIsSet(name)
                                      ? std::optional(qEnvironmentVariable(name))
                                      : std::nullopt);
    qputenv(name, value);
}

} // namespace

void setOwnEnvironment(const char *name, const char *value)
{
    if (!qEnvironmentVariableIsSet(name))
        setOwn(name, value);
}

void prependOwnEnvironment(const char *name, const char *value)
{
    const QByteArray users = qgetenv(name).trimmed();
    setOwn(name, users.isEmpty() ? QByteArray(value) : value + QByteArray(" ") + users);
}

QProcessEnvironment environmentForPrograms()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (auto it = usersValues().cbegin(); it != usersValues().cend(); ++it) {
        if (it.value())
            environment.insert(it.key(), *it.value());
        else
            environment.remove(it.key());
    }
    return environment;
}

} // namespace platform
