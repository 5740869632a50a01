#include "QsoEntryController.h"

#include "ButtonState.h"
#include "CardLabel.h"
#include "ContactEmail.h"
#include "ContactInfoFile.h"
#include "ControlNames.h"
#include "EntryEdit.h"
#include "EventHook.h"
#include "FileDialogMemory.h"
#include "FlatButton.h"
#include "HandlerGuard.h"
#include "KartelloError.h"
#include "ControlLookup.h"
#include "FeatureHosts.h"
#include "QsoCheck.h"
#include "QsoClock.h"
#include "QsoEntryRules.h"
#include "SavedCard.h"
#include "UserDialogs.h"

#include <QCalendarWidget>
#include <QMenu>
#include <QRadioButton>
#include <QSignalBlocker>

#include <memory>

using card::QsoField;

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

} // namespace

const QRadioButton *checkedPowerRadio(const ControlLookup &controls)
{
    for (int n = 1; n <= controlnames::powerRadioCount; ++n) {
        const auto *radio = controls.control<QRadioButton>(controlnames::powerRadio(n));
        if (radio->isChecked())
            return radio;
    }
    return nullptr;
}

QString chooseContactInfoFile(FileDialogMemory &dialog, const QString &folder)
{
    dialog.setInitialDir(folder);
    dialog.setFilter(card::contactInfoFilter());
    const QString chosen =
        userDialogs().openFileName(QStringLiteral("Open"), dialog.initialDir(), dialog.filter());
    if (!chosen.isEmpty())
        dialog.setFileName(chosen);
    return chosen;
}

void showSavedQso(QsoEntryParts &qso, const QStringList &lines)
{
    const card::SavedQso saved = card::savedQsoFromLines(lines);
    for (int i = 0; i < saved.fields.size(); ++i)
        qso.entryOverlay(card::qsoFields()[i].field)->setText(saved.fields[i]);
    if (saved.missingLine)
        throw KartelloError::indexOutOfBounds(*saved.missingLine);
    if (saved.contactEmail)
        qso.contactEmailField()->setText(*saved.contactEmail);
}

QsoEntryController::QsoEntryController(ControlLookup &controls, QsoEntryParts &qso,
                                       KeyboardFocusHost &focus)
    : QObject(&controls.hostWidget())
    , m_controls(controls)
    , m_qso(qso)
    , m_focus(focus)
{
    connectQuickPicks();
    connectChoiceRadios();
    connectFields();
    connectContactEmail();
}

EntryEdit *QsoEntryController::overlay(QsoField field) const
{
    return m_qso.entryOverlay(field);
}

CardLabel *QsoEntryController::value(QsoField field) const
{
    return m_qso.valueElement(field);
}

EntryEdit *QsoEntryController::emailField() const
{
    return m_qso.contactEmailField();
}

void QsoEntryController::connectQuickPicks()
{
    using Handler = void (QsoEntryController::*)(QObject *);
    auto onClick = [this](const QString &name, Handler handler) {
        auto *button = m_controls.control<FlatButton>(name);
        if (!button)
            return;
        connectGuarded(button, &FlatButton::clicked, this,
                       [this, button, handler] { (this->*handler)(button); });
    };
    using namespace controlnames;
    for (int h = 0; h < 24; ++h)
        onClick(hourButton(h), &QsoEntryController::applyTimeButton);
    for (int m = 0; m < 60; m += 5)
        onClick(minuteButton(m), &QsoEntryController::applyTimeButton);
    onClick(clearTimeButton, &QsoEntryController::applyTimeButton);
    for (const char *name : {timePanelNowButton, entryNowButton})
        connectGuarded(m_controls.control<FlatButton>(QString::fromLatin1(name)),
                       &FlatButton::clicked, this, [this] { fillCurrentUtcDateTime(); });
    for (int n = 1; n <= signalDigitCount; ++n)
        onClick(signalDigitButton(n), &QsoEntryController::applySignalButton);
    onClick(clearSignalButton, &QsoEntryController::applySignalButton);
    for (int n = 1; n <= signalReportCount; ++n)
        onClick(signalReportButton(n), &QsoEntryController::applySignalButton);
    for (int n = 1; n <= frequencyButtonCount; ++n)
        onClick(frequencyButton(n), &QsoEntryController::takeFrequencyButton);
    connectGuarded(m_controls.control<FlatButton>(clearQsoButton), &FlatButton::clicked, this,
                   [this] { clearQsoFields(); });
    if (auto *calendar = m_controls.control<QCalendarWidget>(controlnames::calendar)) {
        connectGuarded(calendar, &QCalendarWidget::clicked, this, [this] { takeCalendarDate(); });
        connectGuarded(calendar, &QCalendarWidget::currentPageChanged, this,
                       [this](int year, int month) { turnCalendarPage(year, month); });
    }
}

void QsoEntryController::turnCalendarPage(int year, int month)
{
    auto *calendar = m_controls.control<QCalendarWidget>(controlnames::calendar);
    const QDate selected = calendar->selectedDate();
    // The page follows a date chosen on it or set by the program: nothing was clicked.
    if (selected.year() == year && selected.month() == month)
        return;
    calendar->setSelectedDate(sameDayOnPage(selected, year, month));
    takeCalendarDate();
}

// Radio buttons answer when they become checked, so restoring a remembered choice runs the
// handler just as a click does. A click on the radio already checked changes no state yet
// still picks its caption again (over a value typed since).
void QsoEntryController::connectChoiceRadios()
{
    using Handler = void (QsoEntryController::*)(QObject *);
    auto onChecked = [this](const QString &name, Handler handler) {
        auto *radio = m_controls.control<QRadioButton>(name);
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
    for (int n = 1; n <= controlnames::powerRadioCount; ++n)
        onChecked(controlnames::powerRadio(n), &QsoEntryController::takePowerChoice);
    for (int n = 1; n <= controlnames::modeRadioCount; ++n)
        onChecked(controlnames::modeRadio(n), &QsoEntryController::takeModeChoice);
}

// The call-sign field and the mail settings boxes follow the call sign; the six other fields
// refresh the identity on the card. The seven fields are the only tab stops, in column order.
void QsoEntryController::connectFields()
{
    using namespace controlnames;
    QLineEdit *const followers[] = {overlay(QsoField::CallSign),
                                    m_controls.control<QLineEdit>(mailHostEdit),
                                    m_controls.control<QLineEdit>(mailUserEdit),
                                    m_controls.control<QLineEdit>(mailPasswordEdit)};
    for (QLineEdit *edit : followers)
        connectGuarded(edit, &QLineEdit::textChanged, this, [this] { onCallSignEdited(); });
    QWidget *previous = nullptr;
    for (const card::QsoFieldNames &field : card::qsoFields()) {
        EntryEdit *edit = overlay(field.field);
        if (field.field != QsoField::CallSign)
            connectGuarded(edit, &QLineEdit::textChanged, this, [this] { emit identityToRefresh(); });
        if (previous)
            QWidget::setTabOrder(previous, edit);
        previous = edit;
    }
    // Typed dates are read one way only; the tooltip says which before the check refuses one.
    overlay(QsoField::UtcDate)->setToolTip(qsoDateHint());
}

void QsoEntryController::connectContactEmail()
{
    EntryEdit *email = emailField();
    auto *menu = m_controls.control<QMenu>(controlnames::contactEmailMenu);
    email->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(email, &QWidget::customContextMenuRequested, this,
            [email, menu](const QPoint &at) { menu->popup(email->mapToGlobal(at)); });
    connectGuarded(email, &QLineEdit::textChanged, this, [this] { normaliseContactEmail(); });
    new EventHook(email, QEvent::FocusIn, [this] { guarded([this] { offerContactEmail(); }); });
    new EventHook(email, QEvent::FocusOut,
                  [this] { guarded([this] { restoreContactEmailPlaceholder(); }); });
    new EventHook(email, QEvent::MouseButtonDblClick,
                  [this] { guarded([this] { clearContactEmail(); }); });
    const QList<QAction *> items = menu->actions();
    if (items.size() >= 4) {
        items[2]->setText(firstForwardingDomain());
        items[3]->setText(secondForwardingDomain());
    }
    for (QAction *item : items)
        connectGuarded(item, &QAction::triggered, this,
                       [this, item] { applyContactEmailMenuItem(item); });
}

void QsoEntryController::applyTimeButton(QObject *sender)
{
    if (!qobject_cast<FlatButton *>(sender))
        return;
    const TimeButton kind = timeButtonKind(sender->objectName());
    if (kind == TimeButton::None)
        return;
    EntryEdit *time = overlay(QsoField::UtcTime);
    time->setText(timeAfterButton(kind, captionOf(sender), time->text()));
    value(QsoField::UtcTime)->setCaption(time->text());
}

void QsoEntryController::fillCurrentUtcDateTime()
{
    const QDateTime now = qsoClock().currentUtc().toUTC();
    overlay(QsoField::UtcDate)->setText(quickPickDate(now.date()));
    overlay(QsoField::UtcTime)->setText(quickPickTime(now.time()));
    value(QsoField::UtcDate)->setCaption(cardDate());
    value(QsoField::UtcTime)->setCaption(overlay(QsoField::UtcTime)->text());
    m_focus.focusCallSign();
    overlay(QsoField::CallSign)->selectAll();
}

void QsoEntryController::takeCalendarDate()
{
    const auto *calendar = m_controls.control<QCalendarWidget>(controlnames::calendar);
    overlay(QsoField::UtcDate)->setText(quickPickDate(calendar->selectedDate()));
    value(QsoField::UtcDate)->setCaption(cardDate());
}

void QsoEntryController::applySignalButton(QObject *sender)
{
    const SignalButton kind = signalButtonKind(sender ? sender->objectName() : QString());
    const QString caption = captionOf(sender);
    // The field and the card's cell each keep their own text.
    EntryEdit *signal = overlay(QsoField::Signal);
    CardLabel *cell = value(QsoField::Signal);
    signal->setText(signalAfterButton(kind, caption, signal->text()));
    cell->setCaption(signalAfterButton(kind, caption, cell->caption()));
    m_focus.focusCallSign();
    overlay(QsoField::CallSign)->selectAll();
}

void QsoEntryController::takePowerChoice(QObject *sender)
{
    overlay(QsoField::Power)->setText(captionOf(sender));
    value(QsoField::Power)->setCaption(overlay(QsoField::Power)->text());
    m_focus.removeFromTabOrder(sender);
    m_focus.focusCallSign();
}

void QsoEntryController::takeModeChoice(QObject *sender)
{
    if (qobject_cast<QRadioButton *>(sender)) {
        overlay(QsoField::Mode)->setText(captionOf(sender));
        value(QsoField::Mode)->setCaption(overlay(QsoField::Mode)->text());
    }
    m_focus.removeFromTabOrder(sender);
    m_focus.focusCallSign();
}

void QsoEntryController::takeFrequencyButton(QObject *sender)
{
    EntryEdit *freq = overlay(QsoField::Frequency);
    freq->setText(captionOf(sender));
    value(QsoField::Frequency)->setCaption(freq->text());
    freq->setFocus();
    freq->deselect();
    freq->setCursorPosition(freq->text().size());
}

void QsoEntryController::clearQsoFields()
{
    userDialogs().placePointer(-20, 35);
    if (userDialogs().question(QStringLiteral("Clear information boxes?"),
                               UserDialogs::Buttons::OkCancel) != UserDialogs::Answer::Ok)
        return;
    // The power stays: it is the station's, not the contact's.
    for (const card::QsoFieldNames &field : card::qsoFields()) {
        if (field.field == QsoField::Power)
            continue;
        overlay(field.field)->clear();
        value(field.field)->setCaption(QString());
    }
    for (int n = 1; n <= controlnames::modeRadioCount; ++n)
        uncheckButton(m_controls.control<QRadioButton>(controlnames::modeRadio(n)));
    m_focus.focusCallSign();
}

void QsoEntryController::onCallSignEdited()
{
    EntryEdit *callSign = overlay(QsoField::CallSign);
    setTextQuietly(callSign, upperCaseAtoZ(callSign->text()));
    callSign->setCursorPosition(callSign->text().size());
    value(QsoField::CallSign)->setCaption(callSign->text());
    emailField()->setText(contactEmailPlaceholder());
}

void QsoEntryController::offerContactEmail()
{
    EntryEdit *email = emailField();
    const QString callSign = overlay(QsoField::CallSign)->text();
    email->setText(emailOnEnter(callSign, email->text()));
    email->setCursorPosition(email->text().size());
    email->selectAll();
    auto *menu = m_controls.control<QMenu>(controlnames::contactEmailMenu);
    if (QAction *item = menu ? menu->actions().value(0) : nullptr) {
        item->setVisible(!callSign.isEmpty());
        if (!callSign.isEmpty())
            item->setText(callSign);
    }
}

void QsoEntryController::normaliseContactEmail()
{
    EntryEdit *email = emailField();
    setTextQuietly(email, emailAfterChange(email->text()));
    email->setCursorPosition(email->text().size());
}

void QsoEntryController::clearContactEmail()
{
    emailField()->clear();
}

void QsoEntryController::restoreContactEmailPlaceholder()
{
    if (emailField()->text().isEmpty())
        emailField()->setText(contactEmailPlaceholder());
}

void QsoEntryController::applyContactEmailMenuItem(QObject *item)
{
    const auto *menu = m_controls.control<QMenu>(controlnames::contactEmailMenu);
    const int position = menu->actions().indexOf(qobject_cast<QAction *>(item));
    emailField()->setText(emailAfterMenuItem(position, emailField()->text(),
                                             overlay(QsoField::CallSign)->text()));
}

QsoRecord QsoEntryController::qsoOnScreen() const
{
    QsoRecord qso;
    for (const card::QsoFieldNames &field : card::qsoFields())
        card::qsoFieldText(qso, field.field) = overlay(field.field)->text();
    return qso;
}

void QsoEntryController::copyFieldsToCard()
{
    for (const card::QsoFieldNames &field : card::qsoFields())
        value(field.field)->setCaption(field.field == QsoField::UtcDate ? cardDate()
                                                                        : overlay(field.field)->text());
}

QString QsoEntryController::cardDate() const
{
    const auto *iso = m_controls.control<QAbstractButton>(QString::fromLatin1(controlnames::isoDateCheck));
    return cardDateText(overlay(QsoField::UtcDate)->text(),
                        iso && iso->isChecked() ? CardDateStyle::Iso : CardDateStyle::AsTyped);
}

bool QsoEntryController::shouldStopOutput(const QString &purpose)
{
    return qsoShouldStopOutput(qsoOnScreen(), emailField()->text(), purpose, userDialogs());
}

void QsoEntryController::writeContactInfo()
{
    writeContactInfoFile(emailField()->text(), qsoOnScreen(), qsoClock().currentLocalDate());
}
