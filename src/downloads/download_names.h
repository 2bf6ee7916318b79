// The names a download is offered and written under: rules for names that a server proposes.
#pragma once

#include <QSet>
#include <QString>

namespace downloads {

// Whether Windows reserves this name for a device (CON, COM1, LPT1.txt, ...).
bool reservedOnWindows(const QString &name);

// A name that a server proposes, made into a plain file name that every common file system
// takes: its last path component, without control characters or those Windows refuses,
// without leading dots or dashes, not a name Windows reserves, at most 200 bytes long with
// its extension kept; "download" when nothing is left.
QString plainFileName(const QString &proposed);

// The names a download to target writes while it runs: the partial file and the engine's own
// working file.
QStringList partialFilesOf(const QString &partial);

// The partial name for a download to target: "setup.exe.part", or "setup.exe.1.part", ...
// when a file or a download in use has that name or its working name, so that a partial file
// that is not this run's own is never touched.
QString freePartialName(const QString &target, const QSet<QString> &inUse);

// Where to offer to save a file of this name in folder: the name itself, or the first of
// "name (1).ext", "name (2).ext", ... that is free on disk (with its partial names) and not
// in use.
QString proposedPath(const QString &folder, const QString &name, const QSet<QString> &inUse = {});

} // namespace downloads
