#pragma once

#include "CardsRun.h"

class CardDocument;

// Paints each list row's card from a card document, as JPG Selected draws it in the window.
class DocumentCardPainter : public CardPainter
{
public:
    DocumentCardPainter(CardDocument &document, const QString &defaultPower, int qsosPerCard = 1)
        : m_document(document), m_defaultPower(defaultPower), m_qsosPerCard(qsosPerCard) {}

    QString defaultPower() const override { return m_defaultPower; }
    QImage paintCard(const QString &row, QsoRecord &filled) override;
    QImage paintCard(const std::vector<QString> &rows, std::vector<QsoRecord> &filled) override;
    int qsosPerCard() const override { return m_qsosPerCard; }

private:
    CardDocument &m_document;
    QString m_defaultPower;
    int m_qsosPerCard;
};
