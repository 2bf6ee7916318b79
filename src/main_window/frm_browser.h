// The main window class: its controls, its handlers and its menu bar's table.
#pragma once

#include "list_box.h"
#include "menu_tree.h"

#include "platform/browser_platform.h"
#include "platform/qt/outer_size.h"

#include <QMainWindow>

#include <memory>
#include <span>

// The main window: the banner, the news category lists, the menu bar and the web view.
class frmBrowser final : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmBrowser(platform::BrowserPlatform platform);
    ~frmBrowser() override;

    // The outer size of the window (frame, title bar and menu bar included), in twips.
    // Setting it raises platform::Error while the window is minimized or maximized.
    float Width() const { return m_outerSize->width(); }
    float Height() const { return m_outerSize->height(); }
    void setWidth(float twips) { m_outerSize->setWidth(twips); }
    void setHeight(float twips) { m_outerSize->setHeight(twips); }

    // The menu bar's items, in display order.
    static std::span<const MenuRow> menuTree();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void Form_Load();
    void Form_Resize();
    void OpenSitePage(QString page);

    void List1_Click();
    void List2_Click();

    void mnuOpen_Click();
    void mnuClose_Click();
    void mnuRefresh_Click();
    void mnuPrevious_Click();
    void mnuNext_Click();
    void mnuContent_Click();
    void mnuAbout_Click();
    void BrowseBack();
    void BrowseForward();

    void mnuKinseek_Click();
    void mnuFree_Click();
    void mnVDA_Click();
    void mnuCompress_Click();
    void mnuDown_Click();
    void mnuCrawl_Click();
    void mnuDraw_Click();
    void mnuMailer_Click();
    void mnuBrowse_Click();
    void mnuSol_Click();
    void mnuPlayer_Click();
    void mnuSurfer_Click();
    void mnuEditor_Click();
    void mnuPhonebook_Click();
    void mnuGames_Click();
    void mnuTidewell_Click();
    void mnuTech_Click();
    void mnuEntertain_Click();
    void mnuBus_Click();
    void mnuSports_Click();
    void mnuWorld_Click();
    void mnuPublisher_Click();
    void mnuCatalog_Click();
    void mnuStore_Click();

    void buildMenuBar();
    // Runs an event handler; a platform failure that it leaves unhandled ends here, silently,
    // and the window goes on.
    void handle(void (frmBrowser::*handler)());

    static const MenuRow kMenuTree[47];

    platform::BrowserPlatform m_platform;
    platform::WebView &WebBrowser;
    ListBox *List2 = nullptr;
    ListBox *List1 = nullptr;
    platform::FileDialog &Opener;
    platform::OuterSize *m_outerSize = new platform::OuterSize(this);
};
