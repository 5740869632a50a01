// Which QSOs need a card: the log's QSL_SENT, read by the reader, held against the journal.
#include "AdifReader.h"
#include "QslQueue.h"
#include "QsoListModel.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

void PrintTo(QslState state, std::ostream *os) { *os << qslStateText(state).toStdString(); }

namespace {

constexpr std::optional<const char *> absent;

struct QslSentRow
{
    std::optional<const char *> qslSent;   // the field's value; absent: no QSL_SENT at all
    QslState withoutJournal;
    QslState journalSent;
    QslState journalMaybeSent;
};

void PrintTo(const QslSentRow &row, std::ostream *os)
{
    *os << (row.qslSent ? "\"" + std::string(*row.qslSent) + "\"" : std::string("absent"));
}

// The QSL_SENT field of a record whose QSL_RCVD, QSL_SENT_VIA and QSO_DATE the reader must
// tell apart from it.
QByteArray logWith(const std::optional<const char *> &qslSent)
{
    QByteArray record = "<eoh><call:4>K1AA <qsl_rcvd:1>Y <qso_date:8>20260101 <qsl_sent_via:1>E ";
    if (qslSent)
        record += "<qsl_sent:" + QByteArray::number(qstrlen(*qslSent)) + ">" + *qslSent + " ";
    return record + "<eor>\n";
}

class QslSentValues : public ::testing::TestWithParam<QslSentRow>
{
};

TEST_P(QslSentValues, GiveTheStateWithEachJournalEntry)
{
    const QslSentRow &row = GetParam();
    const AdifLog log = readAdifLog(logWith(row.qslSent));
    ASSERT_EQ(log.records.size(), 1u);
    const AdifRecord &record = log.records.front();
    EXPECT_EQ(record.has(AdifField::QslSent), row.qslSent.has_value());
    EXPECT_EQ(record.value(AdifField::QsoDate), QStringLiteral("20260101"));
    const QslState logState = logQslState(record.value(AdifField::QslSent));
    EXPECT_EQ(queueState(logState, JournalEntry::None), row.withoutJournal);
    EXPECT_EQ(queueState(logState, JournalEntry::Sent), row.journalSent);
    EXPECT_EQ(queueState(logState, JournalEntry::MaybeSent), row.journalMaybeSent);
}

using S = QslState;
const QslSentRow qslSentRows[] = {
    {absent, S::NeedsCard, S::JournalSent, S::MaybeSent},
    {"", S::NeedsCard, S::JournalSent, S::MaybeSent},
    {"N", S::NeedsCard, S::JournalSent, S::MaybeSent},
    {"n", S::NeedsCard, S::JournalSent, S::MaybeSent},
    {"R", S::NeedsCard, S::JournalSent, S::MaybeSent},
    {"Q", S::NeedsCard, S::JournalSent, S::MaybeSent},
    {" q\t", S::NeedsCard, S::JournalSent, S::MaybeSent},
    {"Y", S::LoggedSent, S::JournalSent, S::LoggedSent},
    {"y", S::LoggedSent, S::JournalSent, S::LoggedSent},
    {" Y ", S::LoggedSent, S::JournalSent, S::LoggedSent},
    {"I", S::Ignored, S::JournalSent, S::Ignored},
    {"i", S::Ignored, S::JournalSent, S::Ignored},
    {"V", S::OddStatus, S::JournalSent, S::MaybeSent},
    {"YES", S::OddStatus, S::JournalSent, S::MaybeSent},
    {"Y N", S::OddStatus, S::JournalSent, S::MaybeSent},
};

INSTANTIATE_TEST_SUITE_P(Adif, QslSentValues, ::testing::ValuesIn(qslSentRows));

// The list keeps each row's state beside its text, which stays the row as listRow() wrote it.
TEST(QsoListModelStates, ShowAsToolTipAndMarkAndFollowTheJournal)
{
    QsoListModel model;
    model.setStateMarks([](QslState state) { return QVariant(int(state)); });
    model.appendRows({"a", "b", "c"}, {{S::NeedsCard, JournalEntry::None},
                                       {S::LoggedSent, JournalEntry::None},
                                       {S::OddStatus, JournalEntry::MaybeSent}});
    model.appendRows({"d"}, {{S::OddStatus, JournalEntry::None}});
    EXPECT_EQ(model.data(model.index(2)).toString(), QStringLiteral("c"));
    EXPECT_EQ(model.data(model.index(1), Qt::ToolTipRole).toString(), qslStateText(S::LoggedSent));
    EXPECT_EQ(model.data(model.index(2), Qt::DecorationRole).toInt(), int(S::MaybeSent));
    EXPECT_EQ(model.rowsNeedingCard(), QList<int>({0, 3}));

    QList<int> changedRows;
    QObject::connect(&model, &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex &first, const QModelIndex &) { changedRows << first.row(); });
    model.setJournalEntry(0, JournalEntry::Sent);
    model.setJournalEntry(0, JournalEntry::Sent);
    EXPECT_EQ(changedRows, QList<int>({0}));
    EXPECT_EQ(model.state(0), S::JournalSent);
    EXPECT_EQ(model.rowsNeedingCard(), QList<int>({3}));
    EXPECT_THROW(model.appendRows({"e"}, {}), std::invalid_argument);
    EXPECT_EQ(model.rowCount(), 4);
    model.clear();
    EXPECT_EQ(model.rowsNeedingCard(), QList<int>());
}

} // namespace
