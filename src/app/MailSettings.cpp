#include "MailSettings.h"

#include "ContactInfoFile.h"
#include "DataFolder.h"
#include "KartelloError.h"

#include <QFile>

MailSettings mailSettingsFromLines(const QStringList &lines)
{
    MailSettings s;
    s.host = lineAt(lines, 0);
    s.userName = lineAt(lines, 1);
    s.password = lineAt(lines, 2);
    if (lines.size() > 3)
        s.port = lines.at(3);
    if (lines.size() > 4)
        s.security = lines.at(4);
    if (lines.size() > 5)
        s.perMinute = lines.at(5);
    return s;
}

QStringList mailSettingsLines(const MailSettings &settings)
{
    QStringList lines{settings.host, settings.userName, settings.password, settings.port, settings.security};
    if (!settings.perMinute.isEmpty())
        lines << settings.perMinute;
    return lines;
}

int mailPerMinute(const QString &text, int defaultPace)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return defaultPace;
    bool ok = false;
    const int pace = t.toInt(&ok);
    if (!ok || !isDecimalInteger(t) || pace < 1 || pace > 600)
        throw KartelloError(QStringLiteral("'%1' is not a valid number of cards a minute (1 to 600) in smtp.onl.").arg(text));
    return pace;
}

quint16 mailPort(const QString &text)
{
    const QString t = text.trimmed();
    bool ok = false;
    const int port = t.toInt(&ok);
    if (!ok || !isDecimalInteger(t) || port < 1 || port > 65535)
        throw KartelloError(QStringLiteral("'%1' is not a valid port number (1 to 65535) in smtp.onl.").arg(text));
    return quint16(port);
}

SendSettings sendSettingsFromFile(const QString &path, const QString &operatorEmail, int perMinute)
{
    if (!QFile::exists(path))
        throw KartelloError(QStringLiteral("%1 is missing: set the mail server in the window's mail settings first.").arg(path));
    // Without a sender the messages would go out as bounces ("Mail from:<>"), which
    // providers refuse or file as spam: better no run than a run of lost cards.
    if (operatorEmail.trimmed().isEmpty())
        throw KartelloError(QStringLiteral("The operator's e-mail address is empty: the cards need it as their sender."));
    const MailSettings file = mailSettingsFromLines(loadLines(path));
    SendSettings settings;
    settings.host = file.host.trimmed();
    settings.port = mailPort(file.port);
    settings.security = mailSecurity(file.security);
    settings.userName = loginUserName(file.userName);
    settings.password = file.password;
    settings.operatorEmail = operatorEmail;
    settings.perMinute = perMinute > 0 ? perMinute : mailPerMinute(file.perMinute, DefaultPerMinute);
    return settings;
}

void addStationMailText(SendSettings &settings, const QString &stationCall)
{
    settings.stationCall = stationCall;
    settings.mailTemplate = readMailTemplate(dataFilePath(MailTemplateFileName));
}

SmtpSecurity mailSecurity(const QString &text)
{
    const QString word = text.trimmed().toLower();
    if (word == QLatin1String("none"))
        return SmtpSecurity::None;
    if (word == QLatin1String("starttls"))
        return SmtpSecurity::StartTls;
    if (word == QLatin1String("tls"))
        return SmtpSecurity::ImplicitTls;
    throw KartelloError(QStringLiteral("'%1' is not a known security in smtp.onl; use none, starttls or tls.")
                            .arg(text));
}

QStringList mailSecurityWords()
{
    return {QStringLiteral("none"), QStringLiteral("starttls"), QStringLiteral("tls")};
}

QString portForSecurity(const QString &portText, SmtpSecurity security)
{
    static const QStringList usual{QStringLiteral("25"), QStringLiteral("587"), QStringLiteral("465")};
    if (!usual.contains(portText.trimmed()))
        return portText;
    switch (security) {
    case SmtpSecurity::StartTls: return usual.at(1);
    case SmtpSecurity::ImplicitTls: return usual.at(2);
    case SmtpSecurity::None: break;
    }
    return usual.at(0);
}

QString loginUserName(const QString &userBoxText)
{
    const QString name = userBoxText.trimmed();
    if (name == QLatin1String("your user id"))
        return QString();
    return name.isEmpty() ? QString() : userBoxText;
}

void saveMailSettings(const QString &path, const MailSettings &settings)
{
    // The new file is made owner-only before a byte of the password is in it.
    saveLines(path, mailSettingsLines(settings), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

QString sendErrorMessage(const QString &errorText)
{
    return QStringLiteral("An error -") + errorText + QStringLiteral(" was detected upon trying to send the email.");
}

QString cardPictureToSend(const QString &cardFolder, const QString &callSign)
{
    const QString base = cardFolder + callSignFilePart(callSign);
    for (const char *extension : {".jpg", ".gif"}) {
        const QString path = base + QLatin1String(extension);
        if (QFile::exists(path))
            return path;
    }
    return QString();
}
