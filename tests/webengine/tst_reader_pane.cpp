// The reader's tools over the real web view, with the view in a host as the window has it: the
// find bar, zoom, the link's address, the loading line, the stopped notice, the page's text for
// a screen reader and the printed document's name.
#include "platform/webengine/qt_web_view.h"
#include "reader_pane/reader_tools.h"
#include "reader_pane/reading_view.h"
#include "sample_site.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include <csignal>
#include <unistd.h>

using namespace Qt::StringLiterals;
using platform::QtWebView;

namespace {

constexpr int kDeadline = 20000;
// Where the view lies in its host, as in the main window: the bars lie over this part.
const QRect kPane(0, 120, 480, 240);

// The page's body in a page of the sample site's host.
QString page(const QString &title, const QString &body)
{
    return u"data:text/html,<title>"_s + title + u"</title><body>"_s + body;
}

} // namespace

class ReaderPaneTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QWidget> m_host;
    QtWebView *m_view = nullptr;

    template <typename T> T *bar(const char *name) const
    {
        return m_host->findChild<T *>(QLatin1StringView(name));
    }
    void press(QKeyCombination key) const
    {
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
    }
    bool load(const QString &address) const { return loadAndWait(*m_view, address); }
    bool keyboardInPage() const
    {
        QWidget *focus = QApplication::focusWidget();
        return focus && (focus == m_view || m_view->isAncestorOf(focus));
    }

private slots:
    void init()
    {
        m_host = std::make_unique<QWidget>();
        m_view = new QtWebView(m_host.get());
        m_view->setGeometry(kPane);
        new reader_pane::ReaderTools(m_view, m_host.get());
        m_host->resize(500, 400);
        m_host->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_host.get()));
        // The keys are the active window's: made so here, whatever the display's window
        // manager (none) does.
        QApplication::setActiveWindow(m_host.get());
        m_view->setFocus();
    }
    void cleanup() { m_host.reset(); }

    // Found as typed, from the top; stepped through; Esc gives the keyboard back to the page,
    // and the word typed again starts at its first match.
    void findBarCountsAndSteps()
    {
        QVERIFY(load(page(u"Find"_s, u"<p>tide one<p>tide two<p>tide three"_s)));
        const struct
        {
            QKeyCombination key;
            QString count;
        } steps[] = {{Qt::Key_Return, u"2 of 3"_s},
                     {Qt::Key_F3, u"3 of 3"_s},
                     {Qt::SHIFT | Qt::Key_F3, u"2 of 3"_s},
                     {Qt::SHIFT | Qt::Key_Return, u"1 of 3"_s},
                     {Qt::SHIFT | Qt::Key_Return, u"3 of 3"_s},
                     {Qt::Key_F3, u"1 of 3"_s}};
        for (int round = 0; round < 2; ++round) {
            press(Qt::CTRL | Qt::Key_F);
            auto *field = bar<QWidget>("findBar")->findChild<QLineEdit *>();
            QCOMPARE(QApplication::focusWidget(), field);
            QTest::keyClicks(field, u"tide"_s);
            auto *count = bar<QWidget>("findBar")->findChild<QLabel *>();
            QTRY_COMPARE_WITH_TIMEOUT(count->text(), u"1 of 3"_s, kDeadline);
            for (const auto &step : steps) {
                press(step.key);
                QTRY_COMPARE_WITH_TIMEOUT(count->text(), step.count, kDeadline);
            }
            press(Qt::Key_F3); // left at the second match for the next round
            QTRY_COMPARE_WITH_TIMEOUT(count->text(), u"2 of 3"_s, kDeadline);
            press(Qt::Key_Escape);
            QVERIFY(bar<QWidget>("findBar")->isHidden());
            QVERIFY(keyboardInPage());
        }
        // The bar lies along the pane's bottom.
        press(Qt::CTRL | Qt::Key_F);
        const QRect findBar = bar<QWidget>("findBar")->geometry();
        QCOMPARE(findBar.bottom(), kPane.bottom());
        QCOMPARE(findBar.width(), kPane.width());
    }

    void zoomStepsAndEnds_data()
    {
        QTest::addColumn<int>("in");
        QTest::addColumn<int>("out");
        QTest::addColumn<qreal>("zoom");
        QTest::newRow("in") << 1 << 0 << 1.1;
        QTest::newRow("out") << 0 << 1 << 0.9;
        QTest::newRow("in to the largest and past it") << 12 << 0 << 5.0;
        QTest::newRow("out to the smallest and past it") << 0 << 12 << 0.25;
    }
    void zoomStepsAndEnds()
    {
        QFETCH(int, in);
        QFETCH(int, out);
        QFETCH(qreal, zoom);
        QVERIFY(load(page(u"Zoom"_s, u"<p>Words"_s)));
        for (int i = 0; i < in; ++i)
            press(Qt::CTRL | Qt::Key_Plus);
        for (int i = 0; i < out; ++i)
            press(Qt::CTRL | Qt::Key_Minus);
        // The engine keeps a factor near, not at, the level it was given.
        QTRY_VERIFY_WITH_TIMEOUT(qAbs(m_view->zoomFactor() - zoom) < 0.001, kDeadline);
        press(Qt::CTRL | Qt::Key_0);
        QTRY_VERIFY_WITH_TIMEOUT(qAbs(m_view->zoomFactor() - 1.0) < 0.001, kDeadline);
    }

    // The link's address at the pane's lower left while the mouse is on it, gone as it leaves
    // and as a new page loads; a thin line along the top while a page loads.
    void linkAddressAndLoadingLine()
    {
        QVERIFY(load(page(u"Link"_s, u"<style>a{display:block;height:100px}</style>"
                                     "<a href='http://www.zelsoft.example/index.htm'>Home</a>"_s)));
        QTRY_VERIFY_WITH_TIMEOUT(m_view->focusProxy(), kDeadline);
        const auto address = [&] { return bar<QLabel>("linkAddress"); };
        QTRY_VERIFY_WITH_TIMEOUT((QTest::mouseMove(m_view->focusProxy(), QPoint(20, 20)),
                                  address() && address()->isVisible()),
                                 kDeadline);
        QCOMPARE(address()->text(), u"http://www.zelsoft.example/index.htm"_s);
        QCOMPARE(address()->geometry().bottomLeft(), kPane.bottomLeft());
        QTRY_VERIFY_WITH_TIMEOUT(
            (QTest::mouseMove(m_view->focusProxy(), QPoint(20, 200)), address()->isHidden()),
            kDeadline);
        QTRY_VERIFY_WITH_TIMEOUT(
            (QTest::mouseMove(m_view->focusProxy(), QPoint(20, 20)), address()->isVisible()),
            kDeadline);
        // A picture that never ends holds the page loading.
        m_view->Navigate(page(u"Loading"_s, u"<img src='http://www.zelsoft.example/trialversion/"
                                            "setup.exe?rate=1'>"_s));
        QTRY_VERIFY_WITH_TIMEOUT(
            bar<QWidget>("loadProgress") && bar<QWidget>("loadProgress")->isVisible(), kDeadline);
        QVERIFY(address()->isHidden());
        const QRect line = bar<QWidget>("loadProgress")->geometry();
        QCOMPARE(line.topLeft(), kPane.topLeft());
        QVERIFY(line.width() < kPane.width() && line.height() == 3);
        press(Qt::Key_Escape); // stops it
        QTRY_VERIFY_WITH_TIMEOUT(bar<QWidget>("loadProgress")->isHidden(), kDeadline);
    }

    void stoppedNoticeCoversThePane()
    {
        QVERIFY(load(page(u"One"_s, u"<p>One"_s)));
        QCOMPARE(::kill(pid_t(m_view->page()->renderProcessPid()), SIGKILL), 0);
        QTRY_VERIFY_WITH_TIMEOUT(
            bar<QLabel>("pageStopped") && bar<QLabel>("pageStopped")->isVisible(), kDeadline);
        QCOMPARE(bar<QLabel>("pageStopped")->geometry(), kPane);
        press(Qt::Key_F5);
        QTRY_VERIFY_WITH_TIMEOUT(bar<QLabel>("pageStopped")->isHidden(), kDeadline);
    }

    // The page's text for a screen reader, a line a block in the page's order, with its shape:
    // headings and their levels, lists, tables by row with each cell named by its column, form
    // fields with their values and states, links; nothing of an element of another namespace
    // or of loose text, and no word of a password.
    void readingViewHasThePagesShape()
    {
        QVERIFY(load(
            page(u"Read"_s,
                 u"<h1>Ferry news</h1><p>By <a href='http://www.zelsoft.example/'>Odile</a> "
                 u"today<ul><li>One<li>Two</ul>"
                 "<table><caption>Crossings</caption><tr><th>Day<th>Boat<tr><td>Monday<td>"
                 "<a "
                 "href='http://www.zelsoft.example/'>Gull</a></table><math><mtext>x</mtext><td>no</"
                 "td></math>"
                 "<label>Your name <input value=Pat></label><label><input type=checkbox checked>"
                 "Subscribe</label><select aria-label=Section><option>Sports<option selected>World"
                 "</select><input type=password aria-label=Code value=secret><button>Send</button>"
                 "<script>document.body.append('loose')</script>"_s)));
        auto *text = new reader_pane::ReadingView(m_view, m_host.get());
        text->read();
        QTRY_COMPARE_WITH_TIMEOUT(
            text->toPlainText().split(u'\n'),
            QStringList({u"Ferry news, heading level 1"_s, u"By Odile link today"_s,
                         u"list with 2 items"_s, u"\u2022 One"_s, u"\u2022 Two"_s,
                         u"Crossings, table with 2 rows, 2 columns"_s, u"Day, Boat"_s,
                         u"Day Monday, Boat Gull link"_s, u"Your name, edit, Pat"_s,
                         u"Subscribe, check box, checked"_s, u"Section, combo box, World"_s,
                         u"Code, password edit"_s, u"Send, button"_s}),
            kDeadline);
        // H and K go from heading to heading and link to link, each told; Enter follows one.
        QStringList told;
        connect(text, &reader_pane::ReadingView::told, this,
                [&](const QString &said) { told << said; });
        QSignalSpy chosen(text, &reader_pane::ReadingView::linkChosen);
        text->setFocus();
        for (const QKeyCombination key :
             {QKeyCombination(Qt::Key_K), QKeyCombination(Qt::Key_K), QKeyCombination(Qt::Key_K),
              Qt::SHIFT | Qt::Key_K, QKeyCombination(Qt::Key_H), QKeyCombination(Qt::Key_Return)})
            QTest::keyClick(text, key.key(), key.keyboardModifiers());
        QCOMPARE(told, QStringList({u"Odile link"_s, u"Gull link"_s, u"No more links."_s,
                                    u"Odile link"_s, u"No more headings."_s}));
        QCOMPARE(chosen.size(), 1);
    }

    // A page of a hundred thousand paragraphs is taken in bounds: the first 5000 blocks.
    void anyPageIsReadInBounds()
    {
        QVERIFY(load(page(u"Huge"_s, u"<script>for (let i = 0; i < 1e5; ++i) "
                                     "document.body.appendChild(document.createElement('p'))"
                                     ".textContent = 'Line ' + i</script>"_s)));
        auto *text = new reader_pane::ReadingView(m_view, m_host.get());
        bool filled = false;
        text->read([&] { filled = true; });
        QTRY_VERIFY_WITH_TIMEOUT(filled, kDeadline);
        QCOMPARE(text->document()->blockCount(), 5000);
        QCOMPARE(text->document()->lastBlock().text(), u"Line 4999"_s);
    }

    // Printed to a file, the page is named after its title, made a plain file name.
    void printedDocumentIsNamedAfterThePage()
    {
        QVERIFY(load(page(u"News: a|b"_s, u"<p>Words"_s)));
        QString name;
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            for (QWidget *window : QApplication::topLevelWidgets())
                if (auto *dialog = qobject_cast<QPrintDialog *>(window);
                    dialog && dialog->isVisible()) {
                    name = dialog->printer()->docName();
                    dialog->reject();
                }
        });
        answer.start(20);
        press(Qt::CTRL | Qt::Key_P);
        QTRY_COMPARE_WITH_TIMEOUT(name, u"News_ a_b.pdf"_s, kDeadline);
    }
};

int main(int argc, char *argv[])
{
    return runAgainstSampleSite<ReaderPaneTest>(argc, argv);
}

#include "tst_reader_pane.moc"
