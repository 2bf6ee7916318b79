// Zel Tidewell — a small desktop news reader.
#include "downloads.h"

#include "download.h"
#include "downloads_window.h"

#include <QChildEvent>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace platform {

namespace {

// Longest name offered, in bytes of UTF-8: file systems take 255, and the partial names and a
// " (12)" to make the name free must fit too.
constexpr qsizetype kMaxNameBytes = 200;
// Longest extension kept whole when a long name is cut.
constexpr qsizetype kMaxExtension = 16;

bool reservedOnWindows(const QString &name)
{
    static const QStringList devices = {u"CON"_s, u"PRN"_s, u"AUX"_s, u"NUL"_s};
    const QString device = name.section(u'.', 0, 0).trimmed().toUpper();
    if (devices.contains(device))
        return true;
    return device.size() == 4 && (device.startsWith(u"COM"_s) || device.startsWith(u"LPT"_s)) &&
           device[3] >= u'1' && device[3] <= u'9';
}

bool unwantedInName(QChar c)
{
    const auto category = c.category();
    return category == QChar::Other_Control || category == QChar::Other_Format ||
           category == QChar::Other_Surrogate || category == QChar::Other_NotAssigned ||
           u"<>:\"/\\|?*"_s.contains(c);
}

QString trimmed(QString name)
{
    qsizetype begin = 0;
    while (begin < name.size() &&
           (name[begin] == u'.' || name[begin] == u'-' || name[begin].isSpace()))
        ++begin;
    qsizetype end = name.size();
    while (end > begin && (name[end - 1] == u'.' || name[end - 1].isSpace()))
        --end;
    return name.mid(begin, end - begin);
}

// Cuts the name to kMaxNameBytes, keeping a short extension and whole characters.
QString cutToLength(const QString &name)
{
    if (name.toUtf8().size() <= kMaxNameBytes)
        return name;
    const qsizetype dot = name.lastIndexOf(u'.');
    const bool keepExtension = dot > 0 && name.size() - dot <= kMaxExtension;
    const QString extension = keepExtension ? name.mid(dot) : QString();
    QString base = keepExtension ? name.left(dot) : name;
    const qsizetype room = kMaxNameBytes - extension.toUtf8().size();
    while (base.toUtf8().size() > room)
        base.chop(base.size() >= 2 && base.back().isLowSurrogate() ? 2 : 1);
    return trimmed(base) + extension;
}

} // namespace

Downloads::Downloads(QWebEngineView *view, std::unique_ptr<SaveDialog> saveDialog)
    : QObject(view)
    , m_view(view)
    , m_saveDialog(std::move(saveDialog))
{
    connect(view->page()->profile(), &QWebEngineProfile::downloadRequested, this,
            &Downloads::onDownloadRequested);
    // The page's input reaches the engine's own widget inside the view, made later.
    view->installEventFilter(this);
}

Downloads::~Downloads()
{
    for (Download *download : findChildren<Download *>(Qt::FindDirectChildrenOnly))
        download->cancel();
}

bool Downloads::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
        if (auto *child = static_cast<QChildEvent *>(event)->child(); child->isWidgetType())
            child->installEventFilter(this);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::TouchBegin:
        if (event->spontaneous())
            m_userActed = true;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

QString Downloads::plainFileName(const QString &proposed)
{
    const qsizetype cut = std::max(proposed.lastIndexOf(u'/'), proposed.lastIndexOf(u'\\'));
    QString name = proposed.mid(cut + 1);
    for (QChar &c : name)
        if (unwantedInName(c))
            c = u'_';
    name = cutToLength(trimmed(name));
    if (reservedOnWindows(name))
        name.prepend(u'_');
    return name.isEmpty() ? u"download"_s : name;
}

QString Downloads::proposedPath(const QString &folder, const QString &name,
                                const QSet<QString> &inUse)
{
    const QDir dir(folder);
    const QFileInfo file(name);
    const QString suffix =
        file.completeSuffix().isEmpty() ? QString() : u'.' + file.completeSuffix();
    const auto taken = [&](const QString &candidate) {
        const QString path = dir.filePath(candidate);
        return dir.exists(candidate) || inUse.contains(path) ||
               Download::partialNameTaken(path, inUse);
    };
    QString candidate = name;
    for (int n = 1; taken(candidate); ++n)
        candidate = file.baseName() + u" ("_s + QString::number(n) + u')' + suffix;
    return dir.filePath(candidate);
}

QSet<QString> Downloads::inUse() const
{
    QSet<QString> paths;
    for (const Download *download : findChildren<Download *>(Qt::FindDirectChildrenOnly)) {
        if (download->state() != Download::State::Running)
            continue;
        paths << download->target();
        for (const QString &file : download->partialFiles())
            paths << file;
    }
    return paths;
}

// The request must be accepted or cancelled before this returns.
void Downloads::onDownloadRequested(QWebEngineDownloadRequest *request)
{
    if (request->page() != m_view->page())
        return;
    // The Downloads folder, made when the first download needs it, as browsers do. A file is
    // never offered relative to the working directory, which may be anyone's folder.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (!QDir::isAbsolutePath(folder) || !QDir().mkpath(folder))
        folder = QDir::homePath();
    const QString proposed =
        proposedPath(folder, plainFileName(request->suggestedFileName()), inUse());
    // One save dialog for each action of the user. While the dialog is open no action can
    // come, so a page that asks again then is refused too.
    if (!m_userActed) {
        request->cancel();
        if (m_lastRefused) {
            m_lastRefused->refuseAnother();
        } else {
            m_lastRefused = Download::refused(proposed, this);
            show(m_lastRefused);
        }
        return;
    }
    m_userActed = false;
    const QString answer = m_saveDialog->askSavePath(proposed);
    if (answer.isEmpty()) {
        request->cancel();
        return;
    }
    const QString target = QDir::cleanPath(QFileInfo(answer).absoluteFilePath());
    // Asked for again now: other downloads may have started while the dialog was open.
    const QSet<QString> used = inUse();
    if (used.contains(target)) {
        request->cancel();
        show(Download::failed(
            target, u"another download is being saved as "_s + QDir::toNativeSeparators(target),
            this));
        return;
    }
    show(new Download(request, target, Download::freePartialName(target, used), this));
}

void Downloads::show(Download *download)
{
    if (download != m_lastRefused)
        m_lastRefused = nullptr;
    if (!m_window)
        m_window = new DownloadsWindow(m_view->window());
    m_window->add(download);
    m_window->show();
    m_window->raise();
}

} // namespace platform
