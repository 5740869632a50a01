#pragma once

#include <QSlider>

// A slider whose position the window remembers between runs: it carries the remembered
// property "Position" (its value). A plain QSlider is not remembered.
class RememberedSlider : public QSlider
{
    Q_OBJECT
    Q_PROPERTY(int Position READ value WRITE setValue)

public:
    explicit RememberedSlider(QWidget *parent = nullptr)
        : QSlider(Qt::Horizontal, parent)
    {
    }
};
