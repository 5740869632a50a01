// Start-up and shutdown of the main window.
#include "ButtonState.h"
#include "MainWindow.h"

#include "CardElements.h"
#include "DataFolder.h"
#include "HandlerGuard.h"
#include "CardLabel.h"
#include "CardShape.h"
#include "CollapsiblePanel.h"
#include "FlatButton.h"
#include "EntryEdit.h"
#include "Mailer.h"
#include "WindowBuilder.h"
#include "CardBand.h"
#include "CardImage.h"

#include <QCalendarWidget>
#include <QDate>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

namespace {

// Gives the controls whose names start with prefix + two digits (01, 02, ...) the first
// lines as captions; the others keep an empty caption.
template <typename T>
void fillCaptions(QObject *form, const QString &prefix, const QStringList &lines, int count,
                  void (*setCaption)(T *, const QString &))
{
    for (int n = 1; n <= count; ++n) {
        const QString name = prefix.contains(QLatin1String("RB"))
                                 ? prefix + QString::number(n)
                                 : prefix + QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
        if (T *c = form->findChild<T *>(name))
            setCaption(c, n <= lines.size() ? lines[n - 1] : QString());
    }
}

void setButtonCaption(FlatButton *b, const QString &text) { b->setCaption(text); }
void setRadioCaption(QRadioButton *r, const QString &text) { r->setText(text); }

} // namespace

void MainWindow::FormCreate()
{
    // Each data-file step is reported on its own and the independent steps after a failed
    // one still run, so that one damaged pick list does not leave the station identity,
    // the geometry and the mail recipient unset.
    guarded([this] {
        CollapsePanel1->setCollapsed(false);
        CollapsePanel1->resize(CollapsePanel1->width(), 467);
    });
    LoadDescriptions();
    for (const char *name : {"RBPower1", "RBBkgClr3", "RBBkgClr6", "RBBkgClr9", "HL1", "HL2", "HL3"})
        TabFalse(control<QRadioButton>(QString::fromLatin1(name)));
    if (auto *frame = control<CardShape>(QStringLiteral("AlShape15")))
        frame->setBounds(0, 0, frame->width(), frame->height());
    MonthCalendar1->setSelectedDate(QDate::currentDate());
    uncheckButton(control<QRadioButton>(QStringLiteral("RBMode1")));
    tAlBand1->setAlign(alNone);
    tAlBand1->resize(card::kBandWidth, card::kBandHeight);
    setControlColour(this, card::kWindowColour);
    // Folds the interface panel through its header button; the button unfolds it to 467.
    guarded([this] { CollapsePanel1->headerButton()->click(); });
    EditBoxes();
    m_prefsRead = guarded([this] { applyPrefs(loadLines(dataFilePath(QStringLiteral("prefs.txt")))); });
    applyPowerDefault();
    for (EntryEdit *edit : {ContactCallSign, UTCDate, UTCTime, Freq, Mode, Signal})
        edit->clear();
    InfoBoxes();
    for (int n = 1; n <= 8; ++n)
        uncheckButton(control<QRadioButton>(QStringLiteral("RBMode%1").arg(n)));
    guarded([this] { loadBackground(); });
    m_identityRead = guarded([this] { loadIdentity(); });
    createRecipientEntry();
}

void MainWindow::LoadDescriptions()
{
    guarded([this] {
        const QStringList lines = loadLines(dataFilePath(QStringLiteral("Freq.txt")));
        fillCaptions<FlatButton>(this, QStringLiteral("EBFreq"), lines, 14, setButtonCaption);
    });
    guarded([this] {
        const QStringList lines = loadLines(dataFilePath(QStringLiteral("Info.txt")));
        for (int i = 0; i < 7; ++i)
            control<CardLabel>(card::titleElements()[i])->setCaption(lineAt(lines, i));
    });
    guarded([this] {
        const QStringList lines = loadLines(dataFilePath(QStringLiteral("Power.txt")));
        fillCaptions<QRadioButton>(this, QStringLiteral("RBPower"), lines.mid(0, 9),
                                   qMin<int>(lines.size(), 9), setRadioCaption);
    });
    guarded([this] {
        const QStringList lines = loadLines(dataFilePath(QStringLiteral("Mode.txt")));
        fillCaptions<QRadioButton>(this, QStringLiteral("RBMode"), lines.mid(0, 8),
                                   qMin<int>(lines.size(), 8), setRadioCaption);
    });
    guarded([this] {
        const QStringList lines = loadLines(dataFilePath(QStringLiteral("Signal.txt")));
        fillCaptions<FlatButton>(this, QStringLiteral("EBSig"), lines, 16, setButtonCaption);
    });
}

// Four lines per text element, in creation order: Left, Top, Height, Width.
void MainWindow::applyPrefs(const QStringList &lines)
{
    int index = 0;
    for (CardElement *element : tAlBand1->elements()) {
        auto *label = qobject_cast<CardLabel *>(element);
        if (!label)
            continue;
        label->setLeft(lineToInt(lineAt(lines, index++)));
        label->setTop(lineToInt(lineAt(lines, index++)));
        label->setHeight(lineToInt(lineAt(lines, index++)));
        label->setWidth(lineToInt(lineAt(lines, index++)));
    }
}

void MainWindow::applyPowerDefault()
{
    for (QRadioButton *radio : findChildren<QRadioButton *>()) {
        if (radio->objectName().contains(QLatin1String("RBPower")) && radio->isChecked()) {
            Power->setText(radio->text());
            alPower->setCaption(radio->text());
            return;
        }
    }
}

void MainWindow::loadBackground()
{
    const QString path = lineAt(loadLines(dataFilePath(QStringLiteral("gfile.qec"))), 0);
    if (!path.isEmpty() && QFileInfo(path).isFile()) {
        CardPicture picture;
        picture.loadFromFile(path);
        tAlImage1->setPicture(picture);
    }
}

void MainWindow::loadIdentity()
{
    const QStringList lines = loadLines(dataFilePath(QStringLiteral("dfile.qec")));
    for (int i = 0; i < card::identityEdits().size(); ++i)
        control<QLineEdit>(card::identityEdits()[i])->setText(lineAt(lines, i));
}

// Send QSL rewrites this one entry's address for every card it sends.
void MainWindow::createRecipientEntry()
{
    recipientEntry = &mMailer1->Recipients.add();
}

void MainWindow::FormActivate()
{
    if (m_firstActivation)
        RadioAndCheckBoxes(nullptr);
    focusCallSign();
    m_firstActivation = false;
}

void MainWindow::CloseButton3Click()
{
    close();
}

void MainWindow::FormCloseQuery()
{
    // Shutdown asks nothing and always closes; a failed write is reported on its own.
    if (m_prefsRead)
        guarded([this] { writePrefs(); });
    if (m_identityRead)
        guarded([this] { writeIdentity(); });
}

void MainWindow::writePrefs()
{
    QStringList lines;
    for (CardElement *element : tAlBand1->elements()) {
        if (!qobject_cast<CardLabel *>(element))
            continue;
        lines << QString::number(element->left()) << QString::number(element->top())
              << QString::number(element->height()) << QString::number(element->width());
    }
    saveLines(dataFilePath(QStringLiteral("prefs.txt")), lines);
}

void MainWindow::writeIdentity()
{
    QStringList lines;
    for (const QString &name : card::identityEdits())
        lines << control<QLineEdit>(name)->text();
    saveLines(dataFilePath(QStringLiteral("dfile.qec")), lines);
}
