#include "KartelloError.h"

KartelloError::KartelloError(const QString &text)
    : std::runtime_error(text.toStdString()), m_text(text)
{
}

KartelloError KartelloError::cannotOpen(const QString &path)
{
    return KartelloError(QStringLiteral("Cannot open file %1").arg(path));
}

KartelloError KartelloError::cannotCreate(const QString &path)
{
    return KartelloError(QStringLiteral("Cannot create file %1").arg(path));
}

KartelloError KartelloError::indexOutOfBounds(int index)
{
    return KartelloError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

KartelloError KartelloError::notAnInteger(const QString &value)
{
    return KartelloError(QStringLiteral("'%1' is not a valid integer value").arg(value));
}
