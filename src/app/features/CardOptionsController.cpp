#include "CardOptionsController.h"

#include "CardBuilder.h"
#include "CardDocument.h"
#include "CardEntryOverlays.h"
#include "DesignBinding.h"
#include "Colors.h"
#include "ControlNames.h"
#include "HandlerGuard.h"
#include "ControlLookup.h"
#include "FeatureHosts.h"
#include "WindowBuilder.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>

using namespace controlnames;

namespace {

const char *const kOptionChecks[] = {
    pseQslCheck, pseLotwCheck, show73Check, showEmailCheck, transparentNameCheck,
    transparentEmailCheck, transparentTitlesCheck, transparent73PseCheck, frameInfoCheck,
    frameCardCheck, sendEnabledCheck, isoDateCheck};

} // namespace

CardOptionsController::CardOptionsController(ControlLookup &controls, KeyboardFocusHost &focus,
                                             DesignBinding &design)
    : QObject(&controls.hostWidget())
    , m_controls(controls)
    , m_focus(focus)
    , m_design(design)
{
    for (const char *name : kOptionChecks) {
        auto *box = m_controls.control<QCheckBox>(QString::fromLatin1(name));
        connectGuarded(box, &QCheckBox::toggled, this, [this, box] { onCardOptionToggled(box); });
    }
    for (int i = 0; i < card::kBackgroundSchemeCount; ++i) {
        auto *radio = m_controls.control<QRadioButton>(
            QString::fromLatin1(card::backgroundSchemes()[i].radio));
        connectGuarded(radio, &QRadioButton::toggled, this, [this, radio](bool on) {
            if (on)
                onCardOptionToggled(radio);
        });
    }
    auto *perCard = m_controls.control<QSlider>(QString::fromLatin1(qsosPerCardSlider));
    connectGuarded(perCard, &QSlider::valueChanged, this, [this] { onQsosPerCardChanged(); });
    for (int n = 1; n <= interfaceRadioCount; ++n) {
        auto *radio = m_controls.control<QRadioButton>(interfaceRadio(n));
        connectGuarded(radio, &QRadioButton::toggled, this, [this, radio](bool on) {
            if (on)
                applyCardOptions(radio);
        });
    }
}

card::CardOptions CardOptionsController::readCardOptions() const
{
    auto checked = [this](const QString &name) {
        const auto *b = m_controls.control<QAbstractButton>(name);
        return b && b->isChecked();
    };
    card::CardOptions o;
    o.pseQsl = checked(pseQslCheck);
    o.pseLotw = checked(pseLotwCheck);
    o.showEmail = checked(showEmailCheck);
    o.show73 = checked(show73Check);
    o.transpName = checked(transparentNameCheck);
    o.transpEmail = checked(transparentEmailCheck);
    o.transpTitles = checked(transparentTitlesCheck);
    o.transp73Pse = checked(transparent73PseCheck);
    o.frameInfo = checked(frameInfoCheck);
    o.frameCard = checked(frameCardCheck);
    o.sendEnabled = checked(sendEnabledCheck);
    o.isoDate = checked(isoDateCheck);
    for (int i = 0; i < card::kBackgroundSchemeCount; ++i)
        if (checked(QString::fromLatin1(card::backgroundSchemes()[i].radio)))
            o.background = i + 1;
    for (int n = 1; n <= interfaceRadioCount; ++n)
        if (checked(interfaceRadio(n)))
            o.interfaceChoice = n;
    o.qsosPerCard = m_controls.control<QSlider>(QString::fromLatin1(qsosPerCardSlider))->value();
    return o;
}

void CardOptionsController::onQsosPerCardChanged()
{
    const int perCard =
        m_controls.control<QSlider>(QString::fromLatin1(qsosPerCardSlider))->value();
    m_controls.control<QLabel>(QString::fromLatin1(qsosPerCardLabel))
        ->setText(QStringLiteral("QSOs per card: %1").arg(perCard));
    // Only the table changes; the card the window shows is the same, and the slider keeps the
    // keyboard for its arrow keys.
    card::CardDesign design = m_design.design();
    design.options.qsosPerCard = perCard;
    m_design.setDesign(design);
}

void CardOptionsController::applyCardOptions(QObject *sender)
{
    card::CardDesign design = m_design.design();
    design.options = readCardOptions();
    m_design.setDesign(design);
    const card::CardLook look = card::applyCardOptions(design.options, boxColours());
    if (look.interfaceColour) {
        for (const char *name : {optionsStrip, modeGroup, signalGroup, frequencyGroup, powerGroup})
            setControlColour(m_controls.control(QString::fromLatin1(name)), *look.interfaceColour);
    }
    card::colourEntryOverlays(&m_controls.hostWidget(), look.colours);
    m_controls.control(sendQslButton)->setVisible(look.sendVisible);
    QWidget *copy = m_controls.control(copyButton);
    copy->move(look.copyButtonLeft, copy->y());
    m_focus.removeFromTabOrder(sender);
    m_focus.focusCallSign();
}

card::BoxColours CardOptionsController::boxColours() const
{
    return m_design.document().boxColours;
}

void CardOptionsController::onCardOptionToggled(QObject *sender)
{
    applyCardOptions(nullptr);
    m_focus.removeFromTabOrder(sender);
    m_focus.focusCallSign();
}
