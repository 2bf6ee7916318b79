// The reader's pane's rules: zoom steps, the find bar's count, where the bars over it lie, and
// the lines a screen reader reads of the page.
#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <QVariantMap>

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

// What a screen reader is told of a new page: its title and its first line, which the caret is
// on (the title alone where the line begins with it, as a page's first heading often does).
QString pageAnnouncement(const QString &title, const QString &firstLine);

// A link in a line of the page's text: where its words lie, and its address.
struct ReadingLink
{
    qsizetype start = 0;
    qsizetype length = 0;
    QString address;

    bool operator==(const ReadingLink &) const = default;
};

// A line of the page's text as a screen reader speaks it, with its links.
struct ReadingLine
{
    QString text;
    QList<ReadingLink> links;
};

// The line a screen reader speaks for a block of the page, as the page's reading script gives
// it: a map with "kind" and, by kind,
//   heading  "level", "text";                  text: "text"; item: "mark", "text";
//   list     "count", "ordered";               table: "text" (its caption), "rows", "columns";
//   row      "cells" (each "text"), "heads";   field: "text" (its label), "role", "value",
//                                              and "checked" where it can be ticked,
// where a "text" comes with its "links" as [start, length, address] in it. A heading says its
// level, a list its items, a table its caption and size, a row names each cell by its column
// and a field its kind, value and state; each link is followed by the word "link".
ReadingLine readingLine(const QVariantMap &block);

} // namespace reader_pane
