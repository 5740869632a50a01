// The named constants the code finds controls by: each must name exactly one control of the
// class the code takes it for, in the window that has it, under the object name the state
// file and the operator's remembered settings know it by.
#include "ControlNames.h"
#include "MainWindowFixture.h"

#include <cctype>
#include <ostream>

namespace {

enum class Window { Main, Print };

struct NameRow {
    const char *constant;
    QString name;             // the constant's value
    const char *objectName;   // what the window has always called the control
    const char *className;    // what the code finds it as
    Window window = Window::Main;
};

void PrintTo(const NameRow &row, std::ostream *os)
{
    *os << row.constant << " = " << row.name.toStdString() << " (" << row.className << ")";
}

#define MAIN(constant, objectName, className)                                                  \
    NameRow { #constant, controlnames::constant, objectName, className }
#define PRINT(constant, objectName, className)                                                 \
    NameRow { #constant, controlnames::print::constant, objectName, className, Window::Print }

using namespace controlnames;

// One main window and one print window serve every row.
class ControlNames : public ::testing::TestWithParam<NameRow>
{
protected:
    static void SetUpTestSuite()
    {
        folder = std::make_unique<QTemporaryDir>();
        QDir().mkpath(folder->path() + "/system");
        const QDir shipped(QStringLiteral(KARTELLO_SOURCE_DIR "/data/system"));
        for (const QString &name : shipped.entryList(QDir::Files))
            QFile::copy(shipped.filePath(name), folder->path() + "/system/" + name);
        setExecutableFolder(folder->path() + "/");
        dialogs = std::make_unique<ScriptedDialogs>();
        mainWindow = std::make_unique<MainWindow>(nullptr, folder->path() + "/Kartello.ini");
        printWindow = std::make_unique<PrintWindow>(PrintWindowHost{});
    }
    static void TearDownTestSuite()
    {
        printWindow.reset();
        mainWindow.reset();
        dialogs.reset();
        setExecutableFolder(QString());
        folder.reset();
    }

    static std::unique_ptr<QTemporaryDir> folder;
    static std::unique_ptr<ScriptedDialogs> dialogs;
    static std::unique_ptr<MainWindow> mainWindow;
    static std::unique_ptr<PrintWindow> printWindow;
};

std::unique_ptr<QTemporaryDir> ControlNames::folder;
std::unique_ptr<ScriptedDialogs> ControlNames::dialogs;
std::unique_ptr<MainWindow> ControlNames::mainWindow;
std::unique_ptr<PrintWindow> ControlNames::printWindow;

TEST_P(ControlNames, NameOneControlOfItsClass)
{
    const NameRow &row = GetParam();
    EXPECT_EQ(row.objectName, row.name.toStdString());
    QWidget *window = row.window == Window::Main ? static_cast<QWidget *>(mainWindow.get())
                                                 : static_cast<QWidget *>(printWindow.get());
    const QList<QObject *> found = window->findChildren<QObject *>(row.name);
    ASSERT_EQ(1, found.size());
    EXPECT_EQ(true, found.first()->inherits(row.className)) << found.first()->metaObject()->className();
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ControlNames,
    ::testing::Values(
        // QSO entry
        MAIN(clearQsoButton, "EncartaButton5", "FlatButton"),
        MAIN(entryNowButton, "EncartaButton52", "FlatButton"),
        MAIN(timePanelNowButton, "EncartaButton7", "FlatButton"),
        MAIN(clearTimeButton, "EncartaButtonC", "FlatButton"),
        MAIN(clearSignalButton, "Clear", "FlatButton"),
        MAIN(calendar, "MonthCalendar1", "QCalendarWidget"),
        MAIN(contactEmailField, "ContactsEmail", "EntryEdit"),
        MAIN(contactEmailMenu, "PopupMenu1", "QMenu"),
        MAIN(optionsStrip, "Panel5", "QWidget"),
        MAIN(modeGroup, "GroupBox1", "QWidget"),
        MAIN(signalGroup, "GroupBox2", "QWidget"),
        MAIN(frequencyGroup, "GroupBox3", "QWidget"),
        MAIN(powerGroup, "GroupBox4", "QWidget"),
        // The first and last of each family, which pins its count too
        NameRow{"hourButton(0)", hourButton(0), "EncartaButtonH00", "FlatButton"},
        NameRow{"hourButton(23)", hourButton(23), "EncartaButtonH23", "FlatButton"},
        NameRow{"minuteButton(0)", minuteButton(0), "EncartaButtonM00", "FlatButton"},
        NameRow{"minuteButton(55)", minuteButton(55), "EncartaButtonM55", "FlatButton"},
        NameRow{"signalDigitButton(1)", signalDigitButton(1), "RST1", "FlatButton"},
        NameRow{"lastSignalDigit", signalDigitButton(signalDigitCount), "RST9", "FlatButton"},
        NameRow{"signalReportButton(1)", signalReportButton(1), "EBSig01", "FlatButton"},
        NameRow{"lastSignalReport", signalReportButton(signalReportCount), "EBSig16", "FlatButton"},
        NameRow{"frequencyButton(1)", frequencyButton(1), "EBFreq01", "FlatButton"},
        NameRow{"lastFrequency", frequencyButton(frequencyButtonCount), "EBFreq14", "FlatButton"},
        NameRow{"modeRadio(1)", modeRadio(1), "RBMode1", "QRadioButton"},
        NameRow{"lastModeRadio", modeRadio(modeRadioCount), "RBMode8", "QRadioButton"},
        NameRow{"powerRadio(1)", powerRadio(1), "RBPower1", "QRadioButton"},
        NameRow{"lastPowerRadio", powerRadio(powerRadioCount), "RBPower9", "QRadioButton"},
        NameRow{"interfaceRadio(1)", interfaceRadio(1), "HL1", "QRadioButton"},
        NameRow{"lastInterfaceRadio", interfaceRadio(interfaceRadioCount), "HL3", "QRadioButton"},
        // Card options and the window
        MAIN(pseQslCheck, "CBPseQSL", "QCheckBox"),
        MAIN(pseLotwCheck, "CBPseLoTW", "QCheckBox"),
        MAIN(showEmailCheck, "CBShowEmail1", "QCheckBox"),
        MAIN(show73Check, "CBShow73", "QCheckBox"),
        MAIN(transparentNameCheck, "CBTranspName", "QCheckBox"),
        MAIN(transparentEmailCheck, "CBTranspEmail", "QCheckBox"),
        MAIN(transparentTitlesCheck, "CBTranspTitles", "QCheckBox"),
        MAIN(transparent73PseCheck, "CBTransp73Pse", "QCheckBox"),
        MAIN(frameInfoCheck, "CBFrameInfo1", "QCheckBox"),
        MAIN(frameCardCheck, "CBFrameCard1", "QCheckBox"),
        MAIN(sendEnabledCheck, "CBSendEnabled", "QCheckBox"),
        MAIN(interfacePanel, "CollapsePanel1", "CollapsiblePanel"),
        MAIN(closeButton, "CloseButton3", "FlatButton"),
        // The card
        MAIN(cardBand, "tAlBand1", "CardBand"),
        MAIN(cardDocument, "cardDocument", "CardDocument"),
        MAIN(backgroundPicture, "tAlImage1", "CardPictureElement"),
        MAIN(nameElement, "alName", "CardLabel"),
        MAIN(cardFrame, "AlShape15", "CardShape"),
        // Text styles and field positions
        MAIN(nameWidthSlider, "IOTrackBar3", "QSlider"),
        MAIN(leftRightSlider, "LRTrackBar1", "QSlider"),
        MAIN(upDownSlider, "UDTrackBar2", "QSlider"),
        MAIN(nudgeLeftButton, "Left1", "QToolButton"),
        MAIN(nudgeRightButton, "Right1", "QToolButton"),
        MAIN(nudgeUpButton, "Up1", "QToolButton"),
        MAIN(nudgeDownButton, "Down1", "QToolButton"),
        MAIN(narrowerNameButton, "In1", "QToolButton"),
        MAIN(widerNameButton, "Out1", "QToolButton"),
        // Station identity
        MAIN(callSignIdentityEdit, "CallSignEdit1", "QLineEdit"),
        MAIN(stationEmailEdit, "EmailEdit1", "QLineEdit"),
        MAIN(slashedZeroButton, "EncartaButton53", "FlatButton"),
        MAIN(loadBackgroundButton, "EncartaButton6", "FlatButton"),
        MAIN(loadQslButton, "EncartaButton15", "FlatButton"),
        MAIN(backgroundDialog, "OpenPictureDialog1", "FileDialogMemory"),
        MAIN(loadQslDialog, "OpenDialog3", "FileDialogMemory"),
        // Card outputs
        MAIN(jpegButton, "JPGButton1", "FlatButton"),
        MAIN(copyButton, "ClipBoardButton1", "FlatButton"),
        MAIN(gifButton, "GIFButton1", "FlatButton"),
        MAIN(printButton, "PrintButton1", "FlatButton"),
        MAIN(saveDialog, "SaveDialog1", "FileDialogMemory"),
        MAIN(snapshotHolder, "Image1", "QLabel"),
        // Send QSL and the mail settings
        MAIN(sendQslButton, "EncartaButton1", "FlatButton"),
        MAIN(sendQslDialog, "OpenDialog1", "FileDialogMemory"),
        MAIN(mailSettingsButton, "EncartaButton2", "FlatButton"),
        MAIN(optionsHelpButton, "EncartaButton3", "FlatButton"),
        MAIN(helpButton, "EncartaButton4", "FlatButton"),
        MAIN(mailSettingsPanel, "Panel29", "TabRingPanel"),
        MAIN(mailHostEdit, "umEdit1", "EntryEdit"),
        MAIN(mailUserEdit, "umEdit2", "EntryEdit"),
        MAIN(mailPasswordEdit, "umEdit3", "EntryEdit"),
        MAIN(mailPortEdit, "SmtpPortEdit", "QLineEdit"),
        MAIN(mailSecurityBox, "SmtpSecurityBox", "QComboBox"),
        MAIN(mailPaceEdit, "SmtpPaceEdit", "QLineEdit"),
        MAIN(mailSettingsOkButton, "SmtpInfoButton2", "FlatButton"),
        MAIN(mailSettingsCancelButton, "SmtpCancelButton", "FlatButton"),
        MAIN(mailSettingsTestButton, "SmtpTestButton", "FlatButton"),
        // ADIF panel
        MAIN(adifPanel, "BatchPrint1", "QWidget"),
        MAIN(adifButton, "EncartaButton14", "FlatButton"),
        MAIN(adifCloseButton, "EncartaButton11", "FlatButton"),
        MAIN(loadAdifButton, "EncartaButton8", "FlatButton"),
        MAIN(searchButton, "EncartaButton12", "FlatButton"),
        MAIN(searchNextButton, "EncartaButton13", "FlatButton"),
        MAIN(searchEdit, "Edit1", "QLineEdit"),
        MAIN(selectUnsentButton, "SelectUnsentButton", "FlatButton"),
        MAIN(printSelectedButton, "EncartaButton9", "FlatButton"),
        MAIN(jpegSelectedButton, "EncartaButton10", "FlatButton"),
        MAIN(sendSelectedButton, "SendSelectedButton", "FlatButton"),
        MAIN(qsoList, "ListBox1", "QListView"),
        MAIN(adifProgress, "AdifProgress", "QLabel"),
        MAIN(batchLed, "LED1", "Led"),
        MAIN(adifDialog, "OpenDialog2", "FileDialogMemory"),
        // The print window
        PRINT(printButton, "EncartaButton1", "FlatButton"),
        PRINT(cancelButton, "EncartaButton2", "FlatButton"),
        PRINT(focusHolder, "Panel1", "QWidget"),
        PRINT(autoLoopCheck, "CheckBox1", "QCheckBox"),
        PRINT(preview, "Image1", "QLabel")),
    [](const auto &info) {
        std::string name;
        for (const char c : std::string(info.param.constant))
            if (std::isalnum(static_cast<unsigned char>(c)))
                name += c;
        return (info.param.window == Window::Print ? "print" : "") + name;
    });

} // namespace
