#include "CommandDesign.h"

#include "CardElements.h"
#include "ControlNames.h"
#include "DataFolder.h"
#include "DesignApplication.h"
#include "IniFile.h"
#include "KartelloError.h"
#include "PersistentWindow.h"
#include "PickLists.h"
#include "UserDialogs.h"
#include "WindowDescription.h"

#include <QTextStream>

namespace {

// The caption of the power radio the state file checks, as start-up gives the radios their
// captions from "Power.txt" (radios past its end keep their own).
QString rememberedPower(const QString &stateFile, QStringList &problems)
{
    IniFile ini(stateFile);
    ini.load();
    QString checked;
    for (int n = 1; n <= controlnames::powerRadioCount; ++n) {
        const QString text = ini.value(QStringLiteral("Form1"),
                                       controlnames::powerRadio(n) + QStringLiteral(".Checked"));
        if (text == QLatin1String("TRUE"))
            checked = controlnames::powerRadio(n);
        else if (text == QLatin1String("FALSE") && checked == controlnames::powerRadio(n))
            checked.clear();
    }
    QString caption;
    for (const ControlRow &row : mainWindowDescription()) {
        if (checked.isEmpty() && row.name.startsWith(QLatin1String("RBPower"))
            && (row.flags & Checked))
            checked = row.name;
        if (row.name == checked)
            caption = row.caption;
    }
    if (checked.isEmpty())
        return QString();
    for (const PickList &list : pickLists()) {
        try {
            const QStringList lines = loadLines(dataFilePath(QString::fromLatin1(list.file)));
            for (const PickListCaption &c : pickListCaptions(list, lines))
                if (c.control == checked)
                    caption = c.caption;
        } catch (const KartelloError &e) {
            problems << e.text();
        }
    }
    return caption;
}

} // namespace

CommandDesign::CommandDesign()
{
    setUserDialogs(&m_dialogs);
    const QString stateFile = PersistentWindow::stateFilePath();
    reading = card::readCardDesign(stateFile);
    problems = reading.problems;
    defaultPower = rememberedPower(stateFile, problems);
    problems << card::applyDesign(reading.design, document);
    document.setQso(QsoRecord{{}, {}, {}, {}, {}, defaultPower, {}});
}

CommandDesign::~CommandDesign()
{
    setUserDialogs(nullptr);
}

QString CommandDesign::stationEmail() const
{
    const int line = int(card::identityEdits().indexOf(QLatin1String(controlnames::stationEmailEdit)));
    return reading.design.identity.value(line);
}

QString CommandDesign::stationCallSign() const
{
    const int line = int(card::identityEdits().indexOf(QLatin1String(controlnames::callSignIdentityEdit)));
    return reading.design.identity.value(line);
}

bool CommandDesign::readWhole(QTextStream &err, const QString &prefix,
                              const QString &consequence) const
{
    for (const QString &warning : reading.warnings)
        err << prefix << "warning: " << warning << '\n';
    if (problems.isEmpty())
        return true;
    for (const QString &problem : problems)
        err << prefix << problem << '\n';
    err << prefix << "the station design could not be read whole; " << consequence << '\n';
    return false;
}
