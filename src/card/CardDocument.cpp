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
#include <QHash>
#include <QSet>

#include <algorithm>
#include <utility>

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

QsoRecord CardDocument::shownQso(const QsoRecord &qso) const
{
    QsoRecord shown = qso;
    for (const card::QsoFieldNames &names : card::qsoFields()) {
        QString &text = card::qsoFieldText(shown, names.field);
        text = oneLineText(text);
        if (names.field == QsoField::CallSign)
            text = upperCaseAtoZ(text);
        else if (names.field == QsoField::UtcDate)
            text = cardDateText(text, dateStyle);
    }
    return shown;
}

void CardDocument::setQso(const QsoRecord &qso)
{
    const QsoRecord shown = shownQso(qso);
    for (const card::QsoFieldNames &names : card::qsoFields())
        element<CardLabel>(QString::fromLatin1(names.valueElement))
            ->setCaption(card::qsoFieldText(shown, names.field));
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

namespace {

// How far apart two rows of the QSO table lie: a value's frame is 17 pixels high and shares
// its top line with the bottom line of the frame above it.
constexpr int kTableRowPitch = 16;

enum class TablePart { None, Title, RowValue, RowFrame, CallValue, CallFrame };

TablePart tablePartOf(const QString &name)
{
    static const QHash<QString, TablePart> parts = [] {
        QHash<QString, TablePart> out;
        for (const card::QsoFieldNames &f : card::qsoFields()) {
            const bool call = f.field == QsoField::CallSign;
            out.insert(QString::fromLatin1(f.titleElement), TablePart::Title);
            out.insert(QString::fromLatin1(f.titleFrame), TablePart::Title);
            out.insert(QString::fromLatin1(f.valueElement),
                       call ? TablePart::CallValue : TablePart::RowValue);
            out.insert(QString::fromLatin1(f.valueFrame),
                       call ? TablePart::CallFrame : TablePart::RowFrame);
        }
        return out;
    }();
    return parts.value(name, TablePart::None);
}

// Paints e as if it lay at place, clipped to it.
void paintAt(QPainter &painter, CardElement *e, const QRect &place)
{
    painter.save();
    painter.translate(place.topLeft());
    painter.setClipRect(QRect(QPoint(0, 0), place.size()), Qt::IntersectClip);
    e->paint(painter);
    painter.restore();
}

} // namespace

QRect CardDocument::tablePlace(const QString &name, int rows) const
{
    const CardElement *e = element(name);
    if (!e)
        return {};
    const QRect own = e->geometry();
    const int rise = kTableRowPitch * (qBound(1, rows, card::kMaxQsosPerCard) - 1);
    switch (tablePartOf(name)) {
    case TablePart::None:
        return own;
    case TablePart::Title:
    case TablePart::RowValue:
    case TablePart::RowFrame:
        return own.translated(0, -rise);
    case TablePart::CallValue:
    case TablePart::CallFrame:
        break;
    }
    return own.adjusted(0, -rise, 0, 0);
}

CardDocument &CardDocument::tableOf(int rows) const
{
    if (!m_table) {
        m_table = std::make_unique<CardDocument>();
        m_tableRevision = ~designRevision();
    }
    const quint64 revision = designRevision();
    if (revision != m_tableRevision) {
        m_table->adoptDesignOf(*this);
        m_tableRevision = revision;
        m_tableRows = 0;
        m_tableWithoutRows.fill(QImage());
    }
    if (rows != m_tableRows) {
        for (CardElement *e : m_table->m_elements) {
            const QString name = e->objectName();
            if (tablePartOf(name) != TablePart::None) {
                const QRect place = tablePlace(name, rows);
                e->setBounds(place.x(), place.y(), place.width(), place.height());
            }
        }
        m_tableRows = rows;
    }
    return *m_table;
}

void CardDocument::paintTable(QPainter &painter, const QRegion &area,
                              const std::vector<QsoRecord> &rows, bool skipRows) const
{
    using card::qsoFieldText;
    CardDocument &table = *m_table;
    painter.save();
    painter.setClipRegion(area, Qt::IntersectClip);
    painter.fillRect(QRect(0, 0, card::kBandWidth, card::kBandHeight), Qt::white);
    for (CardElement *e : std::as_const(table.m_elements)) {
        if (!e->visible())
            continue;
        const TablePart part = tablePartOf(e->objectName());
        const QRect place = e->geometry();
        if (part == TablePart::RowValue || part == TablePart::RowFrame) {
            if (part == TablePart::RowValue && skipRows)
                continue;
            const card::QsoField field =
                part == TablePart::RowValue ? card::qsoFieldOfValue(e->objectName())
                                            : card::QsoField::CallSign;
            for (size_t row = 0; row < rows.size(); ++row) {
                const QRect rowPlace = place.translated(0, kTableRowPitch * int(row));
                if (!area.intersects(rowPlace))
                    continue;
                if (part == TablePart::RowValue)
                    e->setCaption(qsoFieldText(rows[row], field));
                paintAt(painter, e, rowPlace);
            }
        } else if (part == TablePart::CallValue) {
            if (skipRows || !area.intersects(place))
                continue;
            // The cell's colour over the whole span, then the call sign centred on it.
            e->setCaption(QString());
            paintAt(painter, e, place);
            const int lineHeight = element(e->objectName())->height();
            const QRect line(place.x(), place.y() + (place.height() - lineHeight) / 2,
                             place.width(), lineHeight);
            const bool transparent = e->transparent();
            e->setTransparent(true);
            e->setCaption(rows.empty() ? QString() : rows.front().callSign);
            paintAt(painter, e, line);
            e->setTransparent(transparent);
        } else if (area.intersects(place)) {
            paintAt(painter, e, place);
        }
    }
    painter.restore();
}

QImage CardDocument::paintCard(const std::vector<QsoRecord> &qsos)
{
    setQso(qsos.empty() ? QsoRecord() : qsos.front());
    if (qsos.size() <= 1)
        return paintCard();
    const int count = int(std::min<size_t>(qsos.size(), card::kMaxQsosPerCard));
    std::vector<QsoRecord> rows;
    for (int i = 0; i < count; ++i)
        rows.push_back(shownQso(qsos[i]));

    const QRect area(0, 0, card::kCardWidth, card::kCardHeight);
    CardDocument &table = tableOf(count);
    QImage &withoutRows = m_tableWithoutRows[count];
    if (withoutRows.isNull()) {
        withoutRows = QImage(area.size(), QImage::Format_RGB32);
        withoutRows.setDevicePixelRatio(1.0);
        withoutRows.fill(Qt::white);
        QPainter painter(&withoutRows);
        paintTable(painter, QRegion(area), rows, true);
    }
    QRegion values;
    for (const card::QsoFieldNames &names : card::qsoFields()) {
        const CardElement *e = table.element(QString::fromLatin1(names.valueElement));
        if (!e->visible())
            continue;
        const int spans = names.field == QsoField::CallSign ? 1 : count;
        for (int row = 0; row < spans; ++row)
            values += e->geometry().translated(0, kTableRowPitch * row) & area;
    }
    QImage image = withoutRows.copy();
    QPainter painter(&image);
    paintTable(painter, values, rows, false);
    return image;
}
