#pragma once

#include "CardsRun.h"

class CardDocument;

// Paints each list row's card from a card document, as JPG Selected draws it in the window.
class DocumentCardPainter : public CardPainter
{
public:
    DocumentCardPainter(CardDocument &document, const QString &defaultPower)
        : m_document(document), m_defaultPower(defaultPower) {}

    QString defaultPower() const override { return m_defaultPower; }
    QImage paintCard(const QString &row, QsoRecord &filled) override;

private:
    CardDocument &m_document;
    QString m_defaultPower;
};
