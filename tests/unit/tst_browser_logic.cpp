// Zel Tidewell — a small desktop news reader.
#include "fakes/fake_web_view.h"
#include "main_window/frm_browser.h"

#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

struct Browser
{
    FakeWebView *web = nullptr;
    std::unique_ptr<frmBrowser> window;
};

Browser makeBrowser(QSet<QString> failing = {})
{
    auto web = std::make_unique<FakeWebView>();
    web->failing = std::move(failing);
    Browser browser{web.get(), nullptr};
    browser.window = std::make_unique<frmBrowser>(platform::BrowserPlatform{std::move(web)});
    return browser;
}

QString lastCall(const FakeWebView *web, const QString &operation)
{
    for (auto it = web->calls.crbegin(); it != web->calls.crend(); ++it)
        if (it->startsWith(operation + u' '))
            return it->mid(operation.size() + 1);
    return {};
}

} // namespace

class BrowserLogicTest : public QObject
{
    Q_OBJECT

private slots:
    void loadSizesWindowAndWebViewThenOpensFirstPage()
    {
        const Browser b = makeBrowser();
        QCOMPARE(b.web->calls,
                 QStringList({u"setWidth 13235"_s, u"setHeight 5615"_s,
                              u"Navigate http://www.zelsoft.example/computer_technology.htm"_s}));
        QCOMPARE(b.window->Width(), 13335.0f);
        QCOMPARE(b.window->Height(), 9615.0f);
    }

    void loadGoesOnPastFailingSteps_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::newRow("width") << u"setWidth"_s;
        QTest::newRow("height") << u"setHeight"_s;
        QTest::newRow("navigation refused") << u"Navigate"_s;
    }
    void loadGoesOnPastFailingSteps()
    {
        QFETCH(QString, failing);
        const Browser b = makeBrowser({failing});
        // Every step was tried, the failing one included, and the window comes up.
        QCOMPARE(b.web->calls.size(), 3);
        b.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(b.window.get()));
    }

    void resizeFollowsOuterSize_data()
    {
        QTest::addColumn<float>("outerWidth");
        QTest::addColumn<float>("outerHeight");
        QTest::addColumn<QSize>("webPixels");
        QTest::newRow("larger") << 15000.0f << 11000.0f << QSize(993, 467);
        QTest::newRow("height 4000 gives 0") << 12000.0f << 4000.0f << QSize(793, 0);
    }
    void resizeFollowsOuterSize()
    {
        QFETCH(float, outerWidth);
        QFETCH(float, outerHeight);
        QFETCH(QSize, webPixels);
        const Browser b = makeBrowser();
        b.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(b.window.get()));
        b.window->setWidth(outerWidth);
        b.window->setHeight(outerHeight);
        QTRY_COMPARE(lastCall(b.web, u"setHeight"_s), QString::number(outerHeight - 4000.0f));
        QCOMPARE(lastCall(b.web, u"setWidth"_s), QString::number(outerWidth - 100.0f));
        QCOMPARE(b.web->size(), webPixels);
        QCOMPARE(b.web->pos(), QPoint(0, 216));
    }

    void shortWindowKeepsWebViewHeight()
    {
        const Browser b = makeBrowser();
        b.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(b.window.get()));
        QTRY_COMPARE(b.web->size(), QSize(882, 374));
        b.window->setHeight(3000.0f);
        b.window->setWidth(12000.0f);
        QTRY_COMPARE(lastCall(b.web, u"setWidth"_s), u"11900"_s);
        QCOMPARE(lastCall(b.web, u"setHeight"_s), u"-1000"_s);
        QCOMPARE(b.web->size(), QSize(793, 374));
        // Large enough again, the web view follows the window.
        b.window->setHeight(10000.0f);
        QTRY_COMPARE(b.web->size(), QSize(793, 400));
    }

    void minimizeAndRestoreKeepTheRule()
    {
        const Browser b = makeBrowser();
        b.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(b.window.get()));
        b.window->showMinimized();
        QTRY_VERIFY(b.window->isMinimized());
        QVERIFY_THROWS_EXCEPTION(platform::Error, b.window->setHeight(5000.0f));
        b.window->showNormal();
        QTRY_VERIFY(!b.window->isMinimized());
        QTRY_COMPARE(lastCall(b.web, u"setWidth"_s), QString::number(b.window->Width() - 100.0f));
        QCOMPARE(lastCall(b.web, u"setHeight"_s), QString::number(b.window->Height() - 4000.0f));
        QCOMPARE(b.web->size(), QSize(882, 374));
    }

    void openSitePageJoinsBaseAndPath_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("address");
        QTest::newRow("site root") << QString() << u"http://www.zelsoft.example/"_s;
        QTest::newRow("sub-folder")
            << u"ZelFree/ZelPlayer.exe"_s << u"http://www.zelsoft.example/ZelFree/ZelPlayer.exe"_s;
        QTest::newRow("letter case kept")
            << u"Free_Downloads.htm"_s << u"http://www.zelsoft.example/Free_Downloads.htm"_s;
        QTest::newRow("nothing escaped or trimmed")
            << u" a b#c%20.htm "_s << u"http://www.zelsoft.example/ a b#c%20.htm "_s;
    }
    void openSitePageJoinsBaseAndPath()
    {
        QFETCH(QString, page);
        QFETCH(QString, address);
        const Browser b = makeBrowser();
        b.web->calls.clear();
        b.window->OpenSitePage(page);
        QCOMPARE(b.web->calls, QStringList(u"Navigate "_s + address));
    }

    void openSitePageTwiceNavigatesTwice()
    {
        const Browser b = makeBrowser();
        b.web->calls.clear();
        b.window->OpenSitePage(u"store.htm"_s);
        b.window->OpenSitePage(u"store.htm"_s);
        QCOMPARE(b.web->navigations(), QStringList(2, u"http://www.zelsoft.example/store.htm"_s));
    }

    void openSitePagePassesRefusalToCaller()
    {
        const Browser b = makeBrowser({u"Navigate"_s});
        QVERIFY_THROWS_EXCEPTION(platform::Error, b.window->OpenSitePage(u"store.htm"_s));
    }
};

QTEST_MAIN(BrowserLogicTest)
#include "tst_browser_logic.moc"
