#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// The built `kartello` program in a folder of its own, beside a copy of the shipped data
// folder, so that a test decides the stored design (data files and Kartello.ini) the program
// starts with.
class CardsRunner
{
public:
    CardsRunner();

    struct Result
    {
        int exitCode = -1;
        QString out;
        QString err;
    };

    bool isValid() const { return m_valid; }
    QString folder() const { return m_dir.path() + QLatin1Char('/'); }
    QString programPath() const { return folder() + QStringLiteral("kartello"); }
    QString dataFile(const QString &name) const { return folder() + "system/" + name; }
    QString stateFile() const { return folder() + QStringLiteral("Kartello.ini"); }

    // Runs the program with args to its end (within a minute), input on its standard input.
    Result run(const QStringList &args, const QByteArray &input = QByteArray()) const;

    // Writes a file under the program's folder (or at an absolute path) and returns its path.
    QString writeFile(const QString &name, const QByteArray &bytes) const;

private:
    QTemporaryDir m_dir;
    bool m_valid = false;
};

// An ADIF record in the lower-case style of common loggers; email may be empty.
QByteArray adifRecord(const QString &call, const QString &date, const QString &time,
                      const QString &freq, const QString &mode, const QString &power,
                      const QString &report, const QString &email = QString());

// A log of count records, K1AA, K1AB, ... on consecutive days from 1 March 2026.
QByteArray generatedLog(int count);

QByteArray readWholeFile(const QString &path);
