// Finding and starting the system information tool, against a fake registry.
#include "about/sys_info.h"
#include "fakes/fake_about_platform.h"

#include <QTest>

using Bytes = std::vector<std::uint8_t>;
Q_DECLARE_METATYPE(Bytes)
Q_DECLARE_METATYPE(std::string)

namespace {

const std::string kToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

Bytes textBytes(const std::string &text)
{
    return Bytes(text.begin(), text.end());
}

Bytes dword(std::uint32_t n)
{
    return {std::uint8_t(n), std::uint8_t(n >> 8), std::uint8_t(n >> 16), std::uint8_t(n >> 24)};
}

} // namespace

class SysInfoTest : public QObject
{
    Q_OBJECT

    FakeRegistry m_registry;
    FakeFileTest m_files;
    FakeProgramStart m_programs;
    FakeMessageBox m_messages;

    sysinfo::Platform platform() { return {m_registry, m_files, m_programs, m_messages}; }

    void verifyUnavailableShownOnce()
    {
        QCOMPARE(m_messages.shown.size(), size_t(1));
        const FakeMessageBox::Shown &box = m_messages.shown.front();
        QCOMPARE(box.prompt, std::string("System Information Is Unavailable At This Time"));
        QCOMPARE(box.buttons, platform::MessageBox::OkOnly);
        QCOMPARE(box.icon, platform::MessageBox::NoIcon);
        // No title of its own: the box bears the application title.
        QVERIFY(!box.title.has_value());
    }

private slots:
    void init()
    {
        m_registry = {};
        m_files = {};
        m_programs = {};
        m_messages = {};
    }

    void valueBytes_data()
    {
        QTest::addColumn<quint32>("type");
        QTest::addColumn<Bytes>("bytes");
        QTest::addColumn<bool>("found");
        QTest::addColumn<std::string>("text");
        const std::string full(1024, 'x');
        QTest::newRow("text with its zero")
            << platform::kRegSz << textBytes(std::string("C:\\Tools\0", 9)) << true
            << std::string("C:\\Tools");
        QTest::newRow("text without a zero")
            << platform::kRegSz << textBytes("C:\\Tools") << true << std::string("C:\\Tools");
        QTest::newRow("only the zero") << platform::kRegSz << Bytes{0} << true << std::string();
        QTest::newRow("zero inside the text")
            << platform::kRegSz << textBytes(std::string("ab\0cd", 5)) << true
            << std::string("ab\0cd", 5);
        QTest::newRow("1024 bytes fill the buffer")
            << platform::kRegSz << textBytes(full) << true << full;
        QTest::newRow("1025 bytes count as missing")
            << platform::kRegSz << textBytes(full + 'y') << false << std::string();
        QTest::newRow("number 65541")
            << platform::kRegDword << dword(65541) << true << std::string("65541");
        QTest::newRow("number 1") << platform::kRegDword << dword(1) << true << std::string("1");
        QTest::newRow("number 0") << platform::kRegDword << dword(0) << true << std::string("0");
        QTest::newRow("number 305419896, highest byte kept")
            << platform::kRegDword << dword(305419896) << true << std::string("305419896");
        QTest::newRow("number 2147483648 is positive")
            << platform::kRegDword << dword(0x80000000u) << true << std::string("2147483648");
        QTest::newRow("largest number")
            << platform::kRegDword << dword(0xFFFFFFFFu) << true << std::string("4294967295");
        QTest::newRow("expandable text leaves KeyVal")
            << platform::kRegExpandSz << textBytes(std::string("%SystemRoot%\0", 13)) << true
            << std::string("as passed");
        QTest::newRow("binary leaves KeyVal")
            << quint32(3) << Bytes{1, 2, 3} << true << std::string("as passed");
    }
    void valueBytes()
    {
        QFETCH(quint32, type);
        QFETCH(Bytes, bytes);
        QFETCH(bool, found);
        QFETCH(std::string, text);
        m_registry.setBytes(kToolKey, "PATH", type, bytes);
        std::string value = (type == platform::kRegDword) ? "" : "as passed";
        QCOMPARE(
            sysinfo::GetKeyValue(m_registry, platform::kHkeyLocalMachine, kToolKey, "PATH", value),
            found);
        QCOMPARE(value, text);
        // Opened for reading only, and closed again.
        QCOMPARE(m_registry.access, std::vector<std::uint32_t>{platform::kKeyRead});
        QVERIFY(m_registry.open.empty());
    }

    void missingKeyOrValue()
    {
        std::string value = "as passed";
        QVERIFY(!sysinfo::GetKeyValue(m_registry, platform::kHkeyLocalMachine, kToolKey, "PATH",
                                      value));
        QCOMPARE(value, std::string());

        m_registry.setText(kToolKey, "OTHER", "x");
        value = "as passed";
        QVERIFY(!sysinfo::GetKeyValue(m_registry, platform::kHkeyLocalMachine, kToolKey, "PATH",
                                      value));
        QCOMPARE(value, std::string());
        QCOMPARE(m_registry.queried, std::vector<std::string>{"PATH"});
        QVERIFY(m_registry.open.empty());
    }

    void namesMatchWithoutRegardToCase()
    {
        m_registry.setText("software\\microsoft\\shared tools\\msinfo", "path", "C:\\Tools");
        std::string value;
        QVERIFY(
            sysinfo::GetKeyValue(m_registry, platform::kHkeyLocalMachine, kToolKey, "PATH", value));
        QCOMPARE(value, std::string("C:\\Tools"));
    }

    void valueWithoutDataIsAnErrorAndClosesTheKey()
    {
        m_registry.setBytes(kToolKey, "PATH", platform::kRegSz, {});
        std::string value;
        QVERIFY_THROWS_EXCEPTION(
            platform::Error,
            sysinfo::GetKeyValue(m_registry, platform::kHkeyLocalMachine, kToolKey, "PATH", value));
        QVERIFY(m_registry.open.empty());
    }

    void toolPathFromTheFirstLookUp()
    {
        const std::string tool =
            "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe";
        m_registry.setText(kToolKey, "PATH", tool);
        m_registry.setText(kLocationKey, "MSINFO", "C:\\Elsewhere");
        sysinfo::StartSysInfo(platform());
        QCOMPARE(m_programs.started, (std::vector<std::pair<std::string, int>>{{tool, 1}}));
        QCOMPARE(m_registry.opened, std::vector<std::string>{kToolKey});
        QVERIFY(m_files.asked.empty());
        QVERIFY(m_messages.shown.empty());
    }

    void firstLookUpThatCannotStart()
    {
        m_registry.setText(kToolKey, "PATH", "C:\\Gone\\msinfo32.exe");
        m_registry.setText(kLocationKey, "MSINFO", "C:\\Tools");
        m_files.files = {"C:\\Tools\\MSINFO32.EXE"};
        m_programs.failing = {"C:\\Gone\\msinfo32.exe"};
        sysinfo::StartSysInfo(platform());
        verifyUnavailableShownOnce();
        QCOMPARE(m_registry.opened, std::vector<std::string>{kToolKey});
        QVERIFY(m_programs.started.empty());
    }

    void folderFromTheSecondLookUp_data()
    {
        QTest::addColumn<std::string>("folder");
        QTest::addColumn<std::string>("tool");
        QTest::newRow("folder") << std::string("C:\\Tools")
                                << std::string("C:\\Tools\\MSINFO32.EXE");
        QTest::newRow("trailing backslash doubled")
            << std::string("C:\\Tools\\") << std::string("C:\\Tools\\\\MSINFO32.EXE");
        QTest::newRow("blanks kept") << std::string("C:\\Program Files\\Info")
                                     << std::string("C:\\Program Files\\Info\\MSINFO32.EXE");
    }
    void folderFromTheSecondLookUp()
    {
        QFETCH(std::string, folder);
        QFETCH(std::string, tool);
        m_registry.setText(kLocationKey, "MSINFO", folder);
        m_files.files = {tool};
        sysinfo::StartSysInfo(platform());
        QCOMPARE(m_files.asked, std::vector<std::string>{tool});
        QCOMPARE(m_programs.started, (std::vector<std::pair<std::string, int>>{{tool, 1}}));
        QCOMPARE(m_registry.opened, (std::vector<std::string>{kToolKey, kLocationKey}));
        QVERIFY(m_messages.shown.empty());
        QVERIFY(m_registry.open.empty());
    }

    void firstKeyWithoutItsValueFallsBackToTheSecond()
    {
        m_registry.setText(kToolKey, "OTHER", "x");
        m_registry.setText(kLocationKey, "MSINFO", "D:\\Info");
        m_files.files = {"D:\\Info\\MSINFO32.EXE"};
        sysinfo::StartSysInfo(platform());
        QCOMPARE(m_programs.started.size(), size_t(1));
        QCOMPARE(m_programs.started.front().first, std::string("D:\\Info\\MSINFO32.EXE"));
    }

    void failuresEndInTheOneMessage_data()
    {
        QTest::addColumn<int>("failure");
        QTest::newRow("neither key");
        QTest::newRow("folder without the tool");
        QTest::newRow("folder cannot be searched");
        QTest::newRow("first value has no data");
        QTest::newRow("first value of another type");
        QTest::newRow("tool found but cannot start");
    }
    void failuresEndInTheOneMessage()
    {
        const std::string tag = QTest::currentDataTag();
        if (tag == "folder without the tool") {
            m_registry.setText(kLocationKey, "MSINFO", "C:\\Tools");
        } else if (tag == "folder cannot be searched") {
            m_registry.setText(kLocationKey, "MSINFO", "Z:");
            m_files.unsearchable = {"Z:\\MSINFO32.EXE"};
        } else if (tag == "first value has no data") {
            m_registry.setBytes(kToolKey, "PATH", platform::kRegSz, {});
            m_registry.setText(kLocationKey, "MSINFO", "C:\\Tools");
            m_files.files = {"C:\\Tools\\MSINFO32.EXE"};
        } else if (tag == "first value of another type") {
            // The tool path stays empty, and an empty command line cannot start.
            m_registry.setBytes(kToolKey, "PATH", platform::kRegExpandSz,
                                textBytes(std::string("%ProgramFiles%\0", 15)));
        } else if (tag == "tool found but cannot start") {
            m_registry.setText(kLocationKey, "MSINFO", "C:\\Tools");
            m_files.files = {"C:\\Tools\\MSINFO32.EXE"};
            m_programs.failing = {"C:\\Tools\\MSINFO32.EXE"};
        }
        sysinfo::StartSysInfo(platform());
        verifyUnavailableShownOnce();
        QVERIFY(m_programs.started.empty());
        QVERIFY(m_registry.open.empty());
    }

    void secondValueOfAnotherTypeLooksInTheRootFolder()
    {
        m_registry.setBytes(kLocationKey, "MSINFO", platform::kRegExpandSz,
                            textBytes(std::string("%ProgramFiles%\0", 15)));
        sysinfo::StartSysInfo(platform());
        QCOMPARE(m_files.asked, std::vector<std::string>{"\\MSINFO32.EXE"});
        verifyUnavailableShownOnce();
    }

    void eachPressLooksAgain()
    {
        sysinfo::StartSysInfo(platform());
        m_registry.setText(kToolKey, "PATH", "C:\\msinfo32.exe");
        sysinfo::StartSysInfo(platform());
        QCOMPARE(m_messages.shown.size(), size_t(1));
        QCOMPARE(m_programs.started.size(), size_t(1));
    }
};

QTEST_APPLESS_MAIN(SysInfoTest)
#include "tst_sys_info.moc"
