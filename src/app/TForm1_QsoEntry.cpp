// The QSO entry handlers of the main window: quick-picks, the call-sign field, the contact
// e-mail field with its popup menu, the check before output and the contact info file.
#include "ButtonState.h"
#include "TForm1.h"

#include "ContactEmail.h"
#include "ContactInfoFile.h"
#include "EventHook.h"
#include "HandlerGuard.h"
#include "QsoCheck.h"
#include "QsoClock.h"
#include "QsoEntryRules.h"
#include "TAlLabel.h"
#include "TEncartaButton.h"
#include "TumEdit.h"
#include "UserDialogs.h"

#include <QCalendarWidget>
#include <QMenu>
#include <QRadioButton>
#include <QSignalBlocker>
#include <memory>

namespace {

QString captionOf(const QObject *control)
{
    if (auto *button = qobject_cast<const TEncartaButton *>(control))
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
void connectQsoFields(TForm1 *form)
{
    auto guard = [form](void (TForm1::*handler)(QObject *), QObject *sender) {
        return [form, handler, sender] { guarded([&] { (form->*handler)(sender); }); };
    };
    const QString callSignFollowers[] = {"ContactCallSign", "umEdit1", "umEdit2", "umEdit3"};
    for (const QString &name : callSignFollowers)
        if (auto *edit = form->control<QLineEdit>(name))
            QObject::connect(edit, &QLineEdit::textChanged, form,
                             guard(&TForm1::ContactCallSignChange, edit));
    for (TumEdit *edit : {form->UTCDate, form->UTCTime, form->Freq, form->Mode, form->Power,
                          form->Signal})
        if (edit)
            QObject::connect(edit, &QLineEdit::textChanged, form,
                             [form] { guarded([form] { form->EditBoxes(); }); });

    TumEdit *email = form->ContactsEmail;
    if (!email)
        return;
    QObject::connect(email, &QLineEdit::textChanged, form, guard(&TForm1::ContactsEmailChange, email));
    new EventHook(email, QEvent::FocusIn, guard(&TForm1::ContactsEmailEnter, email));
    new EventHook(email, QEvent::FocusOut, guard(&TForm1::ContactsEmailExit, email));
    new EventHook(email, QEvent::MouseButtonDblClick, guard(&TForm1::ContactsEmailDblClick, email));
    if (QMenu *menu = form->PopupMenu1) {
        const QList<QAction *> items = menu->actions();
        if (items.size() >= 4) {
            items[2]->setText(firstForwardingDomain());
            items[3]->setText(secondForwardingDomain());
        }
        for (QAction *item : items)
            QObject::connect(item, &QAction::triggered, form, guard(&TForm1::MenuCallSign1Click, item));
    }
}

} // namespace

void TForm1::connectQsoEntry()
{
    auto onClick = [this](const QString &name, void (TForm1::*handler)(QObject *)) {
        auto *button = control<TEncartaButton>(name);
        if (!button)
            return;
        connect(button, &TEncartaButton::clicked, this,
                [this, button, handler] { guarded([&] { (this->*handler)(button); }); });
    };
    auto two = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    for (int h = 0; h < 24; ++h)
        onClick(QStringLiteral("EncartaButtonH") + two(h), &TForm1::HourMinuteClick);
    for (int m = 0; m < 60; m += 5)
        onClick(QStringLiteral("EncartaButtonM") + two(m), &TForm1::HourMinuteClick);
    onClick(QStringLiteral("EncartaButtonC"), &TForm1::HourMinuteClick);
    onClick(QStringLiteral("EncartaButton7"), &TForm1::EncartaButton52Click);
    onClick(QStringLiteral("EncartaButton52"), &TForm1::EncartaButton52Click);
    for (int n = 1; n <= 9; ++n)
        onClick(QStringLiteral("RST%1").arg(n), &TForm1::Signal1Click);
    onClick(QStringLiteral("Clear"), &TForm1::Signal1Click);
    for (int n = 1; n <= 16; ++n)
        onClick(QStringLiteral("EBSig") + two(n), &TForm1::Signal1Click);
    for (int n = 1; n <= 14; ++n)
        onClick(QStringLiteral("EBFreq") + two(n), &TForm1::EBFreq01Click);
    onClick(QStringLiteral("EncartaButton5"), &TForm1::ClearButton4Click);

    // Radio buttons answer when they become checked, so restoring a remembered choice runs
    // the handler just as a click does. A click on the radio already checked changes no
    // state yet still picks its caption again (over a value typed since).
    auto onChecked = [this](const QString &name, void (TForm1::*handler)(QObject *)) {
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
        onChecked(QStringLiteral("RBPower%1").arg(n), &TForm1::PowerClick);
    for (int n = 1; n <= 8; ++n)
        onChecked(QStringLiteral("RBMode%1").arg(n), &TForm1::RBMode1Click);

    if (MonthCalendar1)
        connect(MonthCalendar1, &QCalendarWidget::clicked, this,
                [this] { guarded([this] { MonthCalendar1Click(MonthCalendar1); }); });
    connectQsoFields(this);
}

void TForm1::HourMinuteClick(QObject *sender)
{
    if (!qobject_cast<TEncartaButton *>(sender))
        return;
    const TimeButton kind = timeButtonKind(sender->objectName());
    if (kind == TimeButton::None)
        return;
    UTCTime->setText(timeAfterButton(kind, captionOf(sender), UTCTime->text()));
    alUTCTime->setCaption(UTCTime->text());
}

void TForm1::EncartaButton52Click(QObject *)
{
    const QDateTime now = qsoClock().currentUtc().toUTC();
    UTCDate->setText(quickPickDate(now.date()));
    UTCTime->setText(quickPickTime(now.time()));
    alUTCDate->setCaption(UTCDate->text());
    alUTCTime->setCaption(UTCTime->text());
    focusCallSign();
    ContactCallSign->selectAll();
}

void TForm1::MonthCalendar1Click(QObject *)
{
    UTCDate->setText(quickPickDate(MonthCalendar1->selectedDate()));
    alUTCDate->setCaption(UTCDate->text());
}

void TForm1::Signal1Click(QObject *sender)
{
    const SignalButton kind = signalButtonKind(sender ? sender->objectName() : QString());
    const QString caption = captionOf(sender);
    // The field and the card's cell each keep their own text.
    Signal->setText(signalAfterButton(kind, caption, Signal->text()));
    alSignal->setCaption(signalAfterButton(kind, caption, alSignal->caption()));
    focusCallSign();
    ContactCallSign->selectAll();
}

void TForm1::PowerClick(QObject *sender)
{
    Power->setText(captionOf(sender));
    alPower->setCaption(Power->text());
    TabFalse(sender);
    focusCallSign();
}

void TForm1::RBMode1Click(QObject *sender)
{
    if (qobject_cast<QRadioButton *>(sender)) {
        Mode->setText(captionOf(sender));
        alMode->setCaption(Mode->text());
    }
    TabFalse(sender);
    focusCallSign();
}

void TForm1::EBFreq01Click(QObject *sender)
{
    Freq->setText(captionOf(sender));
    alFreq->setCaption(Freq->text());
    Freq->setFocus();
    Freq->deselect();
    Freq->setCursorPosition(Freq->text().size());
}

void TForm1::ClearButton4Click(QObject *)
{
    userDialogs().placePointer(-20, 35);
    if (userDialogs().question(QStringLiteral("Clear information boxes?"),
                               UserDialogs::Buttons::OkCancel) != UserDialogs::Answer::Ok)
        return;
    TumEdit *edits[] = {ContactCallSign, UTCDate, UTCTime, Freq, Mode, Signal};
    TAlLabel *values[] = {alContactCallSign, alUTCDate, alUTCTime, alFreq, alMode, alSignal};
    for (int i = 0; i < 6; ++i) {
        edits[i]->clear();
        values[i]->setCaption(QString());
    }
    for (int n = 1; n <= 8; ++n)
        uncheckButton(control<QRadioButton>(QStringLiteral("RBMode%1").arg(n)));
    focusCallSign();
}

void TForm1::ContactCallSignChange(QObject *)
{
    setTextQuietly(ContactCallSign, upperCaseAtoZ(ContactCallSign->text()));
    ContactCallSign->setCursorPosition(ContactCallSign->text().size());
    alContactCallSign->setCaption(ContactCallSign->text());
    ContactsEmail->setText(contactEmailPlaceholder());
}

void TForm1::ContactsEmailEnter(QObject *)
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

void TForm1::ContactsEmailChange(QObject *)
{
    setTextQuietly(ContactsEmail, emailAfterChange(ContactsEmail->text()));
    ContactsEmail->setCursorPosition(ContactsEmail->text().size());
}

void TForm1::ContactsEmailDblClick(QObject *)
{
    ContactsEmail->clear();
}

void TForm1::ContactsEmailExit(QObject *)
{
    if (ContactsEmail->text().isEmpty())
        ContactsEmail->setText(contactEmailPlaceholder());
}

void TForm1::MenuCallSign1Click(QObject *sender)
{
    const int position = PopupMenu1->actions().indexOf(qobject_cast<QAction *>(sender));
    ContactsEmail->setText(
        emailAfterMenuItem(position, ContactsEmail->text(), ContactCallSign->text()));
}

QsoRecord TForm1::qsoOnScreen() const
{
    return {ContactCallSign->text(), UTCDate->text(), UTCTime->text(), Freq->text(),
            Mode->text(),            Power->text(),   Signal->text()};
}

void TForm1::CheckIfValidInfo(const QString &purpose)
{
    StopFlag = false;
    StopFlag = qsoCheckStops(qsoOnScreen(), ContactsEmail->text(), purpose, userDialogs());
}

void TForm1::WriteContactsInfo()
{
    writeContactInfoFile(ContactsEmail->text(), qsoOnScreen(), qsoClock().currentLocalDate());
}
