#pragma once

#include <QString>
#include <optional>

// The card options (check boxes and radio buttons around the card) and what applying them
// all at once does to the card. Pure rules; the main window reads the controls into
// CardOptions and writes CardLook onto the elements.
namespace card {

// One background scheme: the colours its radio button shows and hands to the boxes.
struct BackgroundScheme {
    const char *radio;     // component name, e.g. "RBBkgClr6"
    const char *caption;   // "B6"
    int boxColour;
    int boxTextColour;
    int boxPen;
};

// The ten schemes in the order the radios are created ("B1".."B9", then "BA").
const BackgroundScheme *backgroundSchemes();
constexpr int kBackgroundSchemeCount = 10;
constexpr int kFirstRunBackground = 6;    // "B6"

// Colour of the QSO entry panels for interface choice 1..3; nullopt otherwise.
std::optional<int> interfaceColour(int choice);
constexpr int kFirstRunInterface = 3;

// The QSOs one card can list: the QSO table's rows at most.
constexpr int kMaxQsosPerCard = 6;

// The window colour of both windows (red 231, green 223, blue 173).
constexpr int kWindowColour = 11395047;
// Colour of the border panels around the card and of an opened font-panel button.
constexpr int kAccentColour = 7585759;

struct CardOptions {
    bool pseQsl = false;         // CBPseQSL
    bool pseLotw = false;        // CBPseLoTW
    bool showEmail = false;      // CBShowEmail1
    bool show73 = false;         // CBShow73
    bool transpName = false;     // CBTranspName
    bool transpEmail = false;    // CBTranspEmail
    bool transpTitles = false;   // CBTranspTitles
    bool transp73Pse = false;    // CBTransp73Pse
    bool frameInfo = false;      // CBFrameInfo1
    bool frameCard = false;      // CBFrameCard1
    bool sendEnabled = false;    // CBSendEnabled
    bool isoDate = false;        // CBIsoDate: the card prints the UTC date as 2026-12-06
    // The QSOs a card lists at most (QsosPerCardBar): 1 is the card of one QSO; more make
    // the QSO area a table of one call sign's QSOs, one row each.
    int qsosPerCard = 1;
    int background = 0;          // "B1".."B9" as 1..9, "BA" as 10; 0 when none is checked
    int interfaceChoice = 0;     // HL1..HL3 as 1..3; 0 when none is checked
};

// Colours the card keeps between two applications of the options.
struct BoxColours {
    int box = 0;        // background of the text elements (not the call sign) and overlays
    int boxText = 0;    // font colour of the QSO table and the overlays
};

struct CardLook {
    std::optional<int> interfaceColour;   // Panel5 and GroupBox1..4; unchanged when none
    bool pseQslVisible = false;
    bool pseLotwVisible = false;
    bool show73Visible = false;
    bool emailVisible = false;
    bool closingLinesTransparent = false;  // al73, alPseQSL, alPseLoTW
    bool addressTransparent = false;       // alName, alAddress, alTown
    bool emailTransparent = false;
    bool tableTransparent = false;         // titles and values
    bool cardFrameVisible = false;         // AlShape15
    bool boxesVisible = false;             // AlShape1..14
    bool sendVisible = false;              // "Send QSL"
    int copyButtonLeft = 578;              // "Copy QSL"
    int boxPen = 8388608;                  // pen of AlShape1..14
    BoxColours colours;
};

// The box colours of the first-run background "B6": what a card shows when no background is
// checked and none was before.
BoxColours shippedBoxColours();

// Applies every option at once. Without a checked background the previous colours stay.
CardLook applyCardOptions(const CardOptions &options, BoxColours previous);

} // namespace card
