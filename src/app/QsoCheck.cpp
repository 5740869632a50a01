#include "QsoCheck.h"

#include "ContactEmail.h"
#include "QsoEntryRules.h"
#include "UserDialogs.h"

bool qsoShouldStopOutput(const QsoRecord &qso, const QString &contactEmail,
                         const QString &purpose, UserDialogs &dialogs)
{
    using Answer = UserDialogs::Answer;
    using Buttons = UserDialogs::Buttons;
    if (qso.hasEmptyField()) {
        dialogs.placePointer(-10, 35);
        if (dialogs.question(QStringLiteral("Missing one or more contact information. Continue anyway?"),
                             Buttons::YesNo) != Answer::Yes)
            return true;
    }
    // A date read the wrong way round would go on the card, into the contact file and into
    // the sent journal as another day: refused, never guessed.
    if (!qso.utcDate.trimmed().isEmpty()) {
        const QsoDateReading date = readQsoDate(qso.utcDate);
        if (!date.problem.isEmpty()) {
            dialogs.placePointer(10, 35);
            dialogs.warning(date.problem);
            return true;
        }
    }
    if (isAcceptableAddress(contactEmail))
        return false;
    if (purpose == QLatin1String("Email")) {
        dialogs.placePointer(10, 35);
        dialogs.warning(QStringLiteral("Invalid recipient email addess."));
        return true;
    }
    dialogs.placePointer(-10, 35);
    return dialogs.question(QStringLiteral("Invalid recipient email addess. Continue anyway?"),
                            Buttons::YesNo) != Answer::Yes;
}
