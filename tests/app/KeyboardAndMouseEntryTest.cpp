#include "MainWindowFixture.h"
#include "QtPrinters.h"

#include "EntryEdit.h"

#include <QApplication>
#include <QtTest/QTest>

namespace {

// The window shown and active, so that clicks and keys reach it as an operator's do.
void showActive(MainWindow &form)
{
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
}

struct EmailClickRow {
    const char *name;
    const char *callSign;
    const char *typed;
    const char *expected;
};

void PrintTo(const EmailClickRow &row, std::ostream *os) { *os << row.name; }

class ContactEmailClicks : public MainWindowFixture,
                           public ::testing::WithParamInterface<EmailClickRow> {};

// The click that enters the contact e-mail field leaves its whole text selected, so typing
// replaces the offered address.
TEST_P(ContactEmailClicks, TypingReplacesTheOfferedText)
{
    const EmailClickRow &row = GetParam();
    start();
    showActive(*form);
    form->control<EntryEdit>("ContactCallSign")->setText(QString::fromLatin1(row.callSign));
    auto *email = form->control<EntryEdit>("ContactsEmail");
    QTest::mouseClick(email, Qt::LeftButton, {}, QPoint(12, email->height() / 2));
    ASSERT_TRUE(email->hasFocus());
    QTest::keyClicks(email, QString::fromLatin1(row.typed));
    EXPECT_EQ(QString::fromLatin1(row.expected), email->text());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ContactEmailClicks,
    ::testing::Values(EmailClickRow{"OfferedAddressReplaced", "DL1ABC", "Z", "Z"},
                      EmailClickRow{"PlaceholderReplaced", "", "a..b", "A@b"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace

namespace {

const char *const kFields[] = {"ContactCallSign", "UTCDate", "UTCTime", "Freq",
                               "Mode", "Power", "Signal"};

// Tab and Shift+Tab run round the seven QSO fields, whatever else the window holds.
TEST_F(MainWindowFixture, TabRunsRoundTheQsoFields)
{
    start();
    showActive(*form);
    form->control<EntryEdit>("ContactCallSign")->setFocus();
    for (int i = 1; i <= 22; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(std::string(kFields[i % 7]),
                  QApplication::focusWidget()->objectName().toStdString()) << i;
    }
    form->control<EntryEdit>("ContactCallSign")->setFocus();
    for (int i = 1; i <= 8; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(std::string(kFields[(70 - i) % 7]),
                  QApplication::focusWidget()->objectName().toStdString()) << i;
    }
}

// From any other control, Tab only ever reaches controls in view: nothing inside the folded
// interface panel, nothing hidden.
TEST_F(MainWindowFixture, TabNeverReachesWhatIsOutOfView)
{
    start();
    showActive(*form);
    auto *panel = form->control<QWidget>("CollapsePanel1");
    for (const char *from : {"RBMode2", "CBPseQSL"}) {
        form->control<QWidget>(from)->setFocus();
        for (int i = 0; i < 80; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *now = QApplication::focusWidget();
            ASSERT_NE(nullptr, now);
            EXPECT_FALSE(panel->isAncestorOf(now)) << now->objectName().toStdString();
            EXPECT_FALSE(now->visibleRegion().isEmpty()) << now->objectName().toStdString();
        }
    }
}

} // namespace

namespace {

struct ReturnClickRow {
    const char *name;
    const char *clicked;  // the control the click that brings the window back lands on
    const char *focused;  // where the keyboard is once the window is active again
};

void PrintTo(const ReturnClickRow &row, std::ostream *os) { *os << row.name; }

class ReturnClicks : public MainWindowFixture, public ::testing::WithParamInterface<ReturnClickRow> {};

// Coming back to the window from a dialog or another program puts the keyboard on the call
// sign, unless the click that brought it back landed on a control that takes the focus: then
// the operator types where he clicked, whichever of the click and the activation is seen first.
TEST_P(ReturnClicks, KeyboardIsWhereTheOperatorClicked)
{
    const ReturnClickRow &row = GetParam();
    start();
    showActive(*form);
    form->control<QWidget>("Signal")->setFocus();
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    ASSERT_FALSE(form->isActiveWindow());
    if (*row.clicked) {
        auto *target = form->control<QWidget>(QString::fromLatin1(row.clicked));
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(4, target->height() / 2));
    }
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    ASSERT_NE(nullptr, QApplication::focusWidget());
    EXPECT_EQ(std::string(row.focused), QApplication::focusWidget()->objectName().toStdString());
    if (std::string(row.focused) == "ContactsEmail") {
        // Entered as by a click on the active window: the placeholder is replaced by typing.
        QTest::keyClicks(QApplication::focusWidget(), "z");
        EXPECT_EQ(QString("Z"), form->control<EntryEdit>("ContactsEmail")->text());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReturnClicks,
    ::testing::Values(ReturnClickRow{"NoClick", "", "ContactCallSign"},
                      ReturnClickRow{"DateField", "UTCDate", "UTCDate"},
                      ReturnClickRow{"FieldThatHadTheFocus", "Signal", "Signal"},
                      ReturnClickRow{"ContactEmailField", "ContactsEmail", "ContactsEmail"},
                      ReturnClickRow{"CardBackground", "tAlBand1", "ContactCallSign"},
                      ReturnClickRow{"FrequencyButton", "EBFreq01", "Freq"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
