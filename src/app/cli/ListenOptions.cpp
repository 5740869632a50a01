#include "ListenOptions.h"

#include "CommandText.h"

namespace {

struct ListenParser
{
    CommandParser command{QStringLiteral("listen"),
                          QStringLiteral("Listens for the QSOs that WSJT-X, JTDX and other digital-mode programs log "
                                         "over UDP and prints one line per QSO: its QSO list row, the program and "
                                         "what was done. Datagrams are taken from this computer only, unless "
                                         "--allow names other senders; the others are counted and not looked at. "
                                         "Ends on Ctrl-C (exit status 130) or SIGTERM (143).")};
    QCommandLineParser &parser = command.parser();
    QCommandLineOption port{QStringLiteral("port"),
                            QStringLiteral("Listen on this UDP port of 127.0.0.1, or on ADDR:N (default: 2237)."),
                            QStringLiteral("N")};
    QCommandLineOption group{QStringLiteral("group"),
                             QStringLiteral("Listen to a multicast group instead, such as 224.0.0.1:2237. It is "
                                            "joined on the loopback interface, or with --allow on every "
                                            "interface, unless --interface names them."),
                             QStringLiteral("ADDR:PORT")};
    QCommandLineOption allow{QStringLiteral("allow"),
                             QStringLiteral("Also take datagrams from this computer or network, such as "
                                            "192.168.1.20 or 192.168.1.0/24; may be given more than once."),
                             QStringLiteral("ADDR[/PREFIX]")};
    QCommandLineOption interface{QStringLiteral("interface"),
                                 QStringLiteral("Join the group on this network interface, such as eth0; may be "
                                                "given more than once."),
                                 QStringLiteral("NAME")};
    QCommandLineOption save{QStringLiteral("save"),
                            QStringLiteral("Save each QSO's card as JPG Selected does, with its contact info "
                                           "file, into DIR."),
                            QStringLiteral("DIR")};
    QCommandLineOption send{QStringLiteral("send"),
                            QStringLiteral("E-mail each QSO's card to the QSO's address through the mail "
                                           "settings, once: Sent.adi records it, as for kartello send.")};

    ListenParser() { parser.addOptions({port, group, allow, interface, save, send}); }
};

} // namespace

ParsedListenOptions parseListenOptions(const QStringList &args)
{
    ListenParser p;
    ParsedListenOptions parsed;
    if (!p.command.parse(args)) {
        parsed.error = p.command.wordError();
        return parsed;
    }
    ListenOptions &options = parsed.options;
    options.help = p.command.helpAsked();
    options.version = p.command.versionAsked();
    if (options.help || options.version)
        return parsed;
    if (!p.parser.positionalArguments().isEmpty()) {
        parsed.error = QStringLiteral("unexpected argument \"%1\"").arg(p.parser.positionalArguments().first());
        return parsed;
    }
    if (p.parser.isSet(p.port) && p.parser.isSet(p.group)) {
        parsed.error = QStringLiteral("--port and --group exclude each other");
        return parsed;
    }
    if (p.parser.isSet(p.port)) {
        const auto address = parseListenAddress(p.parser.value(p.port));
        if (!address || address->isGroup()) {
            parsed.error = QStringLiteral("--port wants a port from 1 to 65535 or ADDR:N of this computer, not \"%1\"")
                               .arg(p.parser.value(p.port));
            return parsed;
        }
        options.address = *address;
    }
    if (p.parser.isSet(p.group)) {
        const auto address = parseListenAddress(p.parser.value(p.group));
        if (!address || !address->isGroup()) {
            parsed.error = QStringLiteral("--group wants a multicast group and port such as 224.0.0.1:2237, not \"%1\"")
                               .arg(p.parser.value(p.group));
            return parsed;
        }
        options.address = *address;
    }
    for (const QString &text : p.parser.values(p.allow)) {
        QString why;
        const auto networks = parseAllowedSenders(text, &why);
        if (!networks || networks->isEmpty()) {
            parsed.error = QStringLiteral("--allow wants ADDR or ADDR/PREFIX: %1")
                               .arg(networks ? QStringLiteral("nothing given") : why);
            return parsed;
        }
        options.allowed += *networks;
    }
    options.interfaces = p.parser.values(p.interface);
    if (!options.interfaces.isEmpty() && !options.address.isGroup()) {
        parsed.error = QStringLiteral("--interface is for a --group only");
        return parsed;
    }
    if (p.parser.isSet(p.save)) {
        options.saveFolder = p.parser.value(p.save);
        if (options.saveFolder.isEmpty()) {
            parsed.error = QStringLiteral("--save wants a folder");
            return parsed;
        }
    }
    options.send = p.parser.isSet(p.send);
    return parsed;
}

QString listenHelpText()
{
    ListenParser p;
    return p.command.helpText()
           + QStringLiteral("\nExamples:\n  kartello listen --group 224.0.0.1:2237 --save ~/qsl\n"
                            "  kartello listen --group 224.0.0.1:2237 --interface eth0 --allow 192.168.1.20 --send\n");
}

QString receivedQsoLine(const QString &row, const QString &clientId, const QString &outcome)
{
    QString line = QStringLiteral("%1 <- %2: %3").arg(row, clientId, outcome);
    for (QChar &c : line) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7f && u < 0xa0) || u == 0x2028 || u == 0x2029)
            c = QLatin1Char('?');
    }
    return line;
}
