#pragma once

// `kartello listen` run as the operator runs it, for the tests of the command.
#include "CardsRunner.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <csignal>
#include <sys/types.h>

// The program listening, its output read as it comes.
class ListenProcess
{
public:
    // wrapper: words to run the program through ("ip netns exec NAME"), none to run it alone.
    explicit ListenProcess(const CardsRunner &runner, QStringList wrapper = {})
        : m_runner(runner)
        , m_wrapper(std::move(wrapper))
    {
    }
    ~ListenProcess()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    // Starts it and waits until it listens.
    bool start(const QStringList &args)
    {
        m_process.setWorkingDirectory(m_runner.folder());
        // KARTELLO_LISTEN_WRAPPER="valgrind --error-exitcode=99" runs the tests with the program
        // under a checker; an error shows as a wrong exit status.
        const QStringList checker = qEnvironmentVariable("KARTELLO_LISTEN_WRAPPER").split(' ', Qt::SkipEmptyParts);
        QStringList words = m_wrapper + checker + QStringList{m_runner.programPath(), "listen"} + args;
        const QString program = words.takeFirst();
        m_process.start(program, words);
        return readUntil([this] { return err.contains("listening on"); });
    }

    bool waitForLines(int count)
    {
        return readUntil([&] { return out.count('\n') >= count; });
    }

    // Waits until standard error holds text.
    bool waitForError(const QString &text)
    {
        return readUntil([&] { return err.contains(text); });
    }

    // Sends signal and gives the exit status, -1 when it did not end normally.
    int stop(int signal)
    {
        ::kill(pid_t(m_process.processId()), signal);
        if (!m_process.waitForFinished(30000))
            return -1;
        read();
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }

    QString out;
    QString err;

private:
    void read()
    {
        out += QString::fromUtf8(m_process.readAllStandardOutput());
        err += QString::fromUtf8(m_process.readAllStandardError());
    }

    template<typename Done>
    bool readUntil(Done done)
    {
        const QDeadlineTimer deadline(30000);
        read();
        while (!done() && !deadline.hasExpired() && m_process.state() != QProcess::NotRunning) {
            m_process.waitForReadyRead(100);
            read();
        }
        return done();
    }

    const CardsRunner &m_runner;
    const QStringList m_wrapper;
    QProcess m_process;
};
