#include "TextStyles.h"

namespace card {

namespace {

std::optional<int> hexNumber(const QString &digits)
{
    bool ok = false;
    const uint value = digits.toUInt(&ok, 16);
    if (!ok || digits.size() != 8)
        return std::nullopt;
    return static_cast<int>(value & 0xFFFFFFu);
}

bool isRadioOf(const StyleSender &sender, const QString &marker)
{
    return sender.kind == StyleSender::Kind::Radio && sender.name.contains(marker);
}

} // namespace

const StyleGroupNames &styleGroupNames(StyleGroup group)
{
    static const StyleGroupNames callSign{"CSF", "FontCallSign1", "CallSignBtn", "ComboBox2",
                                          {QStringLiteral("alCallSign")}};
    static const StyleGroupNames name{
        "NF", "FontName1", "NameBtn", "ComboBox1",
        {QStringLiteral("alName"), QStringLiteral("alAddress"), QStringLiteral("alTown")}};
    static const StyleGroupNames info{
        "IF", "FontInfo1", "InfoBtn", "ComboBox3",
        {QStringLiteral("alEmail"), QStringLiteral("al73"), QStringLiteral("alPseQSL"),
         QStringLiteral("alPseLoTW")}};
    switch (group) {
    case StyleGroup::CallSign: return callSign;
    case StyleGroup::Name: return name;
    case StyleGroup::Info: break;
    }
    return info;
}

const std::vector<FixedColour> &fixedColours()
{
    static const std::vector<FixedColour> colours = {
        {"00FF8200", "Light Blue"}, {"00FF0000", "Medium Blue"}, {"00800000", "Navy"},
        {"00C6C6C6", "Light Gray"}, {"00848484", "Medium Gray"}, {"00000080", "Maroon"},
        {"000000FF", "Red"},        {"0042B2FF", "Orange"},      {"0000FFFF", "Yellow"},
        {"00FFFFFF", "White"},      {"00000000", "Black"}};
    return colours;
}

const QStringList &fontFaces()
{
    static const QStringList faces = {"Arial", "Comic Sans MS", "Courier New", "Georgia",
                                      "Microsoft Sans Serif", "Tahoma", "Times New Roman",
                                      "Verdana"};
    return faces;
}

QStringList otherColourItems()
{
    // Green, Purple and PaleYellow come twice with different values; operators know both.
    static const char *items[][2] = {
        {"Maroon", "00000080"}, {"Green", "00008000"}, {"Olive", "00808000"},
        {"Navy", "00800000"}, {"Purple", "00800080"}, {"Teal", "00008080"},
        {"Red", "000000FF"}, {"Gray", "00808080"}, {"Silver", "00C0C0C0"},
        {"Lime", "0000FF00"}, {"Yellow", "0000FFFF"}, {"Blue", "00FF0000"},
        {"Fuchsia", "00FF00FF"}, {"Aqua", "00FFFF00"}, {"White", "00FFFFFF"},
        {"Black", "00000000"}, {"DkTeal", "00999933"}, {"DkViolet", "00993399"},
        {"Editor", "00950416"}, {"Grape", "00B16778"}, {"Green", "002BCA56"},
        {"Honey", "001CAEE6"}, {"Khaki", "00669999"}, {"LightBrown", "00688FB0"},
        {"LightGrape", "00BD85C7"}, {"LightPurple", "00FBA29D"}, {"LtBlue", "00FFCC99"},
        {"LtCyan", "00FFFF99"}, {"LtGreen", "00CCFFCC"}, {"LtOrange", "0099CCFF"},
        {"LtPurple", "00FFCCCC"}, {"LtViolet", "00FFCCFF"}, {"MediumGray", "00A4A0A0"},
        {"MoneyGreen", "00C0DCC0"}, {"Mustard", "0000C4C4"}, {"OliveGreen", "00009966"},
        {"Orange", "0033CCFF"}, {"PaleBlue", "00FFFFCC"}, {"PaleGreen", "0079FF91"},
        {"PaleYellow", "00CCFFFF"}, {"PaleYellow", "00E2FCFB"}, {"Peach", "00647EF9"},
        {"Pink", "008640FB"}, {"Pumpkin", "000099FF"}, {"Purple", "00CC0099"},
        {"RedBaron", "000033FF"}, {"Rose", "005E24F4"}, {"Sea", "00B90F0B"},
        {"SeaGreen", "00CCFF00"}, {"Sky", "00FD8A4D"}, {"SkyBlue", "00F0CAA6"},
        {"Slab", "00B3B67E"}, {"Violet", "00FF33FF"}, {"YellowGreen", "0000FFCC"}};
    QStringList out;
    for (const auto &item : items)
        out << QString::fromLatin1(item[0]).leftJustified(48, QLatin1Char(' '))
                   + QLatin1Char('$') + QLatin1String(item[1]);
    return out;
}

std::optional<int> colourFromRadioName(const QString &name, const QString &prefix)
{
    const QString marker = prefix + QStringLiteral("Color");
    const int at = name.indexOf(marker);
    if (at < 0)
        return std::nullopt;
    return hexNumber(name.mid(at + marker.size()));
}

std::optional<int> colourFromListText(const QString &text)
{
    const QString field = text.mid(48, 9);
    if (field.size() != 9 || field.at(0) != QLatin1Char('$'))
        return std::nullopt;
    return hexNumber(field.mid(1));
}

std::optional<int> sizeFromRadioName(const QString &name, const QString &prefix)
{
    const QString marker = prefix + QStringLiteral("Size");
    const int at = name.indexOf(marker);
    if (at < 0)
        return std::nullopt;
    bool ok = false;
    const int points = name.mid(at + marker.size()).toInt(&ok, 10);
    if (!ok || points <= 0)
        return std::nullopt;
    return points;
}

std::optional<NameLineLayout> nameLineLayout(int points)
{
    switch (points) {
    case 8: return NameLineLayout{15, 15};
    case 9: return NameLineLayout{16, 15};
    case 10: return NameLineLayout{18, 15};
    case 12: return NameLineLayout{21, 18};
    default: return std::nullopt;
    }
}

NameBlockTops nameBlockTops(int nameTop, int step)
{
    return {nameTop + step, nameTop + 2 * step};
}

StyleChange styleChange(StyleGroup group, const StyleSender &sender, const StyleChecks &checks)
{
    const QString prefix = QString::fromLatin1(styleGroupNames(group).prefix);
    StyleChange change;
    if (isRadioOf(sender, prefix + QStringLiteral("Name")))
        change.face = sender.caption;
    change.bold = checks.bold;
    if (group == StyleGroup::CallSign) {
        change.underline = checks.underline;
        change.points = checks.trackBarPoints;
        change.italic = checks.italic;
    } else if (isRadioOf(sender, prefix + QStringLiteral("Size"))) {
        change.points = sizeFromRadioName(sender.name, prefix);
    }
    if (isRadioOf(sender, prefix + QStringLiteral("Color"))) {
        change.colour = colourFromRadioName(sender.name, prefix);
        change.resetList = true;
    }
    if (sender.kind == StyleSender::Kind::List) {
        change.uncheckColourRadios = true;
        change.colour = colourFromListText(sender.listText);
    }
    change.layoutNameLines = group == StyleGroup::Name;
    return change;
}

} // namespace card
