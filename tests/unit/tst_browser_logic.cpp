// The main window's logic against fake platform objects: sizing, the first page, the lists.
#include "fakes/fake_browser.h"
#include "main_window/publisher_site.h"

#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

struct Item
{
    QString caption;
    qint32 code;
    bool operator==(const Item &) const = default;
};

QList<Item> itemsOf(const ListBox *list)
{
    QList<Item> items;
    for (int i = 0; i < list->count(); ++i)
        items.append({list->item(i)->text(), list->ItemData(i)});
    return items;
}

char *toString(const Item &item)
{
    return QTest::toString(item.caption + u" = "_s + QString::number(item.code));
}

ListBox *list(const FakeBrowser &b, const QString &name)
{
    return b.window->findChild<ListBox *>(name);
}

// The user chooses row in the list, as a click does.
void choose(ListBox *list, int row)
{
    list->setCurrentRow(row);
    emit list->Click();
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
        const FakeBrowser b;
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
        const FakeBrowser b({failing});
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
        const FakeBrowser b;
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
        const FakeBrowser b;
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
        const FakeBrowser b;
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

    void siteAddressJoinsBaseAndPath_data()
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
    void siteAddressJoinsBaseAndPath()
    {
        QFETCH(QString, page);
        QFETCH(QString, address);
        QCOMPARE(siteAddress(page), address);
    }

    void categoryFillsItsSubCategories_data()
    {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QList<Item>>("items");
        const QList<Item> technology{{u"Computer Technology News"_s, 1},
                                     {u"Internet Technology News"_s, 2},
                                     {u"Multimedia Technology News"_s, 3},
                                     {u"More Technology, Business, & Articles"_s, 4}};
        const QList<Item> entertainment{{u"Top10 Movies News"_s, 5},
                                        {u"Computer Video Games News"_s, 6}};
        const QList<Item> sports{{u"Golf Tournaments News"_s, 7},
                                 {u"Tennis Tournaments News"_s, 8}};
        const QList<Item> world{{u"World Politics & Events News"_s, 9}};
        QTest::newRow("technology") << QList<int>{0} << technology;
        QTest::newRow("entertainment") << QList<int>{1} << entertainment;
        QTest::newRow("sports") << QList<int>{2} << sports;
        QTest::newRow("world") << QList<int>{3} << world;
        QTest::newRow("world after technology") << QList<int>{0, 3} << world;
        QTest::newRow("technology after world") << QList<int>{3, 1, 2, 0} << technology;
        QTest::newRow("same twice") << QList<int>{2, 2} << sports;
    }
    void categoryFillsItsSubCategories()
    {
        QFETCH(QList<int>, clicks);
        QFETCH(QList<Item>, items);
        const FakeBrowser b;
        b.web->calls.clear();
        for (qsizetype i = 0; i < clicks.size(); ++i) {
            choose(list(b, u"List1"_s), clicks[i]);
            // A sub-category chosen in between is dropped by the next category click.
            if (i + 1 < clicks.size())
                list(b, u"List2"_s)->setCurrentRow(0);
        }
        QCOMPARE(itemsOf(list(b, u"List2"_s)), items);
        QCOMPARE(list(b, u"List2"_s)->ListIndex(), -1);
        QVERIFY(list(b, u"List2"_s)->selectedItems().isEmpty());
        // A category click never moves the web view.
        QVERIFY(b.web->calls.isEmpty());
    }

    void subCategoryOpensItsPage_data()
    {
        QTest::addColumn<int>("category");
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("page");
        QTest::newRow("1") << 0 << 0 << u"computer_technology.htm"_s;
        QTest::newRow("2") << 0 << 1 << u"internet_technology.htm"_s;
        QTest::newRow("3") << 0 << 2 << u"multimedia_technology.htm"_s;
        QTest::newRow("4") << 0 << 3 << u"industry_news.htm"_s;
        QTest::newRow("5") << 1 << 0 << u"movies.htm"_s;
        QTest::newRow("6") << 1 << 1 << u"computer_games.htm"_s;
        QTest::newRow("7") << 2 << 0 << u"golf_tournaments.htm"_s;
        QTest::newRow("8") << 2 << 1 << u"tennis_tournaments.htm"_s;
        QTest::newRow("9") << 3 << 0 << u"world_press_news.htm"_s;
    }
    void subCategoryOpensItsPage()
    {
        QFETCH(int, category);
        QFETCH(int, item);
        QFETCH(QString, page);
        const FakeBrowser b;
        choose(list(b, u"List1"_s), category);
        b.web->calls.clear();
        choose(list(b, u"List2"_s), item);
        emit list(b, u"List2"_s)->Click();
        // Twice chosen, twice opened; both lists keep their items and selections.
        QCOMPARE(b.web->navigations(), QStringList(2, u"http://www.zelsoft.example/"_s + page));
        QCOMPARE(list(b, u"List1"_s)->ListIndex(), category);
        QCOMPARE(list(b, u"List2"_s)->ListIndex(), item);
    }

    void codesOutsideTheCatalogueDoNothing_data()
    {
        QTest::addColumn<qint32>("code");
        QTest::newRow("0") << 0;
        QTest::newRow("negative") << -1;
        QTest::newRow("10") << 10;
        QTest::newRow("largest") << std::numeric_limits<qint32>::max();
        QTest::newRow("smallest") << std::numeric_limits<qint32>::min();
    }
    void codesOutsideTheCatalogueDoNothing()
    {
        QFETCH(qint32, code);
        const FakeBrowser b;
        choose(list(b, u"List1"_s), 0);
        list(b, u"List2"_s)->setItemData(1, code);
        b.web->calls.clear();
        choose(list(b, u"List2"_s), 1);
        QVERIFY(b.web->calls.isEmpty());
    }

    void nothingSelectedDoesNothing()
    {
        const FakeBrowser b;
        b.web->calls.clear();
        emit list(b, u"List2"_s)->Click(); // empty list
        emit list(b, u"List1"_s)->Click(); // no category selected: List2 keeps what it has
        QCOMPARE(list(b, u"List2"_s)->count(), 0);
        choose(list(b, u"List1"_s), 2);
        emit list(b, u"List2"_s)->Click(); // filled, nothing selected
        list(b, u"List1"_s)->clearSelection();
        emit list(b, u"List1"_s)->Click();
        QCOMPARE(list(b, u"List2"_s)->count(), 2);
        QVERIFY(b.web->calls.isEmpty());
    }
};

QTEST_MAIN(BrowserLogicTest)
#include "tst_browser_logic.moc"
