#include "CardDesignLoader.h"

#include "CardDocument.h"
#include "CardElements.h"
#include "CardBuilder.h"
#include "CardPictureElement.h"
#include "CardShape.h"
#include "CardStyling.h"
#include "DataFolder.h"
#include "IniFile.h"
#include "KartelloError.h"
#include "OneLine.h"
#include "PickLists.h"
#include "SavedCard.h"
#include "StationFiles.h"
#include "WindowDescription.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <functional>

using card::StyleGroup;

namespace {

const StyleGroup kStyleGroups[] = {StyleGroup::CallSign, StyleGroup::Name, StyleGroup::Info};
const QString kWindowSection = QStringLiteral("Form1");

// A remembered control of the main window as its handlers see it.
struct ControlState
{
    const ControlRow *row = nullptr;
    bool checked = false;
    int value = 0;
};

// The main window's check boxes, radios and track bars, with what their handlers do to the
// card. Each change goes through the same rules as the window's handlers.
class DesignReplay
{
public:
    explicit DesignReplay(CardDocument &document);

    void restoreFrom(const IniFile &ini);
    void applyCardOptions();
    void applyCallSignStyle() { applyStyle(StyleGroup::CallSign, nullptr); }
    const ControlState *checkedRadio(const QString &namePart) const;
    void setCaption(const QString &control, const QString &caption);

private:
    void restoreControl(ControlState &control, const QString &text, bool position);
    void setChecked(ControlState &control, bool on);
    void raiseHandler(const ControlState &control);
    std::optional<StyleGroup> styleGroupOf(const ControlState &control) const;
    bool checked(const QString &name) const;
    void applyStyle(StyleGroup group, const ControlState *sender);
    QString ancestorIn(const ControlRow &row, const QStringList &names) const;

    CardDocument &m_document;
    std::vector<ControlState> m_controls;   // in the order the window restores them
    QHash<QString, size_t> m_index;
    QHash<QString, const ControlRow *> m_rows;
};

// The rows in the order a depth-first walk of the window's children meets them.
void collectInWalkOrder(const std::vector<ControlRow> &rows, const QString &parent,
                        std::vector<const ControlRow *> &out)
{
    for (const ControlRow &row : rows) {
        if (row.parent != parent)
            continue;
        out.push_back(&row);
        collectInWalkOrder(rows, row.name, out);
    }
}

DesignReplay::DesignReplay(CardDocument &document)
    : m_document(document)
{
    const std::vector<ControlRow> &rows = mainWindowDescription();
    for (const ControlRow &row : rows)
        m_rows.insert(row.name, &row);
    std::vector<const ControlRow *> ordered;
    collectInWalkOrder(rows, QString(), ordered);
    for (const ControlRow *row : ordered) {
        if (row->cls != ControlClass::Radio && row->cls != ControlClass::Check
            && row->cls != ControlClass::RememberedSlider && row->cls != ControlClass::Slider
            && row->cls != ControlClass::Combo)
            continue;
        m_index.insert(row->name, m_controls.size());
        const int value = row->cls == ControlClass::Combo ? -1 : row->value;
        m_controls.push_back({row, (row->flags & Checked) != 0, value});
    }
}

void DesignReplay::restoreFrom(const IniFile &ini)
{
    for (ControlState &control : m_controls) {
        const bool position = control.row->cls == ControlClass::RememberedSlider
                              || control.row->cls == ControlClass::Combo;
        if (!position && control.row->cls == ControlClass::Slider)
            continue;
        const QString key = control.row->name + (position ? QStringLiteral(".Position")
                                                          : QStringLiteral(".Checked"));
        const QString text = ini.value(kWindowSection, key);
        if (!text.isEmpty())
            restoreControl(control, text, position);
    }
}

void DesignReplay::restoreControl(ControlState &control, const QString &text, bool position)
{
    if (position) {
        bool ok = false;
        const qlonglong v = text.toLongLong(&ok, 10);
        if (!ok)
            return;
        if (control.row->cls == ControlClass::Combo) {
            // A remembered "Other" item is chosen again as the operator chose it.
            if (v < 0 || v >= card::otherColourItems().size())
                return;
            control.value = int(v);
            raiseHandler(control);
            return;
        }
        const int value = int(std::clamp<qlonglong>(v, control.row->minimum, control.row->maximum));
        if (value == control.value)
            return;
        control.value = value;
        raiseHandler(control);
        return;
    }
    if (text == QLatin1String("TRUE"))
        setChecked(control, true);
    else if (text == QLatin1String("FALSE"))
        setChecked(control, false);
}

void DesignReplay::setChecked(ControlState &control, bool on)
{
    if (control.checked == on)
        return;
    const bool radio = control.row->cls == ControlClass::Radio;
    if (radio && on) {
        // A radio checked unchecks its siblings; a radio going off raises nothing.
        for (ControlState &other : m_controls)
            if (&other != &control && other.row->cls == ControlClass::Radio
                && other.row->parent == control.row->parent)
                other.checked = false;
    }
    control.checked = on;
    if (!radio || on)
        raiseHandler(control);
}

QString DesignReplay::ancestorIn(const ControlRow &row, const QStringList &names) const
{
    for (const ControlRow *r = &row; r; r = m_rows.value(r->parent, nullptr))
        if (names.contains(r->name))
            return r->name;
    return QString();
}

std::optional<StyleGroup> DesignReplay::styleGroupOf(const ControlState &control) const
{
    for (StyleGroup group : kStyleGroups) {
        const card::StyleGroupNames &names = card::styleGroupNames(group);
        const bool inPanel = !ancestorIn(*control.row, {QString::fromLatin1(names.panel)}).isEmpty();
        const bool sizeBar =
            control.row->name == QString::fromLatin1(names.prefix) + QStringLiteral("TrackBar1");
        if ((inPanel && control.row->cls != ControlClass::RememberedSlider) || sizeBar)
            return group;
    }
    return std::nullopt;
}

void DesignReplay::raiseHandler(const ControlState &control)
{
    const QString &name = control.row->name;
    if (name == QLatin1String("IOTrackBar3")) {
        card::applyNameBlockWidth(&m_document, control.value);
        return;
    }
    if (const std::optional<StyleGroup> group = styleGroupOf(control)) {
        applyStyle(*group, &control);
        return;
    }
    static const QStringList options = {
        "CBPseQSL", "CBPseLoTW", "CBShow73", "CBShowEmail1", "CBTranspName", "CBTranspEmail",
        "CBTranspTitles", "CBTransp73Pse", "CBFrameInfo1", "CBFrameCard1", "CBSendEnabled",
        "HL1", "HL2", "HL3"};
    bool background = false;
    for (int i = 0; i < card::kBackgroundSchemeCount; ++i)
        background = background || name == QLatin1String(card::backgroundSchemes()[i].radio);
    if (background || options.contains(name))
        applyCardOptions();
}

bool DesignReplay::checked(const QString &name) const
{
    const auto it = m_index.constFind(name);
    return it != m_index.constEnd() && m_controls[*it].checked;
}

void DesignReplay::applyStyle(StyleGroup group, const ControlState *sender)
{
    card::StyleSender described;
    if (sender) {
        described.name = sender->row->name;
        described.kind = sender->row->cls == ControlClass::Radio ? card::StyleSender::Kind::Radio
                         : sender->row->cls == ControlClass::Combo ? card::StyleSender::Kind::List
                                                                   : card::StyleSender::Kind::Other;
        described.caption = sender->row->caption;
        if (sender->row->cls == ControlClass::Combo)
            described.listText = card::otherColourItems().at(sender->value);
    }
    const QString prefix = QString::fromLatin1(card::styleGroupNames(group).prefix);
    card::StyleChecks checks;
    checks.bold = checked(prefix + QStringLiteral("Bold"));
    checks.italic = checked(prefix + QStringLiteral("Italic"));
    checks.underline = checked(prefix + QStringLiteral("Underline"));
    const auto size = m_index.constFind(prefix + QStringLiteral("TrackBar1"));
    if (size != m_index.constEnd())
        checks.trackBarPoints = m_controls[*size].value;
    const card::StyleChange change = card::styleChange(group, described, checks);
    if (change.uncheckColourRadios) {
        const QString marker = prefix + QStringLiteral("Color");
        for (ControlState &control : m_controls)
            if (control.row->cls == ControlClass::Radio && control.row->name.contains(marker))
                control.checked = false;
    }
    m_document.nameLineStep =
        card::applyStyleChange(&m_document, group, change, m_document.nameLineStep);
}

void DesignReplay::applyCardOptions()
{
    card::CardOptions o;
    o.pseQsl = checked(QStringLiteral("CBPseQSL"));
    o.pseLotw = checked(QStringLiteral("CBPseLoTW"));
    o.showEmail = checked(QStringLiteral("CBShowEmail1"));
    o.show73 = checked(QStringLiteral("CBShow73"));
    o.transpName = checked(QStringLiteral("CBTranspName"));
    o.transpEmail = checked(QStringLiteral("CBTranspEmail"));
    o.transpTitles = checked(QStringLiteral("CBTranspTitles"));
    o.transp73Pse = checked(QStringLiteral("CBTransp73Pse"));
    o.frameInfo = checked(QStringLiteral("CBFrameInfo1"));
    o.frameCard = checked(QStringLiteral("CBFrameCard1"));
    o.sendEnabled = checked(QStringLiteral("CBSendEnabled"));
    for (int i = 0; i < card::kBackgroundSchemeCount; ++i)
        if (checked(QString::fromLatin1(card::backgroundSchemes()[i].radio)))
            o.background = i + 1;
    for (int n = 1; n <= 3; ++n)
        if (checked(QStringLiteral("HL%1").arg(n)))
            o.interfaceChoice = n;
    const card::CardLook look = card::applyCardOptions(o, m_document.boxColours);
    m_document.boxColours = look.colours;
    card::applyLookToCard(&m_document, look);
}

const ControlState *DesignReplay::checkedRadio(const QString &namePart) const
{
    for (const ControlState &control : m_controls)
        if (control.row->cls == ControlClass::Radio && control.checked
            && control.row->name.contains(namePart))
            return &control;
    return nullptr;
}

// Runs one creation step; its error is noted as the window would report it, and the steps
// after it run all the same.
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

QString rowCaption(const QString &name)
{
    for (const ControlRow &row : mainWindowDescription())
        if (row.name == name)
            return row.caption;
    return QString();
}

} // namespace

LoadedDesign loadCardDesign(CardDocument &document, const QString &stateFile)
{
    LoadedDesign loaded;
    DesignReplay replay(document);
    IniFile ini(stateFile);
    ini.load();
    replay.restoreFrom(ini);

    // The creation steps, in the window's order.
    QHash<QString, QString> captions;
    auto loadList = [&](const PickList &list) {
        step(loaded.problems, [&] {
            const QStringList lines = loadLines(dataFilePath(QString::fromLatin1(list.file)));
            for (const PickListCaption &caption : pickListCaptions(list, lines))
                captions.insert(caption.control, caption.caption);
        });
    };
    loadList(pickLists()[0]);
    step(loaded.problems, [&] {
        card::applyTableTitles(&document, loadLines(dataFilePath(QStringLiteral("Info.txt"))));
    });
    for (size_t i = 1; i < pickLists().size(); ++i)
        loadList(pickLists()[i]);
    if (auto *frame = document.element<CardShape>(QStringLiteral("AlShape15")))
        frame->setBounds(0, 0, frame->width(), frame->height());

    QStringList identity;
    for (const QString &edit : card::identityEdits())
        identity << rowCaption(edit);
    card::copyIdentityTexts(&document, identity);
    step(loaded.problems, [&] {
        card::applyPrefsGeometry(&document, loadLines(dataFilePath(QStringLiteral("prefs.txt"))));
    });
    if (const ControlState *power = replay.checkedRadio(QStringLiteral("RBPower")))
        loaded.defaultPower = captions.value(power->row->name, power->row->caption);
    document.setQso(QsoRecord{{}, {}, {}, {}, {}, loaded.defaultPower, {}});
    step(loaded.problems, [&] {
        const QString path =
            lineAt(loadLines(dataFilePath(QStringLiteral("gfile.qec"))), 0);
        if (!path.isEmpty() && QFileInfo(path).isFile())
            document.element<CardPictureElement>(QStringLiteral("tAlImage1"))
                ->setPicture(card::loadBackgroundPicture(path));
    });
    step(loaded.problems, [&] {
        // Each identity line that changes its edit copies the identity onto the card and
        // styles the call sign again, as typing it would.
        readIdentity(loadLines(dataFilePath(QStringLiteral("dfile.qec"))),
                     card::identityEdits().size(), [&](int i, const QString &line) {
                         const QString text = oneLineText(line);
                         if (identity[i] == text)
                             return;
                         identity[i] = text;
                         card::copyIdentityTexts(&document, identity);
                         replay.applyCallSignStyle();
                     });
    });
    replay.applyCardOptions();
    loaded.identity = identity;
    return loaded;
}
