// The reader's pane's rules, apart from any widget.
#include "pane_rules.h"

#include <algorithm>
#include <iterator>

using namespace Qt::StringLiterals;

namespace reader_pane {

std::optional<qreal> zoomStep(qreal now, bool up)
{
    // The engine keeps a zoom factor near, not at, the level it was given.
    constexpr qreal slack = 0.001;
    const auto *begin = std::begin(kZoomLevels);
    const auto *end = std::end(kZoomLevels);
    if (up) {
        const auto *next = std::upper_bound(begin, end, now + slack);
        return next == end ? std::nullopt : std::optional(*next);
    }
    const auto *atOrAbove = std::lower_bound(begin, end, now - slack);
    return atOrAbove == begin ? std::nullopt : std::optional(*std::prev(atOrAbove));
}

QString matchesText(int active, int total)
{
    if (total <= 0)
        return u"No matches"_s;
    return QString::number(active) + u" of "_s + QString::number(total);
}

BarRects barRects(const QRect &pane, const QSize &host, int findHeight, bool findOpen,
                  const QSize &link, int percent)
{
    const QRect shown = pane.intersected(QRect(QPoint(0, 0), host));
    const int bottom = shown.bottom() + 1;
    const int above = findOpen ? findHeight : 0;
    return {shown,
            {shown.left(), bottom - findHeight, shown.width(), findHeight},
            {shown.left(), bottom - above - link.height(), std::min(link.width(), shown.width()),
             link.height()},
            {shown.left(), shown.top(), shown.width() * std::clamp(percent, 5, 100) / 100, 3}};
}

} // namespace reader_pane
