#pragma once

#include "OneLine.h"

#include <QValidator>

// Keeps a line edit's text one line through oneLineText(); every text it leaves is acceptable.
class OneLineValidator : public QValidator
{
    Q_OBJECT
public:
    explicit OneLineValidator(QObject *parent = nullptr);
    State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;
};
