// The downloads window and its rows, each one switch over its download's state.
#include "downloads_window.h"

#include "download.h"
#include "progress_text.h"

#include "platform/probes.h"
#include "platform/qt/announcer.h"
#include "platform/qt/own_environment.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QUrl>

#include <optional>
#include <utility>

using namespace Qt::StringLiterals;

namespace downloads {

namespace {

// One download's row.
class DownloadRow final : public QWidget
{
public:
    // announcer: tells a screen reader of each change of the download's state.
    DownloadRow(Download *download, platform::Announcer *announcer, QWidget *parent)
        : QWidget(parent)
        , m_download(download)
        , m_announcer(announcer)
        , m_name(QFileInfo(download->target()).fileName())
    {
        setObjectName(u"download"_s);
        auto *grid = new QGridLayout(this);
        auto *name = new QLabel(m_name, this);
        name->setObjectName(u"name"_s);
        name->setTextFormat(Qt::PlainText);
        m_status->setTextFormat(Qt::PlainText);
        m_status->setWordWrap(true);
        QFont bold = name->font();
        bold.setBold(true);
        name->setFont(bold);
        m_status->setObjectName(u"status"_s);
        m_progress->setObjectName(u"progress"_s);
        m_progress->setTextVisible(false);
        m_button->setObjectName(u"action"_s);
        grid->addWidget(name, 0, 0);
        grid->addWidget(m_button, 0, 1, 2, 1);
        grid->addWidget(m_progress, 1, 0);
        grid->addWidget(m_status, 2, 0);
        connect(m_button, &QPushButton::clicked, this, &DownloadRow::act);
        connect(download, &Download::changed, this, &DownloadRow::updateWidget);
        m_running.start();
        updateWidget();
    }

private:
    void updateWidget()
    {
        if (!m_download)
            return;
        platform::probes::downloadRowUpdated();
        const qint64 received = m_download->receivedBytes();
        const qint64 total = m_download->totalBytes();
        switch (m_download->state()) {
        case Download::State::Running:
            m_status->setText(progressText(received, total, double(m_running.elapsed()) / 1000.0));
            if (total > 0) {
                m_progress->setRange(0, 1000);
                m_progress->setValue(int(received * 1000 / total));
            } else {
                m_progress->setRange(0, 0); // size unknown: a busy bar
            }
            m_button->setText(u"Cancel"_s);
            break;
        case Download::State::Completed:
            m_status->setText(u"Completed, "_s + sizeText(received));
            m_progress->setRange(0, 1000);
            m_progress->setValue(1000);
            m_button->setText(u"Open Folder"_s);
            break;
        case Download::State::Failed:
            m_status->setText(u"Failed: "_s + m_download->failure());
            m_progress->hide();
            m_button->hide();
            break;
        case Download::State::Cancelled:
            m_status->setText(u"Cancelled"_s);
            m_progress->hide();
            m_button->hide();
            break;
        case Download::State::Refused:
            m_status->setText(m_download->refusals() == 1
                                  ? u"Refused: the page started it without a user action"_s
                                  : u"Refused: the page started it and "_s +
                                        QString::number(m_download->refusals() - 1) +
                                        u" more without a user action"_s);
            m_progress->hide();
            m_button->hide();
            break;
        }
        // A screen reader reads the row's bar and button with the file's name and its state,
        // and is told when the state changes; names are set only as they change, each change
        // being news that a screen reader has to take in.
        const QString readAs = m_name + u", "_s + m_status->text();
        if (readAs != accessibleName()) {
            setAccessibleName(readAs);
            m_progress->setAccessibleName(readAs);
            m_button->setAccessibleDescription(readAs);
        }
        if (std::exchange(m_told, m_download->state()) != m_download->state())
            m_announcer->announce(readAs);
    }

    void act()
    {
        if (!m_download)
            return;
        if (m_download->state() == Download::State::Running)
            m_download->cancel();
        else if (m_download->state() == Download::State::Completed)
            openFolder(QFileInfo(m_download->target()).absolutePath());
    }

    // Opens the folder in the desktop's file manager, or says why it cannot.
    void openFolder(const QString &folder)
    {
        const auto cannot = [this] {
            m_status->setText(u"Completed, "_s + sizeText(m_download->receivedBytes()) +
                              u"; no program is set up to open folders"_s);
        };
#ifdef Q_OS_UNIX
        // What QDesktopServices would start, with the user's environment and its outcome known.
        // The opener belongs to no window and writes to no pipe of the program's: on some
        // desktops it waits for the file manager it starts, and both go on when the program ends.
        auto *opener = new QProcess;
        opener->setProcessEnvironment(platform::environmentForPrograms());
        opener->setStandardInputFile(QProcess::nullDevice());
        opener->setStandardOutputFile(QProcess::nullDevice());
        opener->setStandardErrorFile(QProcess::nullDevice());
        connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
        connect(opener, &QProcess::errorOccurred, opener, [opener](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart)
                opener->deleteLater();
        });
        connect(opener, &QProcess::finished, this, [cannot](int code, QProcess::ExitStatus status) {
            if (code != 0 || status != QProcess::NormalExit)
                cannot();
        });
        connect(opener, &QProcess::errorOccurred, this, [cannot](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart)
                cannot();
        });
        opener->start(u"xdg-open"_s, {folder});
#else
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
            cannot();
#endif
    }

    QPointer<Download> m_download;
    platform::Announcer *m_announcer;
    QString m_name;
    // The state a screen reader was last told of; none yet.
    std::optional<Download::State> m_told;
    QElapsedTimer m_running;
    QLabel *m_status = new QLabel(this);
    QProgressBar *m_progress = new QProgressBar(this);
    QPushButton *m_button = new QPushButton(this);
};

} // namespace

DownloadsWindow::DownloadsWindow(QWidget *owner)
    : QWidget(owner, Qt::Window)
{
    setObjectName(u"downloads"_s);
    setWindowTitle(u"Downloads"_s);
    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    // No stop of its own for the keyboard: a screen reader would find nothing to say there.
    scroll->setFocusPolicy(Qt::NoFocus);
    auto *list = new QWidget(scroll);
    m_rows = new QVBoxLayout(list);
    m_rows->addStretch();
    scroll->setWidget(list);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    resize(420, 300);
    // It comes up beside the window the user is in, which keeps the keyboard (and a screen
    // reader's attention: the rows' news is told there).
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_announcer = new platform::Announcer(this);
    // Esc closes it, as it closes a dialog.
    auto *close = new QAction(this);
    close->setShortcut(Qt::Key_Escape);
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);
}

void DownloadsWindow::add(Download *download)
{
    m_rows->insertWidget(m_rows->count() - 1, new DownloadRow(download, m_announcer, this));
}

} // namespace downloads
