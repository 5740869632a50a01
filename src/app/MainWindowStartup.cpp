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
#include "PickLists.h"
#include "WindowBuilder.h"
#include "features/CardOptionsController.h"
#include "features/QsoEntryController.h"
#include "CardBand.h"
#include "CardImage.h"

#include <QCalendarWidget>
#include <QDate>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

namespace {

void setControlCaption(QObject *control, const QString &caption)
{
    if (auto *button = qobject_cast<FlatButton *>(control))
        button->setCaption(caption);
    else if (auto *radio = qobject_cast<QRadioButton *>(control))
        radio->setText(caption);
}

} // namespace

void MainWindow::prepareFromDataFolder()
{
    // Each data-file step is reported on its own and the independent steps after a failed
    // one still run, so that one damaged pick list does not leave the station identity,
    // the geometry and the mail recipient unset.
    auto *interfacePanel = control<CollapsiblePanel>(QStringLiteral("CollapsePanel1"));
    guarded([interfacePanel] {
        interfacePanel->setCollapsed(false);
        interfacePanel->resize(interfacePanel->width(), 467);
    });
    loadPickListCaptions();
    for (const char *name : {"RBPower1", "RBBkgClr3", "RBBkgClr6", "RBBkgClr9", "HL1", "HL2", "HL3"})
        removeFromTabOrder(control<QRadioButton>(QString::fromLatin1(name)));
    if (auto *frame = control<CardShape>(QStringLiteral("AlShape15")))
        frame->setBounds(0, 0, frame->width(), frame->height());
    control<QCalendarWidget>(QStringLiteral("MonthCalendar1"))->setSelectedDate(QDate::currentDate());
    uncheckButton(control<QRadioButton>(QStringLiteral("RBMode1")));
    cardBand()->setAlign(alNone);
    cardBand()->resize(card::kBandWidth, card::kBandHeight);
    setControlColour(this, card::kWindowColour);
    // Folds the interface panel through its header button; the button unfolds it to 467.
    guarded([interfacePanel] { interfacePanel->headerButton()->click(); });
    copyIdentityToCard();
    m_prefsRead = guarded([this] { applyPrefs(loadLines(dataFilePath(QStringLiteral("prefs.txt")))); });
    applyPowerDefault();
    for (const card::QsoFieldNames &field : card::qsoFields())
        if (field.field != card::QsoField::Power)
            entryOverlay(field.field)->clear();
    qsoEntry().copyFieldsToCard();
    for (int n = 1; n <= 8; ++n)
        uncheckButton(control<QRadioButton>(QStringLiteral("RBMode%1").arg(n)));
    guarded([this] { loadBackground(); });
    m_identityRead = guarded([this] { loadIdentity(); });
    // Send QSL rewrites this one entry's address for every card it sends.
    m_mailRecipient = &m_mailer->Recipients.add();
}

void MainWindow::loadPickListCaptions()
{
    auto loadList = [this](const PickList &list) {
        guarded([this, &list] {
            const QStringList lines = loadLines(dataFilePath(QString::fromLatin1(list.file)));
            for (const PickListCaption &caption : pickListCaptions(list, lines))
                setControlCaption(findChild<QObject *>(caption.control), caption.caption);
        });
    };
    loadList(pickLists()[0]);
    guarded([this] {
        const QStringList lines = loadLines(dataFilePath(QStringLiteral("Info.txt")));
        for (int i = 0; i < card::kQsoFieldCount; ++i)
            control<CardLabel>(QString::fromLatin1(card::qsoFields()[i].titleElement))
                ->setCaption(lineAt(lines, i));
    });
    for (size_t i = 1; i < pickLists().size(); ++i)
        loadList(pickLists()[i]);
}

// Four lines per text element, in creation order: Left, Top, Height, Width.
void MainWindow::applyPrefs(const QStringList &lines)
{
    int index = 0;
    for (CardElement *element : cardBand()->elements()) {
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
            entryOverlay(card::QsoField::Power)->setText(radio->text());
            valueElement(card::QsoField::Power)->setCaption(radio->text());
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
        control<CardImage>(QStringLiteral("tAlImage1"))->setPicture(picture);
    }
}

void MainWindow::loadIdentity()
{
    const QStringList lines = loadLines(dataFilePath(QStringLiteral("dfile.qec")));
    for (int i = 0; i < card::identityEdits().size(); ++i)
        control<QLineEdit>(card::identityEdits()[i])->setText(lineAt(lines, i));
}

void MainWindow::onActivated()
{
    if (m_firstActivation)
        cardOptions().applyCardOptions(nullptr);
    focusCallSign();
    m_firstActivation = false;
}

void MainWindow::closeFromButton()
{
    close();
}

void MainWindow::saveDataFiles()
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
    for (CardElement *element : cardBand()->elements()) {
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
