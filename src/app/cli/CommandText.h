#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>

// Writes text to stream as UTF-8, as it stands (no line end added).
void writeText(std::FILE *stream, const QString &text);

// The command line of one subcommand ("kartello cards"), with the habits every subcommand
// shares: -h/--help, -v/--version, options anywhere among the arguments ("--" ends them),
// "-" as an argument of its own (standard input), and a long option spelt with one dash
// ("-out DIR") read as the operator meant it rather than as a row of one-letter options.
class CommandParser
{
public:
    // command is the subcommand's name ("cards"); description the help's first paragraph.
    CommandParser(const QString &command, const QString &description);

    // The command adds its own options and arguments here.
    QCommandLineParser &parser() { return m_parser; }
    const QCommandLineParser &parser() const { return m_parser; }
    const QString &command() const { return m_command; }

    // Reads args, the words after the command's name; false when an option is unknown,
    // lacks its value or has one it does not take.
    bool parse(const QStringList &args);
    // parse(), and the answer to a command line that needs no run: the help or the version
    // (status 0, see answerCommandLine()) or, when parse() fails, wordError() and a hint at
    // --help on standard error (2). nullopt when the command should run.
    std::optional<int> parseOrAnswer(const QStringList &args);
    bool helpAsked() const;
    bool versionAsked() const;
    // What parse() refused, in QCommandLineParser's words ("Unknown option 'colour'."); the
    // messages Kartello shows use wordError() instead.
    QString errorText() const { return m_parser.errorText(); }
    // The same, naming the word as the operator typed it: "unknown option --colour",
    // "--out needs a value", "--no-info takes no value".
    QString wordError() const;
    // The text of --help: usage with "kartello <command>", description, options, arguments.
    QString helpText() const;

private:
    QString m_command;
    QCommandLineParser m_parser;
    QCommandLineOption m_help;
    QCommandLineOption m_version;
    QStringList m_args;
};

// Reads every value of option as a whole number from 1 to most into number (of several, the
// last counts); returns the error line ("--jobs \"0\" is not a number from 1 to 64"), empty
// when every value is good.
QString readCount(const QCommandLineParser &parser, const QCommandLineOption &option, int most,
                  int &number);

// What a subcommand says before it runs, the same for all: asked for help, the help text on
// standard output (status 0); for the version, "kartello <version>" (0); with error set, the
// error and a hint at --help on standard error (2). nullopt when the command should run.
struct CommandLineAsks
{
    bool help = false;
    bool version = false;
    QString error;
};
std::optional<int> answerCommandLine(const QString &command, const CommandLineAsks &asks,
                                     const QString &helpText);

// "kartello <version>" and a line end, as every subcommand's --version prints it.
QString versionLine();
