#include "ContactInfoFile.h"
#include "MainWindowFixture.h"
#include "QsoClock.h"
#include "QsoEntryRules.h"
#include "QtPrinters.h"
#include "CardLabel.h"
#include "FlatButton.h"
#include "EntryEdit.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QKeyEvent>
#include <QMenu>
#include <QRadioButton>

namespace {

using Answer = UserDialogs::Answer;

class FixedClock : public QsoClock
{
public:
    FixedClock() { setQsoClock(this); }
    ~FixedClock() override { setQsoClock(nullptr); }
    QDateTime currentUtc() const override { return utc; }
    QDate currentLocalDate() const override { return local; }
    QDateTime utc{QDate(2024, 4, 5), QTime(7, 5, 59), Qt::UTC};
    QDate local{2024, 4, 6};
};

// Types text into an edit key by key, as the operator does.
void type(QLineEdit *edit, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &press);
    }
}

class QsoEntryTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        // The card folder lies inside the test's own folder.
        QDir(dir.path()).mkpath("cards");
        saveLines(dataFile("lfile.qec"), {dir.path() + "/cards/"});
        start();
    }
    FlatButton *button(const QString &name) { return form->control<FlatButton>(name); }
    QRadioButton *radio(const QString &name) { return form->control<QRadioButton>(name); }
    void click(const QString &name)
    {
        FlatButton *b = button(name);
        ASSERT_NE(nullptr, b) << name.toStdString();
        emit b->clicked();
    }
    QWidget *focused() const { return form->focusWidget(); }
    void fillQso()
    {
        form->entryOverlay(QsoField::CallSign)->setText("K1ABC");
        form->entryOverlay(QsoField::UtcDate)->setText("4.5.2024");
        form->entryOverlay(QsoField::UtcTime)->setText("07:45");
        form->entryOverlay(QsoField::Frequency)->setText("14.074");
        form->entryOverlay(QsoField::Mode)->setText("FT8");
        form->entryOverlay(QsoField::Power)->setText("100W");
        form->entryOverlay(QsoField::Signal)->setText("-10");
    }
    FixedClock clock;
};

} // namespace

TEST_F(QsoEntryTest, TimeButtonsFillFieldAndCell)
{
    struct Row { QString start; QStringList presses; QString time; };
    const Row rows[] = {
        {"", {"EncartaButtonM45"}, "45"},
        {"9:30", {"EncartaButtonM45"}, "9:345"},
        {"", {"EncartaButtonH07", "EncartaButtonM45", "EncartaButtonM50"}, "07:50"},
        {"07:50", {"EncartaButtonH23"}, "23:"},
        {"07:50", {"EncartaButtonC"}, ""},
    };
    for (const Row &row : rows) {
        form->entryOverlay(QsoField::UtcTime)->setText(row.start);
        for (const QString &name : row.presses)
            click(name);
        EXPECT_EQ(row.time, form->entryOverlay(QsoField::UtcTime)->text()) << row.presses.join(' ').toStdString();
        EXPECT_EQ(row.time, form->valueElement(QsoField::UtcTime)->caption()) << row.presses.join(' ').toStdString();
    }
    // Only flat buttons count.
    form->qsoEntry().applyTimeButton(radio("RBMode1"));
    EXPECT_EQ(QString(), form->entryOverlay(QsoField::UtcTime)->text());
}

TEST_F(QsoEntryTest, CurrentGmtAndCalendarWriteTheDate)
{
    for (const QString name : {"EncartaButton7", "EncartaButton52"}) {
        form->entryOverlay(QsoField::UtcDate)->clear();
        form->entryOverlay(QsoField::CallSign)->setText("K1ABC");
        form->entryOverlay(QsoField::Frequency)->setFocus();
        click(name);
        EXPECT_EQ(QStringLiteral("4.5.2024"), form->entryOverlay(QsoField::UtcDate)->text());
        EXPECT_EQ(QStringLiteral("07:05"), form->entryOverlay(QsoField::UtcTime)->text());
        EXPECT_EQ(QStringLiteral("4.5.2024"), form->valueElement(QsoField::UtcDate)->caption());
        EXPECT_EQ(QStringLiteral("07:05"), form->valueElement(QsoField::UtcTime)->caption());
        EXPECT_EQ(form->entryOverlay(QsoField::CallSign), focused());
        EXPECT_EQ(QStringLiteral("K1ABC"), form->entryOverlay(QsoField::CallSign)->selectedText());
    }
    form->control<QCalendarWidget>("MonthCalendar1")->setSelectedDate(QDate(2023, 11, 9));
    emit form->control<QCalendarWidget>("MonthCalendar1")->clicked(QDate(2023, 11, 9));
    EXPECT_EQ(QStringLiteral("11.9.2023"), form->entryOverlay(QsoField::UtcDate)->text());
    EXPECT_EQ(QStringLiteral("11.9.2023"), form->valueElement(QsoField::UtcDate)->caption());
}

// With "ISO dates" the card prints the typed date year-month-day; the field keeps what was
// typed, and a text that is no date stays as it is.
TEST_F(QsoEntryTest, IsoDatesPrintTheCardsDateYearMonthDay)
{
    form->control<QCheckBox>("CBIsoDate")->setChecked(true);
    const struct { const char *typed, *shown; } rows[] = {
        {"12.6.2026", "2026-12-06"}, {"20261206", "2026-12-06"}, {"next week", "next week"}};
    for (const auto &row : rows) {
        form->entryOverlay(QsoField::UtcDate)->setText(row.typed);
        form->qsoEntry().copyFieldsToCard();
        EXPECT_EQ(QString(row.shown), form->valueElement(QsoField::UtcDate)->caption()) << row.typed;
        EXPECT_EQ(QString(row.typed), form->entryOverlay(QsoField::UtcDate)->text());
    }
    click("EncartaButton7");
    EXPECT_EQ(QStringLiteral("2024-04-05"), form->valueElement(QsoField::UtcDate)->caption());
    form->control<QCheckBox>("CBIsoDate")->setChecked(false);
    form->qsoEntry().copyFieldsToCard();
    EXPECT_EQ(QStringLiteral("4.5.2024"), form->valueElement(QsoField::UtcDate)->caption());
}

TEST_F(QsoEntryTest, SignalButtonsKeepFieldAndCellApart)
{
    struct Row { QString typed; QStringList presses; QString field, cell; };
    const Row rows[] = {
        {"", {"RST5", "RST9", "RST9"}, "599", "599"},
        {"", {"EBSig03", "RST9"}, "579", "579"},        // "Signal.txt" line 3 is 57
        {"5", {"RST9"}, "59", "9"},                      // typed text reaches the cell later
        {"599", {"Clear"}, "", ""},
    };
    for (const Row &row : rows) {
        form->entryOverlay(QsoField::Signal)->setText(row.typed);
        form->valueElement(QsoField::Signal)->setCaption(QString());
        for (const QString &name : row.presses)
            click(name);
        EXPECT_EQ(row.field, form->entryOverlay(QsoField::Signal)->text()) << row.presses.join(' ').toStdString();
        EXPECT_EQ(row.cell, form->valueElement(QsoField::Signal)->caption()) << row.presses.join(' ').toStdString();
        EXPECT_EQ(form->entryOverlay(QsoField::CallSign), focused());
    }
}

TEST_F(QsoEntryTest, RadiosAndFrequencyButtons)
{
    radio("RBPower3")->setChecked(true);
    EXPECT_EQ(QStringLiteral("25W"), form->entryOverlay(QsoField::Power)->text());
    EXPECT_EQ(QStringLiteral("25W"), form->valueElement(QsoField::Power)->caption());
    EXPECT_FALSE(radio("RBPower3")->focusPolicy() & Qt::TabFocus);
    radio("RBMode7")->setChecked(true);
    EXPECT_EQ(QStringLiteral("FT8"), form->entryOverlay(QsoField::Mode)->text());
    EXPECT_EQ(QStringLiteral("FT8"), form->valueElement(QsoField::Mode)->caption());
    EXPECT_EQ(form->entryOverlay(QsoField::CallSign), focused());

    // A click on the mode already chosen picks its caption again over a typed one, once.
    form->entryOverlay(QsoField::Mode)->setText("USB");
    int runs = 0;
    QObject::connect(form->entryOverlay(QsoField::Mode), &QLineEdit::textChanged, [&runs] { ++runs; });
    radio("RBMode7")->click();
    radio("RBMode1")->click();
    EXPECT_EQ(QStringLiteral("SSB"), form->entryOverlay(QsoField::Mode)->text());
    EXPECT_EQ(2, runs);

    click("EBFreq08");
    EXPECT_EQ(QStringLiteral("14.0"), form->valueElement(QsoField::Frequency)->caption());
    EXPECT_EQ(form->entryOverlay(QsoField::Frequency), focused());
    type(form->entryOverlay(QsoField::Frequency), "74");
    EXPECT_EQ(QStringLiteral("14.074"), form->entryOverlay(QsoField::Frequency)->text());
}

TEST_F(QsoEntryTest, ClearAsksAndKeepsThePower)
{
    struct Row { QString callSign; Answer answer; QString email; };
    const Row rows[] = {
        {"K1ABC", Answer::Cancel, "k1abc@arrl.net"},
        {"K1ABC", Answer::Ok, "Contact's Email"},
        {"", Answer::Ok, "k1abc@arrl.net"},
    };
    for (const Row &row : rows) {
        fillQso();
        form->entryOverlay(QsoField::CallSign)->setText(row.callSign);
        radio("RBMode2")->setChecked(true);
        form->qsoEntry().copyFieldsToCard();
        form->contactEmailField()->setText("k1abc@arrl.net");
        dialogs.shown.clear();
        dialogs.answers = {row.answer};
        click("EncartaButton5");
        const bool cleared = row.answer == Answer::Ok;
        EXPECT_EQ((QStringList{"Clear information boxes?"}), dialogs.texts("question"));
        EXPECT_EQ((QStringList{"-20,35"}), dialogs.texts("pointer"));
        EXPECT_EQ(cleared ? QString() : QStringLiteral("CW"), form->entryOverlay(QsoField::Mode)->text());
        EXPECT_EQ(cleared ? QString() : QStringLiteral("CW"), form->valueElement(QsoField::Mode)->caption());
        EXPECT_EQ(cleared ? QString() : QStringLiteral("07:45"), form->entryOverlay(QsoField::UtcTime)->text());
        EXPECT_EQ(cleared ? QString() : row.callSign, form->valueElement(QsoField::CallSign)->caption());
        EXPECT_EQ(!cleared, radio("RBMode2")->isChecked());
        EXPECT_EQ(QStringLiteral("100W"), form->entryOverlay(QsoField::Power)->text());
        EXPECT_EQ(QStringLiteral("100W"), form->valueElement(QsoField::Power)->caption());
        EXPECT_EQ(row.email, form->contactEmailField()->text());
    }
}

TEST_F(QsoEntryTest, CallSignIsUpperCasedWithTheCaretAtTheEnd)
{
    form->contactEmailField()->setText("old@example.com");
    type(form->entryOverlay(QsoField::CallSign), "k1abc/p");
    EXPECT_EQ(QStringLiteral("K1ABC/P"), form->entryOverlay(QsoField::CallSign)->text());
    EXPECT_EQ(7, form->entryOverlay(QsoField::CallSign)->cursorPosition());
    EXPECT_EQ(QStringLiteral("K1ABC/P"), form->valueElement(QsoField::CallSign)->caption());
    EXPECT_EQ(QStringLiteral("Contact's Email"), form->contactEmailField()->text());

    form->entryOverlay(QsoField::CallSign)->setCursorPosition(2);
    type(form->entryOverlay(QsoField::CallSign), "X");
    EXPECT_EQ(QStringLiteral("K1XABC/P"), form->entryOverlay(QsoField::CallSign)->text());
    EXPECT_EQ(8, form->entryOverlay(QsoField::CallSign)->cursorPosition());
}

TEST_F(QsoEntryTest, ContactEmailField)
{
    form->entryOverlay(QsoField::CallSign)->setText("K1ABC");
    form->contactEmailField()->setText("typed@example.com");
    form->qsoEntry().offerContactEmail();
    EXPECT_EQ(QStringLiteral("K1ABC@arrl.net"), form->contactEmailField()->text());
    EXPECT_EQ(QStringLiteral("K1ABC@arrl.net"), form->contactEmailField()->selectedText());
    QAction *item0 = form->control<QMenu>("PopupMenu1")->actions().at(0);
    EXPECT_TRUE(item0->isVisible());
    EXPECT_EQ(QStringLiteral("K1ABC"), item0->text());

    form->contactEmailField()->clear();
    type(form->contactEmailField(), "w1aw..");
    EXPECT_EQ(QStringLiteral("W1AW@"), form->contactEmailField()->text());
    type(form->contactEmailField(), ".");
    EXPECT_EQ(QStringLiteral("W1AW@."), form->contactEmailField()->text());
    EXPECT_EQ(6, form->contactEmailField()->cursorPosition());

    form->contactEmailField()->setText("k1abc@gmail.com");
    form->control<QMenu>("PopupMenu1")->actions().at(3)->trigger();
    EXPECT_EQ(QStringLiteral("K1ABC@qsl.net"), form->contactEmailField()->text());
    form->control<QMenu>("PopupMenu1")->actions().at(2)->trigger();
    EXPECT_EQ(QStringLiteral("K1ABC@arrl.net"), form->contactEmailField()->text());
    EXPECT_EQ(QStringLiteral("@qsl.net"), form->control<QMenu>("PopupMenu1")->actions().at(3)->text());

    form->qsoEntry().clearContactEmail();
    EXPECT_EQ(QString(), form->contactEmailField()->text());
    form->qsoEntry().restoreContactEmailPlaceholder();
    EXPECT_EQ(QStringLiteral("Contact's Email"), form->contactEmailField()->text());

    form->entryOverlay(QsoField::CallSign)->clear();
    form->qsoEntry().offerContactEmail();
    EXPECT_FALSE(item0->isVisible());
    EXPECT_EQ(QStringLiteral("Contact's Email"), form->contactEmailField()->text());
}

TEST_F(QsoEntryTest, OnlyRealFocusChangesEnterOrLeaveTheEmailField)
{
    struct Row { QEvent::Type type; Qt::FocusReason reason; QString before, after; };
    const Row rows[] = {
        {QEvent::FocusIn, Qt::MouseFocusReason, "K1ABC@qsl.net", "K1ABC@arrl.net"},
        {QEvent::FocusIn, Qt::PopupFocusReason, "K1ABC@qsl.net", "K1ABC@qsl.net"},
        {QEvent::FocusIn, Qt::ActiveWindowFocusReason, "K1ABC@qsl.net", "K1ABC@qsl.net"},
        {QEvent::FocusOut, Qt::MouseFocusReason, "", "Contact's Email"},
        {QEvent::FocusOut, Qt::PopupFocusReason, "", ""},
    };
    form->entryOverlay(QsoField::CallSign)->setText("K1ABC");
    for (const Row &row : rows) {
        form->contactEmailField()->setText(row.before);
        QFocusEvent focus(row.type, row.reason);
        QApplication::sendEvent(form->contactEmailField(), &focus);
        EXPECT_EQ(row.after, form->contactEmailField()->text()) << int(row.type) << " " << int(row.reason);
    }
}

TEST_F(QsoEntryTest, CheckTellsWhetherTheOutputStops)
{
    fillQso();
    form->contactEmailField()->setText("k1abc@arrl.net");
    EXPECT_FALSE(form->qsoEntry().shouldStopOutput("Email"));
    EXPECT_TRUE(dialogs.shown.empty());

    form->contactEmailField()->setText("Contact's Email");
    EXPECT_TRUE(form->qsoEntry().shouldStopOutput("Email"));
    EXPECT_EQ((QStringList{"Invalid recipient email addess."}), dialogs.texts("warning"));

    dialogs.answers = {Answer::Yes};
    EXPECT_FALSE(form->qsoEntry().shouldStopOutput(""));
}

TEST_F(QsoEntryTest, ContactInfoFileOfTheQsoOnScreen)
{
    fillQso();
    form->entryOverlay(QsoField::CallSign)->setText("K1ABC/P");
    form->contactEmailField()->setText("k1abc@arrl.net");
    form->qsoEntry().writeContactInfo();
    form->entryOverlay(QsoField::UtcTime)->setText("08:10");
    form->qsoEntry().writeContactInfo();
    const QString path = dir.path() + "/cards/24_04_06_K1ABC_P_info.txt";
    EXPECT_EQ((QStringList{"k1abc@arrl.net", "K1ABC/P", "4.5.2024", "08:10", "14.074", "FT8",
                           "100W", "-10"}),
              loadLines(path));
    EXPECT_EQ(1, QDir(dir.path() + "/cards").entryList(QDir::Files).size());
}

TEST_F(QsoEntryTest, DateFieldTellsTheFormsItReads)
{
    EXPECT_EQ(form->entryOverlay(QsoField::UtcDate)->toolTip(), qsoDateHint());
}
