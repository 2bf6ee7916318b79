// The platform's small rules: resume-next, twips, web addresses.
#include "platform/error.h"
#include "platform/resume_next.h"
#include "platform/twips.h"
#include "platform/web_address.h"

#include <QTest>

#include <stdexcept>

using namespace Qt::StringLiterals;

class PlatformTest : public QObject
{
    Q_OBJECT

private slots:
    void resumeNextSkipsFailingSteps()
    {
        QStringList ran;
        platform::resumeNext([&] { ran << u"1"_s; },
                             [&] {
                                 ran << u"2"_s;
                                 throw platform::Error(5, "step 2 failed");
                             },
                             [&] { ran << u"3"_s; },
                             [&] { throw platform::Error(-1, "step 4 failed"); });
        QCOMPARE(ran, QStringList({u"1"_s, u"2"_s, u"3"_s}));
    }

    void resumeNextLetsProgramFaultsThrough()
    {
        bool after = false;
        QVERIFY_THROWS_EXCEPTION(
            std::logic_error,
            platform::resumeNext([] { throw std::logic_error("bug"); }, [&] { after = true; }));
        QVERIFY(!after);
    }

    void twipsToPixels_data()
    {
        QTest::addColumn<float>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("window width") << 13335.0f << 889;
        QTest::newRow("web view height") << 5615.0f << 374;
        QTest::newRow("half a pixel rounds up") << 7.5f << 1;
        QTest::newRow("below half a pixel") << 7.0f << 0;
        QTest::newRow("zero") << 0.0f << 0;
        QTest::newRow("huge is clamped") << 1e30f << QWIDGETSIZE_MAX;
    }
    void twipsToPixels()
    {
        QFETCH(float, twips);
        QFETCH(int, pixels);
        QCOMPARE(platform::toPixels(twips), pixels);
    }

    void designRectangles()
    {
        QCOMPARE((platform::TwipsRect{5280, 1680, 5220, 1635}.toPixels()),
                 QRect(352, 112, 348, 109));
        QCOMPARE(platform::toTwips(641), 9615.0f);
    }

    void fileAddresses_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("plain") << u"/tmp/page.htm"_s;
        QTest::newRow("blanks") << u"/tmp/saved pages/my page.htm"_s;
        QTest::newRow("hash") << u"/tmp/news #1.htm"_s;
        QTest::newRow("percent") << u"/tmp/100%25 sure.htm"_s;
        QTest::newRow("question mark") << u"/tmp/why?.html"_s;
        QTest::newRow("non-ASCII") << u"/tmp/Zürich – Nachrichten.htm"_s;
        QTest::newRow("leading dash") << u"/tmp/-rf.htm"_s;
    }
    void fileAddresses()
    {
        QFETCH(QString, path);
        const QUrl url = platform::webAddressToUrl(path);
        QVERIFY(url.isLocalFile());
        QCOMPARE(url.toLocalFile(), path);
        QVERIFY(!url.hasFragment());
        QVERIFY(!url.hasQuery());
    }

    void webAddresses_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("url");
        QTest::newRow("site page") << u"http://www.zelsoft.example/Free_Downloads.htm"_s
                                   << u"http://www.zelsoft.example/Free_Downloads.htm"_s;
        QTest::newRow("site root")
            << u"http://www.zelsoft.example/"_s << u"http://www.zelsoft.example/"_s;
        QTest::newRow("blank in path")
            << u"http://www.zelsoft.example/a b.htm"_s << u"http://www.zelsoft.example/a%20b.htm"_s;
        QTest::newRow("file URL") << u"file:///tmp/x.htm"_s << u"file:///tmp/x.htm"_s;
    }
    void webAddresses()
    {
        QFETCH(QString, address);
        QFETCH(QString, url);
        QCOMPARE(platform::webAddressToUrl(address).toString(QUrl::FullyEncoded), url);
    }

    void unusableAddresses_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("empty") << QString();
        QTest::newRow("blanks only") << u"   "_s;
        QTest::newRow("http without host") << u"http:///"_s;
        QTest::newRow("relative") << u"computer_technology.htm"_s;
#ifndef Q_OS_WIN
        QTest::newRow("drive letter") << u"C:\\pages\\x.htm"_s;
#endif
    }
    void unusableAddresses()
    {
        QFETCH(QString, address);
        try {
            platform::webAddressToUrl(address);
            QFAIL("no error raised");
        } catch (const platform::Error &error) {
            QCOMPARE(error.number(), platform::kInvalidArgument.number);
            QVERIFY(!error.description().empty());
        }
    }
};

QTEST_APPLESS_MAIN(PlatformTest)
#include "tst_platform.moc"
