#include "CardDocument.h"

#include "CardBuilder.h"
#include "CardElement.h"
#include "CardElements.h"
#include "CardLabel.h"
#include "OneLine.h"
#include "QsoEntryRules.h"
#include "QsoFields.h"

#include <QPainter>

using card::QsoField;

CardDocument::CardDocument(QObject *parent)
    : QObject(parent)
{
    card::buildCard(this);
    for (const card::ElementRow &row : card::cardElements())
        if (auto *e = element(QString::fromLatin1(row.name)))
            m_elements << e;
    for (const card::QsoFieldNames &names : card::qsoFields())
        m_values << element(QString::fromLatin1(names.valueElement));
}

CardDocument::~CardDocument() = default;

void CardDocument::showOn(QObject *surface)
{
    for (CardElement *e : qAsConst(m_elements))
        e->setParentWidget(surface);
}

quint64 CardDocument::designRevision() const
{
    quint64 sum = 0;
    for (CardElement *e : m_elements)
        if (!m_values.contains(e))
            sum += e->revision();
    return sum;
}

void CardDocument::setQso(const QsoRecord &qso)
{
    QsoRecord typed = qso;
    for (const card::QsoFieldNames &names : card::qsoFields()) {
        QString &text = card::qsoFieldText(typed, names.field);
        text = oneLineText(text);
        if (names.field == QsoField::CallSign)
            text = upperCaseAtoZ(text);
        element<CardLabel>(QString::fromLatin1(names.valueElement))->setCaption(text);
    }
}

QsoRecord CardDocument::qso() const
{
    QsoRecord qso;
    for (const card::QsoFieldNames &names : card::qsoFields())
        card::qsoFieldText(qso, names.field) =
            element<CardLabel>(QString::fromLatin1(names.valueElement))->caption();
    return qso;
}

void CardDocument::paintElements(QPainter &painter, const QRegion &area, bool skipValues) const
{
    painter.save();
    painter.setClipRegion(area, Qt::IntersectClip);
    painter.fillRect(QRect(0, 0, card::kBandWidth, card::kBandHeight), Qt::white);
    for (CardElement *e : m_elements) {
        if (!e->visible() || !area.intersects(e->geometry())
            || (skipValues && m_values.contains(e)))
            continue;
        painter.save();
        painter.translate(e->left(), e->top());
        painter.setClipRect(QRect(0, 0, e->width(), e->height()), Qt::IntersectClip);
        e->paint(painter);
        painter.restore();
    }
    painter.restore();
}

void CardDocument::paint(QPainter &painter) const
{
    paintElements(painter, QRegion(0, 0, card::kBandWidth, card::kBandHeight), false);
}

QImage CardDocument::paintCard() const
{
    const QRect area(0, 0, card::kCardWidth, card::kCardHeight);
    const quint64 revision = designRevision();
    if (m_withoutValues.isNull() || revision != m_withoutValuesRevision) {
        m_withoutValuesRevision = revision;
        m_withoutValues = QImage(area.size(), QImage::Format_RGB32);
        m_withoutValues.setDevicePixelRatio(1.0);
        m_withoutValues.fill(Qt::white);
        QPainter painter(&m_withoutValues);
        paintElements(painter, QRegion(area), true);
    }
    QRegion values;
    for (CardElement *e : m_values)
        if (e->visible())
            values += e->geometry() & area;
    QImage image = m_withoutValues.copy();
    QPainter painter(&image);
    paintElements(painter, values, false);
    return image;
}
