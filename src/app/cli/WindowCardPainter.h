#pragma once

#include "CardsRun.h"

class MainWindow;

// The window's own batch card for a list row (the step JPG Selected and Print Selected take),
// so a card of the command line is pixel for pixel the card of the window. The fields are
// emptied once, when the painter goes, rather than after every card: the next card fills all
// seven again, and no one looks at a hidden window in between.
class WindowCardPainter : public CardPainter
{
public:
    explicit WindowCardPainter(MainWindow &window) : m_window(window) {}
    ~WindowCardPainter() override;

    QString defaultPower() const override;
    QImage paintCard(const QString &row, QsoRecord &filled) override;

private:
    MainWindow &m_window;
    bool m_filled = false;
};
