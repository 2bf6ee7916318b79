// Zel Tidewell — a small desktop news reader.
#pragma once

#include <QStringList>

namespace platform {

// Whether these entries of /dev/dri include a render node (renderD128, ...): the sign of a GPU
// that draws.
bool hasRenderNode(const QStringList &driEntries);

// On a Linux machine without such a GPU, has Qt Quick (which the web engine shows its pages
// through) use its software scene graph, and the X11 connection no OpenGL: OpenGL drawn in
// software costs more to start and to hold than it saves. Leaves every graphics choice the
// user made alone. To be called before the application object is made.
void chooseEngineGraphics();

} // namespace platform
