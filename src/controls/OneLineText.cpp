#include "OneLineText.h"

OneLineValidator::OneLineValidator(QObject *parent)
    : QValidator(parent)
{
}

QValidator::State OneLineValidator::validate(QString &input, int &pos) const
{
    input = oneLineText(input, &pos);
    return Acceptable;
}

void OneLineValidator::fixup(QString &input) const
{
    input = oneLineText(input);
}
