// What the downloads window says of a download's size and progress.
#pragma once

#include <QString>

namespace downloads {

// "512 bytes", "156 KB", "4.3 MB".
QString sizeText(qint64 bytes);

// "1.2 MB of 4.3 MB", "156 KB of 156 KB", "512 bytes"; from a second into the download its
// speed and the time left: "1.2 MB of 4.3 MB, 600 KB/s, 6 s left".
QString progressText(qint64 received, qint64 total, double seconds = 0.0);

} // namespace downloads
