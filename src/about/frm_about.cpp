// The About dialog: its layout, its load step and its two buttons.
#include "frm_about.h"

#include "sys_info.h"

#include "platform/qt/dialog_window.h"
#include "platform/qt/pictures.h"
#include "platform/twips.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVersionNumber>

using namespace Qt::StringLiterals;
using platform::toPixels;
using platform::TwipsRect;

namespace {

constexpr TwipsRect kClientRect{2340, 1935, 5730, 3555};
constexpr TwipsRect kPicIconRect{240, 240, 1560, 2070};
constexpr TwipsRect kOkRect{4245, 2625, 1260, 345};
constexpr TwipsRect kSysInfoRect{4260, 3075, 1245, 345};
constexpr TwipsRect kDescriptionRect{1800, 1320, 3885, 930};
constexpr TwipsRect kTitleRect{1800, 360, 3885, 480};
constexpr TwipsRect kVersionRect{1800, 840, 3885, 225};
constexpr TwipsRect kDisclaimerRect{240, 2625, 3870, 825};

// The etched separator: a grey line, and 15 twips below it a wider white one.
struct Line
{
    int x1, y1, x2, y2;
    int width;
    QColor colour;
};
constexpr Line kLine1[] = {
    {105, 2460, 5654, 2460, 2, QColor(255, 255, 255)},
    {90, 2445, 5654, 2445, 1, QColor(128, 128, 128)},
};

constexpr auto kDescription =
    u"Zel Tidewell brings you world-wide daily updated news for technology, entertainment, "
    u"tournaments, and world news from great sources! News feeds are posted on "
    u"www.zelsoft.example/zel_news.htm";
constexpr auto kDisclaimer =
    u"Zel Tidewell, copyright \u00a9 2026 Zelsoft. All rights reserved. This program is "
    u"provided as is, without warranty of any kind.";

QLabel *makeLabel(QWidget *parent, const char *name, const TwipsRect &rect, const QString &text,
                  const QColor &colour)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1StringView(name));
    label->setGeometry(rect.toPixels());
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

} // namespace

frmAbout::frmAbout(platform::AboutPlatform platform)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_platform(std::move(platform))
{
    setObjectName(u"frmAbout"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    platform::keepAsDialog(this);
    setWindowTitle(u"About Zel Tidewell"_s);
    setWindowIcon(QIcon(u":/zel/about.ico"_s));
    setSizeGripEnabled(false);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    setPalette(palette);
    // No control sets a font of its own: they take the dialog's, an eight-point sans-serif
    // as wide as the one the texts' rectangles were laid out for (Arial's widths: Liberation
    // Sans, which the program's package brings; DejaVu Sans, wider, would cut the description).
    QFont font;
    font.setFamilies({u"Liberation Sans"_s, u"Arial"_s});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    setFont(font);
    const QRect client = kClientRect.toPixels();
    setFixedSize(client.size());
    setGeometry(client);

    picIcon = new QLabel(this);
    picIcon->setObjectName(u"picIcon"_s);
    picIcon->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picIcon->setLineWidth(2);
    picIcon->setPixmap(platform::picture(u"about"_s, picIcon->devicePixelRatioF()));
    picIcon->setGeometry(kPicIconRect.toPixels());
    picIcon->setFocusPolicy(Qt::TabFocus);
    picIcon->setAccessibleName(u"Zel Tidewell logo"_s);

    cmdOK = new QPushButton(u"OK"_s, this);
    cmdOK->setObjectName(u"cmdOK"_s);
    cmdOK->setGeometry(kOkRect.toPixels());
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    cmdSysInfo = new QPushButton(u"&System Info..."_s, this);
    cmdSysInfo->setObjectName(u"cmdSysInfo"_s);
    cmdSysInfo->setGeometry(kSysInfoRect.toPixels());
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    lblDescription = makeLabel(this, "lblDescription", kDescriptionRect,
                               QString::fromUtf16(kDescription), QColor(255, 0, 0));
    lblDescription->setAutoFillBackground(true);
    QPalette white = lblDescription->palette();
    white.setColor(QPalette::Window, QColor(255, 255, 255));
    lblDescription->setPalette(white);
    lblTitle = makeLabel(this, "lblTitle", kTitleRect, u"Zel Tidewell"_s, QColor(0, 0, 0));
    lblVersion = makeLabel(this, "lblVersion", kVersionRect, u"Version"_s,
                           palette.color(QPalette::WindowText));
    lblDisclaimer = makeLabel(this, "lblDisclaimer", kDisclaimerRect,
                              QString::fromUtf16(kDisclaimer), QColor(0, 0, 0));

    // Esc presses OK; Tab goes OK, picture, System Info.
    setTabOrder(cmdOK, picIcon);
    setTabOrder(picIcon, cmdSysInfo);
    cmdOK->setFocus();

    Form_Load();
}

frmAbout::~frmAbout() = default;

void frmAbout::Form_Load()
{
    const QVersionNumber version =
        QVersionNumber::fromString(QCoreApplication::applicationVersion());
    lblVersion->setText(u"Version "_s + QString::number(version.majorVersion()) + u'.' +
                        QString::number(version.minorVersion()) + u'.' +
                        QString::number(version.microVersion()));
    // Screen readers leave out a dialog's texts of fewer than three words.
    lblVersion->setAccessibleName(u"Zel Tidewell "_s + lblVersion->text());
}

void frmAbout::cmdOK_Click()
{
    close();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::StartSysInfo()
{
    sysinfo::StartSysInfo(
        {*m_platform.registry, *m_platform.files, *m_platform.programs, *m_platform.messages});
}

bool frmAbout::GetKeyValue(const std::int32_t &KeyRoot, const std::string &KeyName,
                           const std::string &SubKeyRef, std::string &KeyVal)
{
    return sysinfo::GetKeyValue(*m_platform.registry, KeyRoot, KeyName, SubKeyRef, KeyVal);
}

void frmAbout::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    for (const Line &line : kLine1) {
        painter.setPen(QPen(line.colour, line.width, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(toPixels(float(line.x1)), toPixels(float(line.y1)),
                         toPixels(float(line.x2)), toPixels(float(line.y2)));
    }
}
