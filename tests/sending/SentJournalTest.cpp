#include "AdifReader.h"
#include "JournalNotes.h"
#include "SentJournal.h"

#include <QFile>
#include <QFileInfo>
#include <memory>
#include <QProcess>
#include <QTemporaryDir>

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

const QString kScripts = QStringLiteral(KARTELLO_SENDING_TEST_DIR);

SentQso qso(const char *call, const char *date, const char *time, const char *freq, const char *mode,
            const char *email = "")
{
    return {QString::fromUtf8(call), QString::fromLatin1(date), QString::fromLatin1(time),
            QString::fromLatin1(freq), QString::fromLatin1(mode), QString::fromUtf8(email), QString()};
}

// A QSO of a log that names its band in BAND.
SentQso onBand(SentQso qso, const char *band)
{
    qso.band = QString::fromLatin1(band);
    return qso;
}

// Two QSOs and whether the journal takes them for the same contact.
struct SameQsoRow
{
    const char *name;
    SentQso a;
    SentQso b;
    bool same;
};

void PrintTo(const SameQsoRow &row, std::ostream *os) { *os << row.name; }

class SameQso : public ::testing::TestWithParam<SameQsoRow>
{
};

TEST_P(SameQso, ByCallDateMinuteAndBand)
{
    const SameQsoRow &row = GetParam();
    EXPECT_EQ(row.same, sentQsoKey(row.a).sameQso(sentQsoKey(row.b)));
    EXPECT_EQ(row.same, sentQsoKey(row.b).sameQso(sentQsoKey(row.a)));
    SentQsoSet set;
    set.insert(row.a);
    EXPECT_EQ(row.same, set.contains(row.b));
}

const SameQsoRow kSameQsoRows[] = {
    {"Identical", qso("K1ABC", "20261201", "1200", "14.074", "FT8"), qso("K1ABC", "20261201", "1200", "14.074", "FT8"), true},
    {"CaseAndBlanks", qso(" k1abc ", "20261201", "1200", "14.074", "ft8"), qso("K1ABC", "20261201", "1200", "14.074", "FT8"), true},
    {"SecondsIgnored", qso("K1ABC", "20261201", "120059", "14.074", "FT8"), qso("K1ABC", "20261201", "1200", "14.074", "FT8"), true},
    {"SameBandOtherFrequency", qso("K1ABC", "20261201", "1200", "14.0745", "FT8"), qso("K1ABC", "20261201", "1200", "14.2", "FT8"), true},
    {"OtherBand", qso("K1ABC", "20261201", "1200", "14.074", "FT8"), qso("K1ABC", "20261201", "1200", "7.074", "FT8"), false},
    {"OtherMinute", qso("K1ABC", "20261201", "1200", "14.074", "FT8"), qso("K1ABC", "20261201", "1201", "14.074", "FT8"), false},
    {"OtherDay", qso("K1ABC", "20261201", "1200", "14.074", "FT8"), qso("K1ABC", "20261202", "1200", "14.074", "FT8"), false},
    {"ModeIgnored", qso("K1ABC", "20261201", "1200", "14.074", "MFSK"), qso("K1ABC", "20261201", "1200", "14.074", "FT4"), true},
    {"OtherCall", qso("K1ABC", "20261201", "1200", "14.074", "FT8"), qso("K1ABD", "20261201", "1200", "14.074", "FT8"), false},
    {"OutsideBandsByKilohertz", qso("K1ABC", "20261201", "1200", "5.0001", "CW"), qso("K1ABC", "20261201", "1200", "5.000", "CW"), true},
    {"OutsideBandsOtherKilohertz", qso("K1ABC", "20261201", "1200", "5.001", "CW"), qso("K1ABC", "20261201", "1200", "5.000", "CW"), false},
    {"NoFrequencyOnEither", qso("K1ABC", "20261201", "1200", "", "CW"), qso("K1ABC", "20261201", "1200", "", "CW"), true},
    {"TypedDateIsTheLogsDay", qso("K1ABC", "12.1.2026", "1200", "14.074", "FT8"), qso("K1ABC", "20261201", "1200", "14.074", "FT8"), true},
    {"IsoDateIsTheLogsDay", qso("K1ABC", "2026-12-01", "1200", "14.074", "FT8"), qso("K1ABC", "20261201", "1200", "14.074", "FT8"), true},
    {"NoBandOnOneMatchesAnyBand", qso("K1ABC", "20261201", "1200", "", "CW"), qso("K1ABC", "20261201", "1200", "7.01", "CW"), true},
    {"BandWithoutFrequency", onBand(qso("K1ABC", "20261201", "1200", "", "FT8"), "20M"), qso("K1ABC", "20261201", "1200", "14.074", "FT8"), true},
    {"BandWithoutFrequencyOtherBand", onBand(qso("K1ABC", "20261201", "1200", "", "FT8"), "40m"), qso("K1ABC", "20261201", "1200", "14.074", "FT8"), false},
    {"TwoBandsWithoutFrequency", onBand(qso("K1ABC", "20261201", "1200", "", "FT8"), "40m"), onBand(qso("K1ABC", "20261201", "1200", "", "FT8"), "20m"), false},
    {"FrequencyBeforeBand", onBand(qso("K1ABC", "20261201", "1200", "7.074", "FT8"), "20m"), qso("K1ABC", "20261201", "1200", "14.074", "FT8"), false},
    {"NoBandNameIsNoBand", onBand(qso("K1ABC", "20261201", "1200", "", "FT8"), "QRP"), qso("K1ABC", "20261201", "1200", "14.074", "FT8"), true},
};

INSTANTIATE_TEST_SUITE_P(Pairs, SameQso, ::testing::ValuesIn(kSameQsoRows),
                         [](const auto &info) { return std::string(info.param.name); });

// The record written for a QSO, byte for byte.
struct RecordRow
{
    const char *name;
    SentQso qso;
    QByteArray text;
};

void PrintTo(const RecordRow &row, std::ostream *os) { *os << row.name; }

class JournalRecord : public ::testing::TestWithParam<RecordRow>
{
};

TEST_P(JournalRecord, IsTheAdifRecordALoggerImports)
{
    const RecordRow &row = GetParam();
    EXPECT_EQ(row.text, SentJournal::recordText(row.qso, QDate(2026, 12, 8), QStringLiteral("<a.b@example.org>")));
}

const QByteArray kSent = "<QSL_SENT:1>Y <QSLSDATE:8>20261208 <QSL_SENT_VIA:1>E <APP_KARTELLO_MSGID:17><a.b@example.org> <EOR>\n";

const RecordRow kRecordRows[] = {
    {"FrequencyAndItsBand", qso("K1ABC", "20261201", "1200", "14.074", "FT8", "k1abc@example.net"),
     "<CALL:5>K1ABC <QSO_DATE:8>20261201 <TIME_ON:4>1200 <FREQ:6>14.074 <BAND:3>20m <MODE:3>FT8 "
     "<EMAIL:17>k1abc@example.net " + kSent},
    {"NoFrequency", qso("DL1XYZ", "20261202", "130000", "", "CW", "dl1xyz@example.de"),
     "<CALL:6>DL1XYZ <QSO_DATE:8>20261202 <TIME_ON:6>130000 <MODE:2>CW <EMAIL:17>dl1xyz@example.de " + kSent},
    {"FrequencyOutsideTheBands", qso("G4AA", "20261203", "1400", "5.000", "SSB", "g4aa@example.uk"),
     "<CALL:4>G4AA <QSO_DATE:8>20261203 <TIME_ON:4>1400 <FREQ:5>5.000 <MODE:3>SSB <EMAIL:15>g4aa@example.uk " + kSent},
    {"BandWithoutFrequency", onBand(qso("K1ABC", "20261201", "1200", "", "FT8", "k1abc@example.net"), " 20M "),
     "<CALL:5>K1ABC <QSO_DATE:8>20261201 <TIME_ON:4>1200 <BAND:3>20m <MODE:3>FT8 <EMAIL:17>k1abc@example.net " + kSent},
    {"FrequencyNotANumberLeftOut", qso("K1ABC", "20261201", "1200", "14,074", "FT8"),
     "<CALL:5>K1ABC <QSO_DATE:8>20261201 <TIME_ON:4>1200 <MODE:3>FT8 " + kSent},
    {"TypedDatesWrittenAsAdif", qso("K1ABC", "2026-12-06", "1200", "", "CW"),
     "<CALL:5>K1ABC <QSO_DATE:8>20261206 <TIME_ON:4>1200 <MODE:2>CW " + kSent},
    {"QuickPickDateWrittenAsAdif", qso("K1ABC", " 12.6.2026 ", "1200", "", "CW"),
     "<CALL:5>K1ABC <QSO_DATE:8>20261206 <TIME_ON:4>1200 <MODE:2>CW " + kSent},
    {"UnreadableDateNotWritten", qso("K1ABC", "06.12.2026", "1200", "", "CW"),
     "<CALL:5>K1ABC <TIME_ON:4>1200 <MODE:2>CW " + kSent},
    {"LengthsInUtf8Bytes", qso(" OE1ÄB ", "20261204", "0900", "144.300", "SSB", "jörg@example.at"),
     "<CALL:6>OE1\xc3\x84" "B <QSO_DATE:8>20261204 <TIME_ON:4>0900 <FREQ:7>144.300 <BAND:2>2m <MODE:3>SSB "
     "<EMAIL:16>j\xc3\xb6rg@example.at " + kSent},
};

INSTANTIATE_TEST_SUITE_P(Records, JournalRecord, ::testing::ValuesIn(kRecordRows),
                         [](const auto &info) { return std::string(info.param.name); });

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QStringList pythonRecords(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"), {kScripts + QStringLiteral("/read_adif.py"), path});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
}

// What a journal file held before it was opened, and what opening it and appending one
// record leaves.
struct OpenRow
{
    const char *name;
    QByteArray before;          // null: no file
    int recordsRead;            // records found on opening
    bool cutTail;
    QByteArray after;           // the file's end after one record appended; empty: open fails
    QString error;              // the start of the failure's text
};

void PrintTo(const OpenRow &row, std::ostream *os) { *os << row.name; }

class JournalFile : public ::testing::TestWithParam<OpenRow>
{
};

const QByteArray kHeaderEnd = "<EOH>\n";
const QByteArray kOld = "<CALL:4>W1AW <QSO_DATE:8>20261101 <TIME_ON:4>1000 <FREQ:5>7.030 <MODE:2>CW <EOR>\n";
const SentQso kNew = qso("K1ABC", "20261201", "1200", "14.074", "FT8", "k1abc@example.net");
const SentQso kNewOtherBand = qso("K1ABC", "20261201", "1200", "7.074", "FT8", "k1abc@example.net");

TEST_P(JournalFile, OpensAppendsAndReadsBack)
{
    const OpenRow &row = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Sent.adi"));
    if (!row.before.isNull())
        writeAll(path, row.before);
    auto journal = std::make_unique<SentJournal>(path);
    if (!row.error.isEmpty()) {
        const QString expected = row.error.arg(path);
        try {
            journal->open();
            FAIL() << "opened";
        } catch (const JournalError &e) {
            EXPECT_EQ(expected, e.text().left(expected.size()));
        }
        // A run that only reads it (cards --unsent, a dry run) refuses it the same way rather
        // than take it for a journal of no card.
        try {
            SentJournal(path).read();
            FAIL() << "read";
        } catch (const JournalError &e) {
            EXPECT_EQ(expected, e.text().left(expected.size()));
        }
        EXPECT_EQ(row.before, readAll(path));
        return;
    }
    journal->open();
    EXPECT_EQ(row.recordsRead, journal->recordCount());
    EXPECT_EQ(row.cutTail, journal->hadUnfinishedRecord());
    EXPECT_FALSE(journal->contains(kNew));
    journal->append(kNew, QDate(2026, 12, 8), QStringLiteral("<a.b@example.org>"));
    EXPECT_TRUE(journal->contains(kNew));
    EXPECT_FALSE(journal->contains(kNewOtherBand));
    const QByteArray file = readAll(path);
    EXPECT_TRUE(file.endsWith(row.after)) << file.toStdString();

    // Read back by Kartello's reader, by a new journal and by an independent reader.
    const AdifLog log = readAdifLog(file);
    ASSERT_EQ(size_t(row.recordsRead + 1), log.records.size());
    EXPECT_EQ(QStringLiteral("K1ABC"), log.records.back().value(AdifField::Call));
    EXPECT_EQ(QStringLiteral("k1abc@example.net"), log.records.back().value(AdifField::Email));
    EXPECT_EQ(0, log.skipped.total());
    journal = std::make_unique<SentJournal>(path);
    journal->read();
    EXPECT_EQ(row.recordsRead + 1, journal->recordCount());
    EXPECT_TRUE(journal->contains(kNew));
    const QStringList lines = pythonRecords(path);
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(QStringLiteral("CALL=K1ABC\tQSO_DATE=20261201\tTIME_ON=1200\tFREQ=14.074\tBAND=20m\tMODE=FT8\t"
                             "EMAIL=k1abc@example.net\tQSL_SENT=Y\tQSLSDATE=20261208\tQSL_SENT_VIA=E\t"
                             "APP_KARTELLO_MSGID=<a.b@example.org>"),
              lines.last());
    EXPECT_EQ(row.recordsRead + 1 + (row.before.startsWith('<') ? 0 : 1), lines.size()) << lines.join('\n').toStdString();
}

const QByteArray kNewRecord = SentJournal::recordText(kNew, QDate(2026, 12, 8), QStringLiteral("<a.b@example.org>"));

const OpenRow kOpenRows[] = {
    {"NewFile", QByteArray(), 0, false, kHeaderEnd + kNewRecord, {}},
    {"EmptyFile", QByteArray(""), 0, false, kHeaderEnd + kNewRecord, {}},
    {"OneRecord", "Journal\n<ADIF_VER:5>3.1.4 <EOH>\n" + kOld, 1, false, kOld + kNewRecord, {}},
    {"NoHeaderLowerCase", "<call:4>W1AW <qso_date:8>20261101 <time_on:4>1000 <mode:2>CW <eor>", 1, false,
     "<eor>" + kNewRecord, {}},
    {"UnfinishedRecordCut", "Journal\n<EOH>\n" + kOld + "<CALL:5>K1A", 1, true, kOld + kNewRecord, {}},
    {"UnfinishedFirstRecordCut", "Journal\n<EOH>\n<CALL:5>K1ABC <QSO_DA", 0, true, kHeaderEnd + kNewRecord, {}},
    {"NotAJournal", "Dear OM, tnx fer QSO", 0, false, {}, QStringLiteral("%1 is not a sent journal")},
};

INSTANTIATE_TEST_SUITE_P(Files, JournalFile, ::testing::ValuesIn(kOpenRows),
                         [](const auto &info) { return std::string(info.param.name); });

// A journal of an older Kartello (FREQ without BAND) and a record that gives only BAND both
// tell the QSO's band; the same call in the same minute on another band was not sent.
TEST(JournalBand, ReadFromFrequencyOrBand)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Sent.adi"));
    writeAll(path, "Journal\n<EOH>\n" + kOld
                       + "<CALL:5>K1ABC <QSO_DATE:8>20261201 <TIME_ON:4>1200 <band:3>20M <MODE:3>FT8 <EOR>\n");
    SentJournal journal(path);
    journal.read();
    EXPECT_TRUE(journal.contains(qso("W1AW", "20261101", "1000", "7.001", "CW")));
    EXPECT_FALSE(journal.contains(qso("W1AW", "20261101", "1000", "3.530", "CW")));
    EXPECT_TRUE(journal.contains(kNew));
    EXPECT_FALSE(journal.contains(kNewOtherBand));
    EXPECT_FALSE(journal.contains(onBand(qso("K1ABC", "20261201", "1200", "", "FT8"), "40m")));
}

// A frequency typed as no number ("14,074") is left out of the record, which a reader would
// otherwise skip: the card stays known as sent.
TEST(JournalBand, TypedFrequencyThatIsNoNumber)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Sent.adi"));
    const SentQso typed = qso("K1ABC", "12.1.2026", "12:00", "14,074", "FT8", "k1abc@example.net");
    {
        SentJournal journal(path);
        journal.open();
        journal.append(typed, QDate(2026, 12, 8), QStringLiteral("<a@b>"));
    }
    SentJournal again(path);
    again.read();
    EXPECT_EQ(1, again.recordCount());
    EXPECT_TRUE(again.contains(typed));
}

// A journal that is UTF-8 but for a few bytes: a character torn by a power cut at its end, or
// a byte of another code page somewhere. The records before and after still read as UTF-8,
// so a call with a non-ASCII letter is still known as sent (and not mailed at every run).
struct BrokenBytesRow
{
    const char *name;
    QByteArray before;   // written ahead of the records
    QByteArray between;  // written between the two records
    QByteArray after;    // written after the records
    bool cutTail;
};

void PrintTo(const BrokenBytesRow &row, std::ostream *os) { *os << row.name; }

class JournalBytes : public ::testing::TestWithParam<BrokenBytesRow>
{
};

const SentQso kSlashedZero = qso("OZ1ØAB", "20261201", "1300", "7.074", "FT8", "oz1øab@example.dk");
const SentQso kUmlaut = qso("OE1ÄB", "20261202", "1400", "14.074", "FT8", "oe1äb@example.at");

TEST_P(JournalBytes, EveryRecordStillReadAsUtf8)
{
    const BrokenBytesRow &row = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Sent.adi"));
    const QDate day(2026, 12, 8);
    const QByteArray id = "<a.b@example.org>";
    writeAll(path, "Kartello sent journal" + row.before + "\n<EOH>\n" + SentJournal::recordText(kSlashedZero, day, id)
                       + row.between + SentJournal::recordText(kUmlaut, day, id) + row.after);
    {
        SentJournal reader(path);
        reader.read();
        EXPECT_TRUE(reader.contains(kSlashedZero));
        EXPECT_TRUE(reader.contains(kUmlaut));
        EXPECT_EQ(2, reader.recordCount());
        EXPECT_EQ(row.cutTail, reader.hadUnfinishedRecord());
    }
    SentJournal journal(path);
    journal.open();
    EXPECT_TRUE(journal.contains(kSlashedZero));
    EXPECT_TRUE(journal.contains(kUmlaut));
    EXPECT_EQ(row.cutTail, journal.hadUnfinishedRecord());
    journal.append(kNew, day, QString::fromLatin1(id));
    const QByteArray file = readAll(path);
    const QByteArray appended = SentJournal::recordText(kNew, day, QString::fromLatin1(id));
    EXPECT_TRUE(file.endsWith("<EOR>\n\n" + appended) || file.endsWith("<EOR>\n" + appended)) << file.toStdString();
}

const BrokenBytesRow kBrokenBytesRows[] = {
    {"TornInsideACharacter", "", "", "<CALL:6>OZ1\xc3", true},
    {"TornAfterALongRecord", "", "", "<CALL:6>OZ1\xc3\x98AB <QSO_DATE:8>2026120", true},
    {"Windows1252ByteBetweenRecords", "", "\xd8\n", "", false},
    {"Windows1252ByteInTheHeader", " \xe6\xf8\xe5", "", "", false},
    {"LoneContinuationByteAtTheEnd", "", "", "\x98", true},
};

INSTANTIATE_TEST_SUITE_P(Bytes, JournalBytes, ::testing::ValuesIn(kBrokenBytesRows),
                         [](const auto &info) { return std::string(info.param.name); });

// The notes around a card on its way, as one run leaves them for the next.
struct NotesRow
{
    const char *name;
    QByteArray after;   // after the header, built from the entries below
    bool sent;
    bool maybeSent;
    bool cutTail;
};

void PrintTo(const NotesRow &row, std::ostream *os) { *os << row.name; }

class JournalNotes : public ::testing::TestWithParam<NotesRow>
{
};

const SentQso kOnItsWay = qso("OZ1ØAB", "20261201", "1300", "7.074", "FT8", "oz1øab@example.dk");
const QByteArray kSending = journalNoteText(JournalNoteKind::Sending, kOnItsWay);
const QByteArray kNotSent = journalNoteText(JournalNoteKind::NotSent, kOnItsWay);
const QByteArray kSentRecord = SentJournal::recordText(kOnItsWay, QDate(2026, 12, 8), QStringLiteral("<a@b>"));

TEST_P(JournalNotes, TellCardsThatMayHaveBeenSent)
{
    const NotesRow &row = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Sent.adi"));
    writeAll(path, "Journal\n<EOH>\n" + kOld + row.after);
    for (const bool locked : {false, true}) {
        SentJournal journal(path);
        locked ? journal.open() : journal.read();
        EXPECT_EQ(row.sent, journal.contains(kOnItsWay)) << locked;
        EXPECT_EQ(row.maybeSent, journal.mayHaveBeenSent(kOnItsWay)) << locked;
        EXPECT_EQ(row.cutTail, journal.hadUnfinishedRecord()) << locked;
        EXPECT_FALSE(journal.mayHaveBeenSent(qso("OZ1ØAB", "20261201", "1300", "14.074", "FT8")));
    }
    // A logger's reader finds the records only.
    const QStringList lines = pythonRecords(path);
    EXPECT_EQ(2 + row.after.count("<EOR>"), lines.size()) << lines.join('\n').toStdString();
}

const NotesRow kNotesRows[] = {
    {"NoNotesInAnOldJournal", "", false, false, false},
    {"SendingWithoutAnswer", kSending, false, true, false},
    {"SendingThenRecorded", kSending + kSentRecord, true, false, false},
    {"SendingThenRefused", kSending + kNotSent, false, false, false},
    {"RefusedThenSendingAgain", kSending + kNotSent + kSending, false, true, false},
    {"RecordedThenResentWithoutAnswer", kSentRecord + kSending, true, false, false},
    {"SendingLineTorn", kSending.left(30), false, false, true},
    {"SendingLineWithoutItsLineBreak", kSending.chopped(1), false, false, true},
    {"SendingBetweenRecords", kSending + kOld, false, true, false},
};

INSTANTIATE_TEST_SUITE_P(Notes, JournalNotes, ::testing::ValuesIn(kNotesRows),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(JournalNoteLine, IsOneAsciiLineWithoutTags)
{
    const SentQso odd = qso(" OZ1<ØAB> ", "12.1.2026", "13:00", "", "FT8", "a b=c@example.dk");
    const QByteArray line = journalNoteText(JournalNoteKind::Sending, odd);
    EXPECT_EQ("Sending: CALL=OZ1%3C%C3%98AB%3E QSO_DATE=20261201 TIME_ON=13:00 FREQ= BAND= MODE=FT8 "
              "EMAIL=a%20b%3Dc@example.dk\n",
              line);
    const std::optional<JournalNote> back = parseJournalNote(line.chopped(1));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(QStringLiteral("OZ1<ØAB>"), back->qso.call);
    EXPECT_EQ(QStringLiteral("a b=c@example.dk"), back->qso.email);
    EXPECT_FALSE(parseJournalNote("Sending: tnx fer QSO"));
}

TEST(JournalLock, OneSenderAtATime)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Sent.adi"));
    auto first = std::make_unique<SentJournal>(path);
    first->open();
    SentJournal second(path);
    try {
        second.open();
        FAIL() << "two journals appended to one file";
    } catch (const JournalError &e) {
        EXPECT_EQ(path + QStringLiteral(" is in use by another Kartello that is sending cards."), e.text());
    }
    first.reset();
    SentJournal third(path);
    third.open();
    EXPECT_EQ(0, third.recordCount());
}

// The QSOs of one message go into the journal in one write: a disk that takes only part of
// them keeps none, so the message is not half recorded.
TEST(JournalGroup, RecordsAndNotesOfOneMessageAllOrNone)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Sent.adi"));
    SentJournal journal(path);
    journal.open();
    const std::vector<SentQso> group{qso("K1ABC", "20261201", "1200", "14.074", "FT8", "k1abc@example.net"),
                                     qso("K1ABC", "20261202", "0930", "7.074", "FT8", "k1abc@example.net"),
                                     qso("K1ABC", "20261203", "1815", "10.136", "FT8", "k1abc@example.net")};
    const QString id = QStringLiteral("<m.1@example.org>");
    const QByteArray before = readAll(path);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &old));
    rlimit tight = old;
    tight.rlim_cur = rlim_t(before.size() + SentJournal::recordText(group[0], QDate(2026, 12, 8), id).size() + 10);
    ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &tight));
    bool appended = true;
    bool marked = true;
    try {
        journal.append(group, QDate(2026, 12, 8), id);
    } catch (const JournalError &) {
        appended = false;
    }
    try {
        journal.markSending(group);
    } catch (const JournalError &) {
        marked = false;
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(appended);
    EXPECT_FALSE(marked);
    EXPECT_EQ(before, readAll(path));
    EXPECT_FALSE(journal.contains(group[0]));
    EXPECT_FALSE(journal.mayHaveBeenSentAny(group));

    journal.append(group, QDate(2026, 12, 8), id);
    EXPECT_TRUE(journal.containsAll(group));
    EXPECT_EQ(3, journal.recordCount());
}

} // namespace
