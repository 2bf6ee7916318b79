// The real web view: history, sizes, addresses, pages from disk and their dialogs; the
// reader's context menu over it.
#include "platform/error.h"
#include "platform/webengine/qt_web_view.h"
#include "reader_pane/reader_tools.h"
#include "sample_site.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEngineHistory>
#include <QWebEngineProfile>
#include <QWebEngineScript>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using platform::QtWebView;

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Writes a small page with the given title (and body) into dir, returns its path.
QString writePage(const QTemporaryDir &dir, const QString &name, const QString &title,
                  const QString &body = {})
{
    const QString path = dir.filePath(name);
    const QString page = u"<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>"_s + title +
                         u"</title></head><body>"_s + body + u"</body></html>"_s;
    return writeFile(path, page.toUtf8()) ? path : QString();
}

template <typename Call> std::int32_t errorNumber(Call call)
{
    try {
        call();
    } catch (const platform::Error &error) {
        return error.number();
    }
    return 0;
}

// The value of a script expression in the page shown, run in a world of the test's own: it
// sees the page's document even where the page's own scripts do not run.
QVariant evaluate(QtWebView &view, const QString &script)
{
    QVariant result;
    bool done = false;
    view.page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                               [&](const QVariant &value) {
                                   result = value;
                                   done = true;
                               });
    if (!QTest::qWaitFor([&] { return done; }, 20000))
        return u"(no answer)"_s;
    return result;
}

// A script busy for five seconds, past the runaway guard's deadline of four.
const QString kBusy = u"const end = Date.now() + 5000; while (Date.now() < end) {}"_s;

// A page only just shown may drop a click while its renderer settles (and the view may change
// the widget that takes its input): clicks again until the click has had its effect.
template <typename Done>
bool clickUntil(QtWebView &view, Qt::MouseButton button, QPoint at, Done done)
{
    const QDeadlineTimer deadline(20000);
    do {
        if (view.focusProxy())
            QTest::mouseClick(view.focusProxy(), button, {}, at);
    } while (!QTest::qWaitFor(done, 2000) && !deadline.hasExpired());
    return done();
}

} // namespace

class QtWebViewTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void profileIsOffTheRecord()
    {
        QtWebView view;
        QVERIFY(view.page()->profile()->isOffTheRecord());
        QCOMPARE(view.page()->profile()->persistentCookiesPolicy(),
                 QWebEngineProfile::NoPersistentCookies);
        QCOMPARE(view.page()->profile()->httpCacheType(), QWebEngineProfile::MemoryHttpCache);
    }

    void historyFailuresAreErrors()
    {
        QtWebView view;
        QCOMPARE(errorNumber([&] { view.GoBack(); }), platform::kOperationFailed.number);
        QCOMPARE(errorNumber([&] { view.GoForward(); }), platform::kOperationFailed.number);
        QCOMPARE(errorNumber([&] { view.Refresh(); }), platform::kOperationFailed.number);

        QVERIFY(loadAndWait(view, writePage(m_dir, u"one.htm"_s, u"One"_s)));
        QVERIFY(loadAndWait(view, writePage(m_dir, u"two.htm"_s, u"Two"_s)));
        QCOMPARE(errorNumber([&] { view.GoForward(); }), platform::kOperationFailed.number);

        // Each step waits for the load to finish: a title can show before its load has ended,
        // and a load started then would take the place of the one under way.
        QSignalSpy finished(&view, &QWebEngineView::loadFinished);
        view.GoBack();
        QTRY_VERIFY_WITH_TIMEOUT(finished.size() == 1 && view.title() == u"One", 20000);
        QCOMPARE(errorNumber([&] { view.GoBack(); }), platform::kOperationFailed.number);
        view.GoForward();
        QTRY_VERIFY_WITH_TIMEOUT(finished.size() == 2 && view.title() == u"Two", 20000);
        view.Refresh();
        QTRY_VERIFY_WITH_TIMEOUT(finished.size() == 3, 20000);
    }

    void sizesInTwips()
    {
        QtWebView view;
        view.resize(100, 100);
        view.setWidth(1500.0f);
        view.setHeight(3000.0f);
        QCOMPARE(view.size(), QSize(100, 200));
        QCOMPARE(errorNumber([&] { view.setWidth(-15.0f); }),
                 platform::kInvalidPropertyValue.number);
        QCOMPARE(errorNumber([&] { view.setHeight(-0.5f); }),
                 platform::kInvalidPropertyValue.number);
        QCOMPARE(view.size(), QSize(100, 200));
        view.setWidth(0.0f);
        view.setHeight(0.0f);
        QCOMPARE(view.size(), QSize(0, 0));
    }

    // The next page shows past a page whose script never returns (its renderer is ended) and
    // past one that is only slow (left alone).
    void busyPagesDoNotHoldTheNextPage_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("ended");
        QTest::newRow("runaway") << u"for (;;) {}"_s << 1;
        QTest::newRow("slow") << u"const end = Date.now() + 2000; while (Date.now() < end) {}"_s
                              << 0;
    }
    void busyPagesDoNotHoldTheNextPage()
    {
        QFETCH(QString, script);
        QFETCH(int, ended);
        QtWebView view;
        QSignalSpy terminated(view.page(), &QWebEnginePage::renderProcessTerminated);
        QSignalSpy stopped(&view, &QtWebView::pageStopped);
        view.setHtml(u"<title>Busy</title><script>onload = () => setTimeout(() => {"
                     "document.title = 'Busy now'; "_s +
                     script + u"}, 0)</script>"_s);
        QTRY_COMPARE_WITH_TIMEOUT(view.title(), u"Busy now"_s, 20000);
        view.Navigate(u"data:text/html,<title>After</title>"_s);
        QTRY_COMPARE_WITH_TIMEOUT(view.title(), u"After"_s, 15000);
        QCOMPARE(terminated.size(), ended);
        QCOMPARE(stopped.size(), 0);
    }

    // The engine shows a page's source, and a page after its renderer ended, in a widget of its
    // own: the view keeps its place in the tab order, between what the window put before and
    // after it (made in another order), and the keyboard stays in the view.
    void theEnginesNewWidgetsKeepTheViewsPlace()
    {
        // Made, as the program makes it, before the window that takes it in.
        auto *view = new QtWebView;
        QWidget window;
        auto *after = new QLineEdit(&window);
        view->setParent(&window);
        auto *before = new QLineEdit(&window);
        QWidget::setTabOrder(before, view);
        QWidget::setTabOrder(view, after);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QApplication::setActiveWindow(&window);
        QVERIFY(loadAndWait(*view, writePage(m_dir, u"one.htm"_s, u"One"_s)));
        view->setFocus();
        for (int change = 0; change < 2; ++change) {
            QSignalSpy loaded(view, &QWebEngineView::loadFinished);
            if (change == 0) {
                view->Navigate(u"view-source:"_s + view->url().toString());
            } else {
                QCOMPARE(::kill(pid_t(view->page()->renderProcessPid()), SIGKILL), 0);
                view->Refresh();
            }
            QVERIFY(loaded.wait(20000));
            QTRY_VERIFY_WITH_TIMEOUT(view->isAncestorOf(QApplication::focusWidget()), 20000);
            QWidget *next = QApplication::focusWidget()->nextInFocusChain();
            while (next->focusPolicy() == Qt::NoFocus || view->isAncestorOf(next))
                next = next->nextInFocusChain();
            QCOMPARE(next, after);
        }
    }

    void aPageWhoseRendererEndedSaysSo()
    {
        QtWebView view;
        QSignalSpy stopped(&view, &QtWebView::pageStopped);
        QVERIFY(loadAndWait(view, writePage(m_dir, u"one.htm"_s, u"One"_s)));
        QCOMPARE(::kill(pid_t(view.page()->renderProcessPid()), SIGKILL), 0);
        QVERIFY(stopped.wait(20000));
        QSignalSpy finished(&view, &QWebEngineView::loadFinished);
        view.Refresh();
        QVERIFY(finished.wait(20000) && finished.first().first().toBool());
    }

    // Every item the context menu offers on a page, a link, an image and a selection does
    // what it says.
    void contextMenuItemsDoWhatTheySay_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("effect");
        const QPoint page(300, 350), link(20, 10), image(50, 100), text(20, 210);
        const struct
        {
            QPoint at;
            const char *item, *effect;
        } rows[] = {
            {page, "Back", "title One"},
            {page, "Forward", "title Two"},
            {page, "Reload", "reload"},
            {page, "Save Page As...", "download"},
            {page, "View Page Source", "source"},
            {link, "Open Link", "title Two"},
            {link, "Copy Link Address", "text two.htm"},
            {link, "Save Link As...", "download"},
            {image, "Copy Image", "image"},
            {image, "Copy Image Address", "text pic.png"},
            {image, "Save Image As...", "download"},
            {text, "Copy", "text Words"},
        };
        for (const auto &row : rows)
            QTest::newRow(row.item)
                << row.at << QString::fromLatin1(row.item) << QString::fromLatin1(row.effect);
    }
    void contextMenuItemsDoWhatTheySay()
    {
        QFETCH(QPoint, at);
        QFETCH(QString, item);
        QFETCH(QString, effect);
        QVERIFY(QImage(u":/zel/about.png"_s).scaled(100, 100).save(m_dir.filePath(u"pic.png"_s)));
        const QString items = writePage(
            m_dir, u"items.htm"_s, u"Items"_s,
            u"<style>body{margin:0}</style><a href='two.htm' style='display:block;height:30px'>"
            "link</a><img src='pic.png' style='margin-top:20px'><p style='margin:50px 0'>"
            "Words</p>"_s);
        // As the window has it: the view in a host, which the reader's bars lie in.
        QWidget host;
        QtWebView &view = *new QtWebView(&host);
        new reader_pane::ReaderTools(&view, &host);
        view.resize(400, 400);
        host.resize(400, 400);
        host.show();
        QVERIFY(loadAndWait(view, writePage(m_dir, u"one.htm"_s, u"One"_s)));
        QVERIFY(loadAndWait(view, items));
        QVERIFY(loadAndWait(view, writePage(m_dir, u"two.htm"_s, u"Two"_s)));
        view.back();
        // The view takes the title from history before the page is back: wait for its document.
        QTRY_COMPARE_WITH_TIMEOUT(
            evaluate(view, u"document.title + ' ' + document.readyState"_s).toString(),
            u"Items complete"_s, 20000);
        if (item == u"Copy") {
            evaluate(view, u"getSelection().selectAllChildren(document.body.lastChild)"_s);
            QTRY_VERIFY_WITH_TIMEOUT(view.hasSelection(), 20000);
        }
        QApplication::clipboard()->clear();
        QSignalSpy loaded(&view, &QWebEngineView::loadFinished);
        QSignalSpy downloads(view.page()->profile(), &QWebEngineProfile::downloadRequested);
        QVERIFY(clickUntil(view, Qt::RightButton, at, [&] { return view.findChild<QMenu *>(); }));
        QMenu *menu = view.findChild<QMenu *>();
        QAction *chosen = nullptr;
        for (QAction *action : menu->actions())
            if (action->text().remove(u'&') == item)
                chosen = action;
        QVERIFY2(chosen && chosen->isEnabled(), qPrintable(item));
        chosen->trigger();
        menu->close();
        const QString kind = effect.section(u' ', 0, 0), value = effect.section(u' ', 1);
        if (kind == u"title")
            QTRY_COMPARE_WITH_TIMEOUT(view.title(), value, 20000);
        else if (kind == u"reload")
            QTRY_VERIFY_WITH_TIMEOUT(!loaded.isEmpty(), 20000);
        else if (kind == u"download")
            QTRY_VERIFY_WITH_TIMEOUT(!downloads.isEmpty(), 20000);
        else if (kind == u"source")
            QTRY_COMPARE_WITH_TIMEOUT(view.url().scheme(), u"view-source"_s, 20000);
        else if (kind == u"image")
            QTRY_VERIFY_WITH_TIMEOUT(!QApplication::clipboard()->image().isNull(), 20000);
        else
            QTRY_VERIFY_WITH_TIMEOUT(QApplication::clipboard()->text().contains(value), 20000);
    }

    void unusableAddressesAreErrors()
    {
        QtWebView view;
        QCOMPARE(errorNumber([&] { view.Navigate(QString()); }), platform::kInvalidArgument.number);
        QCOMPARE(errorNumber([&] { view.Navigate(u"http:///"_s); }),
                 platform::kInvalidArgument.number);
        QVERIFY(view.url().isEmpty());
    }

    void filePathsOpenTheFileTheyName()
    {
        // A file whose name looks like a query and a fragment, beside the files those would name.
        writePage(m_dir, u"news "_s, u"Wrong: the name was cut at '#'"_s);
        const QString path =
            writePage(m_dir, u"news #1 100% sure? Zürich.htm"_s, u"Hash, percent and Zürich"_s);
        QtWebView view;
        QVERIFY(loadAndWait(view, path));
        QCOMPARE(view.title(), u"Hash, percent and Zürich"_s);
        QCOMPARE(view.url().toLocalFile(), path);
    }

    void newWindowsOpenInTheSameView()
    {
        const QString target = writePage(m_dir, u"target.htm"_s, u"Target"_s);
        const QString link = QUrl::fromLocalFile(target).toString(QUrl::FullyEncoded);
        const QString opener = writePage(m_dir, u"opener.htm"_s, u"Opener"_s,
                                         u"<a id=\"blank\" target=\"_blank\" href=\""_s + link +
                                             u"\">new window</a>"_s);

        QtWebView view;
        view.resize(400, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QVERIFY(loadAndWait(view, opener));
        // A click of the user's opens the link in the view.
        const QPoint at(
            evaluate(view, u"document.getElementById('blank').getBoundingClientRect().x + 5"_s)
                .toInt(),
            evaluate(view, u"document.getElementById('blank').getBoundingClientRect().y + 5"_s)
                .toInt());
        QVERIFY(clickUntil(view, Qt::LeftButton, at, [&] { return view.title() == u"Target"; }));
        QVERIFY(view.history()->canGoBack());
    }

    void localPageShowsTheFilesSavedBesideIt()
    {
        QVERIFY(QDir(m_dir.path()).mkpath(u"saved_files"_s));
        QVERIFY(
            writeFile(m_dir.filePath(u"saved_files/style.css"_s), "body { margin-left: 37px; }"));
        QVERIFY(QImage(u":/zel/about.png"_s).save(m_dir.filePath(u"saved_files/picture.png"_s)));
        // Parts that are pipes, which nothing ever writes to, fail as missing ones do.
        for (const char *pipe : {"saved_files/pipe.css", "saved_files/pipe.htm"})
            QCOMPARE(::mkfifo(QFile::encodeName(m_dir.filePath(QString::fromLatin1(pipe))), 0600),
                     0);
        const QString page = writePage(m_dir, u"saved.htm"_s, u"Saved"_s,
                                       u"<link rel=\"stylesheet\" href=\"saved_files/style.css\">"
                                       u"<link rel=\"stylesheet\" href=\"saved_files/pipe.css\">"
                                       u"<iframe src=\"saved_files/pipe.htm\"></iframe>"
                                       u"<img id=\"picture\" src=\"saved_files/picture.png\">"_s);
        QtWebView view;
        QVERIFY(loadAndWait(view, page));
        QTRY_COMPARE_WITH_TIMEOUT(
            evaluate(view, u"document.getElementById('picture').naturalWidth"_s), QVariant(100),
            20000);
        QCOMPARE(evaluate(view, u"getComputedStyle(document.body).marginLeft"_s),
                 QVariant(u"37px"_s));
    }

    // No script of a page from disk runs, so none can read the files it shows or sends out.
    void localPageCannotReadOtherLocalFiles()
    {
        QVERIFY(QDir(m_dir.path()).mkpath(u"pages"_s));
        QVERIFY(writeFile(m_dir.filePath(u"secret.txt"_s), "secret"));
        QVERIFY(writeFile(m_dir.filePath(u"pages/beside.txt"_s), "secret"));
        const QString page = writePage(
            m_dir, u"pages/reader.htm"_s, u"Reader"_s,
            u"<iframe id=\"outside\" src=\"../secret.txt\"></iframe>"
            u"<iframe id=\"beside\" src=\"beside.txt\"></iframe>"
            u"<script>document.title = 'script ran';"
            u"fetch('beside.txt').then(r => r.text()).then(t => document.title = 'read: ' + t);"
            u"</script>"_s);
        QtWebView view;
        QVERIFY(loadAndWait(view, page));
        QCOMPARE(view.title(), u"Reader"_s);
        // The frame beside it is shown; the one outside its folder is not.
        QTRY_COMPARE_WITH_TIMEOUT(
            evaluate(view, u"document.getElementById('beside').contentDocument.body.innerText"_s),
            QVariant(u"secret"_s), 20000);
        QCOMPARE(evaluate(view, u"String(document.getElementById('outside').contentDocument"
                                u"?.body?.innerText).includes('secret')"_s),
                 QVariant(false));

        // A web page shown after it runs its scripts again.
        QVERIFY(loadAndWait(view, u"data:text/html,<script>document.title='ran'</script>"_s));
        QCOMPARE(view.title(), u"ran"_s);
    }

    void localPageCannotReachTheNetwork()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        const QString base = u"http://127.0.0.1:"_s + QString::number(server.serverPort());
        const QString page = writePage(m_dir, u"tracker.htm"_s, u"Tracker"_s,
                                       u"<img id=\"pixel\" src=\""_s + base + u"/pixel.png\">"_s);
        QtWebView view;
        QVERIFY(loadAndWait(view, page));
        // Had the request gone out, it would hang on the silent server instead of failing.
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(view, u"document.getElementById('pixel').complete"_s),
                                  QVariant(true), 20000);
        QVERIFY(!server.hasPendingConnections());
        QVERIFY(!server.waitForNewConnection(0));
    }

    // A page that holds its renderer once it is left, and one whose box is left open, hold no
    // navigation of the user's to another page of the site.
    void pagesBeingLeftDoNotHoldTheNextPage_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("loop in pagehide") << u"hostile/leave_loop.htm"_s;
        QTest::newRow("box left open") << u"hostile/alert_once.htm"_s;
    }
    void pagesBeingLeftDoNotHoldTheNextPage()
    {
        QFETCH(QString, path);
        QtWebView view;
        view.resize(400, 300);
        view.show();
        QVERIFY(loadAndWait(view, u"http://www.zelsoft.example/"_s + path));
        // A box waits in an event loop of its own: the user goes from a timer, once it is up.
        QTimer go;
        connect(&go, &QTimer::timeout, &view, [&] {
            if (!path.contains(u"alert") || view.findChild<QDialog *>()) {
                go.stop();
                view.Navigate(u"http://www.zelsoft.example/index.htm"_s);
            }
        });
        go.start(50);
        QTRY_COMPARE_WITH_TIMEOUT(view.title(), u"Zelsoft Publisher Home"_s, 15000);
    }

    // The guard ends a page only while the page being left holds the user's navigation: a page
    // shown that is busy for five seconds (one whose picture never ends, one busy as it loads)
    // and one the user stayed on at its question before it is left are the user's to stop.
    void busyPagesTheUserStaysOnAreLeftAlone_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("tryToLeave");
        QTest::newRow("never loaded")
            << u"<title>Shown</title><img src='http://www.zelsoft.example/trialversion/"
               "setup.exe?rate=1'><script>setTimeout(() => {"_s +
                   kBusy + u"; document.title = 'Done'}, 500)</script>"_s
            << false;
        QTest::newRow("busy as it loads")
            << u"<script>"_s + kBusy + u"</script><title>Done</title>"_s << false;
        QTest::newRow("stayed at its question")
            << u"<title>Shown</title><script>onbeforeunload = event => { "
               "event.preventDefault(); event.returnValue = '' }</script>"_s
            << true;
    }
    void busyPagesTheUserStaysOnAreLeftAlone()
    {
        QFETCH(QString, page);
        QFETCH(bool, tryToLeave);
        QtWebView view;
        view.resize(400, 300);
        view.show();
        QSignalSpy terminated(view.page(), &QWebEnginePage::renderProcessTerminated);
        // Left from a page that runs script, which the guard watches (one from disk runs none).
        view.setHtml(u"<title>Idle</title>"_s);
        QTRY_COMPARE_WITH_TIMEOUT(view.title(), u"Idle"_s, 20000);
        view.Navigate(u"data:text/html,"_s + page);
        if (tryToLeave) {
            QTRY_COMPARE_WITH_TIMEOUT(view.title(), u"Shown"_s, 20000);
            // A page asks before it is left only after the user has used it.
            QVERIFY(clickUntil(view, Qt::LeftButton, QPoint(50, 50), [&] {
                return evaluate(view, u"navigator.userActivation.hasBeenActive"_s).toBool();
            }));
            // The question waits in an event loop of its own: it is answered from a timer.
            bool stayed = false;
            QTimer answer;
            connect(&answer, &QTimer::timeout, &view, [&] {
                if (QDialog *question = view.findChild<QDialog *>(); question && !stayed) {
                    stayed = true;
                    question->reject();
                }
            });
            answer.start(20);
            view.Navigate(u"http://www.zelsoft.example/index.htm"_s);
            QTRY_VERIFY_WITH_TIMEOUT(stayed && !view.findChild<QDialog *>(), 20000);
            QCOMPARE(evaluate(view, kBusy + u"; 'Done'"_s), QVariant(u"Done"_s));
            QCOMPARE(view.title(), u"Shown"_s);
        }
        QTRY_COMPARE_WITH_TIMEOUT(view.title(), tryToLeave ? u"Shown"_s : u"Done"_s, 20000);
        QCOMPARE(terminated.size(), 0);
    }

    // A page that asks before it is left, whose boxes the user stopped, can still be left; and
    // the next page's own box shows after the user left a page whose box was open.
    void boxesSilencedOnlyForThePageBeingLeft_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("next");
        QTest::newRow("boxes stopped, question before leaving")
            << u"<title>Shown</title><script>onbeforeunload = event => { "
               "event.preventDefault(); event.returnValue = '' }; "
               "onclick = () => { alert(1); alert(2); document.title = 'Stopped' }</script>"_s
            << u"<title>Next</title>"_s;
        QTest::newRow("box open as it is left")
            << u"<title>Shown</title><script>onclick = () => alert('Left open')</script>"_s
            << u"<title>Next</title><script>alert('Next page')</script>"_s;
    }
    void boxesSilencedOnlyForThePageBeingLeft()
    {
        QFETCH(QString, page);
        QFETCH(QString, next);
        QtWebView view;
        view.resize(400, 300);
        view.show();
        // The boxes wait in event loops of their own: the user answers them, and goes to the
        // next page, from a timer. The first box is answered OK, the second with the page's
        // boxes stopped; the user leaves once they are, or while the box of the page is open.
        QStringList shown;
        bool gone = false;
        QTimer user;
        connect(&user, &QTimer::timeout, &view, [&] {
            for (QDialog *box : view.findChildren<QDialog *>()) {
                const QString text = box->findChild<QLabel *>()->text();
                if (!box->isVisible() || shown.contains(text))
                    continue;
                shown << text;
                if (auto *stop = box->findChild<QCheckBox *>())
                    stop->setChecked(true);
                if (text != u"Left open"_s)
                    box->accept();
            }
            if (!gone && (view.title() == u"Stopped"_s || shown.contains(u"Left open"_s))) {
                gone = true;
                view.Navigate(u"data:text/html,"_s + next);
            }
        });
        user.start(20);
        view.Navigate(u"data:text/html,"_s + page);
        QTRY_COMPARE_WITH_TIMEOUT(view.title(), u"Shown"_s, 20000);
        QVERIFY(clickUntil(view, Qt::LeftButton, QPoint(50, 50), [&] { return gone; }));
        QTRY_COMPARE_WITH_TIMEOUT(view.title(), u"Next"_s, 20000);
        if (next.contains(u"alert"_s))
            QTRY_VERIFY_WITH_TIMEOUT(shown.contains(u"Next page"_s), 20000);
    }

    // From the second box in a row, the user may stop the page's boxes; the page goes on.
    void pageDialogsCanBeStopped()
    {
        QtWebView view;
        // The boxes wait in an event loop of their own: they are answered from a timer.
        QList<bool> offeredToStop;
        QTimer answer;
        connect(&answer, &QTimer::timeout, &view, [&] {
            for (QDialog *box : view.findChildren<QDialog *>()) {
                if (!box->isVisible())
                    continue;
                auto *stop = box->findChild<QCheckBox *>();
                offeredToStop << (stop != nullptr);
                if (stop)
                    stop->setChecked(true);
                box->accept();
            }
        });
        answer.start(20);
        view.Navigate(u"data:text/html,<script>alert(1); alert(2); alert(3);"
                      u"document.title = 'went on'</script>"_s);
        QTRY_COMPARE_WITH_TIMEOUT(view.title(), u"went on"_s, 20000);
        QCOMPARE(offeredToStop, QList<bool>({false, true}));
    }
};

int main(int argc, char *argv[])
{
    return runAgainstSampleSite<QtWebViewTest>(argc, argv);
}

#include "tst_qt_web_view.moc"
