#include "CardDesign.h"

#include "CardElements.h"

#include <tuple>

namespace card {

namespace {

auto tied(const CardOptions &o)
{
    return std::tie(o.pseQsl, o.pseLotw, o.showEmail, o.show73, o.transpName, o.transpEmail,
                    o.transpTitles, o.transp73Pse, o.frameInfo, o.frameCard, o.sendEnabled,
                    o.isoDate, o.qsosPerCard, o.background, o.interfaceChoice);
}

} // namespace

bool TextStyle::operator==(const TextStyle &o) const
{
    return std::tie(face, points, bold, italic, underline, colour, fixedColour, otherColour)
           == std::tie(o.face, o.points, o.bold, o.italic, o.underline, o.colour, o.fixedColour,
                       o.otherColour);
}

TextStyle &CardDesign::style(StyleGroup group)
{
    return group == StyleGroup::CallSign ? callSign : group == StyleGroup::Name ? name : info;
}

const TextStyle &CardDesign::style(StyleGroup group) const
{
    return group == StyleGroup::CallSign ? callSign : group == StyleGroup::Name ? name : info;
}

bool CardDesign::operator==(const CardDesign &o) const
{
    return tied(options) == tied(o.options)
           && std::tie(callSign, name, info, nameWidth, places, identity, tableTitles,
                       backgroundPicture)
                  == std::tie(o.callSign, o.name, o.info, o.nameWidth, o.places, o.identity,
                              o.tableTitles, o.backgroundPicture);
}

CardOptions CardDesign::shippedOptions()
{
    CardOptions options;
    options.background = kFirstRunBackground;
    options.interfaceChoice = kFirstRunInterface;
    return options;
}

TextStyle CardDesign::callSignStyle()
{
    TextStyle style;
    style.points = kCallSignPointsMinimum;
    return style;
}

QStringList shippedIdentity()
{
    // An identity line "dfile.qec" does not give stays empty.
    return QStringList(identityEdits().size(), QString());
}

} // namespace card
