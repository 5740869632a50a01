#pragma once

#include <QSlider>

// A slider whose position the window remembers between runs: it carries the remembered
// property "Position" (its value). A plain QSlider is not remembered.
class TrackBar : public QSlider
{
    Q_OBJECT
    Q_PROPERTY(int Position READ value WRITE setValue)

public:
    explicit TrackBar(QWidget *parent = nullptr)
        : QSlider(Qt::Horizontal, parent)
    {
    }
};
