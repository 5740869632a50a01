#include "PrintWindow.h"

#include "Colors.h"
#include "ControlNames.h"
#include "FlatButton.h"
#include "HandlerGuard.h"
#include "UserDialogs.h"
#include "WindowBuilder.h"
#include "WindowDescription.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>

namespace {

constexpr int kWindowColour = 11395047;
constexpr int kAccentColour = 7585759;

const char *const kChoiceRadios[] = {"Copy1", "Copy2", "Copy3", "Pos1", "Pos2", "Pos3"};

} // namespace

PrintWindow::PrintWindow(PrintWindowHost host, QWidget *parent)
    : QDialog(parent), m_host(std::move(host)), m_sheet(new LetterSheet(this))
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Kartello Print"));
    setFixedSize(583, 347);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colorFromInt(kWindowColour));
    setPalette(palette);
    setAutoFillBackground(true);
    buildWindow(this, printWindowDescription());
    // The print window's buttons light up in the accent colour under the pointer.
    for (FlatButton *button : findChildren<FlatButton *>())
        button->setColorOver(colorFromInt(kAccentColour));
    // The hidden panel holds the focus, so no radio shows a focus frame.
    control(controlnames::print::focusHolder)->setFocusPolicy(Qt::StrongFocus);
    control(controlnames::print::autoLoopCheck)->setToolTip(QStringLiteral("Auto loop position"));
    control<QLabel>(controlnames::print::preview)->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    connectControls();
    setChoice(Position1);
}

void PrintWindow::connectControls()
{
    connect(control<FlatButton>(controlnames::print::printButton), &FlatButton::clicked, this,
            [this] { guarded([this] { printPage(); }); });
    connect(control<FlatButton>(controlnames::print::cancelButton), &FlatButton::clicked, this,
            [this] { guarded([this] { cancel(); }); });
    for (size_t i = 0; i < m_choiceRadios.size(); ++i) {
        m_choiceRadios[i] = control<QRadioButton>(kChoiceRadios[i]);
        connect(m_choiceRadios[i], &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                guarded([this] { onChoicePicked(); });
        });
    }
}

std::array<bool, LetterSheet::SlotCount> PrintWindow::slotsFor(Choice choice)
{
    switch (choice) {
    case Copies1:
    case Position1: return {true, false, false};
    case Copies2: return {true, true, false};
    case Copies3: return {true, true, true};
    case Position2: return {false, true, false};
    case Position3: return {false, false, true};
    }
    return {false, false, false};
}

PrintWindow::Choice PrintWindow::choiceAfterPrint(Choice choice, bool autoLoop)
{
    if (!autoLoop)
        return choice;
    switch (choice) {
    case Position1: return Position2;
    case Position2: return Position3;
    case Position3: return Position1;
    default: return choice;
    }
}

PrintWindow::Choice PrintWindow::choice() const
{
    for (size_t i = 0; i < m_choiceRadios.size(); ++i)
        if (m_choiceRadios[i]->isChecked())
            return static_cast<Choice>(i);
    return Position1;
}

void PrintWindow::setChoice(Choice choice)
{
    m_choiceRadios[choice]->setChecked(true);
}

QImage PrintWindow::previewImage() const
{
    return control<QLabel>(controlnames::print::preview)->pixmap().toImage();
}

// An opening is a show the program asked for; the window coming back from being minimised
// is none.
void PrintWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->virtualGeometry().center() - rect().center());
    guarded([this] { prepareOpening(); });
}

void PrintWindow::prepareOpening()
{
    control(controlnames::print::focusHolder)->setFocus();
    auto *preview = control<QLabel>(controlnames::print::preview);
    preview->clear();
    const QImage card = m_host.cardPicture ? m_host.cardPicture() : QImage();
    if (!card.isNull())
        preview->setPixmap(QPixmap::fromImage(card));
    userDialogs().placePointerOn(control(controlnames::print::printButton), 12, 0);
}

void PrintWindow::onChoicePicked()
{
    control(controlnames::print::focusHolder)->setFocus();
}

void PrintWindow::cancel()
{
    close();
}

void PrintWindow::printPage()
{
    m_sheet->clearSlots();
    const Choice chosen = choice();
    const auto filled = slotsFor(chosen);
    const QImage card = m_host.cardPicture ? m_host.cardPicture() : QImage();
    for (int slot = 0; slot < LetterSheet::SlotCount; ++slot)
        if (filled[slot])
            m_sheet->setSlotPicture(slot, card);
    const bool autoLoop = control<QCheckBox>(controlnames::print::autoLoopCheck)->isChecked();
    const Choice next = choiceAfterPrint(chosen, autoLoop);
    if (next != chosen)
        setChoice(next);
    m_sheet->setupPrinter(m_printer);
    const QString proposal = m_host.printFileProposal ? m_host.printFileProposal() : QString();
    if (userDialogs().printDialog(m_printer, proposal)) {
        m_sheet->setReportTitle(m_host.contactCallSign ? m_host.contactCallSign() : QString());
        m_sheet->print(m_printer, this);
    }
    if (m_host.writeContactsInfo)
        m_host.writeContactsInfo();
    close();
}
