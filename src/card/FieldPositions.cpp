#include "FieldPositions.h"

#include "TextStyles.h"

#include <algorithm>

namespace card {

const std::vector<MovableFieldNames> &movableFields()
{
    static const std::vector<MovableFieldNames> fields = {
        {MovableField::CallSign, "RBCall1", "Call", "alCallSign"},
        {MovableField::Name, "RBName1", "Name", "alName"},
        {MovableField::Email, "RBEmail1", "Email", "alEmail"},
        {MovableField::Tnx73, "RB73s1", "73s", "al73"},
        {MovableField::PseQsl, "RBQSL1", "Pse QSL", "alPseQSL"},
        {MovableField::PseLotw, "RBLoTW1", "Pse LoTW", "alPseLoTW"},
    };
    return fields;
}

MovableField fieldForCaption(const QString &caption)
{
    for (const MovableFieldNames &f : movableFields())
        if (caption == QLatin1String(f.caption))
            return f.field;
    return MovableField::None;
}

MovableFieldNames namesOf(MovableField field)
{
    for (const MovableFieldNames &f : movableFields())
        if (f.field == field)
            return f;
    return {MovableField::None, "", "", ""};
}

int clampToSlider(int value, SliderRange range)
{
    return std::clamp(value, range.minimum, std::max(range.minimum, range.maximum));
}

Nudge nudgeForName(const QString &name)
{
    static const struct { const char *marker; Nudge nudge; } rules[] = {
        {"Left", Nudge::Left}, {"Right", Nudge::Right}, {"Up", Nudge::Up},
        {"Down", Nudge::Down}, {"In", Nudge::In},       {"Out", Nudge::Out},
    };
    for (const auto &rule : rules)
        if (name.contains(QLatin1String(rule.marker)))
            return rule.nudge;
    return Nudge::None;
}

int nudgeStep(Nudge nudge)
{
    switch (nudge) {
    case Nudge::Left:
    case Nudge::Up:
    case Nudge::In: return -1;
    case Nudge::Right:
    case Nudge::Down:
    case Nudge::Out: return 1;
    case Nudge::None: break;
    }
    return 0;
}

std::vector<Placement> leftPlacements(MovableField field, int left)
{
    if (field == MovableField::None)
        return {};
    if (field == MovableField::Name) {
        std::vector<Placement> block;
        for (const QString &element : styleGroupNames(StyleGroup::Name).elements)
            block.push_back({element, left});
        return block;
    }
    return {{QString::fromLatin1(namesOf(field).element), left}};
}

std::vector<Placement> topPlacements(MovableField field, int top, int nameLineStep)
{
    if (field == MovableField::None)
        return {};
    if (field == MovableField::Name) {
        const NameBlockTops tops = nameBlockTops(top, nameLineStep);
        return {{QStringLiteral("alName"), top},
                {QStringLiteral("alAddress"), tops.address},
                {QStringLiteral("alTown"), tops.town}};
    }
    return {{QString::fromLatin1(namesOf(field).element), top}};
}

bool reappliesNameWidth(MovableField selected, const QString &senderName)
{
    if (selected == MovableField::CallSign)
        return false;
    return senderName.contains(QLatin1String("In")) || senderName.contains(QLatin1String("Out"));
}

} // namespace card
