// Downloads through the real web engine against the sample site: what lands on disk, and when.
#include "downloads/download.h"
#include "downloads/downloads.h"
#include "fakes/fake_browser.h"
#include "platform/webengine/qt_web_view.h"
#include "sample_site.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>

using namespace Qt::StringLiterals;
using platform::QtWebView;

QByteArray SampleSite::body(const QString &path)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(u"body"_s);
    QProcess::execute(u"python3"_s, {QString::fromLocal8Bit(SAMPLE_SITE_DIR) + u"/server.py"_s,
                                     u"--write-body"_s, path, out});
    QFile file(out);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

namespace {

constexpr int kDeadline = 30000;

// Answers the save dialog with a file of the proposed name in folder, with the proposed path
// itself (one Enter in the real dialog), with a fixed answer, or with a cancel.
class FakeSaveDialog final : public platform::SaveDialog
{
public:
    QString folder; // empty: cancel
    bool takeProposed = false;
    QString answer;
    QStringList proposed;
    QList<bool> folderThere; // whether the proposal's folder existed when asked

    QString askSavePath(const QString &path) override
    {
        proposed << path;
        folderThere << QFileInfo(path).dir().exists();
        const QString chosen = !answer.isEmpty() ? answer
                               : takeProposed    ? path
                               : folder.isEmpty()
                                   ? QString()
                                   : QDir(folder).filePath(QFileInfo(path).fileName());
        return chosen;
    }
};

// A main window with the real web view, the save dialog faked.
struct Browser
{
    QtWebView *web = nullptr;
    downloads::Downloads *saved = nullptr;
    FakeSaveDialog *saving = nullptr;
    std::unique_ptr<frmBrowser> window;

    Browser()
    {
        auto dialog = std::make_unique<FakeSaveDialog>();
        saving = dialog.get();
        auto view = std::make_unique<QtWebView>();
        web = view.get();
        saved = new downloads::Downloads(web, web->events(), std::move(dialog));
        window = std::make_unique<frmBrowser>(platform::BrowserPlatform{
            std::move(view), std::make_unique<FakeFileDialog>(), std::make_unique<FakeMessageBox>(),
            [] { return platform::AboutPlatform{}; }});
    }

    void choose(const char *control)
    {
        window->findChild<QAction *>(QLatin1StringView(control))->trigger();
    }

    QList<downloads::Download *> downloads() const
    {
        return saved->findChildren<downloads::Download *>();
    }
    QStringList statuses() const
    {
        QStringList texts;
        if (const auto *list = saved->window())
            for (const QLabel *status : list->findChildren<QLabel *>(u"status"_s))
                texts << status->text();
        return texts;
    }
};

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}

} // namespace

class DownloadsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<Browser> m_browser;
    // The home's Downloads folder, which each test starts without.
    const QString m_downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);

    QString folder() const { return m_folder->path(); }
    QString file(const QString &name) const { return m_folder->filePath(name); }

private slots:
    void init()
    {
        QDir(m_downloads).removeRecursively();
        m_folder = std::make_unique<QTemporaryDir>();
        m_browser = std::make_unique<Browser>();
        m_browser->saving->folder = folder();
    }
    void cleanup()
    {
        m_browser.reset();
        m_folder.reset();
        // Whatever became of each download, the engine's record of it is let go, not left to
        // the engine's shutdown.
        QTRY_VERIFY(QWebEngineProfile::defaultProfile()
                        ->findChildren<QWebEngineDownloadRequest *>()
                        .isEmpty());
    }

    void siteCommandSavesExactlyWhatTheServerSent()
    {
        m_browser->choose("mnuTidewell");
        QTRY_COMPARE_WITH_TIMEOUT(m_browser->statuses(), QStringList(u"Completed, 156 KB"_s),
                                  kDeadline);
        QCOMPARE(filesIn(folder()), QStringList(u"ZelTidewell.exe"_s));
        QFile saved(file(u"ZelTidewell.exe"_s));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.size(), 156 * 1024);
        QCOMPARE(saved.readAll(), SampleSite::body(u"ZelFree/ZelTidewell.exe"_s));
        // Offered first under its own name in the Downloads folder, made for the dialog where
        // it was missing and, with the file saved elsewhere, not left behind.
        QCOMPARE(m_browser->saving->proposed,
                 QStringList(QDir(m_downloads).filePath(u"ZelTidewell.exe"_s)));
        QCOMPARE(m_browser->saving->folderThere, QList<bool>{true});
        QVERIFY(!QFileInfo::exists(m_downloads));
    }

    void cancelledDialogWritesNothing()
    {
        m_browser->saving->folder.clear();
        m_browser->choose("mnuCompress");
        QTRY_COMPARE_WITH_TIMEOUT(m_browser->saving->proposed.size(), 1, kDeadline);
        QVERIFY(m_browser->downloads().isEmpty());
        QVERIFY(m_browser->saved->window() == nullptr);
        QVERIFY(filesIn(folder()).isEmpty());
        // The Downloads folder the dialog opened in is gone with it.
        QCOMPARE(m_browser->saving->proposed.first(), QDir(m_downloads).filePath(u"setup.exe"_s));
        QVERIFY(!QFileInfo::exists(m_downloads));
    }

    void brokenOffDownloadFailsAndLeavesNoFile()
    {
        m_browser->web->Navigate(u"http://www.zelsoft.example/__broken/ZelFree/ZelGames.exe"_s);
        QTRY_VERIFY_WITH_TIMEOUT(m_browser->statuses().size() == 1 &&
                                     m_browser->statuses().first().startsWith(u"Failed: "),
                                 kDeadline);
        QCOMPARE(m_browser->statuses(),
                 QStringList(u"Failed: the server closed the connection before the end"_s));
        QTRY_COMPARE_WITH_TIMEOUT(filesIn(folder()), QStringList(), kDeadline);
    }

    void unwritableFolderFails()
    {
        // A folder that cannot hold files, whoever runs the test: it is a file.
        QFile blocker(file(u"not a folder"_s));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        m_browser->saving->folder = blocker.fileName();
        m_browser->choose("mnuDown");
        QTRY_VERIFY2_WITH_TIMEOUT(m_browser->statuses().size() == 1 &&
                                      m_browser->statuses().first().startsWith(u"Failed: "),
                                  qPrintable(m_browser->statuses().join(u", ")), kDeadline);
        QCOMPARE(filesIn(folder()), QStringList(u"not a folder"_s));
    }

    void twoDownloadsAtOnceBothFinish()
    {
        // The second is chosen once the first has become a download: a new navigation before
        // then would replace the first request, as in any browser.
        m_browser->choose("mnuGames");
        QTRY_COMPARE_WITH_TIMEOUT(m_browser->downloads().size(), 1, kDeadline);
        m_browser->choose("mnuSurfer");
        QTRY_COMPARE_WITH_TIMEOUT(m_browser->downloads().size(), 2, kDeadline);
        QVERIFY(m_browser->downloads().first()->state() == downloads::Download::State::Running);
        QTRY_COMPARE_WITH_TIMEOUT(m_browser->statuses(),
                                  QStringList({u"Completed, 4.3 MB"_s, u"Completed, 116 KB"_s}),
                                  kDeadline);
        QCOMPARE(QFileInfo(file(u"ZelGames.exe"_s)).size(), qint64(4508877));
        QCOMPARE(QFileInfo(file(u"ZelSurfer.exe"_s)).size(), 116 * 1024);
    }

    void progressReachesTheRow()
    {
        QStringList seen;
        m_browser->choose("mnuGames");
        QTRY_COMPARE_WITH_TIMEOUT(m_browser->downloads().size(), 1, kDeadline);
        connect(m_browser->downloads().first(), &downloads::Download::changed, this,
                [&] { seen << m_browser->statuses(); });
        QTRY_COMPARE_WITH_TIMEOUT(m_browser->statuses(), QStringList(u"Completed, 4.3 MB"_s),
                                  kDeadline);
        const QStringList progress = seen.filter(u" of 4.3 MB"_s);
        QVERIFY2(std::any_of(progress.cbegin(), progress.cend(),
                             [](const QString &text) { return !text.startsWith(u"4.3 MB"); }),
                 qPrintable(seen.join(u", ")));
        QCOMPARE(QFileInfo(file(u"ZelGames.exe"_s)).size(), qint64(4508877));
    }

    void closingTheWindowCancelsAndCleansUp()
    {
        m_browser->choose("mnVDA");
        QTRY_VERIFY_WITH_TIMEOUT(!m_browser->downloads().isEmpty() &&
                                     m_browser->downloads().first()->receivedBytes() > 0,
                                 kDeadline);
        QCOMPARE(m_browser->downloads().first()->state(), downloads::Download::State::Running);
        m_browser.reset();
        QTRY_COMPARE_WITH_TIMEOUT(filesIn(folder()), QStringList(), kDeadline);
    }

    // Whatever name the server sends, one Enter saves a plain file in the Downloads folder.
    void serverNameStaysInTheDownloadsFolder()
    {
        m_browser->saving->takeProposed = true;
        const QByteArray header =
            "attachment; filename*=UTF-8''" + u"../.bash_aliases"_s.toUtf8().toPercentEncoding();
        m_browser->web->Navigate(
            u"http://www.zelsoft.example/ZelFree/ZelSurfer.exe?disposition="_s +
            QString::fromLatin1(header.toPercentEncoding()));
        QTRY_COMPARE_WITH_TIMEOUT(m_browser->statuses(), QStringList(u"Completed, 116 KB"_s),
                                  kDeadline);
        QCOMPARE(filesIn(m_downloads), QStringList(u"bash_aliases"_s));
        QCOMPARE(QDir::home().entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList(u"Downloads"_s));
    }

    // Links at a download's names are never written through: not at its partial names, before
    // it starts or while it runs, and not at its own name when one appears there.
    void linksAreNeverWrittenThrough()
    {
        QVERIFY(QDir().mkpath(m_downloads));
        const auto file = [&](const QString &name) { return QDir(m_downloads).filePath(name); };
        const QString profile = QDir::home().filePath(u".profile"_s);
        const QString bashrc = QDir::home().filePath(u".bashrc"_s);
        QVERIFY(QFile::link(profile, file(u"setup.exe.part"_s)));
        QVERIFY(QFile::link(bashrc, file(u"setup.exe.part.download"_s)));
        m_browser->saving->takeProposed = true;
        m_browser->web->Navigate(u"http://www.zelsoft.example/PixoTrial/setup.exe?rate=400000"_s);
        QTRY_VERIFY_WITH_TIMEOUT(!m_browser->downloads().isEmpty() &&
                                     m_browser->downloads().first()->receivedBytes() > 0,
                                 kDeadline);
        const QString target = file(u"setup (1).exe"_s);
        QCOMPARE(m_browser->saving->proposed, QStringList(target));
        const QString elsewhere = QDir::home().filePath(u"elsewhere"_s);
        const QString planted = QDir::home().filePath(u"planted"_s);
        QVERIFY(QFile::link(elsewhere, target));
        QFile::link(planted, target + u".part"_s);
        QTRY_VERIFY_WITH_TIMEOUT(m_browser->statuses().first().startsWith(u"Failed: cannot save"),
                                 kDeadline);
        QCOMPARE(QFileInfo(target).symLinkTarget(), elsewhere);
        for (const QString &outside : {profile, bashrc, elsewhere, planted})
            QVERIFY2(!QFileInfo::exists(outside), qPrintable(outside));
        QCOMPARE(QFileInfo(target + u".part/setup (1).exe"_s).size(), 820 * 1024);
    }

    // Two downloads that want the same name each get a file of their own; a partial file that
    // another run left is not this run's to remove.
    void sameNameDownloadsNeverMix()
    {
        QVERIFY(QDir().mkpath(m_downloads));
        const auto file = [&](const QString &name) { return QDir(m_downloads).filePath(name); };
        QFile other(file(u"setup.exe.part"_s));
        QVERIFY(other.open(QIODevice::WriteOnly) && other.write("someone else's") > 0);
        other.close();
        m_browser->saving->takeProposed = true;
        const QString site = u"http://www.zelsoft.example/"_s;
        const QString paths[] = {u"trialversion/setup.exe"_s, u"PixoTrial/setup.exe"_s};
        for (const QString &path : paths) {
            const qsizetype before = m_browser->downloads().size();
            m_browser->web->Navigate(site + path + u"?rate=2000000"_s);
            QTRY_COMPARE_WITH_TIMEOUT(m_browser->downloads().size(), before + 1, kDeadline);
        }
        // The user picks the first one's name for a third while the first still runs.
        m_browser->saving->answer = file(u"setup (1).exe"_s);
        m_browser->web->Navigate(site + u"KoloSolTrial/setup.exe"_s);
        QTRY_COMPARE_WITH_TIMEOUT(m_browser->statuses().size(), 3, kDeadline);
        // Not "setup.exe": its partial name is another run's.
        QCOMPARE(m_browser->saving->proposed.mid(0, 2),
                 QStringList({file(u"setup (1).exe"_s), file(u"setup (2).exe"_s)}));
        const QString inUse = u"Failed: another download is being saved as "_s +
                              QDir::toNativeSeparators(file(u"setup (1).exe"_s));
        QTRY_COMPARE_WITH_TIMEOUT(
            m_browser->statuses(),
            QStringList({u"Completed, 11.1 MB"_s, u"Completed, 820 KB"_s, inUse}), kDeadline);
        for (const auto &[name, path] :
             {std::pair(u"setup (1).exe"_s, paths[0]), std::pair(u"setup (2).exe"_s, paths[1])}) {
            QFile saved(file(name));
            QVERIFY(saved.open(QIODevice::ReadOnly));
            QVERIFY2(saved.readAll() == SampleSite::body(path), qPrintable(name));
        }
        QVERIFY(other.open(QIODevice::ReadOnly));
        QCOMPARE(other.readAll(), QByteArray("someone else's"));
    }

    // A page saved over an earlier save, as the user confirmed, replaces it with its folder of
    // parts. A folder of that name that holds anything else (a file of the user's) is never
    // emptied: the page's parts go to a folder of their own, which the page names.
    void pageSavedWhereItsPartsFolderIsTaken_data()
    {
        QTest::addColumn<bool>("earlierSave");
        QTest::addColumn<QStringList>("made");
        QTest::addColumn<QString>("parts");
        QTest::newRow("an earlier save") << true << QStringList() << u"same_files"_s;
        QTest::newRow("a file of the user's among an earlier save's parts")
            << true << QStringList{u"same_files/thesis.odt"_s} << u"same (1)_files"_s;
        QTest::newRow("the user's own page and folder")
            << false << QStringList{u"same.htm"_s, u"same_files/thesis.odt"_s}
            << u"same (1)_files"_s;
        QTest::newRow("a folder alone")
            << false << QStringList{u"same_files/thesis.odt"_s} << u"same (1)_files"_s;
    }
    void pageSavedWhereItsPartsFolderIsTaken()
    {
        QFETCH(bool, earlierSave);
        QFETCH(QStringList, made);
        QFETCH(QString, parts);
        m_browser->saving->answer = file(u"same.htm"_s);
        const auto save = [&] {
            QSignalSpy loaded(m_browser->web, &QWebEngineView::loadFinished);
            m_browser->web->Navigate(u"http://www.zelsoft.example/index.htm"_s);
            QVERIFY(loaded.wait(kDeadline));
            const qsizetype before = m_browser->statuses().size();
            m_browser->web->triggerPageAction(QWebEnginePage::SavePage);
            QTRY_COMPARE_WITH_TIMEOUT(m_browser->statuses().size(), before + 1, kDeadline);
            QTRY_VERIFY2_WITH_TIMEOUT(m_browser->statuses().last().startsWith(u"Completed"),
                                      qPrintable(m_browser->statuses().last()), kDeadline);
        };
        if (earlierSave) {
            save();
            // Changed since, to tell the earlier parts from the new.
            QVERIFY(writeFile(file(u"same_files/"_s + filesIn(file(u"same_files"_s)).value(0)),
                              "earlier"));
        }
        for (const QString &name : made) {
            QVERIFY(QDir(folder()).mkpath(QFileInfo(file(name)).path()));
            QVERIFY(writeFile(file(name), "the user's own"));
        }
        save();
        QStringList entries = {u"same.htm"_s, u"same_files"_s};
        if (parts != entries.last())
            entries.prepend(parts);
        QCOMPARE(QDir(folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), entries);
        for (const QString &name : made) {
            QFile kept(file(name));
            QVERIFY(name == u"same.htm"_s ||
                    (kept.open(QIODevice::ReadOnly) && kept.readAll() == "the user's own"));
        }
        QFile page(file(u"same.htm"_s));
        QVERIFY(page.open(QIODevice::ReadOnly));
        QVERIFY(page.readAll().contains((u"./"_s + parts + u'/').toUtf8()));
        const QStringList saved = filesIn(file(parts));
        QVERIFY(!saved.isEmpty());
        for (const QString &name : saved) {
            QFile part(file(parts + u'/' + name));
            QVERIFY(part.open(QIODevice::ReadOnly) && part.readAll() != "earlier");
        }
    }

    // A page that starts downloads by script gets one save dialog for the one action of the
    // user that opened it; the rest are refused, and the downloads window says so.
    void scriptDownloadLoopGetsOneDialog()
    {
        m_browser->saving->folder.clear();
        m_browser->web->Navigate(u"http://www.zelsoft.example/hostile/download_loop.htm"_s);
        // The engine itself lets only some of the twenty through; every one that comes after
        // the first is refused, in one row.
        QTRY_VERIFY2_WITH_TIMEOUT(m_browser->statuses().size() == 1 &&
                                      m_browser->statuses().first().contains(u" more without "),
                                  qPrintable(m_browser->statuses().join(u", ")), kDeadline);
        QVERIFY(m_browser->statuses().first().startsWith(u"Refused: the page started it and "));
        QCOMPARE(m_browser->saving->proposed.size(), 1);
        QVERIFY(filesIn(folder()).isEmpty());
        QVERIFY(!QFileInfo::exists(m_downloads));
    }
};

int main(int argc, char *argv[])
{
    // Downloads are offered in a Downloads folder of a home of the test's own.
    const QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qunsetenv("XDG_DOWNLOAD_DIR");
    return runAgainstSampleSite<DownloadsTest>(argc, argv);
}

#include "tst_downloads.moc"
