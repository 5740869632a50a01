#pragma once

#include <QChar>
#include <QString>

// The object names of the controls that the windows' code looks up, under names that say what
// each control is. The object names themselves are data the state file keys its entries by,
// so they stay as they are; the window descriptions build the controls with these same
// constants. Families of numbered controls are functions of their number.
namespace controlnames {

// ---- QSO entry ----
inline constexpr char clearQsoButton[] = "EncartaButton5";
// "Current GMT Date Time" above the choices, and again below the time buttons
inline constexpr char entryNowButton[] = "EncartaButton52";
inline constexpr char timePanelNowButton[] = "EncartaButton7";
inline constexpr char clearTimeButton[] = "EncartaButtonC";
inline constexpr char clearSignalButton[] = "Clear";
inline constexpr char calendar[] = "MonthCalendar1";
inline constexpr char contactEmailField[] = "ContactsEmail";
inline constexpr char contactEmailMenu[] = "PopupMenu1";
inline constexpr char optionsStrip[] = "Panel5";                // Pse QSL, Pse LoTW, Clear, ...
inline constexpr char modeGroup[] = "GroupBox1";
inline constexpr char signalGroup[] = "GroupBox2";
inline constexpr char frequencyGroup[] = "GroupBox3";
inline constexpr char powerGroup[] = "GroupBox4";

inline constexpr int modeRadioCount = 8;
inline constexpr int powerRadioCount = 9;
inline constexpr int signalDigitCount = 9;
inline constexpr int signalReportCount = 16;
inline constexpr int frequencyButtonCount = 14;

inline QString twoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }
// hour 0 to 23
inline QString hourButton(int hour) { return QStringLiteral("EncartaButtonH") + twoDigits(hour); }
// minute 0, 5, ... 55
inline QString minuteButton(int minute)
{
    return QStringLiteral("EncartaButtonM") + twoDigits(minute);
}
// n from 1 in each family below
inline QString signalDigitButton(int n) { return QStringLiteral("RST%1").arg(n); }
inline QString signalReportButton(int n) { return QStringLiteral("EBSig") + twoDigits(n); }
inline QString frequencyButton(int n) { return QStringLiteral("EBFreq") + twoDigits(n); }
inline QString modeRadio(int n) { return QStringLiteral("RBMode%1").arg(n); }
inline QString powerRadio(int n) { return QStringLiteral("RBPower%1").arg(n); }

// ---- Card options and the window's look ----
inline constexpr char pseQslCheck[] = "CBPseQSL";
inline constexpr char pseLotwCheck[] = "CBPseLoTW";
inline constexpr char showEmailCheck[] = "CBShowEmail1";
inline constexpr char show73Check[] = "CBShow73";
inline constexpr char transparentNameCheck[] = "CBTranspName";
inline constexpr char transparentEmailCheck[] = "CBTranspEmail";
inline constexpr char transparentTitlesCheck[] = "CBTranspTitles";
inline constexpr char transparent73PseCheck[] = "CBTransp73Pse";
inline constexpr char frameInfoCheck[] = "CBFrameInfo1";
inline constexpr char frameCardCheck[] = "CBFrameCard1";
inline constexpr char sendEnabledCheck[] = "CBSendEnabled";
inline constexpr char isoDateCheck[] = "CBIsoDate";
inline constexpr int interfaceRadioCount = 3;
inline QString interfaceRadio(int n) { return QStringLiteral("HL%1").arg(n); }
inline constexpr char interfacePanel[] = "CollapsePanel1";
inline constexpr char closeButton[] = "CloseButton3";

// ---- The card ----
inline constexpr char cardBand[] = "tAlBand1";
inline constexpr char cardDocument[] = "cardDocument";
inline constexpr char backgroundPicture[] = "tAlImage1";
inline constexpr char nameElement[] = "alName";
inline constexpr char cardFrame[] = "AlShape15";

// ---- Text styles and field positions ----
inline constexpr char nameWidthSlider[] = "IOTrackBar3";
inline constexpr char leftRightSlider[] = "LRTrackBar1";
inline constexpr char upDownSlider[] = "UDTrackBar2";
// The QSOs a card lists at most, 1 to 6 (ADIF panel).
inline constexpr char qsosPerCardSlider[] = "QsosPerCardBar";
inline constexpr char qsosPerCardLabel[] = "QsosPerCardLabel";
inline constexpr char nudgeLeftButton[] = "Left1";
inline constexpr char nudgeRightButton[] = "Right1";
inline constexpr char nudgeUpButton[] = "Up1";
inline constexpr char nudgeDownButton[] = "Down1";
inline constexpr char narrowerNameButton[] = "In1";
inline constexpr char widerNameButton[] = "Out1";

// ---- Station identity ----
inline constexpr char callSignIdentityEdit[] = "CallSignEdit1";
inline constexpr char stationEmailEdit[] = "EmailEdit1";
inline constexpr char slashedZeroButton[] = "EncartaButton53";
inline constexpr char loadBackgroundButton[] = "EncartaButton6";
inline constexpr char loadQslButton[] = "EncartaButton15";
inline constexpr char backgroundDialog[] = "OpenPictureDialog1";
inline constexpr char loadQslDialog[] = "OpenDialog3";

// ---- Card outputs ----
inline constexpr char jpegButton[] = "JPGButton1";
inline constexpr char copyButton[] = "ClipBoardButton1";
inline constexpr char gifButton[] = "GIFButton1";
inline constexpr char printButton[] = "PrintButton1";
inline constexpr char saveDialog[] = "SaveDialog1";
inline constexpr char snapshotHolder[] = "Image1";

// ---- Send QSL and the mail settings ----
inline constexpr char sendQslButton[] = "EncartaButton1";
inline constexpr char sendQslDialog[] = "OpenDialog1";
inline constexpr char mailSettingsButton[] = "EncartaButton2";
inline constexpr char optionsHelpButton[] = "EncartaButton3";
inline constexpr char helpButton[] = "EncartaButton4";
inline constexpr char mailSettingsPanel[] = "Panel29";
inline constexpr char mailHostEdit[] = "umEdit1";
inline constexpr char mailUserEdit[] = "umEdit2";
inline constexpr char mailPasswordEdit[] = "umEdit3";
inline constexpr char mailPortEdit[] = "SmtpPortEdit";
inline constexpr char mailSecurityBox[] = "SmtpSecurityBox";
inline constexpr char mailPaceEdit[] = "SmtpPaceEdit";
inline constexpr char mailSettingsOkButton[] = "SmtpInfoButton2";
inline constexpr char mailSettingsCancelButton[] = "SmtpCancelButton";
inline constexpr char mailSettingsTestButton[] = "SmtpTestButton";

// ---- ADIF panel ----
inline constexpr char adifPanel[] = "BatchPrint1";
inline constexpr char adifButton[] = "EncartaButton14";
inline constexpr char adifCloseButton[] = "EncartaButton11";
inline constexpr char loadAdifButton[] = "EncartaButton8";
inline constexpr char searchButton[] = "EncartaButton12";
inline constexpr char searchNextButton[] = "EncartaButton13";
inline constexpr char searchEdit[] = "Edit1";
inline constexpr char selectUnsentButton[] = "SelectUnsentButton";
inline constexpr char printSelectedButton[] = "EncartaButton9";
inline constexpr char jpegSelectedButton[] = "EncartaButton10";
inline constexpr char sendSelectedButton[] = "SendSelectedButton";
inline constexpr char qsoList[] = "ListBox1";
inline constexpr char adifProgress[] = "AdifProgress";
inline constexpr char batchLed[] = "LED1";
inline constexpr char adifDialog[] = "OpenDialog2";

// The print window's controls.
namespace print {
inline constexpr char printButton[] = "EncartaButton1";
inline constexpr char cancelButton[] = "EncartaButton2";
inline constexpr char focusHolder[] = "Panel1";
inline constexpr char autoLoopCheck[] = "CheckBox1";
inline constexpr char preview[] = "Image1";
} // namespace print

} // namespace controlnames
