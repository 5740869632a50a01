#include "CardDesignFiles.h"

#include "CardElements.h"
#include "ControlNames.h"
#include "DataFolder.h"
#include "IniFile.h"
#include "KartelloError.h"
#include "OneLine.h"
#include "QsoFields.h"
#include "StationFiles.h"

#include <QFileInfo>

#include <algorithm>
#include <functional>

using namespace controlnames;

namespace card {

namespace {

const QString kSection = QStringLiteral("Form1");
const StyleGroup kGroups[] = {StyleGroup::CallSign, StyleGroup::Name, StyleGroup::Info};
constexpr int kFaceRadios = 8;
constexpr int kShippedFaceRadio = 5;   // "Tahoma", the sixth

QString checkedKey(const QString &control) { return control + QStringLiteral(".Checked"); }
QString positionKey(const QString &control) { return control + QStringLiteral(".Position"); }
QString boolText(bool on) { return on ? QStringLiteral("TRUE") : QStringLiteral("FALSE"); }

// Reads the stored keys of the window's controls as restoring them would set the controls.
class StateReader
{
public:
    StateReader(const IniFile &ini, QStringList &warnings) : m_ini(ini), m_warnings(warnings) {}

    bool check(const QString &control, bool initial)
    {
        const QString text = m_ini.value(kSection, checkedKey(control));
        bool on = initial;
        if (text == QLatin1String("TRUE"))
            on = true;
        else if (text == QLatin1String("FALSE"))
            on = false;
        else if (!text.isEmpty())
            warn(checkedKey(control), text, QStringLiteral("is neither TRUE nor FALSE"),
                 boolText(initial));
        return on;
    }

    // The index of the radio among names that is checked after restoring, or -1: a radio
    // stored TRUE checks itself and unchecks the others; the checked one stored FALSE leaves
    // none checked.
    int radio(const QStringList &names, int initial)
    {
        int checked = initial;
        for (int i = 0; i < names.size(); ++i) {
            const QString text = m_ini.value(kSection, checkedKey(names[i]));
            if (text == QLatin1String("TRUE"))
                checked = i;
            else if (text == QLatin1String("FALSE") && checked == i) {
                checked = -1;
            }
        }
        return checked;
    }

    // A track bar's stored position kept to its range.
    int position(const QString &control, int initial, int minimum, int maximum)
    {
        const QString key = positionKey(control);
        const QString text = m_ini.value(kSection, key);
        if (text.isEmpty())
            return initial;
        bool ok = false;
        const qlonglong stored = text.toLongLong(&ok, 10);
        if (!ok) {
            warn(key, text, QStringLiteral("is not a number"), QString::number(initial));
            return initial;
        }
        const int value = int(std::clamp<qlonglong>(stored, minimum, maximum));
        if (value != stored)
            warn(key, text, QStringLiteral("is out of range %1..%2").arg(minimum).arg(maximum),
                 QString::number(value));
        return value;
    }

    // The item chosen in an "Other" list, or -1 while the list shows its own text.
    int listItem(const QString &control, int items)
    {
        const QString key = positionKey(control);
        const QString text = m_ini.value(kSection, key);
        if (text.isEmpty() || text == QLatin1String("-1"))
            return -1;
        bool ok = false;
        const int item = text.toInt(&ok, 10);
        if (!ok || item < -1 || item >= items) {
            warn(key, text, QStringLiteral("is no item of the list"), QStringLiteral("no item"));
            return -1;
        }
        return item;
    }

private:
    void warn(const QString &key, const QString &text, const QString &why, const QString &used)
    {
        m_warnings << QStringLiteral("%1: %2=%3 %4; %5 is used")
                          .arg(QFileInfo(m_ini.path()).fileName(), key, text, why, used);
    }

    const IniFile &m_ini;
    QStringList &m_warnings;
};

QString prefixOf(StyleGroup group) { return QString::fromLatin1(styleGroupNames(group).prefix); }

QStringList faceRadios(const QString &prefix)
{
    QStringList names;
    for (int n = 1; n <= kFaceRadios; ++n)
        names << prefix + QStringLiteral("Name%1").arg(n);
    return names;
}

QStringList sizeRadios(StyleGroup group)
{
    const QList<int> points = group == StyleGroup::Name ? QList<int>{8, 9, 10, 12}
                                                        : QList<int>{8, 9, 10, 11, 12};
    QStringList names;
    for (int p : points)
        names << prefixOf(group) + QStringLiteral("Size%1").arg(p);
    return names;
}

QStringList colourRadios(const QString &prefix)
{
    QStringList names;
    for (const FixedColour &c : fixedColours())
        names << prefix + QStringLiteral("Color") + QLatin1String(c.suffix);
    return names;
}

QString trackBarOf(StyleGroup group) { return prefixOf(group) + QStringLiteral("TrackBar1"); }

// One font group as its panel's stored controls leave it.
void readStyle(StyleGroup group, StateReader &reader, TextStyle &style)
{
    const QString prefix = prefixOf(group);
    const int face = reader.radio(faceRadios(prefix), kShippedFaceRadio);
    if (face >= 0)
        style.face = fontFaces()[face];
    style.bold = reader.check(prefix + QStringLiteral("Bold"), false);
    if (group == StyleGroup::CallSign) {
        style.italic = reader.check(QStringLiteral("CSFItalic"), false);
        style.underline = reader.check(QStringLiteral("CSFUnderline"), false);
        style.points = reader.position(trackBarOf(group), kCallSignPointsMinimum,
                                       kCallSignPointsMinimum, kCallSignPointsMaximum);
    } else {
        const QStringList sizes = sizeRadios(group);
        const int size = reader.radio(sizes, -1);
        if (size >= 0)
            style.points = sizeFromRadioName(sizes[size], prefix);
    }
    const QStringList colours = colourRadios(prefix);
    style.fixedColour = reader.radio(colours, -1);
    style.otherColour = reader.listItem(QString::fromLatin1(styleGroupNames(group).list),
                                        otherColourItems().size());
    if (style.otherColour >= 0) {
        // Choosing from the list unchecks the fixed colours.
        style.fixedColour = -1;
        style.colour = colourFromListText(otherColourItems().at(style.otherColour));
    } else if (style.fixedColour >= 0) {
        style.colour = colourFromRadioName(colours[style.fixedColour], prefix);
    }
}

void readOptions(StateReader &reader, CardOptions &o)
{
    o.pseQsl = reader.check(pseQslCheck, false);
    o.pseLotw = reader.check(pseLotwCheck, false);
    o.showEmail = reader.check(showEmailCheck, false);
    o.show73 = reader.check(show73Check, false);
    o.transpName = reader.check(transparentNameCheck, false);
    o.transpEmail = reader.check(transparentEmailCheck, false);
    o.transpTitles = reader.check(transparentTitlesCheck, false);
    o.transp73Pse = reader.check(transparent73PseCheck, false);
    o.frameInfo = reader.check(frameInfoCheck, false);
    o.frameCard = reader.check(frameCardCheck, false);
    o.sendEnabled = reader.check(sendEnabledCheck, false);
    o.isoDate = reader.check(isoDateCheck, false);
    o.qsosPerCard = reader.position(qsosPerCardSlider, 1, 1, kMaxQsosPerCard);
    QStringList schemes;
    for (int i = 0; i < kBackgroundSchemeCount; ++i)
        schemes << QString::fromLatin1(backgroundSchemes()[i].radio);
    o.background = reader.radio(schemes, kFirstRunBackground - 1) + 1;
    QStringList interfaces;
    for (int n = 1; n <= interfaceRadioCount; ++n)
        interfaces << interfaceRadio(n);
    o.interfaceChoice = reader.radio(interfaces, kFirstRunInterface - 1) + 1;
}

// Runs one reading step; its error is noted in the window's words and the steps after it run
// all the same.
void step(QStringList &problems, const std::function<void()> &run)
{
    try {
        run();
    } catch (const KartelloError &e) {
        problems << e.text();
    } catch (const std::exception &e) {
        problems << QString::fromLocal8Bit(e.what());
    }
}

void writeRadio(IniFile &ini, const QStringList &names, int checked)
{
    for (int i = 0; i < names.size(); ++i)
        ini.setValue(kSection, checkedKey(names[i]), boolText(i == checked));
}

} // namespace

void readDesignState(const IniFile &ini, DesignReading &reading)
{
    CardDesign &design = reading.design;
    StateReader reader(ini, reading.warnings);
    readOptions(reader, design.options);
    for (StyleGroup group : kGroups)
        readStyle(group, reader, design.style(group));
    const int width = reader.position(nameWidthSlider, kShippedNameWidth, kNameWidthMinimum,
                                      kNameWidthMaximum);
    if (width != kShippedNameWidth)
        design.nameWidth = width;
}

DesignReading readCardDesign(const QString &stateFile)
{
    DesignReading reading;
    CardDesign &design = reading.design;
    step(reading.problems, [&] {
        const QStringList lines = loadLines(dataFilePath(QStringLiteral("Info.txt")));
        for (int i = 0; i < kQsoFieldCount; ++i)
            design.tableTitles << lineAt(lines, i);
    });
    step(reading.problems, [&] {
        design.places.assign(textElementNames().size() * kPlaceFieldsPerElement, std::nullopt);
        readPrefs(loadLines(dataFilePath(QStringLiteral("prefs.txt"))),
                  textElementNames().size(), [&](int i, GeometryField field, int value) {
                      design.places[i * kPlaceFieldsPerElement + int(field)] = value;
                  });
    });
    step(reading.problems, [&] {
        const QString path = lineAt(loadLines(dataFilePath(QStringLiteral("gfile.qec"))), 0);
        if (!path.isEmpty() && QFileInfo(path).isFile())
            design.backgroundPicture = path;
    });
    design.identity = shippedIdentity();
    step(reading.problems, [&] {
        readIdentity(loadLines(dataFilePath(QStringLiteral("dfile.qec"))),
                     design.identity.size(),
                     [&](int i, const QString &line) { design.identity[i] = oneLineText(line); });
    });
    IniFile ini(stateFile);
    ini.load();
    readDesignState(ini, reading);
    return reading;
}

void writeDesignState(const CardDesign &design, IniFile &ini)
{
    const CardOptions &o = design.options;
    const std::pair<const char *, bool> checks[] = {
        {pseQslCheck, o.pseQsl}, {pseLotwCheck, o.pseLotw}, {showEmailCheck, o.showEmail},
        {show73Check, o.show73}, {transparentNameCheck, o.transpName},
        {transparentEmailCheck, o.transpEmail}, {transparentTitlesCheck, o.transpTitles},
        {transparent73PseCheck, o.transp73Pse}, {frameInfoCheck, o.frameInfo},
        {frameCardCheck, o.frameCard}, {sendEnabledCheck, o.sendEnabled},
        {isoDateCheck, o.isoDate}};
    for (const auto &[name, on] : checks)
        ini.setValue(kSection, checkedKey(QString::fromLatin1(name)), boolText(on));
    QStringList schemes, interfaces;
    for (int i = 0; i < kBackgroundSchemeCount; ++i)
        schemes << QString::fromLatin1(backgroundSchemes()[i].radio);
    for (int n = 1; n <= interfaceRadioCount; ++n)
        interfaces << interfaceRadio(n);
    writeRadio(ini, schemes, o.background - 1);
    writeRadio(ini, interfaces, o.interfaceChoice - 1);
    ini.setValue(kSection, positionKey(qsosPerCardSlider), QString::number(o.qsosPerCard));

    for (StyleGroup group : kGroups) {
        const TextStyle &style = design.style(group);
        const QString prefix = prefixOf(group);
        writeRadio(ini, faceRadios(prefix), int(fontFaces().indexOf(style.face)));
        ini.setValue(kSection, checkedKey(prefix + QStringLiteral("Bold")), boolText(style.bold));
        if (group == StyleGroup::CallSign) {
            ini.setValue(kSection, checkedKey(QStringLiteral("CSFItalic")), boolText(style.italic));
            ini.setValue(kSection, checkedKey(QStringLiteral("CSFUnderline")),
                         boolText(style.underline));
            ini.setValue(kSection, positionKey(trackBarOf(group)),
                         QString::number(style.points.value_or(kCallSignPointsMinimum)));
        } else {
            const QStringList sizes = sizeRadios(group);
            int checked = -1;
            for (int i = 0; i < sizes.size(); ++i)
                if (style.points && sizeFromRadioName(sizes[i], prefix) == *style.points)
                    checked = i;
            writeRadio(ini, sizes, checked);
        }
        writeRadio(ini, colourRadios(prefix), style.fixedColour);
        ini.setValue(kSection, positionKey(QString::fromLatin1(styleGroupNames(group).list)),
                     QString::number(style.otherColour));
    }
    ini.setValue(kSection, positionKey(nameWidthSlider),
                 QString::number(design.nameWidth.value_or(kShippedNameWidth)));
}

QStringList placesLines(const CardDesign &design)
{
    if (design.places.empty()
        || std::any_of(design.places.begin(), design.places.end(),
                       [](const std::optional<int> &v) { return !v; }))
        return {};
    std::vector<ElementGeometry> geometries;
    for (size_t i = 0; i + kPlaceFieldsPerElement <= design.places.size();
         i += kPlaceFieldsPerElement)
        geometries.push_back({*design.places[i], *design.places[i + 1], *design.places[i + 2],
                              *design.places[i + 3]});
    return prefsLines(geometries);
}

void saveCardDesign(const CardDesign &design, const QString &stateFile)
{
    IniFile ini(stateFile);
    ini.load();
    writeDesignState(design, ini);
    ini.save();
    // "Info.txt" may hold more lines than the titles; they stay.
    const QString info = dataFilePath(QStringLiteral("Info.txt"));
    QStringList infoLines = QFileInfo::exists(info) ? loadLines(info) : QStringList();
    for (int i = 0; i < design.tableTitles.size(); ++i) {
        if (i < infoLines.size())
            infoLines[i] = design.tableTitles[i];
        else
            infoLines << design.tableTitles[i];
    }
    saveLines(info, infoLines);
    const QStringList places = placesLines(design);
    if (!places.isEmpty())
        saveLines(dataFilePath(QStringLiteral("prefs.txt")), places);
    saveLines(dataFilePath(QStringLiteral("gfile.qec")), {design.backgroundPicture});
    saveLines(dataFilePath(QStringLiteral("dfile.qec")), identityLines(design.identity));
}

} // namespace card
