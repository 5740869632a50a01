#include "CardOptionsController.h"

#include "CardBuilder.h"
#include "CardEntryOverlays.h"
#include "Colors.h"
#include "HandlerGuard.h"
#include "ControlLookup.h"
#include "FeatureHosts.h"
#include "WindowBuilder.h"

#include <QCheckBox>
#include <QRadioButton>

namespace {

const char *const kOptionChecks[] = {
    "CBPseQSL", "CBPseLoTW", "CBShow73", "CBShowEmail1", "CBTranspName", "CBTranspEmail",
    "CBTranspTitles", "CBTransp73Pse", "CBFrameInfo1", "CBFrameCard1", "CBSendEnabled"};

} // namespace

CardOptionsController::CardOptionsController(ControlLookup &controls, KeyboardFocusHost &focus,
                                             card::BoxColours &boxColours)
    : QObject(&controls.hostWidget())
    , m_controls(controls)
    , m_focus(focus)
    , m_boxColours(boxColours)
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
    for (int n = 1; n <= 3; ++n) {
        auto *radio = m_controls.control<QRadioButton>(QStringLiteral("HL%1").arg(n));
        connectGuarded(radio, &QRadioButton::toggled, this, [this, radio](bool on) {
            if (on)
                applyCardOptions(radio);
        });
    }
}

card::CardOptions CardOptionsController::readCardOptions() const
{
    auto checked = [this](const char *name) {
        const auto *b = m_controls.control<QAbstractButton>(QString::fromLatin1(name));
        return b && b->isChecked();
    };
    card::CardOptions o;
    o.pseQsl = checked("CBPseQSL");
    o.pseLotw = checked("CBPseLoTW");
    o.showEmail = checked("CBShowEmail1");
    o.show73 = checked("CBShow73");
    o.transpName = checked("CBTranspName");
    o.transpEmail = checked("CBTranspEmail");
    o.transpTitles = checked("CBTranspTitles");
    o.transp73Pse = checked("CBTransp73Pse");
    o.frameInfo = checked("CBFrameInfo1");
    o.frameCard = checked("CBFrameCard1");
    o.sendEnabled = checked("CBSendEnabled");
    for (int i = 0; i < card::kBackgroundSchemeCount; ++i)
        if (checked(card::backgroundSchemes()[i].radio))
            o.background = i + 1;
    for (int n = 1; n <= 3; ++n)
        if (checked(QStringLiteral("HL%1").arg(n).toLatin1().constData()))
            o.interfaceChoice = n;
    return o;
}

void CardOptionsController::applyCardOptions(QObject *sender)
{
    const card::CardLook look = card::applyCardOptions(readCardOptions(), m_boxColours);
    m_boxColours = look.colours;
    if (look.interfaceColour) {
        for (const char *name : {"Panel5", "GroupBox1", "GroupBox2", "GroupBox3", "GroupBox4"})
            setControlColour(m_controls.control(QString::fromLatin1(name)), *look.interfaceColour);
    }
    card::applyLookToCard(&m_controls.hostWidget(), look);
    card::colourEntryOverlays(&m_controls.hostWidget(), look.colours);
    m_controls.control(QStringLiteral("EncartaButton1"))->setVisible(look.sendVisible);
    QWidget *copy = m_controls.control(QStringLiteral("ClipBoardButton1"));
    copy->move(look.copyButtonLeft, copy->y());
    m_focus.removeFromTabOrder(sender);
    m_focus.focusCallSign();
}

void CardOptionsController::onCardOptionToggled(QObject *sender)
{
    applyCardOptions(nullptr);
    m_focus.removeFromTabOrder(sender);
    m_focus.focusCallSign();
}
