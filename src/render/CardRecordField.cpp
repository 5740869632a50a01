#include "CardRecordField.h"

#include "ReportEngine.h"

namespace {
const QString placeholder = QStringLiteral("~");
}

CardRecordField::CardRecordField(QObject *owner)
    : CardLabel(owner)
{
}

bool CardRecordField::nextValue()
{
    if (m_values.size() < 2)
        return false;
    if (m_valueIndex < m_values.size())
        ++m_valueIndex;
    return m_valueIndex < m_values.size();
}

QString CardRecordField::printedText()
{
    if (m_values.isEmpty())
        return emptyText();
    if (m_valueIndex >= 0 && m_valueIndex < m_values.size())
        return m_values.at(m_valueIndex);
    return m_values.size() == 1 ? m_values.first() : placeholder;
}

QString CardRecordField::emptyText()
{
    if (showFieldCaptions())
        return caption();
    const QString name = objectName();
    if (showFieldNames())
        return QLatin1Char('[') + name.toUpper() + QLatin1Char(']');
    if (name.endsWith(QLatin1Char('_')) && parent()) {
        QString master = name;
        while (master.endsWith(QLatin1Char('_')))
            master.chop(1);
        auto *field = parent()->findChild<CardRecordField *>(master, Qt::FindDirectChildrenOnly);
        if (field && field != this)
            return field->printedText();
    }
    return placeholder;
}

void CardRecordField::clearValues()
{
    m_values.clear();
    m_valueIndex = 0;
}
