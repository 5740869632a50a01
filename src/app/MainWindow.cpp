#include "DesignBinding.h"
#include "MainWindow.h"

#include "UserDialogs.h"

#include "KeyboardFocus.h"

#include "CardBand.h"
#include "CardDocument.h"
#include "CardLabel.h"
#include "CardOptions.h"
#include "Colors.h"
#include "ControlNames.h"
#include "EntryEdit.h"
#include "FileDialogMemory.h"
#include "Fonts.h"
#include "FlatButton.h"
#include "HandlerGuard.h"
#include "Mailer.h"
#include "Report.h"
#include "WindowBuilder.h"
#include "WindowDescription.h"
#include "features/AdifController.h"
#include "features/CardOptionsController.h"
#include "features/CardOutputsController.h"
#include "features/FieldPositionsController.h"
#include "features/ListenController.h"
#include "WindowListenHost.h"
#include "features/QsoEntryController.h"
#include "features/HelpController.h"
#include "features/MailSettingsPanel.h"
#include "features/SendQslController.h"
#include "features/StationIdentityController.h"
#include "features/TextStylesController.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

MainWindow::MainWindow(QWidget *parent, const QString &stateFile)
    : PersistentWindow(parent)
{
    if (!stateFile.isEmpty())
        setStoreFileName(stateFile);
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Kartello"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(727, 472);
    setFont(pixelSizedFont(QStringLiteral("MS Sans Serif"), 8));
    setControlColour(this, card::kWindowColour);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    buildWindow(this, mainWindowDescription());
    try {
        m_cardBand = control<CardBand>(controlnames::cardBand);
        m_document = control<CardDocument>(controlnames::cardDocument);
        m_design = std::make_unique<DesignBinding>(*m_document);
        createComponents();
        connectGuarded(control<FlatButton>(controlnames::closeButton), &FlatButton::clicked,
                       this, [this] { closeFromButton(); });
        createFeatures();
    } catch (const MissingControlError &) {
        // Nothing was restored yet: the half-built window must not write its defaults over
        // the operator's remembered state as it goes.
        leaveStateFileAlone();
        throw;
    }

    // Restoring the remembered states runs the handlers of the restored controls, so the
    // card's options come back before the creation steps run.
    restoreState();
    prepareFromDataFolder();
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() = default;

void MainWindow::copyIdentityToCard()
{
    stationIdentity().copyIdentityTexts();
}

card::CardDesign MainWindow::cardDesign() const
{
    return m_design->design();
}

void MainWindow::showCardDesign(const card::CardDesign &design)
{
    m_design->setDesign(design);
}

int MainWindow::nameLineStep() const
{
    return m_document->nameLineStep;
}

void MainWindow::createFeatures()
{
    // Each feature gets the window's parts it uses: its controls (ControlLookup), the QSO
    // fields, the keyboard focus, the mail component, and the card document's state.
    m_qsoEntry = new QsoEntryController(*this, *this, *this);
    m_cardOptions = new CardOptionsController(*this, *this, *m_design);
    m_textStyles = new TextStylesController(*this, *this, *m_design);
    m_fieldPositions = new FieldPositionsController(*this, *this, *m_design);
    m_stationIdentity = new StationIdentityController(*this, *this, *m_design);
    m_cardOutputs = new CardOutputsController(*this, *this, *this, *m_qsoEntry);
    m_sendQsl = new SendQslController(*this, *this, *this, *m_qsoEntry);
    new MailSettingsPanel(*this, *this);   // a child of the window, as every feature
    m_help = new HelpController(*this);
    m_adif = new AdifController(*this, batchCardParts());
    // What one feature's change means for another.
    connect(m_qsoEntry, &QsoEntryController::identityToRefresh, m_stationIdentity,
            &StationIdentityController::copyIdentityTexts);
    connect(m_stationIdentity, &StationIdentityController::identityCopiedToCard, m_textStyles,
            [this] { m_textStyles->applyCallSignStyle(nullptr); });
    connect(m_fieldPositions, &FieldPositionsController::nameBlockWidthToReapply, m_textStyles,
            [this] { m_textStyles->applyNameBlockWidth(nullptr); });
    connect(m_fieldPositions, &FieldPositionsController::fontPanelsToClose, m_textStyles,
            &TextStylesController::closeFontPanels);
    m_listenHost = std::make_unique<WindowListenHost>(*this);
    m_listen = std::make_unique<ListenController>(*m_listenHost);
}

void MainWindow::createComponents()
{
    auto *menu = new QMenu(this);
    menu->setObjectName(controlnames::contactEmailMenu);
    const char *items[][2] = {
        {"MenuCallSign1", "Menu Call Sign"}, {"Append1", "@"}, {"Append2", ""}, {"Append3", ""}};
    for (const auto &item : items) {
        QAction *action = menu->addAction(QString::fromUtf8(item[1]));
        action->setObjectName(QString::fromLatin1(item[0]));
    }
    menu->actions().constFirst()->setVisible(false);

    // The report component of the card band: portrait, A4, no margins. Cards are printed
    // through the print window, never through it.
    auto *report = new Report(this);
    report->setObjectName(QStringLiteral("AlReport1"));

    m_mailer = std::make_unique<Mailer>();
    m_mailer->html = true;

    using namespace controlnames;
    for (const char *name :
         {backgroundDialog, saveDialog, sendQslDialog, adifDialog, loadQslDialog})
        new FileDialogMemory(QString::fromLatin1(name), this);
}

EntryEdit *MainWindow::entryOverlay(card::QsoField field) const
{
    // Found by name once: the batch runs ask for the fields several times for every card.
    EntryEdit *&overlay = m_entryOverlays[static_cast<size_t>(field)];
    if (!overlay)
        overlay = control<EntryEdit>(QString::fromLatin1(card::qsoField(field).overlay));
    return overlay;
}

CardLabel *MainWindow::valueElement(card::QsoField field) const
{
    CardLabel *&element = m_valueElements[static_cast<size_t>(field)];
    if (!element)
        element = control<CardLabel>(QString::fromLatin1(card::qsoField(field).valueElement));
    return element;
}

EntryEdit *MainWindow::contactEmailField() const
{
    if (!m_contactEmailField)
        m_contactEmailField = control<EntryEdit>(controlnames::contactEmailField);
    return m_contactEmailField;
}

bool MainWindow::event(QEvent *e)
{
    // Without a window manager a shown window may never be activated, and its card options
    // would wait for the first click: the first showing counts as the first activation.
    if (e->type() == QEvent::WindowActivate || (e->type() == QEvent::Show && m_firstActivation))
        guarded([this] { onActivated(); });
    return PersistentWindow::event(e);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::MouseButtonPress && !m_pressedWhileInactive && !isActiveWindow()
        && watched->isWidgetType() && static_cast<QWidget *>(watched)->window() == this) {
        m_pressedWhileInactive = true;
        m_inactivePress = static_cast<QWidget *>(watched);
        m_focusBeforePress = focusWidget();
    }
    return PersistentWindow::eventFilter(watched, e);
}

void MainWindow::closeEvent(QCloseEvent *e)
{
    // A failed save keeps the window open with what was typed; a later Close may give it up.
    if (m_saveFailedAtClose
        && userDialogs().question(QStringLiteral("The station data could not be saved. Close "
                                                 "without saving?"),
                                  UserDialogs::Buttons::YesNo)
               == UserDialogs::Answer::Yes) {
        e->accept();
        return;
    }
    m_saveFailedAtClose = !saveDataFiles();
    if (m_saveFailedAtClose)
        e->ignore();
    else
        e->accept();
}

void MainWindow::focusCallSign()
{
    if (EntryEdit *callSign = entryOverlay(card::QsoField::CallSign))
        callSign->setFocus();
}

void MainWindow::removeFromTabOrder(QObject *target)
{
    if (auto *widget = qobject_cast<QWidget *>(target))
        if (widget->focusPolicy() & Qt::TabFocus)
            widget->setFocusPolicy(Qt::ClickFocus);
}

bool MainWindow::focusNextPrevChild(bool next)
{
    QList<QWidget *> fields;
    for (const card::QsoFieldNames &field : card::qsoFields())
        fields << entryOverlay(field.field);
    if (QWidget *target = keyboardTarget(focusWidget(), next, fields))
        target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}
