#include "EntryEdit.h"

#include "Pixels.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

const QColor kBase(255, 255, 255);
// Where a standard borderless line edit starts its text while editing.
constexpr int kEditingStart = 2;

struct EditFixture {
    QWidget window;
    EntryEdit edit{&window};
    QLineEdit other{&window};
    EditFixture()
    {
        edit.setFrame(false);
        edit.setGeometry(0, 0, 160, 22);
        other.setGeometry(0, 40, 100, 22);
        QPalette palette = edit.palette();
        palette.setColor(QPalette::Base, kBase);
        palette.setColor(QPalette::Text, QColor(0, 0, 0));
        edit.setPalette(palette);
        edit.setText(QStringLiteral("DL1ABC"));
        window.resize(200, 100);
        window.show();
        QApplication::setActiveWindow(&window);
        other.setFocus();
    }
    void focusEdit()
    {
        edit.setFocus(Qt::MouseFocusReason);
        if (!edit.hasFocus()) {  // a platform without window activation
            QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
            QCoreApplication::sendEvent(&edit, &in);
        }
    }
    void leaveEdit()
    {
        other.setFocus(Qt::TabFocusReason);
        if (edit.isFocused()) {
            QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
            QCoreApplication::sendEvent(&edit, &out);
        }
    }
    QRect ink()
    {
        const QImage image = renderOver(edit);
        return inkBox(image, kBase, image.rect());
    }
};

int textWidth(const EntryEdit &edit)
{
    return QFontMetrics(edit.font()).horizontalAdvance(edit.text());
}

struct PlacementCase {
    const char *name;
    Qt::Alignment alignment;
    bool focused;
    // Expected start of the text box.
    std::function<int(int width, int tw)> start;
};

class EditPlacementTest : public ::testing::TestWithParam<PlacementCase> {};

// The ink of `text` drawn with its box at (0, 0).
QRect inkAtOrigin(const QFont &font, const QString &text)
{
    QImage image(400, 60, QImage::Format_RGB32);
    image.fill(kBase);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, 0, 400, 60), Qt::AlignLeft | Qt::AlignTop, text);
    painter.end();
    return inkBox(image, kBase, image.rect());
}

TEST_P(EditPlacementTest, TextStartsWhereTheAlignmentPutsIt)
{
    const PlacementCase &c = GetParam();
    EditFixture f;
    f.edit.setDisplayAlignment(c.alignment);
    if (c.focused)
        f.focusEdit();
    const QRect ink = f.ink();
    ASSERT_FALSE(ink.isEmpty());
    const QRect ref = inkAtOrigin(f.edit.font(), f.edit.text());
    const int expected = c.start(160, textWidth(f.edit));
    EXPECT_EQ(ink.left(), ref.left() + expected);
    // The standard editing look adds its cursor and its own vertical margin.
    const bool standardLook = c.focused || c.alignment == Qt::AlignLeft;
    if (!standardLook) {
        EXPECT_EQ(ink.right(), ref.right() + expected);
        EXPECT_EQ(ink.top(), ref.top());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Placements, EditPlacementTest,
    ::testing::Values(
        PlacementCase{"CentredUnfocused", Qt::AlignHCenter, false,
                      [](int w, int tw) { return (w - tw) / 2; }},
        PlacementCase{"RightUnfocused", Qt::AlignRight, false,
                      [](int w, int tw) { return w - tw - 0 - 1; }},
        PlacementCase{"CentredFocused", Qt::AlignHCenter, true,
                      [](int, int) { return kEditingStart; }},
        PlacementCase{"LeftUnfocused", Qt::AlignLeft, false,
                      [](int, int) { return kEditingStart; }}),
    [](const auto &info) { return std::string(info.param.name); });

// A centred text wider than the edit (the power cell over the card, 59 pixels) keeps both
// ends inside: narrowed, or cut with "…" at its end, never cut at both ends.
TEST(EditPlacement, WideTextKeepsItsBeginning)
{
    for (const char *text : {"70% Cut Dipole", "70% Cut Dipole, 100 W, 20 m"}) {
        EditFixture f;
        f.edit.setGeometry(0, 0, 59, 15);
        f.edit.setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
        f.edit.setDisplayAlignment(Qt::AlignHCenter);
        f.edit.setText(QString::fromLatin1(text));
        const QRect ink = f.ink();
        ASSERT_FALSE(ink.isEmpty()) << text;
        EXPECT_GE(ink.left(), 1) << text;
        EXPECT_LE(ink.right(), 57) << text;
    }
}

TEST(EditFocus, CentredThenLeftWhileEditingThenCentredAgain)
{
    EditFixture f;
    f.edit.setDisplayAlignment(Qt::AlignHCenter);
    const int centred = (160 - textWidth(f.edit)) / 2;
    EXPECT_GE(f.ink().left(), centred);
    f.focusEdit();
    EXPECT_TRUE(f.edit.isFocused());
    EXPECT_LT(f.ink().left(), centred / 2);
    f.leaveEdit();
    EXPECT_FALSE(f.edit.isFocused());
    EXPECT_GE(f.ink().left(), centred);
}

TEST(EditColours, DisabledTextIsGrey)
{
    EditFixture f;
    f.edit.setDisplayAlignment(Qt::AlignHCenter);
    f.edit.setEnabled(false);
    const QColor grey = QGuiApplication::palette().color(QPalette::Disabled, QPalette::Text);
    ASSERT_NE(grey, QColor(0, 0, 0));
    const QImage image = renderOver(f.edit);
    int greyPixels = 0;
    int blackPixels = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            greyPixels += pixelAt(image, x, y) == grey;
            blackPixels += pixelAt(image, x, y) == QColor(0, 0, 0);
        }
    EXPECT_GT(greyPixels, 5);
    EXPECT_EQ(blackPixels, 0);
}

} // namespace
