#include "SendOptions.h"

namespace {

constexpr int MaxPerMinute = 600;

struct SendCommandLine : LogCommandLine
{
    QCommandLineOption dryRun{{QStringLiteral("n"), QStringLiteral("dry-run")},
                              QStringLiteral("List who would get which card; connect to nothing.")};
    QCommandLineOption resend{QStringLiteral("resend"),
                              QStringLiteral("Send also the QSOs that Sent.adi holds already, and those that\n"
                                             "may have been sent (a send that ended without the server's answer).")};
    QCommandLineOption perMinute{QStringLiteral("per-minute"),
                                 QStringLiteral("At most N cards a minute, 1 to %1 (default: line 6 of smtp.onl, "
                                                "else 20).")
                                     .arg(MaxPerMinute),
                                 QStringLiteral("N")};

    SendCommandLine()
        : LogCommandLine(
              QStringLiteral("send"),
              QStringLiteral(
                  "E-mails the QSL card of every QSO of the ADIF logs that has an address (EMAIL) to\n"
                  "that address, with the station design of the window and through the server of the\n"
                  "mail settings (smtp.onl in the data folder), all in one session. Each card the\n"
                  "server accepts is recorded in Sent.adi in the data folder, which a logger can\n"
                  "import; a QSO already recorded there is not sent again. SMTP cannot promise\n"
                  "exactly once: a card whose send ended without the server's answer (a crash, a\n"
                  "broken connection) may have been sent; it is reported and not sent again."))
    {
        parser().addOptions({dryRun, resend, perMinute});
    }

    // The options only `kartello send` takes; returns the error line, empty when they are good.
    QString readOwn(SendOptions &options) const
    {
        options.dryRun = parser().isSet(dryRun);
        options.resend = parser().isSet(resend);
        return readCount(parser(), perMinute, MaxPerMinute, options.perMinute);
    }
};

} // namespace

ParsedSendOptions parseSendOptions(const QStringList &args)
{
    SendCommandLine line;
    ParsedSendOptions parsed;
    parsed.error = line.read(args, parsed.options, [&] { return line.readOwn(parsed.options); });
    return parsed;
}

QString sendHelpText()
{
    return SendCommandLine().helpText()
           + QStringLiteral(
               "\n"
               "Example:\n"
               "  kartello send contest.adi --since 20260101 --dry-run\n"
               "\n"
               "Exit status: 0 when every card was sent (or had been sent before, or has no\n"
               "address), 1 when a card or a log failed or the server refused the run, 2 for a\n"
               "wrong command line, 130 when stopped with Ctrl-C, 143 with SIGTERM, 129 with\n"
               "SIGHUP (the card on its way is finished and recorded first).\n");
}
