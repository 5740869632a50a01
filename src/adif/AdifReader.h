#pragma once

// Reading ADIF logs into QSO list rows. Entry points:
// - AdifReader: the state machine over a whole log's bytes. readNext() yields the next record
//   that has a CALL, one at a time, so a window can read a big log a slice at a time from its
//   event loop; skipped() counts the records that gave no row, by reason.
// - readAdifLog(): the whole log at once.
// - listRow() and parseListRow() (ListRow.h): the row text and the row read back into the QSO
//   fields; skippedSummary() and loadSummary() (SkippedRecords.h): the texts about a load.

#include "AdifRecord.h"
#include "AdifText.h"
#include "ListRow.h"
#include "SkippedRecords.h"

#include <QByteArray>
#include <QStringList>

#include <vector>

// An ADIF reader that follows the ADIF standard, for logs as loggers write them:
// - field names and the <EOH> and <EOR> markers match whatever their case ("<call:5>", "<eor>");
//   only whole names match (FREQ_RX is not FREQ, SUBMODES is not SUBMODE); a type indicator
//   ("<QSO_DATE:8:D>") is passed over;
// - values are taken by their length, so line ends (LF, CR LF, CR) and several records on one
//   line make no difference; text between fields and records is ignored; Ctrl-Z ends the log;
// - everything up to <EOH> is the header and gives no record; a log that starts with a field
//   has no header;
// - lengths count UTF-8 bytes; a value written by an exporter that counted characters
//   instead still comes out whole; a log that is not UTF-8 is read as Windows-1252;
// - a value never runs into a well-formed tag ("<NAME:digits>", "<NAME:digits:T>", "<EOR>",
//   "<EOH>"): when its length reaches into one, the value ends before it and the record is
//   counted as read with a length that ran into the next field;
// - values are made one line (oneLineText()): a line break in a log's value never reaches a
//   row or a file;
// - a record without a CALL value, with a FREQ that is not a decimal number or with a length
//   specifier without digits is skipped and counted, and reading goes on.
class AdifReader
{
public:
    explicit AdifReader(QByteArray log);
    // Reads the log as encoding, whatever its bytes: a file Kartello writes itself is UTF-8, and
    // an invalid byte in it spoils only the value it stands in.
    AdifReader(QByteArray log, AdifEncoding encoding);

    // Reads on to the next record that has a CALL and gives it in record. False when the
    // log has no more such records.
    bool readNext(AdifRecord &record);
    bool atEnd() const { return m_pos >= m_end && m_finished; }

    const SkippedRecords &skipped() const { return m_skipped; }
    AdifEncoding encoding() const { return m_encoding; }
    // How far reading has come, in bytes of the log.
    qsizetype position() const { return m_pos; }
    qsizetype size() const { return m_end; }

private:
    enum class State {
        BetweenFields,  // looking for the next "<"
        FieldName,      // after "<", up to ":" or ">"
        Length,         // after the name's ":", up to ":" (type follows) or ">"
        TypeIndicator,  // after the length's ":", up to ">"
        Value,          // after ">", the value's bytes
    };

    // One step in each state; readFieldName() is true when it closed a record that gives a row.
    void readBetweenFields();
    bool readFieldName(AdifRecord &record);
    void readSpecifier();
    void beginField();
    // Reads a whole field of the common form at once; leaves other forms to the states.
    void readPlainField();
    void endFieldName(char terminator);
    void endLengthSpecifier();
    // Consumes the value's bytes from the current position.
    void readValue();
    // The record is at its <EOR>: true when it gives a row.
    bool closeRecord(AdifRecord &record);
    // The field name that is being read does not end: read on after its "<".
    void abandonField();
    void finish();

    QByteArray m_log;
    const char *m_data = nullptr;
    qsizetype m_end = 0;
    qsizetype m_pos = 0;
    AdifEncoding m_encoding = AdifEncoding::Utf8;
    State m_state = State::BetweenFields;
    bool m_finished = false;

    qsizetype m_nameStart = 0;
    qsizetype m_nameEnd = 0;
    qsizetype m_specifierStart = 0;
    qsizetype m_length = 0;
    bool m_lengthHasDigits = false;
    int m_wantedField = -1;

    // The caller's record while readNext() fills it: a record never spans two calls.
    AdifRecord *m_current = nullptr;
    bool m_currentHasFields = false;
    bool m_currentHasBadLength = false;
    bool m_currentRanIntoField = false;
    SkippedRecords m_skipped;
};

// A whole log: its records that have a CALL, in the log's order, and the skipped ones counted.
struct AdifLog
{
    std::vector<AdifRecord> records;
    SkippedRecords skipped;
};

AdifLog readAdifLog(const QByteArray &log);
AdifLog readAdifLog(const QByteArray &log, AdifEncoding encoding);

// Reads on until maxRecords more rows are read or the log ends; the rows as the QSO list
// shows them, defaultPower standing for a missing TX_PWR.
QStringList readListRows(AdifReader &reader, const QString &defaultPower, int maxRecords);
