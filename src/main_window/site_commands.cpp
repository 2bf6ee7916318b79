// The site commands of the menu bar: each opens one fixed page of the publisher's site.
#include "frm_browser.h"

using namespace Qt::StringLiterals;

// clang-format off

void frmBrowser::mnuKinseek_Click() { OpenSitePage(u"kinseek.htm"_s); }
void frmBrowser::mnuFree_Click() { OpenSitePage(u"Free_Downloads.htm"_s); }
void frmBrowser::mnVDA_Click() { OpenSitePage(u"trialversion/setup.exe"_s); }
void frmBrowser::mnuCompress_Click() { OpenSitePage(u"PixoTrial/setup.exe"_s); }
void frmBrowser::mnuDown_Click() { OpenSitePage(u"KoloDownTrial/setup.exe"_s); }
void frmBrowser::mnuCrawl_Click() { OpenSitePage(u"KoloCrawlerTrial/setup.exe"_s); }
void frmBrowser::mnuDraw_Click() { OpenSitePage(u"KoloDrawTrial/setup.exe"_s); }
void frmBrowser::mnuMailer_Click() { OpenSitePage(u"KoloMailerTrial/setup.exe"_s); }
void frmBrowser::mnuBrowse_Click() { OpenSitePage(u"KoloBrowserTrial/setup.exe"_s); }
void frmBrowser::mnuSol_Click() { OpenSitePage(u"KoloSolTrial/setup.exe"_s); }
void frmBrowser::mnuPlayer_Click() { OpenSitePage(u"ZelFree/ZelPlayer.exe"_s); }
void frmBrowser::mnuSurfer_Click() { OpenSitePage(u"ZelFree/ZelSurfer.exe"_s); }
void frmBrowser::mnuEditor_Click() { OpenSitePage(u"ZelFree/ZelEditor.exe"_s); }
void frmBrowser::mnuPhonebook_Click() { OpenSitePage(u"ZelFree/ZelPhonebook.exe"_s); }
void frmBrowser::mnuGames_Click() { OpenSitePage(u"ZelFree/ZelGames.exe"_s); }
void frmBrowser::mnuTidewell_Click() { OpenSitePage(u"ZelFree/ZelTidewell.exe"_s); }
void frmBrowser::mnuTech_Click() { OpenSitePage(u"tech_news.htm"_s); }
void frmBrowser::mnuEntertain_Click() { OpenSitePage(u"entertainment_news.htm"_s); }
void frmBrowser::mnuBus_Click() { OpenSitePage(u"business_news.htm"_s); }
void frmBrowser::mnuSports_Click() { OpenSitePage(u"sports_news.htm"_s); }
void frmBrowser::mnuWorld_Click() { OpenSitePage(u"world_news.htm"_s); }
void frmBrowser::mnuPublisher_Click() { OpenSitePage(QString()); }
void frmBrowser::mnuCatalog_Click() { OpenSitePage(u"catalog.htm"_s); }
void frmBrowser::mnuStore_Click() { OpenSitePage(u"store.htm"_s); }
// clang-format on
