// The main window: its layout, sizing, the news lists' handlers and the first page.
#include "frm_browser.h"

#include "news_catalogue.h"
#include "publisher_site.h"

#include "platform/qt/pictures.h"
#include "platform/resume_next.h"
#include "platform/twips.h"

#include <QEvent>
#include <QMenuBar>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionViewItem>

using namespace Qt::StringLiterals;
using platform::toPixels;
using platform::TwipsRect;

namespace {

// "Zel Tidewell", forty blanks, and the host of the publisher's site.
constexpr QStringView kCaption =
    u"Zel Tidewell                                        www.zelsoft.example";

// Where the client area's top-left corner lies on the screen at start.
constexpr int kStartLeft = 4140;
constexpr int kStartTop = 2835;
// The outer size that Form_Load gives the window.
constexpr float kLoadWidth = 13335.0f;
constexpr float kLoadHeight = 9615.0f;
// Form_Load and Form_Resize take these off the window's outer size for the web view.
constexpr float kWebWidthAllowance = 100.0f;
constexpr float kWebHeightAllowance = 4000.0f;

constexpr TwipsRect kWebBrowserRect{0, 3240, 13335, 6855};
constexpr TwipsRect kList1Rect{0, 1680, 5295, 1785};
constexpr TwipsRect kList2Rect{5280, 1680, 5220, 1635};

constexpr QColor kGrey(128, 128, 128);
constexpr QColor kLightGrey(224, 224, 224);

QFont timesNewRoman(qreal points)
{
    QFont font(u"Times New Roman"_s);
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    return font;
}

// The client area: grey, with the banner drawn once at its natural size at the top-left corner.
// What lies on it without a look of its own (the notices over the web view) is light grey in
// Times New Roman, as List1.
class ClientArea final : public QWidget
{
public:
    explicit ClientArea(QWidget *parent)
        : QWidget(parent)
    {
        setAutoFillBackground(true);
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, kGrey);
        palette.setColor(QPalette::WindowText, kLightGrey);
        setPalette(palette);
        setFont(timesNewRoman(15.75));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        // Again when the window has moved to a screen of the other kind.
        if (m_banner.isNull() || (m_banner.devicePixelRatio() > 1.0) != (devicePixelRatioF() > 1.0))
            m_banner = platform::picture(u"banner"_s, devicePixelRatioF());
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(0, 0, m_banner);
    }

private:
    // The banner for the screen the window is on.
    QPixmap m_banner;
};

// The height of one row of a list, whether or not it holds items yet.
int rowHeight(const QListWidget *list)
{
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.font = list->font();
    option.fontMetrics = QFontMetrics(list->font());
    option.features = QStyleOptionViewItem::HasDisplay;
    option.text = u"Xg"_s;
    return list->style()
        ->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), list)
        .height();
}

ListBox *makeList(QWidget *parent, const QString &name, const QString &readAs,
                  const TwipsRect &design, qreal points, const QString &toolTip, int bottomLimit)
{
    auto *list = new ListBox(parent);
    list->setObjectName(name);
    list->setAccessibleName(readAs);
    list->setAccessibleDescription(toolTip);
    list->setFont(timesNewRoman(points));
    list->setToolTip(toolTip);
    list->setFrameShadow(QFrame::Sunken);
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, kGrey);
    palette.setColor(QPalette::Text, kLightGrey);
    list->setPalette(palette);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    // A list box shows whole rows only: its height is cut back to a whole number of them, and
    // never reaches below the top of the web view.
    QRect rect = design.toPixels();
    const int frame = 2 * list->frameWidth();
    const int row = std::max(rowHeight(list), 1);
    int rows = std::max((rect.height() - frame) / row, 1);
    while (rows > 1 && rect.top() + rows * row + frame > bottomLimit)
        --rows;
    rect.setHeight(rows * row + frame);
    list->setGeometry(rect);
    return list;
}

} // namespace

frmBrowser::frmBrowser(platform::BrowserPlatform platform)
    : m_platform(std::move(platform))
    , WebBrowser(*m_platform.webView)
    , Opener(*m_platform.fileDialog)
{
    setObjectName(u"frmBrowser"_s);
    setWindowTitle(kCaption.toString());
    setWindowIcon(QIcon(u":/zel/tidewell.ico"_s));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kGrey);
    setPalette(palette);

    auto *client = new ClientArea(this);
    setCentralWidget(client);

    const QRect webRect = kWebBrowserRect.toPixels();
    // The client area owns the view from here on, as it owns the lists.
    QWidget *web = m_platform.webView.release()->widget();
    web->setObjectName(u"WebBrowser"_s);
    web->setParent(client);
    web->setGeometry(webRect);

    List2 = makeList(client, u"List2"_s, u"News sub-category"_s, kList2Rect, 14.25,
                     u"Click Here to Open in Tidewell"_s, webRect.top());
    List1 = makeList(client, u"List1"_s, u"News category"_s, kList1Rect, 15.75,
                     u"Click Here Your News Category"_s, webRect.top());
    for (const QString &caption : {u"Technology News"_s, u"Entertainment News"_s,
                                   u"Sports Tournaments News"_s, u"World News"_s}) {
        List1->AddItem(caption);
        List1->setItemData(List1->count() - 1, 0);
    }
    connect(List1, &ListBox::Click, this, [this] { handle(&frmBrowser::List1_Click); });
    connect(List2, &ListBox::Click, this, [this] { handle(&frmBrowser::List2_Click); });
    // List1 is drawn over the 15 twips where it meets List2.
    List1->raise();

    // Focus starts in the web view; Tab goes from it (through the page) to List1, then List2.
    setTabOrder(web, List1);
    setTabOrder(List1, List2);
    web->setFocus();

    buildMenuBar();

    // The client area's top-left corner sits at its start position; the menu bar and the
    // frame lie above and around it.
    const int menuHeight = menuBar()->sizeHint().height();
    setGeometry(QRect(QPoint(toPixels(kStartLeft), toPixels(kStartTop) - menuHeight), size()));

    Form_Load();
}

frmBrowser::~frmBrowser() = default;

void frmBrowser::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmBrowser::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void frmBrowser::Form_Load()
{
    platform::resumeNext([&] { setWidth(kLoadWidth); }, //
                         [&] { setHeight(kLoadHeight); },
                         [&] { WebBrowser.setWidth(Width() - kWebWidthAllowance); },
                         [&] { WebBrowser.setHeight(Height() - kWebHeightAllowance); },
                         [&] { OpenSitePage(u"computer_technology.htm"_s); });
}

void frmBrowser::Form_Resize()
{
    platform::resumeNext([&] { WebBrowser.setWidth(Width() - kWebWidthAllowance); },
                         [&] { WebBrowser.setHeight(Height() - kWebHeightAllowance); });
}

void frmBrowser::OpenSitePage(QString page)
{
    WebBrowser.Navigate(siteAddress(page));
}

void frmBrowser::List1_Click()
{
    const int category = List1->ListIndex();
    if (category < 0 || category > 3)
        return;
    List2->Clear();
    int index = 0;
    for (const SubCategory &sub : subCategoriesOf(category)) {
        List2->AddItem(sub.caption.toString());
        List2->setItemData(index++, sub.code);
    }
}

void frmBrowser::List2_Click()
{
    const int index = List2->ListIndex();
    if (index < 0)
        return;
    const QStringView page = pagePathOf(List2->ItemData(index));
    if (!page.isNull())
        OpenSitePage(page.toString());
}

void frmBrowser::handle(void (frmBrowser::*handler)())
{
    platform::resumeNext([&] { (this->*handler)(); });
}
