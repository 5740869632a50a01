// Start-up and shutdown of the main window.
#include "ButtonState.h"
#include "MainWindow.h"
#include "features/StationIdentityController.h"

#include "CardElements.h"
#include "CardOptions.h"
#include "CardStyling.h"
#include "DesignBinding.h"
#include "QsoFields.h"
#include "DataFolder.h"
#include "FilePlaces.h"
#include "HandlerGuard.h"
#include "UserDialogs.h"
#include "KeyboardFocus.h"
#include "CardLabel.h"
#include "CardShape.h"
#include "CollapsiblePanel.h"
#include "ControlNames.h"
#include "FlatButton.h"
#include "EntryEdit.h"
#include "Mailer.h"
#include "PickLists.h"
#include "StationFiles.h"
#include "WindowBuilder.h"
#include "features/CardOptionsController.h"
#include "features/QsoEntryController.h"
#include "CardBand.h"
#include "CardDocument.h"
#include "CardPictureElement.h"

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
    auto *interfacePanel = control<CollapsiblePanel>(controlnames::interfacePanel);
    guarded([interfacePanel] {
        interfacePanel->setCollapsed(false);
        interfacePanel->resize(interfacePanel->width(), 467);
    });
    loadPickListCaptions();
    QStringList outOfTabOrder{controlnames::powerRadio(1)};
    for (int scheme : {3, 6, 9})
        outOfTabOrder << QString::fromLatin1(card::backgroundSchemes()[scheme - 1].radio);
    for (int n = 1; n <= controlnames::interfaceRadioCount; ++n)
        outOfTabOrder << controlnames::interfaceRadio(n);
    for (const QString &name : outOfTabOrder)
        removeFromTabOrder(control<QRadioButton>(name));
    control<QCalendarWidget>(controlnames::calendar)->setSelectedDate(QDate::currentDate());
    uncheckButton(control<QRadioButton>(controlnames::modeRadio(1)));
    cardBand()->setAlign(Align::None);
    cardBand()->resize(card::kBandWidth, card::kBandHeight);
    setControlColour(this, card::kWindowColour);
    // Folds the interface panel through its header button; the button unfolds it to 467.
    guarded([interfacePanel] { interfacePanel->headerButton()->click(); });
    copyIdentityToCard();
    const QString prefs = dataFilePath(QStringLiteral("prefs.txt"));
    m_prefsState = readStateOf(prefs, guarded([&] { applyPrefs(loadLines(prefs)); }));
    applyPowerDefault();
    for (const card::QsoFieldNames &field : card::qsoFields())
        if (field.field != card::QsoField::Power)
            entryOverlay(field.field)->clear();
    qsoEntry().copyFieldsToCard();
    for (int n = 1; n <= controlnames::modeRadioCount; ++n)
        uncheckButton(control<QRadioButton>(controlnames::modeRadio(n)));
    guarded([this] { stationIdentity().loadRememberedBackground(); });
    // An identity the file does not give starts empty: the edits' initial texts are their own
    // names, which would stand on the card and be saved as the operator's station.
    for (const QString &name : card::identityEdits())
        control<QLineEdit>(name)->clear();
    const QString identity = dataFilePath(QStringLiteral("dfile.qec"));
    m_identityState = readStateOf(identity, guarded([this] { loadIdentity(); }));
    // Send QSL rewrites this one entry's address for every card it sends.
    m_mailRecipient = &m_mailer->recipients.add();
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
        // The titles before a missing line are taken, as far as the file goes.
        card::CardDesign design = m_design->design();
        const QStringList lines = loadLines(dataFilePath(QStringLiteral("Info.txt")));
        design.tableTitles.clear();
        try {
            for (int i = 0; i < card::kQsoFieldCount; ++i)
                design.tableTitles << lineAt(lines, i);
        } catch (...) {
            m_design->setDesign(design);
            throw;
        }
        m_design->setDesign(design);
    });
    for (size_t i = 1; i < pickLists().size(); ++i)
        loadList(pickLists()[i]);
}

void MainWindow::applyPrefs(const QStringList &lines)
{
    // The places read before a faulty line are taken.
    card::CardDesign design = m_design->design();
    try {
        readPrefs(lines, card::textElementNames().size(), [&](int i, GeometryField field, int value) {
            design.places[size_t(i * card::kPlaceFieldsPerElement + int(field))] = value;
        });
    } catch (...) {
        m_design->setDesign(design);
        throw;
    }
    m_design->setDesign(design);
}

void MainWindow::applyPowerDefault()
{
    if (const QRadioButton *radio = checkedPowerRadio(*this)) {
        entryOverlay(card::QsoField::Power)->setText(radio->text());
        valueElement(card::QsoField::Power)->setCaption(radio->text());
    }
}

void MainWindow::loadIdentity()
{
    const QStringList &edits = card::identityEdits();
    readIdentity(loadLines(dataFilePath(QStringLiteral("dfile.qec"))), edits.size(),
                 [&](int i, const QString &line) {
                     // A long line shows its beginning, as the operator reads it.
                     auto *edit = control<QLineEdit>(edits[i]);
                     edit->setText(line);
                     edit->setCursorPosition(0);
                 });
}

void MainWindow::onActivated()
{
    const bool first = m_firstActivation;
    if (first)
        cardOptions().applyCardOptions(nullptr);
    // Coming back puts the keyboard on the call sign, or into the form open over the card
    // (what is typed there must not reach the card). A click that brought the window back
    // before its activation was seen then gives its focus again, entering the control as
    // when the activation comes first and the click after it.
    QWidget *clicked = focusWidget();
    const bool keep = clickKeepsFocus(m_pressedWhileInactive, m_focusBeforePress, clicked,
                                      clickFocusTarget(m_inactivePress));
    m_pressedWhileInactive = false;
    QWidget *form = openFormFocus(this);
    focusCallSign();
    if (keep)
        clicked->setFocus(Qt::MouseFocusReason);
    else if (form)
        form->setFocus(Qt::ActiveWindowFocusReason);
    m_firstActivation = false;
    // A copy that is not where it looks to be (a portable copy with a read-only data folder)
    // says where its files go before the operator types anything into them.
    if (first) {
        if (const QString notice = filePlaces().notice; !notice.isEmpty())
            userDialogs().information(notice);
    }
}

void MainWindow::closeFromButton()
{
    close();
}

bool MainWindow::saveDataFiles()
{
    // Each failed write is reported on its own, with the system's reason. A file
    // that was missing or read only in part is written whole too (its old content kept aside
    // as NAME.bak), so what the operator typed since is never lost.
    const bool prefsSaved = guarded([this] { writePrefs(); });
    const bool identitySaved = guarded([this] { writeIdentity(); });
    return prefsSaved && identitySaved;
}

void MainWindow::writePrefs()
{
    saveAtShutdown(dataFilePath(QStringLiteral("prefs.txt")),
                   card::prefsGeometryLines(m_document), m_prefsState);
}

void MainWindow::writeIdentity()
{
    QStringList texts;
    for (const QString &name : card::identityEdits())
        texts << control<QLineEdit>(name)->text();
    saveAtShutdown(dataFilePath(QStringLiteral("dfile.qec")), identityLines(texts),
                   m_identityState);
}
