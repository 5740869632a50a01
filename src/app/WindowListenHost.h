#pragma once

#include "features/ListenController.h"
#include "SendClock.h"

#include <atomic>
#include <memory>

class Mailer;
class QsoCardSender;

class MainWindow;

// The main window as the host of Listen: the QSO fields filled through their overlays with
// their change handlers running, as typed text runs them; busy while a dialog or a popup is
// open or an ADIF load or batch run goes on; the status after the window's title
// ("Kartello - Listening on 127.0.0.1:2237, last QSO K1ABC 8.12.2026 14:07"). A card is
// saved as Create JPG saves it and goes by e-mail on a thread of its own, so the window keeps
// painting meanwhile; the pace holds from one QSO to the next. Turning Listen off, or the
// program ending, aborts the card's connection at once.
class WindowListenHost : public ListenHost
{
public:
    explicit WindowListenHost(MainWindow &window);
    ~WindowListenHost() override;

    QString defaultPower() const override;
    bool isBusy() const override;
    void fillQso(const QsoRecord &row) override;
    void showListenStatus(const QString &text) override;
    QString saveCard(QString &picture) override;
    QString sendCard(const SentQso &qso, const QString &picture) override;
    void stopSending() override;

private:
    // The card on its way: its mailer and the flag its waits ask.
    struct Sending
    {
        Mailer *mailer = nullptr;
        std::atomic<bool> *stop = nullptr;
    };

    // The card on screen written to path as Create JPG writes it.
    void writeCardOnScreen(const QString &path);

    MainWindow &m_window;
    SystemSendClock m_clock;
    std::unique_ptr<QsoCardSender> m_sender;
    Sending m_sending;
};
