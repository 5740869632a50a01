#include "CardOptions.h"

#include "CardElements.h"

namespace card {

namespace {

const BackgroundScheme kSchemes[kBackgroundSchemeCount] = {
    {"RBBkgClr1", "B1", 16777215, kNavy, kNavy},
    {"RBBkgClr2", "B2", 13565951, kNavy, kNavy},
    {"RBBkgClr3", "B3", 12449783, kNavy, kNavy},
    {"RBBkgClr4", "B4", 13691112, kNavy, kNavy},
    {"RBBkgClr5", "B5", 12632256, kNavy, kNavy},
    {"RBBkgClr6", "B6", 65535, kNavy, kNavy},
    {"RBBkgClr7", "B7", 8421504, kWhite, kNavy},
    {"RBBkgClr8", "B8", 16711680, kWhite, kYellow},
    {"RBBkgClr9", "B9", 8388608, kWhite, kYellow},
    {"RBBkgClr0", "BA", 7585759, kNavy, kNavy},
};

} // namespace

const BackgroundScheme *backgroundSchemes() { return kSchemes; }

std::optional<int> interfaceColour(int choice)
{
    switch (choice) {
    case 1: return 11395047;
    case 2: return 10275798;
    case 3: return 7585759;
    default: return std::nullopt;
    }
}

BoxColours shippedBoxColours()
{
    const BackgroundScheme &s = kSchemes[kFirstRunBackground - 1];
    return {s.boxColour, s.boxTextColour};
}

CardLook applyCardOptions(const CardOptions &o, BoxColours previous)
{
    CardLook look;
    look.interfaceColour = interfaceColour(o.interfaceChoice);
    look.pseQslVisible = o.pseQsl;
    look.pseLotwVisible = o.pseLotw;
    look.show73Visible = o.show73;
    look.closingLinesTransparent = o.transp73Pse;
    look.addressTransparent = o.transpName;
    look.emailVisible = o.showEmail;
    look.emailTransparent = o.transpEmail;
    look.tableTransparent = o.transpTitles;
    look.cardFrameVisible = o.frameCard;
    look.boxesVisible = o.frameInfo;
    look.sendVisible = o.sendEnabled;
    // Without "Send QSL" the copy button is centred in the row the two share (534 to 708).
    look.copyButtonLeft = o.sendEnabled ? 622 : 578;
    look.boxPen = kNavy;
    look.colours = previous;
    if (o.background >= 1 && o.background <= kBackgroundSchemeCount) {
        const BackgroundScheme &s = kSchemes[o.background - 1];
        look.colours = {s.boxColour, s.boxTextColour};
        look.boxPen = s.boxPen;
    }
    return look;
}

} // namespace card
