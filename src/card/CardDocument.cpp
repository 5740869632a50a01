#include "CardDocument.h"

#include "CardBuilder.h"
#include "CardElement.h"
#include "CardElements.h"
#include "CardLabel.h"
#include "CardPictureElement.h"
#include "OneLine.h"
#include "QsoEntryRules.h"
#include "QsoFields.h"

#include <QMetaProperty>
#include <QPainter>
#include <QSet>

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

void CardDocument::adoptDesignOf(const CardDocument &other)
{
    static const QSet<QByteArray> kPlaceAndSize = {"Left", "Top", "Width", "Height", "AutoSize",
                                                  "Autosize"};
    for (int i = 0; i < m_elements.size() && i < other.m_elements.size(); ++i) {
        CardElement *to = m_elements[i];
        const CardElement *from = other.m_elements[i];
        const bool value = m_values.contains(to);
        // Sized by hand while the look is taken, so that no caption or font measures the
        // element on the way; its own auto size and place come last.
        to->setAutoSize(false);
        const QMetaObject *meta = from->metaObject();
        for (int p = QObject::staticMetaObject.propertyCount(); p < meta->propertyCount(); ++p) {
            const QMetaProperty property = meta->property(p);
            const QByteArray name = property.name();
            if (kPlaceAndSize.contains(name) || (value && name == "Caption"))
                continue;
            property.write(to, property.read(from));
        }
        if (auto *picture = qobject_cast<CardPictureElement *>(to))
            picture->setPicture(static_cast<const CardPictureElement *>(from)->picture());
        to->setAutoSize(from->autoSize());
        const QRect place = from->geometry();
        to->setBounds(place.x(), place.y(), place.width(), place.height());
    }
    nameLineStep = other.nameLineStep;
    boxColours = other.boxColours;
    dateStyle = other.dateStyle;
}

void CardDocument::setQso(const QsoRecord &qso)
{
    QsoRecord typed = qso;
    for (const card::QsoFieldNames &names : card::qsoFields()) {
        QString &text = card::qsoFieldText(typed, names.field);
        text = oneLineText(text);
        if (names.field == QsoField::CallSign)
            text = upperCaseAtoZ(text);
        else if (names.field == QsoField::UtcDate)
            text = cardDateText(text, dateStyle);
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
