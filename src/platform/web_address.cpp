// How a web view address (a URL or a file path) becomes a URL.
#include "web_address.h"

#include "error.h"

#include <QDir>

namespace platform {

QUrl webAddressToUrl(const QString &address)
{
    if (address.trimmed().isEmpty())
        throw Error(kInvalidArgument, "No address was given");
    if (QDir::isAbsolutePath(address))
        return QUrl::fromLocalFile(address);

    const QUrl url(address, QUrl::TolerantMode);
    // A one-letter scheme is a drive letter of a path from another system, not a URL.
    const bool hasScheme = url.scheme().size() > 1;
    const bool needsHost = url.scheme() == u"http" || url.scheme() == u"https";
    if (!url.isValid() || !hasScheme || (needsHost && url.host().isEmpty()))
        throw Error(kInvalidArgument, "The address \"" + address.toStdString() +
                                          "\" is neither a web address nor a file path");
    return url;
}

} // namespace platform
