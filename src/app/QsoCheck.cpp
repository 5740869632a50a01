#include "QsoCheck.h"

#include "ContactEmail.h"
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
