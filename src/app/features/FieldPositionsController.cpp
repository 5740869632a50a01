#include "FieldPositionsController.h"

#include "ButtonState.h"
#include "CardDocument.h"
#include "CardLabel.h"
#include "DesignBinding.h"
#include "CollapsiblePanel.h"
#include "HandlerGuard.h"
#include "ControlLookup.h"
#include "ControlNames.h"
#include "FeatureHosts.h"

#include <QRadioButton>
#include <QSlider>
#include <QToolButton>

using card::MovableField;

FieldPositionsController::FieldPositionsController(ControlLookup &controls,
                                                   KeyboardFocusHost &focus,
                                                   DesignBinding &design)
    : QObject(&controls.hostWidget())
    , m_controls(controls)
    , m_focus(focus)
    , m_design(design)
{
    for (const card::MovableFieldNames &field : card::movableFields()) {
        auto *radio = m_controls.control<QRadioButton>(QString::fromLatin1(field.radio));
        connectGuarded(radio, &QRadioButton::toggled, this, [this, radio](bool on) {
            if (on)
                selectField(radio);
        });
    }
    QSlider *left = leftSlider(), *top = topSlider();
    connectGuarded(left, &QSlider::valueChanged, this, [this, left] { moveSelectedLeft(left); });
    connectGuarded(top, &QSlider::valueChanged, this, [this, top] { moveSelectedTop(top); });
    using namespace controlnames;
    for (const char *name : {nudgeLeftButton, nudgeRightButton, nudgeUpButton, nudgeDownButton,
                             narrowerNameButton, widerNameButton}) {
        auto *arrow = m_controls.control<QToolButton>(QString::fromLatin1(name));
        connectGuarded(arrow, &QToolButton::clicked, this, [this, arrow] { nudge(arrow); });
    }
    connectGuarded(interfacePanel(), &CollapsiblePanel::heightStepped, this,
                   [this] { resetAfterPanelResize(); });
}

CollapsiblePanel *FieldPositionsController::interfacePanel() const
{
    return m_controls.control<CollapsiblePanel>(controlnames::interfacePanel);
}

QSlider *FieldPositionsController::leftSlider() const
{
    return m_controls.control<QSlider>(controlnames::leftRightSlider);
}

QSlider *FieldPositionsController::topSlider() const
{
    return m_controls.control<QSlider>(controlnames::upDownSlider);
}

void FieldPositionsController::setRanges(card::SliderRange left, card::SliderRange top)
{
    // A slider re-clamps its value to a new minimum and reports the change.
    leftSlider()->setRange(left.minimum, left.maximum);
    topSlider()->setRange(top.minimum, top.maximum);
}

MovableField FieldPositionsController::selectedField() const
{
    for (const card::MovableFieldNames &field : card::movableFields()) {
        const auto *radio = m_controls.control<QRadioButton>(QString::fromLatin1(field.radio));
        if (radio && radio->isChecked())
            return field.field;
    }
    return MovableField::None;
}

void FieldPositionsController::selectField(QObject *sender)
{
    setRanges(card::kLeftWhileSelected, card::kTopWhileSelected);
    if (auto *radio = qobject_cast<QRadioButton *>(sender)) {
        const MovableField field = card::fieldForCaption(radio->text());
        if (field != MovableField::None) {
            const auto *element =
                m_controls.control<CardLabel>(QString::fromLatin1(card::namesOf(field).element));
            // Setting a slider moves the element to the clamped value when it changes.
            leftSlider()->setValue(element->left());
            topSlider()->setValue(element->top());
        }
    }
    m_focus.removeFromTabOrder(sender);
    m_focus.focusCallSign();
}

void FieldPositionsController::place(const std::vector<card::Placement> &placements,
                                     bool horizontal)
{
    if (placements.empty())
        return;
    card::CardDesign design = m_design.design();
    for (const card::Placement &p : placements)
        card::placeTextElement(design, p.element, horizontal, p.value);
    m_design.setDesign(design);
}

void FieldPositionsController::moveSelectedLeft(QObject *sender)
{
    const MovableField field = selectedField();
    place(card::leftPlacements(field, leftSlider()->value()), true);
    if (sender && card::reappliesNameWidth(field, sender->objectName()))
        emit nameBlockWidthToReapply();
}

void FieldPositionsController::moveSelectedTop(QObject *)
{
    place(card::topPlacements(selectedField(), topSlider()->value(),
                              m_design.document().nameLineStep),
          false);
}

void FieldPositionsController::nudge(QObject *sender)
{
    if (!qobject_cast<QToolButton *>(sender))
        return;
    const card::Nudge nudge = card::nudgeForName(sender->objectName());
    QSlider *slider = nullptr;
    switch (nudge) {
    case card::Nudge::Left:
    case card::Nudge::Right: slider = leftSlider(); break;
    case card::Nudge::Up:
    case card::Nudge::Down: slider = topSlider(); break;
    case card::Nudge::In:
    case card::Nudge::Out: slider = m_controls.control<QSlider>(controlnames::nameWidthSlider); break;
    case card::Nudge::None: break;
    }
    if (slider)
        slider->setValue(slider->value() + card::nudgeStep(nudge));
    moveSelectedLeft(sender);
}

void FieldPositionsController::resetAfterPanelResize()
{
    interfacePanel()->raise();
    for (const card::MovableFieldNames &field : card::movableFields())
        uncheckButton(m_controls.control<QRadioButton>(QString::fromLatin1(field.radio)));
    setRanges(card::kAfterPanelResize, card::kAfterPanelResize);
    leftSlider()->setValue(0);
    topSlider()->setValue(0);
    emit fontPanelsToClose();
    m_focus.focusCallSign();
}
