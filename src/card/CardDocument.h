#pragma once

#include "CardOptions.h"
#include "QsoEntryRules.h"
#include "QsoRecord.h"

#include <QImage>
#include <QObject>

#include <array>
#include <memory>
#include <vector>

class QPainter;
class CardElement;
class CardLabel;

// The card as a document: its picture, text and frame elements in painting order, with
// nothing of a window. The main window shows its document's elements on its band and its
// features edit them there; a command reads a card::CardDesign, applies it with applyDesign()
// and paints one card per QSO, pixel for pixel the card the window shows for the same design.
class CardDocument : public QObject
{
    Q_OBJECT
public:
    explicit CardDocument(QObject *parent = nullptr);
    ~CardDocument() override;

    // The picture, text and frame elements in painting order.
    const QList<CardElement *> &elements() const { return m_elements; }

    // Places every element, in painting order, on surface (an ElementSurface such as the
    // window's band), which then shows the document; the document still owns them.
    void showOn(QObject *surface);

    // The element named name (nullptr when the card has none).
    template <typename T = CardElement> T *element(const QString &name) const
    {
        return findChild<T *>(name, Qt::FindDirectChildrenOnly);
    }

    // The seven QSO values as the entry overlays hold them (each made one line, the call sign
    // upper case as typing makes it) onto the value elements.
    void setQso(const QsoRecord &qso);
    QsoRecord qso() const;
    // qso as setQso() shows it: each value made one line, the call sign upper case, the date
    // in the card's date style.
    QsoRecord shownQso(const QsoRecord &qso) const;

    // Takes the look and place of every element from other, a document a design was applied
    // to, with its name line step and box colours; the QSO values keep their texts. The window
    // shows its design this way on the elements its band already holds.
    void adoptDesignOf(const CardDocument &other);

    // Paints the 511 x 280 card area: white, then every visible element in creation order,
    // each clipped to its own rectangle, as the band paints the screen.
    void paint(QPainter &painter) const;
    // The card as a picture of 511 x 280 pixels at a device pixel ratio of 1, whatever the
    // screen's scale. What does not change from QSO to QSO is drawn once per design and kept
    // until an element other than the seven values changes: a card starts from that picture
    // and only the areas of the values are painted again, every element over them in order,
    // so the pixels are those paint() gives.
    QImage paintCard() const;
    // The card of several QSOs of one call sign, in the order given (at most
    // card::kMaxQsosPerCard are drawn): the QSO area becomes a table with one row per QSO
    // under the titles, the call sign once in a cell that spans the rows, each row 16 pixels
    // below the one before, and the table grows upward from where the card's own QSO area
    // lies, so that its last row is that area's row. One QSO gives the card setQso() and
    // paintCard() give, pixel for pixel; none gives the card of an empty QSO. The document's
    // own values are set to the first QSO.
    QImage paintCard(const std::vector<QsoRecord> &qsos);
    // Where the table of rows QSOs puts element (by name): the card's own place for one row;
    // titles and their frames go up by 16 pixels for each row after the first, values and
    // their frames likewise (the first row; each further row 16 pixels lower), and the call
    // sign's value and frame span every row.
    QRect tablePlace(const QString &element, int rows) const;

    // State the window keeps beside its elements while a design is applied.
    int nameLineStep = 15;
    card::BoxColours boxColours = card::shippedBoxColours();
    // How setQso() prints the UTC date: as typed, or year-month-day (the ISO dates option).
    CardDateStyle dateStyle = CardDateStyle::AsTyped;

private:
    // Paints the elements that intersect area, in order, each clipped to itself and to area;
    // skipValues leaves the seven values out.
    void paintElements(QPainter &painter, const QRegion &area, bool skipValues) const;
    // The sum of the change counts of every element but the values.
    quint64 designRevision() const;
    // The table document, with this design and the table of rows laid out.
    CardDocument &tableOf(int rows) const;
    // Paints the table document's elements over area, in order: the values and their frames
    // (but the call sign's) once for each row, 16 pixels apart, with the row's texts; the call
    // sign once, centred in its spanning cell; skipRows leaves every value out, and the
    // frames drawn once per row.
    void paintTable(QPainter &painter, const QRegion &area, const std::vector<QsoRecord> &rows,
                    bool skipRows) const;

    QList<CardElement *> m_elements;
    QList<CardElement *> m_values;
    mutable QImage m_withoutValues;
    mutable quint64 m_withoutValuesRevision = 0;

    // The document several QSOs are drawn on (tableOf()), its design adopted from this one.
    mutable std::unique_ptr<CardDocument> m_table;
    mutable quint64 m_tableRevision = 0;
    mutable int m_tableRows = 0;
    // For each number of rows, the table card without its values, kept until the design
    // changes.
    mutable std::array<QImage, card::kMaxQsosPerCard + 1> m_tableWithoutRows;
};
