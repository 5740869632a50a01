#pragma once

// The main window with Listen on, and a logging program's side to send it QSOs.
#include "MainWindowFixture.h"
#include "ProtocolSender.h"
#include "WindowListening.h"
#include "features/ListenController.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

class ListenWindow : public MainWindowFixture
{
protected:
    // Starts the window with Listen remembered as on, on a free port of 127.0.0.1 or on a
    // group.
    void startListening(bool group = false)
    {
        port = freeUdpPort();
        to = QHostAddress(group ? QStringLiteral("224.0.0.1") : QStringLiteral("127.0.0.1"));
        writeFile(stateFile(), QStringLiteral("[Listen]\r\nEnabled=TRUE\r\nAddress=%1:%2\r\n")
                                   .arg(to.toString())
                                   .arg(port)
                                   .toUtf8());
        start();
        setUpListening(*form);
    }

    void send(const QByteArray &datagram) { ASSERT_TRUE(sender.send(datagram, to, port)); }

    template<typename Done>
    bool runUntil(Done done)
    {
        const QDeadlineTimer deadline(10000);
        while (!done() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        return done();
    }

    QString field(QsoField f) const { return form->entryOverlay(f)->text(); }
    QString title() const { return form->windowTitle(); }
    QImage cardNow() const
    {
        form->cardOutputs().snapshotCard();
        const QImage card = form->cardOutputs().snapshotImage();
        form->cardOutputs().showEntryOverlays();
        return card;
    }

    ProtocolSender sender;
    QHostAddress to;
    quint16 port = 0;
};
