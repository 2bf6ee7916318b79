// The rules for download names: plain names from a server's proposal, free and partial names.
#include "download_names.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>
#include <filesystem>

using namespace Qt::StringLiterals;

namespace downloads {

namespace {

// Longest name offered, in bytes of UTF-8: file systems take 255, and the partial names and a
// " (12)" to make the name free must fit too.
constexpr qsizetype kMaxNameBytes = 200;
// Longest extension kept whole when a long name is cut.
constexpr qsizetype kMaxExtension = 16;

// The engine writes a download under this suffix until it has all of it.
constexpr QStringView kEngineSuffix = u".download";

// Characters that mean nothing on screen (line and paragraph separators, bidi controls,
// zero-width characters) are left out; control characters, code points without a character
// and those Windows refuses become "_", each character beyond U+FFFF kept whole.
QString cleaned(const QString &name)
{
    QString clean;
    clean.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        char32_t c = name[i].unicode();
        const bool pair =
            QChar::isHighSurrogate(c) && i + 1 < name.size() && name[i + 1].isLowSurrogate();
        if (pair) {
            c = QChar::surrogateToUcs4(name[i], name[i + 1]);
            ++i;
        }
        switch (QChar::category(c)) {
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
        case QChar::Other_Format:
            continue;
        case QChar::Other_Control:
        case QChar::Other_Surrogate:
        case QChar::Other_NotAssigned:
            clean += u'_';
            continue;
        default:
            break;
        }
        if (c < 0x80 && u"<>:\"/\\|?*"_s.contains(QChar(c)))
            clean += u'_';
        else
            clean += QStringView(QChar::fromUcs4(c));
    }
    return clean;
}

// A name never starts with a dot (hidden), a dash (an option) or a tilde (a home folder, to a
// file dialog), nor ends with a dot or blank (which Windows drops).
QString trimmed(QString name)
{
    qsizetype begin = 0;
    while (begin < name.size() && (name[begin] == u'.' || name[begin] == u'-' ||
                                   name[begin] == u'~' || name[begin].isSpace()))
        ++begin;
    qsizetype end = name.size();
    while (end > begin && (name[end - 1] == u'.' || name[end - 1].isSpace()))
        --end;
    return name.mid(begin, end - begin);
}

// Cuts the name to kMaxNameBytes, keeping a short extension and whole characters.
QString cutToLength(const QString &name)
{
    if (name.toUtf8().size() <= kMaxNameBytes)
        return name;
    const qsizetype dot = name.lastIndexOf(u'.');
    const bool keepExtension = dot > 0 && name.size() - dot <= kMaxExtension;
    const QString extension = keepExtension ? name.mid(dot) : QString();
    QString base = keepExtension ? name.left(dot) : name;
    const qsizetype room = kMaxNameBytes - extension.toUtf8().size();
    while (base.toUtf8().size() > room)
        base.chop(base.size() >= 2 && base.back().isLowSurrogate() ? 2 : 1);
    return trimmed(base) + extension;
}

// The names a download under this partial name writes, as a file and its engine's working file
// beside it (as earlier runs wrote them) or as a folder.
QStringList partialFilesOf(const QString &partial)
{
    if (partial.isEmpty())
        return {};
    return {partial, partial + kEngineSuffix};
}

bool partialTaken(const QString &partial, const QSet<QString> &inUse)
{
    const QStringList files = partialFilesOf(partial);
    return std::any_of(files.cbegin(), files.cend(),
                       [&](const QString &file) { return inUse.contains(file) || hasEntry(file); });
}

} // namespace

bool hasEntry(const QString &path)
{
    std::error_code error;
    const auto status =
        std::filesystem::symlink_status(QFile::encodeName(path).toStdString(), error);
    return status.type() != std::filesystem::file_type::not_found;
}

bool reservedOnWindows(const QString &name)
{
    static const QStringList devices = {u"CON"_s, u"PRN"_s,    u"AUX"_s,
                                        u"NUL"_s, u"CONIN$"_s, u"CONOUT$"_s};
    const QString device = name.section(u'.', 0, 0).trimmed().toUpper();
    if (devices.contains(device))
        return true;
    return device.size() == 4 && (device.startsWith(u"COM"_s) || device.startsWith(u"LPT"_s)) &&
           device[3] >= u'1' && device[3] <= u'9';
}

QString plainFileName(const QString &proposed)
{
    const qsizetype cut = std::max(proposed.lastIndexOf(u'/'), proposed.lastIndexOf(u'\\'));
    QString name = cutToLength(trimmed(cleaned(proposed.mid(cut + 1))));
    if (reservedOnWindows(name))
        name.prepend(u'_');
    return name.isEmpty() ? u"download"_s : name;
}

QString offeredName(const QString &proposed, const QUrl &url)
{
    const QFileInfo stand(proposed);
    if (stand.completeBaseName() != u"qwe_download" || !url.fileName().isEmpty() ||
        url.host().isEmpty())
        return plainFileName(proposed);
    return plainFileName(stand.suffix().isEmpty() ? url.host()
                                                  : url.host() + u'.' + stand.suffix());
}

QString pageFileName(const QString &title)
{
    // Made plain with its extension, so that a long title is cut and the name still holds to
    // the rule.
    const QString name = title.isEmpty() ? u"page"_s : title;
    const bool page = name.endsWith(u".htm"_s, Qt::CaseInsensitive) ||
                      name.endsWith(u".html"_s, Qt::CaseInsensitive);
    return plainFileName(page ? name : name + u".htm"_s);
}

QString freePartialName(const QString &target, const QSet<QString> &inUse)
{
    QString partial = target + u".part"_s;
    for (int n = 1; partialTaken(partial, inUse); ++n)
        partial = target + u'.' + QString::number(n) + u".part"_s;
    return partial;
}

QString proposedPath(const QString &folder, const QString &name, const QSet<QString> &inUse,
                     Saved saved)
{
    const QDir dir(folder);
    const QFileInfo file(name);
    const QString suffix =
        file.completeSuffix().isEmpty() ? QString() : u'.' + file.completeSuffix();
    // A name whose first partial name is taken may be another run's download still going.
    const auto taken = [&](const QString &candidate) {
        const QString path = dir.filePath(candidate);
        return hasEntry(path) || inUse.contains(path) || partialTaken(path + u".part"_s, inUse) ||
               (saved == Saved::Page && hasEntry(dir.filePath(partsFolderOf(candidate))));
    };
    QString candidate = name;
    for (int n = 1; taken(candidate); ++n)
        candidate = file.baseName() + u" ("_s + QString::number(n) + u')' + suffix;
    return dir.filePath(candidate);
}

QString partsFolderOf(const QString &pageName)
{
    return QFileInfo(pageName).completeBaseName() + u"_files"_s;
}

QString pageWorkingName(const QString &target)
{
    const QFileInfo file(target);
    const QDir place = file.absoluteDir();
    const QString suffix = file.suffix().isEmpty() ? QString() : u'.' + file.suffix();
    QString name = file.fileName();
    for (int n = 1; hasEntry(place.filePath(partsFolderOf(name))); ++n)
        name = file.completeBaseName() + u" ("_s + QString::number(n) + u')' + suffix;
    return name;
}

bool holdsOnlyPartsOf(const QString &page, const QString &folder)
{
    // A saved page is a few hundred kilobytes: one far larger is no page the engine saved.
    constexpr qint64 kMostRead = 64 * 1024 * 1024;
    namespace fs = std::filesystem;
    const auto kind = [](const QString &path) {
        std::error_code error;
        return fs::symlink_status(QFile::encodeName(path).constData(), error).type();
    };
    QFile file(page);
    if (kind(page) != fs::file_type::regular || kind(folder) != fs::file_type::directory ||
        file.size() > kMostRead || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = file.readAll();
    const QDir parts(folder);
    const QStringList entries =
        parts.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    return std::all_of(entries.begin(), entries.end(), [&](const QString &entry) {
        return kind(parts.filePath(entry)) == fs::file_type::regular &&
               text.contains((u"./"_s + parts.dirName() + u'/' + entry).toUtf8());
    });
}

} // namespace downloads
