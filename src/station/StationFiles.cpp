#include "StationFiles.h"

#include "DataFolder.h"
#include "KartelloError.h"
#include "OneLine.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

constexpr int kPrefsLinesPerElement = 4;
constexpr int kCardWidth = 511;
constexpr int kCardHeight = 280;

} // namespace

QStringList prefsLines(const std::vector<ElementGeometry> &elements)
{
    QStringList lines;
    for (const ElementGeometry &e : elements)
        lines << QString::number(e.left) << QString::number(e.top) << QString::number(e.height)
              << QString::number(e.width);
    return lines;
}

int usableGeometry(GeometryField field, int value)
{
    switch (field) {
    case GeometryField::Left: return std::clamp(value, -kCardWidth, kCardWidth);
    case GeometryField::Top: return std::clamp(value, -kCardHeight, kCardHeight);
    case GeometryField::Width: return std::clamp(value, 0, 2 * kCardWidth);
    case GeometryField::Height: return std::clamp(value, 0, 2 * kCardHeight);
    }
    return value;
}

void readPrefs(const QStringList &lines, int elementCount,
               const std::function<void(int, GeometryField, int)> &set)
{
    const GeometryField order[kPrefsLinesPerElement] = {
        GeometryField::Left, GeometryField::Top, GeometryField::Height, GeometryField::Width};
    for (int element = 0; element < elementCount; ++element)
        for (int f = 0; f < kPrefsLinesPerElement; ++f)
            set(element, order[f],
                usableGeometry(order[f], lineToInt(lineAt(lines, element * kPrefsLinesPerElement + f))));
}

QStringList identityLines(const QStringList &texts)
{
    QStringList lines;
    for (const QString &text : texts)
        lines << oneLineText(text);
    return lines;
}

void readIdentity(const QStringList &lines, int fieldCount,
                  const std::function<void(int, const QString &)> &set)
{
    for (int i = 0; i < fieldCount; ++i)
        set(i, lineAt(lines, i));
}

FileReadState readStateOf(const QString &path, bool readWhole)
{
    if (readWhole)
        return FileReadState::Whole;
    return QFileInfo::exists(path) ? FileReadState::Partial : FileReadState::Missing;
}

bool keepsBackupAtShutdown(FileReadState state)
{
    return state == FileReadState::Partial;
}

void saveAtShutdown(const QString &path, const QStringList &lines, FileReadState state)
{
    if (keepsBackupAtShutdown(state) && QFileInfo::exists(path)) {
        const QString backup = path + QStringLiteral(".bak");
        QFile::remove(backup);
        if (!QFile::copy(path, backup))
            throw KartelloError::cannotCreate(backup);
    }
    saveLines(path, lines);
}
