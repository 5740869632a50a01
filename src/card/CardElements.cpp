#include "CardElements.h"

#include "QsoFields.h"

namespace card {

namespace {

using K = ElementKind;
using A = TextAlign;
constexpr FontColour Nv = FontColour::Navy;

// One line per element: name, kind, left/top/width/height, text, points, colour, align,
// auto size, transparent.
const std::vector<ElementRow> kElements = {
    {"tAlImage1", K::Picture, {-1, -1, 513, 282}, "", 0, Nv, A::Left, false, false},
    {"alCallSign", K::Text, {8, -7, 224, 77}, "CallSign", 48, FontColour::WindowText, A::Left, true, true},
    {"AlShape1", K::Frame, {6, 246, 108, 16}, "", 0, Nv, A::Left, false, true},
    {"AlLabel1", K::Text, {7, 247, 106, 14}, "Confirming QSO with", 8, Nv, A::Centre, false, false},
    {"AlShape2", K::Frame, {6, 261, 108, 17}, "", 0, Nv, A::Left, false, true},
    {"alContactCallSign", K::Text, {7, 262, 106, 15}, "", 8, Nv, A::Centre, false, false},
    {"AlShape3", K::Frame, {118, 246, 62, 16}, "", 0, Nv, A::Left, false, true},
    {"AlLabel2", K::Text, {119, 247, 60, 14}, "UTC Date", 8, Nv, A::Centre, false, false},
    {"AlShape4", K::Frame, {118, 261, 62, 17}, "", 0, Nv, A::Left, false, true},
    {"alUTCDate", K::Text, {119, 262, 60, 15}, "", 8, Nv, A::Centre, false, false},
    {"AlShape5", K::Frame, {184, 246, 61, 16}, "", 0, Nv, A::Left, false, true},
    {"AlLabel3", K::Text, {185, 247, 59, 14}, "UTC Time", 8, Nv, A::Centre, false, false},
    {"AlShape6", K::Frame, {184, 261, 61, 17}, "", 0, Nv, A::Left, false, true},
    {"alUTCTime", K::Text, {185, 262, 59, 15}, "", 8, Nv, A::Centre, false, false},
    {"AlShape7", K::Frame, {249, 246, 61, 16}, "", 0, Nv, A::Left, false, true},
    {"AlLabel4", K::Text, {250, 247, 59, 14}, "Freq MHz", 8, Nv, A::Centre, false, false},
    {"AlShape8", K::Frame, {249, 261, 61, 17}, "", 0, Nv, A::Left, false, true},
    {"alFreq", K::Text, {250, 262, 59, 15}, "", 8, Nv, A::Centre, false, false},
    {"AlShape9", K::Frame, {314, 246, 61, 16}, "", 0, Nv, A::Left, false, true},
    {"AlLabel5", K::Text, {315, 247, 59, 14}, "Mode", 8, Nv, A::Centre, false, false},
    {"AlShape10", K::Frame, {314, 261, 61, 17}, "", 0, Nv, A::Left, false, true},
    {"alMode", K::Text, {315, 262, 59, 15}, "", 8, Nv, A::Centre, false, false},
    {"AlShape11", K::Frame, {379, 246, 61, 16}, "", 0, Nv, A::Left, false, true},
    {"AlLabel6", K::Text, {380, 247, 59, 14}, "Power", 8, Nv, A::Centre, false, false},
    {"AlShape12", K::Frame, {379, 261, 61, 17}, "", 0, Nv, A::Left, false, true},
    {"alPower", K::Text, {380, 262, 59, 15}, "", 8, Nv, A::Centre, false, false},
    {"AlShape13", K::Frame, {444, 246, 61, 16}, "", 0, Nv, A::Left, false, true},
    {"AlLabel7", K::Text, {445, 247, 59, 14}, "Signal", 8, Nv, A::Centre, false, false},
    {"AlShape14", K::Frame, {444, 261, 61, 17}, "", 0, Nv, A::Left, false, true},
    {"alSignal", K::Text, {445, 262, 59, 15}, "", 8, Nv, A::Centre, false, false},
    {"alName", K::Text, {7, 71, 268, 15}, "Your Name", 8, Nv, A::Left, false, false},
    {"alAddress", K::Text, {7, 86, 268, 15}, "Your Address", 8, Nv, A::Left, false, false},
    {"alTown", K::Text, {7, 101, 268, 15}, "Your City, State  Zip", 8, Nv, A::Left, false, false},
    {"alEmail", K::Text, {7, 132, 49, 13}, "Your Email", 8, Nv, A::Left, true, false},
    {"al73", K::Text, {7, 153, 17, 13}, "73s", 8, Nv, A::Left, true, false},
    {"alPseQSL", K::Text, {7, 170, 39, 13}, "Pse QSL", 8, Nv, A::Left, true, false},
    {"alPseLoTW", K::Text, {7, 187, 47, 13}, "Pse LoTW", 8, Nv, A::Left, true, false},
    // The card frame starts off the band; start-up moves it to 0, 0.
    {"AlShape15", K::Frame, {-496, -264, 511, 280}, "", 0, Nv, A::Left, false, true},
    {"ContactCallSign", K::Overlay, {7, 262, 106, 15}, "", 8, Nv, A::Centre, false, false},
    {"UTCDate", K::Overlay, {119, 262, 60, 15}, "", 8, Nv, A::Centre, false, false},
    {"UTCTime", K::Overlay, {185, 262, 59, 15}, "", 8, Nv, A::Centre, false, false},
    {"Freq", K::Overlay, {250, 262, 59, 15}, "", 8, Nv, A::Centre, false, false},
    {"Mode", K::Overlay, {315, 262, 59, 15}, "", 8, Nv, A::Centre, false, false},
    {"Power", K::Overlay, {380, 262, 59, 15}, "", 8, Nv, A::Centre, false, false},
    {"Signal", K::Overlay, {445, 262, 59, 15}, "", 8, Nv, A::Centre, false, false},
};

QStringList names(std::initializer_list<const char *> list)
{
    QStringList out;
    for (const char *n : list)
        out << QString::fromLatin1(n);
    return out;
}

} // namespace

const std::vector<ElementRow> &cardElements() { return kElements; }

QStringList textElementNames()
{
    QStringList out;
    for (const ElementRow &e : kElements)
        if (e.kind == ElementKind::Text)
            out << QString::fromLatin1(e.name);
    return out;
}

const QStringList &identityElements()
{
    static const QStringList list = names({"alCallSign", "alName", "alAddress", "alTown",
                                           "alEmail", "alPseQSL", "alPseLoTW", "al73"});
    return list;
}

const QStringList &identityEdits()
{
    static const QStringList list =
        names({"CallSignEdit1", "NameEdit1", "AddressEdit1", "TownEdit1", "EmailEdit1",
               "PseQSLEdit1", "PseLoTWEdit1", "Tnx73sEdit1"});
    return list;
}

namespace {

QStringList qsoFieldColumn(const char *QsoFieldNames::*column)
{
    QStringList out;
    for (const QsoFieldNames &field : qsoFields())
        out << QString::fromLatin1(field.*column);
    return out;
}

} // namespace

const QStringList &titleElements()
{
    static const QStringList list = qsoFieldColumn(&QsoFieldNames::titleElement);
    return list;
}

const QStringList &valueElements()
{
    static const QStringList list = qsoFieldColumn(&QsoFieldNames::valueElement);
    return list;
}

const QStringList &overlays()
{
    static const QStringList list = qsoFieldColumn(&QsoFieldNames::overlay);
    return list;
}

QStringList boxFrames()
{
    QStringList out;
    for (int i = 1; i <= 14; ++i)
        out << QStringLiteral("AlShape%1").arg(i);
    return out;
}

} // namespace card
