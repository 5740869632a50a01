#include "QsoFields.h"

namespace card {

const std::array<QsoFieldNames, kQsoFieldCount> &qsoFields()
{
    using F = QsoField;
    static const std::array<QsoFieldNames, kQsoFieldCount> fields = {{
        {F::CallSign, "ContactCallSign", "alContactCallSign", "AlLabel1", "call sign",
         "AlShape1", "AlShape2"},
        {F::UtcDate, "UTCDate", "alUTCDate", "AlLabel2", "UTC date",
         "AlShape3", "AlShape4"},
        {F::UtcTime, "UTCTime", "alUTCTime", "AlLabel3", "UTC time",
         "AlShape5", "AlShape6"},
        {F::Frequency, "Freq", "alFreq", "AlLabel4", "frequency",
         "AlShape7", "AlShape8"},
        {F::Mode, "Mode", "alMode", "AlLabel5", "mode",
         "AlShape9", "AlShape10"},
        {F::Power, "Power", "alPower", "AlLabel6", "power",
         "AlShape11", "AlShape12"},
        {F::Signal, "Signal", "alSignal", "AlLabel7", "signal report",
         "AlShape13", "AlShape14"},
    }};
    return fields;
}

const QsoFieldNames &qsoField(QsoField field)
{
    return qsoFields()[static_cast<int>(field)];
}

QsoField qsoFieldOfValue(const QString &valueElement)
{
    for (const QsoFieldNames &names : qsoFields())
        if (valueElement == QLatin1String(names.valueElement))
            return names.field;
    return QsoField::CallSign;
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
