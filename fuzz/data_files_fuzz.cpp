// Feeds arbitrary bytes as a data-folder text file and as Kartello.ini: what is read is written
// back as the same text, and changing one value of the state file changes no other.
#include "DataFolder.h"
#include "IniFile.h"
#include "TextEncoding.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

QString joinedLines(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + QLatin1String("\r\n");
    return text;
}

// Every key of the file with its value, in file order.
QStringList keysAndValues(const QString &path, const QStringList &lines)
{
    IniFile ini(path);
    ini.load();
    QStringList out;
    QString section;
    for (const QString &line : lines) {
        const QString t = line.trimmed();
        if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']')) && t.size() > 2) {
            section = t.mid(1, t.size() - 2).trimmed();
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq > 0 && !line.startsWith(QLatin1Char(';')) && !line.startsWith(QLatin1Char('#')))
            out << section + QLatin1Char('|') + line.left(eq).trimmed() + QLatin1Char('=')
                       + ini.value(section, line.left(eq).trimmed());
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir dir;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    // A file read and written back, unchanged or with its lines as read, reads as the same lines.
    const QStringList lines = splitLines(bytes);
    const QByteArray rewritten = encodeForRewrite(joinedLines(lines), bytes);
    if (splitLines(rewritten) != lines)
        std::abort();

    // The state file: one value changed, every other value and line reads back as before.
    const QString path = dir.filePath(QStringLiteral("Kartello.ini"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return 0;
    file.close();
    const QStringList before = keysAndValues(path, lines);
    IniFile ini(path);
    ini.load();
    ini.setValue(QStringLiteral("Form1"), QStringLiteral("Top"), QStringLiteral("120"));
    ini.save();
    const QStringList after = loadLines(path);
    IniFile again(path);
    again.load();
    if (again.value(QStringLiteral("Form1"), QStringLiteral("Top")) != QLatin1String("120"))
        std::abort();
    for (const QString &entry : before) {
        const qsizetype bar = entry.indexOf(QLatin1Char('|'));
        const qsizetype eq = entry.indexOf(QLatin1Char('='), bar);
        const QString section = entry.left(bar);
        const QString key = entry.mid(bar + 1, eq - bar - 1);
        if (section.compare(QLatin1String("Form1"), Qt::CaseInsensitive) == 0
            && key.compare(QLatin1String("Top"), Qt::CaseInsensitive) == 0)
            continue;
        if (again.value(section, key) != ini.value(section, key))
            std::abort();
    }
    // Only the changed value's own line may differ.
    int gone = 0;
    for (const QString &line : lines)
        gone += after.contains(line) ? 0 : 1;
    if (gone > 1)
        std::abort();
    return 0;
}
