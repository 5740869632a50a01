#pragma once

#include <QObject>

class ControlLookup;
class KeyboardFocusHost;
struct MailSettings;

// The mail settings panel (`Panel29`) that "E " in the Formats group opens over the card: the
// provider's server, login, port, security and pace, written as "smtp.onl" by OK, left
// unsaved by Cancel, and tried by Test. While it is open the keyboard stays in it.
class MailSettingsPanel : public QObject
{
    Q_OBJECT
public:
    // Connects the panel's controls; on closing, the keyboard goes back through focus.
    MailSettingsPanel(ControlLookup &controls, KeyboardFocusHost &focus);

    // "E ": shows the panel filled from "smtp.onl", the keyboard in the host box with its
    // text selected, so typing replaces it.
    void open();
    // OK: hides the panel and writes its boxes as "smtp.onl".
    void save();
    // Cancel: hides the panel; "smtp.onl" stays as it was.
    void cancel();
    // Test: connects to the server of the boxes and logs in, sends nothing, and says how it went.
    void test();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The security words, the masked password, and a tooltip with the usual values per box.
    void prepare();
    // The port follows a security the operator chose while it holds a usual port.
    void followSecurity();
    MailSettings settingsInPanel() const;
    void hide();

    ControlLookup &m_controls;
    KeyboardFocusHost &m_focus;
};
