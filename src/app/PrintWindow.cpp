#include "PrintWindow.h"

#include "Colors.h"
#include "Fonts.h"
#include "HandlerGuard.h"
#include "FlatButton.h"
#include "UserDialogs.h"

#include <QCheckBox>
#include <QCursor>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>

namespace {

constexpr int WindowColor = 11395047;
constexpr int Navy = 8388608;

struct RadioPlace {
    const char *name;
    const char *caption;
    int left;
};

// The window description of the choice row; all six share one parent, so they form one group.
const RadioPlace Radios[] = {
    {"Copy1", "1", 242}, {"Copy2", "2", 274}, {"Copy3", "3", 306},
    {"Pos1", "1", 408},  {"Pos2", "2", 440},  {"Pos3", "3", 472},
};

void applyNavyFont(QWidget *widget)
{
    widget->setFont(designFont(QStringLiteral("MS Sans Serif"), 8));
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colorFromInt(Navy));
    palette.setColor(QPalette::ButtonText, colorFromInt(Navy));
    widget->setPalette(palette);
}

} // namespace

PrintWindow::PrintWindow(PrintWindowHost host, QWidget *parent)
    : QDialog(parent), m_host(std::move(host)), m_report(new ReportPage(this))
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Kartello Print"));
    setFixedSize(527, 347);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colorFromInt(WindowColor));
    setPalette(palette);
    setAutoFillBackground(true);
    createControls();
    m_radios[Position1]->setChecked(true);
}

FlatButton *PrintWindow::createButton(const char *name, const QString &caption, const QRect &place)
{
    auto *button = new FlatButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setCaption(caption);
    button->setGeometry(place);
    button->setColor(colorFromInt(WindowColor));
    button->setColorBorder(colorFromInt(8556441));
    button->setColorOverCaption(colorFromInt(0));
    button->setColorOver(colorFromInt(7585759));
    button->setColorDown(colorFromInt(704216));
    button->setCaptionFont(designFont(QStringLiteral("Arial"), 8));
    button->setFontColor(Qt::black);
    return button;
}

void PrintWindow::createControls()
{
    m_printButton = createButton("EncartaButton1", QStringLiteral("Print"), {8, 8, 86, 22});
    connect(m_printButton, &FlatButton::clicked, this, [this] { guarded([this] { PrintButton1Click(); }); });
    auto *cancel = createButton("EncartaButton2", QStringLiteral("Cancel"), {96, 8, 86, 22});
    connect(cancel, &FlatButton::clicked, this, [this] { guarded([this] { CloseButton2Click(); }); });

    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setFrameShape(QFrame::NoFrame);
    m_panel->setGeometry(184, 9, 8, 19);
    m_panel->setFocusPolicy(Qt::StrongFocus);

    const std::pair<const char *, QPoint> labels[] = {{"Copies:  ", {205, 11}},
                                                      {"Position:  ", {366, 11}}};
    int labelNumber = 1;
    for (const auto &[text, place] : labels) {
        auto *label = new QLabel(QString::fromLatin1(text), this);
        label->setObjectName(QStringLiteral("Label%1").arg(labelNumber++));
        applyNavyFont(label);
        label->move(place);
        label->adjustSize();
    }
    for (size_t i = 0; i < m_radios.size(); ++i) {
        auto *radio = new QRadioButton(QString::fromLatin1(Radios[i].caption), this);
        radio->setObjectName(QString::fromLatin1(Radios[i].name));
        radio->setGeometry(Radios[i].left, 11, 28, 17);
        applyNavyFont(radio);
        connect(radio, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                guarded([this] { Copy1Click(); });
        });
        m_radios[i] = radio;
    }
    m_autoLoop = new QCheckBox(this);
    m_autoLoop->setObjectName(QStringLiteral("CheckBox1"));
    m_autoLoop->setGeometry(504, 10, 13, 17);
    m_autoLoop->setToolTip(QStringLiteral("Auto loop position"));

    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("Image1"));
    m_preview->setGeometry(8, 40, 511, 280);
    m_preview->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setSizeGripEnabled(false);
    m_statusBar->setGeometry(0, height() - 19, width(), 19);
}

std::array<bool, ReportPage::SlotCount> PrintWindow::slotsFor(Choice choice)
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
    for (size_t i = 0; i < m_radios.size(); ++i)
        if (m_radios[i]->isChecked())
            return static_cast<Choice>(i);
    return Position1;
}

void PrintWindow::setChoice(Choice choice)
{
    m_radios[choice]->setChecked(true);
}

QImage PrintWindow::previewImage() const
{
    return m_preview->pixmap().toImage();
}

QPoint PrintWindow::centerMousePoint(const QWidget *button, int dx, int dy)
{
    return button->mapToGlobal(QPoint(0, 0))
           + QPoint(button->width() / 2 + dx, button->height() / 2 + dy);
}

void PrintWindow::CenterMouse(const QWidget *button, int dx, int dy)
{
    QCursor::setPos(centerMousePoint(button, dx, dy));
}

void PrintWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->virtualGeometry().center() - rect().center());
    guarded([this] { FormActivate(); });
}

void PrintWindow::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        guarded([this] { FormActivate(); });
}

void PrintWindow::FormActivate()
{
    m_panel->setFocus();
    m_preview->clear();
    const QImage card = m_host.cardPicture ? m_host.cardPicture() : QImage();
    if (!card.isNull())
        m_preview->setPixmap(QPixmap::fromImage(card));
    CenterMouse(m_printButton, 12, 0);
}

void PrintWindow::Copy1Click()
{
    m_panel->setFocus();
}

void PrintWindow::CloseButton2Click()
{
    close();
}

void PrintWindow::PrintButton1Click()
{
    m_report->clearSlots();
    const Choice chosen = choice();
    const auto filled = slotsFor(chosen);
    const QImage card = m_host.cardPicture ? m_host.cardPicture() : QImage();
    for (int slot = 0; slot < ReportPage::SlotCount; ++slot)
        if (filled[slot])
            m_report->setSlotPicture(slot, card);
    const Choice next = choiceAfterPrint(chosen, m_autoLoop->isChecked());
    if (next != chosen)
        setChoice(next);
    m_report->setupPrinter(m_printer);
    if (userDialogs().printDialog(m_printer)) {
        m_report->setReportTitle(m_host.contactCallSign ? m_host.contactCallSign() : QString());
        m_report->print(m_printer, this);
    }
    if (m_host.writeContactsInfo)
        m_host.writeContactsInfo();
    close();
}
