#include "Fonts.h"
#include "RenderTestSupport.h"
#include "CardRecordField.h"
#include "ReportPrinter.h"
#include "CardShape.h"
#include "CardPictureElement.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

// Prints through the shared report printer onto a fresh preview page and returns the page.
class PrintContents : public ::testing::Test
{
protected:
    void SetUp() override
    {
        reportPrinter().clearPages();
        reportPrinter().setPreviewMode(true);
        reportPrinter().newPage();
    }
    void TearDown() override { reportPrinter().clearPages(); }

    QImage page()
    {
        reportPrinter().endDoc();
        return reportPrinter().currentPage()->toImage();
    }
};

TEST_F(PrintContents, TextIsPrintedLiterallyInsideTheRectangle)
{
    CardRecordField field;
    field.setFont(pixelSizedFont(QStringLiteral("Tahoma"), 8));
    field.setFontColor(Qt::black);
    field.values() << QStringLiteral("R&D");
    field.printTo(reportPrinter().canvas(), QRect(10, 10, 100, 20));

    QImage literal(page().size(), QImage::Format_RGB32);
    literal.fill(Qt::white);
    {
        QPainter painter(&literal);
        painter.setFont(field.font());
        painter.drawText(QRect(10, 10 + standInAscentDrop(field.font()), 100, 20),
                         Qt::AlignLeft | Qt::AlignTop, QStringLiteral("R&D"));
    }
    EXPECT_EQ(page().copy(0, 0, 150, 40), literal.copy(0, 0, 150, 40));
}

TEST_F(PrintContents, TextIsClippedAndFilledUnlessTransparent)
{
    CardRecordField field;
    field.setFont(pixelSizedFont(QStringLiteral("Tahoma"), 20));
    field.setFontColor(Qt::black);
    field.setTransparent(false);
    field.setColor(Qt::yellow);
    field.values() << QStringLiteral("WWWWWWWWWWWWWWWW");
    field.printTo(reportPrinter().canvas(), QRect(20, 20, 30, 8));
    const QImage printed = page();
    EXPECT_EQ(printed.pixel(49, 27), qRgb(255, 255, 0)) << "box colour fills the rectangle";
    EXPECT_TRUE(QRect(20, 20, 30, 8).contains(paintedBounds(printed)));
}

TEST_F(PrintContents, InvisibleElementPrintsNothing)
{
    CardShape shape;
    shape.setVisible(false);
    shape.printTo(reportPrinter().canvas(), QRect(0, 0, 50, 50));
    EXPECT_TRUE(paintedBounds(page()).isEmpty());
}

TEST_F(PrintContents, FrameUsesTheTargetRectangleAndAtLeastOnePixel)
{
    CardShape shape;
    shape.setShape(ShapeType::Circle);
    shape.setBrush(Qt::NoBrush);
    shape.setPen(QPen(Qt::black, 0));
    shape.setBounds(0, 0, 10, 10); // the element's own size does not count
    shape.printTo(reportPrinter().canvas(), QRect(100, 50, 100, 40));
    EXPECT_EQ(paintedBounds(page()), QRect(130, 50, 40, 40));
}

TEST_F(PrintContents, UnstretchedPictureIsLaidOutThenStretched)
{
    CardPictureElement image;
    image.setBounds(0, 0, 20, 20);
    image.setStretch(false);
    image.setCenter(true);
    QImage bitmap(10, 10, QImage::Format_RGB32);
    bitmap.fill(Qt::red);
    image.setPicture(Picture::fromImage(bitmap));
    image.printTo(reportPrinter().canvas(), QRect(0, 0, 40, 40)); // twice the element's size
    const QImage printed = page();
    EXPECT_EQ(paintedBounds(printed), QRect(10, 10, 20, 20));
    EXPECT_EQ(printed.pixel(20, 20), qRgb(255, 0, 0));
}

TEST_F(PrintContents, NonBitmapPrintsThePlaceholderOverTheTarget)
{
    CardPictureElement image;
    image.printTo(reportPrinter().canvas(), QRect(10, 10, 60, 30));
    const QImage printed = page();
    EXPECT_EQ(paintedBounds(printed), QRect(10, 10, 60, 30));
    EXPECT_EQ(printed.pixel(40, 25), qRgb(255, 255, 255));
}

} // namespace
