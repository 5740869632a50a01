#include "CardSystemField.h"

#include "ReportPrinter.h"

#include <QDateTime>

CardSystemField::CardSystemField(QObject *owner)
    : CardLabel(owner)
{
    setColor(Qt::white);
    showPlaceholder();
}

void CardSystemField::setDataType(SystemDataType type)
{
    m_dataType = type;
    showPlaceholder();
}

QString CardSystemField::ownerName() const
{
    return parent() ? parent()->objectName() : QString();
}

void CardSystemField::loaded()
{
    showPlaceholder();
    CardLabel::loaded();
}

void CardSystemField::showPlaceholder()
{
    switch (m_dataType) {
    case SystemDataType::Time: setCaption(QStringLiteral("#hh:mm:ss#")); break;
    case SystemDataType::Date: setCaption(QStringLiteral("#tt.mm.jjjj#")); break;
    case SystemDataType::DateTime: setCaption(QStringLiteral("#tt.mm.jjjj hh:mm:ss#")); break;
    case SystemDataType::PageNumber: setCaption(QStringLiteral("#Page#")); break;
    case SystemDataType::Counter: setCaption(QStringLiteral("#Counter#")); break;
    case SystemDataType::Count: setCaption(QStringLiteral("#Count#")); break;
    case SystemDataType::FormName: setCaption(QLatin1Char('#') + ownerName() + QLatin1Char('#')); break;
    }
}

bool CardSystemField::nextValue()
{
    ++m_counter;
    return false;
}

QString CardSystemField::printedText()
{
    const QDateTime now = QDateTime::currentDateTime();
    switch (m_dataType) {
    case SystemDataType::Time: return now.time().toString(QStringLiteral("hh:mm:ss"));
    case SystemDataType::Date: return now.date().toString(QStringLiteral("dd.MM.yyyy"));
    case SystemDataType::DateTime: return now.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
    case SystemDataType::PageNumber: return QString::number(reportPrinter().pageCount());
    case SystemDataType::Counter: return QString::number(m_counter + 1);
    case SystemDataType::Count: return QStringLiteral("E");
    case SystemDataType::FormName: return ownerName();
    }
    return QString();
}
