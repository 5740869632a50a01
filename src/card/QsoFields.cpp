#include "QsoFields.h"

namespace card {

const std::array<QsoFieldNames, kQsoFieldCount> &qsoFields()
{
    using F = QsoField;
    static const std::array<QsoFieldNames, kQsoFieldCount> fields = {{
        {F::CallSign, "ContactCallSign", "alContactCallSign", "AlLabel1", "call sign"},
        {F::UtcDate, "UTCDate", "alUTCDate", "AlLabel2", "UTC date"},
        {F::UtcTime, "UTCTime", "alUTCTime", "AlLabel3", "UTC time"},
        {F::Frequency, "Freq", "alFreq", "AlLabel4", "frequency"},
        {F::Mode, "Mode", "alMode", "AlLabel5", "mode"},
        {F::Power, "Power", "alPower", "AlLabel6", "power"},
        {F::Signal, "Signal", "alSignal", "AlLabel7", "signal report"},
    }};
    return fields;
}

const QsoFieldNames &qsoField(QsoField field)
{
    return qsoFields()[static_cast<int>(field)];
}

QString &qsoFieldText(QsoRecord &qso, QsoField field)
{
    switch (field) {
    case QsoField::CallSign: return qso.callSign;
    case QsoField::UtcDate: return qso.utcDate;
    case QsoField::UtcTime: return qso.utcTime;
    case QsoField::Frequency: return qso.freq;
    case QsoField::Mode: return qso.mode;
    case QsoField::Power: return qso.power;
    case QsoField::Signal: break;
    }
    return qso.signal;
}

const QString &qsoFieldText(const QsoRecord &qso, QsoField field)
{
    return qsoFieldText(const_cast<QsoRecord &>(qso), field);
}

} // namespace card
