// The sample site served on loopback for the web engine tests.
#pragma once

#include "platform/webengine/qt_web_view.h"

#include <QApplication>
#include <QByteArray>
#include <QSignalSpy>
#include <QString>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

// The sample publisher site, started before the application so that the web engine can be
// pointed at it through its proxy switch.
class SampleSite
{
public:
    SampleSite()
    {
        int out[2];
        if (pipe(out) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        const QByteArray server = QByteArray(SAMPLE_SITE_DIR) + "/server.py";
        char *argv[] = {const_cast<char *>("python3"), const_cast<char *>(server.constData()),
                        const_cast<char *>("--log"), const_cast<char *>("/dev/null"), nullptr};
        if (posix_spawnp(&m_pid, "python3", &actions, nullptr, argv, environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        FILE *reader = fdopen(out[0], "r");
        if (reader && fscanf(reader, "%d", &m_port) != 1)
            m_port = 0;
        if (reader)
            fclose(reader);
    }
    ~SampleSite()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }
    SampleSite(const SampleSite &) = delete;
    SampleSite &operator=(const SampleSite &) = delete;

    int port() const { return m_port; }

    // The bytes the server sends for a download path.
    static QByteArray body(const QString &path);

private:
    pid_t m_pid = -1;
    int m_port = 0;
};

// Shows the address in the view; true once its page has loaded.
inline bool loadAndWait(platform::QtWebView &view, const QString &address)
{
    QSignalSpy finished(&view, &QWebEngineView::loadFinished);
    view.Navigate(address);
    return finished.wait(20000) && finished.first().first().toBool();
}

// Runs the tests of Test against the sample site, which the engine reaches through its proxy
// switch; the web engine cannot start its sandbox as root.
template <typename Test> int runAgainstSampleSite(int argc, char *argv[])
{
    const SampleSite site;
    if (site.port() == 0)
        qFatal("the sample site did not start");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
            qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") +
                " --proxy-server=http://127.0.0.1:" + QByteArray::number(site.port()));
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    Test test;
    return QTest::qExec(&test, argc, argv);
}
