#include "CommandLine.h"

#include "CardsCommand.h"
#include "Fonts.h"
#include "LogArgument.h"
#include "PathsCommand.h"
#include "ListenCommand.h"
#include "RowsCommand.h"
#include "SendCommand.h"

#include <QGuiApplication>
#include <QCoreApplication>
#include <QProcessEnvironment>

#include <cstdio>
#include <memory>

namespace {

// What the subcommand needs to run: plain QtCore, or widgets drawn without a display.
enum class AppKind { Core, OffscreenGui };

struct Subcommand
{
    const char *name;
    const char *summary;
    AppKind app;
    int (*run)(const QStringList &args);
};

const Subcommand subcommands[] = {
    {"rows", "print the QSO list rows of ADIF logs", AppKind::Core, runRowsCommand},
    {"cards", "make the QSL cards of ADIF logs (JPEG, GIF, PNG, PDF)", AppKind::OffscreenGui,
     runCardsCommand},
    {"paths", "show where this copy reads and writes its files", AppKind::Core, runPathsCommand},
    {"send", "e-mail the QSL cards of ADIF logs, each QSO once (Sent.adi)", AppKind::OffscreenGui,
     runSendCommand},
    {"listen", "print (and make the cards of) the QSOs that digital-mode programs log over UDP",
     AppKind::OffscreenGui, runListenCommand},
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
    QString text = QStringLiteral("Usage: kartello [COMMAND [ARGUMENTS] | LOG.adi]\n"
                                  "Without a command Kartello opens its window (Qt's window options,\n"
                                  "such as -platform NAME or -style NAME, are passed to it); with an\n"
                                  "ADIF log the window opens with the log in the ADIF panel.\n\nCommands:\n");
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
    if (kind == AppKind::OffscreenGui) {
        // A command paints pictures, never a screen, and builds no widget: the desktop's scale
        // would only change the font hinting, and so the pixels of every card.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        for (const char *scale : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
                                  "QT_ENABLE_HIGHDPI_SCALING", "QT_AUTO_SCREEN_SCALE_FACTOR",
                                  "QT_FONT_DPI"})
            qunsetenv(scale);
        app = std::make_unique<QGuiApplication>(argc, argv);
        registerFontSubstitutes();
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("kartello"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KARTELLO_VERSION));
    return app;
}

// The options Qt's window takes itself (QGuiApplication, QApplication, X11): a name and
// whether a value follows it as the next argument. Qt reads "--name" as "-name" too.
struct WindowOption
{
    const char *name;
    bool takesValue;
};

const WindowOption windowOptions[] = {
    {"platform", true},     {"platformpluginpath", true}, {"platformtheme", true},
    {"plugin", true},       {"qwindowgeometry", true},   {"qwindowicon", true},
    {"qwindowtitle", true}, {"reverse", false},          {"session", true},
    {"display", true},      {"geometry", true},          {"title", true},
    {"name", true},         {"visual", true},            {"ncols", true},
    {"cmap", false},        {"nograb", false},           {"dograb", false},
    {"sync", false},        {"style", true},             {"stylesheet", true},
    {"widgetcount", false}, {"qmljsdebugger", true},     {"testability", false},
};

// The window option arg names (with its value after "=" or none), or nullptr.
const WindowOption *findWindowOption(const QString &arg)
{
    QString name = arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1);
    const qsizetype eq = name.indexOf(QLatin1Char('='));
    const bool valueJoined = eq >= 0;
    if (valueJoined)
        name.truncate(eq);
    for (const WindowOption &option : windowOptions) {
        if (name == QLatin1String(option.name) && (!valueJoined || option.takesValue))
            return &option;
    }
    return nullptr;
}

} // namespace

QString argumentTheWindowRefuses(const QStringList &args)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        const WindowOption *option = arg.startsWith(QLatin1Char('-')) && arg.size() > 1
                                         ? findWindowOption(arg)
                                         : nullptr;
        if (!option)
            return arg;
        if (option->takesValue && !arg.contains(QLatin1Char('=')))
            ++i; // its value, whatever it looks like
    }
    return QString();
}

bool isCommandLineNoise(const QString &message)
{
    return message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"));
}

bool windowHasADisplay(const QStringList &args, const QProcessEnvironment &environment)
{
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (!environment.value(QLatin1String(name)).isEmpty())
            return true;
    for (const QString &arg : args) {
        const WindowOption *option = arg.startsWith(QLatin1Char('-')) ? findWindowOption(arg) : nullptr;
        if (option && (qstrcmp(option->name, "platform") == 0 || qstrcmp(option->name, "display") == 0))
            return true;
    }
    return false;
}

namespace {

// runSubcommand before the window's display is looked for.
std::optional<int> commandStatus(int &argc, char **argv)
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
    if (first.startsWith(QLatin1Char('-'))) {
        // An option nobody knows would either open the window unasked or, without a
        // display, end in the platform plugin's abort: it is a wrong command line.
        QStringList args;
        for (int i = 1; i < argc; ++i)
            args << QString::fromLocal8Bit(argv[i]);
        const QString refused = argumentTheWindowRefuses(args);
        if (refused.isEmpty())
            return std::nullopt;
        const QString what = refused.startsWith(QLatin1Char('-')) ? QStringLiteral("unknown option")
                                                                  : QStringLiteral("unexpected argument");
        printLine(stderr, QStringLiteral("kartello: %1 \"%2\"\n"
                                         "Try \"kartello --help\" for the commands and options.")
                              .arg(what, refused));
        return 2;
    }
    const Subcommand *command = findSubcommand(first);
    if (!command && isLogArgument(first))
        return std::nullopt;
    if (!command) {
        printLine(stderr, QStringLiteral("kartello: unknown command \"%1\"\n%2").arg(first, overview()));
        return 2;
    }
    const auto app = makeApplication(command->app, argc, argv);
    return command->run(QCoreApplication::arguments().mid(2));
}

} // namespace

std::optional<int> runSubcommand(int &argc, char **argv)
{
    if (const std::optional<int> status = commandStatus(argc, argv))
        return status;
    // Without a display Qt would end the program with an abort and a message about plugins.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (windowHasADisplay(args, QProcessEnvironment::systemEnvironment()))
        return std::nullopt;
    printLine(stderr, QStringLiteral("kartello: no display; the commands rows/cards/send/listen/paths need none"));
    return 1;
}
