#pragma once

#include "features/BatchCard.h"
#include "features/ControlLookup.h"
#include "features/FeatureHosts.h"
#include "PersistentWindow.h"
#include "QsoFields.h"
#include "StationFiles.h"

#include <QPointer>

#include <array>
#include <memory>

class AdifController;
class CardOptionsController;
class CardOutputsController;
class FieldPositionsController;
class HelpController;
class ListenController;
class QsoEntryController;
class SendQslController;
class StationIdentityController;
class TextStylesController;
class WindowListenHost;
class CardBand;
class CardDocument;
class DesignBinding;
namespace card { struct CardDesign; }
class CardLabel;
class EmailAddress;
class EntryEdit;
class Mailer;

// The main window hosts the card and the controls around it: it builds itself from its
// description (WindowDescription.cpp), owns the controls, the card band and the mail
// component, runs start-up and shutdown, and hands every feature to a unit of its own under
// features/ that connects that feature's controls and holds its handlers. Every control
// carries its described name as its objectName; code finds it through control<T>(name),
// with the names from ControlNames.h.
class MainWindow : public PersistentWindow,
                   public ControlLookup,
                   public QsoEntryParts,
                   public KeyboardFocusHost,
                   public MailHost
{
    Q_OBJECT
public:
    // stateFile replaces the state file beside the executable (tests use their own).
    explicit MainWindow(QWidget *parent = nullptr, const QString &stateFile = QString());
    ~MainWindow() override;

    QWidget &hostWidget() override { return *this; }
    const QWidget &hostWidget() const override { return *this; }

    // ---- Features: each one connects its own controls and holds its handlers ----
    QsoEntryController &qsoEntry() const { return *m_qsoEntry; }
    CardOptionsController &cardOptions() const { return *m_cardOptions; }
    TextStylesController &textStyles() const { return *m_textStyles; }
    FieldPositionsController &fieldPositions() const { return *m_fieldPositions; }
    StationIdentityController &stationIdentity() const { return *m_stationIdentity; }
    CardOutputsController &cardOutputs() const { return *m_cardOutputs; }
    SendQslController &sendQsl() const { return *m_sendQsl; }
    HelpController &help() const { return *m_help; }
    AdifController &adif() const { return *m_adif; }
    // The window's parts a batch card is made with (JPG Selected, Print Selected).
    BatchCardParts batchCardParts() const
    {
        return {const_cast<MainWindow &>(*this), *m_cardOutputs, *m_qsoEntry, *m_stationIdentity};
    }
    ListenController &listen() const { return *m_listen; }

    // ---- The card and what every feature shares ----
    // The band the card is composed on (`tAlBand1`).
    CardBand *cardBand() const override { return m_cardBand; }
    // The entry overlay the operator types field into.
    EntryEdit *entryOverlay(card::QsoField field) const override;
    // The card element that shows field on the card.
    CardLabel *valueElement(card::QsoField field) const override;
    // The contact's e-mail address beside the card (`ContactsEmail`).
    EntryEdit *contactEmailField() const override;
    // The mail component and the one recipient entry that start-up adds to it.
    Mailer &mailer() const override { return *m_mailer; }
    EmailAddress *mailRecipient() const override { return m_mailRecipient; }
    // Takes control out of the keyboard's tab order: a choice once clicked is no tab stop.
    void removeFromTabOrder(QObject *control) override;
    // Gives the keyboard focus to the contact's call-sign field.
    void focusCallSign() override;

    // ---- Start-up and shutdown (MainWindowStartup.cpp) ----
    // The creation steps: pick lists, "prefs.txt", background, identity, mail recipient.
    void prepareFromDataFolder();
    // Gives the pick-list controls and the QSO table titles their captions from the data files.
    void loadPickListCaptions();
    // Every activation focuses the call sign; the first one also applies the card options.
    void onActivated();
    // The Close button closes the window as the title bar does.
    void closeFromButton();
    // The close query: writes "prefs.txt" and "dfile.qec"; false when either failed (each
    // failure was shown).
    bool saveDataFiles();
    bool firstActivationPending() const { return m_firstActivation; }

    // ---- Card design state shared by the style, position and identity features ----
    // Copies the identity edits into the card's identity elements.
    void copyIdentityToCard();
    // Distance from the name line to the address line and from there to the town line.
    int nameLineStep() const;
    // The card the window shows on its band, built from the design its features edit.
    CardDocument &cardDocument() const override { return *m_document; }
    // The card's design as the window's controls have chosen it.
    card::CardDesign cardDesign() const;
    // Shows design on the card as the controls would (tests and Load of a design).
    void showCardDesign(const card::CardDesign &design);

protected:
    bool event(QEvent *event) override;
    // Tab and Shift+Tab: the QSO fields are a ring, and nothing out of view is reached.
    bool focusNextPrevChild(bool next) override;
    void closeEvent(QCloseEvent *event) override;
    // Notes the first press on one of the window's controls while the window is not active,
    // for the activation that the press brings (see onActivated).
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The popup menu of the contact e-mail field, the report component, the mail component
    // and the memories of the file dialogs.
    void createComponents();
    // Creates one unit per feature; each connects its controls in its constructor.
    void createFeatures();
    void applyPrefs(const QStringList &lines);
    void applyPowerDefault();
    void loadIdentity();
    void writePrefs();
    void writeIdentity();

    CardBand *m_cardBand = nullptr;
    CardDocument *m_document = nullptr;
    std::unique_ptr<DesignBinding> m_design;
    // The QSO fields' overlays and value elements, found by name on first use; they live
    // as long as the window.
    mutable std::array<EntryEdit *, card::kQsoFieldCount> m_entryOverlays{};
    mutable std::array<CardLabel *, card::kQsoFieldCount> m_valueElements{};
    mutable EntryEdit *m_contactEmailField = nullptr;
    std::unique_ptr<Mailer> m_mailer;
    EmailAddress *m_mailRecipient = nullptr;

    // Owned by the window as QObject children.
    QsoEntryController *m_qsoEntry = nullptr;
    CardOptionsController *m_cardOptions = nullptr;
    TextStylesController *m_textStyles = nullptr;
    FieldPositionsController *m_fieldPositions = nullptr;
    StationIdentityController *m_stationIdentity = nullptr;
    CardOutputsController *m_cardOutputs = nullptr;
    SendQslController *m_sendQsl = nullptr;
    HelpController *m_help = nullptr;
    AdifController *m_adif = nullptr;
    // Listen, and the window as its host; the controller goes first.
    std::unique_ptr<WindowListenHost> m_listenHost;
    std::unique_ptr<ListenController> m_listen;

    bool m_firstActivation = true;
    bool m_saveFailedAtClose = false;   // the last Close could not save: the next one asks
    // The press noted while the window was not active, and the focus just before it.
    bool m_pressedWhileInactive = false;
    QPointer<QWidget> m_inactivePress;
    QPointer<QWidget> m_focusBeforePress;
    // How much of "prefs.txt" and "dfile.qec" start-up could read; shutdown keeps a file read
    // only in part as NAME.bak before writing it whole.
    FileReadState m_prefsState = FileReadState::Missing;
    FileReadState m_identityState = FileReadState::Missing;
};
