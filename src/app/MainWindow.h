#pragma once

#include "CardOptions.h"
#include "QsoRecord.h"
#include "PersistentWindow.h"

#include <QImage>

#include <memory>

class AdifController;
class CardOptionsController;
class CardOutputsController;
class FieldPositionsController;
class QsoEntryController;
class SendQslController;
class StationIdentityController;
class TextStylesController;
class QCalendarWidget;
class QLabel;
class QMenu;
class CardLabel;
class CollapsiblePanel;
class FlatButton;
class PrintWindow;
class FileDialogMemory;
class EmailAddress;
class Mailer;
class EntryEdit;
class CardBand;
class CardImage;

// The main window: the card band with the card, the quick-pick panels around it, the
// interface panel and the command buttons. Every control carries its component name as its
// objectName; handlers decide by the sender's name. The window description itself is data
// (WindowDescription.cpp).
class MainWindow : public PersistentWindow
{
    Q_OBJECT
public:
    // stateFile replaces the state file beside the executable (tests use their own).
    explicit MainWindow(QWidget *parent = nullptr, const QString &stateFile = QString());
    ~MainWindow() override;

    // The control or card element named name (nullptr when there is none).
    template <typename T = QWidget> T *control(const QString &name) const
    {
        return findChild<T *>(name);
    }

    // ---- Features: each one connects its own controls and holds its handlers ----
    QsoEntryController &qsoEntry() const { return *m_qsoEntry; }
    CardOptionsController &cardOptions() const { return *m_cardOptions; }
    TextStylesController &textStyles() const { return *m_textStyles; }
    FieldPositionsController &fieldPositions() const { return *m_fieldPositions; }
    StationIdentityController &stationIdentity() const { return *m_stationIdentity; }
    CardOutputsController &cardOutputs() const { return *m_cardOutputs; }
    SendQslController &sendQsl() const { return *m_sendQsl; }
    AdifController &adif() const { return *m_adif; }

    // ---- Start-up and shutdown ----
    void FormCreate();
    void LoadDescriptions();
    void FormActivate();
    void CloseButton3Click();
    void FormCloseQuery();

    // ---- Card layout and options ----
    void RadioAndCheckBoxes(QObject *sender);
    void CBShowEmail1Click(QObject *sender);
    void CallSignEdit1Change(QObject *sender);
    void EditBoxes();
    void InfoBoxes();
    void TabFalse(QObject *control);
    // The call-sign style applied with no sender: bold, underline, size and italic.
    void CSFClick(QObject *sender);

    card::BoxColours boxColours() const { return m_boxColours; }
    int nameLineStep() const { return m_nameLineStep; }
    void setNameLineStep(int step) { m_nameLineStep = step; }
    bool firstActivationPending() const { return m_firstActivation; }

    // The card and the controls most handlers use.
    CardBand *tAlBand1 = nullptr;
    CardImage *tAlImage1 = nullptr;
    EntryEdit *ContactCallSign = nullptr, *UTCDate = nullptr, *UTCTime = nullptr,
            *Freq = nullptr, *Mode = nullptr, *Power = nullptr, *Signal = nullptr;
    CardLabel *alContactCallSign = nullptr, *alUTCDate = nullptr, *alUTCTime = nullptr,
             *alFreq = nullptr, *alMode = nullptr, *alPower = nullptr, *alSignal = nullptr;
    CardLabel *alCallSign = nullptr;
    EntryEdit *ContactsEmail = nullptr;
    QLabel *Image1 = nullptr;
    QMenu *PopupMenu1 = nullptr;
    CollapsiblePanel *CollapsePanel1 = nullptr;
    QCalendarWidget *MonthCalendar1 = nullptr;
    // The mail component and the recipient entry that start-up adds to it.
    std::unique_ptr<Mailer> mMailer1;
    EmailAddress *recipientEntry = nullptr;
    FileDialogMemory *OpenPictureDialog1 = nullptr, *SaveDialog1 = nullptr, *OpenDialog1 = nullptr,
                *OpenDialog2 = nullptr, *OpenDialog3 = nullptr;

    // ---- QSO entry (MainWindowQsoEntry.cpp) ----
    // Connects the quick-picks, the QSO fields and the contact e-mail field to their handlers.
    void connectQsoEntry();
    void HourMinuteClick(QObject *sender);
    void EncartaButton52Click(QObject *sender);
    void MonthCalendar1Click(QObject *sender);
    void Signal1Click(QObject *sender);
    void PowerClick(QObject *sender);
    void RBMode1Click(QObject *sender);
    void EBFreq01Click(QObject *sender);
    void ClearButton4Click(QObject *sender);
    void ContactCallSignChange(QObject *sender);
    void ContactsEmailEnter(QObject *sender);
    void ContactsEmailChange(QObject *sender);
    void ContactsEmailDblClick(QObject *sender);
    void ContactsEmailExit(QObject *sender);
    void MenuCallSign1Click(QObject *sender);
    // The check before a card leaves the program; sets StopFlag ("Email" for Send QSL,
    // empty for every other output). Read StopFlag right after the call.
    void CheckIfValidInfo(const QString &purpose);
    // Writes the contact info file of the QSO on screen into the card folder.
    void WriteContactsInfo();
    // The seven QSO fields as the entry overlays hold them.
    QsoRecord qsoOnScreen() const;
    bool StopFlag = false;
    // ---- end of QSO entry ----

    // ---- Card outputs (MainWindowOutputs.cpp) ----
    // Takes the card as it is painted into Image1; the entry overlays are left hidden.
    void SnapshotCard();
    // Create JPG, or Copy QSL when the sender is the button "ClipBoardButton1".
    void JPGClick(QObject *sender);
    void GIFClick();
    void PrintButton1Click();
    // The batch runs' JPEG of the snapshot in Image1.
    void SaveSnapshotJPG(const QString &path);
    QImage snapshotImage() const;
    void showEntryOverlays();
    PrintWindow *Form2 = nullptr;

    // ---- end of card outputs ----

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createComponents();
    // Creates one unit per feature; each connects its controls in its constructor.
    void createFeatures();
    void bindControls();
    void connectCardOptions();
    void connectStartup();
    void applyPrefs(const QStringList &lines);
    void applyPowerDefault();
    void loadBackground();
    void loadIdentity();
    void writePrefs();
    void writeIdentity();
    void createRecipientEntry();
    card::CardOptions readCardOptions() const;
    void focusCallSign();
    void connectOutputs();

    // Owned by the window as QObject children.
    QsoEntryController *m_qsoEntry = nullptr;
    CardOptionsController *m_cardOptions = nullptr;
    TextStylesController *m_textStyles = nullptr;
    FieldPositionsController *m_fieldPositions = nullptr;
    StationIdentityController *m_stationIdentity = nullptr;
    CardOutputsController *m_cardOutputs = nullptr;
    SendQslController *m_sendQsl = nullptr;
    AdifController *m_adif = nullptr;

    bool m_firstActivation = true;
    card::BoxColours m_boxColours;
    int m_nameLineStep = 15;
    // A data file that could not be read whole at start-up is never replaced at shutdown
    // with what the window happens to hold.
    bool m_prefsRead = false;
    bool m_identityRead = false;
};
