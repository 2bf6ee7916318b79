// Zel Tidewell — a small desktop news reader.
#include "engine_graphics.h"

#include "platform/qt/own_environment.h"

#include <QDir>
#include <QQuickWindow>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace platform {

bool hasRenderNode(const QStringList &driEntries)
{
    return std::any_of(driEntries.begin(), driEntries.end(),
                       [](const QString &entry) { return entry.startsWith(u"renderD"); });
}

void chooseEngineGraphics()
{
#ifdef Q_OS_LINUX
    for (const char *chosen :
         {"QT_QUICK_BACKEND", "QSG_RHI_BACKEND", "QT_XCB_GL_INTEGRATION", "QT_OPENGL"}) {
        if (qEnvironmentVariableIsSet(chosen))
            return;
    }
    if (hasRenderNode(QDir(u"/dev/dri"_s).entryList(QDir::System | QDir::NoDotAndDotDot)))
        return;
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    // No API chooses this one; it is set for the program only, never for what it starts.
    setOwnEnvironment("QT_XCB_GL_INTEGRATION", "none");
#endif
}

} // namespace platform
