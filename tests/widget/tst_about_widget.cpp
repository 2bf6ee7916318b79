// The real About dialog, offscreen: its controls, its picture and its buttons.
#include "about/frm_about.h"
#include "fakes/fake_about_platform.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct About
{
    QPointer<frmAbout> dialog;
    FakeRegistry *registry = nullptr;
    FakeProgramStart *programs = nullptr;
    FakeMessageBox *messages = nullptr;
};

// A dialog shown as the About command shows it: modeless, with no owner.
About showAbout()
{
    auto registry = std::make_unique<FakeRegistry>();
    auto programs = std::make_unique<FakeProgramStart>();
    auto messages = std::make_unique<FakeMessageBox>();
    About about{nullptr, registry.get(), programs.get(), messages.get()};
    about.dialog = new frmAbout({std::move(registry), std::make_unique<FakeFileTest>(),
                                 std::move(programs), std::move(messages)});
    about.dialog->show();
    return about;
}

} // namespace

class AboutWidgetTest : public QObject
{
    Q_OBJECT

    About m_about;

    template <typename T> T *control(const char *name) const
    {
        return m_about.dialog->findChild<T *>(QLatin1StringView(name));
    }

private slots:
    void initTestCase() { QCoreApplication::setApplicationVersion(QStringLiteral(ZEL_VERSION)); }
    void init()
    {
        m_about = showAbout();
        QVERIFY(QTest::qWaitForWindowExposed(m_about.dialog));
        QApplication::setActiveWindow(m_about.dialog);
    }
    void cleanup() { delete m_about.dialog; }

    void captionTitleVersionAndFocus()
    {
        QCOMPARE(m_about.dialog->windowTitle(), u"About Zel Tidewell"_s);
        QCOMPARE(control<QLabel>("lblTitle")->text(), u"Zel Tidewell"_s);
        QCOMPARE(control<QLabel>("lblVersion")->text(), u"Version 1.0.0"_s);
        QTRY_COMPARE(QApplication::focusWidget(), control<QPushButton>("cmdOK"));
        QVERIFY(control<QPushButton>("cmdOK")->isDefault());
        QCOMPARE(control<QPushButton>("cmdSysInfo")->text(), u"&System Info..."_s);
        QVERIFY(!m_about.dialog->parentWidget());
        QVERIFY(!m_about.dialog->isModal());
    }

    void fixedFrameAndPlace()
    {
        const Qt::WindowFlags flags = m_about.dialog->windowFlags();
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QCOMPARE(m_about.dialog->size(), QSize(382, 237));
        QCOMPARE(m_about.dialog->minimumSize(), m_about.dialog->maximumSize());
        QCOMPARE(m_about.dialog->mapToGlobal(QPoint(0, 0)), QPoint(156, 129));
        QCOMPARE(m_about.dialog->windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
    }

    void controlsInPlace_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("picIcon") << u"picIcon"_s << QRect(16, 16, 104, 138);
        QTest::newRow("cmdOK") << u"cmdOK"_s << QRect(283, 175, 84, 23);
        QTest::newRow("cmdSysInfo") << u"cmdSysInfo"_s << QRect(284, 205, 83, 23);
        QTest::newRow("lblDescription") << u"lblDescription"_s << QRect(120, 88, 259, 62);
        QTest::newRow("lblTitle") << u"lblTitle"_s << QRect(120, 24, 259, 32);
        QTest::newRow("lblVersion") << u"lblVersion"_s << QRect(120, 56, 259, 15);
        QTest::newRow("lblDisclaimer") << u"lblDisclaimer"_s << QRect(16, 175, 258, 55);
    }
    void controlsInPlace()
    {
        QFETCH(QString, name);
        QFETCH(QRect, rect);
        QCOMPARE(m_about.dialog->findChild<QWidget *>(name)->geometry(), rect);
    }

    void picturesTextsAndColours()
    {
        const QLabel *picture = control<QLabel>("picIcon");
        QCOMPARE(picture->pixmap().size(), QSize(100, 134));
        const QLabel *description = control<QLabel>("lblDescription");
        QVERIFY(description->text().endsWith(u"News feeds are posted on "
                                             u"www.zelsoft.example/zel_news.htm"_s));
        QCOMPARE(description->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(description->palette().color(QPalette::Window), QColor(255, 255, 255));
        QVERIFY(description->autoFillBackground());
        // Every text fits its rectangle, in the dialog's eight-point sans-serif.
        for (const char *name : {"lblDescription", "lblTitle", "lblVersion", "lblDisclaimer"}) {
            const QLabel *label = control<QLabel>(name);
            QCOMPARE(label->font().pointSize(), 8);
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), name);
        }
        const QString notice = control<QLabel>("lblDisclaimer")->text();
        QVERIFY(notice.contains(u"Zel Tidewell") && notice.contains(u"Zelsoft") &&
                notice.contains(u"2026"));

        // The etched separator: grey, and a white line below it.
        const QImage image = m_about.dialog->grab().toImage();
        QCOMPARE(image.pixelColor(200, 163), QColor(128, 128, 128));
        QCOMPARE(image.pixelColor(200, 164), QColor(255, 255, 255));
        QCOMPARE(image.pixelColor(200, 170), m_about.dialog->palette().color(QPalette::Button));
    }

    void tabOrderOkPictureSysInfo()
    {
        QTRY_COMPARE(QApplication::focusWidget(), control<QPushButton>("cmdOK"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), control<QWidget>("picIcon"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), control<QWidget>("cmdSysInfo"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), control<QWidget>("cmdOK"));
    }

    void keysThatClose_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::newRow("Esc") << u"cmdOK"_s << int(Qt::Key_Escape);
        QTest::newRow("Enter on OK") << u"cmdOK"_s << int(Qt::Key_Return);
        QTest::newRow("Enter on the picture") << u"picIcon"_s << int(Qt::Key_Return);
        QTest::newRow("Esc on System Info") << u"cmdSysInfo"_s << int(Qt::Key_Escape);
    }
    void keysThatClose()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QWidget *target = m_about.dialog->findChild<QWidget *>(focus);
        target->setFocus();
        QTRY_VERIFY(target->hasFocus());
        QTest::keyClick(target, Qt::Key(key));
        // The dialog deletes itself when closed.
        QTRY_VERIFY(m_about.dialog.isNull());
    }

    void enterOnSysInfoPressesIt()
    {
        auto *sysInfo = control<QPushButton>("cmdSysInfo");
        sysInfo->setFocus();
        QTRY_VERIFY(sysInfo->hasFocus());
        QTest::keyClick(sysInfo, Qt::Key_Return);
        QCOMPARE(m_about.messages->shown.size(), size_t(1));
        QVERIFY(!m_about.dialog.isNull());
    }

    void altSRunsSystemInfoAndTheDialogStays()
    {
        m_about.registry->setText("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                                  "/usr/bin/hardinfo");
        // A mnemonic presses its button visibly, and the click follows shortly after.
        QTest::keyClick(m_about.dialog->windowHandle(), Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(m_about.programs->started.size(), size_t(1));
        QCOMPARE(m_about.programs->started.front().first, std::string("/usr/bin/hardinfo"));
        QTest::keyClick(m_about.dialog->windowHandle(), Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(m_about.programs->started.size(), size_t(2));
        QVERIFY(m_about.dialog->isVisible());
        QVERIFY(m_about.messages->shown.empty());
    }

    void twoDialogsAreIndependent()
    {
        About second = showAbout();
        QVERIFY(QTest::qWaitForWindowExposed(second.dialog));
        second.dialog->findChild<QPushButton *>(u"cmdSysInfo"_s)->click();
        QCOMPARE(second.messages->shown.size(), size_t(1));
        QVERIFY(m_about.messages->shown.empty());
        second.dialog->findChild<QPushButton *>(u"cmdOK"_s)->click();
        QTRY_VERIFY(second.dialog.isNull());
        QVERIFY(m_about.dialog->isVisible());
        control<QPushButton>("cmdSysInfo")->click();
        QCOMPARE(m_about.messages->shown.size(), size_t(1));
    }
};

QTEST_MAIN(AboutWidgetTest)
#include "tst_about_widget.moc"
