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

QString pageAnnouncement(const QString &title, const QString &firstLine)
{
    if (firstLine.isEmpty())
        return title;
    if (title.isEmpty() || firstLine.startsWith(title))
        return firstLine;
    return title + u". "_s + firstLine;
}

namespace {

// Adds text to the line, the word "link" after each of its links.
void add(ReadingLine &line, const QString &text, const QVariantList &links)
{
    qsizetype from = 0;
    for (const QVariant &link : links) {
        const QVariantList parts = link.toList();
        const qsizetype start = parts.value(0).toLongLong(), length = parts.value(1).toLongLong();
        if (start < from || length <= 0 || start + length > text.size())
            continue;
        line.text += text.mid(from, start - from);
        line.links.append({line.text.size(), length, parts.value(2).toString()});
        line.text += text.mid(start, length) + u" link"_s;
        from = start + length;
    }
    line.text += text.mid(from);
}

void addText(ReadingLine &line, const QVariantMap &block)
{
    add(line, block.value(u"text"_s).toString(), block.value(u"links"_s).toList());
}

} // namespace

ReadingLine readingLine(const QVariantMap &block)
{
    const QString kind = block.value(u"kind"_s).toString();
    const auto number = [&](const QString &key) {
        return QString::number(block.value(key).toInt());
    };
    ReadingLine line;
    if (kind == u"heading") {
        addText(line, block);
        line.text += u", heading level "_s + number(u"level"_s);
    } else if (kind == u"list") {
        line.text =
            (block.value(u"ordered"_s).toBool() ? u"numbered list with "_s : u"list with "_s) +
            number(u"count"_s) + u" items"_s;
    } else if (kind == u"item") {
        line.text = block.value(u"mark"_s).toString() + u' ';
        addText(line, block);
    } else if (kind == u"table") {
        const QString caption = block.value(u"text"_s).toString();
        line.text = (caption.isEmpty() ? QString() : caption + u", "_s) + u"table with "_s +
                    number(u"rows"_s) + u" rows, "_s + number(u"columns"_s) + u" columns"_s;
    } else if (kind == u"row") {
        const QVariantList cells = block.value(u"cells"_s).toList();
        const QStringList heads = block.value(u"heads"_s).toStringList();
        for (qsizetype i = 0; i < cells.size(); ++i) {
            const QVariantMap cell = cells[i].toMap();
            const QString head = heads.value(i), text = cell.value(u"text"_s).toString();
            if (i > 0)
                line.text += u", "_s;
            if (!head.isEmpty() && head != text)
                line.text += head + u' ';
            addText(line, cell);
        }
    } else if (kind == u"field") {
        addText(line, block);
        for (const QString &key : {u"role"_s, u"value"_s}) {
            if (const QString part = block.value(key).toString(); !part.isEmpty())
                line.text += (line.text.isEmpty() ? QString() : u", "_s) + part;
        }
        if (block.contains(u"checked"_s))
            line.text += block.value(u"checked"_s).toBool() ? u", checked"_s : u", not checked"_s;
    } else {
        addText(line, block);
    }
    return line;
}

} // namespace reader_pane
