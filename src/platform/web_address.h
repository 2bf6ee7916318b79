// How a web view address (a URL or a file path) becomes a URL.
#pragma once

#include <QString>
#include <QUrl>

namespace platform {

// The URL that a web view address stands for: an absolute path names a local file (so '#', '%',
// '?' and blanks are part of the name); anything else must be an absolute URL. Raises
// platform::Error for an empty or unusable address.
QUrl webAddressToUrl(const QString &address);

} // namespace platform
