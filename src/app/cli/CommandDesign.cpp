#include "CommandDesign.h"

#include "CardElements.h"
#include "ControlNames.h"
#include "PersistentWindow.h"
#include "UserDialogs.h"

#include <QTextStream>

CommandDesign::CommandDesign()
{
    setUserDialogs(&m_dialogs);
    design = loadCardDesign(document, PersistentWindow::stateFilePath());
}

CommandDesign::~CommandDesign()
{
    setUserDialogs(nullptr);
}

QString CommandDesign::stationEmail() const
{
    const int line = int(card::identityEdits().indexOf(QLatin1String(controlnames::stationEmailEdit)));
    return design.identity.value(line);
}

bool CommandDesign::readWhole(QTextStream &err, const QString &prefix,
                              const QString &consequence) const
{
    if (design.problems.isEmpty())
        return true;
    for (const QString &problem : design.problems)
        err << prefix << problem << '\n';
    err << prefix << "the station design could not be read whole; " << consequence << '\n';
    return false;
}
