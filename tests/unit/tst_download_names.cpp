// The download name rules, without the engine: plain names, free names, partial names, sizes.
#include "downloads/download_names.h"
#include "downloads/progress_text.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace Qt::StringLiterals;

class DownloadNamesTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // Makes empty files of these names in the test's folder; "name -> target" makes a link.
    void make(const QStringList &names)
    {
        for (const QString &name : names) {
            const QStringList link = name.split(u" -> "_s);
            QFile file(m_dir.filePath(link[0]));
            QVERIFY(link.size() == 2 ? QFile::link(link[1], file.fileName())
                                     : file.open(QIODevice::WriteOnly));
        }
    }

private slots:
    void cleanup()
    {
        for (const QString &name :
             QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System))
            QFile::remove(m_dir.filePath(name));
    }

    void serverNamesBecomePlainNames_data()
    {
        QTest::addColumn<QString>("sent");
        QTest::addColumn<QString>("plain");
        const struct
        {
            const char *row;
            QString sent, plain;
        } rows[] = {
            {"up one folder", u"../.bash_aliases"_s, u"bash_aliases"_s},
            {"up two folders", u"../../x.sh"_s, u"x.sh"_s},
            {"both slashes", u"a/b\\c.txt"_s, u"c.txt"_s},
            {"newline", u"line\nbreak.txt"_s, u"line_break.txt"_s},
            {"NUL", u"nul\0cut.txt"_s, u"nul_cut.txt"_s},
            {"hidden", u".bashrc"_s, u"bashrc"_s},
            {"option", u"--help"_s, u"help"_s},
            {"device", u"CON"_s, u"_CON"_s},
            {"device with extension", u"lpt1.txt"_s, u"_lpt1.txt"_s},
            {"right-to-left override", u"evil\u202Etxt.exe"_s, u"eviltxt.exe"_s},
            {"zero-width space", u"a\u200Bb.exe"_s, u"ab.exe"_s},
            {"line and paragraph separators", u"a\u2028b\u2029c.txt"_s, u"abc.txt"_s},
            {"beyond U+FFFF", u"\U0001F600 \U0001D400.png"_s, u"\U0001F600 \U0001D400.png"_s},
            {"lone surrogate", u"a"_s + QChar(0xD800) + u"b"_s, u"a_b"_s},
            {"someone's home", u"~nobody"_s, u"nobody"_s},
            {"one's own home", u"~/x"_s, u"x"_s},
            {"home alone", u"~"_s, u"download"_s},
            {"console input", u"CONIN$"_s, u"_CONIN$"_s},
            {"console output", u"conout$.txt"_s, u"_conout$.txt"_s},
            {"markup", u"<i>x|y?.exe"_s, u"_i_x_y_.exe"_s},
            {"300 characters", QString(296, u'n') + u".exe"_s, QString(196, u'n') + u".exe"_s},
            {"nothing left", u"..."_s, u"download"_s},
        };
        for (const auto &row : rows)
            QTest::newRow(row.row) << row.sent << row.plain;
    }
    void serverNamesBecomePlainNames()
    {
        QFETCH(QString, sent);
        QFETCH(QString, plain);
        QCOMPARE(downloads::plainFileName(sent), plain);
    }

    // A page is offered under its title, made a plain name that ends in ".htm".
    void pageNamesHoldToTheRule_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("name");
        QTest::newRow("a title") << u"Golf News"_s << u"Golf News.htm"_s;
        QTest::newRow("no title") << QString() << u"page.htm"_s;
        QTest::newRow("a page's own name") << u"index.HTML"_s << u"index.HTML"_s;
        QTest::newRow("a path") << u"../.bashrc"_s << u"bashrc.htm"_s;
        QTest::newRow("300 characters") << QString(300, u'n') << QString(196, u'n') + u".htm"_s;
    }
    void pageNamesHoldToTheRule()
    {
        QFETCH(QString, title);
        QFETCH(QString, name);
        QCOMPARE(downloads::pageFileName(title), name);
        QCOMPARE(downloads::plainFileName(name), name);
    }

    // A link to an address that names no file is offered under the host's name, as browsers do.
    void linksWithoutFileNames_data()
    {
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("offered");
        QTest::newRow("site root") << u"qwe_download.html"_s << u"http://www.zelsoft.example/"_s
                                   << u"www.zelsoft.example.html"_s;
        QTest::newRow("no type") << u"qwe_download"_s << u"http://a.example/dir/"_s
                                 << u"a.example"_s;
        QTest::newRow("server's name")
            << u"report.pdf"_s << u"http://a.example/"_s << u"report.pdf"_s;
        QTest::newRow("address's name")
            << u"qwe_download.html"_s << u"http://a.example/qwe_download.html"_s
            << u"qwe_download.html"_s;
    }
    void linksWithoutFileNames()
    {
        QFETCH(QString, proposed);
        QFETCH(QString, url);
        QFETCH(QString, offered);
        QCOMPARE(downloads::offeredName(proposed, QUrl(url)), offered);
    }

    // A name is free when no file has it or its partial names, and no running download does.
    void freeNamesAsBrowsersGiveThem_data()
    {
        QTest::addColumn<QStringList>("onDisk");
        QTest::addColumn<QStringList>("inUse");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<QString>("partial");
        QTest::addColumn<downloads::Saved>("saved");
        // Entries on disk and names in use are listed with ", "; "name -> target" is a link.
        const auto row = [](const char *row, const char *onDisk, const char *inUse,
                            const char *name, const char *proposed, const char *partial,
                            downloads::Saved saved = downloads::Saved::File) {
            const auto list = [](const char *names) {
                return QString::fromUtf8(names).split(u", "_s, Qt::SkipEmptyParts);
            };
            QTest::newRow(row) << list(onDisk) << list(inUse) << QString::fromUtf8(name)
                               << QString::fromUtf8(proposed) << QString::fromUtf8(partial)
                               << saved;
        };
        row("free", "", "", "a.exe", "a.exe", "a.exe.part");
        row("two taken", "a.exe, a (1).exe", "", "a.exe", "a (2).exe", "a.exe.part");
        row("double extension", "n.tar.gz", "", "n.tar.gz", "n (1).tar.gz", "n.tar.gz.part");
        row("another run's partial file", "a.exe.part", "", "a.exe", "a (1).exe", "a.exe.1.part");
        row("the engine's working file", "a.exe.part.download", "", "a.exe", "a (1).exe",
            "a.exe.1.part");
        row("dangling links at both partial names",
            "a.exe.part -> ../.profile, a.exe.part.download -> ../.bashrc", "", "a.exe",
            "a (1).exe", "a.exe.1.part");
        row("a dangling link at the name", "a.exe -> ../.profile", "", "a.exe", "a (1).exe",
            "a.exe.part");
        row("a running download", "", "a.exe, a.exe.part", "a.exe", "a (1).exe", "a.exe.1.part");
        // A page saved whole needs the folder of its parts free too, not a file download.
        row("a page's parts folder taken", "n_files", "", "n.htm", "n (1).htm", "n.htm.part",
            downloads::Saved::Page);
        row("a file beside a folder of that name", "n_files", "", "n.htm", "n.htm", "n.htm.part");
    }
    void freeNamesAsBrowsersGiveThem()
    {
        QFETCH(QStringList, onDisk);
        QFETCH(QStringList, inUse);
        QFETCH(QString, name);
        QFETCH(QString, proposed);
        QFETCH(QString, partial);
        QFETCH(downloads::Saved, saved);
        make(onDisk);
        QSet<QString> used;
        for (const QString &path : inUse)
            used << m_dir.filePath(path);
        QCOMPARE(downloads::proposedPath(m_dir.path(), name, used, saved),
                 m_dir.filePath(proposed));
        QCOMPARE(downloads::freePartialName(m_dir.filePath(name), used), m_dir.filePath(partial));
    }

    void sizesAsPeopleReadThem()
    {
        using downloads::progressText;
        QCOMPARE(progressText(512, -1), u"512 bytes"_s);
        QCOMPARE(progressText(80 * 1024, 156 * 1024), u"80 KB of 156 KB"_s);
        QCOMPARE(progressText(1258291, 4508877), u"1.2 MB of 4.3 MB"_s);
        // A second in, the speed and the time left.
        QCOMPARE(progressText(600 * 1024, 4200 * 1024, 0.5), u"600 KB of 4.1 MB"_s);
        QCOMPARE(progressText(600 * 1024, 4200 * 1024, 1.0),
                 u"600 KB of 4.1 MB, 600 KB/s, 6 s left"_s);
        QCOMPARE(progressText(1024 * 1024, 1000 * 1024 * 1024, 10.0),
                 u"1.0 MB of 1000.0 MB, 102 KB/s, 2 h 46 min left"_s);
        QCOMPARE(progressText(3 * 1024 * 1024, -1, 2.0), u"3.0 MB, 1.5 MB/s"_s);
    }
};

QTEST_GUILESS_MAIN(DownloadNamesTest)
#include "tst_download_names.moc"
