// The browsing and file commands against fake platform objects: Open's error path, help, About.
#include "about/frm_about.h"
#include "fakes/fake_browser.h"

#include <QAction>
#include <QApplication>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using platform::MessageBox;

class BrowsingCommandsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeBrowser> m_browser;

    void choose(const char *control)
    {
        auto *action = m_browser->window->findChild<QAction *>(QLatin1StringView(control));
        QVERIFY2(action && action->isEnabled(), control);
        action->trigger();
    }
    FakeWebView &web() { return *m_browser->web; }
    FakeFileDialog &dialog() { return *m_browser->dialog; }
    FakeMessageBox &messages() { return *m_browser->messages; }

    static QList<frmAbout *> aboutDialogs()
    {
        QList<frmAbout *> dialogs;
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *about = qobject_cast<frmAbout *>(widget); about && about->isVisible())
                dialogs << about;
        return dialogs;
    }

    // The Abort, Retry, Ignore prompt of a failure with this number and description.
    static void verifyErrorPrompt(const FakeMessageBox::Shown &box, const std::string &number,
                                  const std::string &description)
    {
        QCOMPARE(box.prompt, number + " " + description);
        QCOMPARE(box.title, std::optional<std::string>("ERROR:  " + description));
        QCOMPARE(box.buttons, MessageBox::AbortRetryIgnore);
        QCOMPARE(box.icon, MessageBox::Critical);
    }

private slots:
    void init()
    {
        m_browser = std::make_unique<FakeBrowser>();
        web().calls.clear();
    }
    void cleanup()
    {
        m_browser.reset();
        qDeleteAll(aboutDialogs());
    }

    void browsingCommandsMakeOneCall_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("operation");
        QTest::newRow("Refresh") << u"mnuRefresh"_s << u"Refresh"_s;
        QTest::newRow("Previous") << u"mnuPrevious"_s << u"GoBack"_s;
        QTest::newRow("Next") << u"mnuNext"_s << u"GoForward"_s;
    }
    void browsingCommandsMakeOneCall()
    {
        QFETCH(QString, control);
        QFETCH(QString, operation);
        choose(control.toLatin1().constData());
        QCOMPARE(web().calls, QStringList(operation));
        // A failure (no earlier page, no later page) does nothing and shows nothing.
        web().failing = {operation};
        choose(control.toLatin1().constData());
        QCOMPARE(web().calls, QStringList(2, operation));
        QVERIFY(messages().shown.empty());
    }

    void openCancelledEndsQuietly()
    {
        choose("mnuOpen");
        QCOMPARE(dialog().calls, QStringList({u"title Browse for offline web pages"_s,
                                              u"filter WebPages|*.htm; *.html"_s, u"ShowOpen"_s}));
        QVERIFY(web().calls.isEmpty());
        QVERIFY(messages().shown.empty());
    }

    void openNavigatesToExactlyThePathChosen()
    {
        const QString path = u"/home/me/saved pages/news #1 – 100% Zürich?.htm"_s;
        dialog().results = {FakeFileDialog::Result::chosen(path)};
        choose("mnuOpen");
        QCOMPARE(web().calls, QStringList(u"Navigate "_s + path));
        QVERIFY(messages().shown.empty());
        // The next use sets the same title and filter again, and nothing else.
        dialog().calls.clear();
        choose("mnuOpen");
        QCOMPARE(dialog().calls, QStringList({u"title Browse for offline web pages"_s,
                                              u"filter WebPages|*.htm; *.html"_s, u"ShowOpen"_s}));
    }

    void navigateFailure_data()
    {
        QTest::addColumn<int>("failures");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<int>("navigations");
        QTest::newRow("Retry reads the name again and navigates again")
            << 1 << QList<int>{MessageBox::Retry} << 2;
        QTest::newRow("Ignore ends") << 1 << QList<int>{MessageBox::Ignore} << 1;
        QTest::newRow("Abort ends") << 1 << QList<int>{MessageBox::Abort} << 1;
        QTest::newRow("Retry without limit until Abort")
            << 100 << QList<int>{MessageBox::Retry, MessageBox::Retry, MessageBox::Retry,
                                 MessageBox::Retry, MessageBox::Retry, MessageBox::Abort}
            << 6;
    }
    void navigateFailure()
    {
        QFETCH(int, failures);
        QFETCH(QList<int>, answers);
        QFETCH(int, navigations);
        dialog().results = {FakeFileDialog::Result::chosen(u"/tmp/page.htm"_s)};
        web().failTimes[u"Navigate"_s] = failures;
        for (const int answer : answers)
            messages().answers.push_back(MessageBox::Answer(answer));

        choose("mnuOpen");
        QCOMPARE(web().navigations(), QStringList(navigations, u"/tmp/page.htm"_s));
        QCOMPARE(dialog().calls.count(u"FileName"_s), navigations);
        QCOMPARE(dialog().calls.count(u"ShowOpen"_s), 1);
        QCOMPARE(messages().shown.size(), size_t(answers.size()));
        for (const FakeMessageBox::Shown &box : messages().shown)
            verifyErrorPrompt(box, "-2147467259", "Navigate failed");
    }

    void showOpenFailureRetried()
    {
        dialog().results = {FakeFileDialog::Result::failure(platform::kInvalidProcedureCall),
                            FakeFileDialog::Result::chosen(u"/tmp/b.htm"_s)};
        messages().answers = {MessageBox::Retry};
        choose("mnuOpen");
        // Only the failed step runs again: the title and filter are as they were set.
        QCOMPARE(dialog().calls, QStringList({u"title Browse for offline web pages"_s,
                                              u"filter WebPages|*.htm; *.html"_s, u"ShowOpen"_s,
                                              u"ShowOpen"_s, u"FileName"_s}));
        QCOMPARE(web().navigations(), QStringList(u"/tmp/b.htm"_s));
        QCOMPARE(messages().shown.size(), size_t(1));
        verifyErrorPrompt(messages().shown.front(), "5", "Invalid procedure call or argument");
    }

    void showOpenFailureIgnoredNavigatesToWhatTheDialogHolds()
    {
        dialog().fileName = u"/tmp/chosen last time.htm"_s;
        dialog().results = {FakeFileDialog::Result::failure(-7, "The dialog broke")};
        messages().answers = {MessageBox::Ignore};
        choose("mnuOpen");
        QCOMPARE(web().navigations(), QStringList(u"/tmp/chosen last time.htm"_s));
        verifyErrorPrompt(messages().shown.front(), "-7", "The dialog broke");
    }

    void helpMessageByteForByte()
    {
        choose("mnuContent");
        QCOMPARE(messages().shown.size(), size_t(1));
        const FakeMessageBox::Shown &box = messages().shown.front();
        QCOMPARE(box.prompt, std::string("Select from the left list your news category,\r\n"
                                         "then select from the right list the news "
                                         "sub-category.\r\nZel Tidewell will bring the "
                                         "updated news."));
        QCOMPARE(box.title, std::optional<std::string>("Help"));
        QCOMPARE(box.buttons, MessageBox::OkOnly);
        QCOMPARE(box.icon, MessageBox::Information);
        QVERIFY(web().calls.isEmpty());
    }

    void aboutTwiceGivesTwoDialogs()
    {
        choose("mnuAbout");
        choose("mnuAbout");
        QCOMPARE(*m_browser->aboutDialogsMade, 2);
        const QList<frmAbout *> dialogs = aboutDialogs();
        QCOMPARE(dialogs.size(), 2);
        for (frmAbout *about : dialogs) {
            QVERIFY(!about->parentWidget());
            QVERIFY(!about->isModal());
        }
        // Closing one leaves the other open.
        dialogs.first()->close();
        QTRY_COMPARE(aboutDialogs().size(), 1);
    }

    void closeTakesTheWindowAwayAtOnce()
    {
        m_browser->window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_browser->window.get()));
        choose("mnuClose");
        QVERIFY(!m_browser->window->isVisible());
        QVERIFY(messages().shown.empty());
    }
};

QTEST_MAIN(BrowsingCommandsTest)
#include "tst_browsing_commands.moc"
