#include "MailSettingsPanel.h"

#include "CardMail.h"
#include "ControlLookup.h"
#include "ControlNames.h"
#include "DataFolder.h"
#include "EntryEdit.h"
#include "FeatureHosts.h"
#include "FlatButton.h"
#include "HandlerGuard.h"
#include "KartelloError.h"
#include "MailServerCheck.h"
#include "MailSettings.h"
#include "Mailer.h"
#include "UserDialogs.h"

#include <QComboBox>
#include <QEvent>

namespace {

const QString kSettingsFile = QStringLiteral("smtp.onl");

struct BoxTip {
    const char *box;
    const char *tip;
};

// What to enter, with the values the large providers publish.
const BoxTip kTips[] = {
    {controlnames::mailHostEdit,
     "Your provider's outgoing (SMTP) server, such as smtp.gmail.com, smtp-mail.outlook.com, "
     "smtp.mail.yahoo.com or smtp.mail.me.com (iCloud)."},
    {controlnames::mailUserEdit, "The name you log in with, usually your whole e-mail address."},
    {controlnames::mailPasswordEdit,
     "Your password. Gmail, Outlook, Yahoo and iCloud want an app password, made in your "
     "account's security settings. It shows only while you edit it."},
    {controlnames::mailPortEdit, "587 with starttls (most providers), 465 with tls, 25 without security."},
    {controlnames::mailSecurityBox,
     "starttls (port 587) or tls (port 465), as your provider says; none only for a server in "
     "your own network: without security no user name or password is sent."},
    {controlnames::mailPaceEdit,
     "The most cards sent in one minute by Send Selected, Listen and kartello send (1 to 600)."},
    {controlnames::mailSettingsOkButton, "Saves the settings in smtp.onl and closes the panel."},
    {controlnames::mailSettingsCancelButton, "Closes the panel without saving."},
    {controlnames::mailSettingsTestButton,
     "Connects to the server with these settings and logs in; no message is sent."},
};

} // namespace

MailSettingsPanel::MailSettingsPanel(ControlLookup &controls, KeyboardFocusHost &focus)
    : QObject(&controls.hostWidget())
    , m_controls(controls)
    , m_focus(focus)
{
    using namespace controlnames;
    const auto onClick = [this](const char *name, void (MailSettingsPanel::*handler)()) {
        auto *button = m_controls.control<FlatButton>(QString::fromLatin1(name));
        connectGuarded(button, &FlatButton::clicked, this, [this, handler] { (this->*handler)(); });
    };
    onClick(mailSettingsButton, &MailSettingsPanel::open);
    onClick(mailSettingsOkButton, &MailSettingsPanel::save);
    onClick(mailSettingsCancelButton, &MailSettingsPanel::cancel);
    onClick(mailSettingsTestButton, &MailSettingsPanel::test);
    connectGuarded(m_controls.control<QComboBox>(mailSecurityBox), &QComboBox::activated, this,
                   [this] { followSecurity(); });
    prepare();
}

void MailSettingsPanel::prepare()
{
    m_controls.control<QComboBox>(controlnames::mailSecurityBox)->addItems(mailSecurityWords());
    auto *password = m_controls.control<EntryEdit>(controlnames::mailPasswordEdit);
    password->setEchoMode(QLineEdit::Password);
    password->installEventFilter(this);
    for (const BoxTip &tip : kTips)
        m_controls.control(QString::fromLatin1(tip.box))->setToolTip(QString::fromUtf8(tip.tip));
}

// The password shows only while it is being edited.
bool MailSettingsPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (auto *password = qobject_cast<EntryEdit *>(watched)) {
        if (event->type() == QEvent::FocusIn)
            password->setEchoMode(QLineEdit::Normal);
        else if (event->type() == QEvent::FocusOut)
            password->setEchoMode(QLineEdit::Password);
    }
    return QObject::eventFilter(watched, event);
}

void MailSettingsPanel::open()
{
    QWidget *panel = m_controls.control(controlnames::mailSettingsPanel);
    panel->move(163, 91);
    panel->show();
    panel->raise();
    // The keyboard goes into the panel before its boxes are filled: were it left on the card,
    // what the operator types next would change the QSO's call sign.
    auto *host = m_controls.control<QLineEdit>(controlnames::mailHostEdit);
    host->setFocus(Qt::OtherFocusReason);
    const MailSettings settings = mailSettingsFromLines(loadLines(dataFilePath(kSettingsFile)));
    host->setText(settings.host);
    host->selectAll();
    m_controls.control<QLineEdit>(controlnames::mailUserEdit)->setText(settings.userName);
    m_controls.control<QLineEdit>(controlnames::mailPasswordEdit)->setText(settings.password);
    m_controls.control<QLineEdit>(controlnames::mailPortEdit)->setText(settings.port);
    auto *security = m_controls.control<QComboBox>(controlnames::mailSecurityBox);
    security->setCurrentIndex(qMax(0, security->findText(settings.security.trimmed().toLower())));
    m_controls.control<QLineEdit>(controlnames::mailPaceEdit)
        ->setText(settings.perMinute.isEmpty() ? QString::number(DefaultPerMinute) : settings.perMinute);
}

MailSettings MailSettingsPanel::settingsInPanel() const
{
    using namespace controlnames;
    MailSettings settings;
    settings.host = m_controls.control<QLineEdit>(mailHostEdit)->text();
    settings.userName = m_controls.control<QLineEdit>(mailUserEdit)->text();
    settings.password = m_controls.control<QLineEdit>(mailPasswordEdit)->text();
    settings.port = m_controls.control<QLineEdit>(mailPortEdit)->text();
    settings.security = m_controls.control<QComboBox>(mailSecurityBox)->currentText();
    settings.perMinute = m_controls.control<QLineEdit>(mailPaceEdit)->text().trimmed();
    return settings;
}

void MailSettingsPanel::save()
{
    const MailSettings settings = settingsInPanel();
    // A pace that no run could keep is refused with the panel still open.
    mailPerMinute(settings.perMinute, DefaultPerMinute);
    hide();
    saveMailSettings(dataFilePath(kSettingsFile), settings);
}

void MailSettingsPanel::cancel()
{
    hide();
}

void MailSettingsPanel::hide()
{
    m_controls.control(controlnames::mailSettingsPanel)->hide();
    m_focus.focusCallSign();
}

void MailSettingsPanel::followSecurity()
{
    auto *port = m_controls.control<QLineEdit>(controlnames::mailPortEdit);
    const QString security = m_controls.control<QComboBox>(controlnames::mailSecurityBox)->currentText();
    port->setText(portForSecurity(port->text(), mailSecurity(security)));
}

void MailSettingsPanel::test()
{
    const MailSettings settings = settingsInPanel();
    Mailer mailer;
    mailer.host = settings.host.trimmed();
    mailer.userName = loginUserName(settings.userName);
    mailer.password = settings.password;
    QString report;
    bool reached = false;
    try {
        mailer.port = mailPort(settings.port);
        mailer.security = mailSecurity(settings.security);
        const MailServerCheck check = checkMailServer(mailer, &m_controls.hostWidget());
        if (check.cancelled)
            return;
        reached = check.reached;
        const bool secure = mailer.security != SmtpSecurity::None;
        report = mailServerCheckReport(QStringLiteral("%1:%2").arg(mailer.host).arg(mailer.port), check,
                                       secure, secure && !mailer.userName.isEmpty());
    } catch (const KartelloError &error) {
        report = error.text();
    }
    userDialogs().placePointer(10, 35);
    if (reached)
        userDialogs().information(report);
    else
        userDialogs().warning(report);
    m_controls.control(controlnames::mailSettingsTestButton)->setFocus(Qt::OtherFocusReason);
}
