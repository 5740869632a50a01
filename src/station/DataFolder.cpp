#include "DataFolder.h"

#include "FilePlaces.h"
#include "KartelloError.h"
#include "TextEncoding.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <unistd.h>

namespace {

QString &executableFolderOverride()
{
    static QString folder;
    return folder;
}

QString withSlash(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

} // namespace

QString executableFolder()
{
    const QString &folder = executableFolderOverride();
    if (!folder.isEmpty())
        return withSlash(folder);
    return withSlash(QCoreApplication::applicationDirPath());
}

void setExecutableFolder(const QString &folder)
{
    executableFolderOverride() = folder;
}

QString dataFilePath(const QString &name)
{
    return filePlaces().dataFolder + name;
}

QStringList splitLines(const QByteArray &bytes)
{
    const QString text = decodeText(bytes);
    QStringList lines;
    int start = 0;
    const int n = text.size();
    for (int i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines << text.mid(start);
    return lines;
}

QStringList loadLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw KartelloError::cannotOpen(path);
    return splitLines(file.readAll());
}

namespace {

// Writes all of bytes. A write cut short (disk full, file-size limit) is followed by another,
// which fails with the system's reason, so that the file's error says why.
bool writeWhole(QFileDevice &file, const QByteArray &bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// The system's reason why the file at path cannot be replaced: the file itself is read-only
// (or lies on a read-only file system), or its folder takes no new file. QSaveFile puts a
// text of its own ("Existing file ... is not writable") where the system's reason belongs.
QString reasonAgainstReplacing(const QString &path)
{
    const QByteArray file = QFile::encodeName(path);
    if (::access(file.constData(), W_OK) != 0 && errno != ENOENT)
        return qt_error_string(errno);
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    if (::access(folder.constData(), W_OK) != 0)
        return qt_error_string(errno);
    return QString();
}

} // namespace

void saveLines(const QString &path, const QStringList &lines,
               QFileDevice::Permissions permissions)
{
    QString text;
    for (const QString &line : lines)
        text += line + QLatin1String("\r\n");
    QByteArray previous;
    QFile old(path);
    if (old.open(QIODevice::ReadOnly))
        previous = old.readAll();
    const QByteArray bytes = encodeForRewrite(text, previous);
    // Unbuffered, so that write() reports a short write (disk full, file-size limit) instead
    // of a buffered flush inside commit() dropping it and renaming a truncated file into place.
    QSaveFile file(path);
    const bool opened = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    if (!opened || (permissions && !file.setPermissions(permissions)) || !writeWhole(file, bytes)
        || !file.commit()) {
        // The system's reason (no space left, read-only, permission denied) on a line of its
        // own: the operator has to act on it before the file can be written.
        QString reason = opened ? QString() : reasonAgainstReplacing(path);
        if (reason.isEmpty() && file.error() != QFileDevice::NoError)
            reason = file.errorString();
        throw KartelloError(KartelloError::cannotCreate(path).text()
                            + (reason.isEmpty() ? QString() : QStringLiteral("\n") + reason));
    }
}

QString lineAt(const QStringList &lines, int index)
{
    if (index < 0 || index >= lines.size())
        throw KartelloError::indexOutOfBounds(index);
    return lines.at(index);
}

bool isDecimalInteger(const QString &text)
{
    const int first = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    if (text.size() == first)
        return false;
    for (int i = first; i < text.size(); ++i)
        if (text.at(i) < QLatin1Char('0') || text.at(i) > QLatin1Char('9'))
            return false;
    return true;
}

int lineToInt(const QString &text)
{
    // Qt's own conversion stops at a NUL, so the characters are checked first.
    bool ok = false;
    const int value = isDecimalInteger(text) ? text.toInt(&ok, 10) : 0;
    if (!ok)
        throw KartelloError::notAnInteger(text);
    return value;
}

QString folderPart(const QString &path)
{
    return path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString cardFolder()
{
    QString folder = lineAt(loadLines(dataFilePath(QStringLiteral("lfile.qec"))), 0);
    if (folder.startsWith(QLatin1String("~/")))
        folder = withSlash(QDir::homePath()) + folder.mid(2);
    if (!folder.isEmpty() && !QDir(folder).exists())
        QDir().mkpath(folder);
    return folder;
}

void setCardFolderFromFile(const QString &savedFile)
{
    saveLines(dataFilePath(QStringLiteral("lfile.qec")), {folderPart(savedFile)});
}
