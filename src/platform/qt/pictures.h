// The program's pictures, sharp on screens of any density.
#pragma once

#include <QPixmap>
#include <QString>

namespace platform {

// The picture ":/zel/<name>.png" for a screen of this device pixel ratio: its own pixels at 1x,
// above that its drawing of twice as many pixels ("<name>@2x.png"), taking the same room.
inline QPixmap picture(const QString &name, qreal ratio)
{
    if (ratio <= 1.0)
        return QPixmap(u":/zel/" + name + u".png");
    QPixmap sharp(u":/zel/" + name + u"@2x.png");
    sharp.setDevicePixelRatio(2.0);
    return sharp;
}

} // namespace platform
