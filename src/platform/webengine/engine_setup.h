// What Qt and the web engine are told before the application starts.
#pragma once

#include <QStringList>

namespace platform {

// Whether these entries of /dev/dri include a render node (renderD128, ...): the sign of a GPU
// that draws.
bool hasRenderNode(const QStringList &driEntries);

// What Qt, Qt Quick and the web engine read from the program before they start; to be called
// before the application object is made. Nothing is written to disk (no shader cache, no
// settings of Qt's dialogs). On Linux:
// - the engine's accessibility is turned on (it is off there unless asked for) where a
//   session bus is, the only way a screen reader can reach the program;
// - the pages' script engine is sized for memory rather than speed;
// - on a machine without a GPU, Qt Quick (which the engine shows its pages through) uses its
//   software scene graph, and neither the X11 connection nor Wayland's EGL brings in OpenGL:
//   OpenGL drawn in software costs more to start and to hold than it saves;
// - Mesa's shader cache is off: the program writes nothing but the downloads.
// The engine's account of its set-up and the pages' console messages are not printed unless
// the user's QT_LOGGING_RULES ask for them. Every choice the user made in the environment
// stays, and nothing of this reaches the programs the program starts.
void prepareEngine();

// Where OpenGL cannot be had after all (the user's own setting, such as
// QT_XCB_GL_INTEGRATION=none, or a GPU whose driver fails), the pages are drawn in software as
// without a GPU, rather than the engine failing for want of it. To be called once the
// application object is made, before the first web view.
void drawInSoftwareWithoutOpenGL();

} // namespace platform
