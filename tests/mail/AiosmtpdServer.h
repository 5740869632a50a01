#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <QCoreApplication>

// One of the tests' Python scripts around Debian's aiosmtpd, started on 127.0.0.1 on a free
// port (which the script prints) and stopped by closing its standard input.
class AiosmtpdServer
{
public:
    AiosmtpdServer(const QString &script, const QStringList &arguments)
    {
        m_process.start(QStringLiteral("/usr/bin/python3"), QStringList{script} + arguments);
        if (m_process.waitForReadyRead(20000))
            m_port = quint16(m_process.readLine().trimmed().toUInt());
    }
    ~AiosmtpdServer()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(10000))
            m_process.kill();
        m_process.waitForFinished(5000);
    }
    quint16 port() const { return m_port; }
    QString errors() { return QString::fromLocal8Bit(m_process.readAllStandardError()); }

private:
    QProcess m_process;
    quint16 m_port = 0;
};

// Runs a helper script of the tests to its end and returns what it printed.
inline QString runPython(const QStringList &arguments)
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"), arguments);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
}
