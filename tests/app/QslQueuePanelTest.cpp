// The QSL state of each row of the ADIF panel, and Unsent, which selects the QSOs that need a
// card; Send Selected moves the rows it sent out of the queue.
#include "AdifPanelFixture.h"

#include "AdifReader.h"
#include "AiosmtpdServer.h"
#include "JournalNotes.h"
#include "QslQueue.h"
#include "SentJournal.h"

#include <QIcon>

#include <ostream>

void PrintTo(QslState state, std::ostream *os) { *os << qslStateText(state).toStdString(); }

namespace {

const QString kTests = QStringLiteral(KARTELLO_SOURCE_DIR "/tests");

// Row by row: needs a card, sent (the log), requested, ignored, sent (Sent.adi), may have been
// sent (Sent.adi), a value of its own, queued. K1AC and K1AH have an address.
const QByteArray kLog =
    "<adif_ver:5>3.1.4<eoh>\n"
    "<call:4>K1AA <qso_date:8>20260301 <time_on:4>1200 <freq:6>14.074 <mode:3>FT8 <eor>\n"
    "<call:4>K1AB <qso_date:8>20260302 <time_on:4>1200 <freq:6>14.074 <mode:3>FT8 <qsl_sent:1>y <eor>\n"
    "<call:4>K1AC <qso_date:8>20260303 <time_on:4>1200 <freq:6>14.074 <mode:3>FT8 <qsl_sent:1>R "
    "<email:16>k1ac@example.net <eor>\n"
    "<call:4>K1AD <qso_date:8>20260304 <time_on:4>1200 <freq:6>14.074 <mode:3>FT8 <qsl_sent:1>I <eor>\n"
    "<call:4>K1AE <qso_date:8>20260305 <time_on:4>1200 <freq:6>14.074 <mode:3>FT8 <qsl_sent:1>N <eor>\n"
    "<call:4>K1AF <qso_date:8>20260306 <time_on:4>1200 <freq:6>14.074 <mode:3>FT8 <eor>\n"
    "<call:4>K1AG <qso_date:8>20260307 <time_on:4>1200 <freq:6>14.074 <mode:3>FT8 <qsl_sent:3>ABC <eor>\n"
    "<call:4>K1AH <qso_date:8>20260308 <time_on:4>1200 <freq:6>14.074 <mode:3>FT8 <qsl_sent:1>Q "
    "<email:16>k1ah@example.net <eor>\n";

using S = QslState;
const QList<S> kStates = {S::NeedsCard, S::LoggedSent,  S::NeedsCard, S::Ignored,
                          S::JournalSent, S::MaybeSent, S::OddStatus, S::NeedsCard};

SentQso journalQso(const QString &call, const QString &date)
{
    return {call, date, "1200", "14.074", "FT8", {}, {}};
}

class QslQueuePanel : public AdifPanelFixture
{
protected:
    void writeJournal()
    {
        writeFile(dataFile("Sent.adi"),
                  "Journal\n<EOH>\n"
                      + SentJournal::recordText(journalQso("K1AE", "20260305"), QDate(2026, 3, 9), "<1@x>")
                      + journalNoteText(JournalNoteKind::Sending, journalQso("K1AF", "20260306")));
    }
    QList<S> states() const
    {
        QList<S> states;
        for (int row = 0; row < adif().rows().rowCount(); ++row)
            states << adif().rows().state(row);
        return states;
    }
    QList<int> selected() const
    {
        QList<int> rows;
        for (const QModelIndex &index : list()->selectionModel()->selectedRows())
            rows << index.row();
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    QImage mark(int row) const
    {
        const auto icon = adif().rows().data(adif().rows().index(row), Qt::DecorationRole).value<QIcon>();
        return icon.pixmap(list()->iconSize()).toImage();
    }
};

TEST_F(QslQueuePanel, RowsShowTheirStateBesideTheirUnchangedText)
{
    writeJournal();
    adif().openPanel();
    loadLog(writeLog("log.adi", kLog));
    ASSERT_EQ(states(), kStates);
    QStringList rows;
    for (const AdifRecord &record : readAdifLog(kLog).records)
        rows << listRow(record, form->entryOverlay(QsoField::Power)->text());
    EXPECT_EQ(adif().rows().rows(), rows);
    const QAbstractItemModel &model = adif().rows();
    for (int row = 0; row < kStates.size(); ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(model.data(model.index(row, 0)).toString(), rows[row]);
        EXPECT_EQ(model.data(model.index(row, 0), Qt::ToolTipRole).toString(), qslStateText(kStates[row]));
        ASSERT_FALSE(mark(row).isNull());
        // One mark per state, another for each other state.
        for (int other = 0; other < row; ++other)
            EXPECT_EQ(mark(row) == mark(other), kStates[row] == kStates[other]) << "against row " << other;
    }
}

TEST_F(QslQueuePanel, UnsentSelectsTheQsosThatNeedACard)
{
    writeJournal();
    adif().openPanel();
    loadLog(writeLog("log.adi", kLog));
    selectRows({1, 3});
    click("SelectUnsentButton");
    EXPECT_EQ(selected(), QList<int>({0, 2, 6, 7}));
    EXPECT_EQ(list()->currentIndex().row(), 0);
    EXPECT_EQ(progress(), "4 of 8 QSOs need a card");
}

TEST_F(QslQueuePanel, UnreadableJournalLeavesTheLogToDecideAndSaysSo)
{
    ASSERT_TRUE(QDir().mkpath(dataFile("Sent.adi")));
    adif().openPanel();
    loadLog(writeLog("log.adi", kLog));
    EXPECT_EQ(states(), QList<S>({S::NeedsCard, S::LoggedSent, S::NeedsCard, S::Ignored, S::NeedsCard, S::NeedsCard,
                                  S::OddStatus, S::NeedsCard}));
    EXPECT_TRUE(progress().startsWith("log.adi: 8 rows added, no records skipped; QSL states from the log alone: Cannot open file "))
        << progress().toStdString();
}

// The rows Send Selected sent leave the queue; those it could not send stay in it.
TEST_F(QslQueuePanel, SendSelectedTakesTheSentRowsOutOfTheQueue)
{
    QTemporaryDir inbox;
    AiosmtpdServer server(kTests + "/mail/smtp_sink.py", {inbox.path()});
    ASSERT_NE(0, server.port());
    writeFile(dataFile("smtp.onl"),
              QStringLiteral("localhost\r\nuser\r\npw\r\n%1\r\nnone\r\n600\r\n").arg(server.port()).toUtf8());
    form->control<QLineEdit>("EmailEdit1")->setText("dl1abc@example.org");
    writeJournal();
    adif().openPanel();
    loadLog(writeLog("log.adi", kLog));
    click("SelectUnsentButton");
    click("SendSelectedButton");
    EXPECT_TRUE(progress().startsWith("2 cards sent")) << progress().toStdString();
    QList<S> after = kStates;
    after[2] = after[7] = S::JournalSent;
    EXPECT_EQ(states(), after);
    click("SelectUnsentButton");
    EXPECT_EQ(selected(), QList<int>({0, 6}));
}

} // namespace
