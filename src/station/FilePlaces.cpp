#include "FilePlaces.h"

#include "DataFolder.h"
#include "KartelloError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSaveFile>

namespace {

QString withSlash(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

// A base directory variable counts only when it holds an absolute path; otherwise the
// default under the home folder applies.
QString baseFolder(const QString &value, const QString &home, const char *defaultBelowHome)
{
    if (QDir::isAbsolutePath(value))
        return withSlash(QDir::cleanPath(value));
    return withSlash(home) + QLatin1String(defaultBelowHome);
}

FilePlaces portablePlaces(const QString &exe)
{
    FilePlaces p;
    p.mode = FileMode::Portable;
    p.executableFolder = exe;
    p.dataFolder = exe + QStringLiteral("system/");
    p.stateFolder = exe;
    p.batchFolder = exe + QStringLiteral("BatchJPG/");
    p.sentJournal = p.dataFolder + QStringLiteral("Sent.adi");
    p.scratchPicture = exe + QStringLiteral("temp.bmp");
    p.helpPage = exe + QStringLiteral("Kartello.html");
    p.dialogFolder = exe;
    return p;
}

// The template an installation ships; an earlier version shipped it as "system/".
QString shippedTemplate(const QString &share)
{
    const QString current = share + QStringLiteral("template/");
    const QString earlier = share + QStringLiteral("system/");
    if (!QFileInfo(current).isDir() && QFileInfo(earlier).isDir())
        return earlier;
    return current;
}

FilePlaces installedPlaces(const QString &exe, const XdgEnvironment &env)
{
    const QString home = withSlash(env.home);
    const QString data = baseFolder(env.dataHome, home, ".local/share/") + QStringLiteral("kartello/");
    const QString share = withSlash(QDir::cleanPath(exe + QStringLiteral("../share/kartello")));
    FilePlaces p;
    p.mode = FileMode::Installed;
    p.executableFolder = exe;
    p.dataFolder = data + QStringLiteral("system/");
    p.templateFolder = shippedTemplate(share);
    p.stateFolder = baseFolder(env.configHome, home, ".config/") + QStringLiteral("kartello/");
    p.batchFolder = data + QStringLiteral("BatchJPG/");
    p.sentJournal = p.dataFolder + QStringLiteral("Sent.adi");
    p.defaultCardFolder = data + QStringLiteral("QSL/");
    p.scratchPicture = baseFolder(env.cacheHome, home, ".cache/") + QStringLiteral("kartello/temp.bmp");
    p.helpPage = share + QStringLiteral("Kartello.html");
    p.dialogFolder = home;
    return p;
}

void makeFolder(const QString &folder)
{
    if (!QDir().mkpath(folder))
        throw KartelloError::cannotCreate(folder);
}

void copyTemplateFile(const QString &from, const QString &to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        throw KartelloError::cannotOpen(from);
    const QByteArray bytes = source.readAll();
    // Written beside and renamed into place: a copy cut short never stands as the operator's
    // file, which the next start would keep.
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly) || target.write(bytes) != bytes.size() || !target.commit())
        throw KartelloError::cannotCreate(to);
}

FolderCheck &writableCheckInUse()
{
    static FolderCheck check = isWritableFolder;
    return check;
}

// The places worked out once per executable folder (tests move it); card writers on other
// threads ask too.
struct KnownPlaces
{
    QMutex lock;
    FilePlaces places;
    bool worked = false;
};

KnownPlaces &knownPlaces()
{
    static KnownPlaces known;
    return known;
}

} // namespace

bool isWritableFolder(const QString &folder)
{
    return QFileInfo(folder).isWritable();
}

XdgEnvironment XdgEnvironment::fromProcess()
{
    XdgEnvironment env;
    env.home = QString::fromLocal8Bit(qgetenv("HOME"));
    if (!QDir::isAbsolutePath(env.home))
        env.home = QDir::homePath();
    env.dataHome = QString::fromLocal8Bit(qgetenv("XDG_DATA_HOME"));
    env.configHome = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    env.cacheHome = QString::fromLocal8Bit(qgetenv("XDG_CACHE_HOME"));
    return env;
}

FilePlaces filePlacesFor(const QString &executableFolder, const XdgEnvironment &environment,
                         FolderCheck writable)
{
    const QString exe = withSlash(executableFolder);
    const QString beside = exe + QStringLiteral("system/");
    const bool besideIsFolder = QFileInfo(beside).isDir();
    if (besideIsFolder && writable(beside))
        return portablePlaces(exe);
    FilePlaces p = installedPlaces(exe, environment);
    if (besideIsFolder) {
        // A portable copy on a read-only medium or unpacked by another user: its data becomes
        // the template of the operator's own data folder, and the window says so.
        p.templateFolder = beside;
        p.notice = QStringLiteral("The data folder beside Kartello, %1, is read-only, so this copy "
                                  "keeps its station data and settings in %2 (copied from %1 where "
                                  "missing) and saves them there.\nMake %1 writable to keep "
                                  "everything beside Kartello.")
                       .arg(beside, p.dataFolder);
    }
    // The operator's own files are never their own template.
    if (QDir::cleanPath(p.templateFolder) == QDir::cleanPath(p.dataFolder))
        p.templateFolder.clear();
    return p;
}

void setWritableFolderCheck(FolderCheck check)
{
    KnownPlaces &k = knownPlaces();
    const QMutexLocker locker(&k.lock);
    writableCheckInUse() = check ? check : isWritableFolder;
    k.worked = false;
}

FilePlaces filePlaces()
{
    KnownPlaces &k = knownPlaces();
    const QMutexLocker locker(&k.lock);
    FilePlaces &known = k.places;
    const QString exe = executableFolder();
    if (!k.worked || known.executableFolder != exe) {
        known = filePlacesFor(exe, XdgEnvironment::fromProcess(), writableCheckInUse());
        k.worked = true;
        if (known.mode == FileMode::Installed) {
            try {
                fillDataFolder(known);
                makeFolder(known.stateFolder);
                makeFolder(folderPart(known.scratchPicture));
            } catch (const KartelloError &) {
            }
        }
    }
    return known;
}

QStringList fillDataFolder(const FilePlaces &places)
{
    makeFolder(places.dataFolder);
    QStringList copied;
    if (places.templateFolder.isEmpty())
        return copied;
    const QDir shipped(places.templateFolder);
    for (const QString &name : shipped.entryList(QDir::Files, QDir::Name)) {
        const QString target = places.dataFolder + name;
        if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
            continue;
        if (name == QLatin1String("lfile.qec") && !places.defaultCardFolder.isEmpty())
            saveLines(target, {places.defaultCardFolder});
        else
            copyTemplateFile(shipped.filePath(name), target);
        copied << name;
    }
    return copied;
}

QString fileModeName(FileMode mode)
{
    return mode == FileMode::Installed ? QStringLiteral("installed") : QStringLiteral("portable");
}
