#include "CardsRunner.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>

namespace {

QByteArray adifField(const char *name, const QString &value)
{
    const QByteArray bytes = value.toUtf8();
    return QByteArray("<") + name + ':' + QByteArray::number(bytes.size()) + '>' + bytes + ' ';
}

} // namespace

CardsRunner::CardsRunner()
{
    if (!m_dir.isValid() || !QFile::copy(QStringLiteral(KARTELLO_EXECUTABLE), programPath()))
        return;
    QFile::setPermissions(programPath(), QFile::permissions(programPath()) | QFile::ExeOwner);
    QDir().mkpath(folder() + "system");
    const QDir shipped(QStringLiteral(KARTELLO_SOURCE_DIR "/data/system"));
    for (const QString &name : shipped.entryList(QDir::Files))
        QFile::copy(shipped.filePath(name), dataFile(name));
    m_valid = true;
}

CardsRunner::Result CardsRunner::run(const QStringList &args, const QByteArray &input) const
{
    QProcess process;
    process.setWorkingDirectory(folder());
    // As under cron: no per-user runtime folder.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    process.setProcessEnvironment(environment);
    process.start(programPath(), args);
    process.write(input);
    process.closeWriteChannel();
    Result result;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

QString CardsRunner::writeFile(const QString &name, const QByteArray &bytes) const
{
    const QString path = QDir::isAbsolutePath(name) ? name : folder() + name;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

QByteArray adifRecord(const QString &call, const QString &date, const QString &time,
                      const QString &freq, const QString &mode, const QString &power,
                      const QString &report, const QString &email)
{
    QByteArray record = adifField("call", call) + adifField("qso_date", date)
                        + adifField("time_on", time) + adifField("freq", freq)
                        + adifField("mode", mode);
    if (!power.isEmpty())
        record += adifField("tx_pwr", power);
    record += adifField("rst_rcvd", report);
    if (!email.isEmpty())
        record += adifField("email", email);
    return record + "<eor>\n";
}

QByteArray generatedLog(int count)
{
    QByteArray log = "Generated log\n<adif_ver:5>3.1.4 <programid:7>Testlog <eoh>\n";
    const QDate first(2026, 3, 1);
    for (int i = 0; i < count; ++i) {
        const QString call = QStringLiteral("K1%1%2").arg(QChar('A' + i / 26 % 26)).arg(QChar('A' + i % 26))
                             + (i >= 676 ? QString::number(i / 676) : QString());
        log += adifRecord(call, first.addDays(i).toString("yyyyMMdd"),
                          QStringLiteral("%1").arg(i % 2400, 4, 10, QLatin1Char('0')), "14.074", "FT8",
                          "100", "-10");
    }
    return log;
}

QByteArray readWholeFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
