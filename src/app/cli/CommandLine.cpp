#include "CommandLine.h"

#include "CardsCommand.h"
#include "Fonts.h"
#include "ListenCommand.h"
#include "RowsCommand.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>
#include <memory>

namespace {

// What the subcommand needs to run: plain QtCore, or widgets drawn without a display.
enum class AppKind { Core, OffscreenWidgets };

struct Subcommand
{
    const char *name;
    const char *summary;
    AppKind app;
    int (*run)(const QStringList &args);
};

const Subcommand subcommands[] = {
    {"rows", "print the QSO list rows of ADIF logs", AppKind::Core, runRowsCommand},
    {"cards", "make the QSL cards of ADIF logs (JPEG, GIF, PNG, PDF)", AppKind::OffscreenWidgets,
     runCardsCommand},
    {"listen", "print (and make the cards of) the QSOs that digital-mode programs log over UDP",
     AppKind::OffscreenWidgets, runListenCommand},
};

const Subcommand *findSubcommand(const QString &name)
{
    for (const Subcommand &command : subcommands) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

void printLine(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
}

QString overview()
{
    QString text = QStringLiteral("Usage: kartello [COMMAND [ARGUMENTS]]\n"
                                  "Without a command Kartello opens its window.\n\nCommands:\n");
    for (const Subcommand &command : subcommands)
        text += QStringLiteral("  %1  %2\n").arg(QLatin1String(command.name), -8).arg(QLatin1String(command.summary));
    return text + QStringLiteral("\n\"kartello COMMAND --help\" describes a command.");
}

QtMessageHandler g_defaultMessages = nullptr;

void commandLineMessages(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (!isCommandLineNoise(text))
        g_defaultMessages(type, context, text);
}

std::unique_ptr<QCoreApplication> makeApplication(AppKind kind, int &argc, char **argv)
{
    std::unique_ptr<QCoreApplication> app;
    g_defaultMessages = qInstallMessageHandler(commandLineMessages);
    if (kind == AppKind::OffscreenWidgets) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
        registerFontSubstitutes();
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("kartello"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KARTELLO_VERSION));
    return app;
}

} // namespace

bool isCommandLineNoise(const QString &message)
{
    return message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"));
}

std::optional<int> runSubcommand(int &argc, char **argv)
{
    if (argc < 2)
        return std::nullopt;
    const QString first = QString::fromLocal8Bit(argv[1]);
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        printLine(stdout, overview());
        return 0;
    }
    if (first == QLatin1String("--version") || first == QLatin1String("-v")) {
        printLine(stdout, QStringLiteral("kartello " KARTELLO_VERSION));
        return 0;
    }
    if (first.startsWith(QLatin1Char('-')))
        return std::nullopt;
    const Subcommand *command = findSubcommand(first);
    if (!command) {
        printLine(stderr, QStringLiteral("kartello: unknown command \"%1\"\n%2").arg(first, overview()));
        return 2;
    }
    const auto app = makeApplication(command->app, argc, argv);
    return command->run(QCoreApplication::arguments().mid(2));
}
