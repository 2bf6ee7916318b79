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
