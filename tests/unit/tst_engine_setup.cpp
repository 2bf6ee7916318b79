// The engine's set-up: which machines count as having a GPU.
#include "platform/webengine/engine_setup.h"

#include <QTest>

using namespace Qt::StringLiterals;

class EngineSetupTest : public QObject
{
    Q_OBJECT

private slots:
    void renderNodeMeansAGpu_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<bool>("gpu");
        QTest::newRow("no /dev/dri") << QStringList() << false;
        QTest::newRow("a GPU") << QStringList{u"card0"_s, u"renderD128"_s, u"by-path"_s} << true;
        QTest::newRow("two GPUs") << QStringList{u"renderD128"_s, u"renderD129"_s} << true;
        // A display controller without a render node (a simple frame buffer) draws nothing.
        QTest::newRow("display only") << QStringList{u"card0"_s, u"by-path"_s} << false;
        QTest::newRow("look-alike") << QStringList{u"xrenderD128"_s, u"render"_s} << false;
    }
    void renderNodeMeansAGpu()
    {
        QFETCH(QStringList, entries);
        QFETCH(bool, gpu);
        QCOMPARE(platform::hasRenderNode(entries), gpu);
    }
};

QTEST_GUILESS_MAIN(EngineSetupTest)
#include "tst_engine_setup.moc"
