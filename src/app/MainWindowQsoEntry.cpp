// The QSO entry handlers of the main window: quick-picks, the call-sign field, the contact
// e-mail field with its popup menu, the check before output and the contact info file.
#include "ButtonState.h"
#include "MainWindow.h"

#include "ContactEmail.h"
#include "ContactInfoFile.h"
#include "EventHook.h"
#include "HandlerGuard.h"
#include "QsoCheck.h"
#include "QsoClock.h"
#include "QsoEntryRules.h"
#include "CardLabel.h"
#include "FlatButton.h"
#include "EntryEdit.h"
#include "UserDialogs.h"

#include <QCalendarWidget>
#include <QMenu>
#include <QRadioButton>
#include <QSignalBlocker>
#include <memory>

namespace {

QString captionOf(const QObject *control)
{
    if (auto *button = qobject_cast<const FlatButton *>(control))
        return button->caption();
    if (auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text();
    return QString();
}

// Sets an edit's text without raising its change handler a second time.
void setTextQuietly(QLineEdit *edit, const QString &text)
{
    if (edit->text() == text)
        return;
    const QSignalBlocker block(edit);
    edit->setText(text);
}

// The call-sign field, the six other QSO fields, the mail settings boxes and the contact
// e-mail field with its popup menu.
void connectQsoFields(MainWindow *form)
{
    auto guard = [form](void (MainWindow::*handler)(QObject *), QObject *sender) {
        return [form, handler, sender] { guarded([&] { (form->*handler)(sender); }); };
    };
    const QString callSignFollowers[] = {"ContactCallSign", "umEdit1", "umEdit2", "umEdit3"};
    for (const QString &name : callSignFollowers)
        if (auto *edit = form->control<QLineEdit>(name))
            QObject::connect(edit, &QLineEdit::textChanged, form,
                             guard(&MainWindow::ContactCallSignChange, edit));
    for (EntryEdit *edit : {form->UTCDate, form->UTCTime, form->Freq, form->Mode, form->Power,
                          form->Signal})
        if (edit)
            QObject::connect(edit, &QLineEdit::textChanged, form,
                             [form] { guarded([form] { form->EditBoxes(); }); });

    EntryEdit *email = form->ContactsEmail;
    if (!email)
        return;
    QObject::connect(email, &QLineEdit::textChanged, form, guard(&MainWindow::ContactsEmailChange, email));
    new EventHook(email, QEvent::FocusIn, guard(&MainWindow::ContactsEmailEnter, email));
    new EventHook(email, QEvent::FocusOut, guard(&MainWindow::ContactsEmailExit, email));
    new EventHook(email, QEvent::MouseButtonDblClick, guard(&MainWindow::ContactsEmailDblClick, email));
    if (QMenu *menu = form->PopupMenu1) {
        const QList<QAction *> items = menu->actions();
        if (items.size() >= 4) {
            items[2]->setText(firstForwardingDomain());
            items[3]->setText(secondForwardingDomain());
        }
        for (QAction *item : items)
            QObject::connect(item, &QAction::triggered, form, guard(&MainWindow::MenuCallSign1Click, item));
    }
}

} // namespace

void MainWindow::connectQsoEntry()
{
    auto onClick = [this](const QString &name, void (MainWindow::*handler)(QObject *)) {
        auto *button = control<FlatButton>(name);
        if (!button)
            return;
        connect(button, &FlatButton::clicked, this,
                [this, button, handler] { guarded([&] { (this->*handler)(button); }); });
    };
    auto two = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    for (int h = 0; h < 24; ++h)
        onClick(QStringLiteral("EncartaButtonH") + two(h), &MainWindow::HourMinuteClick);
    for (int m = 0; m < 60; m += 5)
        onClick(QStringLiteral("EncartaButtonM") + two(m), &MainWindow::HourMinuteClick);
    onClick(QStringLiteral("EncartaButtonC"), &MainWindow::HourMinuteClick);
    onClick(QStringLiteral("EncartaButton7"), &MainWindow::EncartaButton52Click);
    onClick(QStringLiteral("EncartaButton52"), &MainWindow::EncartaButton52Click);
    for (int n = 1; n <= 9; ++n)
        onClick(QStringLiteral("RST%1").arg(n), &MainWindow::Signal1Click);
    onClick(QStringLiteral("Clear"), &MainWindow::Signal1Click);
    for (int n = 1; n <= 16; ++n)
        onClick(QStringLiteral("EBSig") + two(n), &MainWindow::Signal1Click);
    for (int n = 1; n <= 14; ++n)
        onClick(QStringLiteral("EBFreq") + two(n), &MainWindow::EBFreq01Click);
    onClick(QStringLiteral("EncartaButton5"), &MainWindow::ClearButton4Click);

    // Radio buttons answer when they become checked, so restoring a remembered choice runs
    // the handler just as a click does. A click on the radio already checked changes no
    // state yet still picks its caption again (over a value typed since).
    auto onChecked = [this](const QString &name, void (MainWindow::*handler)(QObject *)) {
        auto *radio = control<QRadioButton>(name);
        if (!radio)
            return;
        auto run = [this, radio, handler] { guarded([&] { (this->*handler)(radio); }); };
        connect(radio, &QRadioButton::toggled, this, [run](bool on) {
            if (on)
                run();
        });
        auto wasChecked = std::make_shared<bool>(false);
        connect(radio, &QRadioButton::pressed, this,
                [radio, wasChecked] { *wasChecked = radio->isChecked(); });
        connect(radio, &QRadioButton::clicked, this, [run, wasChecked] {
            if (*wasChecked)
                run();
            *wasChecked = false;
        });
    };
    for (int n = 1; n <= 9; ++n)
        onChecked(QStringLiteral("RBPower%1").arg(n), &MainWindow::PowerClick);
    for (int n = 1; n <= 8; ++n)
        onChecked(QStringLiteral("RBMode%1").arg(n), &MainWindow::RBMode1Click);

    if (MonthCalendar1)
        connect(MonthCalendar1, &QCalendarWidget::clicked, this,
                [this] { guarded([this] { MonthCalendar1Click(MonthCalendar1); }); });
    connectQsoFields(this);
}

void MainWindow::HourMinuteClick(QObject *sender)
{
    if (!qobject_cast<FlatButton *>(sender))
        return;
    const TimeButton kind = timeButtonKind(sender->objectName());
    if (kind == TimeButton::None)
        return;
    UTCTime->setText(timeAfterButton(kind, captionOf(sender), UTCTime->text()));
    alUTCTime->setCaption(UTCTime->text());
}

void MainWindow::EncartaButton52Click(QObject *)
{
    const QDateTime now = qsoClock().currentUtc().toUTC();
    UTCDate->setText(quickPickDate(now.date()));
    UTCTime->setText(quickPickTime(now.time()));
    alUTCDate->setCaption(UTCDate->text());
    alUTCTime->setCaption(UTCTime->text());
    focusCallSign();
    ContactCallSign->selectAll();
}

void MainWindow::MonthCalendar1Click(QObject *)
{
    UTCDate->setText(quickPickDate(MonthCalendar1->selectedDate()));
    alUTCDate->setCaption(UTCDate->text());
}

void MainWindow::Signal1Click(QObject *sender)
{
    const SignalButton kind = signalButtonKind(sender ? sender->objectName() : QString());
    const QString caption = captionOf(sender);
    // The field and the card's cell each keep their own text.
    Signal->setText(signalAfterButton(kind, caption, Signal->text()));
    alSignal->setCaption(signalAfterButton(kind, caption, alSignal->caption()));
    focusCallSign();
    ContactCallSign->selectAll();
}

void MainWindow::PowerClick(QObject *sender)
{
    Power->setText(captionOf(sender));
    alPower->setCaption(Power->text());
    TabFalse(sender);
    focusCallSign();
}

void MainWindow::RBMode1Click(QObject *sender)
{
    if (qobject_cast<QRadioButton *>(sender)) {
        Mode->setText(captionOf(sender));
        alMode->setCaption(Mode->text());
    }
    TabFalse(sender);
    focusCallSign();
}

void MainWindow::EBFreq01Click(QObject *sender)
{
    Freq->setText(captionOf(sender));
    alFreq->setCaption(Freq->text());
    Freq->setFocus();
    Freq->deselect();
    Freq->setCursorPosition(Freq->text().size());
}

void MainWindow::ClearButton4Click(QObject *)
{
    userDialogs().placePointer(-20, 35);
    if (userDialogs().question(QStringLiteral("Clear information boxes?"),
                               UserDialogs::Buttons::OkCancel) != UserDialogs::Answer::Ok)
        return;
    EntryEdit *edits[] = {ContactCallSign, UTCDate, UTCTime, Freq, Mode, Signal};
    CardLabel *values[] = {alContactCallSign, alUTCDate, alUTCTime, alFreq, alMode, alSignal};
    for (int i = 0; i < 6; ++i) {
        edits[i]->clear();
        values[i]->setCaption(QString());
    }
    for (int n = 1; n <= 8; ++n)
        uncheckButton(control<QRadioButton>(QStringLiteral("RBMode%1").arg(n)));
    focusCallSign();
}

void MainWindow::ContactCallSignChange(QObject *)
{
    setTextQuietly(ContactCallSign, upperCaseAtoZ(ContactCallSign->text()));
    ContactCallSign->setCursorPosition(ContactCallSign->text().size());
    alContactCallSign->setCaption(ContactCallSign->text());
    ContactsEmail->setText(contactEmailPlaceholder());
}

void MainWindow::ContactsEmailEnter(QObject *)
{
    const QString callSign = ContactCallSign->text();
    ContactsEmail->setText(emailOnEnter(callSign, ContactsEmail->text()));
    ContactsEmail->setCursorPosition(ContactsEmail->text().size());
    ContactsEmail->selectAll();
    if (QAction *item = PopupMenu1 ? PopupMenu1->actions().value(0) : nullptr) {
        item->setVisible(!callSign.isEmpty());
        if (!callSign.isEmpty())
            item->setText(callSign);
    }
}

void MainWindow::ContactsEmailChange(QObject *)
{
    setTextQuietly(ContactsEmail, emailAfterChange(ContactsEmail->text()));
    ContactsEmail->setCursorPosition(ContactsEmail->text().size());
}

void MainWindow::ContactsEmailDblClick(QObject *)
{
    ContactsEmail->clear();
}

void MainWindow::ContactsEmailExit(QObject *)
{
    if (ContactsEmail->text().isEmpty())
        ContactsEmail->setText(contactEmailPlaceholder());
}

void MainWindow::MenuCallSign1Click(QObject *sender)
{
    const int position = PopupMenu1->actions().indexOf(qobject_cast<QAction *>(sender));
    ContactsEmail->setText(
        emailAfterMenuItem(position, ContactsEmail->text(), ContactCallSign->text()));
}

QsoRecord MainWindow::qsoOnScreen() const
{
    return {ContactCallSign->text(), UTCDate->text(), UTCTime->text(), Freq->text(),
            Mode->text(),            Power->text(),   Signal->text()};
}

void MainWindow::CheckIfValidInfo(const QString &purpose)
{
    StopFlag = false;
    StopFlag = qsoCheckStops(qsoOnScreen(), ContactsEmail->text(), purpose, userDialogs());
}

void MainWindow::WriteContactsInfo()
{
    writeContactInfoFile(ContactsEmail->text(), qsoOnScreen(), qsoClock().currentLocalDate());
}
