// The real main window, offscreen: layout, fonts, colours, focus and the banner.
#include "fakes/fake_browser.h"
#include "platform/qt/menu_keys.h"
#include "platform/qt/pictures.h"

#include <QFontInfo>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QTest>

#include <limits>
#include <memory>

using namespace Qt::StringLiterals;

class BrowserWidgetTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeBrowser> m_browser;
    FakeWebView *m_web = nullptr;
    frmBrowser *m_window = nullptr;

    QListWidget *list(const char *name) const
    {
        return m_window->findChild<QListWidget *>(QLatin1StringView(name));
    }

private slots:
    void init()
    {
        m_browser = std::make_unique<FakeBrowser>();
        m_web = m_browser->web;
        m_window = m_browser->window.get();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }
    void cleanup() { m_browser.reset(); }

    void captionByteForByte()
    {
        QCOMPARE(m_window->windowTitle().toUtf8(),
                 QByteArray("Zel Tidewell") + QByteArray(40, ' ') + "www.zelsoft.example");
    }

    void windowAtItsStartPositionAndSize()
    {
        QCOMPARE(m_window->frameGeometry().size(), QSize(889, 641));
        QCOMPARE(m_window->centralWidget()->mapToGlobal(QPoint(0, 0)), QPoint(276, 189));
        const QList<QSize> iconSizes = m_window->windowIcon().availableSizes();
        QVERIFY2(iconSizes.contains(QSize(16, 16)) && iconSizes.contains(QSize(32, 32)),
                 qPrintable(QDebug::toString(iconSizes)));
    }

    void controlRectangles()
    {
        QTRY_COMPARE(m_web->geometry(), QRect(0, 216, 882, 374));
        QCOMPARE(m_web->parentWidget(), m_window->centralWidget());

        const QRect list1 = list("List1")->geometry();
        const QRect list2 = list("List2")->geometry();
        QCOMPARE(list1.topLeft(), QPoint(0, 112));
        QCOMPARE(list1.width(), 353);
        QCOMPARE(list2.topLeft(), QPoint(352, 112));
        QCOMPARE(list2.width(), 348);
        // Together the lists span the banner's width, overlapping by one pixel.
        QCOMPARE(list2.right(), 699);
        // Cut back from their design heights, and clear of the web view.
        QVERIFY(list1.height() <= 119);
        QVERIFY(list2.height() <= 109);
        QVERIFY(list1.bottom() < m_web->y());
        QVERIFY(list2.bottom() < m_web->y());
    }

    void listsShowWholeRows_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("List1") << u"List1"_s;
        QTest::newRow("List2") << u"List2"_s;
    }
    void listsShowWholeRows()
    {
        QFETCH(QString, name);
        auto *box = m_window->findChild<QListWidget *>(name);
        if (box->count() == 0)
            box->addItems({u"Golf Tournaments News"_s, u"Tennis Tournaments News"_s});
        const int row = box->visualItemRect(box->item(0)).height();
        QVERIFY(row > 0);
        QCOMPARE(box->viewport()->height() % row, 0);
        QVERIFY(box->viewport()->height() / row >= 3);
    }

    void listFontsColoursAndTips_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qreal>("points");
        QTest::addColumn<QString>("toolTip");
        QTest::newRow("List1") << u"List1"_s << 15.75 << u"Click Here Your News Category"_s;
        QTest::newRow("List2") << u"List2"_s << 14.25 << u"Click Here to Open in Tidewell"_s;
    }
    void listFontsColoursAndTips()
    {
        QFETCH(QString, name);
        QFETCH(qreal, points);
        QFETCH(QString, toolTip);
        auto *box = m_window->findChild<QListWidget *>(name);
        QCOMPARE(box->font().family(), u"Times New Roman"_s);
        QCOMPARE(box->font().pointSizeF(), points);
        QCOMPARE(box->font().weight(), QFont::Normal);
        QVERIFY(!box->font().italic());
        QVERIFY(!box->font().underline());
        // Resolved to Times New Roman itself or to its metric-compatible stand-in.
        const QString face = QFontInfo(box->font()).family();
        QVERIFY2(face == u"Times New Roman" || face == u"Liberation Serif", qPrintable(face));
        QCOMPARE(box->palette().color(QPalette::Base), QColor(128, 128, 128));
        QCOMPARE(box->palette().color(QPalette::Text), QColor(224, 224, 224));
        QCOMPARE(box->toolTip(), toolTip);
        QCOMPARE(box->selectionMode(), QAbstractItemView::SingleSelection);
        QVERIFY(!box->isSortingEnabled());
    }

    void listsStartWithNothingSelected()
    {
        QListWidget *list1 = list("List1");
        QStringList captions;
        for (int i = 0; i < list1->count(); ++i) {
            captions << list1->item(i)->text();
            QCOMPARE(list1->item(i)->data(Qt::UserRole).toInt(), 0);
        }
        QCOMPARE(captions, QStringList({u"Technology News"_s, u"Entertainment News"_s,
                                        u"Sports Tournaments News"_s, u"World News"_s}));
        QCOMPARE(list1->currentRow(), -1);
        QVERIFY(list1->selectedItems().isEmpty());
        QCOMPARE(list("List2")->count(), 0);
    }

    void tabGoesFromWebViewToList1ToList2()
    {
        m_window->activateWindow();
        m_web->setFocus();
        QTRY_VERIFY(m_web->hasFocus());
        QTest::keyClick(m_web, Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), list("List1"));
        QTest::keyClick(list("List1"), Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), list("List2"));
    }

    // A screen reader delivers the Alt of a quick Alt+F after the letter has opened the menu;
    // that press leaves the menu open, and an Alt pressed in the open menu closes it.
    void aLateAltLeavesTheMenuOpen()
    {
        platform::keepMenusFromALateAlt(qApp);
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        auto offerAlt = [](QObject *to, ulong pressedAt) {
            QKeyEvent offer(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::AltModifier);
            offer.setTimestamp(pressedAt);
            QCoreApplication::sendEvent(to, &offer);
        };
        auto *file = m_window->findChild<QMenu *>(u"mnuFile"_s);
        offerAlt(QApplication::focusWidget(), 1);
        QTest::keyClick(m_window->windowHandle(), Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(file->isVisible());
        QKeyEvent late(QEvent::KeyPress, Qt::Key_Alt, Qt::NoModifier);
        QCoreApplication::sendEvent(m_window->windowHandle(), &late);
        QVERIFY(file->isVisible());

        offerAlt(file, std::numeric_limits<quint32>::max());
        QKeyEvent pressed(QEvent::KeyPress, Qt::Key_Alt, Qt::NoModifier);
        QCoreApplication::sendEvent(m_window->windowHandle(), &pressed);
        QTRY_VERIFY(!file->isVisible());
    }

    void picturesForScreensOfTwiceTheDensity_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::newRow("banner") << u"banner"_s << QSize(700, 114);
        QTest::newRow("About picture") << u"about"_s << QSize(100, 134);
    }
    void picturesForScreensOfTwiceTheDensity()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        // The picture's own pixels at 1x; above that twice as many, taking the same room.
        const QImage plain = platform::picture(name, 1.0).toImage();
        QCOMPARE(plain.convertToFormat(QImage::Format_RGB32),
                 QImage(u":/zel/"_s + name + u".png"_s).convertToFormat(QImage::Format_RGB32));
        for (const qreal ratio : {1.25, 1.5, 2.0}) {
            const QPixmap sharp = platform::picture(name, ratio);
            QCOMPARE(sharp.size(), size * 2);
            QCOMPARE(sharp.deviceIndependentSize().toSize(), size);
        }
    }

    void bannerAtNaturalSizeOnGrey()
    {
        const QImage banner(u":/zel/banner.png"_s);
        QCOMPARE(banner.size(), QSize(700, 114));
        const QImage client = m_window->centralWidget()->grab().toImage();
        // Not stretched: the banner's own pixels at the top-left, plain grey to its right.
        for (const QPoint p : {QPoint(0, 0), QPoint(350, 20), QPoint(699, 100)})
            QCOMPARE(client.pixelColor(p), banner.pixelColor(p));
        QCOMPARE(client.pixelColor(705, 50), QColor(128, 128, 128));
        QCOMPARE(client.pixelColor(m_window->centralWidget()->width() - 2, 205),
                 QColor(128, 128, 128));
    }
};

QTEST_MAIN(BrowserWidgetTest)
#include "tst_browser_widget.moc"
