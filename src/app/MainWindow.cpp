#include "MainWindow.h"

#include "CardOptions.h"
#include "Colors.h"
#include "Fonts.h"
#include "HandlerGuard.h"
#include "CardLabel.h"
#include "Report.h"
#include "CollapsiblePanel.h"
#include "FlatButton.h"
#include "FileDialogMemory.h"
#include "Mailer.h"
#include "EntryEdit.h"
#include "WindowBuilder.h"
#include "WindowDescription.h"
#include "features/AdifController.h"
#include "features/CardOptionsController.h"
#include "features/CardOutputsController.h"
#include "features/FieldPositionsController.h"
#include "features/QsoEntryController.h"
#include "features/SendQslController.h"
#include "features/StationIdentityController.h"
#include "features/TextStylesController.h"
#include "CardBand.h"
#include "CardImage.h"

#include <QCalendarWidget>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
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
    setFont(designFont(QStringLiteral("MS Sans Serif"), 8));
    setControlColour(this, card::kWindowColour);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    buildWindow(this, mainWindowDescription());
    createComponents();
    bindControls();
    connectCardOptions();
    connectStartup();
    connectQsoEntry();
    connectOutputs();
    createFeatures();

    // Restoring the remembered states runs the handlers of the restored controls, so the
    // card's options come back before the creation handler runs.
    restoreState();
    FormCreate();
}

MainWindow::~MainWindow() = default;

void MainWindow::createFeatures()
{
    m_qsoEntry = new QsoEntryController(*this);
    m_cardOptions = new CardOptionsController(*this);
    m_textStyles = new TextStylesController(*this);
    m_fieldPositions = new FieldPositionsController(*this);
    m_stationIdentity = new StationIdentityController(*this);
    m_cardOutputs = new CardOutputsController(*this);
    m_sendQsl = new SendQslController(*this);
    m_adif = new AdifController(*this);
}

// The window's non-visual components: the popup menu of the contact e-mail field, the
// report component and the memories of the file dialogs.
void MainWindow::createComponents()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    const char *items[][2] = {
        {"MenuCallSign1", "Menu Call Sign"}, {"Append1", "@"}, {"Append2", ""}, {"Append3", ""}};
    for (const auto &item : items) {
        QAction *action = PopupMenu1->addAction(QString::fromUtf8(item[1]));
        action->setObjectName(QString::fromLatin1(item[0]));
    }
    PopupMenu1->actions().constFirst()->setVisible(false);

    // The report component of the card band: portrait, A4, no margins. Cards are printed
    // through the print window, never through it.
    auto *report = new Report(this);
    report->setObjectName(QStringLiteral("AlReport1"));

    mMailer1 = std::make_unique<Mailer>();
    mMailer1->HTML = true;

    OpenPictureDialog1 = new FileDialogMemory(QStringLiteral("OpenPictureDialog1"), this);
    SaveDialog1 = new FileDialogMemory(QStringLiteral("SaveDialog1"), this);
    OpenDialog1 = new FileDialogMemory(QStringLiteral("OpenDialog1"), this);
    OpenDialog2 = new FileDialogMemory(QStringLiteral("OpenDialog2"), this);
    OpenDialog3 = new FileDialogMemory(QStringLiteral("OpenDialog3"), this);
}

void MainWindow::bindControls()
{
    tAlBand1 = control<CardBand>(QStringLiteral("tAlBand1"));
    tAlImage1 = control<CardImage>(QStringLiteral("tAlImage1"));
    EntryEdit **edits[] = {&ContactCallSign, &UTCDate, &UTCTime, &Freq, &Mode, &Power, &Signal};
    CardLabel **values[] = {&alContactCallSign, &alUTCDate, &alUTCTime, &alFreq,
                           &alMode, &alPower, &alSignal};
    const char *editNames[] = {"ContactCallSign", "UTCDate", "UTCTime", "Freq",
                               "Mode", "Power", "Signal"};
    const char *valueNames[] = {"alContactCallSign", "alUTCDate", "alUTCTime", "alFreq",
                                "alMode", "alPower", "alSignal"};
    for (int i = 0; i < 7; ++i) {
        *edits[i] = control<EntryEdit>(QString::fromLatin1(editNames[i]));
        *values[i] = control<CardLabel>(QString::fromLatin1(valueNames[i]));
    }
    alCallSign = control<CardLabel>(QStringLiteral("alCallSign"));
    ContactsEmail = control<EntryEdit>(QStringLiteral("ContactsEmail"));
    Image1 = control<QLabel>(QStringLiteral("Image1"));
    CollapsePanel1 = control<CollapsiblePanel>(QStringLiteral("CollapsePanel1"));
    MonthCalendar1 = control<QCalendarWidget>(QStringLiteral("MonthCalendar1"));
    ContactsEmail->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ContactsEmail, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { PopupMenu1->popup(ContactsEmail->mapToGlobal(at)); });
    // The seven QSO fields are the only tab stops, in column order.
    for (int i = 0; i + 1 < 7; ++i)
        setTabOrder(*edits[i], *edits[i + 1]);
}

void MainWindow::connectStartup()
{
    auto *close = control<FlatButton>(QStringLiteral("CloseButton3"));
    connect(close, &FlatButton::clicked, this, [this] { guarded([this] { CloseButton3Click(); }); });
}

bool MainWindow::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        guarded([this] { FormActivate(); });
    return PersistentWindow::event(e);
}

void MainWindow::closeEvent(QCloseEvent *e)
{
    guarded([this] { FormCloseQuery(); });
    e->accept();
}

void MainWindow::focusCallSign()
{
    if (ContactCallSign)
        ContactCallSign->setFocus();
}
