#pragma once

#include "CardsRun.h"

class MainWindow;

// The window's own card for a list row: the row fills the QSO fields as the batch runs fill
// them, the card is captured as JPG Selected captures it, and the fields are emptied again.
class WindowCardPainter : public CardPainter
{
public:
    explicit WindowCardPainter(MainWindow &window) : m_window(window) {}

    QString defaultPower() const override;
    QImage paintCard(const QString &row, QsoRecord &filled) override;

private:
    MainWindow &m_window;
};
