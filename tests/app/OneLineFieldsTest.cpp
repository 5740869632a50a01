#include "MainWindowFixture.h"
#include "QtPrinters.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>

namespace {

// Every one-line field of the main window, by name.
const char *const kOneLineFields[] = {
    "ContactCallSign", "UTCDate", "UTCTime", "Freq", "Mode", "Power", "Signal", "ContactsEmail",
    "CallSignEdit1", "NameEdit1", "AddressEdit1", "TownEdit1", "EmailEdit1", "PseQSLEdit1",
    "PseLoTWEdit1", "Tnx73sEdit1", "umEdit1", "umEdit2", "umEdit3",
};

class OneLineFieldsOfTheWindow : public MainWindowFixture,
                                 public ::testing::WithParamInterface<const char *> {};

TEST_P(OneLineFieldsOfTheWindow, PastedLineBreaksNeverEnter)
{
    start();
    auto *edit = form->control<QLineEdit>(QString::fromLatin1(GetParam()));
    ASSERT_NE(nullptr, edit);
    edit->clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("dl2xyz\r\n"));
    edit->paste();
    EXPECT_EQ(QString("DL2XYZ"), edit->text().toUpper());
    edit->setText(QStringLiteral("Main St\nApt\t4\x01"));
    // The contact's call sign and e-mail are shown in capitals.
    EXPECT_EQ(QString("MAIN ST APT 4"), edit->text().toUpper());
}

INSTANTIATE_TEST_SUITE_P(Names, OneLineFieldsOfTheWindow, ::testing::ValuesIn(kOneLineFields),
                         [](const auto &info) { return std::string(info.param); });

// Any line edit the window description adds later is a one-line field as well.
TEST_F(MainWindowFixture, EveryNamedLineEditKeepsOneLine)
{
    start();
    int checked = 0;
    for (QLineEdit *edit : form->findChildren<QLineEdit *>()) {
        if (edit->objectName().isEmpty() || edit->objectName().startsWith("qt_"))
            continue;
        edit->setText(QStringLiteral("a\r\nb"));
        EXPECT_EQ(QString("A B"), edit->text().toUpper()) << edit->objectName().toStdString();
        ++checked;
    }
    EXPECT_GE(checked, int(std::size(kOneLineFields)));
}

} // namespace
