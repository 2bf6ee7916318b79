// The reader's pane's rules, without a widget: zoom steps, the find count, the bars' places.
#include "reader_pane/pane_rules.h"

#include <QTest>

using namespace Qt::StringLiterals;
using reader_pane::BarRects;

class PaneRulesTest : public QObject
{
    Q_OBJECT

private slots:
    void zoomSteps_data()
    {
        QTest::addColumn<qreal>("now");
        QTest::addColumn<bool>("up");
        QTest::addColumn<qreal>("next"); // 0: none
        QTest::newRow("in from 100 %") << 1.0 << true << 1.1;
        QTest::newRow("out from 100 %") << 1.0 << false << 0.9;
        QTest::newRow("out at the smallest") << 0.25 << false << 0.0;
        QTest::newRow("in at the largest") << 5.0 << true << 0.0;
        QTest::newRow("in from just below the largest") << 4.9995 << true << 0.0;
        QTest::newRow("out from just above the smallest") << 0.2505 << false << 0.0;
        QTest::newRow("out from between levels") << 1.2 << false << 1.1;
        QTest::newRow("out from below the smallest") << 0.1 << false << 0.0;
    }
    void zoomSteps()
    {
        QFETCH(qreal, now);
        QFETCH(bool, up);
        QFETCH(qreal, next);
        QCOMPARE(reader_pane::zoomStep(now, up).value_or(0.0), next);
    }

    void matchesText()
    {
        QCOMPARE(reader_pane::matchesText(1, 9), u"1 of 9"_s);
        QCOMPARE(reader_pane::matchesText(0, 0), u"No matches"_s);
    }

    // The line a screen reader speaks for each kind of block, as the reading script gives it.
    void readingLines_data()
    {
        QTest::addColumn<QVariantMap>("block");
        QTest::addColumn<QString>("line");
        const QVariantList link{QVariantList{4, 5, u"http://a.example/"_s}};
        QTest::newRow("heading") << QVariantMap{{u"kind"_s, u"heading"_s},
                                                {u"level"_s, 2},
                                                {u"text"_s, u"Ferry news"_s}}
                                 << u"Ferry news, heading level 2"_s;
        QTest::newRow("links") << QVariantMap{{u"kind"_s, u"text"_s},
                                              {u"text"_s, u"See Harry or Sue"_s},
                                              {u"links"_s,
                                               QVariantList{QVariantList{4, 5, u"h"_s},
                                                            QVariantList{13, 3, u"s"_s},
                                                            QVariantList{14, 9, u"outside"_s}}}}
                               << u"See Harry link or Sue link"_s;
        QTest::newRow("list") << QVariantMap{{u"kind"_s, u"list"_s}, {u"count"_s, 3}}
                              << u"list with 3 items"_s;
        QTest::newRow("numbered list")
            << QVariantMap{{u"kind"_s, u"list"_s}, {u"count"_s, 2}, {u"ordered"_s, true}}
            << u"numbered list with 2 items"_s;
        QTest::newRow("item") << QVariantMap{{u"kind"_s, u"item"_s},
                                             {u"mark"_s, u"2."_s},
                                             {u"text"_s, u"Two"_s}}
                              << u"2. Two"_s;
        QTest::newRow("table without caption")
            << QVariantMap{{u"kind"_s, u"table"_s}, {u"rows"_s, 14}, {u"columns"_s, 3}}
            << u"table with 14 rows, 3 columns"_s;
        QTest::newRow("row named by its columns")
            << QVariantMap{{u"kind"_s, u"row"_s},
                           {u"heads"_s, QStringList{u"Program"_s, u"Size"_s, u""_s}},
                           {u"cells"_s,
                            QVariantList{QVariantMap{{u"text"_s, u"Zel Player"_s}},
                                         QVariantMap{{u"text"_s, u"Size"_s}},
                                         QVariantMap{{u"text"_s, u"Get it"_s},
                                                     {u"links"_s, QVariantList{link[0]}}}}}}
            << u"Program Zel Player, Size, Get it"_s;
        QTest::newRow("check box") << QVariantMap{{u"kind"_s, u"field"_s},
                                                  {u"text"_s, u"Subscribe"_s},
                                                  {u"role"_s, u"check box"_s},
                                                  {u"checked"_s, false}}
                                   << u"Subscribe, check box, not checked"_s;
        QTest::newRow("unlabelled edit")
            << QVariantMap{{u"kind"_s, u"field"_s}, {u"role"_s, u"edit"_s}, {u"value"_s, u"Pat"_s}}
            << u"edit, Pat"_s;
    }
    void readingLines()
    {
        QFETCH(QVariantMap, block);
        QTEST(reader_pane::readingLine(block).text, "line");
    }

    void pageAnnouncements()
    {
        using reader_pane::pageAnnouncement;
        QCOMPARE(pageAnnouncement(u"Golf"_s, u"Golf, heading level 1"_s),
                 u"Golf, heading level 1"_s);
        QCOMPARE(pageAnnouncement(u"Golf"_s, u"Scores"_s), u"Golf. Scores"_s);
        QCOMPARE(pageAnnouncement(u"Golf"_s, QString()), u"Golf"_s);
        const auto links =
            reader_pane::readingLine({{u"kind"_s, u"text"_s},
                                      {u"text"_s, u"a b"_s},
                                      {u"links"_s, QVariantList{QVariantList{2, 1, u"x"_s}}}})
                .links;
        QCOMPARE(links, QList<reader_pane::ReadingLink>({{2, 1, u"x"_s}}));
    }

    // The main window's pane lies 216 pixels down its client area; the bars lie over it there,
    // over the part inside the client area only.
    void barsLieOverTheShownPane_data()
    {
        QTest::addColumn<QRect>("pane");
        QTest::addColumn<QSize>("host");
        QTest::addColumn<bool>("findOpen");
        QTest::addColumn<QRect>("notice");
        QTest::addColumn<QRect>("findBar");
        QTest::addColumn<QRect>("link");
        QTest::addColumn<QRect>("progress");
        const QSize link(300, 20);
        QTest::newRow("in the window")
            << QRect(0, 216, 882, 374) << QSize(889, 602) << false << QRect(0, 216, 882, 374)
            << QRect(0, 560, 882, 30) << QRect(0, 570, 300, 20) << QRect(0, 216, 441, 3);
        QTest::newRow("past the window's bottom, find bar open")
            << QRect(0, 216, 882, 500) << QSize(889, 602) << true << QRect(0, 216, 882, 386)
            << QRect(0, 572, 882, 30) << QRect(0, 552, 300, 20) << QRect(0, 216, 441, 3);
    }
    void barsLieOverTheShownPane()
    {
        QFETCH(QRect, pane);
        QFETCH(QSize, host);
        QFETCH(bool, findOpen);
        const BarRects rects = reader_pane::barRects(pane, host, 30, findOpen, {300, 20}, 50);
        QTEST(rects.notice, "notice");
        QTEST(rects.findBar, "findBar");
        QTEST(rects.link, "link");
        QTEST(rects.progress, "progress");
    }
};

QTEST_APPLESS_MAIN(PaneRulesTest)

#include "tst_pane_rules.moc"
