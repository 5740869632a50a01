// The card's options, its identity lines and the QSO table values.
#include "MainWindow.h"

#include "CardBuilder.h"
#include "CardElements.h"
#include "Fonts.h"
#include "HandlerGuard.h"
#include "CardLabel.h"
#include "FlatButton.h"
#include "EntryEdit.h"
#include "WindowBuilder.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>

namespace {

const char *const kOptionChecks[] = {
    "CBPseQSL", "CBPseLoTW", "CBShow73", "CBShowEmail1", "CBTranspName", "CBTranspEmail",
    "CBTranspTitles", "CBTransp73Pse", "CBFrameInfo1", "CBFrameCard1", "CBSendEnabled"};

} // namespace

void MainWindow::connectCardOptions()
{
    for (const char *name : kOptionChecks) {
        auto *box = control<QCheckBox>(QString::fromLatin1(name));
        connect(box, &QCheckBox::toggled, this,
                [this, box] { guarded([this, box] { CBShowEmail1Click(box); }); });
    }
    for (int i = 0; i < card::kBackgroundSchemeCount; ++i) {
        auto *radio = control<QRadioButton>(QString::fromLatin1(card::backgroundSchemes()[i].radio));
        connect(radio, &QRadioButton::toggled, this, [this, radio](bool on) {
            if (on)
                guarded([this, radio] { CBShowEmail1Click(radio); });
        });
    }
    for (int n = 1; n <= 3; ++n) {
        auto *radio = control<QRadioButton>(QStringLiteral("HL%1").arg(n));
        connect(radio, &QRadioButton::toggled, this, [this, radio](bool on) {
            if (on)
                guarded([this, radio] { RadioAndCheckBoxes(radio); });
        });
    }
    for (const QString &name : card::identityEdits()) {
        auto *edit = control<QLineEdit>(name);
        connect(edit, &QLineEdit::textChanged, this,
                [this, edit] { guarded([this, edit] { CallSignEdit1Change(edit); }); });
    }
}

card::CardOptions MainWindow::readCardOptions() const
{
    auto checked = [this](const char *name) {
        const auto *b = control<QAbstractButton>(QString::fromLatin1(name));
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

void MainWindow::RadioAndCheckBoxes(QObject *sender)
{
    const card::CardLook look = card::applyCardOptions(readCardOptions(), m_boxColours);
    m_boxColours = look.colours;
    if (look.interfaceColour) {
        for (const char *name : {"Panel5", "GroupBox1", "GroupBox2", "GroupBox3", "GroupBox4"})
            setControlColour(control(QString::fromLatin1(name)), *look.interfaceColour);
    }
    card::applyLookToCard(this, look);
    control(QStringLiteral("EncartaButton1"))->setVisible(look.sendVisible);
    QWidget *copy = control(QStringLiteral("ClipBoardButton1"));
    copy->move(look.copyButtonLeft, copy->y());
    TabFalse(sender);
    focusCallSign();
}

void MainWindow::CBShowEmail1Click(QObject *sender)
{
    RadioAndCheckBoxes(nullptr);
    TabFalse(sender);
    focusCallSign();
}

void MainWindow::CallSignEdit1Change(QObject *)
{
    EditBoxes();
    CSFClick(nullptr);
}

void MainWindow::EditBoxes()
{
    for (int i = 0; i < card::identityEdits().size(); ++i) {
        const auto *edit = control<QLineEdit>(card::identityEdits()[i]);
        if (auto *element = control<CardLabel>(card::identityElements()[i]))
            element->setCaption(edit->text());
    }
}

void MainWindow::InfoBoxes()
{
    EntryEdit *edits[] = {ContactCallSign, UTCDate, UTCTime, Freq, Mode, Power, Signal};
    CardLabel *values[] = {alContactCallSign, alUTCDate, alUTCTime, alFreq,
                          alMode, alPower, alSignal};
    for (int i = 0; i < 7; ++i)
        values[i]->setCaption(edits[i]->text());
}

void MainWindow::TabFalse(QObject *target)
{
    if (auto *widget = qobject_cast<QWidget *>(target))
        if (widget->focusPolicy() & Qt::TabFocus)
            widget->setFocusPolicy(Qt::ClickFocus);
}

void MainWindow::CSFClick(QObject *sender)
{
    auto checked = [this](const char *name) {
        const auto *b = control<QAbstractButton>(QString::fromLatin1(name));
        return b && b->isChecked();
    };
    QFont font = alCallSign->font();
    font.setBold(checked("CSFBold"));
    font.setUnderline(checked("CSFUnderline"));
    font.setPixelSize(pointsToPixels(control<QSlider>(QStringLiteral("CSFTrackBar1"))->value()));
    font.setItalic(checked("CSFItalic"));
    alCallSign->setFont(font);
    // An italic call sign leans past the width measured for its upright letters.
    if (font.italic())
        alCallSign->setWidth(alCallSign->width() + 18);
    TabFalse(sender);
}
