#include "TextStylesController.h"

#include "ButtonState.h"
#include "CardStyling.h"
#include "DesignBinding.h"
#include "CardLabel.h"
#include "Colors.h"
#include "FlatButton.h"
#include "Fonts.h"
#include "HandlerGuard.h"
#include "ItalicLean.h"
#include "ControlLookup.h"
#include "ControlNames.h"
#include "FeatureHosts.h"
#include "RememberedList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>

using card::StyleGroup;

namespace {

// Where an opened font panel lies: over the QSO entry panels.
const QPoint kFontPanelPlace(14, 287);

const StyleGroup kGroups[] = {StyleGroup::CallSign, StyleGroup::Name, StyleGroup::Info};

// The point size a card font was given (card fonts are sized in pixels at 96 per inch).
QString prefixOf(StyleGroup group)
{
    return QString::fromLatin1(card::styleGroupNames(group).prefix);
}

} // namespace

TextStylesController::TextStylesController(ControlLookup &controls, KeyboardFocusHost &focus,
                                           DesignBinding &design)
    : QObject(&controls.hostWidget())
    , m_controls(controls)
    , m_focus(focus)
    , m_design(design)
{
    for (StyleGroup group : kGroups)
        connectGroup(group);
    auto *width = m_controls.control<QSlider>(controlnames::nameWidthSlider);
    connectGuarded(width, &QSlider::valueChanged, this, [this, width] { applyNameBlockWidth(width); });
}

void TextStylesController::connectGroup(StyleGroup group)
{
    const card::StyleGroupNames &names = card::styleGroupNames(group);
    auto *button = m_controls.control<FlatButton>(QString::fromLatin1(names.button));
    connectGuarded(button, &FlatButton::clicked, this, [this, group] { toggleFontPanel(group); });
    auto *panel = m_controls.control(QString::fromLatin1(names.panel));
    const QString prefix = prefixOf(group);
    for (QRadioButton *radio : panel->findChildren<QRadioButton *>()) {
        connectGuarded(radio, &QRadioButton::toggled, this, [this, group, radio](bool on) {
            if (on)
                applyStyle(group, radio);
        });
    }
    for (QCheckBox *box : panel->findChildren<QCheckBox *>())
        connectGuarded(box, &QCheckBox::toggled, this, [this, group, box] { applyStyle(group, box); });
    if (auto *size = m_controls.findControl<QSlider>(prefix + QStringLiteral("TrackBar1")))
        connectGuarded(size, &QSlider::valueChanged, this,
                       [this, group, size] { applyStyle(group, size); });
    auto *list = m_controls.control<QComboBox>(QString::fromLatin1(names.list));
    connectGuarded(list, &QComboBox::activated, this, [this, group, list] { applyStyle(group, list); });
    connectGuarded(list, &QComboBox::editTextChanged, this, [this, list] { showListItemStart(list); });
}

void TextStylesController::toggleFontPanel(StyleGroup group)
{
    const card::StyleGroupNames &names = card::styleGroupNames(group);
    QWidget *panel = m_controls.control(QString::fromLatin1(names.panel));
    auto *button = m_controls.control<FlatButton>(QString::fromLatin1(names.button));
    if (!panel->isHidden()) {
        button->setColor(colorFromInt(card::kClosedPanelButtonColour));
        panel->hide();
    } else {
        if (group == StyleGroup::Name) {
            const int width = m_controls.control<CardLabel>(controlnames::nameElement)->width();
            m_controls.control<QSlider>(controlnames::nameWidthSlider)
                ->setValue(qBound(card::kNameWidthMinimum, width, card::kNameWidthMaximum));
        }
        closeFontPanels();
        panel->move(kFontPanelPlace);
        panel->raise();
        panel->show();
        button->setColor(colorFromInt(card::kOpenPanelButtonColour));
    }
    m_focus.focusCallSign();
}

void TextStylesController::closeFontPanels()
{
    for (StyleGroup group : kGroups) {
        const card::StyleGroupNames &names = card::styleGroupNames(group);
        m_controls.control(QString::fromLatin1(names.panel))->hide();
        m_controls.control<FlatButton>(QString::fromLatin1(names.button))
            ->setColor(colorFromInt(card::kClosedPanelButtonColour));
    }
}

void TextStylesController::applyCallSignStyle(QObject *sender)
{
    applyStyle(StyleGroup::CallSign, sender);
}

void TextStylesController::applyNameStyle(QObject *sender)
{
    applyStyle(StyleGroup::Name, sender);
}

void TextStylesController::applyInfoStyle(QObject *sender)
{
    applyStyle(StyleGroup::Info, sender);
}

void TextStylesController::applyStyle(StyleGroup group, QObject *sender)
{
    const card::StyleChange change = card::styleChange(group, describeSender(sender), readChecks(group));
    const card::StyleGroupNames &names = card::styleGroupNames(group);
    auto *list = m_controls.control<RememberedList>(QString::fromLatin1(names.list));
    card::CardDesign design = m_design.design();
    card::foldStyleChange(design, group, change, fixedColourOf(group, sender),
                          list->currentIndex());
    m_design.setDesign(design);
    if (change.resetList)
        list->showOwnText(card::otherListText());
    if (change.uncheckColourRadios)
        uncheckColourRadios(group);
    m_focus.removeFromTabOrder(sender);
}

card::StyleSender TextStylesController::describeSender(QObject *sender) const
{
    card::StyleSender described;
    if (!sender)
        return described;
    described.name = sender->objectName();
    if (auto *radio = qobject_cast<QRadioButton *>(sender)) {
        described.kind = card::StyleSender::Kind::Radio;
        described.caption = radio->text();
    } else if (auto *list = qobject_cast<QComboBox *>(sender)) {
        described.kind = card::StyleSender::Kind::List;
        described.listText = list->currentText();
    } else {
        described.kind = card::StyleSender::Kind::Other;
    }
    return described;
}

card::StyleChecks TextStylesController::readChecks(StyleGroup group) const
{
    const QString prefix = prefixOf(group);
    auto checked = [this, &prefix](const char *suffix) {
        const auto *box = m_controls.findControl<QAbstractButton>(prefix + QLatin1String(suffix));
        return box && box->isChecked();
    };
    card::StyleChecks checks;
    checks.bold = checked("Bold");
    checks.italic = checked("Italic");
    checks.underline = checked("Underline");
    if (const auto *size = m_controls.findControl<QSlider>(prefix + QStringLiteral("TrackBar1")))
        checks.trackBarPoints = size->value();
    return checks;
}

int TextStylesController::fixedColourOf(StyleGroup group, const QObject *sender) const
{
    if (!qobject_cast<const QRadioButton *>(sender))
        return -1;
    const QString prefix = prefixOf(group) + QStringLiteral("Color");
    const std::vector<card::FixedColour> &colours = card::fixedColours();
    for (size_t i = 0; i < colours.size(); ++i)
        if (sender->objectName() == prefix + QLatin1String(colours[i].suffix))
            return int(i);
    return -1;
}

void TextStylesController::uncheckColourRadios(StyleGroup group)
{
    const QString marker = prefixOf(group) + QStringLiteral("Color");
    for (QRadioButton *radio : m_controls.hostWidget().findChildren<QRadioButton *>())
        if (radio->objectName().contains(marker))
            uncheckButton(radio);
}

void TextStylesController::showListItemStart(QComboBox *list)
{
    // Only a chosen item scrolls back; the operator typing into the field keeps his cursor.
    if (list->lineEdit() && list->findText(list->currentText()) >= 0)
        list->lineEdit()->setCursorPosition(0);
}

void TextStylesController::applyNameBlockWidth(QObject *sender)
{
    card::CardDesign design = m_design.design();
    card::setNameBlockWidth(design, m_controls.control<QSlider>(controlnames::nameWidthSlider)->value());
    m_design.setDesign(design);
    m_focus.removeFromTabOrder(sender);
}
