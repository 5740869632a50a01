#include "SendCommand.h"

#include "DataFolder.h"
#include "FilePlaces.h"
#include "KartelloError.h"
#include "MailSettings.h"
#include "CommandDesign.h"
#include "CommandText.h"
#include "SendOptions.h"
#include "SendRun.h"
#include "SentJournal.h"
#include "StopSignals.h"
#include "DocumentCardPainter.h"

#include <QTextStream>

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

const char Prefix[] = "kartello send: ";

} // namespace

int runSendCommand(const QStringList &args)
{
    ParsedSendOptions parsed = parseSendOptions(args);
    const CommandLineAsks asks{parsed.options.help, parsed.options.version, parsed.error};
    if (const std::optional<int> status = answerCommandLine(QStringLiteral("send"), asks, sendHelpText()))
        return *status;
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QString journalError = parsed.options.selection.readJournal(filePlaces().sentJournal);
    if (!journalError.isEmpty()) {
        err << Prefix << journalError << "; no card sent\n";
        return 1;
    }
    CommandDesign stored;
    if (!stored.readWhole(err, QString::fromLatin1(Prefix), QStringLiteral("no card sent")))
        return 1;
    const QString operatorEmail = stored.stationEmail();
    SendSettings settings;
    if (!parsed.options.dryRun) {
        try {
            settings = sendSettingsFromFile(dataFilePath(QStringLiteral("smtp.onl")), operatorEmail,
                                            parsed.options.perMinute);
            addStationMailText(settings, stored.stationCallSign());
        } catch (const KartelloError &error) {
            err << Prefix << error.text() << '\n';
            return 1;
        }
    }
    installStopSignals();
    DocumentCardPainter painter(stored.document, stored.defaultPower,
                                stored.reading.design.options.qsosPerCard);
    SendRun run(parsed.options, painter, out, err, ::isatty(STDERR_FILENO) == 1);
    return run.run(filePlaces().sentJournal, settings);
}
