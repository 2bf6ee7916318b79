// The Qt platform objects of the About dialog: registry, file test, program start.
#include "about/sys_info.h"
#include "platform/error.h"
#include "platform/qt/own_environment.h"
#include "platform/qt/qt_file_test.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_program_start.h"
#include "platform/qt/stand_in_registry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

const std::string kToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";

// An executable shell script at path that writes its own name into marker.
void writeScript(const QString &path, const QString &marker)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\necho \"$0\" > '" + marker.toLocal8Bit() + "'\n");
    file.close();
    QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

std::string local(const QString &path)
{
    return path.toLocal8Bit().toStdString();
}

} // namespace

class QtSystemTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QByteArray m_path;

    // PATH holds only a scratch folder while a test runs.
    void usePathOf(const QString &folder) { qputenv("PATH", folder.toLocal8Bit()); }

    // A folder of its own on PATH holding one program of this name; returns the program's path.
    QString installTool(const QString &name)
    {
        const QString bin = m_dir.filePath(u"bin-"_s + name);
        if (!QDir().mkpath(bin))
            return {};
        writeScript(bin + u'/' + name, m_dir.filePath(u"unused"_s));
        usePathOf(bin);
        return bin + u'/' + name;
    }

private slots:
    void initTestCase() { m_path = qgetenv("PATH"); }
    void cleanup() { qputenv("PATH", m_path); }

    void standInRegistryNamesAnInstalledTool()
    {
        const QString tool = installTool(u"kinfocenter"_s);
        QVERIFY(QFileInfo(tool).isExecutable());
        platform::StandInRegistry registry;
        std::string value;
        QVERIFY(
            sysinfo::GetKeyValue(registry, platform::kHkeyLocalMachine, kToolKey, "PATH", value));
        QCOMPARE(QString::fromLocal8Bit(value), tool);
        // Nothing else is in it.
        QVERIFY(!sysinfo::GetKeyValue(registry, platform::kHkeyLocalMachine,
                                      "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO",
                                      value));
        QVERIFY(
            !sysinfo::GetKeyValue(registry, platform::kHkeyLocalMachine, kToolKey, "OTHER", value));
    }

    void standInRegistryIsReadOnly()
    {
        QVERIFY(QFileInfo(installTool(u"hardinfo"_s)).isExecutable());
        platform::StandInRegistry registry;
        platform::Registry::Key key = 0;
        // Asking for the rights to change the key is refused, as for a user without them.
        QCOMPARE(registry.RegOpenKeyExA(platform::kHkeyLocalMachine, kToolKey, 0, 0x2003F, key),
                 platform::kErrorAccessDenied);
        QCOMPARE(registry.RegOpenKeyExA(platform::kHkeyLocalMachine, kToolKey, 0,
                                        platform::kKeyRead, key),
                 platform::kErrorSuccess);
        std::uint8_t small[4];
        std::uint32_t size = sizeof small;
        std::uint32_t type = 0;
        QCOMPARE(registry.RegQueryValueExA(key, "PATH", type, small, size),
                 platform::kErrorMoreData);
        QCOMPARE(registry.RegCloseKey(key), platform::kErrorSuccess);
    }

    void standInRegistryWithoutATool()
    {
        usePathOf(m_dir.filePath(u"empty"_s));
        platform::StandInRegistry registry;
        std::string value = "as passed";
        QVERIFY(
            !sysinfo::GetKeyValue(registry, platform::kHkeyLocalMachine, kToolKey, "PATH", value));
        QCOMPARE(value, std::string());
    }

    void fileTestFindsNormalFilesOnly()
    {
        const QString normal = m_dir.filePath(u"MSINFO32.EXE"_s);
        const QString hidden = m_dir.filePath(u".hidden"_s);
        for (const QString &path : {normal, hidden}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        platform::QtFileTest files;
        QCOMPARE(files.Dir(local(normal)), std::string("MSINFO32.EXE"));
        QCOMPARE(files.Dir(local(hidden)), std::string());
        QCOMPARE(files.Dir(local(m_dir.path())), std::string());
        QCOMPARE(files.Dir(local(m_dir.filePath(u"missing"_s))), std::string());
        QVERIFY_THROWS_EXCEPTION(platform::Error, files.Dir(std::string("bad\0name", 8)));
    }

    void programStartTakesTheWholePath()
    {
        // A program whose path has blanks, and one at the path's first word that must not run.
        const QString folder = m_dir.filePath(u"Program Files"_s);
        QVERIFY(QDir().mkpath(folder));
        const QString marker = m_dir.filePath(u"started"_s);
        const QString decoy = m_dir.filePath(u"Program"_s);
        writeScript(decoy, marker + u".decoy"_s);
        writeScript(folder + u"/info tool"_s, marker);

        platform::QtProgramStart programs;
        programs.Shell(local(folder + u"/info tool"_s), 1);
        QTRY_VERIFY(QFile::exists(marker));
        QVERIFY(!QFile::exists(marker + u".decoy"_s));
    }

    void programStartKeepsTheProgramsOwnEnvironment()
    {
        qputenv("ZEL_USERS_OWN", "kept");
        platform::setOwnEnvironment("ZEL_USERS_OWN", "replaced");
        platform::setOwnEnvironment("ZEL_PROGRAMS_OWN", "1");
        qputenv("ZEL_USERS_SWITCHES", " --theirs ");
        platform::prependOwnEnvironment("ZEL_USERS_SWITCHES", "--ours");
        platform::prependOwnEnvironment("ZEL_PROGRAMS_SWITCHES", "--ours");
        platform::prependOwnEnvironment("ZEL_PROGRAMS_SWITCHES", "--more");
        QCOMPARE(qgetenv("ZEL_USERS_OWN"), "kept");
        QCOMPARE(qgetenv("ZEL_PROGRAMS_OWN"), "1");
        QCOMPARE(qgetenv("ZEL_USERS_SWITCHES"), "--ours --theirs");
        QCOMPARE(qgetenv("ZEL_PROGRAMS_SWITCHES"), "--more --ours");

        const QString tool = m_dir.filePath(u"env tool"_s);
        const QString marker = m_dir.filePath(u"environment"_s);
        QFile file(tool);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\necho \"${ZEL_USERS_OWN-unset} ${ZEL_PROGRAMS_OWN-unset} "
                   "${ZEL_USERS_SWITCHES-unset} ${ZEL_PROGRAMS_SWITCHES-unset}\" > '" +
                   marker.toLocal8Bit() + ".part' && mv '" + marker.toLocal8Bit() + ".part' '" +
                   marker.toLocal8Bit() + "'\n");
        file.close();
        QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

        platform::QtProgramStart().Shell(local(tool), 1);
        QTRY_VERIFY(QFile::exists(marker));
        QFile seen(marker);
        QVERIFY(seen.open(QIODevice::ReadOnly));
        QCOMPARE(seen.readAll(), "kept unset  --theirs  unset\n");
    }

    void programStartFailures()
    {
        platform::QtProgramStart programs;
        QVERIFY_THROWS_EXCEPTION(platform::Error, programs.Shell(std::string(), 1));
        QVERIFY_THROWS_EXCEPTION(platform::Error,
                                 programs.Shell(local(m_dir.filePath(u"no such tool"_s)), 1));
        QVERIFY_THROWS_EXCEPTION(platform::Error, programs.Shell(local(m_dir.path()), 1));
    }

    void messageBoxShowsWhatItIsGiven_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("press");
        QTest::addColumn<int>("answer");
        QTest::newRow("OK, application title")
            << int(platform::MessageBox::OkOnly) << int(platform::MessageBox::NoIcon) << QString()
            << int(QMessageBox::Ok) << int(platform::MessageBox::Ok);
        QTest::newRow("Abort, Retry, Ignore: Retry")
            << int(platform::MessageBox::AbortRetryIgnore) << int(platform::MessageBox::Critical)
            << u"ERROR:  boom"_s << int(QMessageBox::Retry) << int(platform::MessageBox::Retry);
        QTest::newRow("Abort, Retry, Ignore: Ignore")
            << int(platform::MessageBox::AbortRetryIgnore) << int(platform::MessageBox::Critical)
            << u"ERROR:  boom"_s << int(QMessageBox::Ignore) << int(platform::MessageBox::Ignore);
        QTest::newRow("information")
            << int(platform::MessageBox::OkOnly) << int(platform::MessageBox::Information)
            << u"Help"_s << int(QMessageBox::Ok) << int(platform::MessageBox::Ok);
    }
    void messageBoxShowsWhatItIsGiven()
    {
        QFETCH(int, buttons);
        QFETCH(int, icon);
        QFETCH(QString, title);
        QFETCH(int, press);
        QFETCH(int, answer);
        QString seenTitle, seenText;
        QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
        QList<int> seenButtons;
        int seenDefault = 0;
        // Answer the box once it is up: read what it shows, then press the button.
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            seenTitle = box->windowTitle();
            seenText = box->text();
            seenIcon = box->icon();
            for (QAbstractButton *button : box->buttons())
                seenButtons << int(box->standardButton(button));
            seenDefault = int(box->standardButton(box->defaultButton()));
            box->button(QMessageBox::StandardButton(press))->click();
        });
        platform::QtMessageBox messages;
        const auto result =
            messages.MsgBox("line 1\r\nline 2", platform::MessageBox::Buttons(buttons),
                            platform::MessageBox::Icon(icon),
                            title.isNull() ? std::nullopt : std::optional(title.toStdString()));
        QCOMPARE(int(result), answer);
        QCOMPARE(seenTitle, title.isNull() ? u"ZelTidewell"_s : title);
        QCOMPARE(seenText, u"line 1\r\nline 2"_s);
        const QMessageBox::Icon wantIcon =
            icon == platform::MessageBox::Critical      ? QMessageBox::Critical
            : icon == platform::MessageBox::Information ? QMessageBox::Information
                                                        : QMessageBox::NoIcon;
        QCOMPARE(seenIcon, wantIcon);
        if (buttons == platform::MessageBox::AbortRetryIgnore) {
            std::sort(seenButtons.begin(), seenButtons.end());
            QCOMPARE(seenButtons,
                     (QList<int>{QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore}));
            QCOMPARE(seenDefault, int(QMessageBox::Abort));
        } else {
            QCOMPARE(seenButtons, QList<int>{QMessageBox::Ok});
        }
    }
};

QTEST_MAIN(QtSystemTest)
#include "tst_qt_system.moc"
