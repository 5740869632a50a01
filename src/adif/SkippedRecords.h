#pragma once

#include <QString>

// Why a record of a log gave no row.
enum class SkipReason {
    NoCall,              // no CALL field, or an empty one
    FrequencyNotNumber,  // a FREQ that is not a decimal number, such as "14.074.5"
    LengthWithoutDigits, // a field's length specifier holds no digit, such as <NAME:>
    Unfinished,          // fields after the last <EOR> that no <EOR> closes
};

// How many records of one or more logs were skipped, by reason; and how many were read although
// a value's length ran into the next field (the value was ended before that field's tag).
struct SkippedRecords
{
    int noCall = 0;
    int frequencyNotNumber = 0;
    int lengthWithoutDigits = 0;
    int unfinished = 0;
    int lengthIntoNextField = 0; // read, not skipped: not part of total()

    void count(SkipReason reason);
    void countLengthIntoNextField() { ++lengthIntoNextField; }
    int total() const { return noCall + frequencyNotNumber + lengthWithoutDigits + unfinished; }
    SkippedRecords &operator+=(const SkippedRecords &other);
};

// "no records skipped" or, for example, "3 records skipped: 2 without CALL, 1 with a FREQ
// that is not a number"; reasons with no record are left out. Records read with a length that
// ran into the next field are named after it: "no records skipped, 1 record read with a length
// that ran into the next field".
QString skippedSummary(const SkippedRecords &skipped);

// What a load did, one line for the ADIF panel and the rows command:
// "1204 rows added, 3 records skipped: 2 without CALL, 1 with a FREQ that is not a number".
QString loadSummary(int rowsAdded, const SkippedRecords &skipped);
