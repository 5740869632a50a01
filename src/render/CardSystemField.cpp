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
    case alr_Time: setCaption(QStringLiteral("#hh:mm:ss#")); break;
    case alr_Date: setCaption(QStringLiteral("#tt.mm.jjjj#")); break;
    case alr_DateTime: setCaption(QStringLiteral("#tt.mm.jjjj hh:mm:ss#")); break;
    case alr_PageNum: setCaption(QStringLiteral("#Page#")); break;
    case alr_Counter: setCaption(QStringLiteral("#Counter#")); break;
    case alr_Count: setCaption(QStringLiteral("#Count#")); break;
    case alr_FormName: setCaption(QLatin1Char('#') + ownerName() + QLatin1Char('#')); break;
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
    case alr_Time: return now.time().toString(QStringLiteral("hh:mm:ss"));
    case alr_Date: return now.date().toString(QStringLiteral("dd.MM.yyyy"));
    case alr_DateTime: return now.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
    case alr_PageNum: return QString::number(reportPrinter().pageCount());
    case alr_Counter: return QString::number(m_counter + 1);
    case alr_Count: return QStringLiteral("E");
    case alr_FormName: return ownerName();
    }
    return QString();
}
