// Zel Tidewell — a small desktop news reader.
#include "main_window/frm_browser.h"
#include "platform/qt_platform.h"

#include <QApplication>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"ZelTidewell"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(ZEL_VERSION));

    // The window deletes itself when closed; the program ends with its last window.
    auto *window = new frmBrowser(platform::makeQtBrowserPlatform());
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return QApplication::exec();
}
