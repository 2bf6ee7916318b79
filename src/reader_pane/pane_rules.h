// The reader's pane's rules: zoom steps, the find bar's count, where the bars over it lie.
#pragma once

#include <QRect>
#include <QString>

#include <optional>

namespace reader_pane {

// The zoom levels that Ctrl+plus and Ctrl+minus step through, as browsers have them.
inline constexpr qreal kZoomLevels[] = {0.25, 0.33, 0.5,  0.67, 0.75, 0.8, 0.9, 1.0, 1.1,
                                        1.25, 1.5,  1.75, 2.0,  2.5,  3.0, 4.0, 5.0};

// The next level above the zoom now (up), or below it; nothing past either end.
std::optional<qreal> zoomStep(qreal now, bool up);

// The find bar's count: "3 of 9", or "No matches".
QString matchesText(int active, int total);

// Where the bars over the pane lie, in the coordinates of the widget they are drawn in.
struct BarRects
{
    QRect notice;   // over all of the pane that is shown
    QRect findBar;  // along its bottom
    QRect link;     // at its lower left, above the find bar when that is open
    QRect progress; // a line along its top, as long as the share of the page loaded
};

// pane: the pane's rectangle in the host they are drawn in, of size host; only the part of the
// pane inside the host shows, and the bars lie there.
BarRects barRects(const QRect &pane, const QSize &host, int findHeight, bool findOpen,
                  const QSize &link, int percent);

} // namespace reader_pane
