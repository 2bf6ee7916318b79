// The names a download is offered and written under: rules for names that a server proposes.
#pragma once

#include <QSet>
#include <QString>

class QUrl;

namespace downloads {

// The name a download from url is offered under: the name the engine proposes (from the
// server, the link or the address) made plain. Where the address names no file and the engine
// has only its stand-in ("qwe_download" with the type's extension), the address's host with
// that extension, as browsers name it.
QString offeredName(const QString &proposed, const QUrl &url);

// The name a page is saved under: its title made a plain file name, ending in ".htm" (the
// pages File > Open lists).
QString pageFileName(const QString &title);

// Whether a directory entry of any kind has this path: a file, a folder, a link (dangling or
// not), a device or a pipe.
bool hasEntry(const QString &path);

// Whether Windows reserves this name for a device (CON, COM1, LPT1.txt, ...).
bool reservedOnWindows(const QString &name);

// A name that a server proposes, made into a plain file name that every common file system
// takes: its last path component, without control, format or separator characters or those
// Windows refuses, without leading dots, dashes or tildes, not a name Windows reserves, at
// most 200 bytes long with its extension kept; "download" when nothing is left.
QString plainFileName(const QString &proposed);

// The partial name for a download to target: "setup.exe.part", or "setup.exe.1.part", ...
// when a directory entry of any kind or a download in use has that name or its working name,
// so that a partial file that is not this run's own, or a link, is never written through.
QString freePartialName(const QString &target, const QSet<QString> &inUse);

// Where to offer to save a file of this name in folder: the name itself, or the first of
// "name (1).ext", "name (2).ext", ... that no directory entry has (nor its partial names) and
// no download in use. For a page saved whole, the folder of its parts must be free too.
enum class Saved { File, Page };
QString proposedPath(const QString &folder, const QString &name, const QSet<QString> &inUse = {},
                     Saved saved = Saved::File);

// The folder of parts that the engine writes beside a page saved whole under this file name:
// "notes_files" for "notes.htm".
QString partsFolderOf(const QString &pageName);

// The file name for the engine to write a page saved as target under, which names the folder
// of its parts: target's own where that folder is free beside it, else the first of
// "notes (1).htm", "notes (2).htm", ... whose folder of parts is.
QString pageWorkingName(const QString &target);

// Whether folder holds nothing but the parts of the saved page file: each entry in it a
// regular file that the page names as a part ("./notes_files/logo.png"), none of anyone else's.
bool holdsOnlyPartsOf(const QString &page, const QString &folder);

} // namespace downloads
