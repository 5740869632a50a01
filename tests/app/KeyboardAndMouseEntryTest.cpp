#include "MainWindowFixture.h"
#include "QtPrinters.h"

#include "EntryEdit.h"

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
