// The main window's menu bar: the table of its 47 items, and the menus built from it.
#include "frm_browser.h"

#include <QHash>
#include <QMenuBar>

namespace {

constexpr const char *kBar = "";
constexpr auto Submenu = MenuRow::Submenu;
constexpr auto Command = MenuRow::Command;
constexpr auto Separator = MenuRow::Separator;
constexpr bool Enabled = true;
constexpr bool Disabled = false;

} // namespace

// The whole menu bar, in display order.
constexpr MenuRow frmBrowser::kMenuTree[] = {
    {"mnuFile", u"&File", kBar, Submenu, Enabled, nullptr},
    {"mnuOpen", u"&Open...", "mnuFile", Command, Enabled, &frmBrowser::mnuOpen_Click},
    {"l22", u"-", "mnuFile", Separator, Enabled, nullptr},
    {"mnuClose", u"&Close Zel Tidewell", "mnuFile", Command, Enabled, &frmBrowser::mnuClose_Click},
    {"mnuEdit", u"&Edit", kBar, Submenu, Enabled, nullptr},
    {"mnuRefresh", u"&Refresh", "mnuEdit", Command, Enabled, &frmBrowser::mnuRefresh_Click},
    {"mnuView", u"&View", kBar, Submenu, Enabled, nullptr},
    {"mnuPrevious", u"&Previous", "mnuView", Command, Enabled, &frmBrowser::mnuPrevious_Click},
    {"mnuNext", u"&Next", "mnuView", Command, Enabled, &frmBrowser::mnuNext_Click},
    {"mnuOnline", u"&Online", kBar, Submenu, Enabled, nullptr},
    {"mnuKinseek", u"Zel Kinseek &Service", "mnuOnline", Command, Enabled,
     &frmBrowser::mnuKinseek_Click},
    {"li12", u"-", "mnuOnline", Separator, Enabled, nullptr},
    {"mnuFree", u"&Free Downloads", "mnuOnline", Command, Enabled, &frmBrowser::mnuFree_Click},
    {"mnuTrial", u"&Trial Downloads", "mnuOnline", Submenu, Enabled, nullptr},
    {"mnVDA", u"Vellumar Database Application (11.1MB)", "mnuTrial", Command, Enabled,
     &frmBrowser::mnVDA_Click},
    {"mnuVP", u"Vellumar Professional", "mnuTrial", Command, Disabled, nullptr},
    {"mnuVS", u"Vellumar Server", "mnuTrial", Command, Disabled, nullptr},
    {"l1", u"-", "mnuTrial", Separator, Enabled, nullptr},
    {"mnuCompress", u"PixoCompressor (820KB)", "mnuTrial", Command, Enabled,
     &frmBrowser::mnuCompress_Click},
    {"mnuDown", u"KoloDownloader (215KB)", "mnuTrial", Command, Enabled,
     &frmBrowser::mnuDown_Click},
    {"mnuCrawl", u"KoloCrawler (217KB)", "mnuTrial", Command, Enabled, &frmBrowser::mnuCrawl_Click},
    {"mnuDraw", u"KoloDraw (324KB)", "mnuTrial", Command, Enabled, &frmBrowser::mnuDraw_Click},
    {"mnuMailer", u"KoloMailer (219KB)", "mnuTrial", Command, Enabled,
     &frmBrowser::mnuMailer_Click},
    {"mnuBrowse", u"KoloBrowser (206KB)", "mnuTrial", Command, Enabled,
     &frmBrowser::mnuBrowse_Click},
    {"mnuSol", u"KoloSolitaire (539KB)", "mnuTrial", Command, Enabled, &frmBrowser::mnuSol_Click},
    {"l2", u"-", "mnuTrial", Separator, Enabled, nullptr},
    {"mnuPlayer", u"Zel Player Free (344KB)", "mnuTrial", Command, Enabled,
     &frmBrowser::mnuPlayer_Click},
    {"mnuSurfer", u"Zel Surfer Free (116KB)", "mnuTrial", Command, Enabled,
     &frmBrowser::mnuSurfer_Click},
    {"mnuEditor", u"Zel Editor Free (432KB)", "mnuTrial", Command, Enabled,
     &frmBrowser::mnuEditor_Click},
    {"mnuPhonebook", u"Zel Phonebook Free (424KB)", "mnuTrial", Command, Enabled,
     &frmBrowser::mnuPhonebook_Click},
    {"mnuGames", u"Zel Games Collection Free (4.3MB)", "mnuTrial", Command, Enabled,
     &frmBrowser::mnuGames_Click},
    {"mnuTidewell", u"Zel Tidewell Free (156KB)", "mnuTrial", Command, Enabled,
     &frmBrowser::mnuTidewell_Click},
    {"li33", u"-", "mnuOnline", Separator, Enabled, nullptr},
    {"mnuNews", u"Zel Daily &News", "mnuOnline", Submenu, Enabled, nullptr},
    {"mnuTech", u"Technology News (Computer, Internet, ...)", "mnuNews", Command, Enabled,
     &frmBrowser::mnuTech_Click},
    {"mnuEntertain", u"Entertainment News (Movies, Games, ...)", "mnuNews", Command, Enabled,
     &frmBrowser::mnuEntertain_Click},
    {"mnuBus", u"Business News (Stock Market)", "mnuNews", Command, Enabled,
     &frmBrowser::mnuBus_Click},
    {"mnuSports", u"Sports News (Golf, Tennis, ...)", "mnuNews", Command, Enabled,
     &frmBrowser::mnuSports_Click},
    {"mnuWorld", u"World News (Politics, World Events, ...)", "mnuNews", Command, Enabled,
     &frmBrowser::mnuWorld_Click},
    {"l67", u"-", "mnuOnline", Separator, Enabled, nullptr},
    {"mnuPublisher", u"Publisher &Home", "mnuOnline", Command, Enabled,
     &frmBrowser::mnuPublisher_Click},
    {"mnuCatalog", u"Publisher &Catalog", "mnuOnline", Command, Enabled,
     &frmBrowser::mnuCatalog_Click},
    {"mnuStore", u"Publisher &Store", "mnuOnline", Command, Enabled, &frmBrowser::mnuStore_Click},
    {"mnuHelp", u"&Help", kBar, Submenu, Enabled, nullptr},
    {"mnuContent", u"&Content", "mnuHelp", Command, Enabled, &frmBrowser::mnuContent_Click},
    {"li32", u"-", "mnuHelp", Separator, Enabled, nullptr},
    {"mnuAbout", u"&About Zel Tidewell...", "mnuHelp", Command, Enabled,
     &frmBrowser::mnuAbout_Click},
};

std::span<const MenuRow> frmBrowser::menuTree()
{
    return kMenuTree;
}

void frmBrowser::buildMenuBar()
{
    QMenuBar *bar = menuBar();
    bar->setNativeMenuBar(false);
    QHash<QByteArrayView, QMenu *> submenus;
    for (const MenuRow &row : kMenuTree) {
        QMenu *place = submenus.value(QByteArrayView(row.place));
        const QString caption = row.caption.toString();
        QAction *action = nullptr;
        switch (row.kind) {
        case MenuRow::Submenu: {
            QMenu *menu = place ? place->addMenu(caption) : bar->addMenu(caption);
            menu->setObjectName(QLatin1StringView(row.control));
            submenus.insert(QByteArrayView(row.control), menu);
            action = menu->menuAction();
            break;
        }
        case MenuRow::Separator:
            action = place->addSeparator();
            break;
        case MenuRow::Command:
            action = place->addAction(caption);
            break;
        }
        action->setObjectName(QLatin1StringView(row.control));
        action->setEnabled(row.enabled);
        if (const auto handler = row.handler)
            connect(action, &QAction::triggered, this, [this, handler] { handle(handler); });
    }
}
