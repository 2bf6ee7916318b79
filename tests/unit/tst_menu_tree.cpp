// The menu bar against its table: items, order, access keys and site commands.
#include "fakes/fake_browser.h"

#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The menu bar as the user must find it: control, caption, place, kind, enabled, and for a site
// command the page path it opens (null for every other item).
struct Expected
{
    const char *control;
    const char16_t *caption;
    const char *place;
    MenuRow::Kind kind;
    bool enabled;
    const char16_t *page;
};

constexpr auto S = MenuRow::Submenu;
constexpr auto C = MenuRow::Command;
constexpr auto L = MenuRow::Separator;

const Expected kExpected[] = {
    {"mnuFile", u"&File", "", S, true, nullptr},
    {"mnuOpen", u"&Open...", "mnuFile", C, true, nullptr},
    {"l22", u"-", "mnuFile", L, true, nullptr},
    {"mnuClose", u"&Close Zel Tidewell", "mnuFile", C, true, nullptr},
    {"mnuEdit", u"&Edit", "", S, true, nullptr},
    {"mnuRefresh", u"&Refresh", "mnuEdit", C, true, nullptr},
    {"mnuView", u"&View", "", S, true, nullptr},
    {"mnuPrevious", u"&Previous", "mnuView", C, true, nullptr},
    {"mnuNext", u"&Next", "mnuView", C, true, nullptr},
    {"mnuOnline", u"&Online", "", S, true, nullptr},
    {"mnuKinseek", u"Zel Kinseek &Service", "mnuOnline", C, true, u"kinseek.htm"},
    {"li12", u"-", "mnuOnline", L, true, nullptr},
    {"mnuFree", u"&Free Downloads", "mnuOnline", C, true, u"Free_Downloads.htm"},
    {"mnuTrial", u"&Trial Downloads", "mnuOnline", S, true, nullptr},
    {"mnVDA", u"Vellumar Database Application (11.1MB)", "mnuTrial", C, true,
     u"trialversion/setup.exe"},
    {"mnuVP", u"Vellumar Professional", "mnuTrial", C, false, nullptr},
    {"mnuVS", u"Vellumar Server", "mnuTrial", C, false, nullptr},
    {"l1", u"-", "mnuTrial", L, true, nullptr},
    {"mnuCompress", u"PixoCompressor (820KB)", "mnuTrial", C, true, u"PixoTrial/setup.exe"},
    {"mnuDown", u"KoloDownloader (215KB)", "mnuTrial", C, true, u"KoloDownTrial/setup.exe"},
    {"mnuCrawl", u"KoloCrawler (217KB)", "mnuTrial", C, true, u"KoloCrawlerTrial/setup.exe"},
    {"mnuDraw", u"KoloDraw (324KB)", "mnuTrial", C, true, u"KoloDrawTrial/setup.exe"},
    {"mnuMailer", u"KoloMailer (219KB)", "mnuTrial", C, true, u"KoloMailerTrial/setup.exe"},
    {"mnuBrowse", u"KoloBrowser (206KB)", "mnuTrial", C, true, u"KoloBrowserTrial/setup.exe"},
    {"mnuSol", u"KoloSolitaire (539KB)", "mnuTrial", C, true, u"KoloSolTrial/setup.exe"},
    {"l2", u"-", "mnuTrial", L, true, nullptr},
    {"mnuPlayer", u"Zel Player Free (344KB)", "mnuTrial", C, true, u"ZelFree/ZelPlayer.exe"},
    {"mnuSurfer", u"Zel Surfer Free (116KB)", "mnuTrial", C, true, u"ZelFree/ZelSurfer.exe"},
    {"mnuEditor", u"Zel Editor Free (432KB)", "mnuTrial", C, true, u"ZelFree/ZelEditor.exe"},
    {"mnuPhonebook", u"Zel Phonebook Free (424KB)", "mnuTrial", C, true,
     u"ZelFree/ZelPhonebook.exe"},
    {"mnuGames", u"Zel Games Collection Free (4.3MB)", "mnuTrial", C, true,
     u"ZelFree/ZelGames.exe"},
    {"mnuTidewell", u"Zel Tidewell Free (156KB)", "mnuTrial", C, true, u"ZelFree/ZelTidewell.exe"},
    {"li33", u"-", "mnuOnline", L, true, nullptr},
    {"mnuNews", u"Zel Daily &News", "mnuOnline", S, true, nullptr},
    {"mnuTech", u"Technology News (Computer, Internet, ...)", "mnuNews", C, true, u"tech_news.htm"},
    {"mnuEntertain", u"Entertainment News (Movies, Games, ...)", "mnuNews", C, true,
     u"entertainment_news.htm"},
    {"mnuBus", u"Business News (Stock Market)", "mnuNews", C, true, u"business_news.htm"},
    {"mnuSports", u"Sports News (Golf, Tennis, ...)", "mnuNews", C, true, u"sports_news.htm"},
    {"mnuWorld", u"World News (Politics, World Events, ...)", "mnuNews", C, true,
     u"world_news.htm"},
    {"l67", u"-", "mnuOnline", L, true, nullptr},
    {"mnuPublisher", u"Publisher &Home", "mnuOnline", C, true, u""},
    {"mnuCatalog", u"Publisher &Catalog", "mnuOnline", C, true, u"catalog.htm"},
    {"mnuStore", u"Publisher &Store", "mnuOnline", C, true, u"store.htm"},
    {"mnuHelp", u"&Help", "", S, true, nullptr},
    {"mnuContent", u"&Content", "mnuHelp", C, true, nullptr},
    {"li32", u"-", "mnuHelp", L, true, nullptr},
    {"mnuAbout", u"&About Zel Tidewell...", "mnuHelp", C, true, nullptr},
};

// The access key that a caption marks, or 0.
QChar accessKey(const QString &caption)
{
    const qsizetype at = caption.indexOf(u'&');
    return at >= 0 && at + 1 < caption.size() ? caption.at(at + 1).toUpper() : QChar();
}

} // namespace

class MenuTreeTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeBrowser> m_browser;
    FakeWebView *m_web = nullptr;
    frmBrowser *m_window = nullptr;

    // The actions of a menu (or of the menu bar, for an empty name), in display order.
    QList<QAction *> actionsOf(const QString &place) const
    {
        if (place.isEmpty())
            return m_window->menuBar()->actions();
        return m_window->findChild<QMenu *>(place)->actions();
    }

private slots:
    void init()
    {
        m_browser = std::make_unique<FakeBrowser>();
        m_web = m_browser->web;
        m_window = m_browser->window.get();
        m_web->calls.clear();
    }
    void cleanup() { m_browser.reset(); }

    void tableHoldsEveryItemInOrder()
    {
        const auto table = frmBrowser::menuTree();
        QCOMPARE(table.size(), std::size(kExpected));
        int submenus = 0, separators = 0, handlers = 0, disabled = 0;
        for (size_t i = 0; i < table.size(); ++i) {
            const MenuRow &row = table[i];
            const Expected &want = kExpected[i];
            QCOMPARE(row.control, want.control);
            QCOMPARE(row.caption, QStringView(want.caption));
            QCOMPARE(row.place, want.place);
            QCOMPARE(row.kind, want.kind);
            QCOMPARE(row.enabled, want.enabled);
            // Every command that can be chosen has a handler; nothing else has one.
            QCOMPARE(row.handler != nullptr, want.kind == MenuRow::Command && want.enabled);
            submenus += row.kind == MenuRow::Submenu;
            separators += row.kind == MenuRow::Separator;
            handlers += row.handler != nullptr;
            disabled += !row.enabled;
        }
        QCOMPARE(submenus, 7);
        QCOMPARE(separators, 7);
        QCOMPARE(disabled, 2);
        QCOMPARE(handlers, 31);
    }

    void menusAreBuiltFromTheTable()
    {
        QHash<QString, int> seenPerPlace;
        for (const MenuRow &row : frmBrowser::menuTree()) {
            const QString place = QLatin1StringView(row.place);
            const QList<QAction *> actions = actionsOf(place);
            const int position = seenPerPlace[place]++;
            QVERIFY2(position < actions.size(), row.control);
            const QAction *action = actions.at(position);
            QCOMPARE(action->objectName(), QLatin1StringView(row.control));
            QCOMPARE(action->isSeparator(), row.kind == MenuRow::Separator);
            QCOMPARE(action->menu() != nullptr, row.kind == MenuRow::Submenu);
            if (row.kind != MenuRow::Separator)
                QCOMPARE(action->text(), row.caption.toString());
            QCOMPARE(action->isEnabled(), row.enabled);
            QVERIFY(action->isVisible());
            QVERIFY(action->shortcut().isEmpty());
            QVERIFY(!action->isCheckable());
        }
        // Nothing beyond the table.
        for (auto it = seenPerPlace.cbegin(); it != seenPerPlace.cend(); ++it)
            QCOMPARE(actionsOf(it.key()).size(), it.value());
        QCOMPARE(actionsOf(u"mnuView"_s).size(), 2);
    }

    void separatorBeforePublisherHome()
    {
        const QList<QAction *> online = actionsOf(u"mnuOnline"_s);
        const auto publisher = std::find_if(online.cbegin(), online.cend(), [](QAction *a) {
            return a->objectName() == u"mnuPublisher";
        });
        QVERIFY(publisher != online.cbegin() && publisher != online.cend());
        QCOMPARE((*std::prev(publisher))->objectName(), u"l67"_s);
    }

    void accessKeysUniqueWithinEachMenu()
    {
        const QStringList places{QString(),      u"mnuFile"_s,  u"mnuEdit"_s, u"mnuView"_s,
                                 u"mnuOnline"_s, u"mnuTrial"_s, u"mnuNews"_s, u"mnuHelp"_s};
        for (const QString &place : places) {
            QHash<QChar, QStringList> byKey;
            for (const QAction *action : actionsOf(place))
                if (const QChar key = accessKey(action->text()); !key.isNull())
                    byKey[key] << action->objectName();
            for (auto it = byKey.cbegin(); it != byKey.cend(); ++it) {
                if (place == u"mnuOnline" && it.key() == u'S')
                    QCOMPARE(it.value(), QStringList({u"mnuKinseek"_s, u"mnuStore"_s}));
                else
                    QVERIFY2(it.value().size() == 1, qPrintable(it.value().join(u' ')));
            }
        }
        // The product and news-section items have no access key.
        for (const QAction *action : actionsOf(u"mnuTrial"_s) + actionsOf(u"mnuNews"_s))
            QVERIFY2(accessKey(action->text()).isNull(), qPrintable(action->text()));
    }

    void siteCommandsOpenTheirPages()
    {
        for (const Expected &want : kExpected) {
            if (!want.page)
                continue;
            auto *action = m_window->findChild<QAction *>(QLatin1StringView(want.control));
            m_web->calls.clear();
            action->trigger();
            action->trigger();
            const QString address = u"http://www.zelsoft.example/"_s + QStringView(want.page);
            QCOMPARE(m_web->calls, QStringList(2, u"Navigate "_s + address));
        }
    }

    void refusedNavigationLeavesTheWindowRunning()
    {
        m_web->failing = {u"Navigate"_s};
        m_window->findChild<QAction *>(u"mnuStore"_s)->trigger();
        QCOMPARE(m_web->calls, QStringList(u"Navigate http://www.zelsoft.example/store.htm"_s));
    }
};

QTEST_MAIN(MenuTreeTest)
#include "tst_menu_tree.moc"
