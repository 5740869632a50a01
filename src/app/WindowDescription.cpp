#include "WindowDescription.h"

#include "CardOptions.h"
#include "ControlNames.h"
#include "TextStyles.h"

namespace {

using C = ControlClass;
using namespace controlnames;

constexpr int kWindow = 11395047;
constexpr int kAccent = 7585759;

// Collects rows; the families (hour buttons, pick-list buttons, ...) are loops over it.
struct Rows {
    std::vector<ControlRow> rows;

    void add(C cls, const QString &name, const QString &parent, QRect g,
             const QString &caption = {}, int colour = -1, unsigned flags = 0)
    {
        rows.push_back({cls, name, parent, g, caption, colour, flags});
    }
    void slider(const QString &name, const QString &parent, QRect g, int min, int max,
                int value, C cls = C::RememberedSlider)
    {
        ControlRow r{cls, name, parent, g, {}, -1, 0};
        r.minimum = min;
        r.maximum = max;
        r.value = value;
        rows.push_back(r);
    }
};

void cardAndBorders(Rows &r)
{
    // Lies under the card band, which covers it.
    r.add(C::LineFrame, "DiduLine18", {}, {6, 262, 187, 17});
    r.add(C::CardBand, cardBand, {}, {0, 0, 513, 282});
    r.add(C::Panel, "Panel8", {}, {511, 0, 5, 281}, {}, kAccent);
    r.add(C::Panel, "Panel9", {}, {0, 280, 516, 4}, {}, kAccent);
    r.add(C::Panel, "Panel10", {}, {512, 271, 3, 11}, {}, kAccent);
}

void entryPanels(Rows &r)
{
    r.add(C::Panel, "Panel2", {}, {3, 286, 511, 185}, {}, kWindow);
    r.add(C::Panel, optionsStrip, "Panel2", {11, 6, 488, 21}, {}, kAccent);
    r.add(C::Check, pseQslCheck, optionsStrip, {8, 2, 80, 17}, "Pse QSL");
    r.add(C::Check, pseLotwCheck, optionsStrip, {96, 2, 90, 17}, "Pse LoTW");
    r.add(C::Button, clearQsoButton, optionsStrip, {199, 4, 38, 13}, "Clear");
    r.add(C::Button, entryNowButton, optionsStrip, {275, 4, 110, 13}, "Current GMT Date Time");
    r.add(C::Button, loadBackgroundButton, optionsStrip, {424, 4, 60, 13}, "Load Bkg");

    r.add(C::GroupBox, modeGroup, "Panel2", {11, 28, 198, 76}, " Mode  ", kAccent);
    for (int n = 1; n <= modeRadioCount; ++n)
        r.add(C::Radio, modeRadio(n), modeGroup,
              {n <= 4 ? 8 : 100, 14 + 14 * ((n - 1) % 4), 96, 17});

    r.add(C::GroupBox, signalGroup, "Panel2", {210, 28, 289, 76}, " Signal  ", kAccent);
    r.add(C::Label, "Label1", signalGroup, {12, 16, 24, 13}, "RST:");
    for (int n = 1; n <= signalDigitCount; ++n)
        r.add(C::Button, signalDigitButton(n), signalGroup,
              {36 + 24 * (n - 1), 16, 22, 16}, QString::number(n));
    r.add(C::Button, clearSignalButton, signalGroup, {252, 16, 21, 16}, "C");
    r.add(C::Label, "Label2", signalGroup, {12, 36, 24, 13}, "Sig:");
    for (int n = 1; n <= signalReportCount; ++n)
        r.add(C::Button, signalReportButton(n), signalGroup,
              {36 + 30 * ((n - 1) % 8), n <= 8 ? 36 : 54, 27, 16});

    r.add(C::GroupBox, frequencyGroup, "Panel2", {11, 105, 488, 39}, " Frequency  ", kAccent);
    for (int n = 1; n <= frequencyButtonCount; ++n)
        r.add(C::Button, frequencyButton(n), frequencyGroup, {23 + 32 * (n - 1), 17, 26, 16});

    r.add(C::GroupBox, powerGroup, "Panel2", {11, 145, 488, 35}, " Power  ", kAccent);
    for (int n = 1; n <= powerRadioCount; ++n)
        r.add(C::Radio, powerRadio(n), powerGroup,
              {8 + 51 * (n - 1), 14, n == 9 ? 67 : 49, 17});
}

void timeAndCalendar(Rows &r)
{
    r.add(C::Panel, "Panel14", {}, {520, 20, 203, 140}, {}, kAccent);
    r.add(C::Panel, "Panel12", "Panel14", {3, 3, 197, 134}, {}, kWindow);
    r.add(C::Label, "Label3", "Panel12", {15, 6, 12, 13}, "H:");
    const int xs[6] = {29, 53, 77, 101, 125, 149};
    for (int h = 0; h < 24; ++h)
        r.add(C::Button, hourButton(h), "Panel12", {xs[h % 6], 5 + 18 * (h / 6), 18, 16},
              twoDigits(h));
    r.add(C::Button, clearTimeButton, "Panel12", {173, 5, 18, 16}, "C");
    r.add(C::Label, "Label4", "Panel12", {14, 82, 14, 13}, ":M");
    for (int i = 0; i < 12; ++i)
        r.add(C::Button, minuteButton(5 * i), "Panel12", {xs[i % 6], i < 6 ? 81 : 99, 18, 16},
              twoDigits(5 * i));
    r.add(C::Button, timePanelNowButton, "Panel12", {44, 119, 110, 13}, "Current GMT Date Time");

    r.add(C::Panel, "Panel16", {}, {520, 163, 203, 159}, {}, kWindow);
    r.add(C::Calendar, calendar, "Panel16", {1, 3, 202, 153});
}

void emailAndCommands(Rows &r)
{
    r.add(C::LineFrame, "DiduLine1", {}, {524, 327, 195, 17});
    r.add(C::EntryEdit, contactEmailField, {}, {525, 328, 193, 15}, "Contact's Email", 12449783,
          NoTabStop);
    r.add(C::Button, sendQslButton, {}, {534, 366, 86, 22}, "Send QSL", -1, Hidden);
    r.add(C::Button, copyButton, {}, {578, 366, 86, 22}, "Copy QSL");
    r.add(C::Button, jpegButton, {}, {534, 390, 86, 22}, "Create JPG");
    r.add(C::Button, gifButton, {}, {622, 390, 86, 22}, "Create GIF");
    r.add(C::Button, loadQslButton, {}, {534, 414, 86, 22}, "Load QSL");
    r.add(C::Button, adifButton, {}, {622, 414, 86, 22}, "ADIF");
    r.add(C::Button, printButton, {}, {534, 438, 86, 22}, "Print");
    r.add(C::Button, closeButton, {}, {622, 438, 86, 22}, "Close");
    r.add(C::Button, helpButton, {}, {692, 346, 27, 13}, "Help");
}

void interfaceOptions(Rows &r)
{
    r.add(C::CollapsiblePanel, interfacePanel, {}, {519, 2, 204, 467}, {}, kWindow);
    const char *checks[][2] = {
        {showEmailCheck, "Show Email"}, {show73Check, "Show 73's"},
        {transparentNameCheck, "Transp Name"}, {transparentEmailCheck, "Transp Email"},
        {transparentTitlesCheck, "Transp Info"}, {transparent73PseCheck, "Transp 73s/Pse"},
        {frameInfoCheck, "Frames"}, {frameCardCheck, "Frame card"},
        {sendEnabledCheck, "Send enabled"}, {isoDateCheck, "ISO dates"}};
    for (int i = 0; i < 10; ++i)
        r.add(C::Check, checks[i][0], interfacePanel, {6 + 98 * (i % 2), 20 + 16 * (i / 2), 96, 17},
              checks[i][1]);
    r.add(C::Label, "Label5", interfacePanel, {8, 104, 50, 13}, "Interface:");
    for (int n = 1; n <= interfaceRadioCount; ++n)
        r.add(C::Radio, interfaceRadio(n), interfacePanel,
              {60 + 32 * (n - 1), 102, 30, 17}, QString::number(n), -1,
              n == 3 ? Checked : 0u);
    r.add(C::Button, optionsHelpButton, interfacePanel, {164, 104, 32, 13}, "Help");
}

void formats(Rows &r)
{
    r.add(C::GroupBox, "GroupBox5", interfacePanel, {3, 122, 198, 152}, " Formats:  ");
    const char *labels[] = {"Your Call:", "Your Name:", "Address:", "City State Zip:",
                            "Your Email:", "Pse QSL:", "Pse LoTW:", "73s format:"};
    const char *edits[] = {"CallSignEdit1", "NameEdit1", "AddressEdit1", "TownEdit1",
                           "EmailEdit1", "PseQSLEdit1", "PseLoTWEdit1", "Tnx73sEdit1"};
    for (int i = 0; i < 8; ++i) {
        const int y = 16 + 17 * i;
        r.add(C::Label, QStringLiteral("Label%1").arg(7 + i), "GroupBox5", {5, y + 2, 72, 13},
              labels[i]);
        // The edits carry their own names as text; start-up empties them and "dfile.qec" fills
        // them.
        r.add(C::Edit, edits[i], "GroupBox5", {76, y, 106, 16}, edits[i], 13565951);
    }
    r.add(C::Button, slashedZeroButton, "GroupBox5", {184, 17, 12, 14}, QString(QChar(0xD8)));
    r.add(C::Button, mailSettingsButton, "GroupBox5", {184, 85, 12, 14}, "E ");
}

void fontsAndBackgrounds(Rows &r)
{
    r.add(C::GroupBox, "GroupBox6", interfacePanel, {3, 276, 198, 72},
          " Fonts && Backgrounds:  ");
    r.add(C::Button, "CallSignBtn", "GroupBox6", {8, 16, 58, 16}, "CallSign", kWindow);
    r.add(C::Button, "NameBtn", "GroupBox6", {70, 16, 58, 16}, "Name", kWindow);
    r.add(C::Button, "InfoBtn", "GroupBox6", {132, 16, 58, 16}, "Info", kWindow);
    // Each background radio shows its own scheme: the box colour behind its box text colour.
    for (int i = 0; i < card::kBackgroundSchemeCount; ++i) {
        const card::BackgroundScheme &scheme = card::backgroundSchemes()[i];
        r.add(C::Radio, QString::fromLatin1(scheme.radio), "GroupBox6",
              {6 + 38 * (i % 5), 36 + 16 * (i / 5), 37, 16}, QString::fromLatin1(scheme.caption),
              scheme.boxColour, i + 1 == card::kFirstRunBackground ? Checked : 0u);
        r.rows.back().textColour = scheme.boxTextColour;
    }
}

void fieldPositions(Rows &r)
{
    r.add(C::GroupBox, "GroupBox7", interfacePanel, {3, 350, 198, 112},
          " Adjust field positions:  ");
    const char *radios[][2] = {{"RBCall1", "Call"},   {"RBName1", "Name"},
                               {"RBEmail1", "Email"}, {"RB73s1", "73s"},
                               {"RBQSL1", "Pse QSL"}, {"RBLoTW1", "Pse LoTW"}};
    for (int i = 0; i < 6; ++i)
    {
        const int xs[] = {4, 62, 124}, widths[] = {58, 62, 72};
        r.add(C::Radio, radios[i][0], "GroupBox7", {xs[i % 3], 16 + 16 * (i / 3), widths[i % 3], 16},
              radios[i][1]);
    }
    r.add(C::Label, "Label15", "GroupBox7", {6, 54, 20, 13}, "L-R");
    r.slider(leftRightSlider, "GroupBox7", {28, 50, 132, 20}, -10, 500, 1, C::Slider);
    r.add(C::SpeedButton, nudgeLeftButton, "GroupBox7", {162, 54, 14, 13}, QString(QChar(0x2190)));
    r.add(C::SpeedButton, nudgeRightButton, "GroupBox7", {178, 54, 14, 13}, QString(QChar(0x2192)));
    r.add(C::Label, "Label16", "GroupBox7", {6, 80, 20, 13}, "U-D");
    r.slider(upDownSlider, "GroupBox7", {28, 76, 132, 20}, -23, 500, 1, C::Slider);
    r.add(C::SpeedButton, nudgeUpButton, "GroupBox7", {162, 80, 14, 13}, QString(QChar(0x2191)));
    r.add(C::SpeedButton, nudgeDownButton, "GroupBox7", {178, 80, 14, 13}, QString(QChar(0x2193)));
}

// One font panel: " Name  ", " Size  " and " Color  " groups. prefix is "CSF", "NF" or "IF".
void fontPanel(Rows &r, const QString &panel, const QString &caption, const QString &prefix)
{
    r.add(C::GroupBox, panel, {}, {14, 287, 489, 180}, caption, kWindow, Hidden);
    const QString names = panel + "Names", sizes = panel + "Sizes", colours = panel + "Colours";
    r.add(C::GroupBox, names, panel, {8, 16, 150, 158}, " Name  ");
    for (int n = 1; n <= 8; ++n)
        r.add(C::Radio, prefix + QStringLiteral("Name%1").arg(n), names,
              {8, 14 + 14 * (n - 1), 136, 14}, card::fontFaces()[n - 1], -1, n == 6 ? Checked : 0u);
    r.add(C::Check, prefix + "Bold", names, {8, 128, 50, 14}, "Bold");
    if (prefix == "CSF") {
        r.add(C::Check, "CSFItalic", names, {60, 128, 50, 14}, "Italic");
        r.add(C::Check, "CSFUnderline", names, {8, 142, 80, 14}, "Underline");
    }

    r.add(C::GroupBox, sizes, panel, {162, 16, 100, 158}, " Size  ");
    if (prefix == "CSF") {
        r.slider("CSFTrackBar1", sizes, {6, 20, 88, 20}, 20, 200, 20);
    } else {
        const QList<int> points = prefix == "NF" ? QList<int>{8, 9, 10, 12}
                                                 : QList<int>{8, 9, 10, 11, 12};
        for (int i = 0; i < points.size(); ++i)
            r.add(C::Radio, prefix + QStringLiteral("Size%1").arg(points[i]), sizes,
                  {10, 16 + 17 * i, 60, 17}, QString::number(points[i]));
    }
    if (prefix == "NF") {
        r.slider(nameWidthSlider, sizes, {6, 108, 88, 20}, 0, 513, 268);
        r.add(C::SpeedButton, narrowerNameButton, sizes, {24, 132, 22, 16}, "<");
        r.add(C::SpeedButton, widerNameButton, sizes, {54, 132, 22, 16}, ">");
    }

    r.add(C::GroupBox, colours, panel, {266, 16, 215, 158}, " Color  ");
    for (int i = 0; i < 11; ++i) {
        const card::FixedColour &c = card::fixedColours()[i];
        r.add(C::Radio, prefix + "Color" + c.suffix, colours,
              {8 + 102 * (i / 6), 14 + 18 * (i % 6), 100, 17}, c.caption);
    }
    const QString combo = prefix == "CSF" ? "ComboBox2" : prefix == "NF" ? "ComboBox1"
                                                                          : "ComboBox3";
    r.add(C::Combo, combo, colours, {8, 128, 199, 21}, "Other");
}

void adifPanel(Rows &r)
{
    const QString panel = controlnames::adifPanel;
    r.add(C::GroupBox, panel, {}, {14, 287, 489, 180}, " ADIF Batch Processing ", kWindow, Hidden);
    r.add(C::Label, "Label6", panel, {20, 18, 246, 13},
          "Call, Date, Time, Freq, Power, Mode, Signal, Email");
    r.add(C::Button, searchButton, panel, {271, 11, 44, 19}, "Search");
    r.add(C::Button, searchNextButton, panel, {317, 11, 44, 19}, "Next");
    // Unsent selects the QSOs that need a card; the search box gives it room (a call sign
    // still fits).
    r.add(C::Edit, searchEdit, panel, {364, 10, 63, 21});
    r.add(C::Button, selectUnsentButton, panel, {429, 11, 44, 19}, "Unsent");
    // The list gives its last row to the line that tells how a load or a batch run is going.
    r.add(C::ListBox, qsoList, panel, {16, 34, 457, 101});
    r.add(C::Label, adifProgress, panel, {16, 137, 300, 13});
    // The QSOs a card lists at most: a design option, beside the rows it groups.
    r.add(C::Label, qsosPerCardLabel, panel, {322, 137, 88, 13}, "QSOs per card: 1");
    r.slider(qsosPerCardSlider, panel, {412, 135, 61, 18}, 1, card::kMaxQsosPerCard, 1);
    r.add(C::Button, loadAdifButton, panel, {19, 153, 86, 22}, "Load ADIF");
    r.add(C::Button, printSelectedButton, panel, {107, 153, 86, 22}, "Print Selected");
    r.add(C::Button, jpegSelectedButton, panel, {195, 153, 86, 22}, "JPG Selected");
    // Send Selected joins the batch runs; Close and the LED move one place to the right.
    r.add(C::Button, sendSelectedButton, panel, {283, 153, 86, 22}, "Send Selected");
    r.add(C::Button, adifCloseButton, panel, {371, 153, 86, 22}, "Close");
    r.add(C::Led, batchLed, panel, {463, 159, 12, 13});
}

void mailPanelAndPicture(Rows &r)
{
    // The port, security and pace rows come below the original rows, which keep their places;
    // the panel grows to hold them. Its boxes show their borders, and Tab runs round the panel
    // alone: it lies over the card, whose fields must not take what is typed into it.
    r.add(C::TabRingPanel, mailSettingsPanel, {}, {163, 91, 185, 163}, {}, kWindow, Hidden);
    r.add(C::Label, "Label30", mailSettingsPanel, {5, 12, 56, 13}, "Host Name:");
    r.add(C::Label, "Label31", mailSettingsPanel, {5, 32, 56, 13}, "User Name:");
    r.add(C::Label, "Label32", mailSettingsPanel, {5, 52, 49, 13}, "Password:");
    r.add(C::EntryEdit, mailHostEdit, mailSettingsPanel, {71, 8, 106, 21}, "mail.example.com", -1, Framed);
    r.add(C::EntryEdit, mailUserEdit, mailSettingsPanel, {71, 28, 106, 21}, "your user id", -1, Framed);
    r.add(C::EntryEdit, mailPasswordEdit, mailSettingsPanel, {71, 48, 106, 21}, "your password", -1, Framed);
    r.add(C::Label, "SmtpPortLabel", mailSettingsPanel, {5, 98, 56, 13}, "Port:");
    r.add(C::Label, "SmtpSecurityLabel", mailSettingsPanel, {5, 120, 56, 13}, "Security:");
    r.add(C::EntryEdit, mailPortEdit, mailSettingsPanel, {71, 94, 106, 21}, "25", -1, Framed);
    r.add(C::Choice, mailSecurityBox, mailSettingsPanel, {71, 116, 106, 21});
    r.add(C::Label, "SmtpPaceLabel", mailSettingsPanel, {5, 142, 62, 13}, "Per minute:");
    r.add(C::EntryEdit, mailPaceEdit, mailSettingsPanel, {71, 138, 106, 21}, "20", -1, Framed);
    // Made last, so that Tab reaches OK, Cancel and Test after every row of the panel; Test
    // and Cancel stand on OK's row, left and right of it.
    r.add(C::Button, mailSettingsOkButton, mailSettingsPanel, {68, 74, 48, 18}, "OK", -1, TabStop);
    r.add(C::Button, mailSettingsCancelButton, mailSettingsPanel, {120, 74, 56, 18}, "Cancel", -1, TabStop);
    r.add(C::Button, mailSettingsTestButton, mailSettingsPanel, {8, 74, 56, 18}, "Test", -1, TabStop);

    r.add(C::Panel, "Panel1", {}, {0, 0, 511, 280}, {}, -1, Hidden);
    r.add(C::Image, snapshotHolder, "Panel1", {0, 0, 511, 280});
}

std::vector<ControlRow> describe()
{
    Rows r;
    cardAndBorders(r);
    entryPanels(r);
    timeAndCalendar(r);
    emailAndCommands(r);
    // The font panels lie above the entry panels; restoring their states raises the info
    // group first, then the call-sign group, then the name group.
    fontPanel(r, "FontInfo1", " Info Font  ", "IF");
    fontPanel(r, "FontCallSign1", " Call Sign Font  ", "CSF");
    fontPanel(r, "FontName1", " Name Font  ", "NF");
    adifPanel(r);
    interfaceOptions(r);
    formats(r);
    fontsAndBackgrounds(r);
    fieldPositions(r);
    mailPanelAndPicture(r);
    return r.rows;
}

} // namespace

const std::vector<ControlRow> &mainWindowDescription()
{
    static const std::vector<ControlRow> rows = describe();
    return rows;
}
