#include "MainWindowFixture.h"
#include "QtPrinters.h"

#include "CardOptions.h"
#include "Colors.h"
#include "FittedCaption.h"
#include "CaptionRoom.h"
#include "GroupFrame.h"

#include <QRadioButton>
#include <QStyleOptionButton>

namespace {

const QColor kShadow(128, 128, 128);

int distance(const QColor &a, const QColor &b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green())
           + std::abs(a.blue() - b.blue());
}

// The group boxes of the QSO entry panel: their frames run through the middle of the caption,
// above the first row of controls.
class GroupFrames : public MainWindowFixture, public ::testing::WithParamInterface<const char *>
{
};

TEST_P(GroupFrames, ClearTheFirstRowOfControls)
{
    start();
    auto *box = form->control<GroupFrame>(QString::fromLatin1(GetParam()));
    ASSERT_NE(nullptr, box);
    const int top = GroupFrame::frameRect(box->size(), QFontMetrics(box->font()).height()).top();
    const QImage image = box->grab().toImage();
    EXPECT_EQ(kShadow, image.pixelColor(box->width() - 6, top));
    EXPECT_EQ(kShadow, image.pixelColor(0, box->height() / 2));
    for (QWidget *child : box->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        EXPECT_GT(child->y(), top + 1) << child->objectName().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Boxes, GroupFrames,
                         ::testing::Values("GroupBox1", "GroupBox2", "GroupBox3", "GroupBox4",
                                           "GroupBox6", "GroupBox7"),
                         [](const auto &info) { return std::string(info.param); });

// Each background radio shows its own scheme.
class BackgroundRadios : public MainWindowFixture, public ::testing::WithParamInterface<int>
{
};

TEST_P(BackgroundRadios, ShowTheirScheme)
{
    const card::BackgroundScheme &scheme = card::backgroundSchemes()[GetParam()];
    start();
    auto *radio = form->control<QRadioButton>(QString::fromLatin1(scheme.radio));
    ASSERT_NE(nullptr, radio);
    const QImage image = radio->grab().toImage();
    EXPECT_EQ(colorFromInt(scheme.boxColour), image.pixelColor(radio->width() - 1, 1));
    EXPECT_EQ(colorFromInt(scheme.boxColour), image.pixelColor(radio->width() - 1, radio->height() - 1));
    EXPECT_EQ(colorFromInt(scheme.boxTextColour), radio->palette().color(QPalette::WindowText));
    // The caption's strongest pixel is nearer its text colour than the default black.
    const QColor background = colorFromInt(scheme.boxColour);
    QColor strongest = background;
    for (int y = 0; y < image.height(); ++y)
        for (int x = radio->width() / 2; x < image.width(); ++x)
            if (distance(image.pixelColor(x, y), background) > distance(strongest, background))
                strongest = image.pixelColor(x, y);
    EXPECT_LT(distance(strongest, colorFromInt(scheme.boxTextColour)),
              distance(strongest, QColor(Qt::black)));
}

INSTANTIATE_TEST_SUITE_P(Schemes, BackgroundRadios, ::testing::Range(0, card::kBackgroundSchemeCount),
                         [](const auto &info) {
                             return std::string(card::backgroundSchemes()[info.param].radio);
                         });

// Captions that ran under the next control in the substitute face now fit their own width.
class FittedCaptions : public MainWindowFixture, public ::testing::WithParamInterface<const char *>
{
};

TEST_P(FittedCaptions, EndBeforeTheNextControl)
{
    start();
    auto *radio = form->control<QRadioButton>(QString::fromLatin1(GetParam()));
    ASSERT_NE(nullptr, radio);
    QStyleOptionButton option;
    option.initFrom(radio);
    option.text = radio->text();
    const QRect room = radio->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, radio);
    const int width = radio->width() - room.left() - kCaptionGap;
    const QFont font = fittedCaptionFont(radio->font(), radio->text(), width);
    EXPECT_LE(QFontMetrics(font).horizontalAdvance(radio->text()), width);
    // Nothing of the caption is painted in the last pixels before the next control.
    const QImage image = radio->grab().toImage();
    const QColor background = image.pixelColor(radio->width() - 1, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = radio->width() - 2; x < radio->width(); ++x)
            EXPECT_EQ(background, image.pixelColor(x, y)) << x << "," << y;
}

// The interface panel's check boxes show their whole captions; "Frame card" had room for its
// box alone.
TEST_F(MainWindowFixture, OptionCheckBoxesShowTheirWholeCaptions)
{
    start();
    for (const char *name : {"CBFrameInfo1", "CBFrameCard1", "CBSendEnabled", "CBTransp73Pse"})
        expectWholeCheckCaption(form->control<QCheckBox>(QString::fromLatin1(name)));
}

INSTANTIATE_TEST_SUITE_P(Radios, FittedCaptions,
                         ::testing::Values("RBQSL1", "RBLoTW1", "RBPower5", "RBPower6",
                                           "RBPower7", "RBPower8", "RBPower9", "RBMode6"),
                         [](const auto &info) { return std::string(info.param); });

} // namespace
