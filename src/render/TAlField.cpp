#include "TAlField.h"

#include "AlEngine.h"

namespace {
const QString placeholder = QStringLiteral("~");
}

TAlField::TAlField(QObject *owner)
    : TAlLabel(owner)
{
}

bool TAlField::NextValue()
{
    if (m_values.size() < 2)
        return false;
    if (m_valueIndex < m_values.size())
        ++m_valueIndex;
    return m_valueIndex < m_values.size();
}

QString TAlField::PrintText()
{
    if (m_values.isEmpty())
        return emptyText();
    if (m_valueIndex >= 0 && m_valueIndex < m_values.size())
        return m_values.at(m_valueIndex);
    return m_values.size() == 1 ? m_values.first() : placeholder;
}

QString TAlField::emptyText()
{
    if (alShowCaptions())
        return caption();
    const QString name = objectName();
    if (alShowNames())
        return QLatin1Char('[') + name.toUpper() + QLatin1Char(']');
    if (name.endsWith(QLatin1Char('_')) && parent()) {
        QString master = name;
        while (master.endsWith(QLatin1Char('_')))
            master.chop(1);
        auto *field = parent()->findChild<TAlField *>(master, Qt::FindDirectChildrenOnly);
        if (field && field != this)
            return field->PrintText();
    }
    return placeholder;
}

void TAlField::ClearValues()
{
    m_values.clear();
    m_valueIndex = 0;
}
