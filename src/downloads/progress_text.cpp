// What the downloads window says of a download's size and progress.
#include "progress_text.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace downloads {

QString sizeText(qint64 bytes)
{
    constexpr double kb = 1024.0;
    constexpr double mb = 1024.0 * 1024.0;
    if (bytes < 1024)
        return QString::number(bytes) + u" bytes"_s;
    if (bytes < 1024 * 1024)
        return QString::number(qRound64(double(bytes) / kb)) + u" KB"_s;
    return QString::number(double(bytes) / mb, 'f', 1) + u" MB"_s;
}

QString progressText(qint64 received, qint64 total, double seconds)
{
    QString text =
        total < 0 ? sizeText(received) : sizeText(received) + u" of "_s + sizeText(total);
    // The speed once there is enough of it to tell, and from it the time left.
    if (seconds < 1.0 || received <= 0)
        return text;
    const double speed = double(received) / seconds;
    text += u", "_s + sizeText(qint64(speed)) + u"/s"_s;
    if (total > received) {
        const qint64 left = qint64(std::ceil(double(total - received) / speed));
        if (left < 60)
            text += u", "_s + QString::number(left) + u" s left"_s;
        else if (left < 3600)
            text += u", "_s + QString::number((left + 59) / 60) + u" min left"_s;
        else
            text += u", "_s + QString::number(left / 3600) + u" h "_s +
                    QString::number(left % 3600 / 60) + u" min left"_s;
    }
    return text;
}

} // namespace downloads
