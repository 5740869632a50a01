#include "KartelloError.h"
#include "RenderTestSupport.h"
#include "CardLabel.h"
#include "CardShape.h"
#include "TestNames.h"

#include <QMainWindow>
#include <QPainter>
#include <QPointer>

#include <gtest/gtest.h>

namespace {

const QString notOnForm = QStringLiteral("This component must be placed on a tForm.");
const QString notOnBand = QStringLiteral("This component must be placed on a tAlBand.");

QString errorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const KartelloError &error) {
        return error.text();
    }
    return QString();
}

CardLabel *box(BandFixture &fixture, const QRect &rect, const QColor &color)
{
    auto *label = new CardLabel(fixture.form.get());
    label->setParentWidget(fixture.band);
    label->setAutoSize(false);
    label->setTransparent(false);
    label->setColor(color);
    label->setBounds(rect.x(), rect.y(), rect.width(), rect.height());
    return label;
}

struct BandParentRow
{
    const char *name;
    std::function<QWidget *(QMainWindow &window)> parent;
    bool accepted;
};

void PrintTo(const BandParentRow &row, std::ostream *os)
{
    *os << row.name;
}

class BandParent : public ::testing::TestWithParam<BandParentRow> {};

TEST_P(BandParent, OnlyAFormMayHoldABand)
{
    QMainWindow window;
    window.setCentralWidget(new QWidget);
    QWidget *parent = GetParam().parent(window);
    const QString error = errorOf([&] { delete new CardBand(parent); });
    EXPECT_EQ(error.toStdString(), (GetParam().accepted ? QString() : notOnForm).toStdString());

    QWidget form;
    auto *band = new CardBand(&form);
    window.show();
    form.show();
    const QString moveError = errorOf([&] { band->setParentWidget(parent); });
    EXPECT_EQ(moveError.toStdString(), (GetParam().accepted ? QString() : notOnForm).toStdString());
    EXPECT_EQ(band->parentWidget(), GetParam().accepted ? parent : &form);
    EXPECT_EQ(band->isVisible(), band->parentWidget() != nullptr) << "a band on a shown form shows";
    delete band;
}

INSTANTIATE_TEST_SUITE_P(
    CardBand, BandParent,
    ::testing::Values(
        BandParentRow{"window", [](QMainWindow &w) -> QWidget * { return &w; }, true},
        BandParentRow{"central widget", [](QMainWindow &w) { return w.centralWidget(); }, true},
        BandParentRow{"none", [](QMainWindow &) -> QWidget * { return nullptr; }, true},
        BandParentRow{"panel on a window",
                      [](QMainWindow &w) { return new QWidget(w.centralWidget()); }, false}),
    [](const auto &info) { return testName(info.param.name); });

TEST(CardElement, OnlyABandMayHoldAnElement)
{
    BandFixture fixture;
    auto *label = new CardLabel(fixture.form.get());
    label->setParentWidget(fixture.band);
    QWidget panel(fixture.form.get());
    EXPECT_EQ(errorOf([&] { label->setParentWidget(&panel); }).toStdString(), notOnBand.toStdString());
    EXPECT_EQ(label->surface(), static_cast<ElementSurface *>(fixture.band));
    EXPECT_EQ(errorOf([&] { label->setParentWidget(fixture.form.get()); }).toStdString(),
              notOnBand.toStdString());
    EXPECT_EQ(fixture.band->elements().size(), 1);
    EXPECT_EQ(errorOf([&] { label->setParentWidget(nullptr); }), QString());
    EXPECT_EQ(label->surface(), nullptr);
    EXPECT_TRUE(fixture.band->elements().isEmpty());
}

TEST(CardBand, LaterElementsPaintOverEarlierOnes)
{
    BandFixture fixture(100, 50);
    box(fixture, QRect(0, 0, 60, 30), Qt::red);
    CardLabel *second = box(fixture, QRect(40, 10, 60, 30), Qt::blue);
    EXPECT_TRUE(fixture.band->findChildren<QWidget *>().isEmpty()) << "elements are windowless";
    QImage shot = fixture.snapshot();
    EXPECT_EQ(shot.pixel(50, 20), qRgb(0, 0, 255));
    EXPECT_EQ(shot.pixel(10, 5), qRgb(255, 0, 0));
    EXPECT_EQ(shot.pixel(90, 45), qRgb(255, 255, 255));

    second->setVisible(false);
    shot = fixture.snapshot();
    EXPECT_EQ(shot.pixel(50, 20), qRgb(255, 0, 0));
    EXPECT_EQ(shot.pixel(70, 35), qRgb(255, 255, 255));
}

TEST(CardBand, ElementsOutsideTheBandAreCutOff)
{
    BandFixture fixture(50, 30);
    box(fixture, QRect(-10, -10, 100, 100), Qt::green);
    const QImage shot = fixture.snapshot();
    EXPECT_EQ(shot.pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_EQ(shot.pixel(49, 29), qRgb(0, 255, 0));
}

TEST(CardBand, OnePaintRoutineServesScreenAndImages)
{
    BandFixture fixture(120, 60);
    fixture.band->setColor(QColor(231, 223, 173));
    box(fixture, QRect(5, 5, 50, 20), Qt::yellow)->setCaption(QStringLiteral("QSL"));
    auto *frame = new CardShape(fixture.form.get());
    frame->setParentWidget(fixture.band);
    frame->setBounds(0, 0, 120, 60);
    frame->setBrush(Qt::NoBrush);

    QImage painted(fixture.band->size(), QImage::Format_RGB32);
    painted.fill(Qt::black);
    {
        QPainter painter(&painted);
        fixture.band->paintElements(painter);
    }
    const QImage grabbed = fixture.band->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(painted, fixture.snapshot());
    EXPECT_EQ(painted, grabbed);
    EXPECT_EQ(painted.pixel(60, 40), qRgb(231, 223, 173));
}

TEST(CardBand, TopAlignedBandFollowsTheFormWidth)
{
    QWidget form;
    form.resize(300, 200);
    form.show(); // a hidden window hears of its size only once shown
    auto *band = new CardBand(&form);
    band->resize(100, 82);
    form.resize(794, 400);
    EXPECT_EQ(band->geometry(), QRect(0, 0, 794, 82));
    band->setAlign(Align::None);
    band->resize(513, 282);
    form.resize(727, 472);
    EXPECT_EQ(band->geometry(), QRect(0, 0, 513, 282));
}

TEST(CardBand, ElementsFollowTheBandFontUntilGivenTheirOwn)
{
    BandFixture fixture;
    auto *label = new CardLabel(fixture.form.get());
    label->setParentWidget(fixture.band);
    QFont big = fixture.band->font();
    big.setPixelSize(40);
    fixture.band->setFont(big);
    EXPECT_EQ(label->font().pixelSize(), 40);
    EXPECT_GT(label->height(), 40) << "a parent font change re-measures";
    QFont own = big;
    own.setPixelSize(11);
    label->setFont(own);
    big.setPixelSize(30);
    fixture.band->setFont(big);
    EXPECT_EQ(label->font().pixelSize(), 11);
}

TEST(CardBand, ElementsAndBandMayGoInEitherOrder)
{
    auto fixture = std::make_unique<BandFixture>();
    QPointer<CardLabel> owned = new CardLabel(fixture->form.get());
    QPointer<CardLabel> unowned = new CardLabel;
    owned->setParentWidget(fixture->band);
    unowned->setParentWidget(fixture->band);
    delete fixture->band;
    EXPECT_FALSE(unowned) << "an element without owner goes with its band";
    ASSERT_TRUE(owned);
    EXPECT_EQ(owned->surface(), nullptr);
    owned->setCaption(QStringLiteral("still usable"));
}

} // namespace
