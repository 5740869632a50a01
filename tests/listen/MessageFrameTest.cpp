// Datagrams as logging programs send them, read into the QSO list row that the ADIF panel
// would show for the same QSO.
#include "MessageFrame.h"
#include "ProtocolSender.h"

#include "ListRow.h"

#include <QDataStream>
#include <QFile>
#include <gtest/gtest.h>

#include "QtPrinters.h"
#include "TestNames.h"

namespace {

struct FrameCase
{
    const char *name;
    QByteArray (*datagram)();
    FrameVerdict verdict;
    QString row;  // listRow() of the record, power "100" where none is given
};

void PrintTo(const FrameCase &c, std::ostream *os) { *os << c.name; }

class Frames : public ::testing::TestWithParam<FrameCase>
{
};

TEST_P(Frames, GiveTheQsoOrNothing)
{
    const MessageFrame frame = readMessageFrame(GetParam().datagram());
    EXPECT_EQ(frame.verdict, GetParam().verdict) << frame.reason.toStdString();
    if (GetParam().row.isEmpty())
        EXPECT_TRUE(frame.record.isEmpty());
    else
        EXPECT_EQ(listRow(frame.record, QStringLiteral("100")), GetParam().row);
}

QsoLoggedFields ft8()
{
    return sampleQso(7);
}

QsoLoggedFields withOffsetTimes()
{
    QsoLoggedFields qso = ft8();
    // 23:30 at UTC-2 is 01:30 UTC on the next day.
    qso.timeOn = QDateTime(QDate(2026, 12, 31), QTime(23, 30, 10), Qt::OffsetFromUTC, -7200);
    qso.timeOff = qso.timeOn;
    return qso;
}

QsoLoggedFields withNullTimeOn()
{
    QsoLoggedFields qso = ft8();
    qso.timeOn = QDateTime();
    return qso;
}

QByteArray withTrailingField()
{
    QByteArray bytes = qsoLoggedDatagram(ft8());
    QDataStream out(&bytes, QIODevice::Append);
    out << QByteArray("a field of a later version");
    return bytes;
}

QByteArray withHugeLength()
{
    QByteArray bytes = messageHeader(12, QStringLiteral("WSJT-X"));
    QDataStream out(&bytes, QIODevice::Append);
    out << quint32(0xfffffff0) << quint32(0);
    return bytes;
}

// The time off with a time zone instead of UTC, the rest of the message as it was.
QByteArray withTimeZoneBasis()
{
    QByteArray bytes = messageHeader(5, QStringLiteral("WSJT-X"));
    const qsizetype utcTimeEnd = bytes.size() + 8 + 4 + 1;
    QDataStream out(&bytes, QIODevice::Append);
    out << qint64(2461383) << quint32(0) << quint8(3) << QByteArray("Europe/Berlin");
    return bytes + qsoLoggedDatagram(ft8()).mid(utcTimeEnd);
}

QByteArray withForeignMagic()
{
    QByteArray bytes = qsoLoggedDatagram(ft8());
    bytes[0] = char(0xad + 1);
    return bytes;
}

QByteArray withoutCall()
{
    QsoLoggedFields qso = ft8();
    qso.dxCall = QStringLiteral("  ");
    return qsoLoggedDatagram(qso);
}

QByteArray qsoLoggedWithCall(const QString &call)
{
    QsoLoggedFields qso = ft8();
    qso.dxCall = call;
    return qsoLoggedDatagram(qso);
}

QByteArray adifWithCall(const QByteArray &call)
{
    return loggedAdifDatagram(QStringLiteral("WSJT-X"), "<eoh><call:" + QByteArray::number(call.size()) + ">" + call
                                                            + " <qso_date:8>20261208 <time_on:4>0930 <eor>");
}

QByteArray adifWithEmail()
{
    const QByteArray text = "<adif_ver:5>3.1.0 <programid:4>JTDX <eoh>"
                            "<call:6>EA1ABC <qso_date:8>20261208 <time_on:4>0930 <freq:8>7.074000 "
                            "<mode:3>FT8 <rst_rcvd:3>-05 <email:10>ea@mail.es <eor>";
    return loggedAdifDatagram(QStringLiteral("JTDX"), text);
}

const FrameCase frameCases[] = {
    {"QsoLoggedNewest", [] { return qsoLoggedDatagram(ft8()); }, FrameVerdict::Qso,
     QStringLiteral("  K7AB, 12.08.2026, 1407, 14.076, 50, FT8, -10")},
    {"QsoLoggedSchemaTwoWithoutTimeOn", [] { return oldQsoLoggedDatagram(ft8()); }, FrameVerdict::Qso,
     // The time off stands for the time on the message does not have.
     QStringLiteral("  K7AB, 12.08.2026, 1407, 14.076, 50, FT8, -10")},
    {"QsoLoggedNullTimeOnTakesTimeOff", [] { return qsoLoggedDatagram(withNullTimeOn()); },
     FrameVerdict::Qso, QStringLiteral("  K7AB, 12.08.2026, 1407, 14.076, 50, FT8, -10")},
    {"QsoLoggedOffsetTimeToUtc", [] { return qsoLoggedDatagram(withOffsetTimes()); }, FrameVerdict::Qso,
     QStringLiteral("  K7AB, 01.01.2027, 0130, 14.076, 50, FT8, -10")},
    {"QsoLoggedWithoutPowerTakesDefault",
     [] {
         QsoLoggedFields qso = ft8();
         qso.txPower.clear();
         return qsoLoggedDatagram(qso);
     },
     FrameVerdict::Qso, QStringLiteral("  K7AB, 12.08.2026, 1407, 14.076, 100, FT8, -10")},
    {"QsoLoggedLaterFieldIgnored", withTrailingField, FrameVerdict::Qso,
     QStringLiteral("  K7AB, 12.08.2026, 1407, 14.076, 50, FT8, -10")},
    {"LoggedAdifAsWsjtx", [] { return loggedAdifDatagram(QStringLiteral("WSJT-X"), loggedAdifText(ft8())); },
     FrameVerdict::Qso, QStringLiteral("  K7AB, 12.08.2026, 1407, 14.076, 50, FT8, -10")},
    {"LoggedAdifWithEmail", adifWithEmail, FrameVerdict::Qso,
     QStringLiteral("EA1ABC, 12.08.2026, 0930, 7.074, 100, FT8, -05, ea@mail.es")},
    {"LoggedAdifWithoutCall",
     [] { return loggedAdifDatagram(QStringLiteral("WSJT-X"), "<eoh><mode:3>FT8 <eor>"); },
     FrameVerdict::Refused, QString()},
    {"Heartbeat", [] { return heartbeatDatagram(QStringLiteral("WSJT-X")); }, FrameVerdict::Ignored,
     QString()},
    {"Status", [] { return statusDatagram(QStringLiteral("WSJT-X"), QStringLiteral("K1ABC")); },
     FrameVerdict::Ignored, QString()},
    {"Decode", [] { return decodeDatagram(QStringLiteral("WSJT-X"), QStringLiteral("CQ K1ABC FN42")); },
     FrameVerdict::Ignored, QString()},
    {"ForeignMagic", withForeignMagic, FrameVerdict::Refused, QString()},
    {"SchemaZero", [] { return qsoLoggedDatagram(ft8(), 0); }, FrameVerdict::Refused,
     QString()},
    {"BlankCall", withoutCall, FrameVerdict::Refused, QString()},
    // A call sign that shows nothing would name the card after the clock ("QSL_214848_120826").
    {"CallOfControlsOnly", [] { return qsoLoggedWithCall(QStringLiteral("\x01\x1b\x7f")); },
     FrameVerdict::Refused, QString()},
    {"CallOfInvisiblesOnly",
     [] { return qsoLoggedWithCall(QString(QChar(0x200b)) + QChar(0xad) + QChar(0x2028) + QChar(0x85)); },
     FrameVerdict::Refused, QString()},
    {"CallLosesItsControls", [] { return qsoLoggedWithCall(QStringLiteral("\x02K7") + QChar(0x200b) + "AB\x1f"); },
     FrameVerdict::Qso, QStringLiteral("  K7AB, 12.08.2026, 1407, 14.076, 50, FT8, -10")},
    {"AdifCallOfControlsOnly", [] { return adifWithCall("\x01\x02\x03"); }, FrameVerdict::Refused, QString()},
    {"AdifCallLosesItsControls", [] { return adifWithCall("\x7f EA1ABC\x1b"); }, FrameVerdict::Qso,
     QStringLiteral("EA1ABC, 12.08.2026, 0930, , 100, , ")},
    {"LengthBeyondDatagram", withHugeLength, FrameVerdict::Refused, QString()},
    {"TimeZoneBasis", withTimeZoneBasis, FrameVerdict::Refused, QString()},
    {"Empty", [] { return QByteArray(); }, FrameVerdict::Refused, QString()},
    {"Oversized",
     [] { return loggedAdifDatagram(QStringLiteral("WSJT-X"), loggedAdifText(ft8()) + QByteArray(LargestMessageSize, ' ')); },
     FrameVerdict::Refused, QString()},
};

INSTANTIATE_TEST_SUITE_P(MessageFrame, Frames, ::testing::ValuesIn(frameCases),
                         [](const auto &info) { return std::string(info.param.name); });

// Every datagram cut short: refused, unless the cut falls between two of the fields that later
// versions of "QSO Logged" added, where an older program's message ends.
struct CutCase
{
    const char *name;
    QByteArray whole;
    // Lengths at which the message is a whole one of some version.
    std::vector<qsizetype> wholeAt;
};

void PrintTo(const CutCase &c, std::ostream *os) { *os << c.name; }

class CutShort : public ::testing::TestWithParam<CutCase>
{
};

TEST_P(CutShort, IsRefusedWhereItEndsInsideAField)
{
    const CutCase &c = GetParam();
    std::vector<qsizetype> taken;
    for (qsizetype length = 0; length < c.whole.size(); ++length) {
        const MessageFrame frame = readMessageFrame(QByteArrayView(c.whole).first(length));
        if (frame.verdict != FrameVerdict::Refused)
            taken.push_back(length);
    }
    EXPECT_EQ(taken, c.wholeAt);
}

// The lengths of a newest "QSO Logged" at which an older version ends: after Name, after the
// time on, and after each text that follows it. The propagation mode at the end is not read,
// so a cut inside it leaves a whole message of the version before.
std::vector<qsizetype> qsoLoggedBoundaries()
{
    const QsoLoggedFields qso = ft8();
    const qsizetype afterName = oldQsoLoggedDatagram(qso).size();
    std::vector<qsizetype> ends{afterName, afterName + 13};
    for (const QString *text : {&qso.operatorCall, &qso.myCall, &qso.myGrid, &qso.exchangeSent,
                                &qso.exchangeReceived})
        ends.push_back(ends.back() + 4 + text->toUtf8().size());
    const qsizetype whole = qsoLoggedDatagram(qso).size();
    for (qsizetype length = ends.back() + 1; length < whole; ++length)
        ends.push_back(length);
    return ends;
}

INSTANTIATE_TEST_SUITE_P(
    MessageFrame, CutShort,
    ::testing::Values(CutCase{"QsoLogged", qsoLoggedDatagram(ft8()), qsoLoggedBoundaries()},
                      CutCase{"LoggedAdif", loggedAdifDatagram("WSJT-X", loggedAdifText(ft8())), {}}),
    [](const auto &info) { return std::string(info.param.name); });

// One "Logged ADIF" written out byte by byte from the message description, so that a fault
// shared by the test's sender and the reader would still show.
TEST(MessageFrameBytes, LoggedAdifFromTheDescription)
{
    const QByteArray datagram = QByteArray::fromHex("adbccbda"   // magic
                                                    "00000003"   // schema
                                                    "0000000c"   // type 12
                                                    "00000004")  // id length
                                + "JTDX" + QByteArray::fromHex("00000027")
                                + "<call:4>W1AW <qso_date:8>20261208 <eor>";
    ASSERT_EQ(datagram.size(), 4 + 4 + 4 + 4 + 4 + 4 + 39);
    const MessageFrame frame = readMessageFrame(datagram);
    EXPECT_EQ(frame.verdict, FrameVerdict::Qso);
    EXPECT_EQ(frame.clientId, QStringLiteral("JTDX"));
    EXPECT_EQ(frame.type, 12u);
    EXPECT_EQ(frame.record.value(AdifField::Call), QStringLiteral("W1AW"));
    EXPECT_EQ(frame.record.value(AdifField::QsoDate), QStringLiteral("20261208"));
}

// The fuzz corpus's seeds, written byte by byte apart from the test's sender: each is what its
// name says, so the fuzzer starts from real messages.
struct SeedCase
{
    const char *file;
    FrameVerdict verdict;
    QString row;
};

void PrintTo(const SeedCase &c, std::ostream *os) { *os << c.file; }

class CorpusSeeds : public ::testing::TestWithParam<SeedCase>
{
};

TEST_P(CorpusSeeds, ReadAsTheirNameSays)
{
    QFile file(QStringLiteral(KARTELLO_SOURCE_DIR "/fuzz/corpus/listen_frame/") + GetParam().file);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const MessageFrame frame = readMessageFrame(file.readAll());
    EXPECT_EQ(frame.verdict, GetParam().verdict) << frame.reason.toStdString();
    if (GetParam().row.isEmpty())
        EXPECT_TRUE(frame.record.isEmpty());
    else
        EXPECT_EQ(listRow(frame.record, QStringLiteral("100")), GetParam().row);
}

INSTANTIATE_TEST_SUITE_P(
    MessageFrame, CorpusSeeds,
    ::testing::Values(
        SeedCase{"qso_logged_old", FrameVerdict::Qso, QStringLiteral(" K1ABC, 12.08.2026, 1405, 14.076, 50, FT8, -10")},
        SeedCase{"logged_adif", FrameVerdict::Qso,
                 QStringLiteral(" K1ABC, 12.08.2026, 1407, 14.076, 50, FT4, -10, k@a.b.org")},
        SeedCase{"heartbeat", FrameVerdict::Ignored, QString()},
        SeedCase{"status", FrameVerdict::Ignored, QString()},
        SeedCase{"foreign", FrameVerdict::Refused, QString()}),
    [](const auto &info) { return testName(info.param.file); });

// The newest seed's time on is local time: whatever this computer's zone, the QSO comes out
// with its call, frequency and report, and no power given.
TEST(CorpusSeedNewest, QsoLoggedWithLocalTimeOn)
{
    QFile file(QStringLiteral(KARTELLO_SOURCE_DIR "/fuzz/corpus/listen_frame/qso_logged_new"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const MessageFrame frame = readMessageFrame(file.readAll());
    ASSERT_EQ(frame.verdict, FrameVerdict::Qso) << frame.reason.toStdString();
    const QsoRecord row = parseListRow(listRow(frame.record, QStringLiteral("100")));
    EXPECT_EQ(row.callSign, QStringLiteral("W2XY"));
    EXPECT_EQ(row.freq, QStringLiteral("7.074"));
    EXPECT_EQ(row.mode, QStringLiteral("FT4"));
    EXPECT_EQ(row.signal, QStringLiteral("-03")); // the report sent; +02 was received
    EXPECT_EQ(row.power, QStringLiteral("100"));
    EXPECT_EQ(frame.clientId, QStringLiteral("WSJT-X"));
}

} // namespace
